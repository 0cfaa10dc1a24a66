#include "bench/BenchSupport.h"

#include "bench/PeakMemory.h"

#include <map>

namespace TsXmlLibBench {

namespace {
// Above this size every benchmark runs once: a single run already takes long
// enough to time, and the whole program has to stay within a few minutes.
constexpr std::size_t kSingleRunFrom = 64u << 20;
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
            body(state, in);
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * in.xml.GetLength());
        });
    b->Unit(benchmark::kMillisecond)->UseRealTime();
    if (targetBytes >= kSingleRunFrom)
        b->Iterations(1);
    else
        b->MinTime(0.3);
}

} // namespace TsXmlLibBench
