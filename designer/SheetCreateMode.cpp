#include "designer/SheetCreateMode.h"

#include "designer/frmProperties.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"

using namespace Vocabulary;

namespace {
iCreateMode::Outcome ToOutcome(const frmProperties::Result &result)
{
    iCreateMode::Outcome outcome;
    outcome.Created = result.Confirmed;
    outcome.FullID = result.Confirmed ? result.FullId : QString();
    return outcome;
}
} // namespace

SheetCreateMode::SheetCreateMode(frmProperties &sheet) : m_sheet(sheet) {}

iCreateMode::Outcome SheetCreateMode::CreateApplication(const QString &defaultId)
{
    return ToOutcome(m_sheet.ShowCreate(Type::AppMdi, nullptr, nullptr, defaultId));
}

iCreateMode::Outcome SheetCreateMode::CreateItem(const QString &typeName, int type,
                                                 const QString &defaultId, clsControl *parent)
{
    Q_UNUSED(typeName);
    if (IsApplication(type))
        return ToOutcome(m_sheet.ShowCreate(type, nullptr, nullptr, defaultId));
    // The parent is the application for a form, the active form for everything else.
    clsControl *app = parent ? parent->App() : nullptr;
    clsControl *form = parent && !IsForm(type) ? parent->Form() : nullptr;
    return ToOutcome(m_sheet.ShowCreate(type, app, form, defaultId));
}
