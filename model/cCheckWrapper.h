#pragma once

#include "model/cWrapperBase.h"

// A check box: the caption is its text, the Value its check state.
class cCheckWrapper final : public cWrapperBase
{
public:
    cCheckWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ShowsIdAsText() const override { return true; }
    void ShowValue(const QString &value) override;
};
