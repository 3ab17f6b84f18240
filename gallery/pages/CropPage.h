#ifndef CROPPAGE_H
#define CROPPAGE_H

#include "GalleryPage.h"

#include <QRect>

class QComboBox;
class QLabel;
class QSpinBox;
class SyntheticClip;
class UxVideoOperationViewer;

// The crop editor as a clip editor uses it: a focus rectangle over the playing clip,
// spin boxes in the clip's pixels wired both ways, an aspect lock, and a line that
// states the resulting crop.
class CropPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit CropPage(SyntheticClip *clip, QWidget *parent = nullptr);

private Q_SLOTS:
    void showCrop(const QRect &crop);
    void applyLock();
    void chooseLayout(int index);
    void editLeft(int value);
    void editTop(int value);
    void editWidth(int value);
    void editHeight(int value);

private:
    QWidget *makeControls();
    QSpinBox *addSpinBox(const QString &label, int maximum, const char *slot, QWidget *parent);

    SyntheticClip *m_clip;
    UxVideoOperationViewer *m_viewer;
    QList<QSpinBox *> m_spins; // left, top, width, height
    QComboBox *m_lockShape = nullptr;
    QComboBox *m_lockBasis = nullptr;
    QLabel *m_result;
};

#endif // CROPPAGE_H
