// The menu editor's "Shortcut:" list and the code generator's key table name the same key
// with the same code, so a shortcut chosen in the sheet is the one the generated code sees.
#include "panels/ShortcutList.h"
#include "code/modCodeGen.h"

#include <gtest/gtest.h>

#include <set>

TEST(ShortcutList, EveryEntryAgreesWithTheKeyTable)
{
    // In the list's order: none, Ctrl with a letter, the function keys alone and with Shift, Ctrl
    // and Ctrl+Shift, the three editing keys in four ways each, and the Alt keys.
    EXPECT_EQ(ShortcutList::Count(), 1 + 26 + 48 + 24 + 3);
    for (const auto &[row, text] : {std::pair{0, "(none)"}, {1, "Ctrl+A"}, {27, "F1"}, {39, "Shift+F1"},
                                    {51, "Ctrl+F1"}, {63, "Ctrl+Shift+F1"}, {75, "Insert"},
                                    {78, "Ctrl+Shift+Insert"}, {ShortcutList::Count() - 1, "Alt+Bksp"}})
        EXPECT_EQ(ShortcutList::Text(row), text) << row;

    EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::KeyName(0)), 0);
    std::set<int> codes;
    for (int row = 1; row < ShortcutList::Count(); ++row) {
        EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::KeyName(row)), ShortcutList::Code(row))
            << qPrintable(ShortcutList::Text(row));
        // The list's own spelling reads the same, but for the backspace key's short name.
        if (ShortcutList::Text(row) != QLatin1String("Alt+Bksp"))
            EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::Text(row)), ShortcutList::Code(row));
        EXPECT_EQ(ShortcutList::RowOf(ShortcutList::Code(row)), row);
        codes.insert(ShortcutList::Code(row));
    }
    EXPECT_EQ(codes.size(), size_t(ShortcutList::Count() - 1)); // every code once
}
