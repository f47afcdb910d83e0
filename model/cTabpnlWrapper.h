#pragma once

#include "model/cWrapperBase.h"

// One tab panel of a tab group: a container whose caption is its tab's text. Its geometry
// follows the tab group.
class cTabpnlWrapper final : public cWrapperBase
{
public:
    cTabpnlWrapper();
    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    void Rename(QString &newFullId) override;
    bool Selected() const;
    void SetSelected(bool selected);
    // Rebuilds the group's tab strip after the caption or the order changed.
    void UpdateTabItem();

protected:
    std::span<const DefaultRule> Defaults() const override;
    void Apply(int code, const QString &value) override;

private:
    class cTabgrpWrapper *Group() const;
};
