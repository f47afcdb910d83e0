#pragma once

#include <QString>

class clsControl;

// Told about every change of the item tree that a view of it (the project tree) must follow.
// The registry has one observer; it is told after an item is added, renamed or moved, and
// before an item is removed, while the item and its descendants still exist.
class iItemsObserver
{
public:
    virtual ~iItemsObserver() = default;
    // A new registered item at position (0-based) among its parent's children.
    virtual void ItemAdded(clsControl &item, int position) = 0;
    // The item is about to be deleted with all its descendants (told once, for it alone).
    virtual void ItemRemoving(clsControl &item) = 0;
    // The item's own ID changed; the full IDs of its descendants follow.
    virtual void ItemRenamed(clsControl &item, const QString &oldFullId) = 0;
    // The item now stands at position (0-based) among its parent's children.
    virtual void ItemRepositioned(clsControl &item, int position) = 0;
};
