// Four signed 16-bit edges as the file stores them, and their conversion to and
// from a single-precision rectangle.
#pragma once

#include "ZPGeometry.h"

#include <cstdint>

struct ZPBounds {
    int16_t top = 0;
    int16_t left = 0;
    int16_t bottom = 0;
    int16_t right = 0;

    bool operator==(const ZPBounds& o) const {
        return top == o.top && left == o.left && bottom == o.bottom && right == o.right;
    }
    bool operator!=(const ZPBounds& o) const { return !(*this == o); }
};

// x = left, y = top, width = right - left, height = bottom - top, in single precision.
ZPRect ZPRectFromBounds(const ZPBounds& b);

// left = x, top = y, right = x + width, bottom = y + height (sums in single precision),
// each truncated toward zero to 32 bits with saturation, then cut to its low 16 bits.
ZPBounds ZPBoundsFromRect(const ZPRect& r);

// Whether every edge of the rectangle, truncated, lies within -32768..32767, so that
// storing it keeps the rectangle instead of wrapping an edge around.
bool ZPRectFitsBounds(const ZPRect& r);

// One edge value by the same rule: truncate, saturate to int32 (NaN gives the minimum),
// keep the low 16 bits (40000 gives -25536).
int16_t ZPBoundsEdgeFromFloat(float v);
