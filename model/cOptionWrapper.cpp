#include "model/cOptionWrapper.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::FormBackColor}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cOptionWrapper::cOptionWrapper() : cWrapperBase(WrapperKind::Option) {}

std::span<const cWrapperBase::DefaultRule> cOptionWrapper::Defaults() const
{
    return Rules;
}

QString cOptionWrapper::GetListEntry(int, int index1, int index2, const QString &) const
{
    return m_content.GetItems(index1, index2);
}

void cOptionWrapper::SetListEntry(int, int index1, int index2, const QString &value,
                                  const QString &)
{
    m_content.SetItems(value, index1, index2);
}

bool cOptionWrapper::IsContentDefault(int) const
{
    return m_content.RowCount() == 0;
}

void cOptionWrapper::ApplyList(int)
{
    if (m_control)
        m_control->SetListRows(m_content.DisplayRows());
}

void cOptionWrapper::ShowValue(const QString &value)
{
    m_control->SetValue(value);
}
