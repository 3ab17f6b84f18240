#include "UxFramePath.h"

#include <QPaintEngine>
#include <QPainter>

#include <cstring>
#include <limits>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define UX_FRAMEPATH_SSSE3 1
#ifdef __SSE2__
#define UX_FRAMEPATH_SSE2 1 // part of every x86-64, so used without asking the processor
#endif
#endif

namespace {

// Where red, green, blue and alpha sit among the four bytes of a 32-bit pixel.
struct PixelBytes
{
    int r, g, b, a;
};

PixelBytes argb32Bytes()
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    return {2, 1, 0, 3}; // 0xAARRGGBB stored as B, G, R, A
#else
    return {1, 2, 3, 0};
#endif
}

const PixelBytes kRgba8888Bytes = {0, 1, 2, 3}; // byte order, whatever the machine

// Returns false at the first pixel that is not opaque; what was written before it is
// correct, since an opaque pixel's result does not depend on the buffer.
bool copyRowScalar(const uchar *src, uchar *dst, int count, PixelBytes p, bool checkAlpha)
{
    for (int i = 0; i < count; ++i, src += 4, dst += 3) {
        if (checkAlpha && src[p.a] != 0xff)
            return false;
        dst[0] = src[p.r];
        dst[1] = src[p.g];
        dst[2] = src[p.b];
    }
    return true;
}

#ifdef UX_FRAMEPATH_SSSE3
// Sixteen pixels a step: four 16-byte loads, one byte shuffle each to 12 bytes,
// packed into three 16-byte stores.
template <bool Stream>
__attribute__((target("ssse3"))) bool copyRowSsse3(const uchar *src, uchar *dst, int width,
                                                   PixelBytes p, bool checkAlpha)
{
    const auto store = [](__m128i *out, __m128i v) {
        if (Stream)
            _mm_stream_si128(out, v);
        else
            _mm_storeu_si128(out, v);
    };
    const auto lane = [](int i, int offset) { return char(i < 0 ? -1 : i + offset); };
    const __m128i shuffle =
        _mm_setr_epi8(lane(p.r, 0), lane(p.g, 0), lane(p.b, 0), lane(p.r, 4), lane(p.g, 4),
                      lane(p.b, 4), lane(p.r, 8), lane(p.g, 8), lane(p.b, 8), lane(p.r, 12),
                      lane(p.g, 12), lane(p.b, 12), -1, -1, -1, -1);
    const int a = p.a;
    const __m128i alpha =
        _mm_setr_epi8(char(a == 0 ? 0xff : 0), char(a == 1 ? 0xff : 0), char(a == 2 ? 0xff : 0),
                      char(a == 3 ? 0xff : 0), char(a == 0 ? 0xff : 0), char(a == 1 ? 0xff : 0),
                      char(a == 2 ? 0xff : 0), char(a == 3 ? 0xff : 0), char(a == 0 ? 0xff : 0),
                      char(a == 1 ? 0xff : 0), char(a == 2 ? 0xff : 0), char(a == 3 ? 0xff : 0),
                      char(a == 0 ? 0xff : 0), char(a == 1 ? 0xff : 0), char(a == 2 ? 0xff : 0),
                      char(a == 3 ? 0xff : 0));
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i *in = reinterpret_cast<const __m128i *>(src + 4 * x);
        const __m128i p0 = _mm_loadu_si128(in);
        const __m128i p1 = _mm_loadu_si128(in + 1);
        const __m128i p2 = _mm_loadu_si128(in + 2);
        const __m128i p3 = _mm_loadu_si128(in + 3);
        if (checkAlpha) {
            const __m128i all = _mm_and_si128(_mm_and_si128(p0, p1), _mm_and_si128(p2, p3));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(all, alpha), alpha)) != 0xffff)
                return false;
        }
        const __m128i s0 = _mm_shuffle_epi8(p0, shuffle);
        const __m128i s1 = _mm_shuffle_epi8(p1, shuffle);
        const __m128i s2 = _mm_shuffle_epi8(p2, shuffle);
        const __m128i s3 = _mm_shuffle_epi8(p3, shuffle);
        __m128i *out = reinterpret_cast<__m128i *>(dst + 3 * x);
        store(out, _mm_or_si128(s0, _mm_slli_si128(s1, 12)));
        store(out + 1, _mm_or_si128(_mm_srli_si128(s1, 4), _mm_slli_si128(s2, 8)));
        store(out + 2, _mm_or_si128(_mm_srli_si128(s2, 8), _mm_slli_si128(s3, 4)));
    }
    return copyRowScalar(src + 4 * x, dst + 3 * x, width - x, p, checkAlpha);
}
#endif

// With stream set, a row that starts on a 16-byte boundary is written past the caches:
// a buffer larger than they are is not read back before the next frame.
bool copyRow(const uchar *src, uchar *dst, int width, PixelBytes p, bool checkAlpha,
             bool stream = false)
{
#ifdef UX_FRAMEPATH_SSSE3
    static const bool haveSsse3 = __builtin_cpu_supports("ssse3");
    if (haveSsse3 && stream && (quintptr(dst) & 15) == 0)
        return copyRowSsse3<true>(src, dst, width, p, checkAlpha);
    if (haveSsse3)
        return copyRowSsse3<false>(src, dst, width, p, checkAlpha);
#else
    Q_UNUSED(stream);
#endif
    return copyRowScalar(src, dst, width, p, checkAlpha);
}

int copyRgb888Rows(const QImage &frame, uchar *out, int outStride)
{
    const int rowBytes = frame.width() * 3;
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(out + qsizetype(y) * outStride, frame.constScanLine(y), size_t(rowBytes));
    return frame.height();
}

} // namespace

namespace {

// How the rows of a frame format are copied; false for formats without a direct copy.
bool rowCopy(QImage::Format format, PixelBytes &bytes, bool &checkAlpha)
{
    checkAlpha = true;
    switch (format) {
    case QImage::Format_RGB32:
        checkAlpha = false;
        Q_FALLTHROUGH();
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        bytes = argb32Bytes();
        return true;
    case QImage::Format_RGBX8888:
        checkAlpha = false;
        Q_FALLTHROUGH();
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
        bytes = kRgba8888Bytes;
        return true;
    default:
        return false;
    }
}

// Buffers larger than this are written with streaming stores.
const qsizetype kStreamBytes = 16 << 20;

} // namespace

int uxCopyOpaqueRows(const QImage &frame, QImage &buffer)
{
    if (frame.isNull() || frame.size() != buffer.size() || buffer.format() != QImage::Format_RGB888)
        return 0;
    PixelBytes bytes;
    bool checkAlpha = true;
    if (frame.format() == QImage::Format_RGB888)
        return copyRgb888Rows(frame, buffer.bits(), buffer.bytesPerLine());
    if (!rowCopy(frame.format(), bytes, checkAlpha))
        return 0;
    uchar *out = buffer.bits();
    const qsizetype outStride = buffer.bytesPerLine();
    const bool stream = buffer.sizeInBytes() > kStreamBytes;
    int y = 0;
    while (y < frame.height() && copyRow(frame.constScanLine(y), out + y * outStride, frame.width(),
                                         bytes, checkAlpha, stream))
        ++y;
#ifdef UX_FRAMEPATH_SSE2
    _mm_sfence();
#endif
    return y;
}

namespace {

const qreal kFixedScale = 65536.0; // Qt samples transformed images in 16.16 fixed point
const int kFetchRun = 2048;        // and fetches them in runs of at most this many pixels
const int kMaxDevice = 0x7fff;     // a copy larger than this Qt draws on another path

// The inverse mapping Qt's raster engine uses for drawImage(target, frame): device
// pixel centres back to source pixels, nudged by 1/65536 as Qt does so that centres
// falling exactly on a pixel edge round the same way.
struct DeviceMapping
{
    QRect device; // the device pixels the target covers
    qreal m11, m22, dx, dy;
};

// An empty device rectangle when the target does not fit the fixed-point path at all.
DeviceMapping mapTarget(const QTransform &deviceTransform, const QRect &target, const QSize &frame)
{
    // From the edges: QRect::width() overflows for a target spanning the int range.
    const QRectF r(target.left(), target.top(), double(target.right()) - target.left() + 1,
                   double(target.bottom()) - target.top() + 1);
    const QRectF mapped = deviceTransform.mapRect(r);
    if (!(mapped.width() <= kMaxDevice + 1 && mapped.height() <= kMaxDevice + 1 &&
          qAbs(mapped.x()) < 1e9 && qAbs(mapped.y()) < 1e9))
        return {QRect(), 0, 0, 0, 0};
    QTransform toDevice = deviceTransform;
    toDevice.translate(r.x(), r.y());
    toDevice.scale(r.width() / frame.width(), r.height() / frame.height());
    QTransform nudge;
    nudge.translate(1.0 / kFixedScale, 1.0 / kFixedScale);
    const QTransform inverse = (nudge * toDevice).inverted();
    const QPoint topLeft(qRound(mapped.x()), qRound(mapped.y()));
    const QPoint end(qRound(mapped.right()), qRound(mapped.bottom()));
    return {QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())), inverse.m11(),
            inverse.m22(), inverse.dx(), inverse.dy()};
}

int sourceIndex(qreal mappedCentre, int last)
{
    return qBound(0, int(mappedCentre * kFixedScale) >> 16, last);
}

// Qt samples in fixed point only for moderate scales and offsets, as its span set-up
// decides; otherwise it samples in floating point, which picks other pixels, so the
// copy is not made then.
bool isFastMatrix(const DeviceMapping &m)
{
    const double f1 = m.m11 * m.m11;
    const double f2 = m.m22 * m.m22;
    return f1 < 1e4 && f2 < 1e4 && f1 > 1.0 / 65536 && f2 > 1.0 / 65536 && qAbs(m.dx) < 1e4 &&
           qAbs(m.dy) < 1e4;
}

// The same for a run whose positions, one step past its end included, do not fit in
// int: frames of 32768 pixels and more, or nearly as large and strongly reduced.
bool fitsFixedPoint(double first, double last)
{
    return first >= std::numeric_limits<int>::min() && first <= std::numeric_limits<int>::max() &&
           last >= std::numeric_limits<int>::min() && last <= std::numeric_limits<int>::max();
}

// The source column of each device column: per run, as Qt does, from the run's first
// pixel centre in 16.16 fixed point, stepped by the truncated fixed-point scale.
bool mapColumns(const DeviceMapping &map, int frameWidth, std::vector<int> &columns)
{
    const QRect &area = map.device;
    const qint64 step = qint64(map.m11 * kFixedScale);
    for (int start = 0; start < area.width(); start += kFetchRun) {
        const int length = qMin(kFetchRun, area.width() - start);
        const double first = (map.m11 * (area.left() + start + 0.5) + map.dx) * kFixedScale;
        if (!fitsFixedPoint(first, first + double(step) * length))
            return false;
        qint64 fx = qint64(first);
        for (int x = start; x < start + length; ++x, fx += step)
            columns[size_t(x)] = qBound(0, int(fx >> 16), frameWidth - 1);
    }
    return true;
}

void expandRowScalar(const uchar *src, quint32 *dst, int count)
{
    for (int x = 0; x < count; ++x, src += 3)
        dst[x] = 0xff000000u | (quint32(src[0]) << 16) | (quint32(src[1]) << 8) | src[2];
}

#ifdef UX_FRAMEPATH_SSSE3
// Sixteen pixels a step: three 16-byte loads spread into four opaque RGB32 stores.
__attribute__((target("ssse3"))) void expandRowSsse3(const uchar *src, quint32 *dst, int width)
{
    const __m128i spread = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i *in = reinterpret_cast<const __m128i *>(src + 3 * x);
        const __m128i v0 = _mm_loadu_si128(in);
        const __m128i v1 = _mm_loadu_si128(in + 1);
        const __m128i v2 = _mm_loadu_si128(in + 2);
        __m128i *out = reinterpret_cast<__m128i *>(dst + x);
        _mm_storeu_si128(out, _mm_or_si128(_mm_shuffle_epi8(v0, spread), opaque));
        _mm_storeu_si128(
            out + 1, _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(v1, v0, 12), spread), opaque));
        _mm_storeu_si128(
            out + 2, _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(v2, v1, 8), spread), opaque));
        _mm_storeu_si128(out + 3,
                         _mm_or_si128(_mm_shuffle_epi8(_mm_srli_si128(v2, 4), spread), opaque));
    }
    expandRowScalar(src + 3 * x, dst + x, width - x);
}
#endif

// One source row of RGB888 as opaque RGB32, the pixel value QPainter fetches.
void expandRow(const uchar *src, quint32 *dst, int width)
{
#ifdef UX_FRAMEPATH_SSSE3
    static const bool haveSsse3 = __builtin_cpu_supports("ssse3");
    if (haveSsse3) {
        expandRowSsse3(src, dst, width);
        return;
    }
#endif
    expandRowScalar(src, dst, width);
}

// One device row: each column picked from the expanded source row.
void pickColumns(const quint32 *row, const int *columns, quint32 *dst, int count)
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        dst[x] = row[columns[x]];
        dst[x + 1] = row[columns[x + 1]];
        dst[x + 2] = row[columns[x + 2]];
        dst[x + 3] = row[columns[x + 3]];
    }
    for (; x < count; ++x)
        dst[x] = row[columns[x]];
}

// Whether every pixel of an ARGB32 row is opaque.
bool isOpaqueRow(const quint32 *pixels, int width)
{
    int x = 0;
#ifdef UX_FRAMEPATH_SSE2
    __m128i all = _mm_set1_epi32(-1);
    for (; x + 4 <= width; x += 4)
        all = _mm_and_si128(all, _mm_loadu_si128(reinterpret_cast<const __m128i *>(pixels + x)));
    const __m128i alpha = _mm_set1_epi32(int(0xff000000u));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(all, alpha), alpha)) != 0xffff)
        return false;
#endif
    quint32 tail = 0xffffffffu;
    for (; x < width; ++x)
        tail &= pixels[x];
    return tail >= 0xff000000u;
}

// An opaque row as RGB32, the alpha byte set whatever the frame held there.
void copyOpaque(const quint32 *pixels, quint32 *dst, int width)
{
    int x = 0;
#ifdef UX_FRAMEPATH_SSE2
    const __m128i alpha = _mm_set1_epi32(int(0xff000000u));
    for (; x + 8 <= width; x += 8) {
        const __m128i *in = reinterpret_cast<const __m128i *>(pixels + x);
        __m128i *out = reinterpret_cast<__m128i *>(dst + x);
        _mm_storeu_si128(out, _mm_or_si128(_mm_loadu_si128(in), alpha));
        _mm_storeu_si128(out + 1, _mm_or_si128(_mm_loadu_si128(in + 1), alpha));
    }
#endif
    for (; x < width; ++x)
        dst[x] = pixels[x] | 0xff000000u;
}

} // namespace

bool uxIsPlainRasterPainter(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform &t = painter.deviceTransform();
    return engine && engine->type() == QPaintEngine::Raster && t.type() <= QTransform::TxScale &&
           t.m11() > 0 && t.m22() > 0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           painter.opacity() == 1.0 && !painter.testRenderHint(QPainter::SmoothPixmapTransform);
}

bool UxFrameScaler::draw(QPainter &painter, QImage &frame, const QRect &target)
{
    // The device copy holds the only rows of another buffer: it stays as it is until
    // that buffer is completed or released, and the caller draws this image itself.
    if (m_staleKey != 0 && frame.cacheKey() != m_staleKey)
        return false;
    const bool plain = !frame.isNull() && frame.format() == QImage::Format_RGB888 &&
                       !target.isEmpty() && uxIsPlainRasterPainter(painter);
    const QTransform device = painter.deviceTransform();
    const bool sameGeometry =
        m_hasDevice && device == m_device && target == m_target && frame.size() == m_frameSize;
    if (!(plain && sameGeometry && m_laidOut && frame.cacheKey() == m_frameKey))
        complete(frame); // read below, or by the caller's QPainter
    if (!plain)
        return false;
    if (!sameGeometry) {
        m_hasDevice = true;
        m_device = device;
        m_laidOut = layOut(frame.size(), device, target);
    }
    if (!m_laidOut)
        return false;
    if (frame.cacheKey() != m_frameKey)
        rescale(frame);
    painter.save();
    // Cancel the device transform so that the copy lands 1:1 on device pixels.
    painter.setWorldTransform(device.inverted() * painter.worldTransform());
    painter.drawImage(m_deviceOrigin, m_scaled);
    painter.restore();
    return true;
}

void UxFrameScaler::complete(QImage &buffer)
{
    if (m_staleKey == 0 || buffer.cacheKey() != m_staleKey)
        return; // another image: the buffer left to the copy still waits
    m_staleKey = 0;
    writeBuffer(buffer, buffer.height());
}

// The first rows of buffer from the device copy, which holds them one to one.
void UxFrameScaler::writeBuffer(QImage &buffer, int rows)
{
    const bool current = buffer.cacheKey() == m_frameKey;
    uchar *out = buffer.bits();
    for (int y = 0; y < rows; ++y)
        copyRow(m_scaled.constScanLine(y), out + y * buffer.bytesPerLine(), buffer.width(),
                argb32Bytes(), false);
    if (current)
        m_frameKey = buffer.cacheKey();
}

bool UxFrameScaler::layOut(const QSize &frameSize, const QTransform &device, const QRect &target)
{
    m_frameKey = 0;
    m_frameSize = frameSize;
    m_target = target;
    DeviceMapping map = mapTarget(device, target, frameSize);
    if (!m_visible.isNull() && !map.device.isEmpty())
        map.device &= mapTarget(device, m_visible, frameSize).device;
    const QRect area = map.device;
    m_columns.resize(size_t(qMax(0, area.width())));
    const auto rowPosition = [&](int y) { return (map.m22 * (y + 0.5) + map.dy) * kFixedScale; };
    if (area.isEmpty() || area.width() > kMaxDevice || area.height() > kMaxDevice ||
        qint64(area.width()) * area.height() > m_maxPixels || !isFastMatrix(map) ||
        !fitsFixedPoint(rowPosition(area.top()), rowPosition(area.bottom())) ||
        !mapColumns(map, frameSize.width(), m_columns)) {
        m_scaled = QImage();
        return false;
    }
    if (m_scaled.size() != area.size()) {
        m_scaled = QImage(); // the old copy goes before the new one is made
        m_scaled = QImage(area.size(), QImage::Format_RGB32);
    }
    if (m_scaled.isNull())
        return false; // out of memory, or too large for QImage: the caller draws the frame itself
    m_deviceOrigin = area.topLeft();
    m_rows.resize(size_t(area.height()));
    m_identity = area.size() == frameSize;
    for (int y = 0; y < area.height(); ++y) {
        m_rows[size_t(y)] =
            sourceIndex(map.m22 * (area.top() + y + 0.5) + map.dy, frameSize.height() - 1);
        m_identity = m_identity && m_rows[size_t(y)] == y;
    }
    for (int x = 0; m_identity && x < area.width(); ++x)
        m_identity = m_columns[size_t(x)] == x;
    return true;
}

void UxFrameScaler::rescale(const QImage &frame)
{
    m_frameKey = frame.cacheKey();
    m_sourceRow.resize(size_t(frame.width()));
    const int width = m_scaled.width();
    // Where columns map one to one (rows may still repeat), rows are spread into place.
    bool unscaled = width == frame.width();
    for (int x = 0; unscaled && x < width; ++x)
        unscaled = m_columns[size_t(x)] == x;

    uchar *scaled = m_scaled.bits();
    const qsizetype stride = m_scaled.bytesPerLine();
    int previousRow = -1;
    for (int y = 0; y < m_scaled.height(); ++y) {
        const int sourceRow = m_rows[size_t(y)];
        quint32 *out = reinterpret_cast<quint32 *>(scaled + y * stride);
        if (sourceRow == previousRow) {
            std::memcpy(out, scaled + (y - 1) * stride, size_t(width) * 4);
            continue;
        }
        if (unscaled) {
            expandRow(frame.constScanLine(sourceRow), out, frame.width());
        } else {
            expandRow(frame.constScanLine(sourceRow), m_sourceRow.data(), frame.width());
            pickColumns(m_sourceRow.data(), m_columns.data(), out, width);
        }
        previousRow = sourceRow;
    }
}

int UxFrameScaler::ingest(const QImage &frame, QImage &buffer, const QRect &target)
{
    if (m_staleKey != 0 && buffer.cacheKey() != m_staleKey)
        m_staleKey = 0; // one buffer at a time: the copy is about to hold this one
    PixelBytes bytes;
    bool checkAlpha;
    const QImage::Format format = frame.format();
    const bool argb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                        format == QImage::Format_ARGB32_Premultiplied;
    if (argb32 && m_hasDevice && m_laidOut && m_identity && target == m_target &&
        frame.size() == m_frameSize && buffer.size() == frame.size() &&
        buffer.format() == QImage::Format_RGB888)
        return ingestOneToOne(frame, buffer, format != QImage::Format_RGB32);
    complete(buffer);
    m_frameKey = 0;
    if (!argb32 || frame.isNull() || frame.size() != buffer.size() ||
        buffer.format() != QImage::Format_RGB888 || !m_hasDevice)
        return uxCopyOpaqueRows(frame, buffer);
    if (target != m_target || frame.size() != m_frameSize)
        m_laidOut = layOut(frame.size(), m_device, target);
    if (!m_laidOut)
        return uxCopyOpaqueRows(frame, buffer);
    rowCopy(format, bytes, checkAlpha);

    const int width = frame.width();
    const int deviceWidth = m_scaled.width();
    const int deviceHeight = m_scaled.height();
    bool unscaled = deviceWidth == width;
    for (int x = 0; unscaled && x < deviceWidth; ++x)
        unscaled = m_columns[size_t(x)] == x;
    uchar *out = buffer.bits();
    const qsizetype outStride = buffer.bytesPerLine();
    uchar *scaled = m_scaled.bits();
    const qsizetype stride = m_scaled.bytesPerLine();
    const bool stream = buffer.sizeInBytes() > kStreamBytes;
    int deviceRow = 0;
    int y = 0;
    for (; y < frame.height(); ++y) {
        const uchar *line = frame.constScanLine(y);
        if (!copyRow(line, out + y * outStride, width, bytes, checkAlpha, stream))
            break;
        // Each device row sampling this row, while the row is still in the cache.
        if (deviceRow >= deviceHeight || m_rows[size_t(deviceRow)] != y)
            continue;
        const quint32 *pixels = reinterpret_cast<const quint32 *>(line);
        quint32 *row = reinterpret_cast<quint32 *>(scaled + deviceRow * stride);
        if (unscaled) {
            copyOpaque(pixels, row, width);
        } else {
            const int *columns = m_columns.data();
            for (int x = 0; x < deviceWidth; ++x)
                row[x] = pixels[columns[x]] | 0xff000000u;
        }
        for (++deviceRow; deviceRow < deviceHeight && m_rows[size_t(deviceRow)] == y; ++deviceRow)
            std::memcpy(scaled + deviceRow * stride, row, size_t(deviceWidth) * 4);
    }
#ifdef UX_FRAMEPATH_SSE2
    _mm_sfence();
#endif
    if (y == frame.height())
        m_frameKey = buffer.cacheKey(); // the copy shows the buffer as it now stands
    return y;
}

// Where the device copy holds the frame one to one, it is the only copy made: the buffer
// is written from it when it is next read (see complete()).
int UxFrameScaler::ingestOneToOne(const QImage &frame, QImage &buffer, bool checkAlpha)
{
    const bool wasLeft = m_staleKey != 0 && buffer.cacheKey() == m_staleKey;
    const int width = frame.width();
    uchar *scaled = m_scaled.bits();
    const qsizetype stride = m_scaled.bytesPerLine();
    int y = 0;
    for (; y < frame.height(); ++y) {
        const quint32 *pixels = reinterpret_cast<const quint32 *>(frame.constScanLine(y));
        if (checkAlpha && !isOpaqueRow(pixels, width))
            break;
        copyOpaque(pixels, reinterpret_cast<quint32 *>(scaled + y * stride), width);
    }
    if (y == frame.height()) {
        m_staleKey = m_frameKey = buffer.cacheKey();
        return y;
    }
    // A row with transparency is blended over the buffer by the caller: the buffer takes
    // the opaque rows, and the previous frame's rows too if they lived only in the copy.
    m_staleKey = 0;
    m_frameKey = 0;
    writeBuffer(buffer, wasLeft ? frame.height() : y);
    return y;
}
