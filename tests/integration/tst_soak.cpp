// Long runs that must not leak: a viewer fed frames of changing sizes, still pictures
// and null frames, and every widget of the library created, skinned, shown, painted and
// destroyed over and over. Resident memory after a warm-up may grow only by a bound that
// leaves room for the allocator; under LeakSanitizer nothing of ours may be left.

#include "support/WidgetZoo.h"

#include <QFile>
#include <QtTest>

#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

#ifdef COMMONCTRLS_SOAK_REDUCED
// AddressSanitizer keeps freed blocks in quarantine, so resident memory says nothing
// there; the sanitized run is the LeakSanitizer check and feeds fewer frames and widgets.
const int kFrames = 5000;
const int kLifecycles = 200;
const bool kBoundResident = false;
#else
const int kFrames = 20000;
const int kLifecycles = 1000;
const bool kBoundResident = true;
#endif
const int kFrameWarmUp = 2000; // two rounds through every frame size and format
const int kLifecycleWarmUp = 50;
const qint64 kFrameGrowthKiB = 2048;
const qint64 kLifecycleGrowthKiB = 4096;

// What the process holds, after the allocator has given back what it keeps free: Qt 6
// converts and scales large images on pool threads, whose malloc arenas may otherwise
// keep freed blocks, more or fewer by how the threads were scheduled.
qint64 residentKiB()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Reports how much resident memory grew since `warm`, measured after the warm-up, and
// bounds the growth where resident memory says something.
void checkGrowth(const char *run, qint64 warm, qint64 boundKiB)
{
    settle();
    const qint64 end = residentKiB();
    qInfo("%s: resident %lld KiB after the warm-up, %lld KiB at the end, growth %lld KiB "
          "(%s %lld KiB)",
          run, warm, end, end - warm, kBoundResident ? "bound" : "unchecked", boundKiB);
    QVERIFY(warm > 0);
    if (kBoundResident)
        QVERIFY2(end - warm <= boundKiB, run);
}

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewerFrames()
    {
        const QSize sizes[] = {{320, 180}, {1920, 1080}, {64, 64},    {1, 1},
                               {720, 576}, {33, 17},     {1280, 720}, {640, 360}};
        const QImage::Format formats[] = {
            QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
            QImage::Format_ARGB32_Premultiplied, QImage::Format_Grayscale8};
        UxVideoViewer viewer;
        viewer.resize(480, 270);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));

        QImage frame;
        qint64 warm = 0;
        for (int i = 0; i < kFrames; ++i) {
            if (i % 100 == 0) {
                const int change = i / 100;
                frame = QImage(sizes[change % 8], formats[change % 5]);
                frame.fill(QColor::fromHsv(change * 37 % 360, 200, 200, 160));
                viewer.setInputVideo(frame.size(), change % 3 == 1, change % 6 == 1, false);
                // A still picture and a null frame between the sizes.
                QImage still(sizes[(change + 3) % 8], QImage::Format_ARGB32);
                still.fill(Qt::darkCyan);
                viewer.setShowStaticPicture(true, still);
                viewer.repaint();
                viewer.setShowStaticPicture(false, QImage());
                viewer.onUpdateVideo(QImage());
            }
            frame.setPixel(i % frame.width(), 0, qRgba(i, i >> 8, 0, 255));
            viewer.onUpdateVideo(frame);
            if (i % 10 == 0)
                viewer.repaint();
            if (i % 500 == 0)
                QCoreApplication::processEvents();
            if (i == kFrameWarmUp)
                warm = residentKiB();
        }
        checkGrowth("viewer frames", warm, kFrameGrowthKiB);
    }

    void widgetLifecycles()
    {
        const WidgetZoo zoo;
        qint64 warm = 0;
        for (int i = 0; i < kLifecycles; ++i) {
            {
                QWidget window;
                const QList<QWidget *> all = zoo.populate(&window);
                window.resize(420, 1400);
                window.show();
                window.grab();
                for (QWidget *widget : all) {
                    if (widget->isWindow()) {
                        widget->show();
                        widget->grab();
                    }
                    widget->setEnabled(false);
                }
                window.grab();
            }
            settle();
            if (i == kLifecycleWarmUp)
                warm = residentKiB();
        }
        checkGrowth("widget lifecycles", warm, kLifecycleGrowthKiB);
    }
};

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
