#include "ZPBounds.h"

#include "ZPNumberText.h"

#include <cmath>

ZPRect ZPRectFromBounds(const ZPBounds& b) {
    const float left = b.left, top = b.top, right = b.right, bottom = b.bottom;
    return ZPMakeRect(left, top, right - left, bottom - top);
}

int16_t ZPBoundsEdgeFromFloat(float v) {
    // Saturate before converting: a float outside int32's range cast to an integer
    // is undefined behaviour.
    int32_t wide;
    if (std::isnan(v) || v < -2147483648.0f)
        wide = INT32_MIN;
    else if (v >= 2147483648.0f)
        wide = INT32_MAX;
    else
        wide = int32_t(std::trunc(v));
    return int16_t(uint16_t(uint32_t(wide) & 0xFFFFu));
}

ZPBounds ZPBoundsFromRect(const ZPRect& r) {
    const float right = r.x + r.width;
    const float bottom = r.y + r.height;
    ZPBounds b;
    b.left = ZPBoundsEdgeFromFloat(r.x);
    b.top = ZPBoundsEdgeFromFloat(r.y);
    b.right = ZPBoundsEdgeFromFloat(right);
    b.bottom = ZPBoundsEdgeFromFloat(bottom);
    return b;
}

bool ZPRectFitsBounds(const ZPRect& r) {
    return ZPFitsInt16Edge(r.x) && ZPFitsInt16Edge(r.y) && ZPFitsInt16Edge(r.x + r.width) &&
           ZPFitsInt16Edge(r.y + r.height);
}
