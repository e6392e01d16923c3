#include "ZPFourCharCode.h"

std::string ZPFourCharCodeBytes(uint32_t code) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[size_t(i)] = char((code >> (24 - 8 * i)) & 0xFF);
    return s;
}

bool ZPFourCharCodeIsPrintable(uint32_t code) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const uint32_t byte = (code >> shift) & 0xFF;
        if (byte < 0x20 || byte > 0x7E)
            return false;
    }
    return true;
}

std::string ZPFourCharCodeDescription(uint32_t code) {
    return ZPFourCharCodeIsPrintable(code) ? ZPFourCharCodeBytes(code) : std::to_string(code);
}
