// The code dialogs driven as a user would: the code item dialog's preselection, Browse, the
// OK rule and its stored position; the update dialog's three tabs with double-click to add
// and Delete to remove a handler; the decoder question's four answers.
#include "ModalDriver.h"
#include "FileBytes.h"
#include "ProgramFolder.h"
#include "MemoryCodeDocument.h"

#include "app/DocumentStorage.h"
#include "app/PersistSettings.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesignerSettings.h"
#include "code/CodeAnalysis.h"
#include "code/CodeDecoderQuestion.h"
#include "code/LoadCodeModel.h"
#include "code/TemplateFiles.h"
#include "code/UpdateCodeModel.h"
#include "code/iCodeEditor.h"
#include "designer/frmDecoderQuestion.h"
#include "designer/frmLoadCode.h"
#include "designer/frmUpdateCode.h"
#include "host/iDocumentChooser.h"
#include "host/mvConnection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib/");

struct OneChoice : iDocumentChooser
{
    QString Name;
    QString Title;
    QString Start;
    std::optional<QString> ChooseDocument(const QString &title, QObject *, const QString &start) override
    {
        Title = title;
        Start = start;
        return Name;
    }
};

// Settings kept in an ini file in a temporary folder.
struct IniSettings
{
    ProgramFolder folder;
    modPersistSettings persist{folder.dir.path() + "/"};
    clsDesignerSettings settings{&persist};
};
} // namespace

TEST(CodeDialogs, LoadCodePreselectsBrowsesAndConfirms)
{
    TemplateFiles templates(GuiLib);
    mvConnection connection;
    OneChoice chooser;
    connection.SetChooser(&chooser);
    LoadCodeModel::Start start{"mvdb", "h", "acc", "mvdb://h/acc/BP/ORDERS.PROG", "0", 3};
    LoadCodeModel model(templates, &connection, start);
    IniSettings ini;

    frmLoadCode dialog(model, &ini.settings);
    EXPECT_EQ(dialog.windowTitle(), "Load Code");
    EXPECT_TRUE(dialog.ExistingOption()->isChecked());
    EXPECT_EQ(dialog.FileNameBox()->text(), "BP");
    EXPECT_EQ(dialog.ItemIdBox()->text(), "ORDERS.PROG");
    EXPECT_EQ(dialog.TemplateList()->currentText(), "Standard");
    EXPECT_EQ(dialog.TemplateDescription()->text(), "Event loop program for MDI and SDI applications");
    EXPECT_EQ(dialog.CasingList()->currentText(), "mixed case");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.show();
    Grab(dialog, "loadcode");

    // An emptied item ID cannot be confirmed.
    dialog.ItemIdBox()->clear();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClicks(dialog.ItemIdBox(), "ORDERS.NEW");
    QTest::mouseClick(dialog.NewOption(), Qt::LeftButton);
    dialog.TemplateList()->setCurrentIndex(dialog.TemplateList()->findText("Dialog"));
    dialog.CasingList()->setCurrentIndex(1);
    EXPECT_TRUE(model.NewItem);
    EXPECT_EQ(model.ProgramDocumentName(), "mvdb://h/acc/BP/ORDERS.NEW");
    EXPECT_EQ(model.Style(), "1");
    EXPECT_EQ(model.Casing(), 2);

    // Browse: a store item fills both boxes.
    chooser.Name = "mvdb://h/acc/LIB/OTHER";
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Title, "Open Code");
    EXPECT_EQ(chooser.Start, "mvdb://h/acc/BP/ORDERS.NEW");
    EXPECT_EQ(dialog.FileNameBox()->text(), "LIB");
    EXPECT_EQ(dialog.ItemIdBox()->text(), "OTHER");
    EXPECT_TRUE(dialog.NewOption()->isChecked()); // the user's choice stays

    dialog.move(120, 90);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_NE(ini.settings.ReadInt("LoadCodeLeft", -1), -1);
    EXPECT_NE(ini.settings.ReadInt("LoadCodeTop", -1), -1);
}

TEST(CodeDialogs, LoadCodeForLocalProgramsAndEmptyTemplateFolders)
{
    QTemporaryDir empty;
    TemplateFiles none(empty.path() + "/");
    mvConnection connection;
    OneChoice chooser;
    connection.SetChooser(&chooser);
    LoadCodeModel model(none, &connection, {"file", {}, {}, {}, {}, 0});
    frmLoadCode dialog(model, nullptr);
    EXPECT_TRUE(dialog.NewOption()->isChecked());
    EXPECT_FALSE(dialog.TemplateList()->isEnabled());
    const QString message = "No code template files found in folder '" + empty.path() + "/'";
    EXPECT_EQ(dialog.ProblemLabel()->text(), message);
    EXPECT_EQ(dialog.TemplateDescription()->text(), message);
    QTest::keyClicks(dialog.FileNameBox(), "/tmp/prog.bas");
    EXPECT_FALSE(dialog.OkButton()->isEnabled()); // a new program needs a template
    QTest::mouseClick(dialog.ExistingOption(), Qt::LeftButton);
    EXPECT_TRUE(dialog.OkButton()->isEnabled()); // a local path needs no item ID

    // A local file chosen: its whole path goes into the file name box.
    QTemporaryDir dir;
    chooser.Name = dir.filePath("chosen.bas");
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.FileNameBox()->text(), dir.filePath("chosen.bas"));
    EXPECT_EQ(dialog.ItemIdBox()->text(), "");
    EXPECT_EQ(model.ProgramDocumentName(), dir.filePath("chosen.bas"));
}

TEST(CodeDialogs, UpdateDialogAddsAndRemovesHandlers)
{
    TemplateFiles templates(GuiLib);
    CodeAnalysis analysis(templates);
    analysis.SetProjectText(
        DocumentStorage::ToMemoryForm(QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/examples/orders.gui"))));
    MemoryCodeDocument document;
    // One handler renamed: its label is now unused and the right one missing.
    document.Body = QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/examples/orders.bas"))
                        .replace("ORDERS.ORDER.CMDOK.CLICK:", "ORDERS.ORDER.CMDOLD.CLICK:");
    ScriptedPrompter prompter;
    int decoderWrites = 0;
    UpdateCodeModel model(&analysis, [&] { return &document; }, prompter,
                          [&](const QString &) { ++decoderWrites; });
    model.Refresh();
    IniSettings ini;
    frmUpdateCode dialog(model, &ini.settings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    EXPECT_EQ(dialog.windowTitle(), "Update Code");
    ASSERT_EQ(dialog.Tabs()->count(), 3);
    EXPECT_EQ(dialog.Tabs()->tabText(0), "Code sections");
    EXPECT_EQ(dialog.Tabs()->tabText(1), "Missing events");
    EXPECT_EQ(dialog.Tabs()->tabText(2), "Unused events");
    EXPECT_EQ(dialog.StructureLabel()->text(),
              "GUI support code for the header, event loop, trailer, dynamic event handler, "
              "custom event handler and error handler are present.");
    EXPECT_FALSE(dialog.StructureButton()->isEnabled());
    EXPECT_EQ(dialog.DecoderLabel()->text(), "GUI support code for the event decoder is present and up to date.");
    Grab(dialog, "update-sections");

    dialog.Tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_EQ(dialog.MissingList()->count(), 1);
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    Grab(dialog, "update-missing");
    QListWidgetItem *missing = dialog.MissingList()->item(0);
    const QRect where = dialog.MissingList()->visualItemRect(missing);
    // A double-click arrives after the first click's press and release.
    QTest::mouseClick(dialog.MissingList()->viewport(), Qt::LeftButton, {}, where.center());
    QTest::mouseDClick(dialog.MissingList()->viewport(), Qt::LeftButton, {}, where.center());
    EXPECT_EQ(dialog.MissingList()->count(), 0);
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
    EXPECT_TRUE(document.Body.contains("ORDERS.ORDER.CMDOK.CLICK:"));

    dialog.Tabs()->setCurrentIndex(2);
    ASSERT_EQ(dialog.UnusedList()->count(), 1);
    QTest::mouseClick(dialog.RemoveCheck(), Qt::LeftButton);
    EXPECT_TRUE(model.RemoveRebuildsDecoder);
    dialog.UnusedList()->setCurrentRow(0);
    dialog.UnusedList()->setFocus();
    QTest::keyClick(dialog.UnusedList(), Qt::Key_Delete, Qt::ShiftModifier); // not with Shift
    EXPECT_EQ(dialog.UnusedList()->count(), 1);
    QTest::keyClick(dialog.UnusedList(), Qt::Key_Delete);
    EXPECT_EQ(dialog.UnusedList()->count(), 0);
    EXPECT_FALSE(document.Body.contains("CMDOLD"));
    EXPECT_EQ(decoderWrites, 1);
    EXPECT_TRUE(prompter.Calls.empty());

    dialog.reject();
    EXPECT_NE(ini.settings.ReadInt("UpdateLeft", -1), -1);
}

TEST(CodeDialogs, DecoderQuestionAnswers)
{
    frmDecoderQuestion shown;
    EXPECT_EQ(shown.Button(0)->text(), "&Yes");
    EXPECT_EQ(shown.Button(3)->text(), "Neve&r");
    shown.show();
    Grab(shown, "decoder-question");
    shown.close();

    const struct {
        int button;
        int answer;
    } clicks[] = {{0, CodeDecoderQuestion::Yes}, {1, CodeDecoderQuestion::No},
                  {2, CodeDecoderQuestion::Always}, {3, CodeDecoderQuestion::Never}};
    for (const auto &c : clicks) {
        WhenModal<frmDecoderQuestion>([c](frmDecoderQuestion *d) {
            QTest::mouseClick(d->Button(c.button), Qt::LeftButton);
        });
        EXPECT_EQ(frmDecoderQuestion::Ask(nullptr), c.answer);
    }
    WhenModal<frmDecoderQuestion>([](frmDecoderQuestion *d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(frmDecoderQuestion::Ask(nullptr), CodeDecoderQuestion::No);
}
