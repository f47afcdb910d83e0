#pragma once

#include <QString>

// The five parts of a document name and the textual form that joins them.
//
// Textual form
//   <type>://<host>/<account>/<file>/<item>
// Each part is written as it is except that "%", "/", control characters (below U+0020 and
// U+007F) and the four MultiValue marks (U+F8FC-U+F8FF) are written as "%" and two upper-case
// hex digits per UTF-8 byte; in the type ":" is escaped as well. Blanks, "*", "\", ":" (outside
// the type) and all other characters, non-ASCII included, stand for themselves, so names stay
// readable: "mvdb://prod/SALES/BP/ORDER ENTRY".
//
// A local file ("file" type, only the file name given) is written as the bare path, so a path
// typed on the command line is a document name as it stands: "/home/me/app.gui". The escaped
// form "file://..." is used only when the path is empty, starts like "<type>://" itself, or
// other parts are set.
//
// Reading: a text whose first "/" belongs to a "://" is the escaped form and must hold exactly
// five parts with well-formed escapes; any other non-empty text is a bare local path. Split()
// of Build() gives back every part unchanged.
//
// A host name or account of exactly "*" stands for the connection's current host or account
// (see mvConnection::SetCurrentHost); display names use it so a name opens the same file and
// item on whatever host is current.
struct DocumentName
{
    QString HostType;
    QString HostName;
    QString AccountName;
    QString FileName;
    QString ItemID;

    static constexpr QLatin1StringView FileType{"file"};
    static constexpr QLatin1StringView MvdbType{"mvdb"};
    static constexpr QLatin1StringView AnyHost{"*"};

    QString Build() const;
    static QString Build(const QString &hostType, const QString &hostName, const QString &account,
                         const QString &fileName, const QString &itemId);
    // False for an empty or malformed name; the parts are then left untouched.
    static bool Split(const QString &name, DocumentName &parts);

    bool IsLocalFile() const { return HostType.compare(FileType, Qt::CaseInsensitive) == 0; }
    bool operator==(const DocumentName &) const = default;
};
