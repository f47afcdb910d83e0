// The corvane command-line tool: headless commands over project documents and code.
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "cli/CliRender.h"

#include "support/GuiError.h"

#include <QCoreApplication>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <csignal>

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
        "\noptions:\n"
        "  -h, --help\n      show this text; COMMAND --help shows the usage of one command\n"
        "  --version\n      show the version of the tool\n"
        "\nEvery load report is written to stderr, followed by an empty line. The duplicate-ID\n"
        "dialog is answered Cancel, or Skip with --duplicates=skip.\n\n"
        "exit status: 0 no report of severity 2 or more; 1 such a report or the command\n"
        "failed; 2 usage error or unreadable file.\n");
    CliOut(text.toUtf8());
}
} // namespace

namespace {
// Runs a command so that whatever goes wrong ends in a message and exit 1, never an abort:
// running out of memory on a huge input is reported like any other failure.
int Guarded(const QString &command, const std::function<int()> &run)
{
    const QString name = command.isEmpty() ? QStringLiteral("corvane")
                                           : QStringLiteral("corvane ") + command;
    int status = CliExit::Problem;
    try {
        status = run();
    } catch (const std::bad_alloc &) {
        CliError(QStringLiteral("%1: out of memory").arg(name));
        status = CliExit::Problem;
    } catch (const GuiError &e) {
        CliError(QStringLiteral("%1: %2").arg(name, e.Description()));
        status = CliExit::Problem;
    } catch (const std::exception &e) {
        CliError(QStringLiteral("%1: unexpected error: %2").arg(name, QString::fromLocal8Bit(e.what())));
        status = CliExit::Problem;
    } catch (...) {
        CliError(QStringLiteral("%1: unexpected error").arg(name));
        status = CliExit::Problem;
    }
    // Output that did not reach its place is a failure, whatever the command made of it.
    if (!CliFinishOutput())
        return CliExit::Problem;
    return status;
}

int Run(int argc, char *argv[]);
} // namespace

int main(int argc, char *argv[])
{
    // A reader that stops early (`corvane tree big.gui | head`) must not kill the tool by the
    // signal: the failed write ends the command with its message and exit 1 instead.
    std::signal(SIGPIPE, SIG_IGN);
    QString command;
    if (argc > 1) {
        for (const CliCommand &known : CliCommands())
            if (qstrcmp(known.Name, argv[1]) == 0)
                command = QLatin1String(known.Name);
    }
    return Guarded(command, [&] { return Run(argc, argv); });
}

namespace {
int Run(int argc, char *argv[])
{
    // Only the render command needs widgets; every other command stays headless.
    const bool render = IsRenderCommand(argc, argv);
    const std::unique_ptr<QCoreApplication> app = render
        ? CreateRenderApplication(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    // Headless, a loaded project holds nothing but memory: the process ends without taking
    // it apart. Rendered forms have widgets, which go the usual way.
    if (!render)
        CliProject::EndWithTheProcess();
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
    if (name == QLatin1String("--version")) {
        CliOut(QByteArrayLiteral("corvane " CORVANE_VERSION "\n"));
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
    if (name.startsWith(QLatin1Char('-')))
        CliError(QStringLiteral("corvane: unknown option '%1'\nusage: corvane COMMAND PROJECT [options] "
                                "(see corvane --help)")
                     .arg(name));
    else
        CliError(QStringLiteral("corvane: unknown command '%1' (see corvane --help)").arg(name));
    return CliExit::Usage;
}
} // namespace
