#include "host/OutputFile.h"

#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void Refuse(const QString &what, const QString &why)
{
    throw GuiError(HostErrors::AccessError, QStringLiteral("Cannot write %1: %2").arg(what, why));
}

// The file a chain of links ends at, also when that file does not exist yet (a dangling link
// names the file to create). Empty when the chain is too long.
QString LinkTarget(const QString &path)
{
    QString current = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QByteArray encoded = QFile::encodeName(current);
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(encoded.constData(), buffer, sizeof buffer - 1);
        if (n < 0)
            return {};
        const QString next = QFile::decodeName(QByteArray(buffer, n));
        current = QDir::cleanPath(QDir(info.absolutePath()).absoluteFilePath(next));
    }
    return {};
}

void WriteStraight(const QString &path, const QByteArray &bytes, const QString &what)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        Refuse(what, SystemText(errno));
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            Refuse(what, SystemText(error));
        }
        p += n;
        left -= n;
    }
    if (::close(fd) != 0 && errno != EINTR)
        Refuse(what, SystemText(errno));
}
} // namespace

void OutputFile::Write(const QString &path, const QByteArray &bytes, const QString &what)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st;
    if (::stat(encoded.constData(), &st) != 0) {
        // A missing folder, or a plain file where one should be, is reported by the write.
        if (errno != ENOENT && errno != ENOTDIR)
            Refuse(what, SystemText(errno));
        // A new name; through a dangling link, the file the link names.
        const QString target = LinkTarget(path);
        if (target.isEmpty())
            Refuse(what, SystemText(ELOOP));
        ItemFile::WriteBytes(target, bytes, what);
        return;
    }
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
        WriteStraight(path, bytes, what);
        return;
    }
    if (S_ISDIR(st.st_mode))
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder and cannot be overwritten").arg(what));
    if (S_ISBLK(st.st_mode))
        Refuse(what, QStringLiteral("it is a block device"));
    if (S_ISSOCK(st.st_mode))
        Refuse(what, QStringLiteral("it is a socket"));
    if (!S_ISREG(st.st_mode))
        Refuse(what, QStringLiteral("it is not a regular file"));
    if (::access(encoded.constData(), W_OK) != 0)
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is read-only and cannot be overwritten").arg(what));
    const QString target = LinkTarget(path);
    if (target.isEmpty())
        Refuse(what, SystemText(ELOOP));
    ItemFile::WriteBytes(target, bytes, what);
}
