// Reading and writing a whole dialog tag file: header, dialog record, control
// records, then one NUL-terminated 8-bit text per control.
#pragma once

#include "ZPTagRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ZPTagFileControl {
    ZPControlRecord record;
    std::string text; // UTF-8
};

struct ZPTagFileContents {
    ZPTagHeader header;
    // 1 'zerv', 2 'zrv2'; 0 when the file is not loadable, and then nothing but the
    // header (as far as the file has one) and `error` is filled.
    uint32_t header_version = 0;
    ZPDialogRecord dialog;
    std::vector<ZPTagFileControl> controls;
    std::string error; // why the file is not loadable, naming the place
};

// Reads a file's bytes. Every offset is checked against `length` before it is used;
// a damaged file is refused with header_version 0 and a reason, never read past its end.
ZPTagFileContents ZPTagFileRead(const uint8_t* bytes, size_t length);

// Writes a whole file: the header as held except that the active view's dialog offset
// becomes 64 (where the record is written), the dialog record as held (control_count
// included), the records, then the texts. Fails only for a text the 8-bit encoding
// cannot hold, with `error` naming the control.
bool ZPTagFileWrite(const ZPTagHeader& header, const ZPDialogRecord& dialog,
                    const std::vector<ZPTagFileControl>& controls, std::vector<uint8_t>& out,
                    std::string* error = nullptr);
