#ifndef UXTOOLBUTTON_H
#define UXTOOLBUTTON_H

#include "CommonCtrls.h"

#include <QScopedPointer>
#include <QToolButton>

class UxDisabledSkin;

/// \brief A tool button that, while disabled and captioned, paints a disabled-state image and
/// its own caption over the normal QToolButton painting.
///
/// disableImage is the image's path; disableTextInfo is a comma list
/// "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]". Missing fields keep their earlier
/// values; a colour is taken only from texts of seven or eight fields.
/// The image, less a 3-pixel artwork frame, is stretched into
/// (imageX, 3, width - imageWidthCut, height - 6); the caption goes into
/// (textX, 3, width - textWidthCut, height - 6), aligned by textAlign: 0 left, 1 right,
/// 2 centred, anything else left.
class COMMONCTRLS_EXPORT uxToolButton : public QToolButton
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
    /// \brief Horizontal alignment of the disabled-state caption; style sheet
    /// `qproperty-textAlign`.
    ///
    /// 0 (at first) left, 1 right, 2 centred, any other value left; always vertically
    /// centred.
    Q_PROPERTY(
        int textAlign READ textAlign WRITE setTextAlign DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the widget as a child of parent, without a skin.
    explicit uxToolButton(QWidget *parent = nullptr);
    /// \brief Destroys the widget and its skin.
    ~uxToolButton() override;

    /// \brief The disabled-state image path as last set, also when it did not load.
    QString disableImage();
    /// \brief Sets the disabled-state image path and loads the image; shows at the next
    /// repaint.
    void setDisableImage(QString path);
    /// \brief The info text as last set.
    QString disableTextInfo();
    /// \brief Sets and applies the info text; shows at the next repaint.
    void setDisableTextInfo(QString info);
    /// \brief The caption alignment code as last set.
    int textAlign();
    /// \brief Sets the caption alignment code; shows at the next repaint.
    void setTextAlign(int align);

protected:
    /// \brief Paints the tool button, then the disabled-state skin over it while the widget is
    /// disabled, disableTextInfo is not blank and the caption is not empty.
    void paintEvent(QPaintEvent *event) override;

private:
    int m_textAlign = 0;
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXTOOLBUTTON_H
