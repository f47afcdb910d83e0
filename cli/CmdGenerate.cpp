// corvane generate: the program code a new program of the project starts with.
#include "cli/CliCode.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "code/CodeProgramText.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "support/GuiError.h"

#include <exception>
#include <new>

int RunGenerate(const QStringList &arguments)
{
    const CliOptions options =
        CliOptions::Parse(arguments, CliOptions::LoadingSyntax(CliCode::ValueOptions()));
    if (!options.Ok())
        return CliUsage("generate", options.Error());
    std::optional<int> casing;
    QString error;
    if (!CliCode::ReadCasing(options, casing, error))
        return CliUsage("generate", error);
    CliProject project;
    if (!project.Configure(options, error))
        return CliUsage("generate", error);
    const int status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return status;
    if (!project.Complete()) {
        CliError(QStringLiteral("corvane generate: the project did not load completely; nothing generated"));
        return CliExit::Problem;
    }

    const CodeCommands::Options code = CliCode::Options(options, project, casing);
    QString shown;
    try {
        TemplateFiles templates(code.TemplateFolder);
        templates.SetMessageSink([&shown](const QString &text) { shown = text; });
        modCodeGen generator(templates);
        generator.SetProjectText(CliCode::ProjectText(project));
        if (code.Style)
            generator.SetCodeStyle(*code.Style);
        else if (generator.CodeStyle().isEmpty())
            generator.SetCodeStyle(QStringLiteral("0"));
        if (code.Casing)
            generator.SetCasing(*code.Casing);
        generator.SetProjectLocation(code.ProjectFile, code.ProjectId);

        QString program = generator.GenerateProgram();
        for (const QString &warning : templates.Warnings())
            CliError(QStringLiteral("corvane generate: ") + warning);
        if (program.isEmpty()) {
            CliError(generator.Warning().isEmpty() ? QStringLiteral("corvane generate: no program generated")
                                                   : generator.Warning());
            return CliExit::Problem;
        }
        // A program of a large project runs to megabytes: each text is let go as soon as the
        // next form of it exists, so no more than two are alive at a time.
        program = CodeProgramText::NormalizeLineEnds(program);
        const QByteArray bytes = program.toUtf8();
        program = QString();
        if (!CliWriteOutput(project, options.Value(QStringLiteral("output")).value_or(QString()), bytes))
            return CliExit::Problem;
    } catch (const GuiError &e) {
        CliError(shown.isEmpty() ? e.Description() : shown);
        return CliExit::Problem;
    } catch (const std::bad_alloc &) {
        throw; // reported as running out of memory, like every command's
    } catch (const std::exception &e) {
        CliError(QString::fromLocal8Bit(e.what()));
        return CliExit::Problem;
    }
    return status;
}
