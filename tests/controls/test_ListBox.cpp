// ListBox: rows filled and check boxes switched without a change notice per row, so a list of
// hundreds of thousands of entries costs what its rows cost; the rows survive the switch.
#include "controls/ListBox.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(ListBox, LongListsFillAndSwitchCheckBoxesWithoutANoticePerRow)
{
    QStringList rows;
    for (int i = 0; i < 200000; ++i)
        rows << (i % 2 ? QStringLiteral("Entry %1").arg(i) : QStringLiteral("Entry %1\tsecond").arg(i));
    ListBox list;
    list.resize(200, 300);
    list.SetCheckBoxes(true);
    QSignalSpy changed(list.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    list.SetRows(rows);
    EXPECT_EQ(changed.size(), 0);
    EXPECT_EQ(inserted.size(), 1);
    ASSERT_EQ(list.topLevelItemCount(), 200000);
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.topLevelItem(7)->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(list.topLevelItem(7)->flags() & Qt::ItemIsUserCheckable);

    list.topLevelItem(3)->setCheckState(0, Qt::Checked);
    changed.clear();
    list.SetCheckBoxes(false);
    list.SetCheckBoxes(false); // no change, nothing to do
    EXPECT_EQ(changed.size(), 0);
    EXPECT_FALSE(list.topLevelItem(3)->data(0, Qt::CheckStateRole).isValid());
    EXPECT_FALSE(list.topLevelItem(3)->flags() & Qt::ItemIsUserCheckable);
    list.SetCheckBoxes(true);
    EXPECT_EQ(changed.size(), 0);
    EXPECT_EQ(list.topLevelItem(3)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(list.Rows().mid(0, 2), rows.mid(0, 2));
    EXPECT_EQ(list.Rows().size(), rows.size());
}
