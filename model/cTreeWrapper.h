#pragma once

#include "model/cWrapperBase.h"

// A tree: Items holds one entry per node in pre-order (ID, level, caption, icon, state,
// hint). Nodes are addressed by their ID path through the item ID argument.
class cTreeWrapper final : public cWrapperBase
{
public:
    cTreeWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool HasSubItems() const override { return true; }
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    void ApplyList(int code, const QString &value) override;
};
