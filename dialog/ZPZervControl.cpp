#include "ZPZervControl.h"

ZPZervControl::ZPZervControl(const ZPControlRecord& data, const std::string& string) {
    setData(data);
    setString(string);
}

ZPRect ZPZervControl::frame() const {
    return ZPRectFromBounds(data_.bounds());
}

void ZPZervControl::setFrame(const ZPRect& frame) {
    data_.set_bounds(ZPBoundsFromRect(frame));
}

int16_t ZPZervControl::bitmapIDForState(uint16_t state) const {
    return state <= 1 ? data_.bitmap_id(state) : int16_t(-1);
}

void ZPZervControl::setBitmapIDForState(int16_t id, uint16_t state) {
    if (state <= 1)
        data_.set_bitmap_id(state, id);
}
