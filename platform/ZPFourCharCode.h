// Four-character codes: 32-bit values whose four bytes, most significant first,
// are four 8-bit characters ('butt' is 0x62757474).
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t ZPFourCharCode(char a, char b, char c, char d) {
    return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) |
           (uint32_t(uint8_t(c)) << 8) | uint32_t(uint8_t(d));
}

// The four bytes of a code, most significant first, as raw 8-bit characters.
std::string ZPFourCharCodeBytes(uint32_t code);

// True when all four bytes are printable ASCII (0x20..0x7E).
bool ZPFourCharCodeIsPrintable(uint32_t code);

// Printable codes as their four characters, anything else as its unsigned decimal.
std::string ZPFourCharCodeDescription(uint32_t code);
