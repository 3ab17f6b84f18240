#include "GalleryClip.h"

#include "SyntheticClip.h"
#include "ThumbnailSource.h"
#ifdef COMMONCTRLS_GALLERY_FFMPEG
#include "VideoFileSource.h"
#endif

#include <UxVideoViewer.h>

#include <cmath>

#include <climits>

GalleryClip::GalleryClip(QObject *parent)
    : QObject(parent)
    , m_thumbnails(new ThumbnailSource(this))
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

QSize GalleryClip::sampleAspect() const
{
    return m_source->sampleAspect();
}

int GalleryClip::rotation() const
{
    return m_source->rotation();
}

QSize GalleryClip::displaySize() const
{
    const QSize stored = frameSize(), shape = sampleAspect();
    const qint64 width = shape.height() > 0
                             ? qRound64(double(stored.width()) * shape.width() / shape.height())
                             : stored.width();
    const QSize stretched(int(qBound(qint64(1), width, qint64(INT_MAX))), stored.height());
    return rotation() % 180 ? stretched.transposed() : stretched;
}

double GalleryClip::framesPerSecond() const
{
    return m_source->framesPerSecond();
}

qint64 GalleryClip::msecsOfFrame(int frame) const
{
    return qRound64(frame * 1000.0 / qMax(1.0, framesPerSecond()));
}

int GalleryClip::frameAt(qint64 msecs) const
{
    return int(qBound(0.0, std::round(msecs * qMax(1.0, framesPerSecond()) / 1000.0), 2e9));
}

int GalleryClip::frameCount() const
{
    return m_source->frameCount();
}

QList<int> GalleryClip::chapters() const
{
    return m_source->chapters();
}

QStringList GalleryClip::chapterTitles() const
{
    return m_source->chapterTitles();
}

void GalleryClip::setLayout(Layout layout)
{
    m_source->setLayout(layout);
}

void GalleryClip::attach(UxVideoViewer *viewer)
{
    connect(this, &GalleryClip::frameReady, viewer, &UxVideoViewer::onUpdateVideo);
    connect(this, &GalleryClip::videoFrameReady, viewer, &UxVideoViewer::onUpdateVideoFrame);
}

void GalleryClip::showCurrentFrame(UxVideoViewer *viewer) const
{
    if (m_video.isValid())
        viewer->onUpdateVideoFrame(m_video);
    else
        viewer->onUpdateVideo(m_image);
}

QImage GalleryClip::currentImage() const
{
    return m_video.isValid() ? m_video.toImage() : m_image;
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
    connect(m_source.get(), &ClipSource::frameShown, this, &GalleryClip::showFrame);
    connect(m_source.get(), &ClipSource::videoFrameShown, this, &GalleryClip::showVideoFrame);
    connect(m_source.get(), &ClipSource::stopped, this, &GalleryClip::onStopped);
    connect(m_source.get(), &ClipSource::droppedFramesChanged, this, &GalleryClip::onDropped);
    connect(m_source.get(), &ClipSource::failed, this, &GalleryClip::playbackFailed);
    m_inPoint = 0;
    m_outPoint = qMax(0, frameCount() - 1);
    m_position = 0;
    m_requested = -1;
    m_atEnd = false;
    m_shown = 0;
    onDropped(0);
    Q_EMIT clipChanged();
    Q_EMIT chaptersChanged(chapters(), chapterTitles());
    m_source->seek(0); // its first frame, whatever this object showed before
    if (wasPlaying)
        play();
}

void GalleryClip::play()
{
    if (m_playing)
        return;
    if (m_position < m_inPoint || m_position >= m_outPoint || m_atEnd)
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
    // A seek on its way counts as the position: seek(5) then seek(0) ends on frame 0.
    if (target == (m_requested >= 0 ? m_requested : m_position) && !m_atEnd)
        return;
    m_requested = target;
    m_atEnd = false;
    m_source->seek(target);
}

int GalleryClip::framesForStepKey(int key, Qt::KeyboardModifiers modifiers, double framesPerSecond)
{
    const int direction = key == Qt::Key_Comma || key == Qt::Key_Less       ? -1
                          : key == Qt::Key_Period || key == Qt::Key_Greater ? 1
                                                                            : 0;
    if (direction == 0 || (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)))
        return 0;
    const bool bySecond =
        modifiers & Qt::ShiftModifier || key == Qt::Key_Less || key == Qt::Key_Greater;
    const double second =
        std::isfinite(framesPerSecond) ? qBound(1.0, framesPerSecond, 1000.0) : 1.0;
    return direction * (bySecond ? qRound(second) : 1);
}

void GalleryClip::step(int frames)
{
    if (!m_playing)
        seek((m_requested >= 0 ? m_requested : m_position) + frames);
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

void GalleryClip::setLooping(bool looping)
{
    if (m_looping == looping)
        return;
    m_looping = looping;
    Q_EMIT loopingChanged(looping);
}

void GalleryClip::showFrame(const QImage &frame, int index)
{
    m_image = frame;
    m_video = UxVideoFrame();
    Q_EMIT frameReady(frame);
    countShown(index);
}

void GalleryClip::showVideoFrame(const UxVideoFrame &frame, int index)
{
    m_video = frame;
    m_image = QImage();
    Q_EMIT videoFrameReady(frame);
    countShown(index);
}

// A frame went to the viewers: it is the position now.
void GalleryClip::countShown(int index)
{
    ++m_shown;
    m_requested = -1;
    if (index != m_position) {
        m_position = index;
        Q_EMIT positionChanged(index);
    }
}

void GalleryClip::onStopped(bool atEnd)
{
    // Looping, the out point leads back to the in point and playback goes on from there.
    if (atEnd && m_looping && m_playing && m_outPoint > m_inPoint) {
        seek(m_inPoint);
        m_source->play(m_inPoint, m_outPoint);
        return;
    }
    m_atEnd = atEnd;
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
