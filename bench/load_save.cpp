// Loading and saving generated projects of 2,000 and 20,000 objects (forms of 100 controls,
// ten properties each) from a local file: times, their ratio (near 10 when both are linear),
// and load time over the time to merely split the same text with DynamicArray.
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "app/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }

// One application; forms of one form item and 99 labels; ten properties per object.
QString Generate(int objects)
{
    QStringList recs{Rec({"TEMPLATE", "45000", "bench"}), Rec({"0", "1.4", "0"}),
                     Rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"})};
    const QStringList props{"22", "15", "14", "16", "17", "18", "19", "68", "9", "8"};
    const QStringList values{"Caption", "255", "16777215", "Courier New", "10", "1", "1", "1", "0", "0"};
    int made = 1;
    for (int form = 0; made < objects; ++form) {
        const QString f = QStringLiteral("APP*F%1").arg(form);
        recs << Rec({"2", f, "", "8", "auto", "auto", "60", "40", "1"});
        for (int p = 0; p < props.size(); ++p)
            recs << Rec({"4", "", props[p], "", "", p == 0 ? f : values[p]});
        ++made;
        for (int c = 0; c < 99 && made < objects; ++c, ++made) {
            recs << Rec({"2", f + QStringLiteral("*L%1").arg(c), "", "15", QString::number(c % 50),
                         QString::number(c / 50), "10", "1", "0"});
            for (int p = 0; p < props.size(); ++p)
                recs << Rec({"4", "", props[p], "", "", values[p]});
        }
    }
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

struct Times
{
    double load = 0, save = 0, split = 0;
    int reports = 0;
};

Times Measure(int objects, const QString &folder)
{
    const QString path = folder + QStringLiteral("/bench%1.gui").arg(objects);
    const QString text = Generate(objects);
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
