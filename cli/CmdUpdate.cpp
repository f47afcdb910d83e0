// corvane update: mends a program's structure, startup, handlers and decoder, leaving the
// hand-written code alone.
#include "cli/CliCode.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "code/CodeProgramText.h"
#include "code/CodeUpdate.h"

namespace {
struct OperationFlag
{
    const char *Name;
    unsigned Operation;
};
constexpr OperationFlag Operations[] = {
    {"repair", CodeUpdate::Repair},           {"startup", CodeUpdate::Startup},
    {"add-missing", CodeUpdate::AddMissing},  {"remove-unused", CodeUpdate::RemoveUnused},
    {"decoder", CodeUpdate::Decoder},
};
} // namespace

int RunUpdate(const QStringList &arguments)
{
    QStringList flags;
    for (const OperationFlag &op : Operations)
        flags << QLatin1String(op.Name);
    CliOptions::Syntax syntax = CliOptions::LoadingSyntax(CliCode::ValueOptions(), flags);
    syntax.MinPositional = syntax.MaxPositional = 2;
    const CliOptions options = CliOptions::Parse(arguments, syntax);
    if (!options.Ok())
        return CliUsage("update", options.Error());
    unsigned operations = 0;
    for (const OperationFlag &op : Operations)
        if (options.Has(QLatin1String(op.Name)))
            operations |= op.Operation;

    CliProject project;
    const CliCode::ProgramInput input = CliCode::LoadProjectAndProgram("update", options, project);
    if (!input.Ready)
        return input.Status;

    const CodeCommands::Output out =
        CodeCommands::Update(CliCode::ProjectText(project), input.Program,
                             CliCode::Options(options, project, input.Casing), operations);
    for (const QString &warning : out.Warnings)
        CliError(QStringLiteral("corvane update: ") + warning);
    if (out.ExitCode != 0) {
        CliError(out.Error);
        return CliExit::Problem;
    }
    if (!CliWriteOutput(options.Value(QStringLiteral("output")).value_or(QString()),
                        CodeProgramText::ToBytes(out.Text, input.Latin1)))
        return CliExit::Problem;
    return input.Status;
}
