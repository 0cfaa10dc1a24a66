// Every text-to-value conversion with every white-space rule. A value that
// is accepted prints as text that is accepted again and gives the same value.
#include "FuzzInput.h"

#include "tsxmllib/Conversions.h"
#include "tsxmllib/TsException.h"

#include <cmath>
#include <cstdlib>

using namespace TsXmlLib16;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Reads the text, prints the value and reads the printed form again.
template <class Parse, class Print>
void RoundTrip(const std::string& text, CConversions::WhitespaceRule rule, Parse parse, Print print)
{
    try {
        const auto value = parse(text, rule);
        const auto again = parse(print(value), CConversions::WhitespaceRule::WhitespaceRule_Collapse);
        Check(again == value);
    } catch (const CTsException&) {
    }
}

template <class Parse, class Print>
void RoundTripFloat(const std::string& text, CConversions::WhitespaceRule rule, Parse parse, Print print)
{
    try {
        const auto value = parse(text, rule);
        const auto again = parse(print(value), CConversions::WhitespaceRule::WhitespaceRule_Collapse);
        Check(std::isnan(value) ? std::isnan(again) : again == value);
    } catch (const CTsException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto rule = static_cast<CConversions::WhitespaceRule>(data[0] % 4);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    using C = CConversions;
    RoundTrip(text, rule, &C::i1FromString, &C::i1ToString);
    RoundTrip(text, rule, &C::i2FromString, &C::i2ToString);
    RoundTrip(text, rule, &C::i4FromString, &C::i4ToString);
    RoundTrip(text, rule, &C::i8FromString, &C::i8ToString);
    RoundTrip(text, rule, &C::ui1FromString, &C::ui1ToString);
    RoundTrip(text, rule, &C::ui2FromString, &C::ui2ToString);
    RoundTrip(text, rule, &C::ui4FromString, &C::ui4ToString);
    RoundTrip(text, rule, &C::ui8FromString, &C::ui8ToString);
    RoundTrip(text, rule, &C::booleanFromString, &C::booleanToString);
    RoundTripFloat(text, rule, &C::r8FromString, [](double v) { return C::r8ToString(v, "%.17g"); });
    RoundTripFloat(text, rule, &C::r4FromString, [](float v) { return C::r4ToString(v, "%.9g"); });
    try {
        (void)C::r8ToString(C::r8FromString(text, rule));
        (void)C::r4ToString(C::r4FromString(text, rule));
    } catch (const CTsException&) {
    }
    try {
        (void)C::charFromString(text, rule);
    } catch (const CTsException&) {
    }
    (void)C::stringFromString(text, rule);
    try {
        (void)C::hexBinaryFromString(text, rule);
    } catch (const CTsException&) {
    }
    try {
        (void)C::base64BinaryFromString(text, rule);
    } catch (const CTsException&) {
    }
    return 0;
}
