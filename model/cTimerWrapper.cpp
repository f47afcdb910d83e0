#include "model/cTimerWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Enabled, DefaultFrom::Fixed, "1"}, {Prop::Style, DefaultFrom::Fixed, "0"},
    {Prop::Timeout, DefaultFrom::Fixed, "0"},
};
} // namespace

cTimerWrapper::cTimerWrapper() : cWrapperBase(WrapperKind::Timer) {}

std::span<const cWrapperBase::DefaultRule> cTimerWrapper::Defaults() const
{
    return Rules;
}

quint32 cTimerWrapper::SupportedMethods() const
{
    return (1u << Method::Enable) | (1u << Method::Disable);
}
