#include "ZPZervDialogEditorApplicationController.h"

#include "ZPDocumentController.h"
#include "ZPInspector.h"
#include "ZPWindowMenus.h"
#include "ZPZervDialogEditorDocument.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include <QWindow>
#include <algorithm>

ZPZervDialogEditorApplicationController::ZPZervDialogEditorApplicationController() {
    ZPDocumentController& documents = ZPDocumentController::sharedDocumentController();
    documents.setDocumentFactory([] { return std::make_shared<ZPZervDialogEditorDocument>(); });
    documents.commitEditing = [] { ZPInspector::defaultInspector()->commitEditing(); };
    makeActions();
    ZPSetWindowMenuInstaller(
        [this](QMainWindow* window) { window->setMenuBar(makeMenuBar(window)); });
    connect(&documents, &ZPDocumentController::documentsChanged, this, [this, &documents] {
        for (const auto& d : documents.documents())
            connect(d.get(), &ZPDocument::documentEditedChanged, this,
                    &ZPZervDialogEditorApplicationController::updateActions, Qt::UniqueConnection);
        updateActions();
    });
    connect(qApp, &QApplication::focusWindowChanged, this,
            &ZPZervDialogEditorApplicationController::updateActions);
    ZPInspector::defaultInspector()->setPanelMenuBar(makeMenuBar(nullptr));
    updateActions();
}

ZPZervDialogEditorApplicationController::~ZPZervDialogEditorApplicationController() {
    ZPSetWindowMenuInstaller(nullptr);
}

void ZPZervDialogEditorApplicationController::applicationDidFinishLaunching() {
    showInspector();
}

void ZPZervDialogEditorApplicationController::showInspector() {
    QWidget* panel = ZPInspector::defaultInspector()->panel();
    if (!inspectorPlaced_) {
        // First showing: the top right of the screen, clear of the document windows.
        inspectorPlaced_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            panel->move(area.right() - std::max(panel->frameGeometry().width(), 400) - 16,
                        area.top() + 16);
        }
    }
    ZPInspector::defaultInspector()->showWindow();
}

ZPDocument* ZPZervDialogEditorApplicationController::activeDocument() const {
    return ZPDocumentController::sharedDocumentController().documentForWindow(
        QApplication::activeWindow());
}

ZPDocument* ZPZervDialogEditorApplicationController::currentDocument() const {
    return ZPDocumentController::sharedDocumentController().currentDocument();
}

void ZPZervDialogEditorApplicationController::makeActions() {
    ZPDocumentController& documents = ZPDocumentController::sharedDocumentController();
    const auto make = [this](const QString& text, const QKeySequence& keys, auto slot) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    open_ = make(tr("&Open…"), QKeySequence::Open, [&documents] { documents.openDocument(); });
    close_ = make(tr("&Close"), QKeySequence::Close,
                  [this, &documents] { documents.closeDocument(currentDocument()); });
    save_ = make(tr("&Save"), QKeySequence::Save,
                 [this, &documents] { documents.saveDocument(currentDocument()); });
    saveAs_ = make(tr("Save &As…"), QKeySequence::SaveAs,
                   [this, &documents] { documents.saveDocumentAs(currentDocument()); });
    revert_ = make(tr("&Revert to Saved"), QKeySequence(),
                   [this, &documents] { documents.revertDocumentToSaved(currentDocument()); });
    quit_ = make(tr("&Quit"), QKeySequence::Quit, [this] { quit(); });
    quit_->setMenuRole(QAction::QuitRole);
    newControl_ = make(tr("&New Control"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), [this] {
        if (auto* d = dynamic_cast<ZPZervDialogEditorDocument*>(currentDocument()))
            d->newControl();
    });
    delete_ = make(tr("&Delete"), QKeySequence::Delete, [this] {
        // Only in a document's own windows: Delete in the inspector is not meant for
        // the canvas.
        if (auto* d = dynamic_cast<ZPZervDialogEditorDocument*>(activeDocument()))
            d->deleteSelection();
    });
    showInspector_ = make(tr("Show &Inspector"), QKeySequence(Qt::CTRL | Qt::Key_I),
                          [this] { showInspector(); });
    about_ = make(tr("&About Zerv Dialog Editor"), QKeySequence(), [this] { showAbout(); });
    about_->setMenuRole(QAction::AboutRole);
}

void ZPZervDialogEditorApplicationController::updateActions() {
    ZPDocument* document = currentDocument();
    const bool has = document != nullptr;
    for (QAction* a : {close_, save_, saveAs_, newControl_})
        a->setEnabled(has);
    delete_->setEnabled(activeDocument() != nullptr);
    revert_->setEnabled(has && document->isDocumentEdited() && !document->fileName().isEmpty());
}

QMenuBar* ZPZervDialogEditorApplicationController::makeMenuBar(QWidget* parent) {
    auto* bar = new QMenuBar(parent);
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(open_);
    QMenu* recent = file->addMenu(tr("Open &Recent"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    fillRecentMenu(recent); // so the submenu is not empty before it is first shown
    file->addSeparator();
    file->addAction(close_);
    file->addAction(save_);
    file->addAction(saveAs_);
    file->addAction(revert_);
    file->addSeparator();
    file->addAction(quit_);
    connect(file, &QMenu::aboutToShow, this,
            &ZPZervDialogEditorApplicationController::updateActions);

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(newControl_);
    edit->addAction(delete_);
    connect(edit, &QMenu::aboutToShow, this,
            &ZPZervDialogEditorApplicationController::updateActions);

    QMenu* window = bar->addMenu(tr("&Window"));
    window->addAction(showInspector_);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->addAction(about_);
    return bar;
}

void ZPZervDialogEditorApplicationController::fillRecentMenu(QMenu* menu) {
    menu->clear();
    ZPDocumentController& documents = ZPDocumentController::sharedDocumentController();
    const QStringList recent = documents.recentDocumentFileNames();
    for (const QString& path : recent) {
        QAction* a = menu->addAction(QFileInfo(path).fileName());
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [path, &documents] { documents.openFiles({path}); });
    }
    if (!recent.isEmpty())
        menu->addSeparator();
    QAction* clear = menu->addAction(tr("Clear Menu"));
    clear->setEnabled(!recent.isEmpty());
    connect(clear, &QAction::triggered, this, [&documents] { documents.clearRecentDocuments(); });
}

void ZPZervDialogEditorApplicationController::showAbout() {
    QMessageBox::about(
        QApplication::activeWindow(), tr("About Zerv Dialog Editor"),
        tr("<h3>Zerv Dialog Editor %1</h3>"
           "<p>Opens the dialog tag files ('zerv' and 'zrv2') of the game, shows their "
           "controls on a canvas, and saves them back byte for byte where nothing changed.</p>")
            .arg(QApplication::applicationVersion()));
}

void ZPZervDialogEditorApplicationController::quit() {
    if (ZPDocumentController::sharedDocumentController().closeAllDocuments())
        QApplication::quit();
}
