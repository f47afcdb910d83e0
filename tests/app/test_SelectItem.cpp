// Selecting an item: one sizer shown at a time, the tree node highlighted, the description
// in the status bar and the menus told, and refusals that leave the selection alone.
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iFormFuncs.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct Fixture
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};
    RecordingTree tree;
    RecordingCommandStates states;

    Fixture()
    {
        designer.SetProjectTree(&tree);
        designer.SetCommandStates(&states);
        EXPECT_TRUE(designer.SetTemplate(Project({MinimalApp(), Create("APP*F", 5),
                                                  Create("APP*F*Label1", 15), Create("APP*F*Text1", 16),
                                                  Create("APP*F*Timer1", 35)})));
        tree.Calls.clear();
        prompter.StatusTexts.clear();
        states.Refreshes = 0;
    }
    clsControl &Item(const QString &id) { return *items.Find(id); }
};
} // namespace

TEST(SelectItem, MovesTheActiveSizerAndTellsEveryView)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("app*f*label1"));
    clsControl &label = f.Item("APP*F*LABEL1");
    EXPECT_EQ(f.designer.CurrentItem(), &label);
    ASSERT_NE(label.ExistingSizer(), nullptr);
    EXPECT_TRUE(label.ExistingSizer()->IsActive());
    EXPECT_EQ(f.tree.Calls, QStringList{"highlight APP*F*Label1"});
    EXPECT_EQ(f.prompter.StatusTexts, (std::vector<QString>{"Label APP*F*Label1"}));
    EXPECT_EQ(f.states.Refreshes, 1);

    ASSERT_TRUE(f.designer.SelectItem(&f.Item("APP*F*TEXT1")));
    EXPECT_FALSE(label.ExistingSizer()->IsActive());
    EXPECT_TRUE(f.Item("APP*F*TEXT1").ExistingSizer()->IsActive());
    EXPECT_EQ(f.states.Refreshes, 2);

    // Selecting the same item again keeps its sizer shown.
    ASSERT_TRUE(f.designer.SelectItem("APP*F*TEXT1"));
    EXPECT_TRUE(f.Item("APP*F*TEXT1").ExistingSizer()->IsActive());

    // A form has a sizer of its own; a timer has none but is still selected.
    ASSERT_TRUE(f.designer.SelectItem("APP*F"));
    EXPECT_FALSE(f.Item("APP*F*TEXT1").ExistingSizer()->IsActive());
    ASSERT_TRUE(f.designer.SelectItem("APP*F*Timer1"));
    EXPECT_EQ(f.Item("APP*F*TIMER1").ExistingSizer(), nullptr);
    EXPECT_FALSE(f.Item("APP*F").ExistingSizer()->IsActive());
    EXPECT_EQ(f.tree.Calls.last(), "highlight APP*F*Timer1");
}

TEST(SelectItem, RefusalsAndClearingLeaveNoSizerShown)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("APP*F*Label1"));
    const int refreshes = f.states.Refreshes;

    // Unknown IDs, the root and a detached item are refused and change nothing.
    EXPECT_FALSE(f.designer.SelectItem("APP*F*Nothing"));
    EXPECT_FALSE(f.designer.SelectItem(QString()));
    EXPECT_FALSE(f.designer.SelectItem(f.items.Root()));
    auto detached = f.items.CreateDefaultItem(15, &f.Item("APP*F"));
    EXPECT_FALSE(f.designer.SelectItem(detached.get()));
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("APP*F*LABEL1"));
    EXPECT_TRUE(f.Item("APP*F*LABEL1").ExistingSizer()->IsActive());
    EXPECT_EQ(f.states.Refreshes, refreshes);

    // No selection: the sizer goes, the status text is emptied.
    ASSERT_TRUE(f.designer.SelectItem(nullptr));
    EXPECT_EQ(f.designer.CurrentItem(), nullptr);
    EXPECT_FALSE(f.Item("APP*F*LABEL1").ExistingSizer()->IsActive());
    EXPECT_EQ(f.prompter.StatusTexts.back(), QString());
}

TEST(SelectItem, DeletingTheSelectionDoesNotLeaveItBehind)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("APP*F*Label1"));
    f.designer.RemoveControl("APP*F");
    EXPECT_EQ(f.designer.CurrentItem(), nullptr);
    // The next selection must not touch the deleted item's sizer.
    EXPECT_TRUE(f.designer.SelectItem("APP"));
}
