#ifndef UXYUVPATH_H
#define UXYUVPATH_H

#include "UxVideoFrame.h"

#include <QImage>
#include <QRect>
#include <QTransform>

#include <memory>

class QPainter;

// The bytes one row of a plane holds, and how many rows the plane has.
qsizetype uxYuvRowBytes(UxVideoFrame::PixelFormat format, const QSize &size, int plane);
int uxYuvRows(const QSize &size, int plane);

// The tables of which samples each output pixel takes, for the last picture and output
// sizes rendered: kept between the frames of a stream rather than worked out for each.
class UxYuvTables
{
public:
    UxYuvTables();
    ~UxYuvTables();

    struct Axes; // defined where the tables are used

private:
    friend bool uxRenderYuvPart(const UxVideoFrame &, const QSize &, const QRect &, QImage &,
                                const UxVideoFrame *, UxYuvTables *);
    const Axes &axesFor(const QSize &stored, const QSize &shown);
    std::unique_ptr<Axes> m_axes;
};

// Renders frame upright into out, a Format_RGB32 image of any size: the whole of out shows
// the whole picture, each axis scaled on its own. A pixel that covers more than one sample
// of an axis averages them (up to 8 a pixel, spread over what it covers); one that covers
// less takes the nearest sample. With keep set, the planes are also copied into keep's
// planes (same format and size) row by row just before they are read, so a frame is
// copied and converted in one pass over its memory. False, and out untouched, for an
// invalid frame or an out that is null or not Format_RGB32.
// tables, when given, keeps the sample tables for the next frame.
bool uxRenderYuv(const UxVideoFrame &frame, QImage &out, const UxVideoFrame *keep = nullptr,
                 UxYuvTables *tables = nullptr);

// Renders only part of what uxRenderYuv would render into an image of size whole: out,
// of the part's size, gets exactly the whole's pixels there. A zoomed picture is rendered
// this way, the part that shows rather than a copy many times the screen. The part must
// be aligned (uxAlignYuvPart), since two neighbouring pixels share their chroma.
bool uxRenderYuvPart(const UxVideoFrame &frame, const QSize &whole, const QRect &part, QImage &out,
                     const UxVideoFrame *keep = nullptr, UxYuvTables *tables = nullptr);
// part within whole, grown by a pixel where it starts between two that share their chroma;
// empty when nothing of it lies within whole.
QRect uxAlignYuvPart(int rotation, const QSize &whole, const QRect &part);

// The YUV picture a viewer shows: the host's frame held through its owner, or a copy of
// its planes, and a Format_RGB32 copy at the device pixels of the rectangle it is shown
// in, made once per frame and geometry so that a paint is a blit.
class UxYuvPicture
{
public:
    // Takes frame, made before returning independent of the caller's buffers unless the
    // frame has an owner. When the last draw's device transform still applies to target,
    // the display copy is made in the same pass as the copy. False (and nothing held) for
    // an invalid frame or a copy that cannot be allocated.
    bool take(const UxVideoFrame &frame, const QRect &target);
    void clear();
    bool isNull() const { return !m_frame.isValid(); }
    const UxVideoFrame &frame() const { return m_frame; }

    // Draws the picture into target through the display copy; false when the painter is
    // not a plain raster painter with a scale-only transform or the copy would hold more
    // than maxDevicePixels, and the caller then draws image() itself. A picture larger
    // than that (zoomed in) is copied only where it shows, within visible.
    bool draw(QPainter &painter, const QRect &target, qint64 maxDevicePixels,
              const QRect &visible = QRect());
    // The picture upright at its stored size, converted once per frame.
    QImage image();

private:
    bool keepCopy(const UxVideoFrame &frame);
    QRect deviceRectOf(const QRect &target) const;
    bool copyFits(const QSize &size) const;
    QRect devicePartOf(const QRect &whole, const QRect &visible) const;
    bool renderDevice(const UxVideoFrame &source, const QSize &whole, const QRect &part,
                      const UxVideoFrame *keep);

    UxVideoFrame m_frame; // points into m_copy, or into planes that its owner keeps
    std::shared_ptr<uchar> m_copy;
    qsizetype m_copyBytes = 0;
    QImage m_device;     // Format_RGB32: m_devicePart of a picture m_deviceWhole large
    QSize m_deviceWhole; // on the device
    QRect m_devicePart;
    bool m_deviceCurrent = false; // m_device shows m_frame
    QTransform m_lastDevice;
    bool m_hasDevice = false;
    qint64 m_maxPixels = 0;
    QImage m_image; // image(), while current
    UxYuvTables m_tables;
};

#endif // UXYUVPATH_H
