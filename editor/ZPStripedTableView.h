// Alternate-row stripes for every table and tree view of the application, the
// hierarchy list included, with no code in the views themselves: an application-wide
// event filter paints the stripes under each view's rows just before the view paints
// them, then lets the view draw its rows and selection over them. Stripes continue
// below the last row and fill an empty list.
#pragma once

#include "ZPGeometry.h"

#include <QColor>

#include <vector>

class QApplication;

namespace ZPStripedTableView {

// Makes every QTreeView and QTableView of the process striped. Call once, first thing.
void install(QApplication& application);

// The stripe colour, made on first use and kept for the life of the process.
const QColor& stripeColor();

// The stripes that meet `clip` (in the view's content coordinates, y growing downward)
// for rows of `rowHeight` with `spacing` below each: odd rows only, each one stride
// high. None when the stride is not positive.
std::vector<ZPRect> stripeRects(float rowHeight, float spacing, const ZPRect& clip);

} // namespace ZPStripedTableView
