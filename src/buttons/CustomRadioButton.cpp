#include "CustomRadioButton.h"

#include <QStyle>
#include <QStyleOptionButton>

CustomRadioButton::CustomRadioButton(QWidget *parent)
    : QRadioButton(parent)
{
}

QRect CustomRadioButton::indicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    const QRect contents = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    indicator.setTop(0);
    indicator.setRight(contents.left());
    return indicator;
}
