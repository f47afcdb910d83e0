#pragma once

#include "model/cWrapperBase.h"

// A picture control.
class cPictureWrapper final : public cWrapperBase
{
public:
    cPictureWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
};
