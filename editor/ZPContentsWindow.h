// A document's contents window. Its content area (below whatever menu bar the window
// carries) is the dialog: the canvas sits in it at exactly the dialog's size, inside a
// scroll area so that a dialog larger than the screen stays reachable.
//
// Only a resize the user makes may change the dialog. Sizes the system imposes while
// the window is being opened (a window manager fitting it to the screen or enforcing
// a minimum), and the window's own sizing to the dialog, never reach the document.
#pragma once

#include "ZPGeometry.h"

#include <QMainWindow>

class QScrollArea;

class ZPContentsWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ZPContentsWindow(QWidget* parent = nullptr);

    // The canvas shown in the content area; the window does not own it beyond Qt's
    // parent-child ownership.
    void setCanvas(QWidget* canvas);
    QWidget* canvas() const { return canvas_; }

    // Sizes the canvas to `size` (truncated like the dialog's bounds; negative as 0)
    // and the window so that its content area shows it. Sends no contentSizeChanged.
    void setContentSize(ZPSize size);
    // The size of the content area.
    QSize contentSize() const;

    // Whether resizes are taken as the user's: once the window has been shown, has
    // settled, and the user has worked in it (clicked, typed or scrolled), since a
    // window manager may still fit a newly shown window to its rules.
    bool acceptsUserResizes() const { return settled_ && hadUserInput_; }
    // Milliseconds after the first show before resizes count as the user's.
    static constexpr int kSettleMilliseconds = 400;

signals:
    // The user resized the window; the content area has this new size.
    void contentSizeChanged(QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int chromeHeight(int width) const;

    QScrollArea* scrollArea_ = nullptr;
    QWidget* canvas_ = nullptr;
    bool applyingContentSize_ = false;
    bool settled_ = false;
    bool hadUserInput_ = false;
    bool settleScheduled_ = false;
};
