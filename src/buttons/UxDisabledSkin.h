#ifndef UXDISABLEDSKIN_H
#define UXDISABLEDSKIN_H

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// The disabled-state skin that the skinned buttons paint over their base painting:
// an image and the widget's own caption, placed and coloured by a packed info text.
//
// Info fields: imageX, imageWidthCut, textX, textWidthCut, then (long form only)
// textY and textHeight, both multiplied by the screen factor, then r, g, b and an
// optional alpha. Each widget turns the fields into its own rectangles.
class UxDisabledSkin
{
public:
    enum class InfoForm {
        Short, // x and width cuts only; the caption spans the widget's height
        Long,  // adds the caption's top and height, scaled by the screen's logical DPI
    };

    // standardDpi is the screen DPI that counts as a factor of 1.0 (long form only).
    explicit UxDisabledSkin(InfoForm form, int standardDpi = 96);

    const QString &imagePath() const { return m_imagePath; }
    void setImagePath(const QString &path);
    const QString &textInfo() const { return m_textInfo; }
    void setTextInfo(const QString &info);

    // The overlay shows while the widget is disabled and the info text is not blank.
    bool isDue(const QWidget &widget) const;

    const QPixmap &image() const { return m_image; }
    int imageX() const { return m_imageX; }
    int imageWidthCut() const { return m_imageWidthCut; }
    int textX() const { return m_textX; }
    int textWidthCut() const { return m_textWidthCut; }
    int textY() const { return m_textY; }
    int textHeight() const { return m_textHeight; }
    QColor textColor() const { return m_textColor; }

    // Draws the image, less a frame given in device-independent pixels (left, top and
    // the total width and height cut), stretched into target. A null image is skipped.
    void drawImage(QPainter &painter, const QRect &target, qreal sourceX, qreal sourceY,
                   qreal sourceWidthCut, qreal sourceHeightCut) const;
    void drawCaption(QPainter &painter, const QString &caption, const QRect &target,
                     Qt::Alignment alignment) const;

private:
    double screenFactor();

    InfoForm m_form;
    int m_standardDpi;
    QString m_imagePath;
    QPixmap m_image;
    int m_imageX = 0;
    int m_imageWidthCut = 0;
    int m_textX = 0;
    int m_textWidthCut = 0;
    int m_textY = 0;
    int m_textHeight = 0;
    QColor m_textColor = QColor(0, 0, 0, 255);
    QString m_textInfo;
    bool m_screenFactorMeasured = false;
    double m_screenFactor = 1.0;
};

#endif // UXDISABLEDSKIN_H
