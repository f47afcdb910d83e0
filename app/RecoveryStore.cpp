#include "app/RecoveryStore.h"

#include "host/ItemFile.h"
#include "host/RecordLock.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <set>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray Magic = QByteArrayLiteral("CORVANE RECOVERY 1\n");
// The header is a few short lines; anything longer is no header of ours.
constexpr qsizetype HeaderLimit = 64 * 1024;

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray Line(const char *key, const QString &value)
{
    return QByteArray(key) + '=' + QUrl::toPercentEncoding(value) + '\n';
}

struct Header
{
    RecoveryStore::Info Meta;
    qint64 ProjectBytes = -1;
    qint64 ProgramBytes = -1;
    qsizetype End = 0; // where the project text begins
};

// The header at the start of bytes; false with the reason when there is none.
bool ParseHeader(const QByteArray &bytes, Header &header, QString &reason)
{
    if (bytes.isEmpty()) {
        reason = QStringLiteral("the file is empty");
        return false;
    }
    if (!bytes.startsWith(Magic)) {
        reason = QStringLiteral("it is not a recovery file");
        return false;
    }
    const qsizetype end = bytes.indexOf("\n\n", Magic.size() - 1);
    if (end < 0) {
        reason = bytes.size() >= HeaderLimit ? QStringLiteral("it is not a recovery file")
                                             : QStringLiteral("the file is cut short");
        return false;
    }
    header.End = end + 2;
    bool pidOk = false, projectOk = false, programOk = false;
    for (const QByteArray &line : bytes.mid(Magic.size(), end - Magic.size()).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq);
        const QString value = QUrl::fromPercentEncoding(line.mid(eq + 1));
        RecoveryStore::Info &m = header.Meta;
        if (key == "process")
            m.ProcessID = value.toLongLong(&pidOk);
        else if (key == "application")
            m.ApplicationID = value;
        else if (key == "document")
            m.DocumentName = value;
        else if (key == "time")
            m.Time = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == "program-document")
            m.ProgramDocumentName = value;
        else if (key == "program-saved")
            m.ProgramSaved = value == QLatin1String("1");
        else if (key == "project-bytes")
            header.ProjectBytes = value.toLongLong(&projectOk);
        else if (key == "program-bytes")
            header.ProgramBytes = value.toLongLong(&programOk);
    }
    if (!pidOk || !projectOk || !programOk || header.ProjectBytes < 0 || header.ProgramBytes < -1
        || header.Meta.ApplicationID.isEmpty()) {
        reason = QStringLiteral("its header is damaged");
        return false;
    }
    header.Meta.HasProgram = header.ProgramBytes >= 0;
    return true;
}

// The process ID a recovery file's name carries; 0 when the name is not one of ours.
qint64 ProcessOfName(const QString &name)
{
    if (!name.endsWith(RecoveryStore::Suffix))
        return 0;
    const QString stem = name.chopped(RecoveryStore::Suffix.size());
    const qsizetype dash = stem.indexOf(QLatin1Char('-'));
    bool pidOk = false, serialOk = false;
    const qint64 pid = stem.left(dash).toLongLong(&pidOk);
    stem.mid(dash + 1).toInt(&serialOk);
    return dash > 0 && pidOk && serialOk && pid > 0 ? pid : 0;
}

// Opens a file of the folder for reading as it is checked: never through a link, only a
// regular file of this user that nobody else may write, and not above the size limit.
int OpenChecked(int dirFd, const QByteArray &name, struct stat &st, QString &reason)
{
    const int fd = ::openat(dirFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == ELOOP ? QStringLiteral("it is a symbolic link") : SystemText(errno);
        return -1;
    }
    QString why;
    if (::fstat(fd, &st) != 0)
        why = SystemText(errno);
    else if (!S_ISREG(st.st_mode))
        why = QStringLiteral("it is not a regular file");
    else if (st.st_uid != ::geteuid())
        why = QStringLiteral("it belongs to another user");
    else if (st.st_mode & (S_IWGRP | S_IWOTH))
        why = QStringLiteral("other users may change it");
    else if (st.st_size > RecoveryStore::SizeLimit)
        why = QStringLiteral("it is larger than %1 MB").arg(RecoveryStore::SizeLimit >> 20);
    if (!why.isEmpty()) {
        ::close(fd);
        reason = why;
        return -1;
    }
    return fd;
}

QByteArray ReadUpTo(int fd, qint64 limit)
{
    QByteArray bytes;
    bytes.resize(qsizetype(limit));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// Checks a whole file against its header; fills header and, with full, the bytes.
bool CheckFile(int dirFd, const QByteArray &name, Header &header, QByteArray *full, QString &reason)
{
    struct stat st;
    const int fd = OpenChecked(dirFd, name, st, reason);
    if (fd < 0)
        return false;
    const QByteArray bytes = ReadUpTo(fd, full ? qint64(st.st_size) : std::min<qint64>(st.st_size, HeaderLimit));
    ::close(fd);
    if (!ParseHeader(bytes, header, reason))
        return false;
    const qint64 expected = header.End + header.ProjectBytes + std::max<qint64>(header.ProgramBytes, 0);
    if (qint64(st.st_size) < expected) {
        reason = QStringLiteral("the file is cut short");
        return false;
    }
    if (qint64(st.st_size) > expected) {
        reason = QStringLiteral("the file is longer than its header says");
        return false;
    }
    if (!bytes.mid(header.End).startsWith("TEMPLATE")) {
        reason = QStringLiteral("it holds no project");
        return false;
    }
    if (full)
        *full = bytes;
    return true;
}

int OpenFolder(const QString &folder)
{
    return ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}
} // namespace

QString RecoveryStore::DefaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative values are to be ignored, as the base directory rules say.
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/corvane/recovery"));
}

RecoveryStore::RecoveryStore(QString folder, qint64 processId)
    : m_folder(QDir::cleanPath(std::move(folder))), m_pid(processId)
{
}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::IsOpen() const { return m_own && m_own->IsHeld(); }

bool RecoveryStore::Open()
{
    if (IsOpen())
        return true;
    m_error.clear();
    // The folders above are the user's own; ours are made private. mkdir ignores the mode
    // bits the umask takes away, never adds any.
    if (!QDir().mkpath(QFileInfo(m_folder).absolutePath())) {
        m_error = QStringLiteral("the folder %1 cannot be made").arg(QFileInfo(m_folder).absolutePath());
        return false;
    }
    const QByteArray encoded = QFile::encodeName(m_folder);
    if (::mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST) {
        m_error = QStringLiteral("the folder %1 cannot be made: %2").arg(m_folder, SystemText(errno));
        return false;
    }
    struct stat st;
    if (::lstat(encoded.constData(), &st) != 0) {
        m_error = QStringLiteral("%1: %2").arg(m_folder, SystemText(errno));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        m_error = QStringLiteral("%1 is not a folder").arg(m_folder);
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        m_error = QStringLiteral("the folder %1 belongs to another user").arg(m_folder);
        return false;
    }
    if ((st.st_mode & 0777) != 0700 && ::chmod(encoded.constData(), 0700) != 0) {
        m_error = QStringLiteral("the folder %1 cannot be made private: %2").arg(m_folder, SystemText(errno));
        return false;
    }
    if (::access(encoded.constData(), W_OK | X_OK) != 0) {
        m_error = QStringLiteral("the folder %1 cannot be written: %2").arg(m_folder, SystemText(errno));
        return false;
    }
    auto own = std::make_unique<RecordLock>(m_folder + QStringLiteral("/%1.lock").arg(m_pid));
    try {
        own->Acquire(QStringLiteral("the recovery folder"));
    } catch (const GuiError &e) {
        m_error = e.Description();
        return false;
    }
    m_own = std::move(own);
    return true;
}

QString RecoveryStore::PathFor(int serial) const
{
    return m_folder + QStringLiteral("/%1-%2").arg(m_pid).arg(serial) + Suffix;
}

QByteArray RecoveryStore::Encode(const Info &info, const QString &storedProjectText,
                                 const QString *programText)
{
    const QByteArray project = storedProjectText.toUtf8();
    const QByteArray program = programText ? programText->toUtf8() : QByteArray();
    QByteArray bytes = Magic;
    bytes += Line("process", QString::number(info.ProcessID));
    bytes += Line("application", info.ApplicationID);
    bytes += Line("document", info.DocumentName);
    bytes += Line("time", info.Time.toUTC().toString(Qt::ISODateWithMs));
    bytes += Line("program-document", info.ProgramDocumentName);
    bytes += Line("program-saved", info.ProgramSaved ? QStringLiteral("1") : QStringLiteral("0"));
    bytes += Line("project-bytes", QString::number(project.size()));
    bytes += Line("program-bytes", QString::number(programText ? program.size() : -1));
    bytes += '\n';
    bytes.reserve(bytes.size() + project.size() + program.size());
    bytes += project;
    bytes += program;
    return bytes;
}

void RecoveryStore::Write(const QString &path, const QByteArray &bytes)
{
    ItemFile::WriteBytes(path, bytes, QStringLiteral("the recovery file %1").arg(path));
    // Private whatever the umask allows (a group-writable file would not be trusted when it
    // is read back); the next write of the file keeps its mode from the start.
    ::chmod(QFile::encodeName(path).constData(), 0600);
}

void RecoveryStore::Remove(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

bool RecoveryStore::ProcessRuns(qint64 pid)
{
    if (pid == m_pid || m_claims.count(pid))
        return false;
    // A running designer holds its lock; taking it claims a dead one's files for this one.
    auto claim = std::make_unique<RecordLock>(m_folder + QStringLiteral("/%1.lock").arg(pid));
    try {
        claim->Acquire(QStringLiteral("the recovery files of process %1").arg(pid));
    } catch (const GuiError &) {
        return true;
    }
    m_claims.emplace(pid, std::move(claim));
    return false;
}

RecoveryStore::Findings RecoveryStore::FindLeftBehind()
{
    Findings found;
    if (!IsOpen())
        return found;
    const int dirFd = OpenFolder(m_folder);
    if (dirFd < 0)
        return found;
    std::vector<QByteArray> names;
    std::set<qint64> lockOnly;
    if (DIR *dir = ::fdopendir(::dup(dirFd))) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name.endsWith(QByteArray(Suffix.data(), Suffix.size())))
                names.push_back(name);
            else if (name.endsWith(".lock"))
                lockOnly.insert(name.chopped(5).toLongLong());
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    for (const QByteArray &name : names)
        lockOnly.erase(ProcessOfName(QFile::decodeName(name)));
    // The locks of designers that ended without leaving work go: taking one that nobody holds
    // and letting go of it removes it; a running designer's is held and stays.
    for (const qint64 pid : lockOnly) {
        if (pid <= 0 || pid == m_pid || m_claims.count(pid))
            continue;
        RecordLock stale(m_folder + QStringLiteral("/%1.lock").arg(pid));
        try {
            stale.Acquire(QString());
        } catch (const GuiError &) {
        }
    }
    for (const QByteArray &name : names) {
        const QString decoded = QFile::decodeName(name);
        const QString path = m_folder + u'/' + decoded;
        const qint64 pid = ProcessOfName(decoded);
        if (pid == m_pid)
            continue;
        if (pid == 0) {
            found.Problems.append({path, QStringLiteral("it is not named as a recovery file")});
            continue;
        }
        if (ProcessRuns(pid))
            continue;
        Header header;
        QString reason;
        if (!CheckFile(dirFd, name, header, nullptr, reason)) {
            found.Problems.append({path, reason});
            continue;
        }
        if (header.Meta.ProcessID != pid) {
            found.Problems.append({path, QStringLiteral("its header names another process")});
            continue;
        }
        found.Entries.append({path, header.Meta});
    }
    ::close(dirFd);
    std::stable_sort(found.Entries.begin(), found.Entries.end(),
                     [](const Entry &a, const Entry &b) { return a.Meta.Time < b.Meta.Time; });
    return found;
}

std::optional<RecoveryStore::Content> RecoveryStore::Read(const QString &path, QString &reason) const
{
    const QFileInfo info(path);
    const int dirFd = OpenFolder(info.absolutePath());
    if (dirFd < 0) {
        reason = SystemText(errno);
        return std::nullopt;
    }
    Header header;
    QByteArray bytes;
    const bool ok = CheckFile(dirFd, QFile::encodeName(info.fileName()), header, &bytes, reason);
    ::close(dirFd);
    if (!ok)
        return std::nullopt;
    Content content;
    content.Meta = header.Meta;
    content.ProjectText = QString::fromUtf8(bytes.constData() + header.End, header.ProjectBytes);
    if (header.ProgramBytes >= 0)
        content.ProgramText =
            QString::fromUtf8(bytes.constData() + header.End + header.ProjectBytes, header.ProgramBytes);
    return content;
}

void RecoveryStore::ReleaseClaims()
{
    for (auto it = m_claims.begin(); it != m_claims.end();) {
        const QString prefix = QString::number(it->first) + u'-';
        const QStringList left = QDir(m_folder).entryList({prefix + u'*' + Suffix}, QDir::Files | QDir::System | QDir::Hidden);
        if (left.isEmpty())
            it = m_claims.erase(it);
        else
            ++it;
    }
}
