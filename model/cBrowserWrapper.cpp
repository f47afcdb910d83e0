#include "model/cBrowserWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "0"}, {Prop::Border, DefaultFrom::Fixed, "2"},
};
} // namespace

cBrowserWrapper::cBrowserWrapper() : cWrapperBase(WrapperKind::Browser) {}

std::span<const cWrapperBase::DefaultRule> cBrowserWrapper::Defaults() const
{
    return Rules;
}
