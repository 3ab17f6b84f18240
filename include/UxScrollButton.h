#ifndef UXSCROLLBUTTON_H
#define UXSCROLLBUTTON_H

#include "CommonCtrls.h"

#include <QPixmap>
#include <QToolButton>

/// \brief A tool button that draws an arrow image centred over its normal QToolButton
/// painting: arrowImage while enabled, arrowDisableImage while disabled, never the one in
/// place of the other.
///
/// The arrow keeps its own size (scaled to the zoom factor when it is set); it is not
/// stretched to the button.
class COMMONCTRLS_EXPORT UxScrollButton : public QToolButton
{
    Q_OBJECT
    /// \brief Path of the arrow drawn while enabled; style sheet `qproperty-arrowImage`.
    ///
    /// Loaded once when set, through CommonCtrls::getPixmapFromString(). A path that does not
    /// load draws no arrow while enabled.
    Q_PROPERTY(QString arrowImage READ arrowImage WRITE setArrowImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Path of the arrow drawn while disabled; style sheet
    /// `qproperty-arrowDisableImage`.
    ///
    /// Loaded like arrowImage. A path that does not load draws no arrow while disabled.
    Q_PROPERTY(QString arrowDisableImage READ arrowDisableImage WRITE setArrowDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the button as a child of parent, without arrows.
    explicit UxScrollButton(QWidget *parent = nullptr);

    /// \brief The enabled arrow's path as last set, also when it did not load.
    QString arrowImage();
    /// \brief Sets the enabled arrow's path and loads it; shows at the next repaint.
    void setArrowImage(const QString &path);
    /// \brief The disabled arrow's path as last set, also when it did not load.
    QString arrowDisableImage();
    /// \brief Sets the disabled arrow's path and loads it; shows at the next repaint.
    void setArrowDisableImage(const QString &path);

protected:
    /// \brief Paints the tool button, then the arrow for its state centred at its own size.
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_arrowImagePath;
    QPixmap m_arrowImage;
    QString m_arrowDisableImagePath;
    QPixmap m_arrowDisableImage;
};

#endif // UXSCROLLBUTTON_H
