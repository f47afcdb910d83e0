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
    CliProject project;
    const CliCode::ProgramInput input = CliCode::LoadProjectAndProgram("analyze", options, project);
    if (!input.Ready)
        return input.Status;

    const CodeCommands::Output out = CodeCommands::Analyze(
        CliCode::ProjectText(project), input.Code.Text, CliCode::Options(options, project, input.Casing));
    for (const QString &warning : out.Warnings)
        CliError(QStringLiteral("corvane analyze: ") + warning);
    CliOut((out.Lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (out.ExitCode != 0 && !out.Error.isEmpty())
        CliError(out.Error);
    return out.ExitCode != 0 ? CliExit::Problem : input.Status;
}
