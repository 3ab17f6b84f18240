#ifndef UXSCROLLBUTTON_H
#define UXSCROLLBUTTON_H

#include "CommonCtrls.h"

#include <QPixmap>
#include <QToolButton>

// A tool button that draws an arrow image centred over its normal QToolButton painting:
// arrowImage while enabled, arrowDisableImage while disabled, never the one in place of
// the other. The arrow keeps its own size (scaled to the zoom factor when it is set);
// it is not stretched to the button.
class COMMONCTRLS_EXPORT UxScrollButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString arrowImage READ arrowImage WRITE setArrowImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString arrowDisableImage READ arrowDisableImage WRITE setArrowDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxScrollButton(QWidget *parent = nullptr);

    QString arrowImage();
    void setArrowImage(const QString &path);
    QString arrowDisableImage();
    void setArrowDisableImage(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_arrowImagePath;
    QPixmap m_arrowImage;
    QString m_arrowDisableImagePath;
    QPixmap m_arrowDisableImage;
};

#endif // UXSCROLLBUTTON_H
