// zervtag: a command-line companion for modders working with dialog tag files.
// main only picks the subcommand from the table and checks the number of operands.
#include "ZervtagCommand.h"
#include "ZervtagIO.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

const ZervtagCommand kCommands[] = {
    {"export", "FILE", "print FILE as JSON on standard output", 1, 1, zervtagExport},
    {"import", "JSON OUT", "write the dialog tag file that JSON describes to OUT", 2, 2,
     zervtagImport},
    {"check", "FILE...", "say for each FILE whether it can be loaded, and if not, why", 1, -1,
     zervtagCheck},
    {"render", "FILE OUT.png",
     "draw the dialog as the editor's canvas shows it, with nothing selected, to a PNG", 2, 2,
     zervtagRender},
};

QByteArray usageLine(const ZervtagCommand& c) {
    return QByteArray("zervtag ") + c.name + ' ' + c.operands;
}

QByteArray helpText() {
    QByteArray text = "Usage: zervtag COMMAND ARGUMENTS...\n"
                      "       zervtag --help | --version\n"
                      "\n"
                      "Reads, checks and writes the dialog tag files ('zerv' and 'zrv2') of the\n"
                      "Zerv dialog editor.\n"
                      "\n"
                      "Commands:\n";
    for (const ZervtagCommand& c : kCommands) {
        const QByteArray line = "  " + QByteArray(c.name) + ' ' + c.operands;
        text += line.leftJustified(24, ' ') + ' ' + c.summary + '\n';
    }
    text += "\n"
            "JSON shape (zervtag export prints it, zervtag import reads it):\n"
            "  {\"header_version\": 1, \"header\": \"<128 hex digits>\", \"tag_name\": \"...\",\n"
            "   \"subgroup\": \"abcd\", \"dialog\": {\"version\": 0, \"control_count\": 1,\n"
            "   \"bounds\": {\"top\": 0, \"left\": 0, \"bottom\": 480, \"right\": 640}},\n"
            "   \"controls\": [{\"tag\": \"butt\", \"padding\": 0, \"item_id\": 1,\n"
            "   \"bitmap_ids\": [-1, 5], \"flags\": 0, \"state\": 0, \"bounds\": {...},\n"
            "   \"text\": \"OK\"}]}\n"
            "\n"
            "Exit status: 0 success, 1 an input cannot be loaded or an output cannot be\n"
            "written, 2 usage error.\n";
    return text;
}

int usageError(const QString& message) {
    zervtagPrintError(message + QStringLiteral("\nTry 'zervtag --help' for more information."));
    return ZervtagUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usageError(QStringLiteral("no command given"));
    const char* first = argv[1];
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0)
        return zervtagPrint(helpText()) ? ZervtagOk : ZervtagFailed;
    if (std::strcmp(first, "--version") == 0)
        return zervtagPrint("zervtag " ZERVTAG_VERSION "\n") ? ZervtagOk : ZervtagFailed;

    for (const ZervtagCommand& c : kCommands) {
        if (std::strcmp(first, c.name) != 0)
            continue;
        QStringList operands;
        for (int i = 2; i < argc; ++i)
            operands << QString::fromLocal8Bit(argv[i]);
        const int count = int(operands.size());
        if (count < c.minOperands || (c.maxOperands >= 0 && count > c.maxOperands)) {
            return usageError(QStringLiteral("wrong number of arguments for '%1'\nUsage: %2")
                                  .arg(QLatin1String(c.name), QString::fromLatin1(usageLine(c))));
        }
        return c.run(operands);
    }
    if (first[0] == '-')
        return usageError(QStringLiteral("unknown option '%1'").arg(QString::fromLocal8Bit(first)));
    return usageError(QStringLiteral("unknown command '%1'").arg(QString::fromLocal8Bit(first)));
}
