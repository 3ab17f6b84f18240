#include "SyntheticClip.h"

#include <QPainter>
#include <QtMath>

namespace {

QString timecode(int frame)
{
    const int fps = SyntheticClip::kFramesPerSecond;
    return QStringLiteral("%1:%2.%3")
        .arg(frame / fps / 60, 2, 10, QLatin1Char('0'))
        .arg(frame / fps % 60, 2, 10, QLatin1Char('0'))
        .arg(frame % fps, 2, 10, QLatin1Char('0'));
}

// One view of the pattern, drawn into a 1280 x 720 design space that the painter maps
// onto the view (squeezed to half size for stereoscopic frames). parallax shifts the
// moving parts, so that the two views of a pair differ as left and right eyes do.
void paintView(QPainter &p, int frame, const QString &eye, qreal parallax)
{
    static const QColor bars[] = {QColor(191, 191, 191), QColor(191, 191, 0), QColor(0, 191, 191),
                                  QColor(0, 191, 0),     QColor(191, 0, 191), QColor(191, 0, 0),
                                  QColor(0, 0, 191)};
    const qreal w = 1280, h = 720, barWidth = w / 7;
    for (int i = 0; i < 7; ++i)
        p.fillRect(QRectF(i * barWidth, 0, barWidth + 1, h * 0.7), bars[i]);
    QLinearGradient ramp(0, 0, w, 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    p.fillRect(QRectF(0, h * 0.7, w, h * 0.3), ramp);

    const qreal phase = (frame % 90) / 90.0;
    p.fillRect(QRectF(phase * w + parallax, 0, 8, h), QColor(255, 255, 255, 200)); // sweep line

    const QPointF centre(w / 2 + parallax, h * 0.42);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(QColor(20, 24, 30, 200));
    p.drawEllipse(centre, 150, 150);
    const qreal angle = phase * 2 * M_PI;
    p.drawLine(centre, centre + QPointF(qSin(angle) * 130, -qCos(angle) * 130));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(64);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(centre.x() - 150, centre.y() - 60, 300, 120), Qt::AlignCenter,
               QString::number(frame).rightJustified(4, QLatin1Char('0')));
    font.setPixelSize(40);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, h * 0.72, w - 30, 60), Qt::AlignRight | Qt::AlignVCenter, timecode(frame));
    if (!eye.isEmpty()) {
        p.setPen(Qt::white);
        p.drawText(QRectF(30, 20, 400, 60), Qt::AlignLeft | Qt::AlignVCenter, eye);
    }
}

} // namespace

SyntheticClip::SyntheticClip(QObject *parent)
    : ClipSource(parent)
{
    m_timer.setInterval(1000 / kFramesPerSecond);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(advance()));
}

// A chapter every five seconds, so that the seek bars show marks without a file.
QList<int> SyntheticClip::chapters() const
{
    QList<int> starts;
    for (int frame = 0; frame < frameCount(); frame += 5 * kFramesPerSecond)
        starts << frame;
    return starts;
}

QStringList SyntheticClip::chapterTitles() const
{
    QStringList titles;
    for (int i = 1; i <= chapters().size(); ++i)
        titles << tr("Chapter %1").arg(i);
    return titles;
}

void SyntheticClip::setLayout(Layout layout)
{
    m_layout = layout;
    render();
}

void SyntheticClip::play(int, int outPoint)
{
    m_outPoint = outPoint;
    m_timer.start();
}

void SyntheticClip::pause()
{
    m_timer.stop();
}

void SyntheticClip::seek(int frame)
{
    m_position = qBound(0, frame, frameCount() - 1);
    render();
}

void SyntheticClip::advance()
{
    if (m_position >= m_outPoint) { // as a file does: the player decides whether to loop
        m_timer.stop();
        Q_EMIT stopped(true);
        return;
    }
    ++m_position;
    render();
}

// The frame's views laid out on a picture of any size: the pattern is drawn in its design
// space and the painter maps that onto each view.
void SyntheticClip::paint(QPainter &p, const QSizeF &size, int frame, Layout layout)
{
    const QSizeF design(1280, 720);
    const qreal w = size.width(), h = size.height();
    // The views of a stereoscopic frame are each squeezed to half size.
    const QList<QPair<QRectF, QString>> views =
        layout == SideBySide
            ? QList<QPair<QRectF, QString>>{{{0, 0, w / 2, h}, "L"}, {{w / 2, 0, w / 2, h}, "R"}}
        : layout == TopAndBottom
            ? QList<QPair<QRectF, QString>>{{{0, 0, w, h / 2}, "L"}, {{0, h / 2, w, h / 2}, "R"}}
            : QList<QPair<QRectF, QString>>{{{0, 0, w, h}, ""}};
    for (int i = 0; i < views.size(); ++i) {
        const QRectF &view = views[i].first;
        p.save();
        p.setClipRect(view);
        p.translate(view.topLeft());
        p.scale(view.width() / design.width(), view.height() / design.height());
        paintView(p, frame, views[i].second, i == 0 ? 0 : -24);
        p.restore();
    }
}

void SyntheticClip::render()
{
    if (m_frame.size() != frameSize())
        m_frame = QImage(frameSize(), QImage::Format_RGB32);
    QPainter p(&m_frame);
    paint(p, frameSize(), m_position, m_layout);
    p.end();
    Q_EMIT frameShown(m_frame, m_position);
}
