// The document as the canvas's delegate and the list's data source.
#include "ZPZervDialogEditorDocument.h"

#include "ZPControlRenderer.h"
#include "ZPInspector.h"
#include "ZPLayoutView.h"

#include <QTreeView>

QString ZPControlListText(const ZPObject* item) {
    if (const auto* control = dynamic_cast<const ZPZervControl*>(item))
        return QStringLiteral("Control ID: %1").arg(int(control->itemID()));
    if (const auto* document = dynamic_cast<const ZPZervDialogDocument*>(item)) {
        const std::optional<std::string> name = document->tagName();
        return QStringLiteral("Dialog: %1").arg(QString::fromStdString(name.value_or("")));
    }
    return QString();
}

ZPRect ZPZervDialogEditorDocument::frameForObject(ZPObject* object) {
    const auto* control = dynamic_cast<const ZPZervControl*>(object);
    return control ? control->frame() : ZPRect{};
}

void ZPZervDialogEditorDocument::setFrameForObject(const ZPRect& frame, ZPObject* object) {
    auto* control = dynamic_cast<ZPZervControl*>(object);
    if (!control)
        return;
    const ZPBounds before = control->data().bounds();
    control->setFrame(frame);
    if (control->data().bounds() == before)
        return;
    noteEdit();
    ZPInspector& inspector = *ZPInspector::defaultInspector();
    if (inspector.inspectedObject().get() == object)
        inspector.refreshFrameFields();
}

bool ZPZervDialogEditorDocument::shouldMoveObjectToNewFrame(ZPObject*, const ZPRect& frame) {
    return ZPRectFitsBounds(frame);
}

bool ZPZervDialogEditorDocument::shouldResizeObjectToNewFrame(ZPObject*, const ZPRect& frame) {
    return ZPRectFitsBounds(frame);
}

bool ZPZervDialogEditorDocument::shouldDeleteObject(ZPObject*) {
    return true;
}

void ZPZervDialogEditorDocument::drawObjectClipRect(ZPObject* object, const ZPRect&,
                                                    QPainter& painter) {
    const auto* control = dynamic_cast<const ZPZervControl*>(object);
    if (control)
        ZPControlRenderer::drawControl(*control, frameForObject(object), painter, layoutView_);
}

int ZPZervDialogEditorDocument::outlineViewNumberOfChildrenOfItem(const ZPObject* item) const {
    return item ? 0 : int(controls().size());
}

ZPZervControl* ZPZervDialogEditorDocument::outlineViewChildOfItem(int index,
                                                                  const ZPObject* item) const {
    if (item || index < 0 || size_t(index) >= controls().size())
        return nullptr;
    return controls()[size_t(index)].get();
}

bool ZPZervDialogEditorDocument::outlineViewIsItemExpandable(const ZPObject* item) const {
    return dynamic_cast<const ZPZervDialogDocument*>(item) != nullptr;
}

QString
ZPZervDialogEditorDocument::outlineViewObjectValueForTableColumnByItem(int,
                                                                       const ZPObject* item) const {
    return ZPControlListText(item);
}

bool ZPZervDialogEditorDocument::outlineViewShouldEditTableColumnItem(int, const ZPObject*) const {
    return false;
}
