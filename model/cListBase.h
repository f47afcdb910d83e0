#pragma once

#include "model/ListContent.h"
#include "model/cWrapperBase.h"

// What list boxes, combo boxes and drop-down lists share: the rows of Items (the parts of
// an entry are the row's columns, shown joined by a tab), the column count and the
// per-column settings, held in one ListContent and addressed as whole values, by row, by
// row and column, or by column.
class cListBase : public cWrapperBase
{
public:
    QString GetDefaultProperty(int code) const override;
    void ScaleChanged() override;
    // The rows and column settings, measured in the application's current scale unit.
    const ListContent &Content() const;

protected:
    using cWrapperBase::cWrapperBase;
    bool IsListValued(int code) const override;
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    void SetListEntry(int code, int index1, int index2, const QString &value,
                      const QString &itemId) override;
    void ApplyList(int code) override;
    QString ContentDefault(int code) const override;
    bool IsContentDefault(int code) const override;
    quint32 SupportedMethods() const override;
    QString InvokeMethod(int method, const QString &arg1, const QString &arg2,
                         const QString &arg3) override;

private:
    ListContent &Synced() const;

    mutable ListContent m_content;
};
