// Compound content end to end: list, grid, tree and bar values set and read through the
// design item, what the design controls show, entry addressing by index and item ID, and
// failing calls that leave content, control and non-default record as they were.
#include "model/cAppWrapper.h"
#include "model/cGridWrapper.h"
#include "model/cMenuWrapper.h"
#include "model/cTabgrpWrapper.h"
#include "model/cTabpnlWrapper.h"
#include "model/cTreeWrapper.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "ItemsFixture.h"

using namespace Vocabulary;

namespace {

const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

QString Parts(const QStringList &parts) { return parts.join(SM); }

class CompoundContentTest : public ItemsFixture
{
protected:
    // SetProperty with indexes and an item ID; returns the error number or 0.
    static int Set(clsControl &item, int code, int index1, int index2, QString value, QString itemId = {})
    {
        return ErrorOf([&] { item.SetProperty(code, index1, index2, value, itemId); });
    }
};

} // namespace

TEST_F(CompoundContentTest, ListRowsAreAddressedByRowAndColumn)
{
    clsControl &list = Make(Type::List, "LST");
    list.SetProperty(Prop::Items, Parts({"a", "1"}) + VM + Parts({"b", "2"}) + VM + Parts({"c", "3"}));
    EXPECT_EQ(Control(list)->ListRows(), (QStringList{"a\t1", "b\t2", "c\t3"}));
    EXPECT_EQ(list.GetProperty(Prop::Items, 2), Parts({"b", "2"}));
    EXPECT_EQ(list.GetProperty(Prop::Items, 3, 2), "3");
    EXPECT_TRUE(list.IsNonDefault(Prop::Items));

    EXPECT_EQ(Set(list, Prop::Items, 3, 2, "three"), 0);
    EXPECT_EQ(Control(list)->ListRows().at(2), "c\tthree");

    // Out of range or a value that would add rows (every such case is tried on the content
    // itself): nothing changes.
    const QString before = list.GetProperty(Prop::Items);
    EXPECT_EQ(Set(list, Prop::Items, 4, 0, "x"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(list, Prop::Items, 1, 0, "x" + VM + "y"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(list.GetProperty(Prop::Items), before);
    EXPECT_EQ(Control(list)->ListRows().size(), 3);

    // An empty value empties the list and is the default again.
    list.SetProperty(Prop::Items, "");
    EXPECT_TRUE(Control(list)->ListRows().isEmpty());
    EXPECT_FALSE(list.IsNonDefault(Prop::Items));
}

TEST_F(CompoundContentTest, ListColumnsFollowTheScaleUnit)
{
    clsControl &combo = Make(Type::Combo, "CB");
    EXPECT_EQ(combo.GetProperty(Prop::Columns), "0");
    combo.SetProperty(Prop::Columns, "2");
    combo.SetProperty(Prop::ColHeading, "Name" + VM + "Code");
    EXPECT_EQ(Control(combo)->ColumnCount(), 2);
    EXPECT_EQ(Control(combo)->ColumnHeadings(), (QStringList{"Name", "Code"}));
    EXPECT_EQ(Set(combo, Prop::ColWidth, 2, 0, "10"), 0);
    // Characters are 120 twips wide; the first column has no width of its own.
    EXPECT_EQ(Control(combo)->ColumnWidths(), (QList<int>{1000, 1200}));
    EXPECT_EQ(combo.GetProperty(Prop::ColWidth, 1), "8.33"); // 1000 twips in characters
    EXPECT_EQ(combo.GetProperty(Prop::ColWidth), VM + "10");

    // The same stored width means something else once the application measures in inches.
    dynamic_cast<cAppWrapper *>(app->Wrapper())->ChangeScaleMode(Scale::Inches);
    cWrapperBase::NotifyScaleChanged(*app);
    EXPECT_EQ(Control(combo)->ColumnWidths(), (QList<int>{1000, 14400}));
    EXPECT_EQ(combo.GetDefaultProperty(Prop::ColWidth), "0.69");

    combo.SetProperty(Prop::Columns, "");
    EXPECT_FALSE(combo.IsNonDefault(Prop::Columns));
}

TEST_F(CompoundContentTest, ListAndGridMethodsChangeRows)
{
    clsControl &list = Make(Type::ListMulti, "L");
    list.InvokeMethod(Method::Insert, "b");
    list.InvokeMethod(Method::Insert, "a", "1");
    EXPECT_EQ(list.GetProperty(Prop::Items), "a" + VM + "b");
    EXPECT_EQ(Control(list)->ListRows(), (QStringList{"a", "b"}));
    EXPECT_TRUE(list.IsNonDefault(Prop::Items));
    EXPECT_EQ(ErrorOf([&] { list.InvokeMethod(Method::Remove, "3"); }),
              GuiErrors::InvalidPropertyValue);
    list.InvokeMethod(Method::Remove, "1");
    EXPECT_EQ(list.GetProperty(Prop::Items), "b");
    list.InvokeMethod(Method::Clear);
    EXPECT_EQ(list.GetProperty(Prop::Items), "");
    EXPECT_FALSE(list.IsNonDefault(Prop::Items));

    clsControl &grid = Make(Type::GridProtected, "G");
    grid.SetProperty(Prop::Value, Parts({"a1", "b1"}));
    grid.InvokeMethod(Method::Insert, Parts({"a0", "b0"}), "1");
    EXPECT_EQ(grid.GetProperty(Prop::Rows), "2");
    EXPECT_EQ(Control(grid)->CellText(1, 2), "b0");
    grid.InvokeMethod(Method::Remove, "2");
    EXPECT_EQ(grid.GetProperty(Prop::Value), Parts({"a0", "b0"}));
    grid.InvokeMethod(Method::Clear);
    EXPECT_EQ(grid.GetProperty(Prop::Rows), "1");
    EXPECT_EQ(Control(grid)->CellText(1, 1), "");
}

TEST_F(CompoundContentTest, GridCellsColumnsAndRows)
{
    clsControl &grid = Make(Type::GridProtected, "G");
    grid.SetProperty(Prop::Value,
                     Parts({"a1", "b1"}) + VM + Parts({"a2", "b2"}) + VM + Parts({"a3", "b3"}));
    EXPECT_EQ(grid.GetProperty(Prop::Value, 2, 3), "b3");
    // The table set the counts, and they are saved with it.
    EXPECT_EQ(grid.GetProperty(Prop::Columns), "2");
    EXPECT_EQ(grid.GetProperty(Prop::Rows), "3");
    EXPECT_TRUE(grid.IsNonDefault(Prop::Rows));
    EXPECT_EQ(Control(grid)->GridRows(), 3);
    EXPECT_EQ(Control(grid)->CellText(3, 2), "b3");

    const QString before = grid.GetProperty(Prop::Value);
    EXPECT_EQ(Set(grid, Prop::Value, 3, 1, "x"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(grid, Prop::Value, 1, 1, "x", "ITEM"), GuiErrors::NoOptionalItemId);
    EXPECT_EQ(grid.GetProperty(Prop::Value), before);

    // A column is set as one entry per row.
    EXPECT_EQ(Set(grid, Prop::Value, 2, 0, "x" + VM + VM + "z"), 0);
    EXPECT_EQ(Control(grid)->CellText(3, 2), "z");
    EXPECT_EQ(Control(grid)->CellText(2, 2), "");
    EXPECT_EQ(Control(grid)->CellText(3, 1), "a3");

    // An empty cell is a value of its own, not the default.
    EXPECT_EQ(Set(grid, Prop::Value, 1, 1, ""), 0);
    EXPECT_EQ(grid.GetProperty(Prop::Value, 1, 1), "");
    EXPECT_TRUE(grid.IsNonDefault(Prop::Value));

    // The editable grid shows an input row that the counts leave out.
    EXPECT_FALSE(Control(grid)->IsGridEditable());
    EXPECT_TRUE(grid.ChangeType(Type::GridEditable));
    EXPECT_TRUE(Control(grid)->IsGridEditable());
    EXPECT_EQ(grid.GetProperty(Prop::GridLines), "3");
    EXPECT_EQ(grid.GetProperty(Prop::FocusStyle), "3");
    EXPECT_EQ(grid.GetProperty(Prop::Rows), "3");
    EXPECT_EQ(Control(grid)->GridRows(), 4);
    grid.SetProperty(Prop::Rows, "2");
    EXPECT_EQ(grid.GetProperty(Prop::Value, 0, 2), Parts({"a2", ""}));
    EXPECT_EQ(Control(grid)->GridRows(), 3);
}

TEST_F(CompoundContentTest, GridColumnSettings)
{
    clsControl &grid = Make(Type::GridProtected, "G");
    grid.SetProperty(Prop::Columns, "3");
    EXPECT_EQ(grid.GetProperty(Prop::ColFieldType, 2), "1");
    EXPECT_EQ(Set(grid, Prop::ColFieldType, 2, 0, "0"), 0);
    EXPECT_EQ(grid.GetProperty(Prop::ColFieldType), VM + "0");
    EXPECT_TRUE(grid.IsNonDefault(Prop::ColFieldType));
    grid.SetProperty(Prop::ColItems, VM + VM + Parts({"red", "green"}));
    grid.SetProperty(Prop::ColHeading, "A" + VM + "B");
    EXPECT_EQ(Control(grid)->ColumnHeadings(), (QStringList{"A", "B", ""}));

    auto *wrapper = dynamic_cast<cGridWrapper *>(grid.Wrapper());
    EXPECT_TRUE(wrapper->ColProps(2).IsReadOnly()); // a label column
    EXPECT_FALSE(wrapper->ColProps(1).IsReadOnly());
    EXPECT_EQ(wrapper->Content().ColumnItems(3), (QStringList{"red", "green"}));
    grid.SetProperty(Prop::ReadOnly, "1");
    EXPECT_TRUE(wrapper->ColProps(1).IsReadOnly());

    grid.SetProperty(Prop::ColFieldType, "");
    EXPECT_FALSE(grid.IsNonDefault(Prop::ColFieldType));
}

TEST_F(CompoundContentTest, TreeNodesByPathAndTreeMembers)
{
    clsControl &tree = Make(Type::Tree, "T");
    auto node = [](const QString &id, int level, const QString &caption, const QString &state = {}) {
        return Parts({id, QString::number(level), caption, "", state, ""});
    };
    tree.SetProperty(Prop::Items, node("FILES", 1, "Files") + VM + node("DOCS", 2, "Docs", "4") + VM
                                      + node("README", 3, "Read me") + VM + node("BIN", 2, "Bin"));
    const auto &shown = Control(tree)->TreeNodes();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[2].ID, "README");
    EXPECT_EQ(shown[2].Level, 3);
    EXPECT_EQ(shown[1].State, 4);

    EXPECT_EQ(tree.GetProperty(Prop::Items, 0, 0, "files\\docs\\readme"), node("README", 3, "Read me"));
    EXPECT_EQ(tree.GetProperty(Prop::Items, 3, 0, "FILES\\BIN"), "Bin");
    EXPECT_EQ(tree.GetProperty(Prop::Items, 2, 3), "Docs");
    EXPECT_EQ(Set(tree, Prop::Items, 3, 0, "Binaries", "FILES\\BIN"), 0);
    EXPECT_EQ(Set(tree, Prop::Hint, 0, 0, "Programs", "FILES\\BIN"), 0);
    EXPECT_EQ(shown[3].Caption, "Binaries");
    EXPECT_EQ(shown[3].Hint, "Programs");
    EXPECT_FALSE(tree.IsNonDefault(Prop::Hint)); // the tree's own hint is untouched
    EXPECT_EQ(tree.GetProperty(Prop::Hint), "");

    auto *wrapper = dynamic_cast<cTreeWrapper *>(tree.Wrapper());
    wrapper->TreeSetValue("FILES\\DOCS\\README");
    EXPECT_EQ(wrapper->TreeGetValue(), "FILES\\DOCS\\README");
    wrapper->TreeSetCaption("FILES", "All files");
    wrapper->TreeSetIcon("FILES", "folder.ico");
    wrapper->TreeSetState("FILES\\BIN", "5");
    EXPECT_EQ(shown[0].Caption, "All files");
    EXPECT_EQ(wrapper->TreeGetIcon("files"), "folder.ico");
    EXPECT_EQ(wrapper->TreeGetCheckedNodes(), "FILES\\DOCS" + VM + "FILES\\BIN");
    EXPECT_EQ(wrapper->GetTreeNodePath("readme"), "FILES\\DOCS\\README");
    EXPECT_EQ(wrapper->TreeGetItems(), tree.GetProperty(Prop::Items));

    // Bad levels and paths change nothing; other codes take no path.
    const QString before = tree.GetProperty(Prop::Items);
    EXPECT_EQ(Set(tree, Prop::Items, 2, 0, node("DOCS", 1, "")), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(tree, Prop::Items, 0, 0, "x", "NOPE"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(tree, Prop::BackColor, 0, 0, "1", "FILES"), GuiErrors::NoOptionalItemId);
    EXPECT_EQ(ErrorOf([&] { wrapper->TreeSetStyle(6); }), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(tree.GetProperty(Prop::Items), before);
    EXPECT_EQ(shown[0].Caption, "All files");

    // Changes made through the members are saved like any other.
    tree.SetProperty(Prop::Items, "");
    EXPECT_FALSE(tree.IsNonDefault(Prop::Items));
    wrapper->TreeSetStyle(16 + 3);
    EXPECT_EQ(tree.GetProperty(Prop::Style), "19");
    EXPECT_FALSE(wrapper->NoAutoTips());
    app->SetProperty(Prop::NoAutoTips, "1");
    EXPECT_TRUE(wrapper->NoAutoTips());
    wrapper->SetNoAutoTips(false);
    EXPECT_FALSE(wrapper->NoAutoTips());
}

TEST_F(CompoundContentTest, MenuLevelsAndItemAddressing)
{
    clsControl &menu = items.CreateItem(Type::Menu, "APP*F1*MENU");
    auto entry = [](const QString &id, const QString &level) { return Parts({id, level, id}); };
    const QString good = entry("FILE", "1") + VM + entry("OPEN", "2") + VM + entry("SAVE", "2")
                         + VM + entry("HELP", "1");
    EXPECT_EQ(Set(menu, Prop::Items, 0, 0, good), 0);
    const auto &shown = Control(menu)->BarItems();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].ItemKind, DesignBarItem::SubMenu);
    EXPECT_EQ(shown[1].ItemKind, DesignBarItem::Command);
    EXPECT_EQ(shown[1].Level, 2);

    EXPECT_EQ(Set(menu, Prop::Items, 2, 0, "3", "OPEN"), GuiErrors::MenuLevelNotSequential);
    EXPECT_EQ(Set(menu, Prop::Items, 2, 0, "x", "OPEN"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(menu, Prop::Items, 5, 0, "x"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(menu, Prop::Items, 0, 0, "x", "NOPE"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(menu, Prop::Visible, 0, 0, "maybe", "SAVE"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(menu.GetProperty(Prop::Items), good);
    EXPECT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[1].Level, 2);

    // Entries by item ID, one part of an entry by index 1 with the ID or index 2 without.
    EXPECT_EQ(menu.GetProperty(Prop::Items, 0, 0, "open"), entry("OPEN", "2"));
    EXPECT_EQ(menu.GetProperty(Prop::Items, 3, 0, "save"), "SAVE");
    EXPECT_EQ(menu.GetProperty(Prop::Items, 4, 3), "HELP");
    EXPECT_EQ(Set(menu, Prop::Items, 3, 0, "&Save", "SAVE"), 0);
    EXPECT_EQ(Set(menu, Prop::Visible, 0, 0, "0", "HELP"), 0);
    EXPECT_EQ(menu.GetProperty(Prop::Visible, 0, 0, "HELP"), "0");
    EXPECT_EQ(menu.GetProperty(Prop::Visible, 0, 0, "FILE"), "1");
    EXPECT_EQ(shown[2].Caption, "&Save");
    EXPECT_FALSE(shown[3].Visible);
    EXPECT_EQ(menu.GetProperty(Prop::Visible), "1"); // the bar itself stays visible
    EXPECT_FALSE(menu.IsNonDefault(Prop::Visible));

    auto *bar = dynamic_cast<cMenuWrapper *>(menu.Wrapper());
    bar->SetItemToolTip("open", "Open a file");
    EXPECT_EQ(shown[1].ToolTip, "Open a file");
    EXPECT_EQ(ErrorOf([&] { bar->SetItemCaption("NOPE", "x"); }), GuiErrors::InvalidPropertyValue);

    // The default mask is the one mask a menu takes, so a loaded bar is accepted.
    EXPECT_EQ(menu.EventMask(), 0x20);
    menu.SetProperty(Prop::EventMask, "32");
    EXPECT_FALSE(menu.IsNonDefault(Prop::EventMask));
    menu.SetProperty(Prop::EventMask, "");
    EXPECT_EQ(menu.EventMask(), 0x20);
    EXPECT_EQ(Set(menu, Prop::EventMask, 0, 0, "64"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(menu.EventMask(), 0x20);
    bar->Disable();
    EXPECT_FALSE(bar->Enabled());
}

TEST_F(CompoundContentTest, StatusPanelsWidthsAndKeywords)
{
    app->SetProperty(Prop::Scale, QString::number(Scale::Inches));
    clsControl &status = items.CreateItem(Type::Statusbar, "APP*F1*SB");
    auto panel = [](const QString &id, const QString &width, const QString &align = {}) {
        return Parts({id, "", id, "", "1", "1", "", "", "", width, align});
    };
    status.SetProperty(Prop::Items, panel("*caps", "0") + VM + panel("CAPS", "-1") + VM
                                        + panel("MSG", "2.5", "2") + VM + panel("TINY", "0.0002"));
    const auto &shown = Control(status)->BarItems();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].ItemKind, DesignBarItem::AutoPanel);
    EXPECT_EQ(shown[0].PanelKeyword, "CAPS");
    EXPECT_EQ(shown[0].PanelWidth, 0);
    EXPECT_EQ(shown[1].ItemKind, DesignBarItem::TextPanel);
    EXPECT_EQ(shown[1].PanelWidth, -1);
    EXPECT_EQ(shown[2].PanelWidth, 3600);
    EXPECT_EQ(shown[2].PanelAlign, 2);
    // A fixed width below half a twip stays fixed rather than becoming automatic.
    EXPECT_EQ(shown[3].PanelWidth, 1);

    EXPECT_EQ(status.GetProperty(Prop::Align, 0, 0, "msg"), "2");
    EXPECT_EQ(Set(status, Prop::Align, 0, 0, "1", "MSG"), 0);
    EXPECT_EQ(shown[2].PanelAlign, 1);
    auto *bar = dynamic_cast<cMenuWrapper *>(status.Wrapper());
    bar->SetItemWidth("MSG", "1");
    EXPECT_EQ(shown[2].PanelWidth, 1440);
    EXPECT_EQ(status.GetProperty(Prop::Items, 3, 10), "1");

    // The stored widths follow the application's unit.
    app->SetProperty(Prop::Scale, QString::number(Scale::Twips));
    EXPECT_EQ(shown[2].PanelWidth, 1);
    EXPECT_EQ(bar->ItemWidth("MSG"), "1");

    // A status bar reports any event.
    status.SetProperty(Prop::EventMask, "12345");
    EXPECT_EQ(status.EventMask(), 12345);
}

TEST_F(CompoundContentTest, ItemIdsReachOnlyTreesAndBars)
{
    for (int type : {Type::Text, Type::List, Type::Combo, Type::Option, Type::GridProtected}) {
        clsControl &item = Make(type, QString("C%1").arg(type));
        EXPECT_EQ(ErrorOf([&] { item.GetProperty(Prop::Items, 0, 0, "ITEM"); }),
                  GuiErrors::NoOptionalItemId)
            << "type " << type;
        EXPECT_EQ(Set(item, Prop::Items, 0, 0, "x", "ITEM"), GuiErrors::NoOptionalItemId);
    }
    clsControl &menu = items.CreateItem(Type::Menu, "APP*F1*M");
    EXPECT_EQ(Set(menu, Prop::Style, 0, 0, "x", "ITEM"), GuiErrors::NoOptionalItemId);

    clsControl &options = Make(Type::Option, "OPT");
    options.SetProperty(Prop::Items, "Red" + VM + "Green");
    EXPECT_EQ(Control(options)->ListRows(), (QStringList{"Red", "Green"}));
    EXPECT_EQ(Set(options, Prop::Items, 3, 0, "Blue"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(options.GetProperty(Prop::Items, 2), "Green");
}

TEST_F(CompoundContentTest, ReorderedTabPanelsRebuildTheStrip)
{
    clsControl &group = Make(Type::Tabgroup, "TG");
    clsControl &p1 = Make(Type::Tab, "P1", "TG");
    clsControl &p2 = Make(Type::Tab, "P2", "TG");
    clsControl &p3 = Make(Type::Tab, "P3", "TG");
    p1.SetProperty(Prop::Caption, "One");
    auto *second = dynamic_cast<cTabpnlWrapper *>(p2.Wrapper());
    second->SetSelected(true);
    EXPECT_EQ(Control(group)->Tabs(), (QStringList{"One", "P2", "P3"}));

    EXPECT_TRUE(p3.RepositionItem("P1", false));
    EXPECT_EQ(Control(group)->Tabs(), (QStringList{"P3", "One", "P2"}));
    // The panel shown stays the same panel.
    auto *wrapper = dynamic_cast<cTabgrpWrapper *>(group.Wrapper());
    EXPECT_EQ(wrapper->SelectedTabPanel(), 3);
    EXPECT_EQ(Control(group)->CurrentTab(), 3);
    EXPECT_TRUE(second->Selected());
    EXPECT_FALSE(dynamic_cast<cTabpnlWrapper *>(p1.Wrapper())->Selected());
    EXPECT_EQ(group.GetChildList(-1, -1),
              "APP*F1*P3" + VM + "APP*F1*P1" + VM + "APP*F1*P2");

    p2.DeleteItem();
    EXPECT_EQ(Control(group)->Tabs(), (QStringList{"P3", "One"}));
    EXPECT_EQ(wrapper->SelectedTabPanel(), 2);
    EXPECT_EQ(wrapper->SelectedPanel(), &p1);

    // A new panel joins the end of the strip; panels are placed by their group, not moved.
    clsControl &p4 = Make(Type::Tab, "P4", "TG");
    EXPECT_EQ(Control(group)->Tabs(), (QStringList{"P3", "One", "P4"}));
    const int moves = Control(p4)->MoveCount();
    p4.Move("5", "5", "5", "5");
    EXPECT_EQ(Control(p4)->MoveCount(), moves);
    // A panel before the one shown goes: the same panel stays shown.
    p3.DeleteItem();
    EXPECT_EQ(wrapper->SelectedTabPanel(), 1);
    EXPECT_EQ(wrapper->SelectedPanel(), &p1);
}

TEST_F(CompoundContentTest, GridHeadingRowInputRowAndPerColumnChecks)
{
    clsControl &grid = Make(Type::GridEditable, "G");
    grid.SetProperty(Prop::Columns, "2");
    grid.SetProperty(Prop::Rows, "3");
    EXPECT_TRUE(Control(grid)->HeadingRowVisible());
    EXPECT_EQ(Control(grid)->GridRows(), 4); // the input row
    EXPECT_EQ(grid.GetProperty(Prop::HeadingRow), "1");
    grid.SetProperty(Prop::HeadingRow, "0");
    grid.SetProperty(Prop::AutoExtend, "false");
    EXPECT_FALSE(Control(grid)->HeadingRowVisible());
    EXPECT_EQ(Control(grid)->GridRows(), 3);
    EXPECT_TRUE(grid.IsNonDefault(Prop::AutoExtend));
    grid.SetProperty(Prop::AutoExtend, "");
    EXPECT_EQ(Control(grid)->GridRows(), 4);
    EXPECT_FALSE(grid.IsNonDefault(Prop::AutoExtend));
    EXPECT_EQ(Set(grid, Prop::HeadingRow, 0, 0, "2"), GuiErrors::InvalidPropertyValue);

    // Column checks: one value for all, or one per column; "0" everywhere is the default.
    auto *wrapper = dynamic_cast<cGridWrapper *>(grid.Wrapper());
    EXPECT_FALSE(wrapper->Required());
    grid.SetProperty(Prop::Required, "0" + VM + "-1");
    EXPECT_EQ(grid.GetProperty(Prop::Required), "0" + VM + "1");
    EXPECT_EQ(grid.GetProperty(Prop::Required, 2), "1");
    EXPECT_TRUE(wrapper->Required());
    EXPECT_EQ(Set(grid, Prop::ReadOnly, 0, 0, "1" + VM + "maybe"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(grid, Prop::ReadOnly, 0, 0, "1" + SM + "0"), GuiErrors::InvalidPropertyValue);
    EXPECT_FALSE(grid.IsNonDefault(Prop::ReadOnly));
    grid.SetProperty(Prop::ReadOnly, "0" + VM + "0");
    EXPECT_FALSE(grid.IsNonDefault(Prop::ReadOnly));
    grid.SetProperty(Prop::ReadOnly, "TRUE");
    EXPECT_EQ(grid.GetProperty(Prop::ReadOnly), "1");
    EXPECT_TRUE(wrapper->ColProps(2).IsReadOnly());
    EXPECT_EQ(Set(grid, Prop::ReadOnly, 1, 0, "0"), 0);
    EXPECT_EQ(grid.GetProperty(Prop::ReadOnly), "0" + VM + "1");
    EXPECT_FALSE(wrapper->ColProps(1).IsReadOnly());
    EXPECT_TRUE(wrapper->ColProps(2).IsReadOnly());
    grid.SetProperty(Prop::MaxLen, "007");
    EXPECT_EQ(grid.GetProperty(Prop::MaxLen, 2), "7");

    // A text box keeps its scalar switches.
    clsControl &text = Make(Type::Text, "T");
    EXPECT_EQ(Set(text, Prop::ReadOnly, 0, 0, "1" + VM + "0"), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(Set(text, Prop::HeadingRow, 0, 0, "0"), GuiErrors::NotSupported);
}
