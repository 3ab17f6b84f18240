#include "UxLineEditWithToolbutton.h"

#include <QToolButton>

namespace {

const int kRightGap = 5; // from the field's right edge to just past the button

} // namespace

UxLineEditWithToolbutton::UxLineEditWithToolbutton(QWidget *parent)
    : QLineEdit(parent)
{
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("btnOnLineEdit"));
    m_button->raise();
    m_button->setVisible(false); // shown when the pointer enters
    m_button->installEventFilter(this);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_button, SIGNAL(clicked()), this, SIGNAL(toolbuttonClicked()));
}

UxLineEditWithToolbutton::~UxLineEditWithToolbutton()
{
    delete m_button.data();
    m_button = nullptr;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
void UxLineEditWithToolbutton::enterEvent(QEnterEvent *event)
#else
void UxLineEditWithToolbutton::enterEvent(QEvent *event)
#endif
{
    QLineEdit::enterEvent(event);
    placeButton();
    if (m_button) {
        m_button->setVisible(true);
        m_button->raise();
    }
}

// Only the button goes: the field stays usable for the next enter.
void UxLineEditWithToolbutton::leaveEvent(QEvent *event)
{
    QLineEdit::leaveEvent(event);
    if (m_button)
        m_button->setVisible(false);
}

void UxLineEditWithToolbutton::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

// Keeps the button's size; only its position follows the field.
void UxLineEditWithToolbutton::placeButton()
{
    if (!m_button)
        return;
    QRect area = m_button->rect();
    area.moveCenter(QPoint(width() - kRightGap - m_button->width() / 2, height() / 2));
    m_button->setGeometry(area);
}
