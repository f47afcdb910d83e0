// The designer's start-up offers the work a dead designer left behind once the window shows:
// the chosen project comes back changed and bound to its document, unusable files are
// reported in one message and kept, and a changed interval in the preferences restarts
// autosave.
#include "FileBytes.h"
#include "ScriptedDialogs.h"
#include "designer/ProgramFolder.h"
#include "app/DesignerRoot.h"
#include "app/DocumentStorage.h"
#include "testsupport/ScriptedPrompter.h"
#include "main/DesignerWindow.h"
#include "model/clsControl.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
const QString ProjectText = QStringLiteral(
    "TEMPLATE\uF8FD45000.5\uF8FDhdr\r\n0\uF8FD1.4\uF8FD0\r\n"
    "2\uF8FDKEPT\uF8FD\uF8FD0\uF8FD0\uF8FD0\uF8FD80\uF8FD30\uF8FD1073741825\r\n"
    "2\uF8FDKEPT*F1\uF8FD\uF8FD5\uF8FD1\uF8FD1\uF8FD10\uF8FD2\uF8FD0\r\n0\uF8FD-1");

struct Started
{
    explicit Started(const std::function<void(const QString &folder)> &prepare)
    {
        prepare(Folder());
        DesignerWindow::Options options;
        options.State = std::make_unique<ProcessState>(program.dir.path());
        options.Prompter = &prompter;
        options.WithCodeServices = false;
        options.RecoveryFolder = Folder();
        options.Dialogs = &dialogs;
        window = std::make_unique<DesignerWindow>(std::move(options));
    }
    QString Folder() const { return program.dir.path() + "/state/recovery"; }
    QString Document() const { return program.dir.path() + "/kept.gui"; }
    void Start()
    {
        window->Start();
        // The offer comes once the event loop runs.
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && Offered.isEmpty() && prompter.Calls.empty())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ProgramFolder program;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    const QStringList &Offered = dialogs.Offered;
    std::unique_ptr<DesignerWindow> window;
};

void LeaveBehind(const QString &folder, const QString &name, const QString &document)
{
    QDir().mkpath(folder);
    RecoveryStore::Info info;
    info.ApplicationID = "KEPT";
    info.DocumentName = document;
    info.ProcessID = name.section('-', 0, 0).toLongLong();
    info.Time = QDateTime::currentDateTimeUtc();
    RecoveryStore::Write(folder + "/" + name, RecoveryStore::Encode(info, ProjectText, nullptr));
}
} // namespace

TEST(DesignerRecovery, ChosenWorkComesBackChangedAndBoundToItsDocument)
{
    Started designer([](const QString &) {});
    LeaveBehind(designer.Folder(), "424242-1.cvrecover", designer.Document());
    PutFileBytes(designer.Folder() + "/424242-2.cvrecover", "not a recovery file");
    designer.Start();

    ASSERT_EQ(designer.Offered, QStringList{"KEPT\t" + designer.Document()});
    DesignerRoot &root = designer.window->Root();
    clsControl *app = root.Items().Find("KEPT");
    ASSERT_NE(app, nullptr);
    ProjectState *project = root.Designer().ProjectOf(app);
    ASSERT_TRUE(project && project->Document);
    EXPECT_TRUE(project->Changed);
    EXPECT_EQ(project->Document->Name(), designer.Document());
    EXPECT_NE(root.Items().Find("KEPT*F1"), nullptr);
    EXPECT_FALSE(QFile::exists(designer.Document())) << "recovery wrote the document";
    // The bad file: one message naming it, and it stays.
    const auto messages = designer.prompter.Of(ScriptedPrompter::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains("424242-2.cvrecover: it is not a recovery file"))
        << messages[0].Text.toStdString();
    EXPECT_TRUE(QFile::exists(designer.Folder() + "/424242-2.cvrecover"));
    EXPECT_FALSE(QFile::exists(designer.Folder() + "/424242-1.cvrecover"));

    // The interval follows the preferences.
    Autosave &autosave = root.Autosaver();
    qunsetenv("CORVANE_AUTOSAVE_SECONDS");
    root.Settings().AutosaveMinutes = 5;
    autosave.ApplySettings();
    EXPECT_EQ(autosave.IntervalMs(), 5 * 60000);
    EXPECT_TRUE(autosave.IsActive());
    root.Settings().AutosaveMinutes = 0;
    autosave.ApplySettings();
    EXPECT_FALSE(autosave.IsActive());
}

TEST(DesignerRecovery, LaterKeepsAndDiscardRemoves)
{
    for (const auto choice : {frmRecover::Choice::Later, frmRecover::Choice::Discard}) {
        Started designer([](const QString &) {});
        LeaveBehind(designer.Folder(), "424243-1.cvrecover", QString());
        designer.dialogs.Answer = choice;
        designer.Start();
        ASSERT_EQ(designer.Offered, QStringList{"KEPT\t"});
        EXPECT_EQ(designer.window->Root().Items().Find("KEPT"), nullptr);
        EXPECT_EQ(QFile::exists(designer.Folder() + "/424243-1.cvrecover"), choice == frmRecover::Choice::Later);
    }
}
