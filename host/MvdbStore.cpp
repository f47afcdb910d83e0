#include "host/MvdbStore.h"

#include "host/HostErrors.h"
#include "host/SafeFileName.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool HoldsMark(const QString &name)
{
    for (const QChar c : name)
        if (Marks::IsMark(c))
            return true;
    return false;
}
} // namespace

QString MvdbStore::DefaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/corvane/hosts");
}

QString MvdbStore::Root() const
{
    QString root = m_root;
    if (root.isEmpty())
        root = qEnvironmentVariable(RootVariable);
    if (root.isEmpty())
        root = m_configuredRoot;
    if (root.isEmpty())
        root = DefaultRoot();
    return QDir::cleanPath(QDir::current().absoluteFilePath(root));
}

// Each name becomes exactly one component that can be neither "." nor ".." nor hold "/", so the
// joined path stays under the root whatever the names are.
QString MvdbStore::Join(const QStringList &names) const
{
    QString path = Root();
    for (const QString &name : names) {
        if (HoldsMark(name))
            return {};
        path += u'/' + SafeFileName::Encode(name);
    }
    return path;
}

QString MvdbStore::HostPath(const QString &host) const { return Join({host}); }

QString MvdbStore::AccountPath(const QString &host, const QString &account) const
{
    return Join({host, account});
}

QString MvdbStore::FilePath(const QString &host, const QString &account, const QString &file) const
{
    return Join({host, account, file});
}

QString MvdbStore::ItemPath(const DocumentName &name) const
{
    return Join({name.HostName, name.AccountName, name.FileName, name.ItemID});
}

QString MvdbStore::LockPath(const DocumentName &name) const
{
    const QString folder = FilePath(name.HostName, name.AccountName, name.FileName);
    if (folder.isEmpty() || HoldsMark(name.ItemID))
        return {};
    return folder + u'/' + LockFolder + u'/' + SafeFileName::Encode(name.ItemID);
}

MvdbStore::Folder &MvdbStore::Folder::operator=(Folder &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

MvdbStore::Folder::~Folder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace {
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool IsLink(int dirFd, const QByteArray &name)
{
    struct stat st;
    return ::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
}

[[noreturn]] void LinkError(const QString &what, const QString &encodedName)
{
    throw GuiError(HostErrors::AccessError,
                   QStringLiteral("Cannot use %1: '%2' in the host store is a symbolic link, "
                                  "which the store does not follow")
                       .arg(what, encodedName));
}

// Opens one folder below an open one, never through a link. -1 with errno when it fails.
int OpenBelow(int dirFd, const QByteArray &name, const QString &what)
{
    const int fd = ::openat(dirFd, name.constData(), FolderFlags);
    if (fd < 0 && (errno == ELOOP || errno == ENOTDIR) && IsLink(dirFd, name))
        LinkError(what, QFile::decodeName(name));
    return fd;
}
} // namespace

MvdbStore::Folder MvdbStore::OpenFolder(const QStringList &names, const QString &what) const
{
    // The root itself is the user's setting and may be a link; nothing below it may.
    Folder folder(::open(QFile::encodeName(Root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const QString &name : names) {
        if (folder.Fd() < 0)
            break;
        if (HoldsMark(name))
            throw GuiError(HostErrors::BadFileName, QStringLiteral("Invalid name for %1").arg(what));
        folder = Folder(OpenBelow(folder.Fd(), QFile::encodeName(SafeFileName::Encode(name)), what));
    }
    if (folder.Fd() < 0) {
        const int error = errno;
        throw GuiError(error == ENOENT || error == ENOTDIR ? HostErrors::PathNotFound
                                                          : HostErrors::AccessError,
                       QStringLiteral("Cannot open %1: %2")
                           .arg(what, QString::fromLocal8Bit(std::strerror(error))));
    }
    return folder;
}

void MvdbStore::RefuseLink(const Folder &folder, const QString &encodedName, const QString &what)
{
    if (IsLink(folder.Fd(), QFile::encodeName(encodedName)))
        LinkError(what, encodedName);
}

void MvdbStore::CreateFile(const QString &host, const QString &account, const QString &file) const
{
    if (FilePath(host, account, file).isEmpty())
        throw GuiError(HostErrors::BadFileName,
                       QStringLiteral("Invalid host file name '%1'").arg(file));
    const QString what = QStringLiteral("host file '%1' in account '%2' on host '%3'").arg(file, account, host);
    auto cannot = [&](int error) {
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("Cannot create %1: %2")
                           .arg(what, QString::fromLocal8Bit(std::strerror(error))));
    };
    if (!QDir().mkpath(Root()))
        cannot(EACCES);
    Folder folder(::open(QFile::encodeName(Root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Fd() < 0)
        cannot(errno);
    for (const QString &name : {host, account, file}) {
        const QByteArray encoded = QFile::encodeName(SafeFileName::Encode(name));
        if (::mkdirat(folder.Fd(), encoded.constData(), 0777) != 0 && errno != EEXIST)
            cannot(errno);
        folder = Folder(OpenBelow(folder.Fd(), encoded, what));
        if (folder.Fd() < 0)
            cannot(errno);
    }
}

bool MvdbStore::FileExists(const QString &host, const QString &account, const QString &file) const
{
    const QString folder = FilePath(host, account, file);
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QStringList MvdbStore::List(const QStringList &parts, bool folders) const
{
    QStringList names;
    std::optional<Folder> folder;
    try {
        folder.emplace(OpenFolder(parts, QStringLiteral("the host store")));
    } catch (const GuiError &) {
        return names;
    }
    const int listFd = ::openat(folder->Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st;
        if (::fstatat(folder->Fd(), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (folders ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode))
            continue;
        QString name;
        if (SafeFileName::Decode(QFile::decodeName(entry->d_name), name))
            names << name;
    }
    ::closedir(dir);
    names.sort();
    return names;
}

QStringList MvdbStore::HostNames() const { return List({}, true); }

QStringList MvdbStore::AccountNames(const QString &host) const
{
    return List({host}, true);
}

QStringList MvdbStore::FileNames(const QString &host, const QString &account) const
{
    return List({host, account}, true);
}

QStringList MvdbStore::ItemIDs(const QString &host, const QString &account, const QString &file) const
{
    return List({host, account, file}, false);
}
