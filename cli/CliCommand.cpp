#include "cli/CliCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

namespace {
// The first error met writing stdout (0 while there was none). Once output is lost, nothing
// more is written, so the tail of a cut-short output cannot pass for the whole.
int &OutError()
{
    static int error = 0;
    return error;
}
} // namespace

bool CliOut(const QByteArray &bytes)
{
    if (OutError() != 0)
        return false;
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (written != size_t(bytes.size()) || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        OutError() = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool CliFinishOutput()
{
    if (OutError() == 0) {
        errno = 0;
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            OutError() = errno != 0 ? errno : EIO;
    }
    if (OutError() == 0)
        return true;
    CliError(QStringLiteral("corvane: cannot write standard output: %1")
                 .arg(QString::fromLocal8Bit(std::strerror(OutError()))));
    return false;
}

int CliUsage(const char *command, const QString &message)
{
    for (const CliCommand &c : CliCommands())
        if (qstrcmp(c.Name, command) == 0)
            CliError(QStringLiteral("corvane %1: %2\nusage: corvane %1 %3")
                         .arg(QLatin1String(command), message, QLatin1String(c.Synopsis)));
    return CliExit::Usage;
}
