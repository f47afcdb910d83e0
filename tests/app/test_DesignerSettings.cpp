// Designer settings through each store: the exact appstate.ini layout, the first-start
// migration, the native store kept out of the real user's settings, a mode that stores
// nothing, damaged files falling back to defaults, and FIFOs, devices and links at the
// settings file.
#include "FileBytes.h"
#include "app/ProcessState.h"
#include "support/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

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
        PutFileBytes(Folder() + name, bytes);
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
    // Written from the values in memory: these are the defaults the designer works with.
    EXPECT_EQ(FileBytes(Folder() + "data/appstate.ini"), DefaultAppState);

    // The main window's width lands in the same section.
    state.Settings.WriteInt("MainWidth", 9000);
    const IniFile stored = IniFile::Load(Folder() + "data/appstate.ini");
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "MainWidth"), "9000");
    EXPECT_EQ(state.Settings.ReadInt("MainWidth", 0), 9000);
}

TEST_F(DesignerSettings, UndoLevelsAreStoredOnlyOnceChangedAndKeptInRange)
{
    UseIniStore();
    for (const auto &[given, kept] : {std::pair{5000, 1000}, {7, 20}, {300, 300}}) {
        {
            ProcessState state(Folder());
            state.Settings.LoadSettings();
            state.Settings.UndoLevels = given;
            state.Settings.SaveSettings();
        }
        ProcessState again(Folder());
        again.Settings.LoadSettings();
        EXPECT_EQ(again.Settings.UndoLevels, kept) << given;
    }
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
    const QByteArray text = FileBytes(Folder() + "data/appstate.ini");
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
    for (const auto &[key, value] : {std::pair{"MainWidth", "12000"}, {"PreviewLeft", "-100000"},
                                     {"Author", "Old Author"}, {"RtnEqTab", "True"}, {"RecentFileCount", "2"},
                                     {"RecentFile_1", "newest"}, {"RecentFile_2", "older"}})
        modPersistSettings::WriteOlder(app, section, key, value);

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

    // The private copy writes where Qt keeps the native store, also after QSettings::setPath.
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, "Brevik", "GUI Designer");
    EXPECT_TRUE(native.fileName().startsWith(m_user.path()));
    EXPECT_EQ(modPersistSettings::NativeFilePath("Brevik", "GUI Designer"), native.fileName());
    EXPECT_EQ(modPersistSettings::NativeFilePath("Corvane GUI Designer", ""),
              QSettings(QSettings::NativeFormat, QSettings::UserScope, "Corvane GUI Designer").fileName());
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
        const QByteArray before = FileBytes(path);
        {
            modPersistSettings::Batch batch(state.Persist);
            EXPECT_TRUE(state.Persist.Write(key, "PropertiesLeft", "120"));
            EXPECT_TRUE(state.Persist.Write(key, "PropertiesTop", "240"));
            EXPECT_EQ(state.Persist.Read(key, "PropertiesTop", "0"), "240");
            if (ini)
                EXPECT_EQ(FileBytes(path), before) << "nothing written before the batch ends";
        }
        EXPECT_EQ(state.Persist.Read(key, "PropertiesLeft", "0"), "120") << ini;
        EXPECT_EQ(state.Persist.Read(key, "PropertiesTop", "0"), "240") << ini;
        ProcessState again(Folder());
        EXPECT_EQ(again.Persist.Read(key, "PropertiesLeft", "0"), "120") << ini;
    }
}

namespace {
// Runs work on a thread of its own and waits for it; when it has not finished in time (a
// read waiting on a FIFO), the FIFO is opened and closed once from here, so the waiting read
// sees its end and the test fails instead of hanging the suite.
bool FinishesInTime(const std::function<void()> &work, const QString &fifo)
{
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&] {
        work();
        done.set_value();
    });
    const bool inTime = finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    while (finished.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    worker.join();
    return inTime;
}
} // namespace

// Whatever stands at the settings file's name, start-up finishes with the defaults and one
// message, and nothing is written into or over it: a FIFO, a device, a link someone else put
// there (for both stores). A link the user made is followed; the file it leads to is replaced.
TEST_F(DesignerSettings, SpecialFilesAndLinksAtTheSettingsFile)
{
    enum class Kind { Fifo, Device, DeviceLink, ForeignLink, OwnLink };
    const QString victim = Folder() + "victim.txt";
    for (const bool ini : {false, true})
        for (const Kind kind : {Kind::Fifo, Kind::Device, Kind::DeviceLink, Kind::ForeignLink, Kind::OwnLink}) {
            SCOPED_TRACE(testing::Message() << "ini " << ini << " kind " << int(kind));
            QFile::remove(Folder() + "cvwin70.ini");
            if (ini)
                UseIniStore();
            const QString path = ini ? Folder() + "data/appstate.ini"
                                     : modPersistSettings::NativeFilePath("Brevik", "GUI Designer");
            QDir().mkpath(QFileInfo(path).path());
            QFile::remove(path);
            QFile::remove(victim);
            WriteFile("victim.txt", "[Settings]\nAuthor=victim\n");
            const QByteArray p = QFile::encodeName(path);
            switch (kind) {
            case Kind::Fifo:
                ASSERT_EQ(::mkfifo(p.constData(), 0600), 0);
                break;
            case Kind::Device:
                // The null device's own numbers: nothing is lost should it be written.
                if (::mknod(p.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
                    GTEST_LOG_(INFO) << "no device node may be made here: case skipped";
                    continue;
                }
                break;
            case Kind::DeviceLink:
                ASSERT_EQ(::symlink("/dev/null", p.constData()), 0);
                break;
            case Kind::ForeignLink:
            case Kind::OwnLink:
                ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), p.constData()), 0);
                if (kind == Kind::ForeignLink && ::lchown(p.constData(), 65534, 65534) != 0) {
                    GTEST_LOG_(INFO) << "no other user to own the link: case skipped";
                    continue;
                }
                break;
            }

            ProcessState state(Folder());
            ASSERT_TRUE(FinishesInTime([&] {
                state.Settings.LoadSettings();
                state.Settings.Author = "Me";
                state.Settings.SaveSettings();
                state.Settings.WriteInt("MainWidth", 9000);
            }, path)) << "start-up waited on the settings file";
            const QStringList problems = state.Persist.TakeProblems();
            const QFileInfo after(path);
            if (kind == Kind::OwnLink) {
                EXPECT_TRUE(problems.isEmpty()) << problems.join("|").toStdString();
                EXPECT_TRUE(after.isSymLink());
                EXPECT_TRUE(FileBytes(victim).contains("Me"));
                EXPECT_EQ(state.Settings.ReadInt("MainWidth", 0), 9000);
                continue;
            }
            ASSERT_EQ(problems.size(), 1) << problems.join("|").toStdString();
            EXPECT_TRUE(problems[0].contains(path)) << problems[0].toStdString();
            EXPECT_EQ(state.Settings.ReadInt("MainWidth", -1), -1) << "defaults, nothing stored";
            EXPECT_EQ(FileBytes(victim), "[Settings]\nAuthor=victim\n");
            if (kind == Kind::Fifo || kind == Kind::Device)
                EXPECT_TRUE(after.exists() && !after.isFile() && !after.isSymLink());
            else
                EXPECT_TRUE(after.isSymLink());
            // Told once: the next save finds the same file and says nothing more.
            state.Settings.SaveSettings();
            EXPECT_TRUE(state.Persist.TakeProblems().isEmpty());
            QFile::remove(path);
        }
}
