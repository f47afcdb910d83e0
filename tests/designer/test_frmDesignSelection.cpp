// Several controls selected on a design form: Ctrl and Shift clicks, rubber bands, Ctrl+A, the
// secondary marks, group drags with their one undo record, and the keyboard moves, on the
// form and handed on by the project tree.
#include "DesignSurfaceFixture.h"

#include "designer/clsProjectTree.h"
#include "model/Vocabulary.h"

#include <QBackingStore>
#include <QKeySequence>
#include <QRubberBand>
#include <QTest>
#include <QTreeWidget>

using namespace surface_test;
using namespace Vocabulary;

namespace {

constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;

QStringList Ids(const QList<clsControl *> &items)
{
    QStringList ids;
    for (const clsControl *item : items)
        ids << item->FullID();
    return ids;
}

// The pixels of `during`, the window's copy of the canvas from `origin` on, that differ from
// `before`: those within 5 pixels of an edge of one of `boxes`, and the others.
std::pair<int, int> Differences(const QImage &during, QPoint origin, const QImage &before,
                                const QList<QRect> &boxes)
{
    const auto nearAnEdge = [&](QPoint p) {
        for (const QRect &box : boxes)
            if (box.adjusted(-5, -5, 5, 5).contains(p) && !box.adjusted(5, 5, -5, -5).contains(p))
                return true;
        return false;
    };
    int outline = 0, elsewhere = 0;
    for (int y = 0; y < during.height(); ++y)
        for (int x = 0; x < during.width(); ++x) {
            const QPoint at = QPoint(x, y) + origin;
            if (during.pixel(x, y) != before.pixel(at))
                ++(nearAnEdge(at) ? outline : elsewhere);
        }
    return {outline, elsewhere};
}

// A window holding the canvas of the fixture's form at (37, 23), and what it shows of it.
struct CanvasWindow
{
    QWidget Window;
    QRect Seen;
    CanvasWindow(Fixture &f, QSize size)
    {
        Window.resize(size);
        QWidget *canvas = f.Form()->Canvas();
        canvas->setParent(&Window);
        canvas->move(37, 23);
        canvas->show();
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
        QCoreApplication::processEvents();
        Seen = QRect(QPoint(37, 23), canvas->size()) & Window.rect();
    }
    // What the window's backing store holds of the canvas once what waits is painted.
    QImage Shown()
    {
        QCoreApplication::processEvents();
        const auto *store = static_cast<const QImage *>(Window.backingStore()->paintDevice());
        return store->copy(Seen).convertToFormat(QImage::Format_RGB32);
    }
    QImage Drawn() { return Window.grab(Seen).toImage().convertToFormat(QImage::Format_RGB32); }
    // Where the copies start on the canvas.
    QPoint Origin() const { return Seen.topLeft() - QPoint(37, 23); }
};

QColor Pixel(frmDesign *form, QPoint at)
{
    QCoreApplication::processEvents();
    return form->Grab().pixelColor(at);
}

} // namespace

// The form of the fixture is 400 x 300 pixels: Label1 at (80, 60) 100 x 30, Check1 at
// (80, 160) 100 x 20, Frame1 at (200, 100) 160 x 120 with Text1 inside it.
TEST(frmDesignSelection, CtrlAndShiftClicksChooseSeveralControlsAndTheOthersShowMarks)
{
    Fixture f;
    f.Load();
    struct Step
    {
        const char *path;
        Qt::KeyboardModifiers modifiers;
        QStringList selection; // primary last
    };
    const Step steps[] = {
        {"A*F*Label1", {}, {"A*F*Label1"}},
        {"A*F*Check1", Ctrl, {"A*F*Label1", "A*F*Check1"}},
        {"A*F*Frame1", Shift, {"A*F*Label1", "A*F*Check1", "A*F*Frame1"}},
        // Shift on a selected control makes it the primary; Ctrl takes it out.
        {"A*F*Label1", Shift, {"A*F*Check1", "A*F*Frame1", "A*F*Label1"}},
        {"A*F*Check1", Ctrl, {"A*F*Frame1", "A*F*Label1"}},
        {"A*F*Text1", Ctrl, {"A*F*Frame1", "A*F*Label1", "A*F*Text1"}},
        // A plain click picks one control again.
        {"A*F*Label1", {}, {"A*F*Label1"}},
        {"A*F*Check1", Ctrl, {"A*F*Label1", "A*F*Check1"}},
    };
    for (const Step &step : steps) {
        Click(f.WidgetOfItem(step.path), step.modifiers);
        EXPECT_EQ(Ids(f.designer.Selection()), step.selection) << step.path;
        EXPECT_EQ(f.designer.CurrentItem(), &f.Item(step.selection.back())) << step.path;
    }
    EXPECT_EQ(f.undo.Count(), 0);

    // A right click on one of several keeps them for the context menu, that one the primary.
    QTest::mouseClick(f.WidgetOfItem("A*F*Label1"), Qt::RightButton, {}, {5, 5});
    EXPECT_EQ(Ids(f.designer.Selection()), (QStringList{"A*F*Check1", "A*F*Label1"}));
    EXPECT_EQ(f.contextMenus, 1);

    // The primary has its sizer; the others an outline with small hollow nibs in grey.
    ucSizer *label = f.SizerOf("A*F*Label1");
    ucSizer *check = f.SizerOf("A*F*Check1");
    ASSERT_TRUE(label && check);
    EXPECT_TRUE(label->Active());
    EXPECT_FALSE(label->Nib(6)->isHidden());
    EXPECT_TRUE(check->Secondary());
    EXPECT_TRUE(check->Nib(6)->isHidden());
    frmDesign *form = f.Form();
    if (const QString folder = qEnvironmentVariable("CORVANE_GRAB"); !folder.isEmpty())
        form->Grab().copy(60, 40, 140, 160).scaled(560, 640).save(folder + QStringLiteral("/several-selected.png"));
    const QColor grey(96, 96, 96), navy(0, 0, 128);
    EXPECT_EQ(Pixel(form, {80, 60}), navy);
    EXPECT_EQ(Pixel(form, {80, 160}), grey);  // Check1's corner nib, outlined
    EXPECT_EQ(Pixel(form, {81, 161}), QColor(Qt::white));
    EXPECT_EQ(Pixel(form, {82, 162}), QColor(Qt::white));
    EXPECT_EQ(Pixel(form, {130, 160}), grey); // its top outline
    // Taken out of the selection, the mark goes.
    Click(f.WidgetOfItem("A*F*Label1"), Ctrl);
    Click(f.WidgetOfItem("A*F*Check1"), Ctrl);
    EXPECT_FALSE(check->Secondary());
    EXPECT_NE(Pixel(form, {130, 160}), grey);
}

TEST(frmDesignSelection, ARubberBandSelectsTheControlsOfItsContainerThatItTouches)
{
    struct Case
    {
        const char *name;
        const char *pressOn; // "" for the form
        QPoint from, to;     // on the widget pressed
        Qt::KeyboardModifiers modifiers;
        QStringList selection; // as a set
    };
    const Case cases[] = {
        {"two labels", "", {20, 40}, {120, 170}, {}, {"A*F*Label1", "A*F*Check1"}},
        {"upwards and left", "", {190, 185}, {20, 40}, {}, {"A*F*Label1", "A*F*Check1"}},
        {"the frame, not what is in it", "", {190, 90}, {230, 140}, {}, {"A*F*Frame1"}},
        {"nothing touched selects the form", "", {10, 250}, {60, 290}, {}, {"A*F"}},
        {"with Ctrl inside the frame", "A*F*Frame1", {100, 60}, {5, 30}, Ctrl, {"A*F*Text1"}},
        {"with Shift on the form it adds", "", {20, 150}, {120, 170}, Shift,
         {"A*F*Label1", "A*F*Check1"}},
    };
    for (const Case &c : cases) {
        Fixture f;
        f.Load();
        f.designer.SelectItem(&f.Item("A*F*Label1"));
        QWidget *pressed = *c.pressOn ? f.WidgetOfItem(c.pressOn) : f.Form()->Canvas();
        QTest::mousePress(pressed, Qt::LeftButton, c.modifiers, c.from);
        QTest::mouseMove(pressed, (c.from + c.to) / 2);
        QTest::mouseMove(pressed, c.to);
        const QRect band = f.Form()->RubberBand();
        EXPECT_FALSE(band.isEmpty()) << c.name;
        const auto *edge = f.Form()->Canvas()->findChild<QRubberBand *>("SelectionBand");
        ASSERT_TRUE(edge) << c.name;
        EXPECT_TRUE(edge->isVisible()) << c.name;
        QTest::mouseRelease(pressed, Qt::LeftButton, c.modifiers, c.to);
        EXPECT_TRUE(f.Form()->RubberBand().isEmpty()) << c.name;
        EXPECT_FALSE(edge->isVisible()) << c.name;
        QStringList got = Ids(f.designer.Selection());
        QStringList want = c.selection;
        got.sort();
        want.sort();
        EXPECT_EQ(got, want) << c.name;
        EXPECT_EQ(f.undo.Count(), 0) << c.name;
    }
}

TEST(frmDesignSelection, CtrlASelectsEveryControlOfTheFormsTopLevel)
{
    Fixture f;
    f.Load({Control("A*F*Timer1", Type::Timer, "", 0, 0, 450, 450),
            Control("A*F*Menu1", Type::Menu, "", 0, 0, 0, 0)});
    QWidget *canvas = f.Form()->Canvas();
    // From a control inside a frame: the form's own controls, not the timer or the bar.
    f.designer.SelectItem(&f.Item("A*F*Text1"));
    QTest::keyClick(canvas, Qt::Key_A, Ctrl);
    QStringList got = Ids(f.designer.Selection());
    got.sort();
    EXPECT_EQ(got, (QStringList{"A*F*Check1", "A*F*Frame1", "A*F*Label1"}));
    // The primary stays when it is one of them.
    f.designer.SelectItem(&f.Item("A*F*Check1"));
    QTest::keyClick(canvas, Qt::Key_A, Ctrl);
    EXPECT_EQ(f.designer.Selection().size(), 3);
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Check1"));
}

TEST(frmDesignSelection, DraggingOneOfSeveralMovesThemAllInOneUndoRecord)
{
    Fixture f;
    f.Load({Control("A*F*Edge", Type::Label, "", 300, 3300, 600, 300)});
    Click(f.WidgetOfItem("A*F*Label1"));
    Click(f.WidgetOfItem("A*F*Check1"), Ctrl);
    Click(f.WidgetOfItem("A*F*Edge"), Ctrl);
    ASSERT_EQ(f.designer.Selection().size(), 3);

    // The press on a secondary makes it the primary; 40 pixels to the left is 600 twips, which
    // Edge (at 300) cannot go: the group keeps its shape and stops where Edge meets the edge.
    QWidget *label = f.WidgetOfItem("A*F*Label1");
    QTest::mousePress(label, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(f.designer.CurrentItem(), &f.Item("A*F*Label1"));
    QTest::mouseMove(label, {30, 20});
    QTest::mouseMove(label, {10, 25});
    // Nothing moves before the release.
    EXPECT_EQ(f.Stored("A*F*Check1"), (QList<int>{1200, 2400, 1500, 300}));
    QTest::mouseRelease(label, Qt::LeftButton, {}, {10, 25});
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{900, 1050, 1500, 450}));
    EXPECT_EQ(f.Stored("A*F*Check1"), (QList<int>{900, 2550, 1500, 300}));
    EXPECT_EQ(f.Stored("A*F*Edge"), (QList<int>{0, 3450, 600, 300}));
    EXPECT_EQ(f.WidgetOfItem("A*F*Check1")->pos(), QPoint(60, 170));
    // The selection stays, and its marks follow the controls.
    EXPECT_EQ(f.designer.Selection().size(), 3);
    EXPECT_EQ(f.SizerOf("A*F*Check1")->Rectangle(), (SizerModel::Rect{900, 2550, 1500, 300}));
    ASSERT_EQ(f.undo.Count(), 1);
    EXPECT_EQ(f.undo.CurrentCaption(), "Undo move");
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1200, 900, 1500, 450}));
    EXPECT_EQ(f.Stored("A*F*Check1"), (QList<int>{1200, 2400, 1500, 300}));
    EXPECT_EQ(f.Stored("A*F*Edge"), (QList<int>{300, 3300, 600, 300}));

    // Snapping: the dragged control snaps as alone, the others keep their distance to it.
    f.snap = true;
    ASSERT_TRUE(f.designer.SelectItems({&f.Item("A*F*Check1"), &f.Item("A*F*Edge"),
                                        &f.Item("A*F*Label1")},
                                       &f.Item("A*F*Label1")));
    Drag(label, {50, 15}, {69, 15});
    EXPECT_EQ(f.Stored("A*F*Label1").front(), 1440);
    EXPECT_EQ(f.Stored("A*F*Check1").front(), 1440);
    EXPECT_EQ(f.Stored("A*F*Edge").front(), 540);
    EXPECT_EQ(f.undo.Count(), 1);

    // A nib resizes the primary alone.
    QWidget *nib = f.SizerOf("A*F*Label1")->Nib(8);
    ASSERT_TRUE(nib && nib->isVisible());
    Drag(nib, {2, 2}, {18, 2});
    EXPECT_EQ(f.Stored("A*F*Label1")[2], 1740);
    EXPECT_EQ(f.Stored("A*F*Check1")[2], 1500);
    EXPECT_EQ(f.undo.CurrentCaption(), "Undo size");
    EXPECT_EQ(f.designer.Selection().size(), 3);
    // A click without a move on one of them picks it alone.
    Click(f.WidgetOfItem("A*F*Check1"));
    EXPECT_EQ(Ids(f.designer.Selection()), QStringList{"A*F*Check1"});
}

// While a group is dragged the window shows the form as it was before the selection, with the
// outlines moving over it. Each step is checked in what the window holds (its backing store),
// which a step changes only where the outlines were and are: a wrong offset, a stale copy, a
// mark left at the start or an outline left behind differs away from the outlines. The small
// window hides part of the form, which is then drawn afresh.
TEST(frmDesignSelection, AGroupDragShowsTheFormAsItWasUnderTheMovingOutlines)
{
    for (const QSize windowSize : {QSize(500, 400), QSize(250, 200)}) {
        SCOPED_TRACE(windowSize.width());
        Fixture f;
        f.LoadOutOfSight();
        CanvasWindow window(f, windowSize);
        Click(f.WidgetOfItem("A*F*Label1"));
        Click(f.WidgetOfItem("A*F*Check1"), Ctrl);
        Click(f.WidgetOfItem("A*F*Frame1"), Ctrl);
        QCoreApplication::processEvents();

        // Label1 (80, 60), Check1 (80, 160) and Frame1 (200, 100), dragged by Frame1 from
        // (50, 15) in steps that go back over themselves, the outlines of one step crossing
        // those of the last; then dragged again from where they went.
        QList<QRect> boxes{{80, 60, 100, 30}, {80, 160, 100, 20}, {200, 100, 160, 120}};
        QWidget *frame = f.WidgetOfItem("A*F*Frame1");
        const QList<QPoint> steps{{35, 20}, {20, 25}, {22, 26}, {60, 40}, {57, 38}, {20, 25}};
        for (int drag = 0; drag < 2; ++drag) {
            SCOPED_TRACE(drag);
            // The form as it draws without any selection, the controls where this drag starts.
            Fixture plain;
            plain.LoadOutOfSight();
            for (const char *path : {"A*F*Label1", "A*F*Check1", "A*F*Frame1"}) {
                const QList<int> at = plain.Stored(path);
                plain.Item(path).Move(QString::number(at[0] - drag * 450),
                                      QString::number(at[1] + drag * 150), {}, {});
            }
            const QImage before = plain.Form()->Grab().convertToFormat(QImage::Format_RGB32);
            QTest::mousePress(frame, Qt::LeftButton, {}, {50, 15});
            for (const QPoint step : steps) {
                SCOPED_TRACE(step.x());
                QTest::mouseMove(frame, step);
                const QImage during = window.Shown();
                const QPoint by = step - QPoint(50, 15);
                QList<QRect> now;
                for (const QRect &box : boxes)
                    now << box.translated(by);
                const auto [outline, elsewhere] = Differences(during, window.Origin(), before, now);
                EXPECT_EQ(elsewhere, 0);
                // Check1's outline at its new place, where the window shows it.
                const QPoint left = now[1].topLeft() + QPoint(0, 10);
                if (window.Seen.contains(left + QPoint(37, 23)))
                    EXPECT_EQ(during.pixelColor(left - window.Origin()), QColor(96, 96, 96));
                EXPECT_GT(outline, 100);
            }
            QTest::mouseRelease(frame, Qt::LeftButton, {}, steps.back());
            ASSERT_EQ(f.Stored("A*F*Frame1").front(), 3000 - (drag + 1) * 450);
            // After the release the window shows what the form draws now: nothing of the
            // picture is left behind.
            EXPECT_EQ(window.Shown(), window.Drawn());
            for (QRect &box : boxes)
                box.translate(-30, 10);
        }
    }
}

// Eighty labels that overlap their neighbours besides the three controls, all selected: the
// outlines cross each other at every step, and the move's Undo repaints hundreds of marks at
// once. At each stage the window shows the form as it draws.
TEST(frmDesignSelection, ManyCrossingOutlinesMoveAndComeBackWithoutATrace)
{
    QStringList labels;
    QList<QRect> boxes{{80, 60, 100, 30}, {80, 160, 100, 20}, {200, 100, 160, 120}};
    for (int i = 0; i < 80; ++i) {
        const QRect box(10 + (i % 20) * 19, 235 + (i / 20) * 14, 20, 10);
        labels << Control(QStringLiteral("A*F*L%1").arg(i), 15, "", box.x() * 15, box.y() * 15,
                          box.width() * 15, box.height() * 15);
        boxes << box;
    }
    Fixture f;
    f.LoadOutOfSight(labels);
    CanvasWindow window(f, {500, 400});
    const QImage before = f.Form()->Grab().convertToFormat(QImage::Format_RGB32);
    Click(f.WidgetOfItem("A*F*Label1"));
    QTest::keyClick(f.Form()->Canvas(), Qt::Key_A, Ctrl);
    ASSERT_EQ(f.designer.Selection().size(), 83);

    QWidget *frame = f.WidgetOfItem("A*F*Frame1");
    QTest::mousePress(frame, Qt::LeftButton, {}, {50, 15});
    for (const int y : {12, 9, 11, 5}) {
        SCOPED_TRACE(y);
        QTest::mouseMove(frame, {50, y});
        QList<QRect> now;
        for (const QRect &box : boxes)
            now << box.translated(0, y - 15);
        EXPECT_EQ(Differences(window.Shown(), window.Origin(), before, now).second, 0);
    }
    QTest::mouseRelease(frame, Qt::LeftButton, {}, {50, 5});
    EXPECT_EQ(f.Stored("A*F*L79"), (QList<int>{(10 + 19 * 19) * 15, (235 + 3 * 14 - 10) * 15, 300, 150}));
    EXPECT_EQ(window.Shown(), window.Drawn());
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Stored("A*F*L79"), (QList<int>{(10 + 19 * 19) * 15, (235 + 3 * 14) * 15, 300, 150}));
    EXPECT_EQ(window.Shown(), window.Drawn());
    // The marks of all but one go, and come again, without a control moving.
    Click(f.WidgetOfItem("A*F*Label1"));
    EXPECT_EQ(window.Shown(), window.Drawn());
    QTest::keyClick(f.Form()->Canvas(), Qt::Key_A, Ctrl);
    EXPECT_EQ(window.Shown(), window.Drawn());
}

TEST(frmDesignSelection, CtrlArrowsMoveTheSelectionAndCtrlShiftArrowsSizeThePrimary)
{
    struct Case
    {
        bool snap;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QList<int> label, check; // stored rectangles after two presses
    };
    // Without snapping a press is one pixel (15 twips), with it one grid step (120 twips).
    const Case cases[] = {
        {false, Qt::Key_Right, Ctrl, {1230, 900, 1500, 450}, {1230, 2400, 1500, 300}},
        {false, Qt::Key_Up, Ctrl, {1200, 870, 1500, 450}, {1200, 2370, 1500, 300}},
        {true, Qt::Key_Left, Ctrl, {960, 900, 1500, 450}, {960, 2400, 1500, 300}},
        {true, Qt::Key_Down, Ctrl, {1200, 1140, 1500, 450}, {1200, 2640, 1500, 300}},
        {false, Qt::Key_Right, Ctrl | Shift, {1200, 900, 1530, 450}, {1200, 2400, 1500, 300}},
        {true, Qt::Key_Up, Ctrl | Shift, {1200, 900, 1500, 210}, {1200, 2400, 1500, 300}},
    };
    for (const Case &c : cases) {
        const std::string name =
            QKeySequence(QKeyCombination(c.modifiers, c.key)).toString().toStdString()
            + (c.snap ? " snap" : "");
        Fixture f;
        f.Load();
        f.snap = c.snap;
        Click(f.WidgetOfItem("A*F*Check1"));
        Click(f.WidgetOfItem("A*F*Label1"), Ctrl);
        QWidget *canvas = f.Form()->Canvas();
        QTest::keyClick(canvas, c.key, c.modifiers);
        QTest::keyClick(canvas, c.key, c.modifiers);
        EXPECT_EQ(f.Stored("A*F*Label1"), c.label) << name;
        EXPECT_EQ(f.Stored("A*F*Check1"), c.check) << name;
        // The run of keys is one record.
        EXPECT_EQ(f.undo.Count(), 1) << name;
        ASSERT_TRUE(f.edit.Undo()) << name;
        EXPECT_EQ(f.Stored("A*F*Label1"), (QList<int>{1200, 900, 1500, 450})) << name;
        EXPECT_EQ(f.Stored("A*F*Check1"), (QList<int>{1200, 2400, 1500, 300})) << name;
    }
}

// The keyboard is in the project tree while the user works on a form: the tree hands Ctrl+A
// and Ctrl+arrows to the form of the selection, and Ctrl or Shift clicks on its nodes choose
// controls of one form as a click on the form does.
TEST(frmDesignSelection, TheTreeHandsItsKeysToTheFormAndChoosesControlsOfOneForm)
{
    Fixture f;
    QTreeWidget view;
    clsProjectTree tree(view);
    clsProjectTree::Links links;
    links.Designer = &f.designer;
    links.Edit = &f.edit;
    links.Prompter = &f.prompter;
    tree.SetLinks(links);
    f.designer.SetProjectTree(&tree);
    f.Load({Control("A*G", 5, "", 0, 0, 3000, 3000), Control("A*G*Other", 15, "", 0, 0, 900, 300)});
    view.resize(300, 500);
    view.show();
    QCoreApplication::processEvents();
    const auto clickNode = [&](const char *path, Qt::KeyboardModifiers modifiers) {
        QTreeWidgetItem *node = tree.Node(path);
        view.scrollToItem(node);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers,
                          view.visualItemRect(node).center());
    };
    const auto selectedNodes = [&] {
        QStringList ids;
        for (const QTreeWidgetItem *node : view.selectedItems())
            ids << clsProjectTree::FullIdOf(node);
        ids.sort();
        return ids;
    };

    clickNode("A*F*Label1", {});
    clickNode("A*F*Check1", Ctrl);
    clickNode("A*F*Text1", Shift);
    EXPECT_EQ(Ids(f.designer.Selection()), (QStringList{"A*F*Label1", "A*F*Check1", "A*F*Text1"}));
    EXPECT_EQ(selectedNodes(), (QStringList{"A*F*Check1", "A*F*Label1", "A*F*Text1"}));
    EXPECT_EQ(clsProjectTree::FullIdOf(view.currentItem()), "A*F*Text1");
    EXPECT_TRUE(f.SizerOf("A*F*Label1")->Secondary());
    // A control of another form is refused: the tree keeps what it showed.
    clickNode("A*G*Other", Ctrl);
    EXPECT_EQ(f.designer.Selection().size(), 3);
    EXPECT_EQ(selectedNodes(), (QStringList{"A*F*Check1", "A*F*Label1", "A*F*Text1"}));
    // Ctrl+click on a selected node takes it out.
    clickNode("A*F*Text1", Ctrl);
    EXPECT_EQ(Ids(f.designer.Selection()), (QStringList{"A*F*Label1", "A*F*Check1"}));
    EXPECT_EQ(selectedNodes(), (QStringList{"A*F*Check1", "A*F*Label1"}));

    // A right press on one of them keeps the selection, that one the primary.
    QTreeWidgetItem *label = tree.Node("A*F*Label1");
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, view.visualItemRect(label).center());
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, view.visualItemRect(label).center());
    EXPECT_EQ(Ids(f.designer.Selection()), (QStringList{"A*F*Check1", "A*F*Label1"}));
    // Ctrl+arrow moves both; plain arrows walk the tree as before.
    QTest::keyClick(&view, Qt::Key_Right, Ctrl);
    EXPECT_EQ(f.Stored("A*F*Label1").front(), 1215);
    EXPECT_EQ(f.Stored("A*F*Check1").front(), 1215);
    EXPECT_EQ(f.designer.Selection().size(), 2);
    // Ctrl+A selects the form's top level.
    QTest::keyClick(&view, Qt::Key_A, Ctrl);
    EXPECT_EQ(f.designer.Selection().size(), 3);
    EXPECT_EQ(selectedNodes(), (QStringList{"A*F*Check1", "A*F*Frame1", "A*F*Label1"}));
    // A plain click on the primary's node picks it alone.
    clickNode(qPrintable(f.designer.CurrentItem()->FullID()), {});
    EXPECT_EQ(f.designer.Selection().size(), 1);
    EXPECT_EQ(view.selectedItems().size(), 1);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(f.designer.Selection().size(), 1);
    EXPECT_EQ(view.selectedItems().size(), 1);
    EXPECT_EQ(view.selectedItems().front(), view.currentItem());
    f.designer.SetProjectTree(nullptr);
}
