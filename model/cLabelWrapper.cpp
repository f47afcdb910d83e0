#include "model/cLabelWrapper.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Border, DefaultFrom::Fixed, "0"}, {Prop::BackColor, DefaultFrom::ParentBackColor},
    {Prop::ForeColor, DefaultFrom::Form},
};
} // namespace

cLabelWrapper::cLabelWrapper() : cWrapperBase(WrapperKind::Label) {}

std::span<const cWrapperBase::DefaultRule> cLabelWrapper::Defaults() const
{
    return Rules;
}

int cLabelWrapper::BorderStyle() const
{
    return StoredInt(Prop::Border);
}

QString cLabelWrapper::GetDefaultProperty(int code) const
{
    // Projects made before version 14 took the form's colour, whatever the container.
    if (code == Prop::BackColor && m_owner && m_owner->App())
        if (auto *app = dynamic_cast<cAppWrapper *>(m_owner->App()->Wrapper());
            app && app->ProjectVersion() < 14)
            if (clsControl *form = FormItem(); form && form->Wrapper())
                return form->GetProperty(Prop::BackColor);
    return cWrapperBase::GetDefaultProperty(code);
}

void cLabelWrapper::Apply(int code, const QString &value)
{
    // The label shows its Value; the caption is only kept.
    if (code != Prop::Caption)
        cWrapperBase::Apply(code, value);
}
