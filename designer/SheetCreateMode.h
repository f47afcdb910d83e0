#pragma once

#include "app/iCreateMode.h"

class frmProperties;

// Hands the editing commands' "create a new object" over to the property sheet: the sheet
// is shown in create mode for the type and says whether the object was created.
class SheetCreateMode final : public iCreateMode
{
public:
    explicit SheetCreateMode(frmProperties &sheet);

    Outcome CreateApplication(const QString &defaultId) override;
    Outcome CreateItem(const QString &typeName, int type, const QString &defaultId,
                       clsControl *parent) override;

private:
    frmProperties &m_sheet;
};
