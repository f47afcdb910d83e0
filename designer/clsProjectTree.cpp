#include "designer/clsProjectTree.h"

#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <QTreeWidget>

namespace {
constexpr int ItemRole = Qt::UserRole + 1;
}

clsProjectTree::clsProjectTree(QTreeWidget &view) : m_view(view) {}

QString clsProjectTree::NodeText(const clsControl &item)
{
    QString kind;
    try {
        kind = Vocabulary::TypeKeyword(item.ObjType(), false);
    } catch (const GuiError &) {
        kind = QString::number(item.ObjType());
    }
    return QStringLiteral("%1 (%2)").arg(item.ID(), kind);
}

void clsProjectTree::AddItem(clsControl &item)
{
    if (m_nodes.contains(&item))
        return;
    QTreeWidgetItem *parentNode = NodeOf(item.Parent());
    auto *node = parentNode ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem(&m_view);
    node->setText(0, NodeText(item));
    node->setToolTip(0, item.FullID());
    node->setData(0, ItemRole, QVariant::fromValue(static_cast<void *>(&item)));
    m_nodes.insert(&item, node);
}

void clsProjectTree::Forget(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        Forget(node->child(i));
    m_nodes.remove(static_cast<const clsControl *>(node->data(0, ItemRole).value<void *>()));
}

void clsProjectTree::RemoveItem(clsControl &item)
{
    QTreeWidgetItem *node = NodeOf(&item);
    if (!node)
        return;
    Forget(node);
    delete node;
}

void clsProjectTree::Refresh()
{
    m_view.expandToDepth(1);
}
