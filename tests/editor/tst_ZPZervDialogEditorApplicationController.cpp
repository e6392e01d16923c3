// The application controller: no untitled documents, the inspector at launch and on
// request, and one menu reachable from every window, the inspector included.
#include "ZPEditorTestSupport.h"

#include "ZPZervDialogEditorApplicationController.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text().remove('&');
    return titles;
}

QStringList itemTitles(QMenu* menu) {
    QStringList titles;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            titles << a->text().remove('&');
    return titles;
}

} // namespace

class tst_ZPZervDialogEditorApplicationController : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void launchingShowsTheInspectorAndNoDocument() {
        ZPZervDialogEditorApplicationController controller;
        ZPScriptedDocumentController documents;
        QVERIFY(!controller.applicationShouldOpenUntitledFile());
        controller.applicationDidFinishLaunching();
        QWidget* panel = ZPInspector::defaultInspector()->panel();
        QVERIFY(panel->isVisible());
        QVERIFY(documents.controller.documents().empty());
        panel->hide();
        controller.showInspectorAction()->trigger();
        QVERIFY(panel->isVisible());
        panel->hide();
    }

    void everyWindowCarriesTheMenu() {
        ZPZervDialogEditorApplicationController controller;
        ZPScriptedDocumentController documents;
        auto* d = documents.open(
            ZPWriteTestFile(dir, "m.zerv", ZPMakeDialogFile(ZPBounds{0, 0, 100, 100}, {})));
        QVERIFY(d);
        const QStringList expected = {"File", "Edit", "Window", "Help"};
        auto* contents = qobject_cast<QMainWindow*>(d->contentsWindow());
        auto* heirarchy = qobject_cast<QMainWindow*>(d->heirarchyWindow());
        QVERIFY(contents && heirarchy);
        QCOMPARE(menuTitles(contents->menuBar()), expected);
        QCOMPARE(menuTitles(heirarchy->menuBar()), expected);
        auto* panelBar = ZPInspector::defaultInspector()->panel()->findChild<QMenuBar*>();
        QVERIFY(panelBar);
        QCOMPARE(menuTitles(panelBar), expected);

        QMenu* file = contents->menuBar()->actions().first()->menu();
        QCOMPARE(itemTitles(file), QStringList({"Open…", "Open Recent", "Close", "Save", "Save As…",
                                                "Revert to Saved", "Quit"}));
        QCOMPARE(controller.openAction()->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(controller.saveAction()->shortcut(), QKeySequence(QKeySequence::Save));

        // The canvas stays the dialog's size whatever the menu bar needs.
        QCOMPARE(d->contentsWindow()->canvas()->size(), QSize(100, 100));
        QCOMPARE(d->contentsWindow()->contentSize(), QSize(100, 100));
    }

    void editCommandsActOnTheCurrentDocument() {
        ZPZervDialogEditorApplicationController controller;
        ZPScriptedDocumentController documents;
        auto* d = documents.open(
            ZPWriteTestFile(dir, "e.zerv", ZPMakeDialogFile(ZPBounds{0, 0, 100, 100}, {})));
        controller.newControlAction()->trigger();
        QCOMPARE(d->controlCount(), 1);
        QVERIFY(d->isDocumentEdited());
        // Delete acts only in a document's own windows, not in the inspector.
        ZPInspector::defaultInspector()->showWindow();
        ZPInspector::defaultInspector()->panel()->activateWindow();
        QTRY_VERIFY(ZPInspector::defaultInspector()->panel()->isActiveWindow());
        controller.deleteAction()->trigger();
        QCOMPARE(d->controlCount(), 1);
        d->showWindows();
        d->contentsWindow()->activateWindow();
        QTRY_VERIFY(d->contentsWindow()->isActiveWindow());
        controller.deleteAction()->trigger(); // the new control is selected
        QCOMPARE(d->controlCount(), 0);
        QCOMPARE(d->layoutView()->registeredObjects().size(), size_t(0));
    }

    void openRecentListsOpenedFiles() {
        ZPZervDialogEditorApplicationController controller;
        ZPScriptedDocumentController documents;
        documents.controller.clearRecentDocuments();
        const QString path =
            ZPWriteTestFile(dir, "recent.zerv", ZPMakeDialogFile(ZPBounds{0, 0, 10, 10}, {}));
        QVERIFY(documents.open(path));
        QMenuBar* bar = controller.makeMenuBar(nullptr);
        QMenu* recent = nullptr;
        for (QAction* a : bar->actions().first()->menu()->actions())
            if (a->menu() && a->text().contains("Recent"))
                recent = a->menu();
        QVERIFY(recent);
        emit recent->aboutToShow();
        QCOMPARE(itemTitles(recent), QStringList({"recent.zerv", "Clear Menu"}));
        delete bar;
    }
};

QTEST_MAIN(tst_ZPZervDialogEditorApplicationController)
#include "tst_ZPZervDialogEditorApplicationController.moc"
