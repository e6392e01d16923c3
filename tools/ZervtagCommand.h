// The subcommands of `zervtag`, dispatched by name from one table in zervtag.cpp.
// A new subcommand is a function in its own zervtag_<name>.cpp, declared here and
// given one line of that table.
#pragma once

#include <QStringList>

struct ZervtagCommand {
    const char* name;
    const char* operands; // for the usage text, e.g. "JSON OUT"
    const char* summary;
    int minOperands;
    int maxOperands; // -1: no limit
    // Gets the operands after the command's name; answers the exit status.
    int (*run)(const QStringList& operands);
};

// Exit statuses.
constexpr int ZervtagOk = 0;
constexpr int ZervtagFailed = 1; // an input cannot be loaded, an output cannot be written
constexpr int ZervtagUsage = 2;

int zervtagExport(const QStringList& operands);
int zervtagImport(const QStringList& operands);
int zervtagCheck(const QStringList& operands);
int zervtagRender(const QStringList& operands);
