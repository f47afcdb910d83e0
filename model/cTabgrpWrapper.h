#pragma once

#include "model/cWrapperBase.h"

#include <QList>

// A tab group: the container of tab panels, whose child order is the order of the tabs.
// The panel shown stays the same panel when the tabs are reordered.
class cTabgrpWrapper final : public cWrapperBase
{
public:
    cTabgrpWrapper();
    // The 1-based position of the panel shown; 0 when the group has none.
    int SelectedTabPanel() const { return m_selected; }
    void SetSelectedTabPanel(int index);
    // The panel shown, or nullptr.
    const clsControl *SelectedPanel() const;
    void SelectPanel(const clsControl *panel);
    // Shows the tab strip from the panels' captions in child order.
    void RebuildTabs();
    void ChildrenChanged() override { RebuildTabs(); }

protected:
    std::span<const DefaultRule> Defaults() const override;
    // Style 1 wraps tabs that do not fit across onto further rows.
    void Apply(int code, const QString &value) override;

private:
    // The tab panels among the children, in child order.
    QList<clsControl *> Panels() const;
    void ShowSelection(const QList<clsControl *> &panels);

    int m_selected = 0;
    // Compared with the current panels only, never followed: it may be a deleted one.
    const clsControl *m_selectedPanel = nullptr;
};
