// The process's resident memory, read from /proc (Linux), for the benchmarks
// that say what a read takes of the machine's memory.
#ifndef ZUVO_BENCH_BENCHMEMORY_H
#define ZUVO_BENCH_BENCHMEMORY_H

#include <QtGlobal>

namespace BenchMemory {

// Resets the high-water mark of resident memory.
void resetPeak();

// Resident memory now ("VmRSS") or at its peak ("VmHWM"), in bytes; -1 when
// it cannot be read.
qint64 resident(const char *field);

} // namespace BenchMemory

#endif // ZUVO_BENCH_BENCHMEMORY_H
