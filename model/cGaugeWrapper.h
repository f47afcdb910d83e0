#pragma once

#include "model/cWrapperBase.h"

// A gauge (progress bar): the Value is the position shown.
class cGaugeWrapper final : public cWrapperBase
{
public:
    cGaugeWrapper();
    QString GetDefaultProperty(int code) const override;

protected:
    std::span<const DefaultRule> Defaults() const override;
    void ShowValue(const QString &value) override;
    void Apply(int code, const QString &value) override;
};
