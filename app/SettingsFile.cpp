#include "app/SettingsFile.h"

#include "host/ItemFile.h"
#include "support/GuiError.h"
#include "support/RegularFile.h"

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

QString KindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO (named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket");
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    return QStringLiteral("it is not a regular file");
}
} // namespace

QString SettingsFile::Target(const QString &path, QString &problem)
{
    problem.clear();
    QString current = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    for (int depth = 0; depth < 40; ++depth) {
        const QByteArray encoded = QFile::encodeName(current);
        struct stat st;
        if (::lstat(encoded.constData(), &st) != 0) {
            if (errno == ENOENT)
                return current; // a new file, or the name a link of the user's leads to
            problem = SystemText(errno);
            return {};
        }
        if (S_ISREG(st.st_mode))
            return current;
        if (!S_ISLNK(st.st_mode)) {
            problem = KindOf(st.st_mode);
            return {};
        }
        // A link someone else put here must not decide where the user's settings go.
        if (st.st_uid != ::geteuid()) {
            problem = QStringLiteral("it is a symbolic link the user did not make");
            return {};
        }
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(encoded.constData(), buffer, sizeof buffer - 1);
        if (n < 0) {
            problem = SystemText(errno);
            return {};
        }
        const QString next = QFile::decodeName(QByteArray(buffer, n));
        current = QDir::cleanPath(QDir(QFileInfo(current).absolutePath()).absoluteFilePath(next));
    }
    problem = SystemText(ELOOP);
    return {};
}

SettingsFile::Content SettingsFile::Read(const QString &path)
{
    Content content;
    const QString target = Target(path, content.Problem);
    if (target.isEmpty())
        return content;
    // The last step is taken without following a link: one put there since the check above
    // is refused rather than read.
    const RegularFile::Result read =
        RegularFile::ReadAt(AT_FDCWD, QFile::encodeName(target), RegularFile::IniLimit, false);
    if (read.Ok) {
        content.Usable = true;
        content.Bytes = read.Bytes;
    } else if (read.Errno == ENOENT) {
        content.Usable = true;
    } else {
        content.Problem = read.Errno == ELOOP ? QStringLiteral("it is a symbolic link the user did not make")
                                              : read.Reason;
    }
    return content;
}

QString SettingsFile::Write(const QString &path, const QByteArray &bytes)
{
    QString problem;
    const QString target = Target(path, problem);
    if (target.isEmpty())
        return problem;
    const QByteArray encoded = QFile::encodeName(target);
    if (::access(encoded.constData(), F_OK) == 0 && ::access(encoded.constData(), W_OK) != 0)
        return QStringLiteral("it is read-only");
    QDir().mkpath(QFileInfo(target).absolutePath());
    try {
        // The entry is replaced by the rename, never written through.
        ItemFile::WriteBytes(target, bytes, QStringLiteral("'%1'").arg(target));
    } catch (const GuiError &error) {
        return error.Description();
    }
    return {};
}
