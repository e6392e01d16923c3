// The layout web: the spatial index behind one layout view. Each object has a node
// with six values of its frame (left, centre, right on x; top, middle, bottom on y),
// each an entry in one of two doubly linked lists, one per axis, kept roughly in
// order of value. Each list is reached only through its cursor, the entry where the
// last walk stopped and where the next one starts, so work stays local to where the
// user is working.
//
// Plain records and plain functions: the web knows nothing of views or delegates,
// holds one reference to each object and cannot find a node by its object.
#pragma once

#include "ZPGeometry.h"
#include "ZPObject.h"

#include <memory>

struct ZPLayoutNode;

struct ZPLayoutEntry {
    ZPLayoutEntry* greater; // the neighbour toward greater values, or null
    ZPLayoutEntry* lesser;  // the neighbour toward lesser values, or null
    float value;
    ZPLayoutNode* node; // the node holding this entry; set at creation, never changed
};

// Indexes into ZPLayoutNode::entries.
enum ZPLayoutEntryIndex {
    ZPLayoutMinX = 0,
    ZPLayoutMidX = 1,
    ZPLayoutMaxX = 2,
    ZPLayoutMinY = 3,
    ZPLayoutMidY = 4,
    ZPLayoutMaxY = 5,
};

struct ZPLayoutNode {
    std::shared_ptr<ZPObject> object; // held from create to destroy
    ZPLayoutEntry entries[6];         // stored inside the node: one allocation per node
};

struct ZPLayoutWeb {
    ZPLayoutEntry* xCursor; // an entry of the X list; null exactly when it is empty
    ZPLayoutEntry* yCursor; // an entry of the Y list; null exactly when it is empty
};

// Both cursors null. Throws std::bad_alloc when no memory can be had.
ZPLayoutWeb* ZPLayoutWebCreate();
// Frees the record only; every node must have been removed and destroyed before.
void ZPLayoutWebDestroy(ZPLayoutWeb* web);

// A node with no links and all values 0, holding one reference to `object`.
// Throws std::bad_alloc when no memory can be had.
ZPLayoutNode* ZPLayoutNodeCreate(std::shared_ptr<ZPObject> object);
// Drops the node's reference to its object and frees the node. The node must not be
// inserted (remove it first).
void ZPLayoutNodeDestroy(ZPLayoutNode* node);

// Stores the frame's six values and moves the node's entries toward their places in
// their lists. midX/midY are formed in double precision and rounded once; the other
// sums in single precision. A node not yet inserted only stores the values.
void ZPLayoutNodeSetFrame(ZPLayoutNode* node, const ZPRect& frame);
// (minX, minY, maxX - minX, maxY - minY), differences in single precision.
ZPRect ZPLayoutNodeFrame(const ZPLayoutNode* node);

// Links the node's X entries into the X list, then its Y entries into the Y list.
// A node is inserted into one web, once.
void ZPLayoutWebInsertNode(ZPLayoutNode* node, ZPLayoutWeb* web);
// Unlinks the node's entries, moving a cursor off each of them. The removed node
// keeps its own stale links and serves only for ZPLayoutNodeDestroy.
void ZPLayoutWebRemoveNode(ZPLayoutNode* node, ZPLayoutWeb* web);

// The hit test: a node whose closed frame (all four edges inside) contains the
// point, or null when none does. Walks the X list from xCursor and leaves the cursor
// on the hit entry, or, after a miss, at the end of the first walk's direction.
ZPLayoutNode* ZPLayoutWebNodeAtPoint(ZPLayoutWeb* web, ZPPoint point);
