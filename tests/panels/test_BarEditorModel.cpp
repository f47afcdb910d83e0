// The bar editor's model repairs stored menus with the right messages, keeps IDs unique and
// writes back exactly what it was given unless the user changed it.
#include "panels/BarEditorModel.h"
#include "panels/ShortcutList.h"
#include "model/BarContent.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
QString Bar(std::initializer_list<QStringList> entries)
{
    QStringList joined;
    for (const QStringList &parts : entries)
        joined << parts.join(QChar(Marks::SubValue));
    return joined.join(QChar(Marks::Value));
}
const QString LevelTail = QStringLiteral("' is invalid and will be adjusted to a valid level. "
                                         "The level for subsequent items may also be adjusted.");
} // namespace

TEST(BarEditorModel, MenuWhoseSecondEntryJumpsTwoLevelsIsAdjustedWithOneMessage)
{
    BarEditorModel model(75);
    const QStringList messages =
        model.Load(Bar({{"FILE", "1", "&File"}, {"NEW", "3", "&New"}, {"OPEN", "2", "&Open"}}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "The menu level for item '&New" + LevelTail);
    EXPECT_EQ(model.Entries().Level(1), 2);
    EXPECT_EQ(model.Entries().Level(2), 2);
    EXPECT_EQ(model.Store(), Bar({{"FILE", "1", "&File"}, {"NEW", "2", "&New"}, {"OPEN", "2", "&Open"}}));
    EXPECT_TRUE(model.Validate().isEmpty());
}

TEST(BarEditorModel, MissingIdsAreSkippedAndDuplicatesRenamedPerBarKind)
{
    struct Case { int type; QString title; };
    for (const Case &c : {Case{75, "Menu"}, Case{77, "Tool bar"}, Case{78, "Status bar"}}) {
        BarEditorModel model(c.type);
        const QStringList messages = model.Load(
            Bar({{"A", "1"}, {"  ", "1", "blank"}, {"a", "1"}, {"A_2", "1"}, {"A", "1"}}));
        ASSERT_EQ(messages.size(), 3) << c.type;
        EXPECT_EQ(messages[0], "ID for index 2 is missing. Item skipped!");
        // The next free number is taken: A_2 is a later entry's own ID.
        EXPECT_EQ(messages[1], c.title + " item ID 'a' is duplicated. New ID is 'a_3'");
        EXPECT_EQ(messages[2], c.title + " item ID 'A' is duplicated. New ID is 'A_4'");
        EXPECT_EQ(model.Count(), 4);
        EXPECT_TRUE(model.Validate().isEmpty()) << qPrintable(model.Validate());
    }
}

TEST(BarEditorModel, BadInputIsRepairedIntoSomethingTheBarTakes)
{
    // Levels jumping by hundreds, garbage levels and 50,000 equal IDs.
    QStringList entries{Bar({{"TOP", "1", "Top"}}), Bar({{"DEEP", "400", "Deep"}}),
                        Bar({{"NEG", "-7", "Neg"}}), Bar({{"X", "x1", "Garbage"}})};
    for (int i = 0; i < 50000; ++i)
        entries << Bar({{"SAME", "1", QString(i == 0 ? 100000 : 1, QChar(u'c'))}});
    BarEditorModel model(75);
    const QStringList messages = model.Load(entries.join(QChar(Marks::Value)));
    EXPECT_EQ(messages.size(), 3 + 49999);
    EXPECT_EQ(model.Entries().Level(1), 2);
    EXPECT_EQ(model.Entries().Level(2), 1);
    EXPECT_EQ(model.Id(model.Count() - 1), "SAME_50000");
    EXPECT_TRUE(model.Validate().isEmpty());
    BarContent content(75);
    EXPECT_NO_THROW(content.SetItems(model.Store()));
}

TEST(BarEditorModel, IdChecksUseTheBarsWording)
{
    BarEditorModel tools(77);
    tools.Load(Bar({{"NEW", "1"}, {"SAVE", "1"}}));
    EXPECT_EQ(tools.CheckId(0, "  "), "Please enter a valid tool ID.");
    EXPECT_EQ(tools.CheckId(0, "save"), "'save' already exists in this toolbar Please enter a unique ID.");
    EXPECT_EQ(tools.CheckId(0, "save", true), "Item 'save' already exists in this toolbar. Please enter a unique ID.");
    EXPECT_TRUE(tools.CheckId(0, "new").isEmpty()); // its own ID in another case
    BarEditorModel panels(78);
    panels.Load(Bar({{"MSG", "1"}}));
    EXPECT_EQ(panels.CheckId(0, ""), "Please enter a valid panel ID.");
    BarEditorModel menu(76);
    menu.Load(Bar({{"A", "1"}, {"B", "1"}}));
    EXPECT_EQ(menu.CheckId(1, "a"), "'a' already exists in this menu Please enter a unique ID.");
    EXPECT_EQ(menu.Key(1), "B~");
}

TEST(BarEditorModel, EditingAddsInsertsDeletesAndReordersWholeSubmenus)
{
    BarEditorModel model(75);
    model.Load(Bar({{"FILE", "1", "&File"}, {"OPEN", "2", "Open"}, {"HELP", "1", "Help"}}));
    const int sub = model.NewSubItem(0); // after OPEN, at level 2
    EXPECT_EQ(sub, 2);
    EXPECT_FALSE(model.Validate().isEmpty()); // a new item has no ID yet
    model.SetId(sub, "SAVE");
    model.SetCaption(sub, QString("Save") + QChar(Marks::Value) + "x"); // a pasted mark is dropped
    EXPECT_EQ(model.Caption(sub), "Savex");
    EXPECT_EQ(model.MoveDown(0), 1); // FILE with its two children moves below HELP
    EXPECT_EQ(model.Id(0), "HELP");
    EXPECT_EQ(model.SetBeginGroup(3, true), 4); // a separator before SAVE
    EXPECT_TRUE(model.BeginGroup(4));
    model.SetShortcutCode(4, ShortcutList::Code(ShortcutList::RowOf(19)));
    model.SetEnabled(4, false);
    model.Delete(0);
    EXPECT_EQ(model.Store(), Bar({{"FILE", "1", "&File"}, {"OPEN", "2", "Open"}, {"-", "2"},
                                  {"SAVE", "2", "Savex", "", "0", "", "19"}}));
    BarContent content(75);
    EXPECT_NO_THROW(content.SetItems(model.Store()));
    EXPECT_TRUE(content.DisplayModel()[3].BeginGroup);
}

TEST(BarEditorModel, StructuralEditsStopAtTheEdgeOfASubtree)
{
    // FILE holds OPEN and a closing separator; EDIT's first child is CUT.
    const QString menu = Bar({{"FILE", "1"}, {"OPEN", "2"}, {"-", "2"}, {"EDIT", "1"}, {"CUT", "2"}});
    struct Case { const char *what; std::function<int(BarEditorModel &)> edit; int result; QString store; };
    const Case cases[] = {
        {"a first child does not move up under its parent's previous sibling",
         [](BarEditorModel &m) { return m.MoveUp(4); }, -1, menu},
        {"a separator closing the previous submenu does not begin a group",
         [](BarEditorModel &m) { return int(m.BeginGroup(3)); }, 0, menu},
        {"a group begun at the top level gets a separator at that level",
         [](BarEditorModel &m) { return m.SetBeginGroup(3, true) * 10 + int(m.BeginGroup(4)); }, 41,
         Bar({{"FILE", "1"}, {"OPEN", "2"}, {"-", "2"}, {"-", "1"}, {"EDIT", "1"}, {"CUT", "2"}})},
        {"a group begun for a first child is a separator inside the submenu",
         [](BarEditorModel &m) { return m.SetBeginGroup(4, true) * 10 + int(m.BeginGroup(5)); }, 51,
         Bar({{"FILE", "1"}, {"OPEN", "2"}, {"-", "2"}, {"EDIT", "1"}, {"-", "2"}, {"CUT", "2"}})},
    };
    for (const Case &c : cases) {
        BarEditorModel model(75);
        model.Load(menu);
        EXPECT_EQ(c.edit(model), c.result) << c.what;
        EXPECT_EQ(model.Store(), c.store) << c.what;
    }
}

TEST(BarEditorModel, UntouchedFieldsAreNotRewritten)
{
    const QString stored = Bar({{"MSG", "01", "Ready", "", "", "1", "", "", "", "-1.0", ""}});
    BarEditorModel model(78);
    model.Load(stored);
    model.SetEnabled(0, true);    // already on (empty reads as on)
    model.SetVisible(0, true);
    model.SetWidth(0, "Spring"); // -1.0 is a spring already
    model.SetAlign(0, 0);
    model.SetShortcutCode(0, 0);
    EXPECT_EQ(model.Store(), stored);
    model.SetWidth(0, "Auto");
    model.SetAlign(0, 2);
    EXPECT_EQ(model.Width(0), "0");
    EXPECT_EQ(model.Align(0), 2);
}
