#pragma once

#include <QByteArray>
#include <QString>

// The file a settings store lives in (Qt's settings file of the native store, appstate.ini
// of the ini store), read and written as documents are, so that a shared or planted settings
// folder cannot hang the designer on a pipe, turn a device into a text file or lead a write
// into another user's file:
// - only a regular file is read, without waiting on it and never more than the ini limit;
//   a FIFO, device, socket or folder is refused;
// - a write goes to a temporary file beside the file, which is renamed over it;
// - a symbolic link is followed only when the user made it (the link is the user's own) and
//   it leads to a regular file or to a name not taken yet; the file it leads to is replaced
//   and the link stays. A link of another owner is refused;
// - a file the user may not write is not replaced.
// A missing file reads as empty and is created by the first write.
class SettingsFile
{
public:
    struct Content
    {
        bool Usable = false;
        QByteArray Bytes;
        // Why the file cannot hold settings ("it is a FIFO"), when it cannot.
        QString Problem;
    };

    static Content Read(const QString &path);
    // Empty when the bytes were stored, else why not.
    static QString Write(const QString &path, const QByteArray &bytes);
    // The file whose bytes the path reads and writes: the path itself or the file the user's
    // links lead to (which need not exist yet). Empty, with problem set, when the path must
    // not be used.
    static QString Target(const QString &path, QString &problem);
};
