#include "UxYuvPath.h"

#include "UxFramePath.h"
#include "frame/UxNumeric.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#define UX_YUVPATH_SSE2 1 // part of every x86-64; SSSE3 is asked of the processor
#endif

namespace {

// Every sample is worked on as a 10-bit value; 8-bit samples are scaled by 4 on the way.
enum class SampleKind { Eight, Low10, High10 };

struct FormatLayout
{
    SampleKind kind;
    bool semiPlanar; // Cb and Cr interleaved in plane 1
};

FormatLayout layoutOf(UxVideoFrame::PixelFormat format)
{
    switch (format) {
    case UxVideoFrame::Format_NV12:
        return {SampleKind::Eight, true};
    case UxVideoFrame::Format_YUV420P10:
        return {SampleKind::Low10, false};
    case UxVideoFrame::Format_P010:
        return {SampleKind::High10, true};
    default:
        return {SampleKind::Eight, false};
    }
}

int chromaLength(int length)
{
    return length / 2 + (length & 1);
}

// How many samples one row of a plane holds (Cb, Cr pairs count two).
int elementsOf(const FormatLayout &layout, const QSize &size, int plane)
{
    if (plane == 0)
        return size.width();
    return chromaLength(size.width()) * (layout.semiPlanar ? 2 : 1);
}

// --- Which samples each output pixel takes --------------------------------------------

const int kMaxTaps = 8; // samples an axis of one output pixel averages at most

// How the n output pixels of an axis take the m samples of a plane: one to one; the
// sample nearest each pixel's centre where the axis is enlarged or reduced by less than
// 2:1; else the average of the samples each pixel covers, so that fine detail does not
// shimmer. Past kMaxTaps samples they are spread an odd number apart, so that a pattern
// of alternating lines is still averaged rather than picked one line of two.
struct Axis
{
    enum Mode { Identity, Nearest, Box };
    Mode mode = Identity;
    std::vector<int> first; // the first sample each pixel takes
    std::vector<int> count; // Box: how many
    std::vector<int> step;  // Box: how far apart
    // Columns of a box up to kMaxTaps:1 are averaged in two steps that vectors take well:
    // every run of `uniform` samples (whole of the reduction) into `reduced` values, then
    // for each pixel the nearest of those (pick; empty when there is one for each).
    int uniform = 0;
    int reduced = 0;
    std::vector<int> pick;
};

Axis axisOf(int m, int n)
{
    Axis axis;
    axis.first.resize(size_t(n));
    axis.mode = m == n ? Axis::Identity : m < 2 * qint64(n) ? Axis::Nearest : Axis::Box;
    if (axis.mode != Axis::Box) {
        for (int i = 0; i < n; ++i)
            axis.first[size_t(i)] = int((2 * qint64(i) + 1) * m / (2 * qint64(n)));
        return axis;
    }
    axis.count.resize(size_t(n));
    axis.step.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        const int first = int(qint64(i) * m / n);
        const int length = qMax(1, int(qint64(i + 1) * m / n) - first);
        const int step = length <= kMaxTaps ? 1 : ((length + kMaxTaps - 1) / kMaxTaps) | 1;
        axis.first[size_t(i)] = first;
        axis.count[size_t(i)] = (length + step - 1) / step;
        axis.step[size_t(i)] = step;
    }
    if (m / n > kMaxTaps)
        return axis; // the spread taps above
    axis.uniform = m / n;
    axis.reduced = m / axis.uniform;
    if (axis.reduced != n) {
        axis.pick.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            axis.pick[size_t(i)] = int((2 * qint64(i) + 1) * axis.reduced / (2 * qint64(n)));
    }
    return axis;
}

int tapCount(const Axis &axis, int i)
{
    return axis.mode == Axis::Box ? axis.count[size_t(i)] : 1;
}

int tapStep(const Axis &axis, int i)
{
    return axis.mode == Axis::Box ? axis.step[size_t(i)] : 1;
}

// The pixels start to start + length of an axis, taking the samples they take in the whole:
// a part of a picture is rendered with the whole's tables, so it shows the same pixels.
// A box that averages runs of whole samples still runs over the whole row and picks its
// part's runs.
Axis sliceOf(const Axis &whole, int start, int length)
{
    const auto part = [start, length](const std::vector<int> &values) {
        return std::vector<int>(values.begin() + start, values.begin() + start + length);
    };
    Axis axis;
    if (whole.mode == Axis::Identity) { // no longer the row as it is: pick each sample
        axis.mode = Axis::Nearest;
        axis.first.resize(size_t(length));
        std::iota(axis.first.begin(), axis.first.end(), start);
        return axis;
    }
    axis.mode = whole.mode;
    axis.first = part(whole.first);
    if (whole.mode != Axis::Box)
        return axis;
    axis.count = part(whole.count);
    axis.step = part(whole.step);
    axis.uniform = whole.uniform;
    axis.reduced = whole.reduced;
    if (whole.uniform > 0 && whole.pick.empty()) {
        axis.pick.resize(size_t(length));
        std::iota(axis.pick.begin(), axis.pick.end(), start);
    } else if (whole.uniform > 0) {
        axis.pick = part(whole.pick);
    }
    return axis;
}

// round(unit * 65536 / n) for every count of averaged samples: a multiply and a shift
// instead of a division per pixel. unit is 4 for 8-bit samples (to 10-bit values), else 1.
using Reciprocals = std::array<quint32, kMaxTaps * kMaxTaps + 1>;

Reciprocals reciprocals(int unit)
{
    Reciprocals r{};
    for (int n = 1; n < int(r.size()); ++n)
        r[size_t(n)] = quint32(std::lround(unit * 65536.0 / n));
    return r;
}

// --- Reading the planes, with the copy a viewer keeps made on the way -----------------

// Copies a row past the caches: the copy is kept for later paints, not read now.
void streamRow(uchar *dst, const uchar *src, qsizetype bytes)
{
    qsizetype x = 0;
#ifdef UX_YUVPATH_SSE2
    if ((quintptr(dst) & 15) == 0) {
        for (; x + 16 <= bytes; x += 16)
            _mm_stream_si128(reinterpret_cast<__m128i *>(dst + x),
                             _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + x)));
    }
#endif
    std::memcpy(dst + x, src + x, size_t(bytes - x));
}

// Rows of one plane read in increasing order. With a keep buffer each row is also copied
// into it just before it is first read, so that the frame's memory is read once.
class PlaneRows
{
public:
    PlaneRows() = default;
    PlaneRows(const uchar *top, qsizetype stride, int rows, qsizetype rowBytes, uchar *keep,
              qsizetype keepStride)
        : m_top(top)
        , m_stride(stride)
        , m_rows(rows)
        , m_rowBytes(rowBytes)
        , m_keep(keep)
        , m_keepStride(keepStride)
    {
    }

    const uchar *row(int y)
    {
        for (; m_keep && m_copied <= y; ++m_copied)
            streamRow(m_keep + m_copied * m_keepStride, m_top + m_copied * m_stride, m_rowBytes);
        return m_top + y * m_stride;
    }

    // A row further down to prefetch, or the last row.
    const uchar *ahead(int y) const { return m_top + qMin(y, m_rows - 1) * m_stride; }

    // Copies the rows that were not read.
    void finish()
    {
        if (m_keep && m_rows > 0)
            row(m_rows - 1);
#ifdef UX_YUVPATH_SSE2
        _mm_sfence(); // the streamed rows are in memory before anything reads them
#endif
    }

private:
    const uchar *m_top = nullptr;
    qsizetype m_stride = 0;
    int m_rows = 0;
    qsizetype m_rowBytes = 0;
    uchar *m_keep = nullptr;
    qsizetype m_keepStride = 0;
    int m_copied = 0;
};

// Sums Count (or, with Count 0, count) rows of 8-bit samples into acc, column by column in
// registers.
#ifdef UX_YUVPATH_SSE2
template <int Count>
__attribute__((target("avx2"))) int addRows8Avx2(const uchar *const *src, const uchar *const *ahead,
                                                 int count, quint16 *acc, int n)
{
    if (Count > 0)
        count = Count;
    int x = 0;
    for (; x + 64 <= n; x += 64) {
#pragma GCC unroll 8
        for (int k = 0; k < count; ++k)
            _mm_prefetch(reinterpret_cast<const char *>(ahead[k] + x), _MM_HINT_T0);
#pragma GCC unroll 4
        for (int part = 0; part < 64; part += 16) {
            __m256i sum = _mm256_setzero_si256();
#pragma GCC unroll 8
            for (int k = 0; k < count; ++k)
                sum = _mm256_add_epi16(sum,
                                       _mm256_cvtepu8_epi16(_mm_loadu_si128(
                                           reinterpret_cast<const __m128i *>(src[k] + x + part))));
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(acc + x + part), sum);
        }
    }
    return x;
}
#endif

template <int Count>
void addRows8(const uchar *const *src, const uchar *const *ahead, int count, quint16 *acc, int n)
{
    if (Count > 0)
        count = Count;
    int x = 0;
#ifdef UX_YUVPATH_SSE2
    static const bool haveAvx2 = __builtin_cpu_supports("avx2");
    if (haveAvx2)
        x = addRows8Avx2<Count>(src, ahead, count, acc, n);
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= n; x += 16) {
        __m128i lo = zero;
        __m128i hi = zero;
#pragma GCC unroll 8
        for (int k = 0; k < count; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src[k] + x));
            lo = _mm_add_epi16(lo, _mm_unpacklo_epi8(v, zero));
            hi = _mm_add_epi16(hi, _mm_unpackhi_epi8(v, zero));
        }
        __m128i *a = reinterpret_cast<__m128i *>(acc + x);
        _mm_storeu_si128(a, lo);
        _mm_storeu_si128(a + 1, hi);
    }
#endif
    for (; x < n; ++x) {
        unsigned sum = 0;
        for (int k = 0; k < count; ++k)
            sum += src[k][x];
        acc[x] = quint16(sum);
    }
}

void addRows8(const uchar *const *src, const uchar *const *ahead, int count, quint16 *acc, int n)
{
    switch (count) {
    case 2:
        return addRows8<2>(src, ahead, count, acc, n);
    case 3:
        return addRows8<3>(src, ahead, count, acc, n);
    case 4:
        return addRows8<4>(src, ahead, count, acc, n);
    default:
        return addRows8<0>(src, ahead, count, acc, n);
    }
}

// Sums count rows of 16-bit little-endian samples into acc as 10-bit values: the bits
// outside the 10 that carry a sample are dropped, so no value passes 1023. Read bytewise
// where they are not in vectors: planes need not be aligned.
void addRows16(const uchar *const *src, int count, quint16 *acc, int n, SampleKind kind)
{
    const bool high = kind == SampleKind::High10;
    int x = 0;
#if defined(UX_YUVPATH_SSE2) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    const __m128i low10 = _mm_set1_epi16(0x3ff);
    for (; x + 8 <= n; x += 8) {
        __m128i sum = _mm_setzero_si128();
        for (int k = 0; k < count; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src[k] + 2 * x));
            sum = _mm_add_epi16(sum, high ? _mm_srli_epi16(v, 6) : _mm_and_si128(v, low10));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(acc + x), sum);
    }
#endif
    for (; x < n; ++x) {
        unsigned sum = 0;
        for (int k = 0; k < count; ++k) {
            const unsigned raw = unsigned(src[k][2 * x]) | (unsigned(src[k][2 * x + 1]) << 8);
            sum += high ? raw >> 6 : raw & 0x3ff;
        }
        acc[x] = quint16(sum);
    }
}

// Sums rows of a plane into acc: count rows from first, step apart.
void accumulateRows(PlaneRows &rows, int first, int count, int step, int elements, SampleKind kind,
                    quint16 *acc)
{
    const uchar *src[kMaxTaps];
    for (int k = 0; k < count; ++k)
        src[k] = rows.row(first + k * step);
    // The next output row's rows are asked for while these are summed, so that they
    // stream in from memory meanwhile.
    const uchar *ahead[kMaxTaps];
    for (int k = 0; k < count; ++k)
        ahead[k] = rows.ahead(first + (count + k) * step);
    if (kind == SampleKind::Eight)
        return addRows8(src, ahead, count, acc, elements);
    addRows16(src, count, acc, elements, kind);
}

// One output row of one channel as 10-bit values, from a row of samples (bytes as stored,
// or sums of rows): value = (sum * factor + 1/2) >> 16, with factor from the reciprocals.
// The channel's samples lie stride elements apart from offset.
// Up to sixteen output pixels whose nearest 8-bit samples lie in one 32-byte window of
// the row, picked with two byte shuffles.
struct GatherBlock
{
    int window;
    int first;
    uchar low[16];  // shuffle of the window's first 16 bytes; 0x80 takes nothing
    uchar high[16]; // of its last 16
};

struct ColumnPass
{
    const Axis *axis = nullptr;
    int stride = 1;
    int offset = 0;
    std::vector<int> index; // the element of each pixel's first sample
    std::vector<GatherBlock> blocks;
    std::vector<qint16> scratch; // a box's runs before the pick

    ColumnPass() = default;
    ColumnPass(const Axis *a, int elementStride, int elementOffset, int rowElements)
        : axis(a)
        , stride(elementStride)
        , offset(elementOffset)
        , index(a->first.size())
    {
        for (size_t i = 0; i < index.size(); ++i)
            index[i] = a->first[i] * stride + offset;
        if (axis->mode != Axis::Box)
            layOutBlocks(rowElements);
        scratch.resize(size_t(axis->reduced) + 16);
    }

private:
    void layOutBlocks(int rowElements)
    {
        const int n = int(index.size());
        if (rowElements < 32)
            return; // a window would pass the row's end
        for (int i = 0; i < n;) {
            GatherBlock block;
            block.first = i;
            block.window = qMin(index[size_t(i)], rowElements - 32);
            std::memset(block.low, 0x80, sizeof block.low);
            std::memset(block.high, 0x80, sizeof block.high);
            for (int k = 0; k < 16 && i < n && index[size_t(i)] - block.window < 32; ++k, ++i) {
                const int at = index[size_t(i)] - block.window;
                (at < 16 ? block.low[k] : block.high[k]) = uchar(at & 15);
            }
            blocks.push_back(block);
        }
    }
};

#ifdef UX_YUVPATH_SSE2
__attribute__((target("ssse3"))) void gatherRow8(const uchar *row,
                                                 const std::vector<GatherBlock> &blocks, uchar *out)
{
    for (const GatherBlock &b : blocks) {
        const __m128i *window = reinterpret_cast<const __m128i *>(row + b.window);
        const __m128i bytes = _mm_or_si128(
            _mm_shuffle_epi8(_mm_loadu_si128(window),
                             _mm_loadu_si128(reinterpret_cast<const __m128i *>(b.low))),
            _mm_shuffle_epi8(_mm_loadu_si128(window + 1),
                             _mm_loadu_si128(reinterpret_cast<const __m128i *>(b.high))));
        // Sixteen bytes are stored; those past the block are written again by the next.
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + b.first), bytes);
    }
}
#endif

// The nearest 8-bit sample of each pixel, as stored: the row itself where the columns map
// one to one, else gathered into out.
const uchar *pickBytes(const uchar *row, const ColumnPass &pass, int n, uchar *out)
{
    if (pass.axis->mode == Axis::Identity && pass.stride == 1)
        return row + pass.offset;
#ifdef UX_YUVPATH_SSE2
    static const bool haveSsse3 = __builtin_cpu_supports("ssse3");
    if (haveSsse3 && !pass.blocks.empty()) {
        gatherRow8(row, pass.blocks, out);
        return out;
    }
#endif
    const int *index = pass.index.data();
    for (int i = 0; i < n; ++i)
        out[i] = row[index[i]];
    return out;
}

// The nearest sum of each pixel as a 10-bit value.
void pickSums(const quint16 *src, const ColumnPass &pass, quint32 factor, int n, qint16 *out)
{
    const int *index = pass.index.data();
    for (int i = 0; i < n; ++i)
        out[i] = qint16((src[index[i]] * factor + 32768) >> 16);
}

template <int Count, int Stride>
void averageUniform(const quint16 *src, quint32 factor, int n, qint16 *out)
{
    for (int i = 0; i < n; ++i, src += Count * Stride) {
        quint32 sum = 0;
#pragma GCC unroll 8
        for (int k = 0; k < Count; ++k)
            sum += src[k * Stride];
        out[i] = qint16((sum * factor + 32768) >> 16);
    }
}

#ifdef UX_YUVPATH_SSE2
// Eight pixels a step of a whole-number reduction by Count of consecutive sums below
// 32768: the sums of Count neighbours at every element, then every Count-th of them picked
// with byte shuffles, then scaled in 32 bits. Reads up to 9 * Count elements past the
// row's last pixel.
template <int Count>
__attribute__((target("sse4.1"))) int averageUniformSse41(const quint16 *src, quint32 factor, int n,
                                                          qint16 *out)
{
    // Lane i takes window element Count * i, which lies in window vector Count * i / 8.
    __m128i picks[Count];
    for (int v = 0; v < Count; ++v) {
        alignas(16) uchar mask[16];
        for (int i = 0; i < 8; ++i) {
            const int element = Count * i - 8 * v;
            const bool here = element >= 0 && element < 8;
            mask[2 * i] = here ? uchar(2 * element) : 0x80;
            mask[2 * i + 1] = here ? uchar(2 * element + 1) : 0x80;
        }
        picks[v] = _mm_load_si128(reinterpret_cast<const __m128i *>(mask));
    }
    const __m128i scale = _mm_set1_epi32(int(factor));
    const __m128i half = _mm_set1_epi32(32768);
    const __m128i zero = _mm_setzero_si128();
    int i = 0;
    for (; i + 8 <= n; i += 8, src += 8 * Count) {
        __m128i picked = zero;
#pragma GCC unroll 8
        for (int v = 0; v < Count; ++v) {
            __m128i window = zero;
#pragma GCC unroll 8
            for (int k = 0; k < Count; ++k)
                window = _mm_add_epi16(
                    window, _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + 8 * v + k)));
            picked = _mm_or_si128(picked, _mm_shuffle_epi8(window, picks[v]));
        }
        const __m128i lo = _mm_srli_epi32(
            _mm_add_epi32(_mm_mullo_epi32(_mm_unpacklo_epi16(picked, zero), scale), half), 16);
        const __m128i hi = _mm_srli_epi32(
            _mm_add_epi32(_mm_mullo_epi32(_mm_unpackhi_epi16(picked, zero), scale), half), 16);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packs_epi32(lo, hi));
    }
    return i;
}
#endif

// Runs of Count samples, a whole-number reduction (4K to 1080p is 2:1, to 720p 3:1).
template <int Count>
void averageUniform(const quint16 *src, int stride, quint32 factor, int n, qint16 *out,
                    bool smallSums)
{
    int done = 0;
#ifdef UX_YUVPATH_SSE2
    static const bool haveSse41 = __builtin_cpu_supports("sse4.1");
    if (haveSse41 && stride == 1 && smallSums)
        done = averageUniformSse41<Count>(src, factor, n, out);
#endif
    if (stride == 1)
        averageUniform<Count, 1>(src + Count * done, factor, n - done, out + done);
    else
        averageUniform<Count, 2>(src, factor, n, out);
}

void averageUniform(int count, const quint16 *src, int stride, quint32 factor, int n, qint16 *out,
                    bool smallSums)
{
    switch (count) {
    case 2:
        return averageUniform<2>(src, stride, factor, n, out, smallSums);
    case 3:
        return averageUniform<3>(src, stride, factor, n, out, smallSums);
    case 4:
        return averageUniform<4>(src, stride, factor, n, out, smallSums);
    case 5:
        return averageUniform<5>(src, stride, factor, n, out, smallSums);
    case 6:
        return averageUniform<6>(src, stride, factor, n, out, smallSums);
    case 7:
        return averageUniform<7>(src, stride, factor, n, out, smallSums);
    default:
        return averageUniform<8>(src, stride, factor, n, out, smallSums);
    }
}

void averageColumns(const quint16 *src, ColumnPass &pass, int rows, int maxSample,
                    const Reciprocals &recip, int n, qint16 *out)
{
    const Axis &axis = *pass.axis;
    src += pass.offset;
    if (axis.uniform > 0) {
        const bool smallSums = rows * axis.uniform * maxSample < 32768; // signed 16-bit lanes
        qint16 *runs = axis.pick.empty() ? out : pass.scratch.data();
        averageUniform(axis.uniform, src, pass.stride, recip[size_t(rows * axis.uniform)],
                       axis.reduced, runs, smallSums);
        for (size_t i = 0; i < axis.pick.size(); ++i)
            out[i] = runs[axis.pick[i]];
        return;
    }
    for (int i = 0; i < n; ++i) {
        const int count = axis.count[size_t(i)];
        const int step = axis.step[size_t(i)] * pass.stride;
        const quint16 *sample = src + axis.first[size_t(i)] * pass.stride;
        quint32 sum = 0;
        for (int k = 0; k < count; ++k, sample += step)
            sum += *sample;
        out[i] = qint16((sum * recip[size_t(rows * count)] + 32768) >> 16);
    }
}

// One channel of an output row: 8-bit samples as stored (bytes), or else 10-bit values
// (wide). The buffers are 16 values longer than the row: gathers store whole vectors.
struct ChannelRow
{
    const uchar *bytes = nullptr;
    std::vector<qint16> wide;
    std::vector<uchar> gathered;

    explicit ChannelRow(int n = 0)
        : wide(size_t(n) + 16, 0)
        , gathered(size_t(n) + 16, 0)
    {
    }
};

// One plane's part of an output row: its rows (the nearest, or the sum of those a box
// covers) and then its channels' columns.
struct PlanePass
{
    PlaneRows *rows;
    const Axis *vertical;
    SampleKind kind;
    int elements;
    std::vector<quint16> sums;
    ColumnPass channels[2];
    int channelCount;

    void run(int j, const Reciprocals &recip, int n, ChannelRow *const *out)
    {
        const Axis &axis = *channels[0].axis;
        const bool summed =
            kind != SampleKind::Eight || vertical->mode == Axis::Box || axis.mode == Axis::Box;
        const int first = vertical->first[size_t(j)];
        const int count = tapCount(*vertical, j);
        if (!summed) { // 8-bit samples straight from the nearest row
            const uchar *row = rows->row(first);
            for (int c = 0; c < channelCount; ++c)
                out[c]->bytes = pickBytes(row, channels[c], n, out[c]->gathered.data());
            return;
        }
        accumulateRows(*rows, first, count, tapStep(*vertical, j), elements, kind, sums.data());
        for (int c = 0; c < channelCount; ++c) {
            out[c]->bytes = nullptr;
            qint16 *values = out[c]->wide.data();
            if (axis.mode == Axis::Box)
                averageColumns(sums.data(), channels[c], count,
                               kind == SampleKind::Eight ? 255 : 1023, recip, n, values);
            else
                pickSums(sums.data(), channels[c], recip[size_t(count)], n, values);
        }
    }
};

// --- From Y, Cb, Cr to RGB -------------------------------------------------------------

const int kFractionBits = 14; // of the coefficients
const int kEighths = 3;       // each term is worked out in eighths of a level

// Each colour is the sum of terms c * v on 10-bit values v (luma less its offset, chroma
// less 512), with 255 as white: every term round(16 v * c / 2^15), that is in eighths of a
// level, then the sum rounded to a level. In 16-bit lanes, one rounding multiply a term
// (_mm_mulhrs_epi16), eight or sixteen pixels at a time; the scalar path does the same
// integer arithmetic, so every path gives the same pixels.
struct Coefficients
{
    int yOffset;
    int y, rv, gu, gv, bu;
};

Coefficients coefficientsOf(const UxVideoFrame &frame)
{
    const bool bt709 = frame.colorMatrix() == UxVideoFrame::Matrix_BT709;
    const double kr = bt709 ? 0.2126 : 0.299;
    const double kb = bt709 ? 0.0722 : 0.114;
    const double kg = 1.0 - kr - kb;
    const bool full = frame.colorRange() == UxVideoFrame::Range_Full;
    const bool tenBit = layoutOf(frame.pixelFormat()).kind != SampleKind::Eight;
    // The spans of luma and chroma in 10-bit values; 8-bit samples came in times 4.
    const double lumaSpan = full ? (tenBit ? 1023.0 : 1020.0) : 876.0;
    const double chromaSpan = full ? lumaSpan : 896.0;
    const double one = 255.0 * (1 << kFractionBits);
    const auto fixed = [](double v) { return int(std::lround(v)); };
    return {full ? 0 : 64,
            fixed(one / lumaSpan),
            fixed(one * 2 * (1 - kr) / chromaSpan),
            fixed(-one * 2 * kb * (1 - kb) / kg / chromaSpan),
            fixed(-one * 2 * kr * (1 - kr) / kg / chromaSpan),
            fixed(one * 2 * (1 - kb) / chromaSpan)};
}

// round(a * b / 2^15), as _mm_mulhrs_epi16 computes it.
int term(int value, int coefficient)
{
    return (value * 16 * coefficient + 0x4000) >> 15;
}

quint32 rgbPixel(int y, int u, int v, const Coefficients &c)
{
    const int luma = term(y - c.yOffset, c.y) + (1 << (kEighths - 1));
    const int cb = u - 512;
    const int cr = v - 512;
    const int r = qBound(0, (luma + term(cr, c.rv)) >> kEighths, 255);
    const int g = qBound(0, (luma + term(cb, c.gu) + term(cr, c.gv)) >> kEighths, 255);
    const int b = qBound(0, (luma + term(cb, c.bu)) >> kEighths, 255);
    return 0xff000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
}

// A row's values as 10-bit numbers: 8-bit samples as stored are scaled by 4 on the way.
inline int tenBit(uchar sample)
{
    return sample << 2;
}

inline int tenBit(qint16 value)
{
    return value;
}

#ifdef UX_YUVPATH_SSE2
// Eight luma values, and four chroma values each twice, as 10-bit numbers in 16-bit lanes.
__attribute__((target("ssse3"), always_inline)) inline __m128i lumaOf(const qint16 *y)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(y));
}

__attribute__((target("ssse3"), always_inline)) inline __m128i lumaOf(const uchar *y)
{
    return _mm_slli_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(y)),
                                            _mm_setzero_si128()),
                          2);
}

__attribute__((target("ssse3"), always_inline)) inline __m128i doubledChroma(const qint16 *c)
{
    const __m128i c4 = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(c));
    return _mm_unpacklo_epi16(c4, c4);
}

__attribute__((target("ssse3"), always_inline)) inline __m128i doubledChroma(const uchar *c)
{
    quint32 four;
    std::memcpy(&four, c, 4);
    const __m128i c4 =
        _mm_slli_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(four)), _mm_setzero_si128()), 2);
    return _mm_unpacklo_epi16(c4, c4);
}

// Eight pixels a step, with each chroma value serving two of them.
template <typename Luma, typename Chroma>
__attribute__((target("ssse3"))) int convertRowSsse3(const Luma *y, const Chroma *u,
                                                     const Chroma *v, quint32 *out, int n,
                                                     const Coefficients &c)
{
    const __m128i yOffset = _mm_set1_epi16(qint16(c.yOffset));
    const __m128i centre = _mm_set1_epi16(512);
    const __m128i half = _mm_set1_epi16(1 << (kEighths - 1));
    const __m128i kY = _mm_set1_epi16(qint16(c.y)), kRV = _mm_set1_epi16(qint16(c.rv));
    const __m128i kGU = _mm_set1_epi16(qint16(c.gu)), kGV = _mm_set1_epi16(qint16(c.gv));
    const __m128i kBU = _mm_set1_epi16(qint16(c.bu));
    const __m128i alpha = _mm_set1_epi16(qint16(0xff00));
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m128i Y = _mm_slli_epi16(_mm_sub_epi16(lumaOf(y + x), yOffset), 4);
        const __m128i U = _mm_slli_epi16(_mm_sub_epi16(doubledChroma(u + x / 2), centre), 4);
        const __m128i V = _mm_slli_epi16(_mm_sub_epi16(doubledChroma(v + x / 2), centre), 4);
        const __m128i luma = _mm_add_epi16(_mm_mulhrs_epi16(Y, kY), half);
        const __m128i r = _mm_srai_epi16(_mm_add_epi16(luma, _mm_mulhrs_epi16(V, kRV)), kEighths);
        const __m128i g = _mm_srai_epi16(
            _mm_add_epi16(_mm_add_epi16(luma, _mm_mulhrs_epi16(U, kGU)), _mm_mulhrs_epi16(V, kGV)),
            kEighths);
        const __m128i b = _mm_srai_epi16(_mm_add_epi16(luma, _mm_mulhrs_epi16(U, kBU)), kEighths);
        // Little-endian RGB32 is B, G, R, A in memory.
        const __m128i bg = _mm_unpacklo_epi8(_mm_packus_epi16(b, b), _mm_packus_epi16(g, g));
        const __m128i ra =
            _mm_or_si128(_mm_unpacklo_epi8(_mm_packus_epi16(r, r), _mm_setzero_si128()), alpha);
        __m128i *dst = reinterpret_cast<__m128i *>(out + x);
        _mm_storeu_si128(dst, _mm_unpacklo_epi16(bg, ra));
        _mm_storeu_si128(dst + 1, _mm_unpackhi_epi16(bg, ra));
    }
    return x;
}

#define UX_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

// Sixteen luma values less the offset, and eight chroma values each twice less the
// centre, as 10-bit numbers times 16: the terms' inputs.
UX_AVX2_INLINE __m256i lumaTerm256(const qint16 *y, __m256i offset)
{
    return _mm256_slli_epi16(
        _mm256_sub_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(y)), offset), 4);
}

UX_AVX2_INLINE __m256i lumaTerm256(const uchar *y, __m256i offset)
{
    const __m256i y16 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(y)));
    return _mm256_sub_epi16(_mm256_slli_epi16(y16, 6), _mm256_slli_epi16(offset, 4));
}

UX_AVX2_INLINE __m256i chromaTerm256(const qint16 *c, __m256i centre)
{
    const __m128i c8 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(c));
    const __m256i pairs = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_unpacklo_epi16(c8, c8)), _mm_unpackhi_epi16(c8, c8), 1);
    return _mm256_slli_epi16(_mm256_sub_epi16(pairs, centre), 4);
}

UX_AVX2_INLINE __m256i chromaTerm256(const uchar *c, __m256i centre)
{
    // Each byte zero-extended into a 32-bit lane and copied into its upper half.
    const __m256i c32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(c)));
    const __m256i pairs = _mm256_or_si256(c32, _mm256_slli_epi32(c32, 16));
    return _mm256_sub_epi16(_mm256_slli_epi16(pairs, 6), _mm256_slli_epi16(centre, 4));
}

// The same as convertRowSsse3, sixteen pixels a step.
template <typename Luma, typename Chroma>
__attribute__((target("avx2"))) int convertRowAvx2(const Luma *y, const Chroma *u, const Chroma *v,
                                                   quint32 *out, int n, const Coefficients &c)
{
    const __m256i yOffset = _mm256_set1_epi16(qint16(c.yOffset));
    const __m256i centre = _mm256_set1_epi16(512);
    const __m256i half = _mm256_set1_epi16(1 << (kEighths - 1));
    const __m256i kY = _mm256_set1_epi16(qint16(c.y)), kRV = _mm256_set1_epi16(qint16(c.rv));
    const __m256i kGU = _mm256_set1_epi16(qint16(c.gu)), kGV = _mm256_set1_epi16(qint16(c.gv));
    const __m256i kBU = _mm256_set1_epi16(qint16(c.bu));
    const __m256i alpha = _mm256_set1_epi16(qint16(0xff00));
    int x = 0;
    for (; x + 16 <= n; x += 16) {
        const __m256i Y = lumaTerm256(y + x, yOffset);
        const __m256i U = chromaTerm256(u + x / 2, centre);
        const __m256i V = chromaTerm256(v + x / 2, centre);
        const __m256i luma = _mm256_add_epi16(_mm256_mulhrs_epi16(Y, kY), half);
        const __m256i r =
            _mm256_srai_epi16(_mm256_add_epi16(luma, _mm256_mulhrs_epi16(V, kRV)), kEighths);
        const __m256i g =
            _mm256_srai_epi16(_mm256_add_epi16(_mm256_add_epi16(luma, _mm256_mulhrs_epi16(U, kGU)),
                                               _mm256_mulhrs_epi16(V, kGV)),
                              kEighths);
        const __m256i b =
            _mm256_srai_epi16(_mm256_add_epi16(luma, _mm256_mulhrs_epi16(U, kBU)), kEighths);
        // Within each 128-bit half: B, G and R, A byte pairs, then pixels 0-3 and 4-7 of
        // the half; the halves are put in order on the way out.
        const __m256i bg =
            _mm256_unpacklo_epi8(_mm256_packus_epi16(b, b), _mm256_packus_epi16(g, g));
        const __m256i ra = _mm256_or_si256(
            _mm256_unpacklo_epi8(_mm256_packus_epi16(r, r), _mm256_setzero_si256()), alpha);
        const __m256i first = _mm256_unpacklo_epi16(bg, ra);  // pixels 0-3 and 8-11
        const __m256i second = _mm256_unpackhi_epi16(bg, ra); // pixels 4-7 and 12-15
        __m256i *dst = reinterpret_cast<__m256i *>(out + x);
        _mm256_storeu_si256(dst, _mm256_permute2x128_si256(first, second, 0x20));
        _mm256_storeu_si256(dst + 1, _mm256_permute2x128_si256(first, second, 0x31));
    }
    return x;
}
#endif

// n pixels from their luma and from chroma at half the width: pixel x takes chroma x / 2.
template <typename Luma, typename Chroma>
void convertRow(const Luma *y, const Chroma *u, const Chroma *v, quint32 *out, int n,
                const Coefficients &c)
{
    int x = 0;
#ifdef UX_YUVPATH_SSE2
    static const bool haveAvx2 = __builtin_cpu_supports("avx2");
    static const bool haveSsse3 = __builtin_cpu_supports("ssse3");
    if (haveAvx2)
        x = convertRowAvx2(y, u, v, out, n, c);
    if (haveSsse3)
        x += convertRowSsse3(y + x, u + x / 2, v + x / 2, out + x, n - x, c);
#endif
    for (; x < n; ++x)
        out[x] = rgbPixel(tenBit(y[x]), tenBit(u[x / 2]), tenBit(v[x / 2]), c);
}

// The row's channels as they came: samples as stored or 10-bit values.
template <typename Luma>
void convertRow(const Luma *y, const ChannelRow &u, const ChannelRow &v, quint32 *out, int n,
                const Coefficients &c)
{
    if (u.bytes && v.bytes)
        convertRow(y, u.bytes, v.bytes, out, n, c);
    else
        convertRow(y, u.wide.data(), v.wide.data(), out, n, c);
}

void convertRow(const ChannelRow &y, const ChannelRow &u, const ChannelRow &v, quint32 *out, int n,
                const Coefficients &c)
{
    if (y.bytes)
        convertRow(y.bytes, u, v, out, n, c);
    else
        convertRow(y.wide.data(), u, v, out, n, c);
}

// --- Turning rows upright --------------------------------------------------------------

// Rows of the picture as stored (scaled) go to out turned by rotation: directly for 0,
// reversed for 180, and for a quarter turn gathered eight at a time and written as
// eight-pixel runs into out's rows.
class UprightWriter
{
public:
    UprightWriter(QImage &out, int rotation, int width, int height)
        : m_out(out)
        , m_rotation(rotation)
        , m_width(width)
        , m_height(height)
        , m_batch(rotation == 0     ? 0
                  : rotation == 180 ? 1
                                    : 8)
        , m_rows(size_t(m_batch) * size_t(width))
    {
    }

    // Where row y of the picture as stored is to be written.
    quint32 *rowFor(int y)
    {
        if (m_rotation == 0)
            return reinterpret_cast<quint32 *>(m_out.scanLine(y));
        return m_rows.data() + size_t(y % m_batch) * size_t(m_width);
    }

    void rowDone(int y)
    {
        if (m_rotation == 180) {
            const quint32 *row = m_rows.data();
            quint32 *dst = reinterpret_cast<quint32 *>(m_out.scanLine(m_height - 1 - y));
            for (int x = 0; x < m_width; ++x)
                dst[m_width - 1 - x] = row[x];
        } else if (m_rotation != 0 && (y % m_batch == m_batch - 1 || y == m_height - 1)) {
            flushQuarterTurn(y - y % m_batch, y % m_batch + 1);
        }
    }

private:
    // Stored (x, y) is upright (height - 1 - y, x) turned 90 clockwise, (y, width - 1 - x)
    // turned 270.
    void flushQuarterTurn(int firstRow, int count)
    {
        const bool clockwise = m_rotation == 90;
        for (int x = 0; x < m_width; ++x) {
            quint32 *dst =
                reinterpret_cast<quint32 *>(m_out.scanLine(clockwise ? x : m_width - 1 - x));
            for (int k = 0; k < count; ++k) {
                const int y = firstRow + k;
                dst[clockwise ? m_height - 1 - y : y] =
                    m_rows[size_t(k) * size_t(m_width) + size_t(x)];
            }
        }
    }

    QImage &m_out;
    int m_rotation;
    int m_width;
    int m_height;
    int m_batch;
    std::vector<quint32> m_rows;
};

} // namespace

qsizetype uxYuvRowBytes(UxVideoFrame::PixelFormat format, const QSize &size, int plane)
{
    const FormatLayout layout = layoutOf(format);
    return qsizetype(elementsOf(layout, size, plane)) * (layout.kind == SampleKind::Eight ? 1 : 2);
}

int uxYuvRows(const QSize &size, int plane)
{
    return plane == 0 ? size.height() : chromaLength(size.height());
}

struct UxYuvTables::Axes
{
    QSize stored;
    QSize shown; // as stored, before the rotation
    Axis lumaColumns, lumaRows, chromaColumns, chromaRows;
};

UxYuvTables::UxYuvTables() = default;
UxYuvTables::~UxYuvTables() = default;

// Chroma is worked out at half the output's size, as it is stored at half the picture's:
// each chroma value serves two by two pixels.
const UxYuvTables::Axes &UxYuvTables::axesFor(const QSize &stored, const QSize &shown)
{
    if (!m_axes || m_axes->stored != stored || m_axes->shown != shown) {
        m_axes.reset(new Axes{stored, shown, axisOf(stored.width(), shown.width()),
                              axisOf(stored.height(), shown.height()),
                              axisOf(chromaLength(stored.width()), chromaLength(shown.width())),
                              axisOf(chromaLength(stored.height()), chromaLength(shown.height()))});
    }
    return *m_axes;
}

namespace {

QRect storedPartOf(int rotation, const QSize &stored, const QRect &part)
{
    switch (rotation) {
    case 90:
        return QRect(part.y(), stored.height() - part.x() - part.width(), part.height(),
                     part.width());
    case 180:
        return QRect(stored.width() - part.x() - part.width(),
                     stored.height() - part.y() - part.height(), part.width(), part.height());
    case 270:
        return QRect(stored.width() - part.y() - part.height(), part.x(), part.height(),
                     part.width());
    default:
        return part;
    }
}

QRect uprightPartOf(int rotation, const QSize &stored, const QRect &part)
{
    switch (rotation) {
    case 90:
        return QRect(stored.height() - part.y() - part.height(), part.x(), part.height(),
                     part.width());
    case 180:
        return storedPartOf(180, stored, part);
    case 270:
        return QRect(part.y(), stored.width() - part.x() - part.width(), part.height(),
                     part.width());
    default:
        return part;
    }
}

// The output's size as the picture is stored, before it is turned upright.
QSize storedSizeOf(int rotation, const QSize &upright)
{
    return rotation == 90 || rotation == 270 ? upright.transposed() : upright;
}

// The tables of a part of the output, or the whole's own when the part is the whole.
struct PartAxes
{
    const Axis *lumaColumns, *lumaRows, *chromaColumns, *chromaRows;
    Axis sliced[4];

    PartAxes(const UxYuvTables::Axes &whole, const QRect &part, const QSize &size)
        : lumaColumns(&whole.lumaColumns)
        , lumaRows(&whole.lumaRows)
        , chromaColumns(&whole.chromaColumns)
        , chromaRows(&whole.chromaRows)
    {
        if (part.size() == size)
            return;
        sliced[0] = sliceOf(whole.lumaColumns, part.x(), part.width());
        sliced[1] = sliceOf(whole.lumaRows, part.y(), part.height());
        sliced[2] = sliceOf(whole.chromaColumns, part.x() / 2, chromaLength(part.width()));
        sliced[3] = sliceOf(whole.chromaRows, part.y() / 2, chromaLength(part.height()));
        lumaColumns = &sliced[0];
        lumaRows = &sliced[1];
        chromaColumns = &sliced[2];
        chromaRows = &sliced[3];
    }
};

} // namespace

QRect uxAlignYuvPart(int rotation, const QSize &whole, const QRect &part)
{
    const QSize stored = storedSizeOf(rotation, whole);
    QRect aligned = storedPartOf(rotation, stored, part & QRect(QPoint(), whole));
    aligned.setLeft(aligned.left() & ~1); // chroma pairs start at even pixels
    aligned.setTop(aligned.top() & ~1);
    return aligned.isEmpty() ? QRect() : uprightPartOf(rotation, stored, aligned);
}

bool uxRenderYuv(const UxVideoFrame &frame, QImage &out, const UxVideoFrame *keep,
                 UxYuvTables *tables)
{
    return uxRenderYuvPart(frame, out.size(), QRect(QPoint(), out.size()), out, keep, tables);
}

bool uxRenderYuvPart(const UxVideoFrame &frame, const QSize &whole, const QRect &part, QImage &out,
                     const UxVideoFrame *keep, UxYuvTables *tables)
{
    if (!frame.isValid() || out.isNull() || out.format() != QImage::Format_RGB32 ||
        out.size() != part.size() || uxAlignYuvPart(frame.rotation(), whole, part) != part)
        return false;
    const int rotation = frame.rotation();
    const QSize storedWhole = storedSizeOf(rotation, whole);
    const QRect storedPart = storedPartOf(rotation, storedWhole, part);
    const int width = storedPart.width(); // as stored, scaled
    const int height = storedPart.height();
    const QSize size = frame.size();
    const FormatLayout layout = layoutOf(frame.pixelFormat());
    const int planeCount = frame.planeCount();

    PlaneRows rows[3];
    for (int p = 0; p < planeCount; ++p)
        rows[p] = PlaneRows(frame.plane(p), frame.bytesPerLine(p), uxYuvRows(size, p),
                            uxYuvRowBytes(frame.pixelFormat(), size, p),
                            keep ? const_cast<uchar *>(keep->plane(p)) : nullptr,
                            keep ? keep->bytesPerLine(p) : 0);
    UxYuvTables once;
    const PartAxes axes((tables ? *tables : once).axesFor(size, storedWhole), storedPart,
                        storedWhole);
    const Axis &lumaColumns = *axes.lumaColumns;
    const Axis &lumaRows = *axes.lumaRows;
    const Axis &chromaColumns = *axes.chromaColumns;
    const Axis &chromaRows = *axes.chromaRows;
    const int chromaWidth = chromaLength(width);

    static const Reciprocals eightBit = reciprocals(4);
    static const Reciprocals tenBit = reciprocals(1);
    const Reciprocals &recip = layout.kind == SampleKind::Eight ? eightBit : tenBit;
    const Coefficients coefficients = coefficientsOf(frame);

    // Each row is 16 values longer than the picture: the gathers store whole vectors.
    ChannelRow rowY(width), rowU(chromaWidth), rowV(chromaWidth);
    PlanePass passes[3];
    const int lumaElements = size.width();
    passes[0] = {&rows[0],
                 &lumaRows,
                 layout.kind,
                 lumaElements,
                 {},
                 {ColumnPass(&lumaColumns, 1, 0, lumaElements), {}},
                 1};
    if (layout.semiPlanar) {
        const int pairs = 2 * chromaLength(size.width());
        passes[1] = {
            &rows[1],
            &chromaRows,
            layout.kind,
            pairs,
            {},
            {ColumnPass(&chromaColumns, 2, 0, pairs), ColumnPass(&chromaColumns, 2, 1, pairs)},
            2};
    } else {
        const int samples = chromaLength(size.width());
        for (int p = 1; p < 3; ++p)
            passes[p] = {&rows[p], &chromaRows, layout.kind,
                         samples,  {},          {ColumnPass(&chromaColumns, 1, 0, samples), {}},
                         1};
    }
    for (int p = 0; p < planeCount; ++p)
        passes[p].sums.resize(size_t(passes[p].elements) + 128); // + what the SIMD reads past
    ChannelRow *lumaOut[] = {&rowY};
    ChannelRow *chromaOut[] = {&rowU, &rowV};

    UprightWriter writer(out, rotation, width, height);
    for (int j = 0; j < height; ++j) {
        passes[0].run(j, recip, width, lumaOut);
        if (j % 2 == 0) {
            if (layout.semiPlanar) {
                passes[1].run(j / 2, recip, chromaWidth, chromaOut);
            } else {
                passes[1].run(j / 2, recip, chromaWidth, chromaOut);
                passes[2].run(j / 2, recip, chromaWidth, chromaOut + 1);
            }
        }
        convertRow(rowY, rowU, rowV, writer.rowFor(j), width, coefficients);
        writer.rowDone(j);
    }
    for (int p = 0; p < planeCount; ++p)
        rows[p].finish();
    return true;
}

// --- The picture a viewer keeps ---------------------------------------------------------

void UxYuvPicture::clear()
{
    m_frame = UxVideoFrame();
    m_copy.reset();
    m_copyBytes = 0;
    m_device = QImage();
    m_deviceCurrent = false;
    m_image = QImage();
}

// Lays out a copy of frame's planes in m_copy, reusing it when it is large enough, and
// makes m_frame describe it (the pixels are copied later, in the same pass as the render).
bool UxYuvPicture::keepCopy(const UxVideoFrame &frame)
{
    qsizetype strides[3] = {0, 0, 0};
    qsizetype total = 0;
    for (int p = 0; p < frame.planeCount(); ++p) {
        strides[p] = (uxYuvRowBytes(frame.pixelFormat(), frame.size(), p) + 31) & ~qsizetype(31);
        total += strides[p] * uxYuvRows(frame.size(), p);
    }
    if (!m_copy || m_copyBytes < total) {
        m_copy.reset(); // the old copy goes before the new one is made
        m_copyBytes = 0;
        uchar *memory = new (std::nothrow) uchar[size_t(total)];
        if (!memory)
            return false;
        m_copy.reset(memory, std::default_delete<uchar[]>());
        m_copyBytes = total;
    }
    UxVideoFrame kept = frame;
    kept.setOwner(nullptr);
    uchar *plane = m_copy.get();
    for (int p = 0; p < frame.planeCount(); ++p) {
        kept.setPlane(p, plane, strides[p]);
        plane += strides[p] * uxYuvRows(frame.size(), p);
    }
    m_frame = kept;
    return true;
}

bool UxYuvPicture::take(const UxVideoFrame &frame, const QRect &target)
{
    m_deviceCurrent = false;
    m_image = QImage();
    if (!frame.isValid()) {
        clear();
        return false;
    }
    if (frame.owner()) { // shared: nothing to copy
        m_frame = frame;
        m_copy.reset();
        m_copyBytes = 0;
    } else if (!keepCopy(frame)) {
        clear();
        return false;
    }
    const UxVideoFrame *copyInto = frame.owner() ? nullptr : &m_frame;
    // The display copy is made in the same pass when the last draw tells what it covers:
    // the whole picture, or the part that showed of a picture of this size.
    const QRect whole = m_hasDevice ? deviceRectOf(target) : QRect();
    const QRect part = whole.isEmpty()                 ? QRect()
                       : copyFits(whole.size())        ? QRect(QPoint(), whole.size())
                       : whole.size() == m_deviceWhole ? m_devicePart
                                                       : QRect();
    if (!part.isEmpty() && renderDevice(frame, whole.size(), part, copyInto))
        return true;
    if (copyInto) { // no display copy to make now: the planes alone
        PlaneRows rows;
        for (int p = 0; p < frame.planeCount(); ++p) {
            rows = PlaneRows(frame.plane(p), frame.bytesPerLine(p), uxYuvRows(frame.size(), p),
                             uxYuvRowBytes(frame.pixelFormat(), frame.size(), p),
                             const_cast<uchar *>(m_frame.plane(p)), m_frame.bytesPerLine(p));
            rows.finish();
        }
    }
    return true;
}

// The device pixels target covers under the last draw's transform, as Qt rounds them; an
// empty rectangle when they are out of any picture's reach.
QRect UxYuvPicture::deviceRectOf(const QRect &target) const
{
    const QRectF r(target.left(), target.top(), double(target.right()) - target.left() + 1,
                   double(target.bottom()) - target.top() + 1);
    const QRectF mapped = m_lastDevice.mapRect(r);
    if (!(qAbs(mapped.left()) < 1e9 && qAbs(mapped.top()) < 1e9 && mapped.width() < 1e9 &&
          mapped.height() < 1e9))
        return QRect();
    const QPoint topLeft(qRound(mapped.left()), qRound(mapped.top()));
    const QPoint end(qRound(mapped.right()), qRound(mapped.bottom()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

bool UxYuvPicture::copyFits(const QSize &size) const
{
    return uxPictureSizeFits(size.width(), size.height()) &&
           qint64(size.width()) * size.height() <= m_maxPixels;
}

// The part of the display copy to make for a picture covering whole on the device: all
// of it when that fits the copy limit, else what shows of it (visible, on the device), or
// nothing.
QRect UxYuvPicture::devicePartOf(const QRect &whole, const QRect &visible) const
{
    if (whole.isEmpty())
        return QRect();
    if (copyFits(whole.size()))
        return QRect(QPoint(), whole.size());
    const QRect part =
        uxAlignYuvPart(m_frame.rotation(), whole.size(), visible.translated(-whole.topLeft()));
    return copyFits(part.size()) ? part : QRect();
}

bool UxYuvPicture::renderDevice(const UxVideoFrame &source, const QSize &whole, const QRect &part,
                                const UxVideoFrame *keep)
{
    if (m_device.size() != part.size()) {
        m_device = QImage(); // the old copy goes before the new one is made
        m_device = QImage(part.size(), QImage::Format_RGB32);
    }
    if (m_device.isNull() || !uxRenderYuvPart(source, whole, part, m_device, keep, &m_tables))
        return false;
    m_deviceWhole = whole;
    m_devicePart = part;
    m_deviceCurrent = true;
    return true;
}

bool UxYuvPicture::draw(QPainter &painter, const QRect &target, qint64 maxDevicePixels,
                        const QRect &visible)
{
    if (isNull() || target.isEmpty() || !uxIsPlainRasterPainter(painter))
        return false;
    const QTransform device = painter.deviceTransform();
    m_lastDevice = device;
    m_hasDevice = true;
    m_maxPixels = maxDevicePixels;
    const QRect whole = deviceRectOf(target);
    const QRect part =
        devicePartOf(whole, visible.isEmpty() ? QRect() : deviceRectOf(visible & target));
    if (part.isEmpty())
        return false;
    const bool current = m_deviceCurrent && m_deviceWhole == whole.size() && m_devicePart == part;
    if (!current && !renderDevice(m_frame, whole.size(), part, nullptr))
        return false;
    painter.save();
    // Cancel the device transform so that the copy lands 1:1 on device pixels.
    painter.setWorldTransform(device.inverted() * painter.worldTransform());
    painter.drawImage(whole.topLeft() + part.topLeft(), m_device);
    painter.restore();
    return true;
}

QImage UxYuvPicture::image()
{
    if (m_image.isNull())
        m_image = m_frame.toImage();
    return m_image;
}
