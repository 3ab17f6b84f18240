#include "PlayerWindow.h"

#include "ui_PlayerWindow.h"

#include <QPainter>
#include <QTime>
#include <QtMath>

namespace {

constexpr int kFramesPerSecond = 25;
constexpr int kFrameCount = 10 * kFramesPerSecond;
constexpr QSize kFrameSize(640, 360);

QTime timeOfFrame(int frame)
{
    return QTime(0, 0).addMSecs(frame * 1000 / kFramesPerSecond);
}

} // namespace

PlayerWindow::PlayerWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(new Ui::PlayerWindow)
{
    m_ui->setupUi(this);
    m_ui->viewer->setInputVideo(kFrameSize, false, false, false);
    m_ui->trimBar->setRange(0, kFrameCount - 1);
    m_ui->trimBar->setTrimStartEnd(kFramesPerSecond, kFrameCount - 1 - kFramesPerSecond,
                                   kFramesPerSecond);
    m_ui->timeEdit->setTimeRange(timeOfFrame(0), timeOfFrame(kFrameCount - 1));
    m_clock.setInterval(1000 / kFramesPerSecond);

    // The viewer never plays anything itself: its clicks and keys arrive as commands.
    connect(m_ui->viewer, &UxVideoViewer::actPlayOrPause, this, &PlayerWindow::togglePlay);
    connect(m_ui->viewer, &UxVideoViewer::volumChange, this, &PlayerWindow::changeVolume);
    connect(m_ui->btnPlay, &QPushButton::clicked, this, &PlayerWindow::togglePlay);
    connect(m_ui->trimBar, &UxTrimSeekingBar::valueChanged, this, &PlayerWindow::seek);
    connect(m_ui->trimBar, &UxTrimSeekingBar::trimStartChanged, this,
            &PlayerWindow::keepPositionInTrim);
    connect(m_ui->trimBar, &UxTrimSeekingBar::trimEndChanged, this,
            &PlayerWindow::keepPositionInTrim);
    connect(m_ui->timeEdit, &QTimeEdit::timeChanged, this, &PlayerWindow::seekToTime);
    connect(&m_clock, &QTimer::timeout, this, &PlayerWindow::advance);

    seek(m_ui->trimBar->trimStart());
}

PlayerWindow::~PlayerWindow() = default;

void PlayerWindow::togglePlay()
{
    if (m_clock.isActive()) {
        m_clock.stop();
    } else {
        if (m_frame >= m_ui->trimBar->trimEnd())
            seek(m_ui->trimBar->trimStart()); // play the kept range again from its start
        m_clock.start();
    }
    m_ui->btnPlay->setChecked(m_clock.isActive());
    m_ui->btnPlay->setText(m_clock.isActive() ? tr("Pause") : tr("Play"));
}

void PlayerWindow::advance()
{
    // Playback stops on the out point.
    if (m_frame >= m_ui->trimBar->trimEnd()) {
        togglePlay();
        return;
    }
    seek(m_frame + 1);
}

void PlayerWindow::seek(int frame)
{
    if (m_showingPosition)
        return;
    m_frame = qBound(0, frame, kFrameCount - 1);
    showPosition();
}

void PlayerWindow::seekToTime(const QTime &time)
{
    seek(QTime(0, 0).msecsTo(time) * kFramesPerSecond / 1000);
}

void PlayerWindow::changeVolume(int delta)
{
    m_ui->volume->setValue(m_ui->volume->value() + delta);
}

void PlayerWindow::keepPositionInTrim()
{
    seek(qBound(m_ui->trimBar->trimStart(), m_frame, m_ui->trimBar->trimEnd()));
}

void PlayerWindow::showPosition()
{
    // Setting the controls makes them emit; those echoes must not seek again.
    m_showingPosition = true;
    m_ui->viewer->onUpdateVideo(paintFrame(m_frame));
    m_ui->trimBar->setValue(m_frame);
    m_ui->timeEdit->setTime(timeOfFrame(m_frame));
    m_ui->keptProgress->setRange(m_ui->trimBar->trimStart(), m_ui->trimBar->trimEnd());
    m_ui->keptProgress->setValue(m_frame);
    m_showingPosition = false;
}

QImage PlayerWindow::paintFrame(int frame) const
{
    QImage image(kFrameSize, QImage::Format_RGB32);
    QPainter painter(&image);
    const qreal progress = qreal(frame) / (kFrameCount - 1);
    QLinearGradient sky(0, 0, 0, kFrameSize.height());
    sky.setColorAt(0, QColor::fromHsvF(0.55 + 0.1 * progress, 0.6, 0.9));
    sky.setColorAt(1, QColor::fromHsvF(0.08, 0.7, 0.35 + 0.4 * progress));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 214, 102));
    painter.setPen(Qt::NoPen);
    const qreal x = 60 + progress * (kFrameSize.width() - 120);
    painter.drawEllipse(QPointF(x, 220 - 140 * qSin(progress * M_PI)), 36, 36);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect().adjusted(0, 0, -24, -16), Qt::AlignRight | Qt::AlignBottom,
                     timeOfFrame(frame).toString("mm:ss.zzz"));
    return image;
}
