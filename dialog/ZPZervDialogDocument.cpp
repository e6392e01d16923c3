#include "ZPZervDialogDocument.h"

#include "ZPNotificationCenter.h"
#include "ZPTextEncoding.h"

#include <algorithm>
#include <cstring>

ZPZervDialogDocument::ZPZervDialogDocument() = default;

ZPZervDialogDocument::~ZPZervDialogDocument() {
    ZPNotificationCenter::defaultCenter().removeObserver(this);
}

bool ZPZervDialogDocument::loadDataRepresentationOfType(const std::vector<uint8_t>& bytes,
                                                        const std::string&, std::string* error) {
    ZPTagFileContents contents = ZPTagFileRead(bytes.data(), bytes.size());
    if (contents.header_version == 0) {
        if (error)
            *error = contents.error;
        return false;
    }
    header_ = contents.header;
    header_version_ = contents.header_version;
    dialog_ = contents.dialog;
    // A negative stored count loads no controls; taking it as 0 keeps the count and
    // the list in step for every later add and save.
    if (dialog_.control_count() < 0)
        dialog_.set_control_count(0);
    controls_.clear();
    controls_.reserve(contents.controls.size());
    for (const ZPTagFileControl& c : contents.controls)
        controls_.push_back(std::make_shared<ZPZervControl>(c.record, c.text));
    return true;
}

bool ZPZervDialogDocument::dataRepresentationOfType(const std::string&, std::vector<uint8_t>& out,
                                                    std::string* error) const {
    if (header_version_ == 0) {
        if (error)
            *error = "the document was not loaded from a dialog tag file, so it has no header "
                     "to write";
        return false;
    }
    std::vector<ZPTagFileControl> pairs;
    pairs.reserve(controls_.size());
    for (const ZPZervControlRef& c : controls_)
        pairs.push_back(ZPTagFileControl{c->data(), c->string()});
    return ZPTagFileWrite(header_, dialog_, pairs, out, error);
}

std::optional<std::string> ZPZervDialogDocument::tagName() const {
    if (header_version_ == 0)
        return std::nullopt;
    const char* field =
        reinterpret_cast<const char*>(&header_.bytes[ZPTagHeader::nameOffset(header_version_)]);
    const void* nul = std::memchr(field, 0, ZPTagHeader::kNameLength);
    const size_t length =
        nul ? size_t(static_cast<const char*>(nul) - field) : ZPTagHeader::kNameLength;
    return ZPDecode8Bit(std::string_view(field, length));
}

bool ZPZervDialogDocument::setTagName(const std::string& name) {
    if (header_version_ == 0)
        return false;
    std::string encoded;
    if (!ZPEncode8Bit(name, encoded))
        return false;
    const size_t length = std::min(encoded.size(), ZPTagHeader::kNameLength - 1);
    uint8_t* field = &header_.bytes[ZPTagHeader::nameOffset(header_version_)];
    std::memcpy(field, encoded.data(), length);
    field[length] = 0;
    return true;
}

uint32_t ZPZervDialogDocument::subgroup() const {
    return header_.subgroup();
}

void ZPZervDialogDocument::setSubgroup(uint32_t subgroup) {
    header_.setSubgroup(subgroup);
}

ZPRect ZPZervDialogDocument::dialogFrame() const {
    return ZPRectFromBounds(dialog_.bounds());
}

void ZPZervDialogDocument::setDialogFrame(const ZPRect& frame) {
    dialog_.set_bounds(ZPBoundsFromRect(frame));
    contentsWindowSetContentSize(frame.size());
}

bool ZPZervDialogDocument::containsControl(const ZPZervControl* control) const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [control](const ZPZervControlRef& c) { return c.get() == control; });
}

bool ZPZervDialogDocument::addControl(const ZPZervControlRef& control) {
    if (!control || containsControl(control.get()) || controlCount() >= kMaxControlCount)
        return false;
    dialog_.set_control_count(int16_t(controlCount() + 1));
    controls_.push_back(control);
    return true;
}

bool ZPZervDialogDocument::removeControl(const ZPZervControl* control) {
    const auto it =
        std::find_if(controls_.begin(), controls_.end(),
                     [control](const ZPZervControlRef& c) { return c.get() == control; });
    if (it == controls_.end())
        return false;
    controls_.erase(it);
    dialog_.set_control_count(int16_t(controlCount() - 1));
    return true;
}

ZPZervControlRef ZPZervDialogDocument::controlWithID(int32_t itemID) const {
    for (const ZPZervControlRef& c : controls_) {
        if (int32_t(c->itemID()) == itemID)
            return c;
    }
    return nullptr;
}
