// One control of a dialog: its fixed 24-byte record and its text. The record is the
// single source of truth; the frame is computed from its bounds each time.
#pragma once

#include "ZPObject.h"
#include "ZPTagRecords.h"

#include <cstdint>
#include <memory>
#include <string>

constexpr uint32_t ZPControlTypeButton = ZPFourCharCode('b', 'u', 't', 't');
constexpr uint32_t ZPControlTypeEdit = ZPFourCharCode('e', 'd', 'i', 't');
constexpr uint32_t ZPControlTypePassword = ZPFourCharCode('p', 'a', 's', 's');
constexpr uint32_t ZPControlTypeNumber = ZPFourCharCode('n', 'u', 'm', 'b');
constexpr uint32_t ZPControlTypeStatic = ZPFourCharCode('s', 't', 'a', 't');
constexpr uint32_t ZPControlTypeNew = ZPFourCharCode('n', 'e', 'w', 'c');

class ZPZervControl : public ZPObject {
public:
    ZPZervControl(const ZPControlRecord& data, const std::string& string);

    const ZPControlRecord& data() const { return data_; }
    void setData(const ZPControlRecord& data) { data_ = data; }

    ZPRect frame() const;
    void setFrame(const ZPRect& frame);

    uint32_t tag() const { return data_.tag(); }
    void setTag(uint32_t tag) { data_.set_tag(tag); }
    int16_t itemID() const { return data_.item_id(); }
    void setItemID(int16_t id) { data_.set_item_id(id); }
    uint16_t flags() const { return data_.flags(); }
    void setFlags(uint16_t flags) { data_.set_flags(flags); }
    uint16_t state() const { return data_.state(); }
    void setState(uint16_t state) { data_.set_state(state); }

    // State 0 (off) or 1 (on); any other state reads as -1 and writes nothing.
    int16_t bitmapIDForState(uint16_t state) const;
    void setBitmapIDForState(int16_t id, uint16_t state);

    // The control's text, UTF-8. Returned by value: it stays valid whatever happens
    // to the control afterwards.
    std::string string() const { return string_; }
    void setString(const std::string& string) { string_ = string; }

private:
    ZPControlRecord data_;
    std::string string_;
};

using ZPZervControlRef = std::shared_ptr<ZPZervControl>;
