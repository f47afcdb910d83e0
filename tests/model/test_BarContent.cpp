// BarContent: menu level checks, flat tool and status bars, keyword items, status panel
// widths, group breaks, item members by ID and the bar event-mask rule.
#include "model/BarContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

QString Entry(const QString &id, const QString &level, const QString &caption = {})
{
    return QStringList({id, level, caption}).join(SM);
}

// A status bar panel: ID, caption, width and alignment in their places.
QString Panel(const QString &id, const QString &width, const QString &align = {})
{
    return QStringList({id, "", id, "", "1", "1", "", "", "", width, align}).join(SM);
}

QString Levels(std::initializer_list<int> levels)
{
    QStringList entries;
    int n = 0;
    for (int level : levels)
        entries.append(Entry(QStringLiteral("I%1").arg(++n), QString::number(level)));
    return entries.join(VM);
}
} // namespace

TEST(BarContent, MenuLevelsMayDeepenByOneOnly)
{
    BarContent menu(BarContent::Menu);
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Levels({1, 2, 2, 1})); }), 0);
    const QString before = menu.GetItems();

    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Levels({1, 3})); }), 5014);
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Levels({3})); }), 5014);
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Levels({1, 0})); }), 5014);
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Entry("A", "one")); }), 380);
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Entry("I2", "4"), 2); }), 5014);
    BarContent popup(BarContent::PopupMenu);
    EXPECT_EQ(ErrorOf([&] { popup.SetItems(Levels({1, 2, 4})); }), 5014);
    EXPECT_EQ(menu.GetItems(), before);

    // Before the first entry the previous level counts as 1.
    EXPECT_EQ(ErrorOf([&] { menu.SetItems(Levels({2, 3, 1})); }), 0);
}

TEST(BarContent, ToolAndStatusBarsAreFlat)
{
    BarContent tools(BarContent::ToolBar);
    const QString items = Levels({1, 3, 7});
    tools.SetItems(items);
    EXPECT_EQ(tools.GetItems(), items); // the stored levels are kept
    for (const BarDisplayItem &item : tools.DisplayModel()) {
        EXPECT_EQ(item.Level, 1);
        EXPECT_EQ(item.ItemKind, BarDisplayItem::Button);
        EXPECT_TRUE(item.Enabled && item.Visible); // unset flags are on
    }

    tools.SetItems(QStringList({"SAVE", "", "Save", "save.ico", "0", "-1", "", "1", "Save it"}).join(SM));
    const BarDisplayItem save = tools.DisplayModel().front();
    EXPECT_FALSE(save.Enabled);
    EXPECT_TRUE(save.Visible);
    EXPECT_TRUE(save.CausesValidation);
    EXPECT_EQ(save.ToolTip, "Save it");
    EXPECT_EQ(save.Icon, "save.ico");
    EXPECT_EQ(ErrorOf([&] { tools.SetItems("A" + Marks::AttributeMark() + "B"); }), 380);
    EXPECT_EQ(ErrorOf([&] { tools.SetItems("A" + VM + "B", 1); }), 380);
    EXPECT_EQ(tools.ItemCount(), 1);
}

TEST(BarContent, MenuEntriesBecomeHeadersWindowListsSeparatorsAndCommands)
{
    BarContent menu(BarContent::Menu);
    menu.SetItems(QStringList({Entry("FILE", "1", "&File"), Entry("*cut", "2", "Cu&t"),
                               Entry("-", "2"), Entry("QUIT", "2"), Entry("*window", "1"),
                               Entry("-", "1"), Entry("HELP", "1")})
                      .join(VM));
    const std::vector<BarDisplayItem> shown = menu.DisplayModel();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[0].ItemKind, BarDisplayItem::SubmenuHeader);
    EXPECT_EQ(shown[1].ItemKind, BarDisplayItem::Command);
    EXPECT_EQ(shown[1].Action, "*Cut");
    EXPECT_EQ(shown[1].Level, 2);
    EXPECT_EQ(shown[2].ItemKind, BarDisplayItem::Separator);
    EXPECT_TRUE(shown[3].BeginGroup);
    EXPECT_FALSE(shown[1].BeginGroup);
    EXPECT_EQ(shown[4].ItemKind, BarDisplayItem::WindowList);
    EXPECT_TRUE(shown[4].ListsWindows);
    EXPECT_TRUE(shown[6].BeginGroup);
}

TEST(BarContent, StandardActionsAreKnownInAnyLetterCaseAndOnlyWithTheirAsterisk)
{
    for (const QString name : {"*Exit", "*Cut", "*Copy", "*Paste", "*SelectAll", "*Print",
                               "*PrintSetup", "*Window", "*TileHoriz", "*TileVert", "*Cascade",
                               "*Help", "*About"}) {
        EXPECT_EQ(BarContent::StandardAction(name.toLower()), name);
        EXPECT_EQ(BarContent::StandardAction(name.toUpper()), name);
        EXPECT_EQ(BarContent::StandardAction(name.mid(1)), QString());
        EXPECT_EQ(BarContent::StandardAction(name + "S"), QString());
    }
    // Upper-cased, a dotless i is an I.
    EXPECT_EQ(BarContent::StandardAction(QString::fromUtf16(u"*ex\u0131t")), "*Exit");
    EXPECT_EQ(BarContent::StandardAction(" *Exit"), QString());
}

TEST(BarContent, StatusPanelsTakeKeywordsWidthsAndAlignments)
{
    BarContent status(BarContent::StatusBar, 1440.0); // inches
    status.SetItems(QStringList({Panel("*caps", "-1"), Panel("CAPS", "0", "2"), Panel("MSG", "2.5", "1"),
                                 Panel("*TimeDate", ""), Panel("TINY", "0.00005")})
                        .join(VM));
    const std::vector<BarDisplayItem> shown = status.DisplayModel();
    EXPECT_EQ(shown[0].ItemKind, BarDisplayItem::AutoPanel);
    EXPECT_EQ(shown[0].Panel, BarDisplayItem::Caps);
    EXPECT_EQ(shown[0].Width, BarDisplayItem::SpringWidth);
    EXPECT_EQ(shown[1].ItemKind, BarDisplayItem::TextPanel);
    EXPECT_EQ(shown[1].Width, BarDisplayItem::AutoWidth);
    EXPECT_EQ(shown[1].Alignment, 2);
    EXPECT_EQ(shown[2].Width, BarDisplayItem::FixedWidth);
    EXPECT_EQ(shown[2].WidthTwips, 3600);
    EXPECT_EQ(shown[3].Panel, BarDisplayItem::TimeDate);
    EXPECT_EQ(shown[4].Width, BarDisplayItem::AutoWidth);

    const QString before = status.GetItems();
    EXPECT_EQ(ErrorOf([&] { status.SetItems(Panel("P", "-0.5")); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItems(Panel("P", "wide")); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItems(Panel("P", "1e300")); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItems(Panel("P", "1", "3")); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItems(QStringList({"P", "", "", "", "2"}).join(SM)); }), 380);
    EXPECT_EQ(status.GetItems(), before);
}

TEST(BarContent, ItemsWithAnIndexAndItemMembersByID)
{
    BarContent status(BarContent::StatusBar, 1440.0);
    const QString items = Panel("MSG", "1") + VM + Panel("-", "") + VM + Panel("CLOCK", "0");
    status.SetItems(items);
    EXPECT_EQ(status.GetItems(3), Panel("CLOCK", "0"));
    EXPECT_EQ(ErrorOf([&] { status.GetItems(4); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.GetItems(-1); }), 380);

    status.SetItemCaption("msg", "Ready");
    status.SetItemToolTip("MSG", "Messages");
    status.SetItemIcon("MSG", "msg.ico");
    status.SetItemAlign("clock", "2");
    status.SetItemWidth("CLOCK", "-1");
    EXPECT_EQ(status.ItemCaption("MSG"), "Ready");
    EXPECT_EQ(status.ItemToolTip("MSG"), "Messages");
    EXPECT_EQ(status.ItemIcon("MSG"), "msg.ico");
    EXPECT_EQ(status.ItemAlign("MSG"), "0");
    EXPECT_EQ(status.DisplayModel()[2].Alignment, 2);
    EXPECT_EQ(status.DisplayModel()[2].Width, BarDisplayItem::SpringWidth);

    const QString before = status.GetItems();
    EXPECT_EQ(ErrorOf([&] { status.SetItemCaption("NOPE", "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItemCaption("-", "x"); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItemCaption("MSG", "a" + VM + "b"); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItemAlign("MSG", "5"); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.SetItemWidth("MSG", "-0.3"); }), 380);
    EXPECT_EQ(ErrorOf([&] { status.ItemWidth("NOPE"); }), 380);
    EXPECT_EQ(status.GetItems(), before);
}

TEST(BarContent, OnlyStatusBarsAcceptEventsOtherThanClick)
{
    for (int type : {BarContent::Menu, BarContent::PopupMenu, BarContent::ToolBar}) {
        EXPECT_EQ(ErrorOf([&] { BarContent::CheckEventMask(type, 0x20); }), 0);
        EXPECT_EQ(ErrorOf([&] { BarContent::CheckEventMask(type, 0x60); }), 380);
        EXPECT_EQ(ErrorOf([&] { BarContent::CheckEventMask(type, 0); }), 380);
    }
    EXPECT_EQ(ErrorOf([&] { BarContent::CheckEventMask(BarContent::StatusBar, -1); }), 0);
    EXPECT_EQ(ErrorOf([] { BarContent bar(33); }), 5003);
}

// Every flag part of an entry (enabled, visible, causes validation) takes 0, 1, -1 or
// nothing, on every kind of bar; the status bar's alignment takes 0 to 2. A refused value
// leaves the bar as it was.
TEST(BarContent, EveryFlagPartIsChecked)
{
    struct Row
    {
        int part; // 0-based
        const char *value;
        bool accepted;
    };
    const Row rows[] = {
        {4, "0", true},   {4, "1", true},   {4, "-1", true},  {4, "", true},
        {4, "2", false},  {4, "-2", false}, {4, "yes", false},
        {5, "0", true},   {5, "1", true},   {5, "2", false},  {5, "x", false},
        {7, "0", true},   {7, "1", true},   {7, "2", false},  {7, "x", false},
    };
    for (int type : {BarContent::Menu, BarContent::PopupMenu, BarContent::ToolBar,
                     BarContent::StatusBar}) {
        for (const Row &row : rows) {
            QStringList parts{"ITEM", "1", "Item", "", "1", "1", "", "0", "", "", ""};
            parts[row.part] = row.value;
            BarContent bar(type);
            bar.SetItems(Entry("FIRST", "1"));
            const QString before = bar.GetItems();
            const int error = ErrorOf([&] { bar.SetItems(parts.join(SM)); });
            EXPECT_EQ(error, row.accepted ? 0 : GuiErrors::InvalidPropertyValue)
                << "bar " << type << " part " << row.part + 1 << " value '" << row.value << "'";
            if (!row.accepted)
                EXPECT_EQ(bar.GetItems(), before);
        }
    }

    struct Align
    {
        const char *value;
        bool accepted;
    };
    for (const Align a : {Align{"0", true}, Align{"2", true}, Align{"3", false}, Align{"-1", false}}) {
        BarContent status(BarContent::StatusBar);
        EXPECT_EQ(ErrorOf([&] { status.SetItems(Panel("P", "1", a.value)); }),
                  a.accepted ? 0 : GuiErrors::InvalidPropertyValue)
            << "align " << a.value;
    }
}
