#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QMainWindow>

class GalleryPage;
class QComboBox;
class QTabWidget;
class SyntheticClip;

// The gallery's main window: one tab per subsystem and a zoom switch that sets the
// host zoom factor and applies the style sheet again, as a host does.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    QStringList pageNames() const;
    bool showPage(const QString &name); // name compared without case
    void setZoom(double zoom);

private Q_SLOTS:
    void onZoomChosen(int index);
    void applyStyle();

private:
    void addPage(GalleryPage *page);

    SyntheticClip *m_clip; // the video that the pages play
    QTabWidget *m_tabs;
    QComboBox *m_zoom;
    QList<GalleryPage *> m_pages;
};

#endif // GALLERYWINDOW_H
