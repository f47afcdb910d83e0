// The code editor link against a recording editor: the order of calls to a new editor, the
// save precondition, the code item dialog's answer, failures with their messages, the decoder
// question and preference, going to a handler that has to be added first, the editor's
// events, the decoder notice and the closing questions' view of the code.
#include "FileBytes.h"
#include "EditStack.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "code/CodeDecoderQuestion.h"
#include "code/CodeEditorLink.h"
#include "code/LoadCodeModel.h"
#include "code/UpdateCodeModel.h"
#include "host/iDocumentChooser.h"
#include "QueuedChooser.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <gtest/gtest.h>

using Kind = ScriptedPrompter::Kind;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {
using Log = std::vector<QString>;

class RecordingDocument final : public iCodeDocument
{
public:
    explicit RecordingDocument(Log &log) : m_log(log) {}
    QString Body;
    QString Name;
    bool Saved = false;
    bool Modified = false;
    iCodeDocumentEvents *Events = nullptr;

    void Open(const QString &name, QString &opened, QString &shown) override
    {
        m_log.push_back("Open " + name);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            throw GuiError(53, "'" + name + "' is not on file");
        Body = QString::fromUtf8(file.readAll()).replace("\r\n", "\n").replace("\n", "\r\n");
        Name = opened = shown = name;
        Saved = true;
    }
    QString Identity() const override { return "editor-session-1"; }
    QString Text() const override { return Body; }
    void SetText(const QString &text) override
    {
        m_log.push_back("SetText");
        Modified = Modified || text != Body;
        Body = text;
    }
    void Show() override { m_log.push_back("Show"); }
    void GoToLabel(const QString &label) override
    {
        m_log.push_back("GoToLabel " + label);
        for (const QString &line : Body.split("\r\n"))
            if (line.trimmed().startsWith(label + ":", Qt::CaseInsensitive))
                return;
        throw GuiError(32767, "Label '" + label + "' not found.");
    }
    void SetEvents(iCodeDocumentEvents *events) override { Events = events; }
    QString DocumentName() const override { return Name; }
    void SetDocumentName(const QString &name) override
    {
        m_log.push_back("SetDocumentName " + name);
        Name = name;
    }
    bool IsSaved() const override { return Saved; }
    bool IsModified() const override { return Modified; }
    void Save() override
    {
        m_log.push_back("Save");
        QFile file(Name);
        if (!file.open(QIODevice::WriteOnly))
            throw GuiError(75, "cannot write");
        file.write(Body.toUtf8());
        Saved = true;
        Modified = false;
    }
    void Close() override
    {
        m_log.push_back("Close");
        if (Events)
            Events->DocumentClose(*this);
    }

private:
    Log &m_log;
};

class RecordingEditor final : public iCodeEditor, public iCodeDocuments
{
public:
    explicit RecordingEditor(Log &log) : m_log(log) {}
    std::vector<std::unique_ptr<RecordingDocument>> Docs;
    iCodeEditorEvents *Events = nullptr;

    iCodeDocuments &Documents() override { return *this; }
    iCodeDocument *Add() override
    {
        m_log.push_back("Add");
        Docs.push_back(std::make_unique<RecordingDocument>(m_log));
        return Docs.back().get();
    }
    void SetHostName(const QString &v) override { m_log.push_back("HostName " + v); }
    void SetHostType(const QString &v) override { m_log.push_back("HostType " + v); }
    void SetAccountName(const QString &v) override { m_log.push_back("AccountName " + v); }
    void SetIdentity(const QString &v) override { m_log.push_back("Identity " + v); }
    void AddCustomCommand(const QString &name, const QString &caption, int number) override
    {
        m_log.push_back(QString("AddCustomCommand %1 %2 %3").arg(name, caption).arg(number));
    }
    void SetEvents(iCodeEditorEvents *events) override { Events = events; }
    // The user closes the editor: every document first, then the editor.
    void CloseAll()
    {
        for (auto &doc : Docs)
            doc->Close();
        if (Events)
            Events->Quit();
    }

private:
    Log &m_log;
};

struct ScriptedDialogs final : iCodeDialogs
{
    std::function<bool(LoadCodeModel &)> LoadCode = [](LoadCodeModel &) { return false; };
    std::function<void(UpdateCodeModel &)> Update = [](UpdateCodeModel &) {};
    std::deque<int> Answers;
    int LoadCodeShown = 0;
    int QuestionsShown = 0;
    bool ShowLoadCode(LoadCodeModel &model) override
    {
        ++LoadCodeShown;
        return LoadCode(model);
    }
    void ShowUpdate(UpdateCodeModel &model) override { Update(model); }
    int ShowDecoderQuestion() override
    {
        ++QuestionsShown;
        if (Answers.empty())
            return CodeDecoderQuestion::No;
        const int a = Answers.front();
        Answers.pop_front();
        return a;
    }
};

struct CodeEditorLinkTest : ::testing::Test, DesignerStack
{
    QTemporaryDir dir;
    ProcessState state{dir.path()};
    DocumentStorage storage{designer, state};
    CodeEditorLink link{designer, state, &storage};
    ScriptedDialogs dialogs;
    Log log;
    std::vector<std::shared_ptr<RecordingEditor>> editors;
    std::vector<QString> notices;
    int broughtToFront = 0;
    clsControl *app = nullptr;

    void SetUp() override
    {
        // Settings go to an ini file in the test's folder, never to the user's own.
        PutFileBytes(dir.filePath("cvwin70.ini"), "[Isolation]\r\nPersistSettings=2\r\nAppDataDirectory=.\r\n");
        QDir(dir.path()).mkdir("GuiLib");
        for (const QString &f : QDir(CORVANE_SOURCE_DIR "/GuiLib").entryList(QDir::Files))
            QFile::copy(CORVANE_SOURCE_DIR "/GuiLib/" + f, dir.filePath("GuiLib/" + f));
        QFile::copy(CORVANE_SOURCE_DIR "/examples/orders.gui", dir.filePath("orders.gui"));
        QFile::copy(CORVANE_SOURCE_DIR "/examples/orders.bas", dir.filePath("orders.bas"));
        link.SetDialogs(&dialogs);
        link.SetEditorFactory([this] { return NewEditor(); });
        link.SetNoticeSink([this](const QString &n) { notices.push_back(n); });
        link.SetBringToFront([this] { ++broughtToFront; return true; });
        const auto opened = storage.OpenByName(dir.filePath("orders.gui"));
        ASSERT_TRUE(opened.Success);
        app = opened.App;
    }

    std::shared_ptr<RecordingEditor> NewEditor()
    {
        log.push_back("create");
        editors.push_back(std::make_shared<RecordingEditor>(log));
        return editors.back();
    }
    // The code item dialog is answered with `file`, as a new item or an existing one.
    enum Item { Existing, NewItem };
    void Choose(Item item, const QString &file)
    {
        dialogs.LoadCode = [item, file](LoadCodeModel &m) {
            m.NewItem = item == NewItem;
            m.FileName = file;
            return true;
        };
    }
    RecordingDocument *Doc() { return static_cast<RecordingDocument *>(link.CodeDocument(*app)); }
};
} // namespace

TEST_F(CodeEditorLinkTest, NewCodeItemStartsTheEditorInOrderAndGeneratesTheProgram)
{
    state.HostName = "prod";
    state.AccountName = "SALES";
    Choose(NewItem, dir.filePath("orders.new"));
    ASSERT_TRUE(link.EditCode(*app));
    const Log expected{"create",
                       "AddCustomCommand ActivateDesigner &GUI Designer 30",
                       "HostType file",
                       "HostName prod",
                       "AccountName SALES",
                       "Identity ",
                       "Add",
                       "SetDocumentName " + dir.filePath("orders.new"),
                       "SetText",
                       "Show"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(Doc()->Body.contains("ORDERS.ORDER.CMDOK.CLICK:"));
    EXPECT_EQ(link.Identity(), "editor-session-1");
    // The project now names its program, and that is a change to save.
    ProjectState *project = designer.ProjectOf(app);
    EXPECT_EQ(project->ProgramDocumentName, dir.filePath("orders.new"));
    EXPECT_TRUE(project->Changed);
    EXPECT_EQ(notices.back(), "");

    // A second command reuses the document: no dialog, no new editor.
    log.clear();
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_EQ(log, Log{"Show"});
    EXPECT_EQ(dialogs.LoadCodeShown, 1);
    EXPECT_TRUE(prompter.Calls.empty());
}

TEST_F(CodeEditorLinkTest, CodeItemDialogStartsFromTheProjectAndItsTemplates)
{
    ProjectState *project = designer.ProjectOf(app);
    project->ProgramDocumentName = dir.filePath("orders.bas");
    project->Casing = 2;
    std::optional<LoadCodeModel> seen;
    dialogs.LoadCode = [&](LoadCodeModel &m) {
        seen.emplace(m);
        return false;
    };
    EXPECT_FALSE(link.EditCode(*app));
    ASSERT_TRUE(seen);
    EXPECT_FALSE(seen->NewItem); // a local path is a complete name
    EXPECT_EQ(seen->FileName, dir.filePath("orders.bas"));
    EXPECT_EQ(seen->TemplateNames(), QStringList({"Dialog", "Standard"}));
    EXPECT_EQ(seen->TemplateNames().value(seen->TemplateIndex), "Standard"); // style "0"
    EXPECT_EQ(seen->CasingIndex, 1);
    EXPECT_TRUE(log.empty()); // cancelled before any editor was started
}

TEST_F(CodeEditorLinkTest, UnsavedProjectAsksToSaveFirst)
{
    clsControl *fresh = designer.AddControl(1, "FRESH", {}, {}, {}, {}, {});
    designer.AddProject(*fresh); // a new project, never saved
    prompter.Answers.push_back(iPrompter::Answer::Cancel);
    EXPECT_FALSE(link.EditCode(*fresh));
    const auto questions = prompter.Of(Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].Text,
              "The code generator requires the project file name and item ID.\r\n"
              "You must save the project file before you can edit program  code. ");
    EXPECT_EQ(questions[0].ButtonSet, iPrompter::Buttons::OkCancel);
    EXPECT_EQ(dialogs.LoadCodeShown, 0);
}

TEST_F(CodeEditorLinkTest, FailuresGiveTheirMessages)
{
    // The editor cannot be started.
    link.SetEditorFactory([]() -> std::shared_ptr<iCodeEditor> { throw GuiError(429, "no display"); });
    Choose(NewItem, dir.filePath("orders.new"));
    EXPECT_FALSE(link.EditCode(*app));
    auto messages = prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Unable to open code editor (Quill): no display");
    EXPECT_EQ(link.CodeDocument(*app), nullptr);

    // An existing item that is not there: the empty document is closed again.
    prompter.Clear();
    link.SetEditorFactory([this] { return NewEditor(); });
    Choose(Existing, dir.filePath("missing.bas"));
    EXPECT_FALSE(link.EditCode(*app));
    messages = prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text,
              "Unable to open code editor.\r\n'" + dir.filePath("missing.bas") + "' is not on file");
    EXPECT_EQ(log.back(), "Close");
    EXPECT_EQ(link.CodeDocument(*app), nullptr);
}

TEST_F(CodeEditorLinkTest, QuitAndDocumentCloseDropTheReferences)
{
    Choose(Existing, dir.filePath("orders.bas"));
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_NE(std::find(log.begin(), log.end(), "Open " + dir.filePath("orders.bas")), log.end());

    // Closing the document keeps the editor; the next command asks for the code item again.
    Doc()->Close();
    EXPECT_EQ(link.CodeDocument(*app), nullptr);
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_EQ(editors.size(), 1u);
    EXPECT_EQ(dialogs.LoadCodeShown, 2);

    // Quitting the editor: a new one starts and gets the identity kept from the first.
    editors.back()->CloseAll();
    EXPECT_EQ(link.Editor(), nullptr);
    log.clear();
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_EQ(editors.size(), 2u);
    EXPECT_EQ(log.at(5), "Identity editor-session-1");

    // Closing the project closes its document in the editor, without a notice: the program
    // item is free again for the next time the project opens.
    RecordingDocument *document = Doc();
    ASSERT_TRUE(document);
    log.clear();
    const size_t noticesBefore = notices.size();
    designer.RemoveProject(*app);
    EXPECT_EQ(log, Log{"Close"});
    EXPECT_EQ(document->Events, nullptr);
    EXPECT_EQ(notices.size(), noticesBefore);
}

TEST_F(CodeEditorLinkTest, GoToHandlerAsksAboutTheDecoderAndAddsTheMissingHandler)
{
    Choose(Existing, dir.filePath("orders.bas"));
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_EQ(notices.back(), ""); // the sample's decoder is up to date

    // The events the context menu offers for an item: its own, or the items of a bar.
    EXPECT_EQ(link.HandlerEvents(*items.Find("ORDERS*ORDER*CMDOK")), QStringList{"Click"});
    EXPECT_EQ(link.HandlerEvents(*items.Find("ORDERS**TOOLS")), QStringList({"MENU(NEW)", "MENU(SAVE)"}));
    EXPECT_TRUE(link.HandlerEvents(*items.Find("ORDERS*ORDER*LBLCUST")).isEmpty());

    // A new button reports Click: the decoder is stale and its handler is missing.
    ASSERT_TRUE(designer.AddControl(18, "ORDERS*ORDER*CMDNEW", {}, {}, {}, {}, {}));
    link.RefreshDecoderNotice(*app);
    EXPECT_EQ(notices.back(), "Event decoder may require updating!");

    dialogs.Answers = {CodeDecoderQuestion::Always};
    log.clear();
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*CMDNEW"), "Click"));
    EXPECT_EQ(dialogs.QuestionsShown, 1);
    EXPECT_EQ(link.DecoderPreference(), CodeDecoderQuestion::AlwaysRebuild);
    const Log expected{"SetText", "GoToLabel ORDERS.ORDER.CMDNEW.CLICK", "SetText",
                       "GoToLabel ORDERS.ORDER.CMDNEW.CLICK", "Show"};
    EXPECT_EQ(log, expected); // where the handler goes is the code update's test
    EXPECT_TRUE(Doc()->Body.contains("\r\nORDERS.ORDER.CMDNEW.CLICK:"));
    EXPECT_EQ(notices.back(), "");

    // Preference "always": the next stale decoder is rebuilt without asking.
    ASSERT_TRUE(designer.AddControl(18, "ORDERS*ORDER*CMDDEL", {}, {}, {}, {}, {}));
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*CMDOK"), "Click"));
    EXPECT_EQ(dialogs.QuestionsShown, 1);
    EXPECT_EQ(notices.back(), "");

    // A bar item's handler, reached through the bar.
    log.clear();
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS**TOOLS"), "MENU(SAVE)"));
    EXPECT_EQ(log.at(0), "GoToLabel ORDERS.TOOLS.SAVE");

    // An event the project does not report cannot be added: the command says so.
    prompter.Clear();
    EXPECT_FALSE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*LBLCUST"), "DblClick"));
    const auto messages = prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith("Unable to locate event handler in code editor.\r\n"));
}

TEST_F(CodeEditorLinkTest, DecoderQuestionAnswersAndStoredPreference)
{
    Choose(Existing, dir.filePath("orders.bas"));
    ASSERT_TRUE(link.EditCode(*app));
    ASSERT_TRUE(designer.AddControl(18, "ORDERS*ORDER*CMDNEW", {}, {}, {}, {}, {}));
    const QString before = Doc()->Body;
    dialogs.Answers = {CodeDecoderQuestion::No, CodeDecoderQuestion::Never};
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*CMDOK"), "Click"));
    EXPECT_EQ(Doc()->Body, before); // No: nothing rebuilt, the handler was there
    EXPECT_EQ(link.DecoderPreference(), CodeDecoderQuestion::Ask);
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*CMDOK"), "Click"));
    EXPECT_EQ(link.DecoderPreference(), CodeDecoderQuestion::NeverRebuild);
    ASSERT_TRUE(link.GoToEventHandler(*items.Find("ORDERS*ORDER*CMDOK"), "Click"));
    EXPECT_EQ(dialogs.QuestionsShown, 2);
    EXPECT_EQ(Doc()->Body, before);
    EXPECT_EQ(notices.back(), "Event decoder may require updating!");
}

TEST_F(CodeEditorLinkTest, CustomCommandActivatesTheDesignerInAnyCase)
{
    link.Custom("activateDesigner");
    link.Custom("ACTIVATEDESIGNER");
    link.Custom("Something");
    EXPECT_EQ(broughtToFront, 2);
}

TEST_F(CodeEditorLinkTest, ClosingQuestionsSeeTheDocumentState)
{
    EXPECT_FALSE(link.HasUnsavedNewCode(*app));
    EXPECT_TRUE(link.SaveCode(*app)); // no code: nothing to do

    Choose(NewItem, dir.filePath("orders.bas")); // an existing item chosen for a new program
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_TRUE(link.HasUnsavedNewCode(*app));
    EXPECT_FALSE(link.HasChangedCode(*app));
    // The storage's closing question goes through the link.
    storage.SetProgramCode(&link);
    prompter.Answers = {iPrompter::Answer::Yes, iPrompter::Answer::No};
    EXPECT_FALSE(storage.QueryClose(*app)); // Yes to save, then No to overwriting
    const auto questions = prompter.Of(Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(questions[0].Text.startsWith("You have not saved the program code associated with 'ORDERS'."));
    EXPECT_EQ(questions[1].Text, "Item '" + dir.filePath("orders.bas") + "' exists. Overwrite?");

    prompter.Clear();
    prompter.Answers = {iPrompter::Answer::Yes};
    ASSERT_TRUE(link.SaveCode(*app));
    EXPECT_FALSE(link.HasUnsavedNewCode(*app));
    Doc()->SetText(Doc()->Body + "* more\r\n");
    EXPECT_TRUE(link.HasChangedCode(*app));
}

TEST_F(CodeEditorLinkTest, ANewProgramWithoutANameIsNeverOfferedTheProjectsFile)
{
    // The last document of the run is the project itself: Enter and Yes in the chooser must not
    // put the program over it.
    QueuedChooser chooser;
    state.Connection.SetChooser(&chooser);
    Choose(NewItem, dir.filePath("orders.new"));
    ASSERT_TRUE(link.EditCode(*app));
    Doc()->SetDocumentName(QString()); // a new program the editor holds without a name
    EXPECT_FALSE(link.SaveCode(*app)); // the chooser is cancelled
    ASSERT_EQ(chooser.Titles, QStringList{"Save Code"});
    EXPECT_EQ(chooser.Starts[0], dir.filePath("ORDERS.bas"));
    state.Connection.SetChooser(nullptr);
}

TEST_F(CodeEditorLinkTest, UpdateModelWritesBackAndReportsAClosedDocument)
{
    Choose(Existing, dir.filePath("orders.bas"));
    ASSERT_TRUE(designer.AddControl(18, "ORDERS*ORDER*CMDNEW", {}, {}, {}, {}, {}));
    dialogs.Update = [this](UpdateCodeModel &m) {
        EXPECT_EQ(m.Missing, QStringList{"ORDERS.ORDER.CMDNEW.CLICK"});
        EXPECT_TRUE(m.Decoder.CanUpdate);
        m.AddRebuildsDecoder = true;
        EXPECT_TRUE(m.AddMissing("ORDERS.ORDER.CMDNEW.CLICK"));
        EXPECT_TRUE(m.Missing.isEmpty());
        EXPECT_FALSE(m.Decoder.CanUpdate);
        // The editor closes the document while the dialog is open.
        Doc()->Close();
        EXPECT_FALSE(m.RebuildDecoder());
        EXPECT_TRUE(m.MustClose());
    };
    ASSERT_TRUE(link.UpdateCode(*app));
    const auto messages = prompter.Of(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "The code for your project is no longer available. "
                                "Perhaps the code window has been closed?");
    EXPECT_EQ(notices.back(), "");
}

TEST_F(CodeEditorLinkTest, UnsavedCodeIsKeptAndComesBackModified)
{
    EXPECT_FALSE(link.ProgramToKeep(*app)); // no code
    Choose(Existing, dir.filePath("orders.bas"));
    ASSERT_TRUE(link.EditCode(*app));
    EXPECT_FALSE(link.ProgramToKeep(*app)) << "saved code without changes was kept";
    Doc()->SetText(Doc()->Body + "* more\r\n");
    const auto kept = link.ProgramToKeep(*app);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->DocumentName, dir.filePath("orders.bas"));
    EXPECT_TRUE(kept->Saved);
    EXPECT_TRUE(kept->Text.endsWith("* more\r\n"));

    // Back in a new session: saved code reopens its document and shows the kept text as a
    // change to it; code of a document that is gone (or never was) comes back as new code.
    struct Case
    {
        iProgramCodeState::UnsavedProgram program;
        bool saved;
    };
    const std::vector<Case> cases = {
        {*kept, true},
        {{dir.filePath("gone.bas"), true, "* text\r\n"}, false},
        {{"", false, "* new\r\n"}, false},
    };
    for (const Case &c : cases) {
        RecordingDocument *old = Doc();
        old->SetEvents(nullptr);
        link.DocumentClose(*old);
        ASSERT_EQ(link.CodeDocument(*app), nullptr);
        ASSERT_TRUE(link.RestoreProgram(*app, c.program)) << c.program.DocumentName.toStdString();
        EXPECT_EQ(Doc()->Body, c.program.Text);
        EXPECT_EQ(Doc()->Name, c.program.DocumentName);
        EXPECT_EQ(link.HasChangedCode(*app), c.saved);
        EXPECT_EQ(link.HasUnsavedNewCode(*app), !c.saved);
    }
    // A project that already has code in the editor keeps it.
    EXPECT_FALSE(link.RestoreProgram(*app, cases[0].program));
}
