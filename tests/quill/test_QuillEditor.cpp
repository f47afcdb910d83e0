// The Quill window: a tab per document, the custom command raising Custom, closing a tab
// raising DocumentClose and closing the window raising Quit (after asking about unsaved
// work), find and replace, go to line and label, and the designer's members reached from the
// editor in the same process.
#include "quill/QuillEditor.h"

#include "FileBytes.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "host/mvConnection.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "quill/QsciHeaders.h"
#include "quill/QuillDocument.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct Events final : iCodeEditorEvents, iCodeDocumentEvents
{
    QStringList Log;
    void Custom(const QString &name) override { Log << "Custom " + name; }
    void Quit() override { Log << "Quit"; }
    void DocumentClose(iCodeDocument &doc) override
    {
        Log << "DocumentClose " + static_cast<QuillDocument &>(doc).Title();
    }
};

struct QuillEditorTest : ::testing::Test
{
    QTemporaryDir dir;
    mvConnection connection;
    QuillEditor editor{connection};
    Events events;
    QStringList messages;
    void SetUp() override
    {
        editor.SetEvents(&events);
        editor.SetMessageSink([this](const QString &m) { messages << m; });
    }
    QuillDocument *NewDoc(const QString &name, const QString &text)
    {
        auto *doc = static_cast<QuillDocument *>(editor.Documents().Add());
        doc->SetEvents(&events);
        doc->SetDocumentName(dir.filePath(name));
        doc->SetText(text);
        return doc;
    }
};
} // namespace

TEST_F(QuillEditorTest, TabsCustomCommandAndCloseEvents)
{
    editor.AddCustomCommand("ActivateDesigner", "&GUI Designer", 30);
    editor.AddCustomCommand("ActivateDesigner", "&GUI Designer", 30); // once only
    ASSERT_EQ(editor.CustomMenu()->actions().size(), 1);
    QAction *command = editor.CustomMenu()->actions().first();
    EXPECT_EQ(command->text(), "&GUI Designer");
    EXPECT_EQ(command->data().toInt(), 30);
    command->trigger();
    EXPECT_EQ(events.Log, QStringList{"Custom ActivateDesigner"});

    QuillDocument *a = NewDoc("a.bas", "CRT 1\r\n");
    a->View()->undo(); // the generated text is where a new program starts
    EXPECT_EQ(a->Text(), "CRT 1\r\n");
    QuillDocument *b = NewDoc("b.bas", "CRT 2\r\n");
    EXPECT_EQ(editor.Tabs()->count(), 2);
    EXPECT_EQ(editor.Tabs()->tabText(0), "a.bas*");
    a->Show();
    EXPECT_EQ(editor.CurrentDocument(), a);

    // Closing a tab with unsaved work asks; Cancel keeps it, Discard closes it.
    std::vector<int> answers{QMessageBox::Cancel, QMessageBox::Discard};
    QStringList asked;
    editor.SetSaveQuestion([&](const QString &q) {
        asked << q;
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    events.Log.clear();
    EXPECT_FALSE(editor.CloseDocument(a));
    EXPECT_TRUE(editor.CloseDocument(a));
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(events.Log, QStringList{"DocumentClose a.bas*"});

    // A new program does not replace an existing item unasked.
    PutFileBytes(dir.filePath("b.bas"), "someone's program");
    QStringList overwrite;
    editor.SetOverwriteQuestion([&](const QString &q) { overwrite << q; return false; });
    b->Show();
    EXPECT_FALSE(editor.SaveCurrent());
    ASSERT_EQ(overwrite.size(), 1);
    EXPECT_EQ(overwrite[0], "Item '" + dir.filePath("b.bas") + "' exists. Overwrite?");
    editor.SetOverwriteQuestion([](const QString &) { return true; });

    // Closing the window saves on request, closes the documents, then quits.
    editor.SetSaveQuestion([](const QString &) { return int(QMessageBox::Save); });
    editor.show();
    events.Log.clear();
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(events.Log, (QStringList{"DocumentClose b.bas", "Quit"}));
    EXPECT_EQ(FileBytes(dir.filePath("b.bas")), QByteArray("CRT 2\r\n"));
}

TEST_F(QuillEditorTest, ShowsAGeneratedProgram)
{
    editor.AddCustomCommand("ActivateDesigner", "&GUI Designer", 30);
    auto *doc = static_cast<QuillDocument *>(editor.Documents().Add());
    QString opened, shown;
    doc->Open(CORVANE_SOURCE_DIR "/examples/orders.bas", opened, shown);
    editor.resize(900, 640);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    doc->GoToLabel("ORDERS.ORDER.CMDOK.CLICK");
    EXPECT_EQ(editor.Tabs()->tabText(0), "orders.bas");
    EXPECT_EQ(editor.windowTitle(), "orders.bas - Quill");
    const QString folder = qEnvironmentVariable("CORVANE_GRAB");
    if (!folder.isEmpty())
        editor.grab().save(folder + "/quill.png");
    EXPECT_TRUE(editor.CloseDocument(doc));
}

TEST_F(QuillEditorTest, FindReplaceAndGoTo)
{
    QuillDocument *doc = NewDoc("f.bas", "MAIN:\r\nCRT X\r\ncrt x\r\nEND.SECTION:\r\nSTOP\r\n");
    editor.ShowFind(true);
    editor.FindEdit()->setText("crt x");
    EXPECT_TRUE(editor.FindNext());
    EXPECT_EQ(doc->View()->selectedText(), "CRT X");
    editor.ReplaceEdit()->setText("PRINT Y");
    EXPECT_EQ(editor.ReplaceAll(), 2);
    EXPECT_EQ(doc->Text(), "MAIN:\r\nPRINT Y\r\nPRINT Y\r\nEND.SECTION:\r\nSTOP\r\n");
    doc->View()->undo(); // all replacements are one step
    EXPECT_EQ(doc->Text(), "MAIN:\r\nCRT X\r\ncrt x\r\nEND.SECTION:\r\nSTOP\r\n");

    int line = 0, index = 0;
    editor.SetLineQuestion([](int, int last) { return std::optional<int>(last + 50); });
    editor.GoToLineDialog();
    doc->View()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, doc->View()->lines() - 1); // clamped to the last line

    editor.SetLabelQuestion([] { return std::optional<QString>("end.section"); });
    editor.GoToLabelDialog();
    doc->View()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 3);
    editor.SetLabelQuestion([] { return std::optional<QString>("NOPE"); });
    editor.GoToLabelDialog();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("'NOPE' not found"));
}

TEST_F(QuillEditorTest, DesignerMembersFromTheEditor)
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    editor.SetDesigner(&designer);
    clsDesigner &d = *editor.Designer();

    ASSERT_TRUE(d.AddControl(1, "APP", {}, {}, {}, {}, {}));
    ASSERT_TRUE(d.AddControl(5, "APP*MAIN", {}, {}, {}, {}, {}));
    clsControl *button = d.AddControl(18, "APP*MAIN*OK", {}, "1", "1", "10", "2");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->EventMask(), 0x20);
    EXPECT_EQ(items.Find("APP*MAIN")->EventMask(), 1);
    EXPECT_EQ(items.Find("APP")->EventMask(), 0x40000000);

    d.SetProperty(22, "app*main*ok", "Go");
    EXPECT_EQ(d.GetProperty(22, "APP*MAIN*OK"), "Go");
    const QString text = d.GetTemplate("APP", "from the editor", 0);
    EXPECT_TRUE(text.startsWith("TEMPLATE"));
    EXPECT_TRUE(text.contains("from the editor"));

    // Unknown IDs: error 5004 reported, nothing changed, empty results.
    prompter.Clear();
    EXPECT_EQ(d.GetProperty(22, "APP*MAIN*NONE"), "");
    d.SetProperty(22, "APP*NONE", "x");
    d.RemoveControl("NOPE");
    EXPECT_EQ(d.GetTemplate("NOPE", {}, 0), "");
    const auto reports = prompter.ReportTexts();
    ASSERT_EQ(reports.size(), 4u);
    for (const QString &r : reports)
        EXPECT_TRUE(r.startsWith("Object ID is missing or invalid")) << r.toStdString();

    d.RemoveControl("APP*MAIN*OK");
    EXPECT_EQ(items.Find("APP*MAIN*OK"), nullptr);
    // Applying a project text through the editor's side.
    EXPECT_TRUE(d.SetTemplate(text.section(QChar(0xF8FE), 0, 0) + QChar(0xF8FE) + text.section(QChar(0xF8FE), 1)));
}
