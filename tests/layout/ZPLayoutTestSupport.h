// Objects, a scriptable delegate and a view that records its invalidations, shared by
// the layout view's tests. Objects are named so logs and tables read as text; nothing
// here ever dereferences an object, so a log stays valid whatever the view does.
#pragma once

#include "ZPLayoutView.h"
#include "ZPLayoutViewDelegate.h"
#include "ZPNotificationCenter.h"

#include <QColor>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <set>
#include <vector>

inline QString rectText(const ZPRect& r) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(double(r.x))
        .arg(double(r.y))
        .arg(double(r.width))
        .arg(double(r.height));
}

class TestDelegate : public ZPLayoutViewDelegate {
public:
    bool implementsFrame = true;
    bool implementsSetFrame = true;
    bool implementsShouldMove = false;
    bool implementsShouldResize = false;
    bool implementsShouldDelete = false;

    std::map<const ZPObject*, QString> names;
    std::map<const ZPObject*, ZPRect> frames;
    std::map<const ZPObject*, QColor> colors;
    std::set<const ZPObject*> refused; // answers no to every should… question for these

    QStringList log;                  // every operation sent, in order
    std::map<QString, int> questions; // capability queries asked, by operation
    std::vector<ZPRect> clipRects;    // the area passed with each draw

    QString name(const ZPObject* object) const {
        const auto found = names.find(object);
        return found != names.end() ? found->second : QStringLiteral("?");
    }

    ZPRect frameForObject(ZPObject* object) override {
        log << QStringLiteral("frame ") + name(object);
        const auto found = frames.find(object);
        return found != frames.end() ? found->second : ZPRect{};
    }
    void drawObjectClipRect(ZPObject* object, const ZPRect& clipRect, QPainter& painter) override {
        log << QStringLiteral("draw ") + name(object);
        clipRects.push_back(clipRect);
        const ZPRect f = frames[object];
        painter.fillRect(QRectF(f.x, f.y, f.width, f.height), colors[object]);
    }
    bool respondsToFrameForObject() const override { return implementsFrame; }
    bool respondsToSetFrameForObject() const override {
        ++const_cast<TestDelegate*>(this)->questions["setFrame"];
        return implementsSetFrame;
    }
    void setFrameForObject(const ZPRect& frame, ZPObject* object) override {
        log << QStringLiteral("setFrame %1 %2").arg(name(object), rectText(frame));
        frames[object] = frame;
    }
    bool respondsToShouldMoveObjectToNewFrame() const override {
        ++const_cast<TestDelegate*>(this)->questions["shouldMove"];
        return implementsShouldMove;
    }
    bool shouldMoveObjectToNewFrame(ZPObject* object, const ZPRect& frame) override {
        log << QStringLiteral("shouldMove %1 %2").arg(name(object), rectText(frame));
        return refused.count(object) == 0;
    }
    bool respondsToShouldResizeObjectToNewFrame() const override {
        ++const_cast<TestDelegate*>(this)->questions["shouldResize"];
        return implementsShouldResize;
    }
    bool shouldResizeObjectToNewFrame(ZPObject* object, const ZPRect& frame) override {
        log << QStringLiteral("shouldResize %1 %2").arg(name(object), rectText(frame));
        return refused.count(object) == 0;
    }
    bool respondsToShouldDeleteObject() const override {
        ++const_cast<TestDelegate*>(this)->questions["shouldDelete"];
        return implementsShouldDelete;
    }
    bool shouldDeleteObject(ZPObject* object) override {
        log << QStringLiteral("shouldDelete ") + name(object);
        return refused.count(object) == 0;
    }
};

class RecordingView : public ZPLayoutView {
public:
    std::vector<ZPRect> invalidated;

    QStringList invalidatedText() const {
        QStringList list;
        for (const ZPRect& r : invalidated)
            list << rectText(r);
        return list;
    }

protected:
    void setNeedsDisplayInRect(const ZPRect& rect) override {
        invalidated.push_back(rect);
        ZPLayoutView::setNeedsDisplayInRect(rect);
    }
};

// A view with its delegate and named objects, which the canvas holds as their owner.
struct Canvas {
    TestDelegate delegate;
    RecordingView view;
    std::map<QString, std::shared_ptr<ZPObject>> objects;

    Canvas() {
        view.setDelegate(&delegate);
        view.resize(400, 300);
    }

    ZPObject* make(const QString& name, const ZPRect& frame, const QColor& color = Qt::red) {
        auto object = std::make_shared<ZPObject>();
        delegate.names[object.get()] = name;
        delegate.frames[object.get()] = frame;
        delegate.colors[object.get()] = color;
        objects[name] = object;
        return object.get();
    }
    ZPObject* add(const QString& name, const ZPRect& frame, const QColor& color = Qt::red) {
        ZPObject* object = make(name, frame, color);
        view.addObject(objects[name]);
        return object;
    }
    ZPObject* operator[](const QString& name) const { return objects.at(name).get(); }

    QString selection() const {
        QStringList list;
        for (ZPObject* object : view.selectedObjects())
            list << delegate.name(object);
        return list.join(QLatin1Char(' '));
    }
    void select(const QString& names) {
        for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            view.selectObjectByExtendingSelection((*this)[name], true);
    }
    void clearLogs() {
        delegate.log.clear();
        delegate.questions.clear();
        delegate.clipRects.clear();
        view.invalidated.clear();
    }
};

// Records the view's notifications as text: "will", "did", "deleted A".
class NotificationRecorder {
public:
    explicit NotificationRecorder(const Canvas& canvas) : canvas_(canvas) {
        auto& center = ZPNotificationCenter::defaultCenter();
        center.addObserver(this, ZPLayoutViewSelectionIsChangingNotification, nullptr,
                           [this](const ZPNotification& n) { record("will", n); });
        center.addObserver(this, ZPLayoutViewSelectionDidChangeNotification, nullptr,
                           [this](const ZPNotification& n) { record("did", n); });
        center.addObserver(this, ZPLayoutViewDidDeleteObjectNotification, nullptr,
                           [this](const ZPNotification& n) {
                               notes << QStringLiteral("deleted ") +
                                            canvas_.delegate.name(
                                                static_cast<const ZPObject*>(n.object));
                           });
    }
    ~NotificationRecorder() { ZPNotificationCenter::defaultCenter().removeObserver(this); }
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    QStringList notes;
    // The selection as each selection notification saw it.
    QStringList selectionSeen;

private:
    void record(const char* what, const ZPNotification& n) {
        // Selection notifications carry the view itself.
        notes << QString::fromLatin1(what) + (n.object == static_cast<const void*>(&canvas_.view)
                                                  ? QString()
                                                  : QStringLiteral("?"));
        selectionSeen << canvas_.selection();
    }
    const Canvas& canvas_;
};
