#include "model/cGaugeWrapper.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "2"},
};
} // namespace

cGaugeWrapper::cGaugeWrapper() : cWrapperBase(WrapperKind::Gauge) {}

std::span<const cWrapperBase::DefaultRule> cGaugeWrapper::Defaults() const
{
    return Rules;
}

QString cGaugeWrapper::GetDefaultProperty(int code) const
{
    // The bar styles sit on the window colour; the marquee on a fixed white.
    if (code == Prop::BackColor)
        return StoredInt(Prop::Style) == 2 ? QStringLiteral("16777215")
                                           : QStringLiteral("&H80000005");
    return cWrapperBase::GetDefaultProperty(code);
}

void cGaugeWrapper::ShowValue(const QString &value)
{
    m_control->SetValue(value);
}

void cGaugeWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Style)
        ApplyColours();
}
