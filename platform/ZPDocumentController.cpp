#include "ZPDocumentController.h"

#include "ZPDocument.h"
#include "ZPWindowController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString c = info.canonicalFilePath();
    return c.isEmpty() ? info.absoluteFilePath() : c;
}

const char* const kRecentKey = "recentDocuments";

} // namespace

ZPDocumentController& ZPDocumentController::sharedDocumentController() {
    // Made once and never destroyed: its windows must go before the application object,
    // which discardAllDocuments() on aboutToQuit sees to.
    static ZPDocumentController* controller = new ZPDocumentController;
    return *controller;
}

ZPDocumentController::ZPDocumentController() {
    installDefaultHooks();
    if (qApp) {
        connect(qApp, &QCoreApplication::aboutToQuit, this,
                &ZPDocumentController::discardAllDocuments);
        connect(qApp, &QApplication::focusWindowChanged, this,
                &ZPDocumentController::noteFocusWindow);
    }
}

void ZPDocumentController::installDefaultHooks() {
    askToSave = [](ZPDocument* document, const QString& action) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("Do you want to save the changes you made to “%1” before %2?")
                            .arg(document->displayName(), action),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setInformativeText(tr("Your changes will be lost if you don’t save them."));
        box.button(QMessageBox::Discard)->setText(tr("Don’t Save"));
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::DontSave;
        default:
            return SaveAnswer::Cancel;
        }
    };
    presentError = [](const QString& message, const QString& reason) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), message);
        box.setInformativeText(reason);
        box.exec();
    };
    chooseFilesToOpen = [] {
        return QFileDialog::getOpenFileNames(QApplication::activeWindow(), tr("Open"), QString(),
                                             tr("Dialog tag files (*)"));
    };
    chooseSaveFileName = [](ZPDocument* document) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), tr("Save As"),
                                            document->fileName());
    };
}

void ZPDocumentController::setDocumentFactory(
    std::function<std::shared_ptr<ZPDocument>()> factory) {
    factory_ = std::move(factory);
}

std::shared_ptr<ZPDocument> ZPDocumentController::documentForFileName(const QString& path) const {
    const QString wanted = canonical(path);
    for (const auto& d : documents_) {
        if (!d->fileName().isEmpty() && canonical(d->fileName()) == wanted)
            return d;
    }
    return nullptr;
}

ZPDocument* ZPDocumentController::documentForWindow(const QWidget* window) const {
    for (const auto& d : documents_) {
        if (d->ownsWindow(window))
            return d.get();
    }
    return nullptr;
}

void ZPDocumentController::noteFocusWindow() {
    if (ZPDocument* d = documentForWindow(QApplication::activeWindow()))
        lastCurrent_ = d;
}

ZPDocument* ZPDocumentController::currentDocument() const {
    if (ZPDocument* d = documentForWindow(QApplication::activeWindow()))
        return d;
    if (lastCurrent_)
        return lastCurrent_.data();
    return documents_.empty() ? nullptr : documents_.back().get();
}

std::shared_ptr<ZPDocument>
ZPDocumentController::openDocumentWithContentsOfFile(const QString& path, bool display,
                                                     QString* error) {
    if (auto open = documentForFileName(path)) {
        if (display)
            open->showWindows();
        lastCurrent_ = open.get();
        return open;
    }
    if (!factory_) {
        if (error)
            *error = tr("The application cannot make documents.");
        return nullptr;
    }
    std::shared_ptr<ZPDocument> document = factory_();
    if (!document->readFromFile(path, error))
        return nullptr;
    documents_.push_back(document);
    document->makeWindowControllers();
    if (display)
        document->showWindows();
    lastCurrent_ = document.get();
    noteNewRecentDocument(path);
    emit documentsChanged();
    return document;
}

bool ZPDocumentController::openFiles(const QStringList& paths) {
    bool all = true;
    for (const QString& path : paths) {
        QString error;
        if (!openDocumentWithContentsOfFile(path, true, &error)) {
            all = false;
            presentError(
                tr("The document “%1” could not be opened.")
                    .arg(QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName()),
                path + QStringLiteral(": ") + error);
        }
    }
    return all;
}

void ZPDocumentController::openDocument() {
    openFiles(chooseFilesToOpen());
}

void ZPDocumentController::commitPendingEdits() {
    if (commitEditing)
        commitEditing();
}

bool ZPDocumentController::saveDocument(ZPDocument* document) {
    if (!document)
        return false;
    commitPendingEdits();
    if (document->fileName().isEmpty())
        return saveDocumentAs(document);
    QString error;
    if (!document->writeToFile(document->fileName(), &error)) {
        presentError(tr("The document “%1” could not be saved.").arg(document->displayName()),
                     error);
        return false;
    }
    return true;
}

bool ZPDocumentController::saveDocumentAs(ZPDocument* document) {
    if (!document)
        return false;
    commitPendingEdits();
    const QString path = chooseSaveFileName(document);
    if (path.isEmpty())
        return false;
    const std::shared_ptr<ZPDocument> holder = documentForFileName(path);
    if (holder && holder.get() != document) {
        // Two documents on one file would overwrite each other's saves.
        presentError(tr("The document “%1” could not be saved as “%2”.")
                         .arg(document->displayName(), QFileInfo(path).fileName()),
                     tr("That file is open in the editor. Close it first, or choose another "
                        "name."));
        return false;
    }
    QString error;
    if (!document->writeToFile(path, &error)) {
        presentError(tr("The document “%1” could not be saved as “%2”.")
                         .arg(document->displayName(), QFileInfo(path).fileName()),
                     error);
        return false;
    }
    noteNewRecentDocument(path);
    return true;
}

bool ZPDocumentController::confirmDiscarding(ZPDocument* document, const QString& action) {
    commitPendingEdits();
    if (!document->isDocumentEdited())
        return true;
    switch (askToSave(document, action)) {
    case SaveAnswer::Save:
        return saveDocument(document);
    case SaveAnswer::DontSave:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool ZPDocumentController::revertDocumentToSaved(ZPDocument* document) {
    if (!document || document->fileName().isEmpty())
        return false;
    if (!confirmDiscarding(document, tr("reverting")))
        return false;
    QString error;
    if (!document->revertToSaved(&error)) {
        presentError(tr("The document “%1” could not be reverted.").arg(document->displayName()),
                     error);
        return false;
    }
    return true;
}

bool ZPDocumentController::closeDocument(ZPDocument* document) {
    const auto it = std::find_if(documents_.begin(), documents_.end(),
                                 [document](const auto& d) { return d.get() == document; });
    if (it == documents_.end())
        return false;
    if (!confirmDiscarding(document, tr("closing")))
        return false;
    removeDocument(document);
    return true;
}

void ZPDocumentController::removeDocument(ZPDocument* document) {
    const auto it = std::find_if(documents_.begin(), documents_.end(),
                                 [document](const auto& d) { return d.get() == document; });
    if (it == documents_.end())
        return;
    std::shared_ptr<ZPDocument> keep = *it;
    documents_.erase(it);
    keep->close();
    closing_.push_back(std::move(keep));
    QMetaObject::invokeMethod(
        this, [this] { closing_.clear(); }, Qt::QueuedConnection);
    emit documentsChanged();
}

bool ZPDocumentController::closeAllDocuments() {
    while (!documents_.empty()) {
        if (!closeDocument(documents_.front().get()))
            return false;
    }
    return true;
}

void ZPDocumentController::discardAllDocuments() {
    std::vector<std::shared_ptr<ZPDocument>> all;
    all.swap(documents_);
    for (auto& d : all)
        d->close();
    all.clear();
    closing_.clear();
    emit documentsChanged();
}

QStringList ZPDocumentController::recentDocumentFileNames() const {
    return QSettings().value(kRecentKey).toStringList();
}

void ZPDocumentController::noteNewRecentDocument(const QString& path) {
    const QString full = canonical(path);
    QStringList list = recentDocumentFileNames();
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > kMaximumRecentDocuments)
        list.removeLast();
    QSettings().setValue(kRecentKey, list);
    emit recentDocumentsChanged();
}

void ZPDocumentController::clearRecentDocuments() {
    QSettings().remove(kRecentKey);
    emit recentDocumentsChanged();
}
