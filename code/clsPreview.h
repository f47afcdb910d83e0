#pragma once

#include "code/iGuiRuntime.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class clsControl;
class clsDesigner;
struct ProjectState;
class iPrompter;

// What the preview window shows; the window implements it and forwards its gestures to
// clsPreview. Every member has a do-nothing default so tests can watch only what they need.
class iPreviewView
{
public:
    virtual ~iPreviewView() = default;
    virtual void TitleChanged(const QString &title) { Q_UNUSED(title); }
    virtual void CloseCaptionChanged(const QString &caption) { Q_UNUSED(caption); }
    virtual void MessagesCleared() {}
    // One more line at the end of the list; the list then scrolls to it.
    virtual void MessageAdded(const QString &line) { Q_UNUSED(line); }
    // Start the one-shot start-up timer; its tick calls StartupTimerTick.
    virtual void StartTimer(int milliseconds) { Q_UNUSED(milliseconds); }
    virtual void ShowWindow() {}
};

// The preview of one form: drives the GUI runtime the way a host program does (initialise,
// load the application and the form, show the form, wait for events) and lists every status
// problem and event that comes back, until the form is closed or the preview is cancelled.
// The designer's project is only read (GetTemplate), never changed.
class clsPreview
{
public:
    enum State { Idle = 0, Starting = 1, Loaded = 2, Shown = 3, Waiting = 4 };

    // Seconds since midnight, as the time of the last message is kept.
    using Clock = std::function<double()>;

    static constexpr int StartDelayMs = 50;
    static constexpr double PauseSeconds = 2.0;

    clsPreview(clsDesigner &designer, iPrompter &prompter, iGuiRuntimeFactory &factory,
               Clock clock = {});
    ~clsPreview();
    clsPreview(const clsPreview &) = delete;
    clsPreview &operator=(const clsPreview &) = delete;

    void SetView(iPreviewView *view) { m_view = view; }

    // The Preview command with the project-tree selection: the selection must be a form.
    // Returns whether the preview started (false after the selection message, or silently
    // when the runtime cannot be created).
    bool Preview(const clsControl *selected);
    // The start-up timer's first tick: builds the project text and initialises the runtime.
    void StartupTimerTick();
    // A result delivered later by the runtime (its ReturnResult event).
    void ReturnResult(const GuiResult &result);
    // The Close/Cancel button and closing the window: shuts the runtime down when running.
    void Close();
    // "Clea&r": empties the message list.
    void Clear();

    State CurrentState() const { return m_state; }
    const QString &Title() const { return m_title; }
    const QString &CloseCaption() const { return m_closeCaption; }
    const QStringList &Messages() const { return m_messages; }
    const QString &ProjectText() const { return m_projectText; }
    const QString &AppId() const { return m_appId; }
    const QString &FormId() const { return m_formId; }
    iGuiRuntime *Runtime() const { return m_runtime.get(); }

    // The list line of a status row ("" for severity 0) and of an event row.
    static QString StatusLine(const QStringList &row);
    static QString EventLine(const QStringList &row);
    // A status row's severity; error 5007 counts as 3.
    static int Severity(const QStringList &row);

    static QString SelectFormMessage();

private:
    void SetTitle(const QString &stateText);
    void SetCloseCaption(const QString &caption);
    void AddMessage(const QString &line);
    void Process(GuiResult result);
    GuiResult Execute(const QString &command);
    void Finish();
    QString BuildProjectText() const;
    // The folder pictures named relative to the project are taken from: that of a local
    // project's file; empty for a project on a host (the runtime's working folder).
    static QString ProjectFolder(const ProjectState *project);

    clsDesigner &m_designer;
    iPrompter &m_prompter;
    iGuiRuntimeFactory &m_factory;
    Clock m_clock;
    iPreviewView *m_view = nullptr;
    std::unique_ptr<iGuiRuntime> m_runtime;

    State m_state = Idle;
    QString m_appId;
    QString m_formId;
    QString m_name;
    QString m_title;
    QString m_closeCaption;
    QStringList m_messages;
    QString m_projectText;
    double m_lastMessage = 0;
    bool m_timerPending = false;
    bool m_processing = false;
    QList<GuiResult> m_pending;
};
