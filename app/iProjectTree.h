#pragma once

class clsControl;

// The view of the item tree that the designer keeps up to date (the project tree of the main
// window). Headless, there is none.
class iProjectTree
{
public:
    virtual ~iProjectTree() = default;
    virtual void AddItem(clsControl &item) = 0;
    // Called before the item and its descendants are deleted.
    virtual void RemoveItem(clsControl &item) = 0;
    virtual void Refresh() {}
};
