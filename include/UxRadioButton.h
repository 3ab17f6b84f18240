#ifndef UXRADIOBUTTON_H
#define UXRADIOBUTTON_H

#include "CommonCtrls.h"

#include <QRadioButton>
#include <QScopedPointer>

class UxDisabledSkin;

/// \brief A radio button that, while disabled, paints a disabled-state image and its own
/// caption over the normal QRadioButton painting, exactly as UxCheckBox does.
///
/// The picture and caption are placed from disableTextInfo in its short form; the fields and
/// where this class puts them: \ref disabledskin.
class COMMONCTRLS_EXPORT UxRadioButton : public QRadioButton
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

public:
    /// \brief Creates the widget as a child of parent, without a skin.
    explicit UxRadioButton(QWidget *parent = nullptr);
    /// \brief Destroys the widget and its skin.
    ~UxRadioButton() override;

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
    /// \brief Paints the radio button, then the disabled-state skin over it while the widget is
    /// disabled and disableTextInfo is not blank.
    void paintEvent(QPaintEvent *event) override;

private:
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXRADIOBUTTON_H
