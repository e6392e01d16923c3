// The document's windows: what an opened document shows, the canvas, the list and the
// inspector kept in step, resizing, deleting and adding controls, and the edited mark.
#include "ZPEditorTestSupport.h"

#include "ZPLayoutView.h"
#include "ZPNotificationCenter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

namespace {

const ZPBounds kDialog{0, 0, 240, 320}; // top, left, bottom, right

// Four controls side by side: ids 1..3 and a stored 0xFFFF.
std::vector<ZPTestControl> fourControls() {
    return {{ZPControlTypeButton, 1, {10, 10, 40, 60}, "One"},
            {ZPControlTypeEdit, 2, {10, 80, 40, 130}, "Two"},
            {ZPControlTypeStatic, 3, {10, 150, 40, 200}, "Three"},
            {ZPFourCharCode('i', 'c', 'o', 'n'), -1, {60, 10, 90, 60}, "Four"}};
}

ZPPoint centre(const ZPZervControl& c) {
    const ZPRect f = c.frame();
    return ZPMakePoint(f.x + f.width / 2, f.y + f.height / 2);
}

void click(ZPLayoutView* view, ZPPoint p, uint32_t flags = 0) {
    view->mouseDown(ZPEvent::mouse(p, flags));
    view->mouseUp(ZPEvent::mouse(p, flags));
}

QStringList rowTexts(QTreeView* list) {
    QStringList texts;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        texts << list->model()->index(r, 0).data().toString();
    return texts;
}

QList<int> selectedRows(QTreeView* list) {
    QList<int> rows;
    for (const QModelIndex& i : list->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

ZPObject* inspected() {
    return ZPInspector::defaultInspector()->inspectedObject().get();
}

ZPObject* asObject(ZPZervDialogDocument* d) {
    return d;
}

} // namespace

class tst_ZPZervDialogDocumentWindows : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<ZPScriptedDocumentController> documents;

    ZPZervDialogEditorDocument* openFile(const QByteArray& bytes,
                                         const QString& name = QStringLiteral("d.zerv")) {
        return documents->open(ZPWriteTestFile(dir, name, bytes));
    }

private slots:
    void init() { documents = std::make_unique<ZPScriptedDocumentController>(); }
    void cleanup() { documents.reset(); }

    void opensWithCanvasAndListOfTheControls() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        QVERIFY(d);
        QCOMPARE(d->layoutView()->registeredObjects().size(), size_t(4));
        for (const auto& c : d->controls())
            QVERIFY(d->layoutView()->isObjectRegistered(c.get()));
        QCOMPARE(rowTexts(d->controlList()), QStringList({"Control ID: 1", "Control ID: 2",
                                                          "Control ID: 3", "Control ID: -1"}));
        QCOMPARE(d->contentsWindow()->canvas()->size(), QSize(320, 240));
        QVERIFY(!d->isDocumentEdited());

        auto* empty = openFile(ZPMakeDialogFile(ZPBounds{0, 0, 30, 40}, {}), "empty.zerv");
        QVERIFY(empty);
        QVERIFY(empty->layoutView()->registeredObjects().empty());
        QCOMPARE(empty->controlList()->model()->rowCount(), 0);
        QCOMPARE(empty->contentsWindow()->canvas()->size(), QSize(40, 30));
    }

    // Opening and showing a document never changes its dialog, whatever its size.
    void openingNeverChangesTheDialog_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("1 x 1") << 1 << 1;
        QTest::newRow("40 x 30") << 40 << 30;
        QTest::newRow("640 x 480") << 640 << 480;
        QTest::newRow("larger than a screen") << 5000 << 4000;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("negative") << -20 << -10;
    }
    void openingNeverChangesTheDialog() {
        QFETCH(int, width);
        QFETCH(int, height);
        const ZPBounds bounds{5, 7, int16_t(5 + height), int16_t(7 + width)};
        const QByteArray bytes = ZPMakeDialogFile(bounds, fourControls());
        auto* d = openFile(bytes);
        QVERIFY(d);
        d->showWindows();
        ZPContentsWindow* w = d->contentsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w) || width <= 0 || height <= 0);
        QTest::qWait(ZPContentsWindow::kSettleMilliseconds + 100);
        // A window manager fitting the window to its rules, late, before the user
        // has done anything in it.
        w->resize(w->size() + QSize(30, 20));
        QVERIFY(!w->acceptsUserResizes());
        QCOMPARE(d->dialog().bounds(), bounds);
        QVERIFY(!d->isDocumentEdited());
        QCOMPARE(d->contentsWindow()->canvas()->size(),
                 QSize(std::max(width, 0), std::max(height, 0)));
    }

    void userResizeSetsTheDialogSize() {
        auto* d = openFile(ZPMakeDialogFile(ZPBounds{100, 50, 580, 690}, fourControls()));
        QVERIFY(d);
        d->showWindows();
        ZPContentsWindow* w = d->contentsWindow();
        QTest::mouseClick(w->canvas(), Qt::LeftButton, {}, QPoint(1, 1));
        QTRY_VERIFY(w->acceptsUserResizes());
        w->resize(w->size() - w->contentSize() + QSize(320, 200));
        QCOMPARE(w->contentSize(), QSize(320, 200));
        QCOMPARE(d->dialog().bounds(), (ZPBounds{100, 50, 300, 370}));
        QCOMPARE(w->canvas()->size(), QSize(320, 200));
        QVERIFY(d->isDocumentEdited());
    }

    void canvasClicksSelectRowsAndRetargetTheInspector() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        const auto& c = d->controls();

        int listNotes = 0;
        connect(d->controlList()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [&] { ++listNotes; });

        click(view, centre(*c[1]));
        QCOMPARE(selectedRows(d->controlList()), QList<int>({1}));
        QCOMPARE(inspected(), c[1].get());

        click(view, centre(*c[3]), ZPCommandKeyMask);
        QCOMPARE(selectedRows(d->controlList()), QList<int>({1, 3}));
        QCOMPARE(inspected(), asObject(d));

        // Deselecting the other one leaves exactly one: the inspector shows it again.
        click(view, centre(*c[1]), ZPCommandKeyMask);
        QCOMPARE(selectedRows(d->controlList()), QList<int>({3}));
        QCOMPARE(inspected(), c[3].get());

        click(view, centre(*c[3]), ZPCommandKeyMask);
        QVERIFY(selectedRows(d->controlList()).isEmpty());
        QCOMPARE(inspected(), asObject(d));
        QVERIFY(listNotes > 0); // the list did change, without echoing back to the canvas
        QCOMPARE(view->numberOfSelectedObjects(), 0);
    }

    void listSelectionSelectsOnTheCanvas() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        const auto& c = d->controls();
        QItemSelectionModel* selection = d->controlList()->selectionModel();
        const auto row = [&](int r) { return d->controlList()->model()->index(r, 0); };

        selection->select(row(2), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(view->selectedObjects(), std::vector<ZPObject*>({c[2].get()}));
        QCOMPARE(inspected(), c[2].get());

        QItemSelection three;
        for (int r : {0, 1, 3})
            three.select(row(r), row(r));
        selection->select(three, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(view->selectedObjects(),
                 std::vector<ZPObject*>({c[0].get(), c[1].get(), c[3].get()}));
        QCOMPARE(inspected(), asObject(d));
    }

    void deleteKeyRemovesTheSelectedControls() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        ZPZervControlRef first = d->controls()[0], third = d->controls()[2];
        click(view, centre(*first));
        click(view, centre(*third), ZPCommandKeyMask);
        view->keyDown(ZPEvent::key(ZPDeleteKeyCode));

        QCOMPARE(d->controls().size(), size_t(2));
        QCOMPARE(d->controlCount(), 2);
        QVERIFY(!d->containsControl(first.get()) && !d->containsControl(third.get()));
        QCOMPARE(rowTexts(d->controlList()), QStringList({"Control ID: 2", "Control ID: -1"}));
        QVERIFY(d->isDocumentEdited());

        QByteArray saved;
        QVERIFY(d->dataOfType(saved, nullptr));
        QVERIFY(!saved.contains("One") && !saved.contains("Three"));
        QVERIFY(saved.contains("Two") && saved.contains("Four"));
    }

    void deletingInOneDocumentLeavesTheOtherAlone() {
        auto* a = openFile(ZPMakeDialogFile(kDialog, fourControls()), "a.zerv");
        auto* b = openFile(ZPMakeDialogFile(kDialog, fourControls()), "b.zerv");
        QVERIFY(a && b && a != b);
        click(a->layoutView(), centre(*a->controls()[0]));
        a->layoutView()->keyDown(ZPEvent::key(ZPDeleteKeyCode));
        QCOMPARE(a->controlCount(), 3);
        QCOMPARE(b->controlCount(), 4);
        QCOMPARE(b->controlList()->model()->rowCount(), 4);
        QVERIFY(!b->isDocumentEdited());
    }

    void newControlIsCentredOnTheDialog_data() {
        QTest::addColumn<ZPBounds>("dialog");
        QTest::addColumn<ZPBounds>("expected");
        QTest::newRow("640 x 480") << ZPBounds{0, 0, 480, 640} << ZPBounds{225, 300, 255, 340};
        QTest::newRow("same size elsewhere")
            << ZPBounds{100, 50, 580, 690} << ZPBounds{225, 300, 255, 340};
        QTest::newRow("301 x 201") << ZPBounds{0, 0, 201, 301} << ZPBounds{85, 130, 115, 170};
        QTest::newRow("31 x 29") << ZPBounds{0, 0, 29, 31} << ZPBounds{0, -4, 29, 35};
    }
    void newControlIsCentredOnTheDialog() {
        QFETCH(ZPBounds, dialog);
        QFETCH(ZPBounds, expected);
        auto* d = openFile(ZPMakeDialogFile(dialog, fourControls()));
        d->newControl();
        QCOMPARE(d->controlCount(), 5);
        const ZPZervControl& c = *d->controls().back();
        QCOMPARE(c.data().bounds(), expected);
        QCOMPARE(c.tag(), ZPControlTypeNew);
        QCOMPARE(int(c.itemID()), 512);
        QCOMPARE(c.string(), std::string("New Control"));
        QCOMPARE(int(c.flags()) + int(c.state()) + int(c.data().padding()), 0);
        QCOMPARE(int(c.bitmapIDForState(0)) + int(c.bitmapIDForState(1)), 0);
        QVERIFY(d->layoutView()->isObjectSelected(const_cast<ZPZervControl*>(&c)));
        QVERIFY(d->layoutView()->isObjectRegistered(const_cast<ZPZervControl*>(&c)));
        QCOMPARE(rowTexts(d->controlList()).last(), QStringLiteral("Control ID: 512"));
        QCOMPARE(selectedRows(d->controlList()), QList<int>({4}));
        QVERIFY(d->isDocumentEdited());
    }

    // Every kind of change marks the document edited; opening and selecting do not.
    void editsMarkTheDocumentEdited_data() {
        QTest::addColumn<int>("edit");
        QTest::newRow("drag") << 0;
        QTest::newRow("nudge") << 1;
        QTest::newRow("resize") << 2;
        QTest::newRow("inspector text") << 3;
        QTest::newRow("inspector tag name") << 4;
    }
    void editsMarkTheDocumentEdited() {
        QFETCH(int, edit);
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        const ZPZervControlRef c = d->controls()[0]; // 50 x 30 at (10, 10)
        click(view, centre(*c));
        QVERIFY(!d->isDocumentEdited());
        QSignalSpy marks(d, &ZPDocument::documentEditedChanged);
        ZPInspector* inspector = ZPInspector::defaultInspector();
        switch (edit) {
        case 0:
            view->mouseDown(ZPEvent::mouse(centre(*c)));
            view->mouseDragged(ZPEvent::mouse(ZPMakePoint(40, 30), 0, 5, 5));
            view->mouseUp(ZPEvent::mouse(ZPMakePoint(40, 30)));
            break;
        case 1:
            view->keyDown(ZPEvent::key(ZPRightArrowKeyCode));
            break;
        case 2:
            view->mouseDown(ZPEvent::mouse(ZPMakePoint(59, 25)));
            view->mouseDragged(ZPEvent::mouse(ZPMakePoint(69, 25), 0, 10, 0));
            view->mouseUp(ZPEvent::mouse(ZPMakePoint(69, 25)));
            QCOMPARE(c->frame().width, 59.0f); // the right edge follows the pointer
            break;
        case 3: {
            auto* field = inspector->controlInspectionView()->findChild<QLineEdit*>("stringField");
            field->setText("Changed");
            inspector->setControlString(field);
            QCOMPARE(c->string(), std::string("Changed"));
            break;
        }
        case 4: {
            click(view, ZPMakePoint(300, 200)); // empty space: the dialog is inspected
            QCOMPARE(inspected(), asObject(d));
            auto* field = inspector->dialogInspectionView()->findChild<QLineEdit*>("tag_name");
            field->setText("renamed");
            inspector->setTagName(field);
            QCOMPARE(d->tagName().value_or(""), std::string("renamed"));
            break;
        }
        }
        QVERIFY(d->isDocumentEdited());
        QCOMPARE(marks.count(), 1);
    }

    // The canvas, the list and the inspector show one control the same way.
    void inspectorAndCanvasAgreeOnAControl() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        const ZPZervControlRef c = d->controls()[0];
        click(view, centre(*c));
        ZPInspector* inspector = ZPInspector::defaultInspector();
        QWidget* pane = inspector->controlInspectionView();
        auto* cx = pane->findChild<QLineEdit*>("cx");
        auto* id = pane->findChild<QLineEdit*>("idField");

        // An inspector frame edit reaches the canvas's index: a click at the new place hits.
        cx->setText("200");
        inspector->setControlFrame(cx);
        QCOMPARE(c->frame().x, 200.0f);
        QCOMPARE(view->nodeFrameForObject(c.get()).x, 200.0f);

        // A nudge on the canvas shows in the inspector's frame fields.
        view->keyDown(ZPEvent::key(ZPRightArrowKeyCode));
        QCOMPARE(cx->text(), QStringLiteral("201"));

        // An item identifier edit shows in the list.
        id->setText("77");
        inspector->setControlID(id);
        QCOMPARE(rowTexts(d->controlList()).first(), QStringLiteral("Control ID: 77"));
    }

    void inspectorLeavesDeletedControlsAndClosedDocuments() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        const ZPZervControlRef c = d->controls()[0];
        click(d->layoutView(), centre(*c));
        QCOMPARE(inspected(), c.get());
        d->layoutView()->keyDown(ZPEvent::key(ZPDeleteKeyCode));
        QCOMPARE(inspected(), asObject(d));

        click(d->layoutView(), centre(*d->controls()[0]));
        documents->answer = ZPDocumentController::SaveAnswer::DontSave;
        QVERIFY(documents->controller.closeDocument(d));
        QCOMPARE(inspected(), nullptr);
    }

    // What is typed in the inspector goes to the control it was typed for, also when the
    // user moves on without pressing Return, or saves at once.
    void typedTextIsCommittedWhenTheInspectorMovesOn() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()), "typed.zerv");
        const ZPZervControlRef first = d->controls()[0];
        click(d->layoutView(), centre(*first));
        ZPInspector* inspector = ZPInspector::defaultInspector();
        auto* field = inspector->controlInspectionView()->findChild<QLineEdit*>("stringField");
        field->setText("Typed");
        field->setModified(true); // as typing leaves it
        click(d->layoutView(), centre(*d->controls()[1]));
        QCOMPARE(first->string(), std::string("Typed"));
        QVERIFY(d->isDocumentEdited());
        QCOMPARE(field->text(), QStringLiteral("Two"));

        field->setText("Saved at once");
        field->setModified(true);
        QVERIFY(documents->controller.saveDocument(d));
        QVERIFY(ZPReadTestFile(d->fileName()).contains("Saved at once"));
        QVERIFY(!d->isDocumentEdited());
    }

    void dialogInfoFollowsTheControlCount() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        click(d->layoutView(), centre(*d->controls()[0]));
        click(d->layoutView(), centre(*d->controls()[1]), ZPCommandKeyMask);
        QCOMPARE(inspected(), asObject(d));
        auto* info = ZPInspector::defaultInspector()->dialogInspectionView()->findChild<QLabel*>(
            "dialog_info");
        QCOMPARE(info->text(), QStringLiteral("Version 1, 4 controls."));
        d->layoutView()->keyDown(ZPEvent::key(ZPDeleteKeyCode));
        QCOMPARE(info->text(), QStringLiteral("Version 1, 2 controls."));
    }

    // A move or resize that would push an edge past the file's 16-bit range is refused
    // instead of wrapping the edge around to the other end.
    void editsThatWouldWrapAnEdgeAreRefused() {
        const std::vector<ZPTestControl> edge = {
            {ZPControlTypeButton, 1, {10, 32700, 40, 32767}, "Edge"}};
        auto* d = openFile(ZPMakeDialogFile(kDialog, edge));
        const ZPZervControlRef c = d->controls()[0];
        d->layoutView()->selectObjectByExtendingSelection(c.get(), false);
        d->layoutView()->keyDown(ZPEvent::key(ZPRightArrowKeyCode));
        QCOMPARE(c->data().bounds(), (ZPBounds{10, 32700, 40, 32767}));
        QVERIFY(!d->isDocumentEdited());
        d->layoutView()->keyDown(ZPEvent::key(ZPLeftArrowKeyCode));
        QCOMPARE(c->data().bounds(), (ZPBounds{10, 32699, 40, 32766}));
    }

    // On a fractionally scaled screen the pointer moves in fractions; the canvas keeps
    // drawing and hit-testing a control exactly where its stored frame is.
    void fractionalPointerPositionsKeepCanvasAndFileInStep() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        ZPLayoutView* view = d->layoutView();
        const ZPZervControlRef c = d->controls()[0]; // (10, 10, 50, 30)
        click(view, centre(*c));
        const auto send = [view](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
            QMouseEvent e(type, p, view->mapToGlobal(p), Qt::LeftButton, buttons, {});
            QApplication::sendEvent(view, &e);
        };
        QPointF p(30.25, 20.25);
        send(QEvent::MouseButtonPress, p, Qt::LeftButton);
        for (int i = 0; i < 9; ++i) {
            p += QPointF(0.5, 0.5);
            send(QEvent::MouseMove, p, Qt::LeftButton);
        }
        send(QEvent::MouseButtonRelease, p, Qt::NoButton);
        // 30.25 -> 34.75: the pointer went from unit 30 to unit 34.
        QCOMPARE(c->data().bounds(), (ZPBounds{14, 14, 44, 64}));
        const ZPRect node = view->nodeFrameForObject(c.get());
        QVERIFY(ZPEqualRects(node, c->frame()));
    }

    void revertShowsTheFileAgain() {
        auto* d = openFile(ZPMakeDialogFile(kDialog, fourControls()));
        const std::vector<ZPZervControlRef> before = d->controls();
        d->newControl();
        click(d->layoutView(), centre(*before[0]));
        documents->answer = ZPDocumentController::SaveAnswer::DontSave;
        QVERIFY(documents->controller.revertDocumentToSaved(d));
        QCOMPARE(d->controls().size(), size_t(4));
        QVERIFY(!d->isDocumentEdited());
        const std::vector<ZPObject*> registered = d->layoutView()->registeredObjects();
        QCOMPARE(registered.size(), size_t(4));
        for (const ZPZervControlRef& old : before)
            QVERIFY(!d->layoutView()->isObjectRegistered(old.get()));
        for (size_t i = 0; i < 4; ++i)
            QCOMPARE(registered[i], static_cast<ZPObject*>(d->controls()[i].get()));
        QCOMPARE(d->controlList()->model()->rowCount(), 4);
        QCOMPARE(inspected(), asObject(d));
    }
};

Q_DECLARE_METATYPE(ZPBounds)

QTEST_MAIN(tst_ZPZervDialogDocumentWindows)
#include "tst_ZPZervDialogDocumentWindows.moc"
