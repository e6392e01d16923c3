// The drawing cells of the canvas: light objects that draw one kind of control in a
// rectangle with the user's desktop style. ZPCell itself is the plain text cell; the
// others derive from it, so "is it a button cell" includes subclasses while the
// plain text cell is matched by its exact class.
#pragma once

#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

class ZPCell {
public:
    ZPCell() = default;
    explicit ZPCell(const QString& text) : stringValue_(text) {}
    virtual ~ZPCell() = default;

    QString stringValue() const { return stringValue_; }
    void setStringValue(const QString& text) { stringValue_ = text; }

    // Draws the cell in `frame` of `view` (whose style and palette it uses).
    virtual void drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view);

private:
    QString stringValue_;
};

// A push button. Bezel style 6 is the square, shadowless bezel.
class ZPButtonCell : public ZPCell {
public:
    static constexpr int kShadowlessSquareBezelStyle = 6;

    int bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(int style) { bezelStyle_ = style; }
    QString title() const { return stringValue(); }
    void setTitle(const QString& title) { setStringValue(title); }

    void drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) override;

private:
    int bezelStyle_ = 0;
};

// A one-line text field. Bezel style 0 is the square bezel.
class ZPTextFieldCell : public ZPCell {
public:
    static constexpr int kSquareBezelStyle = 0;

    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws) { drawsBackground_ = draws; }
    int bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(int style) { bezelStyle_ = style; }

    void drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) override;

private:
    bool drawsBackground_ = false;
    int bezelStyle_ = kSquareBezelStyle;
};

// A stepper: an up and a down arrow button, one above the other.
class ZPStepperCell : public ZPCell {
public:
    void drawWithFrameInView(const QRectF& frame, QPainter& painter, QWidget* view) override;
};
