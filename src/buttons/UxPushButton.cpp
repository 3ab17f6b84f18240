#include "UxPushButton.h"

#include "UxDisabledSkin.h"
#include "frame/UxNumeric.h"

#include <QPainter>

const int UxPushButton::stdDPI;

UxPushButton::UxPushButton(QWidget *parent)
    : QPushButton(parent)
    , m_skin(new UxDisabledSkin(UxDisabledSkin::InfoForm::Long, stdDPI))
{
}

UxPushButton::~UxPushButton() = default;

QString UxPushButton::disableImage()
{
    return m_skin->imagePath();
}

void UxPushButton::setDisableImage(QString path)
{
    m_skin->setImagePath(path);
}

QString UxPushButton::disableTextInfo()
{
    return m_skin->textInfo();
}

void UxPushButton::setDisableTextInfo(QString info)
{
    m_skin->setTextInfo(info);
}

void UxPushButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QString caption = text();
    if (!m_skin->isDue(*this) || caption.isEmpty())
        return;
    const qint64 w = width();
    const qint64 h = height();
    const qint64 imageX = m_skin->imageX();
    // The artwork's outer 4 pixels are a frame that is not drawn.
    m_skin->drawImage(painter, uxRect(imageX, imageX, w - m_skin->imageWidthCut(), h - 2 * imageX),
                      4, 4, 8, 8);
    m_skin->drawCaption(
        painter, caption,
        uxRect(m_skin->textX(), m_skin->textY(), w - m_skin->textWidthCut(), m_skin->textHeight()),
        Qt::AlignHCenter | Qt::AlignVCenter);
}
