#include "model/cListWrapper.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cListWrapper::cListWrapper() : cListBase(WrapperKind::List) {}

std::span<const cWrapperBase::DefaultRule> cListWrapper::Defaults() const
{
    return Rules;
}

void cListWrapper::ApplyVariant(int type)
{
    m_control->SetMultiSelect(type == Type::ListMulti);
    m_control->SetCheckBoxes(type == Type::ListCheck);
}
