#include "bench/OperationCounts.h"

#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace TsXmlLibBench {

// One function per operation, kept out of line so that callgrind attributes
// the operation's instructions to it.
template <std::size_t N>
__attribute__((noinline)) void CountedRun(const ReadOperation& op, Inputs& in)
{
    op(in);
}

namespace {

struct Recorded {
    std::string name;
    std::size_t targetBytes;
    ReadOperation op;
};

std::vector<Recorded>& Operations()
{
    static std::vector<Recorded> operations;
    return operations;
}

using Runner = void (*)(const ReadOperation&, Inputs&);
constexpr std::size_t kMaxOperations = 32;

template <std::size_t... I>
constexpr std::array<Runner, sizeof...(I)> MakeRunners(std::index_sequence<I...>)
{
    return {&CountedRun<I>...};
}

} // namespace

void RecordOperation(const std::string& name, std::size_t targetBytes, ReadOperation op)
{
    Operations().push_back({name, targetBytes, std::move(op)});
}

int RunOperationCounts(std::size_t targetBytes)
{
    static constexpr std::array<Runner, kMaxOperations> runners =
        MakeRunners(std::make_index_sequence<kMaxOperations>());
    Inputs& in = InputsFor(targetBytes);
    std::size_t index = 0;
    for (const Recorded& recorded : Operations()) {
        if (recorded.targetBytes != targetBytes)
            continue;
        if (index == kMaxOperations) {
            std::fprintf(stderr, "more than %zu operations to count\n", kMaxOperations);
            return 1;
        }
        // Once outside the counted functions, so that first-use work
        // (compiled patterns, a baseline's tree parsed for saving) is left
        // out, then twice inside: the script halves the total.
        recorded.op(in);
        runners[index](recorded.op, in);
        runners[index](recorded.op, in);
        std::printf("%zu %s\n", index, recorded.name.c_str());
        ++index;
    }
    return 0;
}

} // namespace TsXmlLibBench
