#ifndef UXPLAYSEEKINGBAR_H
#define UXPLAYSEEKINGBAR_H

#include "CommonCtrls.h"

#include <QPixmap>
#include <QSlider>

// The position bar of a media player. Beyond QSlider it has
//  - a usable range (minUsablePos..maxUsablePos), the part of the media in play;
//    clicks outside it are refused unless outer clicks are allowed;
//  - a trim-range image, a skin stretched over the groove by nine-slice scaling and
//    shown only between the two usable values (trimRangeImage, trimRangeMargin as
//    "top,right,bottom,left");
//  - groove outer spaces, pixels at each end that the value range does not cover, for
//    artwork with end caps (grooveOutterSpace as "min,max");
//  - a show-only mode without handle that ignores left clicks.
// A left click off the handle jumps to the clicked value.
//
// The groove and the handle are drawn in two passes, with the trim image between
// them; a style sheet that gives the bar a background paints it at each pass, so
// style-sheeted bars take "background: transparent".
class COMMONCTRLS_EXPORT UxPlaySeekingBar : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(QString trimRangeImage READ trimRangeImage WRITE setTrimRangeImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString trimRangeMargin READ trimRangeMargin WRITE setTrimRangeMargin
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString grooveOutterSpace READ grooveOutterSpace WRITE setGrooveOutterSpace
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxPlaySeekingBar(QWidget *parent = nullptr);

    void setUsableRange(int nMin, int nMax);
    void setMinUsablePos(int nValue);
    void setMaxUsablePos(int nValue);
    int minUsablePos() const;
    int maxUsablePos() const;
    void setOutterTrimRangeClickable(bool isClickable);
    bool isOutterTrimRangeClickable() const;
    void setTrimRangeShowOnly(bool isShowOnly);
    bool isTrimRangeShowOnly() const;

    void setTrimRangeImage(const QString &strImage);
    QString trimRangeImage() const;
    void setTrimRangeMargin(const QString &strMargin);
    QString trimRangeMargin() const;
    void setGrooveOutterSpace(const QString &strSpace);
    QString grooveOutterSpace() const;
    int grooveMinOutter() const;
    int grooveMaxOutter() const;

    QSize handleSize() const;
    // The screen x (horizontal) or y (vertical) of a value's pixel, and the reverse.
    int calcGlobalPosByValue(int nValue);
    int calcValueByGlobalPos(const QPoint &pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

    int pixelPosToRangeValue(int pos) const;
    int rangeValueToPixelPos(int value) const;
    bool scaleTrimRangeImage(QPixmap &target, const QSize &size);

private:
    int m_minUsable = 0;
    int m_maxUsable = 0;
    bool m_outerClickable = false;
    QString m_trimRangeImagePath;
    QPixmap m_trimRangeSkin;
    QRect m_trimRangeMargins = QRect(); // corners hold left, top, right, bottom
    const QPixmap &trimRangePicture(const QSize &size);
    QPixmap m_trimRangeCache; // the skin sliced to a groove, and what it was made from:
    qint64 m_trimRangeCacheSkinKey = 0;
    QRect m_trimRangeCacheMargins;
    int m_grooveMinOuter = 0;
    int m_grooveMaxOuter = 0;
    bool m_showOnly = false;
};

#endif // UXPLAYSEEKINGBAR_H
