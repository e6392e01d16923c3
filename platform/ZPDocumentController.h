// The application's documents: opening (file dialog, Open Recent, command line),
// saving, reverting and closing them, with the questions and error messages a user
// expects. The dialogs it shows are hooks that tests replace.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;
class ZPDocument;

class ZPDocumentController : public QObject {
    Q_OBJECT
public:
    enum class SaveAnswer { Save, DontSave, Cancel };

    static ZPDocumentController& sharedDocumentController();

    // Makes the empty documents that files are read into.
    void setDocumentFactory(std::function<std::shared_ptr<ZPDocument>()> factory);

    const std::vector<std::shared_ptr<ZPDocument>>& documents() const { return documents_; }
    std::shared_ptr<ZPDocument> documentForFileName(const QString& path) const;
    ZPDocument* documentForWindow(const QWidget* window) const;
    // The document whose window is active, else the one whose window was active last.
    ZPDocument* currentDocument() const;

    // Opens a file, or brings its windows forward when it is open already. Answers
    // null when it cannot be read, with the reason in `error`; nothing is shown.
    std::shared_ptr<ZPDocument> openDocumentWithContentsOfFile(const QString& path, bool display,
                                                               QString* error);
    // Opens each file, telling the user about each one that fails. Answers whether all opened.
    bool openFiles(const QStringList& paths);
    // Asks for files to open (File ▸ Open…).
    void openDocument();

    bool saveDocument(ZPDocument* document);
    bool saveDocumentAs(ZPDocument* document);
    bool revertDocumentToSaved(ZPDocument* document);
    // Closes a document, asking first when it has unsaved changes. Answers false when
    // the user cancelled or saving failed; the document then stays open.
    bool closeDocument(ZPDocument* document);
    // Closes every document, asking about each edited one; stops at the first cancel.
    bool closeAllDocuments();
    // Drops every document without asking (the process is ending, or a test is done).
    void discardAllDocuments();

    QStringList recentDocumentFileNames() const;
    void noteNewRecentDocument(const QString& path);
    void clearRecentDocuments();

    // Commits edits that are typed but not yet committed (in an inspector, say) before a
    // document is saved, reverted or closed. Nothing by default.
    std::function<void()> commitEditing;

    // Presentation hooks, standard dialogs by default.
    std::function<SaveAnswer(ZPDocument*, const QString& action)> askToSave;
    std::function<void(const QString& message, const QString& reason)> presentError;
    std::function<QStringList()> chooseFilesToOpen;
    std::function<QString(ZPDocument*)> chooseSaveFileName;

    static constexpr int kMaximumRecentDocuments = 10;

signals:
    void documentsChanged();
    void recentDocumentsChanged();

private:
    ZPDocumentController();
    void installDefaultHooks();
    void commitPendingEdits();
    void noteFocusWindow();
    void removeDocument(ZPDocument* document);
    bool confirmDiscarding(ZPDocument* document, const QString& action);

    std::function<std::shared_ptr<ZPDocument>()> factory_;
    std::vector<std::shared_ptr<ZPDocument>> documents_;
    // Closed documents wait here until control is back in the event loop, since the
    // close may have started inside one of their own windows' event handlers.
    std::vector<std::shared_ptr<ZPDocument>> closing_;
    QPointer<ZPDocument> lastCurrent_;
};
