// `corvane generate` against Qt's form compiler on the same amount of content: a project of
// 100 forms with 100 command buttons each (one Click event per button) and a .ui file of 100
// widgets with 100 push buttons each. Both programs run in this same process run, in turns,
// seven times each; the least wall time and the least CPU time of each count (the CPU time of
// the finished program, which a busy machine stretches less). Goal: both ratios at most 1.0.
// Usage: bench_generate_vs_uic [corvane] [uic] [templates]
#include "BenchTiming.h"
#include "support/Marks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
constexpr int Forms = 100;
constexpr int ButtonsPerForm = 100;

QString FindUpwards(const QString &relative)
{
    QDir dir(QCoreApplication::applicationDirPath());
    for (int i = 0; i < 6; ++i) {
        if (QFileInfo::exists(dir.filePath(relative)))
            return dir.filePath(relative);
        if (!dir.cdUp())
            break;
    }
    return {};
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The stored form of a project: records joined by CR LF, fields by value marks.
QByteArray ProjectText()
{
    const QString vm = Marks::ValueMark();
    QStringList records;
    records << QStringList{"TEMPLATE", "46000", "", ""}.join(vm);
    records << QStringList{"0", "1.4", "1"}.join(vm);
    records << QStringList{"2", "BENCH", "", "0", "0", "0", "12000", "9000", "1073741825"}.join(vm);
    for (int f = 1; f <= Forms; ++f) {
        const QString form = QStringLiteral("BENCH*FORM%1").arg(f);
        records << QStringList{"2", form, "", "5", "0", "0", "9000", "7000", "0"}.join(vm);
        for (int b = 1; b <= ButtonsPerForm; ++b) {
            records << QStringList{"2", QStringLiteral("%1*BUTTON%2").arg(form).arg(b), "", "18",
                                   QString::number(100 + (b % 10) * 800),
                                   QString::number(100 + (b / 10) * 400), "700", "300", "32"}
                           .join(vm);
            records << QStringList{"4", "", "22", "", "", QStringLiteral("Button %1").arg(b)}.join(vm);
        }
    }
    records << QStringList{"0", "-1"}.join(vm);
    return records.join(QStringLiteral("\r\n")).toUtf8();
}

QByteArray UiText()
{
    QByteArray ui = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
                    " <class>Bench</class>\n <widget class=\"QWidget\" name=\"Bench\">\n";
    for (int f = 1; f <= Forms; ++f) {
        ui += QStringLiteral("  <widget class=\"QWidget\" name=\"form%1\">\n").arg(f).toUtf8();
        for (int b = 1; b <= ButtonsPerForm; ++b) {
            ui += QStringLiteral("   <widget class=\"QPushButton\" name=\"form%1button%2\">\n"
                                 "    <property name=\"geometry\"><rect><x>%3</x><y>%4</y>"
                                 "<width>47</width><height>20</height></rect></property>\n"
                                 "    <property name=\"text\"><string>Button %2</string></property>\n"
                                 "   </widget>\n")
                      .arg(f)
                      .arg(b)
                      .arg(7 + (b % 10) * 53)
                      .arg(7 + (b / 10) * 27)
                      .toUtf8();
        }
        ui += "  </widget>\n";
    }
    ui += " </widget>\n <resources/>\n <connections/>\n</ui>\n";
    return ui;
}

// CPU time, user and system, of the finished programs this process has waited for.
double ChildrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// One run of the program; a wall time below 0 when it failed.
Cost Run(const QString &program, const QStringList &args)
{
    QProcess p;
    QElapsedTimer t;
    const double cpu = ChildrenCpuMs();
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     p.readAllStandardError().left(400).constData());
        return {-1, -1};
    }
    return {t.nsecsElapsed() / 1e6, ChildrenCpuMs() - cpu};
}

// The least of the runs; failed once, failed for good.
void KeepLeastRun(Cost &best, const Cost &run)
{
    if (run.Wall < 0 || best.Wall < 0)
        best = {-1, -1};
    else
        KeepLeast(best, run);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString corvane = args.value(1, FindUpwards(QStringLiteral("cli/corvane")));
    const QString uic = args.value(
        2, QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/uic"));
    QString templates = args.value(3, FindUpwards(QStringLiteral("GuiLib/Standard.tpl")));
    templates = QFileInfo(templates).isDir() ? templates : QFileInfo(templates).path();
    if (corvane.isEmpty() || !QFileInfo::exists(uic) || templates.isEmpty()) {
        std::fprintf(stderr, "corvane, uic or the template folder not found; give them as arguments\n");
        return 1;
    }

    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("bench.gui"));
    const QString ui = dir.filePath(QStringLiteral("bench.ui"));
    if (!WriteFile(project, ProjectText()) || !WriteFile(ui, UiText())) {
        std::fprintf(stderr, "cannot write the input files\n");
        return 1;
    }

    const QStringList generateArgs = {QStringLiteral("generate"), project, QStringLiteral("--templates"),
                                      templates, QStringLiteral("--output"), dir.filePath("bench.bas")};
    const QStringList uicArgs = {ui, QStringLiteral("-o"), dir.filePath("ui_bench.h")};
    Cost generate{1e300, 1e300}, compile{1e300, 1e300};
    for (int i = 0; i < 7; ++i) {
        KeepLeastRun(generate, Run(corvane, generateArgs));
        KeepLeastRun(compile, Run(uic, uicArgs));
    }
    std::printf("content: %d forms x %d buttons\n", Forms, ButtonsPerForm);
    std::printf("corvane generate: %.1f ms (CPU %.1f) (%lld bytes of program)\n", generate.Wall,
                generate.Cpu, QFileInfo(dir.filePath("bench.bas")).size());
    std::printf("uic:              %.1f ms (CPU %.1f) (%lld bytes of header)\n", compile.Wall,
                compile.Cpu, QFileInfo(dir.filePath("ui_bench.h")).size());
    if (generate.Wall > 0 && compile.Wall > 0)
        std::printf("ratio generate/uic: %.2f (CPU %.2f; goal: 1.0 or less)\n",
                    generate.Wall / compile.Wall, generate.Cpu / compile.Cpu);
    return 0;
}
