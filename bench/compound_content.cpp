// Setting a list box's Items through the design item must cost the same per row whatever
// the list's length: the rows are parsed, shown on the design control and read back once.
// Prints the time per row for 10,000 and 100,000 rows of two columns and the ratio.
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/Marks.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

using namespace Vocabulary;

namespace {

QString MakeItems(int rows)
{
    QString text;
    text.reserve(rows * 16);
    for (int r = 1; r <= rows; ++r) {
        if (r > 1)
            text += QChar(Marks::Value);
        text += QStringLiteral("Row %1").arg(r);
        text += QChar(Marks::SubValue);
        text += QString::number(r * 7);
    }
    return text;
}

struct Result
{
    double setNs;
    double getNs;
};

Result Run(int rows)
{
    clsItems items;
    items.CreateItem(Type::AppMdi, QStringLiteral("BENCH"));
    items.CreateItem(Type::FormSizableChild, QStringLiteral("BENCH*F1"));
    clsControl &list = items.CreateItem(Type::List, QStringLiteral("BENCH*F1*LIST"));
    const QString value = MakeItems(rows);

    QElapsedTimer timer;
    timer.start();
    list.SetProperty(Prop::Items, value);
    const qint64 setElapsed = timer.nsecsElapsed();
    timer.restart();
    const QString back = list.GetProperty(Prop::Items);
    const qint64 getElapsed = timer.nsecsElapsed();
    if (back != value)
        std::printf("round trip differs for %d rows\n", rows);
    return {double(setElapsed) / rows, double(getElapsed) / rows};
}

Result Best(int rows, int runs)
{
    Result best = Run(rows);
    for (int i = 1; i < runs; ++i) {
        const Result r = Run(rows);
        best.setNs = std::min(best.setNs, r.setNs);
        best.getNs = std::min(best.getNs, r.getNs);
    }
    return best;
}

} // namespace

int main()
{
    Run(1000); // warm up
    const Result small = Best(10000, 5);
    const Result large = Best(100000, 3);
    std::printf("rows     set ns/row   get ns/row\n");
    std::printf("%6d   %10.0f   %10.0f\n", 10000, small.setNs, small.getNs);
    std::printf("%6d   %10.0f   %10.0f\n", 100000, large.setNs, large.getNs);
    std::printf("ratio 100000/10000: set %.2f, get %.2f\n", large.setNs / small.setNs,
                large.getNs / small.getNs);
    return 0;
}
