// Times GenerateProgram on a project of 100 forms with 100 command buttons each, every button
// with its Click event enabled, using the project's standard template.
#include "BenchTemplates.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "support/Marks.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {
constexpr int Forms = 100;
constexpr int ButtonsPerForm = 100;
constexpr int Runs = 5;

QString Record(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

QString BigProject()
{
    QStringList records;
    records << Record({"TEMPLATE", "45000.5", ""}) << Record({"0", "1.4", "0"});
    records << Record({"2", "BENCH", "", "0", "0", "0", "800", "600", QString::number(0x40000001)});
    for (int f = 1; f <= Forms; ++f) {
        const QString form = QStringLiteral("BENCH*FORM%1").arg(f);
        records << Record({"2", form, "", "5", "0", "0", "400", "300", "1"});
        for (int b = 1; b <= ButtonsPerForm; ++b)
            records << Record({"2", form + QStringLiteral("*CMD%1").arg(b), "", "18", "1", "1",
                               "10", "3", "32"});
    }
    records << Record({"0", "-1"});
    return records.join(Marks::AttributeMark());
}
} // namespace

int main(int argc, char **argv)
{
    const QString folder = BenchTemplateFolder(argc, argv);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: bench_codegen <template folder>\n");
        return 1;
    }

    TemplateFiles templates(folder);
    modCodeGen gen(templates);
    const QString project = BigProject();

    QElapsedTimer timer;
    timer.start();
    gen.SetProjectText(project);
    gen.SetProjectLocation(QStringLiteral("GUI.PROJECTS"), QStringLiteral("BENCH"));
    const qint64 parseMs = timer.elapsed();

    qint64 best = -1;
    qsizetype size = 0;
    for (int run = 0; run < Runs; ++run) {
        timer.restart();
        const QString program = gen.GenerateProgram();
        const qint64 ms = timer.elapsed();
        size = program.size();
        if (best < 0 || ms < best)
            best = ms;
    }
    std::printf("codegen: %d forms x %d buttons, %zu events\n", Forms, ButtonsPerForm,
                gen.Project().Rows().size());
    std::printf("  project text %lld chars, read in %lld ms\n", (long long)project.size(),
                (long long)parseMs);
    std::printf("  GenerateProgram: best of %d runs %lld ms, %lld chars\n", Runs,
                (long long)best, (long long)size);
    return 0;
}
