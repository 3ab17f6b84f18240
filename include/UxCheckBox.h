#ifndef UXCHECKBOX_H
#define UXCHECKBOX_H

#include "CommonCtrls.h"

#include <QCheckBox>
#include <QScopedPointer>

class UxDisabledSkin;

/// \brief A check box that, while disabled, paints a disabled-state image and its own caption
/// over the normal QCheckBox painting.
///
/// disableImage is the image's path; disableTextInfo is a comma list
/// "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]". Missing fields keep their earlier
/// values; a colour is taken only from texts of seven or eight fields.
/// The image is stretched whole into (imageX, 0, width - imageWidthCut, height), also when
/// the caption is empty; the caption goes left-aligned, vertically centred, into
/// (textX, 0, width - textWidthCut, height).
class COMMONCTRLS_EXPORT UxCheckBox : public QCheckBox
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
    /// A comma list "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]" in widget pixels
    /// (never scaled) and colour components. Two fields set the image's place, four the
    /// caption's too; the colour (opaque black at first) is taken only from texts of seven or
    /// eight fields. Fields a text does not reach keep their values, fields that are not
    /// numbers read 0 and colour components are clamped to 0-255. While the text is blank
    /// the skin is off.
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the widget as a child of parent, without a skin.
    explicit UxCheckBox(QWidget *parent = nullptr);
    /// \brief Destroys the widget and its skin.
    ~UxCheckBox() override;

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
    /// \brief Paints the check box, then the disabled-state skin over it while the widget is
    /// disabled and disableTextInfo is not blank.
    void paintEvent(QPaintEvent *event) override;

private:
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXCHECKBOX_H
