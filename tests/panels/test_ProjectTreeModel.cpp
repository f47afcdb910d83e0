// What a label edit may rename an item to and where a dragged item may land, for the kinds
// the tree widget's own tests do not reach: forms among forms and bars of an MDI application.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "panels/ProjectTreeModel.h"
#include "model/clsControl.h"

#include <gtest/gtest.h>

using namespace LoaderText;
using ProjectTreeModel::Drop;

namespace {
struct Fixture : DesignerStack
{
    Fixture()
    {
        EXPECT_TRUE(designer.SetTemplate(Project({MinimalApp(), Create("APP*F", 5),
                                                  Create("APP*G", 5), Create("APP**Menu1", 75),
                                                  Create("APP*G*Label1", 15)})));
    }
    ~Fixture() { designer.ReleaseAll(); }
    clsControl &Item(const QString &id) { return *items.Find(id); }
};
} // namespace

TEST(ProjectTreeModel, FormsAndApplicationBarsShareTheApplicationsIds)
{
    Fixture f;
    EXPECT_EQ(ProjectTreeModel::RenameRefusal(f.Item("APP*G"), "menu1").value_or(""),
              "A form with ID \"menu1\" already exists in application \"APP\"");
    EXPECT_EQ(ProjectTreeModel::RenameRefusal(f.Item("APP**Menu1"), "F").value_or(""),
              "A control with ID \"F\" already exists in application \"APP\"");
    EXPECT_FALSE(ProjectTreeModel::RenameRefusal(f.Item("APP*G"), "g").has_value());
    EXPECT_FALSE(ProjectTreeModel::RenameRefusal(f.Item("APP*G*Label1"), "Menu1").has_value());
    EXPECT_FALSE(ProjectTreeModel::RenameRefusal(f.Item("APP"), "Other").has_value());
}

TEST(ProjectTreeModel, ADropMovesAmongSiblingsOnly)
{
    Fixture f;
    const Drop up = ProjectTreeModel::DropOn(f.Item("APP*G"), f.Item("APP*F"));
    EXPECT_EQ(up.What, Drop::Kind::Move);
    EXPECT_EQ(up.Target, "F");
    EXPECT_FALSE(up.After);
    const Drop down = ProjectTreeModel::DropOn(f.Item("APP*F"), f.Item("APP**Menu1"));
    EXPECT_EQ(down.What, Drop::Kind::Move);
    EXPECT_TRUE(down.After);
    // Onto the application: first place, which the first form already has.
    EXPECT_EQ(ProjectTreeModel::DropOn(f.Item("APP*F"), f.Item("APP")).What, Drop::Kind::Nothing);
    EXPECT_EQ(ProjectTreeModel::DropOn(f.Item("APP**Menu1"), f.Item("APP")).Target, "F");
    EXPECT_EQ(ProjectTreeModel::DropOn(f.Item("APP*F"), f.Item("APP*F")).What, Drop::Kind::Nothing);
    EXPECT_EQ(ProjectTreeModel::DropOn(f.Item("APP*F"), f.Item("APP*G*Label1")).What,
              Drop::Kind::Refused);
    EXPECT_FALSE(ProjectTreeModel::CanDrag(f.Item("APP")));
    EXPECT_TRUE(ProjectTreeModel::CanDrag(f.Item("APP**Menu1")));
}
