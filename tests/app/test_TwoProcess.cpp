// Two designers in two processes: a locked item is offered read-only and a killed holder
// leaves no lock behind. (A save killed before its rename is tried on the host layer.)
#include "FileBytes.h"
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "model/clsControl.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct Designer : DesignerStack
{
    explicit Designer(const QString &folder) : state(folder), storage(designer, state)
    {
        state.Settings.RecordLocking = true;
    }
    ProcessState state;
    DocumentStorage storage;
};

void WriteProject(const QString &path)
{
    PutFileBytes(path, DocumentStorage::ToStoredForm(Project({MinimalApp(), Create("APP*F1", 5), Prop(22, "original")}))
                           .toUtf8());
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
        EXPECT_TRUE(FileBytes(path).contains("original"));
    }

    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    Designer d(dir.path());
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    ASSERT_TRUE(result.Success);
    EXPECT_TRUE(d.prompter.Of(ScriptedPrompter::Kind::Question).empty());
    EXPECT_FALSE(d.designer.ProjectOf(result.App)->Document->ReadOnly());
}
