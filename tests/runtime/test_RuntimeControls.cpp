// The other live control kinds: list, drop-down combo, tab group, editable and protected
// grids, check-box lists, a continuous timer and a form resize raise their events with
// their arguments, and only where the event mask enables them.
#include "runtime/clsGuiRuntime.h"

#include "RuntimeTestSupport.h"
#include "controls/GridControl.h"
#include "controls/ListBox.h"
#include "controls/TabStrip.h"
#include "controls/TextBox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

using RuntimeTest::Cmd;
using RuntimeTest::Create;
using RuntimeTest::Prop;
using RuntimeTest::EventRow;

namespace {
const QString VM = Marks::ValueMark();


struct Kinds : RuntimeTest::CollectingRuntime
{
    void SetUp() override
    {
        Start("0", {
            Cmd({"2", "K", "", "1", "0", "0", "80", "30", "1073741824"}),
            Cmd({"2", "K*F", "", "8", "0", "0", "60", "40", "32768"}),
            Create("K*F*LST", 21, "1", 32 | 64), Prop(26, "Red" + VM + "Green" + VM + "Blue"),
            Create("K*F*CBO", 23, "6", 32 | 128), Prop(26, "One" + VM + "Two"),
            Create("K*F*TABS", 30, "8", 32), Create("K*F*T1", 31, "0", 0, "TABS"), Prop(22, "First"),
            Create("K*F*T2", 31, "0", 0, "TABS"), Prop(22, "Second"),
            Cmd({"2", "K*F*ROWS", "", "30", "1", "12", "20", "8", "32"}), Prop(10, "1"),
            Create("K*F*R1", 31, "0", 0, "ROWS"), Prop(22, "Customers"),
            Create("K*F*R2", 31, "0", 0, "ROWS"), Prop(22, "Orders"),
            Create("K*F*R3", 31, "0", 0, "ROWS"), Prop(22, "Invoices"),
            Create("K*F*R4", 31, "0", 0, "ROWS"), Prop(22, "Payments"),
            Create("K*F*GRD", 28, "14", 0x4000 | 0x400 | 0x20000 | 0x40000 | 0x80000 | 0x800),
            Prop(27, "2"), Prop(28, "3"),
            Create("K*F*PROT", 27, "20", 0x400 | 0x4000 | 32), Prop(27, "2"), Prop(28, "2"),
            Create("K*F*CHK", 34, "26", 128), Prop(26, "A" + VM + "B"),
            Cmd({"2", "K*F*TMR", "", "35", "", "", "", "", "4194304"}), Prop(10, "1"), Prop(60, "5"),
            Create("K*F*TXT", 16, "32", 128 | 256),
            Create("K*F*EXT", 28, "34", 0), Prop(27, "2"), Prop(28, "1"), Prop(12, "0" + VM + "1"),
            Prop(51, "3"), Prop(98, "0"),
            Create("K*F*FIX", 28, "36", 0), Prop(27, "1"), Prop(28, "1"), Prop(97, "0")},
            {"K*F"});
        if (HasFatalFailure())
            return;
        runtime.Execute(Cmd({"6", "K*F*TMR", "8"})); // the timer waits for its own test
        Take();
    }
};
} // namespace

TEST_F(Kinds, ListsCombosAndTabsReportWhatWasChosen)
{
    auto *list = qobject_cast<ListBox *>(runtime.WidgetOf("K*F*LST"));
    ASSERT_TRUE(list && list->topLevelItemCount() == 3);
    const QRect second = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    const QList<QStringList> got = Take();
    ASSERT_FALSE(got.isEmpty());
    EXPECT_EQ(got.first(), EventRow("K*F*LST", 32, {"2"}));
    EXPECT_TRUE(got.contains(EventRow("K*F*LST", 64, {"2"})));

    auto *combo = qobject_cast<QComboBox *>(runtime.WidgetOf("K*F*CBO"));
    ASSERT_TRUE(combo && combo->isEditable());
    QTest::keyClicks(combo->lineEdit(), "x");
    combo->activated(1); // what choosing the second entry emits
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("K*F*CBO", 128), EventRow("K*F*CBO", 32, {"2"})}));

    auto *tabs = qobject_cast<QTabWidget *>(runtime.WidgetOf("K*F*TABS"));
    ASSERT_TRUE(tabs && tabs->count() == 2);
    EXPECT_EQ(tabs->tabText(1), "Second");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("K*F*TABS", 32, {"2"})});

    // A check-box list has Change enabled: checking an entry names it.
    auto *checks = qobject_cast<ListBox *>(runtime.WidgetOf("K*F*CHK"));
    ASSERT_TRUE(checks && checks->HasCheckBoxes());
    checks->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("K*F*CHK", 128, {"1"})});
}

TEST_F(Kinds, TabsThatDoNotFitAcrossWrapOntoRowsWhenTheGroupAsks)
{
    auto *wrapped = qobject_cast<TabPages *>(runtime.WidgetOf("K*F*ROWS"));
    auto *plain = qobject_cast<TabPages *>(runtime.WidgetOf("K*F*TABS"));
    ASSERT_TRUE(wrapped && plain && wrapped->count() == 4);
    EXPECT_FALSE(plain->Strip()->MultiRow());
    TabStrip *strip = wrapped->Strip();
    ASSERT_TRUE(strip->MultiRow());
    const int rows = strip->RowCount(strip->width());
    EXPECT_GT(rows, 1);
    EXPECT_EQ(strip->height(), rows * strip->RowHeight());
    // The pages start below the last row; a click on the last row's tab shows its page.
    EXPECT_GE(wrapped->widget(0)->mapTo(wrapped, QPoint()).y(), strip->height() - 4);
    QTest::mouseClick(strip, Qt::LeftButton, {}, {strip->width() - 3, strip->height() - 3});
    EXPECT_EQ(wrapped->currentIndex(), 3);
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("K*F*ROWS", 32, {"4"})});
}

TEST_F(Kinds, TextBoxesValidateWhenLeftAfterAChangeAndMarksNeverSplitARow)
{
    auto *box = qobject_cast<TextBox *>(runtime.WidgetOf("K*F*TXT"));
    ASSERT_TRUE(box);
    QTest::keyClicks(box->LineEdit(), "a");
    box->LineEdit()->insert(VM + "b"); // a value mark pasted in
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(box->LineEdit(), &out);
    QCoreApplication::sendEvent(box->LineEdit(), &out); // nothing changed since: no second one
    const QList<QStringList> got = Take();
    ASSERT_EQ(got.size(), 3); // typing and pasting are two changes
    EXPECT_EQ(got[0], EventRow("K*F*TXT", 128));
    EXPECT_EQ(got[1], EventRow("K*F*TXT", 128));
    EXPECT_EQ(got[2], EventRow("K*F*TXT", 256, {"a b"}));
}

TEST_F(Kinds, EditableGridsRaiseCellAndRowEventsProtectedOnesDoNot)
{
    auto *grid = qobject_cast<QTableWidget *>(runtime.WidgetOf("K*F*GRD"));
    // Three rows and the input row below them.
    ASSERT_TRUE(grid && grid->rowCount() == 4 && grid->columnCount() == 2);
    grid->setCurrentCell(0, 0);
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("K*F*GRD", 0x40000, {"1"}), EventRow("K*F*GRD", 0x4000, {"1", "1"})}));
    grid->model()->setData(grid->model()->index(0, 0), "7"); // what the cell editor commits
    grid->setCurrentCell(1, 1);
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("K*F*GRD", 0x400, {"1", "1", "7"}),
                                          EventRow("K*F*GRD", 0x20000, {"1", "1"}),
                                          EventRow("K*F*GRD", 0x800, {"1"}),
                                          EventRow("K*F*GRD", 0x80000, {"1"}),
                                          EventRow("K*F*GRD", 0x40000, {"2"}),
                                          EventRow("K*F*GRD", 0x4000, {"2", "2"})}));

    // The protected grid cannot be edited and raises no cell events, only its Click.
    auto *prot = qobject_cast<QTableWidget *>(runtime.WidgetOf("K*F*PROT"));
    ASSERT_TRUE(prot);
    EXPECT_EQ(prot->editTriggers(), QAbstractItemView::NoEditTriggers);
    prot->setCurrentCell(1, 1);
    prot->cellClicked(0, 1); // what a click on the cell emits
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("K*F*PROT", 32, {"1", "2"})});
}

TEST_F(Kinds, GridsHonourHeadingRowNewLinesAndColumnChecks)
{
    auto *grid = qobject_cast<GridControl *>(runtime.WidgetOf("K*F*EXT"));
    ASSERT_TRUE(grid);
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());
    ASSERT_EQ(grid->rowCount(), 2);
    // Typing into the input row adds the next one; an empty text does not.
    grid->model()->setData(grid->model()->index(1, 0), "");
    EXPECT_EQ(grid->rowCount(), 2);
    grid->model()->setData(grid->model()->index(1, 0), "new");
    EXPECT_EQ(grid->rowCount(), 3);
    // The second column is read only: no editor; the first takes three characters.
    QStyleOptionViewItem option;
    QAbstractItemDelegate *delegate = grid->itemDelegate();
    EXPECT_EQ(delegate->createEditor(grid->viewport(), option, grid->model()->index(0, 1)), nullptr);
    std::unique_ptr<QWidget> editor(delegate->createEditor(grid->viewport(), option, grid->model()->index(0, 0)));
    auto *line = qobject_cast<QLineEdit *>(editor.get());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->maxLength(), 3);
    EXPECT_EQ(grid->ColumnMaxLength(1), 3); // one value: every column

    // Without new lines the editable grid shows its rows only and stays that size.
    auto *fixed = qobject_cast<GridControl *>(runtime.WidgetOf("K*F*FIX"));
    ASSERT_TRUE(fixed);
    EXPECT_FALSE(fixed->horizontalHeader()->isHidden());
    ASSERT_EQ(fixed->rowCount(), 1);
    fixed->model()->setData(fixed->model()->index(0, 0), "x");
    EXPECT_EQ(fixed->rowCount(), 1);
}

TEST_F(Kinds, TimersAndResizeRaiseTheirEventsUntilShutdown)
{
    ASSERT_EQ(runtime.Execute(Cmd({"6", "K*F*TMR", "7"})).Status.value(0).value(0), "0");
    QList<QStringList> got;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        got += Take();
        return got.size() >= 2;
    }, 500)); // continuous
    EXPECT_EQ(got[0], EventRow("K*F*TMR", 4194304));
    runtime.Execute(Cmd({"6", "K*F*TMR", "8"}));
    Take();

    QWidget *form = runtime.WidgetOf("K*F");
    form->resize(form->width() + 40, form->height());
    got = Take();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].mid(0, 2), (QStringList{"K*F", "32768"}));
    EXPECT_EQ(got[0].size(), 5); // width and height in the scale unit

    // The last form of an SDI application closed (its Close not enabled): it hides and the
    // application quits.
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("K", 1073741824)});

    runtime.Execute(Cmd({"6", "K*F*TMR", "7"}));
    runtime.Execute("99");
    QTest::qWait(30);
    EXPECT_TRUE(rows.isEmpty());
}
