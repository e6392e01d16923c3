#include "ZPTagRecords.h"

#include "ZPByteOrder.h"

ZPBounds ZPReadBounds(const uint8_t* p) {
    ZPBounds b;
    b.top = ZPReadS16BE(p);
    b.left = ZPReadS16BE(p + 2);
    b.bottom = ZPReadS16BE(p + 4);
    b.right = ZPReadS16BE(p + 6);
    return b;
}

void ZPWriteBounds(uint8_t* p, const ZPBounds& b) {
    ZPWriteU16BE(p, uint16_t(b.top));
    ZPWriteU16BE(p + 2, uint16_t(b.left));
    ZPWriteU16BE(p + 4, uint16_t(b.bottom));
    ZPWriteU16BE(p + 6, uint16_t(b.right));
}

// ZPTagHeader

uint32_t ZPTagHeader::signature() const {
    return ZPReadU32BE(&bytes[kSignatureOffset]);
}
void ZPTagHeader::setSignature(uint32_t s) {
    ZPWriteU32BE(&bytes[kSignatureOffset], s);
}

uint32_t ZPTagHeader::headerVersion() const {
    const uint32_t s = signature();
    if (s == ZPSignatureZrv2)
        return 2;
    if (s == ZPSignatureZerv)
        return 1;
    return 0;
}

int32_t ZPTagHeader::dialogOffset() const {
    const uint32_t v = headerVersion();
    return v == 0 ? 0 : ZPReadS32BE(&bytes[dialogOffsetOffset(v)]);
}

void ZPTagHeader::setDialogOffset(int32_t offset) {
    const uint32_t v = headerVersion();
    if (v != 0)
        ZPWriteU32BE(&bytes[dialogOffsetOffset(v)], uint32_t(offset));
}

uint32_t ZPTagHeader::subgroup() const {
    const uint32_t v = headerVersion();
    return v == 0 ? 0 : ZPReadU32BE(&bytes[subgroupOffset(v)]);
}

void ZPTagHeader::setSubgroup(uint32_t subgroup) {
    const uint32_t v = headerVersion();
    if (v != 0)
        ZPWriteU32BE(&bytes[subgroupOffset(v)], subgroup);
}

// ZPDialogRecord

int16_t ZPDialogRecord::version() const {
    return ZPReadS16BE(&bytes[0]);
}
void ZPDialogRecord::set_version(int16_t v) {
    ZPWriteU16BE(&bytes[0], uint16_t(v));
}
int16_t ZPDialogRecord::control_count() const {
    return ZPReadS16BE(&bytes[2]);
}
void ZPDialogRecord::set_control_count(int16_t c) {
    ZPWriteU16BE(&bytes[2], uint16_t(c));
}
ZPBounds ZPDialogRecord::bounds() const {
    return ZPReadBounds(&bytes[4]);
}
void ZPDialogRecord::set_bounds(const ZPBounds& b) {
    ZPWriteBounds(&bytes[4], b);
}

// ZPControlRecord

uint32_t ZPControlRecord::tag() const {
    return ZPReadU32BE(&bytes[0]);
}
void ZPControlRecord::set_tag(uint32_t t) {
    ZPWriteU32BE(&bytes[0], t);
}
int16_t ZPControlRecord::padding() const {
    return ZPReadS16BE(&bytes[4]);
}
void ZPControlRecord::set_padding(int16_t p) {
    ZPWriteU16BE(&bytes[4], uint16_t(p));
}
int16_t ZPControlRecord::item_id() const {
    return ZPReadS16BE(&bytes[6]);
}
void ZPControlRecord::set_item_id(int16_t id) {
    ZPWriteU16BE(&bytes[6], uint16_t(id));
}
int16_t ZPControlRecord::bitmap_id(size_t i) const {
    return ZPReadS16BE(&bytes[8 + 2 * i]);
}
void ZPControlRecord::set_bitmap_id(size_t i, int16_t id) {
    ZPWriteU16BE(&bytes[8 + 2 * i], uint16_t(id));
}
uint16_t ZPControlRecord::flags() const {
    return ZPReadU16BE(&bytes[12]);
}
void ZPControlRecord::set_flags(uint16_t f) {
    ZPWriteU16BE(&bytes[12], f);
}
uint16_t ZPControlRecord::state() const {
    return ZPReadU16BE(&bytes[14]);
}
void ZPControlRecord::set_state(uint16_t s) {
    ZPWriteU16BE(&bytes[14], s);
}
ZPBounds ZPControlRecord::bounds() const {
    return ZPReadBounds(&bytes[16]);
}
void ZPControlRecord::set_bounds(const ZPBounds& b) {
    ZPWriteBounds(&bytes[16], b);
}
