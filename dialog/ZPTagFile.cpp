#include "ZPTagFile.h"

#include "ZPTextEncoding.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string hex32(uint32_t v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        s += digits[(v >> shift) & 0xF];
    return s;
}

std::string codePointName(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", unsigned(cp));
    return buf;
}

ZPTagFileContents refuse(ZPTagFileContents&& c, std::string why) {
    c.header_version = 0;
    c.dialog = ZPDialogRecord{};
    c.controls.clear();
    c.error = std::move(why);
    return std::move(c);
}

} // namespace

ZPTagFileContents ZPTagFileRead(const uint8_t* bytes, size_t length) {
    ZPTagFileContents c;
    if (bytes == nullptr)
        length = 0;
    // An empty buffer may come with a null pointer, which memcpy must never see.
    if (length > 0)
        std::memcpy(c.header.bytes.data(), bytes, std::min(length, ZPTagHeader::kSize));
    if (length < ZPTagHeader::kSize) {
        return refuse(std::move(c), "the file is " + std::to_string(length) +
                                        " bytes long, too short for the 64-byte tag header");
    }

    const uint32_t version = c.header.headerVersion();
    if (version == 0) {
        const uint32_t s = c.header.signature();
        return refuse(std::move(c), "the signature at offset 60 is " +
                                        ZPFourCharCodeDescription(s) + " (" + hex32(s) +
                                        "), not 'zerv' or 'zrv2'");
    }

    // Offsets come from the file: do all arithmetic in 64 bits and compare with the
    // length before every read.
    const int64_t len = int64_t(length);
    const int64_t d = c.header.dialogOffset();
    if (d < 0 || d + int64_t(ZPDialogRecord::kSize) > len) {
        return refuse(std::move(c), "the dialog record offset " + std::to_string(d) +
                                        " (header offset " +
                                        std::to_string(ZPTagHeader::dialogOffsetOffset(version)) +
                                        ") leaves no room for the 12-byte dialog record in a " +
                                        std::to_string(length) + "-byte file");
    }
    std::memcpy(c.dialog.bytes.data(), bytes + d, ZPDialogRecord::kSize);

    const int64_t n = c.dialog.control_count();
    if (n <= 0) {
        c.header_version = version;
        return c;
    }

    const int64_t records = d + int64_t(ZPDialogRecord::kSize);
    for (int64_t i = 0; i < n; ++i) {
        const int64_t at = records + int64_t(ZPControlRecord::kSize) * i;
        if (at + int64_t(ZPControlRecord::kSize) > len) {
            return refuse(std::move(c), "the file ends inside control record " +
                                            std::to_string(i + 1) + " of " + std::to_string(n) +
                                            " (offset " + std::to_string(at) + ")");
        }
    }

    c.controls.reserve(size_t(n));
    int64_t cursor = records + int64_t(ZPControlRecord::kSize) * n;
    for (int64_t i = 0; i < n; ++i) {
        ZPTagFileControl control;
        std::memcpy(control.record.bytes.data(),
                    bytes + records + int64_t(ZPControlRecord::kSize) * i, ZPControlRecord::kSize);
        const void* nul =
            cursor < len ? std::memchr(bytes + cursor, 0, size_t(len - cursor)) : nullptr;
        if (nul == nullptr) {
            return refuse(std::move(c), "text " + std::to_string(i + 1) + " of " +
                                            std::to_string(n) + " (offset " +
                                            std::to_string(cursor) +
                                            ") has no terminating NUL before the end of the file");
        }
        const int64_t end = static_cast<const uint8_t*>(nul) - bytes;
        control.text = ZPDecode8Bit(
            std::string_view(reinterpret_cast<const char*>(bytes + cursor), size_t(end - cursor)));
        c.controls.push_back(std::move(control));
        cursor = end + 1;
    }
    c.header_version = version;
    return c;
}

bool ZPTagFileWrite(const ZPTagHeader& header, const ZPDialogRecord& dialog,
                    const std::vector<ZPTagFileControl>& controls, std::vector<uint8_t>& out,
                    std::string* error) {
    std::vector<std::string> encoded(controls.size());
    size_t total = ZPTagHeader::kSize + ZPDialogRecord::kSize;
    for (size_t i = 0; i < controls.size(); ++i) {
        char32_t bad = 0;
        if (!ZPEncode8Bit(controls[i].text, encoded[i], &bad)) {
            if (error) {
                std::string what;
                if (bad == 0)
                    what = "a NUL character";
                else if (bad == 0xFFFD)
                    what = "bytes that are not valid UTF-8";
                else
                    what = "the character " + codePointName(bad);
                *error = "the text of control " + std::to_string(i + 1) + " has " + what +
                         ", which the file's 8-bit text encoding cannot store";
            }
            return false;
        }
        total += ZPControlRecord::kSize + encoded[i].size() + 1;
    }

    // The dialog record is always written right after the header.
    ZPTagHeader written = header;
    written.setDialogOffset(int32_t(ZPTagHeader::kSize));

    out.clear();
    out.reserve(total);
    out.insert(out.end(), written.bytes.begin(), written.bytes.end());
    out.insert(out.end(), dialog.bytes.begin(), dialog.bytes.end());
    for (const ZPTagFileControl& control : controls)
        out.insert(out.end(), control.record.bytes.begin(), control.record.bytes.end());
    for (const std::string& text : encoded) {
        out.insert(out.end(), text.begin(), text.end());
        out.push_back(0);
    }
    return true;
}
