#include <UxVideoFrame.h>

#include "support/YuvTestPicture.h"

#include <QRandomGenerator>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(UxVideoFrame::PixelFormat)
Q_DECLARE_METATYPE(UxVideoFrame::ColorMatrix)
Q_DECLARE_METATYPE(UxVideoFrame::ColorRange)

namespace {

// Every sample random over the whole code range, so that clamping is met too.
YuvTestPicture randomPicture(UxVideoFrame::PixelFormat format, const QSize &size, int padding,
                             bool bottomUp, quint32 seed)
{
    YuvTestPicture picture(format, size, padding, bottomUp);
    QRandomGenerator random(seed);
    const int range = picture.maxSample() + 1;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setY(x, y, random.bounded(range));
    for (int y = 0; y < picture.chromaSize().height(); ++y) {
        for (int x = 0; x < picture.chromaSize().width(); ++x) {
            picture.setU(x, y, random.bounded(range));
            picture.setV(x, y, random.bounded(range));
        }
    }
    return picture;
}

const uchar kSomePlane[64] = {};

// A frame with planes named (nothing is read from them) and the given strides.
UxVideoFrame frameWith(UxVideoFrame::PixelFormat format, const QSize &size, qsizetype luma,
                       qsizetype chroma, int planes)
{
    UxVideoFrame frame(format, size);
    for (int p = 0; p < planes; ++p)
        frame.setPlane(p, kSomePlane, p == 0 ? luma : chroma);
    return frame;
}

} // namespace

class TestVideoFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Shown one to one, every pixel is within 2 levels of the colour worked out in double
    // precision, whatever the format, matrix, range, size, row padding and row order.
    void conversion_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<UxVideoFrame::ColorMatrix>("matrix");
        QTest::addColumn<UxVideoFrame::ColorRange>("range");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("padding");
        QTest::addColumn<bool>("bottomUp");
        const auto row = [](const char *tag, UxVideoFrame::PixelFormat format,
                            UxVideoFrame::ColorMatrix matrix, UxVideoFrame::ColorRange range,
                            QSize size, int padding, bool bottomUp) {
            QTest::newRow(tag) << format << matrix << range << size << padding << bottomUp;
        };
        using F = UxVideoFrame;
        row("I420 601 limited, odd size, padded", F::Format_YUV420P, F::Matrix_BT601,
            F::Range_Limited, QSize(37, 23), 13, false);
        row("I420 709 full, 1x1", F::Format_YUV420P, F::Matrix_BT709, F::Range_Full, QSize(1, 1), 0,
            false);
        row("I420 709 limited, 3x5 bottom-up", F::Format_YUV420P, F::Matrix_BT709, F::Range_Limited,
            QSize(3, 5), 5, true);
        row("NV12 709 limited, 1921x1081", F::Format_NV12, F::Matrix_BT709, F::Range_Limited,
            QSize(1921, 1081), 63, false);
        row("NV12 601 full, padded", F::Format_NV12, F::Matrix_BT601, F::Range_Full, QSize(48, 27),
            16, false);
        row("P10 709 limited, padded", F::Format_YUV420P10, F::Matrix_BT709, F::Range_Limited,
            QSize(33, 17), 6, false);
        row("P10 601 full, 3x5", F::Format_YUV420P10, F::Matrix_BT601, F::Range_Full, QSize(3, 5),
            0, false);
        row("P010 709 full, bottom-up", F::Format_P010, F::Matrix_BT709, F::Range_Full,
            QSize(37, 23), 2, true);
        row("P010 601 limited, 1x1", F::Format_P010, F::Matrix_BT601, F::Range_Limited, QSize(1, 1),
            0, false);
    }
    void conversion()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(UxVideoFrame::ColorMatrix, matrix);
        QFETCH(UxVideoFrame::ColorRange, range);
        QFETCH(QSize, size);
        QFETCH(int, padding);
        QFETCH(bool, bottomUp);
        const YuvTestPicture picture =
            randomPicture(format, size, padding, bottomUp, qHash(QTest::currentDataTag()));
        UxVideoFrame frame = picture.frame();
        frame.setColorMatrix(matrix);
        frame.setColorRange(range);
        QVERIFY(frame.isValid());
        const QImage image = frame.toImage();
        QCOMPARE(image.size(), size);

        // The samples as written, read back through a one-pixel frame of each.
        const int bits = picture.isTenBit() ? 10 : 8;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QColor expected = yuvReference(sampleY(frame, x, y), sampleU(frame, x, y),
                                                     sampleV(frame, x, y), bits, matrix, range);
                if (colourDistance(image.pixelColor(x, y), expected) > 2)
                    QFAIL(qPrintable(
                        QStringLiteral("more than 2 levels off at (%1, %2)").arg(x).arg(y)));
            }
        }
    }

    // A turned frame shows exactly the upright picture turned by its angle.
    void rotation_data()
    {
        QTest::addColumn<UxVideoFrame::PixelFormat>("format");
        QTest::addColumn<int>("degrees");
        QTest::newRow("I420 90") << UxVideoFrame::Format_YUV420P << 90;
        QTest::newRow("I420 180") << UxVideoFrame::Format_YUV420P << 180;
        QTest::newRow("NV12 270") << UxVideoFrame::Format_NV12 << 270;
        QTest::newRow("P010 90") << UxVideoFrame::Format_P010 << 90;
    }
    void rotation()
    {
        QFETCH(UxVideoFrame::PixelFormat, format);
        QFETCH(int, degrees);
        // Taller than the eight rows a quarter turn gathers at a time, and not a multiple.
        const YuvTestPicture picture = randomPicture(format, QSize(21, 19), 3, false, 7);
        const QImage upright = picture.frame().toImage();
        UxVideoFrame turned = picture.frame();
        turned.setRotation(degrees);
        QCOMPARE(turned.toImage(), upright.transformed(QTransform().rotate(degrees)));
    }

    void validity_data()
    {
        QTest::addColumn<UxVideoFrame>("frame");
        QTest::addColumn<bool>("valid");
        using F = UxVideoFrame;
        const QSize size(40, 30);
        QTest::newRow("no format") << F() << false;
        QTest::newRow("no planes") << F(F::Format_YUV420P, size) << false;
        QTest::newRow("a plane missing") << frameWith(F::Format_YUV420P, size, 40, 20, 2) << false;
        QTest::newRow("rows exactly long enough")
            << frameWith(F::Format_YUV420P, size, 40, 20, 3) << true;
        QTest::newRow("bottom-up rows") << frameWith(F::Format_YUV420P, size, -40, -20, 3) << true;
        QTest::newRow("luma rows a byte short")
            << frameWith(F::Format_YUV420P, size, 39, 20, 3) << false;
        QTest::newRow("16-bit rows of 8-bit length")
            << frameWith(F::Format_P010, size, 40, 40, 2) << false;
        QTest::newRow("16-bit rows") << frameWith(F::Format_P010, size, 80, 80, 2) << true;
        QTest::newRow("no width") << frameWith(F::Format_NV12, QSize(0, 30), 64, 64, 2) << false;
        QTest::newRow("negative height")
            << frameWith(F::Format_NV12, QSize(40, -2), 64, 64, 2) << false;
        QTest::newRow("64 megapixels")
            << frameWith(F::Format_NV12, QSize(16384, 4096), 16384, 16384, 2) << true;
        QTest::newRow("past 64 megapixels")
            << frameWith(F::Format_NV12, QSize(16384, 4097), 16384, 16384, 2) << false;
        QTest::newRow("past 16384 a side")
            << frameWith(F::Format_NV12, QSize(16385, 2), 16386, 16386, 2) << false;
        QTest::newRow("lowest stride")
            << frameWith(F::Format_NV12, size, std::numeric_limits<qsizetype>::min(), 40, 2)
            << false;
    }
    void validity()
    {
        QFETCH(UxVideoFrame, frame);
        QFETCH(bool, valid);
        QCOMPARE(frame.isValid(), valid);
        if (!valid) { // nothing to show, and nothing read
            QVERIFY(frame.toImage().isNull());
            QVERIFY(frame.displaySize().isEmpty());
        }
    }

    // The size to be seen: stretched by the sample aspect, then turned.
    void shape_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("sampleNum");
        QTest::addColumn<int>("sampleDen");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("display");
        QTest::newRow("anamorphic PAL")
            << QSize(720, 576) << 64 << 45 << 0 << 0 << QSize(1024, 576);
        QTest::newRow("no sample shape") << QSize(720, 576) << 0 << 1 << 0 << 0 << QSize(720, 576);
        QTest::newRow("negative term") << QSize(720, 576) << 4 << -3 << 0 << 0 << QSize(720, 576);
        QTest::newRow("phone clip") << QSize(1920, 1080) << 1 << 1 << 90 << 90 << QSize(1080, 1920);
        QTest::newRow("stretched, then turned")
            << QSize(100, 100) << 2 << 1 << -90 << 270 << QSize(100, 200);
        QTest::newRow("upside down, narrowed")
            << QSize(3, 5) << 1 << 3 << 180 << 180 << QSize(1, 5);
        QTest::newRow("nearest quarter turn") << QSize(8, 4) << 1 << 1 << 134 << 90 << QSize(4, 8);
        QTest::newRow("full turns") << QSize(8, 4) << 1 << 1 << 720 << 0 << QSize(8, 4);
    }
    void shape()
    {
        QFETCH(QSize, size);
        QFETCH(int, sampleNum);
        QFETCH(int, sampleDen);
        QFETCH(int, degrees);
        YuvTestPicture picture(UxVideoFrame::Format_YUV420P, size);
        UxVideoFrame frame = picture.frame();
        frame.setSampleAspectRatio(sampleNum, sampleDen);
        frame.setRotation(degrees);
        QTEST(frame.rotation(), "rotation");
        QTEST(frame.displaySize(), "display");
    }

    // A rectangle of the stored picture where the turned picture shows it, and back.
    void turnedRect_data()
    {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<QRect>("turned");
        // (10, 20) 40 x 30 in a 160 x 90 picture.
        QTest::newRow("upright") << 0 << QRect(10, 20, 40, 30);
        QTest::newRow("clockwise: the left column is the top row") << 90 << QRect(40, 10, 30, 40);
        QTest::newRow("upside down") << 180 << QRect(110, 40, 40, 30);
        QTest::newRow("anticlockwise: the top row is the left column")
            << 270 << QRect(20, 110, 30, 40);
        QTest::newRow("a negative angle") << -90 << QRect(20, 110, 30, 40);
    }
    void turnedRect()
    {
        QFETCH(int, degrees);
        QFETCH(QRect, turned);
        const QSize stored(160, 90);
        const QRect rect(10, 20, 40, 30);
        QCOMPARE(UxVideoFrame::turnedRect(rect, stored, degrees), turned);
        const QSize upright = degrees % 180 ? stored.transposed() : stored;
        QCOMPARE(UxVideoFrame::turnedRect(turned, upright, -degrees), rect);
    }

    // Any angle, the extremes included, becomes a quarter turn.
    void extremeAngles()
    {
        for (int degrees :
             {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -45, 45, -1}) {
            UxVideoFrame frame;
            frame.setRotation(degrees);
            QVERIFY2(frame.rotation() % 90 == 0 && frame.rotation() >= 0 && frame.rotation() < 360,
                     qPrintable(QString::number(degrees)));
        }
    }

private:
    // A frame's samples read back through its own description: what a decoder wrote.
    static int sampleAt(const UxVideoFrame &frame, int plane, int row, int sample)
    {
        const uchar *at = frame.plane(plane) + row * frame.bytesPerLine(plane);
        switch (frame.pixelFormat()) {
        case UxVideoFrame::Format_YUV420P10:
            return at[2 * sample] | (at[2 * sample + 1] << 8);
        case UxVideoFrame::Format_P010:
            return (at[2 * sample] | (at[2 * sample + 1] << 8)) >> 6;
        default:
            return at[sample];
        }
    }
    static bool semiPlanar(const UxVideoFrame &frame) { return frame.planeCount() == 2; }
    static int sampleY(const UxVideoFrame &frame, int x, int y) { return sampleAt(frame, 0, y, x); }
    static int sampleU(const UxVideoFrame &frame, int x, int y)
    {
        return sampleAt(frame, 1, y / 2, semiPlanar(frame) ? 2 * (x / 2) : x / 2);
    }
    static int sampleV(const UxVideoFrame &frame, int x, int y)
    {
        return semiPlanar(frame) ? sampleAt(frame, 1, y / 2, 2 * (x / 2) + 1)
                                 : sampleAt(frame, 2, y / 2, x / 2);
    }
};

QTEST_GUILESS_MAIN(TestVideoFrame)
#include "tst_uxvideoframe.moc"
