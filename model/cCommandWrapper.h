#pragma once

#include "model/cWrapperBase.h"

// A command button.
class cCommandWrapper final : public cWrapperBase
{
public:
    cCommandWrapper();
    // Style 2 makes the button answer the Escape key.
    bool IsCancelButton() const;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ShowsIdAsText() const override { return true; }
};
