// The project tree widget follows the six calls: nodes at their positions, subtrees that move
// and go with their node, a form's rename re-keying its controls but a frame's not, and the
// highlighted node selected.
#include "designer/clsProjectTree.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
QStringList Texts(const QTreeWidgetItem *node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << clsProjectTree::FullIdOf(node->child(i));
    return texts;
}
} // namespace

TEST(clsProjectTree, FollowsAddsMovesRenamesAndRemovals)
{
    QTreeWidget view;
    clsProjectTree tree(view);
    tree.AddItem(0, 0, "APP", {});
    tree.AddItem(5, 0, "APP*F", "APP");
    tree.AddItem(26, 0, "APP*F*Frame1", "app*f");
    tree.AddItem(16, 0, "APP*F*Text1", "APP*F*FRAME1");
    tree.AddItem(15, 0, "APP*F*Label1", "APP*F"); // in front of the frame
    tree.AddItem(75, 9, "APP**Menu1", "APP");      // beyond the end: at the end
    ASSERT_EQ(view.topLevelItemCount(), 1);
    EXPECT_EQ(Texts(tree.Node("APP")), (QStringList{"APP*F", "APP**Menu1"}));
    EXPECT_EQ(Texts(tree.Node("APP*F")), (QStringList{"APP*F*Label1", "APP*F*Frame1"}));
    EXPECT_EQ(tree.Node("APP*F*LABEL1")->text(0), "Label1 (Label)");

    // A move takes the subtree along.
    tree.RepositionItem("APP*F*Frame1", "APP*F", 0);
    EXPECT_EQ(Texts(tree.Node("APP*F")), (QStringList{"APP*F*Frame1", "APP*F*Label1"}));
    EXPECT_EQ(Texts(tree.Node("APP*F*Frame1")), QStringList{"APP*F*Text1"});

    // A form's rename re-keys its controls, nested ones too; a frame's rename only itself.
    tree.RenameItem("APP*F", "APP*Main");
    EXPECT_EQ(tree.Node("APP*F"), nullptr);
    ASSERT_NE(tree.Node("APP*MAIN*TEXT1"), nullptr);
    EXPECT_EQ(tree.Node("APP*Main")->text(0), "Main (Form)");
    tree.RenameItem("APP*Main*Frame1", "APP*Main*Box");
    EXPECT_NE(tree.Node("APP*Main*Text1"), nullptr);
    EXPECT_EQ(Texts(tree.Node("APP*Main*Box")), QStringList{"APP*Main*Text1"});

    tree.Highlight("app*main*label1");
    EXPECT_EQ(view.currentItem(), tree.Node("APP*Main*Label1"));

    // Removing a node forgets its subtree; clearing forgets everything.
    tree.RemoveItem("APP*Main");
    EXPECT_EQ(tree.Node("APP*Main*Text1"), nullptr);
    EXPECT_EQ(Texts(tree.Node("APP")), QStringList{"APP**Menu1"});
    tree.AddItem(1, 0, "OTHER", {});
    EXPECT_EQ(view.topLevelItemCount(), 2);
    tree.RemoveAll();
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Node("APP"), nullptr);
    // Calls about nodes it does not have change nothing.
    tree.RemoveItem("APP");
    tree.RenameItem("APP", "B");
    tree.RepositionItem("APP", {}, 0);
    tree.Highlight("APP");
    EXPECT_EQ(view.topLevelItemCount(), 0);
}
