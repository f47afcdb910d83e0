#include "host/MvdbStore.h"

#include "host/HostErrors.h"
#include "host/SafeFileName.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

void MvdbStore::CreateFile(const QString &host, const QString &account, const QString &file) const
{
    const QString folder = FilePath(host, account, file);
    if (folder.isEmpty())
        throw GuiError(HostErrors::BadFileName,
                       QStringLiteral("Invalid host file name '%1'").arg(file));
    if (!QDir().mkpath(folder))
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("Cannot create host file '%1' in account '%2' on host '%3'")
                           .arg(file, account, host));
}

bool MvdbStore::FileExists(const QString &host, const QString &account, const QString &file) const
{
    const QString folder = FilePath(host, account, file);
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QStringList MvdbStore::List(const QString &folder, bool folders)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    const QDir dir(folder);
    const auto filter = (folders ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot;
    for (const QString &entry : dir.entryList(filter, QDir::Name)) {
        QString name;
        if (SafeFileName::Decode(entry, name))
            names << name;
    }
    names.sort();
    return names;
}

QStringList MvdbStore::HostNames() const { return List(Root(), true); }

QStringList MvdbStore::AccountNames(const QString &host) const
{
    return List(HostPath(host), true);
}

QStringList MvdbStore::FileNames(const QString &host, const QString &account) const
{
    return List(AccountPath(host, account), true);
}

QStringList MvdbStore::ItemIDs(const QString &host, const QString &account, const QString &file) const
{
    return List(FilePath(host, account, file), false);
}
