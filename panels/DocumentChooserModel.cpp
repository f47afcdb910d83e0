#include "panels/DocumentChooserModel.h"

#include "host/DocumentName.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFileInfo>

DocumentChooserModel::Mode DocumentChooserModel::ModeForTitle(const QString &title)
{
    return title.trimmed().startsWith(QLatin1String("Save"), Qt::CaseInsensitive) ? Mode::Save
                                                                                   : Mode::Open;
}

bool DocumentChooserModel::IsCodeTitle(const QString &title)
{
    return title.contains(QLatin1String("Code"), Qt::CaseInsensitive);
}

QStringList DocumentChooserModel::LocalFilters(const QString &title)
{
    if (IsCodeTitle(title))
        return {QStringLiteral("BASIC programs (*.bas)"), QStringLiteral("All files (*)")};
    return {QStringLiteral("GUI projects (*.gui)"), QStringLiteral("All files (*)")};
}

DocumentChooserModel::DocumentChooserModel(const mvConnection &connection, Mode mode)
    : m_connection(connection), m_mode(mode)
{
}

void DocumentChooserModel::Start(const QString &startName)
{
    // A store without hosts offers nothing to choose on the host side: a local file is then
    // the only choice, whatever the starting name.
    const Listing hosts = Hosts();
    Local = hosts.Names.isEmpty() && hosts.Error.isEmpty();
    DocumentName parts;
    if (!m_connection.SplitName(startName, parts))
        return;
    if (parts.IsLocalFile()) {
        Local = true;
        LocalPath = parts.ItemID.isEmpty() ? parts.FileName : parts.FileName + u'/' + parts.ItemID;
        return;
    }
    if (parts.HostType.compare(DocumentName::MvdbType, Qt::CaseInsensitive) != 0)
        return;
    // "*" for host or account stands for the current host; the opened document knows which.
    if (const auto document = m_connection.Open(startName)) {
        parts.HostName = document->HostName();
        parts.AccountName = document->AccountName();
    }
    Host = parts.HostName;
    Account = parts.AccountName;
    File = parts.FileName;
    Item = parts.ItemID;
}

QString DocumentChooserModel::StoreRoot() const { return m_connection.Store().Root(); }

DocumentChooserModel::Listing DocumentChooserModel::List(const QStringList &parts, const QString &what,
                                                         int level) const
{
    Listing listing;
    const MvdbStore &store = m_connection.Store();
    // A store that was never made holds no hosts; that is no error to report.
    if (parts.isEmpty() && !QFileInfo(store.Root()).exists())
        return listing;
    try {
        // Opening the folder first gives the host layer's own message for what the list
        // alone would quietly leave empty (a missing or unreadable folder, a link).
        store.OpenFolder(parts, what);
    } catch (const GuiError &error) {
        listing.Error = error.Description().isEmpty() ? GuiError::StandardText(error.Number())
                                                      : error.Description();
        return listing;
    }
    switch (level) {
    case 0: listing.Names = store.HostNames(); break;
    case 1: listing.Names = store.AccountNames(parts[0]); break;
    case 2: listing.Names = store.FileNames(parts[0], parts[1]); break;
    default: listing.Names = store.ItemIDs(parts[0], parts[1], parts[2]); break;
    }
    return listing;
}

DocumentChooserModel::Listing DocumentChooserModel::Hosts() const
{
    return List({}, QStringLiteral("the host store"), 0);
}

DocumentChooserModel::Listing DocumentChooserModel::Accounts() const
{
    if (Host.isEmpty())
        return {};
    return List({Host}, QStringLiteral("host '%1'").arg(Host), 1);
}

DocumentChooserModel::Listing DocumentChooserModel::Files() const
{
    if (Host.isEmpty() || Account.isEmpty())
        return {};
    return List({Host, Account}, QStringLiteral("account '%1' on host '%2'").arg(Account, Host), 2);
}

DocumentChooserModel::Listing DocumentChooserModel::Items() const
{
    if (Host.isEmpty() || Account.isEmpty() || File.isEmpty())
        return {};
    return List({Host, Account, File},
                QStringLiteral("file '%1' in account '%2' on host '%3'").arg(File, Account, Host), 3);
}

DocumentChooserModel::Choice DocumentChooserModel::Accept() const
{
    if (Local)
        return AcceptLocal();
    auto refuse = [](Field at, const QString &text) { return Choice{{}, text, at}; };
    if (Host.isEmpty())
        return refuse(Field::Host, QStringLiteral("Choose a host."));
    if (Account.isEmpty())
        return refuse(Field::Account, QStringLiteral("Choose an account."));
    if (File.isEmpty())
        return refuse(Field::File, QStringLiteral("Choose a file."));
    if (Item.trimmed().isEmpty())
        return refuse(Field::Item, m_mode == Mode::Open ? QStringLiteral("Choose an item.")
                                                        : QStringLiteral("Type the ID of the item."));
    if (!m_connection.Store().FileExists(Host, Account, File))
        return refuse(Field::File, QStringLiteral("File '%1' does not exist in account '%2' on host '%3'.")
                                       .arg(File, Account, Host));
    const QString name = m_connection.BuildName(QString(DocumentName::MvdbType), Host, Account, File, Item);
    const auto document = m_connection.Open(name);
    if (!document || !document->NamesItem())
        return refuse(Field::Item, QStringLiteral("'%1' cannot be used as an item ID.").arg(Item));
    if (m_mode == Mode::Open && !document->Exists())
        return refuse(Field::Item, QStringLiteral("Item '%1' is not on file in '%2'.").arg(Item, File));
    return {name, {}, Field::None};
}

DocumentChooserModel::Choice DocumentChooserModel::AcceptLocal() const
{
    auto refuse = [](const QString &text) { return Choice{{}, text, Field::LocalPath}; };
    const QString path = LocalPath.trimmed();
    if (path.isEmpty())
        return refuse(QStringLiteral("Type or choose the path of a local file."));
    const QFileInfo info(QDir::current().absoluteFilePath(path));
    if (info.isDir())
        return refuse(QStringLiteral("'%1' is a folder, not a file.").arg(path));
    if (m_mode == Mode::Open && !info.exists())
        return refuse(QStringLiteral("The file '%1' does not exist.").arg(path));
    if (m_mode == Mode::Save && !info.dir().exists())
        return refuse(QStringLiteral("The folder '%1' does not exist.").arg(QDir::toNativeSeparators(info.path())));
    const QString name = m_connection.BuildName(QString(DocumentName::FileType), {}, {}, info.absoluteFilePath(), {});
    if (!m_connection.Open(name))
        return refuse(QStringLiteral("'%1' cannot be used as a file name.").arg(path));
    return {name, {}, Field::None};
}
