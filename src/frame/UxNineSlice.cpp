#include "UxNineSlice.h"

#include "UxNumeric.h"

#include <QPainter>

namespace {

// A piece whose target or source has no area draws nothing; skipping it also keeps
// margins wider than the target from turning into mirrored, negative-sized pieces.
void drawPiece(QPainter &painter, const QRect &target, const QPixmap &skin, const QRectF &source)
{
    if (target.width() <= 0 || target.height() <= 0 || source.width() <= 0 || source.height() <= 0)
        return;
    painter.drawPixmap(target, skin, source);
}

// The skin's left end and right end, both unscaled along x, meet in the middle.
void drawJoinedEnds(QPainter &painter, const QPixmap &skin, const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    const int half = w / 2;
    const qreal sw = skin.width();
    const qreal sh = skin.height();
    drawPiece(painter, QRect(0, 0, half, h), skin, QRectF(0, 0, half, sh));
    drawPiece(painter, QRect(half, 0, w - half, h), skin, QRectF(sw - (w - half), 0, w - half, sh));
}

void drawNinePieces(QPainter &painter, const QPixmap &skin, const QMargins &m, const QSize &size)
{
    // 64-bit so that margins from a careless property text cannot overflow the sums.
    const qint64 w = size.width();
    const qint64 h = size.height();
    const qint64 l = m.left();
    const qint64 t = m.top();
    const qint64 r = m.right();
    const qint64 b = m.bottom();
    const qreal d = skin.devicePixelRatio();
    const qreal sw = skin.width();
    const qreal sh = skin.height();
    const qreal sl = l * d;
    const qreal st = t * d;
    const qreal sr = r * d;
    const qreal sb = b * d;
    const qint64 midW = w - l - r;
    const qint64 midH = h - t - b;
    const qreal srcMidW = sw - sl - sr;
    const qreal srcMidH = sh - st - sb;

    drawPiece(painter, uxRect(0, 0, l, t), skin, QRectF(0, 0, sl, st));
    drawPiece(painter, uxRect(w - r, 0, r, t), skin, QRectF(sw - sr, 0, sr, st));
    drawPiece(painter, uxRect(0, h - b, l, b), skin, QRectF(0, sh - sb, sl, sb));
    drawPiece(painter, uxRect(w - r, h - b, r, b), skin, QRectF(sw - sr, sh - sb, sr, sb));
    drawPiece(painter, uxRect(l, 0, midW, t), skin, QRectF(sl, 0, srcMidW, st));
    drawPiece(painter, uxRect(0, t, l, midH), skin, QRectF(0, st, sl, srcMidH));
    drawPiece(painter, uxRect(w - r, t, r, midH), skin, QRectF(sw - sr, st, sr, srcMidH));
    drawPiece(painter, uxRect(l, h - b, midW, b), skin, QRectF(sl, sh - sb, srcMidW, sb));
    drawPiece(painter, uxRect(l, t, midW, midH), skin, QRectF(sl, st, srcMidW, srcMidH));
}

} // namespace

bool uxPaintNineSlice(const QPixmap &skin, const QMargins &margins, QPixmap &target,
                      const QSize &size, const UxNineSliceOptions &options)
{
    if (skin.isNull())
        return false;
    if (options.refuseBelowTwoPixels && size.width() < 2)
        return false;
    target.fill(QColor(0, 0, 0, 0));
    if (target.isNull() || size.isEmpty())
        return true; // nothing to paint on
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, options.smoothPixmapTransform);
    if (options.joinEndsWhenNarrow && 2 * qint64(margins.left()) >= size.width())
        drawJoinedEnds(painter, skin, size);
    else
        drawNinePieces(painter, skin, margins, size);
    return true;
}
