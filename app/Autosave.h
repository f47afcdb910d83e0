#pragma once

#include "app/RecoveryStore.h"
#include "app/iProgramCodeState.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

class DocumentStorage;
class QTimer;
class clsControl;
class clsDesigner;
class clsDesignerSettings;
struct ProjectState;

// Keeps the unsaved work of every open project in the recovery folder, so a crash loses at
// most the last few minutes: every interval each project with unsaved changes (or unsaved
// program code in the editor) is written to its recovery file. The project text is taken on
// the user-interface thread, between two events, as one consistent picture; turning it into
// bytes and writing them happens on a worker thread of its own, so the user's work is held
// up only for the time the text takes to make. A project's file goes when the project is
// saved or closed, and all of them when the program ends normally.
//
// The interval is the setting AutosaveMinutes (0 turns autosave off). The environment
// variable CORVANE_AUTOSAVE_SECONDS, when set to a whole number, replaces it with that many
// seconds (0 off); the end-to-end tests use it to wait seconds instead of minutes.
class Autosave : public QObject
{
public:
    Autosave(clsDesigner &designer, DocumentStorage &storage, clsDesignerSettings &settings);
    ~Autosave() override;
    Autosave(const Autosave &) = delete;
    Autosave &operator=(const Autosave &) = delete;

    // Starts autosave with the recovery folder (none: autosave stays off). A folder that
    // cannot be used turns autosave off; the user hears of it once, at the first autosave.
    void Start(std::unique_ptr<RecoveryStore> store);
    // Takes a changed interval from the settings.
    void ApplySettings();
    // Milliseconds between autosaves; 0 when off.
    int IntervalMs() const;
    bool IsActive() const;

    void SetProgramCode(iProgramCodeState *code) { m_code = code; }
    // Asked before each autosave: true while the user is in the middle of something (a dialog
    // or menu is open); the autosave is then tried again a few seconds later.
    void SetBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }

    // One autosave of every project that needs it, as the timer runs it.
    void RunNow();
    // Waits until every file given to the worker is written or removed (tests, shutdown).
    void Flush();

    // The project was written to its document / is closed: its recovery file goes.
    void ProjectSaved(const ProjectState &project);
    void ProjectClosed(const QString &appId);
    // The program ends normally: every file of this process goes, and the lock with them.
    void Finish();

    RecoveryStore *Store() const { return m_store.get(); }
    // The recovery file of an open project; empty when it has none.
    QString FileOf(const ProjectState &project) const;

    // Left-behind work: what the start-up offers, and what Recover and Discard do with it.
    RecoveryStore::Findings FindLeftBehind();
    // Opens the file's project as it was at its autosave, bound to its document, changed,
    // with its program code back in the editor. The file goes once the project has been
    // written to a recovery file of this process; a file that does not load stays.
    clsControl *Recover(const RecoveryStore::Entry &entry);
    void Discard(const RecoveryStore::Entry &entry);

private:
    struct Kept
    {
        QString Path;
        size_t Hash = 0;
    };
    using Task = std::function<void()>;

    void WriteChanged();
    void Post(Task task);
    void WorkerLoop();
    void WriteFailed(const QString &message);
    void TurnOff(const QString &why);
    void Restart();

    clsDesigner &m_designer;
    DocumentStorage &m_storage;
    clsDesignerSettings &m_settings;
    iProgramCodeState *m_code = nullptr;
    std::function<bool()> m_busy;
    std::unique_ptr<RecoveryStore> m_store;
    std::unique_ptr<QTimer> m_timer;
    std::unordered_map<const ProjectState *, Kept> m_kept;
    int m_nextSerial = 1;
    bool m_off = false;
    bool m_told = false;
    QString m_offReason;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Task> m_tasks;
    bool m_working = false;
    bool m_stopping = false;
    std::thread m_worker;
};
