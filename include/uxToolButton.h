#ifndef UXTOOLBUTTON_H
#define UXTOOLBUTTON_H

#include "CommonCtrls.h"

#include <QScopedPointer>
#include <QToolButton>

class UxDisabledSkin;

// A tool button that, while disabled and captioned, paints a disabled-state image and its
// own caption over the normal QToolButton painting.
//
// disableImage is the image's path; disableTextInfo is a comma list
// "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]". Missing fields keep their earlier
// values; a colour is taken only from texts of seven or eight fields.
// The image, less a 3-pixel artwork frame, is stretched into
// (imageX, 3, width - imageWidthCut, height - 6); the caption goes into
// (textX, 3, width - textWidthCut, height - 6), aligned by textAlign: 0 left, 1 right,
// 2 centred, anything else left.
class COMMONCTRLS_EXPORT uxToolButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(
        int textAlign READ textAlign WRITE setTextAlign DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit uxToolButton(QWidget *parent = nullptr);
    ~uxToolButton() override;

    QString disableImage();
    void setDisableImage(QString path);
    QString disableTextInfo();
    void setDisableTextInfo(QString info);
    int textAlign();
    void setTextAlign(int align);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_textAlign = 0;
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXTOOLBUTTON_H
