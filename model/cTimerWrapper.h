#pragma once

#include "model/cWrapperBase.h"

// A timer: invisible at run time; every timer of a form shares the form's one timer
// instance, which is never unloaded.
class cTimerWrapper final : public cWrapperBase
{
public:
    cTimerWrapper();

protected:
    std::span<const DefaultRule> Defaults() const override;
    quint32 SupportedMethods() const override;
};
