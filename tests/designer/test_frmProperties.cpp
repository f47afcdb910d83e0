// The property sheet dialog is wired to its model: typing, ticking and choosing reach the
// object on confirm, refusals keep the sheet open on the offending field, Enter confirms and
// Escape or the close box cancels, and the sheet remembers where it was. Screenshots of the
// sheet are written when CORVANE_SHEET_SHOTS names a folder.
#include "EditStack.h"
#include "ModalDriver.h"
#include "ProgramFolder.h"

#include "LoaderTestSupport.h"
#include "app/PersistSettings.h"
#include "app/clsDesigner.h"
#include "app/clsDesignerSettings.h"
#include "designer/SheetCreateMode.h"
#include "designer/frmProperties.h"
#include "designer/ucListProps.h"
#include "model/ExtensionProfile.h"
#include "model/Vocabulary.h"
#include "support/GuiError.h"
#include "model/clsControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace LoaderText;
using namespace Vocabulary;

namespace {

struct Fixture : EditStack
{
    frmProperties sheet{designer, prompter};

    Fixture()
    {
        EXPECT_TRUE(designer.SetTemplate(Project(
            {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
             Create("A*F", 5), Create("A*F*Text1", 16, {}, "300", "150"),
             Create("A*F*Grid1", 27)},
            "1.4", "1")));
        prompter.Clear();
        sheet.SetEditCommands(&edit);
    }
    clsControl *Find(const QString &path) const { return items.Find(path); }
    frmProperties::Result New(int type, std::function<void(frmProperties *)> user,
                                 const QString &id = "New1")
    {
        WhenModal<frmProperties>(std::move(user));
        return sheet.ShowCreate(type, Find("A"), IsControl(type) || IsFormBar(type) ? Find("A*F") : nullptr,
                                id);
    }
    frmProperties::Result Modify(const QString &path, std::function<void(frmProperties *)> user)
    {
        WhenModal<frmProperties>(std::move(user));
        return sheet.ShowModify(path);
    }
};

void Choose(QComboBox *combo, const QString &text)
{
    ASSERT_TRUE(combo);
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

} // namespace

TEST(frmProperties, TextBoxCreateRefusesADuplicateAndModifyTakesOtherCaseAndAnotherStyle)
{
    Fixture f;
    bool stillOpen = false;
    auto r = f.New(16, [&](frmProperties *d) {
        EXPECT_EQ(d->ConfirmButton()->text(), "&Create");
        Retype(d->IdEdit(), "text1");
        QTest::keyClick(d->IdEdit(), Qt::Key_Return);
        stillOpen = d->isVisible();
        EXPECT_EQ(QApplication::focusWidget(), d->IdEdit());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(r.Confirmed);
    // The model's duplicate message, shown once.
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Exclamation);

    // The style choice changes the type.
    r = f.Modify("A*F*Text1", [](frmProperties *d) {
        EXPECT_EQ(d->ConfirmButton()->text(), "&Apply");
        EXPECT_EQ(d->IdEdit()->selectedText(), "Text1"); // the whole ID selected
        Choose(d->StyleCombo(), "Password");
        Retype(d->IdEdit(), "TEXT1");
        QTest::keyClick(d->IdEdit(), Qt::Key_Return);
    });
    EXPECT_TRUE(r.Confirmed);
    EXPECT_EQ(r.FullId, "A*F*TEXT1");
    EXPECT_EQ(f.Find("A*F*Text1")->ID(), "TEXT1");
    EXPECT_EQ(f.Find("A*F*Text1")->ObjType(), 29);
}

TEST(frmProperties, ColoursByNameAndDefaultFontAndEvents)
{
    Fixture f;
    clsControl *text = f.Find("A*F*Text1");
    f.Modify("A*F*Text1", [](frmProperties *d) {
        auto *combo = qobject_cast<QComboBox *>(d->FieldWidget(Prop::BackColor));
        ASSERT_TRUE(combo);
        EXPECT_GE(combo->findText("Standard Colors"), 0);
        EXPECT_GE(combo->findText("System Colors"), 0);
        EXPECT_GE(combo->findText("Custom Color >>"), 0);
        EXPECT_TRUE(d->UseDefaultBox(Prop::BackColor)->isChecked());
        Choose(combo, "Dark Red");
        EXPECT_FALSE(d->UseDefaultBox(Prop::BackColor)->isChecked());
        EXPECT_EQ(d->ColourDescription(Prop::BackColor)->text(),
                  "Dark Red (standard color) R=128 G=0 B=0");
        d->ChooseFont = [](QFont &font) {
            font = QFont("Courier New", 14);
            font.setItalic(true);
            return true;
        };
        d->FontButton()->click();
        d->EventBox(Event::Change)->click();
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(text->GetProperty(Prop::BackColor), "128");
    EXPECT_EQ(text->GetProperty(Prop::FontName), "Courier New");
    EXPECT_EQ(text->GetProperty(Prop::FontItalic), "1");
    EXPECT_TRUE(text->EventMask() & EventMaskBit(Event::Change));

    f.Modify("A*F*Text1", [](frmProperties *d) {
        EXPECT_EQ(d->FontSummary()->text(), "Courier New");
        d->UseDefaultBox(Prop::BackColor)->click();
        d->UseDefaultBox(Prop::FontName)->click();
        d->ConfirmButton()->click();
    });
    EXPECT_FALSE(text->IsNonDefault(Prop::BackColor));
    EXPECT_FALSE(text->IsNonDefault(Prop::FontName));
    // A custom colour comes from the colour chooser.
    f.Modify("A*F*Text1", [](frmProperties *d) {
        d->ChooseColour = [](qint32 &c) {
            c = 0x123456;
            return true;
        };
        Choose(qobject_cast<QComboBox *>(d->FieldWidget(Prop::ForeColor)), "Custom Color >>");
        EXPECT_EQ(d->ColourDescription(Prop::ForeColor)->text(), "custom color: R=86 G=52 B=18");
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(text->GetProperty(Prop::ForeColor), QString::number(0x123456));
}

TEST(frmProperties, BadNumbersKeepTheSheetOpenOnTheField)
{
    Fixture f;
    const float width = f.Find("A*F*Grid1")->Width();
    f.Modify("A*F*Grid1", [&](frmProperties *d) {
        QWidget *width = d->FieldWidget(Prop::Width);
        d->Pages()->setCurrentIndex(d->PageIndex(PropertySheetModel::Page::Colors));
        Retype(qobject_cast<QLineEdit *>(width), "wide");
        d->ConfirmButton()->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->Pages()->currentIndex(), d->PageIndex(PropertySheetModel::Page::General));
        EXPECT_EQ(QApplication::focusWidget(), width);
        d->reject();
    });
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_TRUE(f.prompter.Calls[0].Text.startsWith("Width "));
    EXPECT_EQ(f.Find("A*F*Grid1")->Width(), width);
}

TEST(frmProperties, GridSelectedCellTickAndPrivateExtensionPage)
{
    Fixture f;
    const QChar vm(0xF8FD);
    f.sheet.SetExtensionProfile(std::make_shared<ExtensionProfile>(ExtensionProfile::FromText(
        "[Extension]\nName=Site\nCaption=Site fields\n[Gridgx]\nFields=Code\n"
        "[Code]\nCaption=Code\nPos=2\n")));
    clsControl *grid = f.Find("A*F*Grid1");
    grid->SetProperty(Prop::Extension, QString("Site") + vm + "C" + vm + "old");
    f.Modify("A*F*Grid1", [&](frmProperties *d) {
        auto *tick = qobject_cast<QCheckBox *>(
            d->FieldWidget(PropertySheetModel::SelCellStyleCode));
        ASSERT_TRUE(tick);
        ASSERT_TRUE(d->FieldWidget(Prop::FocusStyle));
        EXPECT_TRUE(d->FieldWidget(Prop::FocusStyle)->isEnabled());
        tick->click();
        EXPECT_FALSE(d->FieldWidget(Prop::FocusStyle)->isEnabled());
        ASSERT_GE(d->PageIndex(PropertySheetModel::Page::Private), 0);
        EXPECT_EQ(d->Pages()->tabText(d->PageIndex(PropertySheetModel::Page::Private)),
                  "Private");
        QTableWidget *grid = d->PrivateGrid();
        ASSERT_TRUE(grid);
        ASSERT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(grid->item(0, 0)->text(), "Field 3");
        grid->item(0, 1)->setText("new");
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(grid->GetProperty(Prop::FocusStyle), "0");
    EXPECT_EQ(grid->Extension(), QString("Site") + vm + "C" + vm + "new");
}

TEST(frmProperties, AccessKeysHelpQuestionAndDragQuestions)
{
    Fixture f;
    f.Modify("A*F*Text1", [](frmProperties *d) {
        // Every labelled field has its access key; Alt+W reaches Width on the first page.
        QTest::keyClick(d, Qt::Key_W, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d->FieldWidget(Prop::Width));
        QTest::keyClick(d, Qt::Key_I, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d->IdEdit());
        // Tab runs from the ID over the style and the page tabs into the first page's fields.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->StyleCombo());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->FieldWidget(Prop::Left));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), d->CancelButton()); // the buttons end the round
        d->Pages()->setCurrentIndex(d->PageIndex(PropertySheetModel::Page::DragDrop));
        d->DragSourceBox()->click();
        EXPECT_TRUE(d->DragSourceBox()->isChecked());
        d->ConfirmButton()->click();
    });
    clsControl *text = f.Find("A*F*Text1");
    text->SetProperty(Prop::DragID, "CUST");
    f.prompter.Answers = {iPrompter::Answer::No};
    f.Modify("A*F*Text1", [](frmProperties *d) {
        d->Pages()->setCurrentIndex(d->PageIndex(PropertySheetModel::Page::DragDrop));
        d->DragSourceBox()->click(); // asks; No keeps the tick
        EXPECT_TRUE(d->DragSourceBox()->isChecked());
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(f.prompter.Calls.back().Text,
              "Are you sure you want to clear the Drag ID for this control?");
    EXPECT_EQ(text->GetProperty(Prop::DragID), "CUST");

    f.prompter.Answers = {iPrompter::Answer::Yes};
    f.Modify("A", [](frmProperties *d) {
        EXPECT_FALSE(d->EventBox(Event::Quit)->isEnabled()); // an MDI frame always reports it
        EXPECT_TRUE(d->EventBox(Event::Quit)->isChecked());
        Choose(qobject_cast<QComboBox *>(d->FieldWidget(Prop::HelpType)), "HTML Help Event");
        EXPECT_TRUE(d->EventBox(Event::Help)->isChecked());
        d->ConfirmButton()->click();
    });
    EXPECT_TRUE(f.Find("A")->EventMask() & EventMaskBit(Event::Help));
    EXPECT_EQ(f.Find("A")->GetProperty(Prop::HelpType), "1");
}

TEST(frmProperties, UnloadablePictureAndAnObjectRemovedMeanwhile)
{
    Fixture f;
    f.Modify("A*F", [](frmProperties *d) {
        d->ChooseFile = [](const QString &filter) {
            EXPECT_TRUE(filter.startsWith("All Picture Files"));
            return QStringLiteral("/nonexistent/picture.bmp");
        };
        d->Pages()->setCurrentIndex(d->PageIndex(PropertySheetModel::Page::Picture));
        auto *browse = d->Pages()->currentWidget()->findChild<QPushButton *>(
            QString(), Qt::FindChildrenRecursively);
        ASSERT_TRUE(browse);
        browse->click();
        EXPECT_EQ(qobject_cast<QLineEdit *>(d->FieldWidget(Prop::Picture))->text(), "");
        d->reject();
    });
    ASSERT_FALSE(f.prompter.Calls.empty());
    EXPECT_EQ(f.prompter.Calls[0].Text,
              "The picture \"/nonexistent/picture.bmp\" cannot be loaded.");

    // The object goes away while the sheet is open: reported, nothing else changed.
    f.prompter.Clear();
    auto r = f.Modify("A*F*Text1", [&](frmProperties *d) {
        Retype(qobject_cast<QLineEdit *>(d->FieldWidget(Prop::Hint)), "tip");
        f.designer.RemoveControl("A*F*Text1");
        d->ConfirmButton()->click();
    });
    EXPECT_FALSE(r.Confirmed);
    ASSERT_EQ(f.prompter.ReportTexts().size(), 1u);
    EXPECT_TRUE(f.prompter.ReportTexts()[0].contains("<frmProperties ShowModify>"));
}

TEST(frmProperties, CloseBoxCancelsAndThePositionIsKept)
{
    Fixture f;
    ProgramFolder folder;
    modPersistSettings persist(folder.dir.path() + "/");
    clsDesignerSettings settings(&persist);
    f.sheet.SetSettings(&settings);
    auto r = f.Modify("A*F*Text1", [](frmProperties *d) {
        Retype(d->IdEdit(), "Other");
        d->move(140, 90);
        d->close();
    });
    EXPECT_FALSE(r.Confirmed);
    EXPECT_TRUE(f.Find("A*F*Text1"));
    EXPECT_EQ(settings.ReadInt("PropertiesLeft", -1), f.sheet.x() * 15);
    EXPECT_EQ(settings.ReadInt("PropertiesTop", -1), f.sheet.y() * 15);
    // A second sheet opens where the first was left.
    frmProperties second(f.designer, f.prompter);
    second.SetSettings(&settings);
    WhenModal<frmProperties>([&](frmProperties *d) {
        EXPECT_EQ(d->pos(), f.sheet.pos());
        d->reject();
    });
    second.ShowModify("A*F*Text1");
    // Nothing happens for an empty or unknown ID.
    EXPECT_FALSE(f.sheet.ShowModify(QString()).Confirmed);
    EXPECT_FALSE(f.sheet.ShowModify("A*F*Nothing").Confirmed);
}

// Every kind is created through the edit commands by Enter on the sheet, without a message
// (that the objects made with the defaults load back identical is the sheet model's test).
TEST(frmProperties, EveryKindIsCreatedThroughTheEditCommandsByEnter)
{
    Fixture f;
    SheetCreateMode createMode(f.sheet);
    f.edit.SetCreateMode(&createMode);
    f.designer.SetCurrentItem(f.Find("A*F"));
    const char *kinds[] = {"Label", "Text", "Command", "Option", "Check", "List", "Combo",
                           "Picture", "Frame", "Grid", "Tabgroup", "Gauge", "Tree", "Timer",
                           "Browser", "Popup", "Toolbar", "Statusbar", "Menu", "Form"};
    for (const char *kind : kinds) {
        SCOPED_TRACE(kind);
        f.designer.SetCurrentItem(f.Find("A*F"));
        WhenModal<frmProperties>([](frmProperties *d) {
            QTest::keyClick(d->IdEdit(), Qt::Key_Return);
        });
        EXPECT_TRUE(f.edit.CreateNewItem(kind));
    }
    EXPECT_TRUE(f.prompter.Calls.empty()) << f.prompter.Calls[0].Text.toStdString();
    EXPECT_TRUE(f.Find("A*F*Label1"));
    EXPECT_TRUE(f.Find("A*Form1"));
}

TEST(frmProperties, Screenshots)
{
    const QString folder = qEnvironmentVariable("CORVANE_SHEET_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set CORVANE_SHEET_SHOTS to a folder to write screenshots";
    Fixture f;
    // A project that looks like one a developer would have.
    ASSERT_TRUE(f.designer.SetTemplate(Project(
        {Record({"2", "SALES", "", "0", "0", "0", "100", "40", "1073741825"}),
         LoaderText::Prop(22, "Sales Orders"), LoaderText::Prop(42, "Order desk"), LoaderText::Prop(41, "Order entry and lookup"),
         Create("SALES*ORDERS", 5), LoaderText::Prop(22, "Orders"),
         Create("SALES*ORDERS*CUSTNAME", 16, {}, "12", "2"), LoaderText::Prop(4, "30"), LoaderText::Prop(5, "1"),
         LoaderText::Prop(49, "The customer's name as it appears on the invoice"), LoaderText::Prop(51, "40"),
         LoaderText::Prop(54, "1"), LoaderText::Prop(15, "&H800000"),
         Create("SALES*ORDERS*LINES", 28, {}, "2", "5"), LoaderText::Prop(4, "60"), LoaderText::Prop(5, "12"),
         LoaderText::Prop(99, "1152")},
        "1.4", "0")));
    QDir().mkpath(folder);
    auto shoot = [&](const QString &path, const QString &name, PropertySheetModel::Page page) {
        f.Modify(path, [&](frmProperties *d) {
            d->Pages()->setCurrentIndex(d->PageIndex(page));
            d->grab().save(folder + "/" + name + ".png");
            d->reject();
        });
    };
    shoot("SALES", "sheet-application", PropertySheetModel::Page::Application);
    shoot("SALES*ORDERS", "sheet-form", PropertySheetModel::Page::General);
    shoot("SALES*ORDERS*CUSTNAME", "sheet-textbox", PropertySheetModel::Page::General);
    shoot("SALES*ORDERS*CUSTNAME", "sheet-textbox-colors", PropertySheetModel::Page::Colors);
    shoot("SALES*ORDERS*LINES", "sheet-grid", PropertySheetModel::Page::Traits);
    shoot("SALES*ORDERS*LINES", "sheet-grid-general", PropertySheetModel::Page::General);
    shoot("SALES*ORDERS*LINES", "sheet-grid-events", PropertySheetModel::Page::Events);
    shoot("SALES*ORDERS*LINES", "sheet-grid-colors", PropertySheetModel::Page::Colors);
    f.sheet.SetExtensionProfile(std::make_shared<ExtensionProfile>(ExtensionProfile::FromText(
        "[Extension]\nName=Site\nCaption=Site fields\n[gxAny]\nFields=Dept\n"
        "[Dept]\nCaption=Department\nPos=2\n")));
    shoot("SALES*ORDERS*LINES", "sheet-grid-private", PropertySheetModel::Page::Private);
    f.sheet.SetExtensionProfile(nullptr);
    shoot("SALES*ORDERS", "sheet-form-icon", PropertySheetModel::Page::Icon);
    shoot("SALES*ORDERS*CUSTNAME", "sheet-textbox-font", PropertySheetModel::Page::Font);
    shoot("SALES*ORDERS*CUSTNAME", "sheet-textbox-dragdrop", PropertySheetModel::Page::DragDrop);
    shoot("SALES*ORDERS*CUSTNAME", "sheet-textbox-picture", PropertySheetModel::Page::Picture);
    for (int i = 0; i < 3; ++i)
        f.Modify("SALES*ORDERS*LINES", [&](frmProperties *d) {
            d->Pages()->setCurrentIndex(d->PageIndex(PropertySheetModel::Page::List));
            auto *list = dynamic_cast<ucListProps *>(d->ContentEditor(PropertySheetModel::Page::List));
            ASSERT_TRUE(list);
            list->Pages()->setCurrentIndex(i);
            d->grab().save(folder + QStringLiteral("/sheet-grid-list%1.png").arg(i));
            d->reject();
        });
}

TEST(frmProperties, ListEditorUsesTheApplicationsScaleAndStoresTheDefaultRow)
{
    Fixture f;
    f.Find("A")->SetProperty(Prop::Scale, "5");
    f.Find("A*F*Grid1")->SetProperty(Prop::Rows, "3");
    f.Modify("A*F*Grid1", [&](frmProperties *d) {
        auto *list = dynamic_cast<ucListProps *>(d->ContentEditor(PropertySheetModel::Page::List));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->ScaleMode(), 5);
        list->ItemsGrid()->setCurrentCell(1, 0);
        list->DefaultRowField()->setChecked(true);
        EXPECT_EQ(list->DefaultRow(), 2);
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(f.Find("A*F*Grid1")->GetProperty(31), "2");
    // Unticked again, the stored row is replaced by none.
    f.Modify("A*F*Grid1", [&](frmProperties *d) {
        auto *list = dynamic_cast<ucListProps *>(d->ContentEditor(PropertySheetModel::Page::List));
        ASSERT_TRUE(list);
        list->ItemsGrid()->setCurrentCell(1, 0);
        EXPECT_TRUE(list->DefaultRowField()->isChecked());
        list->DefaultRowField()->setChecked(false);
        d->ConfirmButton()->click();
    });
    EXPECT_EQ(f.Find("A*F*Grid1")->GetProperty(31).toInt(), 0);
    EXPECT_TRUE(f.prompter.Calls.empty());
    // A new grid measures in the same unit.
    f.New(27, [&](frmProperties *d) {
        auto *list = dynamic_cast<ucListProps *>(d->ContentEditor(PropertySheetModel::Page::List));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->ScaleMode(), 5);
        d->reject();
    }, "Grid2");
}

// A new command button's caption field shows its ID, follows the ID while the user types it,
// and is what the button stores.
TEST(frmProperties, ANewButtonIsCaptionedWithTheIdTypedForIt)
{
    Fixture f;
    auto r = f.New(18, [](frmProperties *d) {
        auto *caption = qobject_cast<QLineEdit *>(d->FieldWidget(Prop::Caption));
        ASSERT_TRUE(caption);
        EXPECT_EQ(caption->text(), "Command1");
        EXPECT_FALSE(caption->font().italic()); // the user's entry, not a default
        Retype(d->IdEdit(), "cmdOK");
        EXPECT_EQ(caption->text(), "cmdOK");
        QTest::mouseClick(d->ConfirmButton(), Qt::LeftButton);
    }, "Command1");
    ASSERT_TRUE(r.Confirmed);
    EXPECT_EQ(f.Find("A*F*cmdOK")->GetProperty(Prop::Caption), "cmdOK");
}
