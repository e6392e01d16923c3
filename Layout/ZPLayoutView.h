// A canvas for rectangular objects whose frames its delegate owns. It keeps a
// registry of the objects it shows (filed in a layout web for hit testing), an
// ordered selection, draws the objects through its delegate with selection marks
// over them, and lets the user select, move, resize and delete objects with the
// mouse and the keyboard.
#pragma once

#include "ZPEvent.h"
#include "ZPGeometry.h"
#include "ZPObject.h"

#include <QRectF>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class ZPLayoutViewDelegate;

// A canvas rectangle for painting with Qt; everything else stays in ZPRect's rules.
inline QRectF ZPQRectFromRect(const ZPRect& r) {
    return QRectF(r.x, r.y, r.width, r.height);
}
struct ZPLayoutNode;
struct ZPLayoutWeb;

// Posted on ZPNotificationCenter::defaultCenter(). The `object` of the two selection
// notifications is the posting view as `static_cast<const void*>(ZPLayoutView*)`; the
// `object` of the deletion notification is the deleted object as
// `static_cast<const void*>(ZPObject*)` (convert a subclass pointer to ZPObject* before
// comparing). The deleted object is no longer registered when its notification
// arrives and may already be destroyed if nobody else owns it.
inline constexpr char ZPLayoutViewSelectionIsChangingNotification[] =
    "ZPLayoutViewSelectionIsChangingNotification";
inline constexpr char ZPLayoutViewSelectionDidChangeNotification[] =
    "ZPLayoutViewSelectionDidChangeNotification";
inline constexpr char ZPLayoutViewDidDeleteObjectNotification[] =
    "ZPLayoutViewDidDeleteObjectNotification";

// What a mouse drag currently does.
enum ZPDragOperation : int32_t {
    ZPDragNone = 0,
    ZPDragSelect = 1, // selection box
    ZPDragMove = 2,   // move the selected objects
    ZPDragResize = 3, // resize the clicked object
};

// Bits of ZPLayoutView::flags().
enum ZPLayoutViewFlag : uint32_t {
    ZPShowsVerticalGuide = 0x1,
    ZPShowsHorizontalGuide = 0x2,
    ZPResizeLeft = 0x4,
    ZPResizeRight = 0x8,
    ZPResizeTop = 0x10,
    ZPResizeBottom = 0x20,
};

class ZPLayoutView : public QWidget {
    Q_OBJECT

public:
    // Width of the band along each edge of a selected object in which a plain click
    // starts a resize instead of a move.
    static constexpr float edgeBand = 4.0f;
    // Distance one arrow-key press moves the selected objects.
    static constexpr float nudge = 1.0f;

    explicit ZPLayoutView(QWidget* parent = nullptr);
    // Unregisters every object silently (no delegate call, no notification).
    ~ZPLayoutView() override;

    // Registry. The view's node holds a reference to each registered object.
    // addObject ignores null and objects already registered.
    void addObject(std::shared_ptr<ZPObject> object);
    // Ignored for objects not registered; a selected object leaves the selection
    // silently.
    void removeObject(ZPObject* object);
    // Tells the view the object's new frame (the delegate already holds it). The only
    // way the view learns of a frame change; ignored for objects not registered.
    void noteObjectChangedFrame(ZPObject* object, const ZPRect& frame);
    bool isObjectRegistered(ZPObject* object) const;
    // The registered objects in registration order (the drawing order: later on top).
    std::vector<ZPObject*> registeredObjects() const;
    // The frame the view last recorded for a registered object (what hit testing and
    // drawing use); the zero rectangle for an object not registered.
    ZPRect nodeFrameForObject(ZPObject* object) const;

    // Selection: ordered, holds no references, accepts any non-null object. These
    // operations post no notification; only clicks do.
    bool isObjectSelected(ZPObject* object) const;
    void selectObjectByExtendingSelection(ZPObject* object, bool extend);
    void deselectObject(ZPObject* object);
    void deselectAllObjects();
    int32_t numberOfSelectedObjects() const;
    // The selection itself, in the order objects were added to it.
    const std::vector<ZPObject*>& selectedObjects() const { return selectedObjects_; }

    // Not owned. setDelegate ignores a delegate that does not respond to frameForObject,
    // null included, so once set a delegate is replaced but never cleared.
    ZPLayoutViewDelegate* delegate() const { return delegate_; }
    void setDelegate(ZPLayoutViewDelegate* delegate);

    // Guides only store values: nothing draws, snaps to or invalidates for them.
    bool showsVerticalGuide() const;
    void setShowsVerticalGuide(bool shows);
    bool showsHorizontalGuide() const;
    void setShowsHorizontalGuide(bool shows);
    float verticalGuidePosition() const { return guideConvergencePoint_.x; }
    void setVerticalGuidePosition(float position) { guideConvergencePoint_.x = position; }
    float horizontalGuidePosition() const { return guideConvergencePoint_.y; }
    void setHorizontalGuidePosition(float position) { guideConvergencePoint_.y = position; }
    ZPPoint guideConvergencePoint() const { return guideConvergencePoint_; }
    void setGuideConvergencePoint(ZPPoint point) { guideConvergencePoint_ = point; }

    // Editing entry points; the Qt event handlers translate into these.
    void mouseDown(const ZPEvent& event);
    void mouseDragged(const ZPEvent& event);
    void mouseUp(const ZPEvent& event);
    void keyDown(const ZPEvent& event);

    // Editing state, read-only.
    ZPDragOperation dragOperation() const { return dragOperation_; }
    uint32_t flags() const { return flags_; }
    ZPPoint selectionPoint() const { return selectionPoint_; }
    ZPRect selectionBox() const { return selectionBox_; }
    // The object under the last mouse-down that hit one; null after mouse-up.
    ZPObject* clickedObject() const { return clickedObject_; }

    // Paints `area`: background, each registered object meeting it with its marks right
    // after it, then the selection box while a box drag is in progress.
    void drawRect(const ZPRect& area, QPainter& painter);

protected:
    // Marks a rectangle for redrawing; every invalidation of the view goes through here.
    virtual void setNeedsDisplayInRect(const ZPRect& rect);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ZPRect delegateFrame(ZPObject* object);
    void postSelectionIsChanging();
    void postSelectionDidChange();
    void moveSelectedObjects(float dx, float dy);
    void resizeClickedObject(ZPPoint location);
    void deleteSelectedObjects();
    void drawSelectionMarks(const ZPRect& frame, QPainter& painter);
    void drawSelectionBox(QPainter& painter);

    ZPLayoutViewDelegate* delegate_ = nullptr;
    std::vector<ZPObject*> selectedObjects_;
    // Lookup by identity, plus the registration order for drawing and teardown.
    std::unordered_map<ZPObject*, ZPLayoutNode*> objectNodes_;
    std::vector<ZPLayoutNode*> registrationOrder_;
    ZPLayoutWeb* web_ = nullptr;
    uint32_t flags_ = 0;
    ZPPoint guideConvergencePoint_;
    ZPDragOperation dragOperation_ = ZPDragNone;
    ZPPoint selectionPoint_;
    ZPRect selectionBox_;
    ZPObject* clickedObject_ = nullptr;

    // Qt gives positions, not deltas: the last pointer position of the current drag.
    QPointF lastMousePosition_;
    bool leftButtonDown_ = false;
};
