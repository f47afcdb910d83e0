#pragma once

#include <QString>

// The "Shortcut:" list of the menu editor: "(none)" first, then every shortcut key a menu
// item can have, in the order the list shows them, each with the key code the item stores.
namespace ShortcutList {

int Count();
// The text shown in row `row` (0 is "(none)").
QString Text(int row);
// The stored key code of a row; 0 for "(none)".
int Code(int row);
// The key's name in the shortcut-key table ("CTRL+SHIFT+F5", "ALT+BKSPC"); empty for row 0.
QString KeyName(int row);
// The row that shows a key code; 0 for 0 or an unknown code.
int RowOf(int code);

} // namespace ShortcutList
