#include "host/ItemFile.h"

#include "host/HostErrors.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
ItemFile::BeforeRenameHook &Hook()
{
    static ItemFile::BeforeRenameHook hook;
    return hook;
}

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void Fail(int number, const QString &what, const QString &action, int error)
{
    throw GuiError(number, QStringLiteral("Cannot %1 %2: %3").arg(action, what, SystemText(error)));
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

mode_t NewFileMode(const QByteArray &target)
{
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

QString ItemFile::Decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QString legacy;
    legacy.reserve(bytes.size());
    for (const char ch : bytes) {
        switch (uchar(ch)) {
        case 0xFE: legacy += QStringLiteral("\r\n"); break;
        case 0xFD: legacy += QChar(Marks::Value); break;
        case 0xFC: legacy += QChar(Marks::SubValue); break;
        default: legacy += QChar(uchar(ch)); break;
        }
    }
    return legacy;
}

QByteArray ItemFile::Encode(const QString &text) { return text.toUtf8(); }

QString ItemFile::Read(const QString &path, const QString &what)
{
    return Decode(ReadBytes(path, what));
}

QByteArray ItemFile::ReadBytes(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw GuiError(HostErrors::FileNotFound, QStringLiteral("%1 is not on file").arg(what));
    if (info.isDir())
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder, not a document").arg(what));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("Cannot read %1: %2").arg(what, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("Cannot read %1: %2").arg(what, file.errorString()));
    return bytes;
}

void ItemFile::Write(const QString &path, const QString &text, const QString &what)
{
    WriteBytes(path, Encode(text), what);
}

void ItemFile::WriteBytes(const QString &path, const QByteArray &bytes, const QString &what)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is a folder and cannot be overwritten").arg(what));
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        throw GuiError(HostErrors::PathNotFound,
                       QStringLiteral("Cannot write %1: the folder %2 does not exist").arg(what, folder));

    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray temp = QFile::encodeName(folder + u'/' + TempPrefix + QStringLiteral("XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        Fail(HostErrors::AccessError, what, QStringLiteral("write"), errno);

    const QString tempPath = QFile::decodeName(temp);
    try {
        const bool ok = ::fchmod(fd, NewFileMode(target)) == 0 && WriteAll(fd, bytes)
            && ::fsync(fd) == 0;
        const int error = errno;
        if (::close(fd) != 0 || !ok)
            Fail(HostErrors::AccessError, what, QStringLiteral("write"), ok ? errno : error);
        if (Hook())
            Hook()(tempPath, info.absoluteFilePath());
        if (::rename(temp.constData(), target.constData()) != 0)
            Fail(HostErrors::AccessError, what, QStringLiteral("replace"), errno);
    } catch (...) {
        ::unlink(temp.constData());
        throw;
    }
    SyncFolder(QFile::encodeName(folder));
}

void ItemFile::SetBeforeRenameHook(BeforeRenameHook hook) { Hook() = std::move(hook); }
