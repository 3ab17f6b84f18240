#include "frame/UxNineSlice.h"

#include <QPainter>
#include <QtTest>

#include <limits>

namespace {

// One colour per piece of the skin, by column (left, middle, right) and row.
QColor pieceColour(int column, int row)
{
    return QColor(column * 120, row * 120, 255 - (column + row) * 40);
}

// A skin cut at the margins times the pixel ratio into nine solid pieces.
QPixmap pieceSkin(const QSize &pixels, const QMargins &m, qreal ratio)
{
    const int xs[4] = {0, int(m.left() * ratio), pixels.width() - int(m.right() * ratio),
                       pixels.width()};
    const int ys[4] = {0, int(m.top() * ratio), pixels.height() - int(m.bottom() * ratio),
                       pixels.height()};
    QImage image(pixels, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            painter.fillRect(QRect(QPoint(xs[c], ys[r]), QPoint(xs[c + 1] - 1, ys[r + 1] - 1)),
                             pieceColour(c, r));
    painter.end();
    QPixmap skin = QPixmap::fromImage(image);
    skin.setDevicePixelRatio(ratio);
    return skin;
}

QImage paint(const QPixmap &skin, const QMargins &m, const QSize &size, UxNineSliceOptions o)
{
    QPixmap target(size);
    target.fill(Qt::white);
    uxPaintNineSlice(skin, m, target, size, o);
    return target.toImage();
}

} // namespace

Q_DECLARE_METATYPE(QMargins)

class TestNineSlice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pieces_data()
    {
        QTest::addColumn<QSize>("skinPixels");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QMargins>("margins");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("smooth");
        QTest::newRow("asymmetric")
            << QSize(40, 30) << 1.0 << QMargins(4, 6, 8, 3) << QSize(60, 40) << false;
        QTest::newRow("ratio 2 takes twice the pixels")
            << QSize(60, 60) << 2.0 << QMargins(10, 10, 10, 10) << QSize(100, 50) << true;
        QTest::newRow("centre shrinks")
            << QSize(30, 30) << 1.0 << QMargins(10, 10, 10, 10) << QSize(24, 24) << false;
    }

    // The middle of each target piece shows its piece of the skin; corners keep their size.
    void pieces()
    {
        QFETCH(QSize, skinPixels);
        QFETCH(qreal, ratio);
        QFETCH(QMargins, margins);
        QFETCH(QSize, size);
        QFETCH(bool, smooth);
        UxNineSliceOptions options;
        options.smoothPixmapTransform = smooth;
        const QImage image = paint(pieceSkin(skinPixels, margins, ratio), margins, size, options);
        const int xs[4] = {0, margins.left(), size.width() - margins.right(), size.width()};
        const int ys[4] = {0, margins.top(), size.height() - margins.bottom(), size.height()};
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                QCOMPARE(image.pixelColor((xs[c] + xs[c + 1] - 1) / 2, (ys[r] + ys[r + 1] - 1) / 2),
                         pieceColour(c, r));
        QCOMPARE(image.pixelColor(margins.left() - 1, margins.top() - 1), pieceColour(0, 0));
        QCOMPARE(image.pixelColor(margins.left(), margins.top() - 1), pieceColour(1, 0));
    }

    void narrowTargets_data()
    {
        QTest::addColumn<bool>("joinEnds");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("sample");
        QTest::addColumn<QPoint>("piece"); // column, row
        // Skin 30 x 30, margins 10, target height 60. Joined ends stretch the skin's whole
        // height, so y 15 still shows its top row; nine pieces show the left edge there.
        QTest::newRow("joined: left end") << true << 16 << QPoint(4, 15) << QPoint(0, 0);
        QTest::newRow("joined: right end") << true << 16 << QPoint(12, 15) << QPoint(2, 0);
        QTest::newRow("nine pieces without the option")
            << false << 16 << QPoint(4, 15) << QPoint(0, 1);
        QTest::newRow("joined at twice the left margin")
            << true << 20 << QPoint(10, 30) << QPoint(2, 1);
        QTest::newRow("one pixel wider: nine pieces")
            << true << 21 << QPoint(10, 30) << QPoint(1, 1);
    }

    void narrowTargets()
    {
        QFETCH(bool, joinEnds);
        QFETCH(int, width);
        QFETCH(QPoint, sample);
        QFETCH(QPoint, piece);
        const QMargins m(10, 10, 10, 10);
        UxNineSliceOptions options;
        options.joinEndsWhenNarrow = joinEnds;
        const QImage image = paint(pieceSkin(QSize(30, 30), m, 1.0), m, QSize(width, 60), options);
        QCOMPARE(image.pixelColor(sample), pieceColour(piece.x(), piece.y()));
    }

    void refusalsLeaveTheTarget()
    {
        const QMargins m(10, 10, 10, 10);
        const QPixmap skin = pieceSkin(QSize(30, 30), m, 1.0);
        UxNineSliceOptions refusing;
        refusing.refuseBelowTwoPixels = true;
        QPixmap target(40, 20);
        for (int width : {0, 1}) {
            target.fill(Qt::white);
            QVERIFY(!uxPaintNineSlice(skin, m, target, QSize(width, 20), refusing));
            QCOMPARE(target.toImage().pixelColor(0, 0), QColor(Qt::white));
        }
        QVERIFY(uxPaintNineSlice(skin, m, target, QSize(2, 20), refusing));
        QVERIFY(uxPaintNineSlice(skin, m, target, QSize(1, 20), UxNineSliceOptions()));
        QVERIFY(!uxPaintNineSlice(QPixmap(), m, target, QSize(40, 20), UxNineSliceOptions()));

        // The target is cleared first; margins wider than it, even absurd ones, paint what fits.
        QCOMPARE(paint(skin, QMargins(40, 10, 40, 10), QSize(50, 30), UxNineSliceOptions())
                     .pixelColor(0, 15),
                 pieceColour(0, 1));
        const int huge = std::numeric_limits<int>::max();
        QVERIFY(uxPaintNineSlice(skin, QMargins(huge, huge, huge, huge), target, target.size(),
                                 refusing));
    }
};

QTEST_MAIN(TestNineSlice)
#include "tst_nineslice.moc"
