#include "app/DocumentStorage.h"

#include "app/DefaultIds.h"
#include "app/ErrorBoundary.h"
#include "app/PictureNames.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "app/ProjectWriter.h"
#include "app/clsDesigner.h"
#include "app/iCreateMode.h"
#include "app/iProgramCodeState.h"
#include "app/iPrompter.h"
#include "host/DocumentName.h"
#include "host/FileDocument.h"
#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/TextReplace.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

using namespace Vocabulary;

namespace {
using Marks::CrLf;
constexpr QLatin1String StatusReading("Reading document from host");
constexpr QLatin1String StatusSaving("Saving document to host");

// Busy pointer and status text for the length of a command.
class BusyScope
{
public:
    BusyScope(iPrompter &prompter, const QString &status) : m_prompter(prompter)
    {
        m_prompter.SetBusy(true);
        if (!status.isEmpty())
            m_prompter.SetStatusText(status);
    }
    ~BusyScope()
    {
        m_prompter.SetStatusText(QString());
        m_prompter.SetBusy(false);
    }

private:
    iPrompter &m_prompter;
};

int ProjectVersion(const clsControl *app)
{
    if (app)
        if (auto *wrapper = dynamic_cast<const cAppWrapper *>(app->Wrapper()))
            return wrapper->ProjectVersion();
    return CurrentProjectVersion;
}

void SetProjectVersion(clsControl *app, int version)
{
    if (app)
        if (auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper()))
            wrapper->SetProjectVersion(version);
}

QString Quoted(const QString &name)
{
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}
} // namespace

DocumentStorage::DocumentStorage(clsDesigner &designer, ProcessState &state)
    : m_designer(designer), m_state(state)
{
}

// ---- Names and forms ------------------------------------------------------------------

QString DocumentStorage::DisplayName(const QString &documentName)
{
    DocumentName parts;
    if (!DocumentName::Split(documentName, parts) || parts.IsLocalFile())
        return documentName;
    parts.HostName = DocumentName::AnyHost;
    parts.AccountName = DocumentName::AnyHost;
    return parts.Build();
}

QString DocumentStorage::ToStoredForm(const QString &text)
{
    return ReplacedEach(text, QChar(Marks::Attribute), u"\r\n");
}

QString DocumentStorage::ToMemoryForm(const QString &text)
{
    // One pass from line end to line end into a buffer of the final size at most: a whole
    // project goes through here, and replacing in place twice moved it all twice.
    // A text edited on a system that ends lines with LF alone reads the same.
    const QStringView view(text);
    QString memory;
    memory.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype lf = view.indexOf(u'\n'); lf >= 0; lf = view.indexOf(u'\n', start)) {
        const qsizetype end = lf > start && view[lf - 1] == u'\r' ? lf - 1 : lf;
        memory.append(view.mid(start, end - start));
        memory.append(QChar(Marks::Attribute));
        start = lf + 1;
    }
    memory.append(view.mid(start));
    return memory;
}

void DocumentStorage::Report(int number, const QString &description, const QString &label)
{
    m_designer.ReportError(number, description, label);
}

void DocumentStorage::CopyHostParameters(const mvDocument &document)
{
    m_state.HostType = document.HostType();
    m_state.HostName = document.HostName();
    m_state.AccountName = document.AccountName();
    m_state.HostFileName = document.FileName();
    m_state.Connection.SetCurrentHost(m_state.HostName, m_state.AccountName);
}

void DocumentStorage::AddRecent(const QString &displayName)
{
    if (!displayName.isEmpty())
        m_state.Settings.RecentList.AddItem(displayName);
}

ProjectState *DocumentStorage::Target(clsControl *app) const
{
    return app ? m_designer.ProjectOf(app) : m_designer.CurrentProject();
}

QString DocumentStorage::LocalFolder(const clsControl *app) const
{
    const ProjectState *project = app ? m_designer.ProjectOf(app) : nullptr;
    const mvDocument *document = project && project->Document ? project->Document.get() : m_opening;
    const auto *file = dynamic_cast<const FileDocument *>(document);
    return file ? QFileInfo(file->Path()).absolutePath() : QString();
}

QString DocumentStorage::ResolvePicture(const clsControl *app, const QString &name) const
{
    const QString folder = LocalFolder(app);
    if (!folder.isEmpty()) {
        const QString beside = PictureNames::Resolve(name, folder);
        if (QFileInfo(beside).isFile())
            return beside;
    }
    return PictureNames::Resolve(name, m_state.ImagesFolder);
}

// ---- Open ------------------------------------------------------------------------------

void DocumentStorage::Bind(ProjectState &project, const QString &text,
                           std::unique_ptr<mvDocument> document)
{
    const QStringList first = text.section(QChar(Marks::Attribute), 0, 0).split(QChar(Marks::Value));
    project.HeaderText = first.value(2);
    const QStringList location = first.value(3).split(QChar(Marks::SubValue));
    const QString file = location.value(0);
    const QString item = location.value(1);
    // A recovered project that was never saved takes the host of the host parameters.
    const QString hostType = document ? document->HostType() : m_state.HostType;
    if (!file.isEmpty())
        project.ProgramDocumentName = DocumentName::Build(
            hostType, document ? document->HostName() : m_state.HostName,
            document ? document->AccountName() : m_state.AccountName, file, item);
    else if (!item.isEmpty())
        project.ProgramDocumentName = DocumentName::Build(hostType, QString(),
                                                          QString(), QString(), item);
    else
        project.ProgramDocumentName.clear();
    project.CodeStyle = location.value(2);
    bool ok = false;
    const int casing = location.value(3).trimmed().toInt(&ok);
    project.Casing = ok ? casing : 0;
    project.Document = std::move(document);
    m_designer.SetChanged(project, false);
}

DocumentStorage::OpenResult DocumentStorage::OpenByName(const QString &documentName)
{
    OpenResult result;
    iPrompter &prompter = m_designer.Prompter();
    // A document is bound to one project at a time: a second copy would compete with the
    // first for its saves, and one of them would overwrite the other's work.
    if (ProjectState *open = BoundToName(documentName)) {
        m_designer.SelectItem(open->App);
        result.Success = true;
        result.App = open->App;
        result.DisplayName = open->Document->DisplayName();
        result.Partial = open->PartlyLoaded;
        return result;
    }
    BusyScope busy(prompter, StatusReading);
    try {
        std::unique_ptr<mvDocument> document =
            documentName.isEmpty() ? nullptr : m_state.Connection.Open(documentName);
        if (!document) {
            prompter.ShowMessage(QStringLiteral("Cannot open document - file name and/or item ID missing!"),
                                 MessageIcon::Exclamation);
            result.Unreadable = true;
            return result;
        }
        const QString shown = document->DisplayName();
        result.DisplayName = shown;
        if (!document->NamesItem()) {
            prompter.ShowMessage(QStringLiteral("Unable to open item ") + shown
                                     + QStringLiteral(" because it appears to be a file or folder."),
                                 MessageIcon::Exclamation);
            result.Unreadable = true;
            return result;
        }
        // A FIFO or device is neither a project to read (it would wait on it) nor a name to
        // start a new project under (its Save would write into it).
        if (document->IsSpecialFile()) {
            prompter.ShowMessage(QStringLiteral("Unable to open item ") + shown
                                     + QStringLiteral(" because it is not a regular file."),
                                 MessageIcon::Exclamation);
            result.Unreadable = true;
            return result;
        }
        if (!document->Exists()) {
            result.Unreadable = true;
            const iPrompter::Answer answer = prompter.Ask(
                QStringLiteral("Item ") + Quoted(shown) + QStringLiteral(" not on file. Create new project?"),
                iPrompter::Buttons::OkCancel, MessageIcon::Exclamation);
            if (answer == iPrompter::Answer::Ok)
                New(documentName);
            return result;
        }
        if (!LockOrReadOnly(*document, shown))
            return result;

        QString text;
        try {
            text = document->Read();
        } catch (...) {
            result.Unreadable = true;
            ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString::fromLatin1(OpenLabel));
            return result;
        }
        CopyHostParameters(*document);
        text = ToMemoryForm(text);
        ProjectState *project = LoadText(text, document.get(), m_progress);
        // The document's lock goes with the document.
        if ((result.Cancelled = DropCancelledLoad()))
            return result;
        if (!project)
            return result;
        clsControl *app = project->App;
        const bool partial = LastLoadWasPartial();
        if (partial) {
            // What was loaded stays for the user to look at, but it is not the whole
            // document: saving it over the document would lose the rest.
            document->Unlock();
            document->SetReadOnly(true);
        }
        Bind(*project, text, std::move(document));
        project->PartlyLoaded = partial;
        m_designer.SetCurrentItem(app);
        result.Success = true;
        result.App = app;
        result.Partial = partial;
        if (partial && m_partialLoadMessage)
            prompter.ShowMessage(QStringLiteral("Project ") + Quoted(shown)
                                     + QStringLiteral(" was loaded only in part and is open read-only. "
                                                      "Save it under another name to keep what was loaded."),
                                 MessageIcon::Exclamation);
    } catch (...) {
        ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString::fromLatin1(OpenLabel));
    }
    return result;
}

bool DocumentStorage::FileOpen()
{
    try {
        const QString start = m_state.Connection.BuildName(m_state.HostType, m_state.HostName,
                                                           m_state.AccountName,
                                                           m_state.HostFileName, QString());
        std::unique_ptr<mvDocument> chosen =
            m_state.Connection.Chooser(QStringLiteral("Open"), nullptr, start);
        if (!chosen)
            return false;
        const OpenResult result = OpenByName(chosen->Name());
        if (result.Success && !result.Partial)
            AddRecent(result.DisplayName);
        return result.Success;
    } catch (...) {
        ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString::fromLatin1(OpenLabel));
    }
    return false;
}

DocumentStorage::OpenResult DocumentStorage::OpenRecent(int index)
{
    const clsRecentList &recent = m_state.Settings.RecentList;
    if (index < 1 || index > recent.ListCount())
        return {};
    OpenResult result = OpenByName(recent.ListItem(index));
    if (result.Success && !result.Partial)
        AddRecent(result.DisplayName);
    return result;
}

// ---- New -------------------------------------------------------------------------------

bool DocumentStorage::New(const QString &documentName)
{
    return ErrorBoundary::Value(m_designer.Prompter(), QString::fromLatin1(NewLabel), [&] {
        std::unique_ptr<mvDocument> document;
        if (!documentName.isEmpty()) {
            document = m_state.Connection.Open(documentName);
            if (document)
                CopyHostParameters(*document);
        }
        if (!m_createMode)
            return false;
        const iCreateMode::Outcome outcome = m_createMode->CreateApplication(
            DefaultIds::ForType(m_designer.Items(), QStringLiteral("App"), nullptr, nullptr));
        clsControl *app = outcome.Created ? m_designer.Items().Find(outcome.FullID) : nullptr;
        if (!app || !IsApplication(app->ObjType()))
            return false;
        ApplicationCreated(*app, std::move(document));
        return true;
    });
}

void DocumentStorage::ApplicationCreated(clsControl &app, std::unique_ptr<mvDocument> document)
{
    ProjectState &project = m_designer.AddProject(app);
    if (document) {
        if (m_state.Settings.RecordLocking) {
            try {
                document->Lock();
            } catch (const GuiError &) {
                // The document is written only on save, which reports the lock again.
            }
        }
        project.Document = std::move(document);
    }
    m_designer.SetChanged(project, true);
    m_designer.SetCurrentItem(&app);
}

// ---- Save ------------------------------------------------------------------------------

QString DocumentStorage::ProjectText(const ProjectState &project, int version)
{
    QString text = ProjectWriter::GetTemplate(project.App->Items(), project.App->FullID(),
                                              project.HeaderText, 0, version);
    // Record 1 field 4: where the program code is and how it is generated.
    QString file, item;
    DocumentName program;
    if (!project.ProgramDocumentName.isEmpty() && DocumentName::Split(project.ProgramDocumentName, program)) {
        file = program.FileName;
        item = program.IsLocalFile() ? QString() : program.ItemID;
        if (program.IsLocalFile() && !program.ItemID.isEmpty())
            file = program.FileName.isEmpty() ? program.ItemID : program.FileName + u'/' + program.ItemID;
    }
    const QString location = QStringList{file, item, project.CodeStyle,
                                         project.Casing ? QString::number(project.Casing) : QString()}
                                 .join(QChar(Marks::SubValue));
    const qsizetype end = text.indexOf(QChar(Marks::Attribute));
    return text.left(end) + QChar(Marks::Value) + location + text.mid(end);
}

std::optional<QString> DocumentStorage::SaveText(ProjectState &project)
{
    int version = ProjectVersion(project.App);
    if (version < CurrentProjectVersion) {
        const QString oldVersion = ProjectWriter::VersionText(version);
        const QString newVersion = ProjectWriter::VersionText(CurrentProjectVersion);
        const QString text =
            QStringLiteral("The original version of this GUI project (") + oldVersion + QStringLiteral(") ")
            + QStringLiteral("is lower than the version of the GUI designer (") + newVersion
            + QStringLiteral(").") + QStringLiteral("\n\n")
            + QStringLiteral("If you save the project with the newer version you will not be able ")
            + QStringLiteral("to run it on clients using an older version of the GUI runtime.")
            + QStringLiteral("\n\n")
            + QStringLiteral("If you do not update the version, but are using features which are only ")
            + QStringLiteral("available in the newer version, your application may not function correctly.")
            + QStringLiteral("\n\n") + QStringLiteral("Do you want to update the project version to ")
            + newVersion + QStringLiteral("?");
        const iPrompter::Answer answer = m_designer.Prompter().Ask(
            text, iPrompter::Buttons::YesNoCancel, MessageIcon::Question);
        if (answer == iPrompter::Answer::Cancel || answer == iPrompter::Answer::Ok)
            return std::nullopt;
        if (answer == iPrompter::Answer::Yes) {
            version = CurrentProjectVersion;
            SetProjectVersion(project.App, version);
        }
    }
    return ProjectText(project, version);
}

bool DocumentStorage::WriteProject(ProjectState &project)
{
    iPrompter &prompter = m_designer.Prompter();
    if (!project.Document) {
        prompter.ShowMessage(QStringLiteral("File name and/or item ID missing!"), MessageIcon::Exclamation);
        return false;
    }
    BusyScope busy(prompter, QString());
    try {
        const std::optional<QString> text = SaveText(project);
        if (!text)
            return false;
        prompter.SetStatusText(StatusSaving);
        project.Document->Write(ToStoredForm(*text));
        project.Document->Finish();
        m_designer.SetChanged(project, false);
        CopyHostParameters(*project.Document);
        if (m_written)
            m_written(project);
        return true;
    } catch (...) {
        ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString());
    }
    return false;
}

bool DocumentStorage::Save(clsControl *app)
{
    ProjectState *project = Target(app);
    if (!project)
        return false;
    if (!project->Document)
        return FileSaveAs(project->App);
    if (!WriteProject(*project))
        return false;
    AddRecent(project->Document->DisplayName());
    return true;
}

bool DocumentStorage::FileSaveAs(clsControl *app)
{
    ProjectState *project = Target(app);
    if (!project)
        return false;
    iPrompter &prompter = m_designer.Prompter();
    try {
        std::unique_ptr<mvDocument> chosen =
            m_state.Connection.Chooser(QStringLiteral("Save Project"), nullptr, SaveAsStart(*project));
        if (!chosen)
            return false;
        const QString shown = chosen->DisplayName();
        const bool sameDocument = project->Document && SameDocument(*project->Document, *chosen);
        if (sameDocument && project->Document->ReadOnly()) {
            prompter.ShowMessage(QStringLiteral("Item ") + Quoted(shown)
                                     + QStringLiteral(" is open in read-only mode. Please save using a different name."),
                                 MessageIcon::Exclamation);
            return false;
        }
        if (!chosen->NamesItem()) {
            prompter.ShowMessage(Quoted(shown) + QStringLiteral(" appears to be a file or folder and cannot be overwritten!"),
                                 MessageIcon::Exclamation);
            return false;
        }
        if (const ProjectState *other = BoundTo(*chosen, project)) {
            prompter.ShowMessage(QStringLiteral("Item ") + Quoted(shown) + QStringLiteral(" is open as project ")
                                     + Quoted(other->App ? other->App->ID() : QString())
                                     + QStringLiteral(". Please save using a different name."),
                                 MessageIcon::Exclamation);
            return false;
        }
        if (chosen->Exists()) {
            if (chosen->ReadOnly()) {
                prompter.ShowMessage(QStringLiteral("Item ") + Quoted(shown)
                                         + QStringLiteral(" exists and cannot be overwritten. Please save using a different name."),
                                     MessageIcon::Exclamation);
                return false;
            }
            const iPrompter::Answer answer = prompter.Ask(
                QStringLiteral("Item ") + Quoted(shown) + QStringLiteral(" exists. Overwrite?"),
                iPrompter::Buttons::YesNo, MessageIcon::Question);
            if (answer != iPrompter::Answer::Yes)
                return false;
        }
        if (sameDocument) {
            // The bound document is written: it holds the record lock a second open would
            // run into.
            if (!WriteProject(*project))
                return false;
            AddRecent(project->Document->DisplayName());
            return true;
        }

        if (m_state.Settings.RecordLocking)
            chosen->Lock();
        const QString previousName = project->Document ? project->Document->DisplayName() : QString();
        std::unique_ptr<mvDocument> previous = std::move(project->Document);
        project->Document = std::move(chosen);
        if (!WriteProject(*project)) {
            // The project stays bound to the document it had.
            project->Document = std::move(previous);
            return false;
        }
        // The project is now the whole of the document it was written to.
        project->PartlyLoaded = false;
        if (!previousName.isEmpty())
            m_state.Settings.RecentList.RemoveItem(previousName);
        AddRecent(project->Document->DisplayName());
        return true;
    } catch (...) {
        ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString::fromLatin1(SaveAsLabel));
    }
    return false;
}

QString DocumentStorage::SaveAsStart(const ProjectState &project) const
{
    if (project.Document)
        return project.Document->Name();
    // Never the name of the last document: Enter in the chooser would put this project over
    // another one.
    const QString id = project.App ? project.App->ID() : QString();
    const bool local = m_state.HostType.compare(DocumentName::FileType, Qt::CaseInsensitive) == 0;
    if (!local && !m_state.Connection.Store().HostNames().isEmpty())
        return m_state.Connection.BuildName(m_state.HostType, m_state.HostName, m_state.AccountName,
                                            m_state.HostFileName, id);
    return m_state.Connection.BuildName(QString(DocumentName::FileType), {}, {},
                                        QDir(m_state.LocalFolder()).filePath(id + QStringLiteral(".gui")), {});
}

bool DocumentStorage::SameDocument(const mvDocument &a, const mvDocument &b)
{
    const auto *fileA = dynamic_cast<const FileDocument *>(&a);
    const auto *fileB = dynamic_cast<const FileDocument *>(&b);
    if (!fileA || !fileB)
        return !fileA && !fileB && a.Name() == b.Name();
    // Saving through a link replaces the file it leads to.
    const QString realA = QFileInfo(fileA->Path()).canonicalFilePath();
    const QString realB = QFileInfo(fileB->Path()).canonicalFilePath();
    if (!realA.isEmpty() && !realB.isEmpty())
        return realA == realB;
    return fileA->Path() == fileB->Path();
}

ProjectState *DocumentStorage::BoundToName(const QString &documentName) const
{
    if (documentName.isEmpty())
        return nullptr;
    const std::unique_ptr<mvDocument> named = m_state.Connection.Open(documentName);
    return named ? BoundTo(*named) : nullptr;
}

ProjectState *DocumentStorage::BoundTo(const mvDocument &document, const ProjectState *except) const
{
    for (ProjectState *project : m_designer.Projects())
        if (project != except && project->Document && SameDocument(*project->Document, document))
            return project;
    return nullptr;
}

// ---- Close -----------------------------------------------------------------------------

bool DocumentStorage::QueryClose(clsControl &app)
{
    ProjectState *project = m_designer.ProjectOf(&app);
    if (!project)
        return true;
    iPrompter &prompter = m_designer.Prompter();
    const QString id = app.ID();
    const QString saveQuestion = QStringLiteral("Do you want to save the changes?");
    using Answer = iPrompter::Answer;

    if (m_code && m_code->HasUnsavedNewCode(app)) {
        const Answer answer = prompter.Ask(
            QStringLiteral("You have not saved the program code associated with ") + Quoted(id)
                + QStringLiteral(".\nYou should save your program before closing the project.\n") + saveQuestion,
            iPrompter::Buttons::YesNoCancel, MessageIcon::Question);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !m_code->SaveCode(app)))
            return false;
    }
    if (project->Changed) {
        const Answer answer = prompter.Ask(
            QStringLiteral("You have made changes to ") + Quoted(id)
                + QStringLiteral(". \nYou should save your file before closing the project.\n") + saveQuestion,
            iPrompter::Buttons::YesNoCancel, MessageIcon::Question);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !Save(&app)))
            return false;
    }
    if (m_code && !m_code->HasUnsavedNewCode(app) && m_code->HasChangedCode(app)) {
        const Answer answer = prompter.Ask(
            QStringLiteral("You have made changes the program code associated with ") + Quoted(id)
                + QStringLiteral(".\nYou should save your program before closing the project.\n") + saveQuestion,
            iPrompter::Buttons::YesNoCancel, MessageIcon::Question);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !m_code->SaveCode(app)))
            return false;
    }
    return true;
}

bool DocumentStorage::QueryExit()
{
    for (ProjectState *project : m_designer.Projects())
        if (project->App && !QueryClose(*project->App))
            return false;
    return true;
}

bool DocumentStorage::Close(clsControl *app)
{
    ProjectState *project = Target(app);
    if (!project || !project->App)
        return false;
    clsControl &application = *project->App;
    if (!QueryClose(application))
        return false;
    m_designer.RemoveProject(application);
    return true;
}

bool DocumentStorage::LockOrReadOnly(mvDocument &document, const QString &shown)
{
    if (!m_state.Settings.RecordLocking)
        return true;
    try {
        document.Lock();
    } catch (const GuiError &) {
        const iPrompter::Answer answer = m_designer.Prompter().Ask(
            QStringLiteral("Unable to set record lock for item ") + Quoted(shown)
                + QStringLiteral(". Open in read-only mode?"),
            iPrompter::Buttons::YesNo, MessageIcon::Exclamation);
        if (answer != iPrompter::Answer::Yes)
            return false;
        document.SetReadOnly(true);
    }
    return true;
}

ProjectState *DocumentStorage::LoadText(const QString &text, const mvDocument *document,
                                        iLoadProgress *progress)
{
    // Pictures named relative to the project are found beside this document while the forms
    // load.
    m_opening = document;
    try {
        m_designer.SetTemplate(text, progress);
    } catch (...) {
        m_opening = nullptr;
        throw;
    }
    m_opening = nullptr;
    clsControl *app = m_designer.LastLoad().Application;
    return app ? m_designer.ProjectOf(app) : nullptr;
}

bool DocumentStorage::DropCancelledLoad()
{
    if (!m_designer.LastLoad().Cancelled)
        return false;
    // A cancelled load leaves nothing behind: what it made goes.
    for (clsControl *made : m_designer.LastLoad().Applications)
        m_designer.RemoveProject(*made);
    return true;
}

bool DocumentStorage::LastLoadWasPartial() const
{
    // A load that stopped early, or a text without its closing record (a file cut short),
    // gives only part of the document.
    const ProjectLoader::Result &load = m_designer.LastLoad();
    return load.Stopped || !load.Closed;
}

// ---- Recovered work --------------------------------------------------------------------

DocumentStorage::OpenResult DocumentStorage::OpenRecovered(const QString &storedText,
                                                           const QString &documentName)
{
    OpenResult result;
    iPrompter &prompter = m_designer.Prompter();
    BusyScope busy(prompter, StatusReading);
    try {
        std::unique_ptr<mvDocument> document =
            documentName.isEmpty() ? nullptr : m_state.Connection.Open(documentName);
        if (document) {
            result.DisplayName = document->DisplayName();
            if (!LockOrReadOnly(*document, result.DisplayName))
                return result;
        }
        const QString text = ToMemoryForm(storedText);
        // Recovered work can be as large as any document: the same progress and Cancel.
        ProjectState *project = LoadText(text, document.get(), m_progress);
        // The recovered work is still kept where it was.
        if ((result.Cancelled = DropCancelledLoad()))
            return result;
        if (!project)
            return result;
        clsControl *app = project->App;
        const bool partial = LastLoadWasPartial();
        if (partial && document) {
            // Part of the work is missing: it must not replace the document unasked.
            document->Unlock();
            document->SetReadOnly(true);
        }
        Bind(*project, text, std::move(document));
        project->PartlyLoaded = partial;
        m_designer.SetChanged(*project, true);
        m_designer.SetCurrentItem(app);
        result.Success = !partial;
        result.Partial = partial;
        result.App = app;
    } catch (...) {
        ErrorBoundary::ReportCurrent(m_designer.Prompter(), QString::fromLatin1(OpenLabel));
    }
    return result;
}
