#ifndef VIDEOFILEDECODER_H
#define VIDEOFILEDECODER_H

#include <QElapsedTimer>
#include <QImage>
#include <QObject>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
class QTimer;

// What the decoder found in a file.
struct VideoStreamInfo
{
    QSize frameSize;
    QSize displaySize; // stretched by the sample aspect ratio
    double framesPerSecond = 0;
    int frameCount = 0;
};
Q_DECLARE_METATYPE(VideoStreamInfo)

// Decodes the first video stream of a file with FFmpeg on the thread it lives on and
// emits each picture as a Format_RGB32 image with its frame index. While playing it
// paces the pictures by their timestamps against a monotonic clock and drops those
// that are more than one frame interval late. Seeking goes to the key frame at or
// before the target and decodes forward to the exact frame. Every command carries a
// generation number that the pictures it causes carry back, so that the receiver can
// ignore pictures of commands it has since overridden.
class VideoFileDecoder : public QObject
{
    Q_OBJECT

public:
    VideoFileDecoder();
    ~VideoFileDecoder() override;

public Q_SLOTS:
    void open(const QString &path);
    void play(int outPoint, quint64 generation);
    void pause(quint64 generation);
    void seek(int frame, quint64 generation);

Q_SIGNALS:
    void opened(const VideoStreamInfo &info);
    void failed(const QString &reason);
    void frameDecoded(const QImage &frame, int index, quint64 generation);
    void stopped(quint64 generation);
    void droppedFramesChanged(int total);

private Q_SLOTS:
    void showPending();

private:
    QString openStream(const QString &path);
    bool decodeNext();
    int indexOfDecoded() const;
    qint64 timeOfDecoded() const; // milliseconds from the stream's start
    QImage convertDecoded();
    void emitDecoded(const QImage &frame);
    void scheduleNext();
    void stop();
    void close();

    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_codec = nullptr;
    SwsContext *m_scaler = nullptr;
    AVFrame *m_decoded = nullptr;
    AVPacket *m_packet = nullptr;
    int m_stream = -1;
    qint64 m_startTimestamp = 0;
    double m_timeBase = 0; // seconds per timestamp unit
    VideoStreamInfo m_info;
    bool m_draining = false;

    QTimer *m_timer;
    QElapsedTimer m_clock;
    qint64 m_originTime = 0; // the stream time that the clock's zero stands for
    bool m_playing = false;
    int m_outPoint = 0;
    int m_index = -1;       // the frame decoded last
    qint64 m_shownTime = 0; // stream time of the picture on show, in milliseconds
    QImage m_pending;       // decoded, waiting for its time
    qint64 m_pendingTime = 0;
    int m_dropped = 0;
    quint64 m_generation = 0;
};

#endif // VIDEOFILEDECODER_H
