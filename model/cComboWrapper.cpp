#include "model/cComboWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cComboWrapper::cComboWrapper() : cListBase(WrapperKind::Combo) {}

std::span<const cWrapperBase::DefaultRule> cComboWrapper::Defaults() const
{
    return Rules;
}
