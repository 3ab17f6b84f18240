#ifndef UXVIDEOFRAME_H
#define UXVIDEOFRAME_H

#include "CommonCtrls.h"

#include <QImage>
#include <QMetaType>
#include <QRect>
#include <QSize>

#include <memory>

/// \brief One decoded picture in the planar YUV layout decoders hand out, described but
/// not owned: its size, pixel format, planes, colour matrix and range, sample aspect ratio
/// and rotation.
///
/// A UxVideoFrame is a small value: copying it copies the plane pointers, never the pixels.
/// UxVideoViewer::onUpdateVideoFrame() takes one and either copies the planes before it
/// returns, so the decoder may reuse its buffers at once, or, when the frame carries an
/// owner(), keeps that owner instead and copies nothing.
///
/// Every format here is 4:2:0: the chroma planes hold ceil(width / 2) by ceil(height / 2)
/// samples. Plane rows may be padded (bytesPerLine() larger than a row needs) and may run
/// bottom-up (a negative bytesPerLine(), the plane pointer naming the top row).
///
/// \code
/// // An FFmpeg picture, shared rather than copied:
/// AVFrame *ref = av_frame_clone(decoded);
/// UxVideoFrame frame(UxVideoFrame::Format_YUV420P, QSize(ref->width, ref->height));
/// for (int i = 0; i < frame.planeCount(); ++i)
///     frame.setPlane(i, ref->data[i], ref->linesize[i]);
/// frame.setColorMatrix(ref->colorspace == AVCOL_SPC_BT709 ? UxVideoFrame::Matrix_BT709
///                                                         : UxVideoFrame::Matrix_BT601);
/// frame.setOwner(std::shared_ptr<const void>(ref, [](const void *p) {
///     AVFrame *f = static_cast<AVFrame *>(const_cast<void *>(p));
///     av_frame_free(&f);
/// }));
/// viewer->onUpdateVideoFrame(frame);
/// \endcode
class COMMONCTRLS_EXPORT UxVideoFrame
{
public:
    /// \brief How the samples are laid out.
    enum PixelFormat : int {
        Format_Invalid = 0, ///< No picture.
        /// 8 bits a sample in three planes: Y, then Cb (U), then Cr (V). FFmpeg's
        /// AV_PIX_FMT_YUV420P and AV_PIX_FMT_YUVJ420P, also called I420.
        Format_YUV420P = 1,
        /// 8 bits a sample: the Y plane, then one plane of Cb, Cr pairs.
        /// FFmpeg's AV_PIX_FMT_NV12.
        Format_NV12 = 2,
        /// 10 bits in the low bits of 16-bit little-endian samples, three planes as
        /// Format_YUV420P. FFmpeg's AV_PIX_FMT_YUV420P10LE.
        Format_YUV420P10 = 3,
        /// 10 bits in the high bits of 16-bit little-endian samples, two planes as
        /// Format_NV12. FFmpeg's AV_PIX_FMT_P010LE.
        Format_P010 = 4,
    };
    /// \brief The matrix that turns Y, Cb, Cr into red, green and blue.
    enum ColorMatrix : int {
        Matrix_BT601 = 0, ///< ITU-R BT.601, standard-definition video.
        Matrix_BT709 = 1, ///< ITU-R BT.709, high-definition video.
    };
    /// \brief Which sample values mean black and white.
    enum ColorRange : int {
        /// Studio range: Y from 16 to 235, Cb and Cr from 16 to 240 (times 4 at 10 bits).
        Range_Limited = 0,
        Range_Full = 1, ///< Every value: Y from 0 to 255 (1023 at 10 bits).
    };

    /// \brief A frame of Format_Invalid: isValid() is false.
    UxVideoFrame();
    /// \brief A frame of this format and size, in pixels as stored, without planes yet;
    /// BT.601, limited range, square samples, no rotation.
    UxVideoFrame(PixelFormat format, const QSize &size);

    /// \brief The sample layout.
    PixelFormat pixelFormat() const { return m_format; }
    /// \brief The picture's size in pixels as stored, before sample aspect and rotation.
    QSize size() const { return m_size; }
    /// \brief How many planes the format has: 3 for the P formats, 2 for NV12 and P010,
    /// 0 for Format_Invalid.
    int planeCount() const;

    /// \brief Names plane index (0 is Y) at data, rows bytesPerLine apart; an index the
    /// format does not have is ignored.
    void setPlane(int index, const void *data, qsizetype bytesPerLine);
    /// \brief The first (top) row of plane index, or null.
    const uchar *plane(int index) const;
    /// \brief The distance from one row of plane index to the next, in bytes.
    qsizetype bytesPerLine(int index) const;

    /// \brief The colour matrix; BT.601 at first.
    ColorMatrix colorMatrix() const { return m_matrix; }
    /// \brief Sets the colour matrix; a value not in the enumeration counts as BT.601.
    void setColorMatrix(ColorMatrix matrix);
    /// \brief The range of the samples; limited at first.
    ColorRange colorRange() const { return m_range; }
    /// \brief Sets the range; a value not in the enumeration counts as limited.
    void setColorRange(ColorRange range);

    /// \brief Width over height of one sample as displayed, as a num:den pair; 1:1 at first.
    QSize sampleAspectRatio() const { return m_sampleAspect; }
    /// \brief Sets the sample aspect ratio num:den; terms of 0 or less mean square samples.
    void setSampleAspectRatio(int num, int den);

    /// \brief The angle in degrees, clockwise, by which the stored picture is turned to be
    /// upright: 0, 90, 180 or 270.
    int rotation() const { return m_rotation; }
    /// \brief Sets the rotation, clockwise, in degrees: any angle, taken to the nearest
    /// quarter turn (-90 is 270, 100 is 90).
    void setRotation(int degrees);

    /// \brief What keeps the planes alive and unchanged; null at first.
    std::shared_ptr<const void> owner() const { return m_owner; }
    /// \brief Hands over a reference that keeps the planes alive and unchanged for as long
    /// as any copy of it lives (an FFmpeg frame reference, say). A viewer then keeps this
    /// reference instead of copying the planes; the pixels must not change while it is held.
    void setOwner(std::shared_ptr<const void> owner) { m_owner = std::move(owner); }

    /// \brief Whether the frame can be shown: a known format, a size with area of at most
    /// 16384 pixels a side and 64 megapixels, and every plane named with rows long enough.
    bool isValid() const;
    /// \brief The size the picture is meant to be seen at, in pixels: size() stretched
    /// horizontally by the sample aspect ratio (rounded to the nearest pixel, at least 1),
    /// then turned by the rotation. An empty size for an invalid frame.
    QSize displaySize() const;
    /// \brief Where rect, in the pixels of a picture of size stored, lies once that picture
    /// is turned clockwise by degrees (taken to a quarter turn as setRotation() takes it):
    /// an encoder's crop of the upright picture, say. Edges that leave the int range
    /// saturate.
    static QRect turnedRect(const QRect &rect, const QSize &stored, int degrees);
    /// \brief The picture as QImage::Format_RGB32, turned upright by the rotation but not
    /// stretched by the sample aspect ratio; a null image for an invalid frame or when the
    /// image cannot be allocated.
    QImage toImage() const;

private:
    PixelFormat m_format = Format_Invalid;
    QSize m_size;
    const uchar *m_planes[3] = {nullptr, nullptr, nullptr};
    qsizetype m_bytesPerLine[3] = {0, 0, 0};
    ColorMatrix m_matrix = Matrix_BT601;
    ColorRange m_range = Range_Limited;
    QSize m_sampleAspect = QSize(1, 1);
    int m_rotation = 0;
    std::shared_ptr<const void> m_owner;
};

Q_DECLARE_METATYPE(UxVideoFrame)

#endif // UXVIDEOFRAME_H
