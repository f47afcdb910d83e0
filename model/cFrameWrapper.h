#pragma once

#include "model/cWrapperBase.h"

// A frame: a container with a caption.
class cFrameWrapper final : public cWrapperBase
{
public:
    cFrameWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ShowsIdAsText() const override { return true; }
};
