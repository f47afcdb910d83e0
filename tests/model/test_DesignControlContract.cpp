// What the core and the headless design controls answer from their own records: a grid keeps
// only the cells inside its size, a form is shown as far as the project is concerned whatever
// its window says, and each kind keeps its font rule. (That every value set on a design control
// comes back as set, twips as twips and a shown control under a hidden container, is the
// widget layer's test of every kind, which goes through the same records.)
#include "model/DesignControlBase.h"
#include "model/PlainForm.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iFormFuncs.h"

#include <gtest/gtest.h>

using namespace Vocabulary;

TEST(DesignControlContract, AGridKeepsOnlyTheCellsInsideItsSize)
{
    PlainForm form{Type::FormSizableChild};
    iDesignControl *c = form.CreateControlInstance(Type::GridEditable);
    ASSERT_NE(c, nullptr);
    c->SetGridSize(2, 3);
    c->SetCellText(2, 3, "x");
    c->SetCellText(3, 1, "outside");
    EXPECT_EQ(c->CellText(2, 3), "x");
    EXPECT_EQ(c->CellText(3, 1), QString());
    // Shrinking the grid drops the cells outside it, and growing it again does not bring
    // them back.
    c->SetGridSize(1, 1);
    EXPECT_EQ(c->CellText(2, 3), QString());
    c->SetGridSize(2, 3);
    EXPECT_EQ(c->CellText(2, 3), QString());

    // Cells cleared in any order leave the others as they are.
    c->SetGridSize(3, 4);
    for (const auto &[column, text] : {std::pair{1, "a"}, {3, "c"}, {4, "d"}})
        c->SetCellText(2, column, text);
    c->SetCellText(2, 4, "");
    c->SetCellText(2, 1, "");
    EXPECT_EQ(c->CellText(2, 3), "c");
    c->SetCellText(2, 3, "");
    c->SetCellText(2, 2, "b");
    EXPECT_EQ(c->CellText(2, 1), QString());
    EXPECT_EQ(c->CellText(2, 2), "b");
    EXPECT_EQ(c->CellText(2, 4), QString());
    c->SetGridSize(3, 1);
    c->SetGridSize(3, 4);
    EXPECT_EQ(c->CellText(2, 2), QString());
}

TEST(DesignControlContract, TheCoreAnswersFromItsOwnRecord)
{
    clsItems items;
    clsControl &app = items.CreateItem(Type::AppSdi, "APP");
    clsControl &form = items.CreateItem(Type::FormSizableChild, "APP*F");
    form.SetVisible(true);
    // The window reports itself hidden (its main window is not shown yet): the form is
    // still shown as far as the project is concerned.
    form.DesignForm()->Surface()->SetVisible(false);
    EXPECT_TRUE(form.Visible());
    form.SetVisible(false);
    EXPECT_FALSE(form.Visible());

    // A base with nothing shown keeps the kind's font rule.
    EXPECT_TRUE(DesignControlBase(Type::Label).HasFont());
    EXPECT_FALSE(DesignControlBase(Type::Picture).HasFont());
    EXPECT_FALSE(DesignControlBase(Type::Timer).HasFont());
    app.DeleteItem();
}
