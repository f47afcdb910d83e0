// The growth of opening by control kind: forms of 100 controls of one kind, every kind the
// design surface builds a widget for (tabs only inside tab groups, so not on their own), at 32
// and 128 forms, or at the given pair of form counts, for the kinds given by their type codes
// (comma-separated) or all. Each open in a process of its own, the best of five a size with
// the sizes taking turns, timed until every form's window shows its controls. Goal: 4 times
// the forms at most 4.5 times the time, wall and CPU, for every kind; a kind over that is
// measured again as bare Qt widgets of its class ("--bare"), and meets the goal when it grows
// no faster than they do.
#include "BenchOpen.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (const int child = BenchOpen::StartChild(argc, argv); child >= 0)
        return child;
    QCoreApplication app(argc, argv);
    // Row by row as they are measured, also into a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    using namespace Vocabulary;
    const int small = argc > 1 ? QByteArray(argv[1]).toInt() : 32;
    const int large = argc > 2 ? QByteArray(argv[2]).toInt() : small * 4;
    const double factor = double(large) / small;
    QList<int> only;
    if (argc > 3)
        for (const QByteArray &code : QByteArray(argv[3]).split(','))
            only << code.toInt();

    std::printf("Forms of 100 controls of one kind, %d and %d forms, %s\n", small, large,
                BenchOpen::Platform());
    std::printf("%-14s %10s %10s %10s %10s %9s %7s %7s\n", "kind", "wall small", "CPU small",
                "wall large", "CPU large", "MB/form", "wall x", "CPU x");
    // A shared machine's slow spells last seconds and reach any one run of a kind by a
    // third or more; with three runs a size, one kind in a sweep of 21 would still take the
    // spell on all three runs of one size.
    constexpr int Runs = 5;
    int missed = 0;
    for (int kind = Type::Label; kind <= Type::Browser; ++kind) {
        if (kind == Type::Tab || (!only.isEmpty() && !only.contains(kind)))
            continue;
        const QList<int> kinds{kind};
        // Both sizes the best of five opens, taking turns: the best of several small ones
        // against a single large one would set the noise of one run against a figure
        // without it.
        const auto [s, l] = BenchOpen::BestOfPairs(kinds, small, large, Runs);
        // The wrapper's name is shared by related kinds (three text boxes, three lists): the
        // type code tells them apart.
        const QString name = QStringLiteral("%1 %2").arg(kind).arg(TypeKeyword(kind, false));
        if (!s.Ok() || !l.Ok()) {
            std::printf("%-14s failed\n", qPrintable(name));
            ++missed;
            continue;
        }
        const double w = l.Wall / s.Wall, c = l.Cpu / s.Cpu, limit = 4.5 * factor / 4;
        const bool linear = w <= limit && c <= limit;
        std::printf("%-14s %10.1f %10.1f %10.1f %10.1f %9.2f %7.2f %7.2f%s\n", qPrintable(name),
                    s.Wall, s.Cpu, l.Wall, l.Cpu, l.RssKb / 1024.0 / large, w, c,
                    linear ? "" : "  over the limit");
        if (linear)
            continue;
        // Over the limit, the kind is set beside the same number of bare Qt widgets of its
        // class: it still meets the goal when it grows no faster than they do, the growth
        // being the toolkit's own.
        const auto [bs, bl] = BenchOpen::BestOfPairs(kinds, small, large, Runs, true);
        const bool asBare = bs.Ok() && bl.Ok() && w <= bl.Wall / bs.Wall && c <= bl.Cpu / bs.Cpu;
        missed += asBare ? 0 : 1;
        if (bs.Ok() && bl.Ok())
            std::printf("%-14s %10.1f %10.1f %10.1f %10.1f %9.2f %7.2f %7.2f  %s\n", "  bare Qt",
                        bs.Wall, bs.Cpu, bl.Wall, bl.Cpu, bl.RssKb / 1024.0 / large,
                        bl.Wall / bs.Wall, bl.Cpu / bs.Cpu,
                        asBare ? "met: no faster than bare Qt" : "MISSED");
        else
            std::printf("  bare Qt failed: MISSED\n");
    }
    std::printf("%.0fx the forms at most %.2fx the time, or no faster growth than bare Qt "
                "widgets, for every kind: %s\n",
                factor, 4.5 * factor / 4, missed ? "MISSED" : "met");
    return 0;
}
