// TreeContent: pre-order nodes with checked levels, addressing by ID path (IDs need only be
// unique among siblings), the node members, and state integers that round-trip.
#include "model/TreeContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

QString Node(const QString &id, int level, const QString &caption = {}, const QString &state = {})
{
    return QStringList({id, QString::number(level), caption, "", state, ""}).join(SM);
}

// DOCS
//   A
//     LEAF
//   B
//     LEAF   (same ID, other parent)
// MISC
QString SampleTree()
{
    return QStringList({Node("DOCS", 1, "Documents", "1"), Node("A", 2, "First"),
                        Node("LEAF", 3, "Leaf of A", "4"), Node("B", 2, "Second"),
                        Node("LEAF", 3, "Leaf of B", "6"), Node("MISC", 1, "Other")})
        .join(VM);
}
} // namespace

TEST(TreeContent, ItemsRoundTripWithTheirStatesUnchanged)
{
    TreeContent tree;
    const QString items = SampleTree() + VM + QStringList({"X", "1", "c", "i", "-2147483648", "h", "extra"}).join(SM);
    tree.SetItems(items);
    EXPECT_EQ(tree.NodeCount(), 7);
    EXPECT_EQ(tree.TreeGetItems(), items);
    EXPECT_EQ(tree.GetItems(3), Node("LEAF", 3, "Leaf of A", "4"));
    EXPECT_EQ(tree.Nodes()[6].State, -2147483648);
    EXPECT_EQ(tree.TreeGetState("X"), "-2147483648");
    EXPECT_EQ(tree.TreeGetState("MISC"), "0");
}

TEST(TreeContent, LevelsMustStartAtOneAndDeepenOneAtATime)
{
    TreeContent tree;
    tree.SetItems(Node("A", 1) + VM + Node("B", 2) + VM + Node("C", 2) + VM + Node("D", 1));
    const QString before = tree.GetItems();

    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A", 2)); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A", 1) + VM + Node("B", 3)); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A", 1) + VM + Node("B", 0)); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems("A" + SM + "one"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A", 1, "", "checked")); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A\\B", 1)); }), 380);
    // Replacing one node keeps its neighbours reachable.
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("B", 3), 2); }), 380);
    tree.SetItems(Node("C", 1), 3);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("A", 1), 3); }), 0);
    tree.SetItems(Node("C", 2), 3);
    EXPECT_EQ(ErrorOf([&] { tree.SetItems(Node("E", 1), 5); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.GetItems(5); }), 380);
    EXPECT_EQ(tree.GetItems(), before);
}

TEST(TreeContent, NodeMembersChangeOnePartAndRefuseUnknownPathsAndMarks)
{
    TreeContent tree;
    tree.SetItems(SampleTree());
    tree.TreeSetCaption("DOCS\\B", "Renamed");
    tree.TreeSetIcon("DOCS\\B", "folder.ico");
    tree.TreeSetHint("DOCS\\B", "tip");
    tree.TreeSetState("DOCS\\B", "9");
    EXPECT_EQ(tree.GetItems(4), QStringList({"B", "2", "Renamed", "folder.ico", "9", "tip"}).join(SM));

    const QString before = tree.GetItems();
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetCaption("DOCS\\C", "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetCaption("", "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetCaption("MISC", "a" + SM + "b"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetHint("MISC", "a" + VM + "b"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetState("MISC", "1.5"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tree.TreeGetIcon("NOPE"); }), 380);
    EXPECT_EQ(tree.GetItems(), before);
}

TEST(TreeContent, ValueSelectsOneNodeAndCheckedNodesAreListedByPath)
{
    TreeContent tree;
    tree.SetItems(SampleTree());
    EXPECT_EQ(tree.TreeGetValue(), "DOCS\\B\\LEAF"); // state 6 is checked and selected
    EXPECT_EQ(tree.TreeGetCheckedNodes(), "DOCS\\A\\LEAF" + VM + "DOCS\\B\\LEAF");

    tree.TreeSetValue("DOCS\\A");
    EXPECT_EQ(tree.TreeGetValue(), "DOCS\\A");
    EXPECT_EQ(tree.TreeGetState("DOCS\\A"), "2");
    EXPECT_EQ(tree.TreeGetState("DOCS\\B\\LEAF"), "4"); // only the selected bit went
    EXPECT_EQ(tree.TreeGetState("DOCS"), "1");          // untouched

    const QString before = tree.GetItems();
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetValue("DOCS\\Z"); }), 380);
    EXPECT_EQ(tree.GetItems(), before);
    tree.TreeSetValue("");
    EXPECT_EQ(tree.TreeGetValue(), "");
}

// A path is looked for inside the subtree its leading IDs reach: a child of the same ID in
// a sibling subtree, or under a later root, is never taken for it.
TEST(TreeContent, PathLookUpStaysInsideItsSubtree)
{
    // DOCS > A > LEAF;  DOCS > B > ONLYB;  MISC > DEEP > ONLYB
    TreeContent tree;
    tree.SetItems(QStringList({Node("DOCS", 1), Node("A", 2), Node("LEAF", 3), Node("B", 2),
                               Node("ONLYB", 3, "under B"), Node("MISC", 1), Node("DEEP", 2),
                               Node("ONLYB", 3, "under DEEP")})
                      .join(VM));
    struct Case
    {
        const char *path;
        int node; // 0: no such node
    };
    for (const Case c : {Case{"DOCS\\A\\ONLYB", 0}, Case{"DOCS\\B\\ONLYB", 5},
                         Case{"DOCS\\A\\LEAF", 3}, Case{"DOCS\\DEEP", 0}, Case{"MISC\\A", 0},
                         Case{"MISC\\DEEP\\ONLYB", 8}, Case{"DOCS\\B\\ONLYB\\X", 0},
                         Case{"A", 0}, Case{"DOCS\\A\\B", 0}, Case{"DOCS\\", 0},
                         Case{"docs\\b\\onlyb", 5}}) {
        EXPECT_EQ(tree.FindNode(c.path), c.node) << c.path;
    }
    EXPECT_EQ(tree.NodePath(8), "MISC\\DEEP\\ONLYB");
    EXPECT_EQ(tree.GetTreeNodePath("onlyb"), "DOCS\\B\\ONLYB"); // the first node of that ID
    EXPECT_EQ(tree.GetTreeNodePath("NONE"), "");
    const QString before = tree.GetItems();
    EXPECT_EQ(ErrorOf([&] { tree.TreeSetCaption("DOCS\\A\\ONLYB", "wrong"); }),
              GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(tree.GetItems(), before);
}
