#pragma once

#include "model/cListBase.h"

// A list box: single selection (21), multi selection (22) or check boxes (34), switched in
// place; the rows stay.
class cListWrapper final : public cListBase
{
public:
    cListWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ChangesInPlace() const override { return true; }
    void ApplyVariant(int type) override;
};
