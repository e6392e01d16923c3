// Controls and documents built in the test, and a document that records what its
// contents window would have been asked to do.
#pragma once

#include "ZPTagFile.h"
#include "ZPZervControl.h"
#include "ZPZervDialogDocument.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct ControlValues {
    uint32_t tag = 0;
    int16_t itemID = 0;
    int16_t bitmapOff = 0;
    int16_t bitmapOn = 0;
    uint16_t flags = 0;
    uint16_t state = 0;
    ZPBounds bounds; // top, left, bottom, right
    std::string text;
};

inline ZPZervControlRef makeControl(const ControlValues& v) {
    ZPControlRecord record;
    record.set_tag(v.tag);
    record.set_item_id(v.itemID);
    record.set_bitmap_id(0, v.bitmapOff);
    record.set_bitmap_id(1, v.bitmapOn);
    record.set_flags(v.flags);
    record.set_state(v.state);
    record.set_bounds(v.bounds);
    return std::make_shared<ZPZervControl>(record, v.text);
}

// A control with frame (x, y, width, height).
inline ZPZervControlRef makeFramedControl(int16_t x, int16_t y, int16_t w, int16_t h) {
    ControlValues v;
    v.tag = ZPControlTypeButton;
    v.bounds = ZPBounds{y, x, int16_t(y + h), int16_t(x + w)};
    v.text = "OK";
    return makeControl(v);
}

// The window side of a document, reduced to what the inspector reaches: the contents
// window's size.
class RecordingDocument : public ZPZervDialogDocument {
public:
    std::vector<ZPSize> contentSizes;

protected:
    void contentsWindowSetContentSize(ZPSize size) override { contentSizes.push_back(size); }
};

struct DocumentValues {
    uint32_t headerVersion = 1;
    std::string name;
    uint32_t subgroup = 0;
    ZPBounds bounds;
    int controls = 0;
};

// A document loaded from a file built in memory.
inline std::shared_ptr<RecordingDocument> makeDocument(const DocumentValues& v) {
    ZPTagHeader header;
    header.setSignature(v.headerVersion == 2 ? ZPSignatureZrv2 : ZPSignatureZerv);
    header.setDialogOffset(64);
    std::memcpy(&header.bytes[ZPTagHeader::nameOffset(v.headerVersion)], v.name.data(),
                std::min(v.name.size(), size_t(31)));
    header.setSubgroup(v.subgroup);
    ZPDialogRecord dialog;
    dialog.set_control_count(int16_t(v.controls));
    dialog.set_bounds(v.bounds);
    std::vector<ZPTagFileControl> controls(size_t(v.controls));
    std::vector<uint8_t> bytes;
    ZPTagFileWrite(header, dialog, controls, bytes);
    auto document = std::make_shared<RecordingDocument>();
    document->loadDataRepresentationOfType(bytes, "dialog");
    return document;
}
