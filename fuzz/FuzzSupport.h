#pragma once

// Shared pieces of the fuzz targets: the offscreen application, a small set of artwork
// files that fuzzed texts can name, and a reader that takes numbers from the input.

#include "support/TestArtwork.h"

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

// Creates the application on the offscreen platform and draws the artwork once.
inline void initialize()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    static int argc = 1;
    static char name[] = "commonctrls-fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
    // Qt's warnings about absurd sizes would flood the fuzzer's output.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

// Artwork a fuzzed text may name as $0 ... $5; $6 names a file that does not exist.
inline const ArtworkFolder &artworkDir()
{
    static ArtworkFolder *folder = [] {
        auto *f = new ArtworkFolder;
        const auto draw = [f](const char *name, int w, int h) {
            f->save(QString::fromLatin1(name),
                    TestArtwork::solid(QSize(w, h), QColor(w * 5 % 256, h * 3 % 256, 128, 200)));
        };
        draw("a.png", 1, 1);
        draw("b.png", 40, 16);
        draw("b@2x.png", 80, 32);
        draw("c.png", 96, 96);
        draw("d.png", 3, 200);
        f->saveBroken(QStringLiteral("e.png"));
        return f;
    }();
    return *folder;
}

inline QString expandPaths(QString text)
{
    static const char *names[] = {"a.png", "b.png",    "c.png",      "d.png",
                                  "e.png", "b@2x.png", "missing.png"};
    for (int i = 0; i < 7; ++i)
        text.replace(QStringLiteral("$%1").arg(i),
                     artworkDir().path(QString::fromLatin1(names[i])));
    return text;
}

[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

// Reads little-endian numbers from the front of the input; an exhausted input reads 0.
class Reader
{
public:
    Reader(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool empty() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    uint8_t u8() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool flag() { return u8() & 1; }
    uint32_t u32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(u8()) << (8 * i);
        return v;
    }
    int32_t i32() { return int32_t(u32()); }

    // A number in [lo, hi] (lo <= hi).
    int range(int lo, int hi) { return int(lo + u32() % (uint32_t(int64_t(hi) - lo + 1))); }

    // One byte chooses how to read a value: edge cases, small lengths or any int.
    int anyInt()
    {
        static const int edges[] = {
            0,    1,    -1,      2,       3,           7,           9,          16,         100,
            1080, 1920, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 0x40000000, -0x40000000};
        const uint8_t how = u8();
        if (how < 64)
            return edges[how % (sizeof(edges) / sizeof(edges[0]))];
        if (how < 224)
            return range(-16, 4096);
        return i32();
    }

    // Raw bytes, as many as are left up to max.
    QByteArray bytes(size_t max)
    {
        const size_t n = std::min(max, remaining());
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), int(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A frame of a fuzzed size and format, filled from the input. Sizes and formats without
// a picture give null images; the pixel count is capped at 4 M so that one frame, the
// viewer's 24-bit copy and its display copy stay within about 64 MB.
inline QImage readImage(Reader &in)
{
    const int w = in.anyInt();
    const int h = in.anyInt();
    const auto format = QImage::Format(in.range(0, QImage::NImageFormats - 1));
    if (w <= 0 || h <= 0 || int64_t(w) * h > 4 * 1024 * 1024)
        return QImage();
    QImage image(w, h, format);
    if (image.isNull())
        return image;
    if (image.colorCount() == 0 && image.depth() <= 8 && format != QImage::Format_Alpha8 &&
        format != QImage::Format_Grayscale8)
        image.setColorCount(image.depth() == 1 ? 2 : 256);
    QByteArray pattern = in.bytes(64);
    if (pattern.isEmpty())
        pattern = QByteArray("\x10\x80\xf0\x33\x00\xff\x7f", 7);
    uchar *bits = image.bits();
    const size_t total = size_t(image.sizeInBytes());
    for (size_t i = 0; i < total; i += size_t(pattern.size()))
        std::memcpy(bits + i, pattern.constData(), std::min(total - i, size_t(pattern.size())));
    return image;
}

} // namespace fuzz
