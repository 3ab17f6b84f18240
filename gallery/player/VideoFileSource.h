#ifndef VIDEOFILESOURCE_H
#define VIDEOFILESOURCE_H

#include "ClipSource.h"
#include "VideoFileDecoder.h"

#include <QThread>

// A video file as a clip source: a VideoFileDecoder on a thread of its own, driven by
// queued calls. Pictures reach this object through queued signals; those of commands
// that a later command has overridden (a seek during playback) are dropped here. Each
// picture, passed on or dropped, is given back to the decoder's count of pictures in
// flight.
class VideoFileSource : public ClipSource
{
    Q_OBJECT

public:
    explicit VideoFileSource(const QString &path, QObject *parent = nullptr);
    ~VideoFileSource() override;

    QString name() const override { return m_name; }
    QSize frameSize() const override { return m_info.frameSize; }
    QSize sampleAspect() const override { return m_info.sampleAspect; }
    int rotation() const override { return m_info.rotation; }
    double framesPerSecond() const override { return m_info.framesPerSecond; }
    int frameCount() const override { return m_info.frameCount; }
    QList<int> chapters() const override { return m_info.chapters; }
    QStringList chapterTitles() const override { return m_info.chapterTitles; }
    void play(int inPoint, int outPoint) override;
    void pause() override;
    void seek(int frame) override;

Q_SIGNALS:
    void opened();

private Q_SLOTS:
    void onOpened(const VideoStreamInfo &info);
    void onFrame(const UxVideoFrame &frame, int index, quint64 generation);
    void onStopped(bool atEnd, quint64 generation);

private:
    QThread m_thread;
    VideoFileDecoder *m_decoder;
    VideoStreamInfo m_info;
    QString m_name;
    quint64 m_generation = 0; // of the last command sent
    quint64 m_seekGeneration = 0;
};

#endif // VIDEOFILESOURCE_H
