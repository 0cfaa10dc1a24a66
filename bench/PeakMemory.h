// Peak resident memory of one operation, measured in a forked child so that
// the benchmark process itself keeps its heap and its measurements apart.
#ifndef TSXMLLIB_BENCH_PEAKMEMORY_H
#define TSXMLLIB_BENCH_PEAKMEMORY_H

#include <functional>

namespace TsXmlLibBench {

// Runs operation once in a child process and returns by how many bytes the
// child's resident high-water mark rose above its resident size just before
// the call, or -1 when the measurement failed (no /proc, the child threw).
long long PeakResidentGrowth(const std::function<void()>& operation);

} // namespace TsXmlLibBench

#endif
