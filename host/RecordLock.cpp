#include "host/RecordLock.h"

#include "host/HostErrors.h"
#include "support/GuiError.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct flock WholeFile(short type)
{
    struct flock lock;
    std::memset(&lock, 0, sizeof lock);
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end, however long
    return lock;
}

bool SameFile(int fd, const QByteArray &path)
{
    struct stat open, named;
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0
        && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}
} // namespace

RecordLock::RecordLock(QString lockPath) : m_path(std::move(lockPath)) {}

RecordLock::~RecordLock() { Release(); }

void RecordLock::Acquire(const QString &what)
{
    if (m_fd >= 0)
        return;
    const QByteArray path = QFile::encodeName(m_path);
    // A releasing holder removes the lock file; when it does so between our open and our lock,
    // the lock we got is on a file nobody else will see, so open the current one again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Never through a link: one planted at the lock file would make taking the lock
        // create or open a file elsewhere.
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int error = errno;
            if (error == ELOOP)
                throw GuiError(HostErrors::AccessError,
                               QStringLiteral("Unable to set record lock for %1: the lock file is a "
                                              "symbolic link")
                                   .arg(what));
            // A plain file where a folder of the path should be leaves the folder as missing
            // as no entry at all does.
            throw GuiError(error == ENOENT || error == ENOTDIR ? HostErrors::PathNotFound
                                                               : HostErrors::AccessError,
                           QStringLiteral("Unable to set record lock for %1: %2")
                               .arg(what, QString::fromLocal8Bit(std::strerror(error))));
        }
        struct flock lock = WholeFile(F_WRLCK);
        if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EAGAIN || error == EACCES)
                throw GuiError(HostErrors::ItemLocked,
                               QStringLiteral("%1 is locked by another user").arg(what));
            throw GuiError(HostErrors::AccessError,
                           QStringLiteral("Unable to set record lock for %1: %2")
                               .arg(what, QString::fromLocal8Bit(std::strerror(error))));
        }
        if (SameFile(fd, path)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
    throw GuiError(HostErrors::AccessError,
                   QStringLiteral("Unable to set record lock for %1").arg(what));
}

void RecordLock::Release()
{
    if (m_fd < 0)
        return;
    // Remove the file while still holding the lock, so nobody can be holding it on the name.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool RecordLock::IsHeldElsewhere() const
{
    if (m_fd >= 0)
        return false;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock = WholeFile(F_WRLCK);
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}
