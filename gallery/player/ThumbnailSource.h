#ifndef THUMBNAILSOURCE_H
#define THUMBNAILSOURCE_H

#include <UxPlaySeekingBar.h>

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QThread>

#include <atomic>

class GalleryClip;

// Makes the small pictures of one clip on a worker thread. Requests come from any thread
// and replace each other: only the newest one waiting is served, so a burst of requests
// queues one piece of work at the most.
class ThumbnailMaker : public QObject
{
    Q_OBJECT

public:
    // The width or height, whichever is longer, of a thumbnail in logical pixels.
    static constexpr int kLogicalSide = 160;

    explicit ThumbnailMaker(const QSize &displaySize);

    // Thread-safe: asks for frame at a device-pixel ratio, under a serial number that the
    // answer carries back.
    void want(int frame, qreal devicePixelRatio, quint64 serial);
    // Thread-safe: how many pictures were decoded (or painted) rather than taken from a cache.
    int decodes() const { return m_decodes.load(); }

Q_SIGNALS:
    void made(const QImage &picture, int frame, quint64 serial);

protected:
    // Makes the picture of frame, upright at the display aspect and size (in device pixels).
    virtual QImage make(int frame, const QSize &size) = 0;
    void countDecode() { m_decodes.fetch_add(1); }

private Q_SLOTS:
    void serve();

private:
    struct Request
    {
        int frame = -1;
        qreal devicePixelRatio = 1;
        quint64 serial = 0;
    };

    QSize m_displaySize;
    QMutex m_lock; // guards the two below
    Request m_wanted;
    bool m_woken = false; // a call to serve() is on its way
    std::atomic<int> m_decodes{0};
};

// The thumbnails of the clip on show, for seek bar previews: painted from the test pattern
// or decoded from a file's key frames by a decoder of their own, on a low-priority thread
// that playback never waits for. An answer reaches thumbnailReady() only while it is for the
// newest request of the clip on show; the others are dropped.
class ThumbnailSource : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailSource(GalleryClip *clip);
    ~ThumbnailSource() override;

    // Asks for the thumbnail of frame at a device-pixel ratio; thumbnailReady() follows.
    void request(int frame, qreal devicePixelRatio);
    // Drops the answer on its way, if any.
    void cancel() { ++m_serial; }
    // Pictures decoded for the clip on show; those taken from the cache do not count.
    int decodes() const { return m_maker ? m_maker->decodes() : 0; }
    // Waits until the worker has done all it was asked; the answers are then on their way.
    void finishWork();
    // The preview caption of frame: its time, and the title of the chapter it is in.
    QString caption(int frame, const UxPlaySeekingBar *chapters) const;

    // Switches the bar's preview on and answers it with thumbnails captioned by caption(),
    // the chapter taken from chapters.
    template <class Bar>
    void serve(Bar *bar, const UxPlaySeekingBar *chapters)
    {
        bar->setPreviewEnabled(true);
        connect(bar, &Bar::previewRequested, this, [this, bar](int frame) {
            m_asker = bar;
            request(frame, bar->devicePixelRatioF());
        });
        connect(bar, &Bar::previewEnded, this, [this, bar] {
            if (m_asker == bar)
                cancel();
        });
        connect(this, &ThumbnailSource::thumbnailReady, bar,
                [this, bar, chapters](const QImage &picture, int frame) {
                    if (m_asker == bar)
                        bar->showPreview(QPixmap::fromImage(picture), caption(frame, chapters));
                });
    }

Q_SIGNALS:
    void thumbnailReady(const QImage &picture, int frame);

private Q_SLOTS:
    void dropClip();
    void answer(const QImage &picture, int frame, quint64 serial);

private:
    GalleryClip *m_clip;
    QThread m_thread;
    QObject *m_context;                // lives on the thread, for finishWork()
    ThumbnailMaker *m_maker = nullptr; // for the clip on show, made at its first request
    quint64 m_serial = 0;              // of the newest request, or of the clip change after it
    const QObject *m_asker = nullptr;  // the bar that asked last
};

#endif // THUMBNAILSOURCE_H
