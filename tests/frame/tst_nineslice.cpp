#include "frame/UxNineSlice.h"

#include <QPainter>
#include <QtTest>

#include <limits>

namespace {

// One colour per piece of the skin: column 0..2 (left, middle, right) by row 0..2.
QColor pieceColour(int column, int row)
{
    static const QColor colours[3][3] = {
        {QColor(255, 0, 0), QColor(255, 0, 255), QColor(0, 0, 255)},  // left column
        {QColor(0, 255, 255), QColor(0, 0, 128), QColor(0, 128, 0)},  // middle column
        {QColor(0, 255, 0), QColor(128, 0, 0), QColor(255, 255, 0)}}; // right column
    return colours[column][row];
}

// A skin whose nine pieces, cut at the margins times the pixel ratio, are solid colours.
QPixmap pieceSkin(const QSize &pixels, const QMargins &m, qreal ratio, bool clearCentre = false)
{
    const int xs[4] = {0, int(m.left() * ratio), pixels.width() - int(m.right() * ratio),
                       pixels.width()};
    const int ys[4] = {0, int(m.top() * ratio), pixels.height() - int(m.bottom() * ratio),
                       pixels.height()};
    QImage image(pixels, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            const QColor colour = (clearCentre && column == 1 && row == 1)
                                      ? QColor(0, 0, 0, 0)
                                      : pieceColour(column, row);
            painter.fillRect(
                QRect(QPoint(xs[column], ys[row]), QPoint(xs[column + 1] - 1, ys[row + 1] - 1)),
                colour);
        }
    }
    painter.end();
    QPixmap skin = QPixmap::fromImage(image);
    skin.setDevicePixelRatio(ratio);
    return skin;
}

QImage paint(const QPixmap &skin, const QMargins &margins, const QSize &size,
             const UxNineSliceOptions &options, bool *result = nullptr)
{
    QPixmap target(size);
    target.fill(Qt::white);
    const bool painted = uxPaintNineSlice(skin, margins, target, size, options);
    if (result)
        *result = painted;
    return target.toImage();
}

} // namespace

Q_DECLARE_METATYPE(QMargins)

class TestNineSlice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pieces_data();
    void pieces();
    void narrowTargets_data();
    void narrowTargets();
    void refusal_data();
    void refusal();
    void targetIsClearedFirst();
    void marginsWiderThanTarget();
};

void TestNineSlice::pieces_data()
{
    QTest::addColumn<QSize>("skinPixels");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QMargins>("margins");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("smooth");
    QTest::newRow("symmetric") << QSize(30, 30) << 1.0 << QMargins(10, 10, 10, 10) << QSize(100, 50)
                               << false;
    QTest::newRow("asymmetric") << QSize(40, 30) << 1.0 << QMargins(4, 6, 8, 3) << QSize(60, 40)
                                << false;
    QTest::newRow("skin at ratio 2 takes twice the pixels")
        << QSize(60, 60) << 2.0 << QMargins(10, 10, 10, 10) << QSize(100, 50) << false;
    QTest::newRow("smooth transformation")
        << QSize(30, 30) << 1.0 << QMargins(10, 10, 10, 10) << QSize(100, 50) << true;
    QTest::newRow("centre shrinks")
        << QSize(30, 30) << 1.0 << QMargins(10, 10, 10, 10) << QSize(24, 24) << false;
}

// Samples the middle of each of the nine target pieces.
void TestNineSlice::pieces()
{
    QFETCH(QSize, skinPixels);
    QFETCH(qreal, ratio);
    QFETCH(QMargins, margins);
    QFETCH(QSize, size);
    QFETCH(bool, smooth);
    UxNineSliceOptions options;
    options.smoothPixmapTransform = smooth;
    bool painted = false;
    const QImage image =
        paint(pieceSkin(skinPixels, margins, ratio), margins, size, options, &painted);
    QVERIFY(painted);

    const int xs[4] = {0, margins.left(), size.width() - margins.right(), size.width()};
    const int ys[4] = {0, margins.top(), size.height() - margins.bottom(), size.height()};
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            const QPoint middle((xs[column] + xs[column + 1] - 1) / 2,
                                (ys[row] + ys[row + 1] - 1) / 2);
            QCOMPARE(image.pixelColor(middle), pieceColour(column, row));
        }
    }
    // Corners keep their size: the last pixel of the top-left corner is still corner.
    QCOMPARE(image.pixelColor(margins.left() - 1, margins.top() - 1), pieceColour(0, 0));
    QCOMPARE(image.pixelColor(margins.left(), margins.top() - 1), pieceColour(1, 0));
}

void TestNineSlice::narrowTargets_data()
{
    QTest::addColumn<bool>("joinEnds");
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("sample");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    // Skin 30 x 30 with margins 10, target height 60. Joined ends stretch the skin's
    // whole height, so y 15 still shows the top row; nine pieces show the left edge.
    QTest::newRow("joined: left end") << true << 16 << QPoint(4, 15) << 0 << 0;
    QTest::newRow("joined: right end") << true << 16 << QPoint(12, 15) << 2 << 0;
    QTest::newRow("nine pieces without the option") << false << 16 << QPoint(4, 15) << 0 << 1;
    QTest::newRow("joined at exactly twice the left margin")
        << true << 20 << QPoint(10, 30) << 2 << 1;
    QTest::newRow("one pixel wider is nine pieces") << true << 21 << QPoint(10, 30) << 1 << 1;
}

void TestNineSlice::narrowTargets()
{
    QFETCH(bool, joinEnds);
    QFETCH(int, width);
    QFETCH(QPoint, sample);
    QFETCH(int, column);
    QFETCH(int, row);
    const QMargins margins(10, 10, 10, 10);
    UxNineSliceOptions options;
    options.joinEndsWhenNarrow = joinEnds;
    const QImage image =
        paint(pieceSkin(QSize(30, 30), margins, 1.0), margins, QSize(width, 60), options);
    QCOMPARE(image.pixelColor(sample), pieceColour(column, row));
}

void TestNineSlice::refusal_data()
{
    QTest::addColumn<bool>("nullSkin");
    QTest::addColumn<bool>("refuseOption");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("painted");
    QTest::newRow("refused at 1 pixel") << false << true << 1 << false;
    QTest::newRow("refused at 0 pixels") << false << true << 0 << false;
    QTest::newRow("2 pixels are painted") << false << true << 2 << true;
    QTest::newRow("1 pixel without the option") << false << false << 1 << true;
    QTest::newRow("null skin") << true << false << 40 << false;
}

// A refused call leaves the target as it was (white here); a painted one does not.
void TestNineSlice::refusal()
{
    QFETCH(bool, nullSkin);
    QFETCH(bool, refuseOption);
    QFETCH(int, width);
    QFETCH(bool, painted);
    const QMargins margins(10, 10, 10, 10);
    const QPixmap skin = nullSkin ? QPixmap() : pieceSkin(QSize(30, 30), margins, 1.0);
    UxNineSliceOptions options;
    options.refuseBelowTwoPixels = refuseOption;
    QPixmap target(QSize(40, 20));
    target.fill(Qt::white);
    QCOMPARE(uxPaintNineSlice(skin, margins, target, QSize(width, 20), options), painted);
    QCOMPARE(target.toImage().pixelColor(0, 0) == QColor(Qt::white), !painted);
}

void TestNineSlice::targetIsClearedFirst()
{
    const QMargins margins(10, 10, 10, 10);
    const QImage image = paint(pieceSkin(QSize(30, 30), margins, 1.0, true), margins, QSize(50, 50),
                               UxNineSliceOptions());
    QCOMPARE(image.pixelColor(25, 25), QColor(0, 0, 0, 0));
    QCOMPARE(image.pixelColor(0, 0), pieceColour(0, 0));
}

// Margins that do not fit draw what fits; negative middle pieces are skipped, and
// absurd margins neither overflow nor crash.
void TestNineSlice::marginsWiderThanTarget()
{
    const QMargins wide(40, 10, 40, 10);
    bool painted = false;
    QImage image = paint(pieceSkin(QSize(100, 30), wide, 1.0), wide, QSize(50, 30),
                         UxNineSliceOptions(), &painted);
    QVERIFY(painted);
    QCOMPARE(image.pixelColor(0, 15), pieceColour(0, 1));
    QCOMPARE(image.pixelColor(49, 15), pieceColour(2, 1));

    const int huge = std::numeric_limits<int>::max();
    const QMargins absurd(huge, huge, huge, huge);
    const QPixmap skin = pieceSkin(QSize(30, 30), QMargins(10, 10, 10, 10), 1.0);
    QPixmap target(QSize(30, 30));
    UxNineSliceOptions joining;
    joining.joinEndsWhenNarrow = true;
    QVERIFY(uxPaintNineSlice(skin, absurd, target, target.size(), UxNineSliceOptions()));
    QVERIFY(uxPaintNineSlice(skin, absurd, target, target.size(), joining));
}

QTEST_MAIN(TestNineSlice)
#include "tst_nineslice.moc"
