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

std::string Fields(const CDateTimeSpan& d)
{
    std::string s = d.IsNegative() ? "-" : "+";
    for (unsigned long long n : {0ULL + d.GetYears(), 0ULL + d.GetMonths(), 0ULL + d.GetDays(), 0ULL + d.GetHours(),
                                 0ULL + d.GetMinutes(), 0ULL + d.GetSeconds(), 0ULL + d.GetMilliSeconds(),
                                 0ULL + d.GetMicroSeconds(), 0ULL + d.GetNanoSeconds()})
        s += " " + std::to_string(n);
    return s;
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
        {"-P1Y2M3DT4H5M6.789S", "- 1 2 3 4 5 6 789 0 0", "-P1Y2M3DT4H5M6.789S"},
        {"PT1.1234S", "+ 0 0 0 0 0 1 123 400 0", "PT1.1234S"},
        {"PT1.000000001S", "+ 0 0 0 0 0 1 0 0 1", "PT1.000000001S"},
        {"P1MT1M", "+ 0 1 0 0 1 0 0 0 0", "P1MT1M"}, {"P0D", "+ 0 0 0 0 0 0 0 0 0", "P"},
        // A "." at the very end, or directly followed by "S", gives no fraction.
        {"PT1.", "+ 0 0 0 0 0 1 0 0 0", "PT1S"}, {"PT.5S", "+ 0 0 0 0 0 0 500 0 0", "PT0.5S"},
        {"PYT1H", "+ 0 0 0 1 0 0 0 0 0", "PT1H"}, // a designator without digits stores zero
        {"P65535Y4294967295M", "+ 65535 4294967295 0 0 0 0 0 0 0", "P65535Y4294967295M"},
        {"PT18446744073709551615M", "+ 0 0 0 0 18446744073709551615 0 0 0 0", "PT18446744073709551615M"},
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
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Duration(nullptr); }), "Invalid XSD Duration (Null String)");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Duration(""); }), "Invalid XSD Duration (Empty String)");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Duration("PT1.1234567891S"); }),
              "Invalid XSD Duration [PT1.1234567891S] Fraction part too long");
    // Bad order, empty parts, stray signs and numbers the component cannot hold.
    for (const char* bad : {"P1D2M", "PT1D", "PT", "P", "P1DT", "+P1D", "P1", "P1.5D", "PT1.5", "P65536Y",
                            "P4294967296D", "PT18446744073709551616S"}) {
        EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { Duration(bad); }),
                  "Invalid XSD Duration [" + std::string(bad) + "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]");
    }
    // A failed parse keeps what was stored before the fault.
    CDateTimeSpan span(1, 2, 3);
    EXPECT_THROW(span.ParseXSDDuration("-P5D2M"), CTsInvalidValueException);
    EXPECT_EQ(Fields(span), "- 0 0 5 0 0 0 0 0 0");
}

TEST(DurationValue, SettersSignAndWriting)
{
    EXPECT_EQ(CDateTimeSpan(1, 90, 0).ToString(), "PT1H90M"); // no carrying
    CDateTimeSpan span = Duration("-P1D");
    span.SetDateTimeSpan(2, 0, 0);
    EXPECT_FALSE(span.IsNegative());
    span.Negate();
    EXPECT_EQ(span.ToString(), "-PT2H");
    EXPECT_EQ(CDateTimeSpan().GetAsNegative().ToString(), "-P");
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
        {"P1M", "P30D", R::dt_indeterminate}, {"P1M", "P32D", R::dt_lessThan}, {"P1M", "P27D", R::dt_greaterThan},
        {"PT24H", "P1D", R::dt_equal},        {"P1Y", "P365D", R::dt_indeterminate}, {"P1Y", "P367D", R::dt_lessThan},
        {"-P1D", "P1D", R::dt_lessThan},      {"PT1.000000001S", "PT1S", R::dt_greaterThan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const CDateTimeSpan a = Duration(c.a);
        const CDateTimeSpan b = Duration(c.b);
        EXPECT_EQ(a.CompareTo(b), c.result);
        EXPECT_EQ(a == b, c.result == R::dt_equal);
        EXPECT_EQ(a < b, c.result == R::dt_lessThan);
        EXPECT_EQ(a > b, c.result == R::dt_greaterThan);
    }
}

TEST(DurationRoundTrip, RandomDurationsWriteAndReadBackUnchanged)
{
    std::mt19937_64 rng(16010101);
    // Zero, or a component of a random number of decimal digits up to its maximum.
    const auto magnitude = [&](std::uint64_t max) -> std::uint64_t {
        if (rng() % 3 == 0)
            return 0;
        std::uint64_t limit = 1;
        for (std::uint64_t i = rng() % 20; i > 0 && limit <= max / 10; --i)
            limit *= 10;
        return limit > max ? rng() % (max + 1) : rng() % limit;
    };
    const auto fraction = [&]() -> unsigned short { return rng() % 2 ? 0 : static_cast<unsigned short>(rng() % 1000); };
    for (int i = 0; i < 1000; ++i) {
        CDateTimeSpan original(static_cast<unsigned short>(magnitude(65535)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)),
                               static_cast<std::uint32_t>(magnitude(0xFFFFFFFFu)), magnitude(~0ULL), magnitude(~0ULL),
                               fraction(), fraction(), fraction());
        if (rng() % 2)
            original.Negate();
        const std::string text = original.ToString();
        if (text == "P" || text == "-P")
            continue; // an all-zero duration has no lexical form that parses
        CDateTimeSpan parsed;
        ASSERT_EQ(MessageOf<CTsInvalidValueException>([&] { parsed.ParseXSDDuration(text.c_str()); }),
                  "<no exception>")
            << text;
        ASSERT_EQ(Fields(parsed), Fields(original)) << text;
        ASSERT_EQ(parsed.ToString(), text);
    }
}
