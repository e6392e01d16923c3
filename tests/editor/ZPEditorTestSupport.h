// Shared helpers of the editor tests: dialog files built from a few lines, a scratch
// folder, and a document controller whose dialogs answer as the test says.
#pragma once

#include "ZPDocumentController.h"
#include "ZPInspector.h"
#include "ZPTagFile.h"
#include "ZPZervDialogEditorDocument.h"

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

struct ZPTestControl {
    uint32_t tag;
    int16_t itemID;
    ZPBounds bounds; // top, left, bottom, right
    std::string text;
};

// A 'zerv' (or 'zrv2') file with the dialog record at 64 and the given controls.
inline QByteArray ZPMakeDialogFile(ZPBounds dialogBounds, const std::vector<ZPTestControl>& list,
                                   uint32_t signature = ZPSignatureZerv,
                                   const std::string& name = "test_dialog") {
    ZPTagHeader header;
    header.setSignature(signature);
    header.setDialogOffset(64);
    const size_t nameAt = ZPTagHeader::nameOffset(header.headerVersion());
    for (size_t i = 0; i < name.size() && i < 31; ++i)
        header.bytes[nameAt + i] = uint8_t(name[i]);
    ZPDialogRecord dialog;
    dialog.set_control_count(int16_t(list.size()));
    dialog.set_bounds(dialogBounds);
    std::vector<ZPTagFileControl> controls;
    for (const ZPTestControl& c : list) {
        ZPTagFileControl control;
        control.record.set_tag(c.tag);
        control.record.set_item_id(c.itemID);
        control.record.set_bounds(c.bounds);
        control.text = c.text;
        controls.push_back(control);
    }
    std::vector<uint8_t> bytes;
    ZPTagFileWrite(header, dialog, controls, bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline QString ZPWriteTestFile(const QTemporaryDir& dir, const QString& name,
                               const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

inline QByteArray ZPReadTestFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the document controller quiet and scriptable: errors are recorded, and the
// save question is answered with `answer`.
struct ZPScriptedDocumentController {
    ZPDocumentController& controller = ZPDocumentController::sharedDocumentController();
    QStringList errors;
    QStringList questions;
    ZPDocumentController::SaveAnswer answer = ZPDocumentController::SaveAnswer::Cancel;
    QString saveAsPath;

    ZPScriptedDocumentController() {
        QStandardPaths::setTestModeEnabled(true);
        controller.setDocumentFactory(
            [] { return std::make_shared<ZPZervDialogEditorDocument>(); });
        controller.presentError = [this](const QString& message, const QString& reason) {
            errors << message + QLatin1Char('\n') + reason;
        };
        controller.askToSave = [this](ZPDocument* d, const QString& action) {
            questions << d->displayName() + QLatin1Char(' ') + action;
            return answer;
        };
        controller.chooseSaveFileName = [this](ZPDocument*) { return saveAsPath; };
        controller.commitEditing = [] { ZPInspector::defaultInspector()->commitEditing(); };
    }
    ~ZPScriptedDocumentController() {
        ZPInspector::defaultInspector()->setInspectedObject(nullptr);
        controller.discardAllDocuments();
    }

    ZPZervDialogEditorDocument* open(const QString& path) {
        QString error;
        auto d = controller.openDocumentWithContentsOfFile(path, false, &error);
        return dynamic_cast<ZPZervDialogEditorDocument*>(d.get());
    }
};
