// The designer's preview driving the real runtime on the sample project: the form comes up,
// a click is listed one event-loop turn later, closing the form ends the preview, and
// cancelling in any state leaves no runtime window and the designer's project as it was.
#include "code/clsPreview.h"

#include "EditStack.h"
#include "RuntimeTestSupport.h"
#include "VisibleWindows.h"
#include "runtime/GuiRuntimeFactory.h"
#include "runtime/clsGuiRuntime.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct Designer : DesignerStack
{
    GuiRuntimeFactory factory;

    Designer() { EXPECT_TRUE(designer.SetTemplate(RuntimeTest::ReadProject("orders.gui"))); }
    // The project as written, less record 1 (which carries the time of writing).
    QString Project()
    {
        return designer.GetTemplate("ORDERS", {}, 0).section(Marks::AttributeMark(), 1);
    }
    clsGuiRuntime *Runtime(clsPreview &preview) { return static_cast<clsGuiRuntime *>(preview.Runtime()); }
};
} // namespace

TEST(PreviewWithRuntime, ClickIsListedAndClosingTheFormEndsThePreview)
{
    Designer d;
    const QString before = d.Project();
    clsPreview preview(d.designer, d.prompter, d.factory);
    ASSERT_TRUE(preview.Preview(d.items.Find("ORDERS*ORDER")));
    preview.StartupTimerTick();
    ASSERT_EQ(preview.CurrentState(), clsPreview::Waiting) << preview.Messages().join("\n").toStdString();
    EXPECT_TRUE(preview.Messages().isEmpty()) << preview.Messages().join("\n").toStdString();
    QWidget *ok = d.Runtime(preview)->WidgetOf("ORDERS*ORDER*CMDOK");
    ASSERT_TRUE(ok && ok->isVisible());

    QTest::mouseClick(ok, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Messages(), QStringList{"ORDERS*ORDER*CMDOK - Click"});

    d.Runtime(preview)->WidgetOf("ORDERS*ORDER")->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Messages().last(), "ORDERS*ORDER - Close");
    EXPECT_EQ(preview.Title(), "Preview closed: ORDERS*ORDER");
    EXPECT_EQ(preview.CloseCaption(), "&Close");
    EXPECT_EQ(VisibleWindows(), 0);
    EXPECT_EQ(d.Project(), before);
}

TEST(PreviewWithRuntime, CancellingInAnyStateLeavesNothingOpen)
{
    Designer d;
    const QString before = d.Project();
    // Cancel before the start, while waiting, and with an event on its way.
    for (int stage = 0; stage < 3; ++stage) {
        clsPreview preview(d.designer, d.prompter, d.factory);
        ASSERT_TRUE(preview.Preview(d.items.Find("ORDERS*CUSTOMERS")));
        if (stage >= 1) {
            preview.StartupTimerTick();
            ASSERT_EQ(preview.CurrentState(), clsPreview::Waiting);
            EXPECT_GT(VisibleWindows(), 0);
        }
        if (stage == 2)
            QTest::mouseClick(d.Runtime(preview)->WidgetOf("ORDERS*CUSTOMERS*CMDCLOSE"), Qt::LeftButton);
        preview.Close();
        QCoreApplication::processEvents();
        EXPECT_EQ(VisibleWindows(), 0) << stage;
        EXPECT_TRUE(preview.Messages().isEmpty()) << stage;
    }
    EXPECT_EQ(d.Project(), before);
}
