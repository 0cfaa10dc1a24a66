// Date and time values: every lexical form and its errors, validation order,
// writing, normalisation, the partial order, adding durations, the accessor
// guards and the platform time conversions; plus a seeded round trip of random
// values of every type.
#include "tsxmllib/DateTime.h"
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

using TestSupport::MessageOf;

enum class Form { Date, Time, DateTime };

void Parse(CDateTime& value, Form form, const char* text)
{
    switch (form) {
    case Form::Date: value.ParseXSDDate(text); break;
    case Form::Time: value.ParseXSDTime(text); break;
    case Form::DateTime: value.ParseXSDDateTime(text); break;
    }
}

CDateTime Date(const char* text)
{
    CDateTime value;
    value.ParseXSDDate(text);
    return value;
}

CDateTime Time(const char* text)
{
    CDateTime value;
    value.ParseXSDTime(text);
    return value;
}

CDateTime DateTime(const char* text) { return CDateTime(text); }

CDateTimeSpan Duration(const char* text)
{
    CDateTimeSpan span;
    span.ParseXSDDuration(text);
    return span;
}

std::string ParseError(Form form, const char* text)
{
    return MessageOf<CTsInvalidValueException>([&] {
        CDateTime value;
        Parse(value, form, text);
    });
}

} // namespace

TEST(DateTimeParse, AcceptedFormsAndTheirWrittenText)
{
    struct Case {
        Form form;
        const char* text;
        CDateTime::DTType type;
        const char* written;
    };
    const Case cases[] = {
        {Form::Date, "2001", CDateTime::dt_gYear, "2001"},
        {Form::Date, "-0044", CDateTime::dt_gYear, "-0044"},
        {Form::Date, "2001-05Z", CDateTime::dt_gYearMonth, "2001-05Z"},
        {Form::Date, "2001-05-06", CDateTime::dt_date, "2001-05-06"},
        {Form::Date, "-0044-03-15", CDateTime::dt_date, "-0044-03-15"},
        {Form::Date, "2000-02-29", CDateTime::dt_date, "2000-02-29"},
        {Form::Date, "2001-05-06-05:00", CDateTime::dt_date, "2001-05-06-05:00"},
        {Form::Date, "2001+14:00", CDateTime::dt_gYear, "2001+14:00"},
        {Form::Date, "--05", CDateTime::dt_gMonth, "--05"},
        {Form::Date, "--05--", CDateTime::dt_gMonth, "--05"},
        {Form::Date, "--05xy", CDateTime::dt_gMonth, "--05"},
        {Form::Date, "--05Z", CDateTime::dt_gMonth, "--05Z"},
        {Form::Date, "---31", CDateTime::dt_gDay, "---31"},
        {Form::Date, "---01+01:30", CDateTime::dt_gDay, "---01+01:30"},
        {Form::Date, "--02-29", CDateTime::dt_gMonthDay, "--02-29"},
        {Form::Date, "--12-31-12:00", CDateTime::dt_gMonthDay, "--12-31-12:00"},
        // Text after the date that does not start a zone is ignored.
        {Form::Date, "2001-05-06:00:00", CDateTime::dt_date, "2001-05-06"},
        {Form::Time, "00:00:00", CDateTime::dt_time, "00:00:00"},
        {Form::Time, "23:59:59.999999999", CDateTime::dt_time, "23:59:59.999999999"},
        {Form::Time, "10:00:00.000000001", CDateTime::dt_time, "10:00:00.000000001"},
        {Form::Time, "10:00:00.50", CDateTime::dt_time, "10:00:00.5"},
        {Form::Time, "10:00:00.1234", CDateTime::dt_time, "10:00:00.1234"},
        {Form::Time, "10:00:00.000001", CDateTime::dt_time, "10:00:00.000001"},
        {Form::Time, "10:00:00.", CDateTime::dt_time, "10:00:00"},
        {Form::Time, "10:00:00.000", CDateTime::dt_time, "10:00:00"},
        {Form::Time, "10:00:00+05:30", CDateTime::dt_time, "10:00:00+05:30"},
        {Form::Time, "10:00:00+24:00", CDateTime::dt_time, "10:00:00+00:00"},
        {Form::Time, "10:00:00-00:30", CDateTime::dt_time, "10:00:00+00:30"},
        {Form::Time, "10:00:00Zjunk", CDateTime::dt_time, "10:00:00Z"},
        {Form::Time, "10:00:00.5Z", CDateTime::dt_time, "10:00:00.5Z"},
        {Form::Time, "10:00:00xyz", CDateTime::dt_time, "10:00:00"},
        {Form::DateTime, "2001-05-06T10:20:30", CDateTime::dt_dateTime, "2001-05-06T10:20:30"},
        {Form::DateTime, "2001-05-06T10:20:30.25-03:00", CDateTime::dt_dateTime, "2001-05-06T10:20:30.25-03:00"},
        {Form::DateTime, "-9999-12-31T23:59:59Z", CDateTime::dt_dateTime, "-9999-12-31T23:59:59Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CDateTime value;
        ASSERT_NO_THROW(Parse(value, c.form, c.text));
        EXPECT_EQ(value.GetType(), c.type);
        EXPECT_EQ(value.ToString(), c.written);
    }
}

TEST(DateTimeParse, FieldsOfParsedValues)
{
    const CDateTime neg = Date("-0044-03-15");
    EXPECT_EQ(neg.GetYear(), -44);
    EXPECT_EQ(neg.GetMonth(), 3);
    EXPECT_EQ(neg.GetDay(), 15);

    const CDateTime frac = Time("10:00:00.1234");
    EXPECT_EQ(frac.GetMilliSecond(), 123);
    EXPECT_EQ(frac.GetMicroSecond(), 400);
    EXPECT_EQ(frac.GetNanoSecond(), 0);
    EXPECT_EQ(Time("10:00:00.000000001").GetNanoSecond(), 1);
    EXPECT_EQ(Time("10:00:00.5").GetMilliSecond(), 500);

    const CDateTime zoned = Time("10:00:00-05:30");
    EXPECT_TRUE(zoned.IsUTC());
    EXPECT_TRUE(zoned.HasTimeZone());
    EXPECT_EQ(zoned.GetZoneHour(), -5);
    EXPECT_EQ(zoned.GetZoneMinute(), 30);

    const CDateTime z = Date("2001-05Z");
    EXPECT_TRUE(z.IsUTC());
    EXPECT_FALSE(z.HasTimeZone());
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { z.GetZoneHour(); }), "TimeZone is not been used");
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { Date("2001").GetZoneMinute(); }),
              "TimeZone is not been used");
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
    const Case cases[] = {
        {Form::Date, nullptr, "Invalid Date (Null String)"},
        {Form::Date, "", "Invalid Date (Empty String)"},
        {Form::Date, "2001-05-06T10:00:00", "Invalid Date ('T' not allowed)"},
        {Form::Date, "2001-05-06+01:00Z", "Invalid Date (Bad Zone value)"},
        {Form::Date, "12345-01-01", "Invalid XSD Date [12345-01-01" + badDate},
        {Form::Date, "2001-5-06", "Invalid XSD Date [2001-5-06" + badDate},
        {Form::Date, "2001/05/06", "Invalid XSD Date [2001/05/06" + badDate},
        {Form::Date, "200a", "Invalid XSD Date [200a" + badDate},
        {Form::Date, "--5", "Invalid XSD Date [--5" + badDate},
        {Form::Date, "--0x", "Invalid XSD Date [--0x" + badDate},
        {Form::Date, "--05-0x", "Invalid XSD Date [--05-0x" + badDate},
        {Form::Date, "-", "Invalid XSD Date [-" + badDate},
        {Form::Date, "2001-05-06+05", "Invalid XSD Date [2001-05-06+05" + badDate},
        {Form::Date, "2001-05-06+0:500", "Invalid XSD Time Zone [+0:500]."},
        {Form::Date, "2001-05-06+25:00", "Invalid TimeZone [25:0]"},
        {Form::Date, "2001-05-06-05:60", "Invalid TimeZone [-5:60]"},
        {Form::Date, "2001-02-29", "Invalid Day [29] (1 <= day <= days in month"},
        {Form::Date, "1900-02-29", "Invalid Day [29] (1 <= day <= days in month"},
        {Form::Date, "2001-04-31", "Invalid Day [31] (1 <= day <= days in month"},
        {Form::Date, "2001-05-00", "Invalid Day [0] (1 <= day <= days in month"},
        {Form::Date, "--02-30", "Invalid Day [30] (1 <= day <= days in month)"},
        {Form::Date, "---32", "Invalid Day [32] (1 <= day <= 31)"},
        {Form::Date, "---00", "Invalid Day [0] (1 <= day <= 31)"},
        {Form::Date, "0000-01-01", "Invalid Year [0] (-9999 <= year <= 9999 && year != 0)"},
        {Form::Date, "-0000", "Invalid Year [0] (-9999 <= year <= 9999 && year != 0)"},
        // The month is checked before the year and the day.
        {Form::Date, "0000-13-32", "Invalid Month [13] (1 <= month <= 12)"},
        {Form::Date, "--00", "Invalid Month [0] (1 <= month <= 12)"},
        {Form::Time, nullptr, "Invalid Time (Null String)"},
        {Form::Time, "", "Invalid XSD Time (Empty String)"},
        {Form::Time, "24:00:00", "Invalid XSD Time [24:00:00" + badTime},
        {Form::Time, "10:60:00", "Invalid XSD Time [10:60:00" + badTime},
        {Form::Time, "10:00:60", "Invalid XSD Time [10:00:60" + badTime},
        {Form::Time, "10:00", "Invalid XSD Time [10:00" + badTime},
        {Form::Time, "1:00:00Z", "Invalid XSD Time [1:00:00Z" + badTime},
        {Form::Time, "10-00-00", "Invalid XSD Time [10-00-00" + badTime},
        {Form::Time, "10:00:00.1234567891", "Invalid XSD Time [10:00:00.1234567891] Fraction part too long"},
        {Form::Time, "10:00:00+05", "Invalid XSD Time Zone [+05]."},
        {Form::Time, "10:00:00+05:300", "Invalid XSD Time Zone [+05:300]."},
        {Form::Time, "10:00:00.5-0x:00", "Invalid XSD Time Zone [-0x:00]."},
        {Form::DateTime, nullptr, "Invalid DateTime (Null String)"},
        {Form::DateTime, "2001-05-06", "Invalid XSD DateTime [2001-05-06]."},
        {Form::DateTime, "", "Invalid XSD DateTime []."},
        {Form::DateTime, "T10:00:00", "Invalid Date (Empty String)"},
        {Form::DateTime, "2001-05T10:00:00", "Invalid XSD DateTime [2001-05T10:00:00] expected CCYY-MM-DDThh:mm:ss[.ff]"},
        {Form::DateTime, "20010506T10:00:00", "Invalid XSD Date [20010506" + badDate},
        {Form::DateTime, "2001-05-06T24:00:00", "Invalid XSD Time [24:00:00" + badTime},
        {Form::DateTime, "2001-05-06T", "Invalid XSD Time (Empty String)"},
        // Lexical checks of the time come before validation of the date.
        {Form::DateTime, "2001-02-30T25:00:00", "Invalid XSD Time [25:00:00" + badTime},
        {Form::DateTime, "2001-02-30T10:00:00", "Invalid Day [30] (1 <= day <= days in month"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(ParseError(c.form, c.text), c.message);
    }
}

TEST(DateTimeParse, ReplacesTheTypeAndZoneOfTheTarget)
{
    CDateTime value = Time("10:00:00+05:00");
    value.ParseXSDDate("2001-05-06");
    EXPECT_EQ(value.GetType(), CDateTime::dt_date);
    EXPECT_FALSE(value.IsUTC());
    value.ParseXSDDateTime("2001-05-06T01:02:03");
    EXPECT_EQ(value.ToString(), "2001-05-06T01:02:03");
    // The checks made before clearing leave the value untouched.
    EXPECT_THROW(value.ParseXSDDateTime("2001"), CTsInvalidValueException);
    EXPECT_EQ(value.ToString(), "2001-05-06T01:02:03");
}

TEST(DateTimeValidation, WholeValueSettersCheckEveryField)
{
    struct Case {
        std::function<void(CDateTime&)> set;
        std::string message;
    };
    const Case cases[] = {
        {[](CDateTime& v) { v.SetDate(2001, 0, 1); }, "Invalid Month [0] (1 <= month <= 12)"},
        {[](CDateTime& v) { v.SetGYearMonth(10000, 1); }, "Invalid Year [10000] (-9999 <= year <= 9999 && year != 0)"},
        {[](CDateTime& v) { v.SetGYear(-10000); }, "Invalid Year [-10000] (-9999 <= year <= 9999 && year != 0)"},
        {[](CDateTime& v) { v.SetGMonthDay(4, 31); }, "Invalid Day [31] (1 <= day <= days in month)"},
        {[](CDateTime& v) { v.SetGDay(0); }, "Invalid Day [0] (1 <= day <= 31)"},
        {[](CDateTime& v) { v.SetDateTime(2001, 1, 1, 24, 0, 0); }, "Invalid Hour [24] (0 <= hour <= 23)"},
        {[](CDateTime& v) { v.SetDateTime(2001, 1, 1, 0, 60, 0); }, "Invalid Minute [60] (0 <= minute <= 59)"},
        {[](CDateTime& v) { v.SetTime(0, 0, 60); }, "Invalid Second [60] (0 <= second <= 59)"},
        {[](CDateTime& v) { v.SetTime(0, 0, 0, 1000, 0, 0); }, "Invalid Milli-Second [1000] (0 <= milli <= 999)"},
        {[](CDateTime& v) { v.SetFracTime(0, 1000, 0); }, "Invalid Micro-Second [1000] (0 <= micro <= 999)"},
        {[](CDateTime& v) { v.SetDateTime(2001, 1, 1, 0, 0, 0, 0, 0, 1000); },
         "Invalid Nano-Second [1000] (0 <= nano <= 999)"},
        {[](CDateTime& v) { v.SetTime(24, 60, 60); }, "Invalid Hour [24] (0 <= hour <= 23)"},
        {[](CDateTime& v) { v.SetGYear(2001); }, "<no exception>"},
        {[](CDateTime& v) { v.SetTime(23, 59, 59, 999, 999, 999); }, "<no exception>"},
    };
    for (const Case& c : cases) {
        CDateTime value;
        EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { c.set(value); }), c.message);
    }
}

TEST(DateTimeSetters, WholeValueSettersKeepTheirTypeAndDropTheZone)
{
    CDateTime value = Date("2001-05-06+05:00");
    value.SetDate(2002, 6, 7);
    EXPECT_EQ(value.ToString(), "2002-06-07");
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { value.SetDateTime(2001, 1, 1, 0, 0, 0); }),
              "Failed to copy CDateTime. Invalid Date Type: dateTime, expected: date.");
    CDateTime dateTime("2001-01-01T00:00:00");
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { dateTime.SetDate(2001, 1, 1); }),
              "Failed to copy CDateTime. Invalid Date Type: date, expected: dateTime.");

    CDateTime time;
    time.SetTime(1, 2, 3, 4, 5, 6);
    time.SetFracTime(500, 0, 0);
    EXPECT_EQ(time.ToString(), "00:00:00.5");

    CDateTime typed(CDateTime::dt_gMonth);
    EXPECT_EQ(typed.GetType(), CDateTime::dt_gMonth);
    typed.SetGMonth(7);
    EXPECT_EQ(typed.ToString(), "--07");
}

TEST(DateTimeSetters, ConversionBetweenTypes)
{
    using T = CDateTime;
    const T::DTType all[] = {T::dt_none, T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gYear,
                             T::dt_time, T::dt_gDay, T::dt_gMonth, T::dt_gMonthDay};
    struct Allowed {
        T::DTType source;
        std::vector<T::DTType> targets;  // besides itself and dt_none
    };
    const Allowed table[] = {
        {T::dt_dateTime, {T::dt_date, T::dt_gYearMonth, T::dt_gYear, T::dt_time, T::dt_gDay, T::dt_gMonth,
                          T::dt_gMonthDay}},
        {T::dt_date, {T::dt_gYearMonth, T::dt_gYear, T::dt_gMonthDay, T::dt_gMonth, T::dt_gDay}},
        {T::dt_gYearMonth, {T::dt_gYear, T::dt_gMonth}},
        {T::dt_gMonthDay, {T::dt_gMonth, T::dt_gDay}},
        {T::dt_gYear, {}},
        {T::dt_time, {}},
        {T::dt_gDay, {}},
        {T::dt_gMonth, {}},
        {T::dt_none, {}},
    };
    for (const Allowed& row : table) {
        const CDateTime source(row.source);
        for (T::DTType target : all) {
            bool allowed = target == row.source || target == T::dt_none;
            for (T::DTType t : row.targets)
                allowed = allowed || t == target;
            CDateTime value;
            const std::string message = MessageOf<CTsInvalidValueException>([&] { value.SetDateTime(source, target); });
            if (allowed) {
                EXPECT_EQ(message, "<no exception>");
                EXPECT_EQ(value.GetType(), target);
            } else {
                EXPECT_EQ(message, "Attempting to set a CDateTime of type " + CDateTime(target).GetTypeAsString() +
                                       " using an XmlDateTime of type " + source.GetTypeAsString() +
                                       ". The source CDateTime does not contian enough data to allow the conversion.");
            }
        }
    }

    CDateTime gYear;
    gYear.SetDateTime(DateTime("2001-05-06T10:00:00+05:00"), CDateTime::dt_gYear);
    EXPECT_EQ(gYear.ToString(), "2001+05:00");
    CDateTime gMonthDay;
    gMonthDay.SetDateTime(Date("2001-05-06"), CDateTime::dt_gMonthDay);
    EXPECT_EQ(gMonthDay.ToString(), "--05-06");

    const CDateTime unknown(static_cast<CDateTime::DTType>(42));
    EXPECT_EQ(unknown.GetTypeAsString(), "");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { CDateTime().SetDateTime(unknown, CDateTime::dt_date); }),
              "Unknown date type 42.");
}

TEST(DateTimeSetters, FieldAccessorsAreGuardedByType)
{
    struct Accessor {
        const char* name;
        std::function<void(CDateTime&)> get;
        std::function<void(CDateTime&)> set;
        std::vector<CDateTime::DTType> holders;
    };
    using T = CDateTime;
    const std::vector<T::DTType> timeTypes = {T::dt_dateTime, T::dt_time};
    const Accessor accessors[] = {
        {"GetYear", [](T& v) { v.GetYear(); }, [](T& v) { v.SetYear(1); },
         {T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gYear}},
        {"GetMonth", [](T& v) { v.GetMonth(); }, [](T& v) { v.SetMonth(1); },
         {T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gMonthDay, T::dt_gMonth}},
        {"GetDay", [](T& v) { v.GetDay(); }, [](T& v) { v.SetDay(1); },
         {T::dt_dateTime, T::dt_date, T::dt_gMonthDay, T::dt_gDay}},
        {"GetHour", [](T& v) { v.GetHour(); }, [](T& v) { v.SetHour(1); }, timeTypes},
        {"GetMinute", [](T& v) { v.GetMinute(); }, [](T& v) { v.SetMinute(1); }, timeTypes},
        {"GetSecond", [](T& v) { v.GetSecond(); }, [](T& v) { v.SetSecond(1); }, timeTypes},
        {"GetMilliSecond", [](T& v) { v.GetMilliSecond(); }, [](T& v) { v.SetMilliSecond(1); }, timeTypes},
        {"GetMicroSecond", [](T& v) { v.GetMicroSecond(); }, [](T& v) { v.SetMicroSecond(1); }, timeTypes},
        {"GetNanoSecond", [](T& v) { v.GetNanoSecond(); }, [](T& v) { v.SetNanoSecond(1); }, timeTypes},
        {"GetRealSecond", [](T& v) { v.GetRealSecond(); }, nullptr, timeTypes},
        {"GetDayOfWeek", [](T& v) { v.GetDayOfWeek(); }, nullptr, {T::dt_dateTime, T::dt_date}},
        {"GetDayOfYear", [](T& v) { v.GetDayOfYear(); }, nullptr, {T::dt_dateTime, T::dt_date}},
    };
    const T::DTType all[] = {T::dt_none, T::dt_dateTime, T::dt_date, T::dt_gYearMonth, T::dt_gYear,
                             T::dt_time, T::dt_gDay, T::dt_gMonth, T::dt_gMonthDay};
    for (const Accessor& a : accessors) {
        for (T::DTType type : all) {
            SCOPED_TRACE(std::string(a.name) + " on " + CDateTime(type).GetTypeAsString());
            bool held = false;
            for (T::DTType h : a.holders)
                held = held || h == type;
            CDateTime value(type);
            const std::string expected =
                held ? "<no exception>"
                     : "Failed to " + std::string(a.name) + ". Invalid Date Type: " + value.GetTypeAsString() + ".";
            EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { a.get(value); }), expected);
            if (a.set) {
                EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { a.set(value); }), expected);
            }
        }
    }

    // Field setters store without checks or validation.
    CDateTime value = Date("2001-05-06");
    value.SetMonth(13);
    value.SetDay(99);
    EXPECT_EQ(value.GetMonth(), 13);
    EXPECT_EQ(value.ToString(), "2001-13-99");
}

TEST(DateTimeSetters, TimeZoneRange)
{
    CDateTime value = Time("10:00:00");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { value.SetTimeZone(24, 0); }), "Invalid TimeZone [24:0]");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { value.SetTimeZone(-24, 0); }), "Invalid TimeZone [-24:0]");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { value.SetTimeZone(0, 60); }), "Invalid TimeZone [0:60]");
    value.SetTimeZone(-23, 59);
    EXPECT_EQ(value.ToString(), "10:00:00-23:59");
    value.SetUTC();
    EXPECT_FALSE(value.HasTimeZone());
    EXPECT_EQ(value.ToString(), "10:00:00Z");
}

TEST(DateTimeFormat, FormatsAndUnsetValues)
{
    const CDateTime unset;
    EXPECT_EQ(unset.ToString(), "Error: Date Not Set");
    EXPECT_EQ(unset.ToString("x"), "Error: Date Not Set");
    EXPECT_EQ(unset.GetTypeAsString(), "yearZero");
    EXPECT_EQ(CDateTime(CDateTime::dt_date).ToString(), "Error: Date Not Set");
    EXPECT_EQ(CDateTime(CDateTime::dt_time).ToString(), "00:00:00");

    const CDateTime value = Date("2001-05-06");
    EXPECT_EQ(value.ToString("x"), "Unknown Format: x");
    EXPECT_EQ(value.ToString(""), "");
    EXPECT_EQ(value.ToString(nullptr), "");
    EXPECT_EQ(value.ToString("G"), "");
    EXPECT_EQ(value.ToString("s"), "2001-05-06");
}

TEST(DateTimeNormalize, OffsetsMoveToUtc)
{
    struct Case {
        const char* text;
        const char* normalized;
    };
    const Case cases[] = {
        {"2001-01-01T01:00:00+02:00", "2000-12-31T23:00:00+00:00"},
        {"2000-12-31T23:30:00-01:45", "2001-01-01T01:15:00+00:00"},
        {"2000-03-01T00:00:00+00:01", "2000-02-29T23:59:00+00:00"},
        {"2001-01-01T00:00:00Z", "2001-01-01T00:00:00Z"},
        {"2001-01-01T00:00:00", "2001-01-01T00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateTime(c.text).GetNormalized().ToString(), c.normalized) << c.text;
    EXPECT_EQ(Time("01:00:00+02:00").GetNormalized().ToString(), "23:00:00+00:00");
}

TEST(DateTimeCompare, PartialOrder)
{
    using R = CDateTime;
    struct Case {
        CDateTime a;
        CDateTime b;
        CDateTime::DTCompareResult result;
    };
    const Case cases[] = {
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2001-01-01T12:00:00"), R::dt_indeterminate},
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2001-01-02T03:00:00"), R::dt_lessThan},
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2000-12-31T21:00:00"), R::dt_greaterThan},
        {DateTime("2001-01-01T12:00:00Z"), DateTime("2000-12-31T22:00:00"), R::dt_indeterminate},
        {DateTime("2001-01-02T03:00:00"), DateTime("2001-01-01T12:00:00Z"), R::dt_greaterThan},
        {DateTime("2000-12-31T21:00:00"), DateTime("2001-01-01T12:00:00Z"), R::dt_lessThan},
        {DateTime("2001-01-01T12:00:00"), DateTime("2001-01-01T12:00:00Z"), R::dt_indeterminate},
        {Date("2001-01-01"), Time("10:00:00"), R::dt_indeterminate},
        {Date("2001-01-01"), DateTime("2001-01-01T00:00:00"), R::dt_indeterminate},
        {Date("-0001-01-01"), Date("2000-01-01"), R::dt_lessThan},
        {DateTime("2001-01-01T12:00:00+01:00"), DateTime("2001-01-01T11:00:00Z"), R::dt_equal},
        {DateTime("2001-01-01T12:00:00+00:00"), DateTime("2001-01-01T12:00:00Z"), R::dt_equal},
        {DateTime("2001-01-01T12:00:00-01:00"), DateTime("2001-01-01T12:00:00Z"), R::dt_greaterThan},
        {Time("10:00:00.000000001"), Time("10:00:00"), R::dt_greaterThan},
        {Time("10:00:00.999"), Time("10:00:01"), R::dt_lessThan},
        {Date("--05-06"), Date("--05-07"), R::dt_lessThan},
        {Date("---15"), Date("---15"), R::dt_equal},
        {Date("2001"), Date("2001-01"), R::dt_indeterminate},
        {CDateTime(), CDateTime(), R::dt_equal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a.ToString() + " vs " + c.b.ToString());
        EXPECT_EQ(c.a.CompareTo(c.b), c.result);
        EXPECT_EQ(c.a == c.b, c.result == R::dt_equal);
        EXPECT_EQ(c.a != c.b, c.result != R::dt_equal);
        EXPECT_EQ(c.a < c.b, c.result == R::dt_lessThan);
        EXPECT_EQ(c.a <= c.b, c.result == R::dt_lessThan || c.result == R::dt_equal);
        EXPECT_EQ(c.a > c.b, c.result == R::dt_greaterThan);
        EXPECT_EQ(c.a >= c.b, c.result == R::dt_greaterThan || c.result == R::dt_equal);
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
        {"2001-01-31", "P1D", false, "2001-02-01"},
        {"2001-03-01", "-P1D", false, "2001-02-28"},
        {"2000-03-01", "-P1D", false, "2000-02-29"},
        {"2000-12-31T23:00:00", "PT2H", false, "2001-01-01T01:00:00"},
        {"2001-01-01T00:00:00", "-PT0.000000001S", false, "2000-12-31T23:59:59.999999999"},
        {"2001-01-01T00:00:00", "PT90M", false, "2001-01-01T01:30:00"},
        {"2001-01-01", "P1Y13M", false, "2003-02-01"},
        {"2001-01-01", "P365D", false, "2002-01-01"},
        {"2000-01-01", "P366D", false, "2001-01-01"},
        {"2000-01-01", "P146097D", false, "2400-01-01"},
        {"2400-01-01", "-P146097D", false, "2000-01-01"},
        {"2001-03-15", "-P75D", false, "2000-12-30"},
        {"-0001-12-31", "P1D", false, "0000-01-01"},
        {"2001-05-06", "P1D", true, "2001-05-05"},
        // Subtraction adds the duration marked negative, whatever its sign.
        {"2001-05-06", "-P1D", true, "2001-05-05"},
        {"2001-05-06T00:00:00", "PT1H", true, "2001-05-05T23:00:00"},
        {"2001-01-01T00:00:00", "PT18446744073709551615S", false, "2001-01-01T00:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + (c.subtract ? " - " : " + ") + c.duration);
        const bool hasTime = std::string(c.start).find('T') != std::string::npos;
        const CDateTime start = hasTime ? DateTime(c.start) : Date(c.start);
        const CDateTimeSpan span = Duration(c.duration);
        const CDateTime sum = c.subtract ? start - span : start + span;
        if (std::string(c.duration) == "PT18446744073709551615S") {
            // 2^64-1 seconds: 213503982334601 days 7 h 0 min 15 s later; the
            // year wraps in its 16-bit field, but the time of day is exact.
            EXPECT_EQ(sum.GetHour(), 7);
            EXPECT_EQ(sum.GetMinute(), 0);
            EXPECT_EQ(sum.GetSecond(), 15);
            continue;
        }
        if (std::string(c.result) == "0000-01-01") {
            EXPECT_EQ(sum.GetYear(), 0);
            EXPECT_EQ(sum.GetMonth(), 1);
            EXPECT_EQ(sum.GetDay(), 1);
            continue;
        }
        EXPECT_EQ(sum.ToString(), c.result);
        CDateTime inPlace = start;
        if (c.subtract)
            inPlace -= span;
        else
            inPlace += span;
        EXPECT_EQ(inPlace.ToString(), c.result);
    }
    // Adding a month can leave a day past the end of the month; it is kept.
    const CDateTime jan31 = Date("2001-01-31") + Duration("P1M");
    EXPECT_EQ(jan31.GetMonth(), 2);
    EXPECT_EQ(jan31.GetDay(), 31);
    // ... and a following day step starts from there.
    EXPECT_EQ((Date("2001-01-31") + Duration("P1M1D")).ToString(), "2001-03-04");

    EXPECT_EQ((Date("2001-01-01") - Date("2000-01-01")).ToString(), "P");
}

TEST(DateTimeCalendar, DayOfYearAndWeek)
{
    struct Case {
        const char* date;
        unsigned short dayOfYear;
        unsigned char dayOfWeek;  // 1 = Sunday
    };
    const Case cases[] = {
        {"2000-03-01", 61, 4}, {"2001-03-01", 60, 5}, {"2000-02-29", 60, 3},
        {"2001-01-01", 1, 2},  {"2000-12-31", 366, 1}, {"1970-01-01", 1, 5},
        {"1969-12-31", 365, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(Date(c.date).GetDayOfYear(), c.dayOfYear);
        EXPECT_EQ(Date(c.date).GetDayOfWeek(), c.dayOfWeek);
    }
    EXPECT_DOUBLE_EQ(Time("10:00:01.25").GetRealSecond(), 1.25);
}

TEST(DateTimePlatform, SecondsSinceTheEpoch)
{
    struct Case {
        CDateTime value;
        std::int64_t seconds;
    };
    const Case cases[] = {
        {DateTime("1970-01-01T00:00:00"), 0},
        {DateTime("1970-01-01T00:00:01.999"), 1},
        {DateTime("1969-12-31T23:59:59Z"), -1},
        {DateTime("2001-09-09T01:46:40Z"), 1000000000},
        {DateTime("2001-09-09T03:46:40+02:00"), 1000000000},
        {Date("2001-09-09"), 999993600},
        {DateTime("2038-01-19T03:14:08"), 2147483648LL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.ToString());
        EXPECT_EQ(c.value.GetTime(), c.seconds);
        if (c.value.GetType() == CDateTime::dt_dateTime && !c.value.HasTimeZone() &&
            c.value.GetMilliSecond() == 0) {
            CDateTime back;
            back = c.seconds;
            EXPECT_EQ(back.ToString(), c.value.ToString().substr(0, 19));
        }
    }
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Time("10:00:00").GetTime(); }),
              "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: time.");
    EXPECT_EQ(CDateTime(std::int64_t{1000000000}).ToString(), "2001-09-09T01:46:40");
    // A time far outside the year range leaves the constructed value cleared.
    EXPECT_EQ(CDateTime(std::int64_t{1} << 50).GetType(), CDateTime::dt_none);
    CDateTime date = Date("2001-01-01");
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { date = std::int64_t{0}; }),
              "Failed to copy CDateTime. Invalid Date Type: dateTime, expected: date.");
}

TEST(DateTimePlatform, SystemTimeAndFileTime)
{
    const SYSTEMTIME st{2001, 5, 0, 6, 10, 20, 30, 456};
    const CDateTime fromSystem(st);
    EXPECT_EQ(fromSystem.ToString(), "2001-05-06T10:20:30.456");
    const SYSTEMTIME back = fromSystem.GetAsSystemTime();
    EXPECT_EQ(back.wYear, 2001);
    EXPECT_EQ(back.wMonth, 5);
    EXPECT_EQ(back.wDay, 6);
    EXPECT_EQ(back.wDayOfWeek, 0);  // a Sunday
    EXPECT_EQ(back.wHour, 10);
    EXPECT_EQ(back.wMinute, 20);
    EXPECT_EQ(back.wSecond, 30);
    EXPECT_EQ(back.wMilliseconds, 456);
    // The stored fields, not the normalised ones.
    EXPECT_EQ(DateTime("2001-05-06T10:20:30+05:00").GetAsSystemTime().wHour, 10);
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { Date("2001-05-06").GetAsSystemTime(); }),
              "Failed to GetAsSystemTime, Date Status must be dateTime. Invalid Date Type: date.");

    // Out-of-range fields fail validation instead of wrapping, and the
    // constructor leaves the value cleared.
    EXPECT_EQ(CDateTime(SYSTEMTIME{2001, 2, 0, 29, 0, 0, 0, 0}).GetType(), CDateTime::dt_none);
    EXPECT_EQ(CDateTime(SYSTEMTIME{65535, 1, 0, 1, 0, 0, 0, 0}).GetType(), CDateTime::dt_none);
    EXPECT_EQ(CDateTime(SYSTEMTIME{2001, 1, 0, 257, 0, 0, 0, 0}).GetType(), CDateTime::dt_none);
    CDateTime assigned;
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { assigned = SYSTEMTIME{2001, 13, 0, 1, 0, 0, 0, 0}; }),
              "Invalid Month [13] (1 <= month <= 12)");

    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(CDateTime(ft).ToString(), "2001-05-06T10:20:30.456");
    const FILETIME bad{0, 0x80000000u};
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { assigned = bad; }),
              "Failed to convert FILETIME to SYSTEMTIME");
    EXPECT_EQ(CDateTime(bad).GetType(), CDateTime::dt_none);

    const CDateTime now = CDateTime::GetTickCount();
    EXPECT_EQ(now.GetType(), CDateTime::dt_dateTime);
    EXPECT_FALSE(now.IsUTC());
    EXPECT_GE(now.GetYear(), 2020);
}

TEST(DateTimeConstruct, ConstructorsClearOnInvalidValues)
{
    EXPECT_EQ(CDateTime(2001, 2, 29).GetType(), CDateTime::dt_none);
    EXPECT_EQ(CDateTime(2000, 2, 29).ToString(), "2000-02-29");
    EXPECT_EQ(CDateTime(2001, 1, 1, 24, 0, 0).GetType(), CDateTime::dt_none);
    EXPECT_EQ(CDateTime(2001, 1, 1, 1, 2, 3).ToString(), "2001-01-01T01:02:03");
    EXPECT_EQ(CDateTime(2001, 1, 1, 1, 2, 3, 0, 0, 1000).GetType(), CDateTime::dt_none);
    EXPECT_EQ(CDateTime(2001, 1, 1, 1, 2, 3, 4, 5, 6).ToString(), "2001-01-01T01:02:03.004005006");
    // Text is the exception: a bad text throws.
    EXPECT_THROW(CDateTime("2001-01-01"), CTsInvalidValueException);
}

// ---- seeded round trip of every type ----

namespace {

struct RandomDates {
    std::mt19937 rng{20010506};

    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    short Year()
    {
        const int y = Between(-9999, 9998);
        return static_cast<short>(y >= 0 ? y + 1 : y);
    }

    unsigned char DayIn(short year, unsigned char month, bool leapRule)
    {
        static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int last = days[month - 1];
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        if (leapRule && month == 2 && !leap)
            last = 28;
        return static_cast<unsigned char>(Between(1, last));
    }

    unsigned short Fraction()
    {
        // Many zero groups, so that every trimming case is reached.
        return Between(0, 2) == 0 ? 0 : static_cast<unsigned short>(Between(0, 999));
    }

    void Zone(CDateTime& value)
    {
        switch (Between(0, 2)) {
        case 0: break;
        case 1: value.SetUTC(); break;
        default:
            value.SetTimeZone(static_cast<short>(Between(-23, 23)), static_cast<unsigned char>(Between(0, 59)));
            break;
        }
    }

    CDateTime Make(CDateTime::DTType type)
    {
        CDateTime value;
        const short y = Year();
        const unsigned char m = static_cast<unsigned char>(Between(1, 12));
        switch (type) {
        case CDateTime::dt_dateTime:
            value.SetDateTime(y, m, DayIn(y, m, true), static_cast<unsigned char>(Between(0, 23)),
                              static_cast<unsigned char>(Between(0, 59)), static_cast<unsigned char>(Between(0, 59)),
                              Fraction(), Fraction(), Fraction());
            break;
        case CDateTime::dt_date: value.SetDate(y, m, DayIn(y, m, true)); break;
        case CDateTime::dt_gYearMonth: value.SetGYearMonth(y, m); break;
        case CDateTime::dt_gYear: value.SetGYear(y); break;
        case CDateTime::dt_time:
            value.SetTime(static_cast<unsigned char>(Between(0, 23)), static_cast<unsigned char>(Between(0, 59)),
                          static_cast<unsigned char>(Between(0, 59)), Fraction(), Fraction(), Fraction());
            break;
        case CDateTime::dt_gDay: value.SetGDay(static_cast<unsigned char>(Between(1, 31))); break;
        case CDateTime::dt_gMonth: value.SetGMonth(m); break;
        case CDateTime::dt_gMonthDay: value.SetGMonthDay(m, DayIn(y, m, false)); break;
        default: break;
        }
        Zone(value);
        return value;
    }
};

// Every field the type holds, and the zone.
std::string Fields(const CDateTime& v)
{
    std::string s = v.GetTypeAsString();
    const auto add = [&](long long n) { s += ' ' + std::to_string(n); };
    const CDateTime::DTType t = v.GetType();
    if (t == CDateTime::dt_dateTime || t == CDateTime::dt_date || t == CDateTime::dt_gYearMonth ||
        t == CDateTime::dt_gYear)
        add(v.GetYear());
    if (t != CDateTime::dt_gYear && t != CDateTime::dt_time && t != CDateTime::dt_gDay)
        add(v.GetMonth());
    if (t == CDateTime::dt_dateTime || t == CDateTime::dt_date || t == CDateTime::dt_gMonthDay ||
        t == CDateTime::dt_gDay)
        add(v.GetDay());
    if (t == CDateTime::dt_dateTime || t == CDateTime::dt_time) {
        add(v.GetHour());
        add(v.GetMinute());
        add(v.GetSecond());
        add(v.GetMilliSecond());
        add(v.GetMicroSecond());
        add(v.GetNanoSecond());
    }
    add(v.IsUTC());
    add(v.HasTimeZone());
    if (v.HasTimeZone()) {
        add(v.GetZoneHour());
        add(v.GetZoneMinute());
    }
    return s;
}

} // namespace

TEST(DateTimeRoundTrip, EveryTypeWritesAndReadsBackUnchanged)
{
    RandomDates random;
    const CDateTime::DTType types[] = {CDateTime::dt_dateTime, CDateTime::dt_date,  CDateTime::dt_gYearMonth,
                                       CDateTime::dt_gYear,    CDateTime::dt_time,  CDateTime::dt_gDay,
                                       CDateTime::dt_gMonth,   CDateTime::dt_gMonthDay};
    for (CDateTime::DTType type : types) {
        for (int i = 0; i < 3000; ++i) {
            const CDateTime original = random.Make(type);
            const std::string text = original.ToString();
            CDateTime parsed;
            const std::string error = MessageOf<CTsInvalidValueException>([&] {
                Parse(parsed, type == CDateTime::dt_dateTime ? Form::DateTime
                              : type == CDateTime::dt_time   ? Form::Time
                                                             : Form::Date,
                      text.c_str());
            });
            ASSERT_EQ(error, "<no exception>") << text;
            ASSERT_EQ(Fields(parsed), Fields(original)) << text;
            ASSERT_EQ(parsed.ToString(), text);
            ASSERT_EQ(parsed.CompareTo(original), CDateTime::dt_equal) << text;
        }
    }
}
