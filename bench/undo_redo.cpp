// Undo and Redo of the biggest changes against the change itself: one Apply that rewrites a
// menu of 2,000 entries, or a grid of 100 x 2,000 cells (goal: Undo and Redo each at most as
// long as the change). Then the core's part of a drag of 500 selected controls, its Undo and
// Redo: the drag hands the new places over as numbers, while Undo and Redo read them back from
// their record's text, which costs about twice as much. Its goal is kept where the user waits
// for it, the whole drag on the design surface against its Undo and Redo (bench_design_surface,
// part d). Then the memory the records of 1,000 undo levels of property changes take on the
// project of 20,000 objects (goal: under 50 MB). Prints milliseconds, wall and CPU of the
// thread, and the ratios.
#include "BenchProject.h"
#include "BenchTiming.h"

#include "app/EditCommands.h"
#include "app/MemoryClipboard.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "panels/PropertySheetModel.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <unistd.h>

using namespace Vocabulary;

namespace {

const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));

QString Menu(int entries, const QString &tag)
{
    QStringList list;
    for (int i = 0; i < entries; ++i)
        list << QStringList{QStringLiteral("ITEM%1").arg(i), QString::number(i % 20 == 0 ? 1 : 2),
                            QStringLiteral("&%1 %2").arg(tag).arg(i), QString(), "1", "1", "19", "0",
                            QStringLiteral("Hint %1").arg(i)}
                    .join(sv);
    return list.join(vm);
}

QString Cells(int columns, int rows, const QString &tag)
{
    QStringList list;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << QStringLiteral("%1%2.%3").arg(tag).arg(r).arg(c);
        list << cells.join(sv);
    }
    return list.join(vm);
}

constexpr int Rounds = 7;

struct World
{
    clsItems items;
    clsDesigner designer{items};
    DynamicArray store;
    UndoBuffer undo{store};
    MemoryClipboard clipboard;
    EditCommands edit{designer, undo, clipboard};
    World() { undo.SetCapacity(UndoBuffer::MaxCapacity); }
};

// The least of seven rounds of Apply, Undo and Redo, each part on its own: Undo does nearly
// what Apply does, so a figure must come from a quiet moment of the machine to tell them apart.
void ApplyUndoRedo(const char *what, int type, int code, const QString &a, const QString &b,
                   const std::function<void(clsControl &)> &prepare = {})
{
    Cost best[3] = {{1e300, 1e300}, {1e300, 1e300}, {1e300, 1e300}};
    for (int round = 0; round < Rounds; ++round) {
        World w;
        w.designer.AddControl(Type::AppMdi, "B", {}, {}, {}, {}, {});
        w.designer.AddControl(Type::FormSizableChild, "B*F", {}, {}, {}, {}, {});
        clsControl *item = w.designer.AddControl(type, "B*F*BIG", {}, "1", "1", "20", "10");
        if (prepare)
            prepare(*item);
        item->SetProperty(code, a);
        PropertySheetModel sheet;
        sheet.SetupModify(w.designer, *item);
        const Cost costs[3] = {
            Measure([&] { sheet.Apply(&w.edit, [&](clsControl &target) { target.SetProperty(code, b); }); }),
            Measure([&] { w.edit.Undo(); }), Measure([&] { w.edit.Redo(); })};
        sheet.Close();
        if (item->GetProperty(code) != b)
            std::printf("%s: Redo did not give the change back\n", what);
        for (int i = 0; i < 3; ++i) {
            best[i].Wall = std::min(best[i].Wall, costs[i].Wall);
            best[i].Cpu = std::min(best[i].Cpu, costs[i].Cpu);
        }
    }
    std::printf("%-28s apply %7.1f / %7.1f   undo %7.1f / %7.1f   redo %7.1f / %7.1f   "
                "undo/apply %.2f wall %.2f cpu, redo/apply %.2f wall %.2f cpu\n",
                what, best[0].Wall, best[0].Cpu, best[1].Wall, best[1].Cpu, best[2].Wall,
                best[2].Cpu, best[1].Wall / best[0].Wall, best[1].Cpu / best[0].Cpu,
                best[2].Wall / best[0].Wall, best[2].Cpu / best[0].Cpu);
}

double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace

int main()
{
    std::printf("milliseconds, wall / cpu; the least of %d rounds\n", Rounds);
    ApplyUndoRedo("menu, 2,000 entries", Type::Menu, Prop::Items, Menu(2000, "Old"),
                  Menu(2000, "New"));
    ApplyUndoRedo("grid, 100 x 2,000 cells", Type::GridEditable, Prop::Value,
                  Cells(100, 2000, "o"), Cells(100, 2000, "n"), [](clsControl &grid) {
                      grid.SetProperty(Prop::Columns, "100");
                      grid.SetProperty(Prop::Rows, "2000");
                  });

    // The core's part of a drag of 500 selected controls, one record, beside its Undo and Redo.
    {
        Cost best[3] = {{1e300, 1e300}, {1e300, 1e300}, {1e300, 1e300}};
        for (int round = 0; round < Rounds; ++round) {
            World w;
            w.designer.AddControl(Type::AppMdi, "B", {}, {}, {}, {}, {});
            w.designer.AddControl(Type::FormSizableChild, "B*F", {}, {}, {}, "200", "200");
            QList<std::pair<clsControl *, QPoint>> moves;
            for (int i = 0; i < 500; ++i) {
                clsControl *c = w.designer.AddControl(Type::Label, QStringLiteral("B*F*L%1").arg(i), {},
                                                      QString::number(i % 20 * 9), QString::number(i / 20 * 2),
                                                      "8", "1");
                moves.append({c, QPoint(c->TwipLeft() + 120, c->TwipTop() + 60)});
            }
            const Cost costs[3] = {Measure([&] { w.edit.MoveItemsTwips(moves); }),
                                   Measure([&] { w.edit.Undo(); }), Measure([&] { w.edit.Redo(); })};
            if (moves.first().first->TwipLeft() != moves.first().second.x())
                std::printf("500-control move: Redo did not give the move back\n");
            for (int i = 0; i < 3; ++i) {
                best[i].Wall = std::min(best[i].Wall, costs[i].Wall);
                best[i].Cpu = std::min(best[i].Cpu, costs[i].Cpu);
            }
        }
        std::printf("%-28s move  %7.1f / %7.1f   undo %7.1f / %7.1f   redo %7.1f / %7.1f   "
                    "undo/move %.2f wall %.2f cpu, redo/move %.2f wall %.2f cpu\n",
                    "move of 500 controls", best[0].Wall, best[0].Cpu, best[1].Wall, best[1].Cpu,
                    best[2].Wall, best[2].Cpu, best[1].Wall / best[0].Wall, best[1].Cpu / best[0].Cpu,
                    best[2].Wall / best[0].Wall, best[2].Cpu / best[0].Cpu);
    }

    // 1,000 levels of property changes, each on another object of the big project.
    World w;
    if (!w.designer.SetTemplate(BenchProject(20000))) {
        std::printf("the project did not load\n");
        return 1;
    }
    std::vector<clsControl *> objects;
    for (clsControl *item : w.items.InOrder())
        if (item->ObjType() == Type::Label)
            objects.push_back(item);
    const double before = ResidentMb();
    const Cost changes = Measure([&] {
        for (int i = 0; i < 1000; ++i) {
            clsControl &item = *objects[std::size_t(i * 19) % objects.size()];
            w.edit.BeginPropertiesChange(item);
            item.SetProperty(Prop::Caption, QStringLiteral("Changed %1").arg(i));
            item.SetProperty(Prop::ForeColor, QString::number(i));
            w.edit.EndPropertiesChange();
        }
    });
    const double after = ResidentMb();
    std::printf("1,000 undo levels of property changes on %zu labels of a 20,000-object project: "
                "%d records, %.2f MB of record text, resident memory +%.1f MB (goal: under 50 MB); "
                "%.2f ms per change wall, %.2f cpu\n",
                objects.size(), w.undo.Count(), w.store.Text().size() * 2 / (1024.0 * 1024.0),
                after - before, changes.Wall / 1000, changes.Cpu / 1000);
    return 0;
}
