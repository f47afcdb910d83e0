// Record locks between documents of one process and between processes: a second process sees
// the lock, a killed holder leaves none behind, and a save killed before its rename leaves the
// previous project intact. The second process is this test program in a child mode (main.cpp).
#include "host/HostErrors.h"
#include "host/RecordLock.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <signal.h>

#include "ErrorOf.h"
#include "FileBytes.h"

namespace {
int LockError(mvDocument &document)
{
    return ErrorOf([&] { document.Lock(); });
}

struct Child
{
    QProcess process;

    // Starts the child and waits until it prints `expected`.
    bool Start(const QStringList &args, const QByteArray &expected)
    {
        process.start(QFile::symLinkTarget("/proc/self/exe"), args);
        if (!process.waitForStarted(10000))
            return false;
        while (process.waitForReadyRead(10000)) {
            const QByteArray out = process.readAllStandardOutput();
            if (out.contains(expected))
                return true;
            if (out.contains("ERROR"))
                return false;
        }
        return false;
    }
    void Kill()
    {
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(10000);
    }
    ~Child()
    {
        if (process.state() != QProcess::NotRunning)
            Kill();
    }
};

struct Fixture
{
    QTemporaryDir dir;
    QString root = dir.filePath("store");
    mvConnection connection;
    QString item = DocumentName::Build("mvdb", "prod", "SALES", "BP", "APP");
    Fixture()
    {
        connection.Store().SetRoot(root);
        connection.Store().CreateFile("prod", "SALES", "BP");
    }
};
} // namespace

TEST(RecordLock, TwoDocumentsOfOneProcessExcludeEachOther)
{
    Fixture f;
    auto first = f.connection.Open(f.item);
    auto second = f.connection.Open(f.item);
    EXPECT_EQ(LockError(*first), 0);
    EXPECT_EQ(LockError(*first), 0); // locking again is harmless
    EXPECT_TRUE(first->IsLocked());
    EXPECT_EQ(LockError(*second), HostErrors::ItemLocked);
    EXPECT_FALSE(second->IsLocked());
    // Another item of the same file is free.
    EXPECT_EQ(LockError(*f.connection.Open(DocumentName::Build("mvdb", "prod", "SALES", "BP", "X"))), 0);

    first->Unlock();
    EXPECT_EQ(LockError(*second), 0);
    second.reset();
    EXPECT_EQ(LockError(*first), 0);
}

TEST(RecordLock, LockFileLeftByADeadHolderIsReused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(".x.lck");
    PutFileBytes(path, {}); // as a killed holder leaves it
    RecordLock lock(path);
    lock.Acquire("'x'");
    RecordLock other(path);
    EXPECT_TRUE(other.IsHeldElsewhere());
    lock.Release();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(other.IsHeldElsewhere());
}

TEST(RecordLock, SecondProcessSeesTheLockAndAKilledHolderLeavesNone)
{
    Fixture f;
    Child child;
    ASSERT_TRUE(child.Start({"--child-lock", f.root, f.item}, "LOCKED"));
    auto document = f.connection.Open(f.item);
    EXPECT_EQ(LockError(*document), HostErrors::ItemLocked);
    const GuiError refused = Raised([&] { document->Write("clobber"); });
    EXPECT_EQ(refused.Number(), HostErrors::ItemLocked);
    EXPECT_TRUE(refused.Description().contains("mvdb://*/*/BP/APP"));

    child.Kill();
    EXPECT_EQ(LockError(*document), 0);

    // And the other way round: our lock keeps the child out.
    Child second;
    EXPECT_FALSE(second.Start({"--child-lock", f.root, f.item}, "LOCKED"));
    second.process.waitForFinished(10000);
    EXPECT_EQ(second.process.exitCode(), 1);
}

TEST(RecordLock, SaveKilledBeforeTheRenameLeavesThePreviousProject)
{
    Fixture f;
    f.connection.Open(f.item)->Write("previous project");

    Child child;
    ASSERT_TRUE(child.Start({"--child-save", f.root, f.item, "new project"}, "RENAMING"));
    child.Kill();

    auto document = f.connection.Open(f.item);
    EXPECT_EQ(document->Read(), "previous project");
    // The abandoned temporary file is hidden from the item list, and the next save works.
    EXPECT_EQ(f.connection.Store().ItemIDs("prod", "SALES", "BP"), QStringList{"APP"});
    document->Write("saved again");
    EXPECT_EQ(f.connection.Open(f.item)->Read(), "saved again");
}
