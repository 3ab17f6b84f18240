#ifndef UXCIRCLEPROGRESSBAR_H
#define UXCIRCLEPROGRESSBAR_H

#include "CommonCtrls.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

/// \brief Progress as a circular sector revealed clockwise from twelve o'clock: a mask image
/// stretched over the widget, a background ring, the progress ring shown inside the
/// sector, and the value as a centred percentage.
///
/// Images, colour and font size come from properties, usually from a style sheet; the value
/// through the slots. The range is 0 to 100 at first. The rings take the zoom rule twice
/// (once when loaded, once when placed), so their artwork is drawn at four times its size at
/// 100 %. The sector is computed in 64 bits, so any range draws the right one; a value
/// outside the range is clamped for the sector, and a range whose maximum is not above its
/// minimum shows none.
class COMMONCTRLS_EXPORT UxCircleProgressBar : public QWidget
{
    Q_OBJECT
    /// \brief Path of the background ring; style sheet `qproperty-circleProgressBgImage`.
    ///
    /// Loaded once when set, through CommonCtrls::getPixmapFromString(); its size then takes
    /// the zoom rule again and it is drawn centred in the widget. The progress ring goes into
    /// the same rectangle, so a path that does not load, or a ring that would come out larger
    /// than 16384 pixels a side or 64 megapixels, shows neither ring.
    Q_PROPERTY(QString circleProgressBgImage READ circleProgressBgImage WRITE
                   setCircleProgressBgImage DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Path of the progress ring; style sheet `qproperty-circleProgressImage`.
    ///
    /// Loaded like the background ring, stretched into the background ring's rectangle and
    /// shown only inside the sector of the value. A path that does not load shows no progress.
    Q_PROPERTY(QString circleProgressImage READ circleProgressImage WRITE setCircleProgressImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Path of the mask image; style sheet `qproperty-circleProgressMaskImage`.
    ///
    /// Loaded like the rings and stretched over the whole widget, under them. A path that does
    /// not load draws nothing there.
    Q_PROPERTY(QString circleProgressMaskImage READ circleProgressMaskImage WRITE
                   setCircleProgressMaskImage DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Colour of the percentage; style sheet `qproperty-circleProgressTextColor`.
    ///
    /// Black at first.
    Q_PROPERTY(QColor circleProgressTextColor READ circleProgressTextColor WRITE
                   setCircleProgressTextColor DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Point size of the percentage; style sheet `qproperty-circleProgressFontSize`.
    ///
    /// 0 or less (-1 at first) keeps the widget's own font. At a zoom factor above 1.0 and up
    /// to 1.25 a positive size becomes 8 at the next paint, and reads 8 from then on.
    Q_PROPERTY(int circleProgressFontSize READ circleProgressFontSize WRITE
                   setCircleProgressFontSize DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the widget at value 0 in the range 0 to 100, without images.
    explicit UxCircleProgressBar(QWidget *parent = nullptr);

    /// \brief The background ring's path as last set, also when it did not load.
    QString circleProgressBgImage() const;
    /// \brief Sets the background ring's path and loads it; shows at the next repaint.
    void setCircleProgressBgImage(const QString &strPath);
    /// \brief The progress ring's path as last set, also when it did not load.
    QString circleProgressImage() const;
    /// \brief Sets the progress ring's path and loads it; shows at the next repaint.
    void setCircleProgressImage(const QString &strPath);
    /// \brief The mask image's path as last set, also when it did not load.
    QString circleProgressMaskImage() const;
    /// \brief Sets the mask image's path and loads it; shows at the next repaint.
    void setCircleProgressMaskImage(const QString &strPath);
    /// \brief The percentage's colour.
    QColor circleProgressTextColor() const;
    /// \brief Sets the percentage's colour; shows at the next repaint.
    void setCircleProgressTextColor(const QColor &color);
    /// \brief The percentage's point size; 0 or less for the widget's own font.
    int circleProgressFontSize() const;
    /// \brief Sets the percentage's point size; 0 or less: the widget's own font.
    void setCircleProgressFontSize(int nSize);

    /// \brief The background ring as loaded (scaled to the zoom factor once); null when it
    /// did not load.
    QImage imageCircleProgressBg();
    /// \brief The progress ring as loaded; null when it did not load.
    QImage imageCircleProgress();
    /// \brief The mask image as loaded; null when it did not load.
    QImage imageCircleProgressMask();

public Q_SLOTS:
    /// \brief Sets the range's maximum; shows at the next repaint. Not checked against the
    /// minimum or the value.
    void setMaximum(int nMax);
    /// \brief Sets the range's minimum; shows at the next repaint. Not checked against the
    /// maximum or the value.
    void setMinimum(int nMin);
    /// \brief Sets the value, emits valueChanged() and repaints.
    ///
    /// Any int is kept as given. The percentage shows the value itself followed by "%",
    /// whatever the range; only the sector is measured against the range.
    void setValue(int nValue);
    /// \brief Sets both ends of the range; shows at the next repaint.
    void setRange(int nMin, int nMax);

Q_SIGNALS:
    /// \brief Emitted by every setValue(), also when the value did not change.
    void valueChanged(int nValue);

protected:
    /// \brief Paints the mask, the background ring, the progress ring inside the sector and
    /// the percentage.
    void paintEvent(QPaintEvent *event) override;

private:
    friend class UxAccessibleCircle; // reads value, range and text out to screen readers
    QString percentageText() const;
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
