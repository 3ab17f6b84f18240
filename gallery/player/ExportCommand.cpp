#include "ExportCommand.h"

#include <QFileInfo>

namespace {

// Single quotes keep everything literal; a quote inside is closed, escaped and reopened.
QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString outputPath(const QString &input)
{
    if (input.isEmpty())
        return QStringLiteral("OUTPUT");
    const QFileInfo file(input);
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    return shellQuoted(file.path() + QLatin1Char('/') + file.completeBaseName() +
                       QLatin1String("-clip") + suffix);
}

QString seconds(int frames, double framesPerSecond)
{
    return QString::number(frames / (framesPerSecond > 0 ? framesPerSecond : 1.0), 'f', 3);
}

} // namespace

QRect uprightRect(const QRect &rect, const QSize &frameSize, int rotation)
{
    const int width = frameSize.width(), height = frameSize.height();
    switch ((rotation % 360 + 360) % 360) {
    case 90: // the stored left column becomes the top row
        return QRect(height - rect.bottom() - 1, rect.left(), rect.height(), rect.width());
    case 180:
        return QRect(width - rect.right() - 1, height - rect.bottom() - 1, rect.width(),
                     rect.height());
    case 270: // the stored top row becomes the left column
        return QRect(rect.top(), width - rect.right() - 1, rect.height(), rect.width());
    default:
        return rect;
    }
}

QString exportCommand(const QString &input, double framesPerSecond, int inPoint, int outPoint,
                      const QRect &stored, const QSize &frameSize, int rotation)
{
    const QRect crop = uprightRect(stored, frameSize, rotation);
    // -ss and -to before -i are positions in the input; the out point's frame is kept.
    return QStringLiteral("ffmpeg -ss %1 -to %2 -i %3 -vf crop=%4:%5:%6:%7 -c:a copy %8")
        .arg(seconds(inPoint, framesPerSecond), seconds(outPoint + 1, framesPerSecond),
             input.isEmpty() ? QStringLiteral("INPUT") : shellQuoted(input))
        .arg(crop.width())
        .arg(crop.height())
        .arg(crop.left())
        .arg(crop.top())
        .arg(outputPath(input));
}
