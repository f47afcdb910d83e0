// The preferences dialog driven as a user would: every field shows the stored setting and OK
// writes each one back, a bad list size is refused with a message and the focus on the box,
// Cancel changes nothing, the two choosers fill their boxes, and Run tells the main window.
#include "ModalDriver.h"
#include "ProgramFolder.h"

#include "app/PersistSettings.h"
#include "app/clsDesignerSettings.h"
#include "designer/frmSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {
const QString Program = QStringLiteral("/opt/corvane/");

clsDesignerSettings Sample()
{
    clsDesignerSettings s;
    s.EnterKey = 2;
    s.AutoSelect = true;
    s.NoAutoTips = false;
    s.RecordLocking = true;
    s.Author = "Ann Author";
    s.Copyright = "(c) Ann";
    s.Logo = "/pics/logo.png";
    s.TemplatePath = "Templates";
    s.RecentList.SetListSize(6);
    s.RecentList.AddItem("one.gui");
    return s;
}

TEST(frmSettings, EveryFieldLoadsAndOkSavesIt)
{
    clsDesignerSettings settings = Sample();
    frmSettings dialog(settings, Program);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Grab(dialog, "settings");
    EXPECT_FALSE(dialog.EnterKeyOption(0)->isChecked());
    EXPECT_TRUE(dialog.EnterKeyOption(2)->isChecked());
    EXPECT_TRUE(dialog.AutoSelectBox()->isChecked());
    EXPECT_FALSE(dialog.NoAutoTipsBox()->isChecked());
    EXPECT_TRUE(dialog.LockingBox()->isChecked());
    EXPECT_EQ(dialog.LockingBox()->objectName(), "chkLocking");
    EXPECT_EQ(dialog.AuthorBox()->text(), "Ann Author");
    EXPECT_EQ(dialog.CopyrightBox()->text(), "(c) Ann");
    EXPECT_EQ(dialog.LogoBox()->text(), "/pics/logo.png");
    EXPECT_EQ(dialog.TemplateBox()->text(), "Templates");
    EXPECT_EQ(dialog.RecentSizeBox()->text(), "6");

    QTest::mouseClick(dialog.EnterKeyOption(0), Qt::LeftButton);
    dialog.AutoSelectBox()->click();
    dialog.NoAutoTipsBox()->click();
    dialog.LockingBox()->click();
    Retype(dialog.AuthorBox(), "Bob");
    Retype(dialog.CopyrightBox(), "(c) Bob");
    Retype(dialog.LogoBox(), "/pics/other.bmp");
    Retype(dialog.TemplateBox(), "/srv/tpl");
    Retype(dialog.RecentSizeBox(), "x-2"); // the letter never gets in
    EXPECT_EQ(dialog.RecentSizeBox()->text(), "-2");
    EXPECT_EQ(dialog.AutosaveBox()->value(), 2);
    dialog.AutosaveBox()->setValue(0);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    EXPECT_EQ(settings.EnterKey, 0);
    EXPECT_FALSE(settings.AutoSelect);
    EXPECT_TRUE(settings.NoAutoTips);
    EXPECT_FALSE(settings.RecordLocking);
    EXPECT_EQ(settings.Author, "Bob");
    EXPECT_EQ(settings.Copyright, "(c) Bob");
    EXPECT_EQ(settings.Logo, "/pics/other.bmp");
    EXPECT_EQ(settings.TemplatePath, "/srv/tpl");
    EXPECT_EQ(settings.RecentList.ListSize(), 0); // negative counts as none
    EXPECT_EQ(settings.AutosaveMinutes, 0);
}

TEST(frmSettings, BadListSizeIsRefusedWithMessageAndFocusAndCancelChangesNothing)
{
    clsDesignerSettings settings = Sample();
    frmSettings dialog(settings, Program);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Retype(dialog.AuthorBox(), "Bob");
    for (const char *bad : {"26", ""}) {
        Retype(dialog.RecentSizeBox(), bad);
        QString shown;
        WhenModal<QMessageBox>([&](QMessageBox *box) {
            shown = box->text();
            box->accept();
        });
        dialog.OkButton()->click();
        EXPECT_TRUE(shown.contains("0 to 25")) << shown.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.RecentSizeBox()) << bad;
        EXPECT_EQ(settings.Author, "Ann Author");
    }
    // Cancel then leaves every setting as it was.
    dialog.EnterKeyOption(1)->click();
    dialog.LockingBox()->click();
    Retype(dialog.RecentSizeBox(), "1");
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.EnterKey, 2);
    EXPECT_TRUE(settings.RecordLocking);
    EXPECT_EQ(settings.Author, "Ann Author");
    EXPECT_EQ(settings.RecentList.ListSize(), 6);
}

TEST(frmSettings, ChoosersFillTheirBoxes)
{
    clsDesignerSettings settings = Sample();
    frmSettings dialog(settings, Program);
    QString folderTitle, folderStart, logoFilter;
    dialog.ChooseFolder = [&](const QString &title, const QString &start) {
        folderTitle = title;
        folderStart = start;
        return QStringLiteral("/opt/corvane/Site/Templates");
    };
    dialog.ChooseLogo = [&](const QString &filter, const QString &) {
        logoFilter = filter;
        return QStringLiteral("/pics/new.gif");
    };
    dialog.TemplateButton()->click();
    EXPECT_EQ(folderTitle, "GUI Code Template Folder");
    EXPECT_EQ(folderStart, "/opt/corvane/Templates");
    EXPECT_EQ(dialog.TemplateBox()->text(), "Site/Templates");
    dialog.LogoButton()->click();
    EXPECT_TRUE(logoFilter.startsWith("All Picture Files"));
    EXPECT_EQ(dialog.LogoBox()->text(), "/pics/new.gif");
}

// Run tells the main window of an OK and stores the settings at once: a crash before
// shutdown no longer loses what the user confirmed. Cancel tells nothing.
TEST(frmSettings, RunReportsOkAndStoresTheSettingsAtOnce)
{
    ProgramFolder program;
    const QString folder = program.dir.path() + "/";
    modPersistSettings store(folder);
    clsDesignerSettings settings(&store);
    int applied = 0;
    WhenModal<frmSettings>([](frmSettings *d) {
        d->AuthorBox()->setText("Stored Author");
        d->OkButton()->click();
    });
    EXPECT_TRUE(frmSettings::Run(settings, folder, nullptr, [&] { ++applied; }));
    EXPECT_EQ(applied, 1);
    clsDesignerSettings reread(&store);
    reread.LoadSettings();
    EXPECT_EQ(reread.Author, "Stored Author");
    WhenModal<frmSettings>([](frmSettings *d) { d->CancelButton()->click(); });
    EXPECT_FALSE(frmSettings::Run(settings, folder, nullptr, [&] { ++applied; }));
    EXPECT_EQ(applied, 1);
}
} // namespace
