// The wrappers: defaults by kind, validation that leaves values unchanged, what the design
// controls show, item-ID rejection, methods and the application's scale and event rules.
#include "model/cAppWrapper.h"
#include "model/cCommandWrapper.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "ItemsFixture.h"

using namespace Vocabulary;

namespace {

using WrapperTest = ItemsFixture;

const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

} // namespace

TEST_F(WrapperTest, NewControlsAreConfiguredOnTheDesignForm)
{
    clsControl &t = Make(16, "TEXT1");
    PlainControl *c = Control(t);
    EXPECT_EQ(c->Text(), "TEXT1");
    EXPECT_EQ(c->Tag(), "APP*F1*TEXT1");
    EXPECT_EQ(c->TabIndex(), 32767);
    EXPECT_TRUE(c->IsVisible());
    EXPECT_TRUE(c->Appearance3D());
    EXPECT_EQ(c->Container(), form->ControlObject());
    EXPECT_EQ(c->Font().Name, "Arial");
    EXPECT_EQ(c->BackColor(), qint32(0x80000005u));
    EXPECT_EQ(c->Border(), 2);
    EXPECT_FALSE(c->IsMultiLine());

    clsControl &m = Make(17, "MEMO");
    EXPECT_TRUE(Control(m)->IsMultiLine());
    EXPECT_TRUE(Control(m)->VerticalScrollBar());
    EXPECT_EQ(Make(29, "PW").ControlObject()->PasswordChar(), "*");

    // Two labels take consecutive elements above the prototype.
    const int first = Control(Make(15, "L1"))->Index();
    EXPECT_EQ(Control(Make(15, "L2"))->Index(), first + 1);
    // Every timer shares the form's one timer, which is never unloaded.
    clsControl &tm1 = Make(35, "TM1");
    clsControl &tm2 = Make(35, "TM2");
    EXPECT_EQ(tm1.ControlObject(), tm2.ControlObject());
    tm1.DeleteItem();
    EXPECT_EQ(tm2.ControlObject()->Kind(), 35);

    // A form is created hidden; the application shows its ID as title.
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->GetProperty(Prop::Visible), "0");
    EXPECT_EQ(t.GetProperty(Prop::Visible), "1");
    EXPECT_TRUE(static_cast<PlainForm *>(app->DesignForm())->IsMdi());
}

TEST_F(WrapperTest, ValuesShowOnTheControl)
{
    clsControl &label = Make(15, "LBL");
    label.SetProperty(Prop::Value, "two" + VM + "lines");
    EXPECT_EQ(Control(label)->Text(), "two\nlines");

    clsControl &t = Make(16, "T");
    t.SetProperty(Prop::DefVal, "dflt");
    EXPECT_EQ(t.GetProperty(Prop::Value), "dflt");
    t.SetProperty(Prop::Value, "typed");
    t.Reset();
    EXPECT_EQ(t.GetProperty(Prop::Value), "dflt");
    EXPECT_EQ(Control(t)->Text(), "dflt");
    t.InvokeMethod(Method::Clear);
    EXPECT_EQ(t.GetProperty(Prop::Value), "");
    EXPECT_TRUE(t.IsNonDefault(Prop::Value));

    // A rename shows the new ID only while the control shows its ID.
    clsControl &fresh = Make(16, "FRESH");
    fresh.RenameItem("RENAMED");
    EXPECT_EQ(Control(fresh)->Text(), "RENAMED");
    t.RenameItem("T2");
    EXPECT_EQ(Control(t)->Text(), "");

    // A list that turns into a check-box list keeps its rows.
    clsControl &list = Make(21, "LST");
    list.SetProperty(Prop::Items, "a" + VM + "b" + VM + "c");
    EXPECT_TRUE(list.ChangeType(34));
    EXPECT_TRUE(Control(list)->CheckBoxes());
    EXPECT_EQ(Control(list)->ListRows().size(), 3);

    clsControl &check = Make(20, "CHK");
    check.SetProperty(Prop::Caption, "Agree");
    check.SetProperty(Prop::Value, "1");
    EXPECT_EQ(Control(check)->Text(), "Agree");
    EXPECT_EQ(Control(check)->Value(), "1");
}

TEST_F(WrapperTest, DefaultsByKind)
{
    struct Row
    {
        int type;
        int code;
        const char *expected;
    };
    const Row rows[] = {
        {15, Prop::Border, "0"},          {16, Prop::Border, "2"},
        {16, Prop::Style, "0"},           {17, Prop::Style, "1"},
        {29, Prop::Style, "2"},           {18, Prop::BackColor, "&H8000000F"},
        {18, Prop::ForeColor, "&H80000012"}, {19, Prop::BackColor, "&H8000000F"},
        {20, Prop::Border, "0"},          {21, Prop::BackColor, "&H80000005"},
        {23, Prop::TabStop, "1"},         {25, Prop::Border, "2"},
        {26, Prop::ForeColor, "&H80000008"}, {32, Prop::BackColor, "&H80000005"},
        {33, Prop::TabStop, "1"},         {36, Prop::TabStop, "0"},
        {35, Prop::Timeout, "0"},         {35, Prop::Enabled, "1"},
        {30, Prop::Border, "2"},          {16, Prop::FontSize, DefaultFontSize},
        {76, Prop::Visible, "0"},         {77, Prop::Align, "1"},
        {78, Prop::Align, "2"},
    };
    int n = 0;
    for (const Row &row : rows) {
        clsControl &item = Make(row.type, QString("C%1").arg(n++));
        EXPECT_EQ(item.GetDefaultProperty(row.code), row.expected)
            << "type " << row.type << " code " << row.code;
        EXPECT_EQ(item.GetProperty(row.code), row.expected);
    }
    EXPECT_EQ(form->GetDefaultProperty(Prop::BackColor), "&H8000000F");
    EXPECT_EQ(app->GetDefaultProperty(Prop::BackColor), "&H8000000C");
    EXPECT_EQ(app->GetDefaultProperty(Prop::MsgText), "Processing... please wait");
    EXPECT_EQ(app->GetDefaultProperty(Prop::Version), "1.0");
    EXPECT_EQ(app->GetDefaultProperty(Prop::Timeout), "2");
}

TEST_F(WrapperTest, InheritedColoursAndTheLabelVersionRule)
{
    clsControl &frame = Make(26, "FR");
    frame.SetProperty(Prop::BackColor, "255");
    clsControl &label = Make(15, "LBL", "FR");
    clsControl &check = Make(20, "CHK", "FR");
    EXPECT_EQ(label.GetProperty(Prop::BackColor), "255");
    EXPECT_EQ(check.GetProperty(Prop::BackColor), "&H8000000F"); // the form's, not the frame's
    form->SetProperty(Prop::BackColor, "&H80000001");
    EXPECT_EQ(check.GetProperty(Prop::BackColor), "&H80000001");
    EXPECT_EQ(Control(check)->BackColor(), qint32(0x80000001u));
    dynamic_cast<cAppWrapper *>(app->Wrapper())->SetProjectVersion(13);
    EXPECT_EQ(label.GetProperty(Prop::BackColor), "&H80000001");

    items.CreateItem(30, "APP*F1*TG");
    items.Find("APP*F1*TG")->SetProperty(Prop::BackColor, "65280");
    EXPECT_EQ(Make(31, "P1", "TG").GetProperty(Prop::BackColor), "65280");
}

TEST_F(WrapperTest, BadValuesRaiseAndLeaveTheItemUnchanged)
{
    clsControl &t = Make(16, "T");
    t.SetProperty(Prop::Border, "1");
    struct Row
    {
        int code;
        const char *value;
        int error;
    };
    const Row rows[] = {
        {Prop::Style, "3", GuiErrors::InvalidPropertyValue},
        {Prop::Style, "abc", GuiErrors::InvalidPropertyValue},
        {Prop::Border, "99999999999999999999", GuiErrors::InvalidPropertyValue},
        {Prop::BackColor, "red", GuiErrors::InvalidPropertyValue},
        {Prop::Visible, "maybe", GuiErrors::InvalidPropertyValue},
        {Prop::DataType, "15", GuiErrors::InvalidPropertyValue},
        {Prop::Left, "\xef\xa3\xbd", GuiErrors::InvalidPropertyValue},
        {Prop::Items, "a", GuiErrors::NotSupported},
        {Prop::Status, "1", GuiErrors::NotSupported},
        {Prop::Caption, "x", GuiErrors::NotSupported},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(ErrorOf([&] { t.SetProperty(row.code, QString::fromUtf8(row.value)); }),
                  row.error)
            << "code " << row.code << " value " << row.value;
    }
    EXPECT_EQ(t.GetProperty(Prop::Border), "1");
    EXPECT_EQ(t.NonDefault(), (QList<int>{Prop::Border}));
    EXPECT_EQ(Control(t)->Border(), 1);
    EXPECT_EQ(t.GetProperty(Prop::Status), "0");
    EXPECT_EQ(ErrorOf([&] { t.GetProperty(Prop::Items); }), GuiErrors::NotSupported);

    // Empty resets: a label's Border goes to 0, a text box's to 2.
    clsControl &label = Make(15, "L");
    label.SetProperty(Prop::Border, "2");
    label.SetProperty(Prop::Border, "");
    EXPECT_EQ(label.GetProperty(Prop::Border), "0");
    t.SetProperty(Prop::Border, "");
    EXPECT_EQ(t.GetProperty(Prop::Border), "2");
    EXPECT_FALSE(t.IsNonDefault(Prop::Border));

    // The application's Enter key behaviour has a third value.
    app->SetProperty(Prop::RtnEqTab, "2");
    EXPECT_EQ(app->GetProperty(Prop::RtnEqTab), "2");
    app->SetProperty(Prop::RtnEqTab, "True");
    EXPECT_EQ(app->GetProperty(Prop::RtnEqTab), "1");
    EXPECT_EQ(ErrorOf([&] { app->SetProperty(Prop::RtnEqTab, "3"); }),
              GuiErrors::InvalidPropertyValue);

    // Numbers are normalised, so equal values compare equal to the default.
    t.SetProperty(Prop::BackColor, "-2147483643");
    EXPECT_EQ(t.GetProperty(Prop::BackColor), "&H80000005");
    EXPECT_FALSE(t.IsNonDefault(Prop::BackColor));
}

// Every validated range at its edges: the lowest and the highest legal value are taken and
// kept; one beyond either end is refused and leaves the value as it was.
TEST_F(WrapperTest, RangesAcceptTheirEndsAndRefuseOneBeyond)
{
    struct Range
    {
        int type;
        int code;
        const char *low, *high, *belowLow, *aboveHigh;
        int error = GuiErrors::InvalidPropertyValue;
    };
    const Range ranges[] = {
        {15, Prop::Align, "0", "2", "-1", "3"},
        {16, Prop::Border, "0", "2", "-1", "3"},
        {21, Prop::GridLines, "0", "3", "-1", "4"},
        {18, Prop::IconAlign, "0", "4", "-1", "5"},
        {18, Prop::IconSize, "0", "1", "-1", "2"},
        {16, Prop::MaxLen, "0", "2147483647", "-1", "2147483648"},
        {16, Prop::FontSize, "0.01", "2048", "0", "2048.01"},
        {16, Prop::EventMask, "-2147483648", "4294967295", "-2147483649", "4294967296"},
        {77, Prop::Style, "0", "2", "-1", "3"},
        {1, Prop::Scale, "0", "7", "-1", "8"}, // the application's scale unit
    };
    int n = 0;
    for (const Range &r : ranges) {
        const QString where = QString("type %1 code %2").arg(r.type).arg(r.code);
        clsControl &item = r.type == 1 ? *app : Make(r.type, QString("R%1").arg(++n));
        for (const char *legal : {r.low, r.high}) {
            EXPECT_EQ(ErrorOf([&] { item.SetProperty(r.code, QString::fromLatin1(legal)); }), 0)
                << qPrintable(where) << " value " << legal;
        }
        const QString kept = item.GetProperty(r.code);
        for (const char *illegal : {r.belowLow, r.aboveHigh}) {
            EXPECT_EQ(ErrorOf([&] { item.SetProperty(r.code, QString::fromLatin1(illegal)); }),
                      r.error)
                << qPrintable(where) << " value " << illegal;
            EXPECT_EQ(item.GetProperty(r.code), kept) << qPrintable(where);
        }
    }
}

TEST_F(WrapperTest, MethodsBecomePropertyChanges)
{
    clsControl &t = Make(16, "T");
    t.InvokeMethod(Method::Hide);
    EXPECT_EQ(t.GetProperty(Prop::Visible), "0");
    EXPECT_TRUE(t.IsNonDefault(Prop::Visible));
    EXPECT_TRUE(t.ControlObject()->IsVisible()); // still seen on the design form
    t.InvokeMethod(Method::Show);
    EXPECT_FALSE(t.IsNonDefault(Prop::Visible));
    t.InvokeMethod(Method::Disable);
    EXPECT_FALSE(t.Enabled());
    t.InvokeMethod(Method::Move, "2", "0", "10" + VM + "3");
    EXPECT_EQ(t.TwipLeft(), 240);
    EXPECT_EQ(t.TwipWidth(), 1200);
    EXPECT_EQ(t.TwipHeight(), 720);
    EXPECT_EQ(ErrorOf([&] { t.InvokeMethod(Method::Insert); }), GuiErrors::NotSupported);
    EXPECT_EQ(ErrorOf([&] { t.InvokeMethod(99); }), GuiErrors::NotSupported);

    clsControl &timer = Make(35, "TM");
    EXPECT_EQ(ErrorOf([&] { timer.InvokeMethod(Method::Show); }), GuiErrors::NotSupported);
    timer.InvokeMethod(Method::Disable);
    EXPECT_EQ(timer.GetProperty(Prop::Enabled), "0");
    EXPECT_EQ(ErrorOf([&] { form->InvokeMethod(Method::Help); }), GuiErrors::NotSupported);
    form->InvokeMethod(Method::Print);
    app->InvokeMethod(Method::Help);

    EXPECT_EQ(ErrorOf([&] { items.Root()->InvokeMethod(Method::Show); }),
              GuiErrors::NotSupported);
}

TEST_F(WrapperTest, ApplicationScaleAndEventMask)
{
    auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper());
    EXPECT_EQ(wrapper->ScaleUnit(), Scale::Characters);
    app->SetProperty(Prop::Scale, "5");
    EXPECT_DOUBLE_EQ(wrapper->ScaleX(), 1440);
    wrapper->ChangeScale(Scale::Twips);
    EXPECT_DOUBLE_EQ(wrapper->ScaleY(), 1);
    wrapper->RestoreScale();
    EXPECT_EQ(wrapper->ScaleUnit(), Scale::Inches);
    wrapper->RestoreScale(); // empty stack: nothing
    EXPECT_EQ(wrapper->ScaleUnit(), Scale::Inches);

    app->SetProperty(Prop::EventMask, QString::number(0x40000001));
    EXPECT_EQ(ErrorOf([&] { app->SetProperty(Prop::EventMask, QString::number(0x40000000)); }),
              GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(app->EventMask(), 0x40000001);
    // Stored as the signed decimal value.
    app->SetProperty(Prop::EventMask, QString::number(0xC0000001u));
    EXPECT_EQ(app->GetProperty(Prop::EventMask), "-1073741823");

    EXPECT_TRUE(app->ChangeType(1));
    EXPECT_FALSE(static_cast<PlainForm *>(app->DesignForm())->IsMdi());
    app->SetProperty(Prop::EventMask, QString::number(0x40000000));
}

// Tool bar buttons stand on one level whatever level they were given, and a separator breaks
// the group after it. (The room bars take is the next test's.)
TEST_F(WrapperTest, ToolBarsAreFlatWithGroupBreaks)
{
    auto entry = [](const QString &id, int level) { return id + SM + QString::number(level) + SM + id; };
    clsControl &tools = items.CreateItem(77, "APP*F1*TB");
    tools.SetProperty(Prop::Items, entry("A", 3) + VM + "-" + SM + "1" + VM + entry("B", 1));
    const auto &tb = Control(tools)->BarItems();
    EXPECT_EQ(tb[0].Level, 1);
    EXPECT_TRUE(tb[2].GroupBreak);
}

// The insets are kept as the sum of each bar's share: however bars come, change and go, they
// end where a count from scratch would put them, and controls keep their client position.
TEST_F(WrapperTest, BarInsetsFollowEveryChangeOfTheBarSet)
{
    auto insets = [&] {
        return QList<int>{FormOf(form)->InsetLeft(), FormOf(form)->InsetTop(), FormOf(form)->InsetRight(),
                          FormOf(form)->InsetBottom()};
    };
    // A form of nothing but bars first.
    clsControl &t1 = items.CreateItem(77, "APP*F1*TB1");
    clsControl &t2 = items.CreateItem(77, "APP*F1*TB2");
    clsControl &t3 = items.CreateItem(77, "APP*F1*TB3");
    EXPECT_EQ(insets(), (QList<int>{0, 1260, 0, 0}));

    clsControl &text = Make(16, "T");
    text.Move("1", "1", "", "");
    const int left = Control(text)->Left() - 0;
    const int top = Control(text)->Top() - 1260;

    t2.SetProperty(Prop::Visible, "0");
    EXPECT_EQ(insets(), (QList<int>{0, 840, 0, 0}));
    t3.SetProperty(Prop::Align, "3");
    EXPECT_EQ(insets(), (QList<int>{420, 420, 0, 0}));
    t1.SetProperty(Prop::Align, "4");
    EXPECT_EQ(insets(), (QList<int>{420, 0, 420, 0}));
    EXPECT_EQ(Control(text)->Left(), left + 420);
    EXPECT_EQ(Control(text)->Top(), top);

    clsControl &menu = items.CreateItem(75, "APP*F1*MENU");
    clsControl &status = items.CreateItem(78, "APP*F1*SB");
    items.CreateItem(76, "APP*F1*POP"); // a pop-up menu takes no room
    EXPECT_EQ(insets(), (QList<int>{420, 300, 420, 330}));
    EXPECT_EQ(Control(text)->Top(), top + 300); // a new bar moves the controls too
    t2.SetProperty(Prop::Visible, "1");
    t2.SetProperty(Prop::Align, "2");
    EXPECT_EQ(insets(), (QList<int>{420, 300, 420, 750}));

    t3.DeleteItem();
    status.DeleteItem();
    EXPECT_EQ(insets(), (QList<int>{0, 300, 420, 420}));
    menu.DeleteItem();
    t1.DeleteItem();
    t2.DeleteItem();
    EXPECT_EQ(insets(), (QList<int>{0, 0, 0, 0}));
    EXPECT_EQ(Control(text)->Left(), left);
    EXPECT_EQ(Control(text)->Top(), top);
    EXPECT_FLOAT_EQ(text.Top(), 1.0f);
}

TEST_F(WrapperTest, CommandButtonExtras)
{
    clsControl &cmd = Make(18, "CMD");
    auto *button = dynamic_cast<cCommandWrapper *>(cmd.Wrapper());
    EXPECT_FALSE(button->IsCancelButton());
    cmd.SetProperty(Prop::Style, "2");
    EXPECT_TRUE(button->IsCancelButton());
    EXPECT_EQ(Control(cmd)->Text(), "CMD");
    cmd.SetProperty(Prop::HelpID, "42");
    EXPECT_TRUE(Control(cmd)->HelpMarker());
}

// The picture wrapper hands its style, the scaling mode, to the picture control; a style
// outside the four modes is refused and the control keeps the mode it had.
TEST_F(WrapperTest, PictureStyleIsTheScalingModeOfTheControl)
{
    clsControl &picture = Make(Type::Picture, "PIC1");
    PlainControl *control = Control(picture);
    EXPECT_EQ(control->PictureScale(), 0);
    picture.SetProperty(Prop::Style, "2");
    EXPECT_EQ(control->PictureScale(), 2);
    EXPECT_EQ(ErrorOf([&] { picture.SetProperty(Prop::Style, "4"); }),
              GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(control->PictureScale(), 2);
    picture.SetProperty(Prop::Style, "");
    EXPECT_EQ(control->PictureScale(), 0);
}

// A form's design window shows its own icon, else the application's, and a change of the
// application's icon reaches exactly the forms without one of their own.
TEST_F(WrapperTest, FormsShowTheirOwnIconElseTheApplications)
{
    app->SetProperty(Prop::Icon, "icons\\app.ico");
    clsControl &plain = items.CreateItem(Type::FormSizableChild, "APP*F2");
    clsControl &own = items.CreateItem(Type::FormSizableChild, "APP*F3");
    own.SetProperty(Prop::Icon, "own.ico");

    EXPECT_EQ(FormOf(app)->Icon(), "icons\\app.ico");
    // A new form shows the application's icon at once.
    EXPECT_EQ(FormOf(&plain)->Icon(), "icons\\app.ico");
    EXPECT_EQ(FormOf(&own)->Icon(), "own.ico");

    const int ownChanges = FormOf(&own)->IconChanges();
    app->SetProperty(Prop::Icon, "new.ico");
    EXPECT_EQ(FormOf(app)->Icon(), "new.ico");
    EXPECT_EQ(FormOf(&plain)->Icon(), "new.ico");
    EXPECT_EQ(FormOf(&own)->Icon(), "own.ico");
    EXPECT_EQ(FormOf(&own)->IconChanges(), ownChanges);

    // Dropping its own icon brings back the application's; "none" is passed on as it is.
    own.SetProperty(Prop::Icon, "");
    EXPECT_EQ(FormOf(&own)->Icon(), "new.ico");
    plain.SetProperty(Prop::Icon, "none");
    EXPECT_EQ(FormOf(&plain)->Icon(), "none");
    app->SetProperty(Prop::Icon, "");
    EXPECT_EQ(FormOf(&own)->Icon(), "");
    EXPECT_EQ(FormOf(&plain)->Icon(), "none");
}
