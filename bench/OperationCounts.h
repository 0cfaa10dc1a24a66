// Instruction counts instead of times: every benchmarked operation of one
// document size runs twice, each in a function of its own, so that callgrind
// (bench/count.sh) can report what one call executes. Unlike the timings,
// the counts do not depend on what else the machine is doing.
#ifndef TSXMLLIB_BENCH_OPERATIONCOUNTS_H
#define TSXMLLIB_BENCH_OPERATIONCOUNTS_H

#include "bench/BenchSupport.h"

#include <cstddef>
#include <string>

namespace TsXmlLibBench {

// Remembers an operation under its benchmark name (called by AddBenchmark).
void RecordOperation(const std::string& name, std::size_t targetBytes, ReadOperation op);

// Runs the operations recorded for targetBytes and prints "<index> <name>" for
// each, the index being that of the function TsXmlLibBench::CountedRun<index>
// it ran in. Returns the exit status.
int RunOperationCounts(std::size_t targetBytes);

} // namespace TsXmlLibBench

#endif
