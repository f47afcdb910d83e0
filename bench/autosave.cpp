// Autosave of the 20,000-object benchmark project: how long the user-interface thread is held
// up (the project text taken as one picture; the bytes are made and written on the worker),
// and what the whole write takes on the worker, against `corvane export` of the same project
// (a process that loads the project and writes it out). Wall and CPU time of each; the goal
// is a pause of at most a third of the export.
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"
#include "model/clsControl.h"

#include "BenchProject.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double ChildrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Figures
{
    double wall = 1e300, cpu = 1e300;
    void Take(double w, double c)
    {
        wall = std::min(wall, w);
        cpu = std::min(cpu, c);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int Objects = 20000;
    constexpr int Rounds = 5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench20000.gui"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(DocumentStorage::ToStoredForm(BenchProject(Objects)).toUtf8());
    }

    // corvane export, as a user would run it.
    const QString corvane = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../cli/corvane"));
    Figures exportTimes;
    if (QFile::exists(corvane)) {
        for (int round = 0; round < Rounds; ++round) {
            const double cpuBefore = ChildrenCpuMs();
            QElapsedTimer timer;
            timer.start();
            QProcess process;
            process.start(corvane, {QStringLiteral("export"), path, QStringLiteral("--output"),
                                    dir.filePath(QStringLiteral("exported.gui"))});
            process.waitForFinished(120000);
            exportTimes.Take(Ms(timer), ChildrenCpuMs() - cpuBefore);
        }
    }

    // The designer's world with the project open and changed.
    DesignerRoot root(std::make_unique<ProcessState>(dir.path()));
    ScriptedPrompter prompter;
    DesignerPorts ports;
    ports.Prompter = &prompter;
    root.Connect(ports);
    root.Autosaver().Start(std::make_unique<RecoveryStore>(dir.filePath(QStringLiteral("recovery")),
                                                           QCoreApplication::applicationPid()));
    if (!root.Storage().OpenByName(path).Success) {
        std::printf("the benchmark project did not open\n");
        return 0;
    }
    clsControl *label = root.Items().Find(QStringLiteral("APP*F0*L0"));
    Figures pause, written;
    for (int round = 0; round < Rounds; ++round) {
        // A new edit each round, so every autosave has something to write.
        label->SetProperty(22, QStringLiteral("Edit %1").arg(round));
        root.Designer().MarkChanged(label);
        const double cpuBefore = ThreadCpuMs();
        QElapsedTimer timer;
        timer.start();
        root.Autosaver().RunNow();
        pause.Take(Ms(timer), ThreadCpuMs() - cpuBefore);
        root.Autosaver().Flush();
        written.Take(Ms(timer), 0);
    }
    const qint64 bytes = QFileInfo(root.Autosaver().FileOf(*root.Designer().Projects().front())).size();

    std::printf("autosave of the %d-object project (%lld bytes), best of %d:\n", Objects, bytes, Rounds);
    std::printf("  UI-thread pause      %8.1f ms wall %8.1f ms CPU\n", pause.wall, pause.cpu);
    std::printf("  until written        %8.1f ms wall (worker thread)\n", written.wall);
    if (exportTimes.wall < 1e300) {
        std::printf("  corvane export       %8.1f ms wall %8.1f ms CPU\n", exportTimes.wall, exportTimes.cpu);
        std::printf("  pause / export       %8.2f wall %8.2f CPU (goal at most 0.33)\n",
                    pause.wall / exportTimes.wall, pause.cpu / exportTimes.cpu);
    } else {
        std::printf("  corvane export: not built (%s)\n", qPrintable(corvane));
    }
    root.Disconnect();
    return 0;
}
