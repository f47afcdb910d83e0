#include "model/cTreeWrapper.h"

#include "model/ListContent.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
};

[[noreturn]] void OutOfRange()
{
    throw GuiError(GuiErrors::InvalidPropertyValue);
}

// Part `part` (1-based) of an entry.
QString PartOfEntry(const QString &entry, int part)
{
    if (part < 1)
        OutOfRange();
    return ListValue::SplitParts(entry).value(part - 1);
}

// The entry with part `part` replaced; a text that would add parts or entries is refused.
QString WithPart(const QString &entry, int part, const QString &text)
{
    if (part < 1 || part > 1000 || ListValue::HasEntryMarks(text, true))
        OutOfRange();
    QStringList parts = ListValue::SplitParts(entry);
    while (parts.size() < part)
        parts.append(QString());
    parts[part - 1] = text;
    return ListValue::JoinParts(parts);
}
} // namespace

cTreeWrapper::cTreeWrapper() : cWrapperBase(WrapperKind::Tree) {}

std::span<const cWrapperBase::DefaultRule> cTreeWrapper::Defaults() const
{
    return Rules;
}

bool cTreeWrapper::AcceptsItemId(int code) const
{
    return code == Prop::Items || code == Prop::Hint;
}

bool cTreeWrapper::IsContentDefault(int) const
{
    return m_content.NodeCount() == 0;
}

int cTreeWrapper::NodeIndex(const QString &path) const
{
    const int index = m_content.FindNode(path);
    if (index == 0)
        OutOfRange();
    return index;
}

// Without an item ID: index 1 is a node, index 2 one of its parts. With one: the node the
// path reaches, index 1 one of its parts.
QString cTreeWrapper::GetListEntry(int code, int index1, int index2, const QString &itemId) const
{
    if (code == Prop::Hint)
        return m_content.TreeGetHint(itemId);
    if (itemId.isEmpty()) {
        if (index1 == 0 && index2 != 0)
            OutOfRange();
        const QString entry = m_content.GetItems(index1);
        return index2 != 0 ? PartOfEntry(entry, index2) : entry;
    }
    const QString entry = m_content.GetItems(NodeIndex(itemId));
    return index1 != 0 ? PartOfEntry(entry, index1) : entry;
}

void cTreeWrapper::SetListEntry(int code, int index1, int index2, const QString &value,
                                const QString &itemId)
{
    if (code == Prop::Hint) {
        m_content.TreeSetHint(itemId, value);
        ContentChanged(Prop::Items);
        return;
    }
    int node = index1;
    int part = index2;
    if (!itemId.isEmpty()) {
        node = NodeIndex(itemId);
        part = index1;
    } else if (index1 == 0 && index2 != 0) {
        OutOfRange();
    }
    if (node == 0) {
        m_content.SetItems(value);
        return;
    }
    const QString entry = part != 0 ? WithPart(m_content.GetItems(node), part, value) : value;
    m_content.SetItems(entry, node);
}

void cTreeWrapper::ApplyList(int)
{
    if (!m_control)
        return;
    QList<DesignTreeNode> shown;
    const std::vector<TreeNode> nodes = m_content.Nodes();
    shown.reserve(qsizetype(nodes.size()));
    for (const TreeNode &node : nodes) {
        DesignTreeNode d;
        d.ID = node.Id;
        d.Level = node.Level;
        d.Caption = node.Caption;
        d.Icon = node.Icon;
        d.State = node.State;
        d.Hint = node.Hint;
        shown.append(d);
    }
    m_control->SetTreeNodes(shown);
}

void cTreeWrapper::TreeSetValue(const QString &path)
{
    m_content.TreeSetValue(path);
    ContentChanged(Prop::Items);
}

void cTreeWrapper::TreeSetStyle(int style)
{
    if (m_owner)
        m_owner->SetProperty(Prop::Style, QString::number(style));
}

void cTreeWrapper::TreeSetCaption(const QString &path, const QString &caption)
{
    m_content.TreeSetCaption(path, caption);
    ContentChanged(Prop::Items);
}

void cTreeWrapper::TreeSetIcon(const QString &path, const QString &icon)
{
    m_content.TreeSetIcon(path, icon);
    ContentChanged(Prop::Items);
}

void cTreeWrapper::TreeSetState(const QString &path, const QString &state)
{
    m_content.TreeSetState(path, state);
    ContentChanged(Prop::Items);
}

void cTreeWrapper::TreeSetHint(const QString &path, const QString &hint)
{
    m_content.TreeSetHint(path, hint);
    ContentChanged(Prop::Items);
}

bool cTreeWrapper::NoAutoTips() const
{
    if (m_noAutoTips)
        return *m_noAutoTips;
    clsControl *app = m_owner ? m_owner->App() : nullptr;
    return app && app->Wrapper() && app->GetProperty(Prop::NoAutoTips) == QLatin1String("1");
}
