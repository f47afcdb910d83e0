// Times the analysis of generated programs with 2,000 and 20,000 event handlers (forms of 100
// command buttons, each with its Click event) against the project's standard template, and
// prints both times and their ratio. Finding the handlers must grow with the program's
// length: ten times the handlers should take about ten times as long, not a hundred.
#include "BenchTemplates.h"
#include "BenchTiming.h"
#include "code/CodeAnalysis.h"
#include "code/CodeProgramText.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "support/Marks.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {
constexpr int ButtonsPerForm = 100;
constexpr int Runs = 3;

QString Record(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

QString Project(int handlers)
{
    QStringList records;
    records << Record({"TEMPLATE", "45000.5", ""}) << Record({"0", "1.4", "0"});
    records << Record({"2", "BENCH", "", "0", "0", "0", "800", "600", "0"});
    for (int f = 1; f <= handlers / ButtonsPerForm; ++f) {
        const QString form = QStringLiteral("BENCH*FORM%1").arg(f);
        records << Record({"2", form, "", "5", "0", "0", "400", "300", "0"});
        for (int b = 1; b <= ButtonsPerForm; ++b)
            records << Record({"2", form + QStringLiteral("*CMD%1").arg(b), "", "18", "1", "1",
                               "10", "3", "32"});
    }
    records << Record({"0", "-1"});
    return records.join(Marks::AttributeMark());
}

struct Timing
{
    qint64 lines = 0;
    double ms = 0;
    double cpu = 0; // of the thread
    bool complete = false;
    double baseMs = 0, baseCpu = 0;
};

// The least any line-based reading of the program costs: its lines split off, each line's key
// worked out and the keys gathered in a set. On this machine's memory this alone grows more
// than ten times for ten times the lines, which the analysis's growth is measured against.
qsizetype Baseline(const QString &program)
{
    const QStringList lines = CodeProgramText::Lines(CodeProgramText::NormalizeLineEnds(program));
    QSet<QString> keys;
    for (const QString &line : lines)
        keys.insert(CodeProgramText::LineKey(line));
    return keys.size();
}

Timing Measure(TemplateFiles &templates, int handlers)
{
    const QString project = Project(handlers);
    modCodeGen gen(templates);
    gen.SetProjectText(project);
    gen.SetProjectLocation(QStringLiteral("GUI.PROJECTS"), QStringLiteral("BENCH"));
    const QString program = gen.GenerateProgram();

    CodeAnalysis analysis(templates);
    analysis.SetProjectText(project);
    analysis.SetProjectLocation(QStringLiteral("GUI.PROJECTS"), QStringLiteral("BENCH"));

    Timing t;
    t.lines = program.count(QStringLiteral("\r\n")) + 1;
    t.ms = t.cpu = t.baseMs = t.baseCpu = 1e300;
    for (int run = 0; run < Runs; ++run) {
        malloc_trim(0); // every run starts from the same heap
        QElapsedTimer base;
        base.start();
        const double baseCpu = ThreadCpuTimeMs();
        if (Baseline(program) == 0)
            t.complete = false;
        t.baseMs = std::min(t.baseMs, base.nsecsElapsed() / 1e6);
        t.baseCpu = std::min(t.baseCpu, ThreadCpuTimeMs() - baseCpu);

        malloc_trim(0);
        QElapsedTimer timer;
        timer.start();
        const double cpu = ThreadCpuTimeMs();
        const CodeAnalysisResult r = analysis.Analyze(program);
        t.ms = std::min(t.ms, timer.nsecsElapsed() / 1e6);
        t.cpu = std::min(t.cpu, ThreadCpuTimeMs() - cpu);
        t.complete = r.Analyzed && r.MissingHandlers.isEmpty() && r.UnusedHandlers.isEmpty()
                     && std::all_of(r.PieceStatus.begin(), r.PieceStatus.end(),
                                    [](int s) { return s == CodeAnalysisResult::Present; });
    }
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    const QString folder = BenchTemplateFolder(argc, argv);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: bench_code_analysis <template folder>\n");
        return 1;
    }

    TemplateFiles templates(folder);
    const Timing small = Measure(templates, 2000);
    const Timing large = Measure(templates, 20000);
    std::printf("analysis of  2,000 handlers (%lld lines): %9.1f ms (CPU %9.1f)%s\n",
                static_cast<long long>(small.lines), small.ms, small.cpu,
                small.complete ? "" : "  (NOT complete)");
    std::printf("analysis of 20,000 handlers (%lld lines): %9.1f ms (CPU %9.1f)%s\n",
                static_cast<long long>(large.lines), large.ms, large.cpu,
                large.complete ? "" : "  (NOT complete)");
    const double ratio = large.ms / small.ms, cpuRatio = large.cpu / small.cpu;
    const double baseRatio = large.baseMs / small.baseMs, baseCpuRatio = large.baseCpu / small.baseCpu;
    std::printf("ratio: %.1f (CPU %.1f)\n", ratio, cpuRatio);
    std::printf("baseline, the lines split and their keys in a set: %.1f ms and %.1f ms, ratio %.1f "
                "(CPU %.1f)\n",
                small.baseMs, large.baseMs, baseRatio, baseCpuRatio);
    std::printf("analysis growth / baseline growth: %.2f (CPU %.2f; goal at most 1.1)\n",
                ratio / baseRatio, cpuRatio / baseCpuRatio);
    return 0;
}
