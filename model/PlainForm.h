#pragma once

#include "model/iFormFuncs.h"

#include <QHash>
#include <memory>
#include <set>
#include <vector>

class PlainControl;
class PlainSizer;

// A design form without a window, for the command-line tool and the tests. It keeps its
// instances in one set per kind (consecutive indexes above the prototype's 0), one shared
// timer, a menu control, the z-order of its instances and its insets and title.
class PlainForm final : public iFormFuncs
{
public:
    explicit PlainForm(int type);
    ~PlainForm() override;

    iControlWrapper *Wrapper() const override { return m_wrapper; }
    void SetWrapper(iControlWrapper *wrapper) override { m_wrapper = wrapper; }
    iDesignControl *CreateControlInstance(int type) override;
    void DeleteControlInstance(int type, iDesignControl *control) override;
    iDesignControl *Surface() override;
    iDesignControl *MenuControl() override;
    QString Title() const override { return m_title; }
    void SetTitle(const QString &title) override { m_title = title; }
    int InsetLeft() const override { return m_insetLeft; }
    int InsetTop() const override { return m_insetTop; }
    int InsetRight() const override { return m_insetRight; }
    int InsetBottom() const override { return m_insetBottom; }
    void SetInsets(int left, int top, int right, int bottom) override;
    void RefreshBackground() override { ++m_backgroundRefreshes; }
    void SetMdi(bool mdi) override { m_mdi = mdi; }
    void SetIcon(const QString &name) override
    {
        m_icon = name;
        ++m_iconChanges;
    }
    iItemSizer *CreateSizer() override;
    void DeleteSizer(iItemSizer *sizer) override;

    int Type() const { return m_type; }
    bool IsMdi() const { return m_mdi; }
    QString Icon() const { return m_icon; }
    int IconChanges() const { return m_iconChanges; }
    // Instances currently loaded (the timer counts once it exists).
    int InstanceCount() const { return int(m_instances.size()); }
    int SizerCount() const { return int(m_sizers.size()); }
    int BackgroundRefreshes() const { return m_backgroundRefreshes; }
    // Makes CreateControlInstance answer nullptr for the type (to test failures).
    void RefuseType(int type) { m_refused.insert(type); }

    // Z-order support for PlainControl. Bringing to the front and deleting take constant
    // time; ZIndexOf counts (a question for tests).
    int ZIndexOf(const PlainControl *control) const;
    void BringToFront(PlainControl *control);

private:
    bool InZOrder(const PlainControl *control) const;
    void Unlink(PlainControl *control);
    void PutInFront(PlainControl *control);

    int m_type;
    iControlWrapper *m_wrapper = nullptr;
    std::unique_ptr<PlainControl> m_surface;
    std::unique_ptr<PlainControl> m_menu;
    std::unique_ptr<PlainControl> m_timer;
    // The instances the form owns, looked up by address, never searched and never followed:
    // an address handed back twice (a control already deleted) finds nothing.
    QHash<const iDesignControl *, PlainControl *> m_instances;
    std::vector<std::unique_ptr<PlainSizer>> m_sizers;
    // Ends of the z-order, which runs through the instances: adding, raising and deleting one
    // touches only its neighbours.
    PlainControl *m_backmost = nullptr;
    PlainControl *m_frontmost = nullptr;
    QHash<int, int> m_upperBound;         // per instance kind
    std::set<int> m_refused;
    QString m_title;
    int m_insetLeft = 0;
    int m_insetTop = 0;
    int m_insetRight = 0;
    int m_insetBottom = 0;
    int m_backgroundRefreshes = 0;
    bool m_mdi = false;
    QString m_icon;
    int m_iconChanges = 0;
};
