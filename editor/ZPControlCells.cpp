#include "ZPControlCells.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QWidget>

namespace {

QStyle* styleOf(QWidget* view) {
    return view ? view->style() : QApplication::style();
}

template <typename Option> void initOption(Option& option, const QRectF& frame, QWidget* view) {
    if (view)
        option.initFrom(view);
    option.rect = frame.toAlignedRect();
    option.state |= QStyle::State_Enabled;
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
}

} // namespace

void ZPCell::drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) {
    const QPalette palette = view ? view->palette() : QApplication::palette();
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    styleOf(view)->drawItemText(&painter, frame.toAlignedRect(),
                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, palette, true,
                                stringValue(), QPalette::WindowText);
    painter.restore();
}

void ZPButtonCell::drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) {
    QStyleOptionButton option;
    initOption(option, frame, view);
    option.state |= QStyle::State_Raised;
    option.features = QStyleOptionButton::None;
    option.text = title();
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    styleOf(view)->drawControl(QStyle::CE_PushButton, &option, &painter, view);
    painter.restore();
}

void ZPTextFieldCell::drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) {
    QStyleOptionFrame option;
    initOption(option, frame, view);
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    QStyle* style = styleOf(view);
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    if (drawsBackground_)
        painter.fillRect(frame, option.palette.brush(QPalette::Base));
    style->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, view);
    const QRect text =
        style->subElementRect(QStyle::SE_LineEditContents, &option, view).adjusted(2, 0, -2, 0);
    style->drawItemText(&painter, text, Qt::AlignLeft | Qt::AlignVCenter, option.palette, true,
                        stringValue(), QPalette::Text);
    painter.restore();
}

void ZPStepperCell::drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) {
    QStyle* style = styleOf(view);
    const QRect whole = frame.toAlignedRect();
    const int upperHeight = whole.height() / 2;
    const QRect halves[2] = {
        QRect(whole.x(), whole.y(), whole.width(), upperHeight),
        QRect(whole.x(), whole.y() + upperHeight, whole.width(), whole.height() - upperHeight)};
    const QStyle::PrimitiveElement arrows[2] = {QStyle::PE_IndicatorArrowUp,
                                                QStyle::PE_IndicatorArrowDown};
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        initOption(button, halves[i], view);
        button.state |= QStyle::State_Raised;
        style->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, view);
        QStyleOption arrow;
        initOption(arrow, halves[i].adjusted(2, 2, -2, -2), view);
        style->drawPrimitive(arrows[i], &arrow, &painter, view);
    }
    painter.restore();
}
