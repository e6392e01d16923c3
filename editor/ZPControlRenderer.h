// Draws one control on the canvas by its type code: a push button, a text field, a
// stepper, a static text, or a labelled placeholder for every other type. One
// drawing cell serves every document; it is replaced only when a control needs a
// cell of another class.
#pragma once

#include "ZPGeometry.h"

#include <QString>

class QPainter;
class QWidget;
class ZPCell;
class ZPZervControl;

namespace ZPControlRenderer {

// Draws `control` whole in `frame` (its frame on the canvas) of `view`.
void drawControl(const ZPZervControl& control, const ZPRect& frame, QPainter& painter,
                 QWidget* view);

// The shared cell as it stands (null before the first draw that needs one).
ZPCell* sharedCell();
// How many cells have been made so far.
int cellsMade();

// The placeholder's label: the type code's four characters, a colon, and the text.
QString placeholderLabel(const ZPZervControl& control);

} // namespace ZPControlRenderer
