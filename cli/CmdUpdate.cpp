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

    const CliCode::Program &program = input.Code;
    const CodeCommands::Output out =
        CodeCommands::Update(CliCode::ProjectText(project), program.Text,
                             CliCode::Options(options, project, input.Casing), operations);
    for (const QString &warning : out.Warnings)
        CliError(QStringLiteral("corvane update: ") + warning);
    if (out.ExitCode != 0) {
        CliError(out.Error);
        return CliExit::Problem;
    }
    // A program with nothing to mend goes back exactly as it came: its encoding, byte-order
    // mark and line ends, mixed ones included. A changed one is written in its own form.
    QByteArray bytes;
    if (out.Text == program.Text) {
        bytes = program.Bytes;
    } else if (program.Form.MarksAmongBreaks) {
        CliError(QStringLiteral("corvane update: %1 ends its lines both with line breaks and with "
                                "attribute marks; they could not be written back as they came. "
                                "Nothing was written.")
                     .arg(options.Positional().at(1)));
        return CliExit::Problem;
    } else {
        bytes = CodeProgramText::Write(out.Text, program.Form);
    }
    if (!CliWriteOutput(project, options.Value(QStringLiteral("output")).value_or(QString()), bytes))
        return CliExit::Problem;
    return input.Status;
}
