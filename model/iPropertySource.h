#pragma once

#include <QString>

// The values of the object being edited as the property sheet holds them, applied or not.
// Per-column properties are addressed by a 1-based column index; 0 means no column.
class iPropertySource
{
public:
    virtual ~iPropertySource() = default;

    virtual QString GetPendingValue(int propertyCode, int column = 0) const = 0;
    // Only the extension value (code 50) is written through this way.
    virtual void SetPendingValue(int propertyCode, const QString &value) = 0;
};
