// corvane analyze: which sections and handlers of a program are missing, stale or out of order.
#include "cli/CliCode.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"

int RunAnalyze(const QStringList &arguments)
{
    CliOptions::Syntax syntax = CliOptions::LoadingSyntax(
        {QStringLiteral("templates"), QStringLiteral("style"), QStringLiteral("casing")});
    syntax.MinPositional = syntax.MaxPositional = 2;
    const CliOptions options = CliOptions::Parse(arguments, syntax);
    if (!options.Ok())
        return CliUsage("analyze", options.Error());
    std::optional<int> casing;
    QString error;
    if (!CliCode::ReadCasing(options, casing, error))
        return CliUsage("analyze", error);

    CliProject project;
    if (!project.Configure(options, error))
        return CliUsage("analyze", error);
    const int status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return status;
    QString program;
    bool latin1 = false;
    if (!CliCode::ReadProgram(project, options.Positional().at(1), program, latin1, error)) {
        CliError(QStringLiteral("corvane analyze: %1").arg(error));
        return CliExit::Usage;
    }

    const CodeCommands::Output out = CodeCommands::Analyze(
        CliCode::ProjectText(project), program, CliCode::Options(options, project, casing));
    CliOut((out.Lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (out.ExitCode != 0 && !out.Error.isEmpty())
        CliError(out.Error);
    return out.ExitCode != 0 ? CliExit::Problem : status;
}
