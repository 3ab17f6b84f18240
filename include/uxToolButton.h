#ifndef UXTOOLBUTTON_H
#define UXTOOLBUTTON_H

#include "CommonCtrls.h"

#include <QScopedPointer>
#include <QToolButton>

class UxDisabledSkin;

/// \brief A tool button that, while disabled and captioned, paints a disabled-state image and
/// its own caption over the normal QToolButton painting.
///
/// The picture and caption are placed from disableTextInfo in its short form; the fields and
/// where this class puts them: \ref disabledskin.
class COMMONCTRLS_EXPORT uxToolButton : public QToolButton
{
    Q_OBJECT
    /// \brief Path of the disabled-state image; style sheet `qproperty-disableImage`.
    ///
    /// Loaded once, when set, scaled to the zoom factor: \ref disabledskin.
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Where the disabled-state skin goes and the caption's colour; style sheet
    /// `qproperty-disableTextInfo`.
    ///
    /// A comma list; its fields and where this class puts the skin: \ref disabledskin.
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
