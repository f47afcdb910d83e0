#include "code/CodeEditorLink.h"

#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "code/CodeAnalysis.h"
#include "code/CodeDecoderQuestion.h"
#include "code/CodeUpdate.h"
#include "code/EventList.h"
#include "code/EventSignature.h"
#include "code/LoadCodeModel.h"
#include "code/TemplateFiles.h"
#include "code/UpdateCodeModel.h"
#include "code/iCodeCommandHost.h"
#include "code/modCodeGen.h"
#include "host/DocumentName.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFileInfo>

#include <exception>
#include <utility>

namespace {
constexpr QLatin1String CrLf("\r\n");

QString DescriptionOf(const std::exception &e)
{
    if (auto *gui = dynamic_cast<const GuiError *>(&e))
        return gui->Description();
    return QString::fromLocal8Bit(e.what());
}

// The save precondition of the code commands, answered by the designer's prompter and
// document storage.
class CommandHost final : public iCodeCommandHost
{
public:
    CommandHost(ProjectState &project, iPrompter &prompter, DocumentStorage *storage)
        : m_project(project), m_prompter(prompter), m_storage(storage) {}
    QString ProjectFileName() const override { return Location().first; }
    QString ProjectItemId() const override { return Location().second; }
    bool AskOkCancel(const QString &text) override
    {
        return m_prompter.Ask(text, iPrompter::Buttons::OkCancel, MessageIcon::Exclamation)
            == iPrompter::Answer::Ok;
    }
    bool SaveProject() override { return m_storage && m_storage->Save(m_project.App); }

private:
    std::pair<QString, QString> Location() const
    {
        QString file, id;
        CodeEditorLink::ProjectLocation(m_project, file, id);
        return {file, id};
    }
    ProjectState &m_project;
    iPrompter &m_prompter;
    DocumentStorage *m_storage;
};
} // namespace

// What the link keeps with one project; it ends with the project.
struct CodeEditorLink::ProjectCode final : ProjectExtension
{
    // A project that closes takes its code document with it: the closing questions have
    // been answered, and the program item's record lock must not outlive the project (it
    // would open read-only when the project comes back).
    ~ProjectCode() override
    {
        if (iCodeDocument *document = std::exchange(Document, nullptr)) {
            document->SetEvents(nullptr);
            try {
                document->Close();
            } catch (...) {
            }
        }
    }
    iCodeDocument *Document = nullptr;
    // The event signature when the decoder was last written; "" when not known.
    QString DecoderSignature;
};

CodeEditorLink::CodeEditorLink(clsDesigner &designer, ProcessState &state, DocumentStorage *storage)
    : m_designer(designer), m_state(state), m_storage(storage)
{
}

CodeEditorLink::~CodeEditorLink()
{
    for (ProjectState *project : m_designer.Projects()) {
        if (auto *code = dynamic_cast<ProjectCode *>(project->Code.get()))
            code->Document = nullptr;
    }
    if (m_editor)
        m_editor->SetEvents(nullptr);
}

TemplateFiles &CodeEditorLink::Templates()
{
    if (!m_templates) {
        const QString folder = TemplateFiles::TemplateFolder(
            m_state.Settings.ReadValue(QStringLiteral("TemplatePath"), m_state.Settings.TemplatePath),
            m_state.ProgramFolder);
        m_templates = std::make_unique<TemplateFiles>(folder);
        m_templates->SetMessageSink([this](const QString &text) { Message(text); });
    }
    return *m_templates;
}

void CodeEditorLink::Message(const QString &text)
{
    m_designer.Prompter().ShowMessage(text, MessageIcon::Exclamation);
}

ProjectState *CodeEditorLink::ProjectFor(const clsControl &item) const
{
    return m_designer.ProjectOf(&item);
}

CodeEditorLink::ProjectCode *CodeEditorLink::CodeOf(const clsControl &item) const
{
    ProjectState *project = ProjectFor(item);
    return project ? dynamic_cast<ProjectCode *>(project->Code.get()) : nullptr;
}

CodeEditorLink::ProjectCode &CodeEditorLink::EnsureCodeOf(ProjectState &project)
{
    if (!dynamic_cast<ProjectCode *>(project.Code.get()))
        project.Code = std::make_unique<ProjectCode>();
    return static_cast<ProjectCode &>(*project.Code);
}

iCodeDocument *CodeEditorLink::CodeDocument(const clsControl &item) const
{
    const ProjectCode *code = CodeOf(item);
    return code ? code->Document : nullptr;
}

bool CodeEditorLink::ProjectLocation(const ProjectState &project, QString &fileName, QString &itemId)
{
    fileName.clear();
    itemId.clear();
    const mvDocument *document = project.Document.get();
    if (!document)
        return false;
    fileName = document->FileName();
    itemId = document->ItemID();
    // A local project named by its path is the item of that name in its folder, as the host
    // layer opens it; the generated program needs both parts to find it.
    if (itemId.isEmpty() && document->Parts().IsLocalFile() && !fileName.isEmpty()) {
        const QFileInfo info(fileName);
        const QString folder = QDir::current().relativeFilePath(info.absolutePath());
        fileName = folder.startsWith(QLatin1String("..")) ? info.absolutePath() : folder;
        itemId = info.fileName();
    }
    return !fileName.isEmpty() && !itemId.isEmpty();
}

QString CodeEditorLink::ProjectText(const ProjectState &project)
{
    int version = Vocabulary::CurrentProjectVersion;
    if (auto *app = dynamic_cast<const cAppWrapper *>(project.App->Wrapper()))
        version = app->ProjectVersion();
    return DocumentStorage::ProjectText(project, version);
}

std::unique_ptr<CodeAnalysis> CodeEditorLink::AnalysisFor(const ProjectState &project)
{
    auto analysis = std::make_unique<CodeAnalysis>(Templates());
    analysis->SetProjectText(ProjectText(project));
    QString file, id;
    ProjectLocation(project, file, id);
    analysis->SetProjectLocation(file, id);
    analysis->SetCodeStyle(project.CodeStyle);
    analysis->SetCasing(project.Casing);
    return analysis;
}

void CodeEditorLink::RecordDecoder(ProjectState &project, const QString &signature)
{
    EnsureCodeOf(project).DecoderSignature = signature;
}

bool CodeEditorLink::StartEditor()
{
    if (m_editor)
        return true;
    try {
        if (!m_factory)
            throw GuiError(429, QStringLiteral("No code editor is installed."));
        std::shared_ptr<iCodeEditor> editor = m_factory();
        if (!editor)
            throw GuiError(429, QStringLiteral("The code editor could not be created."));
        m_editor = std::move(editor);
    } catch (const std::exception &e) {
        Message(QStringLiteral("Unable to open code editor (Quill): ") + DescriptionOf(e));
        return false;
    }
    m_editor->SetEvents(this);
    m_editor->AddCustomCommand(QStringLiteral("ActivateDesigner"), QStringLiteral("&GUI Designer"), 30);
    m_editor->SetHostType(m_state.HostType);
    m_editor->SetHostName(m_state.HostName);
    m_editor->SetAccountName(m_state.AccountName);
    m_editor->SetIdentity(m_identity);
    return true;
}

bool CodeEditorLink::EnsureCodeEditor(clsControl &item)
{
    ProjectState *project = ProjectFor(item);
    if (!project || !project->App) {
        Message(CodeUpdate::NoDesignObjectText());
        return false;
    }
    if (CodeDocument(item))
        return true;
    iCodeDocument *document = nullptr;
    try {
        CommandHost host(*project, m_designer.Prompter(), m_storage);
        if (!modCodeGen::EnsureProjectSaved(host))
            return false;

        QString projectFile, projectId;
        ProjectLocation(*project, projectFile, projectId);
        LoadCodeModel::Start start;
        start.HostType = project->Document ? project->Document->HostType() : m_state.HostType;
        start.HostName = project->Document ? project->Document->HostName() : m_state.HostName;
        start.AccountName = project->Document ? project->Document->AccountName() : m_state.AccountName;
        start.ProgramDocumentName = project->ProgramDocumentName;
        start.CodeStyle = project->CodeStyle;
        start.Casing = project->Casing;
        LoadCodeModel choice(Templates(), &m_state.Connection, start);
        if (!m_dialogs || !m_dialogs->ShowLoadCode(choice))
            return false;

        const QString programName = choice.ProgramDocumentName();
        const QString style = choice.HasTemplates() ? choice.Style() : project->CodeStyle;
        if (project->ProgramDocumentName != programName || project->CodeStyle != style
            || project->Casing != choice.Casing()) {
            project->ProgramDocumentName = programName;
            project->CodeStyle = style;
            project->Casing = choice.Casing();
            m_designer.MarkChanged(project->App);
        }

        QString program;
        std::unique_ptr<CodeAnalysis> analysis = AnalysisFor(*project);
        if (choice.NewItem) {
            program = analysis->Generator().GenerateProgram();
            if (program.isEmpty()) {
                if (!analysis->Generator().Warning().isEmpty())
                    Message(analysis->Generator().Warning());
                return false;
            }
        }

        if (!StartEditor())
            return false;
        document = &AddDocument(*project);
        ProjectCode &code = EnsureCodeOf(*project);
        if (choice.NewItem) {
            document->SetDocumentName(programName);
            document->SetText(program);
            code.DecoderSignature = EventSignature::Of(analysis->Project());
        } else {
            QString opened, shown;
            document->Open(programName, opened, shown);
            // A decoder found up to date counts as written for the project as it is now.
            const CodeAnalysisResult result = analysis->Analyze(document->Text());
            code.DecoderSignature = result.Analyzed
                    && result.PieceStatus[CodeAnalysisResult::Decoder] == CodeAnalysisResult::Present
                ? EventSignature::Of(analysis->Project()) : QString();
        }
        m_identity = document->Identity();
        RefreshDecoderNotice(item);
        return true;
    } catch (const std::exception &e) {
        DropDocument(item, document);
        Message(QStringLiteral("Unable to open code editor.") + CrLf + DescriptionOf(e));
        return false;
    }
}

iCodeDocument &CodeEditorLink::AddDocument(ProjectState &project)
{
    iCodeDocument *document = m_editor->Documents().Add();
    if (!document)
        throw GuiError(91, QStringLiteral("The code editor gave no document."));
    document->SetEvents(this);
    EnsureCodeOf(project).Document = document;
    return *document;
}

void CodeEditorLink::DropDocument(const clsControl &item, iCodeDocument *document)
{
    if (!document)
        return;
    if (ProjectCode *code = CodeOf(item))
        code->Document = nullptr;
    document->SetEvents(nullptr);
    document->Close();
}

bool CodeEditorLink::EditCode(clsControl &item)
{
    try {
        if (!EnsureCodeEditor(item))
            return false;
        CodeDocument(item)->Show();
        return true;
    } catch (const std::exception &e) {
        Message(QStringLiteral("Unable to launch code editor.") + CrLf + DescriptionOf(e));
        return false;
    }
}

bool CodeEditorLink::UpdateCode(clsControl &item)
{
    try {
        if (!EnsureCodeEditor(item))
            return false;
        ProjectState *project = ProjectFor(item);
        std::unique_ptr<CodeAnalysis> analysis = AnalysisFor(*project);
        clsControl *app = project->App;
        UpdateCodeModel model(
            analysis.get(), [this, app]() { return CodeDocument(*app); }, m_designer.Prompter(),
            [this, app](const QString &signature) {
                if (ProjectState *p = ProjectFor(*app))
                    RecordDecoder(*p, signature);
            });
        model.Refresh();
        if (m_dialogs)
            m_dialogs->ShowUpdate(model);
        if (ProjectFor(item))
            RefreshDecoderNotice(item);
        return true;
    } catch (const std::exception &e) {
        Message(QStringLiteral("Unable to launch code editor.") + CrLf + DescriptionOf(e));
        return false;
    }
}

bool CodeEditorLink::GoToEventHandler(clsControl &item, const QString &event)
{
    try {
        if (!EnsureCodeEditor(item))
            return false;
        ProjectState *project = ProjectFor(item);
        iCodeDocument *document = CodeDocument(item);
        std::unique_ptr<CodeAnalysis> analysis = AnalysisFor(*project);
        CodeUpdate update(*analysis);

        const CodeAnalysisResult result = analysis->Analyze(document->Text());
        const bool stale = result.Analyzed
            && result.PieceStatus[CodeAnalysisResult::Decoder] == CodeAnalysisResult::NeedsUpdate;
        const CodeDecoderQuestion::Decision decision = CodeDecoderQuestion::Decide(
            stale, DecoderPreference(),
            [this]() { return m_dialogs ? m_dialogs->ShowDecoderQuestion() : int(CodeDecoderQuestion::No); });
        if (decision.Preference != DecoderPreference())
            SetDecoderPreference(decision.Preference);
        if (decision.Rebuild) {
            document->SetText(update.RebuildDecoder(document->Text()));
            RecordDecoder(*project, EventSignature::Of(analysis->Project()));
        }

        const QStringList ids = item.FullID().split(QLatin1Char('*'));
        const QString label = analysis->Generator().EventHandlerLabel(
            ids.value(0), ids.value(1), ids.value(2), event);
        try {
            document->GoToLabel(label);
        } catch (const GuiError &) {
            // The handler is not there yet: add it where it sorts and go again.
            document->SetText(update.AddMissingHandlers(document->Text(), {label}));
            document->GoToLabel(label);
        }
        document->Show();
        RefreshDecoderNotice(item);
        return true;
    } catch (const std::exception &e) {
        Message(QStringLiteral("Unable to locate event handler in code editor.") + CrLf
                + DescriptionOf(e));
        return false;
    }
}

QStringList CodeEditorLink::HandlerEvents(const clsControl &item) const
{
    ProjectState *project = ProjectFor(item);
    if (!project || !project->App)
        return {};
    QStringList events;
    try {
        const QStringList ids = item.FullID().toUpper().split(QLatin1Char('*'));
        const EventList list = EventList::FromProjectText(ProjectText(*project));
        for (const EventRow &row : list.Rows()) {
            if (row.App.toUpper() == ids.value(0) && row.Form.toUpper() == ids.value(1)
                && row.Control.toUpper() == ids.value(2))
                events << row.Event;
        }
    } catch (const std::exception &) {
        return {};
    }
    return events;
}

QString CodeEditorLink::DecoderNotice(const clsControl &item)
{
    ProjectState *project = ProjectFor(item);
    ProjectCode *code = CodeOf(item);
    if (!project || !project->App || !code || !code->Document)
        return {};
    try {
        const QString current = EventSignature::OfProjectText(ProjectText(*project));
        return EventSignature::DecoderNotice(current, code->DecoderSignature);
    } catch (const std::exception &) {
        return {};
    }
}

void CodeEditorLink::RefreshDecoderNotice(const clsControl &item)
{
    if (m_notice)
        m_notice(DecoderNotice(item));
}

int CodeEditorLink::DecoderPreference() const
{
    const int value = m_state.Settings.ReadInt(SettingDecoderPreference(), 0);
    return value >= 0 && value <= 2 ? value : 0;
}

void CodeEditorLink::SetDecoderPreference(int preference)
{
    m_state.Settings.WriteInt(SettingDecoderPreference(), preference);
}

void CodeEditorLink::Custom(const QString &commandName)
{
    if (commandName.toUpper() == QLatin1String("ACTIVATEDESIGNER") && m_bringToFront)
        m_bringToFront();
}

void CodeEditorLink::Quit()
{
    for (ProjectState *project : m_designer.Projects()) {
        if (auto *code = dynamic_cast<ProjectCode *>(project->Code.get()))
            code->Document = nullptr;
    }
    // The editor raised this itself: it decides when its object goes (Quill defers it).
    std::shared_ptr<iCodeEditor> editor = std::move(m_editor);
    if (editor)
        editor->SetEvents(nullptr);
}

void CodeEditorLink::DocumentClose(iCodeDocument &document)
{
    for (ProjectState *project : m_designer.Projects()) {
        auto *code = dynamic_cast<ProjectCode *>(project->Code.get());
        if (code && code->Document == &document) {
            code->Document = nullptr;
            if (m_notice && project->App)
                m_notice(QString());
        }
    }
}

bool CodeEditorLink::HasUnsavedNewCode(const clsControl &app) const
{
    const iCodeDocument *document = CodeDocument(app);
    return document && !document->IsSaved();
}

bool CodeEditorLink::HasChangedCode(const clsControl &app) const
{
    const iCodeDocument *document = CodeDocument(app);
    return document && document->IsSaved() && document->IsModified();
}

QString CodeEditorLink::NewProgramStart(const clsControl &app) const
{
    // The local file parameter names the last project document: starting there, Enter and Yes
    // would write the program over a project. Start in its folder, under the application's ID.
    if (m_state.HostType.compare(DocumentName::FileType, Qt::CaseInsensitive) == 0)
        return DocumentName::Build(QString(DocumentName::FileType), {}, {},
                                   QDir(m_state.LocalFolder()).filePath(app.ID() + QStringLiteral(".bas")), {});
    // A host file: the user names the new item.
    return DocumentName::Build(m_state.HostType, m_state.HostName, m_state.AccountName,
                               m_state.HostFileName, {});
}

std::optional<iProgramCodeState::UnsavedProgram> CodeEditorLink::ProgramToKeep(const clsControl &app) const
{
    const iCodeDocument *document = CodeDocument(app);
    if (!document || (document->IsSaved() && !document->IsModified()))
        return std::nullopt;
    return UnsavedProgram{document->DocumentName(), document->IsSaved(), document->Text()};
}

bool CodeEditorLink::RestoreProgram(clsControl &app, const UnsavedProgram &program)
{
    ProjectState *project = ProjectFor(app);
    if (!project || !project->App || CodeDocument(app) || !StartEditor())
        return false;
    iCodeDocument *document = nullptr;
    try {
        document = &AddDocument(*project);
        // Code that was saved before reopens its document, so the kept text shows as changes
        // to it; a document that is gone takes the text as new code under the same name.
        bool opened = false;
        if (program.Saved && !program.DocumentName.isEmpty()) {
            try {
                QString openedName, shown;
                document->Open(program.DocumentName, openedName, shown);
                opened = true;
            } catch (const GuiError &) {
            }
        }
        if (!opened && !program.DocumentName.isEmpty())
            document->SetDocumentName(program.DocumentName);
        document->SetText(program.Text);
        m_identity = document->Identity();
        RefreshDecoderNotice(app);
        return true;
    } catch (const std::exception &e) {
        DropDocument(app, document);
        Message(QStringLiteral("Unable to open code editor.") + CrLf + DescriptionOf(e));
        return false;
    }
}

bool CodeEditorLink::SaveCode(clsControl &app)
{
    iCodeDocument *document = CodeDocument(app);
    if (!document)
        return true;
    iPrompter &prompter = m_designer.Prompter();
    try {
        if (document->DocumentName().isEmpty()) {
            const QString start = NewProgramStart(app);
            const auto chosen = m_state.Connection.Chooser(QStringLiteral("Save Code"), nullptr, start);
            if (!chosen)
                return false;
            document->SetDocumentName(chosen->Name());
        }
        // A new program must not overwrite an existing item unasked.
        if (!document->IsSaved()) {
            const auto target = m_state.Connection.Open(document->DocumentName());
            if (target && target->Exists()
                && prompter.Ask(QStringLiteral("Item '%1' exists. Overwrite?").arg(target->DisplayName()),
                                iPrompter::Buttons::YesNo, MessageIcon::Question)
                    != iPrompter::Answer::Yes)
                return false;
        }
        prompter.SetStatusText(QStringLiteral("Saving document to host"));
        document->Save();
        prompter.SetStatusText(QString());
        return true;
    } catch (const std::exception &e) {
        prompter.SetStatusText(QString());
        Message(QStringLiteral("Unable to save the program code.") + CrLf + DescriptionOf(e));
        return false;
    }
}
