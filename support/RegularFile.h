#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the program did not name itself (templates, the translation table, ini
// files, documents, programs): only a regular file is read, and never more than a limit
// suited to its kind. A FIFO, device or folder is refused without waiting on it, so a name
// that leads to /dev/zero or a pipe cannot hang the program or fill its memory.
class RegularFile
{
public:
    // Limits by kind of file: generous for what users write, far below what would exhaust
    // memory.
    static constexpr qint64 IniLimit = 4 << 20;
    static constexpr qint64 TranslationLimit = 16 << 20;
    static constexpr qint64 TemplateLimit = 64 << 20;
    static constexpr qint64 DocumentLimit = qint64(1) << 30;

    struct Result
    {
        bool Ok = false;
        QByteArray Bytes;
        // errno of the failure; 0 when the file was opened but refused (not regular, too large).
        int Errno = 0;
        // Why it failed, for a message that names the file: "No such file or directory",
        // "not a regular file", "larger than 16 MB".
        QString Reason;
        // Refused for its size (a regular file, or one that went on past the limit).
        bool TooLarge = false;
    };

    // Reads the file named by path; links are followed.
    static Result Read(const QString &path, qint64 limit);
    // Reads the entry `name` of the folder open as dirFd. With followLinks false a symbolic
    // link is refused (Errno ELOOP).
    static Result ReadAt(int dirFd, const QByteArray &name, qint64 limit, bool followLinks);
    // Reads an open descriptor (closing it): refused unless it is a regular file.
    static Result ReadOpen(int fd, qint64 limit);
};
