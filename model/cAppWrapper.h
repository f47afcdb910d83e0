#pragma once

#include "model/cWrapperBase.h"

#include <memory>
#include <vector>

// The application: owns its own design surface (an MDI frame for type 0, a single-document
// window for type 1, switched in place), the scale unit in which every position and size of
// the project is given, and the project's format version.
class cAppWrapper final : public cWrapperBase
{
public:
    cAppWrapper();
    ~cAppWrapper() override;

    iFormFuncs *FormFuncs() const override { return m_surface.get(); }
    QString GetDefaultProperty(int code) const override;

    // The scale unit (0 counts as characters) and its twips-per-unit factors.
    void ChangeScaleMode(int unit);
    // Switches to a unit for a while; RestoreScale goes back to the one before.
    void ChangeScale(int unit);
    void RestoreScale();
    int ScaleUnit() const { return m_scaleUnit; }
    double ScaleX() const { return m_scaleX; }
    double ScaleY() const { return m_scaleY; }

    // The format version of the project in tenths (14 for projects made by this designer).
    int ProjectVersion() const { return m_projectVersion; }
    void SetProjectVersion(int version) { m_projectVersion = version; }

    bool NoAutoTips() const { return StoredBool(Vocabulary::Prop::NoAutoTips); }
    void SetNoAutoTips(bool on);
    bool AutoSelect() const { return StoredBool(Vocabulary::Prop::AutoSelect); }
    void SetAutoSelect(bool on);
    // The application icon changed: its own window and every form without an icon of its
    // own show it.
    void ChangeIcon();
    QString IconName() const { return Stored(Vocabulary::Prop::Icon); }
    // The code editor closed the project's code document.
    void CodeDocument_DocumentClose() {}

protected:
    std::span<const DefaultRule> Defaults() const override;
    iDesignControl *ObtainControl() override;
    void ReleaseControl() override;
    bool ChangesInPlace() const override { return true; }
    void ApplyVariant(int type) override;
    void Validate(int code, QString &value) const override;
    void Apply(int code, const QString &value) override;
    quint32 SupportedMethods() const override;

private:
    std::unique_ptr<iFormFuncs> m_surface;
    int m_scaleUnit = 0;
    double m_scaleX = 120;
    double m_scaleY = 240;
    std::vector<int> m_scaleStack;
    int m_projectVersion = Vocabulary::CurrentProjectVersion;
};
