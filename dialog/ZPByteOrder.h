// Big-endian field access, byte by byte: records may start at any offset, so a
// field is never read through a cast pointer.
#pragma once

#include <cstddef>
#include <cstdint>

inline uint16_t ZPReadU16BE(const uint8_t* p) {
    return uint16_t((p[0] << 8) | p[1]);
}
inline int16_t ZPReadS16BE(const uint8_t* p) {
    return int16_t(ZPReadU16BE(p));
}
inline uint32_t ZPReadU32BE(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline int32_t ZPReadS32BE(const uint8_t* p) {
    return int32_t(ZPReadU32BE(p));
}

inline void ZPWriteU16BE(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
inline void ZPWriteU32BE(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
