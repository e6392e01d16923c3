#include "ZPGeometry.h"

#include <algorithm>

ZPRect ZPInsetRect(const ZPRect& r, float dx, float dy) {
    return ZPMakeRect(r.x + dx, r.y + dy, r.width - 2.0f * dx, r.height - 2.0f * dy);
}

ZPRect ZPOffsetRect(const ZPRect& r, float dx, float dy) {
    return ZPMakeRect(r.x + dx, r.y + dy, r.width, r.height);
}

bool ZPPointInRect(ZPPoint p, const ZPRect& r) {
    if (ZPIsEmptyRect(r))
        return false;
    return r.x <= p.x && p.x < ZPMaxX(r) && r.y <= p.y && p.y < ZPMaxY(r);
}

bool ZPIntersectsRect(const ZPRect& a, const ZPRect& b) {
    if (ZPIsEmptyRect(a) || ZPIsEmptyRect(b))
        return false;
    return a.x < ZPMaxX(b) && b.x < ZPMaxX(a) && a.y < ZPMaxY(b) && b.y < ZPMaxY(a);
}

ZPRect ZPUnionRect(const ZPRect& a, const ZPRect& b) {
    // Two empty rects cover nothing: the answer is the zero rect, not one of them.
    if (ZPIsEmptyRect(a) && ZPIsEmptyRect(b))
        return ZPRect{};
    if (ZPIsEmptyRect(a))
        return b;
    if (ZPIsEmptyRect(b))
        return a;
    const float x = std::min(a.x, b.x);
    const float y = std::min(a.y, b.y);
    const float right = std::max(ZPMaxX(a), ZPMaxX(b));
    const float bottom = std::max(ZPMaxY(a), ZPMaxY(b));
    return ZPMakeRect(x, y, right - x, bottom - y);
}
