// Whole-file reading and all-or-nothing writing. A failed write leaves the file on
// disk exactly as it was, and every error says which step failed.
#pragma once

#include <QByteArray>
#include <QString>

// Files larger than this are refused instead of being read into memory.
constexpr qint64 ZPMaximumFileSize = 256 * 1024 * 1024;

// Errors read as a continuation of the file's name: "path: cannot be read: ...".
bool ZPReadWholeFile(const QString& path, QByteArray& out, QString* error);

// Writes through QSaveFile: a temporary file beside the target, every write checked,
// then an atomic rename.
bool ZPWriteFileAtomically(const QString& path, const QByteArray& data, QString* error);
