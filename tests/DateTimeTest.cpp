// Date and time values: lexical forms and their errors, validation order,
// writing, normalisation, the partial order, adding durations, the accessor
// guards, platform time conversions and a seeded round trip of the distinct text forms.
#include "tsxmllib/DateTime.h"
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

using TestSupport::MessageOf;
using T = CDateTime;

enum class Form { Date, Time, DateTime };

void Parse(CDateTime& value, Form form, const char* text)
{
    if (form == Form::Date)
        value.ParseXSDDate(text);
    else if (form == Form::Time)
        value.ParseXSDTime(text);
    else
        value.ParseXSDDateTime(text);
}

CDateTime Make(Form form, const char* text)
{
    CDateTime value;
    Parse(value, form, text);
    return value;
}
CDateTime Date(const char* text) { return Make(Form::Date, text); }
CDateTime Time(const char* text) { return Make(Form::Time, text); }
CDateTime DateTime(const char* text) { return CDateTime(text); }

CDateTimeSpan Duration(const char* text)
{
    CDateTimeSpan span;
    span.ParseXSDDuration(text);
    return span;
}

const T::DTType kAllTypes[] = {T::dt_none, T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gYear,
                               T::dt_time, T::dt_gDay,     T::dt_gMonth, T::dt_gMonthDay};

bool Contains(const std::vector<T::DTType>& types, T::DTType t)
{
    return std::find(types.begin(), types.end(), t) != types.end();
}

} // namespace

TEST(DateTimeParse, AcceptedFormsAndTheirWrittenText)
{
    struct Case {
        Form form;
        const char* text;
        T::DTType type;
        const char* written;
    };
    const Case cases[] = {
        {Form::Date, "-0044", T::dt_gYear, "-0044"}, {Form::Date, "2001-05Z", T::dt_gYearMonth, "2001-05Z"},
        {Form::Date, "2000-02-29", T::dt_date, "2000-02-29"}, {Form::Date, "2001+14:00", T::dt_gYear, "2001+14:00"},
        {Form::Date, "--05--", T::dt_gMonth, "--05"}, {Form::Date, "---01+01:30", T::dt_gDay, "---01+01:30"},
        {Form::Date, "--02-29", T::dt_gMonthDay, "--02-29"},
        // Text after the date that does not start a zone is ignored.
        {Form::Date, "2001-05-06:00:00", T::dt_date, "2001-05-06"},
        {Form::Time, "23:59:59.999999999", T::dt_time, "23:59:59.999999999"},
        {Form::Time, "10:00:00.50", T::dt_time, "10:00:00.5"}, {Form::Time, "10:00:00.", T::dt_time, "10:00:00"},
        {Form::Time, "10:00:00+24:00", T::dt_time, "10:00:00+00:00"},
        {Form::Time, "10:00:00-00:30", T::dt_time, "10:00:00+00:30"},
        {Form::Time, "10:00:00Zjunk", T::dt_time, "10:00:00Z"},
        {Form::DateTime, "-9999-12-31T23:59:59.25-03:00", T::dt_dateTime, "-9999-12-31T23:59:59.25-03:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CDateTime value;
        ASSERT_NO_THROW(Parse(value, c.form, c.text));
        EXPECT_EQ(value.GetType(), c.type);
        EXPECT_EQ(value.ToString(), c.written);
    }
}

TEST(DateTimeParse, UtcMarkerIsNoZone)
{
    const CDateTime z = Date("2001-05Z");
    EXPECT_TRUE(z.IsUTC());
    EXPECT_FALSE(z.HasTimeZone());
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { z.GetZoneHour(); }), "TimeZone is not been used");
}

TEST(DateTimeParse, RejectedTextsAndTheirMessages)
{
    struct Case {
        Form form;
        const char* text;
        std::string message;
    };
    const std::string badDate = "] expected CCYY-MM-DD[Z|[+|-]hh:mm]";
    const std::string badTime = "] expected hh:mm:ss[.ff]";
    const std::string badDay = "] (1 <= day <= days in month";
    const Case cases[] = {
        {Form::Date, nullptr, "Invalid Date (Null String)"}, {Form::Date, "", "Invalid Date (Empty String)"},
        {Form::Date, "2001-05-06T10:00:00", "Invalid Date ('T' not allowed)"},
        {Form::Date, "2001-05-06+01:00Z", "Invalid Date (Bad Zone value)"},
        {Form::Date, "2001-5-06", "Invalid XSD Date [2001-5-06" + badDate},
        {Form::Date, "2001-05-06+0:500", "Invalid XSD Time Zone [+0:500]."},
        {Form::Date, "2001-05-06+25:00", "Invalid TimeZone [25:0]"},
        {Form::Date, "2001-05-06-05:60", "Invalid TimeZone [-5:60]"},
        {Form::Date, "1900-02-29", "Invalid Day [29" + badDay}, {Form::Date, "2001-04-31", "Invalid Day [31" + badDay},
        {Form::Date, "--02-30", "Invalid Day [30" + badDay + ")"},
        {Form::Date, "---32", "Invalid Day [32] (1 <= day <= 31)"},
        {Form::Date, "-0000", "Invalid Year [0] (-9999 <= year <= 9999 && year != 0)"},
        // The month is checked before the year and the day.
        {Form::Date, "0000-13-32", "Invalid Month [13] (1 <= month <= 12)"},
        {Form::Time, nullptr, "Invalid Time (Null String)"}, {Form::Time, "", "Invalid XSD Time (Empty String)"},
        {Form::Time, "24:00:00", "Invalid XSD Time [24:00:00" + badTime},
        {Form::Time, "10:00:00.1234567891", "Invalid XSD Time [10:00:00.1234567891] Fraction part too long"},
        {Form::Time, "10:00:00+05", "Invalid XSD Time Zone [+05]."},
        {Form::DateTime, nullptr, "Invalid DateTime (Null String)"},
        {Form::DateTime, "2001-05-06", "Invalid XSD DateTime [2001-05-06]."},
        {Form::DateTime, "2001-05T10:00:00", "Invalid XSD DateTime [2001-05T10:00:00] expected CCYY-MM-DDThh:mm:ss[.ff]"},
        // Lexical checks of the time come before validation of the date.
        {Form::DateTime, "2001-02-30T25:00:00", "Invalid XSD Time [25:00:00" + badTime},
        {Form::DateTime, "2001-02-30T10:00:00", "Invalid Day [30" + badDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { Make(c.form, c.text); }), c.message);
    }
}

TEST(DateTimeParse, ReplacesTheTypeAndZoneOfTheTarget)
{
    CDateTime value = Time("10:00:00+05:00");
    value.ParseXSDDate("2001-05-06");
    EXPECT_FALSE(value.IsUTC());
    value.ParseXSDDateTime("2001-05-06T01:02:03");
    EXPECT_THROW(value.ParseXSDDateTime("2001"), CTsInvalidValueException);
    EXPECT_EQ(value.ToString(), "2001-05-06T01:02:03");
}

TEST(DateTimeSetters, WholeValueSettersCheckEveryField)
{
    struct Case {
        std::function<void(CDateTime&)> set;
        std::string message;
    };
    const Case cases[] = {
        {[](T& v) { v.SetGYear(-10000); }, "Invalid Year [-10000] (-9999 <= year <= 9999 && year != 0)"},
        {[](T& v) { v.SetGMonthDay(4, 31); }, "Invalid Day [31] (1 <= day <= days in month)"},
        {[](T& v) { v.SetTime(24, 60, 60); }, "Invalid Hour [24] (0 <= hour <= 23)"},
        {[](T& v) { v.SetTime(0, 0, 0, 1000, 0, 0); }, "Invalid Milli-Second [1000] (0 <= milli <= 999)"},
        {[](T& v) { v.SetDateTime(2001, 1, 1, 0, 0, 0, 0, 0, 1000); }, "Invalid Nano-Second [1000] (0 <= nano <= 999)"},
        {[](T& v) { v.SetTime(23, 59, 59, 999, 999, 999); }, "<no exception>"},
    };
    for (const Case& c : cases) {
        CDateTime value;
        EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { c.set(value); }), c.message);
    }

    CDateTime value = Date("2001-05-06+05:00");
    value.SetDate(2002, 6, 7);
    EXPECT_EQ(value.ToString(), "2002-06-07");
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { value.SetDateTime(2001, 1, 1, 0, 0, 0); }),
              "Failed to copy CDateTime. Invalid Date Type: dateTime, expected: date.");
    CDateTime time;
    time.SetTime(1, 2, 3, 4, 5, 6);
    time.SetFracTime(500, 0, 0); // a whole value: the other fields are reset
    EXPECT_EQ(time.ToString(), "00:00:00.5");
}

TEST(DateTimeSetters, ConversionBetweenTypes)
{
    struct Case {
        T::DTType source;
        T::DTType target;
        bool allowed;
    };
    const Case cases[] = {
        {T::dt_dateTime, T::dt_time, true},   {T::dt_date, T::dt_gMonthDay, true}, {T::dt_date, T::dt_time, false},
        {T::dt_gYearMonth, T::dt_gMonth, true}, {T::dt_gYearMonth, T::dt_gDay, false},
        {T::dt_gYear, T::dt_gMonth, false}, {T::dt_time, T::dt_none, true},
    };
    for (const Case& c : cases) {
        const CDateTime source(c.source);
        CDateTime value;
        const std::string message = MessageOf<CTsInvalidValueException>([&] { value.SetDateTime(source, c.target); });
        if (c.allowed) {
            EXPECT_EQ(message, "<no exception>");
            EXPECT_EQ(value.GetType(), c.target);
        } else {
            EXPECT_EQ(message, "Attempting to set a CDateTime of type " + CDateTime(c.target).GetTypeAsString() +
                                   " using an XmlDateTime of type " + source.GetTypeAsString() +
                                   ". The source CDateTime does not contian enough data to allow the conversion.");
        }
    }
    CDateTime gYear;
    gYear.SetDateTime(DateTime("2001-05-06T10:00:00+05:00"), T::dt_gYear);
    EXPECT_EQ(gYear.ToString(), "2001+05:00");
    const CDateTime unknown(static_cast<T::DTType>(42));
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { CDateTime().SetDateTime(unknown, T::dt_date); }),
              "Unknown date type 42.");
}

TEST(DateTimeSetters, FieldAccessorsAreGuardedByType)
{
    struct Accessor {
        const char* name;
        std::function<void(T&)> get;
        std::function<void(T&)> set;
        std::vector<T::DTType> holders;
    };
    const Accessor accessors[] = {
        {"GetYear", [](T& v) { v.GetYear(); }, [](T& v) { v.SetYear(1); },
         {T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gYear}},
        {"GetDay", [](T& v) { v.GetDay(); }, [](T& v) { v.SetDay(1); },
         {T::dt_dateTime, T::dt_date, T::dt_gMonthDay, T::dt_gDay}},
        {"GetNanoSecond", [](T& v) { v.GetNanoSecond(); }, [](T& v) { v.SetNanoSecond(1); },
         {T::dt_dateTime, T::dt_time}},
        {"GetDayOfWeek", [](T& v) { v.GetDayOfWeek(); }, nullptr, {T::dt_dateTime, T::dt_date}},
    };
    for (const Accessor& a : accessors) {
        for (T::DTType type : kAllTypes) {
            SCOPED_TRACE(std::string(a.name) + " on " + CDateTime(type).GetTypeAsString());
            CDateTime value(type);
            const std::string expected =
                Contains(a.holders, type)
                    ? "<no exception>"
                    : "Failed to " + std::string(a.name) + ". Invalid Date Type: " + value.GetTypeAsString() + ".";
            EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { a.get(value); }), expected);
            if (a.set) {
                EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { a.set(value); }), expected);
            }
        }
    }
    // Field setters store without validation.
    CDateTime value = Date("2001-05-06");
    value.SetMonth(13);
    value.SetDay(99);
    EXPECT_EQ(value.ToString(), "2001-13-99");
}

TEST(DateTimeSetters, TimeZoneRange)
{
    CDateTime value = Time("10:00:00");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { value.SetTimeZone(-24, 0); }), "Invalid TimeZone [-24:0]");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { value.SetTimeZone(0, 60); }), "Invalid TimeZone [0:60]");
    value.SetTimeZone(-23, 59);
    EXPECT_EQ(value.ToString(), "10:00:00-23:59");
    value.SetUTC();
    EXPECT_EQ(value.ToString(), "10:00:00Z");
}

TEST(DateTimeFormat, FormatsAndUnsetValues)
{
    EXPECT_EQ(CDateTime().ToString(), "Error: Date Not Set");
    EXPECT_EQ(CDateTime(T::dt_time).ToString(), "00:00:00");
    EXPECT_EQ(Date("2001-05-06").ToString("x"), "Unknown Format: x");
    EXPECT_EQ(Date("2001-05-06").ToString(nullptr), "");
}

TEST(DateTimeNormalize, OffsetsMoveToUtc)
{
    EXPECT_EQ(DateTime("2001-01-01T01:00:00+02:00").GetNormalized().ToString(), "2000-12-31T23:00:00+00:00");
    EXPECT_EQ(DateTime("2000-12-31T23:30:00-01:45").GetNormalized().ToString(), "2001-01-01T01:15:00+00:00");
    EXPECT_EQ(DateTime("2000-03-01T00:00:00+00:01").GetNormalized().ToString(), "2000-02-29T23:59:00+00:00");
    EXPECT_EQ(DateTime("2001-01-01T00:00:00").GetNormalized().ToString(), "2001-01-01T00:00:00");
    EXPECT_EQ(Time("01:00:00+02:00").GetNormalized().ToString(), "23:00:00+00:00");
}

TEST(DateTimeCompare, PartialOrder)
{
    struct Case {
        CDateTime a;
        CDateTime b;
        T::DTCompareResult result;
    };
    const Case cases[] = {
        // A zoned and an unzoned value are ordered only more than 14 hours apart.
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2001-01-01T12:00:00"), T::dt_indeterminate},
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2000-12-31T21:00:00"), T::dt_greaterThan},
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2000-12-31T22:00:00"), T::dt_indeterminate},
        {Date("2001-01-01"), DateTime("2001-01-01T00:00:00"), T::dt_indeterminate},
        {Date("-0001-01-01"), Date("2000-01-01"), T::dt_lessThan},
        {DateTime("2001-01-01T12:00:00+01:00"), DateTime("2001-01-01T11:00:00Z"), T::dt_equal},
        {Time("10:00:00.000000001"), Time("10:00:00"), T::dt_greaterThan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a.ToString() + " vs " + c.b.ToString());
        const T::DTCompareResult r = c.result;
        EXPECT_EQ(c.a.CompareTo(c.b), r);
        EXPECT_EQ(c.a == c.b, r == T::dt_equal);
        EXPECT_EQ(c.a != c.b, r != T::dt_equal);
        EXPECT_EQ(c.a < c.b, r == T::dt_lessThan);
        EXPECT_EQ(c.a <= c.b, r == T::dt_lessThan || r == T::dt_equal);
        EXPECT_EQ(c.a > c.b, r == T::dt_greaterThan);
        EXPECT_EQ(c.a >= c.b, r == T::dt_greaterThan || r == T::dt_equal);
    }
}

TEST(DateTimeArithmetic, AddingDurations)
{
    struct Case {
        const char* start;
        const char* duration;
        bool subtract;
        const char* result;
    };
    const Case cases[] = {
        {"2001-01-31", "P1D", false, "2001-02-01"}, {"2000-03-01", "-P1D", false, "2000-02-29"},
        {"2001-01-01T00:00:00", "-PT0.000000001S", false, "2000-12-31T23:59:59.999999999"},
        {"2001-01-01", "P1Y13M", false, "2003-02-01"},
        // Subtraction adds the duration marked negative, whatever its sign.
        {"2001-05-06", "-P1D", true, "2001-05-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + (c.subtract ? " - " : " + ") + c.duration);
        const CDateTime start = std::string(c.start).find('T') != std::string::npos ? DateTime(c.start) : Date(c.start);
        const CDateTimeSpan span = Duration(c.duration);
        EXPECT_EQ((c.subtract ? start - span : start + span).ToString(), c.result);
        CDateTime inPlace = start;
        EXPECT_EQ((c.subtract ? inPlace -= span : inPlace += span).ToString(), c.result);
    }
    // Stepping from year -1 reaches year 0, which has no text.
    const CDateTime yearZero = Date("-0001-12-31") + Duration("P1D");
    EXPECT_EQ(yearZero.GetYear(), 0);
    EXPECT_EQ(yearZero.GetDay(), 1);
    // 2^64-1 seconds: the year wraps in its 16-bit field, but the time of day is exact.
    const CDateTime far = DateTime("2001-01-01T00:00:00") + Duration("PT18446744073709551615S");
    EXPECT_EQ(far.GetHour(), 7);
    EXPECT_EQ(far.GetMinute(), 0);
    EXPECT_EQ(far.GetSecond(), 15);
    // Adding a month can leave a day past the end of the month; a following day step starts from there.
    EXPECT_EQ((Date("2001-01-31") + Duration("P1M")).GetDay(), 31);
    EXPECT_EQ((Date("2001-01-31") + Duration("P1M1D")).ToString(), "2001-03-04");
    EXPECT_EQ((Date("2001-01-01") - Date("2000-01-01")).ToString(), "P");
}

TEST(DateTimeCalendar, DayOfYearAndWeek)
{
    EXPECT_EQ(Date("2001-03-01").GetDayOfYear(), 60);
    EXPECT_EQ(Date("2000-12-31").GetDayOfYear(), 366);
    EXPECT_EQ(Date("1969-12-31").GetDayOfWeek(), 4); // 1 = Sunday
    EXPECT_DOUBLE_EQ(Time("10:00:01.25").GetRealSecond(), 1.25);
}

TEST(DateTimePlatform, SecondsSinceTheEpoch)
{
    EXPECT_EQ(DateTime("1970-01-01T00:00:01.999").GetTime(), 1);
    EXPECT_EQ(DateTime("1969-12-31T23:59:59Z").GetTime(), -1);
    EXPECT_EQ(DateTime("2001-09-09T03:46:40+02:00").GetTime(), 1000000000);
    EXPECT_EQ(Date("2001-09-09").GetTime(), 999993600);
    EXPECT_EQ(CDateTime(std::int64_t{2147483648LL}).ToString(), "2038-01-19T03:14:08");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Time("10:00:00").GetTime(); }),
              "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: time.");
    EXPECT_EQ(CDateTime(std::int64_t{1} << 50).GetType(), T::dt_none); // beyond the year range: cleared
}

TEST(DateTimePlatform, SystemTimeAndFileTime)
{
    const SYSTEMTIME st{2001, 5, 0, 6, 10, 20, 30, 456};
    const CDateTime fromSystem(st);
    EXPECT_EQ(fromSystem.ToString(), "2001-05-06T10:20:30.456");
    EXPECT_EQ(fromSystem.GetAsSystemTime().wDayOfWeek, 0); // a Sunday
    // Out-of-range fields fail validation instead of wrapping.
    CDateTime assigned;
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { assigned = SYSTEMTIME{2001, 13, 0, 1, 0, 0, 0, 0}; }),
              "Invalid Month [13] (1 <= month <= 12)");

    const FILETIME bad{0, 0x80000000u};
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { assigned = bad; }), "Failed to convert FILETIME to SYSTEMTIME");
}

TEST(DateTimeConstruct, ConstructorsClearOnInvalidValues)
{
    EXPECT_EQ(CDateTime(2001, 2, 29).GetType(), T::dt_none);
    EXPECT_EQ(CDateTime(2001, 1, 1, 1, 2, 3, 0, 0, 1000).GetType(), T::dt_none);
    EXPECT_EQ(CDateTime(2001, 1, 1, 1, 2, 3, 4, 5, 6).ToString(), "2001-01-01T01:02:03.004005006");
    EXPECT_THROW(CDateTime("2001-01-01"), CTsInvalidValueException); // bad text throws
}

namespace {

// Every field the value holds ("-" where the type refuses it), and the zone.
std::string Fields(const CDateTime& v)
{
    std::string s = v.GetTypeAsString() + (v.IsUTC() ? " utc" : "");
    const std::function<long long()> getters[] = {
        [&] { return v.GetYear(); },   [&] { return v.GetMonth(); },       [&] { return v.GetDay(); },
        [&] { return v.GetHour(); },   [&] { return v.GetMinute(); },      [&] { return v.GetSecond(); },
        [&] { return v.GetMilliSecond(); }, [&] { return v.GetMicroSecond(); }, [&] { return v.GetNanoSecond(); },
        [&] { return v.GetZoneHour(); },    [&] { return v.GetZoneMinute(); }};
    for (const auto& get : getters) {
        try {
            s += ' ' + std::to_string(get());
        } catch (const CTsInvalidStateException&) {
            s += " -";
        }
    }
    return s;
}

} // namespace

// The types whose text forms differ most: full, time only, day only, year and month.
TEST(DateTimeRoundTrip, DistinctTextFormsWriteAndReadBackUnchanged)
{
    std::mt19937 rng(20010506);
    const auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    // Many zero groups, so that every trimming case is reached.
    const auto fraction = [&] { return static_cast<unsigned short>(between(0, 2) == 0 ? 0 : between(0, 999)); };
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const T::DTType types[] = {T::dt_dateTime, T::dt_time, T::dt_gDay, T::dt_gYearMonth};
    for (int i = 0; i < 4000; ++i) {
        const int year = between(-9999, 9998);
        const short y = static_cast<short>(year >= 0 ? year + 1 : year);
        const auto m = static_cast<unsigned char>(between(1, 12));
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const auto d = static_cast<unsigned char>(between(1, days[m - 1] + (m == 2 && leap ? 1 : 0)));
        const auto h = static_cast<unsigned char>(between(0, 23));
        const auto mi = static_cast<unsigned char>(between(0, 59));
        const auto sec = static_cast<unsigned char>(between(0, 59));
        const T::DTType type = types[i % 4];
        CDateTime original;
        switch (type) {
        case T::dt_dateTime: original.SetDateTime(y, m, d, h, mi, sec, fraction(), fraction(), fraction()); break;
        case T::dt_time: original.SetTime(h, mi, sec, fraction(), fraction(), fraction()); break;
        case T::dt_gDay: original.SetGDay(d); break;
        default: original.SetGYearMonth(y, m); break;
        }
        const int zone = between(0, 2);
        if (zone == 1)
            original.SetUTC();
        else if (zone == 2)
            original.SetTimeZone(static_cast<short>(between(-23, 23)), static_cast<unsigned char>(between(0, 59)));
        const std::string text = original.ToString();
        const Form form = type == T::dt_dateTime ? Form::DateTime : type == T::dt_time ? Form::Time : Form::Date;
        CDateTime parsed;
        ASSERT_EQ(MessageOf<CTsInvalidValueException>([&] { Parse(parsed, form, text.c_str()); }), "<no exception>")
            << text;
        ASSERT_EQ(Fields(parsed), Fields(original)) << text;
        ASSERT_EQ(parsed.ToString(), text);
        ASSERT_EQ(parsed.CompareTo(original), T::dt_equal) << text;
    }
}
