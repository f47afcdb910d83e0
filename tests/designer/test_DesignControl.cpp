// DesignControl: every instance kind answers exactly what the core set (never values read
// back from its widget), shows it on the widget in pixels, and takes no focus on a design form.
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"
#include "designer/DesignGrid.h"
#include "designer/DesignListBox.h"

#include "controls/GridControl.h"
#include "controls/ListBox.h"
#include "controls/OptionGroup.h"
#include "controls/TabGroup.h"
#include "controls/TextBox.h"
#include "controls/ucFakeMenu.h"
#include "controls/ucImage.h"
#include "controls/ucProgressBar.h"
#include "controls/ucTreeview.h"
#include "model/Vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vocabulary;

namespace {

const int AllKinds[] = {Type::AppMdi, Type::FormSizable, Type::Label, Type::Text,
                        Type::TextMultiLine, Type::TextPassword, Type::Command, Type::Option,
                        Type::Check, Type::List, Type::ListMulti, Type::ListCheck, Type::Combo,
                        Type::DropDownList, Type::Picture, Type::Frame, Type::GridProtected,
                        Type::GridEditable, Type::Tabgroup, Type::Tab, Type::Gauge, Type::Tree,
                        Type::Timer, Type::Browser, Type::Menu, Type::Popup, Type::Toolbar,
                        Type::Statusbar, Type::BorderFrame};

} // namespace

TEST(DesignControl, EveryKindAnswersWhatWasSetNotWhatItsWidgetHolds)
{
    QWidget form;
    form.resize(400, 300);
    // A hidden container: its children report themselves invisible to Qt.
    form.hide();
    for (int kind : AllKinds) {
        SCOPED_TRACE(kind);
        auto control = CreateDesignControl(kind, &form);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->Kind(), kind);
        EXPECT_EQ(DesignControl::Of(control->Widget()), control.get());

        // 100 twips is 6.67 pixels: a widget holding pixels would answer 105.
        control->Move(100, -10000, 1010, 499);
        EXPECT_EQ(control->Left(), 100);
        EXPECT_EQ(control->Top(), -10000);
        EXPECT_EQ(control->Width(), 1010);
        EXPECT_EQ(control->Height(), 499);
        // The timer's icon stays where the design form puts it (its task-bar strip).
        if (kind != Type::Timer) {
            EXPECT_EQ(control->Widget()->pos(), QPoint(7, -667));
            EXPECT_EQ(control->Widget()->size(), QSize(67, 33));
        } else {
            EXPECT_EQ(control->Widget()->pos(), QPoint(0, 0));
        }

        control->SetVisible(true);
        EXPECT_TRUE(control->IsVisible());
        EXPECT_FALSE(control->Widget()->isVisible());
        control->SetTag(QStringLiteral("APP*F1*C1"));
        EXPECT_EQ(control->Tag(), QStringLiteral("APP*F1*C1"));
        control->SetTabIndex(32767);
        EXPECT_EQ(control->TabIndex(), 32767);

        const DesignFont font{QStringLiteral("No Such Font Family"), 13.5, true, false, true};
        control->SetFont(font);
        EXPECT_EQ(control->Font(), font);
        control->SetForeColor(qint32(0x80000012));
        control->SetBackColor(0x00123456);
        EXPECT_EQ(control->ForeColor(), qint32(0x80000012));
        EXPECT_EQ(control->BackColor(), 0x00123456);
        control->SetBorder(2);
        EXPECT_EQ(control->Border(), 2);

        control->SetText(QStringLiteral("first\nsecond"));
        EXPECT_EQ(control->Text(), QStringLiteral("first\nsecond"));
        control->SetMultiLine(true);
        control->SetPasswordChar(QStringLiteral("*"));
        EXPECT_TRUE(control->IsMultiLine());
        EXPECT_EQ(control->PasswordChar(), QStringLiteral("*"));
        const QStringList rows{QStringLiteral("a\tb"), QStringLiteral("c\td")};
        control->SetListRows(rows);
        EXPECT_EQ(control->ListRows(), rows);
        control->SetGridSize(2, 3);
        control->SetGridEditable(true);
        EXPECT_TRUE(control->IsGridEditable());
        control->SetCellText(2, 3, QStringLiteral("cell"));
        control->SetCellText(3, 1, QStringLiteral("outside"));
        EXPECT_EQ(control->CellText(2, 3), QStringLiteral("cell"));
        EXPECT_EQ(control->CellText(3, 1), QString());
        EXPECT_EQ(control->HasFont(), !(kind == Type::Picture || kind == Type::Timer
                                        || kind == Type::Browser || IsFormBar(kind)
                                        || kind == Type::BorderFrame));
    }
    EXPECT_FALSE(CreateDesignControl(Type::SelectionSizer, &form));
    EXPECT_FALSE(CreateDesignControl(12345, &form));
}

TEST(DesignControl, ContainerTakesTheWidgetAndKeepsItsVisibility)
{
    QWidget form;
    auto surface = CreateDesignControl(Type::FormSizable, &form);
    auto frame = CreateDesignControl(Type::Frame, &form);
    frame->SetContainer(surface.get());
    EXPECT_EQ(frame->Widget()->parentWidget(), surface->ChildArea());
    auto label = CreateDesignControl(Type::Label, &form);
    label->SetVisible(true);
    label->SetContainer(frame.get());
    EXPECT_EQ(label->Container(), frame.get());
    EXPECT_EQ(label->Widget()->parentWidget(), frame->ChildArea());
    EXPECT_FALSE(label->Widget()->isHidden());
    // A container the adapter does not know leaves the widget where it is.
    label->SetContainer(nullptr);
    EXPECT_EQ(label->Container(), nullptr);
    EXPECT_EQ(label->Widget()->parentWidget(), frame->ChildArea());
    // A click on a part of the label belongs to the label, not to the frame.
    EXPECT_EQ(DesignControl::Of(label->Widget()), label.get());

    // A container returned before its contents leaves them on the form, not deleted.
    frame.reset();
    ASSERT_TRUE(label->Widget());
    EXPECT_EQ(label->Widget()->parentWidget(), surface->ChildArea());
    label->SetText(QStringLiteral("still here"));
}

TEST(DesignControl, DesignModeTakesNoFocusAndEditsNothing)
{
    QWidget form;
    for (int kind : AllKinds) {
        SCOPED_TRACE(kind);
        auto control = CreateDesignControl(kind, &form);
        control->SetListRows({QStringLiteral("one"), QStringLiteral("two")});
        control->SetTabs({QStringLiteral("A"), QStringLiteral("B")});
        control->SetBarItems({DesignBarItem{}});
        control->SetGridSize(2, 2);
        control->SetGridEditable(true);
        QList<QWidget *> widgets = control->Widget()->findChildren<QWidget *>();
        widgets.prepend(control->Widget());
        for (QWidget *w : widgets)
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->metaObject()->className();
        if (auto *view = qobject_cast<QAbstractItemView *>(control->Widget()))
            EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    auto text = CreateDesignControl(Type::Text, &form);
    auto *box = qobject_cast<TextBox *>(text->Widget());
    EXPECT_TRUE(box->LineEdit()->isReadOnly());
    text->SetDesignMode(false);
    EXPECT_FALSE(box->LineEdit()->isReadOnly());
    EXPECT_EQ(box->LineEdit()->focusPolicy(), QLineEdit().focusPolicy());
    // Out of design mode each widget gets back its own policy, not one for all.
    auto label = CreateDesignControl(Type::Label, &form);
    auto command = CreateDesignControl(Type::Command, &form);
    label->SetDesignMode(false);
    command->SetDesignMode(false);
    EXPECT_EQ(label->Widget()->focusPolicy(), QLabel().focusPolicy());
    EXPECT_EQ(command->Widget()->focusPolicy(), QPushButton().focusPolicy());
    command->SetDesignMode(true);
    EXPECT_EQ(command->Widget()->focusPolicy(), Qt::NoFocus);
    auto grid = CreateDesignControl(Type::GridEditable, &form);
    grid->SetGridEditable(true);
    EXPECT_FALSE(qobject_cast<DesignGrid *>(grid->Widget())->IsEditable());
    grid->SetDesignMode(false);
    EXPECT_TRUE(qobject_cast<DesignGrid *>(grid->Widget())->IsEditable());
    // The heading row can be switched off and on again.
    grid->SetHeadingRowVisible(false);
    EXPECT_FALSE(qobject_cast<DesignGrid *>(grid->Widget())->HeadingRowVisible());
    grid->SetHeadingRowVisible(true);
    EXPECT_TRUE(qobject_cast<DesignGrid *>(grid->Widget())->HeadingRowVisible());
}

TEST(DesignControl, WidgetsShowWhatWasSet)
{
    QWidget form;
    auto label = CreateDesignControl(Type::Label, &form);
    label->SetText(QStringLiteral("Name:"));
    EXPECT_EQ(qobject_cast<QLabel *>(label->Widget())->text(), QStringLiteral("Name:"));

    auto text = CreateDesignControl(Type::Text, &form);
    auto *box = qobject_cast<TextBox *>(text->Widget());
    text->SetText(QStringLiteral("one\ntwo"));
    EXPECT_EQ(box->LineEdit()->text(), QStringLiteral("one"));
    text->SetMultiLine(true);
    EXPECT_EQ(box->TextEdit()->toPlainText(), QStringLiteral("one\ntwo"));
    text->SetMultiLine(false);
    EXPECT_EQ(box->LineEdit()->text(), QStringLiteral("one"));
    text->SetMultiLine(true);
    EXPECT_EQ(box->TextEdit()->toPlainText(), QStringLiteral("one\ntwo"));
    text->SetMultiLine(false);
    text->SetPasswordChar(QStringLiteral("*"));
    EXPECT_EQ(box->LineEdit()->echoMode(), QLineEdit::Password);

    auto check = CreateDesignControl(Type::Check, &form);
    check->SetValue(QStringLiteral("1"));
    EXPECT_EQ(qobject_cast<QCheckBox *>(check->Widget())->checkState(), Qt::Checked);
    check->SetValue(QStringLiteral("0"));
    EXPECT_EQ(qobject_cast<QCheckBox *>(check->Widget())->checkState(), Qt::Unchecked);

    auto options = CreateDesignControl(Type::Option, &form);
    options->SetValue(QStringLiteral("2"));
    options->SetListRows({QStringLiteral("Red"), QStringLiteral("Green\tG")});
    auto *group = qobject_cast<OptionGroup *>(options->Widget());
    EXPECT_EQ(group->Captions(), (QStringList{QStringLiteral("Red"), QStringLiteral("Green")}));
    EXPECT_EQ(group->Selected(), 2);
    options->SetValue(QStringLiteral("Red"));
    EXPECT_EQ(group->Selected(), 1);
    options->SetValue(QString());
    EXPECT_EQ(group->Selected(), 0);

    auto list = CreateDesignControl(Type::ListCheck, &form);
    list->SetColumnHeadings({QStringLiteral("Code"), QStringLiteral("Name")});
    list->SetColumnWidths({600, 1500});
    list->SetListRows({QStringLiteral("A\tAlpha"), QStringLiteral("B\tBeta")});
    list->SetCheckBoxes(true);
    list->SetMultiSelect(true);
    auto *listBox = qobject_cast<DesignListBox *>(list->Widget());
    EXPECT_EQ(listBox->Rows(), list->ListRows());
    // What it draws.
    const ListBox &drawn = listBox->Drawn();
    EXPECT_EQ(drawn.topLevelItem(1)->text(1), QStringLiteral("Beta"));
    EXPECT_EQ(drawn.topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(drawn.columnWidth(0), 40);
    EXPECT_FALSE(drawn.isHeaderHidden());
    EXPECT_EQ(drawn.selectionMode(), QAbstractItemView::ExtendedSelection);

    auto combo = CreateDesignControl(Type::DropDownList, &form);
    combo->SetListRows({QStringLiteral("x\t1"), QStringLiteral("y\t2")});
    combo->SetText(QStringLiteral("y"));
    EXPECT_EQ(qobject_cast<QComboBox *>(combo->Widget())->currentText(), QStringLiteral("y"));

    auto grid = CreateDesignControl(Type::GridProtected, &form);
    grid->SetColumnHeadings({QStringLiteral("Qty"), QStringLiteral("Item")});
    grid->SetGridSize(3, 2);
    grid->SetCellText(3, 2, QStringLiteral("Bolt"));
    auto *table = qobject_cast<DesignGrid *>(grid->Widget());
    EXPECT_EQ(table->Drawn().rowCount(), 3);
    EXPECT_EQ(table->Drawn().Cell(2, 1), QStringLiteral("Bolt"));
    EXPECT_EQ(table->Drawn().horizontalHeaderItem(1)->text(), QStringLiteral("Item"));

    // A huge grid keeps every cell it is given but shows a bounded table.
    grid->SetGridSize(5000000, 4);
    grid->SetCellText(5000000, 4, QStringLiteral("last"));
    EXPECT_EQ(grid->CellText(5000000, 4), QStringLiteral("last"));
    EXPECT_EQ(grid->CellText(3, 2), QStringLiteral("Bolt"));
    EXPECT_LE(table->Drawn().rowCount(), 5000);
    grid->SetGridSize(2, 2);
    EXPECT_EQ(grid->CellText(3, 2), QString());
    grid->SetGridSize(3, 2);
    EXPECT_EQ(grid->CellText(3, 2), QString());

    auto tabs = CreateDesignControl(Type::Tabgroup, &form);
    tabs->SetCurrentTab(2);
    tabs->SetTabs({QStringLiteral("General"), QStringLiteral("Address")});
    auto *tabGroup = qobject_cast<TabGroup *>(tabs->Widget());
    EXPECT_EQ(tabGroup->Tabs(), tabs->Tabs());
    EXPECT_EQ(tabGroup->CurrentTab(), 2);

    // Auto resize at design time shows the picture in its natural size in the stored area.
    auto picture = CreateDesignControl(Type::Picture, &form);
    picture->Move(0, 0, 1500, 1500);
    picture->SetPictureScale(3);
    EXPECT_EQ(picture->PictureScale(), 3);
    EXPECT_EQ(picture->Widget()->size(), QSize(100, 100));
    picture->SetPictureScale(1);
    EXPECT_EQ(qobject_cast<ucImage *>(picture->Widget())->ImageScale(), 1);

    auto gauge = CreateDesignControl(Type::Gauge, &form);
    gauge->SetValue(QStringLiteral("40"));
    EXPECT_EQ(qobject_cast<ucProgressBar *>(gauge->Widget())->FilledWidth(100), 40);
    gauge->SetValue(QStringLiteral("lots"));
    EXPECT_EQ(qobject_cast<ucProgressBar *>(gauge->Widget())->FilledWidth(100), 0);

    auto tree = CreateDesignControl(Type::Tree, &form);
    tree->SetTreeNodes({{QStringLiteral("N1"), 1, QStringLiteral("Root"), {}, 1, {}},
                        {QStringLiteral("N2"), 2, QStringLiteral("Child"), {}, 4, {}},
                        // A level skipped hangs the node one level down.
                        {QStringLiteral("N3"), 4, QStringLiteral("Deep"), {}, 0, {}},
                        {QStringLiteral("N4"), 1, QStringLiteral("Second"), {}, 0, {}}});
    auto *treeView = qobject_cast<ucTreeview *>(tree->Widget());
    EXPECT_EQ(treeView->topLevelItemCount(), 2);
    EXPECT_TRUE(treeView->Find(QStringLiteral("N1"))->isExpanded());
    EXPECT_EQ(treeView->Find(QStringLiteral("N2"))->checkState(0), Qt::Checked);
    EXPECT_EQ(treeView->Find(QStringLiteral("N3"))->parent(), treeView->Find(QStringLiteral("N2")));
}

TEST(DesignControl, IconsOfTreeNodesAndToolsComeThroughThePictureResolver)
{
    QTemporaryDir dir;
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("node.png"))));
    QWidget form;
    QStringList asked;
    const auto resolver = [&](const QString &name) {
        asked << name;
        return dir.filePath(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
    };

    auto tree = CreateDesignControl(Type::Tree, &form);
    tree->SetPictureResolver(resolver);
    tree->SetTreeNodes({{QStringLiteral("A"), 1, QStringLiteral("A"), QStringLiteral("node.png"), 0, {}},
                        {QStringLiteral("B"), 1, QStringLiteral("B"), QStringLiteral("node.png"), 0, {}},
                        {QStringLiteral("C"), 1, QStringLiteral("C"), QStringLiteral("gone.png"), 0, {}}});
    auto *view = qobject_cast<ucTreeview *>(tree->Widget());
    EXPECT_FALSE(view->Find(QStringLiteral("A"))->icon(0).isNull());
    EXPECT_TRUE(view->Find(QStringLiteral("C"))->icon(0).isNull());
    // One load per picture name, however many nodes show it.
    EXPECT_EQ(asked, (QStringList{QStringLiteral("node.png"), QStringLiteral("gone.png")}));

    auto tools = CreateDesignControl(Type::Toolbar, &form);
    tools->SetPictureResolver(resolver);
    DesignBarItem pictured{DesignBarItem::Button, QStringLiteral("SAVE"), 1, QString()};
    pictured.Icon = QStringLiteral("node.png");
    DesignBarItem plain{DesignBarItem::Button, QStringLiteral("PRINT"), 1, QString()};
    tools->SetBarItems({pictured, plain});
    auto *band = qobject_cast<ucFakeMenu *>(tools->Widget());
    EXPECT_EQ(band->ButtonCaption(1), QString());
    EXPECT_FALSE(band->Button(1)->icon().isNull());
    EXPECT_EQ(band->ButtonCaption(2), QStringLiteral("PRINT"));
}

TEST(DesignControl, BarsShowTheirButtonsPanelsAndMenuTitles)
{
    QWidget form;
    form.resize(600, 300);
    auto menu = CreateDesignControl(Type::Menu, &form);
    DesignBarItem file{DesignBarItem::SubMenu, QStringLiteral("FILE"), 1, QStringLiteral("&File")};
    DesignBarItem open{DesignBarItem::Command, QStringLiteral("OPEN"), 2, QStringLiteral("&Open")};
    DesignBarItem help{DesignBarItem::SubMenu, QStringLiteral("HELP"), 1, QStringLiteral("&Help")};
    help.Enabled = false;
    menu->SetBarItems({file, open, help});
    auto *band = qobject_cast<ucFakeMenu *>(menu->Widget());
    ASSERT_EQ(band->ButtonCount(), 2);
    EXPECT_EQ(band->ButtonID(1), QStringLiteral("FILE"));
    EXPECT_EQ(band->ButtonCaption(2), QStringLiteral("&Help"));
    EXPECT_FALSE(band->ButtonEnabled(2));

    auto status = CreateDesignControl(Type::Statusbar, &form);
    DesignBarItem fixed{DesignBarItem::TextPanel, QStringLiteral("P1"), 1, QStringLiteral("Ready")};
    fixed.PanelWidth = 1500;
    DesignBarItem spring{DesignBarItem::TextPanel, QStringLiteral("P2"), 1, QString()};
    spring.PanelWidth = -1;
    DesignBarItem caps{DesignBarItem::AutoPanel, QStringLiteral("P3"), 1, QString()};
    caps.PanelKeyword = QStringLiteral("CAPS");
    status->SetBarItems({fixed, spring, caps});
    status->Move(0, 0, 9000, 330);
    status->SetVisible(true);
    form.show();
    auto *panels = qobject_cast<ucFakeMenu *>(status->Widget());
    ASSERT_EQ(panels->ButtonCount(), 3);
    EXPECT_EQ(panels->Button(1)->width(), 100);
    EXPECT_EQ(panels->ButtonCaption(3), QStringLiteral("CAPS"));
    // The spring takes what the others leave: the three fill the band.
    const int inner = panels->contentsRect().width();
    EXPECT_EQ(panels->Button(1)->width() + panels->Button(2)->width() + panels->Button(3)->width(),
              inner);
}

namespace {
// Counts the mouse presses that reach it from any widget.
class PressCounter : public QObject
{
public:
    int Presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            ++Presses;
            return true;
        }
        return false;
    }
};
} // namespace

TEST(DesignControl, TheInputFilterSeesPressesOnEveryPartAlsoPartsMadeLater)
{
    QWidget form;
    form.resize(400, 300);
    PressCounter counter;
    auto options = CreateDesignControl(Type::Option, &form);
    options->Move(0, 0, 3000, 2000);
    options->SetVisible(true);
    options->SetInputFilter(&counter);
    options->SetListRows({QStringLiteral("One"), QStringLiteral("Two")});
    form.show();
    auto *group = qobject_cast<OptionGroup *>(options->Widget());
    QRadioButton *two = group->Buttons().at(1);
    QTest::mouseClick(two, Qt::LeftButton);
    EXPECT_EQ(counter.Presses, 1);
    // The filter swallowed the press: the design form decides, the button stays off.
    EXPECT_FALSE(two->isChecked());

    auto text = CreateDesignControl(Type::Text, &form);
    text->SetInputFilter(&counter);
    text->SetMultiLine(true);
    QTest::mouseClick(qobject_cast<TextBox *>(text->Widget())->TextEdit()->viewport(), Qt::LeftButton);
    EXPECT_EQ(counter.Presses, 2);
    // A box of several lines from the start has no one-line editor until it is made one line.
    auto notes = CreateDesignControl(Type::TextMultiLine, &form);
    notes->SetInputFilter(&counter);
    auto *notesBox = qobject_cast<TextBox *>(notes->Widget());
    EXPECT_EQ(notesBox->findChild<QLineEdit *>(), nullptr);
    notes->SetMultiLine(false);
    notes->Widget()->resize(120, 24);
    QTest::mouseClick(notesBox->LineEdit(), Qt::LeftButton);
    EXPECT_EQ(counter.Presses, 3);
    EXPECT_EQ(notesBox->LineEdit()->focusPolicy(), Qt::NoFocus);

    options->SetInputFilter(nullptr);
    QTest::mouseClick(two, Qt::LeftButton);
    EXPECT_EQ(counter.Presses, 3);
}

TEST(DesignControl, ColoursReachEachWidgetAloneAlsoWhenManyShareThem)
{
    // Colour codes hold blue in the high byte: 0x0000FF is red.
    const QColor red(255, 0, 0), white(255, 255, 255), blue(0, 0, 255);
    QWidget form;
    std::vector<std::unique_ptr<DesignControl>> labels;
    for (int i = 0; i < 3; ++i) {
        labels.push_back(CreateDesignControl(Type::Label, &form));
        labels.back()->SetForeColor(0x0000FF);
        labels.back()->SetBackColor(0xFFFFFF);
    }
    auto button = CreateDesignControl(Type::Command, &form);
    button->SetForeColor(0x0000FF);
    button->SetBackColor(0xFFFFFF);

    // A widget that already set a role of its own keeps it under the colours.
    auto own = CreateDesignControl(Type::Label, &form);
    QPalette highlighted = own->Widget()->palette();
    highlighted.setColor(QPalette::Highlight, Qt::green);
    own->Widget()->setPalette(highlighted);
    own->SetForeColor(0x0000FF);
    own->SetBackColor(0xFFFFFF);

    labels[1]->SetBackColor(0xFF0000);
    for (const auto *control : {labels[0].get(), labels[2].get(), button.get(), own.get()}) {
        const QPalette palette = control->Widget()->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            EXPECT_EQ(palette.color(group, QPalette::WindowText), red);
            EXPECT_EQ(palette.color(group, QPalette::ButtonText), red);
            EXPECT_EQ(palette.color(group, QPalette::Window), white);
            EXPECT_EQ(palette.color(group, QPalette::Button), white);
        }
        EXPECT_TRUE(control->Widget()->autoFillBackground());
    }
    EXPECT_EQ(labels[1]->Widget()->palette().color(QPalette::Window), blue);
    EXPECT_EQ(labels[1]->Widget()->palette().color(QPalette::WindowText), red);
    EXPECT_EQ(own->Widget()->palette().color(QPalette::Highlight), QColor(Qt::green));
    EXPECT_NE(labels[0]->Widget()->palette().color(QPalette::Highlight), QColor(Qt::green));

    // Borders still change both ways after the frame was left alone once.
    labels[0]->SetBorder(0);
    labels[0]->SetBorder(1);
    EXPECT_EQ(qobject_cast<QFrame *>(labels[0]->Widget())->frameStyle(), QFrame::Box | QFrame::Plain);
    labels[0]->SetBorder(1);
    labels[0]->SetBorder(0);
    EXPECT_EQ(qobject_cast<QFrame *>(labels[0]->Widget())->frameStyle(), QFrame::NoFrame);
}

// Held settings: the getters answer at once, whoever reaches the widget finds it complete,
// the last value of each setting wins, and once applied every setting shows at once again.
TEST(DesignControl, HeldFontColoursAndCaptionReachTheWidgetComplete)
{
    QWidget form;
    for (int kind : {Type::Label, Type::Command, Type::Check, Type::Frame, Type::Text}) {
        SCOPED_TRACE(kind);
        auto control = CreateDesignControl(kind, &form);
        // Kept aside before holding: reading it later must not apply anything.
        QWidget *widget = control->Widget();
        control->HoldSettings();
        control->SetText(QStringLiteral("ID1"));
        control->SetText(QStringLiteral("Caption"));
        control->SetFont({QStringLiteral("Courier New"), 0, false, false, false});
        control->SetFont({QStringLiteral("Courier New"), 14, true, false, false});
        control->SetForeColor(0x0000FF);
        control->SetBackColor(0xFFFFFF);
        EXPECT_EQ(control->Text(), QStringLiteral("Caption"));
        EXPECT_EQ(control->Font().Size, 14);
        EXPECT_EQ(control->ForeColor(), 0x0000FF);
        if (kind == Type::Label)
            // Still waiting: only the project's settings were given.
            EXPECT_NE(widget->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        ASSERT_EQ(control->Widget(), widget);
        EXPECT_FALSE(control->HoldsSettings());
        EXPECT_EQ(widget->font().pointSizeF(), 14);
        EXPECT_TRUE(widget->font().bold());
        EXPECT_EQ(widget->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_EQ(widget->palette().color(QPalette::Window), QColor(255, 255, 255));
        if (auto *label = qobject_cast<QLabel *>(widget))
            EXPECT_EQ(label->text(), QStringLiteral("Caption"));
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            EXPECT_EQ(button->text(), QStringLiteral("Caption"));
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            EXPECT_EQ(group->title(), QStringLiteral("Caption"));
        if (auto *box = qobject_cast<TextBox *>(widget))
            EXPECT_EQ(box->LineEdit()->text(), QStringLiteral("Caption"));

        // Changes after that are shown at once.
        control->SetText(QStringLiteral("Later"));
        control->SetFont({QStringLiteral("Courier New"), 8, false, true, false});
        control->SetBackColor(0x00FF00);
        EXPECT_EQ(widget->font().pointSizeF(), 8);
        EXPECT_TRUE(widget->font().italic());
        EXPECT_EQ(widget->palette().color(QPalette::Window), QColor(0, 255, 0));
        if (auto *label = qobject_cast<QLabel *>(widget))
            EXPECT_EQ(label->text(), QStringLiteral("Later"));
    }
}

// A held font given as a callable is made once, when it is needed: however often the font
// changed while held, when the widget or a getter asks for it; a font set later wins over one
// not made yet; once the control shows, a callable is made at once.
TEST(DesignControl, HeldFontFromACallableIsMadeOnceWhenNeeded)
{
    QWidget form;
    auto control = CreateDesignControl(Type::Label, &form);
    int made = 0;
    double size = 10;
    const auto source = [&] {
        ++made;
        return DesignFont{QStringLiteral("Courier New"), size, true, false, false};
    };

    control->HoldSettings();
    for (int i = 0; i < 5; ++i)
        control->SetFontFrom(source);
    EXPECT_EQ(made, 0);
    size = 12;
    EXPECT_EQ(control->Font().Size, 12); // a getter makes it
    EXPECT_EQ(made, 1);
    EXPECT_EQ(control->Font().Size, 12);
    EXPECT_EQ(made, 1);

    control->SetFontFrom(source);
    control->SetFont({QStringLiteral("Courier New"), 9, false, false, false});
    control->ApplyHeldSettings();
    EXPECT_EQ(made, 1); // the later font won; the callable was never made
    EXPECT_EQ(control->Widget()->font().pointSizeF(), 9);

    control->HoldSettings();
    control->SetFontFrom(source);
    control->SetFontFrom(source);
    size = 16;
    EXPECT_EQ(control->Widget()->font().pointSizeF(), 16); // reaching the widget applies it
    EXPECT_TRUE(control->Widget()->font().bold());
    EXPECT_EQ(made, 2);

    size = 7;
    control->SetFontFrom(source); // shown: at once
    EXPECT_EQ(made, 3);
    EXPECT_EQ(control->Widget()->font().pointSizeF(), 7);
}
