// corvane generate: the program code a new program of the project starts with.
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <exception>

namespace {
int ProjectVersion(const ProjectState &project)
{
    if (auto *app = dynamic_cast<const cAppWrapper *>(project.App->Wrapper()))
        return app->ProjectVersion();
    return Vocabulary::CurrentProjectVersion;
}
} // namespace

int RunGenerate(const QStringList &arguments)
{
    const CliOptions options = CliOptions::Parse(
        arguments, CliOptions::LoadingSpec({QStringLiteral("templates"), QStringLiteral("style"),
                                            QStringLiteral("casing"), QStringLiteral("output")}));
    if (!options.Ok())
        return CliUsage("generate", options.Error());
    int casing = 0;
    if (const auto text = options.Value(QStringLiteral("casing"))) {
        bool ok = false;
        casing = text->toInt(&ok);
        if (!ok)
            return CliUsage("generate", QStringLiteral("--casing must be a number"));
    }
    CliProject project;
    QString error;
    if (!project.Configure(options, error))
        return CliUsage("generate", error);
    const int status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return status;
    if (!project.Complete()) {
        CliError(QStringLiteral("corvane generate: the project did not load completely; nothing generated"));
        return CliExit::Problem;
    }
    const ProjectState &state = *project.Project();

    const QString folder = options.Value(QStringLiteral("templates"))
                               .value_or(TemplateFiles::TemplateFolder(
                                   project.State().Settings.ReadValue(QStringLiteral("TemplatePath"),
                                                                      project.State().Settings.TemplatePath),
                                   project.State().ProgramFolder));
    QString shown;
    try {
        TemplateFiles templates(folder);
        templates.SetMessageSink([&shown](const QString &text) { shown = text; });
        modCodeGen generator(templates);
        generator.SetProjectText(DocumentStorage::ProjectText(state, ProjectVersion(state)));
        if (const auto style = options.Value(QStringLiteral("style")))
            generator.SetCodeStyle(*style);
        else if (generator.CodeStyle().isEmpty())
            generator.SetCodeStyle(QStringLiteral("0"));
        if (options.Has(QStringLiteral("casing")))
            generator.SetCasing(casing);
        if (const mvDocument *document = state.Document.get())
            generator.SetProjectLocation(document->FileName(), document->ItemID());

        QString program = generator.GenerateProgram();
        if (program.isEmpty()) {
            CliError(generator.Warning().isEmpty() ? QStringLiteral("corvane generate: no program generated")
                                                   : generator.Warning());
            return CliExit::Problem;
        }
        program.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        program.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        if (!CliWriteOutput(options.Value(QStringLiteral("output")).value_or(QString()), program.toUtf8()))
            return CliExit::Problem;
    } catch (const GuiError &e) {
        CliError(shown.isEmpty() ? e.Description() : shown);
        return CliExit::Problem;
    } catch (const std::exception &e) {
        CliError(QString::fromLocal8Bit(e.what()));
        return CliExit::Problem;
    }
    return status;
}
