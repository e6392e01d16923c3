// One open dialog tag file, model side: header, dialog record and the ordered
// controls, with the two entry points through which a file is loaded and saved.
// The editor derives its window side from this class and resizes its contents
// window in contentsWindowSetContentSize(); without windows the model works alone.
#pragma once

#include "ZPObject.h"
#include "ZPTagFile.h"
#include "ZPZervControl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ZPZervDialogDocument : public ZPObject {
public:
    static constexpr int32_t kMaxControlCount = 32767;

    ZPZervDialogDocument();
    ~ZPZervDialogDocument() override;

    // Loads a file's bytes, replacing whatever the document held. Answers false, with
    // the reader's reason in `error`, for a file that is not loadable; the document is
    // then unchanged. The type name is not consulted.
    bool loadDataRepresentationOfType(const std::vector<uint8_t>& bytes, const std::string& type,
                                      std::string* error = nullptr);
    // The file's bytes for saving. Answers false, with a reason, for a document that was
    // never loaded (it would be an unreadable file) or a text the file cannot store.
    bool dataRepresentationOfType(const std::string& type, std::vector<uint8_t>& out,
                                  std::string* error = nullptr) const;

    uint32_t header_version() const { return header_version_; }
    const ZPTagHeader& header() const { return header_; }
    const ZPDialogRecord& dialog() const { return dialog_; }

    // The name field up to its first NUL (all 32 bytes when it has none), decoded from
    // the 8-bit encoding; none for a document that was not loaded.
    std::optional<std::string> tagName() const;
    // Writes at most 31 bytes of the encoded name and a NUL; the rest of the field is
    // kept. Answers false and changes nothing for a name the encoding cannot hold, or
    // when the document was not loaded.
    bool setTagName(const std::string& name);
    uint32_t subgroup() const;
    void setSubgroup(uint32_t subgroup);

    ZPRect dialogFrame() const;
    void setDialogFrame(const ZPRect& frame);

    const std::vector<ZPZervControlRef>& controls() const { return controls_; }
    // control_count as stored (a negative stored count was taken as 0 on loading).
    int32_t controlCount() const { return dialog_.control_count(); }
    // Appends a control and counts it. Answers false and changes nothing for a control
    // already in the list, a null one, or when the count is at its 16-bit maximum.
    bool addControl(const ZPZervControlRef& control);
    // Removes a listed control and uncounts it; a control not in the list changes nothing.
    bool removeControl(const ZPZervControl* control);
    bool containsControl(const ZPZervControl* control) const;
    // The first control in list order with that item identifier.
    ZPZervControlRef controlWithID(int32_t itemID) const;

protected:
    // The window side makes the contents window's content size this size.
    virtual void contentsWindowSetContentSize(ZPSize) {}

private:
    uint32_t header_version_ = 0;
    ZPTagHeader header_;
    ZPDialogRecord dialog_;
    std::vector<ZPZervControlRef> controls_;
};

using ZPZervDialogDocumentRef = std::shared_ptr<ZPZervDialogDocument>;
