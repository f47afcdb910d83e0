#pragma once

#include "support/IniFile.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

// Where the designer keeps its settings. The choice is made once, on first use, from the
// "Isolation" section of cvwin70.ini beside the program:
//   PersistSettings=1 (also when the file is missing): the per-user native settings store;
//       a key path "Software\Org\App\Rest" is organisation Org, application App, group
//       Rest (further levels become subgroups) — the same place QSettings uses on Windows.
//   PersistSettings=2: the file appstate.ini in AppDataDirectory; the section is the key path
//       without its first two levels, joined with "_" and without blanks
//       ("GUIDesigner_Settings"), the entry is the value name.
//   anything else: every read gives its default and nothing is stored.
// The unnamed value of a key is passed as an empty name; it is "@" in appstate.ini and
// "Default" in the native store.
//
// Both stores' files are read and written through SettingsFile: regular files only, written
// through a temporary file and a rename, links only when the user made them. A file that
// cannot hold settings (a FIFO, a device, a planted link) is noted once as a problem for the
// user; for the rest of the run its reads give their defaults and nothing is written to it.
class modPersistSettings
{
public:
    enum StoreMode { NoStore = 0, NativeStore = 1, IniStore = 2 };

    // programFolder ends in "/".
    explicit modPersistSettings(const QString &programFolder);

    int Mode() const;
    const QString &AppDataDirectory() const;
    const QString &UserDataDirectory() const;
    // AppDataDirectory + "appstate.ini".
    QString IniStorePath() const;

    ~modPersistSettings();

    QString Read(const QString &keyPath, const QString &name, const QString &defaultValue) const;
    // False when the value could not be stored (and always in a mode that stores nothing).
    // Inside a Batch the value is stored when the batch ends.
    bool Write(const QString &keyPath, const QString &name, const QString &text);

    // Reads and writes many values with one read and one write of the store instead of one
    // per value (loading or saving all settings, storing a window's position keys).
    class Batch
    {
    public:
        explicit Batch(modPersistSettings &store);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        modPersistSettings &m_store;
    };

    // Messages for the user about settings files that could not be used or written, each
    // problem once per run; taking them empties the list.
    QStringList TakeProblems();

    // The per-user area older designers kept their settings in (application "Corvane GUI
    // Designer", section "Settings"); read once by the migration.
    static constexpr const char *OlderAppName = "Corvane GUI Designer";
    static constexpr const char *OlderSection = "Settings";
    static QString ReadOlder(const QString &appName, const QString &section, const QString &name,
                             const QString &defaultValue);
    static void WriteOlder(const QString &appName, const QString &section, const QString &name,
                           const QString &text);

    // The ini section a key path is stored under in appstate.ini.
    static QString IniSection(const QString &keyPath);
    // Resolves a directory setting: "%VAR%" expanded, "\" read as "/", a relative path
    // taken from the program folder, empty meaning the program folder; the result ends in
    // "/" and the folder is created when missing.
    static QString ResolveDirectory(const QString &value, const QString &programFolder);
    // An ini file of the program: beside it when there, else in the user's config folder
    // (".../corvane/<name>") when there, else the path beside the program.
    static QString LocateConfigFile(const QString &programFolder, const QString &fileName);

    // Qt's settings file of an organisation and application in the user's area (where
    // QSettings keeps them, also after QSettings::setPath); an empty application gives the
    // organisation's file.
    static QString NativeFilePath(const QString &organisation, const QString &application);

private:
    class NativeFile;

    void Choose() const;
    void EndBatch();
    // The native store's settings at the key path's group; nullptr when its file is refused.
    QSettings *NativeSettings(const QString &keyPath) const;
    // Stores what changed in the open native file and closes it; false when it could not.
    bool CloseNative() const;
    // appstate.ini as stored; nothing when the file is refused.
    std::optional<IniFile> LoadIni() const;
    bool SaveIni(const IniFile &ini) const;
    void NoteProblem(const QString &path, const QString &reason, bool refuse) const;

    int m_batchDepth = 0;
    // While a batch runs: the open native store and the loaded appstate.ini.
    mutable std::unique_ptr<NativeFile> m_native;
    mutable std::optional<IniFile> m_ini;
    bool m_iniChanged = false;
    // Files found unusable this run, and every file a problem was noted for.
    mutable QSet<QString> m_refused;
    mutable QSet<QString> m_reported;
    mutable QStringList m_problems;

    QString m_programFolder;
    mutable bool m_chosen = false;
    mutable int m_mode = NativeStore;
    mutable QString m_appDataDirectory;
    mutable QString m_userDataDirectory;
};
