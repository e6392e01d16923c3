#include "ZPControlRenderer.h"

#include "ZPControlCells.h"
#include "ZPLayoutView.h"
#include "ZPTextEncoding.h"
#include "ZPZervControl.h"

#include <QPainter>
#include <QWidget>

#include <memory>
#include <typeinfo>

namespace {

std::unique_ptr<ZPCell>& cell() {
    static std::unique_ptr<ZPCell> shared;
    return shared;
}

int& madeCount() {
    static int made = 0;
    return made;
}

// The shared cell as a `Cell`, made anew when the current one is of another class.
// A cell of a subclass passes, except for the plain text cell, which must be exactly that.
template <typename Cell> Cell& cellOfClass(bool exactly = false) {
    std::unique_ptr<ZPCell>& shared = cell();
    const bool passes = shared && (exactly ? typeid(*shared) == typeid(Cell)
                                           : dynamic_cast<Cell*>(shared.get()) != nullptr);
    if (!passes) {
        shared = std::make_unique<Cell>();
        ++madeCount();
        if constexpr (std::is_same_v<Cell, ZPButtonCell>)
            static_cast<ZPButtonCell&>(*shared).setBezelStyle(
                ZPButtonCell::kShadowlessSquareBezelStyle);
    }
    return static_cast<Cell&>(*shared);
}

void drawPlaceholder(const ZPZervControl& control, const QRectF& frame, QPainter& painter,
                     QWidget* view) {
    const QPalette palette = view ? view->palette() : QPalette();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    // A 1.5-wide white frame just inside the rectangle.
    const qreal w = 1.5;
    QPen pen(Qt::white, w);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    QColor fill = palette.color(QPalette::Highlight);
    fill.setAlphaF(0.75f);
    painter.fillRect(frame, fill);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipRect(frame, Qt::IntersectClip);
    painter.setPen(Qt::white);
    if (view)
        painter.setFont(view->font());
    painter.drawText(frame, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     ZPControlRenderer::placeholderLabel(control));
    painter.restore();
}

} // namespace

namespace ZPControlRenderer {

ZPCell* sharedCell() {
    return cell().get();
}

int cellsMade() {
    return madeCount();
}

QString placeholderLabel(const ZPZervControl& control) {
    // The first four bytes of the record, as they stand in the file.
    const auto& bytes = control.data().bytes;
    const std::string code =
        ZPDecode8Bit(std::string_view(reinterpret_cast<const char*>(bytes.data()), 4));
    return QStringLiteral("%1:%2").arg(QString::fromStdString(code),
                                       QString::fromStdString(control.string()));
}

void drawControl(const ZPZervControl& control, const ZPRect& frame, QPainter& painter,
                 QWidget* view) {
    const QRectF rect = ZPQRectFromRect(frame);
    const QString text = QString::fromStdString(control.string());
    switch (control.tag()) {
    case ZPControlTypeButton: {
        ZPButtonCell& button = cellOfClass<ZPButtonCell>();
        button.setTitle(text);
        button.drawWithFrameInView(rect, painter, view);
        break;
    }
    case ZPControlTypeEdit:
    case ZPControlTypePassword: { // a password is shown in the clear, like any text field
        ZPTextFieldCell& field = cellOfClass<ZPTextFieldCell>();
        field.setDrawsBackground(true);
        field.setBezelStyle(ZPTextFieldCell::kSquareBezelStyle);
        field.setStringValue(text);
        field.drawWithFrameInView(rect, painter, view);
        break;
    }
    case ZPControlTypeNumber:
        cellOfClass<ZPStepperCell>().drawWithFrameInView(rect, painter, view);
        break;
    case ZPControlTypeStatic: {
        ZPCell& plain = cellOfClass<ZPCell>(true);
        plain.setStringValue(text.isEmpty() ? QStringLiteral("Static Text") : text);
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(rect, QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.5f));
        painter.restore();
        plain.drawWithFrameInView(rect, painter, view);
        break;
    }
    default:
        drawPlaceholder(control, rect, painter, view);
        break;
    }
}

} // namespace ZPControlRenderer
