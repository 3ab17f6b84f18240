#ifndef UXCOMBOBOX_H
#define UXCOMBOBOX_H

#include "CommonCtrls.h"

#include <QComboBox>
#include <QScopedPointer>

class UxDisabledSkin;

/// \brief A combo box that, while disabled and showing an item, paints a disabled-state image
/// and its current text over the normal QComboBox painting.
///
/// disableImage is the image's path; disableTextInfo is a comma list
/// "imageX,imageWidthCut,textX,textWidthCut,textY,textHeight,r,g,b[,a]" placing the
/// image at (imageX, 3, width - imageWidthCut, height - 6), drawn from the artwork's
/// columns imageX to width - imageWidthCut and without its 4-pixel top and bottom frame,
/// and the current text left-aligned at (textX, textY, width - textWidthCut, textHeight).
/// textY and textHeight are scaled by the screen's logical DPI against 96. Missing fields
/// keep their earlier values. With an empty current text no skin shows.
class COMMONCTRLS_EXPORT UxComboBox : public QComboBox
{
    Q_OBJECT
    /// \brief Path of the disabled-state image; style sheet `qproperty-disableImage`.
    ///
    /// Loaded once when set, through CommonCtrls::getPixmapFromString(): scaled to the zoom
    /// factor, no "@2x" lookup. A path that does not load leaves no image; the caption is
    /// still drawn.
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Where the disabled-state skin goes and the caption's colour; style sheet
    /// `qproperty-disableTextInfo`.
    ///
    /// A comma list "imageX,imageWidthCut,textX,textWidthCut,textY,textHeight,r,g,b[,a]" in
    /// widget pixels and colour components. textY and textHeight are multiplied by the
    /// screen's logical DPI over 96, measured at the first text set on this widget and kept.
    /// Two fields set the image's place, six the caption's too; the colour (opaque black at
    /// first) is taken only from texts of nine or ten fields. Fields a text does not reach
    /// keep their values, fields that are not numbers read 0 and colour components are
    /// clamped to 0-255. While the text is blank the skin is off.
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the widget as a child of parent, without a skin.
    explicit UxComboBox(QWidget *parent = nullptr);
    /// \brief Destroys the widget and its skin.
    ~UxComboBox() override;

    /// \brief The disabled-state image path as last set, also when it did not load.
    QString disableImage();
    /// \brief Sets the disabled-state image path and loads the image; shows at the next
    /// repaint.
    void setDisableImage(QString path);
    /// \brief The info text as last set.
    QString disableTextInfo();
    /// \brief Sets and applies the info text; shows at the next repaint.
    void setDisableTextInfo(QString info);

protected:
    /// \brief Paints the combo box, then the disabled-state skin over it while the widget is
    /// disabled, disableTextInfo is not blank and the current text is not empty.
    void paintEvent(QPaintEvent *event) override;

private:
    static const int stdDPI = 96; // the screen DPI that counts as 100 %

    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXCOMBOBOX_H
