#include "ZervtagIO.h"

#include "ZPZervDialogDocument.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

bool zervtagReadFile(const QString& path, QByteArray& contents, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    return true;
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const qint64 size = qint64(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
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
