#include "VideoPage.h"

#include "GalleryStyle.h"
#include "SyntheticClip.h"

#include <UxVideoFullScreenViewer.h>
#include <UxVideoViewer.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const QList<QPair<QString, QColor>> kColours = {
    {QObject::tr("Black"), QColor(0, 0, 0)},
    {QObject::tr("Slate"), QColor(0x2b, 0x30, 0x38)},
    {QObject::tr("Night blue"), QColor(0x10, 0x1c, 0x34)},
    {QObject::tr("White"), QColor(255, 255, 255)}};

QComboBox *colourChoice(int initial, QWidget *parent)
{
    QComboBox *box = new QComboBox(parent);
    for (const auto &colour : kColours)
        box->addItem(colour.first, colour.second);
    box->setCurrentIndex(initial);
    return box;
}

} // namespace

VideoPage::VideoPage(SyntheticClip *clip, QWidget *parent)
    : GalleryPage(tr("Video"), parent)
    , m_clip(clip)
    , m_viewer(new UxVideoViewer(this))
    , m_state(new QLabel(this))
    , m_volumeText(new QLabel(this))
{
    m_viewer->setFocusPolicy(Qt::StrongFocus); // keys reach a viewer the host gives focus
    m_viewer->setMarginColor(kColours[1].second);
    m_viewer->setPaddingColor(kColours[0].second);
    m_viewer->setInputVideo(m_clip->frameSize(), false, false, false);
    m_viewer->onUpdateVideo(m_clip->currentFrame());
    m_viewer->setMinimumSize(320, 180);

    // The viewer only emits player commands; the page is the player.
    connect(m_clip, SIGNAL(frameReady(QImage)), m_viewer, SLOT(onUpdateVideo(QImage)));
    connect(m_clip, SIGNAL(playingChanged(bool)), this, SLOT(showPlayState(bool)));
    connect(m_viewer, SIGNAL(actPlayOrPause()), m_clip, SLOT(togglePlay()));
    connect(m_viewer, SIGNAL(volumChange(int)), this, SLOT(changeVolume(int)));
    connect(m_viewer, SIGNAL(changeScreen()), m_viewer, SLOT(toggleFullscreen()));
    connect(m_viewer, SIGNAL(outFullscreen()), this, SLOT(leaveFullScreen()));

    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Video surface"), "title", this));
    page->addWidget(makeLabel(tr("Click to pause or resume, double-click for full screen (Escape "
                                 "leaves), wheel or arrow keys for the volume."),
                              "note", this));
    QHBoxLayout *row = new QHBoxLayout;
    row->addWidget(m_viewer, 1);
    row->addWidget(makeControls());
    page->addLayout(row, 1);
    QHBoxLayout *status = new QHBoxLayout;
    status->addWidget(m_state);
    status->addSpacing(24);
    status->addWidget(m_volumeText);
    status->addStretch();
    page->addLayout(status);
    showPlayState(m_clip->isPlaying());
    changeVolume(0);
}

QWidget *VideoPage::makeControls()
{
    QWidget *panel = new QWidget(this);
    QFormLayout *form = new QFormLayout(panel);
    QComboBox *aspect = new QComboBox(panel);
    aspect->addItems({tr("Automatic"), tr("4:3"), tr("16:9")});
    connect(aspect, SIGNAL(activated(int)), this, SLOT(chooseAspect(int)));
    form->addRow(tr("Aspect ratio"), aspect);

    QComboBox *layout = new QComboBox(panel);
    layout->addItems({tr("2D"), tr("3D side by side"), tr("3D top and bottom"),
                      tr("3D side by side, unstretched")});
    connect(layout, SIGNAL(activated(int)), this, SLOT(chooseLayout(int)));
    form->addRow(tr("Input"), layout);

    QComboBox *margin = colourChoice(1, panel);
    connect(margin, SIGNAL(activated(int)), this, SLOT(chooseMargin(int)));
    form->addRow(tr("Margin"), margin);
    QComboBox *padding = colourChoice(0, panel);
    connect(padding, SIGNAL(activated(int)), this, SLOT(choosePadding(int)));
    form->addRow(tr("Padding"), padding);

    QCheckBox *tile = new QCheckBox(tr("Padding image"), panel);
    connect(tile, SIGNAL(toggled(bool)), this, SLOT(setPaddingImage(bool)));
    form->addRow(tile);
    QCheckBox *still = new QCheckBox(tr("Still picture"), panel);
    connect(still, SIGNAL(toggled(bool)), this, SLOT(setStillPicture(bool)));
    form->addRow(still);

    QPushButton *fullScreen = new QPushButton(tr("Full-screen viewer"), panel);
    connect(fullScreen, SIGNAL(clicked()), this, SLOT(openFullScreenViewer()));
    form->addRow(fullScreen);
    return panel;
}

void VideoPage::changeVolume(int delta)
{
    m_volume = qBound(0, m_volume + delta, 100);
    m_volumeText->setText(tr("Volume %1 %").arg(m_volume));
}

void VideoPage::showPlayState(bool playing)
{
    m_state->setText(playing ? tr("Playing") : tr("Paused"));
}

void VideoPage::leaveFullScreen()
{
    if (m_viewer->isFullScreen())
        m_viewer->toggleFullscreen();
}

void VideoPage::chooseAspect(int index)
{
    m_viewer->setAspectRatio(UxVideoViewer::AspectRatio(index));
}

void VideoPage::chooseLayout(int index)
{
    const bool is3D = index > 0;
    m_clip->setLayout(index == 2 ? SyntheticClip::TopAndBottom
                                 : (is3D ? SyntheticClip::SideBySide : SyntheticClip::Flat));
    m_viewer->setInputVideo(m_clip->frameSize(), is3D, index == 2, index == 3);
}

void VideoPage::chooseMargin(int index)
{
    m_viewer->setMarginColor(kColours.value(index).second);
}

void VideoPage::choosePadding(int index)
{
    m_viewer->setPaddingColor(kColours.value(index).second);
}

void VideoPage::setPaddingImage(bool on)
{
    m_viewer->setPaddingBrush(on ? QStringLiteral(":/artwork/padding_tile.png") : QString());
    m_viewer->update(); // the padding image's setter does not repaint
}

void VideoPage::setStillPicture(bool on)
{
    m_viewer->setShowStaticPicture(on, QImage(artworkPath(QStringLiteral("still_picture"))));
    if (!on)
        m_viewer->onUpdateVideo(m_clip->currentFrame());
}

QWidget *VideoPage::makeControlBar(QWidget *parent)
{
    QWidget *bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("controlBar"));
    QHBoxLayout *layout = new QHBoxLayout(bar);
    QPushButton *play = new QPushButton(tr("Play / Pause"), bar);
    connect(play, SIGNAL(clicked()), m_clip, SLOT(togglePlay()));
    QSlider *position = new QSlider(Qt::Horizontal, bar);
    position->setRange(0, m_clip->frameCount() - 1);
    connect(m_clip, SIGNAL(positionChanged(int)), position, SLOT(setValue(int)));
    connect(position, SIGNAL(sliderMoved(int)), m_clip, SLOT(seek(int)));
    QPushButton *close = new QPushButton(tr("Close"), bar);
    layout->addWidget(play);
    layout->addWidget(position, 1);
    layout->addWidget(close);
    connect(close, SIGNAL(clicked()), m_fullScreen, SLOT(close()));
    return bar;
}

// The full-screen viewer is a window of its own; its bar shows at the bottom edge.
void VideoPage::openFullScreenViewer()
{
    if (!m_fullScreen) {
        m_fullScreen = new UxVideoFullScreenViewer(this);
        m_fullScreen->setFocusPolicy(Qt::StrongFocus);
        m_fullScreen->setInputVideo(m_clip->frameSize(), false, false, false);
        m_fullScreen->setControlBar(makeControlBar(nullptr));
        connect(m_clip, SIGNAL(frameReady(QImage)), m_fullScreen, SLOT(onUpdateVideo(QImage)));
        connect(m_fullScreen, SIGNAL(actPlayOrPause()), m_clip, SLOT(togglePlay()));
        connect(m_fullScreen, SIGNAL(volumChange(int)), this, SLOT(changeVolume(int)));
        connect(m_fullScreen, SIGNAL(changeScreen()), m_fullScreen, SLOT(close()));
        connect(m_fullScreen, SIGNAL(outFullscreen()), m_fullScreen, SLOT(close()));
    }
    m_fullScreen->onUpdateVideo(m_clip->currentFrame());
    if (const QScreen *screen = window()->screen())
        m_fullScreen->setGeometry(screen->geometry()); // also without a window manager
    m_fullScreen->showFullScreen(); // in the full-screen state Escape asks to leave
    m_fullScreen->activateWindow();
    m_fullScreen->setFocus();
}
