#include "GalleryClip.h"

#include "SyntheticClip.h"
#ifdef COMMONCTRLS_GALLERY_FFMPEG
#include "VideoFileSource.h"
#endif

GalleryClip::GalleryClip(QObject *parent)
    : QObject(parent)
{
    adopt(std::make_unique<SyntheticClip>());
}

GalleryClip::~GalleryClip() = default;

bool GalleryClip::canOpenFiles()
{
#ifdef COMMONCTRLS_GALLERY_FFMPEG
    return true;
#else
    return false;
#endif
}

QString GalleryClip::name() const
{
    return m_source->name();
}

QSize GalleryClip::frameSize() const
{
    return m_source->frameSize();
}

QSize GalleryClip::displaySize() const
{
    return m_source->displaySize();
}

double GalleryClip::framesPerSecond() const
{
    return m_source->framesPerSecond();
}

int GalleryClip::frameCount() const
{
    return m_source->frameCount();
}

void GalleryClip::setLayout(Layout layout)
{
    m_source->setLayout(layout);
}

void GalleryClip::open(const QString &path)
{
#ifdef COMMONCTRLS_GALLERY_FFMPEG
    // The clip on show keeps playing until the new one has shown its first frame.
    m_pending = std::make_unique<VideoFileSource>(path);
    m_pendingPath = path;
    connect(m_pending.get(), SIGNAL(opened()), this, SLOT(adoptPending()));
    connect(m_pending.get(), SIGNAL(failed(QString)), this, SLOT(rejectPending(QString)));
#else
    Q_EMIT openFailed(tr("This gallery was built without FFmpeg, so it cannot open %1.").arg(path));
#endif
}

void GalleryClip::adoptPending()
{
    if (!m_pending || sender() != m_pending.get())
        return;
    m_path = m_pendingPath;
    adopt(std::move(m_pending));
}

void GalleryClip::rejectPending(const QString &reason)
{
    if (!m_pending || sender() != m_pending.get())
        return;
    m_pending.release()->deleteLater(); // it is inside one of its own signals
    Q_EMIT openFailed(reason);
}

void GalleryClip::adopt(std::unique_ptr<ClipSource> source)
{
    const bool wasPlaying = m_playing;
    if (m_source) {
        setPlaying(false);
        m_source->pause();
        m_source->disconnect(this); // frames it still has on the way are not shown
        m_source.release()->deleteLater();
    }
    m_source = std::move(source);
    m_source->setParent(this);
    connect(m_source.get(), SIGNAL(frameShown(QImage, int)), this, SLOT(showFrame(QImage, int)));
    connect(m_source.get(), SIGNAL(stopped()), this, SLOT(onStopped()));
    connect(m_source.get(), SIGNAL(droppedFramesChanged(int)), this, SLOT(onDropped(int)));
    m_inPoint = 0;
    m_outPoint = qMax(0, frameCount() - 1);
    m_position = 0;
    onDropped(0);
    Q_EMIT clipChanged();
    m_source->seek(0); // its first frame, whatever this object showed before
    if (wasPlaying)
        play();
}

void GalleryClip::play()
{
    if (m_playing)
        return;
    if (m_position < m_inPoint || m_position >= m_outPoint)
        seek(m_inPoint); // playing again from the in point
    setPlaying(true);
    m_source->play(m_inPoint, m_outPoint);
}

void GalleryClip::pause()
{
    if (!m_playing)
        return;
    m_source->pause();
    setPlaying(false);
}

void GalleryClip::togglePlay()
{
    if (m_playing)
        pause();
    else
        play();
}

void GalleryClip::seek(int frame)
{
    const int target = qBound(0, frame, qMax(0, frameCount() - 1));
    if (target != m_position)
        m_source->seek(target);
}

void GalleryClip::setPlayRange(int inPoint, int outPoint)
{
    const int last = qMax(0, frameCount() - 1);
    m_inPoint = qBound(0, inPoint, last);
    m_outPoint = qBound(m_inPoint, outPoint, last);
    Q_EMIT playRangeChanged(m_inPoint, m_outPoint);
    if (m_playing) // the source takes the new points from the frame it shows now
        m_source->play(m_inPoint, m_outPoint);
}

void GalleryClip::showFrame(const QImage &frame, int index)
{
    m_frame = frame;
    Q_EMIT frameReady(frame);
    if (index != m_position) {
        m_position = index;
        Q_EMIT positionChanged(index);
    }
}

void GalleryClip::onStopped()
{
    setPlaying(false);
}

void GalleryClip::onDropped(int total)
{
    m_dropped = total;
    Q_EMIT droppedFramesChanged(total);
}

void GalleryClip::setPlaying(bool playing)
{
    if (m_playing == playing)
        return;
    m_playing = playing;
    Q_EMIT playingChanged(playing);
}
