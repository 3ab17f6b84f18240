// The gallery's player on real files: a clip of a known pattern written with libavcodec
// (FFV1 in Matroska: intra-only and lossless, so seeks are exact) is opened,
// played, sought and cut by the out point; damaged files are refused with a message.
#include "ClipWriter.h"
#include "ExportCommand.h"
#include "GalleryClip.h"

#include <UxVideoViewer.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr int kFrames = 12;
constexpr int kRate = 10;
const QSize kSize(64, 48);

QRgb patternPixel(int frame, int x, int y)
{
    return qRgb(frame * 20, x * 4, y * 5);
}

QImage pattern(int frame)
{
    QImage image(kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize.height(); ++y)
        for (int x = 0; x < kSize.width(); ++x)
            image.setPixel(x, y, patternPixel(frame, x, y));
    return image;
}

// The largest difference of one colour component between the image and the pattern.
int patternError(const QImage &image, int frame)
{
    if (image.size() != kSize)
        return 256;
    int worst = 0;
    for (int y = 0; y < kSize.height(); ++y) {
        for (int x = 0; x < kSize.width(); ++x) {
            const QRgb got = image.pixel(x, y), want = patternPixel(frame, x, y);
            worst = std::max({worst, qAbs(qRed(got) - qRed(want)), qAbs(qGreen(got) - qGreen(want)),
                              qAbs(qBlue(got) - qBlue(want))});
        }
    }
    return worst;
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void opensAndShowsFrames();
    void seeksToTheExactFrame_data();
    void seeksToTheExactFrame();
    void outPointStopsPlayback();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void exportCommandQuotes_data();
    void exportCommandQuotes();

private:
    // Opens the test clip in a fresh player; false if it did not open in time.
    bool openClip(GalleryClip &clip);

    QTemporaryDir m_dir;
    QString m_clipPath;
};

void TestPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_clipPath = m_dir.filePath(QStringLiteral("pattern.mkv"));
    av_log_set_level(AV_LOG_QUIET); // the damaged files below make FFmpeg talk
    QCOMPARE(writeVideoFile(m_clipPath, kSize, kFrames, kRate, pattern), QString());
}

bool TestPlayer::openClip(GalleryClip &clip)
{
    QSignalSpy changed(&clip, &GalleryClip::clipChanged);
    clip.open(m_clipPath);
    return changed.wait(5000);
}

void TestPlayer::opensAndShowsFrames()
{
    GalleryClip clip;
    UxVideoViewer viewer;
    viewer.resize(kSize);
    viewer.setMarginColor(Qt::red);
    connect(&clip, &GalleryClip::frameReady, &viewer, &UxVideoViewer::onUpdateVideo);
    QSignalSpy frames(&clip, &GalleryClip::frameReady);
    QVERIFY(openClip(clip));
    QCOMPARE(clip.frameSize(), kSize);
    QCOMPARE(clip.displaySize(), kSize);
    QCOMPARE(clip.frameCount(), kFrames);
    QCOMPARE(clip.framesPerSecond(), double(kRate));
    QCOMPARE(clip.name(), QStringLiteral("pattern.mkv"));
    QVERIFY(frames.count() > 0 || frames.wait(5000));
    QCOMPARE(clip.position(), 0);
    QVERIFY(patternError(clip.currentFrame(), 0) <= 2);

    // The viewer, fed as the pages feed it, shows the frame pixel for pixel.
    viewer.setInputVideo(clip.displaySize(), false, false, false);
    viewer.onUpdateVideo(clip.currentFrame());
    viewer.show();
    QVERIFY(patternError(viewer.grab().toImage().convertToFormat(QImage::Format_RGB32), 0) <= 2);
}

void TestPlayer::seeksToTheExactFrame_data()
{
    QTest::addColumn<QList<int>>("targets");
    QTest::newRow("forward") << QList<int>{5};
    QTest::newRow("last") << QList<int>{kFrames - 1};
    QTest::newRow("back after forward") << QList<int>{9, 3};
    QTest::newRow("beyond the end") << QList<int>{kFrames + 40};
    QTest::newRow("burst, last wins") << QList<int>{2, 7, 4, 8};
}

void TestPlayer::seeksToTheExactFrame()
{
    QFETCH(QList<int>, targets);
    GalleryClip clip;
    QVERIFY(openClip(clip));
    for (int target : targets)
        clip.seek(target);
    const int expected = qMin(targets.last(), kFrames - 1);
    QTRY_COMPARE_WITH_TIMEOUT(clip.position(), expected, 5000);
    QTest::qWait(50); // nothing stale may follow
    QCOMPARE(clip.position(), expected);
    QVERIFY(patternError(clip.currentFrame(), expected) <= 2);
}

void TestPlayer::outPointStopsPlayback()
{
    GalleryClip clip;
    QVERIFY(openClip(clip));
    clip.setPlayRange(2, 6);
    QSignalSpy playing(&clip, &GalleryClip::playingChanged);
    QSignalSpy positions(&clip, &GalleryClip::positionChanged);
    clip.play(); // from before the in point: starts at the in point
    QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 5000);
    QCOMPARE(playing.first().first().toBool(), true);
    QCOMPARE(clip.position(), 6);
    QVERIFY(patternError(clip.currentFrame(), 6) <= 2);
    for (const QList<QVariant> &position : positions)
        QVERIFY(position.first().toInt() >= 2 && position.first().toInt() <= 6);
    QCOMPARE(positions.count() + clip.droppedFrames(), 5); // 2..6, each shown or dropped
}

void TestPlayer::refusesDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QFile good(m_clipPath);
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray clip = good.readAll();
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("noise") << QByteArray(4096, '\x5a');
    QTest::newRow("header cut short") << clip.left(64);
    QByteArray scrambled = clip;
    for (int i = clip.size() / 3; i < scrambled.size(); i += 7)
        scrambled[i] = char(scrambled[i] ^ 0xa5);
    QTest::newRow("pictures scrambled") << scrambled;
}

void TestPlayer::refusesDamagedFiles()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".mkv");
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    GalleryClip clip;
    const QString before = clip.name();
    QSignalSpy failed(&clip, &GalleryClip::openFailed);
    QSignalSpy changed(&clip, &GalleryClip::clipChanged);
    clip.open(path);
    QTRY_COMPARE_WITH_TIMEOUT(failed.count() + changed.count(), 1, 5000);
    if (changed.count() == 1) { // a scrambled file may still open; it must play unharmed
        clip.play();
        QTRY_VERIFY_WITH_TIMEOUT(!clip.isPlaying(), 5000);
        return;
    }
    QVERIFY(failed.first().first().toString().contains(path));
    QCOMPARE(clip.name(), before); // the clip on show stays
    QCOMPARE(changed.count(), 0);
}

void TestPlayer::exportCommandQuotes_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/v/a.mkv"
                           << "ffmpeg -ss 0.200 -to 0.700 -i '/v/a.mkv' -vf crop=32:16:8:4 -c:a "
                              "copy '/v/a-clip.mkv'";
    QTest::newRow("quote and space") << "/v/it's one"
                                     << "ffmpeg -ss 0.200 -to 0.700 -i '/v/it'\\''s one' -vf "
                                        "crop=32:16:8:4 -c:a copy '/v/it'\\''s one-clip'";
    QTest::newRow("no file") << ""
                             << "ffmpeg -ss 0.200 -to 0.700 -i INPUT -vf crop=32:16:8:4 -c:a copy "
                                "OUTPUT";
}

void TestPlayer::exportCommandQuotes()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(exportCommand(input, kRate, 2, 6, QRect(8, 4, 32, 16)), expected);
}

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
