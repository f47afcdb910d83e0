// Designer settings through each store: the exact appstate.ini layout, the first-start
// migration, the native store kept out of the real user's settings, a mode that stores
// nothing, and damaged files falling back to defaults.
#include "app/ProcessState.h"
#include "support/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class DesignerSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.isValid() && m_user.isValid());
        QStandardPaths::setTestModeEnabled(true);
        // Native and older per-user areas live in a folder of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_user.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_user.path());
    }

    QString Folder() const { return m_program.path() + "/"; }
    void WriteFile(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(Folder() + name).path());
        QFile f(Folder() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void UseIniStore() { WriteFile("cvwin70.ini", "[Isolation]\r\nPersistSettings=2\r\nAppDataDirectory=.\\data\r\n"); }

    QTemporaryDir m_program;
    QTemporaryDir m_user;
};

const QByteArray DefaultAppState =
    "[GUIDesigner_Settings]\n@=7\nFileList=\nViewStatusBar=True\nViewToolBar=True\nViewGrid=True\n"
    "Author=\nCopyright=\nLogo=\nTemplatePath=GuiLib\nEnterKey=0\nAutoSelect=False\n"
    "NoAutoTips=False\nRecordLocking=False\nAutosaveMinutes=2\nRecentListSize=4\nRecentFileCount=0\n";
} // namespace

TEST_F(DesignerSettings, FirstStartMigratesNothingAndWritesTheDefaults)
{
    UseIniStore();
    ProcessState state(Folder());
    EXPECT_EQ(state.Persist.Mode(), modPersistSettings::IniStore);
    EXPECT_EQ(state.Persist.AppDataDirectory(), Folder() + "data/");
    state.Settings.LoadSettings();
    EXPECT_EQ(ReadFile(Folder() + "data/appstate.ini"), DefaultAppState);
    EXPECT_TRUE(state.Settings.ViewGrid);
    EXPECT_EQ(state.Settings.TemplatePath, "GuiLib");
    EXPECT_EQ(state.Settings.RecentList.ListSize(), 4);

    // The main window's width lands in the same section.
    state.Settings.WriteInt("MainWidth", 9000);
    const IniFile stored = IniFile::Load(Folder() + "data/appstate.ini");
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "MainWidth"), "9000");
    EXPECT_EQ(state.Settings.ReadInt("MainWidth", 0), 9000);
}

TEST_F(DesignerSettings, SaveAndLoadRoundTripEveryField)
{
    UseIniStore();
    {
        ProcessState state(Folder());
        clsDesignerSettings &s = state.Settings;
        s.LoadSettings();
        s.FileList = "a.gui;b c.gui|x=y";
        s.ViewStatusBar = false;
        s.ViewGrid = false;
        s.Author = "Ann";
        s.Copyright = "(c) Ann";
        s.Logo = "C:\\pics\\logo.bmp";
        s.TemplatePath = "/opt/templates";
        s.EnterKey = 2;
        s.AutoSelect = true;
        s.RecordLocking = true;
        s.RecentList.SetListSize(3);
        for (const char *name : {"one", "two", "three", "four"})
            s.RecentList.AddItem(name);
        s.SaveSettings();
    }
    const QByteArray text = ReadFile(Folder() + "data/appstate.ini");
    EXPECT_TRUE(text.contains("ViewStatusBar=False\nViewToolBar=True\nViewGrid=False\n"));
    EXPECT_TRUE(text.endsWith("RecentListSize=3\nRecentFileCount=3\nRecentFile_1=four\n"
                              "RecentFile_2=three\nRecentFile_3=two\n"));

    ProcessState again(Folder());
    const clsDesignerSettings &s = again.Settings;
    again.Settings.LoadSettings();
    EXPECT_EQ(s.FileList, "a.gui;b c.gui|x=y");
    EXPECT_FALSE(s.ViewStatusBar);
    EXPECT_TRUE(s.ViewToolBar);
    EXPECT_FALSE(s.ViewGrid);
    EXPECT_EQ(s.Author, "Ann");
    EXPECT_EQ(s.Copyright, "(c) Ann");
    EXPECT_EQ(s.Logo, "C:\\pics\\logo.bmp");
    EXPECT_EQ(s.TemplatePath, "/opt/templates");
    EXPECT_EQ(s.EnterKey, 2);
    EXPECT_TRUE(s.AutoSelect);
    EXPECT_FALSE(s.NoAutoTips);
    EXPECT_TRUE(s.RecordLocking);
    EXPECT_EQ(s.RecentList.Items(), QStringList({"four", "three", "two"}));

    clsDesignerSettings copy;
    s.Clone(copy);
    EXPECT_EQ(copy.Store(), nullptr);
    EXPECT_EQ(copy.FileList, s.FileList);
    EXPECT_EQ(copy.RecentList.Items(), s.RecentList.Items());
    EXPECT_EQ(copy.RecentList.ListSize(), 3);
}

TEST_F(DesignerSettings, MigrationCopiesOlderValuesAndPositions)
{
    UseIniStore();
    const QString app = modPersistSettings::OlderAppName;
    const QString section = modPersistSettings::OlderSection;
    modPersistSettings::WriteOlder(app, section, "MainWidth", "12000");
    modPersistSettings::WriteOlder(app, section, "PreviewLeft", "-100000");
    modPersistSettings::WriteOlder(app, section, "Author", "Old Author");
    modPersistSettings::WriteOlder(app, section, "RtnEqTab", "True");
    modPersistSettings::WriteOlder(app, section, "RecentFileCount", "2");
    modPersistSettings::WriteOlder(app, section, "RecentFile_1", "newest");
    modPersistSettings::WriteOlder(app, section, "RecentFile_2", "older");

    ProcessState state(Folder());
    state.Settings.LoadSettings();
    EXPECT_EQ(state.Settings.Author, "Old Author");
    EXPECT_EQ(state.Settings.EnterKey, 1);
    EXPECT_EQ(state.Settings.RecentList.Items(), QStringList({"newest", "older"}));

    const IniFile stored = IniFile::Load(Folder() + "data/appstate.ini");
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "@"), "7");
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "MainWidth"), "12000");
    EXPECT_FALSE(stored.HasKey("GUIDesigner_Settings", "PreviewLeft"));
    EXPECT_FALSE(stored.HasKey("GUIDesigner_Settings", "RtnEqTab")); // read, never written
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "EnterKey"), "1");

    // The next start reads the new store and leaves the older area alone.
    modPersistSettings::WriteOlder(app, section, "Author", "Changed Later");
    ProcessState next(Folder());
    next.Settings.LoadSettings();
    EXPECT_EQ(next.Settings.Author, "Old Author");
}

TEST_F(DesignerSettings, NativeStoreKeepsTheKeyPathLayout)
{
    // No cvwin70.ini: the native per-user store.
    ProcessState state(Folder());
    EXPECT_EQ(state.Persist.Mode(), modPersistSettings::NativeStore);
    state.Settings.LoadSettings();
    state.Settings.Author = "Native";
    state.Settings.SaveSettings();
    state.Settings.WriteInt("MainTop", 300);

    QSettings native(QSettings::NativeFormat, QSettings::UserScope, "Brevik", "GUI Designer");
    EXPECT_TRUE(native.fileName().startsWith(m_user.path()));
    EXPECT_EQ(native.value("Settings/Default").toString(), "7");
    EXPECT_EQ(native.value("Settings/Author").toString(), "Native");
    EXPECT_EQ(native.value("Settings/MainTop").toString(), "300");

    ProcessState again(Folder());
    again.Settings.LoadSettings();
    EXPECT_EQ(again.Settings.Author, "Native");
    EXPECT_FALSE(QFile::exists(Folder() + "appstate.ini"));
}

TEST_F(DesignerSettings, OtherModesStoreNothing)
{
    WriteFile("cvwin70.ini", "[Isolation]\nPersistSettings=3\n");
    ProcessState state(Folder());
    state.Settings.LoadSettings();
    state.Settings.Author = "Nobody";
    state.Settings.SaveSettings();
    EXPECT_FALSE(state.Persist.Write(clsDesignerSettings::KeyPath, "MainWidth", "1"));
    EXPECT_EQ(state.Settings.ReadInt("MainWidth", -5), -5);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files), QStringList({"cvwin70.ini"}));
    EXPECT_TRUE(QDir(m_user.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(DesignerSettings, DamagedValuesAndFilesGiveDefaults)
{
    UseIniStore();
    WriteFile("data/appstate.ini",
              "\xEF\xBB\xBF[GUIDesigner_Settings]\n@=7\nViewGrid=maybe\nEnterKey=two\n"
              "RecentListSize=99\nRecentFileCount=2000000000\nRecentFile_1=\nRecentFile_2=kept\n"
              "\xFF\xFE garbage \x01\n");
    ProcessState state(Folder());
    state.Settings.LoadSettings();
    EXPECT_TRUE(state.Settings.ViewGrid);
    EXPECT_EQ(state.Settings.EnterKey, 0);
    EXPECT_EQ(state.Settings.RecentList.ListSize(), 4);
    EXPECT_EQ(state.Settings.RecentList.Items(), QStringList({"kept"}));

    // A cvwin70.ini that is not text at all still starts the designer with native storage.
    WriteFile("cvwin70.ini", QByteArray("\x00\x01\xFF", 3) + "[Isolation\n=\n");
    ProcessState other(Folder());
    EXPECT_EQ(other.Persist.Mode(), modPersistSettings::NativeStore);
}

TEST_F(DesignerSettings, DirectoriesResolveAgainstTheProgramFolder)
{
    const QString base = Folder() + "bin/";
    QDir().mkpath(base);
    qputenv("CORVANE_TEST_DATA", QFile::encodeName(Folder() + "env"));
    EXPECT_EQ(modPersistSettings::ResolveDirectory("", base), base);
    EXPECT_EQ(modPersistSettings::ResolveDirectory(".", base), base);
    EXPECT_EQ(modPersistSettings::ResolveDirectory("..\\shared\\a", base), Folder() + "shared/a/");
    EXPECT_TRUE(QDir(Folder() + "shared/a").exists());
    EXPECT_EQ(modPersistSettings::ResolveDirectory("%CORVANE_TEST_DATA%\\x", base), Folder() + "env/x/");
    EXPECT_TRUE(QDir(Folder() + "env/x").exists());
    EXPECT_EQ(modPersistSettings::ResolveDirectory("%CORVANE_NO_SUCH_VAR%", base),
              base + "%CORVANE_NO_SUCH_VAR%/");
    EXPECT_EQ(modPersistSettings::IniSection("Software\\Brevik\\GUI Designer\\Settings"), "GUIDesigner_Settings");
    EXPECT_EQ(modPersistSettings::IniSection("Software\\Brevik\\GUI Designer\\Code Editor\\Window"),
              "GUIDesigner_CodeEditor_Window");
}

// A batch reads the store once and writes it once, at its end; values written inside it
// read back at once. Both stores keep what the batch wrote.
TEST_F(DesignerSettings, BatchWritesTheStoreOnceAtItsEnd)
{
    const QString key = "Software\\Brevik\\GUI Designer\\Settings";
    for (bool ini : {true, false}) {
        if (ini)
            UseIniStore();
        else
            WriteFile("cvwin70.ini", "[Isolation]\r\nPersistSettings=1\r\n");
        ProcessState state(Folder());
        const QString path = Folder() + "data/appstate.ini";
        const QByteArray before = ReadFile(path);
        {
            modPersistSettings::Batch batch(state.Persist);
            EXPECT_TRUE(state.Persist.Write(key, "PropertiesLeft", "120"));
            EXPECT_TRUE(state.Persist.Write(key, "PropertiesTop", "240"));
            EXPECT_EQ(state.Persist.Read(key, "PropertiesTop", "0"), "240");
            if (ini)
                EXPECT_EQ(ReadFile(path), before) << "nothing written before the batch ends";
        }
        EXPECT_EQ(state.Persist.Read(key, "PropertiesLeft", "0"), "120") << ini;
        EXPECT_EQ(state.Persist.Read(key, "PropertiesTop", "0"), "240") << ini;
        ProcessState again(Folder());
        EXPECT_EQ(again.Persist.Read(key, "PropertiesLeft", "0"), "120") << ini;
    }
}
