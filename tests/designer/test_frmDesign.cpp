// The design form: instances made and returned by kind, the shared timer, background colour
// and picture with the grid dots from the client origin, bands of docked bars, the double-click
// emulation, focus to the project tree, and a window that only the designer closes.
#include "DesignSurfaceFixture.h"

#include "controls/TabGroup.h"
#include "controls/TabStrip.h"
#include "designer/FormArea.h"
#include "model/Vocabulary.h"
#include "support/GuiError.h"
#include "support/PlatformMetrics.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

using namespace surface_test;
using namespace Vocabulary;

namespace {
// The forms open in windows of an MDI area, as in the main window; the items go before the
// area does.
struct AreaFixture : Fixture
{
    FormArea area;
    DesignFormFactory inArea{&host, &area};

    AreaFixture()
    {
        area.resize(900, 700);
        items.SetFormFactory(&inArea);
    }
    ~AreaFixture()
    {
        designer.ReleaseAll();
        items.SetFormFactory(&factory);
    }
};
} // namespace

TEST(frmDesign, MakesInstancesByKindAndKeepsTheOneTimer)
{
    Fixture f;
    f.Load();
    frmDesign *form = f.Form();
    ASSERT_NE(form, nullptr);
    // The project already put one label on the form: two more get the next indexes.
    const int labels = form->UpperBound(Type::Label);
    iDesignControl *a = form->CreateControlInstance(Type::Label);
    iDesignControl *b = form->CreateControlInstance(Type::Label);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(form->UpperBound(Type::Label), labels + 2);
    // Text boxes of all three kinds come from one set.
    const int texts = form->UpperBound(Type::Text);
    form->CreateControlInstance(Type::TextPassword);
    EXPECT_EQ(form->UpperBound(Type::Text), texts + 1);

    iDesignControl *timer = form->CreateControlInstance(Type::Timer);
    EXPECT_EQ(form->CreateControlInstance(Type::Timer), timer);
    const int count = form->InstanceCount();
    form->DeleteControlInstance(Type::Timer, timer);
    EXPECT_EQ(form->InstanceCount(), count);
    EXPECT_EQ(form->CreateControlInstance(Type::Timer), timer);

    // Types without an instance kind make nothing.
    for (int type : {-1, 3, 5, 37, 500})
        EXPECT_EQ(form->CreateControlInstance(type), nullptr) << type;
    EXPECT_EQ(form->InstanceCount(), count);

    form->DeleteControlInstance(Type::Label, a);
    form->DeleteControlInstance(Type::Label, nullptr);
    EXPECT_EQ(form->InstanceCount(), count - 1);
}

TEST(frmDesign, PaintsColourPictureAndGridDotsFromTheClientOrigin)
{
    Fixture f;
    f.Load();
    frmDesign *form = f.Form();
    form->SetBackColor(0x0000FF); // red as 0x00BBGGRR
    form->SetGrid(120, 120);
    form->SetInsets(300, 0, 0, 0);
    form->RefreshBackground();
    const QImage image = form->Grab();
    // 120 twips are 8 pixels; a 300-twip inset moves the first column to 8 + 20.
    EXPECT_EQ(image.pixelColor(28, 8), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(36, 16), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(27, 8), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 8), QColor(255, 0, 0));

    // With a picture the colour is kept but not shown.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    form->SetGrid(0, 0);
    form->SetBackPicture(picture);
    form->SetBackColor(0xFF0000);
    EXPECT_EQ(form->BackColorRgb(), 0xFF0000);
    EXPECT_EQ(form->Grab().pixelColor(5, 5), QColor(0, 255, 0));
    form->SetBackPicture(QImage());
    EXPECT_EQ(form->Grab().pixelColor(5, 5), QColor(0, 0, 255));
    // A system colour is stored as the colour it stands for now.
    form->SetBackColor(qint32(0x8000000F));
    EXPECT_EQ(quint32(form->BackColorRgb()), PlatformMetrics::Current().SystemColours[15]);
}

TEST(frmDesign, DockedBarsSetTheInsetsAndShowAsBands)
{
    Fixture f;
    f.Load({Control("A*F*Menu1", Type::Menu, "", 0, 0, 0, 0),
            Control("A*F*Status1", Type::Statusbar, "", 0, 0, 0, 0)});
    frmDesign *form = f.Form();
    QCoreApplication::processEvents();
    EXPECT_GT(form->InsetTop(), 0);
    EXPECT_GT(form->InsetBottom(), 0);
    // The label keeps its place relative to the client origin below the menu band.
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    EXPECT_EQ(label->y(), (900 + form->InsetTop()) / 15);
    QWidget *menu = f.WidgetOfItem("A*F*Menu1");
    QWidget *status = f.WidgetOfItem("A*F*Status1");
    ASSERT_TRUE(menu && status);
    EXPECT_EQ(menu->geometry().top(), 0);
    EXPECT_EQ(menu->width(), 400);
    EXPECT_EQ(status->geometry().bottom(), 299);
}

TEST(frmDesign, TellsADoubleClickFromTwoClicksOnKindsWithoutOne)
{
    Fixture f;
    f.Load();
    frmDesign *form = f.Form();
    form->SetDoubleClickInterval(30);
    EXPECT_EQ(form->DoubleClickInterval(), 200);
    form->SetDoubleClickInterval(5000);
    QWidget *check = f.WidgetOfItem("A*F*Check1");
    ASSERT_NE(check, nullptr);
    QTest::mouseClick(check, Qt::LeftButton, {}, {5, 5});
    const int selected = f.selections;
    QTest::mouseClick(check, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(f.modifies, 1);
    EXPECT_EQ(f.selections, selected); // the second click is no second mouse up
    // A third click starts over.
    QTest::mouseClick(check, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(f.modifies, 1);
    EXPECT_EQ(f.selections, selected + 1);
    // Kinds with a double click of their own report it; a right click asks for the menu.
    QTest::mouseDClick(f.WidgetOfItem("A*F*Label1"), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(f.modifies, 2);
    QTest::mouseClick(f.WidgetOfItem("A*F*Label1"), Qt::RightButton, {}, {5, 5});
    EXPECT_EQ(f.contextMenus, 1);
    EXPECT_EQ(f.undo.Count(), 0);
}

// A gesture whose command fails is reported like any other command's error; no drag is left
// running and the next gesture works.
TEST(frmDesign, AFailingGestureIsReportedAndTheFormStaysUsable)
{
    Fixture f;
    f.Load();
    int failures = 2;
    const auto fail = [&](clsControl &) {
        if (failures-- > 0)
            throw GuiError(380);
    };
    f.window.PropertySheet = fail;
    QTest::mouseDClick(f.WidgetOfItem("A*F*Label1"), Qt::LeftButton, {}, {5, 5});
    f.window.Selected = fail;
    QWidget *frame = f.WidgetOfItem("A*F*Frame1");
    Drag(frame, {40, 40}, {80, 60});
    const std::vector<QString> reports = f.prompter.ReportTexts();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].endsWith("<frmDesign DblClick>")) << reports[0].toStdString();
    EXPECT_TRUE(reports[1].endsWith("<frmDesign MouseDown>")) << reports[1].toStdString();
    EXPECT_EQ(f.Stored("A*F*Frame1"), (QList<int>{3000, 1500, 2400, 1800}));
    EXPECT_EQ(f.undo.Count(), 0);

    QWidget *label = f.WidgetOfItem("A*F*Label1");
    Drag(label, {50, 15}, {70, 25});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1500, 1050, 1500, 450}));
    EXPECT_EQ(f.undo.Count(), 1);
    EXPECT_EQ(f.prompter.ReportTexts().size(), 2u);
}

TEST(frmDesign, InstancesTakeNoKeyboardAndFocusGoesToTheTree)
{
    Fixture f;
    f.Load();
    QWidget *text = f.WidgetOfItem("A*F*Text1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->focusPolicy(), Qt::NoFocus);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(f.Form()->Canvas(), &focus);
    EXPECT_EQ(f.treeFocus, 1);
    QTest::keyClick(text, Qt::Key_A);
    EXPECT_EQ(f.Item("A*F*Text1").GetProperty(Prop::Value), QString());
}

TEST(frmDesign, AClickOnATabMakesItCurrentAndSelectsItsPanel)
{
    Fixture f;
    f.Load({Control("A*F*Tabs", Type::Tabgroup, "", 150, 3000, 3000, 1350),
            Control("A*F*PageOne", Type::Tab, "Tabs", 0, 0, 0, 0), LoaderText::Prop(22, "One"),
            Control("A*F*PageTwo", Type::Tab, "Tabs", 0, 0, 0, 0), LoaderText::Prop(22, "Two")});
    QCoreApplication::processEvents();
    auto *group = qobject_cast<TabGroup *>(f.WidgetOfItem("A*F*Tabs"));
    ASSERT_NE(group, nullptr);
    QWidget *one = f.WidgetOfItem("A*F*PageOne");
    QWidget *two = f.WidgetOfItem("A*F*PageTwo");
    EXPECT_TRUE(one->isVisible());
    EXPECT_FALSE(two->isVisible());
    // The panels lie over the page area, below the tabs.
    EXPECT_GE(one->y(), group->Bar()->height());

    const QPoint second = group->Bar()->tabRect(1).center();
    QTest::mouseClick(group->Bar(), Qt::RightButton, {}, second);
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*PageTwo"));
    EXPECT_EQ(group->CurrentTab(), 2);
    EXPECT_TRUE(two->isVisible());
    EXPECT_FALSE(one->isVisible());
    EXPECT_EQ(f.contextMenus, 1);
    // A click beside the tabs selects the group itself.
    QTest::mouseClick(group, Qt::LeftButton, {}, {group->width() - 5, 5});
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Tabs"));
}

TEST(frmDesign, TabsThatDoNotFitAcrossTakeSeveralRowsWhenTheGroupAsks)
{
    Fixture f;
    const char *captions[] = {"Customers", "Orders", "Invoices", "Payments", "Returns"};
    QStringList records{Control("A*F*Tabs", Type::Tabgroup, "", 150, 150, 2400, 2400),
                        LoaderText::Prop(10, "1")};
    for (int i = 0; i < 5; ++i)
        records << Control(QStringLiteral("A*F*Page%1").arg(i + 1), Type::Tab, "Tabs", 0, 0, 0, 0)
                << LoaderText::Prop(22, captions[i]);
    f.Load(records);
    QCoreApplication::processEvents();
    auto *group = qobject_cast<TabGroup *>(f.WidgetOfItem("A*F*Tabs"));
    ASSERT_NE(group, nullptr);
    ASSERT_TRUE(group->MultiRow());
    const int rows = group->Bar()->RowCount(group->width());
    EXPECT_GT(rows, 1);
    const int rowHeight = group->Bar()->RowHeight();
    EXPECT_EQ(group->Bar()->height(), rows * rowHeight);
    // The panel lies below every row, and a click on a tab of the last row selects its panel.
    QWidget *first = f.WidgetOfItem("A*F*Page1");
    EXPECT_GE(first->y(), group->Bar()->height());
    const QPoint last(group->width() - 5, group->Bar()->height() - rowHeight / 2);
    QTest::mouseClick(group->Bar(), Qt::RightButton, {}, last);
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Page5"));
    EXPECT_EQ(group->CurrentTab(), 5);
    EXPECT_TRUE(f.WidgetOfItem("A*F*Page5")->isVisible());

    // Switched off, the tabs share one row again and the panels follow it up.
    f.Item("A*F*Tabs").SetProperty(Prop::Style, "0");
    QCoreApplication::processEvents();
    EXPECT_EQ(group->Bar()->RowCount(group->width()), 1);
    EXPECT_LT(group->Bar()->height(), 2 * rowHeight);
    EXPECT_LT(f.WidgetOfItem("A*F*Page5")->y(), 2 * rowHeight);
}

TEST(frmDesign, WindowIconIsTheFormsTheDefaultOrNone)
{
    AreaFixture f;
    f.Load();
    frmDesign *form = f.Form();
    // No icon named: the program's default; a picture that does not load: the default too.
    EXPECT_FALSE(form->WindowIcon().isNull());
    const QImage standard = form->WindowIcon().pixmap(16).toImage();
    form->SetIcon("/no/such/icon.ico");
    EXPECT_EQ(form->WindowIcon().pixmap(16).toImage(), standard);
    // "none": an icon with nothing in it, so the window shows no other one.
    form->SetIcon("none");
    const QImage none = form->WindowIcon().pixmap(16).toImage();
    ASSERT_FALSE(none.isNull());
    EXPECT_EQ(none.pixelColor(8, 8).alpha(), 0);
    EXPECT_EQ(form->SubWindow()->windowIcon().cacheKey(), form->WindowIcon().cacheKey());
}

// The window closes only with its item (which windows go with which items is the form
// ownership test's).
TEST(frmDesign, WindowClosesOnlyWithItsItem)
{
    AreaFixture f;
    f.Load();
    QPointer<QMdiSubWindow> window = f.Form()->SubWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "F");
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window);
    f.designer.RemoveControl("A*F");
    EXPECT_FALSE(window);
}

TEST(frmDesign, ALoadShowsEveryFormWithItsControlsAndTheLastOneActive)
{
    AreaFixture f;
    QMdiArea &area = f.area;
    area.show();
    using namespace LoaderText;
    const QStringList body{Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                           Control("A*F", 5, "", 0, 0, 4000, 3000),
                           Control("A*F*Label1", 15, "", 300, 300, 1500, 450),
                           Control("A*G", 5, "", 0, 0, 4000, 3000),
                           Control("A*G*Label1", 15, "", 300, 300, 1500, 450),
                           Control("A*H", 5, "", 0, 0, 4000, 3000),
                           Control("A*H*Label1", 15, "", 300, 300, 1500, 450)};
    // Only the newest window is activated: activating each in turn would make the area
    // deactivate every window before it, once per form.
    int activations = 0;
    QObject::connect(&area, &QMdiArea::subWindowActivated, &area,
                     [&](QMdiSubWindow *window) { activations += window ? 1 : 0; });
    ASSERT_TRUE(f.designer.SetTemplate(Project(body, "1.4", "1")));
    QApplication::processEvents();
    EXPECT_EQ(activations, 1);
    for (const char *form : {"A*F", "A*G", "A*H"}) {
        frmDesign *design = DesignFormFactory::FormOf(f.Item(form));
        ASSERT_TRUE(design && design->SubWindow());
        EXPECT_TRUE(design->SubWindow()->isVisible()) << form;
        EXPECT_TRUE(design->Canvas()->isVisible()) << form;
        EXPECT_TRUE(f.WidgetOfItem(QString::fromLatin1(form) + "*Label1")->isVisible()) << form;
    }
    EXPECT_EQ(area.activeSubWindow(), DesignFormFactory::FormOf(f.Item("A*H"))->SubWindow());
    // The window still follows its content after the load: hiding and showing the form's
    // content (its surface and task-bar strip) activates it as before.
    frmDesign *first = DesignFormFactory::FormOf(f.Item("A*F"));
    first->SubWindow()->widget()->hide();
    first->SubWindow()->widget()->show();
    EXPECT_EQ(area.activeSubWindow(), first->SubWindow());
}

// A form loaded into the MDI area holds its controls' font, colours and captions until the
// surface first shows: what then shows is what a form drawn at once shows, and every later
// change of a control or a form made afterwards shows at once.
TEST(frmDesign, AFormLoadedOutOfSightShowsItsControlsAsAFormDrawnAtOnce)
{
    using namespace LoaderText;
    const auto property = [](int code, const QString &value) {
        return Record({"4", "", QString::number(code), "", "", value});
    };
    // A label shows its Value.
    const QStringList styled{property(Prop::Value, "First name"),
                             property(Prop::ForeColor, "255"),
                             property(Prop::BackColor, "65535"),
                             property(Prop::FontName, "Courier New"),
                             property(Prop::FontSize, "14"),
                             property(Prop::FontBold, "1")};
    QStringList more{Control("A*F*Label2", 15, "", 300, 2700, 2400, 600)};
    more += styled;
    // Buttons keep the platform's colours.
    more += Control("A*F*Command1", Type::Command, "", 3000, 3600, 1500, 450);
    more += {property(Prop::Caption, "OK"), property(Prop::FontName, "Courier New"),
             property(Prop::FontSize, "14")};
    // The form's caption, its window's title, waits with the controls.
    more += Record({"4", "A*F", QString::number(Prop::Caption), "", "", "Order entry"});

    Fixture drawn;
    drawn.Load(more);
    QApplication::processEvents();
    const QImage expected = drawn.Form()->Grab();

    AreaFixture f;
    f.area.show();
    f.LoadOutOfSight(more);
    ASSERT_FALSE(HasFatalFailure());
    QApplication::processEvents();
    // Reached through its window, as the user sees it, not through the form: the window
    // shows the surface at its top left corner and nothing else (the form has no timer).
    QWidget *content = f.Form()->SubWindow()->widget();
    QWidget *surface = content->findChild<QWidget *>(QStringLiteral("frmDesign"));
    ASSERT_TRUE(surface && surface->isVisible());
    EXPECT_EQ(surface->pos(), QPoint(0, 0));
    EXPECT_EQ(content->size(), expected.size());
    EXPECT_EQ(surface->grab().toImage(), expected);
    auto *label = qobject_cast<QLabel *>(f.WidgetOfItem("A*F*Label2"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("First name"));
    EXPECT_EQ(label->font().pointSizeF(), 14);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f.Form()->SubWindow()->windowTitle(), QStringLiteral("Order entry"));
    EXPECT_EQ(surface->windowTitle(), drawn.Form()->Canvas()->windowTitle());

    // After the load every change shows at once.
    f.Item("A*F*Label2").SetProperty(Prop::Value, QStringLiteral("Surname"));
    f.Item("A*F*Label2").SetProperty(Prop::FontSize, QStringLiteral("8"));
    f.Item("A*F*Label2").SetProperty(Prop::ForeColor, QStringLiteral("65280"));
    EXPECT_EQ(label->text(), QStringLiteral("Surname"));
    EXPECT_EQ(label->font().pointSizeF(), 8);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    f.Item("A*F").SetProperty(Prop::Caption, QStringLiteral("Orders"));
    EXPECT_EQ(f.Form()->SubWindow()->windowTitle(), QStringLiteral("Orders"));

    // A project opened later in the same area shows its form's controls complete too.
    QStringList second{Record({"2", "B", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                       Control("B*G", 5, "", 0, 0, 4000, 3000),
                       Control("B*G*Label1", 15, "", 300, 300, 2400, 600)};
    second += styled;
    ASSERT_TRUE(f.designer.SetTemplate(Project(second, "1.4", "1")));
    QApplication::processEvents();
    auto *later = qobject_cast<QLabel *>(f.WidgetOfItem("B*G*Label1"));
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->isVisible());
    EXPECT_EQ(later->text(), QStringLiteral("First name"));
    EXPECT_EQ(later->font().pointSizeF(), 14);
    EXPECT_EQ(later->palette().color(QPalette::Window), QColor(255, 255, 0));
}

// The timer has nothing to show at run time: its icon sits on the task-bar strip below the
// form's client area, whatever place the item has, never over a control; clicking it selects
// the timer, which has no sizer to drag. The strip goes with the last timer.
TEST(frmDesign, TheTimersIconSitsOnTheTaskBarStripBelowTheControls)
{
    AreaFixture f;
    f.area.show();
    f.Load({Control("A*F*Label0", 15, "", 0, 0, 1500, 450),
            Control("A*F*Timer1", 35, "", 0, 0, 450, 450)});
    QApplication::processEvents();
    frmDesign *form = f.Form();
    QWidget *canvas = form->Canvas();
    QWidget *strip = form->TaskBar();
    QWidget *icon = f.WidgetOfItem("A*F*Timer1");
    ASSERT_TRUE(strip && icon);
    EXPECT_EQ(icon->parentWidget(), strip);
    ASSERT_TRUE(icon->isVisible());
    const QRect iconOnScreen(icon->mapToGlobal(QPoint(0, 0)), icon->size());
    const QRect canvasOnScreen(canvas->mapToGlobal(QPoint(0, 0)), canvas->size());
    EXPECT_GE(iconOnScreen.top(), canvasOnScreen.bottom());
    EXPECT_FALSE(iconOnScreen.intersects(canvasOnScreen));
    // The window shows all of the client area and the strip.
    const QSize inside = form->SubWindow()->contentsRect().size();
    EXPECT_EQ(inside, canvas->size() + QSize(0, strip->height()));
    if (const QString folder = qEnvironmentVariable("CORVANE_GRAB"); !folder.isEmpty())
        form->SubWindow()->grab().save(folder + QStringLiteral("/form-with-timer.png"));
    // Moving the item leaves the icon where it is.
    const QPoint at = icon->pos();
    f.Item("A*F*Timer1").Move("600", "600", "", "");
    EXPECT_EQ(icon->pos(), at);

    QTest::mouseClick(f.WidgetOfItem("A*F*Label0"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(f.SizerOf("A*F*Label0")->Active());
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Timer1"));
    EXPECT_FALSE(f.SizerOf("A*F*Label0")->Active());
    // A drag on the icon moves nothing.
    Drag(icon, {5, 5}, {40, 30});
    EXPECT_EQ(f.undo.Count(), 0);
    EXPECT_EQ(icon->pos(), at);

    // Without a timer there is no strip, and the window is the client area alone.
    f.designer.SelectItem(&f.Item("A*F*Timer1"));
    ASSERT_TRUE(f.edit.Delete());
    EXPECT_TRUE(strip->isHidden());
    EXPECT_EQ(form->SubWindow()->contentsRect().size(), canvas->size());
}

// A form larger than the main window's area opens inside it, its top left corner showing,
// and the area scrolls to every part of it; one that fits is not moved.
TEST(frmDesign, AFormLargerThanTheAreaOpensInsideItAndScrolls)
{
    AreaFixture f;
    f.area.resize(600, 400);
    f.area.show();
    using namespace LoaderText;
    ASSERT_TRUE(f.designer.SetTemplate(
        Project({Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                 Control("A*Small", 5, "", 0, 0, 3000, 2000),
                 Control("A*Huge", 5, "", 0, 0, 30000, 24000),
                 Control("A*Huge*Far", 15, "", 27000, 21000, 1500, 450)},
                "1.4", "1")));
    QApplication::processEvents();
    QMdiSubWindow *huge = DesignFormFactory::FormOf(f.Item("A*Huge"))->SubWindow();
    QMdiSubWindow *small = DesignFormFactory::FormOf(f.Item("A*Small"))->SubWindow();
    ASSERT_TRUE(huge && small);
    const QRect viewport = f.area.viewport()->rect();
    for (QMdiSubWindow *window : {huge, small}) {
        EXPECT_GE(window->x(), 0);
        EXPECT_GE(window->y(), 0);
        EXPECT_LT(window->x(), viewport.width() / 2);
        EXPECT_LT(window->y(), viewport.height() / 2);
    }
    EXPECT_TRUE(viewport.contains(small->geometry()));
    // The scroll bars reach the far corner of the large form.
    EXPECT_GE(f.area.horizontalScrollBar()->maximum() + viewport.width(), huge->geometry().right());
    EXPECT_GE(f.area.verticalScrollBar()->maximum() + viewport.height(), huge->geometry().bottom());
}
