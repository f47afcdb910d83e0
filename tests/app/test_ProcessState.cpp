// Process state: folders, locale separators with their defaults, sizes from the platform
// metrics, cursor ids by colour depth, the Behavior switch and the undo buffer's marks.
#include "FileBytes.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "support/Marks.h"
#include "support/PlatformMetrics.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ProcessState, FoldersEndInASeparator)
{
    ProcessState a("/opt/corvane");
    EXPECT_EQ(a.ProgramFolder, "/opt/corvane/");
    EXPECT_EQ(a.ImagesFolder, "/opt/corvane/images/");
    ProcessState b("C:\\Program Files\\Corvane\\");
    EXPECT_EQ(b.ProgramFolder, "C:/Program Files/Corvane/");
}

TEST(ProcessState, CursorIdsFollowTheColourDepth)
{
    ProcessState s("/x");
    for (const auto &[depth, first] : {std::pair{16, 8110}, {24, 8110}, {32, 8210}, {48, 8210}}) {
        s.ChooseCursorIds(depth);
        EXPECT_EQ(s.CursorIds.front(), first) << depth;
        EXPECT_EQ(s.CursorIds.back(), first + 7) << depth;
    }
}

TEST(ProcessState, SeparatorsKeepTheirDefaultsWhenTheLocaleGivesNothing)
{
    ProcessState s("/x");
    s.SetSeparators("", "", "", "", "");
    EXPECT_EQ(QStringList({s.DecimalSeparator, s.ThousandsSeparator, s.CurrencySymbol, s.NegativeSign,
                           s.PositiveSign}),
              QStringList({".", ",", "$", "-", "+"}));
    EXPECT_FALSE(s.DecimalIsNotPoint);
    EXPECT_EQ(s.ToPointDecimal("1,5"), "1,5");

    s.SetSeparators(",", ".", "kr", "", "");
    EXPECT_TRUE(s.DecimalIsNotPoint);
    EXPECT_EQ(s.ThousandsSeparator, ".");
    EXPECT_EQ(s.NegativeSign, "-");
    EXPECT_EQ(s.ToPointDecimal("1,5"), "1.5");
}

TEST(ProcessState, SizesComeFromThePlatformMetrics)
{
    PlatformMetrics m = PlatformMetrics::Headless();
    m.SizingFrameWidth = 3;
    m.SizingFrameHeight = 5;
    m.CaptionHeight = 20;
    m.VirtualScreenLeft = -1280;
    m.TwipsPerPixelX = 12;
    m.TwipsPerPixelY = 15;
    m.ColourDepth = 16;
    PlatformMetrics::Install(m);
    ProcessState s("/x");
    s.ReadMetrics();
    PlatformMetrics::Install(PlatformMetrics::Headless());
    EXPECT_EQ(s.FrameWidth, 2 * 3 * 12);
    EXPECT_EQ(s.CaptionHeight, (20 + 2 * 5) * 15);
    EXPECT_EQ(s.VirtualScreenLeft, -1280 * 12);
    EXPECT_EQ(s.CursorIds.front(), 8110);
}

TEST(ProcessState, StartupReadsBehaviorAndPreparesTheUndoBuffer)
{
    QTemporaryDir program, user;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, user.path());
    PutFileBytes(program.filePath("cvwin70.ini"), "[Isolation]\nPersistSettings=0\n");
    ProcessState s(program.path());
    Startup::InitialiseProcess(s);
    EXPECT_FALSE(s.DisableThemes); // no cvguisvr.ini
    EXPECT_EQ(s.UndoBuffer.Delimiters(), DynamicArray::UndoDelimiters());
    EXPECT_EQ(s.Settings.RecentList.ListSize(), 4);

    PutFileBytes(program.filePath("cvguisvr.ini"), "[behavior]\r\ndisablethemes = true\r\n");
    s.ReadBehavior();
    EXPECT_TRUE(s.DisableThemes);

    ProcessState::Override guard(s);
    EXPECT_EQ(&Process(), &s);
}
