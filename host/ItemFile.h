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
// the old or the new text, never a mixture.
class ItemFile
{
public:
    static QString Decode(const QByteArray &bytes);
    static QByteArray Encode(const QString &text);

    // Raise GuiError 53 when missing, 75 when unreadable; `what` names the document in messages.
    static QString Read(const QString &path, const QString &what);
    // The stored bytes as they are on disk (same errors as Read).
    static QByteArray ReadBytes(const QString &path, const QString &what);
    // Raise GuiError 76 when the folder is missing, 75 on any other failure.
    static void Write(const QString &path, const QString &text, const QString &what);
    // The same for bytes already in their stored form (a large output made as UTF-8 need not
    // be decoded only to be encoded again).
    static void WriteBytes(const QString &path, const QByteArray &bytes, const QString &what);

    // Called after the temporary file is complete and before it replaces the target. Tests use
    // it to simulate a failure (by throwing) or a crash at the worst moment. Not for production.
    using BeforeRenameHook = std::function<void(const QString &tempPath, const QString &target)>;
    static void SetBeforeRenameHook(BeforeRenameHook hook);

    // Prefix of the temporary files; they are hidden and never taken for items.
    static constexpr QLatin1StringView TempPrefix{".cvsave-"};
};
