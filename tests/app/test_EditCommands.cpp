// The Edit commands: adding objects and their refusals, Copy/Cut/Delete/Paste through the
// clipboard text, the type fit, the duplicate question and renaming on paste, the unit
// conversion, pasting between designers, texts that are not pasted, and Undo of each kind.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "app/iClipFuncs.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
const QChar VM(Marks::Value);
using Answer = iPrompter::Answer;
using Kind = ScriptedPrompter::Kind;

struct Fixture : EditStack
{
    RecordingCommandStates state;

    Fixture() { undo.SetStateListener(&state); }

    // Application A (MDI, scale 1 = twips) with forms F and G; F holds Label1, Label2 and
    // Frame1 with Text1 inside.
    void LoadProject(const QString &scale = "1")
    {
        ASSERT_TRUE(designer.SetTemplate(Project(
            {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
             Create("A*F", 5), Create("A*F*Label1", 15, {}, "300", "150"),
             Prop(22, "Name:"), Create("A*F*Label2", 15), Create("A*F*Frame1", 26),
             Create("A*F*Text1", 16, "Frame1", "60", "90"), Prop(1, "x"), Create("A*G", 5)},
            "1.4", scale))) << (prompter.ReportTexts().empty() ? std::string() : prompter.ReportTexts()[0].toStdString());
        prompter.Clear();
    }
    clsControl *Find(const QString &path) const { return items.Find(path); }
    void Select(const QString &path) { designer.SetCurrentItem(items.Find(path)); }
    // The object's text without record 1 (which holds the time of writing).
    QString Text(const QString &path)
    {
        return designer.GetTemplate(path, {}, 0).section(QChar(Marks::Attribute), 1);
    }
};
} // namespace

TEST(EditCommands, CreateNewItemRefusesWhatHasNowhereToGo)
{
    Fixture f;
    SheetStandIn sheet(f.designer);
    f.edit.SetCreateMode(&sheet);

    EXPECT_FALSE(f.edit.CreateNewItem("Form"));
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_EQ(f.prompter.Calls[0].Text, "You must create an application object before creating a form.");
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Exclamation);
    EXPECT_TRUE(sheet.Offered.empty());

    EXPECT_TRUE(f.edit.CreateNewItem("App"));
    EXPECT_TRUE(f.edit.CreateNewItem("App"));
    EXPECT_EQ(sheet.Offered, (std::vector<QString>{"GUIAPP", "GUIAPP2"}));
    // What the sheet created is the selection; a cancel in the sheet creates nothing.
    QString created;
    sheet.Cancel = true;
    EXPECT_FALSE(f.edit.CreateNewItem("App", &created));
    EXPECT_TRUE(created.isEmpty());
    EXPECT_EQ(f.designer.CurrentItem(), f.Find("GUIAPP2"));
    sheet.Cancel = false;
    f.Select("GUIAPP");

    f.prompter.Clear();
    EXPECT_FALSE(f.edit.CreateNewItem("Label"));
    EXPECT_FALSE(f.edit.CreateNewItem("Popupmenu"));
    ASSERT_EQ(f.prompter.Calls.size(), 2u);
    EXPECT_EQ(f.prompter.Calls[0].Text, "You must activate a form before adding a control.");
    EXPECT_EQ(f.prompter.Calls[1].Text,
              "You must activate a form before adding a menu, tool bar or status bar.");

    EXPECT_TRUE(f.edit.CreateNewItem("Form", &created));
    EXPECT_EQ(created, "GUIAPP*Form1");
    EXPECT_EQ(f.designer.CurrentItem(), f.Find("GUIAPP*Form1"));
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(f.edit.CreateNewItem("Label")) << n;
    EXPECT_TRUE(f.edit.CreateNewItem("Menu"));
    EXPECT_EQ(sheet.Offered.back(), "Menu");
    EXPECT_TRUE(f.Find("GUIAPP*Form1*Label3"));
    // The active form can come from the main window instead of the selection.
    f.Select("GUIAPP");
    clsControl *form = f.Find("GUIAPP*FORM1");
    f.edit.SetActiveFormSource([form] { return form; });
    EXPECT_TRUE(f.edit.CreateNewItem("Textbox"));
    EXPECT_EQ(sheet.Offered.back(), "Text1");

    f.prompter.Clear();
    EXPECT_FALSE(f.edit.CreateNewItem("Gadget"));
    ASSERT_EQ(f.prompter.ReportTexts().size(), 1u);
    EXPECT_EQ(f.prompter.ReportTexts()[0], "Invalid argument value\n\nSource = <CvGuiSvrMod CreateNewItem>");
}

TEST(EditCommands, ClipboardTextForm)
{
    Fixture f;
    f.LoadProject();
    f.Select("A*F*Label1");
    ASSERT_TRUE(f.edit.Copy());
    const QStringList lines = f.clipboard.Text().split("\r\n");
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("TEMPLATE\t"));
    EXPECT_EQ(lines[1], "0\t1.4\t1");
    EXPECT_EQ(lines[2], "2\tA*F*Label1\t\t15\t300\t150\t10\t2\t0");
    EXPECT_TRUE(lines.contains("4\t\t22\t\t\tName:"));
    EXPECT_EQ(lines.last(), "0\t-1");
    for (QChar c : f.clipboard.Text())
        EXPECT_FALSE(Marks::IsMark(c));

    const QString memory = "a" + QString(QChar(Marks::Attribute)) + "b" + QString(VM) + "c"
        + QString(QChar(Marks::SubValue)) + "d";
    EXPECT_EQ(EditCommands::ToClipboardText(memory), QString("a\r\nb\tc") + QChar(4) + "d");
    EXPECT_EQ(EditCommands::FromClipboardText(EditCommands::ToClipboardText(memory)), memory);
    EXPECT_EQ(EditCommands::FromClipboardText("a\nb"), "a" + QString(QChar(Marks::Attribute)) + "b");

    // A value's own tab survives the clipboard text.
    f.Find("A*F*Label1")->SetProperty(22, "a\tb");
    ASSERT_TRUE(f.edit.Copy());
    f.Select("A*G");
    ASSERT_TRUE(f.edit.Paste());
    EXPECT_EQ(f.Find("A*G*Label1")->GetProperty(22), "a\tb");
}

TEST(EditCommands, DeleteAndCutAreUndone)
{
    Fixture f;
    f.LoadProject();
    const QString frame = f.Text("A*F*Frame1");
    f.designer.ProjectOf(f.Find("A"))->Changed = false;

    f.Select("A*F*Frame1");
    ASSERT_TRUE(f.edit.Delete());
    EXPECT_FALSE(f.Find("A*F*Frame1"));
    EXPECT_FALSE(f.Find("A*F*Text1")) << "children go with their container";
    EXPECT_TRUE(f.designer.ProjectOf(f.Find("A"))->Changed);
    EXPECT_EQ(f.state.Caption, "Undo delete");
    EXPECT_EQ(f.undo.Newest().First, "A*F");
    EXPECT_EQ(f.clipboard.Writes(), 0) << "Delete leaves the clipboard alone";

    f.Select("A*F*Label1");
    ASSERT_TRUE(f.edit.Cut());
    EXPECT_EQ(f.state.Caption, "Undo cut");
    EXPECT_TRUE(f.clipboard.Text().contains("A*F*Label1"));

    ASSERT_TRUE(f.edit.Undo());
    EXPECT_TRUE(f.Find("A*F*Label1"));
    EXPECT_EQ(f.state.Caption, "Undo delete");
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Text("A*F*Frame1"), frame) << "same objects, same properties, same places";
    EXPECT_EQ(f.Find("A*F*Text1")->Parent(), f.Find("A*F*Frame1"));
    EXPECT_FALSE(f.state.Enabled);
    EXPECT_FALSE(f.edit.Undo()) << "nothing left";
    EXPECT_TRUE(f.prompter.Calls.empty());

    // An application is closed with its project, never deleted by the Edit menu.
    f.Select("A");
    EXPECT_FALSE(f.edit.Delete());
    EXPECT_FALSE(f.edit.Cut());
    EXPECT_TRUE(f.Find("A"));
}

TEST(EditCommands, PasteAsksOnAClashAndRenamesThroughTheText)
{
    Fixture f;
    f.LoadProject();
    f.Select("A*F*Label1");
    ASSERT_TRUE(f.edit.Copy());

    // Into the same form: the question; No inserts nothing.
    f.Select("A*F");
    EXPECT_FALSE(f.edit.Paste());
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_EQ(f.prompter.Calls[0].Text,
              "A control with ID \"Label1\" already exists in form \"F\"\nContinue?");
    EXPECT_EQ(f.prompter.Calls[0].ButtonSet, iPrompter::Buttons::YesNo);
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Exclamation);
    EXPECT_TRUE(f.undo.IsEmpty());

    // Yes: the next free default ID.
    f.prompter.Answers.push_back(Answer::Yes);
    ASSERT_TRUE(f.edit.Paste());
    clsControl *pasted = f.Find("A*F*Label3");
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->GetProperty(22), "Name:");
    EXPECT_EQ(f.state.Caption, "Undo paste");
    EXPECT_EQ(f.undo.Newest().Second, "A*F*Label3");

    // A container with its children into another form: no question, same IDs.
    f.prompter.Clear();
    f.Select("A*F*Frame1");
    ASSERT_TRUE(f.edit.Copy());
    f.Select("A*G");
    ASSERT_TRUE(f.edit.Paste());
    EXPECT_TRUE(f.prompter.Calls.empty());
    ASSERT_TRUE(f.Find("A*G*Text1"));
    EXPECT_EQ(f.Find("A*G*Text1")->Parent(), f.Find("A*G*Frame1"));

    // Into the same form again: the container is renamed in every record, its children's
    // parent IDs included; the clashing child goes through the loader's duplicate dialog.
    f.Select("A*F");
    f.prompter.Answers.push_back(Answer::Yes);
    f.prompter.DuplicateAnswers.push_back({iPrompter::DuplicateIdAnswer::Action::Ok, "Text7"});
    ASSERT_TRUE(f.edit.Paste());
    ASSERT_TRUE(f.Find("A*F*Frame2"));
    ASSERT_TRUE(f.Find("A*F*Text7"));
    EXPECT_EQ(f.Find("A*F*Text7")->Parent(), f.Find("A*F*Frame2"));
    EXPECT_EQ(f.Find("A*F*Text7")->GetProperty(1), "x");

    // A form into its application: the form question, then Form1 with its controls.
    f.prompter.Clear();
    f.Select("A*F");
    ASSERT_TRUE(f.edit.Copy());
    f.Select("A");
    f.prompter.Answers.push_back(Answer::Yes);
    ASSERT_TRUE(f.edit.Paste());
    EXPECT_EQ(f.prompter.Calls[0].Text,
              "A form with ID \"F\" already exists in application \"A\"\nContinue?");
    ASSERT_TRUE(f.Find("A*Form1*Frame2"));
    EXPECT_EQ(f.Find("A*Form1*Text7")->Parent(), f.Find("A*Form1*Frame2"));

    // Undo removes each paste again: the form and every control in it.
    const int before = f.items.Count();
    int objects = 0;
    for (const QString &record : f.designer.GetTemplate("A*Form1", {}, 0).split(QChar(Marks::Attribute)))
        objects += record.startsWith(QString("2") + VM) ? 1 : 0;
    ASSERT_GT(objects, 1);
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_FALSE(f.Find("A*Form1"));
    EXPECT_EQ(f.items.Count(), before - objects);
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_FALSE(f.Find("A*F*Frame2"));
    EXPECT_FALSE(f.Find("A*F*Text7"));
    EXPECT_TRUE(f.Find("A*F*Frame1"));
}

TEST(EditCommands, PasteOnlyWhereTheObjectFits)
{
    Fixture f;
    f.LoadProject();
    ASSERT_TRUE(f.designer.SetTemplate(Project({Record({"2", "S", "", "1", "0", "0", "90", "60", "1073741824"}),
                                                Create("S*F", 6)})));
    ASSERT_TRUE(f.designer.AddControl(30, "A*F*Tabs", {}, "0", "0", "900", "900"));
    ASSERT_TRUE(f.designer.AddControl(31, "A*F*Tab1", "Tabs", {}, {}, {}, {}));
    ASSERT_TRUE(f.designer.AddControl(75, "A*G*Menu", {}, {}, {}, {}, {}));
    f.prompter.Clear();
    struct Case { const char *copy; const char *into; bool fits; };
    for (const Case c : {Case{"A*G", "A*F", false}, Case{"A*G", "S", true},
                         Case{"A*F*Label1", "A*F*Label2", false},
                         Case{"A*F*Label1", "A*F*Frame1", true},
                         Case{"A*F*Tab1", "A*F*Frame1", false}, Case{"A*F*Tab1", "A*F*Tabs", true},
                         Case{"A*G*Menu", "S", false}, Case{"A*G*Menu", "A", true},
                         Case{"A*G*Menu", "S*F", true},
                         Case{"A*G*Menu", "A*F*Frame1", false}}) {
        f.Select(c.copy);
        ASSERT_TRUE(f.edit.Copy()) << c.copy;
        f.Select(c.into);
        const int before = f.items.Count();
        f.prompter.Answers.push_back(Answer::Yes);
        EXPECT_EQ(f.edit.Paste(), c.fits) << c.copy << " into " << c.into;
        EXPECT_EQ(f.items.Count() > before, c.fits) << c.copy << " into " << c.into;
        f.prompter.Answers.clear();
    }
    EXPECT_TRUE(f.Find("A**Menu")) << "the application's own menu";
    // A status bar pasted onto a container goes to the container's form.
    ASSERT_TRUE(f.designer.AddControl(78, "A*G*Status", {}, {}, {}, {}, {}));
    f.Select("A*G*Status");
    ASSERT_TRUE(f.edit.Copy());
    f.Select("A*F*Frame1");
    ASSERT_TRUE(f.edit.Paste());
    EXPECT_EQ(f.Find("A*F*Status")->Parent(), f.Find("A*F"));
    EXPECT_EQ(f.Find("A*F*Label3")->Parent(), f.Find("A*F*Frame1"));
}

TEST(EditCommands, PasteConvertsUnitsAndWorksBetweenDesigners)
{
    Fixture source;
    source.LoadProject("1"); // twips
    Fixture target;
    ASSERT_TRUE(target.designer.SetTemplate(Project(
        {Record({"2", "B", "", "1", "0", "0", "90", "60", "1073741824"}), Create("B*H", 6)}, "1.4", "3")));

    source.Select("A*F*Label1");
    ASSERT_TRUE(source.edit.Copy());
    target.clipboard.SetText(source.clipboard.Text()); // the desktop clipboard between them
    target.Select("B*H");
    ASSERT_TRUE(target.edit.Paste());
    clsControl *label = target.Find("B*H*Label1");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->TwipLeft(), 300);
    EXPECT_EQ(label->TwipTop(), 150);
    EXPECT_FLOAT_EQ(label->Left(), 20.0f) << "pixels of 15 twips";
    EXPECT_EQ(label->GetProperty(22), "Name:");
    EXPECT_TRUE(target.designer.ProjectOf(label)->Changed);

    // An automatic position stays automatic: it is not converted into a number.
    ASSERT_TRUE(source.designer.AddControl(15, "A*F*AutoLabel", {}, "auto", "auto", "600", "200"));
    source.Select("A*F*AutoLabel");
    ASSERT_TRUE(source.edit.Copy());
    target.clipboard.SetText(source.clipboard.Text());
    target.Select("B*H");
    ASSERT_TRUE(target.edit.Paste());
    const clsControl *automatic = target.Find("B*H*AutoLabel");
    ASSERT_TRUE(automatic);
    EXPECT_TRUE(automatic->AutoLeft());
    EXPECT_TRUE(automatic->AutoTop());
    EXPECT_EQ(automatic->TwipWidth(), 600);
}

TEST(EditCommands, TextsThatAreNotPastedChangeNothing)
{
    Fixture f;
    f.LoadProject();
    f.Select("A*F*Label1");
    ASSERT_TRUE(f.edit.Copy());
    const QString good = f.clipboard.Text();
    f.Select("A*G");
    const QString before = f.Text("A");

    QString truncated = good;
    truncated.chop(good.size() - good.lastIndexOf("\r\n"));
    QString foreign = good;
    foreign.replace("0\t-1", "4\tA*F*Label2\t22\t\t\tHacked\r\n0\t-1");
    QString extraApp = good;
    extraApp.replace("0\t-1", "2\tZ\t\t0\t0\t0\t9\t9\t0\r\n0\t-1");
    QString badFunction = good;
    badFunction.replace("0\t-1", "7\t\t1\r\n0\t-1");
    for (const QString &text : {QString("Hello, world"), QString("PROGRAM X\r\nCRT 1"), truncated,
                                foreign, extraApp, badFunction, QString("TEMPLATE\t1")}) {
        f.clipboard.SetText(text);
        EXPECT_FALSE(f.edit.Paste()) << qPrintable(text);
    }
    EXPECT_EQ(f.Text("A"), before);
    EXPECT_TRUE(f.prompter.Calls.empty());
    EXPECT_TRUE(f.undo.IsEmpty());

    // A load that stops halfway (Cancel in the duplicate dialog) is taken back whole.
    f.Select("A*F*Frame1");
    ASSERT_TRUE(f.edit.Copy());
    f.Select("A*F");
    f.designer.ProjectOf(f.Find("A"))->Changed = false;
    f.prompter.Answers.push_back(Answer::Yes);
    EXPECT_FALSE(f.edit.Paste());
    EXPECT_EQ(f.Text("A"), before);
    EXPECT_FALSE(f.designer.ProjectOf(f.Find("A"))->Changed);
    EXPECT_EQ(f.designer.CurrentItem(), f.Find("A*F"));
    EXPECT_TRUE(f.undo.IsEmpty());
}

TEST(EditCommands, MovesSizesAndRenamesAreUndone)
{
    Fixture f;
    f.LoadProject();
    // A change of the width alone or the height alone is a size, undone as one.
    clsControl *other = f.Find("A*F*Label2");
    struct Side { const char *width, *height; int twipWidth, twipHeight; };
    for (const Side c : {Side{"55", "", 55, 2}, Side{"", "7", 10, 7}}) {
        ASSERT_TRUE(f.edit.MoveItem(*other, {}, {}, c.width, c.height));
        EXPECT_EQ(f.state.Caption, "Undo size") << c.width << "x" << c.height;
        EXPECT_EQ(other->TwipWidth(), c.twipWidth);
        EXPECT_EQ(other->TwipHeight(), c.twipHeight);
        ASSERT_TRUE(f.edit.Undo());
        EXPECT_EQ(other->TwipWidth(), 10);
        EXPECT_EQ(other->TwipHeight(), 2);
    }

    clsControl *label = f.Find("A*F*Label1");
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(f.edit.MoveItem(*label, QString::number(400 + i), "auto", {}, {}));
    EXPECT_EQ(f.state.Caption, "Undo move");
    ASSERT_TRUE(f.edit.MoveItem(*label, {}, {}, "55", "7"));
    EXPECT_EQ(f.state.Caption, "Undo size");
    EXPECT_EQ(f.undo.Count(), 20);
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(label->TwipWidth(), 10);
    int undone = 1;
    while (f.edit.Undo())
        ++undone;
    EXPECT_EQ(undone, 20);
    EXPECT_FALSE(f.state.Enabled);
    EXPECT_EQ(label->TwipLeft(), 405) << "the size and the last 19 moves were kept";

    // A bad value is reported and leaves no record.
    EXPECT_FALSE(f.edit.MoveItem(*label, "x", {}, {}, {}));
    EXPECT_TRUE(f.undo.IsEmpty());
    f.prompter.Clear();

    // A form's rename takes its controls along, those inside a container included, and undo
    // brings every key back.
    ASSERT_TRUE(f.edit.RenameItem(*f.Find("A*F"), "Main"));
    EXPECT_EQ(f.state.Caption, "Undo rename");
    ASSERT_TRUE(f.Find("A*Main*Text1"));
    EXPECT_EQ(f.Find("A*Main*Text1")->FullID(), "A*Main*Text1");
    EXPECT_FALSE(f.edit.RenameItem(*f.Find("A*Main*Label1"), "label2"));
    EXPECT_EQ(f.undo.Count(), 1) << "a refused rename leaves no record";
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_FALSE(f.Find("A*Main"));
    ASSERT_TRUE(f.Find("A*F*Text1"));
    EXPECT_EQ(f.Find("A*F*Text1")->FullID(), "A*F*Text1");
}

TEST(EditCommands, UndoOfAVanishedObjectIsSkippedWithAMessage)
{
    Fixture f;
    f.LoadProject();
    ASSERT_TRUE(f.edit.MoveItem(*f.Find("A*F*Label1"), "1", "1", {}, {}));
    f.designer.RemoveControl("A*F*Label1"); // not through the Edit menu: no record
    f.prompter.Clear();
    EXPECT_FALSE(f.edit.Undo());
    ASSERT_EQ(f.prompter.ReportTexts().size(), 1u);
    EXPECT_EQ(f.prompter.ReportTexts()[0], "Object ID is missing or invalid\n\nApp=A, Form=F, Control=Label1");
    EXPECT_TRUE(f.undo.IsEmpty()) << "the record is used up";

    // A deletion whose parent has gone, and a rename back to an ID now taken.
    f.Select("A*G");
    f.designer.AddControl(15, "A*G*L", {}, {}, {}, {}, {});
    f.Select("A*G*L");
    ASSERT_TRUE(f.edit.Delete());
    ASSERT_TRUE(f.edit.RenameItem(*f.Find("A*F*Label2"), "Other"));
    f.designer.AddControl(15, "A*F*Label2", {}, {}, {}, {}, {});
    f.designer.RemoveControl("A*G");
    f.prompter.Clear();
    EXPECT_FALSE(f.edit.Undo());
    EXPECT_TRUE(f.Find("A*F*Other"));
    EXPECT_FALSE(f.edit.Undo());
    ASSERT_EQ(f.prompter.ReportTexts().size(), 2u);
    EXPECT_TRUE(f.prompter.ReportTexts()[0].startsWith("An object of the specified ID already exists"));
    EXPECT_EQ(f.prompter.ReportTexts()[1], "Object ID is missing or invalid\n\nApp=A, Form=G");
    EXPECT_FALSE(f.state.Enabled);
}

TEST(EditCommands, ClipFuncsMembersNotImplementedByAWindowFail)
{
    struct CopyOnly : iClipFuncs
    {
        int Copies = 0;
        void Copy() override { ++Copies; }
    } window;
    window.Copy();
    EXPECT_EQ(window.Copies, 1);
    for (auto call : {+[](iClipFuncs &w) { w.Paste(); }, +[](iClipFuncs &w) { w.Cut(); },
                      +[](iClipFuncs &w) { w.SelectAll(); }, +[](iClipFuncs &w) { (void)w.AutoSelect(); }}) {
        try {
            call(window);
            ADD_FAILURE() << "no error";
        } catch (const GuiError &error) {
            EXPECT_EQ(error.Number(), GuiErrors::NotImplemented);
        }
    }
}

TEST(EditCommands, DragsMoveAndResizeInTwipsWithoutRounding)
{
    // In characters a twip is no round number of units: a drag must still land exactly.
    Fixture f;
    f.LoadProject("0");
    clsControl *label = f.Find("A*F*Label1");
    const int left = label->TwipLeft();
    const int top = label->TwipTop();
    ASSERT_TRUE(f.edit.MoveItemTwips(*label, 105, 45, std::nullopt, std::nullopt));
    EXPECT_EQ(label->TwipLeft(), 105);
    EXPECT_EQ(label->TwipTop(), 45);
    EXPECT_EQ(label->ControlObject()->Left(), 105);
    EXPECT_EQ(f.state.Caption, "Undo move");
    ASSERT_TRUE(f.edit.MoveItemTwips(*label, std::nullopt, std::nullopt, 1441, 17));
    EXPECT_EQ(label->TwipWidth(), 1441);
    EXPECT_EQ(label->ControlObject()->Height(), 17);
    EXPECT_EQ(label->TwipLeft(), 105);
    EXPECT_EQ(f.state.Caption, "Undo size");

    // A negative size is refused and leaves no record; undo goes back to the exact start.
    f.prompter.Clear();
    EXPECT_FALSE(f.edit.MoveItemTwips(*label, std::nullopt, std::nullopt, -1, 5));
    EXPECT_EQ(f.prompter.Of(Kind::Report).size(), 1u);
    EXPECT_EQ(f.undo.Count(), 2);
    ASSERT_TRUE(f.edit.Undo());
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(label->TwipLeft(), left);
    EXPECT_EQ(label->TwipTop(), top);

    // A form is sized only: its window keeps its place.
    clsControl *form = f.Find("A*F");
    ASSERT_TRUE(f.edit.MoveItemTwips(*form, std::nullopt, std::nullopt, 4815, 3333));
    EXPECT_EQ(form->TwipWidth(), 4815);
    EXPECT_EQ(form->TwipHeight(), 3333);
    EXPECT_TRUE(f.designer.CurrentProject()->Changed);
}
