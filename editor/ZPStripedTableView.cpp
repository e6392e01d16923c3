#include "ZPStripedTableView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QTableView>
#include <QTreeView>

#include <cmath>
#include <limits>

namespace ZPStripedTableView {

const QColor& stripeColor() {
    static const QColor color = QColor::fromRgbF(237.0f / 255.0f, 242.0f / 255.0f, 1.0f, 1.0f);
    return color;
}

std::vector<ZPRect> stripeRects(float rowHeight, float spacing, const ZPRect& clip) {
    std::vector<ZPRect> stripes;
    const float stride = rowHeight + spacing;
    if (!(stride > 0.0f))
        return stripes;
    const float first = std::trunc(clip.y / stride);
    // Saturate before converting: a float beyond int's range is undefined as an int.
    long long row =
        first >= float(std::numeric_limits<int>::max())
            ? std::numeric_limits<int>::max()
            : (first <= float(std::numeric_limits<int>::min()) ? std::numeric_limits<int>::min()
                                                               : static_cast<long long>(first));
    if (row % 2 == 0)
        ++row;
    ZPRect stripe = ZPMakeRect(clip.x, float(row) * stride, clip.width, stride);
    const float bottom = clip.y + clip.height;
    while (stripe.y < bottom) {
        stripes.push_back(stripe);
        const float next = float(double(stripe.y) + 2.0 * double(stride));
        if (!(next > stripe.y))
            break; // the stride vanished in the float's precision
        stripe.y = next;
    }
    return stripes;
}

namespace {

// Row height and the y of row 0 in viewport coordinates (negative when scrolled).
bool rowGeometry(QAbstractItemView* view, float& rowHeight, float& spacing, float& top) {
    spacing = 0.0f;
    top = 0.0f;
    QAbstractItemModel* model = view->model();
    const bool hasRows = model && model->rowCount(view->rootIndex()) > 0;
    if (auto* table = qobject_cast<QTableView*>(view)) {
        rowHeight = float(table->verticalHeader()->defaultSectionSize());
        if (hasRows)
            top = float(table->rowViewportPosition(0));
        return true;
    }
    if (qobject_cast<QTreeView*>(view)) {
        if (hasRows) {
            const QRect first = view->visualRect(model->index(0, 0, view->rootIndex()));
            if (first.height() > 0) {
                rowHeight = float(first.height());
                top = float(first.top());
                view->setProperty("zpStripeRowHeight", rowHeight);
                return true;
            }
        }
        const QVariant known = view->property("zpStripeRowHeight");
        rowHeight = known.isValid() ? known.toFloat() : float(view->fontMetrics().height() + 4);
        return true;
    }
    return false;
}

class StripePainter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        auto* viewport = qobject_cast<QWidget*>(watched);
        auto* view =
            viewport ? qobject_cast<QAbstractItemView*>(viewport->parentWidget()) : nullptr;
        if (!view || view->viewport() != viewport)
            return false;
        float rowHeight = 0, spacing = 0, top = 0;
        if (!rowGeometry(view, rowHeight, spacing, top))
            return false;
        // The clip in content coordinates, where row 0 starts at 0.
        const QRect area = static_cast<QPaintEvent*>(event)->rect();
        const ZPRect clip = ZPMakeRect(float(area.x()), float(area.y()) - top, float(area.width()),
                                       float(area.height()));
        QPainter painter(viewport);
        painter.setClipRect(area);
        for (const ZPRect& s : stripeRects(rowHeight, spacing, clip))
            painter.fillRect(QRectF(s.x, s.y + top, s.width, s.height), stripeColor());
        return false; // the view paints its rows and selection over the stripes
    }
};

} // namespace

void install(QApplication& application) {
    static StripePainter* painter = nullptr;
    if (painter)
        return;
    painter = new StripePainter(&application);
    application.installEventFilter(painter);
}

} // namespace ZPStripedTableView
