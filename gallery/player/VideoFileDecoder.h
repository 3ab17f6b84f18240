#ifndef VIDEOFILEDECODER_H
#define VIDEOFILEDECODER_H

#include <UxVideoFrame.h>

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <set>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
class QTimer;

// What the decoder found in a file.
struct VideoStreamInfo
{
    QSize frameSize;                  // as stored
    QSize sampleAspect = QSize(1, 1); // num:den
    int rotation = 0;                 // clockwise, from the stream's display matrix
    double framesPerSecond = 0;
    int frameCount = 0;  // the stream's length in frame intervals
    QList<int> chapters; // where the file's chapters start, in frame intervals
    QStringList chapterTitles;
};
Q_DECLARE_METATYPE(VideoStreamInfo)

// Decodes the first video stream of a file with FFmpeg (and FFmpeg's own threads) on the
// thread it lives on, and emits each picture as a UxVideoFrame that shares the decoder's
// buffers: 4:2:0 pictures of 8 and 10 bits as they are, any other format converted once
// to YUV420P. A frame's index is its time in frame intervals, so variable-rate streams
// keep their timing. While playing it paces the pictures by their timestamps against a
// monotonic clock and drops those that are more than one frame interval late (but
// shows one after kMaxDropRun dropped in a row, rather than freeze); at most
// kMaxInFlight pictures wait for the receiver, which calls pictureConsumed() for each.
// Seeking goes to the key frame at or before the target and decodes forward to the
// picture on show at the target's time. Every picture, and every step of a seek, is one
// turn of the event loop, so commands are taken between pictures. A decoder that falls
// behind skips the pictures no others refer to until it has caught up. Every command carries
// a generation number that the pictures it causes carry back, so that the receiver can
// ignore pictures of commands it has since overridden.
class VideoFileDecoder : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxInFlight = 3;
    // Late pictures are dropped, but one is shown after this many drops in a row.
    static constexpr int kMaxDropRun = 4;

    VideoFileDecoder();
    ~VideoFileDecoder() override;

    // Thread-safe: the receiver has handed a picture on.
    void pictureConsumed() { m_inFlight.fetch_sub(1); }

public Q_SLOTS:
    void open(const QString &path);
    void play(int outPoint, quint64 generation);
    void pause(quint64 generation);
    void seek(int frame, quint64 generation);

Q_SIGNALS:
    void opened(const VideoStreamInfo &info);
    void failed(const QString &reason);
    void frameDecoded(const UxVideoFrame &frame, int index, quint64 generation);
    void stopped(bool atEnd, quint64 generation);
    void droppedFramesChanged(int total);

private Q_SLOTS:
    void step();

private:
    // BadPicture: a packet did not decode and was skipped; Unreadable: the file cannot
    // be read on.
    enum class Decoded { Picture, End, BadPicture, Unreadable };

    QString openStream(const QString &path);
    void readStreamInfo();
    void readChapters();
    Decoded decodeNext();
    Decoded failWith(int code, Decoded kind);
    bool mayBeSkipped(const AVPacket *packet);
    void countSkipped(qint64 timestamp);
    qint64 timeOf(const AVFrame *picture) const; // milliseconds from the stream's start
    int indexOf(qint64 time) const;
    UxVideoFrame wrap(const AVFrame *picture);
    AVFrame *yuvCopyOf(const AVFrame *picture);
    void deliver(AVFrame *picture, int index, qint64 time);
    void seekStep();
    void finishSeek();
    void playStep();
    void drop(int count = 1);
    void startClock();
    void report();
    void stop(bool atEnd);
    void close();

    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_codec = nullptr;
    SwsContext *m_scaler = nullptr;
    AVFrame *m_decoded = nullptr;
    AVFrame *m_ahead = nullptr;     // decoded, not yet shown: the next picture to play
    AVFrame *m_candidate = nullptr; // while seeking: the last picture at or before the target
    AVPacket *m_packet = nullptr;
    int m_stream = -1;
    QString m_path;
    qint64 m_startTimestamp = 0;
    double m_timeBase = 0; // seconds per timestamp unit
    VideoStreamInfo m_info;
    QString m_failure;       // what the last failed decode said
    bool m_reported = false; // m_failure was reported since the last good picture

    QTimer *m_timer;
    QElapsedTimer m_clock;
    qint64 m_originTime = 0; // the stream time that the clock's zero stands for
    bool m_playing = false;
    bool m_seeking = false;
    int m_seekTarget = 0;
    int m_outPoint = 0;
    qint64 m_shownTime = 0;    // stream time on show, in milliseconds
    qint64 m_decodedTime = -1; // of the picture decoded last
    int m_dropped = 0;
    int m_dropRun = 0;            // late pictures dropped in a row
    bool m_catchingUp = false;    // late: the decoder skips what it may
    std::set<qint64> m_skippable; // timestamps of pictures sent to be skipped
    quint64 m_generation = 0;
    std::atomic<int> m_inFlight{0};
};

#endif // VIDEOFILEDECODER_H
