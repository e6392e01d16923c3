#include "ZPLayoutUtilities.h"

#include <new>

namespace {

// Links a new entry into a list that already has entries, walking from the cursor.
// A walk passes only entries strictly beyond the new value, so equal values keep
// their order of arrival relative to the direction of approach.
void insertEntry(ZPLayoutEntry* entry, ZPLayoutEntry*& cursor) {
    const float v = entry->value;
    ZPLayoutEntry* c = cursor;
    if (c->value > v) {
        while (c->lesser != nullptr && c->lesser->value > v) {
            c = c->lesser;
            cursor = c;
        }
        entry->greater = c;
        entry->lesser = c->lesser;
        if (c->lesser != nullptr)
            c->lesser->greater = entry;
        c->lesser = entry;
    } else {
        while (c->greater != nullptr && c->greater->value < v) {
            c = c->greater;
            cursor = c;
        }
        entry->lesser = c;
        entry->greater = c->greater;
        if (c->greater != nullptr)
            c->greater->lesser = entry;
        c->greater = entry;
    }
}

void insertAxis(ZPLayoutEntry* axis, ZPLayoutEntry*& cursor) {
    ZPLayoutEntry* min = &axis[0];
    ZPLayoutEntry* mid = &axis[1];
    ZPLayoutEntry* max = &axis[2];
    if (cursor == nullptr) {
        // The first three entries form the list as they are, without comparing.
        min->greater = mid;
        mid->lesser = min;
        mid->greater = max;
        max->lesser = mid;
        cursor = mid;
        return;
    }
    insertEntry(min, cursor);
    insertEntry(mid, cursor);
    insertEntry(max, cursor);
}

void unlink(ZPLayoutEntry* entry) {
    if (entry->lesser != nullptr)
        entry->lesser->greater = entry->greater;
    if (entry->greater != nullptr)
        entry->greater->lesser = entry->lesser;
}

// Moves one entry past the neighbours it is out of order with, starting from its own
// place. The cursor needs no care: it refers to entries, and the entry moves itself.
void resortEntry(ZPLayoutEntry* entry) {
    const float v = entry->value;
    if (entry->lesser != nullptr && entry->lesser->value > v) {
        ZPLayoutEntry* p = entry->lesser;
        unlink(entry);
        while (p->lesser != nullptr && p->lesser->value > v)
            p = p->lesser;
        entry->greater = p;
        entry->lesser = p->lesser;
        if (p->lesser != nullptr)
            p->lesser->greater = entry;
        p->lesser = entry;
    } else if (entry->greater != nullptr && entry->greater->value < v) {
        ZPLayoutEntry* p = entry->greater;
        unlink(entry);
        while (p->greater != nullptr && p->greater->value < v)
            p = p->greater;
        entry->lesser = p;
        entry->greater = p->greater;
        if (p->greater != nullptr)
            p->greater->lesser = entry;
        p->greater = entry;
    }
}

void removeEntry(ZPLayoutEntry* entry, ZPLayoutEntry*& cursor) {
    unlink(entry);
    if (cursor == entry)
        cursor = entry->greater != nullptr ? entry->greater : entry->lesser;
}

float midpoint(float origin, float length) {
    return static_cast<float>(static_cast<double>(origin) + static_cast<double>(length) * 0.5);
}

bool nodeContainsPoint(const ZPLayoutNode* node, ZPPoint p) {
    const ZPLayoutEntry* e = node->entries;
    return e[ZPLayoutMinX].value <= p.x && p.x <= e[ZPLayoutMaxX].value &&
           e[ZPLayoutMinY].value <= p.y && p.y <= e[ZPLayoutMaxY].value;
}

} // namespace

ZPLayoutWeb* ZPLayoutWebCreate() {
    return new ZPLayoutWeb{};
}

void ZPLayoutWebDestroy(ZPLayoutWeb* web) {
    delete web;
}

ZPLayoutNode* ZPLayoutNodeCreate(std::shared_ptr<ZPObject> object) {
    // Value-initialised: every link null, every value 0.
    auto* node = new ZPLayoutNode{};
    node->object = std::move(object);
    for (ZPLayoutEntry& entry : node->entries)
        entry.node = node;
    return node;
}

void ZPLayoutNodeDestroy(ZPLayoutNode* node) {
    delete node;
}

void ZPLayoutNodeSetFrame(ZPLayoutNode* node, const ZPRect& frame) {
    ZPLayoutEntry* e = node->entries;
    e[ZPLayoutMinX].value = frame.x;
    e[ZPLayoutMidX].value = midpoint(frame.x, frame.width);
    e[ZPLayoutMaxX].value = frame.x + frame.width;
    resortEntry(&e[ZPLayoutMinX]);
    resortEntry(&e[ZPLayoutMidX]);
    resortEntry(&e[ZPLayoutMaxX]);
    e[ZPLayoutMinY].value = frame.y;
    e[ZPLayoutMidY].value = midpoint(frame.y, frame.height);
    e[ZPLayoutMaxY].value = frame.y + frame.height;
    resortEntry(&e[ZPLayoutMinY]);
    resortEntry(&e[ZPLayoutMidY]);
    resortEntry(&e[ZPLayoutMaxY]);
}

ZPRect ZPLayoutNodeFrame(const ZPLayoutNode* node) {
    const ZPLayoutEntry* e = node->entries;
    return ZPMakeRect(e[ZPLayoutMinX].value, e[ZPLayoutMinY].value,
                      e[ZPLayoutMaxX].value - e[ZPLayoutMinX].value,
                      e[ZPLayoutMaxY].value - e[ZPLayoutMinY].value);
}

void ZPLayoutWebInsertNode(ZPLayoutNode* node, ZPLayoutWeb* web) {
    insertAxis(&node->entries[ZPLayoutMinX], web->xCursor);
    insertAxis(&node->entries[ZPLayoutMinY], web->yCursor);
}

void ZPLayoutWebRemoveNode(ZPLayoutNode* node, ZPLayoutWeb* web) {
    for (int i = ZPLayoutMinX; i <= ZPLayoutMaxX; ++i)
        removeEntry(&node->entries[i], web->xCursor);
    for (int i = ZPLayoutMinY; i <= ZPLayoutMaxY; ++i)
        removeEntry(&node->entries[i], web->yCursor);
}

ZPLayoutNode* ZPLayoutWebNodeAtPoint(ZPLayoutWeb* web, ZPPoint point) {
    ZPLayoutEntry* start = web->xCursor;
    if (start == nullptr)
        return nullptr;
    // The direction is chosen once, from the cursor's value at the start.
    const bool descending = start->value >= point.x;
    for (ZPLayoutEntry* e = start;;) {
        if (nodeContainsPoint(e->node, point))
            return e->node;
        ZPLayoutEntry* next = descending ? e->lesser : e->greater;
        if (next == nullptr)
            break; // the cursor stays at this end of the list
        e = next;
        web->xCursor = e;
    }
    // A walk in one direction misses a containing node whose entries all lie on the
    // other side of the start (x equal to the start's value, or a list left out of
    // order by re-sorting). A click on a visible object must never read as a click on
    // empty space, so walk the other side too before answering none.
    for (ZPLayoutEntry* e = descending ? start->greater : start->lesser; e != nullptr;
         e = descending ? e->greater : e->lesser) {
        if (nodeContainsPoint(e->node, point)) {
            web->xCursor = e;
            return e->node;
        }
    }
    return nullptr;
}
