#pragma once

#include "app/clsRecentList.h"

#include <QString>
#include <QStringList>
#include <functional>

class modPersistSettings;

// The designer's user settings, loaded once at start-up and saved at shutdown through the
// persistence layer. Window positions go through the same layer and key path but are read
// and written by the windows themselves (ReadValue/WriteValue).
class clsDesignerSettings
{
public:
    static constexpr const char *KeyPath = "Software\\Brevik\\GUI Designer\\Settings";
    static constexpr int FormatMarker = 7;

    // Without a store the settings keep their defaults and SaveSettings does nothing.
    explicit clsDesignerSettings(modPersistSettings *store = nullptr) : m_store(store) {}

    QString FileList;
    bool ViewStatusBar = true;
    bool ViewToolBar = true;
    bool ViewGrid = true;
    QString Author;
    QString Copyright;
    QString Logo;
    QString TemplatePath = QStringLiteral("GuiLib");
    int EnterKey = 0;
    bool AutoSelect = false;
    bool NoAutoTips = false;
    bool RecordLocking = false;
    // Minutes between autosaves of unsaved work; 0 switches autosave off.
    int AutosaveMinutes = 2;
    static constexpr int MaxAutosaveMinutes = 999;
    // How many changes Undo can take back (and Redo do again): 20 to 1,000.
    int UndoLevels = 20;
    clsRecentList RecentList;

    // Reads every setting; a store written by an older designer (marker below 7 or none)
    // is migrated first and saved in the current layout.
    void LoadSettings();
    void SaveSettings();
    // Copies every field and the recent list into target (its store stays its own).
    void Clone(clsDesignerSettings &target) const;

    // The window-position keys, for the migration and for callers that list them.
    static QStringList WindowPositionKeys();
    QString ReadValue(const QString &name, const QString &defaultValue) const;
    void WriteValue(const QString &name, const QString &text);
    int ReadInt(const QString &name, int defaultValue) const;
    void WriteInt(const QString &name, int value);

    modPersistSettings *Store() const { return m_store; }

private:
    using Reader = std::function<QString(const QString &name, const QString &defaultValue)>;
    void ReadAll(const Reader &read);
    void Migrate();

    modPersistSettings *m_store;
};
