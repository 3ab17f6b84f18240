#ifndef UXFRAMEPATH_H
#define UXFRAMEPATH_H

#include <QImage>
#include <QRect>
#include <QTransform>

#include <limits>
#include <vector>

class QPainter;

// Whether painter draws straight onto raster pixels with a scale-only transform, where a
// copy made at device resolution can be blitted in place of a scaled draw.
bool uxIsPlainRasterPainter(const QPainter &painter);

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
    // A buffer that ingest left to the device copy is written first when the draw reads
    // it or leaves it to the caller.
    bool draw(QPainter &painter, QImage &frame, const QRect &target);

    // Copies frame into buffer as uxCopyOpaqueRows does and returns the rows copied.
    // When the last draw's device geometry still holds for target, an opaque 32-bit
    // frame also gives the device copy in the same pass, sampled from the frame's own
    // rows (for opaque pixels the same values as from the buffer), so that the next
    // draw of buffer is a blit. Where that copy holds the frame one to one, the buffer
    // is left to it until complete() or draw() reads it. One buffer at a time: ingesting
    // into another gives up the rows the last one left to the copy (release() first).
    int ingest(const QImage &frame, QImage &buffer, const QRect &target);

    // Writes buffer if ingest left it to the device copy; anything reading the buffer
    // other than draw() and ingest() calls this first.
    void complete(QImage &buffer);
    // The buffer given to ingest() is going away: whatever it left to the device copy
    // need not be written, and other images may be drawn.
    void release() { m_staleKey = 0; }

    // The part of the target that shows, in the painter's coordinates: the device copy
    // samples only the pixels there, as a QPainter clipped to it draws. A null rectangle
    // (at first) shows the whole target.
    void setVisible(const QRect &visible)
    {
        if (visible != m_visible)
            m_hasDevice = m_laidOut = false; // laid out again at the next draw
        m_visible = visible;
    }

    // The device copy never holds more pixels than this; larger targets are left to
    // the caller's QPainter.
    void setMaxDevicePixels(qint64 pixels)
    {
        if (pixels != m_maxPixels)
            m_hasDevice = m_laidOut = false; // laid out again at the next draw
        m_maxPixels = pixels;
    }

private:
    bool layOut(const QSize &frameSize, const QTransform &device, const QRect &target);
    void rescale(const QImage &frame);
    void writeBuffer(QImage &buffer, int rows);
    int ingestOneToOne(const QImage &frame, QImage &buffer, bool checkAlpha);

    QImage m_scaled; // device pixels, Format_RGB32
    QPoint m_deviceOrigin;
    qint64 m_frameKey = 0; // the buffer contents m_scaled shows; 0: none
    qint64 m_maxPixels = std::numeric_limits<qint64>::max();
    bool m_laidOut = false; // the tables below and m_scaled fit the geometry
    bool m_hasDevice = false;
    bool m_identity = false; // the copy maps the frame one to one
    qint64 m_staleKey = 0;   // the buffer whose pixels so far live only in m_scaled
    QSize m_frameSize;
    QTransform m_device;
    QRect m_target;
    QRect m_visible;
    std::vector<int> m_columns;       // the source column of each device column
    std::vector<int> m_rows;          // the source row of each device row
    std::vector<quint32> m_sourceRow; // one source row as RGB32
};

#endif // UXFRAMEPATH_H
