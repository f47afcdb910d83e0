#pragma once
// Timing helpers of the benchmarks: milliseconds of a timer, and the best of several runs.
#include <QElapsedTimer>

#include <algorithm>
#include <ctime>
#include <functional>

inline double Ms(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

// The least of runs calls of run (milliseconds): the run least disturbed by the machine.
inline double Best(int runs, const std::function<double()> &run)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, run());
    return best;
}

// CPU time of the calling thread in milliseconds: what a run cost, which a busy machine
// stretches less than the wall time.
inline double ThreadCpuTimeMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
