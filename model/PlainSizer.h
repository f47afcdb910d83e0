#pragma once

#include "model/iFormFuncs.h"

// A selection sizer without a window: remembers its control and whether it is shown, and
// counts refreshes.
class PlainSizer final : public iItemSizer
{
public:
    void Attach(iDesignControl *control) override { m_control = control; }
    void Detach() override { m_control = nullptr; }
    void Refresh() override { ++m_refreshCount; }
    void SetActive(bool active) override { m_active = active; }
    bool IsActive() const override { return m_active; }
    void SetSecondary(bool secondary) override { m_secondary = secondary; }
    bool IsSecondary() const { return m_secondary; }

    iDesignControl *Control() const { return m_control; }
    int RefreshCount() const { return m_refreshCount; }

private:
    iDesignControl *m_control = nullptr;
    int m_refreshCount = 0;
    bool m_active = false;
    bool m_secondary = false;
};
