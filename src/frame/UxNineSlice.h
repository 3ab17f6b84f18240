#ifndef UXNINESLICE_H
#define UXNINESLICE_H

#include <QMargins>
#include <QPixmap>
#include <QSize>

struct UxNineSliceOptions
{
    // Give up (return false, target untouched) when the size is narrower than 2 pixels.
    bool refuseBelowTwoPixels = false;
    // When the left margin takes half the width or more, draw the skin's two ends
    // unscaled along x, meeting in the middle, instead of nine pieces.
    bool joinEndsWhenNarrow = false;
    bool smoothPixmapTransform = false;
};

// Paints skin into target at size by nine-slice scaling: corners keep their size,
// edges stretch along one axis, the centre along both. The margins are in the
// target's pixels and are multiplied by the skin's device-pixel ratio on the source
// side. The target is cleared to transparent black first. Returns false when the skin
// is null (or the size is refused); the target is then left as it was.
bool uxPaintNineSlice(const QPixmap &skin, const QMargins &margins, QPixmap &target,
                      const QSize &size, const UxNineSliceOptions &options = UxNineSliceOptions());

#endif // UXNINESLICE_H
