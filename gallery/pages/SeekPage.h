#ifndef SEEKPAGE_H
#define SEEKPAGE_H

#include "GalleryPage.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTranslator;
class GalleryClip;
class UxPlaySeekingBar;
class UxTrimSeekingBar;

// Seeking and trimming: a skinned seek bar that follows and seeks the clip and shows
// the kept range; a trim bar that sets that range, within which the clip plays; a click-to-position
// slider beside a plain QSlider; and a language switch for the library's translated texts.
class SeekPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit SeekPage(GalleryClip *clip, QWidget *parent = nullptr);

private Q_SLOTS:
    void adoptClip();
    void showTrim();
    void setMinimumLength(int frames);
    void chooseLanguage(int index);

private:
    QWidget *makeSliderComparison();
    QString seconds(int frames) const;

    GalleryClip *m_clip;
    UxPlaySeekingBar *m_seek;
    UxTrimSeekingBar *m_trim;
    QLabel *m_trimText;
    QLabel *m_tooltips;
    QTranslator *m_translator;
    QSpinBox *m_minimum = nullptr;
};

#endif // SEEKPAGE_H
