#ifndef GALLERYCLIP_H
#define GALLERYCLIP_H

#include "ClipSource.h"

#include <memory>

class ThumbnailSource;
class UxVideoViewer;

// The video that the gallery's pages play, as a player application holds it: the
// built-in test pattern until a file is opened, then that file, decoded on a worker
// thread. The pages attach their viewers once: the test pattern's frames reach them as
// QImages, a file's as the YUV pictures the decoder made. When another clip is opened
// it says clipChanged and they read the new size and length. Playback stays within the
// in and out points, stopping at the out point or, looping, going back to the in point;
// a file that cannot be opened leaves the current clip playing and says why.
class GalleryClip : public QObject
{
    Q_OBJECT

public:
    using Layout = ClipSource::Layout;

    explicit GalleryClip(QObject *parent = nullptr);
    ~GalleryClip() override;

    static bool canOpenFiles(); // whether the gallery was built with a decoder
    // The frames a player key steps by: comma and period one back and forward, with Shift
    // (or as less-than and greater-than, on keyboards that need Shift for them) a second's
    // worth; 0 for any other key or with other modifiers.
    static int framesForStepKey(int key, Qt::KeyboardModifiers modifiers, double framesPerSecond);

    QString name() const;
    QString filePath() const { return m_path; } // empty for the test pattern
    QSize frameSize() const;                    // as stored
    QSize sampleAspect() const;                 // num:den
    int rotation() const;                       // clockwise
    QSize displaySize() const;                  // stretched by the sample aspect, then turned
    double framesPerSecond() const;
    // Where a frame starts in milliseconds from the clip's start, and the frame there.
    qint64 msecsOfFrame(int frame) const;
    int frameAt(qint64 msecs) const;
    int frameCount() const;
    QList<int> chapters() const;
    QStringList chapterTitles() const;
    int position() const { return m_position; }
    bool isPlaying() const { return m_playing; }
    int inPoint() const { return m_inPoint; }
    int outPoint() const { return m_outPoint; }
    bool isLooping() const { return m_looping; }
    int droppedFrames() const { return m_dropped; }
    int shownFrames() const { return m_shown; } // handed to the viewers since the clip opened
    void setLayout(Layout layout);

    // Feeds the viewer every frame from now on, through the slot for its kind.
    void attach(UxVideoViewer *viewer);
    // Gives the viewer the frame on show.
    void showCurrentFrame(UxVideoViewer *viewer) const;
    // The frame on show as a picture, upright; null before the first.
    QImage currentImage() const;
    // Small pictures of the clip's frames, for seek bar previews.
    ThumbnailSource *thumbnails() const { return m_thumbnails; }

public Q_SLOTS:
    // Opening is asynchronous: clipChanged or openFailed follows.
    void open(const QString &path);
    void play();
    void pause();
    void togglePlay();
    void seek(int frame);
    // Paused, seeks by that many frames from the position (or the seek on its way).
    void step(int frames);
    void setPlayRange(int inPoint, int outPoint);
    void setLooping(bool looping);

Q_SIGNALS:
    void frameReady(const QImage &frame);
    void videoFrameReady(const UxVideoFrame &frame);
    void positionChanged(int frame);
    void playingChanged(bool playing);
    void clipChanged();
    void chaptersChanged(const QList<int> &starts, const QStringList &titles); // after clipChanged
    void openFailed(const QString &reason);
    void playbackFailed(const QString &reason);
    void droppedFramesChanged(int total);
    void playRangeChanged(int inPoint, int outPoint);
    void loopingChanged(bool looping);

private Q_SLOTS:
    void showFrame(const QImage &frame, int index);
    void showVideoFrame(const UxVideoFrame &frame, int index);
    void onStopped(bool atEnd);
    void onDropped(int total);
    void adoptPending();
    void rejectPending(const QString &reason);

private:
    void adopt(std::unique_ptr<ClipSource> source);
    void setPlaying(bool playing);
    void countShown(int index);

    ThumbnailSource *m_thumbnails;
    std::unique_ptr<ClipSource> m_source;
    std::unique_ptr<ClipSource> m_pending; // a file being opened
    QString m_path;
    QString m_pendingPath;
    QImage m_image;       // the frame on show, from the test pattern
    UxVideoFrame m_video; // or from a file
    int m_position = 0;
    int m_requested = -1; // the frame last sought, until a frame arrives
    int m_inPoint = 0;
    int m_outPoint = 0;
    int m_dropped = 0;
    int m_shown = 0;
    bool m_playing = false;
    bool m_atEnd = false;
    bool m_looping = false;
};

#endif // GALLERYCLIP_H
