// Mouse and keyboard editing of the layout view, driven through ZPEvent where exact
// coordinates matter and through real Qt events for the translation.
#include "ZPLayoutTestSupport.h"

#include <QtTest>

Q_DECLARE_METATYPE(ZPRect)

namespace {

constexpr uint32_t resizeBits = ZPResizeLeft | ZPResizeRight | ZPResizeTop | ZPResizeBottom;

QString stateName(ZPDragOperation operation) {
    switch (operation) {
    case ZPDragNone:
        return "none";
    case ZPDragSelect:
        return "select";
    case ZPDragMove:
        return "move";
    case ZPDragResize:
        return "resize";
    }
    return "?";
}

QString bitsName(uint32_t flags) {
    QString text;
    if (flags & ZPResizeLeft)
        text += 'L';
    if (flags & ZPResizeRight)
        text += 'R';
    if (flags & ZPResizeTop)
        text += 'T';
    if (flags & ZPResizeBottom)
        text += 'B';
    return text;
}

// Runs events given as "down x y", "cmddown x y", "drag x y dx dy", "up x y",
// "key code", "cmdkey code", separated by ';'.
void runEvents(ZPLayoutView& view, const QString& script) {
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        const QStringList w = step.split(' ', Qt::SkipEmptyParts);
        const auto f = [&](int i) { return w.at(i).toFloat(); };
        const QString& kind = w.at(0);
        if (kind == "down" || kind == "cmddown")
            view.mouseDown(
                ZPEvent::mouse(ZPMakePoint(f(1), f(2)), kind == "cmddown" ? ZPCommandKeyMask : 0));
        else if (kind == "drag")
            view.mouseDragged(ZPEvent::mouse(ZPMakePoint(f(1), f(2)), 0, f(3), f(4)));
        else if (kind == "up")
            view.mouseUp(ZPEvent::mouse(ZPMakePoint(f(1), f(2))));
        else if (kind == "key" || kind == "cmdkey")
            view.keyDown(
                ZPEvent::key(uint16_t(w.at(1).toUInt()), kind == "cmdkey" ? ZPCommandKeyMask : 0));
        else
            QTest::qFail(qPrintable("bad event: " + step), __FILE__, __LINE__);
    }
}

QStringList setFrames(const TestDelegate& delegate) {
    QStringList list;
    for (const QString& entry : delegate.log)
        if (entry.startsWith("setFrame"))
            list << entry;
    return list;
}

// A (10, 10, 100, 50) wide, B (200, 10, 6, 40) narrow, C (300, 100, 40, 40); nothing at
// (150, 150).
struct EditingCanvas : Canvas {
    EditingCanvas() {
        add("A", ZPMakeRect(10, 10, 100, 50));
        add("B", ZPMakeRect(200, 10, 6, 40));
        add("C", ZPMakeRect(300, 100, 40, 40));
    }
};

} // namespace

class TestZPLayoutViewEditing : public QObject {
    Q_OBJECT

private slots:
    void stateTable_data();
    void stateTable();
    void edgeBand_data();
    void edgeBand();
    void resizeKeepsObjectsVisible_data();
    void resizeKeepsObjectsVisible();
    void storedNegativeFrameIsLeftAlone();
    void clickOnAnObjectBehindTheCursorFindsIt();
    void selectionNotificationsWrapTheChange();
    void boxDragIsFeedbackOnly();
    void moveStepsUseTheDelegatesCurrentFrame();
    void refusedMoveLeavesOnlyThatObject();
    void refusedResizeDropsTheStep();
    void deleteAsksAndAnnouncesEachObject();
    void deleteSkipsObjectsRemovedMeanwhile();
    void resizeOfAnObjectRemovedMidDragDoesNothing();
    void optionalOperationsAskedOncePerEvent();
    void withoutSetFrameKeysSendNothing();
    void qtMouseDragMovesByPointerDeltas();
    void qtControlClickIsCommandClick();
    void qtKeys_data();
    void qtKeys();
};

void TestZPLayoutViewEditing::stateTable_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("setFrame");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("changes");

    // Mouse-down, from any state.
    QTest::newRow("Command-click adds an unselected object") << "B" << true << "cmddown 50 30"
                                                             << "none"
                                                             << "B A"
                                                             << "will, did"
                                                             << "A"
                                                             << ""
                                                             << "";
    QTest::newRow("Command-click removes a selected object") << "A B" << true << "cmddown 50 30"
                                                             << "none"
                                                             << "B"
                                                             << "will, did"
                                                             << "A"
                                                             << ""
                                                             << "";
    QTest::newRow("Command-click on empty space starts a box, keeps the selection")
        << "A" << true << "cmddown 150 150"
        << "select"
        << "A"
        << ""
        << "-"
        << ""
        << "";
    QTest::newRow("click selects an unselected object alone") << "B C" << true << "down 50 30"
                                                              << "move"
                                                              << "A"
                                                              << "will, did"
                                                              << "A"
                                                              << ""
                                                              << "";
    QTest::newRow("click selects, no drag without setFrame") << "B" << false << "down 50 30"
                                                             << "none"
                                                             << "A"
                                                             << "will, did"
                                                             << "A"
                                                             << ""
                                                             << "";
    QTest::newRow("click on a selected object without setFrame") << "B A" << false << "down 50 30"
                                                                 << "none"
                                                                 << "B A"
                                                                 << ""
                                                                 << "A"
                                                                 << ""
                                                                 << "";
    QTest::newRow("click in the move area keeps the selection") << "B A" << true << "down 50 30"
                                                                << "move"
                                                                << "B A"
                                                                << ""
                                                                << "A"
                                                                << ""
                                                                << "";
    QTest::newRow("click in the edge band starts a resize") << "A" << true << "down 12 30"
                                                            << "resize"
                                                            << "A"
                                                            << ""
                                                            << "A"
                                                            << "L"
                                                            << "";
    QTest::newRow("click on empty space clears the selection") << "A B" << true << "down 150 150"
                                                               << "select"
                                                               << ""
                                                               << "will, did"
                                                               << "-"
                                                               << ""
                                                               << "";
    QTest::newRow("click on empty space with nothing selected") << "" << true << "down 150 150"
                                                                << "select"
                                                                << ""
                                                                << ""
                                                                << "-"
                                                                << ""
                                                                << "";
    QTest::newRow("mouse-down ignores the state it finds")
        << "A" << true << "cmddown 150 150; down 50 30"
        << "move"
        << "A"
        << ""
        << "A"
        << ""
        << "";

    // Mouse-dragged, by state.
    QTest::newRow("drag after a Command-click does nothing")
        << "" << true << "cmddown 50 30; drag 60 40 10 10"
        << "none"
        << "A"
        << "will, did"
        << "A"
        << ""
        << "";
    QTest::newRow("drag without setFrame does nothing")
        << "" << false << "down 50 30; drag 60 40 10 10"
        << "none"
        << "A"
        << "will, did"
        << "A"
        << ""
        << "";
    QTest::newRow("box drag changes no frame") << "" << true << "down 150 150; drag 20 20 -130 -130"
                                               << "select"
                                               << ""
                                               << ""
                                               << "-"
                                               << ""
                                               << "";
    QTest::newRow("clicked object moves at once") << "" << true << "down 50 30; drag 60 35 10 5"
                                                  << "move"
                                                  << "A"
                                                  << "will, did"
                                                  << "A"
                                                  << ""
                                                  << "setFrame A 20 15 100 50";
    QTest::newRow("move drag moves every selected object in selection order")
        << "C A" << true << "down 50 30; drag 51 29 1 -1"
        << "move"
        << "C A"
        << ""
        << "A"
        << ""
        << "setFrame C 301 99 40 40, setFrame A 11 9 100 50";
    QTest::newRow("resize drag follows the pointer") << "A" << true << "down 12 30; drag 5 33 -7 3"
                                                     << "resize"
                                                     << "A"
                                                     << ""
                                                     << "A"
                                                     << "L"
                                                     << "setFrame A 5 10 105 50";

    // Mouse-up, by state.
    QTest::newRow("mouse-up ends a box drag")
        << "" << true << "down 150 150; drag 120 180 -30 30; up 120 180"
        << "none"
        << ""
        << ""
        << "-"
        << ""
        << "";
    QTest::newRow("mouse-up ends a move drag") << "" << true << "down 50 30; up 50 30"
                                               << "none"
                                               << "A"
                                               << "will, did"
                                               << "-"
                                               << ""
                                               << "";
    QTest::newRow("mouse-up ends a resize drag, the edges stay")
        << "A" << true << "down 12 30; up 12 30"
        << "none"
        << "A"
        << ""
        << "-"
        << "L"
        << "";
    QTest::newRow("no drag after mouse-up")
        << "" << true << "down 50 30; up 50 30; drag 60 40 10 10"
        << "none"
        << "A"
        << "will, did"
        << "-"
        << ""
        << "";

    // Key-down never changes the state.
    QTest::newRow("Delete removes the selection") << "C A" << true << "key 51"
                                                  << "none"
                                                  << ""
                                                  << "deleted C, deleted A"
                                                  << "-"
                                                  << ""
                                                  << "";
    QTest::newRow("Delete with nothing selected") << "" << true << "key 51"
                                                  << "none"
                                                  << ""
                                                  << ""
                                                  << "-"
                                                  << ""
                                                  << "";
    QTest::newRow("Left arrow") << "A" << true << "key 123"
                                << "none"
                                << "A"
                                << ""
                                << "-"
                                << ""
                                << "setFrame A 9 10 100 50";
    QTest::newRow("Right arrow") << "A" << true << "key 124"
                                 << "none"
                                 << "A"
                                 << ""
                                 << "-"
                                 << ""
                                 << "setFrame A 11 10 100 50";
    QTest::newRow("Down arrow grows y") << "A" << true << "key 125"
                                        << "none"
                                        << "A"
                                        << ""
                                        << "-"
                                        << ""
                                        << "setFrame A 10 11 100 50";
    QTest::newRow("Up arrow") << "A C" << true << "key 126"
                              << "none"
                              << "A C"
                              << ""
                              << "-"
                              << ""
                              << "setFrame A 10 9 100 50, setFrame C 300 99 40 40";
    QTest::newRow("Command-Up moves by one too") << "A" << true << "cmdkey 126"
                                                 << "none"
                                                 << "A"
                                                 << ""
                                                 << "-"
                                                 << ""
                                                 << "setFrame A 10 9 100 50";
    QTest::newRow("arrow during a move drag keeps the drag") << "" << true << "down 50 30; key 124"
                                                             << "move"
                                                             << "A"
                                                             << "will, did"
                                                             << "A"
                                                             << ""
                                                             << "setFrame A 11 10 100 50";
    QTest::newRow("arrow with nothing selected") << "" << true << "key 124"
                                                 << "none"
                                                 << ""
                                                 << ""
                                                 << "-"
                                                 << ""
                                                 << "";
    QTest::newRow("arrow without setFrame") << "A" << false << "key 124"
                                            << "none"
                                            << "A"
                                            << ""
                                            << "-"
                                            << ""
                                            << "";
    QTest::newRow("other keys are swallowed") << "A" << true << "key 36; key 65535"
                                              << "none"
                                              << "A"
                                              << ""
                                              << "-"
                                              << ""
                                              << "";
}

void TestZPLayoutViewEditing::stateTable() {
    QFETCH(QString, selected);
    QFETCH(bool, setFrame);
    QFETCH(QString, events);
    EditingCanvas canvas;
    canvas.delegate.implementsSetFrame = setFrame;
    canvas.select(selected);
    NotificationRecorder recorder(canvas);
    canvas.clearLogs();

    runEvents(canvas.view, events);

    QTEST(stateName(canvas.view.dragOperation()), "state");
    QTEST(canvas.selection(), "selection");
    QTEST(recorder.notes.join(", "), "notes");
    QTEST(canvas.delegate.name(canvas.view.clickedObject()).replace("?", "-"), "clicked");
    QTEST(bitsName(canvas.view.flags()), "bits");
    QTEST(setFrames(canvas.delegate).join(", "), "changes");
}

void TestZPLayoutViewEditing::edgeBand_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("bits");

    // A is (10, 10, 100, 50): its move area is 14 <= x < 106 and 14 <= y < 56.
    QTest::newRow("left border of the move area") << 14.0f << 30.0f << "move"
                                                  << "";
    QTest::newRow("just inside the left band") << 13.5f << 30.0f << "resize"
                                               << "L";
    QTest::newRow("right border of the move area, excluded") << 106.0f << 30.0f << "resize"
                                                             << "R";
    QTest::newRow("just inside the move area on the right") << 105.5f << 30.0f << "move"
                                                            << "";
    QTest::newRow("top border of the move area") << 50.0f << 14.0f << "move"
                                                 << "";
    QTest::newRow("just inside the top band") << 50.0f << 13.5f << "resize"
                                              << "T";
    QTest::newRow("bottom border of the move area, excluded") << 50.0f << 56.0f << "resize"
                                                              << "B";
    QTest::newRow("bottom-right corner band") << 108.0f << 58.0f << "resize"
                                              << "RB";
    QTest::newRow("top-left corner") << 10.0f << 10.0f << "resize"
                                     << "LT";
    QTest::newRow("right edge itself belongs to the object") << 110.0f << 30.0f << "resize"
                                                             << "R";
}

void TestZPLayoutViewEditing::edgeBand() {
    QFETCH(float, x);
    QFETCH(float, y);
    EditingCanvas canvas;
    canvas.select("A");
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(x, y)));
    QTEST(stateName(canvas.view.dragOperation()), "state");
    if (canvas.view.dragOperation() == ZPDragResize)
        QTEST(bitsName(canvas.view.flags()), "bits");
}

void TestZPLayoutViewEditing::resizeKeepsObjectsVisible_data() {
    QTest::addColumn<ZPRect>("frame");
    QTest::addColumn<ZPPoint>("click");
    QTest::addColumn<QString>("bits");
    QTest::addColumn<ZPPoint>("dragTo");
    QTest::addColumn<ZPRect>("expected");

    const ZPRect wide = ZPMakeRect(10, 10, 100, 50);
    QTest::newRow("right edge inward")
        << wide << ZPMakePoint(108, 30) << "R" << ZPMakePoint(80, 30) << ZPMakeRect(10, 10, 70, 50);
    QTest::newRow("right edge onto the left edge stops one short")
        << wide << ZPMakePoint(108, 30) << "R" << ZPMakePoint(10, 30) << ZPMakeRect(10, 10, 1, 50);
    QTest::newRow("right edge across the left edge")
        << wide << ZPMakePoint(108, 30) << "R" << ZPMakePoint(-40, 30) << ZPMakeRect(10, 10, 1, 50);
    QTest::newRow("left edge across the right edge")
        << wide << ZPMakePoint(12, 30) << "L" << ZPMakePoint(200, 30) << ZPMakeRect(109, 10, 1, 50);
    QTest::newRow("left edge to one short of the right edge")
        << wide << ZPMakePoint(12, 30) << "L" << ZPMakePoint(109, 30) << ZPMakeRect(109, 10, 1, 50);
    QTest::newRow("bottom edge across the top edge")
        << wide << ZPMakePoint(50, 58) << "B" << ZPMakePoint(50, 0) << ZPMakeRect(10, 10, 100, 1);
    QTest::newRow("top edge across the bottom edge")
        << wide << ZPMakePoint(50, 12) << "T" << ZPMakePoint(50, 90) << ZPMakeRect(10, 59, 100, 1);
    QTest::newRow("corner across both edges")
        << wide << ZPMakePoint(108, 58) << "RB" << ZPMakePoint(0, 0) << ZPMakeRect(10, 10, 1, 1);

    // Narrow objects: both opposite edges lie in reach, only the nearer one follows.
    const ZPRect narrow = ZPMakeRect(200, 10, 6, 40);
    QTest::newRow("narrow, click at the middle takes the right edge")
        << narrow << ZPMakePoint(203, 30) << "R" << ZPMakePoint(250, 30)
        << ZPMakeRect(200, 10, 50, 40);
    QTest::newRow("narrow, middle click dragged left stays one wide")
        << narrow << ZPMakePoint(203, 30) << "R" << ZPMakePoint(150, 30)
        << ZPMakeRect(200, 10, 1, 40);
    QTest::newRow("narrow, click near the left edge takes the left edge")
        << narrow << ZPMakePoint(201, 30) << "L" << ZPMakePoint(150, 30)
        << ZPMakeRect(150, 10, 56, 40);
    QTest::newRow("narrow, near the right edge")
        << narrow << ZPMakePoint(205.5f, 30) << "R" << ZPMakePoint(210, 30)
        << ZPMakeRect(200, 10, 10, 40);
    const ZPRect low = ZPMakeRect(10, 100, 40, 6);
    QTest::newRow("low, click at the middle takes the bottom edge")
        << low << ZPMakePoint(30, 103) << "B" << ZPMakePoint(30, 90) << ZPMakeRect(10, 100, 40, 1);
    QTest::newRow("low, click near the top edge takes the top edge")
        << low << ZPMakePoint(30, 101) << "T" << ZPMakePoint(30, 90) << ZPMakeRect(10, 90, 40, 16);
    QTest::newRow("zero size grows from its right and bottom")
        << ZPMakeRect(300, 200, 0, 0) << ZPMakePoint(300, 200) << "RB" << ZPMakePoint(290, 190)
        << ZPMakeRect(300, 200, 1, 1);
}

void TestZPLayoutViewEditing::resizeKeepsObjectsVisible() {
    QFETCH(ZPRect, frame);
    QFETCH(ZPPoint, click);
    QFETCH(ZPPoint, dragTo);
    QFETCH(ZPRect, expected);
    Canvas canvas;
    canvas.delegate.implementsShouldResize = true;
    ZPObject* x = canvas.add("X", frame);
    canvas.select("X");
    canvas.view.mouseDown(ZPEvent::mouse(click));
    QCOMPARE(stateName(canvas.view.dragOperation()), QString("resize"));
    QTEST(bitsName(canvas.view.flags()), "bits");
    canvas.clearLogs();

    canvas.view.mouseDragged(ZPEvent::mouse(dragTo));
    const QString text = rectText(expected);
    // The permission question already sees the kept frame.
    QCOMPARE(canvas.delegate.log,
             QStringList({"frame X", "shouldResize X " + text, "setFrame X " + text}));
    QCOMPARE(rectText(canvas.view.nodeFrameForObject(x)), text);
    // Still hit by a click, so the user can always get hold of it again.
    canvas.view.mouseUp(ZPEvent::mouse(dragTo));
    canvas.view.deselectAllObjects();
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(expected.x, expected.y)));
    QCOMPARE(canvas.view.clickedObject(), x);
}

void TestZPLayoutViewEditing::storedNegativeFrameIsLeftAlone() {
    Canvas canvas;
    ZPObject* x = canvas.add("X", ZPMakeRect(50, 50, -20, 30));
    canvas.select("X");
    runEvents(canvas.view, "down 40 60; drag 45 60 5 0; up 45 60; down 50 50; drag 0 0 -50 -50");
    QCOMPARE(rectText(canvas.delegate.frames[x]), QString("50 50 -20 30"));
    QVERIFY(setFrames(canvas.delegate).isEmpty());
}

void TestZPLayoutViewEditing::clickOnAnObjectBehindTheCursorFindsIt() {
    // After the miss at (5, 5) the web's cursor sits on A's left edge at x = 10, and B's
    // entries all lie beyond it: the click at x = 10 must still find B.
    Canvas canvas;
    canvas.add("A", ZPMakeRect(10, 0, 10, 10));
    canvas.add("B", ZPMakeRect(10, 50, 10, 10));
    canvas.select("A");
    NotificationRecorder recorder(canvas);
    runEvents(canvas.view, "down 5 5; up 5 5; down 10 55");
    QCOMPARE(canvas.selection(), QString("B"));
    QCOMPARE(canvas.delegate.name(canvas.view.clickedObject()), QString("B"));
    QCOMPARE(recorder.notes, QStringList({"will", "did", "will", "did"}));
}

void TestZPLayoutViewEditing::selectionNotificationsWrapTheChange() {
    EditingCanvas canvas;
    canvas.select("B");
    NotificationRecorder recorder(canvas);
    runEvents(canvas.view, "down 50 30");
    QCOMPARE(recorder.notes, QStringList({"will", "did"})); // object: the view itself
    QCOMPARE(recorder.selectionSeen, QStringList({"B", "A"}));

    recorder.notes.clear();
    recorder.selectionSeen.clear();
    runEvents(canvas.view, "up 50 30; cmddown 320 120");
    QCOMPARE(recorder.selectionSeen, QStringList({"A", "A C"}));
}

void TestZPLayoutViewEditing::boxDragIsFeedbackOnly() {
    Canvas canvas;
    canvas.add("C", ZPMakeRect(300, 100, 40, 40));
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(150, 150)));
    runEvents(canvas.view, "drag 160 170 10 20");
    canvas.view.mouseUp(ZPEvent::mouse(ZPMakePoint(160, 170)));
    canvas.clearLogs();

    // A new box drag keeps the last box until its first drag event.
    canvas.view.mouseDown(ZPEvent::mouse(ZPMakePoint(50, 40), ZPCommandKeyMask));
    QCOMPARE(rectText(canvas.view.selectionBox()), QString("150 150 10 20"));
    QVERIFY(ZPEqualPoints(canvas.view.selectionPoint(), ZPMakePoint(50, 40)));
    QVERIFY(canvas.view.invalidated.empty());

    runEvents(canvas.view, "drag 20 70 -30 30");
    QCOMPARE(rectText(canvas.view.selectionBox()), QString("20 40 30 30"));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"150 150 10 20", "20 40 30 30"}));

    // Spanning every object and releasing selects nothing.
    canvas.view.invalidated.clear();
    runEvents(canvas.view, "drag 400 300 380 230; up 400 300");
    QCOMPARE(canvas.view.numberOfSelectedObjects(), 0);
    QCOMPARE(canvas.view.invalidatedText(),
             QStringList({"20 40 30 30", "50 40 350 260", "50 40 350 260"}));
    QCOMPARE(rectText(canvas.view.selectionBox()), QString("50 40 350 260"));
}

void TestZPLayoutViewEditing::moveStepsUseTheDelegatesCurrentFrame() {
    EditingCanvas canvas;
    runEvents(canvas.view, "down 50 30; drag 55 30 5 0");
    canvas.delegate.frames[canvas["A"]] = ZPMakeRect(0, 0, 10, 10);
    canvas.clearLogs();
    runEvents(canvas.view, "drag 57 31 2 1");
    QCOMPARE(setFrames(canvas.delegate), QStringList({"setFrame A 2 1 10 10"}));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"15 10 100 50", "2 1 10 10"}));
}

void TestZPLayoutViewEditing::refusedMoveLeavesOnlyThatObject() {
    EditingCanvas canvas;
    canvas.delegate.implementsShouldMove = true;
    canvas.delegate.refused.insert(canvas["C"]);
    canvas.select("C A");
    canvas.clearLogs();
    runEvents(canvas.view, "down 50 30; drag 53 30 3 0; key 125");
    QCOMPARE(setFrames(canvas.delegate),
             QStringList({"setFrame A 13 10 100 50", "setFrame A 13 11 100 50"}));
    QVERIFY(canvas.delegate.log.contains("shouldMove C 303 100 40 40"));
    QCOMPARE(rectText(canvas.view.nodeFrameForObject(canvas["C"])), QString("300 100 40 40"));
}

void TestZPLayoutViewEditing::refusedResizeDropsTheStep() {
    EditingCanvas canvas;
    canvas.delegate.implementsShouldResize = true;
    canvas.delegate.refused.insert(canvas["A"]);
    canvas.select("A");
    canvas.clearLogs();
    runEvents(canvas.view, "down 108 30; drag 150 30 42 0");
    QCOMPARE(canvas.delegate.log, QStringList({"frame A", "shouldResize A 10 10 140 50"}));
    QVERIFY(canvas.view.invalidated.empty());
}

void TestZPLayoutViewEditing::deleteAsksAndAnnouncesEachObject() {
    EditingCanvas canvas;
    canvas.delegate.implementsShouldDelete = true;
    canvas.delegate.refused.insert(canvas["B"]);
    canvas.select("A B C");
    NotificationRecorder recorder(canvas);
    QStringList registeredWhenNotified;
    const int observer = 0;
    ZPNotificationCenter::defaultCenter().addObserver(
        &observer, ZPLayoutViewDidDeleteObjectNotification, nullptr, [&](const ZPNotification& n) {
            auto* object = const_cast<ZPObject*>(static_cast<const ZPObject*>(n.object));
            registeredWhenNotified << (canvas.view.isObjectRegistered(object) ? "yes" : "no");
        });
    canvas.clearLogs();

    canvas.view.keyDown(ZPEvent::key(ZPDeleteKeyCode));
    ZPNotificationCenter::defaultCenter().removeObserver(&observer);

    QCOMPARE(canvas.delegate.log,
             QStringList({"shouldDelete A", "shouldDelete B", "shouldDelete C"}));
    QCOMPARE(recorder.notes, QStringList({"deleted A", "deleted C"})); // no selection notes
    QCOMPARE(registeredWhenNotified, QStringList({"no", "no"}));
    QCOMPARE(canvas.selection(), QString("B"));
    QVERIFY(canvas.view.isObjectRegistered(canvas["B"]));
    QCOMPARE(canvas.view.invalidatedText(), QStringList({"10 10 100 50", "300 100 40 40"}));
    QCOMPARE(canvas.objects["A"].use_count(), 1L); // the view let go of it
}

void TestZPLayoutViewEditing::deleteSkipsObjectsRemovedMeanwhile() {
    // An observer that takes C off the canvas while A's deletion is announced: C may be
    // gone by its turn, so it is neither asked about nor announced.
    EditingCanvas canvas;
    canvas.delegate.implementsShouldDelete = true;
    canvas.select("A C B");
    NotificationRecorder recorder(canvas);
    const int observer = 0;
    ZPNotificationCenter::defaultCenter().addObserver(
        &observer, ZPLayoutViewDidDeleteObjectNotification, canvas["A"],
        [&](const ZPNotification&) { canvas.view.removeObject(canvas["C"]); });
    canvas.clearLogs();
    canvas.view.keyDown(ZPEvent::key(ZPDeleteKeyCode));
    ZPNotificationCenter::defaultCenter().removeObserver(&observer);

    QCOMPARE(canvas.delegate.log, QStringList({"shouldDelete A", "shouldDelete B"}));
    QCOMPARE(recorder.notes, QStringList({"deleted A", "deleted B"}));
    QVERIFY(canvas.view.registeredObjects().empty());
}

void TestZPLayoutViewEditing::resizeOfAnObjectRemovedMidDragDoesNothing() {
    EditingCanvas canvas;
    canvas.select("A");
    runEvents(canvas.view, "down 108 30");
    canvas.view.removeObject(canvas["A"]);
    canvas.clearLogs();
    runEvents(canvas.view, "drag 150 30 42 0");
    QVERIFY(canvas.delegate.log.isEmpty());
    QVERIFY(canvas.view.invalidated.empty());
}

void TestZPLayoutViewEditing::optionalOperationsAskedOncePerEvent() {
    EditingCanvas canvas;
    canvas.select("A B C");
    canvas.clearLogs();

    runEvents(canvas.view, "down 50 30");
    QCOMPARE(canvas.delegate.questions, (std::map<QString, int>{{"setFrame", 1}}));
    canvas.clearLogs();
    runEvents(canvas.view, "drag 51 30 1 0");
    QCOMPARE(canvas.delegate.questions, (std::map<QString, int>{{"shouldMove", 1}}));
    QCOMPARE(setFrames(canvas.delegate).size(), 3);
    canvas.clearLogs();
    runEvents(canvas.view, "key 124");
    QCOMPARE(canvas.delegate.questions,
             (std::map<QString, int>{{"setFrame", 1}, {"shouldMove", 1}}));
    canvas.clearLogs();
    runEvents(canvas.view, "up 51 30; down 108 30; drag 120 30 12 0");
    QCOMPARE(canvas.delegate.questions,
             (std::map<QString, int>{{"setFrame", 1}, {"shouldResize", 1}}));
    canvas.clearLogs();
    runEvents(canvas.view, "key 51");
    QCOMPARE(canvas.delegate.questions, (std::map<QString, int>{{"shouldDelete", 1}}));

    // None of the questions was answered yes, so none of those operations was sent.
    for (const QString& entry : canvas.delegate.log)
        QVERIFY2(!entry.startsWith("should"), qPrintable(entry));
}

void TestZPLayoutViewEditing::withoutSetFrameKeysSendNothing() {
    EditingCanvas canvas;
    canvas.delegate.implementsSetFrame = false;
    canvas.delegate.implementsShouldMove = true;
    canvas.select("A");
    canvas.clearLogs();
    runEvents(canvas.view, "key 123; key 126");
    QVERIFY(canvas.delegate.log.isEmpty());
    QCOMPARE(canvas.delegate.questions, (std::map<QString, int>{{"setFrame", 2}}));
}

void TestZPLayoutViewEditing::qtMouseDragMovesByPointerDeltas() {
    EditingCanvas canvas;
    canvas.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&canvas.view));
    canvas.clearLogs();

    QTest::mousePress(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
    QTest::mouseMove(&canvas.view, QPoint(60, 35));
    QTest::mouseMove(&canvas.view, QPoint(63, 45));
    QTest::mouseRelease(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(63, 45));

    QCOMPARE(setFrames(canvas.delegate),
             QStringList({"setFrame A 20 15 100 50", "setFrame A 23 25 100 50"}));
    QCOMPARE(canvas.view.dragOperation(), ZPDragNone);
    QVERIFY(canvas.view.hasFocus()); // the click took the keyboard focus

    // A right-button press is not a click.
    QTest::mousePress(&canvas.view, Qt::RightButton, Qt::NoModifier, QPoint(320, 120));
    QCOMPARE(canvas.selection(), QString("A"));
    QTest::mouseRelease(&canvas.view, Qt::RightButton, Qt::NoModifier, QPoint(320, 120));
}

void TestZPLayoutViewEditing::qtControlClickIsCommandClick() {
    EditingCanvas canvas;
    canvas.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&canvas.view));
    canvas.select("C");
    QTest::mouseClick(&canvas.view, Qt::LeftButton, Qt::ControlModifier, QPoint(50, 30));
    QCOMPARE(canvas.selection(), QString("C A"));
    QTest::mouseClick(&canvas.view, Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 120));
    QCOMPARE(canvas.selection(), QString("C A")); // Shift is a plain click
}

void TestZPLayoutViewEditing::qtKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("changes");

    QTest::newRow("Backspace deletes") << int(Qt::Key_Backspace) << 0 << ""
                                       << "";
    QTest::newRow("Delete deletes") << int(Qt::Key_Delete) << 0 << ""
                                    << "";
    QTest::newRow("Left") << int(Qt::Key_Left) << 0 << "A"
                          << "setFrame A 9 10 100 50";
    QTest::newRow("Right") << int(Qt::Key_Right) << 0 << "A"
                           << "setFrame A 11 10 100 50";
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << "A"
                          << "setFrame A 10 11 100 50";
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << "A"
                        << "setFrame A 10 9 100 50";
    QTest::newRow("Shift-Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << "A"
                              << "setFrame A 10 9 100 50";
    QTest::newRow("other key") << int(Qt::Key_X) << 0 << "A"
                               << "";
}

void TestZPLayoutViewEditing::qtKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    EditingCanvas canvas;
    canvas.select("A");
    canvas.clearLogs();
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(&canvas.view, &event);
    QVERIFY(event.isAccepted()); // every key stops at the view
    QTEST(canvas.selection(), "selection");
    QTEST(setFrames(canvas.delegate).join(", "), "changes");
}

QTEST_MAIN(TestZPLayoutViewEditing)
#include "tst_ZPLayoutViewEditing.moc"
