#ifndef SYNTHETICCLIP_H
#define SYNTHETICCLIP_H

#include "ClipSource.h"

#include <QTimer>

class QPainter;

// A built-in clip so that the gallery plays video without a media file: a moving test
// pattern with a frame counter, made on a 30 frames-per-second timer, as flat frames or
// as stereoscopic frames holding two views side by side or top and bottom. It stops at
// the out point.
class SyntheticClip : public ClipSource
{
    Q_OBJECT

public:
    static const int kFramesPerSecond = 30;

    explicit SyntheticClip(QObject *parent = nullptr);

    QString name() const override { return tr("Synthetic clip"); }
    QSize frameSize() const override { return QSize(1280, 720); }
    double framesPerSecond() const override { return kFramesPerSecond; }
    int frameCount() const override { return 20 * kFramesPerSecond; }
    QList<int> chapters() const override;
    QStringList chapterTitles() const override;
    void play(int inPoint, int outPoint) override;
    void pause() override;
    void seek(int frame) override;
    void setLayout(Layout layout) override;

    // Paints the pattern of frame onto size, as that frame shows in the given layout.
    static void paint(QPainter &p, const QSizeF &size, int frame, Layout layout = Flat);

private Q_SLOTS:
    void advance();

private:
    void render();

    QTimer m_timer;
    int m_position = 0;
    int m_outPoint = 0;
    Layout m_layout = Flat;
    QImage m_frame;
};

#endif // SYNTHETICCLIP_H
