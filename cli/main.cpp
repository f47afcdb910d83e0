// The corvane command-line tool: headless commands over project documents and code.
#include "cli/CliCommand.h"
#include "cli/CliRender.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
void PrintHelp()
{
    QString text = QStringLiteral(
        "usage: corvane COMMAND PROJECT [options]\n\n"
        "PROJECT is a local path or a host document name (mvdb://host/account/file/item).\n\n"
        "commands:\n");
    for (const CliCommand &command : CliCommands())
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QLatin1String(command.Name), QLatin1String(command.Synopsis),
                         QLatin1String(command.Summary));
    text += QStringLiteral(
        "\nEvery load report is written to stderr, followed by an empty line. The duplicate-ID\n"
        "dialog is answered Cancel, or Skip with --duplicates=skip.\n\n"
        "exit status: 0 no report of severity 2 or more; 1 such a report or the command\n"
        "failed; 2 usage error or unreadable file.\n");
    CliOut(text.toUtf8());
}
} // namespace

int main(int argc, char *argv[])
{
    // Only the render command needs widgets; every other command stays headless.
    const std::unique_ptr<QCoreApplication> app = IsRenderCommand(argc, argv)
        ? CreateRenderApplication(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList arguments = app->arguments().mid(1);
    if (arguments.isEmpty()) {
        PrintHelp();
        return CliExit::Usage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        PrintHelp();
        return CliExit::Ok;
    }
    for (const CliCommand &command : CliCommands()) {
        if (name == QLatin1String(command.Name)) {
            const QStringList rest = arguments.mid(1);
            if (rest.contains(QStringLiteral("--help"))) {
                CliOut(QStringLiteral("usage: corvane %1 %2\n  %3\n")
                           .arg(QLatin1String(command.Name), QLatin1String(command.Synopsis),
                                QLatin1String(command.Summary))
                           .toUtf8());
                return CliExit::Ok;
            }
            return command.Run(rest);
        }
    }
    CliError(QStringLiteral("corvane: unknown command '%1' (see corvane --help)").arg(name));
    return CliExit::Usage;
}
