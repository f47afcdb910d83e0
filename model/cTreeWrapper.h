#pragma once

#include "model/TreeContent.h"
#include "model/cWrapperBase.h"

#include <optional>

// A tree: Items holds one entry per node in pre-order (ID, level, caption, icon, state,
// hint), kept in one TreeContent. A node is addressed by its ID path ("FILES\DOCS") through
// the item ID argument or the Tree* members; a bad path raises 380 and changes nothing.
class cTreeWrapper final : public cWrapperBase
{
public:
    cTreeWrapper();

    const TreeContent &Content() const { return m_content; }

    QString TreeGetItems() const { return m_content.TreeGetItems(); }
    // The path of the selected node; setting it selects that node only ("" selects none).
    void TreeSetValue(const QString &path);
    QString TreeGetValue() const { return m_content.TreeGetValue(); }
    // The tree's Style: a tree style (0, 8, 16) plus a node style (0-5).
    void TreeSetStyle(int style);
    void TreeSetCaption(const QString &path, const QString &caption);
    QString TreeGetCaption(const QString &path) const { return m_content.TreeGetCaption(path); }
    void TreeSetIcon(const QString &path, const QString &icon);
    QString TreeGetIcon(const QString &path) const { return m_content.TreeGetIcon(path); }
    // The state as integer text; it round-trips unchanged.
    void TreeSetState(const QString &path, const QString &state);
    QString TreeGetState(const QString &path) const { return m_content.TreeGetState(path); }
    void TreeSetHint(const QString &path, const QString &hint);
    QString TreeGetHint(const QString &path) const { return m_content.TreeGetHint(path); }
    // The paths of the checked nodes in pre-order, joined by the value mark.
    QString TreeGetCheckedNodes() const { return m_content.TreeGetCheckedNodes(); }
    // The path of the first node with that ID; empty when there is none.
    QString GetTreeNodePath(const QString &nodeId) const { return m_content.GetTreeNodePath(nodeId); }
    // Whether node hints stay off; the tree follows the application until told otherwise.
    bool NoAutoTips() const;
    void SetNoAutoTips(bool on) { m_noAutoTips = on; }

protected:
    std::span<const DefaultRule> Defaults() const override;
    // Items reaches a node's entry (index 1: one of its parts) and Hint a node's hint.
    bool AcceptsItemId(int code) const override;
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    void SetListEntry(int code, int index1, int index2, const QString &value,
                      const QString &itemId) override;
    void ApplyList(int code) override;
    bool IsContentDefault(int code) const override;

private:
    int NodeIndex(const QString &path) const;

    TreeContent m_content;
    std::optional<bool> m_noAutoTips;
};
