#include "model/cCheckWrapper.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "0"},
    {Prop::BackColor, DefaultFrom::FormBackColor}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cCheckWrapper::cCheckWrapper() : cWrapperBase(WrapperKind::Check) {}

std::span<const cWrapperBase::DefaultRule> cCheckWrapper::Defaults() const
{
    return Rules;
}

void cCheckWrapper::ShowValue(const QString &value)
{
    m_control->SetValue(value);
}
