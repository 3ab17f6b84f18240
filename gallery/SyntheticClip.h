#ifndef SYNTHETICCLIP_H
#define SYNTHETICCLIP_H

#include <QImage>
#include <QObject>
#include <QTimer>

// A built-in clip so that the gallery plays video without a media file: a moving test
// pattern with a frame counter, made on a 30 frames-per-second timer, as flat frames or
// as stereoscopic frames holding two views side by side or top and bottom.
class SyntheticClip : public QObject
{
    Q_OBJECT

public:
    enum Layout { Flat, SideBySide, TopAndBottom };

    static const int kFramesPerSecond = 30;

    explicit SyntheticClip(QObject *parent = nullptr);

    QSize frameSize() const { return QSize(1280, 720); }
    int frameCount() const { return 20 * kFramesPerSecond; }
    int position() const { return m_position; }
    bool isPlaying() const { return m_timer.isActive(); }
    Layout layout() const { return m_layout; }
    void setLayout(Layout layout);
    QImage currentFrame() const { return m_frame; }

public Q_SLOTS:
    void play();
    void pause();
    void togglePlay();
    void seek(int frame);

Q_SIGNALS:
    void frameReady(const QImage &frame);
    void positionChanged(int frame);
    void playingChanged(bool playing);

private Q_SLOTS:
    void advance();

private:
    void render();

    QTimer m_timer;
    int m_position = 0;
    Layout m_layout = Flat;
    QImage m_frame;
};

#endif // SYNTHETICCLIP_H
