#ifndef UXCOMBOBOXVIEWITEMDELEGATE_H
#define UXCOMBOBOXVIEWITEMDELEGATE_H

#include "CommonCtrls.h"

#include <QColor>
#include <QItemDelegate>
#include <QPixmap>
#include <QPointer>

class QComboBox;

/// \brief Draws the rows of a combo box's popup list: a flat normal or hover background, the
/// combo box's item text at a fixed left margin and a check mark in front of its
/// current item. Every valid row has the same size.
///
/// Item width, item height and text margin are lengths at 100 %, multiplied by the zoom
/// factor (200 x 20 rows with text at x 30 at 100 %). setCheckImage() takes
/// "normal.png*hover.png"; each picture is loaded and brought to the zoom factor, and
/// the check mark is drawn at the normal picture's size, centred in the strip left of
/// the text. The check image width and height are kept for the host only. Setters
/// take effect at the popup's next layout or repaint; none of them checks its value.
///
/// The delegate is a child of its combo box and follows it; it holds the combo box
/// weakly and paints rows without text or check mark once the combo box is gone.
class COMMONCTRLS_EXPORT UxComboboxViewItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    /// \brief Creates the delegate as a child of comboBox, for its rows.
    ///
    /// The host still installs it with QComboBox::setItemDelegate(). A null comboBox gives
    /// rows without text or check mark.
    explicit UxComboboxViewItemDelegate(QComboBox *comboBox);

    /// \brief Fills the row with the normal or hover background, draws the check mark in
    /// front of the combo box's current item and the item's text.
    ///
    /// The text is the combo box's itemText(), which may differ from the model's display
    /// text, left-aligned and vertically centred from x = trunc(text margin * zoom). An
    /// invalid index or a null painter draws nothing.
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    /// \brief Item width by item height, each times the zoom factor and rounded to the
    /// nearest pixel; 0 by 0 for an invalid index.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    /// \brief Row height at 100 % (20 at first).
    void setItemHeight(int height);
    /// \brief Row width at 100 % (200 at first).
    void setItemWidth(int width);
    /// \brief x of the text at 100 % (30 at first); the check mark is centred in the strip
    /// left of it.
    void setTextLeftMargin(int margin);
    /// \brief Kept for the host (16 at first); the check mark is drawn at the normal
    /// picture's size.
    void setCheckImageHeight(int height);
    /// \brief Kept for the host (16 at first); the check mark is drawn at the normal
    /// picture's size.
    void setCheckImageWidth(int width);
    /// \brief Text colour of the hovered row (`#ffffff` at first).
    void setTextColorH(const QColor &color);
    /// \brief Text colour of the other rows (`#454545` at first).
    void setTextColorN(const QColor &color);
    /// \brief Background of the hovered row (`#e5f4ff` at first).
    void setBacColorH(const QColor &color);
    /// \brief Background of the other rows (`#ffffff` at first).
    void setBacColorN(const QColor &color);
    /// \brief The check mark's pictures as "normal*hover" paths.
    ///
    /// Each is loaded through CommonCtrls::getPixmapFromString(); a picture that does not
    /// load shows no mark in its state, and without the normal picture no mark shows at all,
    /// as the mark takes its size. Any other number of "*"-parts keeps both pictures.
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
