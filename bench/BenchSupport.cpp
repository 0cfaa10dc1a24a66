#include "bench/BenchSupport.h"

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

} // namespace

void AddBenchmark(const std::string& label, const std::string& name, std::size_t targetBytes, BenchmarkBody body,
                  ReadOperation peakRead)
{
    const std::string fullName = label + "/" + name;
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(
        fullName.c_str(), [fullName, targetBytes, body, peakRead](benchmark::State& state) {
            Inputs& in = InputsFor(targetBytes);
            if (peakRead)
                state.counters["peak_x"] = PeakMultiple(fullName, in, peakRead);
            // The first trial runs once on a heap given back to the system
            // (malloc_trim), so every page it needs is new to the process:
            // its time is the cold, first-use time of the operation.
            static std::map<std::string, double> firstRunMs;
            auto first = firstRunMs.find(fullName);
            const bool isFirstTrial = first == firstRunMs.end() && state.max_iterations == 1;
            if (isFirstTrial)
                malloc_trim(0);
            const auto start = std::chrono::steady_clock::now();
            body(state, in);
            if (isFirstTrial && !state.error_occurred())
                first = firstRunMs
                            .emplace(fullName, std::chrono::duration<double, std::milli>(
                                                   std::chrono::steady_clock::now() - start)
                                                   .count())
                            .first;
            if (first != firstRunMs.end())
                state.counters["first_ms"] = first->second;
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * in.xml.GetLength());
        });
    b->Unit(benchmark::kMillisecond)->UseRealTime();
    if (targetBytes >= kSingleRunFrom)
        b->Iterations(1);
    else
        b->MinTime(kMinSeconds);
}

} // namespace TsXmlLibBench
