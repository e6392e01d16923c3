#include "ZPLayoutView.h"

#include "ZPLayoutUtilities.h"
#include "ZPLayoutViewDelegate.h"
#include "ZPNotificationCenter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QRectF toQRectF(const ZPRect& r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

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
    update(toQRectF(rect).toAlignedRect());
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
    painter.fillRect(toQRectF(area), palette().color(QPalette::Window));
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
    painter.fillRect(toQRectF(frame), highlight);
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
    painter.fillRect(toQRectF(selectionBox_), highlight);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    fillFrame(painter, selectionBox_, 1.0f, QColor::fromRgbF(0.833f, 0.833f, 0.833f, 1.0f));
    painter.restore();
}

// --- Editing ---

void ZPLayoutView::postSelectionIsChanging() {
    ZPNotificationCenter::defaultCenter().postNotificationName(
        ZPLayoutViewSelectionIsChangingNotification, static_cast<const void*>(this));
}

void ZPLayoutView::postSelectionDidChange() {
    ZPNotificationCenter::defaultCenter().postNotificationName(
        ZPLayoutViewSelectionDidChangeNotification, static_cast<const void*>(this));
}

void ZPLayoutView::mouseDown(const ZPEvent& event) {
    const ZPPoint p = event.location;
    ZPLayoutNode* node = ZPLayoutWebNodeAtPoint(web_, p);
    ZPObject* hit = node != nullptr ? node->object.get() : nullptr;

    if (event.hasCommand()) {
        if (hit != nullptr) {
            clickedObject_ = hit;
            postSelectionIsChanging();
            if (isObjectSelected(hit))
                deselectObject(hit);
            else
                selectObjectByExtendingSelection(hit, true);
            postSelectionDidChange();
            dragOperation_ = ZPDragNone;
            return;
        }
    } else if (hit != nullptr) {
        clickedObject_ = hit;
        const bool canSetFrame = delegate_ != nullptr && delegate_->respondsToSetFrameForObject();
        if (!isObjectSelected(hit)) {
            postSelectionIsChanging();
            selectObjectByExtendingSelection(hit, false);
            postSelectionDidChange();
            dragOperation_ = canSetFrame ? ZPDragMove : ZPDragNone;
            return;
        }
        if (!canSetFrame) {
            dragOperation_ = ZPDragNone;
            return;
        }
        const ZPRect f = ZPLayoutNodeFrame(node);
        if (ZPPointInRect(p, ZPInsetRect(f, edgeBand, edgeBand))) {
            dragOperation_ = ZPDragMove;
            return;
        }
        dragOperation_ = ZPDragResize;
        flags_ &= ~uint32_t(ZPResizeLeft | ZPResizeRight | ZPResizeTop | ZPResizeBottom);
        const float toRight = (f.x + f.width) - p.x;
        const float toBottom = (f.y + f.height) - p.y;
        const float toLeft = p.x - f.x;
        const float toTop = p.y - f.y;
        if (toRight <= edgeBand)
            flags_ |= ZPResizeRight;
        if (toBottom <= edgeBand)
            flags_ |= ZPResizeBottom;
        if (toLeft <= edgeBand)
            flags_ |= ZPResizeLeft;
        if (toTop <= edgeBand)
            flags_ |= ZPResizeTop;
        // On an object too narrow (or low) for a move area both opposite edges are in
        // reach; dragging both to the pointer would collapse it, so only the nearer
        // edge follows (the right or bottom one on a tie).
        if ((flags_ & ZPResizeLeft) && (flags_ & ZPResizeRight))
            flags_ &= ~uint32_t(toLeft < toRight ? ZPResizeRight : ZPResizeLeft);
        if ((flags_ & ZPResizeTop) && (flags_ & ZPResizeBottom))
            flags_ &= ~uint32_t(toTop < toBottom ? ZPResizeBottom : ZPResizeTop);
        return;
    } else if (!selectedObjects_.empty()) {
        postSelectionIsChanging();
        deselectAllObjects();
        postSelectionDidChange();
    }

    // A selection-box drag starts; the box keeps the previous drag's value until the
    // first drag event spans it anew.
    selectionPoint_ = p;
    dragOperation_ = ZPDragSelect;
}

void ZPLayoutView::mouseDragged(const ZPEvent& event) {
    switch (dragOperation_) {
    case ZPDragNone:
        break;
    case ZPDragSelect: {
        const ZPPoint p = event.location;
        const ZPPoint s = selectionPoint_;
        setNeedsDisplayInRect(selectionBox_);
        selectionBox_.x = s.x <= p.x ? s.x : p.x;
        selectionBox_.y = s.y > p.y ? p.y : s.y;
        selectionBox_.width = s.x >= p.x ? s.x - p.x : p.x - s.x;
        selectionBox_.height = s.y >= p.y ? s.y - p.y : p.y - s.y;
        setNeedsDisplayInRect(selectionBox_);
        break;
    }
    case ZPDragMove:
        moveSelectedObjects(event.deltaX, event.deltaY);
        break;
    case ZPDragResize:
        resizeClickedObject(event.location);
        break;
    }
}

void ZPLayoutView::mouseUp(const ZPEvent& event) {
    (void)event;
    if (dragOperation_ == ZPDragSelect)
        setNeedsDisplayInRect(selectionBox_);
    clickedObject_ = nullptr;
    dragOperation_ = ZPDragNone;
}

void ZPLayoutView::keyDown(const ZPEvent& event) {
    float dx = 0.0f;
    float dy = 0.0f;
    switch (event.keyCode) {
    case ZPDeleteKeyCode:
        deleteSelectedObjects();
        return;
    case ZPLeftArrowKeyCode:
        dx = -nudge;
        break;
    case ZPRightArrowKeyCode:
        dx = nudge;
        break;
    case ZPDownArrowKeyCode:
        dy = nudge;
        break;
    case ZPUpArrowKeyCode:
        dy = -nudge;
        break;
    default:
        return;
    }
    if (delegate_ != nullptr && delegate_->respondsToSetFrameForObject())
        moveSelectedObjects(dx, dy);
}

void ZPLayoutView::moveSelectedObjects(float dx, float dy) {
    if (delegate_ == nullptr)
        return;
    const bool asks = delegate_->respondsToShouldMoveObjectToNewFrame();
    // A copy: the delegate's answers may change the selection under the walk.
    const std::vector<ZPObject*> objects = selectedObjects_;
    for (ZPObject* object : objects) {
        const ZPRect moved = ZPOffsetRect(delegate_->frameForObject(object), dx, dy);
        if (asks && !delegate_->shouldMoveObjectToNewFrame(object, moved))
            continue;
        delegate_->setFrameForObject(moved, object);
        noteObjectChangedFrame(object, moved);
    }
}

void ZPLayoutView::resizeClickedObject(ZPPoint p) {
    ZPObject* object = clickedObject_;
    // The clicked object holds no reference: once it has left the registry it may be
    // gone, and it must not be reached.
    if (delegate_ == nullptr || !isObjectRegistered(object))
        return;
    ZPRect f = delegate_->frameForObject(object);
    // A moving edge stops one unit short of the opposite edge: an object of zero or
    // negative size is never drawn and can never be clicked again.
    if (flags_ & ZPResizeLeft) {
        const float right = f.x + f.width;
        float width = f.width + (f.x - p.x);
        float x = p.x;
        if (!(width >= 1.0f)) {
            x = right - 1.0f;
            width = 1.0f;
        }
        f.x = x;
        f.width = width;
    }
    if (flags_ & ZPResizeRight) {
        f.width = p.x - f.x;
        if (!(f.width >= 1.0f))
            f.width = 1.0f;
    }
    if (flags_ & ZPResizeTop) {
        const float bottom = f.y + f.height;
        float height = f.height + (f.y - p.y);
        float y = p.y;
        if (!(height >= 1.0f)) {
            y = bottom - 1.0f;
            height = 1.0f;
        }
        f.y = y;
        f.height = height;
    }
    if (flags_ & ZPResizeBottom) {
        f.height = p.y - f.y;
        if (!(f.height >= 1.0f))
            f.height = 1.0f;
    }
    if (delegate_->respondsToShouldResizeObjectToNewFrame() &&
        !delegate_->shouldResizeObjectToNewFrame(object, f))
        return;
    delegate_->setFrameForObject(f, object);
    noteObjectChangedFrame(object, f);
}

void ZPLayoutView::deleteSelectedObjects() {
    const std::vector<ZPObject*> objects = selectedObjects_;
    const bool asks = delegate_ != nullptr && delegate_->respondsToShouldDeleteObject();
    for (ZPObject* object : objects) {
        // Only what the view holds can be deleted; an object that has left the registry
        // meanwhile (an observer may remove it) may be gone and is not reached.
        if (!isObjectRegistered(object))
            continue;
        if (asks && !delegate_->shouldDeleteObject(object))
            continue;
        removeObject(object);
        ZPNotificationCenter::defaultCenter().postNotificationName(
            ZPLayoutViewDidDeleteObjectNotification, static_cast<const void*>(object));
    }
}

// --- Qt event translation ---

void ZPLayoutView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    leftButtonDown_ = true;
    lastMousePosition_ = event->position();
    ZPEvent e;
    e.location = ZPMakePoint(float(lastMousePosition_.x()), float(lastMousePosition_.y()));
    e.modifierFlags = (event->modifiers() & Qt::ControlModifier) ? ZPCommandKeyMask : 0;
    mouseDown(e);
    event->accept();
}

void ZPLayoutView::mouseMoveEvent(QMouseEvent* event) {
    if (!leftButtonDown_ || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF position = event->position();
    ZPEvent e;
    e.location = ZPMakePoint(float(position.x()), float(position.y()));
    e.modifierFlags = (event->modifiers() & Qt::ControlModifier) ? ZPCommandKeyMask : 0;
    e.deltaX = float(position.x() - lastMousePosition_.x());
    e.deltaY = float(position.y() - lastMousePosition_.y());
    lastMousePosition_ = position;
    mouseDragged(e);
    event->accept();
}

void ZPLayoutView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftButtonDown_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    leftButtonDown_ = false;
    const QPointF position = event->position();
    ZPEvent e;
    e.location = ZPMakePoint(float(position.x()), float(position.y()));
    e.modifierFlags = (event->modifiers() & Qt::ControlModifier) ? ZPCommandKeyMask : 0;
    mouseUp(e);
    event->accept();
}

void ZPLayoutView::keyPressEvent(QKeyEvent* event) {
    uint16_t code = ZPUnknownKeyCode;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        code = ZPDeleteKeyCode;
        break;
    case Qt::Key_Left:
        code = ZPLeftArrowKeyCode;
        break;
    case Qt::Key_Right:
        code = ZPRightArrowKeyCode;
        break;
    case Qt::Key_Down:
        code = ZPDownArrowKeyCode;
        break;
    case Qt::Key_Up:
        code = ZPUpArrowKeyCode;
        break;
    default:
        break;
    }
    ZPEvent e = ZPEvent::key(code);
    e.modifierFlags = (event->modifiers() & Qt::ControlModifier) ? ZPCommandKeyMask : 0;
    keyDown(e);
    // Every key is handled here, the unknown ones by doing nothing.
    event->accept();
}
