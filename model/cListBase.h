#pragma once

#include "model/cWrapperBase.h"

// What list boxes, combo boxes and drop-down lists share: the rows of Items (the parts of
// an entry are the row's columns, shown joined by a tab) and the per-column settings,
// addressed as whole values or by row and column.
class cListBase : public cWrapperBase
{
public:
    QString GetDefaultProperty(int code) const override;

protected:
    using cWrapperBase::cWrapperBase;
    bool IsListValued(int code) const override;
    void ApplyList(int code, const QString &value) override;
    quint32 SupportedMethods() const override;
    QString InvokeMethod(int method, const QString &arg1, const QString &arg2,
                         const QString &arg3) override;
    void Apply(int code, const QString &value) override;
};
