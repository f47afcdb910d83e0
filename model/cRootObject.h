#pragma once

#include "model/cWrapperBase.h"

// The invisible root of the item tree: no control, no properties, no methods.
class cRootObject final : public cWrapperBase
{
public:
    cRootObject();
    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    void DeleteItem() override;

protected:
    std::span<const DefaultRule> Defaults() const override { return {}; }
    quint32 SupportedMethods() const override { return 0; }
};
