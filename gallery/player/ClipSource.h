#ifndef CLIPSOURCE_H
#define CLIPSOURCE_H

#include <QImage>
#include <QObject>

// Where the gallery's pictures come from: the built-in test pattern or a decoded file.
// A source shows one frame at a time by emitting it with its index; it plays on its
// own clock until the out point (or its end) and then says it stopped.
class ClipSource : public QObject
{
    Q_OBJECT

public:
    enum Layout { Flat, SideBySide, TopAndBottom };

    using QObject::QObject;

    virtual QString name() const = 0;
    virtual QSize frameSize() const = 0;
    // The size the picture is meant to be seen at: the frame size stretched by the
    // stream's sample shape.
    virtual QSize displaySize() const { return frameSize(); }
    virtual double framesPerSecond() const = 0;
    virtual int frameCount() const = 0;

    // Plays from the frame shown now; a source that loops goes back to inPoint at
    // outPoint, any other stops there.
    virtual void play(int inPoint, int outPoint) = 0;
    virtual void pause() = 0;
    virtual void seek(int frame) = 0; // shows that frame, and plays on from it if playing
    // Only the test pattern paints stereoscopic frames; a file's frames are what they are.
    virtual void setLayout(Layout) {}

Q_SIGNALS:
    void frameShown(const QImage &frame, int index);
    void stopped();
    void droppedFramesChanged(int total);
};

#endif // CLIPSOURCE_H
