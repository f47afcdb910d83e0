#include "model/cOptionWrapper.h"
#include "model/iDesignControl.h"
#include "support/Marks.h"

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

void cOptionWrapper::ApplyList(int, const QString &value)
{
    if (m_control)
        m_control->SetListRows(value.isEmpty() ? QStringList()
                                               : value.split(QChar(Marks::Value)));
}

void cOptionWrapper::ShowValue(const QString &value)
{
    m_control->SetValue(value);
}
