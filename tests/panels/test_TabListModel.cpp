// The tab list editor's model: tab IDs unique in the group, the delete question, and a plan
// that touches only what the user changed.
#include "panels/TabListModel.h"

#include <gtest/gtest.h>

namespace {
std::vector<TabListModel::Tab> ThreeTabs()
{
    std::vector<TabListModel::Tab> tabs(3);
    tabs[0].Id = "TABLIST";
    tabs[0].Caption = "List";
    tabs[0].HoldsControls = true;
    tabs[1].Id = "TABTREE";
    tabs[1].Caption = "Regions";
    tabs[2].Id = "TABMORE";
    tabs[2].Caption = "More";
    return tabs;
}
} // namespace

TEST(TabListModel, IdsAreUniqueInTheGroupAndAgainstOtherItems)
{
    TabListModel model;
    model.Load(ThreeTabs());
    EXPECT_EQ(model.Position(1), "Tab 2 of 3");
    EXPECT_EQ(model.CheckId(1, "tablist"),
              "Tab ID tablist is already used in this group.\nPlease select a different ID.");
    EXPECT_TRUE(model.CheckId(1, "TabTree").isEmpty());
    auto taken = [](const QString &id) { return id.toUpper() == "CMDOK" || id.toUpper() == "TABMORE"; };
    EXPECT_FALSE(model.CheckId(1, "cmdOK", taken).isEmpty());
    // A panel of the group may take the ID of another panel the user renamed away.
    model.SetId(2, "TABEXTRA");
    EXPECT_TRUE(model.CheckId(1, "TABMORE", taken).isEmpty());
    EXPECT_EQ(model.CheckId(0, ""), "Please enter a valid tab ID.");
}

TEST(TabListModel, PlanNamesEveryChangeAndNothingElse)
{
    TabListModel model;
    model.Load(ThreeTabs());
    auto plan = model.MakePlan();
    EXPECT_TRUE(plan.Removed.empty() && plan.Renamed.empty() && plan.Added.empty()
                && plan.Changed.empty() && !plan.Reordered);

    EXPECT_EQ(model.DeleteQuestion(0),
              "The List tab contains one or more controls.\nAre you sure you want to delete this tab?");
    EXPECT_TRUE(model.DeleteQuestion(1).isEmpty());
    model.Delete(0);
    model.SetId(0, "TABREGIONS");
    model.SetCaption(1, "Extra");
    const int added = model.Add();
    EXPECT_EQ(model.At(added).Caption, "Tab");
    EXPECT_EQ(model.At(added).Id, "Tab1");
    plan = model.MakePlan();
    EXPECT_EQ(plan.Removed, std::vector<QString>{"TABLIST"});
    ASSERT_EQ(plan.Renamed.size(), 1u);
    EXPECT_EQ(plan.Renamed[0].second, "TABREGIONS");
    EXPECT_EQ(plan.Added, std::vector<int>{2});
    EXPECT_EQ(plan.Changed, std::vector<int>{1});
    EXPECT_FALSE(plan.Reordered); // the new tab is at the end

    EXPECT_EQ(model.MoveUp(2), 1);
    EXPECT_TRUE(model.MakePlan().Reordered);
    model.SetCount(5);
    EXPECT_EQ(model.At(4).Caption, "Tab5");
}

TEST(TabListModel, NewTabsTakeIdsThatAreFreeOnTheWholeForm)
{
    // A second tab group on a form whose first group has Tab1 and a button Tab3.
    TabListModel model;
    model.SetTakenElsewhere([](const QString &id) { return id.toUpper() == "TAB1" || id.toUpper() == "TAB3"; });
    model.Load({});
    EXPECT_EQ(model.At(model.Add()).Id, "Tab2");
    EXPECT_EQ(model.At(model.Add()).Id, "Tab4");
    model.SetCount(3);
    EXPECT_EQ(model.At(2).Id, "Tab5");
    // Typed IDs are checked against the form without being handed the check.
    EXPECT_FALSE(model.CheckId(0, "tab1").isEmpty());
    model.SetId(1, "tab3");
    int index = -1;
    EXPECT_FALSE(model.Validate({}, &index).isEmpty());
    EXPECT_EQ(index, 1);
}
