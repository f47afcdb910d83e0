#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The bytes of local documents and store items.
//
// Stored form: UTF-8 text, records separated by CR LF, values and sub-values by the
// private-use marks. A file that is not valid UTF-8 is read as a legacy single-byte file:
// 0xFE ends a record (read as CR LF), 0xFD and 0xFC are the value and sub-value marks, every
// other byte is Latin-1. A leading UTF-8 byte-order mark is dropped.
//
// Writes never touch the old file in place: the text goes to a hidden temporary file in the same
// folder, which is flushed to disk and then renamed over the old file, so a crash leaves either
// the old or the new text, never a mixture. The temporary file is named after the document
// (TempPrefix, a hash of the name, "-", six random characters); one a killed save left behind is
// removed by the next successful save of the same document once it is an hour old.
class ItemFile
{
public:
    static QString Decode(const QByteArray &bytes);
    static QByteArray Encode(const QString &text);

    // Raise GuiError 53 when missing, 75 when unreadable or not a regular file; `what` names
    // the document in messages.
    static QString Read(const QString &path, const QString &what);
    // The stored bytes as they are on disk (same errors as Read).
    static QByteArray ReadBytes(const QString &path, const QString &what);
    // The same for the entry `name` of the folder open as dirFd. With followLinks false an
    // entry that is a symbolic link is refused (75).
    static QString ReadAt(int dirFd, const QString &name, const QString &what, bool followLinks);
    static QByteArray ReadBytesAt(int dirFd, const QString &name, const QString &what,
                                  bool followLinks);
    // Raise GuiError 76 when the folder is missing, 75 on any other failure.
    static void Write(const QString &path, const QString &text, const QString &what);
    // The same for bytes already in their stored form (a large output made as UTF-8 need not
    // be decoded only to be encoded again).
    static void WriteBytes(const QString &path, const QByteArray &bytes, const QString &what);
    // Writes the entry `name` of the folder open as dirFd (folderPath names that folder in
    // messages and for the rename hook). The entry itself is replaced, never followed.
    static void WriteAt(int dirFd, const QString &folderPath, const QString &name,
                        const QByteArray &bytes, const QString &what);

    // Stale temporary files (older than this) of a document are removed by its next save.
    static constexpr int StaleTempSeconds = 3600;
    // The start of the temporary file names of the document `name` in its folder.
    static QString TempNameStem(const QString &name);

    // Called after the temporary file is complete and before it replaces the target. Tests use
    // it to simulate a failure (by throwing) or a crash at the worst moment. Not for production.
    using BeforeRenameHook = std::function<void(const QString &tempPath, const QString &target)>;
    static void SetBeforeRenameHook(BeforeRenameHook hook);

    // Prefix of the temporary files; they are hidden and never taken for items.
    static constexpr QLatin1StringView TempPrefix{".cvsave-"};
};
