#include "ZPZervDialogEditorDocument.h"

#include "ZPContentsWindow.h"
#include "ZPControlListModel.h"
#include "ZPInspector.h"
#include "ZPLayoutView.h"
#include "ZPNotificationCenter.h"

#include <QTreeView>

ZPZervDialogEditorDocument::ZPZervDialogEditorDocument() = default;

ZPZervDialogEditorDocument::~ZPZervDialogEditorDocument() {
    ZPNotificationCenter::defaultCenter().removeObserver(this);
    // The canvas and the list call back into this document: they go first.
    releaseWindowControllers();
}

std::shared_ptr<ZPZervDialogEditorDocument> ZPZervDialogEditorDocument::self() {
    return std::static_pointer_cast<ZPZervDialogEditorDocument>(
        static_cast<ZPZervDialogDocument*>(this)->shared_from_this());
}

bool ZPZervDialogEditorDocument::readFromData(const QByteArray& data, QString* error) {
    const std::vector<uint8_t> bytes(data.begin(), data.end());
    std::string why;
    if (!loadDataRepresentationOfType(bytes, "ZervDialog", &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    return true;
}

bool ZPZervDialogEditorDocument::dataOfType(QByteArray& data, QString* error) const {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!dataRepresentationOfType("ZervDialog", bytes, &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    data = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    return true;
}

void ZPZervDialogEditorDocument::noteEdit() {
    setDocumentEdited(true);
}

void ZPZervDialogEditorDocument::contentsWindowSetContentSize(ZPSize size) {
    if (contentsWindow_)
        contentsWindow_->setContentSize(size);
}

bool ZPZervDialogEditorDocument::inspectorShowsThisDocument() const {
    return ZPInspector::defaultInspector()->inspectedObject().get() == modelObject();
}

void ZPZervDialogEditorDocument::retargetInspectorAwayFrom(const ZPObject* leaving) {
    ZPInspector& inspector = *ZPInspector::defaultInspector();
    if (inspector.inspectedObject().get() == leaving)
        inspector.setInspectedObject(self());
}

void ZPZervDialogEditorDocument::didRevert() {
    // The old controls are gone from the model: take them off the canvas and out of the
    // inspector, then show the file's controls.
    ZPInspector& inspector = *ZPInspector::defaultInspector();
    const ZPObject* inspected = inspector.inspectedObject().get();
    const bool inspectingUs = inspected == modelObject();
    bool inspectingOldControl = false;
    if (layoutView_) {
        for (ZPObject* object : layoutView_->registeredObjects()) {
            inspectingOldControl = inspectingOldControl || object == inspected;
            layoutView_->removeObject(object);
        }
        registerControlsWithCanvas();
    }
    if (contentsWindow_)
        contentsWindow_->setContentSize(dialogFrame().size());
    controlListChanged();
    if (inspectingUs || inspectingOldControl) {
        inspector.setInspectedObject(nullptr); // the same object again would refill nothing
        inspector.setInspectedObject(self());
    }
}

void ZPZervDialogEditorDocument::close() {
    // The inspector never edits a document, or a control of one, that has closed.
    ZPInspector& inspector = *ZPInspector::defaultInspector();
    const ZPObject* inspected = inspector.inspectedObject().get();
    const auto* control = dynamic_cast<const ZPZervControl*>(inspected);
    if (inspected == modelObject() || (control && containsControl(control)))
        inspector.setInspectedObject(nullptr);
    ZPNotificationCenter::defaultCenter().removeObserver(this);
    disconnect(&inspector, nullptr, this, nullptr);
    ZPDocument::close();
}

void ZPZervDialogEditorDocument::inspectorChangedControl(ZPZervControl* control, int what) {
    if (!containsControl(control))
        return;
    noteEdit();
    switch (what) {
    case ZPInspector::Frame:
    case ZPInspector::Type:
    case ZPInspector::Text:
        // A frame reaches the canvas's index; a new type or text only needs a redraw,
        // which telling the frame again also gives.
        if (layoutView_)
            layoutView_->noteObjectChangedFrame(control, control->frame());
        break;
    case ZPInspector::ItemID:
        if (listModel_)
            listModel_->controlChanged(control);
        break;
    default:
        break;
    }
}
