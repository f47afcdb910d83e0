// The main window's close: the user's close asks the open projects first and may be refused;
// a close by the program asks nothing; a close that goes ahead stores the window's keys.
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "designer/mdiMain.h"
#include "support/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// A program folder whose settings go to appstate.ini beside it.
struct Folder
{
    Folder()
    {
        QFile ini(dir.filePath("cvwin70.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Isolation]\r\nPersistSettings=2\r\nAppDataDirectory=.\r\n");
    }
    QString AppState() const { return dir.filePath("appstate.ini"); }
    QTemporaryDir dir;
};
} // namespace

TEST(mdiMain, UserCloseAsksTheProjectsAndStoresTheWindowKeys)
{
    Folder folder;
    ProcessState state(folder.dir.path());
    Startup::InitialiseProcess(state);
    mdiMain window(state);
    window.resize(900, 600);
    window.show();

    int asked = 0;
    bool allow = false;
    window.SetCloseQuery([&] {
        ++asked;
        return allow;
    });

    EXPECT_FALSE(window.close()) << "a project that must stay open keeps the window";
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(IniFile::Load(folder.AppState()).ReadString("GUIDesigner_Settings", "MainWidth", "").isEmpty());

    allow = true;
    EXPECT_TRUE(window.close());
    EXPECT_EQ(asked, 2);
    const IniFile stored = IniFile::Load(folder.AppState());
    EXPECT_EQ(stored.ReadInt("GUIDesigner_Settings", "MainWidth", 0), 900 * 15);
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "@", ""), "7");
}

TEST(mdiMain, CloseByTheProgramAsksNothing)
{
    Folder folder;
    ProcessState state(folder.dir.path());
    Startup::InitialiseProcess(state);
    mdiMain window(state);
    window.show();
    int asked = 0;
    window.SetCloseQuery([&] {
        ++asked;
        return false;
    });
    window.CloseWithoutQuestions();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(window.isVisible());
}
