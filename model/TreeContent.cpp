#include "model/TreeContent.h"

#include "model/ListContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <climits>

using ListValue::InvalidValue;

namespace {
// Positions of the parts of a node entry (0-based).
constexpr int IdPart = 0;
constexpr int LevelPart = 1;
constexpr int CaptionPart = 2;
constexpr int IconPart = 3;
constexpr int StatePart = 4;
constexpr int HintPart = 5;

bool SameId(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool ValidState(const QString &text)
{
    return text.trimmed().isEmpty() || ListValue::ParseInt(text, INT_MIN, INT_MAX);
}
} // namespace

TreeContent::Node TreeContent::ParseEntry(const QString &entry, int previousLevel)
{
    Node node;
    node.Parts = ListValue::SplitParts(entry);
    if (node.Parts[IdPart].contains(PathSeparator))
        InvalidValue();
    // The first node is a root (previousLevel 0); every other node is at most one level
    // deeper than the node before it.
    if (!ListValue::ParseInt(PartOf(node, LevelPart), 1, qint64(previousLevel) + 1, &node.Level))
        InvalidValue();
    if (previousLevel == 0 && node.Level != 1)
        InvalidValue();
    if (!ValidState(PartOf(node, StatePart)))
        InvalidValue();
    return node;
}

std::vector<TreeContent::Node> TreeContent::Parse(const QString &value)
{
    ListValue::RejectRecordMarks(value);
    const QStringList entries = ListValue::SplitEntries(value);
    std::vector<Node> nodes;
    nodes.reserve(size_t(entries.size()));
    int previousLevel = 0;
    for (const QString &entry : entries) {
        nodes.push_back(ParseEntry(entry, previousLevel));
        previousLevel = nodes.back().Level;
    }
    return nodes;
}

void TreeContent::SetItems(const QString &value, int index)
{
    if (index < 0)
        InvalidValue();
    if (index == 0) {
        m_nodes = Parse(value);
        return;
    }
    ListValue::CheckIndex(index, NodeCount());
    ListValue::RejectRecordMarks(value);
    if (ListValue::HasEntryMarks(value, false))
        InvalidValue();
    const size_t i = size_t(index - 1);
    Node node = ParseEntry(value, i == 0 ? 0 : m_nodes[i - 1].Level);
    // The next node must stay reachable from the replaced one.
    if (i + 1 < m_nodes.size() && m_nodes[i + 1].Level > node.Level + 1)
        InvalidValue();
    m_nodes[i] = std::move(node);
}

QString TreeContent::GetItems(int index) const
{
    if (index < 0)
        InvalidValue();
    if (index > 0) {
        ListValue::CheckIndex(index, NodeCount());
        return ListValue::JoinParts(m_nodes[size_t(index - 1)].Parts);
    }
    QString text;
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (i > 0)
            text += QChar(Marks::Value);
        text += ListValue::JoinParts(m_nodes[i].Parts);
    }
    return text;
}

QString TreeContent::PartOf(const Node &node, int part)
{
    return node.Parts.value(part);
}

int TreeContent::StateOf(const Node &node)
{
    return PartOf(node, StatePart).trimmed().toInt();
}

// One pass in pre-order: after the first i path segments have matched, the next segment is
// looked for among the following nodes one level deeper, until the matched node's subtree
// ends.
int TreeContent::FindNode(const QString &path) const
{
    if (path.isEmpty())
        return 0;
    const QStringList segments = path.split(PathSeparator, Qt::KeepEmptyParts);
    int depth = 0;
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const Node &node = m_nodes[i];
        if (node.Level <= depth)
            return 0;
        if (node.Level == depth + 1 && SameId(node.Parts[IdPart], segments[depth])) {
            if (++depth == segments.size())
                return int(i) + 1;
        }
    }
    return 0;
}

TreeContent::Node &TreeContent::NodeAt(const QString &path)
{
    return const_cast<Node &>(std::as_const(*this).NodeAt(path));
}

const TreeContent::Node &TreeContent::NodeAt(const QString &path) const
{
    const int index = FindNode(path);
    if (index == 0)
        InvalidValue();
    return m_nodes[size_t(index - 1)];
}

void TreeContent::CheckPart(const QString &text)
{
    if (ListValue::HasEntryMarks(text, true))
        InvalidValue();
}

void TreeContent::SetPart(const QString &path, int part, const QString &text)
{
    Node &node = NodeAt(path);
    CheckPart(text);
    while (node.Parts.size() <= part)
        node.Parts.append(QString());
    node.Parts[part] = text;
}

QString TreeContent::Part(const QString &path, int part) const
{
    return PartOf(NodeAt(path), part);
}

void TreeContent::TreeSetValue(const QString &path)
{
    const int selected = path.isEmpty() ? 0 : FindNode(path);
    if (!path.isEmpty() && selected == 0)
        InvalidValue();
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        Node &node = m_nodes[i];
        const int state = StateOf(node);
        const bool want = int(i) + 1 == selected;
        if (bool(state & StateSelected) == want)
            continue; // an untouched state keeps its text
        const int newState = want ? state | StateSelected : state & ~StateSelected;
        while (node.Parts.size() <= StatePart)
            node.Parts.append(QString());
        node.Parts[StatePart] = QString::number(newState);
    }
}

QString TreeContent::TreeGetValue() const
{
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (StateOf(m_nodes[i]) & StateSelected)
            return NodePath(int(i) + 1);
    }
    return {};
}

void TreeContent::TreeSetCaption(const QString &path, const QString &caption)
{
    SetPart(path, CaptionPart, caption);
}

QString TreeContent::TreeGetCaption(const QString &path) const
{
    return Part(path, CaptionPart);
}

void TreeContent::TreeSetIcon(const QString &path, const QString &icon)
{
    SetPart(path, IconPart, icon);
}

QString TreeContent::TreeGetIcon(const QString &path) const
{
    return Part(path, IconPart);
}

void TreeContent::TreeSetState(const QString &path, const QString &state)
{
    if (!ValidState(state))
        InvalidValue();
    SetPart(path, StatePart, state);
}

QString TreeContent::TreeGetState(const QString &path) const
{
    const QString state = Part(path, StatePart);
    return state.trimmed().isEmpty() ? QStringLiteral("0") : state;
}

void TreeContent::TreeSetHint(const QString &path, const QString &hint)
{
    SetPart(path, HintPart, hint);
}

QString TreeContent::TreeGetHint(const QString &path) const
{
    return Part(path, HintPart);
}

QString TreeContent::TreeGetCheckedNodes() const
{
    QStringList ancestors; // the IDs from the root down to the current node
    QStringList checked;
    for (const Node &node : m_nodes) {
        ancestors.resize(node.Level - 1);
        ancestors.append(node.Parts[IdPart]);
        if (StateOf(node) & StateChecked)
            checked.append(ancestors.join(PathSeparator));
    }
    return ListValue::JoinEntries(checked);
}

QString TreeContent::GetTreeNodePath(const QString &nodeId) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (SameId(m_nodes[i].Parts[IdPart], nodeId))
            return NodePath(int(i) + 1);
    }
    return {};
}

// Walks back from the node, picking up the nearest node of each shallower level.
QString TreeContent::NodePath(int index) const
{
    ListValue::CheckIndex(index, NodeCount());
    const Node &node = m_nodes[size_t(index - 1)];
    QStringList ids{node.Parts[IdPart]};
    int wanted = node.Level - 1;
    for (int i = index - 2; i >= 0 && wanted > 0; --i) {
        if (m_nodes[size_t(i)].Level == wanted) {
            ids.prepend(m_nodes[size_t(i)].Parts[IdPart]);
            --wanted;
        }
    }
    return ids.join(PathSeparator);
}

std::vector<TreeNode> TreeContent::Nodes() const
{
    std::vector<TreeNode> nodes;
    nodes.reserve(m_nodes.size());
    for (const Node &node : m_nodes) {
        TreeNode shown;
        shown.Id = node.Parts[IdPart];
        shown.Level = node.Level;
        shown.Caption = PartOf(node, CaptionPart);
        shown.Icon = PartOf(node, IconPart);
        shown.State = StateOf(node);
        shown.Hint = PartOf(node, HintPart);
        nodes.push_back(shown);
    }
    return nodes;
}
