#include "model/cTabgrpWrapper.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::FormBackColor}, {Prop::ForeColor, DefaultFrom::Form},
    {Prop::Style, DefaultFrom::Fixed, "0"},
};
} // namespace

cTabgrpWrapper::cTabgrpWrapper() : cWrapperBase(WrapperKind::Tabgrp) {}

std::span<const cWrapperBase::DefaultRule> cTabgrpWrapper::Defaults() const
{
    return Rules;
}

void cTabgrpWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Style && m_control)
        m_control->SetMultiRowTabs(value == QLatin1String("1"));
}

QList<clsControl *> cTabgrpWrapper::Panels() const
{
    QList<clsControl *> panels;
    if (m_owner)
        for (const auto &entry : m_owner->Children())
            if (entry.Value->ObjType() == Type::Tab && entry.Value->Wrapper())
                panels.append(entry.Value);
    return panels;
}

void cTabgrpWrapper::ShowSelection(const QList<clsControl *> &panels)
{
    m_selectedPanel = m_selected > 0 ? panels.at(m_selected - 1) : nullptr;
    if (m_control)
        m_control->SetCurrentTab(m_selected);
}

void cTabgrpWrapper::SetSelectedTabPanel(int index)
{
    const QList<clsControl *> panels = Panels();
    const int count = int(panels.size());
    m_selected = index < 1 || index > count ? (count ? 1 : 0) : index;
    ShowSelection(panels);
}

const clsControl *cTabgrpWrapper::SelectedPanel() const
{
    return m_selected > 0 ? m_selectedPanel : nullptr;
}

void cTabgrpWrapper::SelectPanel(const clsControl *panel)
{
    const QList<clsControl *> panels = Panels();
    const int at = int(panels.indexOf(const_cast<clsControl *>(panel)));
    if (at >= 0) {
        m_selected = at + 1;
        ShowSelection(panels);
    }
}

void cTabgrpWrapper::RebuildTabs()
{
    if (!m_owner)
        return;
    const QList<clsControl *> panels = Panels();
    QStringList captions;
    for (clsControl *panel : panels) {
        const QString caption = panel->GetProperty(Prop::Caption);
        captions << (caption.isEmpty() ? panel->ID() : caption);
    }
    if (m_control)
        m_control->SetTabs(captions);
    // The selected panel keeps its selection wherever it went; when it is gone the tab now
    // at its place (or the last one) is shown.
    const int at = int(panels.indexOf(const_cast<clsControl *>(m_selectedPanel)));
    if (m_selectedPanel && at >= 0)
        m_selected = at + 1;
    else
        m_selected = panels.isEmpty() ? 0 : qBound(1, m_selected, int(panels.size()));
    ShowSelection(panels);
}
