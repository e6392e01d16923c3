// The layout view without editing: registry, selection, delegate, guides,
// invalidation and drawing.
#include "ZPLayoutTestSupport.h"

#include <QImage>
#include <QPalette>
#include <QtTest>

Q_DECLARE_METATYPE(ZPRect)

namespace {

const QColor window(255, 255, 255);
const QColor highlight(0, 0, 255);
const QColor focus = highlight.darker(150);
const QColor grey(212, 212, 212); // calibrated white 0.833

// Palette colours fixed for every colour group, so pixels do not depend on the style
// or on whether the window is active.
void usePlainPalette(QWidget& view) {
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Highlight, highlight);
    view.setPalette(palette);
}

QColor blend(const QColor& over, double alpha, const QColor& under) {
    return QColor(int(std::lround(over.red() * alpha + under.red() * (1 - alpha))),
                  int(std::lround(over.green() * alpha + under.green() * (1 - alpha))),
                  int(std::lround(over.blue() * alpha + under.blue() * (1 - alpha))));
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

#define COMPARE_PIXEL(image, x, y, expected)                                                       \
    do {                                                                                           \
        const QColor actual_ = (image).pixelColor((x), (y));                                       \
        QVERIFY2(near(actual_, (expected)),                                                        \
                 qPrintable(QStringLiteral("(%1, %2) is %3, not %4")                               \
                                .arg(x)                                                            \
                                .arg(y)                                                            \
                                .arg(actual_.name(), (expected).name())));                         \
    } while (false)

// Draws `area` of the view into an image, through the same drawing operation the
// widget's paint events use.
QImage drawArea(ZPLayoutView& view, const ZPRect& area) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    view.drawRect(area, painter);
    return image;
}

} // namespace

class TestZPLayoutView : public QObject {
    Q_OBJECT

private slots:
    void newView();
    void addObjectRegistersOnce();
    void addObjectWithoutDelegateUsesZeroFrame();
    void removeObject();
    void removeObjectNotRegisteredKeepsSelection();
    void noteObjectChangedFrame();
    void selectionOperations();
    void selectingTwiceGivesTwoEntries();
    void setDelegate_data();
    void setDelegate();
    void guidesOnlyStoreValues();
    void destructionDropsReferencesSilently();
    void drawsObjectsThenTheirMarks();
    void laterObjectCoversEarlierMarks();
    void selectionBoxIsDrawnOverEverythingDuringABoxDrag();
    void drawingIsDecidedByTheNodeFrame_data();
    void drawingIsDecidedByTheNodeFrame();
    void drawsInRegistrationOrder();
    void withoutDelegateOnlyTheBackgroundIsDrawn();
};

void TestZPLayoutView::newView() {
    ZPLayoutView view;
    QCOMPARE(view.numberOfSelectedObjects(), 0);
    QVERIFY(!view.showsVerticalGuide());
    QVERIFY(!view.showsHorizontalGuide());
    QCOMPARE(view.verticalGuidePosition(), 0.0f);
    QCOMPARE(view.horizontalGuidePosition(), 0.0f);
    QVERIFY(view.delegate() == nullptr);
    QCOMPARE(view.dragOperation(), ZPDragNone);
    QCOMPARE(view.flags(), 0u);
    QVERIFY(ZPEqualRects(view.selectionBox(), ZPRect{}));
    QVERIFY(view.clickedObject() == nullptr);
    QVERIFY(view.registeredObjects().empty());
    QVERIFY(view.testAttribute(Qt::WA_OpaquePaintEvent));
    QVERIFY(view.focusPolicy() & Qt::ClickFocus);
}

void TestZPLayoutView::addObjectRegistersOnce() {
    Canvas canvas;
    auto a = std::make_shared<ZPObject>();
    canvas.delegate.names[a.get()] = "A";
    canvas.delegate.frames[a.get()] = ZPMakeRect(10, 20, 30, 40);

    canvas.view.addObject(a);
    QVERIFY(canvas.view.isObjectRegistered(a.get()));
    QCOMPARE(a.use_count(), 2L); // the view's node holds it
    QCOMPARE(canvas.delegate.log, QStringList({"frame A", "frame A"}));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"10 20 30 40"}));
    QVERIFY(ZPEqualRects(canvas.view.nodeFrameForObject(a.get()), ZPMakeRect(10, 20, 30, 40)));

    canvas.clearLogs();
    canvas.view.addObject(a);
    QCOMPARE(a.use_count(), 2L);
    QVERIFY(canvas.delegate.log.isEmpty());
    QVERIFY(canvas.view.invalidated.empty());
    QCOMPARE(canvas.view.registeredObjects(), std::vector<ZPObject*>({a.get()}));

    canvas.view.addObject(nullptr);
    QCOMPARE(canvas.view.registeredObjects().size(), size_t(1));
}

void TestZPLayoutView::addObjectWithoutDelegateUsesZeroFrame() {
    RecordingView view;
    auto a = std::make_shared<ZPObject>();
    view.addObject(a);
    QVERIFY(view.isObjectRegistered(a.get()));
    QVERIFY(ZPEqualRects(view.nodeFrameForObject(a.get()), ZPRect{}));
    QCOMPARE(view.invalidatedText(), QStringList({"0 0 0 0"}));
}

void TestZPLayoutView::removeObject() {
    Canvas canvas;
    NotificationRecorder notes(canvas);
    ZPObject* a = canvas.add("A", ZPMakeRect(10, 20, 30, 40));
    ZPObject* b = canvas.add("B", ZPMakeRect(50, 50, 10, 10));
    canvas.select("A B A");
    // The delegate's frame moved without the view being told: the view redraws where it
    // last drew the object.
    canvas.delegate.frames[a] = ZPMakeRect(0, 0, 5, 5);
    canvas.clearLogs();

    canvas.view.removeObject(a);
    QVERIFY(!canvas.view.isObjectRegistered(a));
    QCOMPARE(canvas.objects["A"].use_count(), 1L);
    QCOMPARE(canvas.selection(), QString("B"));
    QCOMPARE(canvas.view.numberOfSelectedObjects(), 1);
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"10 20 30 40"}));
    QVERIFY(canvas.delegate.log.isEmpty());
    QVERIFY(notes.notes.isEmpty());
    QCOMPARE(canvas.view.registeredObjects(), std::vector<ZPObject*>({b}));

    // A click where the object was no longer finds it.
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(20, 30)));
    QVERIFY(canvas.view.clickedObject() == nullptr);
}

void TestZPLayoutView::removeObjectNotRegisteredKeepsSelection() {
    Canvas canvas;
    ZPObject* x = canvas.make("X", ZPMakeRect(10, 20, 30, 40));
    canvas.select("X");
    canvas.clearLogs();
    canvas.view.removeObject(x);
    QCOMPARE(canvas.selection(), QString("X"));
    QVERIFY(canvas.view.invalidated.empty());
    QVERIFY(canvas.delegate.log.isEmpty());
}

void TestZPLayoutView::noteObjectChangedFrame() {
    Canvas canvas;
    ZPObject* a = canvas.add("A", ZPMakeRect(10, 20, 30, 40));
    ZPObject* x = canvas.make("X", ZPMakeRect(0, 0, 10, 10));
    canvas.clearLogs();

    canvas.view.noteObjectChangedFrame(x, ZPMakeRect(1, 2, 3, 4));
    QVERIFY(canvas.view.invalidated.empty());
    QVERIFY(!canvas.view.isObjectRegistered(x));

    canvas.view.noteObjectChangedFrame(a, ZPMakeRect(100, 100, 20, 20));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"10 20 30 40", "100 100 20 20"}));
    QVERIFY(ZPEqualRects(canvas.view.nodeFrameForObject(a), ZPMakeRect(100, 100, 20, 20)));
    QVERIFY(canvas.delegate.log.isEmpty()); // the delegate already holds the frame

    // Hit testing follows the new frame.
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(110, 110)));
    QCOMPARE(canvas.view.clickedObject(), a);
}

void TestZPLayoutView::selectionOperations() {
    Canvas canvas;
    NotificationRecorder notes(canvas);
    ZPObject* a = canvas.add("A", ZPMakeRect(0, 0, 10, 10));
    canvas.add("B", ZPMakeRect(20, 0, 10, 10));
    ZPObject* x = canvas.add("X", ZPMakeRect(40, 0, 10, 10));
    canvas.select("A B");
    canvas.clearLogs();

    canvas.view.selectObjectByExtendingSelection(x, false);
    QCOMPARE(canvas.selection(), QString("X"));
    QCOMPARE(canvas.delegate.log, QStringList({"frame A", "frame B", "frame X"}));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"0 0 10 10", "20 0 10 10", "40 0 10 10"}));
    QVERIFY(canvas.view.isObjectSelected(x));
    QVERIFY(!canvas.view.isObjectSelected(a));

    // Deselecting an object that is not selected still redraws it.
    canvas.clearLogs();
    canvas.view.deselectObject(a);
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"0 0 10 10"}));
    QCOMPARE(canvas.selection(), QString("X"));

    canvas.view.selectObjectByExtendingSelection(a, true);
    canvas.clearLogs();
    canvas.view.deselectAllObjects();
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"40 0 10 10", "0 0 10 10"}));
    QCOMPARE(canvas.view.numberOfSelectedObjects(), 0);

    // Any object may be selected, registered or not.
    ZPObject* loose = canvas.make("L", ZPMakeRect(5, 5, 1, 1));
    canvas.view.selectObjectByExtendingSelection(loose, false);
    QCOMPARE(canvas.selection(), QString("L"));

    QVERIFY(notes.notes.isEmpty()); // only clicks announce selection changes
}

void TestZPLayoutView::selectingTwiceGivesTwoEntries() {
    Canvas canvas;
    ZPObject* x = canvas.add("X", ZPMakeRect(0, 0, 10, 10));
    canvas.add("Y", ZPMakeRect(20, 0, 10, 10));
    canvas.select("X Y X");
    QCOMPARE(canvas.view.numberOfSelectedObjects(), 3);
    QCOMPARE(canvas.selection(), QString("X Y X"));
    canvas.view.deselectObject(x);
    QCOMPARE(canvas.selection(), QString("Y"));
    canvas.view.selectObjectByExtendingSelection(x, false);
    canvas.view.selectObjectByExtendingSelection(x, false);
    QCOMPARE(canvas.selection(), QString("X"));
}

void TestZPLayoutView::setDelegate_data() {
    QTest::addColumn<bool>("hasFirst");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first delegate") << false << "second"
                                    << "second";
    QTest::newRow("replaced") << true << "second"
                              << "second";
    QTest::newRow("same delegate again") << true << "first"
                                         << "first";
    QTest::newRow("refused without frameForObject") << true << "frameless"
                                                    << "first";
    QTest::newRow("refused without frameForObject, none set") << false << "frameless"
                                                              << "none";
    QTest::newRow("cannot be cleared") << true << "none"
                                       << "first";
}

void TestZPLayoutView::setDelegate() {
    QFETCH(bool, hasFirst);
    QFETCH(QString, offered);
    QFETCH(QString, expected);
    TestDelegate first;
    TestDelegate second;
    TestDelegate frameless;
    frameless.implementsFrame = false;
    const std::map<QString, ZPLayoutViewDelegate*> delegates = {
        {"first", &first}, {"second", &second}, {"frameless", &frameless}, {"none", nullptr}};

    RecordingView view;
    if (hasFirst)
        view.setDelegate(&first);
    auto a = std::make_shared<ZPObject>();
    first.frames[a.get()] = ZPMakeRect(1, 2, 3, 4);
    second.frames[a.get()] = ZPMakeRect(5, 6, 7, 8);
    view.addObject(a);
    const ZPRect nodeFrame = view.nodeFrameForObject(a.get());
    view.invalidated.clear();

    view.setDelegate(delegates.at(offered));
    QCOMPARE(view.delegate(), delegates.at(expected));
    // Nothing is redrawn and registered objects keep their node frames.
    QVERIFY(view.invalidated.empty());
    QVERIFY(ZPEqualRects(view.nodeFrameForObject(a.get()), nodeFrame));
}

void TestZPLayoutView::guidesOnlyStoreValues() {
    Canvas canvas;
    usePlainPalette(canvas.view);
    canvas.add("A", ZPMakeRect(10, 10, 100, 50));
    canvas.select("A");
    const QImage before = canvas.view.grab().toImage();
    canvas.clearLogs();

    canvas.view.setShowsVerticalGuide(true);
    canvas.view.setShowsHorizontalGuide(true);
    canvas.view.setVerticalGuidePosition(30);
    canvas.view.setHorizontalGuidePosition(40);
    QVERIFY(canvas.view.showsVerticalGuide());
    QVERIFY(canvas.view.showsHorizontalGuide());
    QVERIFY(ZPEqualPoints(canvas.view.guideConvergencePoint(), ZPMakePoint(30, 40)));
    canvas.view.setGuideConvergencePoint(ZPMakePoint(50, 25));
    QCOMPARE(canvas.view.verticalGuidePosition(), 50.0f);
    QCOMPARE(canvas.view.horizontalGuidePosition(), 25.0f);
    QCOMPARE(canvas.view.flags(), uint32_t(ZPShowsVerticalGuide | ZPShowsHorizontalGuide));
    QVERIFY(canvas.view.invalidated.empty());
    QCOMPARE(canvas.view.grab().toImage(), before);

    // Editing leaves the guide bits alone.
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(12, 30)));
    QCOMPARE(canvas.view.flags() & (ZPShowsVerticalGuide | ZPShowsHorizontalGuide),
             uint32_t(ZPShowsVerticalGuide | ZPShowsHorizontalGuide));
    canvas.view.setShowsVerticalGuide(false);
    QVERIFY(!canvas.view.showsVerticalGuide());
    QVERIFY(canvas.view.showsHorizontalGuide());
}

void TestZPLayoutView::destructionDropsReferencesSilently() {
    TestDelegate delegate;
    int posted = 0;
    const int observer = 0;
    ZPNotificationCenter::defaultCenter().addObserver(
        &observer, ZPLayoutViewDidDeleteObjectNotification, nullptr,
        [&](const ZPNotification&) { ++posted; });
    auto a = std::make_shared<ZPObject>();
    auto b = std::make_shared<ZPObject>();
    {
        ZPLayoutView view;
        view.setDelegate(&delegate);
        view.addObject(a);
        view.addObject(b);
        view.selectObjectByExtendingSelection(a.get(), false);
        QCOMPARE(a.use_count(), 2L);
        delegate.log.clear();
    }
    QCOMPARE(a.use_count(), 1L);
    QCOMPARE(b.use_count(), 1L);
    QVERIFY(delegate.log.isEmpty());
    QCOMPARE(posted, 0);
    ZPNotificationCenter::defaultCenter().removeObserver(&observer);
}

void TestZPLayoutView::drawsObjectsThenTheirMarks() {
    Canvas canvas;
    usePlainPalette(canvas.view);
    canvas.add("A", ZPMakeRect(10, 10, 100, 50), Qt::red);
    canvas.add("B", ZPMakeRect(200, 10, 50, 50), Qt::green);
    canvas.select("A");
    const QImage image = canvas.view.grab().toImage();

    COMPARE_PIXEL(image, 5, 5, window);
    COMPARE_PIXEL(image, 225, 35, QColor(Qt::green));              // unselected: no marks
    COMPARE_PIXEL(image, 50, 30, blend(highlight, 0.65, Qt::red)); // tinted
    COMPARE_PIXEL(image, 10, 30, focus);                           // outline just inside the frame
    COMPARE_PIXEL(image, 11, 30, focus);
    COMPARE_PIXEL(image, 109, 30, focus);
    COMPARE_PIXEL(image, 50, 10, focus);
    COMPARE_PIXEL(image, 50, 59, focus);
    COMPARE_PIXEL(image, 9, 30, window); // nothing outside it
    COMPARE_PIXEL(image, 110, 30, window);
}

void TestZPLayoutView::laterObjectCoversEarlierMarks() {
    Canvas canvas;
    usePlainPalette(canvas.view);
    canvas.add("A", ZPMakeRect(10, 10, 100, 50), Qt::red);
    canvas.add("B", ZPMakeRect(60, 20, 100, 20), Qt::green);
    canvas.select("A");
    const QImage image = canvas.view.grab().toImage();
    COMPARE_PIXEL(image, 80, 30, QColor(Qt::green));
    COMPARE_PIXEL(image, 30, 30, blend(highlight, 0.65, Qt::red));
}

void TestZPLayoutView::selectionBoxIsDrawnOverEverythingDuringABoxDrag() {
    Canvas canvas;
    usePlainPalette(canvas.view);
    canvas.add("A", ZPMakeRect(10, 10, 100, 50), Qt::red);
    canvas.add("B", ZPMakeRect(120, 10, 50, 50), Qt::green);
    canvas.select("A");
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(200, 100), ZPCommandKeyMask));
    canvas.view.mouseDragged(ZPEvent::mouse(ZPMakePoint(50, 30)));
    QCOMPARE(canvas.view.dragOperation(), ZPDragSelect);

    QImage image = canvas.view.grab().toImage();
    // The box (50, 30, 150, 70) tints what lies under it, marks included.
    COMPARE_PIXEL(image, 70, 40, blend(highlight, 0.5, blend(highlight, 0.65, Qt::red)));
    COMPARE_PIXEL(image, 140, 40, blend(highlight, 0.5, Qt::green));
    COMPARE_PIXEL(image, 150, 80, blend(highlight, 0.5, window));
    // Its 1-unit grey outline replaces everything, the object's colour too.
    COMPARE_PIXEL(image, 140, 30, grey);
    COMPARE_PIXEL(image, 199, 80, grey);
    COMPARE_PIXEL(image, 140, 31, blend(highlight, 0.5, Qt::green));

    canvas.view.mouseUp(ZPEvent::mouse(ZPMakePoint(50, 30)));
    image = canvas.view.grab().toImage();
    COMPARE_PIXEL(image, 140, 30, QColor(Qt::green));
    COMPARE_PIXEL(image, 150, 80, window);
}

void TestZPLayoutView::drawingIsDecidedByTheNodeFrame_data() {
    QTest::addColumn<ZPRect>("nodeFrame");
    QTest::addColumn<ZPRect>("area");
    QTest::addColumn<bool>("drawn");

    const ZPRect frame = ZPMakeRect(10, 10, 100, 50);
    QTest::newRow("overlapping") << frame << ZPMakeRect(100, 50, 50, 50) << true;
    QTest::newRow("touching the right edge") << frame << ZPMakeRect(110, 0, 50, 100) << false;
    QTest::newRow("touching the bottom edge") << frame << ZPMakeRect(0, 60, 200, 50) << false;
    QTest::newRow("touching the left edge") << frame << ZPMakeRect(0, 0, 10, 100) << false;
    QTest::newRow("overlapping by a fraction") << frame << ZPMakeRect(109.5f, 0, 50, 100) << true;
    QTest::newRow("zero width") << ZPMakeRect(10, 10, 0, 50) << ZPMakeRect(0, 0, 200, 200) << false;
    QTest::newRow("negative height")
        << ZPMakeRect(10, 10, 50, -5) << ZPMakeRect(0, 0, 200, 200) << false;
}

void TestZPLayoutView::drawingIsDecidedByTheNodeFrame() {
    QFETCH(ZPRect, nodeFrame);
    QFETCH(ZPRect, area);
    QFETCH(bool, drawn);
    Canvas canvas;
    ZPObject* a = canvas.add("A", nodeFrame);
    canvas.select("A");
    // The delegate's own frame is elsewhere: only the view's copy counts.
    canvas.delegate.frames[a] = ZPMakeRect(0, 0, 400, 300);
    canvas.clearLogs();
    drawArea(canvas.view, area);
    QCOMPARE(canvas.delegate.log, drawn ? QStringList({"draw A"}) : QStringList());
    if (drawn) {
        // The whole area is passed, not its intersection with the object.
        QVERIFY(ZPEqualRects(canvas.delegate.clipRects.at(0), area));
    }
}

void TestZPLayoutView::drawsInRegistrationOrder() {
    Canvas canvas;
    usePlainPalette(canvas.view);
    canvas.add("C", ZPMakeRect(10, 10, 50, 50), Qt::blue);
    canvas.add("A", ZPMakeRect(20, 20, 50, 50), Qt::red);
    canvas.add("B", ZPMakeRect(30, 30, 50, 50), Qt::green);
    canvas.view.removeObject(canvas["A"]);
    canvas.view.addObject(canvas.objects["A"]);
    ZPObject* loose = canvas.make("L", ZPMakeRect(200, 200, 50, 50), Qt::yellow);
    canvas.view.selectObjectByExtendingSelection(loose, false);
    canvas.clearLogs();

    const QImage image = drawArea(canvas.view, ZPMakeRect(0, 0, 400, 300));
    QCOMPARE(canvas.delegate.log, QStringList({"draw C", "draw B", "draw A"}));
    COMPARE_PIXEL(image, 45, 45, QColor(Qt::red)); // drawn last, on top
    // A selected object that is not registered is neither drawn nor marked.
    COMPARE_PIXEL(image, 220, 220, window);
}

void TestZPLayoutView::withoutDelegateOnlyTheBackgroundIsDrawn() {
    ZPLayoutView view;
    usePlainPalette(view);
    view.resize(100, 100);
    auto a = std::make_shared<ZPObject>();
    view.addObject(a);
    view.selectObjectByExtendingSelection(a.get(), false);
    const QImage image = view.grab().toImage();
    COMPARE_PIXEL(image, 0, 0, window);
    COMPARE_PIXEL(image, 50, 50, window);
}

QTEST_MAIN(TestZPLayoutView)
#include "tst_ZPLayoutView.moc"
