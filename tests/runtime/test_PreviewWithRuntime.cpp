// The designer's preview driving the real runtime on the sample project: the form comes up,
// a click is listed one event-loop turn later, closing the form ends the preview, and
// cancelling with a click on its way leaves no runtime window; the designer's project stays
// as it was.
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

// Cancelling before the start or while waiting is the preview's own affair (its tests run it
// against a recording runtime); here the real runtime has a click on its way when the
// preview is cancelled.
TEST(PreviewWithRuntime, ClickIsListedAndClosingTheFormOrCancellingEndsThePreview)
{
    Designer d;
    const QString before = d.Project();
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "form closed");
        clsPreview preview(d.designer, d.prompter, d.factory);
        ASSERT_TRUE(preview.Preview(d.items.Find("ORDERS*ORDER")));
        preview.StartupTimerTick();
        ASSERT_EQ(preview.CurrentState(), clsPreview::Waiting) << preview.Messages().join("\n").toStdString();
        EXPECT_TRUE(preview.Messages().isEmpty()) << preview.Messages().join("\n").toStdString();
        QWidget *ok = d.Runtime(preview)->WidgetOf("ORDERS*ORDER*CMDOK");
        ASSERT_TRUE(ok && ok->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        if (cancel) {
            preview.Close();
            QCoreApplication::processEvents();
            EXPECT_TRUE(preview.Messages().isEmpty());
        } else {
            QCoreApplication::processEvents();
            EXPECT_EQ(preview.Messages(), QStringList{"ORDERS*ORDER*CMDOK - Click"});
            d.Runtime(preview)->WidgetOf("ORDERS*ORDER")->close();
            QCoreApplication::processEvents();
            EXPECT_EQ(preview.Messages().last(), "ORDERS*ORDER - Close");
            EXPECT_EQ(preview.Title(), "Preview closed: ORDERS*ORDER");
            EXPECT_EQ(preview.CloseCaption(), "&Close");
        }
        EXPECT_EQ(VisibleWindows(), 0);
    }
    EXPECT_EQ(d.Project(), before);
}
