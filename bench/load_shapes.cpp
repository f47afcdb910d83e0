// Loading three shapes that once slowed down with the square of their size, each at N and 4N
// objects: one form with many tool bars (client insets), many applications in one file (the
// project of each object), one form with many controls (z-order and deleting the instances).
// Loading and closing again are timed apart, wall and CPU time of the thread.
//
// Linear means a ratio near 4, but not even a bare hash table keeps that on this kind of
// machine: at these sizes the objects outgrow the processor's caches, and every object costs
// more at 4N than at N. So each shape is set beside its baseline, measured in the same run: as
// many bare objects as the load made, each holding the heap blocks one of the load's objects
// holds, as many of each size (counted as the load takes them and gives them back), kept in
// the three hash tables any design item is found by (full ID, ID in its container, address on
// its form), made and deleted again, tables and all. Every run, the designer's and the
// baseline's, starts from a heap given back to the system, so that none inherits the free
// lists another left. Goal: each ratio, loading and closing, at most 1.1 times the baseline's,
// wall and CPU.
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/Marks.h"

#include "BenchTiming.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

// Counts the heap blocks the measuring thread takes and gives back while it counts, by size.
// (Under the address sanitizer, which has allocation functions of its own, nothing is counted.)
namespace {
// Blocks of up to 4 KB, by their size in the heap (a multiple of 16); larger ones are tables
// and buffers of the whole project, not of one object.
constexpr int SizeClasses = 256;
using SizeCounts = std::array<long long, SizeClasses>;
thread_local bool t_counting = false;
thread_local SizeCounts t_blocks{};

void Count(void *block, int sign)
{
#ifndef __SANITIZE_ADDRESS__
    if (!t_counting || !block)
        return;
    const size_t sizeClass = (malloc_usable_size(block) + 8) / 16;
    if (sizeClass < SizeClasses)
        t_blocks[sizeClass] += sign;
#else
    Q_UNUSED(block);
    Q_UNUSED(sign);
#endif
}

// Counts what `work` takes and gives back.
SizeCounts Counted(const std::function<void()> &work)
{
    t_blocks.fill(0);
    t_counting = true;
    work();
    t_counting = false;
    return t_blocks;
}
} // namespace

#ifndef __SANITIZE_ADDRESS__
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void __libc_free(void *block);

void *malloc(size_t size)
{
    void *block = __libc_malloc(size);
    Count(block, 1);
    return block;
}

void *calloc(size_t count, size_t size)
{
    void *block = __libc_calloc(count, size);
    Count(block, 1);
    return block;
}

void *realloc(void *block, size_t size)
{
    Count(block, -1);
    void *moved = __libc_realloc(block, size);
    Count(moved ? moved : block, 1);
    return moved;
}

void free(void *block)
{
    Count(block, -1);
    __libc_free(block);
}
}
#endif

namespace {
QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }

QString Header() { return Rec({"TEMPLATE", "45000", "bench"}) + QChar(Marks::Attribute) + Rec({"0", "1.4", "0"}); }

QString Finish(QStringList recs)
{
    recs.prepend(Header());
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

QStringList AppAndForm()
{
    return {Rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"}),
            Rec({"2", "APP*F", "", "8", "auto", "auto", "60", "40", "1"})};
}

QString Bars(int n)
{
    QStringList recs = AppAndForm();
    for (int i = 0; i < n; ++i)
        // A tool bar's Click event (32) is always on: a record without it is refused and
        // reported, which would time the error path instead of the load.
        recs << Rec({"2", QStringLiteral("APP*F*TB%1").arg(i), "", "77", "0", "0", "0", "0", "32"});
    return Finish(recs);
}

QString Applications(int n)
{
    QStringList recs;
    for (int i = 0; i < n; ++i)
        recs << Rec({"2", QStringLiteral("APP%1").arg(i), "", "1", "0", "0", "80", "30", "1073741824"});
    return Finish(recs);
}

QString Controls(int n)
{
    QStringList recs = AppAndForm();
    for (int i = 0; i < n; ++i)
        recs << Rec({"2", QStringLiteral("APP*F*L%1").arg(i), "", "15", QString::number(i % 50),
                     QString::number(i / 50 % 50), "10", "1", "0"});
    return Finish(recs);
}

struct Times
{
    Cost Load, Close;
    // Heap bytes and blocks (by size) the load took; the baseline's objects take as many.
    double HeapBytes = 0;
    SizeCounts Blocks{};
};

size_t HeapInUse() { return mallinfo2().uordblks; }

Times LoadAndClose(const QString &text, const QString &folder)
{
    const QString path = folder + QStringLiteral("/shape.gui");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(DocumentStorage::ToStoredForm(text).toUtf8());
    }
    ProcessState state(folder);
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    DocumentStorage storage(designer, state);
    Times t;
    malloc_trim(0); // the same heap for every run
    const size_t heap = HeapInUse();
    DocumentStorage::OpenResult result;
    t.Blocks = Counted([&] { t.Load = Measure([&] { result = storage.OpenByName(path); }); });
    t.HeapBytes = double(HeapInUse()) - double(heap);
    t.Close = Measure([&] { designer.ReleaseAll(); });
    if (!result.Success || !prompter.Calls.empty())
        std::printf("  (load %s: %d reports)\n", result.Success ? "reported problems" : "failed",
                    int(prompter.Calls.size()));
    return t;
}
// Bare object i's keys: its full ID and its ID.
std::pair<QString, QString> KeysOf(int i)
{
    const QString id = QStringLiteral("C%1").arg(i);
    return {QStringLiteral("APP*F*") + id, id};
}

// The baseline: `objects` bare objects holding `blocks` between them (by size, as the load left
// them; 64-byte blocks of `bytes` when none were counted), kept the way a design item must be
// found: by its full ID, by its ID in its container, and by its address on its form. Made,
// then deleted last made first. The keys are among the blocks counted, as the load's IDs are.
Times Bare(int objects, double bytes, SizeCounts blocks)
{
    const SizeCounts keyBlocks = Counted([&] { KeysOf(objects / 2); });
    long long counted = 0;
    for (int c = 0; c < SizeClasses; ++c) {
        blocks[size_t(c)] = std::max(0LL, blocks[size_t(c)] - objects * keyBlocks[size_t(c)]);
        counted += blocks[size_t(c)];
    }
    if (counted == 0)
        blocks[4] = std::max(1LL, (long long)(bytes / 64)) * objects;
    // Object i holds the blocks [first[i], first[i + 1]) of `taken`, sizes spread evenly.
    std::vector<long long> first(size_t(objects) + 1, 0);
    std::vector<size_t> sizeOf;
    for (int i = 0; i < objects; ++i) {
        first[size_t(i)] = (long long)sizeOf.size();
        for (int c = 1; c < SizeClasses; ++c) {
            const long long n = blocks[size_t(c)];
            const long long mine = n * (i + 1) / objects - n * i / objects;
            for (long long k = 0; k < mine; ++k)
                sizeOf.push_back(size_t(c) * 16 - 8); // the request that takes a block of c * 16
        }
    }
    first[size_t(objects)] = (long long)sizeOf.size();
    std::vector<char *> taken(sizeOf.size(), nullptr);
    QHash<QString, char *> byFullId, byId;
    QHash<const char *, int> byAddress;
    std::vector<std::pair<QString, QString>> keys;
    keys.reserve(size_t(objects));
    Times t;
    malloc_trim(0);
    CostTimer timer;
    for (int i = 0; i < objects; ++i) {
        for (long long b = first[size_t(i)]; b < first[size_t(i) + 1]; ++b) {
            taken[size_t(b)] = static_cast<char *>(malloc(sizeOf[size_t(b)]));
            taken[size_t(b)][0] = char(b);
        }
        char *object = taken[size_t(first[size_t(i)])];
        keys.push_back(KeysOf(i));
        byFullId.insert(keys.back().first, object);
        byId.insert(keys.back().second, object);
        byAddress.insert(object, i);
    }
    t.Load = timer.Elapsed();
    timer = CostTimer();
    for (int i = objects - 1; i >= 0; --i) {
        char *object = byFullId.take(keys[size_t(i)].first);
        byId.remove(keys[size_t(i)].second);
        byAddress.remove(object);
        keys[size_t(i)] = {};
        for (long long b = first[size_t(i) + 1] - 1; b >= first[size_t(i)]; --b)
            free(taken[size_t(b)]);
    }
    // The tables go too, as a closing project's do. Freeing a large block is also when the
    // allocator merges the small ones freed before it; a close that kept its tables would
    // leave that work to whoever frees one next, outside the timing.
    byFullId = {};
    byId = {};
    byAddress = {};
    t.Close = timer.Elapsed();
    return t;
}

// Keeps the least of each time over several runs (on a busy machine the others mostly measure
// the neighbours) and the most heap.
void KeepLeast(Times &best, const Times &t)
{
    KeepLeast(best.Load, t.Load);
    KeepLeast(best.Close, t.Close);
    best.HeapBytes = std::max(best.HeapBytes, t.HeapBytes);
    best.Blocks = t.Blocks;
}
} // namespace

constexpr int Rounds = 7;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    struct Shape
    {
        const char *Name;
        int N;
        std::function<QString(int)> Make;
    };
    // At 5,000 tool bars or applications a close takes about 2 ms, which one quiet moment of
    // a shared machine shortens by a fifth; at 20,000 it is long enough to compare.
    const Shape shapes[] = {{"tool bars on one form", 20000, Bars},
                            {"applications in one file", 20000, Applications},
                            {"controls on one form", 20000, Controls}};
    // Optional: one shape (its first word) and its N, to look at one of them closer.
    const QStringList args = app.arguments();
    int missed = 0;
    for (const Shape &shape : shapes) {
        if (args.size() > 1 && !QString::fromLatin1(shape.Name).startsWith(args.at(1)))
            continue;
        const int n = args.size() > 2 ? args.at(2).toInt() : shape.N;
        const QString smallText = shape.Make(n), largeText = shape.Make(4 * n);
        // The four measurements take turns, round after round, so that a busy moment of the
        // machine falls on the load and on its baseline alike; a close of a few milliseconds
        // needs a few rounds to meet a quiet moment.
        Times small = LoadAndClose(smallText, dir.path());
        Times large = LoadAndClose(largeText, dir.path());
        auto bare = [&](int objects, const Times &load) {
            return Bare(objects, load.HeapBytes / objects, load.Blocks);
        };
        Times bareSmall = bare(n, small), bareLarge = bare(4 * n, large);
        for (int round = 1; round < Rounds; ++round) {
            KeepLeast(small, LoadAndClose(smallText, dir.path()));
            KeepLeast(large, LoadAndClose(largeText, dir.path()));
            KeepLeast(bareSmall, bare(n, small));
            KeepLeast(bareLarge, bare(4 * n, large));
        }
        auto row = [&](const char *name, const char *what, Cost s, Cost l, Cost bs, Cost bl) {
            const double wall = l.Wall / s.Wall, cpu = l.Cpu / s.Cpu;
            const double bare = bl.Wall / bs.Wall, bareCpu = bl.Cpu / bs.Cpu;
            const bool met = wall <= 1.1 * bare && cpu <= 1.1 * bareCpu;
            missed += met ? 0 : 1;
            std::printf("%-26s %-5s N=%6d %8.1f ms (CPU %8.1f)  4N=%6d %8.1f ms (CPU %8.1f)  "
                        "ratio %.1f (CPU %.1f)  bare %.1f -> %.1f ms, ratio %.1f (CPU %.1f)  %s\n",
                        name, what, n, s.Wall, s.Cpu, 4 * n, l.Wall, l.Cpu, wall, cpu, bs.Wall,
                        bl.Wall, bare, bareCpu, met ? "met" : "MISSED");
        };
        row(shape.Name, "load", small.Load, large.Load, bareSmall.Load, bareLarge.Load);
        row("", "close", small.Close, large.Close, bareSmall.Close, bareLarge.Close);
        long long blocks = 0;
        for (const long long count : large.Blocks)
            blocks += count;
        std::printf("%-26s heap %.0f bytes in %.1f blocks an object\n", "",
                    large.HeapBytes / (4 * n), double(blocks) / (4 * n));
    }
    std::printf("ratios at most 1.1 times the bare baseline's: %s\n", missed ? "MISSED" : "met");
    return 0;
}
