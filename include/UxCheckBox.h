#ifndef UXCHECKBOX_H
#define UXCHECKBOX_H

#include "CommonCtrls.h"

#include <QCheckBox>
#include <QScopedPointer>

class UxDisabledSkin;

// A check box that, while disabled, paints a disabled-state image and its own caption
// over the normal QCheckBox painting.
//
// disableImage is the image's path; disableTextInfo is a comma list
// "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]". Missing fields keep their earlier
// values; a colour is taken only from texts of seven or eight fields.
// The image is stretched whole into (imageX, 0, width - imageWidthCut, height), also when
// the caption is empty; the caption goes left-aligned into
// (textX, 0, width - textWidthCut, height).
class COMMONCTRLS_EXPORT UxCheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxCheckBox(QWidget *parent = nullptr);
    ~UxCheckBox() override;

    QString disableImage();
    void setDisableImage(QString path);
    QString disableTextInfo();
    void setDisableTextInfo(QString info);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXCHECKBOX_H
