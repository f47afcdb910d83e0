// Two designers in two processes: a locked item is offered read-only, a killed holder leaves
// no lock behind, and a save that dies before the rename leaves the old project intact.
#include "LoaderTestSupport.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "host/ItemFile.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace LoaderText;

namespace {
struct Designer
{
    explicit Designer(const QString &folder) : state(folder), storage(designer, state)
    {
        state.Settings.RecordLocking = true;
    }
    ProcessState state;
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};
    DocumentStorage storage;
};

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteProject(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(DocumentStorage::ToStoredForm(Project({MinimalApp(), Create("APP*F1", 5), Prop(22, "original")})).toUtf8());
}

// Starts this executable in a child mode and waits for its first line.
bool StartChild(QProcess &child, const QString &mode, const QString &path, QByteArray &firstLine)
{
    child.start(QCoreApplication::applicationFilePath(), {"--child=" + mode, path});
    if (!child.waitForStarted(10000))
        return false;
    while (!child.canReadLine() && child.state() == QProcess::Running)
        child.waitForReadyRead(10000);
    firstLine = child.readLine().trimmed();
    return true;
}
} // namespace

// The child side.
int RunTwoProcessChild(const QString &mode, const QString &path)
{
    QFileInfo info(path);
    Designer d(info.absolutePath());
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    if (!result.Success) {
        std::puts("open failed");
        return 2;
    }
    if (mode == QLatin1String("hold-lock")) {
        std::puts("locked");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1); // until the parent kills us
    }
    if (mode == QLatin1String("crash-save")) {
        d.designer.SetProperty(22, "APP*F1", "half written");
        ItemFile::SetBeforeRenameHook([](const QString &, const QString &) {
            std::puts("crashing");
            std::fflush(stdout);
            ::_exit(7); // the worst moment: the new text is complete but not in place
        });
        d.storage.Save(result.App);
        std::puts("saved");
        return 0;
    }
    return 3;
}

TEST(TwoProcess, LockedItemIsOfferedReadOnlyAndAKilledHolderLeavesNoLock)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.gui");
    WriteProject(path);

    QProcess child;
    QByteArray line;
    ASSERT_TRUE(StartChild(child, "hold-lock", path, line));
    ASSERT_EQ(line, "locked");
    {
        Designer d(dir.path());
        d.prompter.Answers.push_back(iPrompter::Answer::Yes);
        const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
        ASSERT_TRUE(result.Success);
        ASSERT_EQ(d.prompter.Of(ScriptedPrompter::Kind::Question).size(), 1u);
        EXPECT_TRUE(d.designer.ProjectOf(result.App)->Document->ReadOnly());
        // Saving over the locked item is refused and reported.
        d.designer.SetProperty(22, "APP*F1", "mine");
        EXPECT_FALSE(d.storage.Save(result.App));
        EXPECT_TRUE(ReadBytes(path).contains("original"));
    }

    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    Designer d(dir.path());
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    ASSERT_TRUE(result.Success);
    EXPECT_TRUE(d.prompter.Of(ScriptedPrompter::Kind::Question).empty());
    EXPECT_FALSE(d.designer.ProjectOf(result.App)->Document->ReadOnly());
}

TEST(TwoProcess, SaveInterruptedBeforeTheRenameLeavesTheOldProject)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.gui");
    WriteProject(path);
    const QByteArray before = ReadBytes(path);

    QProcess child;
    QByteArray line;
    ASSERT_TRUE(StartChild(child, "crash-save", path, line));
    EXPECT_EQ(line, "crashing");
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitCode(), 7);
    EXPECT_EQ(ReadBytes(path), before);

    // And it opens as it was, without a stale lock.
    Designer d(dir.path());
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    ASSERT_TRUE(result.Success);
    EXPECT_EQ(d.items.Find("APP*F1")->GetProperty(22), "original");
    EXPECT_TRUE(d.prompter.Calls.empty());
}
