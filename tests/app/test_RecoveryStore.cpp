// The recovery folder: what a recovery file holds and gives back, which files belong to a
// designer that no longer runs (never those of one that still does, never to two finders),
// and files that must not be trusted, reported and left where they are.
#include "FileBytes.h"
#include "app/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <memory>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString ProjectText = QStringLiteral("TEMPLATE\uF8FD45000.5\r\n0\uF8FD1.4\r\n2\uF8FDAPP\uF8FD\uF8FD1");
const QString ProgramText = QStringLiteral("* Gr\u00fc\u00dfe\r\nEND\r\n");

RecoveryStore::Info SampleInfo(qint64 pid)
{
    RecoveryStore::Info info;
    info.DocumentName = QStringLiteral("file:///tmp/a folder/odd\nname%.gui");
    info.ApplicationID = QStringLiteral("ORDERS");
    info.Time = QDateTime(QDate(2026, 12, 7), QTime(1, 2, 3, 456), Qt::UTC);
    info.ProcessID = pid;
    info.HasProgram = true;
    info.ProgramDocumentName = QStringLiteral("mvdb://h/a/BP/ORDERS");
    info.ProgramSaved = true;
    return info;
}

void WriteRaw(const QString &path, const QByteArray &bytes)
{
    PutFileBytes(path, bytes);
    ::chmod(QFile::encodeName(path).constData(), 0600);
}

// What a killed designer leaves: its lock file, held by nobody.
void RecordLockLeftBehind(const QString &path) { WriteRaw(path, QByteArray()); }

class RecoveryStoreTest : public ::testing::Test
{
protected:
    QString Folder() const { return m_dir.path() + "/state/corvane/recovery"; }
    QTemporaryDir m_dir;
};
} // namespace

TEST_F(RecoveryStoreTest, FileGivesBackWhatWasKept)
{
    auto dead = std::make_unique<RecoveryStore>(Folder(), 4001);
    ASSERT_TRUE(dead->Open()) << dead->Error().toStdString();
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(Folder()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(QFileInfo(dead->PathFor(3)).fileName(), "4001-3.cvrecover");

    // Written private also under a umask that lets the group write (common on desktops).
    const mode_t mask = ::umask(002);
    RecoveryStore::Write(dead->PathFor(1), RecoveryStore::Encode(SampleInfo(4001), ProjectText, &ProgramText));
    ::umask(mask);
    ASSERT_EQ(::stat(QFile::encodeName(dead->PathFor(1)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    RecoveryStore::Info noProgram = SampleInfo(4001);
    noProgram.DocumentName.clear();
    noProgram.Time = noProgram.Time.addSecs(-60);
    RecoveryStore::Write(dead->PathFor(2), RecoveryStore::Encode(noProgram, ProjectText, nullptr));
    dead.reset();

    RecoveryStore store(Folder(), 5000);
    ASSERT_TRUE(store.Open());
    const RecoveryStore::Findings found = store.FindLeftBehind();
    EXPECT_TRUE(found.Problems.isEmpty());
    ASSERT_EQ(found.Entries.size(), 2);
    // Oldest first.
    EXPECT_EQ(found.Entries[0].Path, store.Folder() + "/4001-2.cvrecover");
    EXPECT_TRUE(found.Entries[0].Meta.DocumentName.isEmpty());
    EXPECT_FALSE(found.Entries[0].Meta.HasProgram);
    const RecoveryStore::Info &meta = found.Entries[1].Meta;
    EXPECT_EQ(meta.DocumentName, SampleInfo(0).DocumentName);
    EXPECT_EQ(meta.ApplicationID, "ORDERS");
    EXPECT_EQ(meta.Time, SampleInfo(0).Time);
    EXPECT_EQ(meta.ProcessID, 4001);
    EXPECT_TRUE(meta.HasProgram);
    EXPECT_TRUE(meta.ProgramSaved);
    EXPECT_EQ(meta.ProgramDocumentName, "mvdb://h/a/BP/ORDERS");

    QString reason;
    const auto content = store.Read(found.Entries[1].Path, reason);
    ASSERT_TRUE(content) << reason.toStdString();
    EXPECT_EQ(content->ProjectText, ProjectText);
    EXPECT_EQ(content->ProgramText, ProgramText);
}

TEST_F(RecoveryStoreTest, RunningDesignersKeepTheirFilesAndFindersNeverShare)
{
    auto running = std::make_unique<RecoveryStore>(Folder(), 4001);
    ASSERT_TRUE(running->Open());
    RecoveryStore::Write(running->PathFor(1), RecoveryStore::Encode(SampleInfo(4001), ProjectText, nullptr));

    RecoveryStore first(Folder(), 5000);
    ASSERT_TRUE(first.Open());
    EXPECT_TRUE(first.FindLeftBehind().Entries.isEmpty()) << "a running designer's file was offered";
    // Its own files are never offered to a designer either.
    RecoveryStore::Write(first.PathFor(1), RecoveryStore::Encode(SampleInfo(5000), ProjectText, nullptr));

    running.reset(); // the designer ends without removing its work (as a crash would)
    EXPECT_EQ(first.FindLeftBehind().Entries.size(), 1);
    RecoveryStore second(Folder(), 6000);
    ASSERT_TRUE(second.Open());
    const RecoveryStore::Findings other = second.FindLeftBehind();
    EXPECT_TRUE(other.Entries.isEmpty()) << "two designers were offered the same work";
    EXPECT_TRUE(other.Problems.isEmpty());

    // The lock a dead designer left without any work goes; a running one's stays.
    auto idle = std::make_unique<RecoveryStore>(Folder(), 4002);
    ASSERT_TRUE(idle->Open());
    RecordLockLeftBehind(Folder() + "/4003.lock");
    second.FindLeftBehind();
    EXPECT_TRUE(QFile::exists(Folder() + "/4002.lock"));
    EXPECT_FALSE(QFile::exists(Folder() + "/4003.lock"));
}

TEST_F(RecoveryStoreTest, UntrustworthyFilesAreReportedAndKept)
{
    RecoveryStore store(Folder(), 5000);
    ASSERT_TRUE(store.Open());
    const QString dir = store.Folder() + "/";
    const QByteArray good = RecoveryStore::Encode(SampleInfo(4001), ProjectText, &ProgramText);
    RecoveryStore::Info otherPid = SampleInfo(4002);
    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char *reason;
    };
    const std::vector<Case> cases = {
        {"4001-1.cvrecover", QByteArray(), "empty"},
        {"4001-2.cvrecover", good.left(good.size() - 5), "cut short"},
        {"4001-3.cvrecover", good.left(30), "cut short"},
        {"4001-4.cvrecover", "TEMPLATE\r\nnot a recovery file", "not a recovery file"},
        {"4001-5.cvrecover", good + "more", "longer than"},
        {"4001-6.cvrecover", RecoveryStore::Encode(SampleInfo(4001), "hello", nullptr), "no project"},
        {"4001-7.cvrecover", RecoveryStore::Encode(otherPid, ProjectText, nullptr), "another process"},
        {"notes.cvrecover", good, "not named"},
    };
    for (const Case &c : cases)
        WriteRaw(dir + c.name, c.bytes);
    // Open to other users, a link, and a file too large to be a project's (sparse: no disk).
    WriteRaw(dir + "4001-8.cvrecover", good);
    ::chmod(QFile::encodeName(dir + "4001-8.cvrecover").constData(), 0666);
    WriteRaw(m_dir.path() + "/elsewhere", good);
    ASSERT_TRUE(QFile::link(m_dir.path() + "/elsewhere", dir + "4001-9.cvrecover"));
    WriteRaw(dir + "4001-10.cvrecover", good);
    ASSERT_EQ(::truncate(QFile::encodeName(dir + "4001-10.cvrecover").constData(), qint64(1) << 30), 0);

    const RecoveryStore::Findings found = store.FindLeftBehind();
    EXPECT_TRUE(found.Entries.isEmpty());
    std::map<QString, QString> reasons;
    for (const RecoveryStore::Problem &p : found.Problems)
        reasons[QFileInfo(p.Path).fileName()] = p.Reason;
    for (const Case &c : cases)
        EXPECT_TRUE(reasons[c.name].contains(c.reason)) << c.name << ": " << reasons[c.name].toStdString();
    EXPECT_TRUE(reasons["4001-8.cvrecover"].contains("other users")) << reasons["4001-8.cvrecover"].toStdString();
    EXPECT_TRUE(reasons["4001-9.cvrecover"].contains("symbolic link"));
    EXPECT_TRUE(reasons["4001-10.cvrecover"].contains("larger than"));
    // Nothing is deleted behind the user's back.
    for (const auto &[name, reason] : reasons)
        EXPECT_TRUE(QFileInfo(dir + name).isFile() || QFileInfo(dir + name).isSymLink()) << name.toStdString();
}

TEST_F(RecoveryStoreTest, FolderIsMadePrivateOrRefused)
{
    // An existing folder open to others is closed to them.
    ASSERT_TRUE(QDir().mkpath(Folder()));
    ::chmod(QFile::encodeName(Folder()).constData(), 0755);
    RecoveryStore store(Folder(), 5000);
    ASSERT_TRUE(store.Open());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(Folder()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A file where the folder should be, and a folder that may not be written.
    WriteRaw(m_dir.path() + "/blocked", "x");
    RecoveryStore blocked(m_dir.path() + "/blocked/recovery", 5000);
    EXPECT_FALSE(blocked.Open());
    EXPECT_FALSE(blocked.Error().isEmpty());
    if (::geteuid() != 0) {
        ASSERT_TRUE(QDir().mkpath(m_dir.path() + "/ro"));
        ::chmod(QFile::encodeName(m_dir.path() + "/ro").constData(), 0500);
        RecoveryStore readOnly(m_dir.path() + "/ro/recovery", 5000);
        EXPECT_FALSE(readOnly.Open());
        EXPECT_TRUE(readOnly.Error().contains("cannot be made")) << readOnly.Error().toStdString();
        ::chmod(QFile::encodeName(m_dir.path() + "/ro").constData(), 0700);
    }
}
