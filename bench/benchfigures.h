// How the benchmarks sum up their runs and print a figure next to its floor.
#ifndef ZUVO_BENCH_BENCHFIGURES_H
#define ZUVO_BENCH_BENCHFIGURES_H

#include <benchmark/benchmark.h>

#include <QList>
#include <QString>

#include <algorithm>
#include <functional>

namespace BenchFigures {

// The middle one of the values (-1 for none): runs vary, and one slow run
// should not move the figure.
inline double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// A time in the unit that suits it, three significant digits.
inline QString duration(double seconds)
{
    if (seconds < 0)
        return QStringLiteral("?");
    if (seconds < 1e-6)
        return QStringLiteral("%1 ns").arg(seconds * 1e9, 0, 'g', 3);
    if (seconds < 1e-3)
        return QStringLiteral("%1 us").arg(seconds * 1e6, 0, 'g', 3);
    if (seconds < 1)
        return QStringLiteral("%1 ms").arg(seconds * 1e3, 0, 'g', 3);
    return QStringLiteral("%1 s").arg(seconds, 0, 'g', 3);
}

// Ours over the floor, three significant digits ("?" when either is missing).
inline QString ratio(double ours, double floor)
{
    return ours > 0 && floor > 0 ? QString::number(ours / floor, 'g', 3) : QStringLiteral("?");
}

// A peer program's run on the benchmark's input and on a trivial one (its
// start-up), in turns, each iteration timed by the first. The medians in
// seconds; false, with the benchmark skipped, when a run failed (a time < 0).
inline bool timePeer(benchmark::State &state, const std::function<double()> &work,
                     const std::function<double()> &startUp, const char *failure,
                     double *workSeconds, double *startUpSeconds)
{
    QList<double> works;
    QList<double> starts;
    for (auto _ : state) {
        const double seconds = work();
        const double startSeconds = startUp();
        if (seconds < 0 || startSeconds < 0) {
            state.SkipWithError(failure);
            return false;
        }
        works.append(seconds);
        starts.append(startSeconds);
        state.SetIterationTime(seconds);
    }
    *workSeconds = median(works);
    *startUpSeconds = median(starts);
    state.counters["start_up_ms"] = *startUpSeconds * 1e3;
    return true;
}

} // namespace BenchFigures

#endif // ZUVO_BENCH_BENCHFIGURES_H
