// Document storage: the open path with its messages and questions, record locks and
// read-only projects, the version question, record 1 field 4, Save As refusals, failed
// saves, the closing questions and display names; FIFOs and devices named as projects; the
// progress of a load and a Cancel at any point of it.
#include "FileBytes.h"
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "QueuedChooser.h"
#include "RecordingPorts.h"
#include "app/CommandLine.h"
#include "app/DocumentOpener.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "app/iLoadProgress.h"
#include "host/ItemFile.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace LoaderText;
using Answer = iPrompter::Answer;
using Kind = ScriptedPrompter::Kind;

namespace {

void WriteText(const QString &path, const QString &memoryText)
{
    PutFileBytes(path, DocumentStorage::ToStoredForm(memoryText).toUtf8());
}

// One designer with its own registry, over a state whose folder is a temporary one.
struct Designer : DesignerStack
{
    explicit Designer(ProcessState &state) : storage(designer, state) {}
    DocumentStorage storage;
};

// A state whose folder is a temporary one, with a chooser that answers from a queue.
struct StorageTest : ::testing::Test
{
    QTemporaryDir dir;
    ProcessState state{dir.path()};
    QueuedChooser chooser;

    void SetUp() override { state.Connection.SetChooser(&chooser); }
    QString Path(const QString &name) const { return dir.filePath(name); }
};

struct DocumentStorageTest : StorageTest
{
    Designer d{state};
    QString SampleProject(const QString &version = "1.4") const
    {
        return Project({MinimalApp(), Create("APP*F1", 5), Prop(22, "Caption")}, version);
    }
};
} // namespace

TEST_F(DocumentStorageTest, OpenPathMessages)
{
    EXPECT_FALSE(d.storage.OpenByName({}).Success);
    QDir(dir.path()).mkdir("folder");
    EXPECT_TRUE(d.storage.OpenByName(Path("folder")).Unreadable);
    const auto messages = d.prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Cannot open document - file name and/or item ID missing!");
    EXPECT_EQ(messages[1].Text, "Unable to open item " + Path("folder") + " because it appears to be a file or folder.");
    EXPECT_EQ(messages[1].Icon, MessageIcon::Exclamation);

    // A missing item offers a new project bound to that name.
    SheetStandIn create(d.designer);
    d.storage.SetCreateMode(&create);
    d.prompter.Answers.push_back(Answer::Ok);
    EXPECT_FALSE(d.storage.OpenByName(Path("new.gui")).Success);
    const auto questions = d.prompter.Of(Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].Text, "Item '" + Path("new.gui") + "' not on file. Create new project?");
    EXPECT_EQ(questions[0].ButtonSet, iPrompter::Buttons::OkCancel);
    // The sheet returned with the new application: it is bound to the document at once.
    EXPECT_EQ(create.Offered, std::vector<QString>{"GUIAPP"});
    clsControl *app = d.designer.Items().Find("GUIAPP");
    ASSERT_NE(app, nullptr);
    ProjectState &project = *d.designer.ProjectOf(app);
    ASSERT_TRUE(project.Document);
    EXPECT_TRUE(project.Changed);
    EXPECT_EQ(d.designer.CurrentItem(), app);
    // Opened again before it is on file, the document gives its project: no question, no sheet.
    EXPECT_EQ(d.storage.OpenByName(Path("new.gui")).App, app);
    EXPECT_EQ(d.prompter.Of(Kind::Question).size(), 1u);
    EXPECT_EQ(create.Offered.size(), 1u);
    EXPECT_TRUE(d.storage.Save(app));
    EXPECT_FALSE(project.Changed);
    EXPECT_TRUE(FileBytes(Path("new.gui")).contains("GUIAPP"));

    // Cancelled in the sheet: no project, nothing bound, and New says so.
    create.Cancel = true;
    const auto projects = d.designer.Projects().size();
    EXPECT_FALSE(d.storage.New(Path("other.gui")));
    EXPECT_EQ(d.designer.Projects().size(), projects);
    EXPECT_EQ(create.Offered.back(), "GUIAPP2");
    EXPECT_EQ(state.Settings.RecentList.ListItem(1), Path("new.gui"));
}

TEST_F(DocumentStorageTest, OpenBindsTheProjectAndTakesRecordOne)
{
    state.Connection.Store().SetRoot(Path("store"));
    state.Connection.Store().CreateFile("h", "acc", "BP");
    const QString name = "mvdb://h/acc/BP/ORDERS.GUI";
    QString text = SampleProject();
    const QString location = QStringList({"BP", "ORDERS.PROG", "std", "2"}).join(QChar(Marks::SubValue));
    text.replace("hdr", "hdr" + QString(QChar(Marks::Value)) + location);
    {
        Designer writer(state);
        writer.designer.SetTemplate(text);
        ProjectState *p = writer.designer.ProjectOf(writer.items.Find("APP"));
        p->Document = state.Connection.Open(name);
        p->HeaderText = "hdr";
        p->ProgramDocumentName = "mvdb://h/acc/BP/ORDERS.PROG";
        p->CodeStyle = "std";
        p->Casing = 2;
        ASSERT_TRUE(writer.storage.WriteProject(*p));
    }
    state.HostName.clear();
    const DocumentStorage::OpenResult result = d.storage.OpenByName(name);
    ASSERT_TRUE(result.Success);
    EXPECT_EQ(result.DisplayName, "mvdb://*/*/BP/ORDERS.GUI");
    ProjectState *project = d.designer.ProjectOf(result.App);
    EXPECT_FALSE(project->Changed);
    EXPECT_EQ(project->HeaderText, "hdr");
    EXPECT_EQ(project->ProgramDocumentName, "mvdb://h/acc/BP/ORDERS.PROG");
    EXPECT_EQ(project->CodeStyle, "std");
    EXPECT_EQ(project->Casing, 2);
    EXPECT_EQ(state.HostName, "h");
    EXPECT_EQ(state.HostFileName, "BP");
    // Named with "*" for the current host, the open item selects its project.
    EXPECT_EQ(d.storage.OpenByName("mvdb://*/*/BP/ORDERS.GUI").App, result.App);
    EXPECT_EQ(d.designer.Projects().size(), 1u);
    // Saved again, record 1 field 4 comes out as it went in.
    const QString saved = DocumentStorage::ProjectText(*project, 14);
    EXPECT_EQ(saved.section(QChar(Marks::Attribute), 0, 0).section(QChar(Marks::Value), 3), location);
    // The recent entry opens the same item on the current host.
    EXPECT_EQ(DocumentStorage::DisplayName(name), "mvdb://*/*/BP/ORDERS.GUI");
    EXPECT_EQ(DocumentStorage::DisplayName("/tmp/x.gui"), "/tmp/x.gui");
}

TEST_F(DocumentStorageTest, LockedItemOpensReadOnlyAndCannotBeSavedOverItself)
{
    state.Settings.RecordLocking = true;
    WriteText(Path("p.gui"), SampleProject());
    ASSERT_TRUE(d.storage.OpenByName(Path("p.gui")).Success);

    Designer second(state);
    second.prompter.Answers.push_back(Answer::Yes);
    const DocumentStorage::OpenResult result = second.storage.OpenByName(Path("p.gui"));
    ASSERT_TRUE(result.Success);
    const auto questions = second.prompter.Of(Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].Text, "Unable to set record lock for item '" + Path("p.gui") + "'. Open in read-only mode?");
    ProjectState *project = second.designer.ProjectOf(result.App);
    EXPECT_TRUE(project->Document->ReadOnly());

    chooser.Names.push_back(Path("p.gui"));
    EXPECT_FALSE(second.storage.FileSaveAs(result.App));
    EXPECT_EQ(second.prompter.Of(Kind::Message).back().Text,
              "Item '" + Path("p.gui") + "' is open in read-only mode. Please save using a different name.");

    // Answering No opens nothing.
    Designer third(state);
    EXPECT_FALSE(third.storage.OpenByName(Path("p.gui")).Success);
    EXPECT_EQ(third.items.Count(), 1);
}

TEST_F(DocumentStorageTest, VersionQuestionOnSave)
{
    WriteText(Path("old.gui"), SampleProject("1.2"));
    const DocumentStorage::OpenResult result = d.storage.OpenByName(Path("old.gui"));
    ASSERT_TRUE(result.Success);
    ProjectState *project = d.designer.ProjectOf(result.App);
    const QByteArray before = FileBytes(Path("old.gui"));

    d.prompter.Answers = {Answer::Cancel};
    project->Changed = true;
    EXPECT_FALSE(d.storage.Save(result.App));
    EXPECT_TRUE(project->Changed);
    EXPECT_EQ(FileBytes(Path("old.gui")), before);
    const auto question = d.prompter.Of(Kind::Question).back();
    EXPECT_EQ(question.Text,
              "The original version of this GUI project (1.2) is lower than the version of the GUI "
              "designer (1.4).\n\nIf you save the project with the newer version you will not be able "
              "to run it on clients using an older version of the GUI runtime.\n\nIf you do not update "
              "the version, but are using features which are only available in the newer version, your "
              "application may not function correctly.\n\nDo you want to update the project version to 1.4?");
    EXPECT_EQ(question.ButtonSet, iPrompter::Buttons::YesNoCancel);

    for (const auto &[answer, version] : {std::pair{Answer::No, "1.2"}, {Answer::Yes, "1.4"}}) {
        d.prompter.Answers = {answer};
        EXPECT_TRUE(d.storage.Save(result.App));
        EXPECT_TRUE(FileBytes(Path("old.gui")).contains(("\r\n0" + QString(QChar(Marks::Value)) + version).toUtf8()));
    }
    EXPECT_EQ(dynamic_cast<cAppWrapper *>(result.App->Wrapper())->ProjectVersion(), 14);
    const size_t asked = d.prompter.Of(Kind::Question).size();
    EXPECT_TRUE(d.storage.Save(result.App));
    EXPECT_EQ(d.prompter.Of(Kind::Question).size(), asked) << "no question once current";
}

TEST_F(DocumentStorageTest, FailedSaveKeepsTheOldFileAndTheChangedFlag)
{
    WriteText(Path("p.gui"), SampleProject());
    const DocumentStorage::OpenResult result = d.storage.OpenByName(Path("p.gui"));
    ASSERT_TRUE(result.Success);
    const QByteArray before = FileBytes(Path("p.gui"));
    d.designer.SetProperty(22, "APP*F1", "edited");
    ProjectState *project = d.designer.ProjectOf(result.App);
    ASSERT_TRUE(project->Changed);

    const auto diskFull = [](const QString &, const QString &) { throw GuiError(75, "disk full"); };
    ItemFile::SetBeforeRenameHook(diskFull);
    EXPECT_FALSE(d.storage.Save(result.App));
    ItemFile::SetBeforeRenameHook({});
    EXPECT_TRUE(project->Changed);
    EXPECT_EQ(FileBytes(Path("p.gui")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".cvsave-").size(), 0);
    ASSERT_FALSE(d.prompter.ReportTexts().empty());
    EXPECT_EQ(d.prompter.ReportTexts().back(), "disk full");

    // The closing question then keeps the project open.
    d.prompter.Answers = {Answer::Yes};
    ItemFile::SetBeforeRenameHook(diskFull);
    EXPECT_FALSE(d.storage.Close(result.App));
    ItemFile::SetBeforeRenameHook({});
    EXPECT_TRUE(d.items.Find("APP"));
}

TEST_F(DocumentStorageTest, SaveAsRefusalsAndRecentList)
{
    WriteText(Path("a.gui"), SampleProject());
    WriteText(Path("b.gui"), SampleProject());
    QDir(dir.path()).mkdir("folder");
    const DocumentStorage::OpenResult result = d.storage.OpenByName(Path("a.gui"));
    ASSERT_TRUE(result.Success);
    state.Settings.RecentList.AddItem(Path("a.gui"));

    chooser.Names = {Path("folder") + "/"};
    EXPECT_FALSE(d.storage.FileSaveAs(result.App));
    EXPECT_EQ(d.prompter.Of(Kind::Message).back().Text,
              "'" + Path("folder") + "/' appears to be a file or folder and cannot be overwritten!");

    const QByteArray b = FileBytes(Path("b.gui"));
    chooser.Names = {Path("b.gui")};
    d.prompter.Answers = {Answer::No};
    EXPECT_FALSE(d.storage.FileSaveAs(result.App));
    EXPECT_EQ(d.prompter.Of(Kind::Question).back().Text, "Item '" + Path("b.gui") + "' exists. Overwrite?");
    EXPECT_EQ(FileBytes(Path("b.gui")), b);

    chooser.Names = {Path("c.gui")};
    EXPECT_TRUE(d.storage.FileSaveAs(result.App));
    EXPECT_EQ(chooser.Titles.last(), "Save Project");
    EXPECT_TRUE(QFile::exists(Path("c.gui")));
    EXPECT_EQ(state.Settings.RecentList.Items(), QStringList({Path("c.gui")}));
    EXPECT_EQ(d.designer.ProjectOf(result.App)->Document->DisplayName(), Path("c.gui"));

    // A failed Save As leaves the project bound where it was.
    chooser.Names = {Path("nofolder/d.gui")};
    EXPECT_FALSE(d.storage.FileSaveAs(result.App));
    EXPECT_EQ(d.designer.ProjectOf(result.App)->Document->DisplayName(), Path("c.gui"));
}

TEST_F(DocumentStorageTest, ClosingQuestions)
{
    CodeStandIn code;
    d.storage.SetProgramCode(&code);
    clsControl *app = d.designer.AddControl(1, "APP", {}, {}, {}, {}, {});
    ASSERT_TRUE(app);

    d.prompter.Answers = {Answer::Cancel};
    EXPECT_FALSE(d.storage.QueryClose(*app));
    EXPECT_EQ(d.prompter.Of(Kind::Question).back().Text,
              "You have made changes to 'APP'. \nYou should save your file before closing the project.\n"
              "Do you want to save the changes?");

    code.UnsavedNew = true;
    code.SaveSucceeds = false;
    d.prompter.Answers = {Answer::Yes};
    EXPECT_FALSE(d.storage.QueryClose(*app));
    EXPECT_EQ(code.Saves, 1);
    EXPECT_TRUE(d.prompter.Of(Kind::Question).back().Text.startsWith(
        "You have not saved the program code associated with 'APP'.\n"));

    code.UnsavedNew = false;
    code.ChangedCode = true;
    d.prompter.Answers = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(d.storage.QueryClose(*app));
    EXPECT_TRUE(d.prompter.Of(Kind::Question).back().Text.startsWith(
        "You have made changes the program code associated with 'APP'."));

    d.prompter.Answers = {Answer::No, Answer::No};
    EXPECT_TRUE(d.storage.QueryExit());
    d.prompter.Answers = {Answer::No, Answer::No};
    EXPECT_TRUE(d.storage.Close(app));
    EXPECT_FALSE(d.items.Find("APP"));
    EXPECT_TRUE(d.designer.Projects().empty());
}

TEST_F(DocumentStorageTest, PartlyLoadedProjectSaysSoAndIsNotSavedOverItsDocument)
{
    const QString whole = Project({MinimalApp(), Create("APP*F1", 5), Create("APP*F2", 5)});
    const QString closing = Record({"0", "-1"});
    struct Case { const char *name; QString text; bool partial; int reports; };
    const Case cases[] = {
        {"whole", whole, false, 0},
        // A record the loader cannot read stops the load after F1.
        {"stopped", Project({MinimalApp(), Create("APP*F1", 5), Record({"9"}), Create("APP*F2", 5)}), true, 1},
        // Cut at a record boundary: every record read is sound, the closing one is missing.
        {"cut", whole.left(whole.lastIndexOf(closing) - 1), true, 0},
        // Cut inside the closing record.
        {"cutInClosing", whole.left(whole.size() - 1), true, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Designer e(state);
        state.Settings.RecentList.Clear();
        const QString path = Path(QString(c.name) + ".gui");
        WriteText(path, c.text);
        const QByteArray before = FileBytes(path);
        chooser.Names = {path};
        ASSERT_TRUE(e.storage.FileOpen());
        clsControl *app = e.items.Find("APP");
        ASSERT_TRUE(app);
        EXPECT_TRUE(e.items.Find("APP*F1"));
        ProjectState &project = *e.designer.ProjectOf(app);
        EXPECT_EQ(project.PartlyLoaded, c.partial);
        EXPECT_EQ(project.Document->ReadOnly(), c.partial);
        EXPECT_EQ(e.prompter.Of(Kind::Report).size(), size_t(c.reports));
        const auto messages = e.prompter.Of(Kind::Message);
        if (!c.partial) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(state.Settings.RecentList.Items(), QStringList{path});
            continue;
        }
        // One message, after the load's own reports, naming the document.
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, "Project '" + path + "' was loaded only in part and is open read-only. "
                                    "Save it under another name to keep what was loaded.");
        EXPECT_EQ(messages[0].Icon, MessageIcon::Exclamation);
        EXPECT_EQ(e.prompter.Calls.back().Text, messages[0].Text);
        EXPECT_TRUE(state.Settings.RecentList.Items().isEmpty());
        // Saving over the document is refused; under another name it works.
        project.Changed = true;
        EXPECT_FALSE(e.storage.Save(app));
        EXPECT_EQ(FileBytes(path), before);
        chooser.Names = {path};
        EXPECT_FALSE(e.storage.FileSaveAs(app));
        EXPECT_EQ(FileBytes(path), before);
        chooser.Names = {Path(QString(c.name) + "-kept.gui")};
        EXPECT_TRUE(e.storage.FileSaveAs(app));
        EXPECT_FALSE(project.Document->ReadOnly());
    }

    // Neither the recent list nor the command line puts a partly loaded project on the list.
    Designer e(state);
    state.Settings.RecentList.Clear();
    state.Settings.RecentList.AddItem(Path("cut.gui"));
    state.Settings.RecentList.AddItem(Path("whole.gui"));
    EXPECT_TRUE(e.storage.OpenRecent(2).Partial);
    EXPECT_EQ(state.Settings.RecentList.Items(), QStringList({Path("whole.gui"), Path("cut.gui")}));
    Designer f(state);
    DocumentOpener opener(f.storage, state, f.prompter);
    ParseCmdLine(Path("stopped.gui"), state, opener);
    EXPECT_TRUE(f.items.Find("APP"));
    EXPECT_EQ(state.Settings.RecentList.Items(), QStringList({Path("whole.gui"), Path("cut.gui")}));
}

TEST_F(DocumentStorageTest, SaveAsOfANewProjectStartsAtTheHostParametersWithItsOwnName)
{
    state.Connection.Store().SetRoot(Path("store"));
    WriteText(Path("orders.gui"), SampleProject());
    ASSERT_TRUE(d.storage.OpenByName(Path("orders.gui")).Success);
    clsControl *fresh = d.designer.AddControl(1, "NEWAPP", {}, {}, {}, {}, {});
    ASSERT_TRUE(fresh);
    ProjectState &project = *d.designer.ProjectOf(fresh);
    QDir(dir.path()).mkdir("folder");

    struct Case { const char *what, *type, *file; bool hosts; QString start; };
    const Case cases[] = {
        // The last document was the orders file: the new project's file goes beside it.
        {"after a local file", "file", nullptr, false, Path("NEWAPP.gui")},
        {"local folder", "file", "folder", false, Path("folder/NEWAPP.gui")},
        {"host file", "mvdb", "BP", true, "mvdb://h/acc/BP/NEWAPP"},
        // No hosts in the store: a local file in the current folder.
        {"no hosts", "mvdb", "BP", false, QDir::current().filePath("NEWAPP.gui")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(Path("store")).removeRecursively();
        if (c.hosts)
            state.Connection.Store().CreateFile("h", "acc", "BP");
        state.HostType = c.type;
        if (c.file)
            state.HostFileName = QString(c.file) == "BP" ? "BP" : Path(c.file);
        state.HostName = "h";
        state.AccountName = "acc";
        EXPECT_FALSE(d.storage.FileSaveAs(fresh));
        EXPECT_EQ(chooser.Starts.last(), c.start);
    }
    // A project with a document starts at it; Edit code's "save first" takes the same road.
    EXPECT_TRUE(d.storage.Save(d.items.Find("APP")));
    EXPECT_EQ(chooser.Starts.size(), 4) << "a bound project is saved without the chooser";
    state.HostType = "file";
    state.HostFileName = Path("orders.gui");
    EXPECT_FALSE(d.storage.Save(fresh));
    EXPECT_EQ(chooser.Starts.last(), Path("NEWAPP.gui"));
    chooser.Names = {Path("NEWAPP.gui")};
    ASSERT_TRUE(d.storage.Save(fresh));
    chooser.Names = {};
    EXPECT_FALSE(d.storage.FileSaveAs(fresh));
    EXPECT_EQ(chooser.Starts.last(), Path("NEWAPP.gui"));
    EXPECT_FALSE(project.Changed);
}

TEST_F(DocumentStorageTest, NoTwoOpenProjectsAreBoundToOneDocument)
{
    WriteText(Path("orders.gui"), SampleProject());
    const DocumentStorage::OpenResult orders = d.storage.OpenByName(Path("orders.gui"));
    ASSERT_TRUE(orders.Success);
    ASSERT_TRUE(QFile::link(Path("orders.gui"), Path("link.gui")));
    clsControl *fresh = d.designer.AddControl(1, "NEWAPP", {}, {}, {}, {}, {});
    ASSERT_TRUE(fresh);
    const QByteArray before = FileBytes(Path("orders.gui"));

    // Save As onto the other project's document, by its name or through a link, is refused
    // before any question, and nothing is written or bound.
    for (const QString &name : {Path("orders.gui"), Path("link.gui")}) {
        SCOPED_TRACE(name.toStdString());
        d.prompter.Clear();
        chooser.Names = {name};
        d.prompter.Answers = {Answer::Yes};
        EXPECT_FALSE(d.storage.FileSaveAs(fresh));
        ASSERT_EQ(d.prompter.Calls.size(), 1u);
        EXPECT_EQ(d.prompter.Calls[0].Text,
                  "Item '" + name + "' is open as project 'APP'. Please save using a different name.");
        EXPECT_EQ(d.prompter.Calls[0].Icon, MessageIcon::Exclamation);
        EXPECT_EQ(FileBytes(Path("orders.gui")), before);
        EXPECT_FALSE(d.designer.ProjectOf(fresh)->Document);
    }
    // The project's own document is no refusal.
    chooser.Names = {Path("link.gui")};
    d.prompter.Answers = {Answer::Yes};
    EXPECT_TRUE(d.storage.FileSaveAs(orders.App));

    // Opening a document that is open selects its project instead of loading it again.
    const int count = d.items.Count();
    d.designer.SelectItem(fresh);
    for (const QString &name : {Path("orders.gui"), Path("link.gui")}) {
        const DocumentStorage::OpenResult again = d.storage.OpenByName(name);
        EXPECT_TRUE(again.Success);
        EXPECT_EQ(again.App, orders.App);
        EXPECT_EQ(d.designer.CurrentItem(), orders.App);
        d.designer.SelectItem(fresh);
    }
    EXPECT_EQ(d.items.Count(), count);
    EXPECT_EQ(d.designer.Projects().size(), 2u);
}

// A FIFO or a device named as the project (also through a link, as /dev/stdin is) is no
// project to read and no name for a new one: one message, no question, nothing waits on it.
TEST_F(DocumentStorageTest, SpecialFilesAreNotProjects)
{
    const QString fifo = Path("pipe.gui");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = Path("stdin.gui");
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(link).constData()), 0);
    SheetStandIn create(d.designer);
    d.storage.SetCreateMode(&create);
    for (const QString &name : {fifo, QStringLiteral("/dev/null"), link}) {
        SCOPED_TRACE(name.toStdString());
        d.prompter.Clear();
        d.prompter.Answers.push_back(Answer::Ok); // would take a new project if one were offered
        const DocumentStorage::OpenResult result = d.storage.OpenByName(name);
        EXPECT_FALSE(result.Success);
        EXPECT_TRUE(result.Unreadable);
        EXPECT_TRUE(d.prompter.Of(Kind::Question).empty());
        const auto messages = d.prompter.Of(Kind::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, "Unable to open item " + name + " because it is not a regular file.");
        EXPECT_EQ(messages[0].Icon, MessageIcon::Exclamation);
        d.prompter.Answers.clear();
    }
    EXPECT_TRUE(create.Offered.empty());
    EXPECT_TRUE(d.designer.Projects().empty());
}

// The stored form read into memory: CR LF and LF alone end records; a CR that does not come
// before an LF is part of the text.
TEST(MemoryForm, LineEndsBecomeAttributeMarks)
{
    const QString AM(QChar(Marks::Attribute));
    EXPECT_EQ(DocumentStorage::ToMemoryForm("A\r\nB\nC"), "A" + AM + "B" + AM + "C");
    EXPECT_EQ(DocumentStorage::ToMemoryForm("\r\n\n\r\r\n"), AM + AM + "\r" + AM);
    EXPECT_EQ(DocumentStorage::ToMemoryForm("A\rB\r"), "A\rB\r");
    EXPECT_EQ(DocumentStorage::ToMemoryForm(""), "");
    EXPECT_EQ(DocumentStorage::ToMemoryForm("X\r\n"), "X" + AM);
    // What goes in comes back out, apart from the line ends.
    const QString memory = "0" + AM + "2" + QChar(Marks::Value) + "APP" + AM + "4";
    EXPECT_EQ(DocumentStorage::ToStoredForm(memory), "0\r\n2" + QString(QChar(Marks::Value)) + "APP\r\n4");
    EXPECT_EQ(DocumentStorage::ToMemoryForm(DocumentStorage::ToStoredForm(memory)), memory);
}

// The progress of opening a document: the forms counted and reported as the load goes, and a
// Cancel at any point of a large load that leaves nothing open (no project, no items, no
// record lock, nothing on the recent list) so that the next open of the same document works.
namespace {
// Records what the load reports; answers Cancel at the report numbered CancelAt (1-based).
struct RecordingProgress : iLoadProgress
{
    int Total = -1, Begins = 0, Ends = 0, Reports = 0, CancelAt = 0;
    std::vector<int> Made;
    void Begin(int formsTotal) override
    {
        ++Begins;
        Total = formsTotal;
    }
    bool Advance(int formsMade) override
    {
        Made.push_back(formsMade);
        return ++Reports != CancelAt;
    }
    void End() override { ++Ends; }
};

QString Forms(int forms, int controlsPerForm)
{
    QStringList body{MinimalApp()};
    for (int f = 0; f < forms; ++f) {
        const QString form = QStringLiteral("APP*F%1").arg(f);
        body << Create(form, 5) << Prop(22, form);
        for (int c = 0; c < controlsPerForm; ++c)
            body << Create(form + QStringLiteral("*L%1").arg(c), 15) << Prop(22, "x");
    }
    return Project(body);
}

struct ProgressDesigner : Designer
{
    explicit ProgressDesigner(ProcessState &state) : Designer(state) { storage.SetLoadProgress(&progress); }
    RecordingProgress progress;
};

// Record locks on, so that a Cancel that left the document locked would show.
struct LoadProgressTest : StorageTest
{
    void SetUp() override
    {
        StorageTest::SetUp();
        state.Settings.RecordLocking = true;
    }
    QString Write(const QString &name, const QString &text)
    {
        WriteText(Path(name), text);
        return Path(name);
    }
};
} // namespace

TEST_F(LoadProgressTest, ReportsFormsMadeOfFormsTotalAndEndsOnce)
{
    struct Case { const char *name; QString text; int forms; int leastReports; };
    const Case cases[] = {
        {"no forms", Project({MinimalApp()}), 0, 0},
        {"forms", Forms(5, 2), 5, 5},
        // A form of very many controls still reports now and then.
        {"one big form", Forms(1, 2000), 1, 10},
        // Property records that name a form type are not forms.
        {"not a create", Project({MinimalApp(), Create("APP*F", 5), Record({"4", "", "5", "", "", "5"})}), 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgressDesigner d(state);
        const DocumentStorage::OpenResult result =
            d.storage.OpenByName(Write(QString(c.name) + ".gui", c.text));
        EXPECT_TRUE(result.Success);
        EXPECT_FALSE(result.Cancelled);
        EXPECT_EQ(d.progress.Begins, 1);
        EXPECT_EQ(d.progress.Ends, 1);
        EXPECT_EQ(d.progress.Total, c.forms);
        EXPECT_GE(int(d.progress.Made.size()), c.leastReports);
        EXPECT_TRUE(std::is_sorted(d.progress.Made.begin(), d.progress.Made.end()));
        if (!d.progress.Made.empty())
            EXPECT_LE(d.progress.Made.back(), c.forms);
        d.designer.ReleaseAll();
    }

    // Pasting and the editor's automation load without it.
    ProgressDesigner d(state);
    d.designer.SetTemplate(Forms(3, 1));
    EXPECT_EQ(d.progress.Begins, 0);
}

TEST_F(LoadProgressTest, CancelAtAnyPointLeavesNothingOpenAndTheNextOpenWorks)
{
    const QString path = Write("big.gui", Forms(200, 3));
    const QString stored = QString::fromUtf8(FileBytes(path));
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    ProgressDesigner d(state);
    for (int round = 0; round < 12; ++round) {
        // Cancel at the first report, at the last form, once every form is made (the 201st)
        // and anywhere between; by File > Open, from the recent list's neighbour (by name),
        // from the command line and in the recovery of work autosave kept (which stays where
        // autosave keeps it).
        const int at = round == 0   ? 1
                       : round == 1 ? 200
                       : round == 2 ? 201
                                    : 1 + int(random.bounded(200));
        SCOPED_TRACE(testing::Message() << "cancel at report " << at << " round " << round);
        d.progress = {};
        d.progress.CancelAt = at;
        state.Settings.RecentList.Clear();
        if (round % 4 == 0) {
            chooser.Names = {path};
            EXPECT_FALSE(d.storage.FileOpen());
        } else if (round % 4 == 1 || round % 4 == 3) {
            const DocumentStorage::OpenResult result =
                round % 4 == 1 ? d.storage.OpenByName(path) : d.storage.OpenRecovered(stored, QString());
            EXPECT_TRUE(result.Cancelled);
            EXPECT_FALSE(result.Success);
            EXPECT_FALSE(result.App);
        } else {
            DocumentOpener opener(d.storage, state, d.prompter);
            ParseCmdLine(path, state, opener);
        }
        EXPECT_EQ(d.progress.Total, 200);
        EXPECT_EQ(d.progress.Ends, 1);
        EXPECT_TRUE(d.designer.Projects().empty());
        EXPECT_EQ(d.items.Count(), 1); // the root alone
        EXPECT_EQ(state.Settings.RecentList.ListCount(), 0);
        EXPECT_TRUE(d.prompter.Calls.empty()) << d.prompter.Calls.front().Text.toStdString();

        // The lock went with the document: another designer opens it without a question.
        Designer other(state);
        ASSERT_TRUE(other.storage.OpenByName(path).Success);
        EXPECT_TRUE(other.prompter.Calls.empty());
        other.designer.ReleaseAll();
    }
    // And the same designer opens the whole project, and recovers it whole, as changed work.
    d.progress = {};
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    ASSERT_TRUE(result.Success);
    EXPECT_FALSE(result.Partial);
    EXPECT_TRUE(d.items.Find("APP*F199*L2"));
    d.designer.ReleaseAll();
    d.progress = {};
    ASSERT_TRUE(d.storage.OpenRecovered(stored, QString()).Success);
    EXPECT_EQ(int(d.progress.Made.size()), 201);
    EXPECT_EQ(d.progress.Made.back(), 200);
    ASSERT_EQ(d.designer.Projects().size(), 1u);
    EXPECT_TRUE(d.designer.Projects().front()->Changed);
    d.designer.ReleaseAll();
}
