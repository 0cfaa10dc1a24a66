// Registration of the benchmarks of one document size: the library's
// pipelines, the baselines they are compared with, and the counters the
// summary table is made from.
#ifndef TSXMLLIB_BENCH_BENCHSUPPORT_H
#define TSXMLLIB_BENCH_BENCHSUPPORT_H

#include "bench/Inputs.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <string>

namespace TsXmlLibBench {

using BenchmarkBody = std::function<void(benchmark::State&, Inputs&)>;
using ReadOperation = std::function<void(Inputs&)>;

// Registers "<label>/<name>" on the inputs of targetBytes. Every benchmark
// reports the XML size as the bytes it processed, whatever form it works on.
// With firstRun, one call of it on a heap just given back to the system
// (malloc_trim) is timed before the trials and reported in the counter
// "first_ms": the cold cost of the operation. With peakRead, how far one run
// of it raises peak resident memory is measured once and reported in the
// counter "peak_x" as a multiple of the XML size.
// An operation whose first call prepares something (and so has no cold time
// of its own to report) passes reportFirstRun false; it is still counted by
// bench/count.sh.
void AddBenchmark(const std::string& label, const std::string& name, std::size_t targetBytes, BenchmarkBody body,
                  ReadOperation firstRun = nullptr, ReadOperation peakRead = nullptr, bool reportFirstRun = true);

void RegisterLibraryBenchmarks(const std::string& label, std::size_t targetBytes);
void RegisterBaselineBenchmarks(const std::string& label, std::size_t targetBytes);

} // namespace TsXmlLibBench

#endif
