#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QMainWindow>

class GalleryPage;
class QComboBox;
class QLabel;
class QTabWidget;
class GalleryClip;

// The gallery's main window: one tab per subsystem, a zoom switch that sets the host
// zoom factor and applies the style sheet again, as a host does, a theme switch that lays
// an application-wide theme over the gallery's own sheet, and an Open button
// (or a file dropped on the window) that makes a video file the clip the pages play.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    QStringList pageNames() const;
    bool showPage(const QString &name); // name compared without case
    void setZoom(double zoom);
    bool setTheme(const QString &name); // "gallery", "dark" or "light", without case
    void openFile(const QString &path);
    const GalleryClip *clip() const { return m_clip; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private Q_SLOTS:
    void onZoomChosen(int index);
    void applyStyle();
    void chooseFile();
    void showClip();
    void showFailure(const QString &reason);

private:
    void addPage(GalleryPage *page);
    void setClipText(const QString &text, const QString &state);

    GalleryClip *m_clip; // the video that the pages play
    QTabWidget *m_tabs;
    QComboBox *m_zoom;
    QComboBox *m_theme; // a host's theme laid over the gallery's sheet
    QLabel *m_clipText;
    QList<GalleryPage *> m_pages;
};

#endif // GALLERYWINDOW_H
