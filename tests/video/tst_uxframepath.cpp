#include "video/UxFramePath.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// Noise, so that a wrong channel, column or row cannot go unnoticed.
QImage noise(const QSize &size, QImage::Format format, quint32 seed)
{
    QImage image(size, QImage::Format_ARGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = random.generate() | 0xff000000u;
    }
    return image.convertToFormat(format);
}

// The buffer QPainter makes of the same frame over the same previous contents.
QImage painted(const QImage &previous, const QImage &frame)
{
    QImage reference = previous.copy();
    QPainter painter(&reference);
    painter.drawImage(QRect(QPoint(0, 0), frame.size()), frame);
    return reference;
}

} // namespace

class TestFramePath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesLikeQPainter_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("translucentPixel"); // x < 0: none
        QTest::addColumn<int>("expectedRows");
        const QPoint none(-1, -1);
        // Widths around the 16-pixel step of the vector path.
        for (int w : {1, 15, 16, 17, 33, 1920}) {
            const QByteArray tag = QByteArray::number(w);
            QTest::newRow("RGB32 " + tag) << QImage::Format_RGB32 << QSize(w, 5) << none << 5;
            QTest::newRow("ARGB32 " + tag) << QImage::Format_ARGB32 << QSize(w, 5) << none << 5;
        }
        QTest::newRow("ARGB32 premultiplied")
            << QImage::Format_ARGB32_Premultiplied << QSize(37, 4) << none << 4;
        QTest::newRow("RGBX8888") << QImage::Format_RGBX8888 << QSize(37, 4) << none << 4;
        QTest::newRow("RGBA8888") << QImage::Format_RGBA8888 << QSize(37, 4) << none << 4;
        QTest::newRow("RGB888") << QImage::Format_RGB888 << QSize(37, 4) << none << 4;
        QTest::newRow("translucent pixel in a vector step")
            << QImage::Format_ARGB32 << QSize(64, 6) << QPoint(20, 3) << 3;
        QTest::newRow("translucent pixel in the scalar tail")
            << QImage::Format_ARGB32 << QSize(70, 6) << QPoint(69, 1) << 1;
        QTest::newRow("translucent RGBA8888")
            << QImage::Format_RGBA8888 << QSize(40, 3) << QPoint(0, 0) << 0;
        QTest::newRow("RGB32 ignores its alpha byte")
            << QImage::Format_RGB32 << QSize(40, 3) << QPoint(5, 1) << 3;
        QTest::newRow("other formats are left to QPainter")
            << QImage::Format_RGB16 << QSize(40, 3) << none << 0;
    }

    // Rows copied plus QPainter for the rest give exactly QPainter's buffer.
    void copiesLikeQPainter()
    {
        QFETCH(QImage::Format, format);
        QFETCH(QSize, size);
        QFETCH(QPoint, translucentPixel);
        QFETCH(int, expectedRows);
        QImage frame = noise(size, format, 7);
        if (translucentPixel.x() >= 0) {
            // Written as raw bits, so that RGB32 keeps a "translucent" alpha byte it must ignore.
            uchar *pixel = frame.scanLine(translucentPixel.y()) + 4 * translucentPixel.x();
            pixel[3] = 0x40; // the alpha byte of both layouts on a little-endian machine
        }
        const QImage previous = noise(size, QImage::Format_RGB888, 11);
        QImage buffer = previous.copy();

        const int rows = uxCopyOpaqueRows(frame, buffer);
        QCOMPARE(rows, expectedRows);
        QPainter painter(&buffer);
        const QRect rest(0, rows, size.width(), size.height() - rows);
        painter.drawImage(rest, frame, rest);
        painter.end();
        QCOMPARE(buffer, painted(previous, frame));
    }

    void refusesMismatchedBuffers()
    {
        const QImage frame = noise(QSize(8, 8), QImage::Format_RGB32, 1);
        QImage wrongSize(QSize(8, 7), QImage::Format_RGB888);
        QImage wrongFormat(QSize(8, 8), QImage::Format_RGB32);
        QCOMPARE(uxCopyOpaqueRows(frame, wrongSize), 0);
        QCOMPARE(uxCopyOpaqueRows(frame, wrongFormat), 0);
        QImage buffer(QSize(8, 8), QImage::Format_RGB888);
        QCOMPARE(uxCopyOpaqueRows(QImage(), buffer), 0);
    }

    void scalesLikeQPainter_data()
    {
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QRect>("target");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("offset"); // where the widget sits in its window
        QTest::newRow("1080p into 720p")
            << QSize(1920, 1080) << QRect(0, 0, 1280, 720) << 1.0 << QPoint(0, 0);
        QTest::newRow("4K into 720p")
            << QSize(3840, 2160) << QRect(0, 0, 1280, 720) << 1.0 << QPoint(0, 0);
        QTest::newRow("same size at ratio 2")
            << QSize(640, 360) << QRect(0, 0, 320, 180) << 2.0 << QPoint(0, 0);
        QTest::newRow("upscaled, offset")
            << QSize(320, 200) << QRect(13, 7, 999, 513) << 1.0 << QPoint(5, 41);
        QTest::newRow("letter-boxed, exact half-pixel centres")
            << QSize(1920, 800) << QRect(0, 97, 1280, 533) << 1.0 << QPoint(0, 31);
        QTest::newRow("ratio 2, wider than 2048 device pixels")
            << QSize(1920, 1080) << QRect(0, 0, 1280, 720) << 2.0 << QPoint(0, 0);
        QTest::newRow("ratio 1.5")
            << QSize(1920, 1080) << QRect(3, 2, 853, 480) << 1.5 << QPoint(0, 0);
        QTest::newRow("one pixel frame")
            << QSize(1, 1) << QRect(0, 0, 50, 30) << 1.0 << QPoint(0, 0);
    }

    void scalesLikeQPainter()
    {
        QFETCH(QSize, frameSize);
        QFETCH(QRect, target);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, offset);
        const QImage frame = noise(frameSize, QImage::Format_RGB888, 3);
        const QSize device =
            (QSizeF(target.right() + offset.x() + 2, target.bottom() + offset.y() + 2) * ratio)
                .toSize();
        QImage expected(device, QImage::Format_RGB32);
        expected.fill(Qt::green);
        QImage actual = expected.copy();
        const auto prepare = [&](QPainter &p) {
            p.translate(offset);
            p.scale(ratio, ratio);
            p.setClipRect(target);
        };
        {
            QPainter painter(&expected);
            prepare(painter);
            painter.drawImage(target, frame);
        }
        UxFrameScaler scaler;
        {
            QPainter painter(&actual);
            prepare(painter);
            QVERIFY(scaler.draw(painter, frame, target));
        }
        QCOMPARE(actual, expected);
    }

    // The scaled copy is kept between paints, but never outlives the frame's contents.
    void scaledCopyFollowsTheFrame()
    {
        QImage frame(QSize(16, 9), QImage::Format_RGB888);
        frame.fill(Qt::red);
        QImage target(QSize(64, 36), QImage::Format_RGB32);
        UxFrameScaler scaler;
        const auto drawAndSample = [&] {
            QPainter painter(&target);
            scaler.draw(painter, frame, target.rect());
            painter.end();
            return target.pixelColor(30, 20);
        };
        QCOMPARE(drawAndSample(), QColor(Qt::red));
        frame.fill(Qt::blue); // the same image object, new contents
        QCOMPARE(drawAndSample(), QColor(Qt::blue));
    }

    void declinesPaintersItCannotMatch_data()
    {
        QTest::addColumn<int>("setting");
        QTest::newRow("smooth transformation") << 0;
        QTest::newRow("rotation") << 1;
        QTest::newRow("opacity") << 2;
        QTest::newRow("composition mode") << 3;
        QTest::newRow("mirrored") << 4;
    }

    void declinesPaintersItCannotMatch()
    {
        QFETCH(int, setting);
        QImage frame(QSize(16, 9), QImage::Format_RGB888);
        frame.fill(Qt::red);
        QImage target(QSize(64, 36), QImage::Format_RGB32);
        QPainter painter(&target);
        switch (setting) {
        case 0:
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            break;
        case 1:
            painter.rotate(10);
            break;
        case 2:
            painter.setOpacity(0.5);
            break;
        case 3:
            painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            break;
        case 4:
            painter.scale(-1, 1);
            break;
        }
        UxFrameScaler scaler;
        QVERIFY(!scaler.draw(painter, frame, QRect(0, 0, 32, 18)));
        // Nor does it take other formats: those Qt draws well itself.
        painter.resetTransform();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setOpacity(1);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QVERIFY(!scaler.draw(painter, frame.convertToFormat(QImage::Format_RGB32),
                             QRect(0, 0, 32, 18)));
        QVERIFY(scaler.draw(painter, frame, QRect(0, 0, 32, 18)));
    }
};

QTEST_MAIN(TestFramePath)
#include "tst_uxframepath.moc"
