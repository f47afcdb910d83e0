#pragma once

#include "model/iFormFuncs.h"

class PlainForm;

// Makes plain headless design forms; the registry's factory unless the design surface
// installs its own.
class PlainFormFactory final : public iFormFactory
{
public:
    std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) override;

    // While set, no design form is made (to test failures).
    void SetRefuse(bool refuse) { m_refuse = refuse; }
    // The form made last, for tests; not owned.
    PlainForm *LastForm() const { return m_last; }

private:
    bool m_refuse = false;
    PlainForm *m_last = nullptr;
};
