#include "model/cTabgrpWrapper.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::FormBackColor}, {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cTabgrpWrapper::cTabgrpWrapper() : cWrapperBase(WrapperKind::Tabgrp) {}

std::span<const cWrapperBase::DefaultRule> cTabgrpWrapper::Defaults() const
{
    return Rules;
}

void cTabgrpWrapper::SetSelectedTabPanel(int index)
{
    const int count = m_owner ? m_owner->Children().Count() : 0;
    m_selected = index < 1 || index > count ? (count ? 1 : 0) : index;
    if (m_control)
        m_control->SetCurrentTab(m_selected);
}

void cTabgrpWrapper::RebuildTabs()
{
    if (!m_control || !m_owner)
        return;
    QStringList captions;
    for (const auto &entry : m_owner->Children())
        if (entry.Value->ObjType() == Type::Tab && entry.Value->Wrapper()) {
            const QString caption = entry.Value->GetProperty(Prop::Caption);
            captions << (caption.isEmpty() ? entry.Value->ID() : caption);
        }
    m_control->SetTabs(captions);
    if (m_selected > captions.size() || (m_selected == 0 && !captions.isEmpty()))
        m_selected = captions.isEmpty() ? 0 : 1;
    m_control->SetCurrentTab(m_selected);
}
