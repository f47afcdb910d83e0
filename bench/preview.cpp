// Previewing a form of 500 controls of every kind through the GUI runtime (initialise, load
// the project text, show the form, until its window is painted) against opening the same
// form on the design surface (load onto a design form, until its canvas is painted), and
// against making 500 comparable Qt widgets bare on one window. Run on the offscreen platform;
// the median of seven runs, wall and CPU time of the thread apart.
#include "EditStack.h"
#include "app/clsDesigner.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/frmDesign.h"
#include "model/clsItems.h"
#include "runtime/clsGuiRuntime.h"
#include "support/Marks.h"

#include "BareWidgets.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>

namespace {
QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }
constexpr int Controls = 500;
// Every control kind that sits on a form by itself.
constexpr int Kinds[] = {15, 16, 17, 29, 18, 19, 20, 21, 22, 34, 23, 24, 25, 26, 27, 28, 32, 33, 36};

QString Project()
{
    QStringList recs{Rec({"TEMPLATE", "45000", "bench"}), Rec({"0", "1.4", "1"}),
                     Rec({"2", "APP", "", "1", "0", "0", "12000", "9000", "1073741824"}),
                     Rec({"2", "APP*BIG", "", "8", "0", "0", "15000", "12000", "1"}),
                     Rec({"4", "", "22", "", "", "Big"})};
    for (int c = 0; c < Controls; ++c) {
        const int kind = Kinds[c % std::size(Kinds)];
        recs << Rec({"2", QStringLiteral("APP*BIG*C%1").arg(c), "", QString::number(kind),
                     QString::number((c % 20) * 720), QString::number((c / 20) * 450), "660", "390",
                     "32"});
        if (kind == 15 || kind == 18 || kind == 19 || kind == 20 || kind == 26)
            recs << Rec({"4", "", "22", "", "", QStringLiteral("Item %1").arg(c)});
    }
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

Cost Preview(const QString &text)
{
    const CostTimer t;
    clsGuiRuntime runtime;
    const QString vm = Marks::ValueMark();
    runtime.Execute("1" + vm + "1.4");
    const GuiResult loaded = runtime.Execute("11" + vm + "2" + vm + text);
    for (const QStringList &row : loaded.Status)
        if (row.value(0) != QLatin1String("0"))
            std::fprintf(stderr, "load: %s\n", qPrintable(row.join(QLatin1Char('|'))));
    runtime.Execute("6" + vm + "APP*BIG" + vm + "2");
    QApplication::processEvents();
    runtime.WidgetOf("APP*BIG")->grab();
    const Cost cost = t.Elapsed();
    runtime.Execute("99");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return cost;
}

Cost DesignSurface(const QString &text)
{
    const CostTimer t;
    Cost cost;
    {
        EditStack s;
        DesignSurfaceHost host{s.designer, s.edit};
        DesignFormFactory factory(&host);
        s.items.SetFormFactory(&factory);
        if (!s.designer.SetTemplate(text) || s.items.Count() < Controls)
            std::fprintf(stderr, "the design surface did not load the whole form\n");
        if (frmDesign *form = factory.Forms().value(1))
            form->Canvas()->grab();
        else
            std::fprintf(stderr, "the design form was not made\n");
        cost = t.Elapsed();
        s.designer.ReleaseAll();
    }
    return cost;
}

// The median wall time and the median CPU time of the runs.
Cost Median(int runs, const std::function<Cost()> &run)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const Cost c = run();
        wall.push_back(c.Wall);
        cpu.push_back(c.Cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString text = Project();
    Preview(text); // warm-up: styles, fonts, plugins
    DesignSurface(text);
    BareWidgets(Controls);
    const Cost p = Median(7, [&] { return Preview(text); });
    const Cost d = Median(7, [&] { return DesignSurface(text); });
    const Cost b = Median(7, [] { return BareWidgets(Controls); });
    std::printf("form of %d controls of every kind, median of 7 runs\n", Controls);
    std::printf("  preview (1, 11, 6, painted)        %8.2f ms (CPU %8.2f)\n", p.Wall, p.Cpu);
    std::printf("  design surface (load, painted)     %8.2f ms (CPU %8.2f)\n", d.Wall, d.Cpu);
    std::printf("  bare Qt widgets (made, painted)    %8.2f ms (CPU %8.2f)\n", b.Wall, b.Cpu);
    std::printf("  ratio preview / design surface     %8.2f (CPU %.2f; goal: at most 3)\n", p.Wall / d.Wall,
                p.Cpu / d.Cpu);
    std::printf("  ratio preview / bare widgets       %8.2f (CPU %.2f)\n", p.Wall / b.Wall, p.Cpu / b.Cpu);
    return 0;
}
