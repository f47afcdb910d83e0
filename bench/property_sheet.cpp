// Opening the property sheet on one object and applying a change must cost the same however
// large the project is; the drop page's list of the project's drag IDs reads every object that
// holds one (a tenth of the controls here) and grows with them, no faster than the project.
// Prints microseconds per round for 1,000 and 10,000 controls, wall time and the thread's CPU
// time (which a busy machine does not inflate), and the ratios of both.
#include "app/EditCommands.h"
#include "app/MemoryClipboard.h"
#include "panels/PropertySheetModel.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Vocabulary;

namespace {

qint64 CpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Microseconds per round of each part, wall and CPU.
struct Result
{
    double openApplyUs;
    double dragIdsUs;
    double openApplyCpuUs;
    double dragIdsCpuUs;
};

Result Run(int controls, int rounds)
{
    clsItems items;
    clsDesigner designer(items);
    DynamicArray store;
    UndoBuffer undo(store);
    MemoryClipboard clipboard;
    EditCommands edit(designer, undo, clipboard);
    designer.AddControl(Type::AppMdi, "B", {}, {}, {}, {}, {});
    for (int i = 0; i < controls; ++i) {
        const QString form = QStringLiteral("B*F%1").arg(i / 100);
        if (i % 100 == 0)
            designer.AddControl(Type::FormSizableChild, form, {}, {}, {}, {}, {});
        clsControl *c = designer.AddControl(i % 2 ? Type::Text : Type::Label,
                                            form + QStringLiteral("*C%1").arg(i), {}, "1", "1",
                                            "8", "1");
        if (i % 10 == 0)
            c->SetProperty(Prop::DragID, QStringLiteral("D%1").arg(i / 10 % 50));
    }
    clsControl *target = items.Find("B*F0*C1");
    PropertySheetModel sheet;
    // The two parts are timed in loops of their own: taking turns, the list's walk over the
    // whole project pushed the sheet's few objects out of the cache every round, which made
    // open+apply look as if it grew with the project.
    QElapsedTimer timer;
    timer.start();
    qint64 cpu = CpuNs();
    for (int r = 0; r < rounds; ++r) {
        sheet.SetupModify(designer, *target);
        sheet.SetText(Prop::Hint, QStringLiteral("hint %1").arg(r));
        if (!sheet.Validate())
            sheet.Apply(&edit);
        sheet.Close();
    }
    const qint64 openApply = timer.nsecsElapsed(), openApplyCpu = CpuNs() - cpu;
    sheet.SetupModify(designer, *target);
    timer.restart();
    cpu = CpuNs();
    qsizetype found = 0;
    for (int r = 0; r < rounds; ++r)
        found += sheet.ProjectDragIds().size();
    const qint64 dragIds = timer.nsecsElapsed(), dragIdsCpu = CpuNs() - cpu;
    sheet.Close();
    if (found != qsizetype(rounds) * std::min(50, (controls + 9) / 10))
        std::printf("  (the drag-ID list is not what the project holds: %lld)\n", (long long)found);
    const double us = rounds * 1000.0;
    return {double(openApply) / us, double(dragIds) / us, double(openApplyCpu) / us,
            double(dragIdsCpu) / us};
}

// Keeps the least of each part: the runs least disturbed by the machine.
void KeepLeast(Result &best, const Result &r)
{
    best.openApplyUs = std::min(best.openApplyUs, r.openApplyUs);
    best.dragIdsUs = std::min(best.dragIdsUs, r.dragIdsUs);
    best.openApplyCpuUs = std::min(best.openApplyCpuUs, r.openApplyCpuUs);
    best.dragIdsCpuUs = std::min(best.dragIdsCpuUs, r.dragIdsCpuUs);
}

} // namespace

int main()
{
    Run(200, 20); // warm up
    // The least of three runs of each size, the sizes taking turns: a slow spell of a shared
    // machine then falls on both alike instead of on the runs of one.
    Result small = Run(1000, 200), large = Run(10000, 200);
    for (int i = 1; i < 3; ++i) {
        KeepLeast(small, Run(1000, 200));
        KeepLeast(large, Run(10000, 200));
    }
    std::printf("controls   us per open+apply (wall / cpu)   us per drag-ID list (wall / cpu)\n");
    for (const auto &[n, r] : {std::pair{1000, small}, std::pair{10000, large}})
        std::printf("%8d   %14.1f / %8.1f   %17.1f / %8.1f\n", n, r.openApplyUs,
                    r.openApplyCpuUs, r.dragIdsUs, r.dragIdsCpuUs);
    std::printf("ratio 10000/1000: open+apply %.2f wall, %.2f cpu (flat expected); drag-ID list "
                "%.2f wall, %.2f cpu (linear: it reads every object holding a drag ID)\n",
                large.openApplyUs / small.openApplyUs, large.openApplyCpuUs / small.openApplyCpuUs,
                large.dragIdsUs / small.dragIdsUs, large.dragIdsCpuUs / small.dragIdsCpuUs);
    return 0;
}
