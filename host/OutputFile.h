#pragma once

#include <QByteArray>
#include <QString>

// How the designer's Save of a local file and the command-line tool's --output write a named
// file, one rule for both:
//
// - A regular file or a new name is written through a temporary file beside it and renamed
//   over it (ItemFile). A symbolic link is resolved first, so the link stays and the file it
//   leads to is replaced; the replaced file's permissions are kept.
// - A character device or FIFO (/dev/stdout, /dev/null, a pipe, a terminal) is written
//   straight through and never replaced.
// - A folder, block device or socket is refused.
// - A file the user may not write is refused, as the designer refuses a read-only document.
//
// Failures raise GuiError (75; 76 when the folder is missing) with a message naming `what`.
class OutputFile
{
public:
    static void Write(const QString &path, const QByteArray &bytes, const QString &what);
};
