// The pattern matcher with a fuzzed pattern and value (separated by the first
// line feed): translation and compilation of any pattern either succeed or
// throw CTsException, and matching any value ends.
#include "FuzzInput.h"

#include "tsxmllib/Functions.h"
#include "tsxmllib/TsException.h"

using namespace TsXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Backtracking time grows with both lengths; short inputs find the same faults.
    if (size > 512)
        return 0;
    FuzzInput input(data, size);
    const std::string pattern = input.TakeUntil('\n');
    const std::string value = input.TakeRest();
    try {
        (void)PatternMatch(pattern, value);
    } catch (const CTsException&) {
    }
    return 0;
}
