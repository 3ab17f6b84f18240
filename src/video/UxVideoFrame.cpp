#include "UxVideoFrame.h"

#include "UxYuvPath.h"
#include "frame/UxNumeric.h"

#include <cmath>

UxVideoFrame::UxVideoFrame() = default;

UxVideoFrame::UxVideoFrame(PixelFormat format, const QSize &size)
    : m_format(format)
    , m_size(size)
{
}

int UxVideoFrame::planeCount() const
{
    switch (m_format) {
    case Format_YUV420P:
    case Format_YUV420P10:
        return 3;
    case Format_NV12:
    case Format_P010:
        return 2;
    default:
        return 0;
    }
}

void UxVideoFrame::setPlane(int index, const void *data, qsizetype bytesPerLine)
{
    if (index < 0 || index >= planeCount())
        return;
    m_planes[index] = static_cast<const uchar *>(data);
    m_bytesPerLine[index] = bytesPerLine;
}

const uchar *UxVideoFrame::plane(int index) const
{
    return index >= 0 && index < planeCount() ? m_planes[index] : nullptr;
}

qsizetype UxVideoFrame::bytesPerLine(int index) const
{
    return index >= 0 && index < planeCount() ? m_bytesPerLine[index] : 0;
}

void UxVideoFrame::setColorMatrix(ColorMatrix matrix)
{
    m_matrix = matrix == Matrix_BT709 ? Matrix_BT709 : Matrix_BT601;
}

void UxVideoFrame::setColorRange(ColorRange range)
{
    m_range = range == Range_Full ? Range_Full : Range_Limited;
}

void UxVideoFrame::setSampleAspectRatio(int num, int den)
{
    m_sampleAspect = num > 0 && den > 0 ? QSize(num, den) : QSize(1, 1);
}

namespace {

// The nearest quarter turn as 0, 90, 180 or 270, in 64 bits so that INT_MIN has a magnitude.
int quarterTurn(int degrees)
{
    const qint64 quarters = (qint64(degrees) + (degrees >= 0 ? 45 : -45)) / 90;
    return int(((quarters % 4) + 4) % 4) * 90;
}

} // namespace

void UxVideoFrame::setRotation(int degrees)
{
    m_rotation = quarterTurn(degrees);
}

QRect UxVideoFrame::turnedRect(const QRect &rect, const QSize &stored, int degrees)
{
    const qint64 w = qint64(rect.right()) - rect.left() + 1;
    const qint64 h = qint64(rect.bottom()) - rect.top() + 1;
    const qint64 W = stored.width();
    const qint64 H = stored.height();
    switch (quarterTurn(degrees)) {
    case 90: // the stored left column becomes the top row
        return uxRect(H - rect.top() - h, rect.left(), h, w);
    case 180:
        return uxRect(W - rect.left() - w, H - rect.top() - h, w, h);
    case 270: // the stored top row becomes the left column
        return uxRect(rect.top(), W - rect.left() - w, h, w);
    default:
        return rect;
    }
}

bool UxVideoFrame::isValid() const
{
    if (planeCount() == 0 || !uxPictureSizeFits(m_size.width(), m_size.height()))
        return false;
    for (int p = 0; p < planeCount(); ++p) {
        // In 64 bits: the magnitude of a stride of INT64_MIN does not exist.
        const qsizetype stride = m_bytesPerLine[p];
        if (!m_planes[p] || stride == std::numeric_limits<qsizetype>::min() ||
            qAbs(stride) < uxYuvRowBytes(m_format, m_size, p))
            return false;
    }
    return true;
}

QSize UxVideoFrame::displaySize() const
{
    if (!isValid())
        return QSize();
    const double stretched =
        double(m_size.width()) * m_sampleAspect.width() / m_sampleAspect.height();
    const QSize upright(qMax(1, uxTruncToInt(std::floor(stretched + 0.5))), m_size.height());
    return m_rotation == 90 || m_rotation == 270 ? upright.transposed() : upright;
}

QImage UxVideoFrame::toImage() const
{
    if (!isValid())
        return QImage();
    const bool quarterTurn = m_rotation == 90 || m_rotation == 270;
    QImage image(quarterTurn ? m_size.transposed() : m_size, QImage::Format_RGB32);
    if (image.isNull() || !uxRenderYuv(*this, image))
        return QImage();
    return image;
}
