// The content editors on the property sheet, driven as a user drives them: stored menus and
// trees are repaired with their messages when the sheet opens, ID checks keep the focus on the
// field, and edits reach the object and its design control when the sheet is applied.
// Screenshots are written when CORVANE_SHEET_SHOTS names a folder.
#include "EditStack.h"
#include "ModalDriver.h"

#include "LoaderTestSupport.h"
#include "designer/BarEditorView.h"
#include "designer/TabListView.h"
#include "designer/TreeEditorView.h"
#include "designer/ucListProps.h"
#include "designer/frmProperties.h"
#include "model/DesignControlBase.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "support/Marks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QLabel>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

using namespace LoaderText;
using Page = PropertySheetModel::Page;

namespace {

const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));

QString Entries(std::initializer_list<QStringList> entries)
{
    QStringList joined;
    for (const QStringList &parts : entries)
        joined << parts.join(sv);
    return joined.join(vm);
}

struct Fixture : DesignerStack
{
    frmProperties sheet{designer, prompter};

    explicit Fixture(const QStringList &body)
    {
        QStringList records{Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                            Create("A*F", 5)};
        records += body;
        EXPECT_TRUE(designer.SetTemplate(Project(records, "1.4", "1")));
        prompter.Clear();
    }
    frmProperties::Result Modify(const QString &path, std::function<void(frmProperties *)> user)
    {
        WhenModal<frmProperties>(std::move(user));
        return sheet.ShowModify(path);
    }
    // Modify, with the sheet confirmed by the user's part.
    void Apply(const QString &path, std::function<void(frmProperties *)> user)
    {
        EXPECT_TRUE(Modify(path, std::move(user)).Confirmed) << qPrintable(path);
    }
    frmProperties::Result New(int type, const QString &id, std::function<void(frmProperties *)> user)
    {
        WhenModal<frmProperties>(std::move(user));
        return sheet.ShowCreate(type, items.Find("A"), items.Find("A*F"), id);
    }
    std::vector<QString> Messages() const
    {
        std::vector<QString> texts;
        for (const auto &call : prompter.Of(ScriptedPrompter::Kind::Message))
            texts.push_back(call.Text);
        return texts;
    }
};

void Shot(QWidget *widget, const char *name)
{
    const QString folder = qEnvironmentVariable("CORVANE_SHEET_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}

// The page's content editor as the view it should be, with the page shown as the user opens it.
template <class View>
View *ShowEditor(frmProperties *sheet, Page page)
{
    sheet->Pages()->setCurrentIndex(sheet->PageIndex(page));
    return dynamic_cast<View *>(sheet->ContentEditor(page));
}

// Clicks the editor's icon "..." button with the chooser answering `file`; returns the caption
// the chooser was asked with (empty when there is no such button).
QString BrowseForIcon(ContentEditorPage *editor, const QString &file)
{
    QString asked;
    editor->ChooseFile = [&](const QString &caption, const QString &filter) {
        asked = caption;
        EXPECT_TRUE(filter.contains("*.ico"));
        return file;
    };
    QPushButton *browse = nullptr;
    for (QPushButton *b : editor->findChildren<QPushButton *>())
        if (b->text() == "...")
            browse = b;
    if (browse)
        QTest::mouseClick(browse, Qt::LeftButton);
    return asked;
}

// Clicks a check box on its box, which a click in the middle of a wide one would miss.
void Tick(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

} // namespace

TEST(ContentEditors, MenuRepairsThenEditsReachTheDesignControl)
{
    // The bar itself takes a first entry at level 2 and a repeated ID; the editor's tree does
    // not. (A stored jump by two levels never reaches the item: the loader refuses it.)
    Fixture f({Create("A*F*MAIN", 75),
               Prop(26, Entries({{"FILE", "2", "&File"}, {"NEW", "3", "&New"}, {"FILE", "3", "Again"}}))});
    f.Apply("A*F*MAIN", [&](frmProperties *sheet) {
        auto *bar = ShowEditor<BarEditorView>(sheet, Page::Menu);
        ASSERT_TRUE(bar);
        // Opening showed the model's repairs (two levels, one ID; their texts are the model's).
        const auto messages = f.Messages();
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_TRUE(messages[2].contains("'FILE_2'"));
        EXPECT_EQ(bar->Tree()->topLevelItem(0)->child(0)->child(0)->childCount(), 1);
        EXPECT_EQ(bar->ShortcutField()->count(), 102);
        Shot(sheet, "menu-editor");

        // A new item with a duplicate ID cannot be left.
        bar->Select(0);
        QTest::mouseClick(bar->NewItemButton(), Qt::LeftButton);
        f.prompter.Clear();
        Retype(bar->IdField()->lineEdit(), "file");
        QTest::mouseClick(bar->NewItemButton(), Qt::LeftButton);
        EXPECT_EQ(f.Messages().size(), 1u);
        EXPECT_TRUE(bar->IdField()->hasFocus());
        Retype(bar->IdField()->lineEdit(), "HELP");
        Retype(bar->CaptionField(), "&Help");
        bar->ShortcutField()->setCurrentIndex(27); // F1
        Q_EMIT bar->ShortcutField()->activated(27);
        QTest::mouseClick(bar->UpButton(), Qt::LeftButton); // HELP moves above FILE
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    const QString stored = f.items.Find("A*F*MAIN")->GetProperty(26);
    EXPECT_EQ(stored, Entries({{"HELP", "1", "&Help", "", "", "", "27"}, {"FILE", "1", "&File"},
                               {"NEW", "2", "&New"}, {"FILE_2", "3", "Again"}}));
}

// The editor works with the bar's own kind (the wording of each kind is the model's test).
TEST(ContentEditors, AToolBarWordsItsMessagesAndADeletedNewToolIsNotStored)
{
    Fixture f({Create("A*F*TOOLS", 77), Prop(26, Entries({{"NEW", "1", "New"}}))});
    f.Modify("A*F*TOOLS", [&](frmProperties *sheet) {
        auto *bar = ShowEditor<BarEditorView>(sheet, Page::Menu);
        ASSERT_TRUE(bar);
        bar->Select(0);
        QTest::mouseClick(bar->NewItemButton(), Qt::LeftButton);
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton); // the new tool has no ID
        ASSERT_FALSE(f.Messages().empty());
        EXPECT_EQ(f.Messages().back(), "Please enter a valid tool ID.");
        EXPECT_TRUE(sheet->isVisible());
        QTest::mouseClick(bar->DeleteButton(), Qt::LeftButton);
        bar->PositionField()->setCurrentIndex(2); // Bottom
        Shot(sheet, "toolbar-editor");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*TOOLS")->GetProperty(25), "2");
    EXPECT_EQ(f.items.Find("A*F*TOOLS")->GetProperty(26), Entries({{"NEW", "1", "New"}}));
}

TEST(ContentEditors, TreeWithDuplicateSiblingsIsRepairedAndEdited)
{
    Fixture f({Create("A*F*TV", 33),
               Prop(26, Entries({{"EU", "1", "Europe"}, {"DE", "2", "Germany"}, {"de", "2", "Again"},
                                 {"NA", "1", "America"}}))});
    f.Apply("A*F*TV", [&](frmProperties *sheet) {
        auto *tree = ShowEditor<TreeEditorView>(sheet, Page::Tree);
        ASSERT_TRUE(tree);
        EXPECT_EQ(f.Messages().size(), 1u);
        EXPECT_EQ(tree->Tree()->topLevelItem(0)->child(1)->text(0), "Again (de_2)");
        Shot(sheet, "tree-editor");
        f.prompter.Clear();
        // DE is taken under EU but free under NA.
        tree->Select(3);
        QTest::mouseClick(tree->ChildButton(), Qt::LeftButton);
        Retype(tree->IdField(), "de");
        Retype(tree->CaptionField(), "Delaware");
        tree->Select(2);
        Retype(tree->IdField(), "DE");
        tree->Select(0);
        EXPECT_EQ(f.Messages().size(), 1u);
        EXPECT_TRUE(tree->IdField()->hasFocus());
        Retype(tree->IdField(), "FR");
        QTest::mouseClick(tree->DeleteButton(), Qt::LeftButton); // FR goes
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*TV")->GetProperty(26),
              Entries({{"EU", "1", "Europe"}, {"DE", "2", "Germany"}, {"NA", "1", "America"},
                       {"de", "2", "Delaware"}}));
}

TEST(ContentEditors, UnchangedSheetsLeaveContentAlone)
{
    const QString menu = Entries({{"FILE", "1", "&File", "", "", "", "", "", ""}, {"-", "2"}, {"X", "2"}});
    // A grid whose drop-down rows end in empty values and whose checks are per column.
    const QString dropDown = "a|" + sv + "b||" + vm + "*DROPDOWN||Code" + sv + "c";
    Fixture f({Create("A*F*MAIN", 75), Prop(26, menu), Create("A*F*OPT", 19),
               Prop(26, "Post" + sv + "1" + vm + "Pick up"), Create("A*F*GRD", 28), Prop(27, "2"),
               Prop(36, dropDown), Prop(12, "1" + vm + "0"), Prop(97, "0")});
    for (const char *path : {"A*F*MAIN", "A*F*OPT", "A*F*GRD"}) {
        f.Apply(path, [&](frmProperties *sheet) {
            QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
        });
    }
    EXPECT_EQ(f.items.Find("A*F*MAIN")->GetProperty(26), menu);
    EXPECT_EQ(f.items.Find("A*F*OPT")->GetProperty(26), "Post" + sv + "1" + vm + "Pick up");
    EXPECT_EQ(f.items.Find("A*F*GRD")->GetProperty(36), dropDown);
    EXPECT_EQ(f.items.Find("A*F*GRD")->GetProperty(12), "1" + vm + "0");
    EXPECT_EQ(f.items.Find("A*F*GRD")->GetProperty(97), "0");
    EXPECT_TRUE(f.Messages().empty());
}

TEST(ContentEditors, TabsBecomePanelsOnApply)
{
    Fixture f({Create("A*F*TABS", 30), Create("A*F*TABLIST", 31, "TABS"), Prop(22, "List"),
               Create("A*F*LST", 21, "TABLIST"), Create("A*F*TABTREE", 31, "TABS"),
               Prop(22, "Regions"), Create("A*F*CMDOK", 18)});
    f.prompter.Answers.push_back(iPrompter::Answer::Yes);
    f.Apply("A*F*TABS", [&](frmProperties *sheet) {
        auto *tabs = ShowEditor<TabListView>(sheet, Page::Tabs);
        ASSERT_TRUE(tabs);
        EXPECT_EQ(tabs->Strip()->count(), 2);
        // A tab ID used by another item of the form (the group's own IDs are the model's test).
        Retype(tabs->IdField(), "CMDOK");
        QTest::mouseClick(tabs->AddButton(), Qt::LeftButton);
        EXPECT_EQ(f.Messages().size(), 1u);
        Retype(tabs->IdField(), "TABLIST");
        QTest::mouseClick(tabs->AddButton(), Qt::LeftButton); // a third tab, "Tab1"
        Retype(tabs->CaptionField(), "Notes");
        Shot(sheet, "tabs-editor");
        tabs->Strip()->setCurrentIndex(0);
        QTest::mouseClick(tabs->DeleteButton(), Qt::LeftButton); // holds LST: asks, Yes
        EXPECT_EQ(f.prompter.Of(ScriptedPrompter::Kind::Question).size(), 1u);
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(f.items.Find("A*F*TABLIST"));
    EXPECT_FALSE(f.items.Find("A*F*LST"));
    const clsControl *notes = f.items.Find("A*F*Tab1");
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->GetProperty(22), "Notes");
    EXPECT_EQ(notes->Parent(), f.items.Find("A*F*TABS"));
    EXPECT_EQ(f.items.Find("A*F*TABS")->GetChildList(31, 31), "A*F*TABTREE" + vm + "A*F*Tab1");
}

// Rows, cells, icons, column checks and a column's drop-down grid, as the list and grid
// editors take them, reach the object.
TEST(ContentEditors, ListEditorRowsCellsIconsColumnChecksAndDropDownGrid)
{
    Fixture f({Create("A*F*LST", 21), Prop(26, "Adams" + vm + "Baker"),
               Create("A*F*GRD", 28), Prop(27, "2"), Prop(32, "Item" + vm + "Qty"),
               Prop(36, vm + "S|Small" + sv + "L|Large")});
    f.Apply("A*F*LST", [&](frmProperties *sheet) {
        auto *list = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(list);
        EXPECT_FALSE(list->Icons());
        EXPECT_FALSE(list->MaxLengthField()->isEnabled()); // grid-only
        QString asked;
        list->ChooseFile = [&](const QString &caption, const QString &filter) {
            asked = caption;
            EXPECT_TRUE(filter.contains("*.cur"));
            return QStringLiteral("baker.ico");
        };
        list->ItemsGrid()->setCurrentCell(1, 0);
        QTest::mouseClick(list->CellIconButton(), Qt::LeftButton);
        EXPECT_EQ(asked, "Item icon file or URL:");
        EXPECT_TRUE(list->Icons());
        list->IconSizeField()->setCurrentIndex(1);
        list->Pages()->setCurrentIndex(1);
        Shot(sheet, "list-editor-list");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*LST")->GetProperty(56), vm + "baker.ico");
    EXPECT_EQ(f.items.Find("A*F*LST")->GetProperty(70), "1");

    f.Apply("A*F*LST", [&](frmProperties *sheet) {
        auto *list = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->ItemsGrid()->rowCount(), 2);
        EXPECT_EQ(list->MaxDropField()->currentText(), "auto");
        list->ItemsGrid()->setCurrentCell(1, 0);
        QTest::mouseClick(list->AddRowButton(), Qt::LeftButton);
        list->PasteText("Clark\tParis\n");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*LST")->GetProperty(26), "Adams" + vm + "Baker" + vm + "Clark" + sv + "Paris");
    EXPECT_EQ(f.items.Find("A*F*LST")->GetProperty(27), "2");

    f.Apply("A*F*GRD", [&](frmProperties *sheet) {
        auto *grid = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(grid);
        // In inches the hint a column shows is the default width in inches.
        grid->SetScaleMode(5);
        grid->ColumnField()->setValue(2);
        EXPECT_EQ(grid->WidthField()->placeholderText(), "0.694");
        grid->SetScaleMode(1);
        // The second column's drop-down list shows as a two-column grid.
        grid->ColumnField()->setValue(2);
        EXPECT_EQ(grid->DropColumnsField()->value(), 2);
        EXPECT_EQ(grid->DropRowsField()->value(), 2);
        EXPECT_EQ(grid->DropGrid()->item(1, 1)->text(), "Large");
        grid->DropRowsField()->setValue(3);
        grid->DropGrid()->setItem(2, 0, new QTableWidgetItem("M|"));
        grid->DropGrid()->setItem(2, 1, new QTableWidgetItem("Medium"));
        Retype(grid->MaxLengthField(), "8");
        grid->RequiredField()->setChecked(true);
        grid->Pages()->setCurrentIndex(2);
        Shot(sheet, "list-editor-dropdown");
        grid->Pages()->setCurrentIndex(0);
        Shot(sheet, "list-editor-columns");
        // Choosing another column writes the shown column's fields back (or they would be
        // shown again without the edits when the column comes back below).
        grid->ColumnField()->setValue(1);
        grid->Pages()->setCurrentIndex(1);
        Shot(sheet, "list-editor-grid");
        // Rows and cells: a new row, cells pasted into it, a heading retyped.
        QTest::mouseClick(grid->AddRowButton(), Qt::LeftButton);
        grid->ItemsGrid()->setCurrentCell(0, 0);
        grid->PasteText("Bolt\t12");
        Shot(sheet, "list-editor");
        grid->ColumnField()->setValue(2);
        Retype(grid->HeadingField(), "Quantity");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    const clsControl *grid = f.items.Find("A*F*GRD");
    EXPECT_EQ(grid->GetProperty(36), vm + "S|Small" + sv + "L|Large" + sv + "M|Medium");
    EXPECT_EQ(grid->GetProperty(51), vm + "8");
    EXPECT_EQ(grid->GetProperty(54), vm + "1");
    EXPECT_FALSE(grid->IsNonDefault(12)); // untouched: not written
    EXPECT_EQ(grid->GetProperty(1, 2, 1), "12");
    EXPECT_EQ(grid->GetProperty(32), "Item" + vm + "Quantity");
    EXPECT_EQ(grid->GetProperty(28), "1");
}

TEST(ContentEditors, ListEditorStoresHeadingRowNewLinesColumnChecksDropDownAndIconSwitch)
{
    Fixture f({Create("A*F*GRD", 28), Prop(27, "2"), Prop(28, "2"), Prop(12, "-1"),
               Prop(36, vm + "S|Small" + sv + "L|Large"),
               Create("A*F*LST", 21), Prop(26, "Adams" + vm + "Baker"), Prop(56, vm + "baker.ico")});
    f.Apply("A*F*GRD", [&](frmProperties *sheet) {
        auto *grid = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(grid);
        grid->Pages()->setCurrentIndex(1);
        EXPECT_TRUE(grid->HeadingsField()->isChecked());
        EXPECT_TRUE(grid->AutoExtendField()->isChecked());
        EXPECT_TRUE(grid->AutoExtendField()->isEnabled());
        Tick(grid->HeadingsField());
        Tick(grid->AutoExtendField());
        EXPECT_TRUE(grid->ItemsGrid()->horizontalHeader()->isHidden());
        // The grid-wide read-only switch shows on every column; the second is cleared.
        grid->Pages()->setCurrentIndex(0);
        EXPECT_TRUE(grid->ReadOnlyField()->isChecked());
        grid->ColumnField()->setValue(2);
        EXPECT_TRUE(grid->ReadOnlyField()->isChecked());
        Tick(grid->ReadOnlyField());
        // The second column's drop-down list: its values come from its second column, whose
        // heading is typed into the field while that column is current.
        grid->Pages()->setCurrentIndex(2);
        EXPECT_EQ(grid->DropDataColumnField()->value(), 1);
        grid->DropDataColumnField()->setValue(2);
        grid->DropGrid()->setCurrentCell(0, 1);
        Retype(grid->DropHeadingField(), "Size");
        grid->DropGrid()->setCurrentCell(0, 0);
        EXPECT_EQ(grid->DropHeadingField()->text(), "");
        Retype(grid->DropHeadingField(), "Code");
        EXPECT_EQ(grid->DropGrid()->horizontalHeaderItem(1)->text(), "Size");
        Shot(sheet, "list-editor-dropdown-headings");
        grid->ColumnField()->setValue(1); // writes the second column's switch back
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    clsControl *grid = f.items.Find("A*F*GRD");
    EXPECT_EQ(grid->GetProperty(98), "0");
    EXPECT_EQ(grid->GetProperty(97), "0");
    EXPECT_EQ(grid->GetProperty(12), "1" + vm + "0");
    EXPECT_EQ(grid->GetProperty(36), vm + "*DROPDOWN|2|Code|Size" + sv + "S|Small" + sv + "L|Large");
    // The design surface follows: no heading row, no input row.
    auto *control = dynamic_cast<DesignControlBase *>(grid->ControlObject());
    ASSERT_TRUE(control);
    EXPECT_FALSE(control->HeadingRowVisible());
    EXPECT_EQ(control->GridRows(), 2);

    // Opened again, the editor shows what was stored.
    f.Apply("A*F*GRD", [&](frmProperties *sheet) {
        auto *editor = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(editor);
        EXPECT_FALSE(editor->HeadingsField()->isChecked());
        EXPECT_FALSE(editor->AutoExtendField()->isChecked());
        EXPECT_TRUE(editor->ReadOnlyField()->isChecked());
        editor->ColumnField()->setValue(2);
        EXPECT_FALSE(editor->ReadOnlyField()->isChecked());
        EXPECT_EQ(editor->DropDataColumnField()->value(), 2);
        EXPECT_EQ(editor->DropHeadingField()->text(), "Code");
        Tick(editor->HeadingsField());
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(grid->IsNonDefault(98));
    EXPECT_TRUE(control->HeadingRowVisible());

    // Switching a list's icon column off drops its icons.
    f.Apply("A*F*LST", [&](frmProperties *sheet) {
        auto *list = ShowEditor<ucListProps>(sheet, Page::List);
        ASSERT_TRUE(list);
        list->Pages()->setCurrentIndex(1);
        EXPECT_TRUE(list->IconsField()->isChecked());
        EXPECT_TRUE(list->CellIconField()->isEnabled());
        Tick(list->IconsField());
        EXPECT_FALSE(list->CellIconField()->isEnabled());
        EXPECT_FALSE(list->Icons());
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(f.items.Find("A*F*LST")->IsNonDefault(56));
}

TEST(ContentEditors, TabCountAddsAndRemovesTabsAtTheEnd)
{
    Fixture f({Create("A*F*TABS", 30), Create("A*F*TABLIST", 31, "TABS"), Prop(22, "List"),
               Create("A*F*LST", 21, "TABLIST"), Create("A*F*TABTREE", 31, "TABS"),
               Prop(22, "Regions")});
    f.prompter.Answers.push_back(iPrompter::Answer::No);
    f.Apply("A*F*TABS", [&](frmProperties *sheet) {
        auto *tabs = ShowEditor<TabListView>(sheet, Page::Tabs);
        ASSERT_TRUE(tabs);
        EXPECT_EQ(tabs->CountField()->value(), 2);
        tabs->CountField()->setValue(4);
        EXPECT_EQ(tabs->Strip()->count(), 4);
        EXPECT_EQ(tabs->Strip()->tabText(3), "Tab4");
        EXPECT_EQ(tabs->PositionLabel()->text(), "Tab 3 of 4");
        // Down to none: the empty tabs go quietly, the one holding a list asks and stays.
        tabs->CountField()->setValue(0);
        EXPECT_EQ(f.prompter.Of(ScriptedPrompter::Kind::Question).size(), 1u);
        EXPECT_EQ(tabs->Strip()->count(), 1);
        EXPECT_EQ(tabs->CountField()->value(), 1);
        // The icon field's "..." button offers the chooser and fills the field.
        EXPECT_EQ(BrowseForIcon(tabs, "list.ico"), "Tab icon file or URL:");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(f.items.Find("A*F*LST"));
    EXPECT_FALSE(f.items.Find("A*F*TABTREE"));
    EXPECT_EQ(f.items.Find("A*F*TABS")->GetChildList(31, 31), "A*F*TABLIST");
    EXPECT_EQ(f.items.Find("A*F*TABLIST")->GetProperty(56), "list.ico");
}

namespace {

// F2 on the current entry, the caption retyped in the editor that opens, Enter.
void RenameInPlace(QTreeWidget *tree, const QString &expectedStart, const QString &text)
{
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), expectedStart); // the caption alone, not "caption (ID)"
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the view commits the edit queued
}

} // namespace

TEST(ContentEditors, CaptionsAreRenamedInPlaceAndTreeNodesTakeTheirIconFromTheChooser)
{
    Fixture f({Create("A*F*TV", 33), Prop(26, Entries({{"EU", "1", "Europe"}, {"DE", "2", "Germany"}})),
               Create("A*F*MAIN", 75), Prop(26, Entries({{"FILE", "1", "&File"}, {"NEW", "2", "&New"}}))});
    f.Apply("A*F*TV", [&](frmProperties *sheet) {
        auto *tree = ShowEditor<TreeEditorView>(sheet, Page::Tree);
        ASSERT_TRUE(tree);
        tree->Select(1);
        RenameInPlace(tree->Tree(), "Germany", "Deutschland");
        EXPECT_EQ(tree->CaptionField()->text(), "Deutschland");
        EXPECT_EQ(tree->Tree()->currentItem()->text(0), "Deutschland (DE)");
        // The icon field's "..." button offers the chooser and fills the field.
        EXPECT_EQ(BrowseForIcon(tree, "flag.ico"), "Node icon file or URL:");
        tree->Select(0); // the node's fields are kept when another is chosen
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*TV")->GetProperty(26),
              Entries({{"EU", "1", "Europe"}, {"DE", "2", "Deutschland", "flag.ico"}}));

    f.Apply("A*F*MAIN", [&](frmProperties *sheet) {
        auto *bar = ShowEditor<BarEditorView>(sheet, Page::Menu);
        ASSERT_TRUE(bar);
        bar->Select(1);
        RenameInPlace(bar->Tree(), "&New", "&Open");
        // The bar's own root line is not an entry and cannot be renamed.
        bar->Tree()->setCurrentItem(bar->Tree()->topLevelItem(0));
        QTest::keyClick(bar->Tree(), Qt::Key_F2);
        EXPECT_FALSE(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    const QString items = f.items.Find("A*F*MAIN")->GetProperty(26);
    EXPECT_TRUE(items.contains("&Open"));
    EXPECT_FALSE(items.contains("&New"));
}

TEST(ContentEditors, ANewTabGroupTakesFreeTabIdsAndLeavesTheOtherGroupAlone)
{
    Fixture f({Create("A*F*TABS", 30), Create("A*F*Tab1", 31, "TABS"), Prop(22, "Keep")});
    const auto result = f.New(30, "Tabgrp2", [&](frmProperties *sheet) {
        auto *tabs = ShowEditor<TabListView>(sheet, Page::Tabs);
        ASSERT_TRUE(tabs);
        QTest::mouseClick(tabs->AddButton(), Qt::LeftButton);
        EXPECT_EQ(tabs->IdField()->text(), "Tab2");
        // The other group's tab cannot be typed instead (which IDs the form has taken, the new
        // group's own among them, is the sheet model's test).
        f.prompter.Clear();
        Retype(tabs->IdField(), "tab1");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
        ASSERT_EQ(f.Messages().size(), 1u);
        EXPECT_TRUE(f.Messages()[0].contains("tab1"));
        EXPECT_TRUE(sheet->isVisible());
        Retype(tabs->IdField(), "Tab2");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(result.Confirmed);
    EXPECT_TRUE(f.prompter.ReportTexts().empty());
    EXPECT_EQ(f.items.Find("A*F*Tab1")->GetProperty(22), "Keep");
    EXPECT_EQ(f.items.Find("A*F*Tab1")->Parent(), f.items.Find("A*F*TABS"));
    EXPECT_EQ(f.items.Find("A*F*Tabgrp2")->GetChildList(31, 31), "A*F*Tab2");
}

TEST(ContentEditors, ANewTabGroupsEventsAndTabRowsAreStoredAsItsPagesShowThem)
{
    using namespace Vocabulary;
    Fixture f(QStringList{});
    QCheckBox *rows = nullptr;
    auto result = f.New(30, "Tabgrp1", [&](frmProperties *sheet) {
        auto *tabs = ShowEditor<TabListView>(sheet, Page::Tabs);
        ASSERT_TRUE(tabs);
        tabs->CountField()->setValue(2);
        rows = qobject_cast<QCheckBox *>(sheet->FieldWidget(Prop::Style));
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->text(), "&When tabs do not fit across, display multiple tab rows");
        EXPECT_TRUE(sheet->Pages()->widget(sheet->PageIndex(Page::Tabs))->isAncestorOf(rows));
        EXPECT_GT(rows->mapTo(sheet, QPoint()).y(), tabs->mapTo(sheet, QPoint()).y());
        Tick(rows);
        Shot(sheet, "tab-group-tabs");
        sheet->Pages()->setCurrentIndex(sheet->PageIndex(Page::Events));
        QRadioButton *individual = nullptr;
        for (QRadioButton *button : sheet->findChildren<QRadioButton *>())
            if (QString(button->text()).remove(u'&') == "Individual tabs")
                individual = button;
        ASSERT_TRUE(individual);
        EXPECT_TRUE(individual->isChecked());
        Tick(sheet->EventBox(Event::Click));
        Shot(sheet, "tab-group-events");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(result.Confirmed);
    const clsControl *group = f.items.Find("A*F*Tabgrp1");
    ASSERT_TRUE(group);
    int tabCount = 0;
    for (const auto &entry : group->Children()) {
        ++tabCount;
        EXPECT_EQ(entry.Value->EventMask(), qint32(EventMaskBit(Event::Click)));
    }
    EXPECT_EQ(tabCount, 2);

    // Opened again, the pages show what was stored (that the events stay on the tabs is the
    // sheet model's test).
    result = f.Modify("A*F*Tabgrp1", [&](frmProperties *sheet) {
        EXPECT_TRUE(qobject_cast<QCheckBox *>(sheet->FieldWidget(Prop::Style))->isChecked());
        EXPECT_TRUE(sheet->EventBox(Event::Click)->isChecked());
        QTest::mouseClick(sheet->CancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(result.Confirmed);
}

TEST(ContentEditors, OptionGroupColumnsAndRowsAreOneFieldEachOnTheOptionsPage)
{
    Fixture f({Create("A*F*OPT", 19), Prop(26, "Post" + vm + "Pick up")});
    f.Apply("A*F*OPT", [&](frmProperties *sheet) {
        QWidget *options = sheet->Pages()->widget(sheet->PageIndex(Page::Options));
        for (int code : {27, 28, 40}) {
            ASSERT_TRUE(sheet->FieldWidget(code)) << code;
            EXPECT_TRUE(options->isAncestorOf(sheet->FieldWidget(code))) << code;
        }
        int columnFields = 0;
        for (QLabel *label : sheet->findChildren<QLabel *>())
            if (QString(label->text()).remove('&') == "Columns:")
                ++columnFields;
        EXPECT_EQ(columnFields, 1);
        sheet->Pages()->setCurrentIndex(sheet->PageIndex(Page::Options));
        Retype(qobject_cast<QLineEdit *>(sheet->FieldWidget(27)), "3");
        Retype(qobject_cast<QLineEdit *>(sheet->FieldWidget(28)), "2");
        Shot(sheet, "option-group-options");
        QTest::mouseClick(sheet->ConfirmButton(), Qt::LeftButton);
    });
    EXPECT_EQ(f.items.Find("A*F*OPT")->GetProperty(27), "3");
    EXPECT_EQ(f.items.Find("A*F*OPT")->GetProperty(28), "2");
    EXPECT_EQ(f.items.Find("A*F*OPT")->GetProperty(26), "Post" + vm + "Pick up");
}
