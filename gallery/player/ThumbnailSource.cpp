#include "ThumbnailSource.h"

#include "GalleryClip.h"
#include "SyntheticClip.h"
#ifdef COMMONCTRLS_GALLERY_FFMPEG
#include "ThumbnailDecoder.h"
#endif

#include <QPainter>

namespace {

// The test pattern's frames, painted small; as cheap as a cache would be.
class PatternThumbnails : public ThumbnailMaker
{
public:
    using ThumbnailMaker::ThumbnailMaker;

protected:
    QImage make(int frame, const QSize &size) override
    {
        QImage picture(size, QImage::Format_RGB32);
        QPainter painter(&picture);
        SyntheticClip::paint(painter, size, frame);
        countDecode();
        return picture;
    }
};

} // namespace

ThumbnailMaker::ThumbnailMaker(const QSize &displaySize)
    : m_displaySize(displaySize.expandedTo(QSize(1, 1)))
{
}

void ThumbnailMaker::want(int frame, qreal devicePixelRatio, quint64 serial)
{
    const QMutexLocker lock(&m_lock);
    m_wanted = {frame, devicePixelRatio, serial};
    if (!m_woken)
        QMetaObject::invokeMethod(this, "serve", Qt::QueuedConnection);
    m_woken = true;
}

// Makes the newest picture wanted, at the display aspect, its longer side kLogicalSide
// logical pixels.
void ThumbnailMaker::serve()
{
    Request request;
    {
        const QMutexLocker lock(&m_lock);
        request = m_wanted;
        m_wanted.frame = -1;
        m_woken = false;
    }
    if (request.frame < 0)
        return;
    const int side = qRound(kLogicalSide * request.devicePixelRatio);
    const QSize shape = m_displaySize.scaled(side, side, Qt::KeepAspectRatio);
    QImage picture = make(request.frame, shape.expandedTo(QSize(1, 1)));
    picture.setDevicePixelRatio(request.devicePixelRatio);
    Q_EMIT made(picture, request.frame, request.serial);
}

ThumbnailSource::ThumbnailSource(GalleryClip *clip)
    : QObject(clip)
    , m_clip(clip)
    , m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("thumbnails"));
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start(QThread::LowestPriority);
    connect(clip, &GalleryClip::clipChanged, this, &ThumbnailSource::dropClip);
}

ThumbnailSource::~ThumbnailSource()
{
    m_thread.quit(); // the makers go with the thread
    m_thread.wait();
}

void ThumbnailSource::request(int frame, qreal devicePixelRatio)
{
    if (!m_maker) {
#ifdef COMMONCTRLS_GALLERY_FFMPEG
        if (!m_clip->filePath().isEmpty())
            m_maker = new ThumbnailDecoder(m_clip->filePath(), m_clip->displaySize(),
                                           m_clip->rotation(), m_clip->framesPerSecond());
#endif
        if (!m_maker)
            m_maker = new PatternThumbnails(m_clip->displaySize());
        m_maker->moveToThread(&m_thread);
        connect(&m_thread, &QThread::finished, m_maker, &QObject::deleteLater);
        connect(m_maker, &ThumbnailMaker::made, this, &ThumbnailSource::answer);
    }
    m_maker->want(frame, devicePixelRatio, ++m_serial);
}

void ThumbnailSource::finishWork()
{
    QMetaObject::invokeMethod(
        m_context, [] {}, Qt::BlockingQueuedConnection);
}

// Another clip is on show: what was asked of the last one is not answered.
void ThumbnailSource::dropClip()
{
    ++m_serial;
    if (m_maker)
        m_maker->deleteLater(); // on its thread, once the picture it may be making is done
    m_maker = nullptr;
}

void ThumbnailSource::answer(const QImage &picture, int frame, quint64 serial)
{
    if (serial == m_serial)
        Q_EMIT thumbnailReady(picture, frame);
}

// The time as the time editors show it, to the second and without leading zeros.
QString ThumbnailSource::caption(int frame, const UxPlaySeekingBar *chapters) const
{
    const qint64 s = m_clip->msecsOfFrame(frame) / 1000;
    const QLatin1Char zero('0');
    const QString time = s >= 3600 ? QStringLiteral("%1:%2:%3")
                                         .arg(s / 3600)
                                         .arg(s / 60 % 60, 2, 10, zero)
                                         .arg(s % 60, 2, 10, zero)
                                   : QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, zero);
    const QString title = chapters ? chapters->chapterTitleAt(frame) : QString();
    return title.isEmpty() ? time : time + QStringLiteral(" · ") + title;
}
