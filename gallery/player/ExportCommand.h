#ifndef EXPORTCOMMAND_H
#define EXPORTCOMMAND_H

#include <QRect>
#include <QString>

// The ffmpeg command line that cuts a clip from its in point to its out point (both
// frames included) and crops it: what a clip editor would run to export. crop is in the
// stored frame's pixels (frameSize); ffmpeg turns a picture upright by its rotation
// (clockwise) before it filters, so the crop is given in the upright picture's pixels.
// Paths are quoted for a POSIX shell; an empty input path stands as INPUT, the output as
// the input's name with "-clip" added.
QString exportCommand(const QString &input, double framesPerSecond, int inPoint, int outPoint,
                      const QRect &crop, const QSize &frameSize, int rotation);

#endif // EXPORTCOMMAND_H
