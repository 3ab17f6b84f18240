#include "GalleryWindow.h"

#include "GalleryPage.h"
#include "GalleryStyle.h"
#include "SyntheticClip.h"
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
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>

GalleryWindow::GalleryWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_clip(new SyntheticClip(this))
    , m_tabs(new QTabWidget(this))
    , m_zoom(new QComboBox(this))
{
    setWindowTitle(tr("CommonCtrls Gallery"));
    QToolBar *bar = addToolBar(tr("View"));
    bar->setMovable(false);
    bar->addWidget(new QLabel(tr("Zoom"), bar));
    for (int percent : {100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    bar->addWidget(m_zoom);
    connect(m_zoom, SIGNAL(activated(int)), this, SLOT(onZoomChosen(int)));

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

void GalleryWindow::onZoomChosen(int index)
{
    UxResourceMgr::setZoomDPI(m_zoom->itemData(index).toDouble());
    applyStyle();
}

// Setting the style sheet again polishes every widget anew, so the skinned widgets'
// image properties load their pictures at the new zoom factor.
void GalleryWindow::applyStyle()
{
    qApp->setStyleSheet(galleryStyleSheet());
    for (GalleryPage *page : m_pages)
        page->refresh();
}
