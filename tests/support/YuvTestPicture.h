#ifndef YUVTESTPICTURE_H
#define YUVTESTPICTURE_H

#include <UxVideoFrame.h>

#include <QColor>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <vector>

// A planar YUV picture that a test owns and fills sample by sample, in any of the formats
// UxVideoFrame describes, with padded rows and optionally stored bottom-up; frame() describes
// it without owning it, as a decoder's picture is handed to a viewer.
class YuvTestPicture
{
public:
    YuvTestPicture(UxVideoFrame::PixelFormat format, const QSize &size, int padding = 0,
                   bool bottomUp = false)
        : m_format(format)
        , m_size(size)
        , m_bottomUp(bottomUp)
    {
        const int planes = UxVideoFrame(format, size).planeCount();
        for (int p = 0; p < planes; ++p) {
            m_strides[p] = rowSamples(p) * bytesPerSample() + padding;
            m_planes[p].assign(size_t(m_strides[p]) * size_t(rows(p)), 0xa5); // not black
        }
    }

    bool isTenBit() const
    {
        return m_format == UxVideoFrame::Format_YUV420P10 || m_format == UxVideoFrame::Format_P010;
    }
    int maxSample() const { return isTenBit() ? 1023 : 255; }
    QSize chromaSize() const { return QSize((m_size.width() + 1) / 2, (m_size.height() + 1) / 2); }

    void setY(int x, int y, int value) { write(0, y, x, value); }
    void setU(int cx, int cy, int value) { write(1, cy, semiPlanar() ? 2 * cx : cx, value); }
    void setV(int cx, int cy, int value)
    {
        if (semiPlanar())
            write(1, cy, 2 * cx + 1, value);
        else
            write(2, cy, cx, value);
    }
    // Every luma sample of the picture, and every chroma sample.
    void fill(int y, int u, int v)
    {
        for (int j = 0; j < m_size.height(); ++j)
            for (int i = 0; i < m_size.width(); ++i)
                setY(i, j, y);
        for (int j = 0; j < chromaSize().height(); ++j) {
            for (int i = 0; i < chromaSize().width(); ++i) {
                setU(i, j, u);
                setV(i, j, v);
            }
        }
    }

    UxVideoFrame frame() const
    {
        UxVideoFrame frame(m_format, m_size);
        for (int p = 0; p < frame.planeCount(); ++p) {
            const uchar *top = m_planes[p].data();
            if (m_bottomUp)
                top += size_t(m_strides[p]) * size_t(rows(p) - 1);
            frame.setPlane(p, top, m_bottomUp ? -m_strides[p] : m_strides[p]);
        }
        return frame;
    }

    // Overwrites every byte, as a decoder reusing its buffer would.
    void scribble()
    {
        for (auto &plane : m_planes)
            std::fill(plane.begin(), plane.end(), uchar(0x3c));
    }

private:
    bool semiPlanar() const
    {
        return m_format == UxVideoFrame::Format_NV12 || m_format == UxVideoFrame::Format_P010;
    }
    int bytesPerSample() const { return isTenBit() ? 2 : 1; }
    int rows(int plane) const { return plane == 0 ? m_size.height() : chromaSize().height(); }
    int rowSamples(int plane) const
    {
        if (plane == 0)
            return m_size.width();
        return chromaSize().width() * (semiPlanar() ? 2 : 1);
    }
    void write(int plane, int row, int sample, int value)
    {
        const int storedRow = m_bottomUp ? rows(plane) - 1 - row : row;
        uchar *at = m_planes[plane].data() + size_t(storedRow) * size_t(m_strides[plane]) +
                    size_t(sample) * size_t(bytesPerSample());
        if (!isTenBit()) {
            *at = uchar(value);
            return;
        }
        const int stored = m_format == UxVideoFrame::Format_P010 ? value << 6 : value;
        at[0] = uchar(stored & 0xff);
        at[1] = uchar(stored >> 8);
    }

    UxVideoFrame::PixelFormat m_format;
    QSize m_size;
    bool m_bottomUp;
    std::vector<uchar> m_planes[3];
    int m_strides[3] = {0, 0, 0};
};

// The colour of one sample in double precision: the matrix's equations on values
// normalised by the range, rounded and clamped to 8 bits.
inline QColor yuvReference(int y, int u, int v, int bits, UxVideoFrame::ColorMatrix matrix,
                           UxVideoFrame::ColorRange range)
{
    const bool bt709 = matrix == UxVideoFrame::Matrix_BT709;
    const double kr = bt709 ? 0.2126 : 0.299;
    const double kb = bt709 ? 0.0722 : 0.114;
    const double scale = std::pow(2.0, bits - 8);
    const double max = std::pow(2.0, bits) - 1;
    const double centre = 128 * scale;
    const bool full = range == UxVideoFrame::Range_Full;
    const double luma = full ? y / max : (y - 16 * scale) / (219 * scale);
    const double cb = full ? (u - centre) / max : (u - centre) / (224 * scale);
    const double cr = full ? (v - centre) / max : (v - centre) / (224 * scale);
    const double r = luma + 2 * (1 - kr) * cr;
    const double b = luma + 2 * (1 - kb) * cb;
    const double g = (luma - kr * r - kb * b) / (1 - kr - kb);
    const auto level = [](double c) { return qBound(0, int(std::lround(c * 255)), 255); };
    return QColor(level(r), level(g), level(b));
}

// The largest difference between two colours in any of red, green and blue.
inline int colourDistance(const QColor &a, const QColor &b)
{
    return std::max(
        {qAbs(a.red() - b.red()), qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())});
}

#endif // YUVTESTPICTURE_H
