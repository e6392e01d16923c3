#include "ZPContentsWindow.h"

#include <QLayout>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

int contentExtent(float v) {
    // Like the dialog's bounds: truncate toward zero; nothing below zero.
    if (!(v > 0.0f))
        return 0;
    return v >= float(QWIDGETSIZE_MAX) ? QWIDGETSIZE_MAX : int(std::trunc(v));
}

} // namespace

ZPContentsWindow::ZPContentsWindow(QWidget* parent) : QMainWindow(parent) {
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollArea_->setBackgroundRole(QPalette::Dark);
    scrollArea_->setMinimumSize(0, 0);
    setCentralWidget(scrollArea_);
    // No minimum size from the menu bar or the layout may force a size on the dialog.
    if (layout())
        layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);
}

void ZPContentsWindow::setCanvas(QWidget* canvas) {
    canvas_ = canvas;
    scrollArea_->setWidget(canvas);
    canvas->installEventFilter(this);
    scrollArea_->viewport()->installEventFilter(this);
}

bool ZPContentsWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        hadUserInput_ = true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

int ZPContentsWindow::chromeHeight(int width) const {
    // What the window needs above its content area: the menu bar, at this width.
    const QWidget* bar = menuWidget();
    if (!bar || bar->isHidden())
        return 0;
    const int h = bar->heightForWidth(width);
    return h >= 0 ? h : bar->sizeHint().height();
}

QSize ZPContentsWindow::contentSize() const {
    // From the window's own size, which is right even before a hidden window's layout ran.
    return QSize(width(), std::max(0, height() - chromeHeight(width())));
}

void ZPContentsWindow::setContentSize(ZPSize size) {
    const QSize wanted(contentExtent(size.width), contentExtent(size.height));
    applyingContentSize_ = true;
    if (canvas_)
        canvas_->setFixedSize(wanted);
    resize(wanted.width(), wanted.height() + chromeHeight(wanted.width()));
    applyingContentSize_ = false;
}

void ZPContentsWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (settleScheduled_)
        return;
    settleScheduled_ = true;
    QTimer::singleShot(kSettleMilliseconds, this, [this] { settled_ = true; });
}

void ZPContentsWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (applyingContentSize_ || !acceptsUserResizes() || !isVisible())
        return;
    const QSize content = contentSize();
    if (canvas_ && canvas_->size() == content)
        return;
    emit contentSizeChanged(content);
}
