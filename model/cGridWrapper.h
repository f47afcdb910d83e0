#pragma once

#include "model/cWrapperBase.h"

// A grid: protected (27) or editable (28), switched in place. Value holds the cells row by
// row (a row's cells as its parts); index 1 selects a column and index 2 a row.
class cGridWrapper final : public cWrapperBase
{
public:
    cGridWrapper();
    QString GetDefaultProperty(int code) const override;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ChangesInPlace() const override { return true; }
    void ApplyVariant(int type) override;
    bool IsListValued(int code) const override;
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    QString SetListEntry(int code, int index1, int index2, const QString &value,
                         const QString &itemId) override;
    void ApplyList(int code, const QString &value) override;
    void Apply(int code, const QString &value) override;
    quint32 SupportedMethods() const override;

private:
    void ShowCells();
};
