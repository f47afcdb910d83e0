#pragma once

#include "app/iProgramCodeState.h"
#include "code/iCodeEditor.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CodeAnalysis;
class DocumentStorage;
class LoadCodeModel;
class ProcessState;
class TemplateFiles;
class UpdateCodeModel;
class clsControl;
class clsDesigner;
struct ProjectState;

// The dialogs the code commands show; the designer supplies Qt windows, tests script them.
class iCodeDialogs
{
public:
    virtual ~iCodeDialogs() = default;
    // The code item dialog; false when cancelled.
    virtual bool ShowLoadCode(LoadCodeModel &model) = 0;
    virtual void ShowUpdate(UpdateCodeModel &model) = 0;
    // The decoder question: a CodeDecoderQuestion::Answer.
    virtual int ShowDecoderQuestion() = 0;
};

// The designer's side of the code editor: starts the editor on first need, ties each project
// to its code document, runs the code commands (Edit code, Update code, Go to event handler),
// keeps the event decoder notice of the status bar, and answers the closing questions about
// program code. It also receives the editor's events.
class CodeEditorLink final : public iProgramCodeState,
                             public iCodeEditorEvents,
                             public iCodeDocumentEvents
{
public:
    // storage runs Save when a command needs a saved project (nullptr: the command stops).
    CodeEditorLink(clsDesigner &designer, ProcessState &state, DocumentStorage *storage);
    ~CodeEditorLink() override;
    CodeEditorLink(const CodeEditorLink &) = delete;
    CodeEditorLink &operator=(const CodeEditorLink &) = delete;

    void SetEditorFactory(CodeEditorFactory factory) { m_factory = std::move(factory); }
    void SetDialogs(iCodeDialogs *dialogs) { m_dialogs = dialogs; }
    // Receives the status-bar notice ("Event decoder may require updating!" or "").
    void SetNoticeSink(std::function<void(const QString &)> sink) { m_notice = std::move(sink); }
    // Brings the main window to the front; true when that worked.
    void SetBringToFront(std::function<bool()> bring) { m_bringToFront = std::move(bring); }

    // Makes sure the project has an open code document; false (after its message) when not.
    bool EnsureCodeEditor(clsControl &app);
    // The code commands of the main window, for the project the item belongs to.
    bool EditCode(clsControl &item);
    bool UpdateCode(clsControl &item);
    // event: the event's program name ("Click") or "MENU(" + item ID + ")" for a bar item.
    bool GoToEventHandler(clsControl &item, const QString &event);
    // The events whose handlers the item's project needs for this item, in event-list order
    // (what the "Code" sub-menu of the context menu offers); empty for an unknown item.
    QStringList HandlerEvents(const clsControl &item) const;

    // Recomputes the project's event signature and sends the notice to the sink; the main
    // window calls it after edits that may change the project's events.
    void RefreshDecoderNotice(const clsControl &item);
    QString DecoderNotice(const clsControl &item);

    // The decoder rebuild preference (0 ask, 1 always, 2 never), kept with the settings.
    int DecoderPreference() const;
    void SetDecoderPreference(int preference);

    iCodeEditor *Editor() const { return m_editor.get(); }
    iCodeDocument *CodeDocument(const clsControl &item) const;
    const QString &Identity() const { return m_identity; }
    TemplateFiles &Templates();

    // The location the project is saved under as the templates name it: a host item by its
    // file name and item ID, a local project by its folder and file name.
    static bool ProjectLocation(const ProjectState &project, QString &fileName, QString &itemId);
    // The project text the code is generated from (records by attribute mark).
    static QString ProjectText(const ProjectState &project);

    // Editor events (the designer's CodeEditor_Custom and CodeEditor_Quit).
    void Custom(const QString &commandName) override;
    void Quit() override;
    void DocumentClose(iCodeDocument &document) override;

    // iProgramCodeState
    bool HasUnsavedNewCode(const clsControl &app) const override;
    bool HasChangedCode(const clsControl &app) const override;
    bool SaveCode(clsControl &app) override;
    // Where the chooser starts for a new program that has no name yet.
    QString NewProgramStart(const clsControl &app) const;
    std::optional<UnsavedProgram> ProgramToKeep(const clsControl &app) const override;
    bool RestoreProgram(clsControl &app, const UnsavedProgram &program) override;

    static QString SettingDecoderPreference() { return QStringLiteral("DecoderRebuild"); }

private:
    struct ProjectCode;
    ProjectCode *CodeOf(const clsControl &item) const;
    ProjectCode &EnsureCodeOf(ProjectState &project);
    // A new document of the editor, listening to it and held as the project's code.
    iCodeDocument &AddDocument(ProjectState &project);
    // Lets go of a document that could not be set up.
    void DropDocument(const clsControl &item, iCodeDocument *document);
    ProjectState *ProjectFor(const clsControl &item) const;
    std::unique_ptr<CodeAnalysis> AnalysisFor(const ProjectState &project);
    bool StartEditor();
    void Message(const QString &text);
    void RecordDecoder(ProjectState &project, const QString &signature);

    clsDesigner &m_designer;
    ProcessState &m_state;
    DocumentStorage *m_storage;
    CodeEditorFactory m_factory;
    iCodeDialogs *m_dialogs = nullptr;
    std::function<void(const QString &)> m_notice;
    std::function<bool()> m_bringToFront;
    std::shared_ptr<iCodeEditor> m_editor;
    QString m_identity;
    std::unique_ptr<TemplateFiles> m_templates;
};
