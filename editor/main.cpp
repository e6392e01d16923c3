// zerv-dialog-editor [FILE...]: opens the named dialog tag files, or none, and shows
// the inspector.
#include "ZPDocumentController.h"
#include "ZPStripedTableView.h"
#include "ZPZervDialogEditorApplicationController.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Every table and tree of the process is striped, so this comes before any window.
    ZPStripedTableView::install(application);
    QApplication::setApplicationName(QStringLiteral("zerv-dialog-editor"));
    QApplication::setOrganizationName(QStringLiteral("zerv-dialog-editor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zerv Dialog Editor"));
    QApplication::setApplicationVersion(QStringLiteral(ZP_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zerv-dialog-editor"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the dialog tag files ('zerv' and 'zrv2') of the game."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Dialog tag files to open."),
                                 QStringLiteral("[FILE...]"));
    parser.process(application);

    ZPZervDialogEditorApplicationController controller;
    QTimer::singleShot(0, &controller, [&controller, &parser] {
        ZPDocumentController::sharedDocumentController().openFiles(parser.positionalArguments());
        controller.applicationDidFinishLaunching();
    });
    return application.exec();
}
