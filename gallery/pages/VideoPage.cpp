#include "VideoPage.h"

#include "GalleryClip.h"
#include "GalleryStyle.h"
#include "ThumbnailSource.h"

#include <UxAutoTimeEidt.h>
#include <UxPlaySeekingBar.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoViewer.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTime>
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

QTime timeOfFrame(const GalleryClip &clip, int frame)
{
    return QTime(0, 0).addMSecs(int(clip.msecsOfFrame(frame)));
}

} // namespace

VideoPage::VideoPage(GalleryClip *clip, QWidget *parent)
    : GalleryPage(tr("Video"), parent)
    , m_clip(clip)
    , m_viewer(new UxVideoViewer(this))
    , m_state(new QLabel(this))
    , m_volumeText(new QLabel(this))
    , m_dropped(new QLabel(this))
{
    m_viewer->setFocusPolicy(Qt::StrongFocus); // keys reach a viewer the host gives focus
    m_viewer->setMarginColor(kColours[1].second);
    m_viewer->setPaddingColor(kColours[0].second);
    m_viewer->setMinimumSize(320, 180);

    // The viewer only emits player commands; the page is the player.
    m_clip->attach(m_viewer);
    connect(m_clip, SIGNAL(playingChanged(bool)), this, SLOT(showPlayState(bool)));
    connect(m_viewer, SIGNAL(actPlayOrPause()), m_clip, SLOT(togglePlay()));
    connect(m_viewer, SIGNAL(volumChange(int)), this, SLOT(changeVolume(int)));
    connect(m_viewer, SIGNAL(changeScreen()), this, SLOT(openFullScreenViewer()));
    connect(m_viewer, SIGNAL(outFullscreen()), this, SLOT(leaveFullScreen()));
    connect(m_clip, SIGNAL(positionChanged(int)), this, SLOT(showPosition(int)));
    connect(m_clip, SIGNAL(droppedFramesChanged(int)), this, SLOT(showDropped(int)));
    connect(m_clip, SIGNAL(clipChanged()), this, SLOT(adoptClip()));
    m_viewer->installEventFilter(this); // frame steps on its keys

    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Video surface"), "title", this));
    page->addWidget(makeLabel(tr("Click to pause or resume, double-click for full screen (Escape "
                                 "leaves), wheel or arrow keys for the volume; paused, comma and "
                                 "period step one frame back and forward (Shift: one second). "
                                 "Open a video file from the tool bar, or drop one on the "
                                 "window."),
                              "note", this));
    QHBoxLayout *row = new QHBoxLayout;
    row->addWidget(m_viewer, 1);
    row->addWidget(makeControls());
    page->addLayout(row, 1);
    page->addWidget(makeTransport());
    showPlayState(m_clip->isPlaying());
    changeVolume(0);
    adoptClip();
}

// Comma and period step back and forward by a frame, with Shift by a second's worth.
bool VideoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return GalleryPage::eventFilter(watched, event);
    const QKeyEvent *key = static_cast<QKeyEvent *>(event);
    const int frames =
        GalleryClip::framesForStepKey(key->key(), key->modifiers(), m_clip->framesPerSecond());
    if (frames == 0)
        return GalleryPage::eventFilter(watched, event);
    m_clip->step(frames);
    return true;
}

// Under the picture: the seek bar, the time editor and the player's state.
QWidget *VideoPage::makeTransport()
{
    QWidget *transport = new QWidget(this);
    QVBoxLayout *rows = new QVBoxLayout(transport);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(makeSeekBar(transport));
    QHBoxLayout *status = new QHBoxLayout;
    m_time = new UxAutoTimeEidt(transport);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss.zzz"));
    connect(m_time, SIGNAL(timeChanged(QTime)), this, SLOT(seekToTime(QTime)));
    status->addWidget(m_time);
    status->addSpacing(24);
    status->addWidget(m_state);
    status->addSpacing(24);
    status->addWidget(m_volumeText);
    status->addSpacing(24);
    status->addWidget(m_dropped);
    status->addStretch();
    // The same loop as the Seek page's: the kept range over and over.
    QCheckBox *loop = new QCheckBox(tr("Loop"), transport);
    loop->setChecked(m_clip->isLooping());
    connect(loop, SIGNAL(toggled(bool)), m_clip, SLOT(setLooping(bool)));
    connect(m_clip, SIGNAL(loopingChanged(bool)), loop, SLOT(setChecked(bool)));
    status->addWidget(loop);
    rows->addLayout(status);
    return transport;
}

// A seek bar that follows the clip, seeks it on a click, shows the kept range as its
// usable range and previews the frame under the pointer. The page and the full-screen
// control bar each have one.
UxPlaySeekingBar *VideoPage::makeSeekBar(QWidget *parent)
{
    UxPlaySeekingBar *bar = new UxPlaySeekingBar(parent);
    bar->setOrientation(Qt::Horizontal);
    const auto span = [this, bar] {
        bar->setRange(0, qMax(0, m_clip->frameCount() - 1));
        bar->setUsableRange(m_clip->inPoint(), m_clip->outPoint());
        bar->setValue(m_clip->position());
    };
    span();
    bar->setChapters(m_clip->chapters(), m_clip->chapterTitles());
    connect(m_clip, &GalleryClip::clipChanged, bar, span);
    connect(m_clip, &GalleryClip::chaptersChanged, bar, &UxPlaySeekingBar::setChapters);
    connect(m_clip, &GalleryClip::playRangeChanged, bar, &UxPlaySeekingBar::setUsableRange);
    connect(m_clip, SIGNAL(positionChanged(int)), bar, SLOT(setValue(int)));
    connect(bar, SIGNAL(valueChanged(int)), m_clip, SLOT(seek(int)));
    m_clip->thumbnails()->serve(bar, bar); // a picture of the frame under the pointer
    return bar;
}

void VideoPage::adoptClip()
{
    setInputVideo(m_viewer);
    if (m_fullScreen)
        setInputVideo(m_fullScreen);
    const QSignalBlocker quiet(m_time);
    m_time->setTimeRange(QTime(0, 0), timeOfFrame(*m_clip, qMax(0, m_clip->frameCount() - 1)));
    showPosition(m_clip->position());
    showDropped(m_clip->droppedFrames());
}

void VideoPage::setInputVideo(UxVideoViewer *viewer)
{
    // The stored size: a file's frames bring their sample aspect and rotation along.
    viewer->setInputVideo(m_clip->frameSize(), m_layout > 0, m_layout == 2, m_layout == 3);
    m_clip->showCurrentFrame(viewer);
}

void VideoPage::showPosition(int frame)
{
    const QSignalBlocker quiet(m_time); // showing the position is not a request to seek
    m_time->setTime(timeOfFrame(*m_clip, frame));
}

void VideoPage::seekToTime(const QTime &time)
{
    m_clip->seek(m_clip->frameAt(QTime(0, 0).msecsTo(time)));
}

void VideoPage::showDropped(int total)
{
    m_dropped->setText(total == 1 ? tr("1 frame dropped") : tr("%1 frames dropped").arg(total));
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
    form->addRow(makeZoomControls(m_viewer, panel));

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

// For a file the choice says how to read its frames; the test pattern paints them so.
void VideoPage::chooseLayout(int index)
{
    m_layout = index;
    m_clip->setLayout(index == 2 ? ClipSource::TopAndBottom
                                 : (index > 0 ? ClipSource::SideBySide : ClipSource::Flat));
    adoptClip();
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
        m_clip->showCurrentFrame(m_viewer);
}

QWidget *VideoPage::makeControlBar(QWidget *parent)
{
    QWidget *bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("controlBar"));
    QHBoxLayout *layout = new QHBoxLayout(bar);
    QPushButton *play = new QPushButton(tr("Play / Pause"), bar);
    connect(play, SIGNAL(clicked()), m_clip, SLOT(togglePlay()));
    UxPlaySeekingBar *position = makeSeekBar(bar);
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
        setInputVideo(m_fullScreen);
        m_fullScreen->setControlBar(makeControlBar(nullptr));
        m_clip->attach(m_fullScreen);
        connect(m_fullScreen, SIGNAL(actPlayOrPause()), m_clip, SLOT(togglePlay()));
        connect(m_fullScreen, SIGNAL(volumChange(int)), this, SLOT(changeVolume(int)));
        connect(m_fullScreen, SIGNAL(changeScreen()), m_fullScreen, SLOT(close()));
        connect(m_fullScreen, SIGNAL(outFullscreen()), m_fullScreen, SLOT(close()));
    }
    setInputVideo(m_fullScreen);
    if (const QScreen *screen = window()->screen())
        m_fullScreen->setGeometry(screen->geometry()); // also without a window manager
    m_fullScreen->showFullScreen(); // in the full-screen state Escape asks to leave
    m_fullScreen->activateWindow();
    m_fullScreen->setFocus();
}
