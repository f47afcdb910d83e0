#pragma once

#include "model/cListBase.h"

// A drop-down combo (23) or a drop-down list (24).
class cComboWrapper final : public cListBase
{
public:
    cComboWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
};
