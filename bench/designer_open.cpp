// Opening projects of 32 up to 512 forms (or the largest given as the first argument) of 100
// controls each, the kinds most forms hold taking turns (text boxes, labels, buttons, check
// boxes, list boxes), in the designer the way File > Open does it: forms on design windows in
// an MDI area beside the project tree, timed until every window shows its controls. Each open
// runs in a process of its own (wall time, CPU time and resident memory of that open alone).
// Goals: 4 times the forms cost at most 4.5 times the time (wall and CPU); 512 forms open
// within 10 seconds; memory grows linearly (the same per form at every size).
#include "BenchOpen.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>

int main(int argc, char **argv)
{
    if (const int child = BenchOpen::StartChild(argc, argv); child >= 0)
        return child;
    QCoreApplication app(argc, argv);
    using namespace Vocabulary;
    const QList<int> mix{Type::Text, Type::Label, Type::Command, Type::Check, Type::List};
    // --project FORMS PATH [KIND] writes the project of FORMS forms, mixed or of one control
    // kind (its type number), for timing other programs side by side on the same content
    // (vs_qt_designer.py).
    if ((argc == 4 || argc == 5) && QByteArray(argv[1]) == "--project") {
        QFile file(QString::fromLocal8Bit(argv[3]));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        const QList<int> kinds = argc == 5 ? QList<int>{QByteArray(argv[4]).toInt()} : mix;
        file.write(DocumentStorage::ToStoredForm(BenchOpen::Project(QByteArray(argv[2]).toInt(), kinds)).toUtf8());
        return file.flush() ? 0 : 1;
    }
    // Row by row as they are measured, also into a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int largest = argc > 1 ? QByteArray(argv[1]).toInt() : 512;

    std::printf("Forms of 100 mixed controls (text box, label, button, check box, list box), %s\n",
                BenchOpen::Platform());
    std::printf("%6s %8s %10s %10s %9s %8s %8s %8s %7s\n", "forms", "controls", "wall ms", "CPU ms",
                "RSS MB", "MB/form", "wall 4x", "CPU 4x", "/check");
    std::map<int, BenchOpen::Measure> table;
    bool linear = true;
    for (int forms = 32; forms <= largest; forms *= 2) {
        // Every size the best of three: growth is read between sizes, and the best of three
        // against a single run would count one run's noise as growth.
        const BenchOpen::Measure m = BenchOpen::Best(mix, forms, 3);
        if (!m.Ok()) {
            // A size that could not be measured meets no goal.
            std::printf("%6d  failed\n", forms);
            linear = false;
            break;
        }
        table[forms] = m;
        const auto quarter = table.find(forms / 4);
        char wall4[16] = "", cpu4[16] = "";
        if (quarter != table.end()) {
            const double w = m.Wall / quarter->second.Wall, c = m.Cpu / quarter->second.Cpu;
            std::snprintf(wall4, sizeof wall4, "%.2f", w);
            std::snprintf(cpu4, sizeof cpu4, "%.2f", c);
            linear = linear && w <= 4.5 && c <= 4.5;
        }
        std::printf("%6d %8d %10.1f %10.1f %9.1f %8.2f %8s %8s %7.2f\n", forms, forms * 100, m.Wall,
                    m.Cpu, m.RssKb / 1024.0, m.RssKb / 1024.0 / forms, wall4, cpu4,
                    m.Wall / m.CheckMs);
        if (m.Forms != forms || m.Reports != 0)
            std::printf("       (%d design windows, %d reports)\n", m.Forms, m.Reports);
    }
    std::printf("4x the forms at most 4.5x the time (wall and CPU): %s\n", linear ? "met" : "MISSED");
    if (const auto big = table.find(512); big != table.end())
        std::printf("512 forms within 10 s: %.1f s wall, %.1f s CPU: %s\n", big->second.Wall / 1e3,
                    big->second.Cpu / 1e3, big->second.Wall <= 10000 ? "met" : "MISSED");
    return 0;
}
