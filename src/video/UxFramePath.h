#ifndef UXFRAMEPATH_H
#define UXFRAMEPATH_H

#include <QImage>
#include <QRect>
#include <QTransform>

#include <vector>

class QPainter;

// Copies the rows of frame into buffer (Format_RGB888, the frame's size) for as long
// as they are opaque, at memory speed, and returns how many rows it copied. The first
// row with a pixel that is not opaque, and every row after it, are left for a
// QPainter to blend; a format without a direct copy returns 0. The pixels written are
// exactly those QPainter::drawImage writes for opaque pixels.
int uxCopyOpaqueRows(const QImage &frame, QImage &buffer);

// Draws a Format_RGB888 frame scaled into a target rectangle, as
// QPainter::drawImage(target, frame) does without smooth transformation, through a
// device-resolution RGB32 copy that is made once per frame content and geometry and
// then blitted. Qt scales 24-bit images on a generic per-pixel path; this does the
// same sampling: each source row that is used is spread to RGB32 once, its columns are
// picked through a table, and rows that repeat are copied whole.
class UxFrameScaler
{
public:
    // False when the painter is not a plain raster painter with a scale-only
    // transform; the caller then draws the frame itself.
    bool draw(QPainter &painter, const QImage &frame, const QRect &target);

private:
    bool isCurrent(const QImage &frame, const QTransform &device, const QRect &target) const;
    void rescale(const QImage &frame, const QTransform &device, const QRect &target);

    QImage m_scaled; // device pixels, Format_RGB32
    QPoint m_deviceOrigin;
    qint64 m_frameKey = 0;
    QTransform m_device;
    QRect m_target;
    std::vector<int> m_columns;       // the source column of each device column
    std::vector<quint32> m_sourceRow; // one source row as RGB32
};

#endif // UXFRAMEPATH_H
