#pragma once

#include <QString>

// An exclusive record lock held through a lock file, using Linux open-file-description locks.
//
// The lock belongs to this object's own open of the lock file, so it excludes other processes
// and other RecordLock objects of the same process alike, and the kernel drops it when the
// holder exits or is killed. The lock file is removed when the lock is released; a file left
// behind by a killed holder carries no lock and is reused.
class RecordLock
{
public:
    explicit RecordLock(QString lockPath);
    ~RecordLock();
    RecordLock(const RecordLock &) = delete;
    RecordLock &operator=(const RecordLock &) = delete;

    const QString &Path() const { return m_path; }
    bool IsHeld() const { return m_fd >= 0; }

    // Raise GuiError 70 when held elsewhere, 76 when the folder is missing, 75 otherwise.
    // Taking a lock already held by this object does nothing. `what` names the document.
    void Acquire(const QString &what);
    void Release();
    // Whether some other holder has the lock right now (false when this object holds it).
    bool IsHeldElsewhere() const;

private:
    QString m_path;
    int m_fd = -1;
};
