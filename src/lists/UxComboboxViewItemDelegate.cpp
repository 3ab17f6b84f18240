#include "UxComboboxViewItemDelegate.h"

#include "frame/UxNumeric.h"

#include <QComboBox>
#include <QPainter>

#include <cmath>

namespace {

// Artwork-independent lengths times the zoom factor, halves rounded up, saturated.
int scaledRounded(int length, double zoom)
{
    return uxTruncToInt(std::floor(length * zoom + 0.5));
}

} // namespace

UxComboboxViewItemDelegate::UxComboboxViewItemDelegate(QComboBox *comboBox)
    : QItemDelegate(comboBox)
    , m_comboBox(comboBox)
    , m_textColorH("#ffffff")
    , m_textColorN("#454545")
    , m_bacColorH("#e5f4ff")
    , m_bacColorN("#ffffff")
{
}

void UxComboboxViewItemDelegate::setItemHeight(int height)
{
    m_itemHeight = height;
}

void UxComboboxViewItemDelegate::setItemWidth(int width)
{
    m_itemWidth = width;
}

void UxComboboxViewItemDelegate::setTextLeftMargin(int margin)
{
    m_textLeftMargin = margin;
}

void UxComboboxViewItemDelegate::setCheckImageHeight(int height)
{
    m_checkImageHeight = height;
}

void UxComboboxViewItemDelegate::setCheckImageWidth(int width)
{
    m_checkImageWidth = width;
}

void UxComboboxViewItemDelegate::setTextColorH(const QColor &color)
{
    m_textColorH = color;
}

void UxComboboxViewItemDelegate::setTextColorN(const QColor &color)
{
    m_textColorN = color;
}

void UxComboboxViewItemDelegate::setBacColorH(const QColor &color)
{
    m_bacColorH = color;
}

void UxComboboxViewItemDelegate::setBacColorN(const QColor &color)
{
    m_bacColorN = color;
}

void UxComboboxViewItemDelegate::setCheckImage(const QString &images)
{
    m_checkImage = images;
    const QStringList parts = images.split(QLatin1Char('*'), Qt::KeepEmptyParts);
    if (parts.size() != 2)
        return;
    // Loaded as named and brought to the zoom factor; null if a part does not load.
    m_checkN = CommonCtrls::getPixmapFromString(parts[0]);
    m_checkH = CommonCtrls::getPixmapFromString(parts[1]);
}

QSize UxComboboxViewItemDelegate::sizeHint(const QStyleOptionViewItem &,
                                           const QModelIndex &index) const
{
    if (!index.isValid())
        return QSize(0, 0);
    const double zoom = CommonCtrls::getDpi();
    return QSize(scaledRounded(m_itemWidth, zoom), scaledRounded(m_itemHeight, zoom));
}

void UxComboboxViewItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    if (!index.isValid() || !painter)
        return;
    // The caption is the combo box's, which may differ from the model's display text.
    const QComboBox *combo = m_comboBox.data();
    const bool isCurrent = combo && index.row() == combo->currentIndex();
    const QString caption = combo ? combo->itemText(index.row()) : QString();

    painter->save();
    const int margin = uxClampCoordinate(uxTruncToInt(m_textLeftMargin * CommonCtrls::getDpi()));
    const QRect row = option.rect;
    QRect textRect = row;
    textRect.setLeft(margin); // an absolute x: the popup's rows all start at 0

    // Centred in the strip left of the text and vertically in the row.
    QRect checkRect(QPoint(0, 0), m_checkN.size());
    checkRect.moveCenter(QPoint(uxClampCoordinate((qint64(row.left()) * 2 + margin - 1) / 2),
                                uxClampCoordinate((qint64(row.top()) + row.bottom()) / 2)));

    const bool hover = option.state & QStyle::State_MouseOver;
    painter->fillRect(row, hover ? m_bacColorH : m_bacColorN);
    const QPixmap &check = hover ? m_checkH : m_checkN;
    if (isCurrent && !check.isNull() && !checkRect.isEmpty())
        painter->drawPixmap(QRectF(checkRect), check, QRectF()); // scaled to the normal size
    painter->setPen(hover ? m_textColorH : m_textColorN);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter->restore();
}
