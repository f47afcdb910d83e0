#pragma once

#include <QString>

class clsControl;

// The hand-over to the property sheet in create mode. The sheet (or a test's stand-in) lets
// the user fill in the new object's properties; when the user cancels nothing is created.
class iCreateMode
{
public:
    virtual ~iCreateMode() = default;
    // New: a new application for an open project. The sheet calls
    // DocumentStorage::ApplicationCreated with it once the user has created it.
    virtual void BeginCreateApplication() = 0;
    // A new object of any kind: the sheet offers defaultId and creates the item under parent
    // (none for an application). typeName is the canonical short type name ("App", "Form",
    // "Label", "Text", "Popup" ...), type the first type code it stands for.
    virtual void BeginCreateItem(const QString &typeName, int type, const QString &defaultId,
                                 clsControl *parent) = 0;
};
