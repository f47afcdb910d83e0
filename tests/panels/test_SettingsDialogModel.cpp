// The preferences dialog's rules without its widgets: what a stored value shows as, which
// recent-list sizes are taken, where the template folder is kept, and that a refused entry
// leaves the settings alone.
#include "panels/SettingsDialogModel.h"
#include "app/clsDesignerSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString Program = QStringLiteral("/opt/corvane/");

TEST(SettingsDialogModel, RecentSizeText)
{
    struct Case { const char *text; int size; };
    const Case cases[] = {
        {"4", 4}, {" 7 ", 7}, {"0", 0}, {"25", 25}, {"-3", 0}, {"-", -1},
        {"26", -1}, {"99999999999", -1}, {"", -1}, {"abc", -1}, {"3.5", -1},
    };
    clsDesignerSettings settings;
    for (const Case &c : cases) {
        SettingsDialogModel model(settings, Program);
        model.RecentSizeText = QString::fromLatin1(c.text);
        EXPECT_EQ(model.RecentSize(), c.size) << c.text;
        EXPECT_EQ(model.Problem().isEmpty(), c.size >= 0) << c.text;
        EXPECT_EQ(model.ProblemField() == SettingsDialogModel::Field::RecentSize, c.size < 0) << c.text;
    }
}

TEST(SettingsDialogModel, LoadsApplyWritesBackAndARefusalChangesNothing)
{
    clsDesignerSettings settings;
    settings.EnterKey = 7; // no choice for it: the dialog shows the middle one
    settings.Author = "Ann";
    settings.RecentList.AddItem("c");
    settings.RecentList.AddItem("b");
    settings.RecentList.AddItem("a");
    SettingsDialogModel model(settings, Program);
    EXPECT_EQ(model.EnterKey, 1);
    EXPECT_EQ(model.Author, "Ann");
    EXPECT_EQ(model.RecentSizeText, "4");

    model.Author = "Bob";
    model.RecentSizeText = "30";
    EXPECT_FALSE(model.Apply(settings));
    EXPECT_EQ(settings.Author, "Ann");
    EXPECT_EQ(settings.EnterKey, 7);

    model.RecentSizeText = "2";
    model.EnterKey = 2;
    model.RecordLocking = true;
    EXPECT_TRUE(model.Apply(settings));
    EXPECT_EQ(settings.Author, "Bob");
    EXPECT_EQ(settings.EnterKey, 2);
    EXPECT_TRUE(settings.RecordLocking);
    EXPECT_EQ(settings.RecentList.ListSize(), 2);
    EXPECT_EQ(settings.RecentList.Items(), QStringList({"a", "b"}));
}

TEST(SettingsDialogModel, TemplateFolderRelativeInsideTheProgramFolder)
{
    clsDesignerSettings settings;
    SettingsDialogModel model(settings, Program);
    EXPECT_EQ(model.TemplateFolderAbsolute(), "/opt/corvane/GuiLib");
    model.SetTemplateFolder("/opt/corvane/Templates/Site");
    EXPECT_EQ(model.TemplatePath, "Templates/Site");
    EXPECT_EQ(model.TemplateFolderAbsolute(), "/opt/corvane/Templates/Site");
    model.SetTemplateFolder("/home/ann/tpl/");
    EXPECT_EQ(model.TemplatePath, "/home/ann/tpl");
    EXPECT_EQ(model.TemplateFolderAbsolute(), "/home/ann/tpl");
    // The program folder itself has no relative name.
    model.SetTemplateFolder("/opt/corvane");
    EXPECT_EQ(model.TemplatePath, "/opt/corvane");
    model.TemplatePath.clear();
    EXPECT_EQ(model.TemplateFolderAbsolute(), "/opt/corvane/GuiLib");
}

TEST(SettingsDialogModel, TheFolderBrowserOfAnInstalledProgramStartsAtItsTemplates)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("share/corvane/GuiLib"));
    clsDesignerSettings settings;
    SettingsDialogModel model(settings, dir.path() + "/bin/");
    EXPECT_EQ(model.TemplateFolderAbsolute(), dir.path() + "/share/corvane/GuiLib");
    // A folder the user chose that exists is where it starts.
    model.SetTemplateFolder(dir.path() + "/share");
    EXPECT_EQ(model.TemplateFolderAbsolute(), dir.path() + "/share");
}
} // namespace
