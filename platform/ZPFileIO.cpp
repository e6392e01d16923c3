#include "ZPFileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// QFileDevice::errorString() can be as little as "Unknown error": name the step too.
void fail(QString* error, const QString& step, const QFileDevice& file) {
    if (!error)
        return;
    const QString reason = file.errorString();
    *error = reason.isEmpty() ? step : step + QStringLiteral(": ") + reason;
}

} // namespace

bool ZPReadWholeFile(const QString& path, QByteArray& out, QString* error) {
    const QFileInfo info(path);
    if (info.isDir()) {
        if (error)
            *error = QStringLiteral("is a folder, not a file");
        return false;
    }
    if (info.exists() && !info.isFile()) {
        // A device or a pipe could block or never end.
        if (error)
            *error = QStringLiteral("is not a regular file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot be read"), file);
        return false;
    }
    if (file.size() > ZPMaximumFileSize) {
        if (error)
            *error =
                QStringLiteral("The file is %1 bytes long, more than a dialog tag file can be.")
                    .arg(file.size());
        return false;
    }
    // Never more than the limit, even if the file grows while it is read.
    out = file.read(ZPMaximumFileSize);
    if (file.error() != QFileDevice::NoError) {
        fail(error, QStringLiteral("cannot be read"), file);
        return false;
    }
    return true;
}

bool ZPWriteFileAtomically(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a file size limit) shows in the
    // write's own count: buffered, Qt 6.4 can lose the end of the data at commit and
    // still report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(error, QStringLiteral("Could not create a temporary file beside the file"), file);
        return false;
    }
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 n = file.write(data.constData() + written, data.size() - written);
        if (n <= 0) {
            fail(error, QStringLiteral("Could not write the data"), file);
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    if (!file.commit()) {
        fail(error, QStringLiteral("Could not finish writing and replace the file"), file);
        return false;
    }
    return true;
}
