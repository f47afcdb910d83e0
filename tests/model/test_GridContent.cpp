// GridContent: row-major cell addressing by column and row, resizing that keeps cells, the
// per-column settings, and the editing rules of the column records.
#include "model/GridContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

#include <climits>

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

// A 3 x 3 grid whose cells read "c<column>r<row>".
GridContent ThreeByThree()
{
    GridContent grid;
    QStringList rows;
    for (int r = 1; r <= 3; ++r) {
        QStringList cells;
        for (int c = 1; c <= 3; ++c)
            cells.append(QStringLiteral("c%1r%2").arg(c).arg(r));
        rows.append(cells.join(SM));
    }
    grid.SetValue(rows.join(VM));
    return grid;
}
} // namespace

TEST(GridContent, ValueIsAddressedByColumnThenRow)
{
    GridContent grid = ThreeByThree();
    EXPECT_EQ(grid.ColumnCount(), 3);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.GetValue(2, 3), "c2r3");
    EXPECT_EQ(grid.GetValue(2), "c2r1" + VM + "c2r2" + VM + "c2r3");
    EXPECT_EQ(grid.GetValue(0, 3), "c1r3" + SM + "c2r3" + SM + "c3r3");

    grid.SetValue("X", 3, 1);
    grid.SetValue("a" + VM + "b", 1); // the last row's cell of column 1 is emptied
    grid.SetValue("p" + SM + "q", 0, 2);
    EXPECT_EQ(grid.GetValue(),
              "a" + SM + "c2r1" + SM + "X" + VM + "p" + SM + "q" + SM + VM + SM + "c2r3" + SM + "c3r3");
}

TEST(GridContent, IndexesOutsideTheGridAndMarksInACellRaise380AndChangeNothing)
{
    GridContent grid = ThreeByThree();
    const QString before = grid.GetValue();
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x", 4, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x", 1, 4); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x", INT_MAX, INT_MAX); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x", -1, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x" + SM + "y", 1, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("x" + VM + "y", 0, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("a" + SM + "b" + SM + "c" + SM + "d", 0, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("a" + VM + "b" + VM + "c" + VM + "d", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetValue("a" + Marks::AttributeMark()); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.GetValue(0, 4); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.InsertRow(5, ""); }), 380);
    EXPECT_EQ(grid.GetValue(), before);
}

TEST(GridContent, ResizingKeepsTheCellsThatStayInside)
{
    GridContent grid = ThreeByThree();
    grid.SetColumnProperty(ContentCodes::ColHeading, "A" + VM + "B" + VM + "C");
    grid.SetRows("5");
    EXPECT_EQ(grid.GetValue(3, 3), "c3r3");
    EXPECT_EQ(grid.GetValue(0, 5), SM + SM);

    grid.SetColumns("2");
    grid.SetColumns("3");
    EXPECT_EQ(grid.GetValue(1, 1), "c1r1");
    EXPECT_EQ(grid.GetValue(3, 1), "");
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::ColHeading), "A" + VM + "B");

    grid.SetRows("1");
    EXPECT_EQ(grid.GetValue(), "c1r1" + SM + "c2r1" + SM);

    // Sizes that no grid could hold are refused.
    EXPECT_EQ(ErrorOf([&] { grid.SetRows("2147483647"); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumns("99999999999"); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetRows("-1"); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetRows("2.5"); }), 380);
    EXPECT_EQ(grid.RowCount(), 1);
    grid.SetRows("");
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST(GridContent, WholeValueGrowsTheGridAndTheInputRowIsNotContent)
{
    GridContent grid(true);
    grid.SetColumns("1");
    grid.SetValue("a" + SM + "b" + VM + "c");
    EXPECT_EQ(grid.ColumnCount(), 2);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.DisplayRowCount(), 3);
    EXPECT_EQ(ErrorOf([&] { grid.GetValue(1, 3); }), 380);
    grid.SetEditable(false);
    EXPECT_EQ(grid.DisplayRowCount(), 2);

    // A smaller table empties the rest and keeps the size.
    grid.SetValue("z");
    EXPECT_EQ(grid.GetValue(), "z" + SM + VM + SM);
    grid.ClearCells();
    EXPECT_EQ(grid.GetValue(1, 1), "");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(GridContent, ColumnSettingsAreValidatedPerEntry)
{
    GridContent grid(false, 1.0);
    grid.SetColumns("3");
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::ColFieldType, 2), "1");
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::ColWidth, 3), "1000");

    grid.SetColumnProperty(ContentCodes::ColItems, "Red" + SM + "Green" + VM + VM + "x|1" + SM + "y|2");
    EXPECT_EQ(grid.ColumnItems(1), QStringList({"Red", "Green"}));
    EXPECT_TRUE(grid.ColumnItems(2).isEmpty());
    grid.SetColumnProperty(ContentCodes::ColItems, "A" + SM + "B", 2);
    EXPECT_EQ(grid.ColumnItems(2), QStringList({"A", "B"}));

    const QString fieldTypes = "0" + VM + "7";
    grid.SetColumnProperty(ContentCodes::ColFieldType, fieldTypes);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::ColFieldType, "8", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::ColFieldType, "1" + VM + "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::ColSizable, "2", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::ColHint, "a" + SM, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::ColHeading, "a", 4); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::Columns, "a"); }), 438);
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::ColFieldType), fieldTypes);

    grid.SetColumnProperty(ContentCodes::ReadOnly, "1", 3);
    grid.SetColumnProperty(ContentCodes::ColTabStop, "0", 3);
    const clsGridColProps third = grid.ColProps(3);
    EXPECT_EQ(third.FieldType, GridFieldTypes::TextBox);
    EXPECT_TRUE(third.ReadOnly);
    EXPECT_FALSE(third.TabStop);
    EXPECT_EQ(grid.ColProps(1).FieldType, GridFieldTypes::Label);

    grid.SetColumnProperty(ContentCodes::ColWidth, "1500", 1);
    EXPECT_EQ(grid.DisplayWidths(), QList<int>({1500, 1000, 1000}));
}

TEST(GridContent, ColumnRecordsDecideWhatEditingMayDo)
{
    auto column = [](int fieldType, bool readOnly = false) {
        clsGridColProps props;
        props.FieldType = fieldType;
        props.ReadOnly = readOnly;
        return props;
    };
    for (int type : {GridFieldTypes::Label, GridFieldTypes::LabelEllipsis, GridFieldTypes::LabelIcon,
                     GridFieldTypes::LabelButton}) {
        EXPECT_TRUE(column(type).IsReadOnly()) << type;
        EXPECT_TRUE(column(type).CanCopy());
        EXPECT_FALSE(column(type).CanPaste());
        EXPECT_FALSE(column(type).CanCutRange());
    }
    EXPECT_TRUE(column(GridFieldTypes::TextBox).CanCut());
    EXPECT_TRUE(column(GridFieldTypes::DropDownCombo).CanCut());
    EXPECT_FALSE(column(GridFieldTypes::CheckBox).CanCut());
    EXPECT_TRUE(column(GridFieldTypes::CheckBox).CanCutRange());
    EXPECT_FALSE(column(GridFieldTypes::TextBox, true).CanCut());
    EXPECT_FALSE(column(GridFieldTypes::TextBox, true).CanPasteValue("x"));

    EXPECT_TRUE(column(GridFieldTypes::TextBox).CanPasteValue("anything"));
    EXPECT_FALSE(column(GridFieldTypes::TextBox).CanPasteValue("a" + VM + "b"));
    EXPECT_TRUE(column(GridFieldTypes::CheckBox).CanPasteValue("yes"));
    EXPECT_FALSE(column(GridFieldTypes::CheckBox).CanPasteValue("maybe"));
    const QStringList list = {"Red", "x|Extra"};
    EXPECT_TRUE(column(GridFieldTypes::DropDownList).CanPasteValue("red", list));
    EXPECT_TRUE(column(GridFieldTypes::DropDownList).CanPasteValue("x", list));
    EXPECT_TRUE(column(GridFieldTypes::DropDownList).CanPasteValue("", list));
    EXPECT_FALSE(column(GridFieldTypes::DropDownList).CanPasteValue("Blue", list));
}

TEST(GridContent, RowAndCellRecordsFollowTheirRows)
{
    GridContent grid = ThreeByThree();
    clsGridRowProps row;
    row.ItemID = "REC2";
    grid.SetRowProps(2, row);
    clsGridCellProps cell;
    cell.Changed = true;
    cell.ItemID = "CELL";
    grid.SetCellProps(3, 2, cell);

    grid.InsertRow(1, "new");
    EXPECT_EQ(grid.GetValue(0, 1), "new" + SM + SM);
    EXPECT_EQ(grid.RowProps(3).ItemID, "REC2");
    EXPECT_TRUE(grid.CellProps(3, 3).Changed);
    EXPECT_FALSE(grid.CellProps(2, 3).Changed);

    grid.RemoveRow(1);
    EXPECT_EQ(grid.CellProps(3, 2).ItemID, "CELL");
    grid.SetColumns("2");
    grid.SetColumns("3");
    EXPECT_FALSE(grid.CellProps(3, 2).Changed);
    EXPECT_EQ(ErrorOf([&] { grid.RowProps(4); }), 380);
}

TEST(GridContent, ReadOnlyRequiredAndMaxLenHoldOneValueOrOnePerColumn)
{
    GridContent grid;
    grid.SetColumns("3");
    for (int code : {ContentCodes::ReadOnly, ContentCodes::Required}) {
        // One value: every column, also after the grid shrinks to none and grows again.
        grid.SetColumnProperty(code, "1");
        EXPECT_EQ(grid.GetColumnProperty(code, 3), "1") << code;
        grid.SetColumns("0");
        grid.SetColumns("2");
        EXPECT_EQ(grid.GetColumnProperty(code), "1") << code;
        EXPECT_EQ(grid.GetColumnProperty(code, 2), "1") << code;
        grid.SetColumns("3");
        // One column changed: the others keep the shared value.
        grid.SetColumnProperty(code, "0", 2);
        EXPECT_EQ(grid.GetColumnProperty(code), "1" + VM + "0" + VM + "1") << code;
        // Two or more entries are per column; a missing one is the default.
        grid.SetColumnProperty(code, VM + "1");
        EXPECT_EQ(grid.GetColumnProperty(code, 1), "0") << code;
        EXPECT_EQ(grid.GetColumnProperty(code, 2), "1") << code;
        EXPECT_EQ(grid.GetColumnProperty(code, 3), "0") << code;
        EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(code, "yes", 1); }), 380) << code;
    }
    grid.SetColumnProperty(ContentCodes::MaxLen, "8" + VM + VM + "20");
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::MaxLen, 2), "0");
    EXPECT_EQ(grid.GetColumnProperty(ContentCodes::MaxLen, 3), "20");
    EXPECT_EQ(ErrorOf([&] { grid.SetColumnProperty(ContentCodes::MaxLen, "-1", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { grid.GetColumnProperty(ContentCodes::MaxLen, 4); }), 380);

    // The editing record follows the column's own switch.
    grid.SetColumnProperty(ContentCodes::ReadOnly, "0" + VM + "1");
    EXPECT_FALSE(grid.ColProps(1).IsReadOnly());
    EXPECT_TRUE(grid.ColProps(2).IsReadOnly());
    grid.SetColumnProperty(ContentCodes::ReadOnly, "1");
    EXPECT_TRUE(grid.ColProps(3).IsReadOnly());
}

TEST(GridContent, DropDownListsCarryDataColumnAndHeadingsAndOldEntriesReadAsBefore)
{
    struct Case
    {
        QString entry;
        int dataColumn;
        QStringList headings;
        QStringList rows;
    };
    const Case cases[] = {
        {"", 0, {}, {}},
        {"Red" + SM + "Green", 0, {}, {"Red", "Green"}},
        {"S|Small" + SM + "L|Large", 0, {}, {"S|Small", "L|Large"}},
        {"*DROPDOWN|2|Code|Size" + SM + "S|Small", 2, {"Code", "Size"}, {"S|Small"}},
        {"*DROPDOWN||Code" + SM + "S|Small", 0, {"Code"}, {"S|Small"}},
        {"*dropdown|3", 3, {}, {}},
        // Not a heading row: the keyword is not the first value, or stands in a later row.
        {"x|*DROPDOWN|2", 0, {}, {"x|*DROPDOWN|2"}},
        {"a" + SM + "*DROPDOWN|2", 0, {}, {"a", "*DROPDOWN|2"}},
    };
    for (const Case &c : cases) {
        const GridDropDown list = GridDropDown::Parse(c.entry);
        EXPECT_EQ(list.DataColumn, c.dataColumn) << qPrintable(c.entry);
        EXPECT_EQ(list.Headings, c.headings) << qPrintable(c.entry);
        EXPECT_EQ(list.Rows, c.rows) << qPrintable(c.entry);
        if (c.entry != "*dropdown|3") // the keyword is written in capitals
            EXPECT_EQ(list.Format(), c.entry) << qPrintable(c.entry);
    }
    // Nothing to say: no heading row is written.
    GridDropDown plain{0, {"", ""}, {"a|b"}};
    EXPECT_EQ(plain.Format(), "a|b");
    plain.DataColumn = 1;
    EXPECT_EQ(plain.Format(), "a|b");

    GridContent grid;
    grid.SetColumns("1");
    grid.SetColumnProperty(ContentCodes::ColItems, "*DROPDOWN|2|Code|Name" + SM + "S|Small" + SM + "L|Large");
    EXPECT_EQ(grid.ColumnItems(1), QStringList({"S|Small", "L|Large"}));
    EXPECT_EQ(grid.ColumnDropDown(1).DataColumn, 2);
    clsGridColProps column;
    column.FieldType = GridFieldTypes::DropDownList;
    EXPECT_TRUE(column.CanPasteValue("Large", grid.ColumnItems(1), 2));
    EXPECT_FALSE(column.CanPasteValue("L", grid.ColumnItems(1), 2));
    EXPECT_FALSE(column.CanPasteValue("Code", grid.ColumnItems(1), 1)); // the heading is no entry
}
