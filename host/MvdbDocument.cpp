#include "host/MvdbDocument.h"

#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "host/iHostService.h"
#include "support/GuiError.h"

#include "host/SafeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <fcntl.h>

namespace {
// Describes one host of the store; keeps its own copy of the store so it may outlive the
// document that gave it out.
class MvdbHostService final : public iHostService
{
public:
    MvdbHostService(MvdbStore store, QString hostName)
        : m_store(std::move(store)), m_hostName(std::move(hostName))
    {
    }
    QString HostType() const override { return DocumentName::MvdbType; }
    QString HostName() const override { return m_hostName; }
    QStringList AccountNames() const override { return m_store.AccountNames(m_hostName); }
    QStringList FileNames(const QString &account) const override
    {
        return m_store.FileNames(m_hostName, account);
    }

private:
    MvdbStore m_store;
    QString m_hostName;
};
} // namespace

MvdbDocument::MvdbDocument(const DocumentName &name, const MvdbStore &store)
    : mvDocument(name, store.LockPath(name)), m_store(store), m_itemPath(store.ItemPath(name))
{
    const QFileInfo item(m_itemPath);
    m_readOnly = item.isFile()
        && (!item.isWritable() || !QFileInfo(item.absolutePath()).isWritable());
}

QString MvdbDocument::DisplayName() const
{
    return DocumentName::Build(HostType(), DocumentName::AnyHost, DocumentName::AnyHost,
                               FileName(), ItemID());
}

bool MvdbDocument::NamesItem() const
{
    return !m_itemPath.isEmpty() && !FileName().isEmpty() && !ItemID().isEmpty()
        && !QFileInfo(m_itemPath).isDir();
}

// A link counts as on file, so that reading it reports the link rather than offering to
// create a new project over it.
bool MvdbDocument::Exists() const
{
    const QFileInfo info(m_itemPath);
    return NamesItem() && (info.isFile() || info.isSymLink());
}

bool MvdbDocument::IsSpecialFile() const
{
    // A link is no special file here: reading it reports the link.
    struct stat st;
    return !m_itemPath.isEmpty() && ::lstat(QFile::encodeName(m_itemPath).constData(), &st) == 0
        && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode) && !S_ISLNK(st.st_mode);
}

MvdbStore::Folder MvdbDocument::OpenFileFolder(const QString &what) const
{
    return m_store.OpenFolder({HostName(), AccountName(), FileName()}, what);
}

QString MvdbDocument::Read() const
{
    return ItemFile::Decode(ReadBytes());
}

QByteArray MvdbDocument::ReadBytes() const
{
    RequireItem();
    const QString what = QStringLiteral("'%1'").arg(DisplayName());
    if (!Exists())
        throw GuiError(HostErrors::FileNotFound, QStringLiteral("Item %1 is not on file").arg(what));
    const MvdbStore::Folder folder = OpenFileFolder(what);
    const QString name = SafeFileName::Encode(ItemID());
    MvdbStore::RefuseLink(folder, name, what);
    return ItemFile::ReadBytesAt(folder.Fd(), name, what, false);
}

void MvdbDocument::WriteText(const QString &text)
{
    WriteStoredBytes(ItemFile::Encode(text));
}

void MvdbDocument::WriteStoredBytes(const QByteArray &bytes)
{
    const QString what = QStringLiteral("'%1'").arg(DisplayName());
    if (!m_store.FileExists(HostName(), AccountName(), FileName()))
        throw GuiError(HostErrors::PathNotFound,
                       QStringLiteral("Cannot write item %1: file '%2' does not exist in account "
                                      "'%3' on host '%4'")
                           .arg(what, FileName(), AccountName(), HostName()));
    const MvdbStore::Folder folder = OpenFileFolder(what);
    const QString name = SafeFileName::Encode(ItemID());
    // The rename would replace a link rather than follow it; still, a link here was planted.
    MvdbStore::RefuseLink(folder, name, what);
    // Made read-only since it was opened: refused as a local file is. The rename below would
    // otherwise replace it regardless of its permissions.
    const QByteArray entry = QFile::encodeName(name);
    if (::faccessat(folder.Fd(), entry.constData(), F_OK, 0) == 0
        && ::faccessat(folder.Fd(), entry.constData(), W_OK, 0) != 0)
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is read-only and cannot be overwritten").arg(what));
    ItemFile::WriteAt(folder.Fd(), QFileInfo(m_itemPath).absolutePath(), name, bytes, what);
}

void MvdbDocument::PrepareLock()
{
    // Locks live beside the items of an existing file only; a missing file is reported by the
    // lock itself (GuiError 76).
    if (!m_store.FileExists(HostName(), AccountName(), FileName()))
        return;
    const QString what = QStringLiteral("the record lock of '%1'").arg(DisplayName());
    const MvdbStore::Folder folder = OpenFileFolder(what);
    const QByteArray locks = QFile::encodeName(MvdbStore::LockFolder);
    ::mkdirat(folder.Fd(), locks.constData(), 0777);
    MvdbStore::RefuseLink(folder, MvdbStore::LockFolder, what);
}

bool MvdbDocument::Supports(int feature) const { return feature == HostFeatures::HostService; }

std::shared_ptr<iHostService> MvdbDocument::Service(int feature) const
{
    if (feature != HostFeatures::HostService)
        return nullptr;
    return std::make_shared<MvdbHostService>(m_store, HostName());
}
