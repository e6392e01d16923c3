// zervtag export FILE: the file as JSON on standard output.
#include "ZPTagJson.h"
#include "ZPZervDialogDocument.h"
#include "ZervtagCommand.h"
#include "ZervtagIO.h"

int zervtagExport(const QStringList& operands) {
    const QString& path = operands.at(0);
    ZPZervDialogDocument document;
    QString error;
    if (!zervtagLoadDocument(path, document, error)) {
        zervtagPrintError(path + QStringLiteral(": ") + error);
        return ZervtagFailed;
    }
    if (!zervtagPrint(ZPTagJsonFromDocument(document))) {
        zervtagPrintError(QStringLiteral("cannot write to standard output"));
        return ZervtagFailed;
    }
    return ZervtagOk;
}
