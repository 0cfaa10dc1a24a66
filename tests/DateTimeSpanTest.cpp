// Durations: the lexical form and its state machine, writing without carrying,
// the sign, the order by four reference instants, and a seeded round trip.
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace TsXmlLib16;

namespace {

using TestSupport::MessageOf;

CDateTimeSpan Duration(const char* text)
{
    CDateTimeSpan span;
    span.ParseXSDDuration(text);
    return span;
}

std::string ParseError(const char* text)
{
    return MessageOf<CTsInvalidValueException>([&] { Duration(text); });
}

std::string Expected(const std::string& text)
{
    return "Invalid XSD Duration [" + text + "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";
}

std::string Fields(const CDateTimeSpan& d)
{
    return std::to_string(d.IsNegative()) + " " + std::to_string(d.GetYears()) + "Y " + std::to_string(d.GetMonths()) +
           "M " + std::to_string(d.GetDays()) + "D " + std::to_string(d.GetHours()) + "H " +
           std::to_string(d.GetMinutes()) + "M " + std::to_string(d.GetSeconds()) + "S " +
           std::to_string(d.GetMilliSeconds()) + "ms " + std::to_string(d.GetMicroSeconds()) + "us " +
           std::to_string(d.GetNanoSeconds()) + "ns";
}

} // namespace

TEST(DurationParse, AcceptedTextsAndTheirFields)
{
    struct Case {
        const char* text;
        const char* fields;
        const char* written;
    };
    const Case cases[] = {
        {"P1Y2M3DT4H5M6.789S", "0 1Y 2M 3D 4H 5M 6S 789ms 0us 0ns", "P1Y2M3DT4H5M6.789S"},
        {"-P1D", "1 0Y 0M 1D 0H 0M 0S 0ms 0us 0ns", "-P1D"},
        {"PT1.000000001S", "0 0Y 0M 0D 0H 0M 1S 0ms 0us 1ns", "PT1.000000001S"},
        {"PT0.5S", "0 0Y 0M 0D 0H 0M 0S 500ms 0us 0ns", "PT0.5S"},
        {"PT1.1234S", "0 0Y 0M 0D 0H 0M 1S 123ms 400us 0ns", "PT1.1234S"},
        {"PT90M", "0 0Y 0M 0D 0H 90M 0S 0ms 0us 0ns", "PT90M"},
        {"PT36H", "0 0Y 0M 0D 36H 0M 0S 0ms 0us 0ns", "PT36H"},
        {"P1YT30S", "0 1Y 0M 0D 0H 0M 30S 0ms 0us 0ns", "P1YT30S"},
        {"P2M", "0 0Y 2M 0D 0H 0M 0S 0ms 0us 0ns", "P2M"},
        {"PT2M", "0 0Y 0M 0D 0H 2M 0S 0ms 0us 0ns", "PT2M"},
        {"P1MT1M", "0 0Y 1M 0D 0H 1M 0S 0ms 0us 0ns", "P1MT1M"},
        {"P0D", "0 0Y 0M 0D 0H 0M 0S 0ms 0us 0ns", "P"},
        // A "." at the very end, or directly followed by "S", gives no fraction.
        {"PT1.", "0 0Y 0M 0D 0H 0M 1S 0ms 0us 0ns", "PT1S"},
        {"PT1.S", "0 0Y 0M 0D 0H 0M 1S 0ms 0us 0ns", "PT1S"},
        {"PT.5S", "0 0Y 0M 0D 0H 0M 0S 500ms 0us 0ns", "PT0.5S"},
        // A designator without digits stores zero.
        {"PYT1H", "0 0Y 0M 0D 1H 0M 0S 0ms 0us 0ns", "PT1H"},
        {"P65535Y4294967295M", "0 65535Y 4294967295M 0D 0H 0M 0S 0ms 0us 0ns", "P65535Y4294967295M"},
        {"PT18446744073709551615M", "0 0Y 0M 0D 0H 18446744073709551615M 0S 0ms 0us 0ns",
         "PT18446744073709551615M"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CDateTimeSpan span = Duration(c.text);
        EXPECT_EQ(Fields(span), c.fields);
        EXPECT_EQ(span.ToString(), c.written);
    }
}

TEST(DurationParse, RejectedTextsAndTheirMessages)
{
    struct Case {
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {nullptr, "Invalid XSD Duration (Null String)"},
        {"", "Invalid XSD Duration (Empty String)"},
        {"P1D2M", Expected("P1D2M")},
        {"PT1D", Expected("PT1D")},
        {"P1H", Expected("P1H")},
        {"PT", Expected("PT")},
        {"P", Expected("P")},
        {"-P", Expected("-P")},
        {"P1DT", Expected("P1DT")},
        {"1D", Expected("1D")},
        {"+P1D", Expected("+P1D")},
        {"P1M1Y", Expected("P1M1Y")},
        {"P1Y1Y", Expected("P1Y1Y")},
        {"PT1S1M", Expected("PT1S1M")},
        {"PT1M1H", Expected("PT1M1H")},
        {"P1", Expected("P1")},
        {"P1DT1", Expected("P1DT1")},
        {"P1X", Expected("P1X")},
        {"P 1D", Expected("P 1D")},
        {"P1.5D", Expected("P1.5D")},
        {"PT1.5", Expected("PT1.5")},
        {"PT1.5X", Expected("PT1.5X")},
        {"PT1.5S1M", Expected("PT1.5S1M")},
        {"PT1.1234567891S", "Invalid XSD Duration [PT1.1234567891S] Fraction part too long"},
        // Numbers the component cannot hold.
        {"P65536Y", Expected("P65536Y")},
        {"P4294967296D", Expected("P4294967296D")},
        {"PT18446744073709551616S", Expected("PT18446744073709551616S")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(ParseError(c.text), c.message);
    }
}

TEST(DurationParse, FailedParseKeepsWhatWasStored)
{
    CDateTimeSpan span(1, 2, 3);
    EXPECT_THROW(span.ParseXSDDuration("-P5D2M"), CTsInvalidValueException);
    EXPECT_EQ(Fields(span), "1 0Y 0M 5D 0H 0M 0S 0ms 0us 0ns");
}

TEST(DurationValue, SettersSignAndWriting)
{
    EXPECT_EQ(CDateTimeSpan().ToString(), "P");
    EXPECT_EQ(CDateTimeSpan(1, 90, 0).ToString(), "PT1H90M");
    EXPECT_EQ(CDateTimeSpan(1, 2, 3, 0, 0, 0).ToString(), "P1Y2M3D");
    EXPECT_EQ(CDateTimeSpan(0, 0, 0, 0, 0, 0, 0, 1, 0).ToString(), "PT0.000001S");

    CDateTimeSpan span = Duration("-P1D");
    span.SetDateTimeSpan(2, 0, 0);
    EXPECT_FALSE(span.IsNegative());
    EXPECT_EQ(span.ToString(), "PT2H");

    const CDateTimeSpan negative = Duration("-P1D");
    EXPECT_TRUE(negative.GetAsNegative().IsNegative());
    EXPECT_TRUE(Duration("P1D").GetAsNegative().IsNegative());
    CDateTimeSpan flipped = negative;
    flipped.Negate();
    EXPECT_EQ(flipped.ToString(), "P1D");
    flipped.Negate();
    EXPECT_EQ(flipped.ToString(), "-P1D");
    EXPECT_EQ(CDateTimeSpan().GetAsNegative().ToString(), "-P");

    span.SetYears(3);
    span.SetMonths(4);
    span.SetDays(5);
    span.SetHours(6);
    span.SetMinutes(7);
    span.SetSeconds(8);
    span.SetMilliSeconds(9);
    span.SetMicroSeconds(10);
    span.SetNanoSeconds(11);
    EXPECT_EQ(span.ToString(), "P3Y4M5DT6H7M8.009010011S");
}

TEST(DurationCompare, FourReferenceInstants)
{
    using R = CDateTime;
    struct Case {
        const char* a;
        const char* b;
        CDateTime::DTCompareResult result;
    };
    const Case cases[] = {
        {"P1M", "P30D", R::dt_indeterminate},
        {"P1M", "P32D", R::dt_lessThan},
        {"P32D", "P1M", R::dt_greaterThan},
        {"P1M", "P27D", R::dt_greaterThan},
        {"PT24H", "P1D", R::dt_equal},
        {"PT90M", "PT1H30M", R::dt_equal},
        {"P1Y", "P12M", R::dt_equal},
        {"P1Y", "P365D", R::dt_indeterminate},
        {"P1Y", "P367D", R::dt_lessThan},
        {"P2M", "P59D", R::dt_indeterminate},
        {"-P1D", "P1D", R::dt_lessThan},
        {"-P1D", "-PT24H", R::dt_equal},
        {"PT1.000000001S", "PT1S", R::dt_greaterThan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const CDateTimeSpan a = Duration(c.a);
        const CDateTimeSpan b = Duration(c.b);
        EXPECT_EQ(a.CompareTo(b), c.result);
        EXPECT_EQ(a == b, c.result == R::dt_equal);
        EXPECT_EQ(a != b, c.result != R::dt_equal);
        EXPECT_EQ(a < b, c.result == R::dt_lessThan);
        EXPECT_EQ(a > b, c.result == R::dt_greaterThan);
    }
}

TEST(DurationRoundTrip, RandomDurationsWriteAndReadBackUnchanged)
{
    std::mt19937_64 rng(16010101);
    // Components of every magnitude: a random number of decimal digits.
    const auto magnitude = [&](std::uint64_t max) -> std::uint64_t {
        if (rng() % 3 == 0)
            return 0;
        const std::uint64_t digits = rng() % 20;
        std::uint64_t limit = 1;
        for (std::uint64_t i = 0; i < digits && limit <= max / 10; ++i)
            limit *= 10;
        return limit > max ? rng() % (max + 1) : rng() % limit;
    };
    const auto fraction = [&]() -> unsigned short { return rng() % 2 ? 0 : static_cast<unsigned short>(rng() % 1000); };
    for (int i = 0; i < 4000; ++i) {
        CDateTimeSpan original(static_cast<unsigned short>(magnitude(65535)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)), magnitude(~0ULL), magnitude(~0ULL),
                               fraction(), fraction(), fraction());
        if (rng() % 2)
            original.Negate();
        const std::string text = original.ToString();
        if (text == "P" || text == "-P")
            continue;  // an all-zero duration has no lexical form that parses
        CDateTimeSpan parsed;
        ASSERT_EQ(MessageOf<CTsInvalidValueException>([&] { parsed.ParseXSDDuration(text.c_str()); }),
                  "<no exception>")
            << text;
        ASSERT_EQ(Fields(parsed), Fields(original)) << text;
        ASSERT_EQ(parsed.ToString(), text);
        ASSERT_EQ(parsed.CompareTo(original), CDateTime::dt_equal) << text;
    }
}
