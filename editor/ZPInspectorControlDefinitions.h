// The control definitions list behind the inspector's type menu: an XML property
// list whose root array holds one dictionary per known control type, with the keys
// "Title" (the menu item's title) and "Tag" (the type code's numeric value).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

struct ZPControlDefinition {
    QString title;
    uint32_t tag = 0;
};

// The list's elements in order. A missing "Title" gives an empty title, a missing or
// non-integer "Tag" gives tag 0, and an element that is not a dictionary gives no item.
// A list that is not well-formed, or whose root is not an array, gives no items at all.
QList<ZPControlDefinition> ZPParseControlDefinitions(const QByteArray& xml);

// Reads and parses the list at `path` (a file or a ":/" resource); none when unreadable.
QList<ZPControlDefinition> ZPReadControlDefinitions(const QString& path);
