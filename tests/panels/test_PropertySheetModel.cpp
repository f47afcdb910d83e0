// The property sheet's rules without a window: page sets and style options by type, ID
// composition and its checks, field checks with their messages, default marks, the help-type
// and drag-and-drop questions, and what create and apply write (only what changed, rename
// before type before properties), with undo records where the edit commands keep them.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "app/ProcessState.h"
#include "panels/PropertySheetModel.h"
#include "app/clsDesigner.h"
#include "app/clsDesignerSettings.h"
#include "model/DesignControlBase.h"
#include "model/ExtensionProfile.h"
#include "model/Vocabulary.h"
#include "support/ColourNames.h"
#include "support/GuiError.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace LoaderText;
using namespace Vocabulary;
using Page = PropertySheetModel::Page;
using Answer = iPrompter::Answer;

namespace {

struct Fixture : EditStack
{
    PropertySheetModel sheet;

    // Application A (MDI, twips) with form F holding Text1 and Frame1.
    Fixture()
    {
        EXPECT_TRUE(designer.SetTemplate(Project(
            {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
             Create("A*F", 5), Create("A*F*Text1", 16, {}, "300", "150"),
             Create("A*F*Frame1", 26)},
            "1.4", "1")));
        prompter.Clear();
    }
    clsControl *Find(const QString &path) const { return items.Find(path); }
    QString Text(const QString &path)
    {
        return designer.GetTemplate(path, {}, 0).section(QChar(Marks::Attribute), 1);
    }
    void New(int type, const QString &id = {})
    {
        clsControl *app = Find("A");
        clsControl *form = IsControl(type) || IsFormBar(type) ? Find("A*F") : nullptr;
        sheet.SetupCreate(designer, type, app, form, designer.CurrentItem(),
                          id.isEmpty() ? QStringLiteral("New1") : id);
    }
};

QStringList Labels(const std::vector<PropertySheetModel::StyleOption> &options)
{
    QStringList out;
    for (const auto &o : options)
        out << o.Label;
    return out;
}

QStringList ChoiceLabels(const PropertySheetModel::Field *field)
{
    QStringList out;
    if (field)
        for (const auto &c : field->Choices)
            out << c.Label;
    return out;
}

} // namespace

TEST(PropertySheetModel, PagesCaptionsAndStyleOptionsFollowTheType)
{
    Fixture f;
    struct Row
    {
        int Type;
        const char *Caption;
        QStringList Styles;
        QList<Page> Has;
        QList<Page> HasNot;
    };
    const Row rows[] = {
        {16, "Text Box", {"Single line", "Multi line", "Single up/down", "Password"},
         {Page::General, Page::Traits, Page::Events, Page::Colors, Page::Font, Page::DragDrop},
         {Page::Application, Page::Picture, Page::Icon, Page::Custom}},
        {27, "Grid", {"Protected", "Editable"}, {Page::List, Page::Traits}, {Page::Tabs}},
        {21, "List Box", {"Single selection", "Multi selection", "Check boxes", "Drop-down list"},
         {Page::List}, {Page::Traits}},
        {23, "Combo Box", {}, {Page::List}, {}},
        {18, "Command Button", {"Normal button", "OK button", "Cancel button", "Toolbar button"},
         {Page::Icon, Page::Picture}, {}},
        {33, "Tree", {"Single select", "Multi select", "Hierarchical"}, {Page::Tree}, {}},
        {30, "Tab Group", {}, {Page::Tabs}, {Page::Traits}},
        {35, "Timer", {"One-shot", "Continuous"}, {Page::Events}, {Page::Colors, Page::DragDrop}},
        {77, "Tool bar", {}, {Page::Menu, Page::Events}, {Page::General}},
        {36, "HTML", {}, {Page::Traits}, {Page::Font}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Type);
        f.New(row.Type);
        EXPECT_EQ(f.sheet.Caption(), row.Caption);
        EXPECT_EQ(Labels(f.sheet.StyleOptions()), row.Styles);
        for (Page p : row.Has)
            EXPECT_TRUE(f.sheet.HasPage(p)) << PropertySheetModel::PageTitle(p).toStdString();
        for (Page p : row.HasNot)
            EXPECT_FALSE(f.sheet.HasPage(p)) << PropertySheetModel::PageTitle(p).toStdString();
    }
    EXPECT_EQ(f.sheet.PageHeading(), "");
    EXPECT_EQ(f.sheet.StyleLabel(), "Style:");
    f.New(33);
    EXPECT_EQ(f.sheet.StyleLabel(), "Tree style:");
    f.New(78);
    EXPECT_EQ(f.sheet.PageHeading(), "Status bar properties");

    // Forms offer all five kinds in an MDI application, two in an SDI one.
    f.New(5);
    EXPECT_EQ(Labels(f.sheet.StyleOptions()),
              (QStringList{"Fixed Child", "Sizable Child", "Fixed", "Sizable", "Dialog"}));
    EXPECT_EQ(f.sheet.IdLabel(), "Form ID");
    f.New(0);
    EXPECT_EQ(f.sheet.Caption(), "Application");
    EXPECT_EQ(f.sheet.IdLabel(), "App Name");
    EXPECT_EQ(Labels(f.sheet.StyleOptions()),
              (QStringList{"Single Document Interface", "Multiple Document Interface"}));
    EXPECT_EQ(ChoiceLabels(f.sheet.FindField(Prop::HelpType)),
              (QStringList{"WinHelp (.hlp or .chm)", "HTML Help Event", "HTML Help URL"}));
    EXPECT_EQ(ChoiceLabels(f.sheet.FindField(Prop::Scale)).first(), "default (characters)");
    EXPECT_EQ(PropertySheetModel::PageTitle(Page::DragDrop), "Drag && Drop");

    // Fields the wrapper does not serve are never offered.
    f.New(15);
    EXPECT_FALSE(f.sheet.FindField(Prop::TabStop));
    EXPECT_EQ(ChoiceLabels(f.sheet.FindField(Prop::Border)),
              (QStringList{"None", "Flat", "Normal"}));
}

TEST(PropertySheetModel, FullIdsAndParentsAreComposedByKind)
{
    Fixture f;
    f.New(16, "Name");
    EXPECT_EQ(f.sheet.FullId(), "A*F*Name");
    EXPECT_EQ(f.sheet.ParentId(), "");
    f.designer.SetCurrentItem(f.Find("A*F*Frame1"));
    f.New(16, "Name");
    EXPECT_EQ(f.sheet.ParentId(), "Frame1");
    f.designer.SetCurrentItem(f.Find("A*F*Text1")); // not a container
    f.New(16);
    EXPECT_EQ(f.sheet.ParentId(), "");
    f.New(5, "Main");
    EXPECT_EQ(f.sheet.FullId(), "A*Main");
    f.New(0, "App2");
    EXPECT_EQ(f.sheet.FullId(), "App2");
    // A bar of the MDI application itself has an empty form part.
    f.sheet.SetupCreate(f.designer, 75, f.Find("A"), nullptr, nullptr, "Menu");
    EXPECT_EQ(f.sheet.FullId(), "A**Menu");
}

TEST(PropertySheetModel, IdChecksAndTheDuplicateMessage)
{
    Fixture f;
    const struct { int Type; QString Id; QString Message; } ids[] = {
        {16, "TEXT1", "A Text Box with the same ID already exists in this form.\n"
                      "Please enter a unique ID to continue."},
        {5, "f", "A Form with the same ID already exists in this application.\n"
                 "Please enter a unique ID to continue."},
        {16, "", "Please enter an ID."},
        {16, "   ", "Please enter an ID."},
        {16, "Two words", "An ID may not contain blanks, \"*\" or marks."},
        {16, "A*B", "An ID may not contain blanks, \"*\" or marks."},
        {16, QString("X") + QChar(0xF8FD), "An ID may not contain blanks, \"*\" or marks."},
        {16, QString(65, 'x'), "An ID may not be longer than 64 characters."},
        {16, QString(64, 'x'), {}},
    };
    for (const auto &row : ids) {
        f.New(row.Type);
        f.sheet.SetIdText(row.Id);
        const auto problem = f.sheet.Validate();
        EXPECT_EQ(problem ? problem->Message : QString(), row.Message) << row.Id.toStdString();
        EXPECT_EQ(problem ? problem->Code : PropertySheetModel::IdCode, PropertySheetModel::IdCode);
    }

    // Renaming to the same ID in other letters needs no uniqueness check; another object's
    // ID is refused.
    f.sheet.SetupModify(f.designer, *f.Find("A*F*Text1"));
    f.sheet.SetIdText("TEXT1");
    EXPECT_FALSE(f.sheet.Validate());
    f.sheet.SetIdText("frame1");
    EXPECT_TRUE(f.sheet.Validate());
}

// Each number field takes its limits, and its word where it has one, and refuses what lies
// past them (not a number, not whole, out of range) with a message naming field and range.
TEST(PropertySheetModel, NumberFieldsTakeTheirLimitsAndNothingPast)
{
    Fixture f;
    const QString left = "Left must be \"auto\" or a number from -100000000 to 100000000.";
    const QString length = "Length must be \"none\" or a whole number from 0 to 2147483647.";
    const struct { int Type; int Code; QString Limit; QString Past; QString Message; } rows[] = {
        {16, Prop::Left, "100000000", "100000000.5", left},
        {16, Prop::Left, "AUTO", "abc", left},
        {16, Prop::Top, "-100000000", "-100000001", {}},
        {16, Prop::Width, "100000000", "100000001", "Width must be a number from 0 to 100000000."},
        {16, Prop::Height, "0", "-0.5", "Height must be a number from 0 to 100000000."},
        {16, Prop::MaxLen, "2147483647", "2147483648", length},
        {16, Prop::MaxLen, "none", "2.5", length},
        {16, Prop::MaxLines, "32767", "32768", "Lines must be \"none\" or a whole number from 0 to 32767."},
        {35, Prop::Timeout, "2147483647", "2147483648", "Timeout (ms) must be a whole number from 0 to 2147483647."},
        {0, Prop::Timeout, "3600", "-1", "Busy message time-out (seconds) must be a whole number from 0 to 3600."},
        {19, Prop::Columns, "999", "1000", "Columns must be \"auto\" or a whole number from 0 to 999."},
    };
    for (const auto &r : rows) {
        f.New(r.Type);
        f.sheet.SetText(r.Code, r.Limit);
        EXPECT_FALSE(f.sheet.Validate()) << r.Limit.toStdString();
        f.sheet.SetText(r.Code, r.Past);
        const auto problem = f.sheet.Validate();
        ASSERT_TRUE(problem) << r.Past.toStdString();
        EXPECT_EQ(problem->Code, r.Code);
        if (!r.Message.isEmpty())
            EXPECT_EQ(problem->Message, r.Message);
    }
}

TEST(PropertySheetModel, CreateAddsTheItemAtThePositionWithOnlyChangedValues)
{
    Fixture f;
    f.designer.SetCurrentItem(f.Find("A*F*Frame1"));
    f.New(16, "Name");
    EXPECT_TRUE(f.sheet.IsDefault(Prop::BackColor));
    EXPECT_TRUE(f.sheet.UsesDefault(Prop::BackColor));
    EXPECT_EQ(f.sheet.Text(Prop::Width), "1800");
    EXPECT_EQ(f.sheet.Text(Prop::MaxLen), "none");
    f.sheet.SetText(Prop::Left, "200");
    f.sheet.SetText(Prop::DefVal, "hello");
    f.sheet.SetStyleIndex(3); // Password
    ASSERT_FALSE(f.sheet.Validate());
    clsControl *item = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(item) << (f.prompter.ReportTexts().empty() ? std::string() : f.prompter.ReportTexts()[0].toStdString());
    EXPECT_EQ(item->FullID(), "A*F*Name");
    EXPECT_EQ(item->ObjType(), 29);
    EXPECT_EQ(item->Parent(), f.Find("A*F*Frame1"));
    EXPECT_EQ(item->Left(), 200);
    EXPECT_EQ(item->GetProperty(Prop::DefVal), "hello");
    // Default values were not written: only DefVal (and the style the type implies).
    EXPECT_FALSE(item->IsNonDefault(Prop::BackColor));
    EXPECT_FALSE(item->IsNonDefault(Prop::MaxLen));
    EXPECT_TRUE(f.designer.ProjectOf(item)->Changed);
    // Undo takes the new object away again.
    EXPECT_EQ(f.undo.Newest().Kind, UndoBuffer::Paste);
    EXPECT_TRUE(f.edit.Undo());
    EXPECT_FALSE(f.Find("A*F*Name"));
}

// Every kind created with its defaults loads back identical, and opening and applying it
// without a change writes nothing. Then every field of every kind takes a changed value (a
// number field its highest legal value), writes it and shows it again when the sheet reopens.
TEST(PropertySheetModel, EveryKindCreatedWithDefaultsLoadsBackIdentical)
{
    using Kind = PropertySheetModel::Kind;
    Fixture f;
    const int types[] = {5, 15, 16, 17, 29, 18, 19, 20, 21, 22, 34, 24, 23, 25, 26, 27, 28,
                         30, 32, 33, 35, 36, 76, 77, 78, 0};
    std::vector<clsControl *> made;
    int n = 0;
    for (int type : types) {
        SCOPED_TRACE(type);
        f.New(type, type == 0 ? QStringLiteral("B") : QStringLiteral("Obj%1").arg(++n));
        ASSERT_FALSE(f.sheet.Validate());
        made.push_back(f.sheet.Apply(&f.edit));
        ASSERT_TRUE(made.back());
    }
    EXPECT_TRUE(f.prompter.ReportTexts().empty());

    // Opening and applying any object without a change writes nothing.
    const QString before = f.designer.GetTemplate("A", {}, 0).section(QChar(Marks::Attribute), 1);
    for (clsControl *item : f.items.InOrder()) {
        if (item->ObjType() == Type::Root)
            continue;
        SCOPED_TRACE(item->FullID().toStdString());
        f.sheet.SetupModify(f.designer, *item);
        ASSERT_FALSE(f.sheet.Validate());
        ASSERT_EQ(f.sheet.Apply(&f.edit), item);
    }
    EXPECT_EQ(f.designer.GetTemplate("A", {}, 0).section(QChar(Marks::Attribute), 1), before);

    for (const QString app : {"A", "B"}) {
        const QString text = f.designer.GetTemplate(app, {}, 0);
        DesignerStack second;
        ASSERT_TRUE(second.designer.SetTemplate(text));
        EXPECT_TRUE(second.prompter.ReportTexts().empty());
        EXPECT_EQ(second.designer.GetTemplate(app, {}, 0).section(QChar(Marks::Attribute), 1),
                  text.section(QChar(Marks::Attribute), 1));
    }

    f.New(75, "Menu1");
    made.push_back(f.sheet.Apply(&f.edit));
    for (clsControl *item : made) {
        ASSERT_TRUE(item);
        SCOPED_TRACE(item->FullID().toStdString());
        f.sheet.SetupModify(f.designer, *item);
        QHash<int, QString> set;
        for (const PropertySheetModel::Field &field : f.sheet.Fields()) {
            // The grid's selected-cell tick overrides its focus style, and a new scale shows the
            // positions in its unit; both have tests of their own.
            if (field.ReadOnly || field.Code == PropertySheetModel::SelCellStyleCode
                || field.Code == Prop::Scale)
                continue;
            const QString shown = f.sheet.Text(field.Code);
            QString value;
            switch (field.Type) {
            case Kind::Text: value = QStringLiteral("T%1").arg(field.Code); break;
            case Kind::Number:
                value = field.Code >= Prop::Left && field.Code <= Prop::Height
                            ? QStringLiteral("7")
                            : QString::number(qint64(field.Max));
                break;
            case Kind::Check: value = shown == "1" ? "0" : "1"; break;
            case Kind::Choice:
                value = field.Choices.back().Value == shown ? field.Choices.front().Value
                                                            : field.Choices.back().Value;
                break;
            case Kind::Colour: value = FormatColourValue(0x123456); break;
            case Kind::Picture:
            case Kind::Icon: value = QStringLiteral("p%1.bmp").arg(field.Code); break;
            case Kind::Font:
                f.sheet.SetFont("Courier", 12, true, false, true);
                value = "Courier";
                break;
            }
            if (field.Type != Kind::Font)
                f.sheet.SetText(field.Code, value);
            set[field.Code] = value;
        }
        ASSERT_FALSE(f.sheet.Validate());
        ASSERT_EQ(f.sheet.Apply(&f.edit), item);
        f.sheet.SetupModify(f.designer, *item);
        for (auto it = set.cbegin(); it != set.cend(); ++it) {
            SCOPED_TRACE(it.key());
            EXPECT_EQ(f.sheet.Text(it.key()).toStdString(), it.value().toStdString());
            EXPECT_FALSE(f.sheet.IsDefault(it.key()));
        }
    }
}

TEST(PropertySheetModel, ModifyRenamesThenChangesTypeThenProperties)
{
    Fixture f;
    clsControl *text = f.Find("A*F*Text1");
    text->SetProperty(Prop::ForeColor, "255");
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_FALSE(f.sheet.IsDefault(Prop::ForeColor));
    EXPECT_TRUE(f.sheet.IsDefault(Prop::BackColor));
    EXPECT_EQ(f.sheet.StyleIndex(), 0);

    f.sheet.SetIdText("TEXT1");       // letter case only
    f.sheet.SetStyleIndex(3);         // 16 -> 29, in place
    f.sheet.SetText(Prop::BackColor, "&HFF&"); // red, by value
    f.sheet.SetUseDefault(Prop::ForeColor, true);
    f.sheet.SetEvent(Event::Change, true);
    ASSERT_FALSE(f.sheet.Validate());
    ASSERT_EQ(f.sheet.Apply(&f.edit), text);
    EXPECT_EQ(text->FullID(), "A*F*TEXT1");
    EXPECT_EQ(text->ObjType(), 29);
    EXPECT_EQ(text->GetProperty(Prop::BackColor), "255");
    EXPECT_FALSE(text->IsNonDefault(Prop::ForeColor));
    EXPECT_TRUE(text->EventMask() & EventMaskBit(Event::Change));
    EXPECT_FALSE(text->IsNonDefault(Prop::Hint)); // untouched fields are not written
    EXPECT_TRUE(f.designer.ProjectOf(text)->Changed);
    // Two records: the rename, then everything after it as one "Undo properties".
    EXPECT_EQ(f.undo.Newest().Kind, UndoBuffer::Properties);
    EXPECT_TRUE(f.edit.Undo());
    EXPECT_EQ(text->ObjType(), 16);
    EXPECT_EQ(text->GetProperty(Prop::ForeColor), "255");
    EXPECT_FALSE(text->IsNonDefault(Prop::BackColor));
    EXPECT_FALSE(text->EventMask() & EventMaskBit(Event::Change));
    EXPECT_EQ(f.undo.Newest().Kind, UndoBuffer::Rename);
    EXPECT_TRUE(f.edit.Undo());
    EXPECT_EQ(text->FullID(), "A*F*Text1");

    // A move is undoable as one record with the former rectangle.
    f.sheet.SetupModify(f.designer, *text);
    f.sheet.SetText(Prop::Left, "999");
    f.sheet.SetText(Prop::Width, "2000");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Left(), 999);
    EXPECT_EQ(f.undo.Newest().Kind, UndoBuffer::Size);
    f.edit.Undo();
    EXPECT_EQ(text->Left(), 300);

    // Another object's ID raises instead of renaming.
    f.sheet.SetupModify(f.designer, *text);
    f.sheet.SetIdText("Frame1");
    EXPECT_THROW(f.sheet.Apply(&f.edit), GuiError);
}

TEST(PropertySheetModel, FontsColoursAndTreeStyle)
{
    Fixture f;
    clsControl *text = f.Find("A*F*Text1");
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_TRUE(f.sheet.UsesDefault(Prop::FontName));
    f.sheet.SetFont("Courier New", 12, true, false, true);
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->GetProperty(Prop::FontName), "Courier New");
    EXPECT_EQ(text->GetProperty(Prop::FontSize), "12");
    EXPECT_EQ(text->GetProperty(Prop::FontBold), "1");
    EXPECT_EQ(text->GetProperty(Prop::FontUnderline), "1");
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_FALSE(f.sheet.UsesDefault(Prop::FontName));
    f.sheet.SetUseDefault(Prop::FontName, true);
    f.sheet.Apply(&f.edit);
    EXPECT_FALSE(text->IsNonDefault(Prop::FontName));
    EXPECT_FALSE(text->IsNonDefault(Prop::FontBold));

    f.New(33, "T");
    f.sheet.SetStyleIndex(2);
    f.sheet.SetText(PropertySheetModel::NodeStyleCode, "3");
    clsControl *tree = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->GetProperty(Prop::Style), "19");
    f.sheet.SetupModify(f.designer, *tree);
    EXPECT_EQ(f.sheet.StyleIndex(), 2);
    EXPECT_EQ(f.sheet.Text(PropertySheetModel::NodeStyleCode), "3");
}

TEST(PropertySheetModel, ApplicationEventsHelpQuestionAndRequiredEvents)
{
    Fixture f;
    clsControl *app = f.Find("A");
    f.sheet.SetupModify(f.designer, *app);
    // MDI: Close and Quit cannot be switched off.
    EXPECT_TRUE(f.sheet.EventLocked(Event::Close));
    EXPECT_TRUE(f.sheet.EventLocked(Event::Quit));
    f.sheet.SetEvent(Event::Quit, false);
    EXPECT_TRUE(f.sheet.EventOn(Event::Quit));

    f.prompter.Answers = {Answer::No, Answer::Yes};
    f.sheet.ChooseHelpType(1, f.prompter);
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_EQ(f.prompter.Calls[0].Text,
              "You do not have the Help event enabled for the application object.\n"
              "Would you like to enable this event?");
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Question);
    EXPECT_FALSE(f.sheet.EventOn(Event::Help));
    f.sheet.ChooseHelpType(2, f.prompter);
    EXPECT_TRUE(f.prompter.Calls[1].Text.contains("\"Topic:\" URL's, the Help event is necessary"));
    EXPECT_TRUE(f.sheet.EventOn(Event::Help));
    f.sheet.ChooseHelpType(1, f.prompter); // asked no more once the event is on
    EXPECT_EQ(f.prompter.Calls.size(), 2u);
    f.sheet.ChooseHelpType(0, f.prompter);
    EXPECT_EQ(f.prompter.Calls.size(), 2u);

    // Switching to SDI drops the Close requirement; the written mask stays valid.
    f.sheet.SetStyleIndex(0);
    EXPECT_FALSE(f.sheet.EventLocked(Event::Close));
    f.sheet.SetEvent(Event::Close, false);
    ASSERT_TRUE(f.sheet.Apply(&f.edit));
    EXPECT_EQ(app->ObjType(), 1);
    EXPECT_EQ(app->EventMask(), qint32(EventMaskBit(Event::Quit) | EventMaskBit(Event::Help)));
    EXPECT_EQ(app->GetProperty(Prop::HelpType), "0");
}

TEST(PropertySheetModel, DragAndDropQuestions)
{
    Fixture f;
    clsControl *text = f.Find("A*F*Text1");
    text->SetProperty(Prop::DragID, "CUST");
    text->SetProperty(Prop::DropIDs, "A|B");
    f.Find("A*F*Frame1")->SetProperty(Prop::DragID, "Order");
    // The project's list: every other object's ID once, in the spelling that sorts first,
    // whatever order the objects are visited in; the sheet's own object is left out.
    for (const auto &[id, parent, drag] : {std::tuple{"A*F*T2", "Frame1", "ORDER"},
                                           std::tuple{"A*F*T3", "", "zone"}}) {
        clsControl *made = f.designer.AddControl(16, id, parent, {}, {}, {}, {});
        ASSERT_TRUE(made);
        made->SetProperty(Prop::DragID, drag);
    }
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_TRUE(f.sheet.DragSource());
    EXPECT_EQ(f.sheet.DropIds(), (QStringList{"A", "B"}));
    EXPECT_EQ(f.sheet.ProjectDragIds(), (QStringList{"ORDER", "zone"}));
    // Objects that go or give up their ID leave the list.
    f.designer.RemoveControl("A*F*T3");
    f.Find("A*F*T2")->SetProperty(Prop::DragID, "");
    EXPECT_EQ(f.sheet.ProjectDragIds(), QStringList{"Order"});
    EXPECT_EQ(f.items.DragSources().size(), 2u); // Text1's and Frame1's

    f.prompter.Answers = {Answer::No, Answer::Yes, Answer::Yes};
    EXPECT_TRUE(f.sheet.SetDragSource(false, f.prompter));
    EXPECT_EQ(f.prompter.Calls.back().Text,
              "Are you sure you want to clear the Drag ID for this control?");
    EXPECT_FALSE(f.sheet.SetDragSource(false, f.prompter));
    EXPECT_FALSE(f.sheet.SetDropTarget(false, f.prompter));
    EXPECT_EQ(f.prompter.Calls.back().Text,
              "Are you sure you want to clear the Drop IDs for this control?");
    f.sheet.AddDropId("ORDER");
    f.sheet.AddDropId("order"); // once only
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->GetProperty(Prop::DragID), "");
    EXPECT_EQ(text->GetProperty(Prop::DropIDs), "ORDER");

    f.sheet.SetupModify(f.designer, *text);
    f.sheet.SetDragSource(true, f.prompter);
    f.sheet.SetUseControlIdAsDragId(true);
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->GetProperty(Prop::DragID), "Text1");
}

TEST(PropertySheetModel, StyleOptionsMoveTheTypeWithinItsFamily)
{
    Fixture f;
    f.New(21, "Choices");
    clsControl *list = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(list);
    list->SetProperty(Prop::Hint, "pick one");
    // Across wrapper classes the object is made again under the same ID, keeping its values.
    f.sheet.SetupModify(f.designer, *list);
    f.sheet.SetStyleIndex(3);
    ASSERT_EQ(f.sheet.Apply(&f.edit), list);
    EXPECT_EQ(list->ObjType(), 24);
    EXPECT_EQ(list->GetProperty(Prop::Hint), "pick one");
    f.sheet.SetupModify(f.designer, *list);
    EXPECT_EQ(f.sheet.Caption(), "List Box");
    EXPECT_EQ(f.sheet.StyleIndex(), 3);

    clsControl *form = f.Find("A*F");
    f.sheet.SetupModify(f.designer, *form);
    EXPECT_EQ(f.sheet.StyleOptions()[size_t(f.sheet.StyleIndex())].Label, "Sizable Child");
    f.sheet.SetStyleIndex(4);
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(form->ObjType(), 7);
}

TEST(PropertySheetModel, NumbersAreTypedWithTheLocaleSeparator)
{
    Fixture f;
    f.New(16);
    f.sheet.SetText(Prop::Width, "2,5");
    EXPECT_TRUE(f.sheet.Validate()); // a point locale takes no comma
    ProcessState comma(QStringLiteral("/tmp/"));
    comma.SetSeparators(",", ".", "", "", "");
    ProcessState::Override use(comma);
    EXPECT_FALSE(f.sheet.Validate());
    clsControl *item = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->TwipWidth(), 3); // 2.5 twips, rounded
}

TEST(PropertySheetModel, GridFocusStyleSelectedCellTickAndAlternateRowColour)
{
    Fixture f;
    f.New(27, "Grid1");
    EXPECT_EQ(ChoiceLabels(f.sheet.FindField(Prop::DragMode)),
              (QStringList{"change active cell", "initiate drag-and-drop", "select cells",
                           "ignore drag"}));
    EXPECT_EQ(ChoiceLabels(f.sheet.FindField(Prop::FocusStyle)),
              (QStringList{"thin dotted rectangle", "thick dotted rectangle",
                           "thick solid rectangle"}));
    ASSERT_TRUE(f.sheet.FindField(Prop::AltColor));
    EXPECT_EQ(f.sheet.FindField(Prop::AltColor)->Label, "Alternate row color");
    EXPECT_EQ(f.sheet.Text(PropertySheetModel::SelCellStyleCode), "0");
    EXPECT_TRUE(f.sheet.IsDefault(PropertySheetModel::SelCellStyleCode));

    // The tick writes focus style 0 whatever rectangle is chosen.
    f.sheet.SetText(Prop::FocusStyle, "1");
    f.sheet.SetText(PropertySheetModel::SelCellStyleCode, "1");
    EXPECT_EQ(f.sheet.GetPendingValue(Prop::FocusStyle), "0");
    f.sheet.SetUseDefault(Prop::AltColor, false);
    f.sheet.SetText(Prop::AltColor, "&HFFFF00");
    ASSERT_FALSE(f.sheet.Validate());
    clsControl *grid = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetProperty(Prop::FocusStyle), "0");
    EXPECT_TRUE(grid->IsNonDefault(Prop::AltColor));

    // Loaded back, the tick is on and the rectangle list shows a valid rectangle; removing
    // the tick writes the rectangle chosen.
    f.sheet.SetupModify(f.designer, *grid);
    EXPECT_EQ(f.sheet.Text(PropertySheetModel::SelCellStyleCode), "1");
    EXPECT_EQ(f.sheet.Text(Prop::FocusStyle), "3");
    EXPECT_FALSE(f.sheet.Validate());
    f.sheet.Apply(&f.edit); // nothing changed, nothing written
    EXPECT_EQ(grid->GetProperty(Prop::FocusStyle), "0");
    f.sheet.SetupModify(f.designer, *grid);
    f.sheet.SetText(PropertySheetModel::SelCellStyleCode, "0");
    f.sheet.SetText(Prop::FocusStyle, "2");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(grid->GetProperty(Prop::FocusStyle), "2");
    // Other kinds keep the plain colour label and have no selected-cell tick.
    f.New(16);
    EXPECT_EQ(f.sheet.FindField(Prop::AltColor) ? f.sheet.FindField(Prop::AltColor)->Label
                                                : QString("Alternate color"),
              "Alternate color");
    EXPECT_FALSE(f.sheet.FindField(PropertySheetModel::SelCellStyleCode));
}

// The Custom page holds the profile's fields for the kinds it names; the Private page the
// values no field of the profile claims.
TEST(PropertySheetModel, ExtensionPagesFromTheProfileKeepAndEditTheirValues)
{
    Fixture f;
    const QChar vm(0xF8FD);
    auto profile = std::make_shared<ExtensionProfile>(ExtensionProfile::FromText(
        "[Extension]\nName=Site\nCaption=Site fields\n[Editgx]\nFields=Code,Bad\n"
        "[Code]\nCaption=Code\nPos=2\n[Bad]\nCaption=Bad\nPos=1000\n"));
    f.sheet.SetExtensionProfile(profile);
    clsControl *text = f.Find("A*F*Text1");

    f.sheet.SetupModify(f.designer, *f.Find("A*F*Frame1"));
    EXPECT_FALSE(f.sheet.HasPage(Page::Custom)); // no fields for frames

    // Without private values the page shows one "N/A" row; it is shown with the Custom page.
    f.sheet.SetupModify(f.designer, *text);
    ASSERT_TRUE(f.sheet.HasPage(Page::Custom));
    ASSERT_EQ(f.sheet.Extension()->Rows().size(), 1u);
    ASSERT_TRUE(f.sheet.HasPage(Page::Private));
    ASSERT_TRUE(f.sheet.PrivateExtension());
    ASSERT_EQ(f.sheet.PrivateExtension()->Rows().size(), 1u);
    EXPECT_EQ(f.sheet.PrivateExtension()->Rows()[0].Caption, "N/A");
    EXPECT_FALSE(f.sheet.PrivateExtension()->IsRowEditable(0));
    EXPECT_TRUE(f.sheet.Extension()->SetRowValue(0, "X7"));
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Extension(), QString("Site") + vm + "X7");
    // The extension object sees the pending values and may write the extension only.
    f.sheet.SetupModify(f.designer, *text);
    f.sheet.SetIdText("Renamed");
    EXPECT_EQ(f.sheet.GetPendingValue(Prop::ObjectID), "Renamed");
    EXPECT_EQ(f.sheet.GetPendingValue(Prop::ObjectType), "16");
    EXPECT_THROW(f.sheet.SetPendingValue(Prop::Caption, "x"), GuiError);
    f.sheet.SetPendingValue(Prop::Extension, QString("Site") + vm + "Y");
    f.sheet.SetIdText("Text1");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Extension(), QString("Site") + vm + "Y");

    // Positions no field claims show on the Private page and survive an edit of the Custom
    // page (before, collecting the Custom page dropped them).
    text->SetProperty(Prop::Extension, QString("Site") + vm + "C" + vm + "" + vm + "kept" + vm + "p5");
    f.sheet.SetupModify(f.designer, *text);
    const auto &rows = f.sheet.PrivateExtension()->Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Caption, "Field 4");
    EXPECT_EQ(rows[0].Value, "kept");
    EXPECT_EQ(rows[1].Pos, 5);
    EXPECT_TRUE(f.sheet.Extension()->SetRowValue(0, "C2"));
    EXPECT_TRUE(f.sheet.PrivateExtension()->SetRowValue(1, "P5"));
    EXPECT_EQ(f.sheet.GetPendingValue(Prop::Extension),
              QString("Site") + vm + "C2" + vm + vm + "kept" + vm + "P5");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Extension(), QString("Site") + vm + "C2" + vm + vm + "kept" + vm + "P5");

    // A value written by another profile is shown with the message on both pages and left
    // exactly as it is.
    const QString foreign = QString("Other") + vm + "x" + vm + "y";
    text->SetProperty(Prop::Extension, foreign);
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_EQ(f.sheet.PrivateExtension()->Messages().size(), 1);
    EXPECT_TRUE(f.sheet.PrivateExtension()->Rows().empty());
    f.sheet.SetText(Prop::Hint, "h");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Extension(), foreign);

    // A value the extension object writes refills both pages.
    f.sheet.SetupModify(f.designer, *text);
    f.sheet.SetPendingValue(Prop::Extension, QString("Site") + vm + "A" + vm + "B");
    ASSERT_EQ(f.sheet.PrivateExtension()->Rows().size(), 1u);
    EXPECT_EQ(f.sheet.PrivateExtension()->Rows()[0].Value, "B");
    f.sheet.Apply(&f.edit);
    EXPECT_EQ(text->Extension(), QString("Site") + vm + "A" + vm + "B");

    // No profile, no pages.
    f.sheet.SetExtensionProfile(nullptr);
    f.sheet.SetupModify(f.designer, *text);
    EXPECT_FALSE(f.sheet.HasPage(Page::Private));
    EXPECT_FALSE(f.sheet.PrivateExtension());
}

TEST(PropertySheetModel, MegabytesPastedIntoFieldsAreRefusedQuicklyAndWriteNothing)
{
    Fixture f;
    const QString before = f.Text("A");
    const QString huge(4 * 1024 * 1024, QLatin1Char('9'));
    const struct { int Type; int Code; } rows[] = {
        {16, PropertySheetModel::IdCode}, {16, Prop::Left}, {16, Prop::Width},
        {16, Prop::MaxLen}, {16, Prop::Hint}, {16, Prop::DefVal}, {35, Prop::Timeout},
        {0, Prop::Timeout}, {0, Prop::MsgText}, {19, Prop::Columns},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.Code);
        if (r.Type == 0)
            f.sheet.SetupModify(f.designer, *f.Find("A"));
        else
            f.New(r.Type);
        if (r.Code == PropertySheetModel::IdCode)
            f.sheet.SetIdText(huge);
        else
            f.sheet.SetText(r.Code, huge);
        const auto problem = f.sheet.Validate();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->Code, r.Code);
        EXPECT_LT(problem->Message.size(), 200); // the message names the field, not the text
    }
    // A text past its length, or holding a mark, is named with what is wrong with it.
    f.New(16);
    f.sheet.SetText(Prop::DefVal, QString(40000, 'x'));
    EXPECT_EQ(f.sheet.Validate()->Message, "Default value is too long (at most 32767 characters).");
    f.sheet.SetText(Prop::DefVal, QString("a") + QChar(0xF8FE) + "b");
    EXPECT_EQ(f.sheet.Validate()->Message, "Default value may not contain record marks.");
    EXPECT_EQ(f.Text("A"), before);
}

// The preferences name the author, copyright, logo and behaviour a new application starts
// with; the sheet shows them as entries of its own and writes them when the user creates it.
TEST(PropertySheetModel, ANewApplicationStartsWithThePreferences)
{
    Fixture f;
    clsDesignerSettings settings;
    settings.Author = QStringLiteral("Ann Smith");
    settings.Copyright = QStringLiteral("(c) Smith & Co");
    settings.EnterKey = 2;
    settings.AutoSelect = true;
    f.sheet.SetNewApplicationDefaults(&settings);
    f.New(0, "B");
    EXPECT_EQ(f.sheet.Text(Prop::Author), "Ann Smith");
    EXPECT_EQ(f.sheet.Text(Prop::RtnEqTab), "2");
    ASSERT_TRUE(f.sheet.Apply(&f.edit));
    const clsControl *app = f.Find("B");
    ASSERT_TRUE(app);
    EXPECT_EQ(app->GetProperty(Prop::Author), "Ann Smith");
    EXPECT_EQ(app->GetProperty(Prop::Copyright), "(c) Smith & Co");
    EXPECT_EQ(app->GetProperty(Prop::RtnEqTab), "2");
    EXPECT_EQ(app->GetProperty(Prop::AutoSelect), "1");
    // What the preferences leave at their defaults stays unwritten.
    EXPECT_FALSE(app->IsNonDefault(Prop::Logo));
    EXPECT_FALSE(app->IsNonDefault(Prop::NoAutoTips));

    // Forms and controls, and applications made without preferences, are not touched.
    f.New(5, "G");
    EXPECT_EQ(f.sheet.FindField(Prop::Author), nullptr);
    f.sheet.SetNewApplicationDefaults(nullptr);
    f.New(0, "C");
    EXPECT_EQ(f.sheet.Text(Prop::Author), "");
}

// A new button, label, check box or frame is captioned with its ID, which follows the ID until
// the user types a caption, so the preview shows what the design form shows.
TEST(PropertySheetModel, NewCaptionedControlsStartWithTheirIdAsCaption)
{
    Fixture f;
    int n = 0;
    for (int type : {18, 15, 20, 26}) {
        SCOPED_TRACE(type);
        const QString id = QStringLiteral("Obj%1").arg(++n);
        f.New(type, id);
        EXPECT_EQ(f.sheet.Text(Prop::Caption), id);
        EXPECT_FALSE(f.sheet.IsDefault(Prop::Caption));
        f.sheet.SetIdText(id + "X");
        EXPECT_EQ(f.sheet.Text(Prop::Caption), id + "X");
    }
    // A caption of the user's own stays when the ID changes.
    f.New(18, "cmdOK");
    f.sheet.SetText(Prop::Caption, "&OK");
    f.sheet.SetIdText("cmdYes");
    EXPECT_EQ(f.sheet.Text(Prop::Caption), "&OK");
    // Other kinds, and objects being edited, keep what they had.
    f.New(19, "Opt1");
    EXPECT_EQ(f.sheet.Text(Prop::Caption), "");
    f.sheet.SetupModify(f.designer, *f.Find("A*F*Frame1"));
    f.sheet.SetIdText("Frame9");
    EXPECT_EQ(f.sheet.Text(Prop::Caption), "");
}

// The tab group's multi-row switch sits on "Tabs", stored as Style 1 and shown by the design
// control. A new tab group's events go where the Events page says, also to the tabs made
// after the group, and its tabs may not take an ID used on the form.
TEST(PropertySheetModel, TabGroupRowsAndEventsAreStoredWhereThePagesSay)
{
    Fixture f;
    f.New(30, "Tabs1");
    const auto *rows = f.sheet.FindField(Prop::Style);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->OnPage, Page::Tabs);
    EXPECT_EQ(rows->Label, "When tabs do not fit across, display multiple tab rows");
    EXPECT_EQ(f.sheet.Text(Prop::Style), "0");
    EXPECT_TRUE(f.sheet.IdTakenOnForm("text1"));
    EXPECT_TRUE(f.sheet.IdTakenOnForm("TABS1")); // the group's own ID
    EXPECT_FALSE(f.sheet.IdTakenOnForm("Tab1"));
    f.sheet.SetText(Prop::Style, "1");
    EXPECT_FALSE(f.sheet.TabEventsOnGroup()); // "Individual tabs"
    f.sheet.SetEvent(Event::Click, true);
    clsControl *group = f.sheet.Apply(&f.edit);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetProperty(Prop::Style), "1");
    auto *control = dynamic_cast<DesignControlBase *>(group->ControlObject());
    ASSERT_TRUE(control);
    EXPECT_TRUE(control->MultiRowTabs());
    EXPECT_EQ(group->EventMask(), 0);
    clsControl *tab = f.designer.AddControl(31, "A*F*Tab1", "Tabs1", {}, {}, {}, {});
    ASSERT_TRUE(tab);
    f.sheet.WriteTabEvents(*group);
    EXPECT_EQ(tab->EventMask(), qint32(EventMaskBit(Event::Click)));
    f.sheet.SetupModify(f.designer, *group);
    EXPECT_FALSE(f.sheet.TabEventsOnGroup());
    EXPECT_TRUE(f.sheet.EventOn(Event::Click));
    // Unticked, the switch goes back to the single row; other styles are refused.
    f.sheet.SetText(Prop::Style, "0");
    f.sheet.Apply(&f.edit);
    EXPECT_FALSE(control->MultiRowTabs());
    EXPECT_THROW(group->SetProperty(Prop::Style, "2"), GuiError);
}

TEST(PropertySheetModel, ANewControlGoesToAFreePlaceOrWhereTheUserPointed)
{
    EditStack s;
    ASSERT_TRUE(s.designer.SetTemplate(Project(
        {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
         Record({"2", "A*F", "", "5", "0", "0", "6000", "4000", "0"})},
        "1.4", "1")));
    PropertySheetModel sheet;
    // Four new labels, one after another: each where no other is.
    QList<QRect> placed;
    for (int i = 1; i <= 4; ++i) {
        sheet.SetupCreate(s.designer, Type::Label, s.items.Find("A"), s.items.Find("A*F"), nullptr,
                          QString("Label%1").arg(i));
        clsControl *made = sheet.Apply(&s.edit);
        ASSERT_TRUE(made);
        const QRect box(made->TwipLeft(), made->TwipTop(), made->TwipWidth(), made->TwipHeight());
        for (const QRect &other : placed)
            EXPECT_FALSE(box.intersects(other)) << i;
        placed << box;
        sheet.Close();
    }
    EXPECT_EQ(placed.front().topLeft(), QPoint(120, 120));

    // A point given: Left and Top in the application's unit; nothing in modify mode.
    sheet.SetupCreate(s.designer, Type::Text, s.items.Find("A"), s.items.Find("A*F"), nullptr, "Text1");
    sheet.SetCreatePosition(600, 960);
    EXPECT_EQ(sheet.GetPendingValue(Prop::Left), "600");
    EXPECT_EQ(sheet.GetPendingValue(Prop::Top), "960");
    clsControl *text = sheet.Apply(&s.edit);
    ASSERT_TRUE(text);
    EXPECT_EQ(QPoint(text->TwipLeft(), text->TwipTop()), QPoint(600, 960));
    sheet.Close();
    sheet.SetupModify(s.designer, *text);
    sheet.SetCreatePosition(0, 0);
    EXPECT_EQ(sheet.GetPendingValue(Prop::Left), "600");
}
