#include "model/cPictureWrapper.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "2"},
};
} // namespace

cPictureWrapper::cPictureWrapper() : cWrapperBase(WrapperKind::Picture) {}

std::span<const cWrapperBase::DefaultRule> cPictureWrapper::Defaults() const
{
    return Rules;
}
