#ifndef BUTTONSPAGE_H
#define BUTTONSPAGE_H

#include "GalleryPage.h"

class QGroupBox;
class QPlainTextEdit;
class UxPushButton;

// Skinned push buttons, enabled and disabled side by side, plus a panel of buttons
// that are disabled through their parent.
class ButtonsPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit ButtonsPage(QWidget *parent = nullptr);
    void refresh() override;

private Q_SLOTS:
    void setTransportEnabled(bool enabled);

private:
    UxPushButton *addButton(const QString &skin, const QString &caption, bool enabled,
                            QWidget *parent);

    QList<UxPushButton *> m_buttons;
    QGroupBox *m_transport;
    QPlainTextEdit *m_styleExcerpt;
};

#endif // BUTTONSPAGE_H
