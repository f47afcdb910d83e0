#pragma once

#include "model/cWrapperBase.h"

#include <memory>

// A form: owns its design form, which shows the form's controls. The form is created
// hidden; its Visible member shows or hides the design window, while the Visible property
// is the form's run-time visibility.
class cFormWrapper final : public cWrapperBase
{
public:
    cFormWrapper();
    ~cFormWrapper() override;

    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    iFormFuncs *FormFuncs() const override { return m_form.get(); }
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void Rename(QString &newFullId) override;

    bool HasCustomIcon() const { return !Stored(Vocabulary::Prop::Icon).isEmpty(); }
    // The form's icon changed (or the application's, which forms without one show).
    void ChangeIcon() {}

protected:
    std::span<const DefaultRule> Defaults() const override;
    iDesignControl *ObtainControl() override;
    void ReleaseControl() override;
    bool ChangesInPlace() const override { return true; }
    void Apply(int code, const QString &value) override;
    quint32 SupportedMethods() const override;

private:
    void ShowTitle();
    std::unique_ptr<iFormFuncs> m_form;
    bool m_shown = false;
};
