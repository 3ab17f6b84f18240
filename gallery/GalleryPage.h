#ifndef GALLERYPAGE_H
#define GALLERYPAGE_H

#include <UxVideoViewer.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
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
    // Turns the viewer's zoom and pan gestures on and gives it a button back to the whole
    // picture, which shows the zoom, with a note on the gestures.
    static QWidget *makeZoomControls(UxVideoViewer *viewer, QWidget *parent)
    {
        viewer->setZoomGestures(true);
        QWidget *box = new QWidget(parent);
        QVBoxLayout *rows = new QVBoxLayout(box);
        rows->setContentsMargins(0, 0, 0, 0);
        QPushButton *reset = new QPushButton(box);
        const auto showZoom = [reset](double zoom) {
            reset->setText(tr("Reset zoom (%1×)").arg(zoom, 0, 'f', 1));
        };
        showZoom(viewer->zoom());
        connect(viewer, &UxVideoViewer::zoomChanged, reset, showZoom);
        connect(reset, &QPushButton::clicked, viewer, &UxVideoViewer::resetZoom);
        rows->addWidget(reset);
        rows->addWidget(makeLabel(tr("Ctrl+wheel zooms, middle-drag or Space+drag pans, Ctrl+0 "
                                     "resets."),
                                  "note", box));
        return box;
    }
    virtual void refresh() {}

Q_SIGNALS:
    // The page changed a host setting; the window re-applies the style sheet.
    void hostSettingsChanged();

private:
    QString m_title;
};

#endif // GALLERYPAGE_H
