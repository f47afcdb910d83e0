#include "model/cPictureWrapper.h"

#include "model/iDesignControl.h"

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

void cPictureWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Style && m_control)
        m_control->SetPictureScale(value.toInt());
}
