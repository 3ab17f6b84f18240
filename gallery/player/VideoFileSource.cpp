#include "VideoFileSource.h"

#include <QFileInfo>

VideoFileSource::VideoFileSource(const QString &path, QObject *parent)
    : ClipSource(parent)
    , m_decoder(new VideoFileDecoder)
    , m_name(QFileInfo(path).fileName())
{
    qRegisterMetaType<VideoStreamInfo>();
    qRegisterMetaType<UxVideoFrame>();
    m_thread.setObjectName(QStringLiteral("decoder"));
    m_decoder->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_decoder, &QObject::deleteLater);
    connect(m_decoder, &VideoFileDecoder::opened, this, &VideoFileSource::onOpened);
    connect(m_decoder, &VideoFileDecoder::failed, this, &VideoFileSource::failed);
    connect(m_decoder, &VideoFileDecoder::frameDecoded, this, &VideoFileSource::onFrame);
    connect(m_decoder, &VideoFileDecoder::stopped, this, &VideoFileSource::onStopped);
    connect(m_decoder, &VideoFileDecoder::droppedFramesChanged, this,
            &VideoFileSource::droppedFramesChanged);
    m_thread.start();
    QMetaObject::invokeMethod(m_decoder, "open", Qt::QueuedConnection, Q_ARG(QString, path));
}

VideoFileSource::~VideoFileSource()
{
    m_thread.quit();
    m_thread.wait();
}

void VideoFileSource::play(int, int outPoint)
{
    QMetaObject::invokeMethod(m_decoder, "play", Qt::QueuedConnection, Q_ARG(int, outPoint),
                              Q_ARG(quint64, ++m_generation));
}

void VideoFileSource::pause()
{
    QMetaObject::invokeMethod(m_decoder, "pause", Qt::QueuedConnection,
                              Q_ARG(quint64, ++m_generation));
}

void VideoFileSource::seek(int frame)
{
    QMetaObject::invokeMethod(m_decoder, "seek", Qt::QueuedConnection, Q_ARG(int, frame),
                              Q_ARG(quint64, ++m_generation));
    m_seekGeneration = m_generation;
}

void VideoFileSource::onOpened(const VideoStreamInfo &info)
{
    m_info = info;
    Q_EMIT opened();
}

void VideoFileSource::onFrame(const UxVideoFrame &frame, int index, quint64 generation)
{
    if (generation >= m_seekGeneration) // pictures from before the last seek are stale
        Q_EMIT videoFrameShown(frame, index);
    m_decoder->pictureConsumed();
}

void VideoFileSource::onStopped(bool atEnd, quint64 generation)
{
    if (generation == m_generation) // a later command may have started it again
        Q_EMIT stopped(atEnd);
}
