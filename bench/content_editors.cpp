// Loading large compound content into the content editors' models, and storing it back
// unchanged, against reading the same content through the compound-content classes.
// Prints milliseconds and the ratio store-unchanged / content-class read (goal: at most 3).
#include "panels/BarEditorModel.h"
#include "panels/ListPropsModel.h"
#include "panels/TreeEditorModel.h"
#include "model/BarContent.h"
#include "model/GridContent.h"
#include "model/TreeContent.h"
#include "support/Marks.h"

#include <QElapsedTimer>
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

template <typename F>
double Ms(F &&f, int repeat = 5)
{
    double best = 1e300;
    for (int n = 0; n < repeat; ++n) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void Print(const char *what, double load, double store, double content)
{
    std::printf("%-28s load %8.2f ms  load+store %8.2f ms  content class %8.2f ms  ratio %.2f\n",
                what, load, store, content, store / content);
}

} // namespace

int main()
{
    const QString menu = Menu(2000);
    {
        BarEditorModel model(75);
        const double load = Ms([&] { model.Load(menu); });
        const double store = Ms([&] { BarEditorModel m(75); m.Load(menu); (void)m.Store(); });
        const double content = Ms([&] { BarContent c(75); c.SetItems(menu); (void)c.GetItems(); });
        Print("menu, 2,000 entries", load, store, content);
    }
    const QString tree = Tree(10000);
    {
        TreeEditorModel model;
        const double load = Ms([&] { model.Load(tree); });
        const double store = Ms([&] { TreeEditorModel m; m.Load(tree); (void)m.Store(); });
        const double content = Ms([&] { TreeContent c; c.SetItems(tree); (void)c.GetItems(); });
        Print("tree, 10,000 nodes", load, store, content);
    }
    const QString cells = Cells(100, 2000);
    {
        const ListPropsModel::Values values{{ListPropsModel::Columns, "100"},
                                           {ListPropsModel::Rows, "2000"},
                                           {ListPropsModel::Value, cells}};
        ListPropsModel model;
        const double load = Ms([&] { model.LoadProps(28, values); });
        const double store = Ms([&] { ListPropsModel m; m.LoadProps(28, values); (void)m.Store(); });
        const double content = Ms([&] {
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
