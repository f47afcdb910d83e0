#include "designer/clsProjectTree.h"

#include "app/EditCommands.h"
#include "app/ErrorBoundary.h"
#include "panels/ProjectTreeModel.h"
#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "designer/DesignFormFactory.h"
#include "designer/DragCursors.h"
#include "designer/ItemImages.h"
#include "designer/frmDesign.h"
#include "designer/iProjectTreeHost.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/GuiError.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QItemSelection>
#include <QMap>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>

namespace {
constexpr int FullIdRole = Qt::UserRole + 1;
constexpr int TypeRole = Qt::UserRole + 2;
constexpr QLatin1String TreeLabel("<clsProjectTree>");

QString OwnId(const QString &fullId)
{
    return fullId.mid(fullId.lastIndexOf(QLatin1Char('*')) + 1);
}

// A node holds its item's full ID and type; its label (the item's own ID), image and tool
// tip (kind and full ID) follow from them and are made when the view asks: a project of many
// objects makes no text or icon for a node that is not shown.
class ProjectNode : public QTreeWidgetItem
{
public:
    QVariant data(int column, int role) const override
    {
        if (column != 0)
            return QTreeWidgetItem::data(column, role);
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return OwnId(FullId());
        case Qt::DecorationRole:
            return ItemImages::IconOfType(Type());
        case Qt::ToolTipRole: {
            QString kind;
            try {
                kind = Vocabulary::TypeKeyword(Type(), false);
            } catch (const GuiError &) {
                kind = QString::number(Type());
            }
            return QString(kind + QLatin1Char(' ') + FullId());
        }
        default:
            return QTreeWidgetItem::data(column, role);
        }
    }

private:
    QString FullId() const { return QTreeWidgetItem::data(0, FullIdRole).toString(); }
    int Type() const { return QTreeWidgetItem::data(0, TypeRole).toInt(); }
};

// Counts the tree's own changes so the selection signals they cause are not taken for the
// user's.
class Quiet
{
public:
    explicit Quiet(int &depth) : m_depth(depth) { ++m_depth; }
    ~Quiet() { --m_depth; }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    int &m_depth;
};
} // namespace

// The label editor: tells the main window when an edit begins and ends, and hands the
// text to the tree instead of writing it into the node; the node shows a new ID only
// once the item has taken it, so a refused edit leaves the old label.
class clsProjectTree::LabelDelegate : public QStyledItemDelegate
{
public:
    LabelDelegate(clsProjectTree &tree, QObject *parent)
        : QStyledItemDelegate(parent), m_tree(tree)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_tree.LabelEditing(true);
        return editor;
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        QStyledItemDelegate::destroyEditor(editor, index);
        m_tree.LabelEditing(false);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        QTreeWidgetItem *node = m_tree.Node(index.data(FullIdRole).toString());
        if (line && node)
            // After the editor is gone: a message about a refused ID must not be shown
            // while the view is still closing its editor.
            QMetaObject::invokeMethod(
                &m_tree,
                [tree = &m_tree, key = FullIdOf(node), text = line->text()] {
                    if (QTreeWidgetItem *n = tree->Node(key))
                        tree->CommitLabel(n, text);
                },
                Qt::QueuedConnection);
    }

private:
    clsProjectTree &m_tree;
};

clsProjectTree::clsProjectTree(QTreeWidget &view) : m_view(view)
{
    m_view.setHeaderHidden(true);
    m_view.setSortingEnabled(false);
    m_view.setUniformRowHeights(true);
    m_view.setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_view.setSelectionMode(QAbstractItemView::SingleSelection);
    m_view.setDragDropMode(QAbstractItemView::NoDragDrop);
    m_view.setContextMenuPolicy(Qt::CustomContextMenu);
    m_view.setItemDelegate(new LabelDelegate(*this, &m_view));
    m_view.viewport()->installEventFilter(this);
    m_view.installEventFilter(this);

    QObject::connect(&m_view, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem *current) {
                         if (!m_quiet && current)
                             UserSelected(current);
                     });
    // A click on the node that is already current still selects its item (the selection
    // may have moved to a design form meanwhile).
    QObject::connect(&m_view, &QTreeWidget::itemClicked, this,
                     [this](QTreeWidgetItem *node) { UserSelected(node); });
    QObject::connect(&m_view, &QWidget::customContextMenuRequested, this,
                     [this](const QPoint &pos) {
                         // A node of a selection of several keeps the selection: the menu
                         // acts on all of it.
                         QTreeWidgetItem *node = m_view.itemAt(pos);
                         if (node && !InSelectionOfSeveral(node))
                             UserSelected(node);
                         if (m_links.Host)
                             m_links.Host->TreeContextMenu(m_view.viewport()->mapToGlobal(pos));
                     });
}

clsProjectTree::~clsProjectTree()
{
    // Nodes still held back belong to nobody else.
    for (const Pending &p : std::as_const(m_pending))
        delete p.Node;
    m_pending.clear();
    if (m_filling)
        m_view.setUpdatesEnabled(true);
}

void clsProjectTree::SetLinks(const Links &links)
{
    m_links = links;
}

QString clsProjectTree::FullIdOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, FullIdRole).toString() : QString();
}

void clsProjectTree::Show(QTreeWidgetItem *node, const QString &fullId, int type)
{
    node->setData(0, FullIdRole, fullId);
    node->setData(0, TypeRole, type);
}

void clsProjectTree::ShowChanged(const QString &appFullId, bool changed)
{
    QTreeWidgetItem *node = Node(appFullId);
    if (!node)
        return;
    if (!changed) {
        node->setData(0, Qt::FontRole, QVariant());
        return;
    }
    // Only the slant is set: the rest comes from the view's font.
    QFont font;
    font.setItalic(true);
    node->setFont(0, font);
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

// ---- Filling ---------------------------------------------------------------------------

void clsProjectTree::BeginFill()
{
    if (m_filling)
        return;
    m_filling = true;
    m_view.setUpdatesEnabled(false);
    // A load ends with Refresh; a single object added by other means ends its batch as soon
    // as control returns to the event loop. A load that lets the window answer meanwhile
    // keeps its batch: shown piece by piece, the growing tree would be laid out again and
    // again.
    QTimer::singleShot(0, this, [this] {
        if (!m_links.Designer || !m_links.Designer->Loading())
            EndFill();
    });
}

void clsProjectTree::EndFill()
{
    if (!m_filling)
        return;
    Quiet quiet(m_quiet);
    const QList<Pending> pending = std::exchange(m_pending, {});
    bool newTop = false;
    for (const Pending &p : pending) {
        Insert(p.Node, p.Parent, p.Position);
        newTop = newTop || !p.Parent;
    }
    // What was added is in sight: a new project with everything in it, a new object under
    // its parent.
    if (newTop) {
        m_view.expandAll();
    } else {
        for (const Pending &p : pending) {
            p.Parent->setExpanded(true);
            if (p.Node->childCount() > 0)
                p.Node->setExpanded(true);
        }
    }
    m_filling = false;
    m_view.setUpdatesEnabled(true);
}

void clsProjectTree::AddItem(int type, int position, const QString &fullId,
                             const QString &parentFullId)
{
    // One look-up: a slot made here is filled at once.
    QTreeWidgetItem *&slot = m_nodes[fullId.toUpper()];
    if (slot)
        return;
    BeginFill();
    auto *node = new ProjectNode;
    slot = node;
    Show(node, fullId, type);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    QTreeWidgetItem *parent = parentFullId.isEmpty() ? nullptr : Node(parentFullId);
    // Below a node that is not shown yet the node costs the view nothing; below a shown one
    // it waits for the end of the batch.
    if (parent && !parent->treeWidget())
        Insert(node, parent, position);
    else
        m_pending.append({node, parent, position});
}

void clsProjectTree::Forget(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        Forget(node->child(i));
    m_nodes.remove(FullIdOf(node).toUpper());
}

void clsProjectTree::RemoveItem(const QString &fullId)
{
    EndFill();
    QTreeWidgetItem *node = Node(fullId);
    if (!node)
        return;
    // A drag of this node or of one below it ends with it.
    for (const QTreeWidgetItem *n = m_pressNode; n; n = n->parent())
        if (n == node) {
            EndDrag();
            break;
        }
    Quiet quiet(m_quiet);
    Forget(node);
    // Taking the node out first lets the view drop one row instead of every descendant's.
    if (QTreeWidgetItem *parent = node->parent())
        parent->removeChild(node);
    else if (const int index = m_view.indexOfTopLevelItem(node); index >= 0)
        m_view.takeTopLevelItem(index);
    delete node;
}

void clsProjectTree::RemoveAll()
{
    EndFill();
    EndDrag();
    Quiet quiet(m_quiet);
    m_nodes.clear();
    m_view.clear();
}

void clsProjectTree::RepositionItem(const QString &fullId, const QString &newParentFullId,
                                    int position)
{
    EndFill();
    QTreeWidgetItem *node = Node(fullId);
    if (!node)
        return;
    Quiet quiet(m_quiet);
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
    EndFill();
    if (QTreeWidgetItem *node = Node(fullId)) {
        Quiet quiet(m_quiet);
        m_view.setCurrentItem(node);
        m_view.scrollToItem(node);
        m_view.setFocus();
    }
}

void clsProjectTree::MarkSelection(const QStringList &fullIds)
{
    EndFill();
    QItemSelectionModel *model = m_view.selectionModel();
    if (!model)
        return;
    // One node: Highlight has shown it already.
    if (fullIds.size() <= 1) {
        QTreeWidgetItem *only = fullIds.isEmpty() ? nullptr : Node(fullIds.front());
        if (only && only->isSelected() && m_view.selectedItems().size() == 1)
            return;
    }
    // The rows of each parent in runs, so a selection of hundreds of siblings is one range.
    QMap<QTreeWidgetItem *, QList<int>> rows;
    QList<int> topRows;
    for (const QString &id : fullIds) {
        QTreeWidgetItem *node = Node(id);
        if (!node || node->treeWidget() != &m_view)
            continue;
        if (QTreeWidgetItem *parent = node->parent())
            rows[parent].append(parent->indexOfChild(node));
        else
            topRows.append(m_view.indexOfTopLevelItem(node));
    }
    QAbstractItemModel *items = m_view.model();
    const auto indexOf = [&](auto &&self, QTreeWidgetItem *node) -> QModelIndex {
        if (!node)
            return {};
        QTreeWidgetItem *parent = node->parent();
        const int row = parent ? parent->indexOfChild(node) : m_view.indexOfTopLevelItem(node);
        return items->index(row, 0, self(self, parent));
    };
    QItemSelection selection;
    const auto addRuns = [&](QList<int> list, const QModelIndex &parent) {
        std::sort(list.begin(), list.end());
        for (qsizetype i = 0; i < list.size();) {
            qsizetype j = i;
            while (j + 1 < list.size() && list[j + 1] <= list[j] + 1)
                ++j;
            selection.select(items->index(list[i], 0, parent), items->index(list[j], 0, parent));
            i = j + 1;
        }
    };
    addRuns(topRows, QModelIndex());
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        addRuns(it.value(), indexOf(indexOf, it.key()));
    Quiet quiet(m_quiet);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
}

void clsProjectTree::Refresh()
{
    EndFill();
    Quiet quiet(m_quiet);
    m_view.expandAll();
}

// ---- The user's gestures -------------------------------------------------------------------

clsControl *clsProjectTree::ItemOf(const QTreeWidgetItem *node) const
{
    if (!node || !m_links.Designer)
        return nullptr;
    return m_links.Designer->Items().Find(FullIdOf(node));
}

iPrompter *clsProjectTree::Prompter() const
{
    if (m_links.Prompter)
        return m_links.Prompter;
    return m_links.Designer ? &m_links.Designer->Prompter() : nullptr;
}

void clsProjectTree::UserSelected(QTreeWidgetItem *node)
{
    if (m_quiet || !m_links.Designer)
        return;
    clsControl *item = ItemOf(node);
    // A click on the primary of several selected picks it alone.
    if (!item
        || (item == m_links.Designer->CurrentItem() && m_links.Designer->Selection().size() <= 1))
        return;
    // The designer highlights the node again; the guard keeps that from coming back here.
    Quiet quiet(m_quiet);
    m_links.Designer->SelectItem(item);
}

void clsProjectTree::SelectNode(QTreeWidgetItem *node)
{
    UserSelected(node);
}

bool clsProjectTree::ChooseNode(QTreeWidgetItem *node, Qt::KeyboardModifiers modifiers)
{
    clsControl *item = ItemOf(node);
    iPrompter *prompter = Prompter();
    if (!item || !prompter)
        return false;
    return ErrorBoundary::Value(*prompter, TreeLabel, [&] {
        // The designer highlights the primary's node and marks the others.
        Quiet quiet(m_quiet);
        return (modifiers & Qt::ControlModifier) ? m_links.Designer->ToggleSelection(item)
                                                 : m_links.Designer->AddToSelection(item);
    });
}

bool clsProjectTree::InSelectionOfSeveral(const QTreeWidgetItem *node) const
{
    const clsControl *item = ItemOf(node);
    return item && m_links.Designer->Selection().size() > 1
           && m_links.Designer->Selection().contains(item);
}

bool clsProjectTree::HandleKey(const QKeyEvent &event)
{
    if (!m_links.Designer)
        return false;
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int key = event.key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up
                       || key == Qt::Key_Down;
    if (!arrow && !(key == Qt::Key_A && !(modifiers & Qt::ShiftModifier)))
        return false;
    // The keys act on the design form of the selection; Ctrl+arrows never walk the tree.
    clsControl *item = m_links.Designer->CurrentItem();
    clsControl *form = !item                             ? nullptr
                       : Vocabulary::IsForm(item->ObjType()) ? item
                                                             : item->Form();
    frmDesign *design = form ? DesignFormFactory::FormOf(*form) : nullptr;
    if (design && Prompter())
        ErrorBoundary::Run(*Prompter(), TreeLabel, [&] { design->HandleKey(event); });
    return arrow || design;
}

void clsProjectTree::LabelEditing(bool started)
{
    if (!m_links.Host)
        return;
    if (started)
        m_links.Host->LabelEditStarted();
    else
        m_links.Host->LabelEditEnded();
}

bool clsProjectTree::CommitLabel(QTreeWidgetItem *node, const QString &text)
{
    clsControl *item = ItemOf(node);
    iPrompter *prompter = Prompter();
    if (!item || !prompter)
        return false;
    const QString newId = text.trimmed();
    if (newId == item->ID())
        return true;
    return ErrorBoundary::Value(*prompter, TreeLabel, [&] {
        if (const auto refusal = ProjectTreeModel::RenameRefusal(*item, newId)) {
            prompter->ShowMessage(*refusal, MessageIcon::Exclamation);
            return false;
        }
        const bool renamed = m_links.Edit ? m_links.Edit->RenameItem(*item, newId)
                                          : item->RenameItem(newId);
        if (!renamed) {
            prompter->ShowMessage(GuiError::StandardText(GuiErrors::DuplicateId),
                                  MessageIcon::Exclamation);
            return false;
        }
        if (!m_links.Edit && m_links.Designer)
            m_links.Designer->MarkChanged(item);
        if (m_links.Host)
            m_links.Host->TreeChangedItem();
        return true;
    });
}

bool clsProjectTree::DropNode(QTreeWidgetItem *dragged, QTreeWidgetItem *target)
{
    clsControl *item = ItemOf(dragged);
    clsControl *onto = ItemOf(target);
    iPrompter *prompter = Prompter();
    if (!item || !onto || !prompter)
        return false;
    return ErrorBoundary::Value(*prompter, TreeLabel, [&] {
        const ProjectTreeModel::Drop drop = ProjectTreeModel::DropOn(*item, *onto);
        if (drop.What == ProjectTreeModel::Drop::Kind::Refused) {
            prompter->SetStatusText(drop.Message);
            return false;
        }
        if (drop.What != ProjectTreeModel::Drop::Kind::Move)
            return false;
        const bool moved = m_links.Edit ? m_links.Edit->RepositionItem(*item, drop.Target, drop.After)
                                        : item->RepositionItem(drop.Target, drop.After);
        if (!moved) {
            prompter->ShowMessage(QStringLiteral("\"%1\" could not be moved").arg(item->ID()),
                                  MessageIcon::Exclamation);
            return false;
        }
        m_links.Designer->MarkChanged(item);
        Highlight(item->FullID());
        if (m_links.Host)
            m_links.Host->TreeChangedItem();
        return true;
    });
}

// ---- Dragging ------------------------------------------------------------------------------

void clsProjectTree::EndDrag()
{
    if (m_dragging)
        m_view.viewport()->unsetCursor();
    m_dragging = false;
    m_pressNode = nullptr;
}

void clsProjectTree::UpdateDragCursor(const QPoint &pos)
{
    // Near the top or bottom edge the tree scrolls, so a drop can reach any node.
    QScrollBar *bar = m_view.verticalScrollBar();
    const int edge = m_view.fontMetrics().height();
    if (pos.y() < edge)
        bar->setValue(bar->value() - bar->singleStep());
    else if (pos.y() > m_view.viewport()->height() - edge)
        bar->setValue(bar->value() + bar->singleStep());

    DragCursors::Shape shape = DragCursors::NoDrop;
    clsControl *item = ItemOf(m_pressNode);
    clsControl *onto = ItemOf(m_view.itemAt(pos));
    if (item && onto) {
        const ProjectTreeModel::Drop drop = ProjectTreeModel::DropOn(*item, *onto);
        if (drop.What == ProjectTreeModel::Drop::Kind::Move)
            shape = onto == item->Parent() ? DragCursors::DropOn
                    : drop.After           ? DragCursors::InsertAfter
                                           : DragCursors::InsertBefore;
        else if (drop.What == ProjectTreeModel::Drop::Kind::Nothing)
            shape = DragCursors::Drag;
    }
    m_view.viewport()->setCursor(DragCursors::Cursor(m_links.CursorIds, shape));
}

bool clsProjectTree::HandleMouse(QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint pos = mouse->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        EndDrag();
        m_choosing = false;
        if (mouse->button() == Qt::RightButton && InSelectionOfSeveral(m_view.itemAt(pos))) {
            // The view would pick the node alone: it becomes the primary of the selection.
            ChooseNode(m_view.itemAt(pos), Qt::ShiftModifier);
            return true;
        }
        if (mouse->button() != Qt::LeftButton)
            return false;
        QTreeWidgetItem *node = m_view.itemAt(pos);
        if ((mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) && m_links.Designer
            && ItemOf(node)) {
            // The view's own choice (a single node) would follow the press: the tree chooses.
            m_choosing = true;
            ChooseNode(node, mouse->modifiers());
            return true;
        }
        clsControl *item = ItemOf(node);
        if (item && ProjectTreeModel::CanDrag(*item)) {
            m_pressNode = node;
            m_pressPos = pos;
        }
        return false;
    }
    case QEvent::MouseMove:
        if (!m_pressNode)
            return false;
        if (!(mouse->buttons() & Qt::LeftButton)) {
            // The button went up elsewhere (a dialog took the mouse): no drop.
            EndDrag();
            return false;
        }
        if (!m_dragging) {
            if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) {
                m_view.viewport()->setCursor(
                    DragCursors::Cursor(m_links.CursorIds, DragCursors::PointingHand));
                return true;
            }
            m_dragging = true;
        }
        UpdateDragCursor(pos);
        return true;
    case QEvent::MouseButtonDblClick: {
        // The second click of a quick pair with Ctrl or Shift chooses again.
        QTreeWidgetItem *node = m_view.itemAt(pos);
        if (mouse->button() != Qt::LeftButton
            || !(mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
            || !m_links.Designer || !ItemOf(node))
            return false;
        m_choosing = true;
        ChooseNode(node, mouse->modifiers());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_choosing) {
            m_choosing = mouse->buttons() != Qt::NoButton;
            return true;
        }
        if (mouse->button() != Qt::LeftButton || !m_pressNode)
            return false;
        const bool wasDragging = m_dragging;
        QTreeWidgetItem *dragged = m_pressNode;
        m_view.viewport()->unsetCursor();
        EndDrag();
        if (!wasDragging)
            return false;
        DropNode(dragged, m_view.itemAt(pos));
        return true;
    }
    default:
        return false;
    }
}

bool clsProjectTree::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view.viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return HandleMouse(event);
        default:
            break;
        }
    } else if (watched == &m_view && event->type() == QEvent::KeyPress
               && HandleKey(*static_cast<QKeyEvent *>(event))) {
        return true;
    } else if (watched == &m_view && event->type() == QEvent::KeyPress && m_pressNode
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        // Escape cancels a drag under way.
        m_view.viewport()->unsetCursor();
        EndDrag();
        return true;
    } else if (watched == &m_view && event->type() == QEvent::FocusOut && m_pressNode) {
        m_view.viewport()->unsetCursor();
        EndDrag();
    }
    return QObject::eventFilter(watched, event);
}
