#include "model/cTabpnlWrapper.h"
#include "model/cTabgrpWrapper.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "0"}, {Prop::BackColor, DefaultFrom::ParentBackColor},
    {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cTabpnlWrapper::cTabpnlWrapper() : cWrapperBase(WrapperKind::Tabpnl) {}

std::span<const cWrapperBase::DefaultRule> cTabpnlWrapper::Defaults() const
{
    return Rules;
}

void cTabpnlWrapper::CreateItem(clsControl *owner, int type, const QString &fullId)
{
    if (!owner || !owner->Parent() || owner->Parent()->ObjType() != Type::Tabgroup)
        throw GuiError(GuiErrors::InvalidFormOrParent);
    cWrapperBase::CreateItem(owner, type, fullId);
}

cTabgrpWrapper *cTabpnlWrapper::Group() const
{
    clsControl *parent = m_owner ? m_owner->Parent() : nullptr;
    return parent ? dynamic_cast<cTabgrpWrapper *>(parent->Wrapper()) : nullptr;
}

void cTabpnlWrapper::Rename(QString &newFullId)
{
    cWrapperBase::Rename(newFullId);
    UpdateTabItem();
}

bool cTabpnlWrapper::Selected() const
{
    cTabgrpWrapper *group = Group();
    return group && m_owner && group->SelectedPanel() == m_owner;
}

void cTabpnlWrapper::SetSelected(bool selected)
{
    if (cTabgrpWrapper *group = Group(); group && selected)
        group->SelectPanel(m_owner);
}

void cTabpnlWrapper::UpdateTabItem()
{
    if (cTabgrpWrapper *group = Group())
        group->RebuildTabs();
}

void cTabpnlWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Caption)
        UpdateTabItem();
}
