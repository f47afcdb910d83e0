#include "cli/CliProject.h"

#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "host/DocumentName.h"
#include "host/OutputFile.h"
#include "host/mvDocument.h"
#include "support/GuiError.h"

#include <QFileInfo>

CliProject::CliProject()
{
    // A read-only tool: it takes no record locks and keeps the host parameters to itself.
    m_root.Settings().RecordLocking = false;
    DesignerPorts ports;
    ports.Prompter = &m_prompter;
    m_root.Connect(ports);
    // The load's own reports tell what was left out; the tool keeps no project open.
    Storage().SetPartialLoadMessage(false);
}

CliProject::~CliProject()
{
    if (s_endsWithProcess) {
        Designer().ForgetAll();
        Items().Abandon();
    }
}

bool CliProject::Configure(const CliOptions &options, QString &error)
{
    const QString duplicates = options.Value(QStringLiteral("duplicates")).value_or(QStringLiteral("cancel"));
    using Choice = HeadlessPrompter::DuplicateChoice;
    if (duplicates.compare(QLatin1String("cancel"), Qt::CaseInsensitive) == 0) {
        m_prompter.SetDuplicateChoice(Choice::Cancel);
    } else if (duplicates.compare(QLatin1String("skip"), Qt::CaseInsensitive) == 0) {
        m_prompter.SetDuplicateChoice(Choice::Skip);
    } else {
        error = QStringLiteral("--duplicates must be cancel or skip");
        return false;
    }
    return true;
}

int CliProject::Load(const QString &documentName)
{
    const DocumentStorage::OpenResult result = Storage().OpenByName(documentName);
    if (result.Success)
        m_project = Designer().ProjectOf(result.App);
    if (result.Unreadable)
        return CliExit::Usage;
    if (!m_project)
        return CliExit::Problem;
    return Status();
}

bool CliProject::Complete() const
{
    return m_project && !Designer().LastLoad().Stopped;
}

int CliProject::Status() const
{
    return m_prompter.Problems() > 0 ? CliExit::Problem : CliExit::Ok;
}

bool CliWriteOutput(CliProject &project, const QString &file, const QByteArray &bytes)
{
    if (file.isEmpty() || file == QLatin1String("-"))
        return CliOut(bytes);
    try {
        DocumentName parts;
        if (!DocumentName::Split(file, parts)) {
            CliError(QStringLiteral("cannot write '%1': not a valid document name").arg(file));
            return false;
        }
        if (parts.IsLocalFile()) {
            OutputFile::Write(parts.FileName, bytes, QStringLiteral("'%1'").arg(file));
            return true;
        }
        const std::unique_ptr<mvDocument> document = project.State().Connection.Open(file);
        if (!document || !document->NamesItem()) {
            CliError(QStringLiteral("cannot write '%1': not an item of a known host").arg(file));
            return false;
        }
        // Written as the designer saves: under the item's lock, so a designer editing the
        // item is not overwritten.
        document->Lock();
        document->WriteBytes(bytes);
        document->Finish();
        return true;
    } catch (const GuiError &error) {
        CliError(error.Description());
    }
    return false;
}
