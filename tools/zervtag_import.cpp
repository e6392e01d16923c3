// zervtag import JSON OUT: writes the dialog tag file that JSON describes. Nothing is
// written unless the whole description is valid, and then all at once.
#include "ZPTagJson.h"
#include "ZervtagCommand.h"
#include "ZervtagIO.h"

int zervtagImport(const QStringList& operands) {
    const QString& jsonPath = operands.at(0);
    const QString& outPath = operands.at(1);
    QByteArray json;
    QString error;
    if (!zervtagReadFile(jsonPath, json, error)) {
        zervtagPrintError(jsonPath + QStringLiteral(": ") + error);
        return ZervtagFailed;
    }
    std::vector<uint8_t> bytes;
    if (!ZPTagJsonToFile(json, bytes, error)) {
        zervtagPrintError(jsonPath + QStringLiteral(": ") + error);
        return ZervtagFailed;
    }
    if (!zervtagWriteFileAtomically(outPath, bytes, error)) {
        zervtagPrintError(outPath + QStringLiteral(": cannot be written: ") + error);
        return ZervtagFailed;
    }
    return ZervtagOk;
}
