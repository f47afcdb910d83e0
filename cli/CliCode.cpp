#include "cli/CliCode.h"

#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "code/CodeAnalysis.h"
#include "code/CodeEditorLink.h"
#include "code/CodeProgramText.h"
#include "code/TemplateFiles.h"
#include "host/mvDocument.h"
#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"
#include "support/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList CliCode::ValueOptions()
{
    return {QStringLiteral("templates"), QStringLiteral("style"), QStringLiteral("casing"),
            QStringLiteral("output")};
}

bool CliCode::ReadCasing(const CliOptions &options, std::optional<int> &casing, QString &error)
{
    const auto text = options.Value(QStringLiteral("casing"));
    if (!text)
        return true;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok) {
        error = QStringLiteral("--casing must be a number");
        return false;
    }
    casing = value;
    return true;
}

CodeCommands::Options CliCode::Options(const CliOptions &options, CliProject &project,
                                       std::optional<int> casing)
{
    CodeCommands::Options result;
    const ProcessState &state = project.State();
    result.TemplateFolder = options.Value(QStringLiteral("templates"))
                                .value_or(TemplateFiles::TemplateFolder(
                                    state.Settings.ReadValue(QStringLiteral("TemplatePath"),
                                                             state.Settings.TemplatePath),
                                    state.ProgramFolder));
    result.Style = options.Value(QStringLiteral("style"));
    result.Casing = casing;
    CodeEditorLink::ProjectLocation(*project.Project(), result.ProjectFile, result.ProjectId);
    return result;
}

QString CliCode::ProjectText(CliProject &project)
{
    const ProjectState &state = *project.Project();
    int version = Vocabulary::CurrentProjectVersion;
    if (auto *app = dynamic_cast<const cAppWrapper *>(state.App->Wrapper()))
        version = app->ProjectVersion();
    return DocumentStorage::ProjectText(state, version);
}

bool CliCode::ReadProgram(CliProject &project, const QString &name, Program &program,
                          QString &error)
{
    if (QFileInfo(name).exists()) {
        RegularFile::Result read = RegularFile::Read(name, CodeAnalysis::MaxProgramChars);
        if (!read.Ok) {
            error = QStringLiteral("cannot read %1: %2").arg(name, read.Reason);
            return false;
        }
        program.Bytes = std::move(read.Bytes);
        program.Text = CodeProgramText::Read(program.Bytes, program.Form);
        return true;
    }
    const std::unique_ptr<mvDocument> document = project.State().Connection.Open(name);
    try {
        if (document && document->NamesItem() && document->Exists()) {
            program.Bytes = document->ReadBytes();
            if (program.Bytes.size() > CodeAnalysis::MaxProgramChars) {
                error = QStringLiteral("cannot read %1: it is larger than %2 MB")
                            .arg(name)
                            .arg(CodeAnalysis::MaxProgramChars >> 20);
                return false;
            }
            program.Text = CodeProgramText::Read(program.Bytes, program.Form);
            return true;
        }
    } catch (const GuiError &e) {
        error = e.Description();
        return false;
    }
    error = QStringLiteral("cannot read %1: no such file or item").arg(name);
    return false;
}

CliCode::ProgramInput CliCode::LoadProjectAndProgram(const char *command, const CliOptions &options,
                                                     CliProject &project)
{
    ProgramInput input;
    QString error;
    if (!ReadCasing(options, input.Casing, error) || !project.Configure(options, error)) {
        input.Status = CliUsage(command, error);
        return input;
    }
    input.Status = project.Load(options.Positional().at(0));
    if (!project.Project())
        return input;
    if (!ReadProgram(project, options.Positional().at(1), input.Code, error)) {
        CliError(QStringLiteral("corvane %1: %2").arg(QLatin1String(command), error));
        input.Status = CliExit::Usage;
        return input;
    }
    input.Ready = true;
    return input;
}
