#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class RecordLock;

// The folder where autosave keeps unsaved work, one recovery file per open project:
// <folder>/<process ID>-<serial>.cvrecover. A file holds a short header (document name,
// application ID, time, the designer's process ID, sizes) and then the project text in its
// stored form, followed by the project's unsaved program code when there is any. Files are
// written like documents (a temporary file renamed over the old one), so a crash leaves the
// last complete autosave.
//
// Each designer holds a lock on <process ID>.lock in the folder while it runs; the kernel
// drops it when the process ends however it ends. Files whose process holds no lock were
// left behind; the designer that finds them takes that lock itself, so two designers never
// offer the same files, and a running designer's files are never offered at all.
class RecoveryStore
{
public:
    struct Info
    {
        QString DocumentName; // empty for a project never saved
        QString ApplicationID;
        QDateTime Time; // UTC
        qint64 ProcessID = 0;
        // Program code kept beside the project: its document ("" when it has none yet) and
        // whether that document was ever saved.
        bool HasProgram = false;
        QString ProgramDocumentName;
        bool ProgramSaved = false;
    };
    struct Entry
    {
        QString Path;
        Info Meta;
    };
    struct Problem
    {
        QString Path;
        QString Reason;
    };
    struct Findings
    {
        QList<Entry> Entries; // oldest first
        QList<Problem> Problems;
    };
    struct Content
    {
        Info Meta;
        QString ProjectText; // records by CR LF, as stored
        QString ProgramText;
    };

    static constexpr QLatin1StringView Suffix{".cvrecover"};
    // Larger files are no recovery file of a real project; they are refused unread.
    static constexpr qint64 SizeLimit = qint64(256) << 20;

    // $XDG_STATE_HOME/corvane/recovery, or ~/.local/state/corvane/recovery.
    static QString DefaultFolder();

    RecoveryStore(QString folder, qint64 processId);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // Makes the folder (mode 0700) and takes this process's lock. False, with Error() saying
    // why, when the folder cannot be made, is not the user's own or cannot be written.
    bool Open();
    bool IsOpen() const;
    const QString &Error() const { return m_error; }
    const QString &Folder() const { return m_folder; }
    qint64 ProcessID() const { return m_pid; }

    QString PathFor(int serial) const;

    // The bytes of a recovery file; program may be null.
    static QByteArray Encode(const Info &info, const QString &storedProjectText,
                             const QString *programText);
    // Writes through a temporary file renamed over the old one; raises GuiError on failure.
    // Safe to call from any thread.
    static void Write(const QString &path, const QByteArray &bytes);
    static void Remove(const QString &path);

    // The recovery files of designers that no longer run, each process's files claimed for
    // this one, and the files that cannot be used with the reason. Files are checked, not
    // trusted: a link, a file of another user or open to others, an empty, truncated or
    // oversized file, or one that holds no project is a problem, never an entry.
    Findings FindLeftBehind();
    // The whole of a file found by FindLeftBehind; nullopt with the reason when it cannot be
    // used (any more).
    std::optional<Content> Read(const QString &path, QString &reason) const;
    // Lets go of a dead process's files once none of them is left.
    void ReleaseClaims();

private:
    bool ProcessRuns(qint64 pid);

    QString m_folder;
    qint64 m_pid;
    QString m_error;
    std::unique_ptr<RecordLock> m_own;
    std::map<qint64, std::unique_ptr<RecordLock>> m_claims;
};
