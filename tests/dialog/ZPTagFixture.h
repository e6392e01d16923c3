// Dialog tag file fixtures for the tests: files written as hex beside each case, and
// generated files for round-trip properties.
#pragma once

#include "ZPTagFile.h"
#include "ZPTagRecords.h"
#include "ZPTextEncoding.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

// Hex digits to bytes; spaces are only for the reader's eye.
inline QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex));
}

inline std::vector<uint8_t> toVector(const QByteArray& a) {
    return std::vector<uint8_t>(a.begin(), a.end());
}

inline QByteArray toByteArray(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

inline QByteArray withInt32(QByteArray bytes, int at, int32_t value) {
    const uint32_t u = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(uint8_t(u >> (24 - 8 * i)));
    return bytes;
}

// 'zerv' header: name "Dialog", group 'dlog', subgroup 'sub1', version 1, tag_version 0,
// flags 0x50, offset D (48), size 0x70, user_data 0xCAFEF00D. Bytes 44..47 read as 80,
// so a reader that takes D from the wrong place reads the wrong record.
inline QByteArray zervHeader(int32_t offset = 64) {
    return withInt32(hexBytes("4469616C6F6700000000000000000000 00000000000000000000000000000000"
                              "646C6F67 73756231 00000001 0000 0050"
                              "00000000 00000070 CAFEF00D 7A657276"),
                     48, offset);
}

// 'zrv2' header: DATUM_HEADER 0x4454, flags 1, type 2, name "Dialog" (4), group 'dlog',
// subgroup 'sub2', offset D (44), size 0x50 (48: again 80, a plausible wrong offset),
// user_data 0xCAFEF00D, version 3, indexes -1 and 5.
inline QByteArray zrv2Header(int32_t offset = 64) {
    return withInt32(hexBytes("4454 01 02 4469616C6F670000000000000000000000000000000000000000"
                              "0000 00000000 646C6F67 73756232"
                              "00000000 00000050 CAFEF00D 0003 FF 05 7A727632"),
                     44, offset);
}

// A file the tests generate, with what a reader must find in it.
struct ZPGeneratedTagFile {
    std::vector<uint8_t> bytes;
    ZPTagHeader header;
    uint32_t headerVersion = 0;
    ZPDialogRecord dialog;
    std::vector<ZPTagFileControl> controls;
};

// Random header, dialog record, records and texts with D = 64 and control_count equal to
// the number of controls. The texts of one file together hold every byte 0x01..0xFF when
// `everyByte` is set.
inline ZPGeneratedTagFile ZPGenerateTagFile(QRandomGenerator& rng, uint32_t headerVersion,
                                            int maxControls, bool everyByte) {
    const auto randomBytes = [&rng](uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i)
            p[i] = uint8_t(rng.bounded(256));
    };
    ZPGeneratedTagFile g;
    g.headerVersion = headerVersion;
    randomBytes(g.header.bytes.data(), ZPTagHeader::kSize);
    g.header.setSignature(headerVersion == 2 ? ZPSignatureZrv2 : ZPSignatureZerv);
    g.header.setDialogOffset(int32_t(ZPTagHeader::kSize));

    const int n = int(rng.bounded(maxControls + 1));
    randomBytes(g.dialog.bytes.data(), ZPDialogRecord::kSize);
    g.dialog.set_control_count(int16_t(n));

    std::vector<std::string> raw(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        ZPTagFileControl c;
        randomBytes(c.record.bytes.data(), ZPControlRecord::kSize);
        const int length = int(rng.bounded(40));
        for (int k = 0; k < length; ++k)
            raw[size_t(i)] += char(1 + rng.bounded(255));
        g.controls.push_back(c);
    }
    if (everyByte && n > 0) {
        std::vector<int> all(255);
        std::iota(all.begin(), all.end(), 1);
        std::shuffle(all.begin(), all.end(), rng);
        std::string& target = raw[size_t(rng.bounded(n))];
        for (const int b : all)
            target += char(b);
    }

    g.bytes.assign(g.header.bytes.begin(), g.header.bytes.end());
    g.bytes.insert(g.bytes.end(), g.dialog.bytes.begin(), g.dialog.bytes.end());
    for (const ZPTagFileControl& c : g.controls)
        g.bytes.insert(g.bytes.end(), c.record.bytes.begin(), c.record.bytes.end());
    for (size_t i = 0; i < raw.size(); ++i) {
        g.bytes.insert(g.bytes.end(), raw[i].begin(), raw[i].end());
        g.bytes.push_back(0);
        g.controls[i].text = ZPDecode8Bit(raw[i]);
    }
    return g;
}
