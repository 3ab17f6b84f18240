#ifndef PLAYERWINDOW_H
#define PLAYERWINDOW_H

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class PlayerWindow;
}

// A player-like window laid out in Designer. It plays a clip it paints itself, so the
// example needs no decoder: the viewer shows the frames and turns clicks, the wheel and
// keys into commands; the trim bar seeks and bounds playback; the time editor shows
// and sets the position.
class PlayerWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PlayerWindow(QWidget *parent = nullptr);
    ~PlayerWindow() override;

private Q_SLOTS:
    void togglePlay();
    void advance();
    void seek(int frame);
    void seekToTime(const QTime &time);
    void changeVolume(int delta);
    void keepPositionInTrim();

private:
    QImage paintFrame(int frame) const;
    void showPosition();

    std::unique_ptr<Ui::PlayerWindow> m_ui;
    QTimer m_clock;
    int m_frame = 0;
    bool m_showingPosition = false;
};

#endif // PLAYERWINDOW_H
