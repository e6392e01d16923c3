// A document of the application: a file's contents in memory, its windows, and
// whether it has changes that are not saved yet. Subclasses load and produce the
// bytes and make the windows; this class does the file handling around them.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class ZPWindowController;

class ZPDocument : public QObject {
    Q_OBJECT
public:
    ZPDocument();
    ~ZPDocument() override;

    QString fileName() const { return fileName_; }
    void setFileName(const QString& path);
    // The file's name without its folder, for titles and messages.
    QString displayName() const;

    bool isDocumentEdited() const { return edited_; }
    void setDocumentEdited(bool edited);

    // Reads the file and hands its bytes to readFromData(); the document keeps what it
    // had when this fails, and `error` says why.
    bool readFromFile(const QString& path, QString* error);
    // Writes dataOfType() to `path` all-or-nothing; on success the document takes that
    // path as its file and is no longer marked edited.
    bool writeToFile(const QString& path, QString* error);
    // Reloads the file the document came from, dropping its unsaved changes.
    bool revertToSaved(QString* error);

    virtual bool readFromData(const QByteArray& data, QString* error) = 0;
    virtual bool dataOfType(QByteArray& data, QString* error) const = 0;

    // Called once after the document was read, to make its windows.
    virtual void makeWindowControllers() = 0;
    void addWindowController(std::unique_ptr<ZPWindowController> controller);
    const std::vector<std::unique_ptr<ZPWindowController>>& windowControllers() const {
        return windowControllers_;
    }
    // Shows every window and brings them to the front, the first one last (on top).
    void showWindows();
    // Closes the windows without asking anything; the document controller asks first.
    virtual void close();

    // Whether `window` is one of this document's windows.
    bool ownsWindow(const QWidget* window) const;

signals:
    void documentEditedChanged(bool edited);
    void fileNameChanged(const QString& path);
    // A reload replaced the contents (revert): windows refresh from the model.
    void contentsReloaded();

protected:
    // Hook for subclasses to redo what depends on the contents after a revert.
    virtual void didRevert() {}
    // Destroys the windows now; subclasses whose windows refer back to them call this
    // from their destructor, before their own parts are gone.
    void releaseWindowControllers();

private:
    QString fileName_;
    bool edited_ = false;
    std::vector<std::unique_ptr<ZPWindowController>> windowControllers_;
};
