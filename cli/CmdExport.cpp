// corvane export: the project written again as the designer's Save writes it.
#include "app/DocumentStorage.h"
#include "app/ProjectState.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "support/GuiError.h"

int RunExport(const QStringList &arguments)
{
    const CliOptions options = CliOptions::Parse(
        arguments, CliOptions::LoadingSyntax({QStringLiteral("output")}, {QStringLiteral("update-version")}));
    if (!options.Ok())
        return CliUsage("export", options.Error());
    CliProject project;
    QString error;
    if (!project.Configure(options, error))
        return CliUsage("export", error);
    const bool update = options.Has(QStringLiteral("update-version"));
    project.Prompter().SetAskPolicy([update](const QString &, iPrompter::Buttons buttons) {
        if (buttons == iPrompter::Buttons::YesNoCancel)
            return update ? iPrompter::Answer::Yes : iPrompter::Answer::No;
        return HeadlessPrompter::SafeAnswer(buttons);
    });

    const int status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return status;
    if (!project.Complete()) {
        // Writing a part of a project would pass it off as the whole.
        CliError(QStringLiteral("corvane export: the project did not load completely; nothing written"));
        return CliExit::Problem;
    }
    try {
        const std::optional<QString> text = project.Storage().SaveText(*project.Project());
        if (!text)
            return CliExit::Problem;
        if (!CliWriteOutput(project, options.Value(QStringLiteral("output")).value_or(QString()),
                            DocumentStorage::ToStoredForm(*text).toUtf8()))
            return CliExit::Problem;
    } catch (const GuiError &e) {
        CliError(e.Description());
        return CliExit::Problem;
    }
    return status;
}
