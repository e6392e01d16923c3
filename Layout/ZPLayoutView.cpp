// The layout view: registry, selection, delegate, guides, invalidation and drawing.
#include "ZPLayoutView.h"

#include "ZPLayoutUtilities.h"
#include "ZPLayoutViewDelegate.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Fills a frame `width` wide just inside `rect` as four strips that never overlap, so a
// translucent colour is applied once everywhere.
void fillFrame(QPainter& painter, const ZPRect& rect, float width, const QColor& color) {
    if (ZPIsEmptyRect(rect))
        return;
    const float w = std::min(width, rect.width * 0.5f);
    const float h = std::min(width, rect.height * 0.5f);
    const float innerHeight = rect.height - 2.0f * h;
    painter.fillRect(QRectF(rect.x, rect.y, rect.width, h), color);
    painter.fillRect(QRectF(rect.x, ZPMaxY(rect) - h, rect.width, h), color);
    if (innerHeight > 0.0f) {
        painter.fillRect(QRectF(rect.x, rect.y + h, w, innerHeight), color);
        painter.fillRect(QRectF(ZPMaxX(rect) - w, rect.y + h, w, innerHeight), color);
    }
}

} // namespace

ZPLayoutView::ZPLayoutView(QWidget* parent) : QWidget(parent), web_(ZPLayoutWebCreate()) {
    // Every point of an area is painted (background first), and arrow keys and
    // Delete must reach the view once it has been clicked.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

ZPLayoutView::~ZPLayoutView() {
    for (ZPLayoutNode* node : registrationOrder_) {
        ZPLayoutWebRemoveNode(node, web_);
        ZPLayoutNodeDestroy(node);
    }
    registrationOrder_.clear();
    objectNodes_.clear();
    ZPLayoutWebDestroy(web_);
}

// --- Registry ---

void ZPLayoutView::addObject(std::shared_ptr<ZPObject> object) {
    ZPObject* identity = object.get();
    if (identity == nullptr || isObjectRegistered(identity))
        return;
    ZPLayoutNode* node = ZPLayoutNodeCreate(std::move(object));
    ZPLayoutNodeSetFrame(node, delegateFrame(identity));
    ZPLayoutWebInsertNode(node, web_);
    objectNodes_.emplace(identity, node);
    registrationOrder_.push_back(node);
    setNeedsDisplayInRect(delegateFrame(identity));
}

void ZPLayoutView::removeObject(ZPObject* object) {
    const auto found = objectNodes_.find(object);
    if (found == objectNodes_.end())
        return;
    ZPLayoutNode* node = found->second;
    setNeedsDisplayInRect(ZPLayoutNodeFrame(node));
    selectedObjects_.erase(std::remove(selectedObjects_.begin(), selectedObjects_.end(), object),
                           selectedObjects_.end());
    objectNodes_.erase(found);
    registrationOrder_.erase(std::find(registrationOrder_.begin(), registrationOrder_.end(), node));
    ZPLayoutWebRemoveNode(node, web_);
    // May destroy the object when the node held the last reference.
    ZPLayoutNodeDestroy(node);
}

void ZPLayoutView::noteObjectChangedFrame(ZPObject* object, const ZPRect& frame) {
    const auto found = objectNodes_.find(object);
    if (found == objectNodes_.end())
        return;
    setNeedsDisplayInRect(ZPLayoutNodeFrame(found->second));
    ZPLayoutNodeSetFrame(found->second, frame);
    setNeedsDisplayInRect(frame);
}

bool ZPLayoutView::isObjectRegistered(ZPObject* object) const {
    return objectNodes_.find(object) != objectNodes_.end();
}

std::vector<ZPObject*> ZPLayoutView::registeredObjects() const {
    std::vector<ZPObject*> objects;
    objects.reserve(registrationOrder_.size());
    for (const ZPLayoutNode* node : registrationOrder_)
        objects.push_back(node->object.get());
    return objects;
}

ZPRect ZPLayoutView::nodeFrameForObject(ZPObject* object) const {
    const auto found = objectNodes_.find(object);
    return found == objectNodes_.end() ? ZPRect{} : ZPLayoutNodeFrame(found->second);
}

// --- Selection ---

bool ZPLayoutView::isObjectSelected(ZPObject* object) const {
    return std::find(selectedObjects_.begin(), selectedObjects_.end(), object) !=
           selectedObjects_.end();
}

void ZPLayoutView::selectObjectByExtendingSelection(ZPObject* object, bool extend) {
    if (object == nullptr)
        return;
    if (!extend)
        deselectAllObjects();
    selectedObjects_.push_back(object);
    setNeedsDisplayInRect(delegateFrame(object));
}

void ZPLayoutView::deselectObject(ZPObject* object) {
    if (object == nullptr)
        return;
    selectedObjects_.erase(std::remove(selectedObjects_.begin(), selectedObjects_.end(), object),
                           selectedObjects_.end());
    setNeedsDisplayInRect(delegateFrame(object));
}

void ZPLayoutView::deselectAllObjects() {
    for (ZPObject* object : selectedObjects_)
        setNeedsDisplayInRect(delegateFrame(object));
    selectedObjects_.clear();
}

int32_t ZPLayoutView::numberOfSelectedObjects() const {
    return static_cast<int32_t>(selectedObjects_.size());
}

// --- Delegate ---

void ZPLayoutView::setDelegate(ZPLayoutViewDelegate* delegate) {
    if (delegate == delegate_)
        return;
    if (delegate == nullptr || !delegate->respondsToFrameForObject())
        return;
    delegate_ = delegate;
}

ZPRect ZPLayoutView::delegateFrame(ZPObject* object) {
    return delegate_ != nullptr ? delegate_->frameForObject(object) : ZPRect{};
}

// --- Guides ---

bool ZPLayoutView::showsVerticalGuide() const {
    return (flags_ & ZPShowsVerticalGuide) != 0;
}

void ZPLayoutView::setShowsVerticalGuide(bool shows) {
    flags_ = shows ? (flags_ | ZPShowsVerticalGuide) : (flags_ & ~uint32_t(ZPShowsVerticalGuide));
}

bool ZPLayoutView::showsHorizontalGuide() const {
    return (flags_ & ZPShowsHorizontalGuide) != 0;
}

void ZPLayoutView::setShowsHorizontalGuide(bool shows) {
    flags_ =
        shows ? (flags_ | ZPShowsHorizontalGuide) : (flags_ & ~uint32_t(ZPShowsHorizontalGuide));
}

// --- Invalidation and drawing ---

void ZPLayoutView::setNeedsDisplayInRect(const ZPRect& rect) {
    if (ZPIsEmptyRect(rect))
        return;
    update(ZPQRectFromRect(rect).toAlignedRect());
}

void ZPLayoutView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    drawRect(
        ZPMakeRect(float(area.x()), float(area.y()), float(area.width()), float(area.height())),
        painter);
}

void ZPLayoutView::drawRect(const ZPRect& area, QPainter& painter) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(ZPQRectFromRect(area), palette().color(QPalette::Window));
    painter.restore();

    for (ZPLayoutNode* node : registrationOrder_) {
        const ZPRect frame = ZPLayoutNodeFrame(node);
        if (!ZPIntersectsRect(frame, area))
            continue;
        ZPObject* object = node->object.get();
        if (delegate_ != nullptr) {
            // The delegate's painter settings must not leak into the marks or the next
            // object.
            painter.save();
            delegate_->drawObjectClipRect(object, area, painter);
            painter.restore();
        }
        if (isObjectSelected(object))
            drawSelectionMarks(frame, painter);
    }

    if (dragOperation_ == ZPDragSelect)
        drawSelectionBox(painter);
}

void ZPLayoutView::drawSelectionMarks(const ZPRect& frame, QPainter& painter) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlphaF(0.65f);
    painter.fillRect(ZPQRectFromRect(frame), highlight);
    // Stands in for the keyboard focus indicator colour: the highlight, darker, so the
    // outline stands out against the translucent fill.
    fillFrame(painter, frame, 2.5f, palette().color(QPalette::Highlight).darker(150));
    painter.restore();
}

void ZPLayoutView::drawSelectionBox(QPainter& painter) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlphaF(0.5f);
    painter.fillRect(ZPQRectFromRect(selectionBox_), highlight);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    fillFrame(painter, selectionBox_, 1.0f, QColor::fromRgbF(0.833f, 0.833f, 0.833f, 1.0f));
    painter.restore();
}
