#ifndef CLIPWRITER_H
#define CLIPWRITER_H

#include <QImage>
#include <QString>

#include <functional>

// Writes a video file of the given frames with FFmpeg: FFV1 in Matroska, lossless and
// intra-only, so that every frame can be sought exactly and decodes to the pixels it was
// made of. The gallery uses it to make a clip to open; the tests to make a known one.
// Returns what went wrong, or an empty text.
QString writeVideoFile(const QString &path, const QSize &size, int frameCount, int framesPerSecond,
                       const std::function<QImage(int)> &frameAt);

#endif // CLIPWRITER_H
