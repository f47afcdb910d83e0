#pragma once

#include "app/iProjectTree.h"

#include <QHash>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// The project tree of the main window: one node per design item under its parent's node,
// keyed by the item's upper-cased full ID and showing its own ID and kind.
class clsProjectTree : public iProjectTree
{
public:
    explicit clsProjectTree(QTreeWidget &view);

    void AddItem(int type, int position, const QString &fullId,
                 const QString &parentFullId) override;
    void RemoveItem(const QString &fullId) override;
    void RemoveAll() override;
    void RepositionItem(const QString &fullId, const QString &newParentFullId,
                        int position) override;
    void RenameItem(const QString &oldFullId, const QString &newFullId) override;
    void Highlight(const QString &fullId) override;
    void Refresh() override;

    // The node of an item; nullptr when it has none.
    QTreeWidgetItem *Node(const QString &fullId) const { return m_nodes.value(fullId.toUpper()); }
    // The full ID a node stands for.
    static QString FullIdOf(const QTreeWidgetItem *node);

private:
    void Forget(QTreeWidgetItem *node);
    void Show(QTreeWidgetItem *node, const QString &fullId, int type);
    void Insert(QTreeWidgetItem *node, QTreeWidgetItem *parent, int position);

    QTreeWidget &m_view;
    QHash<QString, QTreeWidgetItem *> m_nodes;
};
