// The item list editor's model: rows, columns and per-column settings of lists and grids
// edited without disturbing what the user did not touch, and pasted text split into cells.
#include "panels/ListPropsModel.h"
#include "model/GridContent.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

namespace {
const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));
}

TEST(ListPropsModel, GridColumnsMoveTheirSettingsAndCells)
{
    ListPropsModel model;
    model.LoadProps(28, {{ListPropsModel::Columns, "3"},
                         {ListPropsModel::ColHeading, "Item" + vm + "Quantity" + vm + "Price"},
                         {ListPropsModel::Value, "a" + sv + "1" + sv + "9.5" + vm + "b"}});
    EXPECT_TRUE(model.Changes().empty());
    EXPECT_EQ(model.ColumnCount(), 3);
    EXPECT_EQ(model.RowCount(), 2);
    EXPECT_EQ(model.InsertColumn(1), 1);
    model.SetColumnValue(ListPropsModel::ColHeading, 1, "Unit");
    model.SetColumnValue(ListPropsModel::ColWidth, 1, "12");
    model.DeleteColumn(3);
    model.DeleteRow(1);
    const auto changes = model.Changes();
    EXPECT_EQ(changes.count(ListPropsModel::Columns), 0u); // back to three
    EXPECT_EQ(changes.at(ListPropsModel::ColHeading), "Item" + vm + "Unit" + vm + "Quantity");
    EXPECT_EQ(changes.at(ListPropsModel::ColWidth), vm + "12");
    EXPECT_EQ(changes.at(ListPropsModel::Value), "a" + sv + sv + "1");
    EXPECT_EQ(changes.at(ListPropsModel::Rows), "1");
    GridContent grid;
    EXPECT_NO_THROW({
        grid.SetColumns("3");
        grid.SetColumnProperty(32, changes.at(ListPropsModel::ColHeading));
        grid.SetColumnProperty(37, changes.at(ListPropsModel::ColWidth));
        grid.SetValue(changes.at(ListPropsModel::Value));
    });
    EXPECT_EQ(grid.Cell(3, 1), "1");
}

TEST(ListPropsModel, PasteSplitsLinesAndTabsAndGrowsTheTable)
{
    ListPropsModel list;
    list.LoadProps(21, {{ListPropsModel::Items, "Adams" + vm + "Baker"}});
    EXPECT_EQ(list.Paste(1, 0, "Brown\tLondon\r\nClark\tParis\r\n"), 4);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.Store().at(ListPropsModel::Items),
              "Adams" + vm + "Brown" + sv + "London" + vm + "Clark" + sv + "Paris");
    EXPECT_EQ(list.Store().at(ListPropsModel::Columns), "2");
    EXPECT_EQ(list.Paste(0, 0, QString("x") + QChar(Marks::Attribute) + "y"), 1);
    EXPECT_EQ(list.Cell(0, 0), "xy");

    ListPropsModel grid;
    grid.LoadProps(27, {});
    grid.Paste(0, 1, "1\t2\n3");
    EXPECT_EQ(grid.ColumnCount(), 3);
    EXPECT_EQ(grid.Scalar(ListPropsModel::Rows), "2");
}

TEST(ListPropsModel, MaxDropShowsAutoWhenUnset)
{
    ListPropsModel combo;
    combo.LoadProps(23, {{ListPropsModel::MaxDrop, ""}});
    EXPECT_EQ(combo.MaxDropText(), "auto");
    EXPECT_TRUE(combo.SetMaxDropText("8"));
    EXPECT_EQ(combo.Changes().at(ListPropsModel::MaxDrop), "8");
    EXPECT_FALSE(combo.SetMaxDropText("many"));
    EXPECT_TRUE(combo.SetMaxDropText("AUTO"));
    EXPECT_TRUE(combo.Changes().empty());
}

TEST(ListPropsModel, IconsAndColumnChecksFollowTheirRowsAndColumns)
{
    ListPropsModel list;
    list.LoadProps(21, {{ListPropsModel::Items, "a" + vm + "b" + vm + "c"},
                        {ListPropsModel::Icon, vm + "b.ico"}});
    EXPECT_TRUE(list.ShowIcons());
    EXPECT_EQ(list.CellIcon(1, 0), "b.ico");
    list.InsertRow(0);
    EXPECT_EQ(list.CellIcon(2, 0), "b.ico");
    list.DeleteRow(0);
    list.SetCellIcon(2, 0, " c.png ");
    EXPECT_EQ(list.Changes().at(ListPropsModel::Icon), vm + "b.ico" + vm + "c.png");
    // Clearing every icon stores an empty value, not a row of empty entries.
    list.SetCellIcon(1, 0, "");
    list.SetCellIcon(2, 0, "");
    EXPECT_EQ(list.Changes().at(ListPropsModel::Icon), "");
    EXPECT_FALSE(list.HasIcons());

    ListPropsModel plain;
    plain.LoadProps(21, {{ListPropsModel::Items, "a" + vm + "b"}});
    plain.InsertRow(0);
    EXPECT_EQ(plain.Changes().count(ListPropsModel::Icon), 0u); // no icons, none invented

    ListPropsModel grid;
    grid.LoadProps(28, {{ListPropsModel::Columns, "3"},
                        {ListPropsModel::MaxLen, "5"},
                        {ListPropsModel::Icon, "x" + sv + "y" + sv + "z"}});
    EXPECT_TRUE(grid.Changes().empty());
    grid.DeleteColumn(1);
    grid.InsertColumn(0);
    grid.SetColumnValue(ListPropsModel::ReadOnly, 1, "1");
    const auto changes = grid.Changes();
    EXPECT_EQ(changes.count(ListPropsModel::MaxLen), 0u); // the whole grid's, columns aside
    EXPECT_EQ(changes.at(ListPropsModel::Icon), sv + "x" + sv + "z");
    EXPECT_EQ(changes.at(ListPropsModel::ReadOnly), vm + "1");
}

TEST(ListPropsModel, NewColumnWidthFollowsTheScaleMode)
{
    ListPropsModel grid;
    grid.LoadProps(27, {});
    grid.SetScaleMode(1); // twips
    EXPECT_EQ(grid.DefaultWidthText(), "1000");
    grid.SetScaleMode(5); // inches
    EXPECT_EQ(grid.DefaultWidthText(), "0.694");
    grid.SetScaleMode(6); // millimeters
    EXPECT_EQ(grid.DefaultWidthText(), "17.639");
}

TEST(ListPropsModel, DefaultRowIsTheGridsStoredRowAndFollowsItsRow)
{
    ListPropsModel m;
    m.LoadProps(27, {{ListPropsModel::Rows, QStringLiteral("3")}, {ListPropsModel::Row, QStringLiteral("0")}});
    EXPECT_EQ(m.DefaultRow(), 0);
    m.SetDefaultRow(0); // untouched: the stored "0" stays
    EXPECT_TRUE(m.Changes().empty());

    m.SetDefaultRow(2);
    EXPECT_EQ(m.Changes().at(ListPropsModel::Row), QStringLiteral("2"));
    m.InsertRow(0);
    EXPECT_EQ(m.DefaultRow(), 3);
    m.DeleteRow(0);
    EXPECT_EQ(m.DefaultRow(), 2);
    m.DeleteRow(1);
    EXPECT_EQ(m.DefaultRow(), 0);
    EXPECT_EQ(m.Store().at(ListPropsModel::Row), QStringLiteral("0"));

    // Nothing stored and nothing chosen writes no Row; a list has no default row.
    ListPropsModel fresh;
    fresh.LoadProps(28, {});
    EXPECT_EQ(fresh.Store().count(ListPropsModel::Row), 0u);
    ListPropsModel list;
    list.LoadProps(21, {{ListPropsModel::Items, QStringLiteral("a")}});
    list.SetDefaultRow(1);
    EXPECT_EQ(list.DefaultRow(), 0);
    EXPECT_EQ(list.Store().count(ListPropsModel::Row), 0u);
}

TEST(ListPropsModel, GridWideChecksBecomePerColumnOnlyWhileTheColumnsDiffer)
{
    for (int code : {ListPropsModel::ReadOnly, ListPropsModel::Required, ListPropsModel::MaxLen}) {
        const QString on = code == ListPropsModel::MaxLen ? "8" : "1";
        ListPropsModel grid;
        grid.LoadProps(28, {{ListPropsModel::Columns, "3"}, {code, on}});
        EXPECT_TRUE(grid.Changes().empty()) << code;
        EXPECT_EQ(grid.ColumnValue(code, 2), on) << code; // one value: every column
        // A column added or removed keeps sharing the value.
        grid.InsertColumn(0);
        grid.DeleteColumn(3);
        EXPECT_TRUE(grid.Changes().empty()) << code;
        // One column differs: one entry per column; the same again: one value.
        grid.SetColumnValue(code, 1, "0");
        EXPECT_EQ(grid.Changes().at(code), on + vm + "0" + vm + on) << code;
        grid.SetColumnValue(code, 1, on);
        EXPECT_TRUE(grid.Changes().empty()) << code;
        // No column has it: nothing stored.
        for (int c = 0; c < 3; ++c)
            grid.SetColumnValue(code, c, "0");
        EXPECT_EQ(grid.Changes().at(code), "") << code;

        // Deleting a column of a per-column list never leaves one entry that would read as
        // every column's.
        ListPropsModel per;
        per.LoadProps(28, {{ListPropsModel::Columns, "3"}, {code, "0" + vm + on + vm + "0"}});
        per.DeleteColumn(0);
        EXPECT_EQ(per.ColumnValue(code, 0), on) << code;
        EXPECT_NE(per.ColumnValue(code, 1), on) << code;
        EXPECT_EQ(per.Changes().at(code), on + vm + "0") << code;
    }
}

TEST(ListPropsModel, HeadingRowAndNewLineSwitchesAreStoredOnlyWhenOff)
{
    ListPropsModel grid;
    grid.LoadProps(28, {{ListPropsModel::Columns, "2"}});
    EXPECT_TRUE(grid.ShowHeadings());
    EXPECT_TRUE(grid.AddsNewLines());
    grid.SetShowHeadings(false);
    grid.SetAddsNewLines(false);
    EXPECT_EQ(grid.Changes(), (ListPropsModel::Values{{ListPropsModel::AutoExtend, "0"},
                                                     {ListPropsModel::HeadingRow, "0"}}));
    grid.SetShowHeadings(true);
    grid.SetAddsNewLines(true);
    EXPECT_TRUE(grid.Changes().empty());

    // Stored off, switched on: the stored "0" is replaced by nothing.
    ListPropsModel off;
    off.LoadProps(28, {{ListPropsModel::HeadingRow, "0"}, {ListPropsModel::AutoExtend, "0"}});
    EXPECT_FALSE(off.ShowHeadings());
    EXPECT_FALSE(off.AddsNewLines());
    EXPECT_TRUE(off.Changes().empty());
    off.SetShowHeadings(true);
    EXPECT_EQ(off.Changes(), (ListPropsModel::Values{{ListPropsModel::HeadingRow, "1"}}));

    // Only an editable grid adds lines; a list has neither switch.
    ListPropsModel protectedGrid;
    protectedGrid.LoadProps(27, {});
    EXPECT_FALSE(protectedGrid.AddsNewLines());
    protectedGrid.SetAddsNewLines(true);
    EXPECT_TRUE(protectedGrid.Changes().empty());
    ListPropsModel list;
    list.LoadProps(21, {{ListPropsModel::Items, "a"}});
    list.SetShowHeadings(false);
    EXPECT_TRUE(list.Changes().empty());
}

TEST(ListPropsModel, ListWithoutItsIconColumnStoresNoIcons)
{
    ListPropsModel list;
    list.LoadProps(21, {{ListPropsModel::Items, "a" + vm + "b"}, {ListPropsModel::Icon, vm + "b.ico"}});
    EXPECT_TRUE(list.ShowIcons());
    list.SetShowIcons(false);
    EXPECT_EQ(list.Changes(), (ListPropsModel::Values{{ListPropsModel::Icon, ""}}));
    EXPECT_EQ(list.CellIcon(1, 0), "b.ico"); // kept until applied
    list.SetShowIcons(true);
    EXPECT_TRUE(list.Changes().empty());

    // Stored entries that name no icon stay as they are.
    ListPropsModel empty;
    empty.LoadProps(21, {{ListPropsModel::Items, "a" + vm + "b"}, {ListPropsModel::Icon, vm}});
    EXPECT_FALSE(empty.ShowIcons());
    EXPECT_TRUE(empty.Changes().empty());
}

TEST(ListPropsModel, DropDownDataColumnAndHeadingsAreStoredWithTheColumnsList)
{
    const QString old = "S|Small" + sv + "L|Large";
    ListPropsModel grid;
    grid.LoadProps(28, {{ListPropsModel::Columns, "2"}, {ListPropsModel::ColItems, vm + old}});
    GridDropDown list = grid.DropDown(1);
    EXPECT_EQ(list.EffectiveDataColumn(), 1);
    EXPECT_TRUE(list.Headings.isEmpty());
    // The same list written again leaves the stored text alone.
    grid.SetDropDown(1, list);
    EXPECT_TRUE(grid.Changes().empty());
    list.DataColumn = 1;
    list.Headings = QStringList{"", ""};
    grid.SetDropDown(1, list);
    EXPECT_TRUE(grid.Changes().empty());

    list.DataColumn = 2;
    list.Headings = QStringList{"Co|de", "Size" + vm};
    grid.SetDropDown(1, list);
    EXPECT_EQ(grid.Changes().at(ListPropsModel::ColItems), vm + "*DROPDOWN|2|Code|Size" + sv + old);
    EXPECT_EQ(grid.DropDownItems(1), (QStringList{"S|Small", "L|Large"}));
    // New rows keep the heading row.
    grid.SetDropDownItems(1, {"M|Medium"});
    EXPECT_EQ(grid.Changes().at(ListPropsModel::ColItems), vm + "*DROPDOWN|2|Code|Size" + sv + "M|Medium");
}
