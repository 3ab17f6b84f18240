#ifndef UXPROGRESSBAR_H
#define UXPROGRESSBAR_H

#include "CommonCtrls.h"

#include <QColor>
#include <QPixmap>
#include <QProgressBar>

/// \brief A progress bar drawn from two skins, a background and a fill, each stretched by
/// nine-slice scaling, with its text centred over them in a low colour up to 50 % and a
/// high colour above.
///
/// Without usable skins (or with a left margin of 0) it is the style's own bar with only the
/// text colour switched; a busy bar (maximum equal to minimum) is QProgressBar's as it is.
///
/// progressPixmap: "background,fill" image paths; progressMargin: "top,right,bottom,left"
/// in pixels of the loaded skins; textColor: "low*high" colour names.
/// setDoubleValue() shows fractional percentages; useFloat() paints two decimals always.
class COMMONCTRLS_EXPORT UxProgressBar : public QProgressBar
{
    Q_OBJECT
    /// \brief The two skins as "background,fill" image paths; style sheet
    /// `qproperty-progressPixmap`.
    ///
    /// Only a text of exactly two comma parts loads them, once, through
    /// CommonCtrls::getPixmapFromString(); other texts keep the skins. A part that does not
    /// load leaves that skin null, and the style draws the bar. Reads back as last set.
    Q_PROPERTY(QString progressPixmap READ progressPixmap WRITE setProgressPixmap
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Nine-slice margins of both skins as "top,right,bottom,left" in pixels; style
    /// sheet `qproperty-progressMargin`.
    ///
    /// Only a text of exactly four comma parts applies; parts that are not numbers read 0.
    /// While the left margin is 0 (as at first) the style draws the bar; where it takes half
    /// the width or more, the skin's two ends meet in the middle, unscaled along x. Reads back as
    /// last set, applied or not.
    Q_PROPERTY(QString progressMargin READ progressMargin WRITE setProgressMargin
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief The text's colours as "low*high" colour names; style sheet
    /// `qproperty-textColor`.
    ///
    /// low is used up to 50 %, high above (the switch reads value * 100 / (maximum - minimum),
    /// the percentage for bars starting at 0). `#466cb7` and `#ffffff` at first. A text with fewer
    /// than two "*"-parts keeps both colours; a name that is no colour gives an invalid
    /// colour. Reads back as last set.
    Q_PROPERTY(QString textColor READ textColor WRITE setTextColor
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the bar as a child of parent, without skins.
    explicit UxProgressBar(QWidget *parent = nullptr);

    /// \brief Sets and loads the "background,fill" skins; see progressPixmap.
    void setProgressPixmap(const QString &strPixmap);
    /// \brief The skins' text as last set.
    QString progressPixmap() const;
    /// \brief Sets the skins' "top,right,bottom,left" margins; see progressMargin.
    void setProgressMargin(const QString &strMargin);
    /// \brief The margins' text as last set.
    QString progressMargin() const;
    /// \brief Sets the "low*high" text colours; see textColor.
    void setTextColor(QString strColor);
    /// \brief The colours' text as last set.
    QString textColor();

    /// \brief Shows a fractional percentage: nValue is the percentage times 10 to the power
    /// nDecimals, so that with 2, 1234 is 12.34 %.
    ///
    /// Sets the range to 0..100 * 10^nDecimals (saturated at the int limits), the value, and
    /// the format to the percentage with two decimals. The format is a fixed text: a later
    /// setValue() moves the bar but not its text until the next setDoubleValue() or
    /// setFormat().
    void setDoubleValue(int nValue, int nDecimals);
    /// \brief With true, the skinned bar's text is always the percentage with two decimals,
    /// computed from value and range; with false (at first) it is the format's text.
    ///
    /// The style's own bar ignores it.
    void useFloat(bool isFloat);

protected:
    /// \brief Paints the background skin over the groove, the fill skin over the filled
    /// part and the text centred over both; without usable skins, the style's bar with the
    /// text colour switched.
    ///
    /// A fill narrower than 2 pixels is not drawn.
    void paintEvent(QPaintEvent *event) override;
    /// \brief Paints skin into target at size by nine-slice scaling; margins holds left,
    /// top, right and bottom in its corners.
    ///
    /// target is cleared to transparent first. Where the left margin takes half the width or
    /// more, the skin's two ends meet in the middle, unscaled along x. Returns false, and leaves
    /// target untouched, when the skin is null or size is narrower than 2 pixels.
    bool scaleImage(const QPixmap &skin, const QRect &margins, QPixmap &target, const QSize &size);

private:
    friend class UxAccessibleProgressBar; // reads shownText() out to screen readers
    QString shownText() const;
    bool paintsSkins() const;
    QColor chosenTextColor() const;
    double percent() const;

    bool m_floatText = false;
    QPixmap m_background;
    QPixmap m_progress;
    QRect m_margins; // corners hold left, top, right, bottom
    QString m_pixmapText;
    QString m_marginText;
    QColor m_lowTextColor = QColor("#466cb7");
    QColor m_highTextColor = QColor("#ffffff");
    QString m_colorText;
};

#endif // UXPROGRESSBAR_H
