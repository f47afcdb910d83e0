#include "model/cFrameWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "2"}, {Prop::BackColor, DefaultFrom::FormBackColor},
    {Prop::ForeColor, DefaultFrom::Form}, {Prop::FontName, DefaultFrom::Form}, {Prop::FontSize, DefaultFrom::Form},
    {Prop::FontBold, DefaultFrom::Form}, {Prop::FontItalic, DefaultFrom::Form},
    {Prop::FontUnderline, DefaultFrom::Form},
};
} // namespace

cFrameWrapper::cFrameWrapper() : cWrapperBase(WrapperKind::Frame) {}

std::span<const cWrapperBase::DefaultRule> cFrameWrapper::Defaults() const
{
    return Rules;
}
