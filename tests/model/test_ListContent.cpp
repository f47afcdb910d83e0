// ListContent: rows and columns of list items, index addressing that refuses what lies
// outside the list without touching it, and the per-column settings with their defaults.
#include "model/ListContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

#include <climits>

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

} // namespace

TEST(ListContent, EntriesBecomeRowsWithTheirPartsJoinedByATab)
{
    ListContent list;
    const QString items = "A" + SM + "1" + VM + "B" + SM + "2" + VM + "C" + SM + "3";
    list.SetItems(items);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.DisplayRows(), QStringList({"A\t1", "B\t2", "C\t3"}));
    EXPECT_EQ(list.GetItems(), items);

    // Empty entries and empty parts survive the round trip; the empty value is no row.
    const QString sparse = VM + "x" + SM + SM + VM;
    list.SetItems(sparse);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.GetItems(), sparse);
    list.SetItems("");
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.GetItems(), "");
}

TEST(ListContent, IndexesAddressARowOrOneColumnOfIt)
{
    ListContent list;
    list.SetColumns("3");
    list.SetItems("A" + SM + "1" + VM + "B" + SM + "2");

    EXPECT_EQ(list.GetItems(2), "B" + SM + "2");
    EXPECT_EQ(list.GetItems(2, 2), "2");
    EXPECT_EQ(list.GetItems(2, 3), ""); // inside the column count, beyond the row's parts

    list.SetItems("Z", 1, 3);
    EXPECT_EQ(list.GetItems(1), "A" + SM + "1" + SM + "Z");
    list.SetItems("Q" + SM + "R", 2);
    EXPECT_EQ(list.GetItems(), "A" + SM + "1" + SM + "Z" + VM + "Q" + SM + "R");
}

TEST(ListContent, OutOfRangeIndexesAndStrayMarksRaise380AndChangeNothing)
{
    ListContent list;
    list.SetItems("A" + SM + "1" + VM + "B");
    const QString before = list.GetItems();

    EXPECT_EQ(ErrorOf([&] { list.SetItems("x", 3); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x", INT_MAX, INT_MAX); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x", -1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x", 0, 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x", 1, 3); }), 380); // single column, two parts
    // A row must not smuggle in new rows, a cell not new columns.
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x" + VM + "y", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x" + SM + "y", 1, 1); }), 380);
    // Attribute and segment marks would split the stored record.
    EXPECT_EQ(ErrorOf([&] { list.SetItems("x" + Marks::AttributeMark() + "y"); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetItems(Marks::SegmentMark(), 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.InsertRow(4, "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.RemoveRow(0); }), 380);
    EXPECT_EQ(list.GetItems(), before);

    EXPECT_EQ(ErrorOf([&] { list.GetItems(3); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.GetItems(1, 3); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumns("many"); }), 380);
    EXPECT_EQ(list.GetColumns(), "0");
}

TEST(ListContent, InsertAndRemoveShiftTheRows)
{
    ListContent list;
    list.SetItems("A" + VM + "C");
    list.InsertRow(2, "B");
    list.InsertRow(0, "D");
    list.InsertRow(5, "E");
    EXPECT_EQ(list.DisplayRows(), QStringList({"A", "B", "C", "D", "E"}));
    list.RemoveRow(1);
    EXPECT_EQ(list.DisplayRow(1), "B");
    list.Clear();
    EXPECT_EQ(list.RowCount(), 0);
}

TEST(ListContent, ColumnSettingsTakeOneColumnByIndexAndDefaultFromTheScale)
{
    ListContent list(1440.0); // inches
    list.SetColumns("2");
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColWidth, 2), "0.69");
    list.SetTwipsPerUnit(1.0);
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColWidth, 1), "1000");

    list.SetColumnProperty(ContentCodes::ColHeading, "Name", 2);
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColHeading), VM + "Name");
    list.SetColumnProperty(ContentCodes::ColAlign, "1" + VM + "2");
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColAlign, 2), "2");
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColDataType, 1), "0");

    // Bad entries and indexes leave the stored list alone.
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::ColAlign, "0" + VM + "3"); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::ColDataType, "15", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::ColWidth, "-5", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::ColHeading, "x", 3); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::ColHeading, "a" + SM + "b", 1); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.GetColumnProperty(ContentCodes::ColHeading, 3); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.SetColumnProperty(ContentCodes::Items, "x"); }), 438);
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColAlign), "1" + VM + "2");
    EXPECT_EQ(list.GetColumnProperty(ContentCodes::ColHeading), VM + "Name");

    // The design control gets one heading and one width in twips per column.
    list.SetTwipsPerUnit(1440.0);
    list.SetColumnProperty(ContentCodes::ColWidth, "2.5", 2);
    EXPECT_EQ(list.DisplayWidths(), QList<int>({1000, 3600}));
    EXPECT_EQ(list.DisplayHeadings(), QStringList({"", "Name"}));
}

TEST(ListContent, LargeListsRoundTrip)
{
    QStringList entries;
    for (int i = 0; i < 10000; ++i)
        entries.append(QString::number(i) + SM + "row");
    const QString value = entries.join(VM);
    ListContent list;
    list.SetItems(value);
    EXPECT_EQ(list.RowCount(), 10000);
    EXPECT_EQ(list.GetItems(), value);
    EXPECT_EQ(list.GetItems(9999, 1), "9998");

    // A value made only of marks is that many empty rows.
    list.SetItems(QString(500, QChar(Marks::Value)));
    EXPECT_EQ(list.RowCount(), 501);
    EXPECT_EQ(list.DisplayRow(501), "");
}
