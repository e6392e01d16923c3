// Any input is either refused, or read, written, and read again to the same model.
// Both the plain reader and the document are exercised.
#include "ZPTagFile.h"
#include "ZPZervDialogDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#define check(condition) checkAt((condition), __LINE__)

namespace {

// Reports the failed property by its line before stopping the fuzzer.
void checkAt(bool condition, int line) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_tag_reader.cpp:%d: property does not hold\n", line);
        std::abort();
    }
}

bool sameRecord(const ZPTagFileContents& a, const ZPTagFileContents& b) {
    if (a.header_version != b.header_version || a.dialog.bytes != b.dialog.bytes ||
        a.controls.size() != b.controls.size())
        return false;
    for (size_t i = 0; i < a.controls.size(); ++i) {
        if (a.controls[i].record.bytes != b.controls[i].record.bytes ||
            a.controls[i].text != b.controls[i].text)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ZPTagFileContents first = ZPTagFileRead(data, size);
    if (first.header_version == 0) {
        check(!first.error.empty() && first.controls.empty());
        return 0;
    }
    check(first.error.empty());

    std::vector<uint8_t> written;
    check(ZPTagFileWrite(first.header, first.dialog, first.controls, written));
    const ZPTagFileContents second = ZPTagFileRead(written.data(), written.size());
    check(sameRecord(first, second));
    // The header comes back as read, except that the dialog record now follows it.
    ZPTagHeader expected = first.header;
    expected.setDialogOffset(int32_t(ZPTagHeader::kSize));
    check(second.header.bytes == expected.bytes);
    // A second write changes nothing more.
    std::vector<uint8_t> rewritten;
    check(ZPTagFileWrite(second.header, second.dialog, second.controls, rewritten));
    check(rewritten == written);

    // The document: loads, keeps list and count in step, and saves what it loaded.
    ZPZervDialogDocument document;
    check(document.loadDataRepresentationOfType(std::vector<uint8_t>(data, data + size), {}));
    check(document.controlCount() == int32_t(document.controls().size()));
    std::vector<uint8_t> saved;
    check(document.dataRepresentationOfType({}, saved));
    ZPZervDialogDocument reloaded;
    check(reloaded.loadDataRepresentationOfType(saved, {}));
    ZPTagHeader held = document.header();
    held.setDialogOffset(int32_t(ZPTagHeader::kSize));
    check(reloaded.header().bytes == held.bytes);
    check(reloaded.dialog().bytes == document.dialog().bytes);
    check(reloaded.controls().size() == document.controls().size());
    for (size_t i = 0; i < document.controls().size(); ++i) {
        check(reloaded.controls()[i]->data().bytes == document.controls()[i]->data().bytes);
        check(reloaded.controls()[i]->string() == document.controls()[i]->string());
    }
    return 0;
}
