#ifndef UXCOMBOBOXVIEWITEMDELEGATE_H
#define UXCOMBOBOXVIEWITEMDELEGATE_H

#include "CommonCtrls.h"

#include <QColor>
#include <QItemDelegate>
#include <QPixmap>
#include <QPointer>

class QComboBox;

// Draws the rows of a combo box's popup list: a flat normal or hover background, the
// combo box's item text at a fixed left margin and a check mark in front of its
// current item. Every valid row has the same size.
//
// Item width, item height and text margin are lengths at 100 %, multiplied by the zoom
// factor (200 x 20 rows with text at x 30 at 100 %). setCheckImage takes
// "normal.png*hover.png"; each picture is loaded and brought to the zoom factor, and
// the check mark is drawn at the normal picture's size, centred in the strip left of
// the text. The check image width and height are kept for the host only. Setters
// take effect at the popup's next layout or repaint.
//
// The delegate is a child of its combo box and follows it; it holds the combo box
// weakly and paints rows without text or check mark once the combo box is gone.
class COMMONCTRLS_EXPORT UxComboboxViewItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit UxComboboxViewItemDelegate(QComboBox *comboBox);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    void setItemHeight(int height);
    void setItemWidth(int width);
    void setTextLeftMargin(int margin);
    void setCheckImageHeight(int height);
    void setCheckImageWidth(int width);
    void setTextColorH(const QColor &color);
    void setTextColorN(const QColor &color);
    void setBacColorH(const QColor &color);
    void setBacColorN(const QColor &color);
    // "normal*hover"; any other number of "*"-parts keeps both pictures.
    void setCheckImage(const QString &images);

private:
    QPointer<QComboBox> m_comboBox;
    int m_itemHeight = 20;
    int m_itemWidth = 200;
    int m_textLeftMargin = 30;
    int m_checkImageHeight = 16;
    int m_checkImageWidth = 16;
    QString m_checkImage;
    QColor m_textColorH;
    QColor m_textColorN;
    QColor m_bacColorH;
    QColor m_bacColorN;
    QPixmap m_checkN;
    QPixmap m_checkH;
};

#endif // UXCOMBOBOXVIEWITEMDELEGATE_H
