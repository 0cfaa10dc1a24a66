// The benchmark program: registers every pipeline and baseline for each
// document size, runs them (progress on stderr) and prints one table per size
// on stdout with throughput, the ratios to the baselines and peak memory.
//
// Environment: TSXMLLIB_BENCH_SIZES, a comma-separated list of sizes in MiB
// (default "1,16,128"). With the single argument --count the program times
// nothing and runs each operation of the first size for bench/count.sh.
#include "bench/BenchSupport.h"
#include "bench/OperationCounts.h"

#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/XmlObjectBase.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace TsXmlLibBench;

namespace {

struct Result {
    double milliseconds = 0;
    double peak = -1;
    double firstMs = -1;
    std::string error;
};

// Keeps every run for the summary while the console reporter shows progress.
// With --benchmark_repetitions=N the summary takes the fastest repetition of
// each benchmark, which a busy shared machine disturbs least; the mean,
// median and spread are shown in the progress output.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            Result& r = results[run.run_name.function_name];
            r.error = run.error_occurred ? run.error_message : "";
            if (!run.error_occurred && (r.milliseconds == 0 || run.GetAdjustedRealTime() < r.milliseconds))
                r.milliseconds = run.GetAdjustedRealTime();
            const auto peak = run.counters.find("peak_x");
            if (peak != run.counters.end())
                r.peak = peak->second.value;
            const auto first = run.counters.find("first_ms");
            if (first != run.counters.end())
                r.firstMs = first->second.value;
        }
    }
    std::map<std::string, Result> results;
};

struct Comparison {
    const char* pipeline;
    // The baseline is the sum of these runs.
    std::vector<const char*> baseline;
    const char* pugixml;
    const char* libxml2;
};

const std::vector<Comparison> kComparisons = {
    {"Read/XML", {"Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/XML.gz", {"Base/inflate-xml", "Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/JSON", {"Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/JSON.gz", {"Base/inflate-json", "Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/FI", {"Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/CElement", {"Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Read/CXmlDocument", {"Base/expat"}, "Base/pugixml-parse", "Base/libxml2-read"},
    {"Write/XML", {"Base/memcpy-xml"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Write/XML.gz", {"Base/memcpy-xml", "Base/deflate-xml"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Write/JSON", {"Base/memcpy-json"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Write/JSON.gz", {"Base/memcpy-json", "Base/deflate-json"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Write/FI", {"Base/memcpy-xml"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Write/CElement", {"Base/memcpy-xml"}, "Base/pugixml-save", "Base/libxml2-dump"},
    {"Base/expat", {}, nullptr, nullptr},
    {"Base/pugixml-parse", {}, nullptr, nullptr},
    {"Base/libxml2-read", {}, nullptr, nullptr},
    {"Base/pugixml-save", {}, nullptr, nullptr},
    {"Base/libxml2-dump", {}, nullptr, nullptr},
    {"Base/memcpy-xml", {}, nullptr, nullptr},
    {"Base/memcpy-json", {}, nullptr, nullptr},
    {"Base/deflate-xml", {}, nullptr, nullptr},
    {"Base/deflate-json", {}, nullptr, nullptr},
    {"Base/inflate-xml", {}, nullptr, nullptr},
    {"Base/inflate-json", {}, nullptr, nullptr},
};

std::vector<std::size_t> SizesInMiB()
{
    const char* env = std::getenv("TSXMLLIB_BENCH_SIZES");
    std::stringstream list(env && *env ? env : "1,16,128");
    std::vector<std::size_t> sizes;
    for (std::string item; std::getline(list, item, ',');) {
        const long value = std::strtol(item.c_str(), nullptr, 10);
        if (value > 0)
            sizes.push_back(static_cast<std::size_t>(value));
    }
    return sizes;
}

std::string Label(std::size_t mib) { return std::to_string(mib) + "MB"; }

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void PrintTable(const std::map<std::string, Result>& results, std::size_t mib)
{
    const std::string label = Label(mib);
    const double megabytes = static_cast<double>(mib);
    std::printf("\n### %s: %s\n\n", label.c_str(), DescribeInputs(mib << 20).c_str());
    std::printf("| benchmark | ms | MB/s of XML | baseline | x baseline | x pugixml | x libxml2 | peak RSS / XML | "
                "first run ms |\n");
    std::printf("|---|---:|---:|---|---:|---:|---:|---:|---:|\n");
    auto find = [&](const char* name) -> const Result* {
        if (!name)
            return nullptr;
        const auto found = results.find(label + "/" + name);
        return found == results.end() || !found->second.error.empty() ? nullptr : &found->second;
    };
    auto ratio = [&](double ms, const Result* base) {
        return base && base->milliseconds > 0 ? Fixed(ms / base->milliseconds, 2) : std::string("-");
    };
    for (const Comparison& c : kComparisons) {
        const auto found = results.find(label + "/" + c.pipeline);
        if (found == results.end())
            continue;
        const Result& r = found->second;
        if (!r.error.empty()) {
            std::printf("| %s | - | - | - | - | - | - | skipped: %s | - |\n", c.pipeline,
                        r.error.substr(0, r.error.find('\n')).c_str());
            continue;
        }
        std::string baseName;
        double baseMs = 0;
        bool complete = !c.baseline.empty();
        for (const char* part : c.baseline) {
            const Result* base = find(part);
            baseName += (baseName.empty() ? "" : " + ") + std::string(part + 5);
            if (base)
                baseMs += base->milliseconds;
            else
                complete = false;
        }
        const std::string xBase = complete && baseMs > 0 ? Fixed(r.milliseconds / baseMs, 2) : std::string("-");
        const std::string xPugi = c.pugixml ? ratio(r.milliseconds, find(c.pugixml)) : "-";
        const std::string xLibxml2 = c.libxml2 ? ratio(r.milliseconds, find(c.libxml2)) : "-";
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", c.pipeline, Fixed(r.milliseconds, 2).c_str(),
                    Fixed(megabytes / (r.milliseconds / 1000.0), 1).c_str(), baseName.empty() ? "-" : baseName.c_str(),
                    xBase.c_str(), xPugi.c_str(), xLibxml2.c_str(), r.peak < 0 ? "-" : Fixed(r.peak, 2).c_str(),
                    r.firstMs < 0 ? "-" : Fixed(r.firstMs, 2).c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The benchmark plays the role of generated code of this library's version;
    // the documents hold UTF-8 and are kept as UTF-8 in the objects.
    TsXmlLib16::SetGeneratorVersion(TsXmlLib16::TsRuntimeVersionMajor, TsXmlLib16::TsRuntimeVersionMinor);
    TsXmlLib16::SetLocalCharEncoding(TsXmlLib16::CodePage_UTF8);

    const std::vector<std::size_t> sizes = SizesInMiB();
    for (std::size_t mib : sizes) {
        RegisterLibraryBenchmarks(Label(mib), mib << 20);
        RegisterBaselineBenchmarks(Label(mib), mib << 20);
    }
    // --count: no timing; every operation of the first size runs in a
    // function of its own for callgrind (bench/count.sh).
    if (argc == 2 && std::string(argv[1]) == "--count")
        return sizes.empty() ? 1 : RunOperationCounts(sizes.front() << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("MB = 2^20 bytes; every rate is the XML document size over the time of one run.\n");
    for (std::size_t mib : sizes)
        PrintTable(reporter.results, mib);
    return 0;
}
