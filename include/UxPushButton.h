#ifndef UXPUSHBUTTON_H
#define UXPUSHBUTTON_H

#include "CommonCtrls.h"

#include <QPushButton>
#include <QScopedPointer>

class UxDisabledSkin;

// A push button that, while disabled, paints a disabled-state image and its own
// caption over the normal QPushButton painting.
//
// disableImage is the image's path; disableTextInfo is a comma list
// "imageX,imageWidthCut,textX,textWidthCut,textY,textHeight,r,g,b[,a]" placing the
// image at (imageX, imageX, width - imageWidthCut, height - 2 * imageX) and the caption
// at (textX, textY, width - textWidthCut, textHeight). textY and textHeight are scaled
// by the screen's logical DPI against 96. Missing fields keep their earlier values.
class COMMONCTRLS_EXPORT UxPushButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxPushButton(QWidget *parent = nullptr);
    ~UxPushButton() override;

    QString disableImage();
    void setDisableImage(QString path);
    QString disableTextInfo();
    void setDisableTextInfo(QString info);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static const int stdDPI = 96; // the screen DPI that counts as 100 %

    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXPUSHBUTTON_H
