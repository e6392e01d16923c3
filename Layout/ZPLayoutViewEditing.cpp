// The layout view's mouse and keyboard editing: selecting by clicks, box drags,
// moving, resizing, nudging and deleting, and the translation of Qt's events.
#include "ZPLayoutView.h"

#include "ZPLayoutUtilities.h"
#include "ZPLayoutViewDelegate.h"
#include "ZPNotificationCenter.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

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

namespace {

// On a fractionally scaled screen the pointer has fractional positions. The canvas
// works in whole units, the ones frames are stored in: a point stands for the unit it
// lies in, so that moves and resizes produce frames that are stored exactly, and the
// canvas never draws or hit-tests an object where its stored frame is not.
QPointF wholeUnits(const QPointF& p) {
    return QPointF(std::floor(p.x()), std::floor(p.y()));
}

// Location in whole units and the Command flag (Ctrl; Qt maps Command to it on macOS).
ZPEvent translateMouseEvent(const QMouseEvent* event) {
    const QPointF position = wholeUnits(event->position());
    ZPEvent e;
    e.location = ZPMakePoint(float(position.x()), float(position.y()));
    e.modifierFlags = (event->modifiers() & Qt::ControlModifier) ? ZPCommandKeyMask : 0;
    return e;
}

} // namespace

void ZPLayoutView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    leftButtonDown_ = true;
    lastMousePosition_ = wholeUnits(event->position());
    mouseDown(translateMouseEvent(event));
    event->accept();
}

void ZPLayoutView::mouseMoveEvent(QMouseEvent* event) {
    if (!leftButtonDown_ || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF position = wholeUnits(event->position());
    ZPEvent e = translateMouseEvent(event);
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
    mouseUp(translateMouseEvent(event));
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
