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

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
struct Times
{
    double load = 0, save = 0, split = 0;
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

    QElapsedTimer timer;
    timer.start();
    const DocumentStorage::OpenResult result = storage.OpenByName(path);
    t.load = timer.nsecsElapsed() / 1e6;
    t.reports = int(prompter.Calls.size());

    timer.restart();
    if (result.Success)
        storage.WriteProject(*designer.ProjectOf(result.App));
    t.save = timer.nsecsElapsed() / 1e6;

    timer.restart();
    DynamicArray doc(text, DynamicArray::ProjectDelimiters());
    qsizetype chars = 0;
    const int records = doc.Count();
    for (int r = 1; r <= records; ++r) {
        const int fields = doc.Count({r});
        for (int f = 1; f <= fields; ++f)
            chars += doc.Extract({r, f}).size();
    }
    t.split = timer.nsecsElapsed() / 1e6;
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
        std::printf("%6d objects: load %8.1f ms  save %8.1f ms  split %7.1f ms  load/split %5.1f  reports %d\n",
                    n, t.load, t.save, t.split, t.split > 0 ? t.load / t.split : 0.0, t.reports);
    std::printf("ratio 20000/2000: load %.1f  save %.1f (linear: near 10)\n",
                small.load > 0 ? large.load / small.load : 0.0, small.save > 0 ? large.save / small.save : 0.0);
    return 0;
}
