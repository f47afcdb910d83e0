#include "model/cCommandWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "0"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H8000000F"},
    {Prop::ForeColor, DefaultFrom::Fixed, "&H80000012"}, {Prop::FontName, DefaultFrom::Form}, {Prop::FontSize, DefaultFrom::Form},
    {Prop::FontBold, DefaultFrom::Form}, {Prop::FontItalic, DefaultFrom::Form},
    {Prop::FontUnderline, DefaultFrom::Form},
};
} // namespace

cCommandWrapper::cCommandWrapper() : cWrapperBase(WrapperKind::Command) {}

std::span<const cWrapperBase::DefaultRule> cCommandWrapper::Defaults() const
{
    return Rules;
}

bool cCommandWrapper::IsCancelButton() const
{
    return StoredInt(Prop::Style) == 2;
}
