#ifndef VIDEOPAGE_H
#define VIDEOPAGE_H

#include "GalleryPage.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTime;
class UxAutoTimeEidt;
class UxPlaySeekingBar;
class GalleryClip;
class UxVideoFullScreenViewer;
class UxVideoViewer;

// The video surface as a player uses it: the clip (the test pattern or an opened file)
// plays in a viewer whose signals pause, change the volume and open the full-screen
// viewer with its control bar; a seek bar and a time editor follow and set the
// position within the kept range; the controls set the viewer's look and input layout.
class VideoPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit VideoPage(GalleryClip *clip, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void changeVolume(int delta);
    void leaveFullScreen();
    void chooseAspect(int index);
    void chooseLayout(int index);
    void chooseMargin(int index);
    void choosePadding(int index);
    void setPaddingImage(bool on);
    void setStillPicture(bool on);
    void showPlayState(bool playing);
    void openFullScreenViewer();
    void adoptClip();
    void showPosition(int frame);
    void seekToTime(const QTime &time);
    void showDropped(int total);

private:
    QWidget *makeControls();
    QWidget *makeControlBar(QWidget *parent);
    UxPlaySeekingBar *makeSeekBar(QWidget *parent);
    QWidget *makeTransport();
    void setInputVideo(UxVideoViewer *viewer);

    GalleryClip *m_clip;
    UxVideoViewer *m_viewer;
    UxVideoFullScreenViewer *m_fullScreen = nullptr;
    QLabel *m_state;
    QLabel *m_volumeText;
    QLabel *m_dropped;
    UxAutoTimeEidt *m_time = nullptr;
    int m_layout = 0; // index into the input choice: 2D, side by side, top and bottom, unstretched
    int m_volume = 50;
    bool m_showingPosition = false;
};

#endif // VIDEOPAGE_H
