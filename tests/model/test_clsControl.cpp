// Design items and the registry: identity checks on creation, re-keying on rename and
// reorder, geometry in scale units, type changes and deletion.
#include "model/PlainFormFactory.h"
#include "model/PlainSizer.h"
#include "model/cAppWrapper.h"
#include "model/iFormFuncs.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "ItemsFixture.h"

using namespace Vocabulary;

namespace {

using ItemTest = ItemsFixture;
const QString VM = Marks::ValueMark();

} // namespace

TEST_F(ItemTest, CreateItemValidatesAndRegistersNothingOnFailure)
{
    const int before = items.Count();
    const struct { int type; const char *id, *parent; int error; } refused[] = {
        {5, "app*f1", "", GuiErrors::DuplicateId},
        {16, "APP*F2*TEXT1", "", GuiErrors::InvalidFormOrParent},
        {5, "APP*F2", "X", GuiErrors::CannotDesignateParent},
        {16, "APP*F2", "", GuiErrors::InvalidIdForObject},
        {75, "APP*F9", "", GuiErrors::InvalidIdForObject},
        {0, "APP2*X", "", GuiErrors::InvalidFormOrParent},
        {0, "", "", GuiErrors::DuplicateId}, // the root's key
        {0, "*X", "", GuiErrors::InvalidIdForObject},
        {0, "APP2", "P", GuiErrors::CannotDesignateParent},
        {40, "APP*F1*X", "", GuiErrors::InvalidArgument},
        {16, "APP*F1*T*EXTRA", "", GuiErrors::InvalidIdForObject},
    };
    for (const auto &r : refused)
        EXPECT_EQ(ErrorOf([&] { items.CreateItem(r.type, r.id, r.parent); }), r.error) << r.id;
    // A control cannot live inside a control that is not a container.
    items.CreateItem(16, "APP*F1*T1");
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(16, "APP*F1*T2", "T1"); }),
              GuiErrors::InvalidFormOrParent);
    // A tab panel needs a tab group.
    items.CreateItem(26, "APP*F1*FR");
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(31, "APP*F1*TAB1", "FR"); }),
              GuiErrors::InvalidFormOrParent);
    EXPECT_EQ(items.Count(), before + 2);
    EXPECT_EQ(form->Children().Count(), 2);
    EXPECT_EQ(FormOf(form)->InstanceCount(), 2); // the refused tab panel gave its control back

    // A failing design form leaves nothing behind either.
    PlainForm *plain = FormOf(form);
    plain->RefuseType(18);
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(18, "APP*F1*CMD"); }), GuiErrors::CreateFailed);
    EXPECT_FALSE(items.Contains("APP*F1*CMD"));
    EXPECT_EQ(items.Root(), items.InOrder().front());
    // Nor does a factory that makes no design form at all.
    PlainFormFactory refusing;
    refusing.SetRefuse(true);
    items.SetFormFactory(&refusing);
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(0, "APP2"); }), GuiErrors::CreateFailed);
    EXPECT_EQ(items.Count(), before + 2);
}

TEST_F(ItemTest, LookUpsIgnoreCaseBeyondAscii)
{
    // Registry and child keys are upper case: plain IDs take a shortcut, others the general
    // mapping, and either way any spelling finds the item and a second one is refused.
    clsControl &plain = items.CreateItem(Type::Command, "APP*F1*Cmd_1");
    clsControl &wide = items.CreateItem(Type::Command, QString::fromUtf8("APP*F1*Größe"));
    EXPECT_EQ(items.Find("app*f1*CMD_1"), &plain);
    EXPECT_EQ(items.Find(QString::fromUtf8("App*F1*GRÖSSE")), &wide);
    EXPECT_EQ(form->Child(QString::fromUtf8("grösse")), &wide);
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(Type::Command, QString::fromUtf8("APP*F1*GRÖSSE")); }),
              GuiErrors::DuplicateId);
    wide.DeleteItem();
    EXPECT_EQ(items.Find(QString::fromUtf8("APP*F1*Größe")), nullptr);
    EXPECT_EQ(form->Child(QString::fromUtf8("GRÖSSE")), nullptr);
}

TEST_F(ItemTest, BarsOfTheApplicationNeedAnMdiApplication)
{
    clsControl &menu = items.CreateItem(75, "APP**MENU1");
    EXPECT_EQ(menu.Parent(), app);
    EXPECT_EQ(menu.Form(), nullptr);
    EXPECT_EQ(menu.App(), app);
    items.CreateItem(1, "SDI");
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(75, "SDI**MENU1"); }),
              GuiErrors::InvalidFormOrParent);
    // A bar and a form of one application may not share an ID, neither when one is created
    // nor when one is renamed: they are siblings.
    EXPECT_EQ(ErrorOf([&] { items.CreateItem(5, "APP*MENU1"); }), GuiErrors::DuplicateId);
    clsControl &other = items.CreateItem(Type::FormSizableChild, "APP*Other");
    EXPECT_FALSE(other.RenameItem("menu1"));
    EXPECT_EQ(other.ID(), "Other");
    EXPECT_FALSE(menu.RenameItem("OTHER"));
    EXPECT_EQ(app->Child("MENU1"), &menu);
    EXPECT_EQ(app->Child("OTHER"), &other);
}

// A child list holds the direct children only, in their order; its type range includes both
// of its ends: the status bar (78) is the highest type a form's bar filter admits.
TEST_F(ItemTest, ChildListRangeIncludesBothEnds)
{
    items.CreateItem(26, "APP*F1*FR1");
    items.CreateItem(16, "APP*F1*Text1", "FR1");
    items.CreateItem(15, "APP*F1*LBL");
    items.CreateItem(75, "APP*F1*MENU");
    items.CreateItem(77, "APP*F1*TOOLS");
    items.CreateItem(78, "APP*F1*STATUS");
    struct Case
    {
        int lowest, highest;
        QString expected;
    };
    const Case cases[] = {
        {-1, -1, "APP*F1*FR1" + VM + "APP*F1*LBL" + VM + "APP*F1*MENU" + VM + "APP*F1*TOOLS" + VM + "APP*F1*STATUS"},
        {75, 78, "APP*F1*MENU" + VM + "APP*F1*TOOLS" + VM + "APP*F1*STATUS"},
        {75, 77, "APP*F1*MENU" + VM + "APP*F1*TOOLS"},
        {78, 78, "APP*F1*STATUS"},
        {76, 78, "APP*F1*TOOLS" + VM + "APP*F1*STATUS"},
        {15, 15, "APP*F1*LBL"},
        {16, 74, "APP*F1*FR1"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(form->GetChildList(c.lowest, c.highest), c.expected)
            << c.lowest << "-" << c.highest;
    EXPECT_EQ(items.Root()->GetChildList(-1, -1), "APP");
}

// A rename re-keys everything below the item, controls nested in a container included, and
// keeps each item's place among its siblings.
TEST_F(ItemTest, RenameKeepsPositionsAndRefusesTakenIds)
{
    clsControl &t1 = items.CreateItem(16, "APP*F1*Text1");
    clsControl &t2 = items.CreateItem(16, "APP*F1*Text2");
    clsControl &frame = items.CreateItem(Type::Frame, "APP*F1*Frame1");
    clsControl &inner = items.CreateItem(16, "APP*F1*Inner", "Frame1");
    EXPECT_EQ(inner.Parent(), &frame);
    EXPECT_EQ(inner.Form(), form);
    EXPECT_EQ(inner.App(), app);

    EXPECT_TRUE(t1.RenameItem("TEXT1"));
    EXPECT_EQ(t1.FullID(), "APP*F1*TEXT1");
    EXPECT_FALSE(t1.RenameItem("text2"));
    EXPECT_EQ(t1.ID(), "TEXT1");
    EXPECT_EQ(t2.ID(), "Text2");

    const std::vector<QString> keysBefore = items.Keys();
    EXPECT_TRUE(form->RenameItem("Main"));
    EXPECT_EQ(t2.FullID(), "APP*Main*Text2");
    EXPECT_EQ(inner.FullID(), "APP*Main*Inner");
    EXPECT_EQ(Control(&t2)->Tag(), "APP*MAIN*TEXT2");
    EXPECT_EQ(items.Find("APP*MAIN*TEXT2"), &t2);
    EXPECT_FALSE(items.Contains("APP*F1*TEXT2"));
    const std::vector<QString> keysAfter = items.Keys();
    ASSERT_EQ(keysAfter.size(), keysBefore.size());
    for (size_t i = 0; i < keysAfter.size(); ++i)
        EXPECT_EQ(keysAfter[i], QString(keysBefore[i]).replace("APP*F1", "APP*MAIN"));
    EXPECT_EQ(form->GetChildList(-1, -1).split(VM).at(1), "APP*Main*Text2");

    EXPECT_TRUE(app->RenameItem("Prj"));
    EXPECT_EQ(t2.FullID(), "Prj*Main*Text2");
    EXPECT_EQ(items.Find("PRJ*MAIN"), form);
    EXPECT_EQ(inner.FullID(), "Prj*Main*Inner");
    EXPECT_EQ(items.Find("PRJ*MAIN*INNER"), &inner);
    EXPECT_FALSE(t2.RenameItem("a*b"));
    form->DeleteItem();
    EXPECT_FALSE(items.Contains("PRJ*MAIN*INNER"));
    EXPECT_FALSE(items.Contains("PRJ*MAIN*FRAME1"));
}

TEST_F(ItemTest, RepositionMovesWithinChildrenAndRestoresZOrder)
{
    clsControl &a = items.CreateItem(16, "APP*F1*A");
    clsControl &b = items.CreateItem(16, "APP*F1*B");
    clsControl &c = items.CreateItem(16, "APP*F1*C");
    EXPECT_TRUE(c.RepositionItem("A", false));
    EXPECT_EQ(form->GetChildList(-1, -1), "APP*F1*C" + VM + "APP*F1*A" + VM + "APP*F1*B");
    EXPECT_TRUE(c.RepositionItem("b", true));
    EXPECT_EQ(form->GetChildList(-1, -1), "APP*F1*A" + VM + "APP*F1*B" + VM + "APP*F1*C");
    EXPECT_TRUE(a.RepositionItem("C", true));
    EXPECT_EQ(form->GetChildList(-1, -1), "APP*F1*B" + VM + "APP*F1*C" + VM + "APP*F1*A");
    EXPECT_FALSE(a.RepositionItem("NOPE", true));
    // Later in child order is nearer the front.
    EXPECT_LT(Control(&b)->ZIndex(), Control(&c)->ZIndex());
    EXPECT_LT(Control(&c)->ZIndex(), Control(&a)->ZIndex());
}

TEST_F(ItemTest, MoveConvertsUnitsAndHandlesAuto)
{
    auto *appWrapper = dynamic_cast<cAppWrapper *>(app->Wrapper());
    appWrapper->ChangeScaleMode(Scale::Inches);
    clsControl &t = items.CreateItem(16, "APP*F1*T");
    t.Move("1", "0.5", "2", "0.25");
    EXPECT_EQ(t.TwipLeft(), 1440);
    EXPECT_EQ(t.TwipTop(), 720);
    EXPECT_EQ(Control(&t)->Width(), 2880);
    EXPECT_FLOAT_EQ(t.Height(), 0.25f);

    t.Move("auto", "", "", "");
    EXPECT_FLOAT_EQ(t.Left(), -100000000.0f);
    EXPECT_FLOAT_EQ(t.Top(), 0.5f);
    EXPECT_FLOAT_EQ(t.Width(), 2.0f);
    EXPECT_EQ(Control(&t)->Left(), 0);

    // Bad input changes nothing.
    EXPECT_EQ(ErrorOf([&] { t.Move("3", "x", "", ""); }), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { t.Move("", "", "-1", ""); }), GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { t.Move("1e30", "", "", ""); }), GuiErrors::InvalidPropertyValue);
    EXPECT_FLOAT_EQ(t.Left(), -100000000.0f);
    EXPECT_EQ(t.TwipWidth(), 2880);

    // The client origin left by docked bars is added for controls on the form.
    FormOf(form)->SetInsets(300, 150, 0, 0);
    t.Move("0.5", "0.5", "", "");
    EXPECT_EQ(Control(&t)->Left(), 720 + 300);
    EXPECT_EQ(Control(&t)->Top(), 720 + 150);

    // Forms are shown at the origin and with their window frame.
    form->Move("1", "1", "5", "4");
    EXPECT_EQ(Control(form)->Left(), 0);
    EXPECT_EQ(Control(form)->Width(), 7200 + clsControl::FrameWidthTwips());
    EXPECT_EQ(Control(form)->Height(), 5760 + clsControl::CaptionHeightTwips());
    EXPECT_FLOAT_EQ(form->Left(), 1.0f);

    // Rounded to two decimals in the unit.
    appWrapper->ChangeScaleMode(Scale::Centimeters);
    EXPECT_FLOAT_EQ(t.Width(), 5.08f);
}

TEST_F(ItemTest, SetPropertyTracksNonDefault)
{
    clsControl &t = items.CreateItem(16, "APP*F1*T");
    t.SetProperty(Prop::Border, "1");
    t.SetProperty(Prop::Border, "1");
    EXPECT_EQ(t.NonDefault(), (QList<int>{Prop::Border}));
    t.SetProperty(Prop::Border, "");
    EXPECT_TRUE(t.NonDefault().isEmpty());
    t.SetProperty(Prop::Border, "");
    EXPECT_TRUE(t.NonDefault().isEmpty());
    t.SetProperty(Prop::Visible, "-1");
    EXPECT_TRUE(t.NonDefault().isEmpty());
    EXPECT_FALSE(t.Changed());
    t.SetChanged(true);
    EXPECT_FALSE(t.Changed());
    EXPECT_TRUE(t.ChangedFlag());
    t.Reset();
    EXPECT_FALSE(t.ChangedFlag());
    EXPECT_FALSE(t.MovedFlag());
}

TEST_F(ItemTest, ChangeTypeInPlaceOrRecreated)
{
    clsControl &t = items.CreateItem(16, "APP*F1*T");
    t.Move("1", "1", "10", "1");
    t.SetProperty(Prop::Value, "hello");
    t.SetProperty(Prop::ForeColor, "255");
    t.SetProperty(Prop::MaxLen, "20");
    iDesignControl *control = t.ControlObject();
    PlainSizer *sizer = static_cast<PlainSizer *>(t.Sizer());
    ASSERT_NE(sizer, nullptr);

    EXPECT_TRUE(t.ChangeType(29));
    EXPECT_EQ(t.ObjType(), 29);
    EXPECT_EQ(t.ControlObject(), control);
    EXPECT_EQ(control->PasswordChar(), "*");
    EXPECT_EQ(sizer->Control(), control);

    const int instances = FormOf(form)->InstanceCount();
    EXPECT_TRUE(t.ChangeType(23));
    EXPECT_EQ(t.ObjType(), 23);
    EXPECT_NE(t.ControlObject(), control);
    EXPECT_EQ(FormOf(form)->InstanceCount(), instances); // the old control went back
    EXPECT_EQ(t.GetProperty(Prop::Value), "hello");
    EXPECT_EQ(t.GetProperty(Prop::ForeColor), "255");
    EXPECT_EQ(t.GetProperty(Prop::MaxLen), "20");
    EXPECT_EQ(t.ControlObject()->Width(), 1200);
    EXPECT_EQ(sizer->Control(), t.ControlObject());

    // Properties the new kind lacks are dropped, not an error.
    EXPECT_TRUE(t.ChangeType(25));
    EXPECT_FALSE(t.IsNonDefault(Prop::MaxLen));
    EXPECT_FALSE(t.IsNonDefault(Prop::ForeColor));
    EXPECT_EQ(ErrorOf([&] { t.ChangeType(5); }), GuiErrors::InvalidArgument);
}

TEST_F(ItemTest, DeleteRemovesDescendantsAndReturnsControls)
{
    items.CreateItem(26, "APP*F1*FR");
    for (int i = 0; i < 5; ++i)
        items.CreateItem(16, QString("APP*F1*T%1").arg(i), "FR");
    clsControl &keep = items.CreateItem(15, "APP*F1*KEEP");
    clsControl *frame = items.Find("APP*F1*FR");
    frame->Sizer();
    PlainForm *plain = FormOf(form);
    EXPECT_EQ(plain->InstanceCount(), 7);
    frame->DeleteItem();
    EXPECT_EQ(plain->InstanceCount(), 1);
    EXPECT_EQ(plain->SizerCount(), 0);
    EXPECT_FALSE(items.Contains("APP*F1*T3"));
    EXPECT_EQ(form->Children().Count(), 1);
    EXPECT_EQ(form->Child("KEEP"), &keep);

    // A tab group goes with its panels and what stands on them: the panels' tabs are taken
    // from a strip that is going too, and the panels beside the tab group stay in order.
    items.CreateItem(15, "APP*F1*AFTER");
    items.CreateItem(30, "APP*F1*TG");
    for (const char *panel : {"P1", "P2", "P3"}) {
        items.CreateItem(31, QStringLiteral("APP*F1*%1").arg(panel), "TG");
        items.CreateItem(16, QStringLiteral("APP*F1*%1T").arg(panel), panel);
    }
    items.CreateItem(15, "APP*F1*LAST");
    const int withTabs = items.Count();
    items.Find("APP*F1*TG")->DeleteItem();
    EXPECT_EQ(items.Count(), withTabs - 7);
    EXPECT_FALSE(items.Contains("APP*F1*P2T"));
    EXPECT_EQ(form->GetChildList(-1, -1),
              QStringList({"APP*F1*KEEP", "APP*F1*AFTER", "APP*F1*LAST"}).join(VM));

    app->DeleteItem();
    EXPECT_EQ(items.Count(), 1); // the root alone
    EXPECT_EQ(items.Root()->Children().Count(), 0);
}

TEST_F(ItemTest, FontInheritanceFollowsTheForm)
{
    clsControl &t = items.CreateItem(16, "APP*F1*T");
    clsControl &own = items.CreateItem(15, "APP*F1*OWN");
    own.SetProperty(Prop::FontBold, "1");
    form->SetProperty(Prop::FontName, "Courier");
    EXPECT_EQ(t.ControlObject()->Font().Name, "Courier");
    EXPECT_EQ(t.GetProperty(Prop::FontName), "Courier");
    EXPECT_EQ(own.ControlObject()->Font().Name, "Arial");
    EXPECT_TRUE(own.ControlObject()->Font().Bold);

    form->ResetInDescendants(Prop::FontBold);
    EXPECT_FALSE(own.IsNonDefault(Prop::FontBold));
    EXPECT_EQ(own.GetProperty(Prop::FontBold), "0");
}

TEST(ItemRegistry, DeletingAFormOfManyControlsStaysFast)
{
    // 20,000 children under one form: a registry that scans per removal would take
    // minutes; this must finish at once.
    clsItems items;
    items.CreateItem(0, "A");
    clsControl &form = items.CreateItem(5, "A*F");
    for (int i = 0; i < 20000; ++i)
        items.CreateItem(35, QString("A*F*T%1").arg(i));
    EXPECT_EQ(items.Count(), 20003);
    form.DeleteItem();
    EXPECT_EQ(items.Count(), 2);
}

TEST(ItemRegistry, DefaultItemsAreDetached)
{
    clsItems items;
    items.CreateItem(1, "A");
    clsControl &form = items.CreateItem(6, "A*F");
    form.SetProperty(Prop::BackColor, "&H8000000E");
    auto probe = items.CreateDefaultItem(20, &form);
    EXPECT_EQ(probe->GetDefaultProperty(Prop::BackColor), "&H8000000E");
    EXPECT_EQ(probe->GetProperty(Prop::TabStop), "1");
    EXPECT_EQ(probe->ControlObject(), nullptr);
    EXPECT_EQ(ErrorOf([&] { probe->SetProperty(Prop::Border, "1"); }), GuiErrors::ObjectNotSet);
    EXPECT_EQ(items.Count(), 3);
    auto bare = items.CreateDefaultItem(16);
    EXPECT_EQ(bare->GetDefaultProperty(Prop::FontName), "Arial");
    EXPECT_EQ(ErrorOf([&] { items.CreateDefaultItem(3); }), GuiErrors::InvalidArgument);
}

// The plain design form keeps its instances and their z-order by look-up: bringing to the
// front and deleting leave the order of the others as it was.
TEST(PlainForm, ZOrderAndDeletionKeepTheOthersInOrder)
{
    PlainForm form(Type::FormSizableChild);
    std::vector<PlainControl *> c;
    for (int i = 0; i < 5; ++i)
        c.push_back(static_cast<PlainControl *>(form.CreateControlInstance(Type::Label)));
    EXPECT_EQ(form.InstanceCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c[size_t(i)]->ZIndex(), i);

    c[4]->BringToFront(); // already in front
    c[1]->BringToFront();
    for (const auto &[i, z] : {std::pair{0, 0}, {2, 1}, {3, 2}, {4, 3}, {1, 4}})
        EXPECT_EQ(c[size_t(i)]->ZIndex(), z) << i;

    form.DeleteControlInstance(Type::Label, c[3]);
    form.DeleteControlInstance(Type::Label, c[3]); // a second time changes nothing
    EXPECT_EQ(form.InstanceCount(), 4);
    EXPECT_EQ(c[4]->ZIndex(), 2);
    EXPECT_EQ(c[1]->ZIndex(), 3);
    c[0]->BringToFront();
    EXPECT_EQ(c[0]->ZIndex(), 3);
    EXPECT_EQ(c[2]->ZIndex(), 0);

    // Indexes go on from the highest given, also after deletions.
    auto *next = static_cast<PlainControl *>(form.CreateControlInstance(Type::Label));
    EXPECT_EQ(next->Index(), 6);
    EXPECT_EQ(next->ZIndex(), 4);

    // The front and the back go; the order closes over them, and a form emptied starts again.
    form.DeleteControlInstance(Type::Label, next);
    form.DeleteControlInstance(Type::Label, c[2]);
    for (const auto &[i, z] : {std::pair{4, 0}, {1, 1}, {0, 2}})
        EXPECT_EQ(c[size_t(i)]->ZIndex(), z) << i;
    c[4]->BringToFront(); // from the back
    EXPECT_EQ(c[4]->ZIndex(), 2);
    EXPECT_EQ(c[1]->ZIndex(), 0);
    for (const int i : {0, 1, 4})
        form.DeleteControlInstance(Type::Label, c[size_t(i)]);
    EXPECT_EQ(form.InstanceCount(), 0);
    auto *again = static_cast<PlainControl *>(form.CreateControlInstance(Type::Label));
    EXPECT_EQ(again->ZIndex(), 0);
    again->BringToFront();
    EXPECT_EQ(again->ZIndex(), 0);
    // The form goes with an instance still out, and takes it along.
}
