#ifndef UXPROGRESSBAR_H
#define UXPROGRESSBAR_H

#include "CommonCtrls.h"

#include <QColor>
#include <QPixmap>
#include <QProgressBar>

// A progress bar drawn from two skins, a background and a fill, each stretched by
// nine-slice scaling, with its text centred over them in a low colour up to 50 % and a
// high colour above. Without usable skins (or with a left margin of 0) it is the
// style's own bar with only the text colour switched.
//
// progressPixmap: "background,fill" image paths; progressMargin: "top,right,bottom,left"
// in pixels of the loaded skins; textColor: "low*high" colour names.
// setDoubleValue shows fractional percentages; useFloat paints two decimals always.
class COMMONCTRLS_EXPORT UxProgressBar : public QProgressBar
{
    Q_OBJECT
    Q_PROPERTY(QString progressPixmap READ progressPixmap WRITE setProgressPixmap
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString progressMargin READ progressMargin WRITE setProgressMargin
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString textColor READ textColor WRITE setTextColor
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxProgressBar(QWidget *parent = nullptr);

    void setProgressPixmap(const QString &strPixmap);
    QString progressPixmap() const;
    void setProgressMargin(const QString &strMargin);
    QString progressMargin() const;
    void setTextColor(QString strColor);
    QString textColor();

    // value is a percentage times 10 to the power nDecimals: with 2, 1234 is 12.34 %.
    void setDoubleValue(int nValue, int nDecimals);
    void useFloat(bool isFloat);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool scaleImage(const QPixmap &skin, const QRect &margins, QPixmap &target, const QSize &size);

private:
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
