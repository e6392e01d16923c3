// zervtag check FILE...: one line per file, "FILE: ok" or "FILE: " and why it cannot
// be loaded. Succeeds only when every file loads.
#include "ZPZervDialogDocument.h"
#include "ZervtagCommand.h"
#include "ZervtagIO.h"

int zervtagCheck(const QStringList& operands) {
    int status = ZervtagOk;
    for (const QString& path : operands) {
        ZPZervDialogDocument document;
        QString error;
        const bool loaded = zervtagLoadDocument(path, document, error);
        if (!loaded)
            status = ZervtagFailed;
        const QString line = path + QStringLiteral(": ") + (loaded ? QStringLiteral("ok") : error) +
                             QLatin1Char('\n');
        if (!zervtagPrint(line.toLocal8Bit())) {
            zervtagPrintError(QStringLiteral("cannot write to standard output"));
            return ZervtagFailed;
        }
    }
    return status;
}
