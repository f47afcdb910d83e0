#pragma once

#include "app/iProjectTree.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <array>

class EditCommands;
class QKeyEvent;
class QTreeWidget;
class QTreeWidgetItem;
class clsControl;
class clsDesigner;
class iPrompter;
class iProjectTreeHost;

// The project tree of the main window: one node per design item under its parent's node,
// keyed by the item's upper-cased full ID, showing its own ID beside its kind's image.
//
// With its links set it is also where the user works on the items: a click selects the item,
// F2 edits the label to rename the item, and dragging a form or control onto another node
// moves it among its siblings. Without links it only follows the registry.
class clsProjectTree : public QObject, public iProjectTree
{
public:
    // What the tree works through once the user acts on it; each may be left out.
    struct Links
    {
        clsDesigner *Designer = nullptr;
        EditCommands *Edit = nullptr;
        // Messages about refused renames and drops; the designer's prompter when not given.
        iPrompter *Prompter = nullptr;
        // The drag cursors chosen at start-up (ProcessState::CursorIds).
        std::array<int, 8> CursorIds{8210, 8211, 8212, 8213, 8214, 8215, 8216, 8217};
        // The window around the tree: label edits, the context menu, the status bar.
        iProjectTreeHost *Host = nullptr;
    };

    explicit clsProjectTree(QTreeWidget &view);
    ~clsProjectTree() override;

    void SetLinks(const Links &links);

    void AddItem(int type, int position, const QString &fullId,
                 const QString &parentFullId) override;
    void RemoveItem(const QString &fullId) override;
    void RemoveAll() override;
    void RepositionItem(const QString &fullId, const QString &newParentFullId,
                        int position) override;
    void RenameItem(const QString &oldFullId, const QString &newFullId) override;
    void Highlight(const QString &fullId) override;
    // The nodes of a selection of several show selected, the current node (the primary) as
    // it was.
    void MarkSelection(const QStringList &fullIds) override;
    void Refresh() override;
    // A changed project's application node is shown in italics.
    void ShowChanged(const QString &appFullId, bool changed) override;

    // The node of an item; nullptr when it has none.
    QTreeWidgetItem *Node(const QString &fullId) const { return m_nodes.value(fullId.toUpper()); }
    // The full ID a node stands for.
    static QString FullIdOf(const QTreeWidgetItem *node);

    // ---- The user's gestures, as the widget reports them (tests call them too) ----------
    // A label edit ended with this text; true when the item took it as its new ID.
    bool CommitLabel(QTreeWidgetItem *node, const QString &text);
    // The item of the node dragged onto the other node; true when it moved.
    bool DropNode(QTreeWidgetItem *dragged, QTreeWidgetItem *target);
    // Makes the node's item the designer's selection.
    void SelectNode(QTreeWidgetItem *node);
    // Ctrl+click toggles the node's item in the selection, Shift+click adds it; the designer
    // refuses a control of another form, and the tree keeps what it showed. True when the
    // selection took it.
    bool ChooseNode(QTreeWidgetItem *node, Qt::KeyboardModifiers modifiers);
    // Ctrl+A and Ctrl(+Shift)+arrows act on the design form of the selection; true when the
    // key was one of them.
    bool HandleKey(const QKeyEvent &event);

    // True while nodes are being added in one batch (the view does not repaint meanwhile).
    bool Filling() const { return m_filling; }
    // Ends a batch of additions now: the nodes held back join the view in one go.
    void EndFill();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class LabelDelegate;
    friend class LabelDelegate;

    void Forget(QTreeWidgetItem *node);
    void Show(QTreeWidgetItem *node, const QString &fullId, int type);
    void Insert(QTreeWidgetItem *node, QTreeWidgetItem *parent, int position);
    void BeginFill();
    clsControl *ItemOf(const QTreeWidgetItem *node) const;
    iPrompter *Prompter() const;
    void UserSelected(QTreeWidgetItem *node);
    // The node's item is one of several selected.
    bool InSelectionOfSeveral(const QTreeWidgetItem *node) const;
    bool HandleMouse(QEvent *event);
    void UpdateDragCursor(const QPoint &pos);
    void EndDrag();
    void LabelEditing(bool started);

    QTreeWidget &m_view;
    QHash<QString, QTreeWidgetItem *> m_nodes;
    Links m_links;

    // Nodes added during a batch whose parent is already shown wait here, in order, with
    // their parent and position; nodes below them are added to them directly, which costs
    // the view nothing.
    struct Pending
    {
        QTreeWidgetItem *Node;
        QTreeWidgetItem *Parent; // nullptr: a top node
        int Position;
    };
    QList<Pending> m_pending;
    bool m_filling = false;
    // Above zero while the tree changes its own nodes: selection changes then are not the
    // user's.
    int m_quiet = 0;

    // Drag state.
    QTreeWidgetItem *m_pressNode = nullptr;
    QPoint m_pressPos;
    bool m_dragging = false;
    // A press with Ctrl or Shift chose a node: its release and double click are the tree's.
    bool m_choosing = false;
};
