// `corvane render` of one form of mixed controls at 2,500, 5,000, 10,000 and 20,000 controls,
// as a whole process: CPU and wall time per control. Goal: CPU per control at 20,000 at most
// twice that at 2,500 (flat: tearing the widgets down must not scan a queue that grows with
// them), with `corvane check` of the same projects as the baseline measured in the same run.
#include "BenchTiming.h"
#include "support/Marks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }

QString MixedProject(int controls)
{
    QStringList recs{Rec({"TEMPLATE", "1", "h"}), Rec({"0", "1.4", "1"}),
                     Rec({"2", "APP", "", "1", "0", "0", "9000", "6000", "1073741824"}),
                     Rec({"2", "APP*F", "", "5", "0", "0", "12000", "15000", "0"})};
    const int types[] = {15, 16, 18, 19, 20, 21, 23, 32};
    for (int i = 0; i < controls; ++i)
        recs << Rec({"2", QString("APP*F*C%1").arg(i), "", QString::number(types[i % 8]),
                     QString::number((i % 20) * 600), QString::number((i / 20) % 100 * 150), "550",
                     "140", "0"});
    recs << Rec({"0", "-1"});
    return recs.join("\r\n");
}

double ChildCpuSeconds()
{
    rusage r{};
    ::getrusage(RUSAGE_CHILDREN, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

struct Run
{
    double CpuMs = 0;
    double WallMs = 0;
};

Run Corvane(const QStringList &arguments)
{
    const double cpu = ChildCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(CORVANE_EXE), arguments);
    process.waitForFinished(-1);
    (void)process.readAllStandardOutput();
    return {(ChildCpuSeconds() - cpu) * 1e3, Ms(timer)};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("corvane render of one form of N mixed controls, against corvane check (best of 2)\n");
    std::printf("%8s %12s %12s %12s %14s %12s\n", "N", "check cpu", "render cpu", "render wall",
                "cpu/control", "render/check");
    double first = 0, last = 0;
    for (const int n : {2500, 5000, 10000, 20000}) {
        const QString path = dir.filePath(QString("p%1.gui").arg(n));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(MixedProject(n).toUtf8());
        file.close();
        Run check{1e300, 1e300}, render{1e300, 1e300};
        for (int round = 0; round < 2; ++round) {
            const Run c = Corvane({"check", path});
            const Run r = Corvane({"render", path, "--output-dir", dir.path()});
            check = {std::min(check.CpuMs, c.CpuMs), std::min(check.WallMs, c.WallMs)};
            render = {std::min(render.CpuMs, r.CpuMs), std::min(render.WallMs, r.WallMs)};
        }
        const double perControl = render.CpuMs / n;
        if (n == 2500)
            first = perControl;
        last = perControl;
        std::printf("%8d %9.0f ms %9.0f ms %9.0f ms %11.3f ms %12.1f\n", n, check.CpuMs, render.CpuMs,
                    render.WallMs, perControl, check.CpuMs > 0 ? render.CpuMs / check.CpuMs : 0.0);
    }
    std::printf("CPU per control at 20,000 / at 2,500: %.2f (goal <= 2)\n", first > 0 ? last / first : 0.0);
    return 0;
}
