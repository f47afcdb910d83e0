#include "support/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
RegularFile::Result Failed(int error)
{
    RegularFile::Result result;
    result.Errno = error;
    result.Reason = QString::fromLocal8Bit(std::strerror(error));
    return result;
}

QString Size(qint64 bytes)
{
    return bytes >= (1 << 20) ? QStringLiteral("%1 MB").arg(bytes >> 20)
                              : QStringLiteral("%1 KB").arg(bytes >> 10);
}

// Opened without blocking: opening a FIFO for reading would otherwise wait for a writer.
constexpr int OpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
} // namespace

RegularFile::Result RegularFile::Read(const QString &path, qint64 limit)
{
    const int fd = ::open(QFile::encodeName(path).constData(), OpenFlags);
    if (fd < 0)
        return Failed(errno);
    return ReadOpen(fd, limit);
}

RegularFile::Result RegularFile::ReadAt(int dirFd, const QByteArray &name, qint64 limit,
                                        bool followLinks)
{
    const int fd = ::openat(dirFd, name.constData(), OpenFlags | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return Failed(errno);
    return ReadOpen(fd, limit);
}

RegularFile::Result RegularFile::ReadOpen(int fd, qint64 limit)
{
    Result result;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        result = Failed(errno);
    } else if (!S_ISREG(st.st_mode)) {
        result.Reason = S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder")
                                            : QStringLiteral("it is not a regular file");
    } else if (st.st_size > limit) {
        result.Reason = QStringLiteral("it is larger than %1").arg(Size(limit));
        result.TooLarge = true;
    } else {
        // The size may change while it is read: read to the end, but never past the limit.
        // The descriptor stays non-blocking: a regular file never waits, but a kernel file
        // that calls itself regular (/proc/kmsg) would wait for ever for its next line.
        QByteArray bytes;
        bytes.resize(qsizetype(st.st_size));
        qint64 got = 0;
        bool failed = false;
        for (;;) {
            if (got == bytes.size()) {
                if (got > limit)
                    break;
                bytes.resize(qsizetype(qMin<qint64>(limit + 1, got + 65536)));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                result.Reason = QStringLiteral("it is not a regular file");
                failed = true;
                break;
            }
            if (n < 0) {
                result = Failed(errno);
                failed = true;
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (!failed) {
            if (got > limit) {
                result.Reason = QStringLiteral("it is larger than %1").arg(Size(limit));
                result.TooLarge = true;
            } else {
                bytes.truncate(qsizetype(got));
                result.Ok = true;
                result.Bytes = std::move(bytes);
            }
        }
    }
    ::close(fd);
    return result;
}
