// The designer's code commands as the main window runs them: the whole round trip from a
// sample project to its saved and reopened program in the code editor, the "Code" sub-menu,
// the decoder notice, the closing questions about program code, and the preview over the
// real GUI runtime. Everything is real (root, design forms, Quill, runtime, Qt dialogs);
// only the designer's message boxes are scripted.
#include "main/CodeServices.h"

#include "FileBytes.h"
#include "VisibleWindows.h"
#include "app/DesignerRoot.h"
#include "panels/PropertySheetModel.h"
#include "testsupport/ScriptedPrompter.h"
#include "code/CodeAnalysis.h"
#include "code/CodeEditorLink.h"
#include "code/TemplateFiles.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/ModalDriver.h"
#include "designer/frmDecoderQuestion.h"
#include "designer/frmLoadCode.h"
#include "designer/frmPreview.h"
#include "designer/frmUpdateCode.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "quill/QsciHeaders.h"
#include "quill/QuillDocument.h"
#include "quill/QuillEditor.h"
#include "runtime/clsGuiRuntime.h"
#include "support/Marks.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const QString Notice = QStringLiteral("Event decoder may require updating!");

std::unique_ptr<ProcessState> SourceState()
{
    // GuiLib/ with the code templates sits in the source folder as it does beside the program.
    auto state = std::make_unique<ProcessState>(QStringLiteral(CORVANE_SOURCE_DIR "/"));
    state->EventNames = Vocabulary::EventNameList().split(QLatin1Char(','));
    state->EventCaptions = Vocabulary::EventCaptionList().split(QLatin1Char(','));
    return state;
}

// The designer as main() builds it, without the main window's menus.
struct Designer
{
    QTemporaryDir dir;
    QMainWindow window;
    QMdiArea *area = new QMdiArea;
    ScriptedPrompter prompter;
    DesignerRoot root{SourceState()};
    std::unique_ptr<DesignSurfaceHost> host;
    std::unique_ptr<DesignFormFactory> forms;
    std::unique_ptr<CodeServices> code;
    QStringList notices;
    QStringList editorMessages;
    QString project;

    Designer()
    {
        window.setCentralWidget(area);
        window.resize(800, 600);
        host = std::make_unique<DesignSurfaceHost>(root.Designer(), root.Edit());
        forms = std::make_unique<DesignFormFactory>(host.get(), area);
        code = std::make_unique<CodeServices>(root.Designer(), root.State(), root.Storage(), &window);
        DesignerPorts ports;
        ports.Prompter = &prompter;
        ports.FormFactory = forms.get();
        ports.ProgramCode = &code->ProgramCode();
        ports.CommandStates = code->CommandStates(nullptr);
        root.Connect(ports);
        code->SetNoticeSink([this](const QString &text) { notices << text; });
        code->SetEditorStarted([this](QuillEditor &editor) {
            editor.SetMessageSink([this](const QString &text) { editorMessages << text; });
            editor.SetSaveQuestion([](const QString &) { return int(QMessageBox::Discard); });
        });

        // The sample, with the cancel button's Click left off so that a test can add it.
        QFile sample(QStringLiteral(CORVANE_SOURCE_DIR "/examples/orders.gui"));
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(sample.readAll()).split(QStringLiteral("\r\n"));
        const QString mark = Marks::ValueMark();
        for (QString &line : lines)
            if (line.startsWith(QStringLiteral("2") + mark + "ORDERS*ORDER*CMDCANCEL" + mark))
                line = line.section(mark, 0, -2) + mark + "0";
        project = dir.filePath("orders.gui");
        PutFileBytes(project, lines.join(QStringLiteral("\r\n")).toUtf8());
        QFile::copy(QStringLiteral(CORVANE_SOURCE_DIR "/examples/logo.png"), dir.filePath("logo.png"));
    }

    ~Designer()
    {
        root.Designer().ReleaseAll();
        root.Disconnect();
        code.reset();
        forms.reset();
        host.reset();
    }

    clsControl *App() { return root.Items().Find("ORDERS"); }
    clsControl *Item(const QString &id) { return root.Items().Find(id); }
    QuillDocument *Document()
    {
        clsControl *app = App();
        return app ? static_cast<QuillDocument *>(code->Link().CodeDocument(*app)) : nullptr;
    }
    bool Open()
    {
        return root.Storage().OpenByName(project).Success && App();
    }
    CodeAnalysisResult Analyse()
    {
        const ProjectState *state = root.Designer().ProjectOf(App());
        CodeAnalysis analysis(code->Link().Templates());
        analysis.SetProjectText(CodeEditorLink::ProjectText(*state));
        QString file, id;
        CodeEditorLink::ProjectLocation(*state, file, id);
        analysis.SetProjectLocation(file, id);
        analysis.SetCodeStyle(state->CodeStyle);
        analysis.SetCasing(state->Casing);
        return analysis.Analyze(Document()->Text());
    }
    std::vector<QString> Questions() const
    {
        std::vector<QString> texts;
        for (const auto &call : prompter.Of(ScriptedPrompter::Kind::Question))
            texts.push_back(call.Text);
        return texts;
    }
};

bool Complete(const CodeAnalysisResult &result)
{
    if (!result.Analyzed || !result.MissingHandlers.isEmpty() || !result.UnusedHandlers.isEmpty())
        return false;
    for (int status : result.PieceStatus)
        if (status != CodeAnalysisResult::Present)
            return false;
    return true;
}

// The preview starts from its timer; true once it waits for events.
bool Running(frmPreview &preview)
{
    return QTest::qWaitFor([&preview] { return preview.Model().CurrentState() == clsPreview::Waiting; });
}
} // namespace

TEST(CodeServices, WholeLoopFromSampleToSavedProgramAndBack)
{
    Designer d;
    ASSERT_TRUE(d.Open());
    const QString program = d.dir.filePath("ORDERS.BAS");

    // Edit code: a new code item with the standard template.
    d.root.Designer().SelectItem(d.App());
    WhenModal<frmLoadCode>([program](frmLoadCode *dialog) {
        EXPECT_TRUE(dialog->NewOption()->isChecked());
        EXPECT_GT(dialog->TemplateList()->count(), 0);
        dialog->FileNameBox()->setText(program);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(d.code->Dispatch("Quill"));
    QuillDocument *document = d.Document();
    ASSERT_TRUE(document);
    EXPECT_TRUE(Complete(d.Analyse()));
    EXPECT_EQ(d.notices.last(), "");

    // The events page switches the cancel button's Click on: the decoder is now stale.
    clsControl *cancel = d.Item("ORDERS*ORDER*CMDCANCEL");
    {
        PropertySheetModel sheet;
        sheet.SetupModify(d.root.Designer(), *cancel);
        sheet.SetEvent(Vocabulary::Event::Click, true);
        ASSERT_TRUE(sheet.Apply(&d.root.Edit()));
        sheet.Close();
    }
    ASSERT_EQ(cancel->EventMask(), 0x20);
    d.code->RefreshDecoderNotice();
    EXPECT_EQ(d.notices.last(), Notice);
    const int noticesBefore = int(d.notices.size());
    d.code->RefreshDecoderNotice();
    EXPECT_EQ(d.notices.size(), noticesBefore) << "an unchanged notice is not sent again";

    // The "Code" sub-menu offers the new event; choosing it asks about the stale decoder
    // (No: it stays stale), adds the handler and puts the editor on its label.
    d.root.Designer().SelectItem(cancel);
    const QList<CodeServices::MenuEntry> entries = d.code->CodeMenuEntries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].Key, "cm*Click");
    const QString label = "ORDERS.ORDER.CMDCANCEL.CLICK";
    ASSERT_EQ(document->FindLabel(label), -1);
    WhenModal<frmDecoderQuestion>([](frmDecoderQuestion *dialog) {
        QTest::mouseClick(dialog->Button(1), Qt::LeftButton); // "&No"
    });
    ASSERT_TRUE(d.code->Dispatch(entries[0].Key));
    int line = -1, index = -1;
    document->View()->getCursorPosition(&line, &index);
    ASSERT_GE(document->FindLabel(label), 0);
    EXPECT_EQ(line, document->FindLabel(label));
    EXPECT_EQ(d.notices.last(), Notice);

    // A line typed into the handler, as the user types it.
    QsciScintilla *view = document->View();
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, "CRT 'Order cancelled'");
    EXPECT_TRUE(document->Text().contains("CRT 'Order cancelled'"));
    EXPECT_EQ(d.Analyse().PieceStatus[CodeAnalysisResult::Decoder], CodeAnalysisResult::NeedsUpdate);

    // Update code: the dialog shows the stale decoder; its Update button rebuilds it.
    WhenModal<frmUpdateCode>([](frmUpdateCode *dialog) {
        EXPECT_TRUE(dialog->DecoderButton()->isEnabled());
        QTest::mouseClick(dialog->DecoderButton(), Qt::LeftButton);
        dialog->reject();
    });
    ASSERT_TRUE(d.code->Dispatch("Upd"));
    EXPECT_TRUE(Complete(d.Analyse()));
    EXPECT_EQ(d.notices.last(), "");

    // Save, then close: the program was never saved, so closing asks and saves it.
    ASSERT_TRUE(d.root.Storage().Save(d.App()));
    d.prompter.Clear();
    d.prompter.Answers = {iPrompter::Answer::Yes};
    ASSERT_TRUE(d.root.Storage().Close(d.App()));
    ASSERT_EQ(d.Questions().size(), 1u);
    EXPECT_TRUE(d.Questions()[0].startsWith("You have not saved the program code associated with 'ORDERS'"));
    EXPECT_TRUE(QFile::exists(program));
    EXPECT_EQ(d.App(), nullptr);

    // Reopen: Edit code offers the saved program and opens it, typed line and all.
    ASSERT_TRUE(d.Open());
    d.root.Designer().SelectItem(d.Item("ORDERS*ORDER"));
    WhenModal<frmLoadCode>([program](frmLoadCode *dialog) {
        EXPECT_TRUE(dialog->ExistingOption()->isChecked());
        EXPECT_EQ(dialog->FileNameBox()->text(), program);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(d.code->Dispatch("Quill"));
    document = d.Document();
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->IsReadOnlyItem()) << "the closed project's document kept its lock";
    EXPECT_TRUE(document->Text().contains("CRT 'Order cancelled'"));
    EXPECT_TRUE(Complete(d.Analyse()));
    EXPECT_EQ(d.notices.last(), "");
    EXPECT_TRUE(d.editorMessages.isEmpty()) << d.editorMessages.join("\n").toStdString();

    // The editor's "&GUI Designer" command brings the designer's window back.
    auto *editor = dynamic_cast<QuillEditor *>(d.code->Link().Editor());
    ASSERT_TRUE(editor);
    d.window.hide();
    editor->RunCustomCommand("ActivateDesigner");
    EXPECT_TRUE(d.window.isVisible());
}

TEST(CodeServices, ClosingQuestionsFollowTheEditorsModifiedState)
{
    Designer d;
    ASSERT_TRUE(d.Open());
    const QString program = d.dir.filePath("ORDERS.BAS");
    QFile::copy(QStringLiteral(CORVANE_SOURCE_DIR "/examples/orders.bas"), program);
    WhenModal<frmLoadCode>([program](frmLoadCode *dialog) {
        dialog->ExistingOption()->click();
        dialog->FileNameBox()->setText(program);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(d.code->Dispatch("Quill") && d.Document());
    const QByteArray before = FileBytes(program);
    ASSERT_TRUE(d.root.Storage().Save(d.App()));

    // Unchanged program: nothing to ask.
    d.prompter.Clear();
    EXPECT_TRUE(d.root.Storage().QueryClose(*d.App()));
    EXPECT_TRUE(d.Questions().empty());

    // Typed into: the question comes; Cancel keeps the project, No closes it unsaved.
    QTest::keyClicks(d.Document()->View(), "* note");
    d.prompter.Answers = {iPrompter::Answer::Cancel};
    EXPECT_FALSE(d.root.Storage().Close(d.App()));
    ASSERT_EQ(d.Questions().size(), 1u);
    EXPECT_TRUE(d.Questions()[0].startsWith("You have made changes the program code associated with 'ORDERS'"));
    ASSERT_TRUE(d.App());
    // Undone again, the editor's state is unmodified and nothing is asked.
    d.Document()->View()->undo();
    d.prompter.Clear();
    EXPECT_TRUE(d.root.Storage().QueryClose(*d.App()));
    EXPECT_TRUE(d.Questions().empty());

    QTest::keyClicks(d.Document()->View(), "* note");
    d.prompter.Answers = {iPrompter::Answer::No};
    EXPECT_TRUE(d.root.Storage().Close(d.App()));
    EXPECT_EQ(d.App(), nullptr);
    EXPECT_EQ(FileBytes(program), before) << "No must not write the program";
}

TEST(CodeServices, DecoderNoticeFollowsEditsThatChangeTheEvents)
{
    Designer d;
    ASSERT_TRUE(d.Open());
    d.root.Designer().SelectItem(d.App());
    const QString program = d.dir.filePath("ORDERS.BAS");
    WhenModal<frmLoadCode>([program](frmLoadCode *dialog) {
        dialog->FileNameBox()->setText(program);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(d.code->Dispatch("Quill"));
    ASSERT_TRUE(d.Document());
    QCoreApplication::processEvents();
    ASSERT_EQ(d.notices.last(), "");

    // Selecting things changes no events: nothing is sent.
    const qsizetype sent = d.notices.size();
    d.root.Designer().SelectItem(d.Item("ORDERS*ORDER*CMDOK"));
    QCoreApplication::processEvents();
    EXPECT_EQ(d.notices.size(), sent);

    // Deleting a button with a Click makes the decoder stale; undoing it (which puts the button
    // last on its form) makes it current again.
    ASSERT_TRUE(d.root.Edit().Delete());
    QCoreApplication::processEvents();
    EXPECT_EQ(d.notices.last(), Notice);
    ASSERT_TRUE(d.root.Edit().Undo());
    QCoreApplication::processEvents();
    EXPECT_EQ(d.notices.last(), "");
}

TEST(CodeServices, CodeMenuKeysAndCommandsWithoutASelection)
{
    Designer d;
    // No project: the code commands report instead of failing silently; other keys pass.
    EXPECT_FALSE(d.code->Dispatch("Save"));
    EXPECT_FALSE(d.code->Dispatch("Undo"));
    EXPECT_TRUE(d.code->Dispatch("Quill"));
    EXPECT_TRUE(d.code->Dispatch("cm*Click"));
    EXPECT_EQ(d.prompter.Of(ScriptedPrompter::Kind::Message).size(), 2u);
    EXPECT_TRUE(d.code->CodeMenuEntries().isEmpty());

    ASSERT_TRUE(d.Open());
    // A tool bar's items are listed by index (a control without events has none: the link's test).
    d.root.Designer().SelectItem(d.Item("ORDERS**TOOLS"));
    const QList<CodeServices::MenuEntry> bar = d.code->CodeMenuEntries();
    const QList<CodeServices::MenuEntry> expected{{"cl*0", "NEW"}, {"cl*1", "SAVE"}};
    EXPECT_EQ(bar, expected);

    // Cancelling the code item dialog leaves the project without code and asks nothing more.
    d.root.Designer().SelectItem(d.Item("ORDERS**TOOLS"));
    d.prompter.Clear();
    WhenModal<frmLoadCode>([](frmLoadCode *dialog) { dialog->reject(); });
    EXPECT_TRUE(d.code->Dispatch("cl*1"));
    EXPECT_EQ(d.Document(), nullptr);
    EXPECT_TRUE(d.prompter.Calls.empty());
    // An index past the list does nothing at all.
    EXPECT_TRUE(d.code->Dispatch("cl*7"));
    EXPECT_TRUE(d.code->Dispatch("cl*x"));
    EXPECT_TRUE(d.prompter.Calls.empty());
}

TEST(CodeServices, PreviewRunsTheSelectedFormOverTheRuntime)
{
    Designer d;
    ASSERT_TRUE(d.Open());
    const QString before = d.root.Designer().GetTemplate("ORDERS", {}, 0).section(Marks::AttributeMark(), 1);
    const int windows = VisibleWindows();
    // (A selection that is not a form gets a message and no window: the preview's own tests.)
    d.root.Designer().SelectItem(d.Item("ORDERS*ORDER"));
    EXPECT_TRUE(d.code->Dispatch("Preview"));
    QPointer<frmPreview> preview = d.code->Preview();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isVisible());
    ASSERT_TRUE(Running(*preview));
    auto *runtime = static_cast<clsGuiRuntime *>(preview->Model().Runtime());
    QWidget *ok = runtime->WidgetOf("ORDERS*ORDER*CMDOK");
    ASSERT_TRUE(ok && ok->isVisible());
    EXPECT_EQ(preview->TitleLabel()->text(), "Preview running: ORDERS*ORDER");

    // A click on the form reaches the list through the real runtime.
    QTest::mouseClick(ok, Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_GE(preview->Messages()->count(), 1);
    EXPECT_EQ(preview->Messages()->item(preview->Messages()->count() - 1)->text(),
              "ORDERS*ORDER*CMDOK - Click");

    // A second Preview replaces the first, which shuts its runtime down.
    EXPECT_TRUE(d.code->Dispatch("Preview"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(preview.isNull());
    preview = d.code->Preview();
    ASSERT_TRUE(preview);
    ASSERT_TRUE(Running(*preview));

    preview->close();
    EXPECT_EQ(VisibleWindows(), windows);
    EXPECT_TRUE(preview.isNull());
    EXPECT_EQ(d.root.Designer().GetTemplate("ORDERS", {}, 0).section(Marks::AttributeMark(), 1), before);
    EXPECT_FALSE(d.root.Designer().ProjectOf(d.App())->Changed);
}
