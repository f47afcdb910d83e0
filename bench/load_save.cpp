// Loading and saving generated projects of 2,000 and 20,000 objects (forms of 100 controls,
// ten properties each) from a local file: times, their ratio (near 10 when both are linear),
// and load time over the time to merely split the same text with DynamicArray.
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include "BenchProject.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
struct Times
{
    Cost load, save, split;
    int reports = 0;
};

Times Measure(int objects, const QString &folder)
{
    const QString path = folder + QStringLiteral("/bench%1.gui").arg(objects);
    const QString text = BenchProject(objects);
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(DocumentStorage::ToStoredForm(text).toUtf8());
    }
    Times t;
    ProcessState state(folder);
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    DocumentStorage storage(designer, state);

    DocumentStorage::OpenResult result;
    t.load = ::Measure([&] { result = storage.OpenByName(path); });
    t.reports = int(prompter.Calls.size());

    t.save = ::Measure([&] {
        if (result.Success)
            storage.WriteProject(*designer.ProjectOf(result.App));
    });

    qsizetype chars = 0;
    t.split = ::Measure([&] {
        DynamicArray doc(text, DynamicArray::ProjectDelimiters());
        const int records = doc.Count();
        for (int r = 1; r <= records; ++r) {
            const int fields = doc.Count({r});
            for (int f = 1; f <= fields; ++f)
                chars += doc.Extract({r, f}).size();
        }
    });
    if (chars < 0)
        std::puts("");
    designer.ReleaseAll();
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Times small = Measure(2000, dir.path());
    const Times large = Measure(20000, dir.path());
    for (const auto &[n, t] : {std::pair{2000, small}, std::pair{20000, large}})
        std::printf("%6d objects: load %8.1f ms (CPU %8.1f)  save %8.1f ms (CPU %8.1f)  split %7.1f ms  "
                    "load/split %5.1f  reports %d\n",
                    n, t.load.Wall, t.load.Cpu, t.save.Wall, t.save.Cpu, t.split.Wall,
                    t.load.Wall / t.split.Wall, t.reports);
    std::printf("ratio 20000/2000: load %.1f (CPU %.1f)  save %.1f (CPU %.1f) (linear: near 10)\n",
                large.load.Wall / small.load.Wall, large.load.Cpu / small.load.Cpu,
                large.save.Wall / small.save.Wall, large.save.Cpu / small.save.Cpu);
    return 0;
}
