#include "ZervtagIO.h"

#include "ZPFileIO.h"
#include "ZPZervDialogDocument.h"

#include <cstdio>

bool zervtagReadFile(const QString& path, QByteArray& contents, QString& error) {
    return ZPReadWholeFile(path, contents, &error);
}

bool zervtagLoadDocument(const QString& path, ZPZervDialogDocument& document, QString& error) {
    QByteArray contents;
    if (!zervtagReadFile(path, contents, error))
        return false;
    const std::vector<uint8_t> bytes(contents.begin(), contents.end());
    std::string reason;
    if (!document.loadDataRepresentationOfType(bytes, std::string(), &reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

bool zervtagWriteFileAtomically(const QString& path, const std::vector<uint8_t>& bytes,
                                QString& error) {
    return ZPWriteFileAtomically(
        path, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
        &error);
}

bool zervtagPrint(const QByteArray& text) {
    const size_t size = size_t(text.size());
    return std::fwrite(text.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
}

void zervtagPrintError(const QString& message) {
    const QByteArray line = "zervtag: " + message.toLocal8Bit() + "\n";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
