#pragma once

#include <QString>
#include <optional>

class clsControl;

// The rules of the project tree that do not depend on its widget: what a label edit may
// rename an item to and what a drag may do with it.
namespace ProjectTreeModel
{
// Longest ID an object may carry (the property sheet allows no more either).
inline constexpr int MaxIdLength = 64;

// The text a label edit would give the item as its ID: trimmed. The message to show when
// the item may not take it (invalid characters, a sibling or another object of the form
// with the ID in any letter case); nullopt when it may. The item's own ID in another letter
// case is allowed.
std::optional<QString> RenameRefusal(const clsControl &item, const QString &newId);

// Only forms, controls and form bars are dragged; applications stay where they are.
bool CanDrag(const clsControl &item);

// What dropping a dragged item on a node does.
struct Drop
{
    enum class Kind {
        Nothing,  // on itself, or where it already stands
        Move,     // next to Target: after it when After
        Refused   // Message says why
    };
    Kind What = Kind::Nothing;
    QString Target; // own ID of the sibling the item lands next to
    bool After = false;
    QString Message;
};
// Dropped on a sibling, the item takes that sibling's place (going down it lands behind it,
// going up in front of it); dropped on its parent it becomes the first child. Anything else
// would change the item's form or container, which its ID stands for: refused.
Drop DropOn(const clsControl &dragged, const clsControl &target);
} // namespace ProjectTreeModel
