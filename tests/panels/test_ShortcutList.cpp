// The menu editor's "Shortcut:" list and the code generator's key table name the same key
// with the same code, so a shortcut chosen in the sheet is the one the generated code sees.
#include "panels/ShortcutList.h"
#include "code/modCodeGen.h"

#include <gtest/gtest.h>

TEST(ShortcutList, EveryEntryAgreesWithTheKeyTable)
{
    EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::KeyName(0)), 0);
    for (int row = 1; row < ShortcutList::Count(); ++row) {
        EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::KeyName(row)), ShortcutList::Code(row))
            << qPrintable(ShortcutList::Text(row));
        // The list's own spelling reads the same, but for the backspace key's short name.
        if (ShortcutList::Text(row) != QLatin1String("Alt+Bksp"))
            EXPECT_EQ(modCodeGen::ShortcutKeyCode(ShortcutList::Text(row)), ShortcutList::Code(row));
    }
}
