// The tree node editor's model: sibling-unique IDs, the load repairs with their messages,
// node paths, and a stored value the tree always takes.
#include "panels/TreeEditorModel.h"
#include "model/TreeContent.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

namespace {
QString Tree(std::initializer_list<QStringList> entries)
{
    QStringList joined;
    for (const QStringList &parts : entries)
        joined << parts.join(QChar(Marks::SubValue));
    return joined.join(QChar(Marks::Value));
}
} // namespace

TEST(TreeEditorModel, DuplicateSiblingsAreRenamedButCousinsMayShareAnId)
{
    TreeEditorModel model;
    const QStringList messages = model.Load(Tree({{"EU", "1", "Europe"}, {"DE", "2", "Germany"},
                                                  {"de", "2", "Again"}, {"DE_2", "2", "Later"},
                                                  {"NA", "1", "America"}, {"DE", "2", "Delaware"},
                                                  {"", "2", "lost"}, {"X", "5", "Deep"}}));
    ASSERT_EQ(messages.size(), 3);
    // The new ID avoids the ID of a later sibling.
    EXPECT_EQ(messages[0], "Tree item ID 'de' is duplicated. New ID is 'de_3'");
    EXPECT_EQ(messages[1], "Tree item ID for index 7 is missing. Item skipped!");
    EXPECT_EQ(messages[2], "The level for item 'Deep' is invalid and will be adjusted to a valid "
                           "level. The level for subsequent items may also be adjusted.");
    EXPECT_EQ(model.Key(5), "NA\\DE");
    EXPECT_EQ(model.Key(6), "NA\\DE\\X");
    EXPECT_EQ(model.Label(1), "Germany (DE)");
    TreeContent content;
    EXPECT_NO_THROW(content.SetItems(model.Store()));
}

TEST(TreeEditorModel, IdChecksLookOnlyAtSiblings)
{
    TreeEditorModel model;
    model.Load(Tree({{"A", "1"}, {"X", "2"}, {"B", "1"}, {"Y", "2"}}));
    EXPECT_TRUE(model.CheckId(3, "x").isEmpty());
    EXPECT_EQ(model.CheckId(2, "a"), "'a' already exists in this tree structure. Please enter an "
                                     "ID that is unique in this branch of the tree.");
    EXPECT_EQ(model.CheckId(2, " "), "Please enter a valid node ID.");
    EXPECT_EQ(model.CheckId(2, "a\\b"), "Please enter a valid node ID.");
}

TEST(TreeEditorModel, NewNodesGetFreshSiblingIdsAndEditsStoreInPreOrder)
{
    TreeEditorModel model;
    model.Load({});
    EXPECT_EQ(model.NewRoot(), 0);
    EXPECT_EQ(model.Caption(0), "New root node");
    const int child = model.NewChild(0);
    const int sibling = model.NewSibling(0);
    EXPECT_EQ(model.Caption(child), "New child node");
    EXPECT_EQ(model.Caption(sibling), "New sibling node");
    EXPECT_EQ(model.Id(sibling), "Node2"); // Node1 is the root, its sibling
    EXPECT_EQ(model.Id(child), "Node1");   // the child has no siblings yet
    model.SetExpanded(0, true);
    model.SetSelected(child, true);
    model.SetSelected(sibling, true); // only one node starts selected
    EXPECT_FALSE(model.Selected(child));
    EXPECT_EQ(model.MoveUp(sibling), 0);
    EXPECT_EQ(model.Store(), Tree({{"Node2", "1", "New sibling node", "", "2"},
                                   {"Node1", "1", "New root node", "", "1"},
                                   {"Node1", "2", "New child node", "", "0"}}));
    model.Delete(1);
    EXPECT_EQ(model.Count(), 1);
    EXPECT_TRUE(model.Validate().isEmpty());
}

TEST(TreeEditorModel, HostileContentIsRepaired)
{
    QStringList entries;
    entries << Tree({{"R", "1", QString(100000, QChar(u'c'))}});
    entries << Tree({{"J", "300", "jump", "", "not a state"}});
    entries << Tree({{"P\\Q", "2", "slash"}});
    for (int i = 0; i < 50000; ++i)
        entries << Tree({{"SAME", "1"}});
    TreeEditorModel model;
    const QStringList messages = model.Load(entries.join(QChar(Marks::Value)));
    EXPECT_EQ(messages.size(), 1 + 49999);
    EXPECT_EQ(model.Id(2), "P_Q");
    TreeContent content;
    EXPECT_NO_THROW(content.SetItems(model.Store()));
    EXPECT_TRUE(model.Validate().isEmpty());
}
