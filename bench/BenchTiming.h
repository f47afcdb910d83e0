#pragma once
// Timing helpers of the benchmarks: milliseconds of a timer, the CPU time of the thread beside
// the wall time, and the least of several runs.
#include <QElapsedTimer>

#include <algorithm>
#include <ctime>
#include <functional>

inline double Ms(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

// CPU time of the calling thread in milliseconds: what a run cost, which a busy machine
// stretches less than the wall time.
inline double ThreadCpuTimeMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall and CPU time of a run, in milliseconds.
struct Cost
{
    double Wall = 0, Cpu = 0;
};

// The wall time and the CPU time of the thread since it was made.
class CostTimer
{
public:
    CostTimer() : m_cpu(ThreadCpuTimeMs()) { m_wall.start(); }
    Cost Elapsed() const { return {Ms(m_wall), ThreadCpuTimeMs() - m_cpu}; }

private:
    QElapsedTimer m_wall;
    double m_cpu;
};

// What one call of f costs.
template <typename F>
Cost Measure(F &&f)
{
    const CostTimer timer;
    f();
    return timer.Elapsed();
}

// Keeps the least wall time and the least CPU time: the run least disturbed by the machine.
inline void KeepLeast(Cost &best, const Cost &run)
{
    best.Wall = std::min(best.Wall, run.Wall);
    best.Cpu = std::min(best.Cpu, run.Cpu);
}

// The least wall and the least CPU time of runs calls of run.
inline Cost Least(int runs, const std::function<Cost()> &run)
{
    Cost best{1e300, 1e300};
    for (int i = 0; i < runs; ++i)
        KeepLeast(best, run());
    return best;
}
