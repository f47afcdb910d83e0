#pragma once

#include "model/cWrapperBase.h"

// A picture control.
class cPictureWrapper final : public cWrapperBase
{
public:
    cPictureWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    // The style is the picture's scaling mode.
    void Apply(int code, const QString &value) override;
};
