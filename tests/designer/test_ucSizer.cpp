// The selection sizer on an offscreen design form, driven by synthetic mouse events: move
// drags from a press on the control, each nib, snapping, container edges, the undo record and
// status texts each drag leaves, and Undo putting the control back.
#include "DesignSurfaceFixture.h"

#include "support/GuiError.h"
#include "support/Marks.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace surface_test;

namespace {

const QChar VM(Marks::Value);

} // namespace

TEST(ucSizer, MoveDragStoresOneMoveThatUndoPutsBack)
{
    Fixture f;
    f.Load();
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(80, 60, 100, 30));

    // A press on a control that is not selected yet selects it and drags it at once.
    Drag(label, {50, 15}, {70, 25});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1500, 1050, 1500, 450}));
    EXPECT_EQ(label->geometry(), QRect(100, 70, 100, 30));
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Label1"));
    EXPECT_TRUE(f.SizerOf("A*F*Label1")->Active());
    EXPECT_EQ(f.panels.value(2), "1500, 1050");
    ASSERT_EQ(f.undo.Count(), 1);
    EXPECT_EQ(f.undo.CurrentCaption(), "Undo move");
    EXPECT_EQ(f.undo.Newest().First, "A*F*Label1");
    EXPECT_EQ(f.undo.Newest().Second, QStringList({"1200", "900", "1500", "450"}).join(VM));

    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1200, 900, 1500, 450}));
    EXPECT_EQ(label->geometry(), QRect(80, 60, 100, 30));
    // The sizer follows the control back.
    EXPECT_EQ(f.SizerOf("A*F*Label1")->Rectangle(), (SizerModel::Rect{1200, 900, 1500, 450}));
}

TEST(ucSizer, DuringAMoveDragTheSizerIsDrawnAtTheDragPlaceAndClicksStillReachControls)
{
    Fixture f;
    f.Load();
    QWidget *canvas = f.Form()->Canvas();
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    ucSizer *sizer = f.SizerOf("A*F*Label1");
    const QColor navy(0, 0, 128);
    // What the window's backing store holds, so a part repainted too little shows.
    const auto shown = [canvas](QPoint at) {
        QCoreApplication::processEvents();
        QWidget *window = canvas->window();
        const QPoint p = canvas->mapTo(window, at);
        return window->screen()
            ->grabWindow(window->winId(), p.x(), p.y(), 1, 1)
            .toImage()
            .pixelColor(0, 0);
    };
    Click(label, {}, {50, 15});
    ASSERT_TRUE(sizer->Active());
    EXPECT_EQ(shown({80, 60}), navy);

    QTest::mousePress(label, Qt::LeftButton, {}, {50, 15});
    QTest::mouseMove(label, {70, 25});
    // The control keeps its place until the release; the sizer shows where it will go.
    EXPECT_TRUE(sizer->Tracking());
    EXPECT_EQ(label->geometry(), QRect(80, 60, 100, 30));
    EXPECT_TRUE(sizer->Nib(6)->isHidden());
    EXPECT_EQ(shown({100, 70}), navy);
    EXPECT_EQ(shown({199, 99}), navy);
    EXPECT_NE(shown({80, 60}), navy);
    QTest::mouseRelease(label, Qt::LeftButton, {}, {70, 25});

    EXPECT_FALSE(sizer->Tracking());
    EXPECT_EQ(label->geometry(), QRect(100, 70, 100, 30));
    EXPECT_FALSE(sizer->Nib(6)->isHidden());
    EXPECT_EQ(sizer->Nib(6)->geometry().topLeft(), QPoint(100, 70));
    EXPECT_EQ(shown({100, 70}), navy);
    EXPECT_NE(shown({80, 60}), navy);
    // Whatever draws the sizer during a drag lies over the controls without taking their
    // clicks.
    EXPECT_EQ(f.Form()->ItemOf(canvas->childAt(QPoint(150, 85))), &f.Item("A*F*Label1"));
    EXPECT_EQ(canvas->childAt(QPoint(100, 70)), sizer->Nib(6));
}

TEST(ucSizer, AClickWithoutMovingSelectsAndRecordsNothing)
{
    Fixture f;
    f.Load();
    Click(f.WidgetOfItem("A*F*Label1"));
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Label1"));
    EXPECT_TRUE(f.SizerOf("A*F*Label1")->Active());
    EXPECT_EQ(f.undo.Count(), 0);
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1200, 900, 1500, 450}));
    // Selecting another control takes the sizer off the first; a click on a nib without a
    // move changes nothing.
    Click(f.WidgetOfItem("A*F*Frame1"));
    EXPECT_FALSE(f.SizerOf("A*F*Label1")->Active());
    EXPECT_TRUE(f.SizerOf("A*F*Frame1")->Active());
    EXPECT_FALSE(f.SizerOf("A*F*Frame1")->Nib(9)->isHidden());
    EXPECT_TRUE(f.SizerOf("A*F*Frame1")->Nib(9)->isVisible()) << f.Form()->Canvas()->isVisible();
    Click(f.SizerOf("A*F*Frame1")->Nib(9), {}, {2, 2});
    EXPECT_EQ(f.undo.Count(), 0);
    // A click on the empty form selects the form.
    Click(f.Form()->Canvas(), {}, {5, 290});
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F"));
}

TEST(ucSizer, EveryNibResizesItsEdgesWithOneSizeRecord)
{
    Fixture f;
    f.Load();
    Click(f.WidgetOfItem("A*F*Label1"));
    ucSizer *sizer = f.SizerOf("A*F*Label1");
    struct Case { int nib; QList<int> expected; };
    const Case cases[] = {
        {1, {1200, 900, 1500, 600}},  {2, {1200, 1050, 1500, 300}},
        {4, {1350, 900, 1350, 450}},  {8, {1200, 900, 1650, 450}},
        {6, {1350, 1050, 1350, 300}}, {10, {1200, 1050, 1650, 300}},
        {5, {1350, 900, 1350, 600}},  {9, {1200, 900, 1650, 600}},
    };
    for (const Case &c : cases) {
        Drag(sizer->Nib(c.nib), {2, 2}, {12, 12});
        EXPECT_EQ(f.Stored("A*F*Label1"), c.expected) << "nib " << c.nib;
        EXPECT_EQ(f.undo.CurrentCaption(), "Undo size") << "nib " << c.nib;
        EXPECT_EQ(f.undo.Newest().Second, QStringList({"1200", "900", "1500", "450"}).join(VM));
        EXPECT_EQ(f.panels.value(3), QStringLiteral("%1, %2").arg(c.expected[2]).arg(c.expected[3]));
        ASSERT_TRUE(f.edit.Undo());
        EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1200, 900, 1500, 450}));
    }
}

// Grid and switch are the form's, read as the sizer drags: a sizer made from the tree before
// any click on the form has the grid, and the switch counts from the moment it changes.
TEST(ucSizer, SizersDragByTheGridAndSwitchOfTheirFormAsTheyAreNow)
{
    Fixture f;
    f.Load();
    ASSERT_TRUE(f.designer.SelectItem(&f.Item("A*F*Label1")));
    EXPECT_EQ(f.SizerOf("A*F*Label1")->GridX(), 120);
    f.snap = true;
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    // 1200 + 13 px (195 twips) = 1395 snaps to 1440; the top did not move and stays.
    Drag(label, {50, 15}, {63, 15});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1440, 900, 1500, 450}));
    // Widths in half-grid steps: 1500 + 5 px (75) = 1575 snaps to 1560.
    Drag(f.SizerOf("A*F*Label1")->Nib(8), {2, 2}, {7, 2});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1440, 900, 1560, 450}));
    f.snap = false;
    Drag(label, {50, 15}, {63, 15});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1635, 900, 1560, 450}));
}

TEST(ucSizer, DragsNeverLeaveTheContainer)
{
    Fixture f;
    f.Load();
    // On the form: far beyond the right and bottom edges, then beyond the top left.
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    Drag(label, {50, 15}, {5000, 5000});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{4500, 4050, 1500, 450}));
    Drag(label, {50, 15}, {-5000, -5000});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{0, 0, 1500, 450}));

    // In a frame: the frame's own area.
    QWidget *text = f.WidgetOfItem("A*F*Text1");
    ASSERT_NE(text, nullptr);
    Drag(text, {10, 10}, {3000, 10});
    EXPECT_EQ(f.Stored("A*F*Text1"), (QList<int>{1200, 300, 1200, 300}));
    // Its right edge now touches the frame's: the right nib cannot take it further.
    const int records = f.undo.Count();
    Drag(f.SizerOf("A*F*Text1")->Nib(8), {2, 2}, {60, 2});
    EXPECT_EQ(f.Stored("A*F*Text1"), (QList<int>{1200, 300, 1200, 300}));
    EXPECT_EQ(f.undo.Count(), records);
    // The left nib pulled far out stops at the frame's left edge, the right edge kept.
    Drag(f.SizerOf("A*F*Text1")->Nib(4), {2, 2}, {-3000, 2});
    EXPECT_EQ(f.Stored("A*F*Text1"), (QList<int>{0, 300, 2400, 300}));
    // The sizer's nibs are widgets of the form, not of the frame.
    EXPECT_EQ(f.SizerOf("A*F*Text1")->Nib(1)->parentWidget(), f.Form()->Canvas());
}

TEST(ucSizer, TrackingIsRefusedWhileMovingIsNotAllowed)
{
    Fixture f;
    f.Load();
    Click(f.WidgetOfItem("A*F*Label1"));
    ucSizer *sizer = f.SizerOf("A*F*Label1");
    sizer->AllowMove = false;
    EXPECT_THROW(sizer->SetTracking(true), GuiError);
    EXPECT_FALSE(sizer->Tracking());
    // Nibs that move the top or left edge alone are ignored too.
    Drag(sizer->Nib(2), {2, 2}, {2, 12});
    EXPECT_EQ(f.undo.Count(), 0);
}

// Every kind of container gives the sizer the area its controls have: a control moves right
// and down and grows from its right and bottom nibs inside a tab page as on the form, and
// stops at the container's edge.
TEST(ucSizer, ControlsMoveAndGrowInsideEveryKindOfContainer)
{
    Fixture f;
    f.Load({Control("A*G", 5, "", 0, 0, 9000, 7500),
            Control("A*G*Tabs", 30, "", 300, 300, 6000, 4500),
            Control("A*G*Page1", 31, "Tabs", 0, 0, 0, 0),
            Control("A*G*Tree1", 33, "Page1", 150, 150, 1500, 900),
            Control("A*G*Frame2", 26, "", 6600, 300, 2100, 3000),
            Control("A*G*Text2", 16, "Frame2", 150, 300, 1200, 300),
            Control("A*G*Label2", 15, "", 600, 5400, 1500, 450)});
    DesignFormFactory::FormOf(f.Item("A*G"))->Canvas()->show();
    QCoreApplication::processEvents();
    for (const char *path : {"A*G*Tree1", "A*G*Text2", "A*G*Label2", "A*F*Text1"}) {
        SCOPED_TRACE(path);
        const QList<int> before = f.Stored(path);
        QWidget *widget = f.WidgetOfItem(path);
        ASSERT_TRUE(widget && widget->isVisible());
        // 10 px right and 6 px down: 150 and 90 twips.
        Drag(widget, {8, 8}, {18, 14});
        EXPECT_EQ(f.Stored(path),
                  (QList<int>{before[0] + 150, before[1] + 90, before[2], before[3]}));
        // The bottom right nib: 4 px wider, 2 px higher.
        Drag(f.SizerOf(path)->Nib(9), {2, 2}, {6, 4});
        EXPECT_EQ(f.Stored(path),
                  (QList<int>{before[0] + 150, before[1] + 90, before[2] + 60, before[3] + 30}));
        // Far beyond the container: the control stops at its right and bottom edges.
        int originX = 0, originY = 0, right = 0, bottom = 0;
        DesignFormFactory::FormOf(*f.Item(path).Form())
            ->ContainerArea(f.Item(path).ControlObject()->Container(), originX, originY, right,
                            bottom);
        Drag(widget, {8, 8}, {3000, 3000});
        const QList<int> far = f.Stored(path);
        EXPECT_GT(far[0], before[0] + 150);
        EXPECT_LE(far[0] + far[2], right - originX);
        EXPECT_GT(far[0] + far[2], right - originX - 15);
        EXPECT_LE(far[1] + far[3], bottom - originY);
        EXPECT_GT(far[1] + far[3], bottom - originY - 15);
    }
    // The tab page's area is the group's less its row of tabs.
    int originX = 0, originY = 0, right = 0, bottom = 0;
    DesignFormFactory::FormOf(f.Item("A*G"))
        ->ContainerArea(f.Item("A*G*Page1").ControlObject(), originX, originY, right, bottom);
    EXPECT_GT(right, 5000);
    EXPECT_LT(right, 6000);
    EXPECT_GT(bottom, 3000);
    EXPECT_LT(bottom, 4500);
}

// The sizer's own mouse events come from its nibs: down and up on every press and release
// (twips from the sizer's corner), a click only when the press resized nothing, a double
// click on a double click.
TEST(ucSizer, NibsRaiseTheSizersOwnMouseEvents)
{
    Fixture f;
    f.Load();
    Click(f.WidgetOfItem("A*F*Label1"));
    ucSizer *sizer = f.SizerOf("A*F*Label1");
    QSignalSpy down(sizer, &ucSizer::MouseDown), up(sizer, &ucSizer::MouseUp),
        clicks(sizer, &ucSizer::Click), doubles(sizer, &ucSizer::DblClick);
    QWidget *nib = sizer->Nib(9);
    const QPoint corner = (nib->pos() - sizer->Nib(6)->pos() + QPoint(2, 3)) * 15;

    Click(nib, {}, {2, 3});
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0), (QVariantList{1, 0, corner.x(), corner.y()}));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up.at(0), (QVariantList{1, 0, corner.x(), corner.y()}));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(f.undo.Count(), 0);

    // A resize is no click; the right button with Shift is reported with its codes.
    Drag(nib, {2, 2}, {12, 12});
    EXPECT_EQ(f.undo.Count(), 1);
    EXPECT_EQ(down.count(), 2);
    EXPECT_EQ(up.count(), 2);
    EXPECT_EQ(clicks.count(), 1);
    nib = sizer->Nib(9);
    QTest::mousePress(nib, Qt::RightButton, Qt::ShiftModifier, {1, 1});
    QTest::mouseRelease(nib, Qt::RightButton, Qt::ShiftModifier, {1, 1});
    EXPECT_EQ(down.last().mid(0, 2), (QVariantList{2, 1}));
    EXPECT_EQ(up.last().mid(0, 2), (QVariantList{2, 1}));
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseDClick(nib, Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(f.undo.Count(), 1);
}
