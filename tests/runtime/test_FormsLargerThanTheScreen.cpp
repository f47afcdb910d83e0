// A form larger than the screen opens in a window inside the screen's available area, its
// client area scrolled; the form keeps its own size, its controls their places, and Resize
// still reports the form's size. A form that fits opens as it always did.
#include "runtime/clsGuiRuntime.h"

#include "RuntimeTestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using RuntimeTest::Cmd;
using RuntimeTest::EventRow;

namespace {

// A form record in twips: left, top, width, height ("" for the automatic position).
QString Form(const QString &id, int type, const QString &left, const QString &top, int width, int height)
{
    return Cmd({"2", id, "", QString::number(type), left, top, QString::number(width), QString::number(height), "32768"});
}

struct Screen : RuntimeTest::CollectingRuntime
{
    QRect area;

    // Loads application S (twips; MDI when its size is given) with records, and shows forms.
    void Load(const QStringList &records, const QStringList &shown, const QString &appSize = {})
    {
        area = QGuiApplication::primaryScreen()->availableGeometry();
        ASSERT_FALSE(area.isEmpty());
        Start("1",
              QStringList{Cmd({"2", "S", "", appSize.isEmpty() ? "1" : "0", "", "", appSize.isEmpty() ? "3000" : appSize,
                               appSize.isEmpty() ? "2000" : appSize, "1073741825"})}
                  + records,
              shown);
        Take();
    }
    QMainWindow *Window(const char *id) { return qobject_cast<QMainWindow *>(runtime.WidgetOf(id)); }
};
} // namespace

TEST_F(Screen, ALargeFormOpensInsideTheScreenScrolledAndKeepsItsSize)
{
    // 30,000 twips square (2,000 pixels at 15 twips a pixel), a label in its far corner.
    Load({Form("S*BIG", 8, "", "", 30000, 30000),
          Cmd({"2", "S*BIG*FAR", "", "15", "28500", "29000", "1200", "300", "0"}),
          Cmd({"4", "", "1", "", "", "Far corner"})},
         {"S*BIG"});
    QMainWindow *window = Window("S*BIG");
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_TRUE(area.contains(window->frameGeometry())) << window->frameGeometry().width() << "x"
                                                        << window->frameGeometry().height();
    auto *scroller = qobject_cast<QScrollArea *>(window->centralWidget());
    ASSERT_TRUE(scroller && scroller->widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return scroller->verticalScrollBar()->maximum() > 0; }, 2000));
    EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());

    // The form's client area keeps the form's size and its controls their places.
    QWidget *client = scroller->widget();
    const QSize form(RuntimeWidgets::Pixels(30000, true), RuntimeWidgets::Pixels(30000, false));
    EXPECT_EQ(client->size(), form);
    auto *far = qobject_cast<QLabel *>(runtime.WidgetOf("S*BIG*FAR"));
    ASSERT_TRUE(far && far->parentWidget() == client);
    EXPECT_EQ(far->pos(), QPoint(RuntimeWidgets::Pixels(28500, true), RuntimeWidgets::Pixels(29000, false)));
    // ...and the user reaches them by scrolling.
    scroller->ensureWidgetVisible(far);
    const QRect shown(far->mapTo(scroller->viewport(), QPoint()), far->size());
    EXPECT_TRUE(scroller->viewport()->rect().contains(shown));
    if (const QByteArray folder = qgetenv("CORVANE_GRAB"); !folder.isEmpty())
        window->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("runtime_large_form.png"));

    // Resizing the window reports the form's client area, not the window's.
    window->resize(window->width() - 40, window->height() - 20);
    const QList<QStringList> got = Take();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0], EventRow("S*BIG", 32768, {"30000", "30000"}));
    // Made larger than the form, the client area grows with the window as a form's does.
    window->resize(form + QSize(60, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return client->width() >= form.width() + 60; }, 2000)) << client->width();
}

TEST_F(Screen, PlacedAndFixedLargeFormsOpenInsideTheScreenAndSmallOnesAsStored)
{
    Load({Form("S*PAST", 8, "45000", "45000", 20000, 15000),
          Form("S*FIXED", 9, "300", "300", 40000, 4000),
          Form("S*SMALL", 8, "1500", "1500", 3000, 2010)},
         {"S*PAST", "S*FIXED", "S*SMALL"});
    for (const char *id : {"S*PAST", "S*FIXED"}) {
        QMainWindow *window = Window(id);
        ASSERT_TRUE(window && window->isVisible()) << id;
        EXPECT_TRUE(area.contains(window->frameGeometry())) << id;
        EXPECT_TRUE(qobject_cast<QScrollArea *>(window->centralWidget())) << id;
    }
    // A fixed form stays fixed at the size that fits; only its width needed limiting, so it
    // moves only to the left edge.
    QMainWindow *fixed = Window("S*FIXED");
    EXPECT_EQ(fixed->minimumSize(), fixed->maximumSize());
    EXPECT_EQ(fixed->pos(), QPoint(area.left(), 20));

    // A form that fits: no scroll area, the form's size and position as stored.
    QMainWindow *small = Window("S*SMALL");
    ASSERT_TRUE(small && small->isVisible());
    EXPECT_FALSE(qobject_cast<QScrollArea *>(small->centralWidget()));
    EXPECT_EQ(small->centralWidget()->size(), QSize(200, 134));
    EXPECT_EQ(small->pos(), QPoint(100, 100));
}

TEST_F(Screen, AnMdiFrameFitsTheScreenAndALargeChildFormItsMdiArea)
{
    Load({Form("S*CHILD", 5, "0", "0", 3000, 2000), Form("S*HUGE", 5, "6000", "900", 30000, 30000),
          Form("S*FIXEDCHILD", 6, "", "", 30000, 1500)},
         {"S*CHILD", "S*HUGE", "S*FIXEDCHILD"}, "60000");
    QWidget *frame = runtime.WidgetOf("S");
    ASSERT_TRUE(frame && frame->isVisible());
    EXPECT_LE(frame->frameGeometry().width(), area.width());
    EXPECT_LE(frame->frameGeometry().height(), area.height());

    auto *small = Window("S*CHILD");
    ASSERT_TRUE(small && small->isVisible());
    EXPECT_FALSE(qobject_cast<QScrollArea *>(small->centralWidget()));
    EXPECT_EQ(small->centralWidget()->size(), QSize(200, 133));
    for (const char *id : {"S*HUGE", "S*FIXEDCHILD"}) {
        QMainWindow *window = Window(id);
        ASSERT_TRUE(window && window->isVisible()) << id;
        auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        ASSERT_TRUE(sub && sub->mdiArea()) << id;
        EXPECT_TRUE(sub->mdiArea()->contentsRect().contains(sub->geometry())) << id;
        auto *scroller = qobject_cast<QScrollArea *>(window->centralWidget());
        ASSERT_TRUE(scroller) << id;
        EXPECT_EQ(scroller->widget()->width(), RuntimeWidgets::Pixels(30000, true)) << id;
    }
    // A fixed child stays fixed, at the size that fits; too wide only, it scrolls across only.
    auto *fixed = qobject_cast<QMdiSubWindow *>(Window("S*FIXEDCHILD")->parentWidget());
    EXPECT_EQ(fixed->minimumSize(), fixed->maximumSize());
    auto *across = qobject_cast<QScrollArea *>(Window("S*FIXEDCHILD")->centralWidget());
    EXPECT_TRUE(QTest::qWaitFor([&] { return across->horizontalScrollBar()->maximum() > 0; }, 2000));
    EXPECT_EQ(across->verticalScrollBar()->maximum(), 0);
    if (const QByteArray folder = qgetenv("CORVANE_GRAB"); !folder.isEmpty())
        frame->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("runtime_large_child.png"));
}
