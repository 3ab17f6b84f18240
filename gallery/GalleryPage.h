#ifndef GALLERYPAGE_H
#define GALLERYPAGE_H

#include <QLabel>
#include <QVariant>
#include <QWidget>

// One page of the gallery. refresh() runs after every change of the zoom factor or of
// the host parameters, once the style sheet has been applied again, so that a page
// can resize what the style sheet does not size.
class GalleryPage : public QWidget
{
    Q_OBJECT

public:
    explicit GalleryPage(const QString &title, QWidget *parent = nullptr)
        : QWidget(parent)
        , m_title(title)
    {
    }

    QString title() const { return m_title; }

    // A label that the gallery's style sheet styles by its role: "title", "note" or
    // "column".
    static QLabel *makeLabel(const QString &text, const char *role, QWidget *parent)
    {
        QLabel *label = new QLabel(text, parent);
        label->setProperty("role", QString::fromLatin1(role));
        label->setWordWrap(true);
        return label;
    }
    virtual void refresh() {}

Q_SIGNALS:
    // The page changed a host setting; the window re-applies the style sheet.
    void hostSettingsChanged();

private:
    QString m_title;
};

#endif // GALLERYPAGE_H
