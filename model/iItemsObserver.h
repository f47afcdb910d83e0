#pragma once

#include <QString>

class clsControl;

// Told about changes of the item tree that a view of it (the project tree) must follow.
class iItemsObserver
{
public:
    virtual ~iItemsObserver() = default;
    virtual void ItemRenamed(clsControl &item, const QString &oldFullId) = 0;
    virtual void ItemRepositioned(clsControl &item) = 0;
};
