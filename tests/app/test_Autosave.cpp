// Autosave over the designer's world: which projects get a recovery file and when it goes
// (save, close, normal end), program code kept beside the project, a folder that cannot be
// written (one message, then off), and Recover giving back the project as it was.
#include "FileBytes.h"
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"
#include "model/clsControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace LoaderText;
using Kind = ScriptedPrompter::Kind;

namespace {
QStringList Files(const QString &folder, const QString &pattern = QStringLiteral("*.cvrecover"))
{
    return QDir(folder).entryList({pattern}, QDir::Files);
}

struct World
{
    explicit World(const QString &programFolder)
        : root(std::make_unique<ProcessState>(programFolder))
    {
        DesignerPorts ports;
        ports.Prompter = &prompter;
        ports.ProgramCode = &code;
        root.Connect(ports);
    }
    ~World() { root.Disconnect(); }
    ScriptedPrompter prompter;
    CodeStandIn code;
    DesignerRoot root;
};

class AutosaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qunsetenv("CORVANE_AUTOSAVE_SECONDS");
        PutFileBytes(Document(), DocumentStorage::ToStoredForm(Project({MinimalApp(), Create("APP*F1", 5),
                                                                         Create("APP*F1*L1", 15, {}, "5", "7")}))
                                     .toUtf8());
    }
    QString Folder() const { return m_dir.path() + "/recovery"; }
    QString Document() const { return m_dir.path() + "/p.gui"; }
    // A designer with the project open and one control moved (unsaved).
    std::unique_ptr<World> Editing(qint64 pid)
    {
        auto world = std::make_unique<World>(m_dir.path());
        world->root.Autosaver().Start(std::make_unique<RecoveryStore>(Folder(), pid));
        EXPECT_TRUE(world->root.Storage().OpenByName(Document()).Success);
        clsControl *label = world->root.Items().Find("APP*F1*L1");
        label->SetProperty(22, "Edited caption");
        world->root.Designer().MarkChanged(label);
        return world;
    }
    QTemporaryDir m_dir;
};
} // namespace

TEST_F(AutosaveTest, ChangedProjectsAreKeptUntilSavedClosedOrTheEnd)
{
    auto world = Editing(QCoreApplication::applicationPid());
    Autosave &autosave = world->root.Autosaver();
    EXPECT_EQ(autosave.IntervalMs(), 2 * 60000);
    autosave.RunNow();
    autosave.Flush();
    ASSERT_EQ(Files(Folder()).size(), 1);
    ProjectState &project = *world->root.Designer().Projects().front();
    const QString kept = autosave.FileOf(project);
    QString reason;
    auto content = autosave.Store()->Read(kept, reason);
    ASSERT_TRUE(content) << reason.toStdString();
    EXPECT_EQ(content->Meta.DocumentName, Document());
    EXPECT_EQ(content->Meta.ApplicationID, "APP");
    EXPECT_EQ(content->Meta.ProcessID, QCoreApplication::applicationPid());
    EXPECT_TRUE(content->ProjectText.contains("Edited caption")) << "the snapshot misses the edit";
    EXPECT_FALSE(content->Meta.HasProgram);

    // Nothing new: nothing written (a file removed by hand is not made again).
    QFile::remove(kept);
    autosave.RunNow();
    autosave.Flush();
    EXPECT_TRUE(Files(Folder()).isEmpty());
    // Program code changed in the editor counts as unsaved work and is kept beside it.
    world->code.Kept = iProgramCodeState::UnsavedProgram{"file:///tmp/p.bas", true, "* code\r\n"};
    autosave.RunNow();
    autosave.Flush();
    content = autosave.Store()->Read(kept, reason);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->ProgramText, "* code\r\n");
    EXPECT_EQ(content->Meta.ProgramDocumentName, "file:///tmp/p.bas");
    world->code.Kept.reset();

    // Save: the file goes; the document was never touched by autosave until then.
    ASSERT_TRUE(world->root.Storage().Save());
    autosave.Flush();
    EXPECT_TRUE(Files(Folder()).isEmpty());
    autosave.RunNow();
    autosave.Flush();
    EXPECT_TRUE(Files(Folder()).isEmpty()) << "a saved project was kept";

    // Closed with "No" to saving: the user threw the work away, and so does autosave.
    world->root.Designer().MarkChanged(world->root.Items().Find("APP*F1"));
    autosave.RunNow();
    autosave.Flush();
    ASSERT_EQ(Files(Folder()).size(), 1);
    world->prompter.Answers = {iPrompter::Answer::No};
    ASSERT_TRUE(world->root.Storage().Close());
    autosave.Flush();
    EXPECT_TRUE(Files(Folder()).isEmpty());

    // A normal end takes every file of this process and its lock.
    ASSERT_TRUE(world->root.Storage().OpenByName(Document()).Success);
    world->root.Designer().MarkChanged(world->root.Items().Find("APP*F1"));
    autosave.RunNow();
    autosave.Flush();
    ASSERT_EQ(Files(Folder()).size(), 1);
    world->root.Shutdown();
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(AutosaveTest, FolderThatCannotBeWrittenTurnsAutosaveOffWithOneMessage)
{
    // The folder's place is taken by a file: nothing can be made there.
    QFile blocker(Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto world = Editing(QCoreApplication::applicationPid());
    Autosave &autosave = world->root.Autosaver();
    for (int i = 0; i < 3; ++i)
        autosave.RunNow();
    const auto messages = world->prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith("Autosave is off")) << messages[0].Text.toStdString();
    EXPECT_FALSE(autosave.IsActive());

    // A file that cannot be written while running (its name taken by a folder): the same,
    // once, however often autosave comes round.
    QFile::remove(Folder());
    const qint64 pid = QCoreApplication::applicationPid() + 1;
    ASSERT_TRUE(QDir().mkpath(Folder() + QString("/%1-1.cvrecover").arg(pid)));
    auto later = Editing(pid);
    ASSERT_TRUE(later->root.Autosaver().Store()->IsOpen());
    for (int i = 0; i < 3; ++i) {
        later->root.Items().Find("APP*F1*L1")->SetProperty(22, QString::number(700 + i));
        later->root.Autosaver().RunNow();
        later->root.Autosaver().Flush();
        QCoreApplication::processEvents();
    }
    const auto told = later->prompter.Of(Kind::Message);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Text.contains("cannot be overwritten")) << told[0].Text.toStdString();
    EXPECT_FALSE(later->root.Autosaver().IsActive());
}

TEST_F(AutosaveTest, RecoverGivesBackTheProjectAsAutosaved)
{
    // A designer edits, autosaves with program code kept, and dies.
    const QByteArray original = FileBytes(Document());
    ASSERT_NE(original, "<missing>");
    const QString left = Folder() + "/7777-1.cvrecover";
    {
        auto dying = Editing(7777);
        dying->code.Kept = iProgramCodeState::UnsavedProgram{"", false, "* new code\r\n"};
        dying->root.Autosaver().RunNow();
        dying->root.Autosaver().Flush();
        // A crash leaves the file as it is; the kernel drops the lock with the process.
        ASSERT_TRUE(QFile::copy(left, left + ".crash"));
    }
    ASSERT_TRUE(QFile::rename(left + ".crash", left));
    ASSERT_EQ(Files(Folder()).size(), 1);

    World world(m_dir.path());
    Autosave &autosave = world.root.Autosaver();
    autosave.Start(std::make_unique<RecoveryStore>(Folder(), 8888));
    const RecoveryStore::Findings found = autosave.FindLeftBehind();
    ASSERT_EQ(found.Entries.size(), 1);
    EXPECT_EQ(found.Entries[0].Meta.ApplicationID, "APP");
    // The document opened again as it is on disk (the command line after the crash) gives
    // way to the recovered work: one project, with no duplicate-ID question.
    ASSERT_TRUE(world.root.Storage().OpenByName(Document()).Success);
    // A copy with changes of its own stays: the work waits, and its file is kept.
    ProjectState *copy = world.root.Designer().Projects().front();
    world.root.Designer().SetChanged(*copy, true);
    EXPECT_EQ(autosave.Recover(found.Entries[0]), nullptr);
    EXPECT_TRUE(QFile::exists(left));
    EXPECT_EQ(world.root.Designer().Projects().size(), 1u);
    world.root.Designer().SetChanged(*copy, false);
    clsControl *app = autosave.Recover(found.Entries[0]);
    ASSERT_NE(app, nullptr);
    autosave.Flush();
    EXPECT_EQ(world.root.Designer().Projects().size(), 1u);
    EXPECT_TRUE(world.prompter.Of(Kind::DuplicateId).empty());

    ProjectState *project = world.root.Designer().ProjectOf(app);
    ASSERT_NE(project, nullptr);
    EXPECT_TRUE(project->Changed);
    ASSERT_TRUE(project->Document);
    EXPECT_EQ(project->Document->Name(), Document());
    EXPECT_EQ(world.root.Items().Find("APP*F1*L1")->GetProperty(22), "Edited caption");
    ASSERT_EQ(world.code.Restored.size(), 1u);
    EXPECT_EQ(world.code.Restored[0].second.Text, "* new code\r\n");
    EXPECT_FALSE(world.code.Restored[0].second.Saved);
    // The document itself is untouched until the user saves; the work is now this
    // process's, in a file of its own.
    EXPECT_EQ(FileBytes(Document()), original);
    EXPECT_EQ(Files(Folder()), QStringList{"8888-1.cvrecover"});

    // A file whose project does not load is reported like a damaged project and kept.
    const QString broken = Folder() + "/7000-1.cvrecover";
    RecoveryStore::Info info;
    info.ApplicationID = "BAD";
    info.ProcessID = 7000;
    RecoveryStore::Write(broken, RecoveryStore::Encode(info, "TEMPLATE\r\n0\uF8FD1.4\r\n9\uF8FDjunk", nullptr));
    const RecoveryStore::Findings again = autosave.FindLeftBehind();
    ASSERT_EQ(again.Entries.size(), 1);
    world.prompter.Clear();
    EXPECT_EQ(autosave.Recover(again.Entries[0]), nullptr);
    EXPECT_FALSE(world.prompter.Calls.empty()) << "a recovery file that does not load went unreported";
    EXPECT_TRUE(QFile::exists(broken));
    world.root.Disconnect();
}
