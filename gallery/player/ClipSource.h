#ifndef CLIPSOURCE_H
#define CLIPSOURCE_H

#include <UxVideoFrame.h>

#include <QImage>
#include <QObject>
#include <QStringList>

// Where the gallery's pictures come from: the built-in test pattern, which paints QImages,
// or a decoded file, whose YUV pictures go to the viewers as decoded. A source shows one
// frame at a time by emitting it with its index; it plays on its own clock until the out
// point (or its end) and then says it stopped.
class ClipSource : public QObject
{
    Q_OBJECT

public:
    enum Layout { Flat, SideBySide, TopAndBottom };

    using QObject::QObject;

    virtual QString name() const = 0;
    virtual QSize frameSize() const = 0; // as stored
    // Width over height of one stored pixel as displayed, num:den.
    virtual QSize sampleAspect() const { return QSize(1, 1); }
    // Clockwise, in degrees, by which the stored picture is turned to be upright.
    virtual int rotation() const { return 0; }
    virtual double framesPerSecond() const = 0;
    virtual int frameCount() const = 0;
    // Where the chapters start, in frames, ascending, and their titles.
    virtual QList<int> chapters() const { return {}; }
    virtual QStringList chapterTitles() const { return {}; }

    // Plays from the frame shown now and stops at outPoint (the player may loop).
    virtual void play(int inPoint, int outPoint) = 0;
    virtual void pause() = 0;
    virtual void seek(int frame) = 0; // shows that frame, and plays on from it if playing
    // Only the test pattern paints stereoscopic frames; a file's frames are what they are.
    virtual void setLayout(Layout) {}

Q_SIGNALS:
    void frameShown(const QImage &frame, int index);
    void videoFrameShown(const UxVideoFrame &frame, int index);
    void stopped(bool atEnd); // atEnd: at the out point or the end, rather than paused
    void droppedFramesChanged(int total);
    void failed(const QString &reason);
};

#endif // CLIPSOURCE_H
