#pragma once

#include "app/iProjectTree.h"

#include <QHash>

class QTreeWidget;
class QTreeWidgetItem;

// The project tree of the main window: one node per design item under its parent's node,
// showing the item's ID and kind.
class clsProjectTree : public iProjectTree
{
public:
    explicit clsProjectTree(QTreeWidget &view);

    void AddItem(clsControl &item) override;
    void RemoveItem(clsControl &item) override;
    void Refresh() override;

    // The node of an item; nullptr when it has none.
    QTreeWidgetItem *NodeOf(const clsControl *item) const { return m_nodes.value(item); }

private:
    void Forget(QTreeWidgetItem *node);
    static QString NodeText(const clsControl &item);

    QTreeWidget &m_view;
    QHash<const clsControl *, QTreeWidgetItem *> m_nodes;
};
