// The three fixed records of a dialog tag file, held as their exact big-endian bytes.
// Accessors read and write single fields in place, so bytes that no accessor touches
// (padding, carried header fields) survive unchanged.
#pragma once

#include "ZPBounds.h"
#include "ZPFourCharCode.h"

#include <array>
#include <cstddef>
#include <cstdint>

constexpr uint32_t ZPSignatureZerv = ZPFourCharCode('z', 'e', 'r', 'v'); // header_version 1
constexpr uint32_t ZPSignatureZrv2 = ZPFourCharCode('z', 'r', 'v', '2'); // header_version 2

// The 64-byte tag header: one block of bytes seen through one of two views, `tfl`
// ('zerv', version 1) or `sb` ('zrv2', version 2), told apart by the signature at 60.
struct ZPTagHeader {
    static constexpr size_t kSize = 64;
    static constexpr size_t kNameLength = 32;
    static constexpr size_t kSignatureOffset = 60;

    std::array<uint8_t, kSize> bytes{};

    uint32_t signature() const;
    void setSignature(uint32_t signature);

    // 1 for 'zerv', 2 for 'zrv2', 0 for anything else.
    uint32_t headerVersion() const;

    // Offsets of the variant-dependent fields for a header version (1 or 2).
    static size_t nameOffset(uint32_t headerVersion) { return headerVersion == 2 ? 4 : 0; }
    static size_t subgroupOffset(uint32_t headerVersion) { return headerVersion == 2 ? 40 : 36; }
    static size_t dialogOffsetOffset(uint32_t headerVersion) {
        return headerVersion == 2 ? 44 : 48;
    }

    // The active view's `offset` (D) and `subgroup`; 0 and no change for an unknown view.
    int32_t dialogOffset() const;
    void setDialogOffset(int32_t offset);
    uint32_t subgroup() const;
    void setSubgroup(uint32_t subgroup);
};

struct ZPDialogRecord {
    static constexpr size_t kSize = 12;

    std::array<uint8_t, kSize> bytes{};

    int16_t version() const;
    void set_version(int16_t v);
    int16_t control_count() const;
    void set_control_count(int16_t count);
    ZPBounds bounds() const;
    void set_bounds(const ZPBounds& b);
};

struct ZPControlRecord {
    static constexpr size_t kSize = 24;

    std::array<uint8_t, kSize> bytes{};

    uint32_t tag() const;
    void set_tag(uint32_t tag);
    int16_t padding() const;
    void set_padding(int16_t padding);
    int16_t item_id() const;
    void set_item_id(int16_t id);
    // index 0 or 1; callers check the index.
    int16_t bitmap_id(size_t index) const;
    void set_bitmap_id(size_t index, int16_t id);
    uint16_t flags() const;
    void set_flags(uint16_t flags);
    uint16_t state() const;
    void set_state(uint16_t state);
    ZPBounds bounds() const;
    void set_bounds(const ZPBounds& b);
};

// ZPBounds stored as top, left, bottom, right at `p`.
ZPBounds ZPReadBounds(const uint8_t* p);
void ZPWriteBounds(uint8_t* p, const ZPBounds& b);
