#pragma once

#include <QString>
#include <QStringList>

// The view of the item tree that follows the registry (the project tree of the main window).
// Nodes are keyed by the items' full IDs, any case. Only the designer object calls it, as the
// registry tells it about changes; headless, there is none.
class iProjectTree
{
public:
    virtual ~iProjectTree() = default;
    // A node for the item under its parent's node (an application's is a top node), at
    // position (0-based) among its siblings.
    virtual void AddItem(int type, int position, const QString &fullId,
                         const QString &parentFullId) = 0;
    // The node and its subtree.
    virtual void RemoveItem(const QString &fullId) = 0;
    virtual void RemoveAll() = 0;
    // The node and its subtree move under the new parent's node, at position.
    virtual void RepositionItem(const QString &fullId, const QString &newParentFullId,
                                int position) = 0;
    // The node takes the new full ID and shows the new own ID; the keys of its subtree follow
    // (a form's controls carry the form's ID in theirs).
    virtual void RenameItem(const QString &oldFullId, const QString &newFullId) = 0;
    // Selects the node and gives the tree the keyboard focus.
    virtual void Highlight(const QString &fullId) = 0;
    // Every selected item, the primary (the highlighted node) last; called whenever the
    // selection changes.
    virtual void MarkSelection(const QStringList &fullIds) { Q_UNUSED(fullIds); }
    // A load has finished: the view may expand what it shows.
    virtual void Refresh() {}
    // The application's project has unsaved changes, or has none any more.
    virtual void ShowChanged(const QString &appFullId, bool changed)
    {
        Q_UNUSED(appFullId);
        Q_UNUSED(changed);
    }
};
