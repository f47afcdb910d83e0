#pragma once

#include <QString>
#include <QStringList>

// The service object a document offers for HostFeatures::HostService: which host it serves and
// what that host holds, for the property sheet and the document chooser.
class iHostService
{
public:
    virtual ~iHostService() = default;
    virtual QString HostType() const = 0;
    virtual QString HostName() const = 0;
    virtual QStringList AccountNames() const = 0;
    virtual QStringList FileNames(const QString &account) const = 0;
};
