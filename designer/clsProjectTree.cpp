#include "designer/clsProjectTree.h"

#include "model/Vocabulary.h"
#include "support/GuiError.h"

#include <QTreeWidget>

namespace {
constexpr int FullIdRole = Qt::UserRole + 1;
constexpr int TypeRole = Qt::UserRole + 2;

QString OwnId(const QString &fullId)
{
    return fullId.section(QLatin1Char('*'), -1);
}
} // namespace

clsProjectTree::clsProjectTree(QTreeWidget &view) : m_view(view) {}

QString clsProjectTree::FullIdOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, FullIdRole).toString() : QString();
}

void clsProjectTree::Show(QTreeWidgetItem *node, const QString &fullId, int type)
{
    QString kind;
    try {
        kind = Vocabulary::TypeKeyword(type, false);
    } catch (const GuiError &) {
        kind = QString::number(type);
    }
    node->setText(0, QStringLiteral("%1 (%2)").arg(OwnId(fullId), kind));
    node->setToolTip(0, fullId);
    node->setData(0, FullIdRole, fullId);
    node->setData(0, TypeRole, type);
}

void clsProjectTree::Insert(QTreeWidgetItem *node, QTreeWidgetItem *parent, int position)
{
    const int count = parent ? parent->childCount() : m_view.topLevelItemCount();
    const int at = position < 0 || position > count ? count : position;
    if (parent)
        parent->insertChild(at, node);
    else
        m_view.insertTopLevelItem(at, node);
}

void clsProjectTree::AddItem(int type, int position, const QString &fullId,
                             const QString &parentFullId)
{
    const QString key = fullId.toUpper();
    if (m_nodes.contains(key))
        return;
    auto *node = new QTreeWidgetItem;
    Show(node, fullId, type);
    Insert(node, parentFullId.isEmpty() ? nullptr : Node(parentFullId), position);
    m_nodes.insert(key, node);
}

void clsProjectTree::Forget(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        Forget(node->child(i));
    m_nodes.remove(FullIdOf(node).toUpper());
}

void clsProjectTree::RemoveItem(const QString &fullId)
{
    QTreeWidgetItem *node = Node(fullId);
    if (!node)
        return;
    Forget(node);
    delete node;
}

void clsProjectTree::RemoveAll()
{
    m_nodes.clear();
    m_view.clear();
}

void clsProjectTree::RepositionItem(const QString &fullId, const QString &newParentFullId,
                                    int position)
{
    QTreeWidgetItem *node = Node(fullId);
    if (!node)
        return;
    const bool wasCurrent = m_view.currentItem() == node;
    const bool expanded = node->isExpanded();
    // Taking the node keeps its subtree with it.
    if (QTreeWidgetItem *parent = node->parent())
        parent->removeChild(node);
    else
        m_view.takeTopLevelItem(m_view.indexOfTopLevelItem(node));
    Insert(node, newParentFullId.isEmpty() ? nullptr : Node(newParentFullId), position);
    node->setExpanded(expanded);
    if (wasCurrent)
        m_view.setCurrentItem(node);
}

void clsProjectTree::RenameItem(const QString &oldFullId, const QString &newFullId)
{
    QTreeWidgetItem *node = Node(oldFullId);
    if (!node)
        return;
    // The node and every descendant whose key starts with the old ID take the new one:
    // a form's controls carry the form's ID, a frame's do not.
    const QString oldPrefix = oldFullId.toUpper() + QLatin1Char('*');
    const QString newPrefix = newFullId + QLatin1Char('*');
    auto rekey = [&](auto &&self, QTreeWidgetItem *n, bool top) -> void {
        const QString id = FullIdOf(n);
        QString renamed;
        if (top)
            renamed = newFullId;
        else if (id.toUpper().startsWith(oldPrefix))
            renamed = newPrefix + id.mid(oldPrefix.size());
        if (!renamed.isEmpty()) {
            m_nodes.remove(id.toUpper());
            Show(n, renamed, n->data(0, TypeRole).toInt());
            m_nodes.insert(renamed.toUpper(), n);
        }
        for (int i = 0; i < n->childCount(); ++i)
            self(self, n->child(i), false);
    };
    rekey(rekey, node, true);
}

void clsProjectTree::Highlight(const QString &fullId)
{
    if (QTreeWidgetItem *node = Node(fullId)) {
        m_view.setCurrentItem(node);
        m_view.setFocus();
    }
}

void clsProjectTree::Refresh()
{
    m_view.expandToDepth(1);
}
