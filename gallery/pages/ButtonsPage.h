#ifndef BUTTONSPAGE_H
#define BUTTONSPAGE_H

#include "GalleryPage.h"

#include <QList>
#include <QPair>
#include <QSize>

class CustomRadioButton;
class QFrame;
class QGridLayout;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class UxScrollButton;

// The skinned button family, enabled and disabled side by side; a panel disabled
// through its parent; scroll buttons driving a list; radio buttons whose indicator
// column is outlined.
class ButtonsPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit ButtonsPage(QWidget *parent = nullptr);
    void refresh() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void setTransportEnabled(bool enabled);
    void scrollListUp();
    void scrollListDown();
    void updateScrollButtons();

private:
    void addFamilyRow(QGridLayout *grid, const QString &className,
                      QWidget *(*make)(const QString &caption, QWidget *parent),
                      const QString &caption, const QSize &artwork);
    QWidget *addSized(QWidget *widget, const QSize &artwork);
    QGroupBox *makeTransport(const QString &title);
    QGroupBox *makeScrollPanel();
    QGroupBox *makeRadioPanel();
    void outlineIndicators();

    QList<QPair<QWidget *, QSize>> m_sized; // widgets and their artwork sizes
    QGroupBox *m_transport = nullptr;
    QListWidget *m_list = nullptr;
    UxScrollButton *m_up = nullptr;
    UxScrollButton *m_down = nullptr;
    QList<QPair<CustomRadioButton *, QFrame *>> m_radios;
    QPlainTextEdit *m_styleExcerpt;
};

#endif // BUTTONSPAGE_H
