#include "ZPDocument.h"

#include "ZPFileIO.h"
#include "ZPWindowController.h"

#include <QFileInfo>
#include <QWidget>

ZPDocument::ZPDocument() = default;

ZPDocument::~ZPDocument() {
    releaseWindowControllers();
}

void ZPDocument::releaseWindowControllers() {
    for (auto& controller : windowControllers_)
        controller->close();
    windowControllers_.clear();
}

void ZPDocument::setFileName(const QString& path) {
    if (fileName_ == path)
        return;
    fileName_ = path;
    for (auto& controller : windowControllers_)
        controller->synchronizeWindowTitleWithDocumentName();
    emit fileNameChanged(path);
}

QString ZPDocument::displayName() const {
    return fileName_.isEmpty() ? tr("Untitled") : QFileInfo(fileName_).fileName();
}

void ZPDocument::setDocumentEdited(bool edited) {
    if (edited_ == edited)
        return;
    edited_ = edited;
    for (auto& controller : windowControllers_) {
        if (QWidget* w = controller->window())
            w->setWindowModified(edited);
    }
    emit documentEditedChanged(edited);
}

bool ZPDocument::readFromFile(const QString& path, QString* error) {
    QByteArray data;
    if (!ZPReadWholeFile(path, data, error))
        return false;
    if (!readFromData(data, error))
        return false;
    setFileName(path);
    return true;
}

bool ZPDocument::writeToFile(const QString& path, QString* error) {
    QByteArray data;
    if (!dataOfType(data, error))
        return false;
    if (!ZPWriteFileAtomically(path, data, error))
        return false;
    setFileName(path);
    setDocumentEdited(false);
    return true;
}

bool ZPDocument::revertToSaved(QString* error) {
    if (fileName_.isEmpty()) {
        if (error)
            *error = tr("The document has never been saved.");
        return false;
    }
    QByteArray data;
    if (!ZPReadWholeFile(fileName_, data, error))
        return false;
    if (!readFromData(data, error))
        return false;
    setDocumentEdited(false);
    didRevert();
    emit contentsReloaded();
    return true;
}

void ZPDocument::addWindowController(std::unique_ptr<ZPWindowController> controller) {
    controller->setDocument(this);
    if (QWidget* w = controller->window())
        w->setWindowModified(edited_);
    windowControllers_.push_back(std::move(controller));
}

void ZPDocument::showWindows() {
    for (auto it = windowControllers_.rbegin(); it != windowControllers_.rend(); ++it)
        (*it)->showWindow();
}

void ZPDocument::close() {
    for (auto& controller : windowControllers_)
        controller->close();
}

bool ZPDocument::ownsWindow(const QWidget* window) const {
    if (!window)
        return false;
    for (const auto& controller : windowControllers_) {
        if (controller->window() == window)
            return true;
    }
    return false;
}
