#include "host/ItemFile.h"

#include "host/HostErrors.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include "support/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
ItemFile::BeforeRenameHook &Hook()
{
    static ItemFile::BeforeRenameHook hook;
    return hook;
}

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void Fail(int number, const QString &what, const QString &action, int error)
{
    throw GuiError(number, QStringLiteral("Cannot %1 %2: %3").arg(action, what, SystemText(error)));
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The mode of a new file: that of the file it replaces, or what the umask allows.
mode_t NewFileMode(int dirFd, const QByteArray &name)
{
    struct stat st;
    if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A new temporary file in the folder, made exclusively (never through a planted link).
int CreateTemp(int dirFd, const QString &stem, QByteArray &tempName)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(6, 'x');
        for (char &c : suffix)
            c = Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        tempName = QFile::encodeName(stem) + suffix;
        const int fd = ::openat(dirFd, tempName.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Temporary files of this document that a killed save left behind. Only names of our own
// pattern, regular files of our own and old enough that no save can still be writing them.
void RemoveStaleTemps(int dirFd, const QString &stem)
{
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR *dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return;
    }
    const QByteArray prefix = QFile::encodeName(stem);
    const time_t now = ::time(nullptr);
    std::vector<QByteArray> stale;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            continue;
        struct stat st;
        if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()
            && now - st.st_mtime >= ItemFile::StaleTempSeconds)
            stale.push_back(name);
    }
    ::closedir(dir);
    for (const QByteArray &name : stale)
        ::unlinkat(dirFd, name.constData(), 0);
}

// 32-bit FNV-1a: stable across runs and builds, unlike qHash.
quint32 NameHash(const QByteArray &bytes)
{
    quint32 hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= uchar(c);
        hash *= 16777619u;
    }
    return hash;
}

[[noreturn]] void FailRead(const QString &what, const RegularFile::Result &result)
{
    // Below a plain file where a folder should be, the item is as absent as below no folder.
    if (result.Errno == ENOENT || result.Errno == ENOTDIR)
        throw GuiError(HostErrors::FileNotFound, QStringLiteral("%1 is not on file").arg(what));
    if (result.Errno == ELOOP)
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("Cannot read %1: it is a symbolic link").arg(what));
    if (result.Errno == 0 && result.Reason == QLatin1String("it is a folder"))
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder, not a document").arg(what));
    throw GuiError(HostErrors::AccessError,
                   QStringLiteral("Cannot read %1: %2").arg(what, result.Reason));
}
} // namespace

QString ItemFile::Decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QString legacy;
    legacy.reserve(bytes.size());
    for (const char ch : bytes) {
        switch (uchar(ch)) {
        case 0xFE: legacy += QStringLiteral("\r\n"); break;
        case 0xFD: legacy += QChar(Marks::Value); break;
        case 0xFC: legacy += QChar(Marks::SubValue); break;
        default: legacy += QChar(uchar(ch)); break;
        }
    }
    return legacy;
}

QByteArray ItemFile::Encode(const QString &text) { return text.toUtf8(); }

QString ItemFile::Read(const QString &path, const QString &what)
{
    return Decode(ReadBytes(path, what));
}

QByteArray ItemFile::ReadBytes(const QString &path, const QString &what)
{
    const RegularFile::Result result = RegularFile::Read(path, RegularFile::DocumentLimit);
    if (!result.Ok)
        FailRead(what, result);
    return result.Bytes;
}

QString ItemFile::ReadAt(int dirFd, const QString &name, const QString &what, bool followLinks)
{
    return Decode(ReadBytesAt(dirFd, name, what, followLinks));
}

QByteArray ItemFile::ReadBytesAt(int dirFd, const QString &name, const QString &what,
                                 bool followLinks)
{
    const RegularFile::Result result =
        RegularFile::ReadAt(dirFd, QFile::encodeName(name), RegularFile::DocumentLimit, followLinks);
    if (!result.Ok)
        FailRead(what, result);
    return result.Bytes;
}

void ItemFile::Write(const QString &path, const QString &text, const QString &what)
{
    WriteBytes(path, Encode(text), what);
}

void ItemFile::WriteBytes(const QString &path, const QByteArray &bytes, const QString &what)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder and cannot be overwritten").arg(what));
    const QString folder = info.absolutePath();
    const int dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw GuiError(HostErrors::PathNotFound,
                           QStringLiteral("Cannot write %1: the folder %2 does not exist").arg(what, folder));
        Fail(HostErrors::AccessError, what, QStringLiteral("write"), errno);
    }
    try {
        WriteAt(dirFd, folder, info.fileName(), bytes, what);
    } catch (...) {
        ::close(dirFd);
        throw;
    }
    ::close(dirFd);
}

QString ItemFile::TempNameStem(const QString &name)
{
    return TempPrefix + QStringLiteral("%1-").arg(NameHash(name.toUtf8()), 8, 16, QLatin1Char('0'));
}

void ItemFile::WriteAt(int dirFd, const QString &folderPath, const QString &name,
                       const QByteArray &bytes, const QString &what)
{
    const QByteArray target = QFile::encodeName(name);
    struct stat st;
    if (::fstatat(dirFd, target.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder and cannot be overwritten").arg(what));
    const QString stem = TempNameStem(name);
    QByteArray temp;
    const int fd = CreateTemp(dirFd, stem, temp);
    if (fd < 0)
        Fail(HostErrors::AccessError, what, QStringLiteral("write"), errno);

    try {
        const bool ok = ::fchmod(fd, NewFileMode(dirFd, target)) == 0 && WriteAll(fd, bytes)
            && ::fsync(fd) == 0;
        const int error = errno;
        if (::close(fd) != 0 || !ok)
            Fail(HostErrors::AccessError, what, QStringLiteral("write"), ok ? errno : error);
        if (Hook())
            Hook()(folderPath + u'/' + QFile::decodeName(temp), folderPath + u'/' + name);
        if (::renameat(dirFd, temp.constData(), dirFd, target.constData()) != 0)
            Fail(HostErrors::AccessError, what, QStringLiteral("replace"), errno);
    } catch (...) {
        ::unlinkat(dirFd, temp.constData(), 0);
        throw;
    }
    ::fsync(dirFd);
    RemoveStaleTemps(dirFd, stem);
}

void ItemFile::SetBeforeRenameHook(BeforeRenameHook hook) { Hook() = std::move(hook); }
