// Loading large compound content into the content editors' models, and storing it back
// unchanged, against reading the same content through the compound-content classes.
// Prints milliseconds (wall, and CPU of the thread for load+store and the content class) and
// the ratio store-unchanged / content-class read (goal: at most 3), of both.
#include "panels/BarEditorModel.h"
#include "panels/ListPropsModel.h"
#include "panels/TreeEditorModel.h"
#include "model/BarContent.h"
#include "model/GridContent.h"
#include "model/TreeContent.h"
#include "support/Marks.h"

#include "BenchTiming.h"

#include <QStringList>
#include <cstdio>

namespace {

const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));

QString Menu(int entries)
{
    QStringList list;
    for (int i = 0; i < entries; ++i) {
        const int level = i % 20 == 0 ? 1 : 2;
        list << QStringList{QStringLiteral("ITEM%1").arg(i), QString::number(level),
                            QStringLiteral("&Item %1").arg(i), QString(), "1", "1", "19", "0",
                            QStringLiteral("Hint %1").arg(i)}.join(sv);
    }
    return list.join(vm);
}

QString Tree(int nodes)
{
    QStringList list;
    for (int i = 0; i < nodes; ++i) {
        const int level = 1 + i % 4;
        list << QStringList{QStringLiteral("N%1").arg(i), QString::number(level),
                            QStringLiteral("Node %1").arg(i), QString(), "1", "hint"}.join(sv);
    }
    return list.join(vm);
}

QString Cells(int columns, int rows)
{
    QStringList list;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << QStringLiteral("r%1c%2").arg(r).arg(c);
        list << cells.join(sv);
    }
    return list.join(vm);
}

// The least wall and the least CPU time of the runs.
template <typename F>
Cost Time(F &&f, int repeat = 5)
{
    return Least(repeat, [&] { return Measure(f); });
}

void Print(const char *what, Cost load, Cost store, Cost content)
{
    std::printf("%-28s load %8.2f ms  load+store %8.2f ms (CPU %8.2f)  content class %8.2f ms "
                "(CPU %8.2f)  ratio %.2f (CPU %.2f)\n",
                what, load.Wall, store.Wall, store.Cpu, content.Wall, content.Cpu,
                store.Wall / content.Wall, store.Cpu / content.Cpu);
}

} // namespace

int main()
{
    const QString menu = Menu(2000);
    {
        BarEditorModel model(75);
        const Cost load = Time([&] { model.Load(menu); });
        const Cost store = Time([&] { BarEditorModel m(75); m.Load(menu); (void)m.Store(); });
        const Cost content = Time([&] { BarContent c(75); c.SetItems(menu); (void)c.GetItems(); });
        Print("menu, 2,000 entries", load, store, content);
    }
    const QString tree = Tree(10000);
    {
        TreeEditorModel model;
        const Cost load = Time([&] { model.Load(tree); });
        const Cost store = Time([&] { TreeEditorModel m; m.Load(tree); (void)m.Store(); });
        const Cost content = Time([&] { TreeContent c; c.SetItems(tree); (void)c.GetItems(); });
        Print("tree, 10,000 nodes", load, store, content);
    }
    const QString cells = Cells(100, 2000);
    {
        const ListPropsModel::Values values{{ListPropsModel::Columns, "100"},
                                           {ListPropsModel::Rows, "2000"},
                                           {ListPropsModel::Value, cells}};
        ListPropsModel model;
        const Cost load = Time([&] { model.LoadProps(28, values); });
        const Cost store = Time([&] { ListPropsModel m; m.LoadProps(28, values); (void)m.Store(); });
        const Cost content = Time([&] {
            GridContent c;
            c.SetColumns("100");
            c.SetRows("2000");
            c.SetValue(cells);
            (void)c.GetValue();
        });
        Print("grid, 100 x 2,000 cells", load, store, content);
    }
    return 0;
}
