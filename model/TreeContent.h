#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One node of a tree as the design control shows it.
struct TreeNode
{
    QString Id;
    int Level = 1;
    QString Caption;
    QString Icon;
    int State = 0;
    QString Hint;
};

// The nodes of a tree (Items): one entry per node in pre-order, each with six parts: ID,
// level, caption, icon, state and hint. The first node has level 1 and every node is at
// most one level deeper than the one before it.
//
// A node is addressed by its ID path: the IDs from the root node down to it, joined by a
// backslash ("FILES\DOCS\README"). IDs are compared without regard to case and cannot hold
// the backslash. Two siblings with the same ID are kept as given (stored trees may hold
// them until the property sheet repairs them); a path then reaches the first of them.
//
// The state is an integer whose text round-trips unchanged; the designer reads three of its
// bits: expanded, selected (the tree's value) and checked. Every failing call raises 380
// and leaves the content unchanged.
class TreeContent
{
public:
    static constexpr QChar PathSeparator = u'\\';
    static constexpr int StateExpanded = 1;
    static constexpr int StateSelected = 2;
    static constexpr int StateChecked = 4;

    // Items (26): the whole tree, or with index the index-th node's entry.
    void SetItems(const QString &value, int index = 0);
    QString GetItems(int index = 0) const;
    int NodeCount() const { return int(m_nodes.size()); }

    QString TreeGetItems() const { return GetItems(); }

    // The tree's value is the path of the selected node; setting it selects that node only
    // (an empty path selects none).
    void TreeSetValue(const QString &path);
    QString TreeGetValue() const;

    void TreeSetCaption(const QString &path, const QString &caption);
    QString TreeGetCaption(const QString &path) const;
    void TreeSetIcon(const QString &path, const QString &icon);
    QString TreeGetIcon(const QString &path) const;
    // The state as integer text.
    void TreeSetState(const QString &path, const QString &state);
    QString TreeGetState(const QString &path) const;
    void TreeSetHint(const QString &path, const QString &hint);
    QString TreeGetHint(const QString &path) const;

    // The paths of the checked nodes in pre-order, joined by the value mark.
    QString TreeGetCheckedNodes() const;
    // The path of the first node (in pre-order) with that ID; empty when there is none.
    QString GetTreeNodePath(const QString &nodeId) const;
    // The path of the index-th node (1-based); 380 outside the tree.
    QString NodePath(int index) const;
    // The 1-based position of the node a path reaches; 0 when none.
    int FindNode(const QString &path) const;

    // What the design control shows, in pre-order.
    std::vector<TreeNode> Nodes() const;

private:
    struct Node {
        QStringList Parts; // as given, so the entry round-trips
        int Level = 1;
    };

    static std::vector<Node> Parse(const QString &value);
    static Node ParseEntry(const QString &entry, int previousLevel);
    static void CheckPart(const QString &text);
    Node &NodeAt(const QString &path);
    const Node &NodeAt(const QString &path) const;
    void SetPart(const QString &path, int part, const QString &text);
    QString Part(const QString &path, int part) const;
    static QString PartOf(const Node &node, int part);
    static int StateOf(const Node &node);

    std::vector<Node> m_nodes;
};
