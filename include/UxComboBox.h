#ifndef UXCOMBOBOX_H
#define UXCOMBOBOX_H

#include "CommonCtrls.h"

#include <QComboBox>
#include <QScopedPointer>

class UxDisabledSkin;

// A combo box that, while disabled and showing an item, paints a disabled-state image and
// its current text over the normal QComboBox painting.
//
// disableImage is the image's path; disableTextInfo is a comma list
// "imageX,imageWidthCut,textX,textWidthCut,textY,textHeight,r,g,b[,a]" placing the
// image at (imageX, 3, width - imageWidthCut, height - 6), drawn from the artwork's
// columns imageX to width - imageWidthCut and without its 4-pixel top and bottom frame,
// and the current text left-aligned at (textX, textY, width - textWidthCut, textHeight).
// textY and textHeight are scaled by the screen's logical DPI against 96.
class COMMONCTRLS_EXPORT UxComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QString disableImage READ disableImage WRITE setDisableImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString disableTextInfo READ disableTextInfo WRITE setDisableTextInfo
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit UxComboBox(QWidget *parent = nullptr);
    ~UxComboBox() override;

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

#endif // UXCOMBOBOX_H
