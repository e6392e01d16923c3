// The document life cycle: opening (and refusing) files, saving all-or-nothing,
// reverting, and the questions asked before unsaved changes could be lost.
#include "ZPEditorTestSupport.h"

#include <QDir>
#include <QPointer>
#include <QTreeView>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const ZPBounds kDialog{0, 0, 240, 320};

std::vector<ZPTestControl> twoControls() {
    return {{ZPControlTypeButton, 1, {10, 10, 40, 60}, "OK"},
            {ZPControlTypeStatic, 2, {50, 10, 70, 200}, "Hello"}};
}

// Limits the size of files this process may write, for provoking a failing write
// (root ignores permissions, but not this).
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit lower = old;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

} // namespace

class tst_ZPDocumentController : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<ZPScriptedDocumentController> documents;

    QString write(const QString& name, const QByteArray& bytes) {
        return ZPWriteTestFile(dir, name, bytes);
    }

private slots:
    void init() { documents = std::make_unique<ZPScriptedDocumentController>(); }
    void cleanup() { documents.reset(); }

    void openingTwiceGivesTheSameDocument() {
        const QString path = write("a.zerv", ZPMakeDialogFile(kDialog, twoControls()));
        ZPZervDialogEditorDocument* d = documents->open(path);
        QVERIFY(d);
        QCOMPARE(d->fileName(), path);
        QCOMPARE(d->windowControllers().size(), size_t(2));
        const QString again = dir.path() + "/./a.zerv";
        QCOMPARE(documents->open(again), d);
        QCOMPARE(documents->controller.documents().size(), size_t(1));
        QCOMPARE(documents->controller.recentDocumentFileNames().first(),
                 QFileInfo(path).canonicalFilePath());
    }

    void unreadableFilesAreRefusedWithTheirReason_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = ZPMakeDialogFile(kDialog, twoControls());
        QByteArray badSignature = good;
        badSignature[63] = 'x';
        QTest::newRow("too short") << good.left(40) << "40 bytes long";
        QTest::newRow("other signature") << badSignature << "not 'zerv' or 'zrv2'";
        QTest::newRow("records cut off") << good.left(64 + 12 + 30) << "control record 2 of 2";
        QTest::newRow("text without NUL") << good.left(good.size() - 1) << "text 2 of 2";
    }
    void unreadableFilesAreRefusedWithTheirReason() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = write("bad.zerv", bytes);
        QVERIFY(!documents->controller.openFiles({path}));
        QCOMPARE(documents->errors.size(), 1);
        QVERIFY2(documents->errors[0].contains("bad.zerv"), qPrintable(documents->errors[0]));
        QVERIFY2(documents->errors[0].contains(reason), qPrintable(documents->errors[0]));
        QVERIFY(documents->controller.documents().empty());
    }

    void missingFilesAndFoldersAreRefused() {
        QVERIFY(!documents->controller.openFiles({dir.filePath("nothing.zerv"), dir.path()}));
        QCOMPARE(documents->errors.size(), 2);
        QVERIFY(documents->errors[0].contains("nothing.zerv"));
        QVERIFY(documents->errors[1].contains("folder"));
    }

    void savingWritesTheDocumentAndClearsTheMark() {
        const QByteArray original = ZPMakeDialogFile(kDialog, twoControls());
        const QString path = write("s.zerv", original);
        ZPZervDialogEditorDocument* d = documents->open(path);
        d->newControl();
        QVERIFY(d->isDocumentEdited());
        QVERIFY(documents->controller.saveDocument(d));
        QVERIFY(!d->isDocumentEdited());
        QByteArray expected;
        QVERIFY(d->dataOfType(expected, nullptr));
        QCOMPARE(ZPReadTestFile(path), expected);
        QVERIFY(expected.startsWith(original.left(64)));

        // Save As takes the new name; the old file stays as saved.
        documents->saveAsPath = dir.filePath("copy.zerv");
        d->newControl();
        QVERIFY(documents->controller.saveDocumentAs(d));
        QCOMPARE(d->fileName(), documents->saveAsPath);
        QCOMPARE(ZPReadTestFile(path), expected);
    }

    void unchangedFilesAreSavedByteForByte_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<int>("headerVersion");
        QTest::addColumn<int>("rows");
        QTest::newRow("zerv") << "login.zerv" << 1 << 5;
        QTest::newRow("zrv2") << "options.zrv2" << 2 << 6;
    }
    void unchangedFilesAreSavedByteForByte() {
        QFETCH(QString, example);
        QFETCH(int, headerVersion);
        QFETCH(int, rows);
        const QString path = QFINDTESTDATA("../../examples/" + example);
        QVERIFY(!path.isEmpty());
        const QByteArray original = ZPReadTestFile(path);
        ZPZervDialogEditorDocument* d = documents->open(path);
        QVERIFY(d);
        QCOMPARE(int(d->header_version()), headerVersion);
        QCOMPARE(d->controlList()->model()->rowCount(), rows);
        QByteArray data;
        QVERIFY(d->dataOfType(data, nullptr));
        QCOMPARE(data, original);
    }

    // A save that fails says which step failed, keeps the mark and the file on disk.
    void failedSavesLeaveTheFileAsItWas() {
        const QByteArray original = ZPMakeDialogFile(kDialog, twoControls());
        QTemporaryDir own; // so that a temporary file left behind would show
        const QString path = ZPWriteTestFile(own, "f.zerv", original);
        ZPZervDialogEditorDocument* d = documents->open(path);
        for (int i = 0; i < 20; ++i)
            d->newControl();
        {
            FileSizeLimit limit(100);
            QVERIFY(!documents->controller.saveDocument(d));
        }
        QCOMPARE(documents->errors.size(), 1);
        QVERIFY2(documents->errors[0].contains("could not be saved"),
                 qPrintable(documents->errors[0]));
        QVERIFY(documents->errors[0].contains("Could not"));
        QVERIFY(d->isDocumentEdited());
        QCOMPARE(ZPReadTestFile(path), original);
        QCOMPARE(QDir(own.path()).entryList(QDir::Files), QStringList({"f.zerv"}));

        // A folder path through a regular file cannot be written at all.
        documents->saveAsPath = path + "/inside.zerv";
        QVERIFY(!documents->controller.saveDocumentAs(d));
        QCOMPARE(documents->errors.size(), 2);
        QCOMPARE(d->fileName(), path);
        QVERIFY(d->isDocumentEdited());
    }

    void closingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << int(ZPDocumentController::SaveAnswer::Cancel) << false << false;
        QTest::newRow("don't save")
            << int(ZPDocumentController::SaveAnswer::DontSave) << true << false;
        QTest::newRow("save") << int(ZPDocumentController::SaveAnswer::Save) << true << true;
    }
    void closingAsksAboutUnsavedChanges() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        const QByteArray original = ZPMakeDialogFile(kDialog, twoControls());
        const QString path = write("c.zerv", original);
        ZPZervDialogEditorDocument* d = documents->open(path);
        d->newControl();
        documents->answer = ZPDocumentController::SaveAnswer(answer);
        QCOMPARE(documents->controller.closeDocument(d), closed);
        QCOMPARE(documents->questions, QStringList({"c.zerv closing"}));
        QCOMPARE(documents->controller.documents().empty(), closed);
        QCOMPARE(ZPReadTestFile(path) != original, saved);
    }

    // Closing either window closes the document, after the question; both windows go.
    void closingAWindowClosesTheDocument() {
        ZPZervDialogEditorDocument* d =
            documents->open(write("w.zerv", ZPMakeDialogFile(kDialog, twoControls())));
        d->showWindows();
        d->newControl();
        documents->answer = ZPDocumentController::SaveAnswer::Cancel;
        QVERIFY(!d->heirarchyWindow()->close());
        QVERIFY(d->contentsWindow()->isVisible());
        QCOMPARE(documents->controller.documents().size(), size_t(1));

        documents->answer = ZPDocumentController::SaveAnswer::DontSave;
        QPointer<QWidget> contents = d->contentsWindow();
        QPointer<QWidget> heirarchy = d->heirarchyWindow();
        QVERIFY(contents->close());
        QVERIFY(documents->controller.documents().empty());
        QVERIFY(!contents->isVisible());
        QVERIFY(!heirarchy->isVisible());
        QTRY_VERIFY(contents.isNull() && heirarchy.isNull()); // gone once events run
    }

    void saveAsOntoAnotherOpenDocumentIsRefused() {
        const QString first = write("one.zerv", ZPMakeDialogFile(kDialog, twoControls()));
        const QByteArray bytes = ZPReadTestFile(first);
        documents->open(first);
        ZPZervDialogEditorDocument* second =
            documents->open(write("two.zerv", ZPMakeDialogFile(kDialog, {})));
        documents->saveAsPath = first;
        QVERIFY(!documents->controller.saveDocumentAs(second));
        QCOMPARE(documents->errors.size(), 1);
        QVERIFY(documents->errors[0].contains("open in the editor"));
        QCOMPARE(ZPReadTestFile(first), bytes);
    }

    void devicesAreNotRead() {
        QVERIFY(!documents->controller.openFiles({"/dev/zero"}));
        QCOMPARE(documents->errors.size(), 1);
        QVERIFY2(documents->errors[0].contains("not a regular file"),
                 qPrintable(documents->errors[0]));
    }

    void closingUneditedDocumentsAsksNothing() {
        ZPZervDialogEditorDocument* d =
            documents->open(write("u.zerv", ZPMakeDialogFile(kDialog, twoControls())));
        QVERIFY(documents->controller.closeDocument(d));
        QVERIFY(documents->questions.isEmpty());
    }

    void quittingStopsAtTheFirstCancel() {
        auto* a = documents->open(write("qa.zerv", ZPMakeDialogFile(kDialog, twoControls())));
        auto* b = documents->open(write("qb.zerv", ZPMakeDialogFile(kDialog, twoControls())));
        a->newControl();
        b->newControl();
        documents->answer = ZPDocumentController::SaveAnswer::Cancel;
        QVERIFY(!documents->controller.closeAllDocuments());
        QCOMPARE(documents->controller.documents().size(), size_t(2));
        documents->answer = ZPDocumentController::SaveAnswer::DontSave;
        QVERIFY(documents->controller.closeAllDocuments());
        QVERIFY(documents->controller.documents().empty());
        QCOMPARE(documents->questions.size(), 3);
    }

    void revertAsksAndReloads() {
        const QString path = write("r.zerv", ZPMakeDialogFile(kDialog, twoControls()));
        ZPZervDialogEditorDocument* d = documents->open(path);
        d->newControl();
        documents->answer = ZPDocumentController::SaveAnswer::Cancel;
        QVERIFY(!documents->controller.revertDocumentToSaved(d));
        QCOMPARE(d->controls().size(), size_t(3));
        documents->answer = ZPDocumentController::SaveAnswer::DontSave;
        QVERIFY(documents->controller.revertDocumentToSaved(d));
        QCOMPARE(d->controls().size(), size_t(2));
        QCOMPARE(d->controlCount(), 2);
        QVERIFY(!d->isDocumentEdited());
    }

    void windowTitlesShowTheNameAndTheMark() {
        ZPZervDialogEditorDocument* d =
            documents->open(write("t.zerv", ZPMakeDialogFile(kDialog, twoControls())));
        QWidget* contents = d->contentsWindow();
        QCOMPARE(contents->windowTitle(), QStringLiteral("t.zerv[*]"));
        QVERIFY(!contents->isWindowModified());
        d->newControl();
        QVERIFY(contents->isWindowModified());
        QVERIFY(d->heirarchyWindow()->isWindowModified());
    }
};

QTEST_MAIN(tst_ZPDocumentController)
#include "tst_ZPDocumentController.moc"
