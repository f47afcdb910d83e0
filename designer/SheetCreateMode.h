#pragma once

#include "app/iCreateMode.h"

#include <functional>

class DocumentStorage;
class clsDesigner;
class frmProperties;

// Hands the editing commands' "create a new object" over to the property sheet: the sheet
// is shown in create mode for the type, and a new application becomes an open project.
class SheetCreateMode final : public iCreateMode
{
public:
    SheetCreateMode(frmProperties &sheet, clsDesigner &designer, DocumentStorage *storage = nullptr);

    void BeginCreateApplication() override;
    void BeginCreateItem(const QString &typeName, int type, const QString &defaultId,
                         clsControl *parent) override;

private:
    frmProperties &m_sheet;
    clsDesigner &m_designer;
    DocumentStorage *m_storage;
};
