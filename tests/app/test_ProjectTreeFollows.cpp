// The project tree follows the registry alone: loads, adds, renames, reorders and deletions
// reach it from whichever caller made them, with positions, and a deleted application is no
// longer an open project.
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct Fixture
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};
    RecordingTree tree;

    void Load()
    {
        ASSERT_TRUE(designer.SetTemplate(Project({MinimalApp(), Create("APP*F", 5),
                                                  Create("APP*F*Frame1", 26), Create("APP*F*Text1", 16, "Frame1"),
                                                  Create("APP*F*Label1", 15), Create("APP**Menu1", 75)})));
    }
};
} // namespace

TEST(ProjectTreeFollows, LoadsAddsAndLateTreesSeeEveryItemInPlace)
{
    Fixture f;
    f.designer.SetProjectTree(&f.tree);
    EXPECT_EQ(f.tree.Calls, QStringList{"clear"});
    f.tree.Calls.clear();
    f.Load();
    EXPECT_EQ(f.tree.Calls, (QStringList{
        "add APP (0) at 0 under ", "add APP*F (5) at 0 under APP",
        "add APP*F*Frame1 (26) at 0 under APP*F", "add APP*F*Text1 (16) at 0 under APP*F*Frame1",
        "add APP*F*Label1 (15) at 1 under APP*F", "add APP**Menu1 (75) at 1 under APP"}));

    // A tree attached later is filled with what is open, parents first.
    RecordingTree late;
    f.designer.SetProjectTree(&late);
    EXPECT_EQ(late.Calls.first(), "clear");
    EXPECT_EQ(late.Calls.mid(1), f.tree.Calls);
}

TEST(ProjectTreeFollows, RenamesMovesAndDeletionsFromAnyCaller)
{
    Fixture f;
    f.Load();
    f.designer.SetProjectTree(&f.tree);
    f.tree.Calls.clear();

    ASSERT_TRUE(f.items.Find("APP*F")->RenameItem("Main"));
    ASSERT_TRUE(f.items.Find("APP*MAIN*LABEL1")->RepositionItem("Frame1", false));
    EXPECT_EQ(f.tree.Calls, (QStringList{"rename APP*F to APP*Main",
                                         "move APP*Main*Label1 to 0 under APP*Main"}));

    // Deleting an item directly still reaches the tree, once, for the top of what goes.
    f.tree.Calls.clear();
    ASSERT_TRUE(f.designer.SelectItem("APP*Main*Text1"));
    f.items.Find("APP*MAIN*FRAME1")->DeleteItem();
    EXPECT_EQ(f.tree.Filtered("remove"), QStringList{"remove APP*Main*Frame1"});
    EXPECT_EQ(f.designer.CurrentItem(), nullptr) << "the selection went with its frame";

    // So does deleting an application: it is no longer an open project.
    ASSERT_EQ(f.designer.Projects().size(), 1u);
    f.items.Find("APP")->DeleteItem();
    EXPECT_TRUE(f.designer.Projects().empty());
    EXPECT_EQ(f.tree.Calls.last(), "remove APP");
    EXPECT_EQ(f.designer.CurrentProject(), nullptr);
}

TEST(ProjectTreeFollows, LaterLoadsAddAtTheEndAndTheObserverGoesWithTheDesigner)
{
    // A second load into an open project adds after the application's existing children.
    Fixture f;
    f.Load();
    f.designer.SetProjectTree(&f.tree);
    f.tree.Calls.clear();
    f.designer.SetTemplate(Project({Create("APP*G", 5), Record({"4", "APP*NONE", "1", "", "", "x"})}));
    EXPECT_EQ(f.tree.Filtered("add"), QStringList{"add APP*G (5) at 2 under APP"});

    // The designer outlives no registry: once it is gone, the registry has no observer.
    {
        clsItems items;
        {
            clsDesigner designer(items);
        }
        EXPECT_EQ(items.Observer(), nullptr);
    }
}
