#pragma once

#include "model/cWrapperBase.h"

// A tab group: the container of tab panels, whose child order is the order of the tabs.
class cTabgrpWrapper final : public cWrapperBase
{
public:
    cTabgrpWrapper();
    // The 1-based position of the panel shown; 0 when the group has none.
    int SelectedTabPanel() const { return m_selected; }
    void SetSelectedTabPanel(int index);
    // Shows the tab strip from the panels' captions in child order.
    void RebuildTabs();

protected:
    std::span<const DefaultRule> Defaults() const override;

private:
    int m_selected = 0;
};
