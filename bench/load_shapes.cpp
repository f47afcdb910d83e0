// Loading three shapes that once slowed down with the square of their size, each at N and 4N
// objects: one form with many tool bars (client insets), many applications in one file (the
// project of each object), one form with many controls (z-order and deleting the instances).
// Loading and closing again are timed apart, wall and CPU time of the thread. Linear: a ratio
// near 4.
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/Marks.h"

#include "BenchTiming.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }

QString Header() { return Rec({"TEMPLATE", "45000", "bench"}) + QChar(Marks::Attribute) + Rec({"0", "1.4", "0"}); }

QString Finish(QStringList recs)
{
    recs.prepend(Header());
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

QStringList AppAndForm()
{
    return {Rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"}),
            Rec({"2", "APP*F", "", "8", "auto", "auto", "60", "40", "1"})};
}

QString Bars(int n)
{
    QStringList recs = AppAndForm();
    for (int i = 0; i < n; ++i)
        // A tool bar's Click event (32) is always on: a record without it is refused and
        // reported, which would time the error path instead of the load.
        recs << Rec({"2", QStringLiteral("APP*F*TB%1").arg(i), "", "77", "0", "0", "0", "0", "32"});
    return Finish(recs);
}

QString Applications(int n)
{
    QStringList recs;
    for (int i = 0; i < n; ++i)
        recs << Rec({"2", QStringLiteral("APP%1").arg(i), "", "1", "0", "0", "80", "30", "1073741824"});
    return Finish(recs);
}

QString Controls(int n)
{
    QStringList recs = AppAndForm();
    for (int i = 0; i < n; ++i)
        recs << Rec({"2", QStringLiteral("APP*F*L%1").arg(i), "", "15", QString::number(i % 50),
                     QString::number(i / 50 % 50), "10", "1", "0"});
    return Finish(recs);
}

struct Times
{
    double Load = 0, Close = 0;
    double LoadCpu = 0, CloseCpu = 0;
};

Times Measure(const QString &text, const QString &folder)
{
    const QString path = folder + QStringLiteral("/shape.gui");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(DocumentStorage::ToStoredForm(text).toUtf8());
    }
    ProcessState state(folder);
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    DocumentStorage storage(designer, state);
    Times t;
    QElapsedTimer timer;
    timer.start();
    double cpu = ThreadCpuTimeMs();
    const DocumentStorage::OpenResult result = storage.OpenByName(path);
    t.Load = timer.nsecsElapsed() / 1e6;
    t.LoadCpu = ThreadCpuTimeMs() - cpu;
    timer.restart();
    cpu = ThreadCpuTimeMs();
    designer.ReleaseAll();
    t.Close = timer.nsecsElapsed() / 1e6;
    t.CloseCpu = ThreadCpuTimeMs() - cpu;
    if (!result.Success || !prompter.Calls.empty())
        std::printf("  (load %s: %d reports)\n", result.Success ? "reported problems" : "failed",
                    int(prompter.Calls.size()));
    return t;
}
// The best of three runs: on a busy machine the others mostly measure the neighbours.
Times Best(const QString &text, const QString &folder)
{
    Times best = Measure(text, folder);
    for (int run = 1; run < 3; ++run) {
        const Times t = Measure(text, folder);
        best.Load = std::min(best.Load, t.Load);
        best.Close = std::min(best.Close, t.Close);
        best.LoadCpu = std::min(best.LoadCpu, t.LoadCpu);
        best.CloseCpu = std::min(best.CloseCpu, t.CloseCpu);
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    struct Shape
    {
        const char *Name;
        int N;
        std::function<QString(int)> Make;
    };
    const Shape shapes[] = {{"tool bars on one form", 5000, Bars},
                            {"applications in one file", 5000, Applications},
                            {"controls on one form", 20000, Controls}};
    // Optional: one shape (its first word) and its N, to look at one of them closer.
    const QStringList args = app.arguments();
    for (const Shape &shape : shapes) {
        if (args.size() > 1 && !QString::fromLatin1(shape.Name).startsWith(args.at(1)))
            continue;
        const int n = args.size() > 2 ? args.at(2).toInt() : shape.N;
        const Times small = Best(shape.Make(n), dir.path());
        const Times large = Best(shape.Make(4 * n), dir.path());
        auto row = [&](const char *name, const char *what, double n1, double n4, double c1,
                       double c4) {
            std::printf("%-26s %-5s N=%6d %8.1f ms (CPU %8.1f)  4N=%6d %8.1f ms (CPU %8.1f)  "
                        "ratio %.1f (CPU %.1f)\n",
                        name, what, n, n1, c1, 4 * n, n4, c4, n1 > 0 ? n4 / n1 : 0.0,
                        c1 > 0 ? c4 / c1 : 0.0);
        };
        row(shape.Name, "load", small.Load, large.Load, small.LoadCpu, large.LoadCpu);
        row("", "close", small.Close, large.Close, small.CloseCpu, large.CloseCpu);
    }
    std::printf("(linear: a ratio near 4)\n");
    return 0;
}
