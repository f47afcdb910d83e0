#include "designer/SheetCreateMode.h"

#include "app/DefaultIds.h"
#include "app/DocumentStorage.h"
#include "app/clsDesigner.h"
#include "designer/frmProperties.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

using namespace Vocabulary;

SheetCreateMode::SheetCreateMode(frmProperties &sheet, clsDesigner &designer,
                                 DocumentStorage *storage)
    : m_sheet(sheet), m_designer(designer), m_storage(storage)
{
}

void SheetCreateMode::BeginCreateApplication()
{
    const QString id = DefaultIds::ForType(m_designer.Items(), QStringLiteral("App"), nullptr,
                                           nullptr);
    const frmProperties::Result result = m_sheet.ShowCreate(Type::AppMdi, nullptr, nullptr, id);
    if (!result.Confirmed)
        return;
    if (clsControl *app = m_designer.Items().Find(result.FullId); app && m_storage)
        m_storage->ApplicationCreated(*app);
}

void SheetCreateMode::BeginCreateItem(const QString &typeName, int type,
                                      const QString &defaultId, clsControl *parent)
{
    Q_UNUSED(typeName);
    if (IsApplication(type)) {
        const frmProperties::Result result = m_sheet.ShowCreate(type, nullptr, nullptr, defaultId);
        if (result.Confirmed && m_storage)
            if (clsControl *app = m_designer.Items().Find(result.FullId))
                m_storage->ApplicationCreated(*app);
        return;
    }
    clsControl *app = parent ? (IsApplication(parent->ObjType()) ? parent : parent->App()) : nullptr;
    clsControl *form = parent && IsForm(parent->ObjType()) ? parent
                       : parent ? parent->Form() : nullptr;
    m_sheet.ShowCreate(type, app, IsForm(type) ? nullptr : form, defaultId);
}
