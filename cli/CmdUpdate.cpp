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
    std::optional<int> casing;
    QString error;
    if (!CliCode::ReadCasing(options, casing, error))
        return CliUsage("update", error);
    unsigned operations = 0;
    for (const OperationFlag &op : Operations)
        if (options.Has(QLatin1String(op.Name)))
            operations |= op.Operation;

    CliProject project;
    if (!project.Configure(options, error))
        return CliUsage("update", error);
    const int status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return status;
    QString program;
    bool latin1 = false;
    if (!CliCode::ReadProgram(project, options.Positional().at(1), program, latin1, error)) {
        CliError(QStringLiteral("corvane update: %1").arg(error));
        return CliExit::Usage;
    }

    const CodeCommands::Output out =
        CodeCommands::Update(CliCode::ProjectText(project), program,
                             CliCode::Options(options, project, casing), operations);
    if (out.ExitCode != 0) {
        CliError(out.Error);
        return CliExit::Problem;
    }
    if (!CliWriteOutput(options.Value(QStringLiteral("output")).value_or(QString()),
                        CodeProgramText::ToBytes(out.Text, latin1)))
        return CliExit::Problem;
    return status;
}
