#pragma once

#include "model/cWrapperBase.h"

// A label: shows its Value, one line per value-mark-separated entry.
class cLabelWrapper final : public cWrapperBase
{
public:
    cLabelWrapper();
    int BorderStyle() const;
    QString GetDefaultProperty(int code) const override;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ShowsIdAsText() const override { return true; }
    void Apply(int code, const QString &value) override;
};
