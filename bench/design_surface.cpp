// The design surface on the offscreen platform:
// (a) a form of 500 controls of every kind made by loading it onto a design form, against 500
//     bare Qt widgets made in one plain QWidget (goal: at most 3 times as long);
// (b) one move drag on a form of 50 and of 500 controls (goal: within 1.5 times: a drag moves
//     only the sizer, it does not repaint or lay out every control);
// (d) on the form of 500 controls: every control selected and dragged 40 steps against the
//     same drag of one control (goal: at most 3 times as long per step, the steps being the
//     mouse moves; the whole drag is printed too, its release repainting the 500 moved
//     controls once), its Undo and Redo against the drag (goal: no slower), a rubber band
//     drawn over all 500 (goal: under 16 ms per mouse move); Ctrl+A over the 500, and Align
//     Lefts of all 500 and its Undo, each with what it repaints (goal: under 50 ms each);
// (c) drawing every form of a 100-form x 100-control project as `corvane render` does, against
//     loading it headless as `corvane check` does (goal: at most 3 times as long).
#include "EditStack.h"
#include "app/Arrangement.h"
#include "app/clsDesigner.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/frmDesign.h"
#include "designer/ucSizer.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/Marks.h"

#include "BareWidgets.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }

// Every control kind that sits on a form by itself.
constexpr int Kinds[] = {15, 16, 17, 29, 18, 19, 20, 21, 22, 34, 23, 24, 25, 26, 27, 28, 32, 33, 36};

// One application in twips with forms of `controls` controls each, cycling through the kinds.
QString Generate(int forms, int controls)
{
    QStringList recs{Rec({"TEMPLATE", "45000", "bench"}), Rec({"0", "1.4", "1"}),
                     Rec({"2", "APP", "", "1", "0", "0", "12000", "9000", "1073741824"})};
    for (int f = 0; f < forms; ++f) {
        const QString form = QStringLiteral("APP*F%1").arg(f);
        recs << Rec({"2", form, "", "5", "0", "0", "15000", "12000", "0"});
        recs << Rec({"4", "", "22", "", "", form});
        for (int c = 0; c < controls; ++c) {
            const int kind = Kinds[c % std::size(Kinds)];
            recs << Rec({"2", form + QStringLiteral("*C%1").arg(c), "", QString::number(kind),
                         QString::number((c % 20) * 720), QString::number((c / 20) * 450), "660",
                         "390", "0"});
        }
    }
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

// Loads the text; with a factory the forms are design forms. Milliseconds.
struct Loaded : EditStack
{
    DesignSurfaceHost host{designer, edit};
    DesignFormFactory factory;
    explicit Loaded(bool withHost) : factory(withHost ? &host : nullptr) {}
    ~Loaded() { designer.ReleaseAll(); }
    double Load(const QString &text, bool design)
    {
        if (design)
            items.SetFormFactory(&factory);
        QElapsedTimer timer;
        timer.start();
        const bool loaded = designer.SetTemplate(text);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (!loaded || items.Count() < 3)
            std::printf("load failed: %s\n",
                        prompter.ReportTexts().empty() ? "" : qPrintable(prompter.ReportTexts().front()));
        return ms;
    }
};

Cost DesignForm500(const QString &text)
{
    Loaded loaded(true);
    const CostTimer timer;
    loaded.Load(text, true);
    frmDesign *form = loaded.factory.Forms().value(1);
    form->Canvas()->grab();
    return timer.Elapsed();
}


// One move drag of the first control across 40 steps, each step painted.
Cost Drag(int controls)
{
    Loaded loaded(true);
    loaded.Load(Generate(1, controls), true);
    frmDesign *form = loaded.factory.Forms().value(1);
    QWidget *canvas = form->Canvas();
    canvas->setAttribute(Qt::WA_DontShowOnScreen);
    canvas->show();
    QApplication::processEvents();
    clsControl *item = loaded.items.Find(QStringLiteral("APP*F0*C0"));
    QWidget *widget = nullptr;
    for (QWidget *w : canvas->findChildren<QWidget *>())
        if (form->ItemOf(w) == item && w->parentWidget() == canvas)
            widget = w;
    if (!widget)
        return {};
    const auto send = [widget](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(widget, &event);
    };
    // The control is selected first: the drag is what is timed.
    send(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    QApplication::processEvents();
    const CostTimer cost;
    send(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    QApplication::processEvents();
    const double press = cost.Elapsed().Wall;
    for (int step = 1; step <= 40; ++step) {
        send(QEvent::MouseMove, {5 + step * 3, 5 + step * 2}, Qt::LeftButton);
        // What the drag made dirty is painted, as the event loop would between two moves.
        if (!qEnvironmentVariableIsSet("BENCH_NOPAINT"))
            QApplication::processEvents();
    }
    const double moves = cost.Elapsed().Wall - press;
    send(QEvent::MouseButtonRelease, {125, 85}, Qt::NoButton);
    QApplication::processEvents();
    const Cost all = cost.Elapsed();
    if (qEnvironmentVariableIsSet("BENCH_DETAIL"))
        std::printf("    %d controls: press %.2f ms, 40 moves %.2f ms, release %.2f ms\n", controls,
                    press, moves, all.Wall - press - moves);
    return all;
}

// The form of 500 controls shown, with mouse input as the window system gives it.
struct Surface : Loaded
{
    frmDesign *Form = nullptr;
    QWidget *Canvas = nullptr;
    Surface() : Loaded(true)
    {
        Load(Generate(1, 500), true);
        Form = factory.Forms().value(1);
        Canvas = Form->Canvas();
        Canvas->setAttribute(Qt::WA_DontShowOnScreen);
        Canvas->show();
        QApplication::processEvents();
    }
    QWidget *WidgetOf(const QString &id) const
    {
        clsControl *item = items.Find(id);
        for (QWidget *w : Canvas->findChildren<QWidget *>())
            if (Form->ItemOf(w) == item && w->parentWidget() == Canvas)
                return w;
        return nullptr;
    }
    static void Send(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(widget, &event);
    }
    // The first control, clicked so it is the selection.
    QWidget *ClickFirst()
    {
        QWidget *widget = WidgetOf(QStringLiteral("APP*F0*C0"));
        if (!widget)
            return nullptr;
        Send(widget, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
        Send(widget, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
        QApplication::processEvents();
        return widget;
    }
};

// The drag of (b) on the form of 500, of the first control with `selected` - 1 others
// selected (the first row, or all 500): the whole drag and its 40 moves.
struct DragCosts
{
    Cost Whole, Moves, Undo, Redo;
};

DragCosts GroupDrag(int selected)
{
    Surface s;
    QWidget *widget = s.ClickFirst();
    if (!widget)
        return {};
    const bool all = selected == 500;
    if (all) {
        s.Form->SelectAllControls();
    } else if (selected > 1) {
        QList<clsControl *> group;
        for (int c = selected - 1; c >= 0; --c)
            group << s.items.Find(QStringLiteral("APP*F0*C%1").arg(c));
        s.designer.SelectItems(group, group.back());
    }
    QApplication::processEvents();
    if (s.designer.Selection().size() != selected)
        std::printf("    selecting failed: %d selected\n", int(s.designer.Selection().size()));
    Cost moves;
    const Cost whole = Measure([&] {
        Surface::Send(widget, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
        QApplication::processEvents();
        moves = Measure([&] {
            // BENCH_STEPS makes the drag longer, for a profiler.
            const int steps = qEnvironmentVariableIntValue("BENCH_STEPS") > 0
                                  ? qEnvironmentVariableIntValue("BENCH_STEPS")
                                  : 40;
            for (int step = 1; step <= steps; ++step) {
                Surface::Send(widget, QEvent::MouseMove, {5 + ((step - 1) % 40 + 1) * 3, 5 + ((step - 1) % 40 + 1) * 2},
                              Qt::LeftButton);
                QApplication::processEvents();
            }
        });
        Surface::Send(widget, QEvent::MouseButtonRelease, {125, 85}, Qt::NoButton);
        QApplication::processEvents();
    });
    const bool farMoved = s.items.Find(QStringLiteral("APP*F0*C499"))->TwipLeft() != 19 * 720;
    const bool nextMoved = s.items.Find(QStringLiteral("APP*F0*C1"))->TwipLeft() != 720;
    if (s.undo.Count() != 1 || farMoved != all || nextMoved != (selected > 1))
        std::printf("    the drag did not move what it should: %d records, C499 at %d, C1 at %d %s\n",
                    int(s.undo.Count()), s.items.Find(QStringLiteral("APP*F0*C499"))->TwipLeft(),
                    s.items.Find(QStringLiteral("APP*F0*C1"))->TwipLeft(),
                    s.prompter.ReportTexts().empty() ? "" : qPrintable(s.prompter.ReportTexts().front()));
    // The move taken back and made again, each with the repaint it causes.
    const Cost undo = Measure([&] {
        s.edit.Undo();
        QApplication::processEvents();
    });
    const Cost redo = Measure([&] {
        s.edit.Redo();
        QApplication::processEvents();
    });
    return {whole, moves, undo, redo};
}

// A rubber band from an empty spot at the bottom right over all 500 controls in 40 mouse moves:
// the slowest move and the mean, each with what it paints.
std::pair<Cost, Cost> Band()
{
    Surface s;
    QWidget *canvas = s.Canvas;
    // From the empty strip below the last row to the top left corner.
    const QPoint from(canvas->width() - 2, canvas->height() - 2);
    const QPoint to(0, 0);
    // The form selected first, as after opening it: the sizers' overlay is made on the first
    // selection of a form, which repaints the form once (about 30 ms here).
    Surface::Send(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Surface::Send(canvas, QEvent::MouseButtonRelease, from, Qt::NoButton);
    QApplication::processEvents();
    Surface::Send(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Cost worst, all;
    for (int step = 1; step <= 40; ++step) {
        const QPoint at = from + (to - from) * step / 40;
        const Cost c = Measure([&] {
            Surface::Send(canvas, QEvent::MouseMove, at, Qt::LeftButton);
            QApplication::processEvents();
        });
        worst.Wall = std::max(worst.Wall, c.Wall);
        worst.Cpu = std::max(worst.Cpu, c.Cpu);
        all.Wall += c.Wall / 40;
        all.Cpu += c.Cpu / 40;
    }
    Surface::Send(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QApplication::processEvents();
    if (s.designer.Selection().size() != 500)
        std::printf("    the band selected %d controls\n", int(s.designer.Selection().size()));
    return {worst, all};
}

// Ctrl+A on the form of 500, Align Lefts of all 500 relative to the first and its Undo, each
// with the repaint it causes.
struct AlignCosts
{
    Cost SelectAll, Align, Undo;
};

AlignCosts AlignAll()
{
    Surface s;
    if (!s.ClickFirst())
        return {};
    AlignCosts costs;
    costs.SelectAll = Measure([&] {
        s.Form->SelectAllControls();
        QApplication::processEvents();
    });
    const QList<clsControl *> all = s.designer.Selection();
    clsControl *primary = s.designer.CurrentItem();
    bool aligned = false, undone = false;
    costs.Align = Measure([&] {
        aligned = s.edit.Arrange(ArrangeCommand::AlignLefts, all, *primary, s.Form->GridX(),
                                 s.Form->GridY());
        QApplication::processEvents();
    });
    costs.Undo = Measure([&] {
        undone = s.edit.Undo();
        QApplication::processEvents();
    });
    if (all.size() != 500 || !aligned || !undone)
        std::printf("    align failed: %d selected, aligned %d, undone %d\n", int(all.size()),
                    int(aligned), int(undone));
    return costs;
}

Cost Check(const QString &text)
{
    Loaded loaded(false);
    return Measure([&] { loaded.Load(text, false); });
}

Cost Render(const QString &text)
{
    Loaded loaded(false);
    const CostTimer cost;
    loaded.Load(text, true);
    const double load = cost.Elapsed().Wall;
    for (frmDesign *form : loaded.factory.Forms()) {
        QWidget *canvas = form->Canvas();
        if (!canvas->parentWidget() && form->Owner().ObjType() >= 5) {
            form->SetDesignAids(false);
            canvas->setAttribute(Qt::WA_DontShowOnScreen);
            canvas->show();
            QImage image(canvas->size(), QImage::Format_RGB32);
            QPainter painter(&image);
            canvas->render(&painter);
            painter.end();
            canvas->hide();
        }
    }
    const Cost all = cost.Elapsed();
    std::printf("    render: load onto design forms %.0f ms, drawing %.0f ms\n", load, all.Wall - load);
    return all;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // BENCH_PART=b (or a, c) runs one part only.
    const QByteArray only = qgetenv("BENCH_PART");
    const auto runs = [&only](char part) { return only.isEmpty() || only.contains(part); };

    const QString five = Generate(1, 500);
    if (runs('a')) {
        const Cost design = Least(3, [&] { return DesignForm500(five); });
        const Cost bare = Least(3, [] { return BareWidgets(500); });
        std::printf("(a) 500 controls: design form %.1f ms (CPU %.1f), bare Qt widgets %.1f ms (CPU %.1f), "
                    "ratio %.2f (CPU %.2f; goal <= 3)\n",
                    design.Wall, design.Cpu, bare.Wall, bare.Cpu, design.Wall / bare.Wall,
                    design.Cpu / bare.Cpu);
    }
    if (runs('b')) {
        const Cost small = Least(5, [] { return Drag(50); });
        const Cost large = Least(5, [] { return Drag(500); });
        std::printf("(b) one move drag of 40 steps of a selected control: 50 controls %.2f ms (CPU %.2f), "
                    "500 controls %.2f ms (CPU %.2f), ratio %.2f (CPU %.2f; goal <= 1.5)\n",
                    small.Wall, small.Cpu, large.Wall, large.Cpu, large.Wall / small.Wall,
                    large.Cpu / small.Cpu);
    }
    if (runs('d')) {
        const auto one = [](int selected, bool movesOnly) {
            return Least(3, [&] {
                const DragCosts c = GroupDrag(selected);
                return movesOnly ? c.Moves : c.Whole;
            });
        };
        const Cost single = one(1, false), group = one(500, false), few = one(20, false);
        const Cost singleMoves = one(1, true), groupMoves = one(500, true), fewMoves = one(20, true);
        std::printf("(d) drag of 40 steps on the form of 500, its 40 moves: one control %.2f ms wall %.2f ms "
                    "CPU, all 500 selected %.2f ms wall %.2f ms CPU, per step ratio %.2f wall %.2f CPU "
                    "(goal <= 3)\n",
                    singleMoves.Wall, singleMoves.Cpu, groupMoves.Wall, groupMoves.Cpu,
                    groupMoves.Wall / singleMoves.Wall, groupMoves.Cpu / singleMoves.Cpu);
        std::printf("    the whole drag with its press and release: one control %.1f ms wall %.1f ms CPU, "
                    "all 500 %.1f ms wall %.1f ms CPU, ratio %.2f wall %.2f CPU (the release repaints "
                    "the 500 moved controls)\n",
                    single.Wall, single.Cpu, group.Wall, group.Cpu, group.Wall / single.Wall,
                    group.Cpu / single.Cpu);
        std::printf("    a row of 20 selected: the drag %.1f ms wall %.1f ms CPU (%.2f CPU against one), its "
                    "moves %.2f ms wall %.2f ms CPU (%.2f CPU against one)\n",
                    few.Wall, few.Cpu, few.Cpu / single.Cpu, fewMoves.Wall, fewMoves.Cpu,
                    fewMoves.Cpu / singleMoves.Cpu);
        Cost undo{1e300, 1e300}, redo{1e300, 1e300}, drag{1e300, 1e300};
        for (int i = 0; i < 3; ++i) {
            const DragCosts c = GroupDrag(500);
            drag = {std::min(drag.Wall, c.Whole.Wall), std::min(drag.Cpu, c.Whole.Cpu)};
            undo = {std::min(undo.Wall, c.Undo.Wall), std::min(undo.Cpu, c.Undo.Cpu)};
            redo = {std::min(redo.Wall, c.Redo.Wall), std::min(redo.Cpu, c.Redo.Cpu)};
        }
        std::printf("    the 500-control drag's Undo %.1f ms wall %.1f ms CPU, Redo %.1f ms wall %.1f ms CPU; "
                    "against the drag: Undo %.2f, Redo %.2f CPU (goal <= 1)\n",
                    undo.Wall, undo.Cpu, redo.Wall, redo.Cpu, undo.Cpu / drag.Cpu, redo.Cpu / drag.Cpu);
        Cost worst{1e300, 1e300}, mean{1e300, 1e300};
        for (int i = 0; i < 3; ++i) {
            const auto [w, m] = Band();
            worst.Wall = std::min(worst.Wall, w.Wall);
            worst.Cpu = std::min(worst.Cpu, w.Cpu);
            mean.Wall = std::min(mean.Wall, m.Wall);
            mean.Cpu = std::min(mean.Cpu, m.Cpu);
        }
        std::printf("    rubber band over 500 controls, per mouse move: mean %.2f ms wall %.2f ms CPU, slowest "
                    "%.2f ms wall %.2f ms CPU (goal < 16)\n",
                    mean.Wall, mean.Cpu, worst.Wall, worst.Cpu);
        AlignCosts best{{1e300, 1e300}, {1e300, 1e300}, {1e300, 1e300}};
        for (int i = 0; i < 3; ++i) {
            const AlignCosts c = AlignAll();
            for (auto [into, from] : {std::pair{&best.SelectAll, c.SelectAll},
                                      std::pair{&best.Align, c.Align}, std::pair{&best.Undo, c.Undo}}) {
                into->Wall = std::min(into->Wall, from.Wall);
                into->Cpu = std::min(into->Cpu, from.Cpu);
            }
        }
        std::printf("    Ctrl+A over 500: %.1f ms wall %.1f ms CPU; Align Lefts of 500: %.1f ms wall %.1f ms CPU, "
                    "its Undo %.1f ms wall %.1f ms CPU (goal < 50 each)\n",
                    best.SelectAll.Wall, best.SelectAll.Cpu, best.Align.Wall, best.Align.Cpu,
                    best.Undo.Wall, best.Undo.Cpu);
    }
    if (!runs('c'))
        return 0;

    const QString big = Generate(100, 100);
    const Cost check = Least(2, [&] { return Check(big); });
    const Cost render = Least(2, [&] { return Render(big); });
    std::printf("(c) 100 forms x 100 controls: check %.0f ms (CPU %.0f), render of all forms %.0f ms (CPU "
                "%.0f, %.1f ms per form drawn); render per form drawn / check %.2f (CPU %.2f; goal <= 3), "
                "whole render / check %.1f\n",
                check.Wall, check.Cpu, render.Wall, render.Cpu, render.Wall / 100,
                render.Wall / 100 / check.Wall, render.Cpu / 100 / check.Cpu, render.Wall / check.Wall);
    return 0;
}
