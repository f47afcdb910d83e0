// The recovery dialog: one checked row per project with its application, document (or "not
// saved yet") and time; Recover and Discard act on the checked rows only and need one;
// Later, Escape and closing keep everything.
#include "ModalDriver.h"

#include "designer/frmRecover.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
using Choice = frmRecover::Choice;

QList<frmRecover::Row> Rows()
{
    const QDateTime time(QDate(2026, 12, 7), QTime(1, 2, 3), Qt::UTC);
    return {{"ORDERS", "/home/u/orders.gui", time}, {"APP1", "", time.addSecs(60)}};
}
} // namespace

TEST(frmRecover, RowsShowWhatWasKept)
{
    frmRecover dialog(Rows());
    EXPECT_EQ(dialog.windowTitle(), "Recover unsaved work");
    QTreeWidget *list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "ORDERS");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "/home/u/orders.gui");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "not saved yet");
    EXPECT_FALSE(list->topLevelItem(1)->text(2).isEmpty());
    EXPECT_EQ(dialog.Chosen(), (QList<int>{0, 1}));
    EXPECT_EQ(dialog.RecoverButton()->text(), "&Recover");
    EXPECT_EQ(dialog.DiscardButton()->text(), "&Discard");
    EXPECT_EQ(dialog.LaterButton()->text(), "&Later");
    EXPECT_TRUE(dialog.RecoverButton()->isDefault());
    // Nothing checked: nothing to recover or discard.
    list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(dialog.RecoverButton()->isEnabled());
    EXPECT_FALSE(dialog.DiscardButton()->isEnabled());
    EXPECT_TRUE(dialog.LaterButton()->isEnabled());
}

TEST(frmRecover, ButtonsAnswerForTheCheckedRows)
{
    struct Case
    {
        const char *what;
        std::function<void(frmRecover *)> user;
        Choice choice;
        QList<int> chosen;
    };
    const std::vector<Case> cases = {
        {"Enter recovers all", [](frmRecover *d) { QTest::keyClick(d, Qt::Key_Return); }, Choice::Recover, {0, 1}},
        {"Discard the second",
         [](frmRecover *d) {
             d->List()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
             QTest::mouseClick(d->DiscardButton(), Qt::LeftButton);
         },
         Choice::Discard, {1}},
        {"Later keeps all", [](frmRecover *d) { QTest::mouseClick(d->LaterButton(), Qt::LeftButton); }, Choice::Later, {}},
        {"Escape is Later", [](frmRecover *d) { QTest::keyClick(d, Qt::Key_Escape); }, Choice::Later, {}},
    };
    for (const Case &c : cases) {
        WhenModal<frmRecover>(c.user);
        QList<int> chosen{99};
        EXPECT_EQ(frmRecover::Ask(Rows(), nullptr, chosen), c.choice) << c.what;
        EXPECT_EQ(chosen, c.chosen) << c.what;
    }
}
