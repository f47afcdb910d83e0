#pragma once

#include <QString>
#include <QStringList>

class mvConnection;

// The document chooser without its widgets: the host, account, file and item of a host item
// (host type "mvdb") or the path of a local file, the lists to choose from and the rule that
// decides whether the entries name a document the command can use.
//
// Open mode asks for an existing item or file; Save mode takes a new name as well (the save
// command asks before it overwrites). Lists the host layer cannot read come back with the
// host's message, so the dialog can show it and stay usable.
class DocumentChooserModel
{
public:
    enum class Mode { Open, Save };
    // "Open" and "Open Code" open, "Save Project", "Save Code" and other "Save" titles save.
    static Mode ModeForTitle(const QString &title);
    // True for the titles that ask for program code rather than a project.
    static bool IsCodeTitle(const QString &title);
    // Name filters of the local file dialog.
    static QStringList LocalFilters(const QString &title);

    DocumentChooserModel(const mvConnection &connection, Mode mode);

    Mode ChooserMode() const { return m_mode; }

    // Takes the parts of the starting document name; a local file fills LocalPath and selects
    // the local choice, as does a host store without hosts. An unreadable name leaves the
    // parts empty.
    void Start(const QString &startName);

    bool Local = false;
    QString Host;
    QString Account;
    QString File;
    QString Item;
    QString LocalPath;

    struct Listing
    {
        QStringList Names;
        QString Error; // the host layer's message when the list could not be read
    };
    Listing Hosts() const;
    Listing Accounts() const;
    Listing Files() const;
    Listing Items() const;
    // Where the store lives, for the message shown when it holds no hosts.
    QString StoreRoot() const;

    enum class Field { None, Host, Account, File, Item, LocalPath };
    struct Choice
    {
        QString Name;    // the document name, empty when refused
        QString Problem; // why the entries were refused
        Field At = Field::None;
    };
    // The document name the entries stand for, or the reason they cannot be used.
    Choice Accept() const;

private:
    Listing List(const QStringList &parts, const QString &what, int level) const;
    Choice AcceptLocal() const;

    const mvConnection &m_connection;
    Mode m_mode;
};
