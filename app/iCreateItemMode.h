#pragma once

#include <QString>

class clsControl;

// The hand-over to the property sheet in create mode for a new object of any kind. The sheet
// (or a test's stand-in) offers defaultId, lets the user fill in the properties and creates
// the item under parent (none for an application); when the user cancels nothing is created.
class iCreateItemMode
{
public:
    virtual ~iCreateItemMode() = default;
    // typeName is the canonical short type name ("App", "Form", "Label", "Text", "Popup"
    // ...), type the first type code it stands for.
    virtual void BeginCreateItem(const QString &typeName, int type, const QString &defaultId,
                                 clsControl *parent) = 0;
};
