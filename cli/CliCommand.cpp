#include "cli/CliCommand.h"

#include <cstdio>

const std::vector<CliCommand> &CliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"check", "PROJECT [--duplicates=cancel|skip]",
         "load the project and report every problem on stderr", RunCheck},
        {"tree", "PROJECT [--duplicates=cancel|skip]",
         "load the project and list its objects: ID and type code, indented by depth", RunTree},
        {"export", "PROJECT [--output FILE] [--update-version] [--duplicates=cancel|skip]",
         "load the project and write it again as the designer saves it", RunExport},
        {"generate",
         "PROJECT [--templates DIR] [--style STYLE] [--casing N] [--output FILE] "
         "[--duplicates=cancel|skip]",
         "load the project and write its generated program code", RunGenerate},
        {"analyze",
         "PROJECT PROGRAM [--templates DIR] [--style STYLE] [--casing N] [--duplicates=cancel|skip]",
         "report which sections and event handlers of the program are missing, unused or stale",
         RunAnalyze},
        {"update",
         "PROJECT PROGRAM [--templates DIR] [--style STYLE] [--casing N] [--repair] [--startup] "
         "[--add-missing] [--remove-unused] [--decoder] [--output FILE] [--duplicates=cancel|skip]",
         "mend the program's structure, startup, handlers and decoder and write it", RunUpdate},
        {"render", "PROJECT [--form ID]... [--output-dir DIR] [--scale FACTOR] [--duplicates=cancel|skip]",
         "draw forms (default every form) as the designer shows them to DIR/<APP>_<FORM>.png",
         RunRender},
    };
    return commands;
}

void CliError(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void CliOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int CliUsage(const char *command, const QString &message)
{
    for (const CliCommand &c : CliCommands())
        if (qstrcmp(c.Name, command) == 0)
            CliError(QStringLiteral("corvane %1: %2\nusage: corvane %1 %3")
                         .arg(QLatin1String(command), message, QLatin1String(c.Synopsis)));
    return CliExit::Usage;
}
