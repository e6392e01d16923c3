// The application's controller: never makes an untitled document, shows the shared
// inspector when launching has finished and on request, and owns the application's
// menu, which every window carries.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class ZPDocument;

class ZPZervDialogEditorApplicationController : public QObject {
    Q_OBJECT
public:
    ZPZervDialogEditorApplicationController();
    ~ZPZervDialogEditorApplicationController() override;

    bool applicationShouldOpenUntitledFile() const { return false; }
    // Shows the inspector; called once the files named at launch have been opened.
    void applicationDidFinishLaunching();
    void showInspector();

    // A new menu bar with the application's menus, for one window.
    QMenuBar* makeMenuBar(QWidget* parent);

    // The menu's commands, for tests and for the windows' menus.
    QAction* openAction() const { return open_; }
    QAction* closeAction() const { return close_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QAction* revertAction() const { return revert_; }
    QAction* quitAction() const { return quit_; }
    QAction* newControlAction() const { return newControl_; }
    QAction* deleteAction() const { return delete_; }
    QAction* showInspectorAction() const { return showInspector_; }
    QAction* aboutAction() const { return about_; }

    // Closes every document, asking about unsaved changes, then ends the application.
    void quit();

private:
    void makeActions();
    void updateActions();
    void fillRecentMenu(QMenu* menu);
    void showAbout();
    // The document of the active window, or of the last active document window.
    ZPDocument* currentDocument() const;
    // The document of the active window only.
    ZPDocument* activeDocument() const;

    QAction* open_ = nullptr;
    QAction* close_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* revert_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* newControl_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* showInspector_ = nullptr;
    QAction* about_ = nullptr;
    bool inspectorPlaced_ = false;
};
