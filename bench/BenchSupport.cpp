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

// A measurement made once per benchmark and counter: the benchmark function
// is called again for every iteration-count estimate.
template <class Measure>
double Once(const std::string& name, const char* counter, Measure measure)
{
    static std::map<std::string, double> measured;
    const std::string key = name + '/' + counter;
    auto found = measured.find(key);
    if (found == measured.end())
        found = measured.emplace(key, measure()).first;
    return found->second;
}

double PeakMultiple(const std::string& name, Inputs& in, const ReadOperation& read)
{
    return Once(name, "peak", [&] {
        const long long growth = PeakResidentGrowth([&] { read(in); });
        return growth < 0 ? -1.0 : static_cast<double>(growth) / in.xml.GetLength();
    });
}

// Outside Google Benchmark's timing, on a heap just given back to the system.
double FirstRunMilliseconds(const std::string& name, Inputs& in, const ReadOperation& op)
{
    return Once(name, "first", [&] {
        malloc_trim(0);
        const auto start = std::chrono::steady_clock::now();
        op(in);
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    });
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
