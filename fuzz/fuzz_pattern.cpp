// The pattern matcher with a fuzzed pattern and value (separated by the first
// line feed): translation and compilation of any pattern either succeed or
// throw CTsException, and matching any value ends. A pattern the small
// automaton takes must give the regular-expression engine's answer on every
// value it is used for.
#include "FuzzInput.h"

#include "tsxmllib/Functions.h"
#include "tsxmllib/SimplePattern.h"
#include "tsxmllib/TsException.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdlib>

using namespace TsXmlLib16;

namespace {

// The engine's answer for the whole value, compiled as the library does;
// false when the engine refuses the pattern.
bool EngineMatches(const std::string& pattern, const std::string& value, bool& compiled)
{
    const std::string expression = TranslatePattern(pattern);
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), PCRE2_ZERO_TERMINATED,
                                     PCRE2_UTF | PCRE2_ANCHORED, &error, &offset, nullptr);
    compiled = code != nullptr;
    if (!code)
        return false;
    pcre2_match_data* match = pcre2_match_data_create_from_pattern(code, nullptr);
    const int rc =
        pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(value.data()), value.size(), 0, 0, match, nullptr);
    const bool whole = rc > 0 && pcre2_get_ovector_pointer(match)[0] == 0 &&
                       pcre2_get_ovector_pointer(match)[1] == value.size();
    pcre2_match_data_free(match);
    pcre2_code_free(code);
    return whole;
}

// Text the automaton is used for: ASCII without control characters.
bool PlainAscii(const std::string& value)
{
    for (const char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

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
    CSimplePattern simple;
    if (simple.Compile(pattern) && PlainAscii(value)) {
        bool compiled = false;
        const bool engine = EngineMatches(pattern, value, compiled);
        // The automaton takes only what the engine takes, and agrees with it.
        if (!compiled || engine != simple.Matches(value.data(), value.size()))
            std::abort();
    }
    return 0;
}
