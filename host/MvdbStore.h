#pragma once

#include "host/DocumentName.h"

#include <QString>
#include <QStringList>

// The directory-backed MultiValue store: <root>/<host>/<account>/<file>/<item>, every component
// encoded by SafeFileName, items stored like local documents (ItemFile). Record locks live in a
// hidden ".locks" folder inside each file folder.
//
// Host files are not made by writing an item: CreateFile makes the file folder (and its host and
// account folders), as creating a file on a host is a deliberate act. Writing into a file that
// does not exist fails with GuiError 76.
//
// The root is, in order of precedence: the explicit SetRoot (tests), the environment variable
// CORVANE_MVDB_ROOT, the configured root (designer setting, SetConfiguredRoot), and
// $XDG_DATA_HOME/corvane/hosts.
class MvdbStore
{
public:
    QString Root() const;
    void SetRoot(const QString &root) { m_root = root; }
    void SetConfiguredRoot(const QString &root) { m_configuredRoot = root; }
    static QString DefaultRoot();

    // Folders and files of the named parts. Empty when a part holds a MultiValue mark, which no
    // name in the store may hold. The result always lies inside Root().
    QString HostPath(const QString &host) const;
    QString AccountPath(const QString &host, const QString &account) const;
    QString FilePath(const QString &host, const QString &account, const QString &file) const;
    QString ItemPath(const DocumentName &name) const;
    QString LockPath(const DocumentName &name) const;

    // Raises GuiError 52 for names holding marks, 75 when the folders cannot be made.
    void CreateFile(const QString &host, const QString &account, const QString &file) const;
    bool FileExists(const QString &host, const QString &account, const QString &file) const;

    // Decoded names, sorted; hidden and foreign entries are skipped.
    QStringList HostNames() const;
    QStringList AccountNames(const QString &host) const;
    QStringList FileNames(const QString &host, const QString &account) const;
    QStringList ItemIDs(const QString &host, const QString &account, const QString &file) const;

    static constexpr const char *RootVariable = "CORVANE_MVDB_ROOT";
    static constexpr QLatin1StringView LockFolder{".locks"};

private:
    QString Join(const QStringList &names) const;
    static QStringList List(const QString &folder, bool folders);

    QString m_root;
    QString m_configuredRoot;
};
