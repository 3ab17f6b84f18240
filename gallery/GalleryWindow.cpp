#include "GalleryWindow.h"

#include "GalleryClip.h"
#include "GalleryPage.h"
#include "GalleryStyle.h"
#include "pages/ButtonsPage.h"
#include "pages/CropPage.h"
#include "pages/HelpersPage.h"
#include "pages/ListsPage.h"
#include "pages/ProgressPage.h"
#include "pages/SeekPage.h"
#include "pages/VideoPage.h"

#include <UxResourceMgr.h>

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

GalleryWindow::GalleryWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_clip(new GalleryClip(this))
    , m_tabs(new QTabWidget(this))
    , m_zoom(new QComboBox(this))
    , m_theme(new QComboBox(this))
    , m_clipText(new QLabel(this))
{
    setWindowTitle(tr("CommonCtrls Gallery"));
    setAcceptDrops(true);
    QToolBar *bar = addToolBar(tr("View"));
    bar->setMovable(false);
    bar->addWidget(new QLabel(tr("Zoom"), bar));
    for (int percent : {100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    bar->addWidget(m_zoom);
    connect(m_zoom, SIGNAL(activated(int)), this, SLOT(onZoomChosen(int)));
    bar->addWidget(new QLabel(tr("Theme"), bar));
    m_theme->addItem(tr("Gallery"), QString());
    m_theme->addItem(tr("Dark"), QStringLiteral("dark"));
    m_theme->addItem(tr("Light"), QStringLiteral("light"));
    bar->addWidget(m_theme);
    connect(m_theme, SIGNAL(activated(int)), this, SLOT(applyStyle()));
    bar->addSeparator();
    QPushButton *open = new QPushButton(tr("Open video…"), bar);
    open->setEnabled(GalleryClip::canOpenFiles());
    connect(open, SIGNAL(clicked()), this, SLOT(chooseFile()));
    bar->addWidget(open);
    m_clipText->setObjectName(QStringLiteral("clipText"));
    m_clipText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(m_clipText);
    connect(m_clip, SIGNAL(clipChanged()), this, SLOT(showClip()));
    connect(m_clip, SIGNAL(openFailed(QString)), this, SLOT(showFailure(QString)));
    connect(m_clip, SIGNAL(playbackFailed(QString)), this, SLOT(showFailure(QString)));
    showClip();

    addPage(new ButtonsPage);
    addPage(new HelpersPage);
    addPage(new ProgressPage);
    addPage(new VideoPage(m_clip));
    addPage(new CropPage(m_clip));
    addPage(new SeekPage(m_clip));
    addPage(new ListsPage);
    m_clip->play();
    setCentralWidget(m_tabs);
    setZoom(UxResourceMgr::getZoomDPI());
}

void GalleryWindow::openFile(const QString &path)
{
    setClipText(tr("Opening %1…").arg(path), QString());
    m_clip->open(path);
}

void GalleryWindow::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open a video"), QString(),
        tr("Videos (*.mp4 *.mkv *.mov *.avi *.webm *.m4v *.mpg *.ts);;All files (*)"));
    if (!path.isEmpty())
        openFile(path);
}

void GalleryWindow::showClip()
{
    setClipText(tr("%1 · %2 x %3 · %4 frames at %5 per second")
                    .arg(m_clip->name())
                    .arg(m_clip->frameSize().width())
                    .arg(m_clip->frameSize().height())
                    .arg(m_clip->frameCount())
                    .arg(m_clip->framesPerSecond(), 0, 'g', 4),
                QString());
}

// A file that does not open leaves the clip that played before playing; one that fails
// to decode part of the way says so. The message says why.
void GalleryWindow::showFailure(const QString &reason)
{
    setClipText(reason, QStringLiteral("error"));
}

void GalleryWindow::setClipText(const QString &text, const QString &state)
{
    m_clipText->setText(text);
    m_clipText->setProperty("state", state); // the style sheet colours errors
    m_clipText->style()->unpolish(m_clipText);
    m_clipText->style()->polish(m_clipText);
}

void GalleryWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (GalleryClip::canOpenFiles() && urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void GalleryWindow::dropEvent(QDropEvent *event)
{
    openFile(event->mimeData()->urls().first().toLocalFile());
    event->acceptProposedAction();
}

void GalleryWindow::addPage(GalleryPage *page)
{
    m_pages.append(page);
    m_tabs->addTab(page, page->title());
    connect(page, SIGNAL(hostSettingsChanged()), this, SLOT(applyStyle()));
}

QStringList GalleryWindow::pageNames() const
{
    QStringList names;
    for (const GalleryPage *page : m_pages)
        names << page->title();
    return names;
}

bool GalleryWindow::showPage(const QString &name)
{
    for (GalleryPage *page : m_pages) {
        if (page->title().compare(name, Qt::CaseInsensitive) == 0) {
            m_tabs->setCurrentWidget(page);
            return true;
        }
    }
    return false;
}

void GalleryWindow::setZoom(double zoom)
{
    int index = m_zoom->findData(zoom);
    if (index < 0) {
        m_zoom->addItem(QStringLiteral("%1 %").arg(qRound(zoom * 100)), zoom);
        index = m_zoom->count() - 1;
    }
    m_zoom->setCurrentIndex(index);
    onZoomChosen(index);
}

bool GalleryWindow::setTheme(const QString &name)
{
    const int index = m_theme->findText(name, Qt::MatchFixedString); // without case
    if (index < 0)
        return false;
    m_theme->setCurrentIndex(index);
    applyStyle();
    return true;
}

void GalleryWindow::onZoomChosen(int index)
{
    UxResourceMgr::setZoomDPI(m_zoom->itemData(index).toDouble());
    applyStyle();
}

// Setting the style sheet again polishes every widget anew, so the skinned widgets'
// image properties load their pictures at the new zoom factor. The theme comes last, so
// its rules win over the gallery's where both style the same thing.
void GalleryWindow::applyStyle()
{
    qApp->setStyleSheet(galleryStyleSheet() + themeStyleSheet(m_theme->currentData().toString()));
    for (GalleryPage *page : m_pages)
        page->refresh();
}
