#include "host/MvdbDocument.h"

#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "host/iHostService.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFileInfo>

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

bool MvdbDocument::Exists() const { return NamesItem() && QFileInfo(m_itemPath).isFile(); }

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
    return ItemFile::ReadBytes(m_itemPath, what);
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
    ItemFile::WriteBytes(m_itemPath, bytes, what);
}

void MvdbDocument::PrepareLock()
{
    // Locks live beside the items of an existing file only; a missing file is reported by the
    // lock itself (GuiError 76).
    if (m_store.FileExists(HostName(), AccountName(), FileName()))
        QDir().mkpath(QFileInfo(m_store.LockPath(m_name)).absolutePath());
}

bool MvdbDocument::Supports(int feature) const { return feature == HostFeatures::HostService; }

std::shared_ptr<iHostService> MvdbDocument::Service(int feature) const
{
    if (feature != HostFeatures::HostService)
        return nullptr;
    return std::make_shared<MvdbHostService>(m_store, HostName());
}
