#include "ZPWindowController.h"

#include "ZPDocument.h"
#include "ZPDocumentController.h"

#include <QCloseEvent>
#include <QWidget>

ZPWindowController::ZPWindowController(QWidget* window, const QString& titleSuffix)
    : window_(window), titleSuffix_(titleSuffix) {
    if (window_)
        window_->installEventFilter(this);
}

ZPWindowController::~ZPWindowController() {
    if (window_) {
        window_->removeEventFilter(this);
        delete window_.data();
    }
}

void ZPWindowController::setDocument(ZPDocument* document) {
    document_ = document;
    synchronizeWindowTitleWithDocumentName();
}

void ZPWindowController::synchronizeWindowTitleWithDocumentName() {
    if (!window_ || !document_)
        return;
    // "[*]" is where Qt shows the unsaved-changes mark of setWindowModified().
    window_->setWindowTitle(document_->displayName() + QStringLiteral("[*]") + titleSuffix_);
}

void ZPWindowController::showWindow() {
    if (!window_)
        return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ZPWindowController::close() {
    if (!window_)
        return;
    closing_ = true;
    window_->close();
    closing_ = false;
}

bool ZPWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !closing_ && document_) {
        // The user closed one window of the document: close the whole document, which
        // asks about unsaved changes first; the window stays when the user cancels.
        if (ZPDocumentController::sharedDocumentController().closeDocument(document_)) {
            event->accept();
            return false; // the window closes now, like the document's other windows
        }
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
