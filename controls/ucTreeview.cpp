#include "controls/ucTreeview.h"

namespace {
constexpr int IdRole = Qt::UserRole + 1;
// The state bits of a node.
constexpr int Expanded = 1;
constexpr int Selected = 2;
constexpr int Checked = 4;
} // namespace

ucTreeview::ucTreeview(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
}

void ucTreeview::SetNodes(const QList<Node> &nodes)
{
    setUpdatesEnabled(false);
    clear();
    // The last item seen at each depth: a node's parent is the last one a level above.
    QList<QTreeWidgetItem *> path;
    for (const Node &node : nodes) {
        const int depth = qBound(1, node.Level, int(path.size()) + 1);
        path.resize(depth - 1);
        auto *item = path.isEmpty() ? new QTreeWidgetItem(this)
                                    : new QTreeWidgetItem(path.back());
        item->setText(0, node.Caption.isEmpty() ? node.ID : node.Caption);
        item->setData(0, IdRole, node.ID);
        if (!node.Hint.isEmpty())
            item->setToolTip(0, node.Hint);
        if (node.State & Checked)
            item->setCheckState(0, Qt::Checked);
        if (node.State & Selected)
            item->setSelected(true);
        path.append(item);
    }
    m_count = int(nodes.size());
    // Expanded nodes open once their children are in place.
    int i = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it, ++i)
        if (i < nodes.size() && (nodes.at(i).State & Expanded))
            (*it)->setExpanded(true);
    setUpdatesEnabled(true);
}

QTreeWidgetItem *ucTreeview::Find(const QString &id) const
{
    for (QTreeWidgetItemIterator it(const_cast<ucTreeview *>(this)); *it; ++it)
        if ((*it)->data(0, IdRole).toString() == id)
            return *it;
    return nullptr;
}
