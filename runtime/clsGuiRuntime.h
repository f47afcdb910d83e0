#pragma once

#include "code/iGuiRuntime.h"
#include "runtime/RuntimeWidgets.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>

class QMainWindow;
class QMenu;
class QTimer;
class QWidget;
class clsControl;
class RuntimeProject;

// The GUI runtime: executes the command texts of a host program (or of the designer's
// preview) and runs the loaded forms as live windows, reporting the user's events as rows.
//   "1" VM version        initialise for a project format version (1.0 to 1.4)
//   "11" VM "2" VM text   load applications and forms from project text
//   "6" VM id VM method [VM args...]   run a method on an object
//   "7"                   the queued event rows; none now means they come by ReturnResult
//   "99"                  shut down: every window closed, nothing left behind
// Every command but a waiting "7" answers at least one status row; severity 0 means done.
class clsGuiRuntime final : public QObject, public iGuiRuntime, private iRuntimeEvents
{
    Q_OBJECT

public:
    clsGuiRuntime();
    ~clsGuiRuntime() override;

    GuiResult Execute(const QString &command) override;
    void SetReturnResult(ResultHandler handler) override { m_handler = std::move(handler); }
    void SetProjectFolder(const QString &folder) override { m_projectFolder = folder; }
    QString ProjectFolder() const { return m_projectFolder; }

    bool Initialised() const { return m_initialised; }
    // The live widget of an object (form window, control, bar) by full ID; nullptr if none.
    QWidget *WidgetOf(const QString &fullId) const;
    // The top-level windows the runtime has made and not yet released.
    QList<QWidget *> Windows() const;
    int QueuedEvents() const { return int(m_queue.size()); }

    // Called by the form windows.
    void FormClosing(const QString &formId, bool &accept);
    void AppClosing(bool &accept);
    void WindowActivation(const QString &formId, bool active);
    void WindowResized(const QString &formId, int width, int height);
    // Raises Context and opens the pop-up menu of the object's form, when it has one.
    void ContextGesture(const QString &fullId, const QPoint &globalPos) override;
    // The pop-up menu the context gesture opens on a form and its controls; nullptr if none.
    QMenu *PopupOf(const QString &formId) const;

private:
    void Raise(const QString &fullId, int eventCode, const QStringList &args = {}) override;
    QString PictureFolder() const override { return m_projectFolder; }
    void Deliver();

    GuiResult Initialise(const QStringList &fields);
    GuiResult Load(const QString &command);
    GuiResult RunMethod(const QStringList &fields);
    GuiResult Wait();
    GuiResult Shutdown();

    void BuildApplication(clsControl &app);
    void BuildForm(clsControl &form);
    void BuildChildren(const clsControl &owner, QWidget *parent);
    QMainWindow *FrameOf(const clsControl &app);
    void ShowForm(const clsControl &form);
    void StartTimers(const clsControl &form, bool on);
    bool AnyFormShowable(const clsControl &app) const;
    void ReleaseWindows();

    std::unique_ptr<RuntimeProject> m_project;
    ResultHandler m_handler;
    bool m_initialised = false;
    bool m_waiting = false;
    bool m_deliveryQueued = false;
    QList<QStringList> m_queue;
    // Full ID (upper case) to the object's widget: forms map to their window.
    QHash<QString, QPointer<QWidget>> m_widgets;
    QHash<QString, QPointer<QTimer>> m_timers;
    // Application frames of MDI applications, by application ID (upper case).
    QHash<QString, QPointer<QMainWindow>> m_frames;
    QList<QPointer<QWidget>> m_windows;
    QList<QPointer<QWidget>> m_released;
    // The pop-up menu of each form (upper-case form ID) that owns one.
    QHash<QString, QPointer<QMenu>> m_popups;
    QString m_projectFolder;
};
