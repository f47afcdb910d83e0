// The GUI runtime driven like a host program: bad command texts give status rows and never a
// crash; the sample project loads and its form runs as live windows whose gestures raise
// event rows with the right mask and arguments, only for enabled events; "99" leaves nothing.
#include "runtime/clsGuiRuntime.h"

#include "RuntimeTestSupport.h"
#include "controls/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using RuntimeTest::Cmd;
using RuntimeTest::EventRow;

namespace {
const QString AM = Marks::AttributeMark();

QString Severity(const GuiResult &r) { return r.Status.value(0).value(0); }
QString Error(const GuiResult &r) { return r.Status.value(0).value(4); }

// A runtime driven like a host program; Init starts it as a host does.
struct GuiRuntime : RuntimeTest::CollectingRuntime
{
    void Init() { ASSERT_EQ(Severity(runtime.Execute(Cmd({"1", "1.4"}))), "0"); }
    GuiResult LoadOrders()
    {
        return runtime.Execute(Cmd({"11", "2", RuntimeTest::ReadProject("orders.gui")}));
    }
};
} // namespace

TEST_F(GuiRuntime, BadCommandsGiveStatusRowsNeverACrash)
{
    struct Case { QString command; QString severity; QString error; };
    const QList<Case> beforeInit = {
        {"7", "2", "5001"},
        {Cmd({"6", "A*B", "2"}), "2", "5001"},
        {Cmd({"11", "2", "TEMPLATE"}), "2", "5001"},
        {"", "2", "5016"},
        {"42", "2", "5016"},
        {"abc" + Marks::ValueMark() + "1", "2", "5016"},
        {"1", "3", "5003"},
        {Cmd({"1", "x"}), "3", "5005"},
        {Cmd({"1", "1.5"}), "3", "5052"},
        {Cmd({"1", "0.5"}), "3", "5005"},
        {"1" + AM + "1.4", "2", "5003"},
    };
    for (const Case &c : beforeInit) {
        const GuiResult r = runtime.Execute(c.command);
        ASSERT_EQ(r.Status.size(), 1) << c.command.toStdString();
        EXPECT_EQ(Severity(r), c.severity) << c.command.toStdString();
        EXPECT_EQ(Error(r), c.error) << c.command.toStdString();
        EXPECT_FALSE(r.Status[0][5].isEmpty()) << c.command.toStdString();
    }
    EXPECT_FALSE(runtime.Initialised());

    ASSERT_EQ(Severity(runtime.Execute(Cmd({"1", "1.4"}))), "0");
    const QList<Case> afterInit = {
        {"11", "2", "5003"},
        {Cmd({"11", "3", "x"}), "2", "5003"},
        {Cmd({"6", "NOAPP*NOFORM", "2"}), "2", "5024"},
        {Cmd({"6", "", "2"}), "2", "5003"},
        {Cmd({"6", "NOAPP"}), "2", "5003"},
        {"7" + AM + "x", "2", "5003"},
        {Cmd({"7", "", ""}) + Marks::SegmentMark(), "2", "5003"},
    };
    for (const Case &c : afterInit) {
        const GuiResult r = runtime.Execute(c.command);
        EXPECT_EQ(Severity(r), c.severity) << c.command.toStdString();
        EXPECT_EQ(Error(r), c.error) << c.command.toStdString();
    }

    // Project texts that fail: not a project at all, and a newer version.
    GuiResult r = runtime.Execute(Cmd({"11", "2", "PROGRAM" + AM + "X = 1"}));
    EXPECT_EQ(r.Status.value(0).value(4), "5005");
    EXPECT_EQ(r.Status.last().value(0), "3");
    r = runtime.Execute(Cmd({"11", "2", "TEMPLATE" + AM + Cmd({"0", "1.7", "0"}) + AM + Cmd({"2", "A", "", "1"})}));
    EXPECT_EQ(r.Status.value(0).value(4), "5052");
    EXPECT_TRUE(runtime.Windows().isEmpty());
}

TEST_F(GuiRuntime, LoadProblemsBecomeStatusRowsAndDisabledFormsGive5007)
{
    Init();
    const QString text = QStringList{"TEMPLATE", Cmd({"0", "1.4", "0"}),
                                     Cmd({"2", "SHOP", "", "1", "0", "0", "40", "20", "0"}),
                                     Cmd({"2", "SHOP*MAIN", "", "6", "0", "0", "40", "20", "1"}),
                                     Cmd({"4", "", "8", "", "", "0"}),
                                     Cmd({"2", "SHOP*MAIN*OK", "", "18", "1", "1", "10", "1", "32"}),
                                     Cmd({"4", "", "22", "", "", "OK"}),
                                     Cmd({"4", "", "9", "", "", "maybe"}),
                                     Cmd({"2", "SHOP*MAIN*OK", "", "18", "1", "3", "10", "1", "32"}),
                                     Cmd({"0", "-1"})}
                             .join(AM);
    const GuiResult r = runtime.Execute(Cmd({"11", "2", text}));
    // The duplicate is left out and reported; the bad value names its object and property;
    // the only form is disabled, so nothing can be shown.
    QStringList errors;
    for (const QStringList &row : r.Status)
        errors << row.value(4);
    EXPECT_TRUE(errors.contains("5023")) << errors.join(",").toStdString();
    EXPECT_TRUE(errors.contains("5007")) << errors.join(",").toStdString();
    bool namedProperty = false;
    for (const QStringList &row : r.Status)
        namedProperty = namedProperty || (row.value(2) == "SHOP*MAIN*OK" && row.value(3) == "9");
    EXPECT_TRUE(namedProperty);
    EXPECT_EQ(Error(runtime.Execute(Cmd({"6", "shop*main", "2"}))), "5007");
    EXPECT_FALSE(runtime.WidgetOf("SHOP*MAIN")->isVisible());
}

TEST_F(GuiRuntime, SampleFormRaisesEventsForEnabledMasksOnly)
{
    Init();
    const GuiResult loaded = LoadOrders();
    for (const QStringList &row : loaded.Status)
        EXPECT_LT(row.value(0).toInt(), 2) << row.join("|").toStdString();
    ASSERT_EQ(Severity(runtime.Execute(Cmd({"6", "ORDERS*ORDER", "2"}))), "0");
    QWidget *form = runtime.WidgetOf("orders*order");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(runtime.WidgetOf("ORDERS")->isVisible()); // the MDI frame around it
    Take(); // whatever showing raised (activation) is not part of this test

    // A click on OK (Click enabled).
    auto *ok = qobject_cast<QPushButton *>(runtime.WidgetOf("ORDERS*ORDER*CMDOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("ORDERS*ORDER*CMDOK", 32)});

    // Typing in the customer box (Change enabled) raises one Change per edit; the notes box
    // (no events enabled) raises nothing, as no object does for an event its mask leaves out.
    auto *cust = qobject_cast<TextBox *>(runtime.WidgetOf("ORDERS*ORDER*TXTCUST"));
    auto *notes = qobject_cast<TextBox *>(runtime.WidgetOf("ORDERS*ORDER*TXTNOTES"));
    ASSERT_TRUE(cust && notes);
    EXPECT_TRUE(notes->IsMultiLine());
    EXPECT_EQ(cust->LineEdit()->maxLength(), 40);
    QTest::keyClicks(cust->LineEdit(), "ab");
    QTest::keyClicks(notes->TextEdit(), "xyz");
    EXPECT_EQ(cust->Text(), "ab");
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("ORDERS*ORDER*TXTCUST", 128),
                                              EventRow("ORDERS*ORDER*TXTCUST", 128)}));

    // A menu item and a tool bar button of the application raise Click on their bar with
    // the item's ID.
    auto *frame = qobject_cast<QMainWindow *>(runtime.WidgetOf("ORDERS"));
    ASSERT_NE(frame, nullptr);
    auto *newOrder = frame->menuBar()->findChild<QAction *>("NEW");
    ASSERT_NE(newOrder, nullptr);
    EXPECT_EQ(newOrder->text(), "&New order");
    newOrder->trigger();
    auto *save = frame->findChild<QToolBar *>("ORDERS**TOOLS")->findChild<QAction *>("SAVE");
    ASSERT_NE(save, nullptr);
    save->trigger();
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("ORDERS**MAINMENU", 32, {"NEW"}),
                                              EventRow("ORDERS**TOOLS", 32, {"SAVE"})}));

    // Closing the form (Close enabled) raises Close and leaves the decision to the program:
    // the window stays until it is hidden.
    form->close();
    EXPECT_EQ(Take(), QList<QStringList>{EventRow("ORDERS*ORDER", 1)});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Severity(runtime.Execute(Cmd({"6", "ORDERS*ORDER", "3"}))), "0");
    EXPECT_FALSE(form->isVisible());

    // Move places a control in the application's unit; a method the object does not have is
    // refused. (Disable, Reset and the rest are tried on their own below.)
    EXPECT_EQ(Severity(runtime.Execute(Cmd({"6", "ORDERS*ORDER*CMDOK", "9", "1", "2"}))), "0");
    EXPECT_EQ(ok->pos(), QPoint(8, 32)); // characters: 120 x 240 twips
    EXPECT_EQ(Error(runtime.Execute(Cmd({"6", "ORDERS*ORDER*CMDOK", "12"}))), "438");
}

TEST_F(GuiRuntime, MethodsOnADisabledControlOrUnderADisabledForm)
{
    Init();
    LoadOrders();
    ASSERT_EQ(Severity(runtime.Execute(Cmd({"6", "ORDERS*ORDER", "2"}))), "0");
    auto *cust = qobject_cast<TextBox *>(runtime.WidgetOf("ORDERS*ORDER*TXTCUST"));
    ASSERT_NE(cust, nullptr);
    cust->SetText("abc");
    // Each step: object, method (and arguments), the error it gives (0 for none), whether the
    // box is enabled afterwards. Activation needs the control and every container to be enabled;
    // the other methods work on a disabled control and leave it disabled.
    const struct { QString Id; QStringList Method; QString Error; bool Enabled; } steps[] = {
        {"ORDERS*ORDER*TXTCUST", {"8"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"4"}, "5021", false},
        {"ORDERS*ORDER*TXTCUST", {"1"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"9", "2", "3"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"3"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"2"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"7"}, "0", true},
        {"ORDERS*ORDER*TXTCUST", {"4"}, "0", true},
        {"ORDERS*ORDER", {"8"}, "0", false},
        {"ORDERS*ORDER*TXTCUST", {"4"}, "5021", false},
        {"ORDERS*ORDER", {"7"}, "0", true},
        {"ORDERS*ORDER*TXTCUST", {"4"}, "0", true},
    };
    for (const auto &step : steps) {
        const QString command = Cmd(QStringList{"6", step.Id} + step.Method);
        const GuiResult r = runtime.Execute(command);
        EXPECT_EQ(Error(r), step.Error) << command.toStdString();
        EXPECT_EQ(cust->isEnabled(), step.Enabled) << command.toStdString();
    }
    EXPECT_TRUE(cust->Text().isEmpty());
    EXPECT_TRUE(cust->isVisible());
}

TEST_F(GuiRuntime, WaitDeliversLaterAndShutdownLeavesNothing)
{
    Init();
    LoadOrders();
    runtime.Execute(Cmd({"6", "ORDERS*ORDER", "2"}));
    Take();
    // "7" with nothing queued answers nothing now; the click comes one event-loop turn later.
    EXPECT_TRUE(runtime.Execute("7").IsEmpty());
    ASSERT_NE(runtime.WidgetOf("ORDERS*ORDER*CMDCANCEL"), nullptr);
    QTest::mouseClick(runtime.WidgetOf("ORDERS*ORDER*CMDCANCEL"), Qt::LeftButton);
    EXPECT_TRUE(rows.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(rows, QList<QStringList>{EventRow("ORDERS*ORDER*CMDCANCEL", 32)});
    rows.clear();

    // A click queued but not yet delivered when "99" comes is dropped with everything else.
    EXPECT_TRUE(runtime.Execute("7").IsEmpty());
    QPointer<QWidget> button = runtime.WidgetOf("ORDERS*ORDER*CMDCANCEL");
    ASSERT_FALSE(button.isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Severity(runtime.Execute("99")), "0");
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(button.isNull());
    EXPECT_TRUE(runtime.Windows().isEmpty());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(Error(runtime.Execute("7")), "5001");
}
