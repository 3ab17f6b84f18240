#ifndef VIDEOPAGE_H
#define VIDEOPAGE_H

#include "GalleryPage.h"

class QComboBox;
class QLabel;
class QSlider;
class QPushButton;
class SyntheticClip;
class UxVideoFullScreenViewer;
class UxVideoViewer;

// The video surface as a player uses it: the synthetic clip plays in a viewer whose
// signals pause, change the volume and switch full screen; the controls set its look
// and input layout; a button opens the full-screen viewer with a control bar.
class VideoPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit VideoPage(SyntheticClip *clip, QWidget *parent = nullptr);

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

private:
    QWidget *makeControls();
    QWidget *makeControlBar(QWidget *parent);

    SyntheticClip *m_clip;
    UxVideoViewer *m_viewer;
    UxVideoFullScreenViewer *m_fullScreen = nullptr;
    QLabel *m_state;
    QLabel *m_volumeText;
    int m_volume = 50;
};

#endif // VIDEOPAGE_H
