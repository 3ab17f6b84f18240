#ifndef GALLERYCLIP_H
#define GALLERYCLIP_H

#include "ClipSource.h"

#include <memory>

// The video that the gallery's pages play, as a player application holds it: the
// built-in test pattern until a file is opened, then that file, decoded on a worker
// thread. The pages connect to this object once; when another clip is opened it says
// clipChanged and they read the new size and length. Playback stays within the in and
// out points; a file that cannot be opened leaves the current clip playing and says
// why.
class GalleryClip : public QObject
{
    Q_OBJECT

public:
    using Layout = ClipSource::Layout;

    explicit GalleryClip(QObject *parent = nullptr);
    ~GalleryClip() override;

    static bool canOpenFiles(); // whether the gallery was built with a decoder

    QString name() const;
    QString filePath() const { return m_path; } // empty for the test pattern
    QSize frameSize() const;
    QSize displaySize() const;
    double framesPerSecond() const;
    int frameCount() const;
    int position() const { return m_position; }
    bool isPlaying() const { return m_playing; }
    QImage currentFrame() const { return m_frame; }
    int inPoint() const { return m_inPoint; }
    int outPoint() const { return m_outPoint; }
    int droppedFrames() const { return m_dropped; }
    void setLayout(Layout layout);

public Q_SLOTS:
    // Opening is asynchronous: clipChanged or openFailed follows.
    void open(const QString &path);
    void play();
    void pause();
    void togglePlay();
    void seek(int frame);
    void setPlayRange(int inPoint, int outPoint);

Q_SIGNALS:
    void frameReady(const QImage &frame);
    void positionChanged(int frame);
    void playingChanged(bool playing);
    void clipChanged();
    void openFailed(const QString &reason);
    void droppedFramesChanged(int total);
    void playRangeChanged(int inPoint, int outPoint);

private Q_SLOTS:
    void showFrame(const QImage &frame, int index);
    void onStopped();
    void onDropped(int total);
    void adoptPending();
    void rejectPending(const QString &reason);

private:
    void adopt(std::unique_ptr<ClipSource> source);
    void setPlaying(bool playing);

    std::unique_ptr<ClipSource> m_source;
    std::unique_ptr<ClipSource> m_pending; // a file being opened
    QString m_path;
    QString m_pendingPath;
    QImage m_frame;
    int m_position = 0;
    int m_inPoint = 0;
    int m_outPoint = 0;
    int m_dropped = 0;
    bool m_playing = false;
};

#endif // GALLERYCLIP_H
