#include "model/cFormWrapper.h"

#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Visible, DefaultFrom::Fixed, "0"},
    {Prop::Border, DefaultFrom::Fixed, "0"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H8000000F"},
    {Prop::ForeColor, DefaultFrom::Fixed, "&H80000008"},
    {Prop::FontName, DefaultFrom::Fixed, DefaultFontName},
    {Prop::FontSize, DefaultFrom::Fixed, DefaultFontSize},
    {Prop::FontBold, DefaultFrom::Fixed, "0"},
    {Prop::FontItalic, DefaultFrom::Fixed, "0"},
    {Prop::FontUnderline, DefaultFrom::Fixed, "0"},
};

// Descendants whose colours follow the form show them again.
void RefreshDescendantColours(const clsControl &item)
{
    for (const auto &entry : item.Children()) {
        if (auto *wrapper = dynamic_cast<cWrapperBase *>(entry.Value->Wrapper()))
            wrapper->RefreshColours();
        RefreshDescendantColours(*entry.Value);
    }
}
} // namespace

cFormWrapper::cFormWrapper() : cWrapperBase(WrapperKind::Form) {}

cFormWrapper::~cFormWrapper() = default;

std::span<const cWrapperBase::DefaultRule> cFormWrapper::Defaults() const
{
    return Rules;
}

iDesignControl *cFormWrapper::ObtainControl()
{
    if (!m_owner)
        return nullptr;
    m_form = m_owner->Items().FormFactory().CreateDesignForm(*m_owner, m_type);
    if (!m_form)
        return nullptr;
    m_form->SetWrapper(this);
    m_formFuncs = m_form.get();
    return m_form->Surface();
}

void cFormWrapper::ReleaseControl()
{
    if (m_form)
        m_form->SetWrapper(nullptr);
    m_form.reset();
}

void cFormWrapper::CreateItem(clsControl *owner, int type, const QString &fullId)
{
    cWrapperBase::CreateItem(owner, type, fullId);
    m_control->SetVisible(false);
    m_shown = false;
    ShowTitle();
}

void cFormWrapper::ShowTitle()
{
    if (!m_form)
        return;
    const QString caption = Stored(Prop::Caption);
    m_form->SetTitle(caption.isEmpty() ? m_fullId.section(QLatin1Char('*'), 1, 1) : caption);
}

bool cFormWrapper::Visible() const
{
    // The form's own record, not the window's: a window under a hidden main window reports
    // itself invisible although the form is shown.
    return m_control && m_shown;
}

void cFormWrapper::SetVisible(bool visible)
{
    if (!m_control)
        return;
    m_control->SetVisible(visible);
    m_shown = visible;
}

void cFormWrapper::Rename(QString &newFullId)
{
    cWrapperBase::Rename(newFullId);
    ShowTitle();
}

void cFormWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (!m_owner || !m_control)
        return;
    if (code == Prop::Caption)
        ShowTitle();
    else if (IsFontCode(code))
        m_owner->ApplyFont();
    else if (code == Prop::BackColor || code == Prop::ForeColor)
        RefreshDescendantColours(*m_owner);
}

quint32 cFormWrapper::SupportedMethods() const
{
    return cWrapperBase::SupportedMethods() | (1u << Method::Print);
}
