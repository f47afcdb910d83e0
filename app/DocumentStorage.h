#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class ProcessState;
class clsControl;
class clsDesigner;
class iCreateMode;
class iLoadProgress;
class iProgramCodeState;
class mvDocument;
struct ProjectState;

// The file commands: open by name (Open, the recent list and the command line), New, Save,
// Save As, Close and the closing questions. Documents are reached through the host
// connection of the process state; the bytes are the host layer's business. Every message
// and question goes through the designer's prompter.
class DocumentStorage
{
public:
    struct OpenResult
    {
        bool Success = false;
        // The document could not be named, found or read (nothing was loaded).
        bool Unreadable = false;
        clsControl *App = nullptr;
        QString DisplayName;
        // Only part of the document loaded: the project is open read-only and stays off the
        // recent-file list.
        bool Partial = false;
        // The user cancelled the load: nothing of the document stays open.
        bool Cancelled = false;
    };

    DocumentStorage(clsDesigner &designer, ProcessState &state);

    void SetProgramCode(iProgramCodeState *code) { m_code = code; }
    // Where opening a document reports how far its load got (none: the load runs unseen).
    void SetLoadProgress(iLoadProgress *progress) { m_progress = progress; }
    void SetCreateMode(iCreateMode *createMode) { m_createMode = createMode; }
    // The message after a load that gave only part of its document speaks of the project as
    // open read-only; a front that keeps no project open turns it off.
    void SetPartialLoadMessage(bool on) { m_partialLoadMessage = on; }

    // Opens the document and loads it as a new project. A document that an open project is
    // bound to is not loaded again: that project becomes the selection.
    OpenResult OpenByName(const QString &documentName);
    // The chooser titled "Open"; on success the document goes to the recent list.
    bool FileOpen();
    // The entry at that position (1 = newest) of the recent list.
    OpenResult OpenRecent(int index);
    // Loads project text kept by autosave (stored form) as a new project bound to the named
    // document (none when empty) without reading it, marked changed. Not a success when the
    // text loads only in part, or when the load was cancelled (then nothing stays open).
    OpenResult OpenRecovered(const QString &storedText, const QString &documentName);

    // Starts a new project, bound to the named document when one is given: the property
    // sheet is shown in create mode, and the application the user creates there becomes an
    // open project bound to that document (or to none). False when the user cancelled.
    bool New(const QString &documentName = {});

    // Save: without a document this is Save As. nullptr means the current project.
    bool Save(clsControl *app = nullptr);
    bool FileSaveAs(clsControl *app = nullptr);
    // Where Save As starts: the project's document, or for a project never saved the
    // application's ID as item (or "<ID>.gui" file) in the host file (or folder) of the host
    // parameters; a local file while the host store holds no hosts.
    QString SaveAsStart(const ProjectState &project) const;
    // The open project bound to that document (other than `except`), or nullptr.
    ProjectState *BoundTo(const mvDocument &document, const ProjectState *except = nullptr) const;
    // The open project bound to the document of that name, if any.
    ProjectState *BoundToName(const QString &documentName) const;
    // Whether two document objects stand for one item or file (a local file reached through
    // a link or by another path included).
    static bool SameDocument(const mvDocument &a, const mvDocument &b);
    // Writes the project to its document; false (with Changed kept) when it fails.
    bool WriteProject(ProjectState &project);
    // The in-memory text the save path writes: asks the version question for an older
    // project (nothing on Cancel) and fills record 1 field 4.
    std::optional<QString> SaveText(ProjectState &project);
    // The same text at the given version, without asking.
    static QString ProjectText(const ProjectState &project, int version);

    // Told after every successful write of a project to its document.
    void SetProjectWritten(std::function<void(const ProjectState &)> written) { m_written = std::move(written); }

    // Close: the closing question, then the project is removed.
    bool Close(clsControl *app = nullptr);
    // The closing question for one project: true when it may close.
    bool QueryClose(clsControl &app);
    // The closing question for every open project in turn; false as soon as one must stay.
    bool QueryExit();

    // The recent-list name of a document name: local paths as they are, host items with "*"
    // for host name and account.
    static QString DisplayName(const QString &documentName);
    // Stored form (records by CR LF) and in-memory form (records by AttributeMark). Reading
    // also takes a lone LF as a record separator.
    static QString ToStoredForm(const QString &text);
    static QString ToMemoryForm(const QString &text);

    // The file to load for a picture, icon or logo name of the application's project: a
    // relative name is looked for first beside the project's local file (also while it is
    // being opened), then as any picture name of the designer (the images folder, URLs
    // through the download cache).
    QString ResolvePicture(const clsControl *app, const QString &name) const;

    static constexpr const char *OpenLabel = "<CvGuiSvrMod FileOpen>";
    static constexpr const char *NewLabel = "<CvGuiSvrMod FileNew>";
    static constexpr const char *SaveAsLabel = "<CvGuiSvrMod FileSaveAs>";

private:
    ProjectState *Target(clsControl *app) const;
    // The folder of the project's local file; empty for a host item or a project never saved.
    QString LocalFolder(const clsControl *app) const;
    void CopyHostParameters(const mvDocument &document);
    void AddRecent(const QString &displayName);
    void Report(int number, const QString &description, const QString &label);
    void Bind(ProjectState &project, const QString &text, std::unique_ptr<mvDocument> document);
    void ApplicationCreated(clsControl &app, std::unique_ptr<mvDocument> document);
    // Locks the document when record locking is on; on a lock held elsewhere, asks whether
    // to open read-only (false: the user declined).
    bool LockOrReadOnly(mvDocument &document, const QString &shown);
    // Loads project text while the document it came from is the one being opened; the
    // project made, or nullptr.
    ProjectState *LoadText(const QString &text, const mvDocument *document,
                           iLoadProgress *progress = nullptr);
    bool LastLoadWasPartial() const;
    // After a load the user cancelled: removes what it made and says true.
    bool DropCancelledLoad();

    clsDesigner &m_designer;
    ProcessState &m_state;
    iProgramCodeState *m_code = nullptr;
    iLoadProgress *m_progress = nullptr;
    std::function<void(const ProjectState &)> m_written;
    iCreateMode *m_createMode = nullptr;
    // The document being read by OpenByName while its project loads (not yet bound to it).
    const mvDocument *m_opening = nullptr;
    bool m_partialLoadMessage = true;
};
