#pragma once

#include "model/cWrapperBase.h"

// An option group: Items holds one caption per option; Value is the selected option's.
class cOptionWrapper final : public cWrapperBase
{
public:
    cOptionWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    void ApplyList(int code, const QString &value) override;
    void ShowValue(const QString &value) override;
};
