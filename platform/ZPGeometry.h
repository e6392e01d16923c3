// Single-precision points, sizes and rectangles with the edge rules the editor's
// hit testing and resizing depend on. Never substitute QRectF's double-precision
// contains()/intersects(): they treat edges differently.
#pragma once

struct ZPPoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct ZPSize {
    float width = 0.0f;
    float height = 0.0f;
};

// Origin is the top-left corner: every view of the editor has y growing downward.
struct ZPRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    ZPPoint origin() const { return ZPPoint{x, y}; }
    ZPSize size() const { return ZPSize{width, height}; }
};

inline ZPPoint ZPMakePoint(float x, float y) {
    return ZPPoint{x, y};
}
inline ZPSize ZPMakeSize(float w, float h) {
    return ZPSize{w, h};
}
inline ZPRect ZPMakeRect(float x, float y, float w, float h) {
    return ZPRect{x, y, w, h};
}

// Right and bottom edges, each sum formed in single precision.
inline float ZPMaxX(const ZPRect& r) {
    return r.x + r.width;
}
inline float ZPMaxY(const ZPRect& r) {
    return r.y + r.height;
}

inline bool ZPEqualPoints(ZPPoint a, ZPPoint b) {
    return a.x == b.x && a.y == b.y;
}
inline bool ZPEqualSizes(ZPSize a, ZPSize b) {
    return a.width == b.width && a.height == b.height;
}
inline bool ZPEqualRects(const ZPRect& a, const ZPRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
inline bool ZPIsEmptyRect(const ZPRect& r) {
    return !(r.width > 0.0f && r.height > 0.0f);
}

// (x + dx, y + dy, width - 2dx, height - 2dy)
ZPRect ZPInsetRect(const ZPRect& r, float dx, float dy);
// (x + dx, y + dy, width, height)
ZPRect ZPOffsetRect(const ZPRect& r, float dx, float dy);
// Half-open: left and top edges inside, right and bottom outside; false for empty rects.
bool ZPPointInRect(ZPPoint p, const ZPRect& r);
// False for empty rects and for rects that only touch along an edge.
bool ZPIntersectsRect(const ZPRect& a, const ZPRect& b);
// The smallest rect covering both; an empty rect does not count (two give the zero rect).
ZPRect ZPUnionRect(const ZPRect& a, const ZPRect& b);
