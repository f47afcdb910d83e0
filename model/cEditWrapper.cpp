#include "model/cEditWrapper.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cEditWrapper::cEditWrapper() : cWrapperBase(WrapperKind::Edit) {}

std::span<const cWrapperBase::DefaultRule> cEditWrapper::Defaults() const
{
    return Rules;
}

QString cEditWrapper::GetDefaultProperty(int code) const
{
    if (code == Prop::Style)
        return m_type == Type::TextMultiLine  ? QStringLiteral("1")
               : m_type == Type::TextPassword ? QStringLiteral("2")
                                              : QStringLiteral("0");
    return cWrapperBase::GetDefaultProperty(code);
}

void cEditWrapper::ApplyVariant(int type)
{
    const bool multi = type == Type::TextMultiLine;
    m_control->SetMultiLine(multi);
    m_control->SetVerticalScrollBar(multi);
    m_control->SetPasswordChar(type == Type::TextPassword ? QStringLiteral("*") : QString());
}
