#include "ExportCommand.h"

#include <UxVideoFrame.h>

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

QString exportCommand(const QString &input, double framesPerSecond, int inPoint, int outPoint,
                      const QRect &stored, const QSize &frameSize, int rotation)
{
    const QRect crop = UxVideoFrame::turnedRect(stored, frameSize, rotation);
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
