// File and console helpers shared by the subcommands of `zervtag`.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class ZPZervDialogDocument;

// Reads a whole file. Answers false with the reason in `error`.
bool zervtagReadFile(const QString& path, QByteArray& contents, QString& error);

// Loads a dialog tag file into `document`. Answers false with the reason in `error`:
// the file cannot be read, or the reader refuses it.
bool zervtagLoadDocument(const QString& path, ZPZervDialogDocument& document, QString& error);

// Writes `bytes` to `path` all or nothing (QSaveFile): on failure the file at `path`
// is as it was. Answers false with the reason in `error`.
bool zervtagWriteFileAtomically(const QString& path, const std::vector<uint8_t>& bytes,
                                QString& error);

// Writes to standard output or standard error; answers false when the write failed.
bool zervtagPrint(const QByteArray& text);
void zervtagPrintError(const QString& message); // "zervtag: message\n" on standard error
