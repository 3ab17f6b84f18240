#ifndef UXCOMBOBOX_H
#define UXCOMBOBOX_H

#include "CommonCtrls.h"

#include <QComboBox>
#include <QScopedPointer>

class UxDisabledSkin;

/// \brief A combo box that, while disabled and showing an item, paints a disabled-state image
/// and its current text over the normal QComboBox painting.
///
/// The picture and caption are placed from disableTextInfo in its long form; the fields and
/// where this class puts them: \ref disabledskin.
class COMMONCTRLS_EXPORT UxComboBox : public QComboBox
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
