#include "model/cTreeWrapper.h"
#include "model/iDesignControl.h"
#include "support/Marks.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cTreeWrapper::cTreeWrapper() : cWrapperBase(WrapperKind::Tree) {}

std::span<const cWrapperBase::DefaultRule> cTreeWrapper::Defaults() const
{
    return Rules;
}

void cTreeWrapper::ApplyList(int, const QString &value)
{
    if (!m_control)
        return;
    QList<DesignTreeNode> nodes;
    if (!value.isEmpty())
        for (const QString &entry : value.split(QChar(Marks::Value))) {
            const QStringList parts = entry.split(QChar(Marks::SubValue));
            DesignTreeNode node;
            node.ID = parts.value(0);
            node.Level = qMax(1, parts.value(1).toInt());
            node.Caption = parts.value(2);
            node.Icon = parts.value(3);
            node.State = parts.value(4).toInt();
            node.Hint = parts.value(5);
            nodes << node;
        }
    m_control->SetTreeNodes(nodes);
}
