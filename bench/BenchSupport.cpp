#include "bench/BenchSupport.h"

#include "bench/OperationCounts.h"
#include "bench/PeakMemory.h"

#include <chrono>
#include <map>

#include <malloc.h>

namespace TsXmlLibBench {

namespace {
// Above this size every benchmark runs once: a single run already takes long
// enough to time, and the whole program has to stay within a few minutes.
constexpr std::size_t kSingleRunFrom = 64u << 20;
// Below it, each benchmark runs trials until one lasts this long. Google
// Benchmark reports only that last trial, and every operation here takes
// under a second, so the reported trial always follows a complete earlier
// one: it measures the steady state, with the heap already grown.
constexpr double kMinSeconds = 1.0;
} // namespace

namespace {

// Measured once per benchmark: the function is called again for every
// iteration-count estimate.
double PeakMultiple(const std::string& name, Inputs& in, const ReadOperation& read)
{
    static std::map<std::string, double> measured;
    auto found = measured.find(name);
    if (found == measured.end()) {
        const long long growth = PeakResidentGrowth([&] { read(in); });
        found = measured.emplace(name, growth < 0 ? -1.0 : static_cast<double>(growth) / in.xml.GetLength()).first;
    }
    return found->second;
}

// Measured once per benchmark, outside Google Benchmark's timing.
double FirstRunMilliseconds(const std::string& name, Inputs& in, const ReadOperation& op)
{
    static std::map<std::string, double> measured;
    auto found = measured.find(name);
    if (found == measured.end()) {
        malloc_trim(0);
        const auto start = std::chrono::steady_clock::now();
        op(in);
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        found = measured.emplace(name, elapsed.count()).first;
    }
    return found->second;
}

} // namespace

void AddBenchmark(const std::string& label, const std::string& name, std::size_t targetBytes, BenchmarkBody body,
                  ReadOperation firstRun, ReadOperation peakRead, bool reportFirstRun)
{
    const std::string fullName = label + "/" + name;
    if (firstRun)
        RecordOperation(fullName, targetBytes, firstRun);
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(
        fullName.c_str(), [fullName, targetBytes, body, firstRun, peakRead, reportFirstRun](benchmark::State& state) {
            Inputs& in = InputsFor(targetBytes);
            if (peakRead)
                state.counters["peak_x"] = PeakMultiple(fullName, in, peakRead);
            if (firstRun && reportFirstRun)
                state.counters["first_ms"] = FirstRunMilliseconds(fullName, in, firstRun);
            body(state, in);
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * in.xml.GetLength());
        });
    b->Unit(benchmark::kMillisecond)->UseRealTime();
    if (targetBytes >= kSingleRunFrom)
        b->Iterations(1);
    else
        b->MinTime(kMinSeconds);
}

} // namespace TsXmlLibBench
