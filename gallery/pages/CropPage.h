#ifndef CROPPAGE_H
#define CROPPAGE_H

#include "GalleryPage.h"

#include <QRect>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class GalleryClip;
class UxVideoOperationViewer;

// The crop editor as a clip editor uses it: a focus rectangle over the playing clip,
// spin boxes in the clip's pixels wired both ways, an aspect lock, a line that states
// the resulting crop, and the ffmpeg command that would export the trimmed, cropped clip.
class CropPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit CropPage(GalleryClip *clip, QWidget *parent = nullptr);

private Q_SLOTS:
    void showCrop(const QRect &crop);
    void applyLock();
    void chooseLayout(int index);
    void editLeft(int value);
    void editTop(int value);
    void editWidth(int value);
    void editHeight(int value);
    void adoptClip();
    void showCommand();
    void copyCommand();

private:
    QWidget *makeControls();
    QSpinBox *addSpinBox(const QString &label, const char *slot, QWidget *parent);

    GalleryClip *m_clip;
    UxVideoOperationViewer *m_viewer;
    QList<QSpinBox *> m_spins; // left, top, width, height
    QComboBox *m_lockShape = nullptr;
    QComboBox *m_lockBasis = nullptr;
    QLabel *m_result;
    QLineEdit *m_command;
    int m_layout = 0; // 2D, side by side, top and bottom
};

#endif // CROPPAGE_H
