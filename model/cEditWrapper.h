#pragma once

#include "model/cWrapperBase.h"

// A text box: single line (16), multi line (17) or password (29), switched in place.
class cEditWrapper final : public cWrapperBase
{
public:
    cEditWrapper();
    QString GetDefaultProperty(int code) const override;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ShowsIdAsText() const override { return true; }
    bool ChangesInPlace() const override { return true; }
    void ApplyVariant(int type) override;
};
