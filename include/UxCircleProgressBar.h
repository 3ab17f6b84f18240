#ifndef UXCIRCLEPROGRESSBAR_H
#define UXCIRCLEPROGRESSBAR_H

#include "CommonCtrls.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

// Progress as a circular sector revealed clockwise from twelve o'clock: a mask image
// stretched over the widget, a background ring, the progress ring shown inside the
// sector, and the value as a centred percentage. Images, colour and font size come
// from properties, usually from a style sheet; the value through the slots.
class COMMONCTRLS_EXPORT UxCircleProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString circleProgressBgImage READ circleProgressBgImage WRITE
                   setCircleProgressBgImage DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString circleProgressImage READ circleProgressImage WRITE setCircleProgressImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString circleProgressMaskImage READ circleProgressMaskImage WRITE
                   setCircleProgressMaskImage DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor circleProgressTextColor READ circleProgressTextColor WRITE
                   setCircleProgressTextColor DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int circleProgressFontSize READ circleProgressFontSize WRITE
                   setCircleProgressFontSize DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxCircleProgressBar(QWidget *parent = nullptr);

    QString circleProgressBgImage() const;
    void setCircleProgressBgImage(const QString &strPath);
    QString circleProgressImage() const;
    void setCircleProgressImage(const QString &strPath);
    QString circleProgressMaskImage() const;
    void setCircleProgressMaskImage(const QString &strPath);
    QColor circleProgressTextColor() const;
    void setCircleProgressTextColor(const QColor &color);
    int circleProgressFontSize() const;
    void setCircleProgressFontSize(int nSize); // 0 or less: the widget's own font

    QImage imageCircleProgressBg();
    QImage imageCircleProgress();
    QImage imageCircleProgressMask();

public Q_SLOTS:
    void setMaximum(int nMax);
    void setMinimum(int nMin);
    void setValue(int nValue);
    void setRange(int nMin, int nMax);

Q_SIGNALS:
    void valueChanged(int nValue);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void getArc(int value, int &startAngle, int &spanAngle);
    QRect imageRect() const;
    void paintSector(QPainter &painter, const QRect &ring);
    void paintPercentage(QPainter &painter);

    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    QString m_bgImagePath;
    QImage m_bgImage;
    QString m_progressImagePath;
    QImage m_progressImage;
    QString m_maskImagePath;
    QImage m_maskImage;
    QColor m_textColor = Qt::black;
    int m_fontSize = -1;

    // What painting made and keeps until what it was made from changes: the rings
    // scaled to their rectangle (with the cache key of the image they came from) and
    // the sector's clip region (with the widget size and angles it was drawn for).
    QImage m_bgRing;
    qint64 m_bgRingFrom = 0;
    QImage m_progressRing;
    qint64 m_progressRingFrom = 0;
    QRegion m_sector;
    QSize m_sectorSize;
    int m_sectorStart = 0;
    int m_sectorSpan = 0;
};

#endif // UXCIRCLEPROGRESSBAR_H
