// Every design control gives back exactly what the core last set: twips stay twips, a shown
// control stays shown under a hidden container, values come back as given. Run against the
// headless implementation; the widget layer's adapters are held to the same in its own tests.
#include "model/DesignControlBase.h"
#include "model/PlainControl.h"
#include "model/PlainForm.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iFormFuncs.h"

#include <gtest/gtest.h>

namespace {
using namespace Vocabulary;

class DesignControlContract : public ::testing::Test
{
protected:
    PlainForm form{Type::FormSizableChild};
    iDesignControl *Make() { return form.CreateControlInstance(Type::Text); }
};
} // namespace

TEST_F(DesignControlContract, GeometryAndVisibilityComeBackAsSet)
{
    iDesignControl *c = Make();
    ASSERT_NE(c, nullptr);
    // Sizes that are no whole number of pixels must not drift.
    for (const auto &[l, t, w, h] : {std::tuple{100, 7, 1441, 17}, {-10000, -10000, 1, 0},
                                     {0, 0, 0, 0}, {33, 44, 55, 66}}) {
        c->Move(l, t, w, h);
        EXPECT_EQ(c->Left(), l);
        EXPECT_EQ(c->Top(), t);
        EXPECT_EQ(c->Width(), w);
        EXPECT_EQ(c->Height(), h);
    }
    // Visibility as set, whatever the container shows.
    iDesignControl *surface = form.Surface();
    surface->SetVisible(false);
    c->SetContainer(surface);
    c->SetVisible(true);
    EXPECT_TRUE(c->IsVisible());
    EXPECT_EQ(c->Container(), surface);
    c->SetVisible(false);
    EXPECT_FALSE(c->IsVisible());
}

TEST_F(DesignControlContract, ValuesComeBackAsGiven)
{
    iDesignControl *c = Make();
    ASSERT_NE(c, nullptr);
    const DesignFont font{"Courier New", 9.75, true, false, true};
    c->SetFont(font);
    EXPECT_EQ(c->Font(), font);
    c->SetForeColor(qint32(0x80000012u));
    c->SetBackColor(0x00FF8040);
    EXPECT_EQ(c->ForeColor(), qint32(0x80000012u));
    EXPECT_EQ(c->BackColor(), 0x00FF8040);
    c->SetBorder(2);
    EXPECT_EQ(c->Border(), 2);
    c->SetTag("APP*F*TEXT1");
    c->SetTabIndex(32767);
    EXPECT_EQ(c->Tag(), "APP*F*TEXT1");
    EXPECT_EQ(c->TabIndex(), 32767);
    c->SetText("two\nlines \t");
    EXPECT_EQ(c->Text(), "two\nlines \t");
    c->SetMultiLine(true);
    c->SetPasswordChar("*");
    EXPECT_TRUE(c->IsMultiLine());
    EXPECT_EQ(c->PasswordChar(), "*");
    c->SetListRows({"a\tb", "", "c"});
    EXPECT_EQ(c->ListRows(), (QStringList{"a\tb", "", "c"}));
    c->SetGridEditable(true);
    EXPECT_TRUE(c->IsGridEditable());
    c->SetGridSize(2, 3);
    c->SetCellText(2, 3, "x");
    c->SetCellText(3, 1, "outside");
    EXPECT_EQ(c->CellText(2, 3), "x");
    EXPECT_EQ(c->CellText(3, 1), QString());
    // Shrinking the grid drops the cells outside it.
    c->SetGridSize(1, 1);
    EXPECT_EQ(c->CellText(2, 3), QString());
}

TEST_F(DesignControlContract, TheCoreAnswersFromItsOwnRecord)
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
