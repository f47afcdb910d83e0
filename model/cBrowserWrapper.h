#pragma once

#include "model/cWrapperBase.h"

// A web browser; a placeholder on the design form.
class cBrowserWrapper final : public cWrapperBase
{
public:
    cBrowserWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
};
