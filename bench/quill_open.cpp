// Opening the 260,000-line program of the analysis benchmark (20,000 event handlers) in Quill
// and showing its first screen, against reading and decoding the same file alone; then the
// time to type one character in the middle of it: the key and the events it leaves, which
// repaint what changed. Prints the figures
// and the ratio (the editor should stay within 3 times the bare read; typing within a frame).
#include "BenchTemplates.h"
#include "BenchTiming.h"
#include "code/CodeProgramText.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "host/mvConnection.h"
#include "quill/QsciHeaders.h"
#include "quill/QuillDocument.h"
#include "quill/QuillEditor.h"
#include "support/Marks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int Handlers = 20000;
constexpr int ButtonsPerForm = 100;
constexpr int Runs = 5;

QString Record(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

// The project of the analysis benchmark: forms of 100 buttons, each with its Click event.
QString Project()
{
    QStringList records;
    records << Record({"TEMPLATE", "45000.5", ""}) << Record({"0", "1.4", "0"});
    records << Record({"2", "BENCH", "", "0", "0", "0", "800", "600", "0"});
    for (int f = 1; f <= Handlers / ButtonsPerForm; ++f) {
        const QString form = QStringLiteral("BENCH*FORM%1").arg(f);
        records << Record({"2", form, "", "5", "0", "0", "400", "300", "0"});
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = BenchTemplateFolder(argc, argv);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: bench_quill_open <template folder>\n");
        return 1;
    }
    TemplateFiles templates(folder + "/");
    modCodeGen gen(templates);
    gen.SetProjectText(Project());
    gen.SetProjectLocation(QStringLiteral("GUI.PROJECTS"), QStringLiteral("BENCH"));
    const QString program = gen.GenerateProgram();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BENCH.bas"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(program.toUtf8());
    }
    const long long lines = program.count(QStringLiteral("\r\n")) + 1;

    double readMs = 1e300, readCpu = 1e300;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        const double cpu = ThreadCpuTimeMs();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QString text = CodeProgramText::FromBytes(file.readAll());
        readMs = std::min(readMs, Ms(t));
        readCpu = std::min(readCpu, ThreadCpuTimeMs() - cpu);
        if (text.size() < 10)
            return 1;
    }

    mvConnection connection;
    double openMs = 1e300, openCpu = 1e300;
    double typeAvg = 0, typeMax = 0, keyAvg = 0, eventsAvg = 0, typeMaxCpu = 0;
    for (int run = 0; run < Runs; ++run) {
        QuillEditor editor(connection, folder + "/");
        editor.resize(1000, 800);
        QElapsedTimer t;
        t.start();
        const double cpu = ThreadCpuTimeMs();
        auto *doc = static_cast<QuillDocument *>(editor.Documents().Add());
        QString opened, shown;
        doc->Open(path, opened, shown);
        editor.show();
        QApplication::processEvents();
        doc->View()->viewport()->repaint(); // the first screen, painted
        openMs = std::min(openMs, Ms(t));
        openCpu = std::min(openCpu, ThreadCpuTimeMs() - cpu);

        if (run == Runs - 1) {
            doc->GoToLine(int(lines / 2));
            doc->View()->setFocus();
            QApplication::processEvents();
            constexpr int Keys = 50;
            double total = 0, keyTotal = 0, eventsTotal = 0;
            for (int k = 0; k < Keys; ++k) {
                QElapsedTimer kt;
                kt.start();
                const double keyCpu = ThreadCpuTimeMs();
                QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                QApplication::sendEvent(doc->View(), &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                QApplication::sendEvent(doc->View(), &release);
                const double keyMs = Ms(kt);
                QApplication::processEvents();
                const double eventsMs = Ms(kt);
                keyTotal += keyMs;
                eventsTotal += eventsMs - keyMs;
                const double ms = Ms(kt);
                total += ms;
                typeMax = std::max(typeMax, ms);
                typeMaxCpu = std::max(typeMaxCpu, ThreadCpuTimeMs() - keyCpu);
            }
            typeAvg = total / Keys;
            keyAvg = keyTotal / Keys;
            eventsAvg = eventsTotal / Keys;
            doc->Close();
        }
    }

    std::printf("program: %lld lines, %.1f MB\n", lines, program.toUtf8().size() / 1e6);
    std::printf("read and decode the file:       %9.1f ms (CPU %9.1f)\n", readMs, readCpu);
    std::printf("open in Quill, first screen:    %9.1f ms (CPU %9.1f)\n", openMs, openCpu);
    std::printf("ratio: %.2f (CPU %.2f) (at most 3)\n", readMs > 0 ? openMs / readMs : 0.0,
                readCpu > 0 ? openCpu / readCpu : 0.0);
    std::printf("typing one character: %.2f ms average, %.2f ms worst (worst CPU %.2f ms; "
                "a frame is 16 ms)\n",
                typeAvg, typeMax, typeMaxCpu);
    std::printf("  of which the key itself %.2f ms, the screen update after it %.2f ms\n",
                keyAvg, eventsAvg);
    return 0;
}
