// What the live windows show beyond plain controls: tree nodes and the node a click names,
// a form's pop-up menu on the context gesture, colours and fonts, pictures named relative to
// the project, and Move on an application.
#include "runtime/clsGuiRuntime.h"

#include "RuntimeTestSupport.h"
#include "controls/ucImage.h"
#include "controls/ucTreeview.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using RuntimeTest::Cmd;
using RuntimeTest::Create;
using RuntimeTest::Prop;
using RuntimeTest::EventRow;

namespace {
const QString VM = Marks::ValueMark();
const QString SVM = Marks::SubValueMark();

QString Parts(const QStringList &parts) { return parts.join(SVM); }

struct Look : RuntimeTest::CollectingRuntime
{
    // Loads application L (SDI unless mdi) with form F holding records; shows F.
    void Load(const QStringList &records, bool mdi = false)
    {
        Start("0",
              QStringList{Cmd({"2", "L", "", mdi ? "0" : "1", "", "", mdi ? "" : "200", mdi ? "" : "150", "1073741825"}),
                          Cmd({"2", "L*F", "", mdi ? "6" : "8", "0", "0", "80", "60", "4096"})}
                  + records,
              {"L*F"});
        Take();
    }
    static void RightClick(QWidget *widget)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &event);
    }
};
} // namespace

TEST_F(Look, TreesShowTheirNodesAndClicksNameTheNodeByItsPath)
{
    const QString nodes = QStringList{Parts({"ORD", "1", "Orders", "", "1", "All orders"}),
                                      Parts({"OPEN", "2", "Open", "", "0", ""}),
                                      Parts({"DONE", "2", "Done", "", "0", ""}),
                                      Parts({"CUST", "1", "Customers", "", "0", ""})}
                              .join(VM);
    Load({Create("L*F*TREE", 33, "1", 32 | 64), Prop(26, nodes)});
    auto *tree = qobject_cast<ucTreeview *>(runtime.WidgetOf("L*F*TREE"));
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem *orders = tree->topLevelItem(0);
    EXPECT_EQ(orders->text(0), "Orders");
    EXPECT_EQ(orders->toolTip(0), "All orders");
    ASSERT_EQ(orders->childCount(), 2);
    EXPECT_TRUE(orders->isExpanded());

    QTreeWidgetItem *done = orders->child(1);
    const QPoint at = tree->visualItemRect(done).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    const QList<QStringList> got = Take();
    ASSERT_FALSE(got.isEmpty());
    EXPECT_EQ(got.first(), EventRow("L*F*TREE", 32, {"ORD\\DONE"}));
    EXPECT_TRUE(got.contains(EventRow("L*F*TREE", 64, {"ORD\\DONE"})));
}

TEST_F(Look, TheFormsPopupMenuOpensOnTheContextGestureAndItsItemsRaiseClick)
{
    const QString items = QStringList{Parts({"EDIT", "1", "Edit"}), Parts({"COPY", "2", "Copy"}),
                                      Parts({"-", "2"}), Parts({"DEL", "2", "Delete"}),
                                      Parts({"INFO", "1", "Info"})}
                              .join(VM);
    Load({Create("L*F*BTN", 17, "1", 4096), Create("L*F*LBL", 15, "10", 0),
          Cmd({"2", "L*F*POP", "", "76", "", "", "", "", "32"}), Prop(26, items)});
    auto *popup = qobject_cast<QMenu *>(runtime.WidgetOf("L*F*POP"));
    ASSERT_TRUE(popup);
    EXPECT_EQ(runtime.PopupOf("L*F"), popup);
    ASSERT_EQ(popup->actions().size(), 2);
    QMenu *edit = popup->actions().first()->menu();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->actions().size(), 3);
    EXPECT_TRUE(edit->actions().at(1)->isSeparator());

    // On a control that takes Context: the event, then the menu.
    RightClick(runtime.WidgetOf("L*F*BTN"));
    EXPECT_TRUE(popup->isVisible());
    popup->actions().at(1)->trigger();
    popup->hide();
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("L*F*BTN", 4096), EventRow("L*F*POP", 32, {"INFO"})}));

    // On a control without Context enabled the menu still opens; on the form itself too.
    RightClick(runtime.WidgetOf("L*F*LBL"));
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
    EXPECT_TRUE(Take().isEmpty());
    RightClick(runtime.WidgetOf("L*F"));
    EXPECT_TRUE(popup->isVisible());
    edit->actions().at(0)->trigger();
    popup->hide();
    EXPECT_EQ(Take(), (QList<QStringList>{EventRow("L*F", 4096), EventRow("L*F*POP", 32, {"COPY"})}));
}

TEST_F(Look, ColoursAndFontsAreApplied)
{
    Load({Cmd({"4", "", "14", "", "", "&H80000005"}), // the form: a system colour
          Create("L*F*LBL", 15, "1", 0), Prop(22, "Total"), Prop(15, "255"), Prop(14, "&HFF0000&"),
          Prop(16, "Courier New"), Prop(17, "14"), Prop(18, "1"), Prop(19, "1"), Prop(68, "1")});
    auto *label = qobject_cast<QLabel *>(runtime.WidgetOf("L*F*LBL"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->font().family(), "Courier New");
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 14.0);
    EXPECT_TRUE(label->font().bold() && label->font().italic() && label->font().underline());

    // The form's colour fills its client area, the widget its controls stand on (scrolled
    // inside the window when the form is larger than the screen).
    ASSERT_TRUE(label->parentWidget() && label->parentWidget()->window() == runtime.WidgetOf("L*F"));
    EXPECT_TRUE(label->parentWidget()->autoFillBackground());
}

TEST_F(Look, LabelsShowTheirValueAsTheDesignSurfaceDoes)
{
    Load({Create("L*F*VAL", 15, "1", 0), Prop(1, "Customer:"), Prop(22, "kept only"),
          Create("L*F*CAP", 15, "6", 0), Prop(22, "Total"),
          Create("L*F*DEF", 15, "11", 0), Prop(0, "Default")});
    const auto text = [this](const char *id) {
        auto *label = qobject_cast<QLabel *>(runtime.WidgetOf(id));
        return label ? label->text() : QStringLiteral("<no label>");
    };
    EXPECT_EQ(text("L*F*VAL"), "Customer:");
    EXPECT_EQ(text("L*F*CAP"), "Total");
    EXPECT_EQ(text("L*F*DEF"), "Default");
}

TEST_F(Look, RelativePicturesComeFromTheProjectFolderWhenTheRuntimeKnowsIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(dir.filePath("logo.png")));
    runtime.SetProjectFolder(dir.path());
    // (Absolute names and missing files are the picture loader's and picture control's tests.)
    Load({Create("L*F*PIC", 25, "1", 0), Prop(23, "logo.png")});
    auto *image = qobject_cast<ucImage *>(runtime.WidgetOf("L*F*PIC"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ImageWidth(), 6) << image->LoadError().toStdString();
}

TEST_F(Look, MoveOnAnApplicationMovesAnMdiFrameAndExplainsWhyAnSdiOneCannot)
{
    Load({});
    const GuiResult sdi = runtime.Execute(Cmd({"6", "L", "9", "10", "10"}));
    ASSERT_EQ(sdi.Status.size(), 1);
    EXPECT_EQ(sdi.Status[0].value(0), "2");
    EXPECT_EQ(sdi.Status[0].value(4), "438");
    EXPECT_TRUE(sdi.Status[0].value(5).contains("SDI application")) << sdi.Status[0].value(5).toStdString();
    runtime.Execute("99");
}

TEST_F(Look, MoveOnAnMdiApplicationMovesAndSizesItsFrame)
{
    Load({}, true);
    QWidget *frame = runtime.WidgetOf("L");
    ASSERT_TRUE(frame);
    const GuiResult moved = runtime.Execute(Cmd({"6", "L", "9", "7", "9", "120", "90"}));
    EXPECT_EQ(moved.Status.value(0).value(0), "0") << moved.Status.value(0).join("|").toStdString();
    const QRect first = frame->frameGeometry();
    runtime.Execute(Cmd({"6", "L", "9", "14", "", "240", "180"}));
    const QRect second = frame->frameGeometry();
    // The frame's outer size is what was asked, in the application's scale unit.
    EXPECT_EQ(second.left(), 2 * first.left());
    EXPECT_EQ(second.top(), first.top());
    EXPECT_NEAR(second.width(), 2 * first.width(), 2);
    EXPECT_NEAR(second.height(), 2 * first.height(), 2);
}
