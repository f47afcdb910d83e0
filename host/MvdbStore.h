#pragma once

#include "host/DocumentName.h"

#include <QString>
#include <QStringList>
#include <utility>

// The directory-backed MultiValue store: <root>/<host>/<account>/<file>/<item>, every component
// encoded by SafeFileName, items stored like local documents (ItemFile). Record locks live in a
// hidden ".locks" folder inside each file folder.
//
// Below the root the store follows no symbolic link: folders are opened one by one from the
// root without following links, items and lock files are opened without following them, and
// a link found on the way is an error (75) with a message. In a store shared by several users
// a planted link can so neither lead a read, a write nor a lock outside the store.
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

    // A folder of the store held open; closed with the object.
    class Folder
    {
    public:
        explicit Folder(int fd = -1) : m_fd(fd) {}
        Folder(Folder &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
        Folder &operator=(Folder &&other) noexcept;
        ~Folder();
        int Fd() const { return m_fd; }

    private:
        int m_fd;
    };
    // Opens the folder of the named parts (host, account, file, each encoded), never
    // following a link. Raises GuiError 75 (naming `what`) for a link on the way or a name
    // holding a mark, 76 when a part does not exist.
    Folder OpenFolder(const QStringList &names, const QString &what) const;
    // Raises GuiError 75 when the entry `encodedName` of the folder is a symbolic link.
    static void RefuseLink(const Folder &folder, const QString &encodedName, const QString &what);

    // Decoded names, sorted; hidden and foreign entries, links and what lies behind a link
    // are skipped.
    QStringList HostNames() const;
    QStringList AccountNames(const QString &host) const;
    QStringList FileNames(const QString &host, const QString &account) const;
    QStringList ItemIDs(const QString &host, const QString &account, const QString &file) const;

    static constexpr const char *RootVariable = "CORVANE_MVDB_ROOT";
    static constexpr QLatin1StringView LockFolder{".locks"};

private:
    QString Join(const QStringList &names) const;
    QStringList List(const QStringList &names, bool folders) const;

    QString m_root;
    QString m_configuredRoot;
};
