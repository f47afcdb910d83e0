#pragma once

#include <QString>

class clsControl;

// The hand-over to the property sheet in create mode. The sheet (or a test's stand-in) lets
// the user fill in the new object's properties and returns when the user has created the
// object or cancelled, so the command that asked knows the outcome at once.
class iCreateMode
{
public:
    struct Outcome
    {
        bool Created = false;
        QString FullID; // of the object created
    };

    virtual ~iCreateMode() = default;
    // A new application (the New command); defaultId is offered as its ID.
    virtual Outcome CreateApplication(const QString &defaultId) = 0;
    // A new object of any kind: the sheet offers defaultId and creates the item under parent
    // (none for an application). typeName is the canonical short type name ("App", "Form",
    // "Label", "Text", "Popup" ...), type the first type code it stands for.
    virtual Outcome CreateItem(const QString &typeName, int type, const QString &defaultId,
                               clsControl *parent) = 0;
};
