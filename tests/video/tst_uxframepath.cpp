#include "video/UxFramePath.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/resource.h>

namespace {

const QImage::Format kRgb32 = QImage::Format_RGB32, kArgb32 = QImage::Format_ARGB32,
                     kRgba = QImage::Format_RGBA8888, kRgb888 = QImage::Format_RGB888;

// Noise, so that a wrong channel, column or row cannot go unnoticed; opaque, as RGB888.
QImage noise(const QSize &size, QImage::Format format, quint32 seed)
{
    QImage image(size, QImage::Format_RGB888);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(image.bits()),
                                     image.sizeInBytes() / 4);
    return image.convertToFormat(format);
}

using P = QPainter;
using PainterSetup = void (*)(QPainter &);

#ifndef __SANITIZE_ADDRESS__ // which reserves more address space than any such limit
void leaveLittleMemory()     // a limit that large allocations hit, as on a loaded machine
{
    QFile statm("/proc/self/statm");
    if (statm.open(QIODevice::ReadOnly)) {
        rlimit low;
        getrlimit(RLIMIT_AS, &low);
        low.rlim_cur = statm.readLine().split(' ').value(0).toULongLong() * 4096 + (1 << 30);
        setrlimit(RLIMIT_AS, &low);
    }
}
#endif

} // namespace

Q_DECLARE_METATYPE(PainterSetup)

class TestFramePath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesLikeQPainter_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("translucent"); // a pixel given alpha 0x40; x < 0: none
        QTest::addColumn<int>("rows");           // rows copied before QPainter takes over
        const QPoint none(-1, -1);
        for (int w : {1, 15, 16, 17, 33}) { // around the 16-pixel step of the vector path
            QTest::addRow("RGB32 %d", w) << kRgb32 << QSize(w, 5) << none << 5;
            QTest::addRow("ARGB32 %d", w) << kArgb32 << QSize(w, 5) << none << 5;
        }
        QTest::newRow("RGBA8888") << kRgba << QSize(37, 4) << none << 4;
        QTest::newRow("RGB888") << kRgb888 << QSize(37, 4) << none << 4;
        QTest::newRow("alpha in a vector step") << kArgb32 << QSize(64, 6) << QPoint(20, 3) << 3;
        QTest::newRow("alpha in the scalar tail") << kArgb32 << QSize(70, 6) << QPoint(69, 1) << 1;
        QTest::newRow("RGBA8888 alpha") << kRgba << QSize(40, 3) << QPoint(0, 0) << 0;
        QTest::newRow("RGB32 has no alpha") << kRgb32 << QSize(40, 3) << QPoint(5, 1) << 3;
        QTest::newRow("RGB16") << QImage::Format_RGB16 << QSize(40, 3) << none << 0;
    }

    // The rows copied plus QPainter for the rest give exactly QPainter's buffer.
    void copiesLikeQPainter()
    {
        QFETCH(QImage::Format, format);
        QFETCH(QSize, size);
        QFETCH(QPoint, translucent);
        QFETCH(int, rows);
        QImage frame = noise(size, format, 7);
        if (translucent.x() >= 0) // raw bits, so that RGB32 gets an alpha byte it must ignore
            frame.scanLine(translucent.y())[4 * translucent.x() + 3] = 0x40; // little-endian
        const QImage previous = noise(size, kRgb888, 11);
        QImage buffer = previous.copy(), expected = previous.copy();
        QImage shorter(size - QSize(0, 1), kRgb888), rgb32(size, kRgb32); // refused outright
        QVERIFY(uxCopyOpaqueRows(frame, shorter) == 0 && uxCopyOpaqueRows(frame, rgb32) == 0);
        QCOMPARE(uxCopyOpaqueRows(frame, buffer), rows);
        const QRect rest(0, rows, size.width(), size.height() - rows);
        QPainter(&buffer).drawImage(rest, frame, rest);
        QPainter(&expected).drawImage(0, 0, frame);
        QCOMPARE(buffer, expected);
    }

    void drawsLikeQPainter_data()
    {
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QRect>("target");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("translucentRow"); // -1: none
        QTest::addColumn<qint64>("maxPixels");   // 0: the device's pixels
        QTest::addColumn<QRect>("visible");      // null: the whole target shows
        const auto row = [](const char *name, QSize frameSize, QImage::Format format, QRect target,
                            qreal ratio, int translucentRow = -1, qint64 maxPixels = 0,
                            QRect visible = QRect()) {
            QTest::newRow(name) << frameSize << format << target << ratio << translucentRow
                                << maxPixels << visible;
        };
        const QRect hd(0, 0, 1280, 720), odd(3, 2, 853, 480), view(0, 0, 640, 360);
        row("720p 1:1", QSize(1280, 720), kRgb32, hd, 1.0);
        row("1080p", QSize(1920, 1080), kRgb32, hd, 1.0);
        row("1080p ratio 1.5", QSize(1920, 1080), kArgb32, odd, 1.5);
        row("1080p ratio 2", QSize(1920, 1080), kArgb32, hd, 2.0);
        row("4K", QSize(3840, 2160), kArgb32, hd, 1.0);
        row("4K ratio 1.5", QSize(3840, 2160), kRgb32, odd, 1.5);
        row("upscaled", QSize(320, 200), kRgb32, QRect(13, 7, 999, 513), 2.0);
        row("translucent", QSize(1920, 1080), kArgb32, hd, 1.0, 500);
        row("1:1 translucent", QSize(1280, 720), kArgb32, hd, 1.0, 300);
        row("RGBA8888", QSize(64, 36), kRgba, hd, 1.0);
        row("copy too large", QSize(1920, 1080), kRgb32, hd, 1.0, -1, qint64(1280 * 720 - 1));
        row("RGB888 1080p into 720p", QSize(1920, 1080), kRgb888, hd, 1.0);
        row("RGB888 ratio 2, wide", QSize(1920, 1080), kRgb888, hd, 2.0);
        row("RGB888 ratio 1.5", QSize(1920, 1080), kRgb888, odd, 1.5);
        row("RGB888 4K into 720p", QSize(3840, 2160), kRgb888, hd, 1.0);
        row("RGB888 1:1 at ratio 2", QSize(640, 360), kRgb888, QRect(0, 0, 320, 180), 2.0);
        row("RGB888 upscaled", QSize(320, 200), kRgb888, QRect(13, 7, 999, 513), 1.0);
        row("RGB888 letter-boxed", QSize(1920, 800), kRgb888, QRect(0, 97, 1280, 533), 1.0);
        row("RGB888 one pixel frame", QSize(1, 1), kRgb888, QRect(0, 0, 50, 30), 1.0);
        row("RGB888 over 2048 device pixels", QSize(3000, 20), kRgb888, QRect(0, 0, 5003, 20), 1.0);
        row("RGB888 4K at ratio 1.5", QSize(3840, 2160), kRgb888, hd, 1.5);
        // Zoomed pictures reaching far beyond what shows: only that is sampled, within a
        // copy no larger than that.
        row("zoomed", QSize(1920, 1080), kRgb32, QRect(-900, -500, 3200, 1800), 1.0, -1,
            qint64(1280 * 720), hd);
        row("zoomed translucent ratio 1.5", QSize(1920, 1080), kArgb32,
            QRect(-400, -211, 2561, 1441), 1.5, 500, qint64(1280 * 720 * 2.25),
            QRect(0, 0, 853, 480));
        row("zoomed 4 times", QSize(640, 360), kRgb888, QRect(-700, -301, 2560, 1440), 1.0, -1, 0,
            view);
        row("zoomed at ratio 1.5", QSize(640, 360), kRgb888, QRect(-95, -17, 1603, 901), 1.5, -1, 0,
            view);
        row("zoomed 8 times at ratio 2", QSize(1920, 1080), kRgb888,
            QRect(-2051, -1013, 5120, 2880), 2.0, -1, 0, view);
        row("zoomed, shown in a corner", QSize(720, 576), kRgb888, QRect(-1203, 70, 2130, 1703),
            1.0, -1, 0, QRect(33, 40, 500, 300));
    }

    // A frame ingested and drawn gives QPainter's buffer and QPainter's drawing of it; a
    // 24-bit frame is drawn as it comes. The scaled copy is kept between paints, but must
    // follow the frame's new contents; other formats Qt draws well itself.
    void drawsLikeQPainter()
    {
        QFETCH(QSize, frameSize);
        QFETCH(QImage::Format, format);
        QFETCH(QRect, target);
        QFETCH(qreal, ratio);
        QFETCH(int, translucentRow);
        QFETCH(qint64, maxPixels);
        QFETCH(QRect, visible);
        const QRect shown = visible.isNull() ? target : target & visible;
        QImage frame = noise(frameSize, format, 9);
        QImage buffer = noise(frameSize, kRgb888, 4), expectedBuffer = buffer.copy();
        const QTransform device(ratio, 0, 0, ratio, 5, 41); // where the widget sits
        const QSize deviceSize = (QSizeF(shown.right() + 7, shown.bottom() + 43) * ratio).toSize();
        UxFrameScaler scaler;
        scaler.setMaxDevicePixels(maxPixels ? maxPixels
                                            : qint64(deviceSize.width()) * deviceSize.height());
        scaler.setVisible(visible.isNull() ? QRect() : shown);
        QImage expected(deviceSize, kRgb32), actual(deviceSize, kRgb32);
        QImage rgb32(frameSize, kRgb32);
        // The first draw sets the device geometry; the last frame may have transparency.
        for (int pass = 0; pass < 3; ++pass) {
            if (pass > 0) { // same image, new contents, never those of an earlier pass
                frame.invertPixels();
                frame.setPixel(pass, 0, qRgb(80 * pass, 0, 0));
            }
            if (pass == 2 && translucentRow >= 0)
                frame.setPixel(7, translucentRow, 0x40ff0000u);
            QPainter(&expectedBuffer).drawImage(0, 0, frame);
            if (format == kRgb888) { // drawn as it comes, the copy following its contents
                buffer = frame;
            } else {
                const int rows = scaler.ingest(frame, buffer, target);
                QCOMPARE(rows,
                         pass < 2 || translucentRow < 0 ? frameSize.height() : translucentRow);
                const QRect rest(0, rows, frame.width(), frame.height() - rows);
                if (!rest.isEmpty())
                    QPainter(&buffer).drawImage(rest, frame, rest);
            }
            for (QImage *image : {&expected, &actual}) {
                image->fill(Qt::green);
                QPainter painter(image);
                painter.setTransform(device);
                painter.setClipRect(shown);
                if (image == &expected)
                    painter.drawImage(target, expectedBuffer);
                else if (!scaler.draw(painter, buffer, target))
                    QCOMPARE(maxPixels, qint64(1280 * 720 - 1)); // the caller's QPainter draws
            }
            if (maxPixels != qint64(1280 * 720 - 1))
                QCOMPARE(actual, expected);
        }
        // Drawing other images, refused (32-bit) or not, leaves the buffer's rows alone.
        QImage other = noise(frameSize, kRgb888, 2);
        QPainter painter(&actual);
        painter.setTransform(device);
        QVERIFY(!scaler.draw(painter, rgb32, target));
        scaler.draw(painter, other, target);
        scaler.complete(buffer); // what anything else reading the buffer sees
        QCOMPARE(buffer, expectedBuffer);
    }

    // Plain painters it must draw with (see above); the others it leaves alone.
    void declinesPaintersItCannotMatch_data()
    {
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<PainterSetup>("setup");
        const QSize s(16, 9);
        QTest::newRow("smooth") << s << +[](P &p) { p.setRenderHint(P::SmoothPixmapTransform); };
        QTest::newRow("rotated") << s << +[](P &p) { p.rotate(10); };
        QTest::newRow("mirrored") << s << +[](P &p) { p.scale(-1, 1); };
        QTest::newRow("opacity") << s << +[](P &p) { p.setOpacity(0.5); };
        QTest::newRow("plus") << s << +[](P &p) { p.setCompositionMode(P::CompositionMode_Plus); };
        // Where QPainter samples in floating point: strong scales, far targets, huge frames.
        QTest::newRow("reduced 200 times") << QSize(6400, 9) << +[](P &) {};
        QTest::newRow("far from the origin") << s << +[](P &p) { p.translate(20000, 0); };
        QTest::newRow("32768 wide") << QSize(32768, 8) << +[](P &p) { p.scale(40, 40); };
        QTest::newRow("32800 high") << QSize(8, 32800) << +[](P &p) { p.scale(40, 40); };
#ifndef __SANITIZE_ADDRESS__
        QTest::newRow("no memory for the copy") << QSize(160, 90) << +[](P &p) {
            p.scale(1000, 1000);
            leaveLittleMemory();
        };
#endif
    }

    void declinesPaintersItCannotMatch()
    {
        QFETCH(QSize, frameSize);
        QFETCH(PainterSetup, setup);
        QImage frame(frameSize, kRgb888), target(QSize(64, 36), kRgb32);
        frame.fill(Qt::red);
        target.fill(Qt::green);
        QPainter painter(&target);
        rlimit memory;
        getrlimit(RLIMIT_AS, &memory);
        setup(painter);
        const bool drawn = UxFrameScaler().draw(painter, frame, QRect(0, 0, 32, 18));
        setrlimit(RLIMIT_AS, &memory);
        QVERIFY(!drawn);
        painter.end();
        QCOMPARE(target.pixelColor(10, 10), QColor(Qt::green));
    }
};

QTEST_MAIN(TestFramePath)
#include "tst_uxframepath.moc"
