#include "model/cAppWrapper.h"

#include "model/cFormWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"
#include "support/GuiError.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "0"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H8000000C"},
    {Prop::ForeColor, DefaultFrom::Fixed, "&H80000008"},
    {Prop::Scale, DefaultFrom::Fixed, "0"},
    {Prop::Timeout, DefaultFrom::Fixed, "2"},
    {Prop::MsgText, DefaultFrom::Fixed, BusyMessage},
    {Prop::Version, DefaultFrom::Fixed, "1.0"},
    {Prop::NoAutoTips, DefaultFrom::Fixed, "0"},
};
} // namespace

cAppWrapper::cAppWrapper() : cWrapperBase(WrapperKind::App)
{
    ChangeScaleMode(Scale::Default);
}

cAppWrapper::~cAppWrapper() = default;

std::span<const cWrapperBase::DefaultRule> cAppWrapper::Defaults() const
{
    return Rules;
}

QString cAppWrapper::GetDefaultProperty(int code) const
{
    return cWrapperBase::GetDefaultProperty(code);
}

iDesignControl *cAppWrapper::ObtainControl()
{
    if (!m_owner)
        return nullptr;
    m_surface = m_owner->Items().FormFactory().CreateDesignForm(*m_owner, m_type);
    if (!m_surface)
        return nullptr;
    m_surface->SetWrapper(this);
    m_surface->SetMdi(m_type == Type::AppMdi);
    m_surface->SetTitle(m_owner->ID());
    m_formFuncs = m_surface.get();
    return m_surface->Surface();
}

void cAppWrapper::ReleaseControl()
{
    if (m_surface) {
        m_surface->Surface()->SetVisible(false);
        m_surface->SetWrapper(nullptr);
    }
    m_surface.reset();
}

void cAppWrapper::ApplyVariant(int type)
{
    if (m_surface)
        m_surface->SetMdi(type == Type::AppMdi);
}

void cAppWrapper::ChangeScaleMode(int unit)
{
    if (!IsScaleUnit(unit))
        throw GuiError(GuiErrors::InvalidScaleUnit);
    m_scaleUnit = unit == Scale::Default ? Scale::Characters : unit;
    m_scaleX = TwipsPerUnitX(m_scaleUnit);
    m_scaleY = TwipsPerUnitY(m_scaleUnit);
}

void cAppWrapper::ChangeScale(int unit)
{
    const int current = m_scaleUnit;
    ChangeScaleMode(unit);
    m_scaleStack.push_back(current);
}

void cAppWrapper::RestoreScale()
{
    if (m_scaleStack.empty())
        return;
    const int unit = m_scaleStack.back();
    m_scaleStack.pop_back();
    ChangeScaleMode(unit);
}

void cAppWrapper::ChangeIcon()
{
    if (m_surface)
        m_surface->SetIcon(IconName());
    if (!m_owner)
        return;
    for (const auto &entry : m_owner->Children())
        if (auto *form = dynamic_cast<cFormWrapper *>(entry.Value->Wrapper()))
            if (!form->HasCustomIcon())
                form->ChangeIcon();
}

void cAppWrapper::SetNoAutoTips(bool on)
{
    if (m_owner)
        m_owner->SetProperty(Prop::NoAutoTips, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void cAppWrapper::SetAutoSelect(bool on)
{
    if (m_owner)
        m_owner->SetProperty(Prop::AutoSelect, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void cAppWrapper::Validate(int code, QString &value) const
{
    // The application's Enter key behaviour has three values: normal, same as Tab, and same
    // as Tab except in multi-line text and on buttons. The two-valued form reads as before.
    if (code == Prop::RtnEqTab && value.trimmed() == QLatin1String("2")) {
        value = QStringLiteral("2");
        return;
    }
    cWrapperBase::Validate(code, value);
    if (code == Prop::Scale && !value.isEmpty()) {
        value = QString::number(ParseInt(value, 0, 7));
    } else if (code == Prop::EventMask) {
        // The application must always report Quit, and an MDI frame also Close.
        const quint32 required = m_type == Type::AppMdi
                                     ? EventMaskBit(Event::Close) | EventMaskBit(Event::Quit)
                                     : EventMaskBit(Event::Quit);
        if ((quint32(value.toInt()) & required) != required)
            throw GuiError(GuiErrors::InvalidPropertyValue);
    }
}

void cAppWrapper::Apply(int code, const QString &value)
{
    switch (code) {
    case Prop::Scale:
        ChangeScaleMode(value.toInt());
        break;
    case Prop::Caption:
        if (m_surface)
            m_surface->SetTitle(value.isEmpty() && m_owner ? m_owner->ID() : value);
        break;
    case Prop::Icon:
        ChangeIcon();
        break;
    default:
        cWrapperBase::Apply(code, value);
        break;
    }
}

quint32 cAppWrapper::SupportedMethods() const
{
    return (1u << Method::Show) | (1u << Method::Hide) | (1u << Method::Activate)
           | (1u << Method::Enable) | (1u << Method::Disable) | (1u << Method::Move)
           | (1u << Method::Help);
}
