#ifndef UXRADIOBUTTON_H
#define UXRADIOBUTTON_H

#include "CommonCtrls.h"

#include <QRadioButton>
#include <QScopedPointer>

class UxDisabledSkin;

// A radio button that, while disabled, paints a disabled-state image and its own caption
// over the normal QRadioButton painting, exactly as UxCheckBox does.
//
// disableImage is the image's path; disableTextInfo is a comma list
// "imageX,imageWidthCut,textX,textWidthCut,r,g,b[,a]". Missing fields keep their earlier
// values; a colour is taken only from texts of seven or eight fields.
class COMMONCTRLS_EXPORT UxRadioButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxRadioButton(QWidget *parent = nullptr);
    ~UxRadioButton() override;

    QString disableImage();
    void setDisableImage(QString path);
    QString disableTextInfo();
    void setDisableTextInfo(QString info);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QScopedPointer<UxDisabledSkin> m_skin;
};

#endif // UXRADIOBUTTON_H
