// What a ZPLayoutView asks of the owner of its objects' frames. Required operations
// are pure virtual and sent without asking; each optional one comes with a
// capability query that the view asks once per event before sending it.
#pragma once

#include "ZPGeometry.h"

class QPainter;
class ZPObject;

class ZPLayoutViewDelegate {
public:
    virtual ~ZPLayoutViewDelegate() = default;

    // Required. The object's current frame in view coordinates.
    virtual ZPRect frameForObject(ZPObject* object) = 0;
    // Required. Draws the object with `painter`; `clipRect` is the whole area being
    // redrawn, not its intersection with the object.
    virtual void drawObjectClipRect(ZPObject* object, const ZPRect& clipRect,
                                    QPainter& painter) = 0;

    // setDelegate() refuses a delegate that answers false here, which stands for a
    // delegate without frameForObject.
    virtual bool respondsToFrameForObject() const { return true; }

    // Optional: stores a new frame. Without it nothing can be moved or resized.
    virtual bool respondsToSetFrameForObject() const { return false; }
    virtual void setFrameForObject(const ZPRect& frame, ZPObject* object) {
        (void)frame;
        (void)object;
    }

    // Optional: permission for one object's step of a move. Without it every move is
    // permitted.
    virtual bool respondsToShouldMoveObjectToNewFrame() const { return false; }
    virtual bool shouldMoveObjectToNewFrame(ZPObject* object, const ZPRect& frame) {
        (void)object;
        (void)frame;
        return true;
    }

    // Optional: permission for one resize step. Without it every resize is permitted.
    virtual bool respondsToShouldResizeObjectToNewFrame() const { return false; }
    virtual bool shouldResizeObjectToNewFrame(ZPObject* object, const ZPRect& frame) {
        (void)object;
        (void)frame;
        return true;
    }

    // Optional: permission to delete a selected object with the Delete key. Without it
    // every selected object is deleted.
    virtual bool respondsToShouldDeleteObject() const { return false; }
    virtual bool shouldDeleteObject(ZPObject* object) {
        (void)object;
        return true;
    }
};
