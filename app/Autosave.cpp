#include "app/Autosave.h"

#include "app/DocumentStorage.h"
#include "app/ProjectState.h"
#include "app/clsDesigner.h"
#include "app/clsDesignerSettings.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QTimer>

namespace {
// A busy user is asked again this much later.
constexpr int BusyRetryMs = 5000;

int ProjectVersion(const ProjectState &project)
{
    if (auto *app = dynamic_cast<const cAppWrapper *>(project.App->Wrapper()))
        return app->ProjectVersion();
    return Vocabulary::CurrentProjectVersion;
}

// What the snapshot holds apart from the moment it was taken (record 1 carries the time).
size_t ContentHash(const QString &text, const std::optional<iProgramCodeState::UnsavedProgram> &program,
                   const QString &document)
{
    const qsizetype firstEnd = text.indexOf(QChar(Marks::Attribute));
    const QStringView first = QStringView(text).left(firstEnd < 0 ? text.size() : firstEnd);
    const qsizetype stamp = first.indexOf(QChar(Marks::Value));
    const qsizetype stampEnd = stamp < 0 ? -1 : first.indexOf(QChar(Marks::Value), stamp + 1);
    size_t hash = qHash(first.left(stamp < 0 ? first.size() : stamp));
    if (stampEnd >= 0)
        hash = qHashMulti(hash, first.mid(stampEnd));
    if (firstEnd >= 0)
        hash = qHashMulti(hash, QStringView(text).mid(firstEnd));
    hash = qHashMulti(hash, document, bool(program));
    if (program)
        hash = qHashMulti(hash, program->DocumentName, program->Saved, program->Text);
    return hash;
}
} // namespace

Autosave::Autosave(clsDesigner &designer, DocumentStorage &storage, clsDesignerSettings &settings)
    : m_designer(designer), m_storage(storage), m_settings(settings),
      m_timer(std::make_unique<QTimer>())
{
    m_timer->setSingleShot(true);
    m_timer->callOnTimeout([this] { RunNow(); });
}

Autosave::~Autosave()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void Autosave::Start(std::unique_ptr<RecoveryStore> store)
{
    m_store = std::move(store);
    if (!m_store)
        return;
    if (!m_store->Open())
        m_off = true, m_offReason = m_store->Error();
    if (!m_worker.joinable())
        m_worker = std::thread([this] { WorkerLoop(); });
    Restart();
}

int Autosave::IntervalMs() const
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("CORVANE_AUTOSAVE_SECONDS", &ok);
    if (ok && seconds >= 0)
        return seconds * 1000;
    const int minutes = m_settings.AutosaveMinutes;
    return minutes > 0 ? qMin(minutes, clsDesignerSettings::MaxAutosaveMinutes) * 60000 : 0;
}

bool Autosave::IsActive() const { return m_store && !m_off && m_timer->isActive(); }

void Autosave::ApplySettings() { Restart(); }

void Autosave::Restart()
{
    m_timer->stop();
    const int interval = IntervalMs();
    // A folder that failed still gets its one message at the first autosave.
    if (m_store && interval > 0 && !(m_off && m_told))
        m_timer->start(interval);
}

QString Autosave::FileOf(const ProjectState &project) const
{
    const auto found = m_kept.find(&project);
    return found == m_kept.end() ? QString() : found->second.Path;
}

void Autosave::TurnOff(const QString &why)
{
    m_off = true;
    m_timer->stop();
    if (m_told)
        return;
    m_told = true;
    m_designer.Prompter().ShowMessage(
        QStringLiteral("Autosave is off until the designer is started again: %1.").arg(why),
        MessageIcon::Exclamation);
}

void Autosave::RunNow()
{
    if (!m_store)
        return;
    if (m_off) {
        TurnOff(m_offReason);
        return;
    }
    if (m_busy && m_busy()) {
        m_timer->start(qMin(BusyRetryMs, qMax(IntervalMs(), 1)));
        return;
    }
    WriteChanged();
    Restart();
}

void Autosave::WriteChanged()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (ProjectState *project : m_designer.Projects()) {
        if (!project->App)
            continue;
        std::optional<iProgramCodeState::UnsavedProgram> program =
            m_code ? m_code->ProgramToKeep(*project->App) : std::nullopt;
        const auto kept = m_kept.find(project);
        if (!project->Changed && !program) {
            // Saved since: nothing left to keep.
            if (kept != m_kept.end()) {
                const QString path = kept->second.Path;
                m_kept.erase(kept);
                Post([path] { RecoveryStore::Remove(path); });
            }
            continue;
        }
        // The one piece of work on this thread: the text of the project as it stands.
        QString text = DocumentStorage::ProjectText(*project, ProjectVersion(*project));
        const QString document = project->Document ? project->Document->Name() : QString();
        const size_t hash = ContentHash(text, program, document);
        if (kept != m_kept.end() && kept->second.Hash == hash)
            continue;
        Kept &entry = m_kept[project];
        if (entry.Path.isEmpty())
            entry.Path = m_store->PathFor(m_nextSerial++);
        entry.Hash = hash;
        RecoveryStore::Info info;
        info.DocumentName = document;
        info.ApplicationID = project->App->ID();
        info.Time = now;
        info.ProcessID = m_store->ProcessID();
        if (program) {
            info.HasProgram = true;
            info.ProgramDocumentName = program->DocumentName;
            info.ProgramSaved = program->Saved;
        }
        Post([this, path = entry.Path, info, text = std::move(text), program = std::move(program)] {
            const QByteArray bytes = RecoveryStore::Encode(
                info, DocumentStorage::ToStoredForm(text), program ? &program->Text : nullptr);
            try {
                RecoveryStore::Write(path, bytes);
            } catch (const GuiError &e) {
                const QString message = e.Description();
                QMetaObject::invokeMethod(this, [this, message] { WriteFailed(message); },
                                          Qt::QueuedConnection);
            }
        });
    }
}

void Autosave::WriteFailed(const QString &message)
{
    // Whatever was written before stays; nothing more is tried this run.
    m_kept.clear();
    TurnOff(message);
}

void Autosave::ProjectSaved(const ProjectState &project)
{
    const auto kept = m_kept.find(&project);
    if (kept == m_kept.end())
        return;
    const QString path = kept->second.Path;
    m_kept.erase(kept);
    Post([path] { RecoveryStore::Remove(path); });
}

void Autosave::ProjectClosed(const QString &appId)
{
    for (ProjectState *project : m_designer.Projects())
        if (project->App && project->App->ID() == appId)
            ProjectSaved(*project);
}

void Autosave::Finish()
{
    m_timer->stop();
    for (const auto &[project, kept] : m_kept) {
        const QString path = kept.Path;
        Post([path] { RecoveryStore::Remove(path); });
    }
    m_kept.clear();
    Flush();
    m_store.reset();
}

void Autosave::Post(Task task)
{
    if (!m_worker.joinable()) {
        task();
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void Autosave::Flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_tasks.empty() && !m_working; });
}

void Autosave::WorkerLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
        if (m_tasks.empty()) {
            if (m_stopping)
                return;
            continue;
        }
        Task task = std::move(m_tasks.front());
        m_tasks.pop_front();
        m_working = true;
        lock.unlock();
        try {
            task();
        } catch (...) {
            // A task reports its own failures; nothing may end the worker.
        }
        lock.lock();
        m_working = false;
        if (m_tasks.empty())
            m_idle.notify_all();
    }
}

// ---- Left-behind work ------------------------------------------------------------------

RecoveryStore::Findings Autosave::FindLeftBehind()
{
    if (!m_store || !m_store->IsOpen())
        return {};
    return m_store->FindLeftBehind();
}

clsControl *Autosave::Recover(const RecoveryStore::Entry &entry)
{
    if (!m_store)
        return nullptr;
    QString reason;
    const std::optional<RecoveryStore::Content> content = m_store->Read(entry.Path, reason);
    if (!content) {
        m_designer.Prompter().ShowMessage(
            QStringLiteral("The unsaved work of '%1' cannot be recovered: %2. The file %3 is kept.")
                .arg(entry.Meta.ApplicationID, reason, entry.Path),
            MessageIcon::Exclamation);
        return nullptr;
    }
    // The document may be open already, unchanged (named on the command line after the
    // crash): that copy shows only what the document holds and gives way to the work, so one
    // document is never bound to two projects, nor its lock held against the recovered one.
    // A copy with changes of its own is the user's work too: the recovery waits for it.
    if (ProjectState *open = m_storage.BoundToName(content->Meta.DocumentName); open && open->App) {
        if (open->Changed || (m_code && m_code->ProgramToKeep(*open->App))) {
            m_designer.Prompter().ShowMessage(
                QStringLiteral("The unsaved work of '%1' is not recovered while its document is open "
                               "with changes of its own. The file %2 is kept.")
                    .arg(entry.Meta.ApplicationID, entry.Path),
                MessageIcon::Exclamation);
            return nullptr;
        }
        m_designer.RemoveProject(*open->App);
    }
    const DocumentStorage::OpenResult opened =
        m_storage.OpenRecovered(content->ProjectText, content->Meta.DocumentName);
    if (!opened.Success || !opened.App)
        return nullptr;
    if (m_code && content->Meta.HasProgram) {
        iProgramCodeState::UnsavedProgram program;
        program.DocumentName = content->Meta.ProgramDocumentName;
        program.Saved = content->Meta.ProgramSaved;
        program.Text = content->ProgramText;
        m_code->RestoreProgram(*opened.App, program);
    }
    // The work is this process's to keep now: its own file first, then the old one goes.
    if (m_store->IsOpen() && !m_off) {
        WriteChanged();
        const QString path = entry.Path;
        Post([path] { RecoveryStore::Remove(path); });
        Flush();
        m_store->ReleaseClaims();
    }
    return opened.App;
}

void Autosave::Discard(const RecoveryStore::Entry &entry)
{
    RecoveryStore::Remove(entry.Path);
    if (m_store)
        m_store->ReleaseClaims();
}
