#include "ZPTextEncoding.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Unicode code points of the bytes 0x80..0xFF.
constexpr char16_t kHighHalf[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // F8
};

// (code point, byte) sorted by code point, for encoding.
using ReverseTable = std::array<std::pair<char16_t, uint8_t>, 128>;

const ReverseTable& reverseTable() {
    static const ReverseTable table = [] {
        ReverseTable t{};
        for (size_t i = 0; i < 128; ++i)
            t[i] = {kHighHalf[i], uint8_t(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

bool encodeCodePoint(char32_t cp, uint8_t& byte) {
    if (cp >= 0x01 && cp < 0x80) {
        byte = uint8_t(cp);
        return true;
    }
    if (cp > 0xFFFF)
        return false;
    const ReverseTable& t = reverseTable();
    const auto it = std::lower_bound(t.begin(), t.end(), std::make_pair(char16_t(cp), uint8_t(0)));
    if (it == t.end() || it->first != char16_t(cp))
        return false;
    byte = it->second;
    return true;
}

} // namespace

void ZPAppendUTF8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool ZPNextUTF8CodePoint(std::string_view s, size_t& pos, char32_t& cp) {
    const auto byteAt = [&](size_t i) { return uint8_t(s[i]); };
    const uint8_t lead = byteAt(pos);
    size_t extra;
    char32_t minimum;
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (pos + extra >= s.size())
        return false;
    for (size_t i = 1; i <= extra; ++i) {
        const uint8_t b = byteAt(pos + i);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    pos += extra + 1;
    return true;
}

std::string ZPDecode8Bit(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const uint8_t b = uint8_t(c);
        ZPAppendUTF8(out, b < 0x80 ? char32_t(b) : char32_t(kHighHalf[b - 0x80]));
    }
    return out;
}

bool ZPEncode8Bit(std::string_view utf8, std::string& out, char32_t* badCharacter) {
    out.clear();
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        if (!ZPNextUTF8CodePoint(utf8, pos, cp)) {
            if (badCharacter)
                *badCharacter = 0xFFFD;
            return false;
        }
        uint8_t byte = 0;
        if (!encodeCodePoint(cp, byte)) {
            if (badCharacter)
                *badCharacter = cp;
            return false;
        }
        out += char(byte);
    }
    return true;
}

bool ZPCanEncode8Bit(std::string_view utf8) {
    std::string scratch;
    return ZPEncode8Bit(utf8, scratch);
}
