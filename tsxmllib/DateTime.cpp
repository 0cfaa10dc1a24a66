#include "tsxmllib/DateTime.h"

#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/Functions.h"
#include "tsxmllib/TsException.h"

#include <cstring>
#include <limits>
#include <type_traits>

namespace TsXmlLib16 {

namespace {

const unsigned char kMaxDaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const unsigned short kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

constexpr short kMinYear = -9999;
constexpr short kMaxYear = 9999;

bool IsLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The last day of a month (1 ... 12) by the leap rule.
unsigned LastDayOfMonth(std::int64_t year, unsigned month)
{
    if (month == 2)
        return IsLeapYear(year) ? 29 : 28;
    return kMaxDaysInMonth[month - 1];
}

using Platform::CivilFromDays;
using Platform::DaysFromCivil;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The two digits at p, or -1 when they are not both digits.
inline int TwoDigits(const char* p)
{
    if (!IsDigit(p[0]) || !IsDigit(p[1]))
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

inline int FourDigits(const char* p)
{
    const int high = TwoDigits(p);
    const int low = TwoDigits(p + 2);
    return high < 0 || low < 0 ? -1 : high * 100 + low;
}

// Writes value with at least width digits, from the last digit back, so
// that the zeros of the padding come by themselves.
char* WritePadded(char* out, unsigned value, int width)
{
    int digits = 1;
    for (unsigned rest = value; rest >= 10; rest /= 10)
        ++digits;
    char* const end = out + (digits > width ? digits : width);
    for (char* p = end; p != out; value /= 10)
        *--p = static_cast<char>('0' + value % 10);
    return end;
}

template <typename T>
T Saturate(int value)
{
    constexpr int lo = static_cast<int>(std::numeric_limits<T>::min());
    constexpr int hi = static_cast<int>(std::numeric_limits<T>::max());
    return static_cast<T>(value < lo ? lo : value > hi ? hi : value);
}

} // namespace

// ---- construction ----

CDateTime::CDateTime() = default;

CDateTime::CDateTime(DTType type) : m_type(type) {}

CDateTime::CDateTime(const char* text) { ParseXSDDateTime(text); }

// The constructors below leave a value that cannot be set cleared instead of throwing.
#define TSXMLLIB_SET_OR_CLEAR(statement)                                                                     \
    try {                                                                                                    \
        statement;                                                                                           \
    } catch (const CTsInvalidValueException&) {                                                              \
        Clear();                                                                                             \
    }

CDateTime::CDateTime(const std::int64_t& time) { TSXMLLIB_SET_OR_CLEAR(*this = time) }
CDateTime::CDateTime(const SYSTEMTIME& time) { TSXMLLIB_SET_OR_CLEAR(*this = time) }
CDateTime::CDateTime(const FILETIME& time) { TSXMLLIB_SET_OR_CLEAR(*this = time) }
CDateTime::CDateTime(short y, unsigned char m, unsigned char d) { TSXMLLIB_SET_OR_CLEAR(SetDate(y, m, d)) }
CDateTime::CDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s)
{
    TSXMLLIB_SET_OR_CLEAR(SetDateTime(y, m, d, h, mi, s))
}
CDateTime::CDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s,
                     unsigned short ms, unsigned short us, unsigned short ns)
{
    TSXMLLIB_SET_OR_CLEAR(SetDateTime(y, m, d, h, mi, s, ms, us, ns))
}

#undef TSXMLLIB_SET_OR_CLEAR


CDateTime CDateTime::GetTickCount()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    CDateTime result;
    result = now;
    return result;
}

// ---- type ----

const char* CDateTime::TypeName(DTType type)
{
    switch (type) {
    case dt_none: return "yearZero";
    case dt_dateTime: return "dateTime";
    case dt_date: return "date";
    case dt_gYearMonth: return "gYearMonth";
    case dt_gYear: return "gYear";
    case dt_time: return "time";
    case dt_gDay: return "gDay";
    case dt_gMonth: return "gMonth";
    case dt_gMonthDay: return "gMonthDay";
    }
    return "";
}

std::string CDateTime::GetTypeAsString() const { return TypeName(m_type); }

bool CDateTime::HoldsYear() const
{
    return m_type == dt_dateTime || m_type == dt_date || m_type == dt_gYearMonth || m_type == dt_gYear;
}

bool CDateTime::HoldsMonth() const
{
    return m_type == dt_dateTime || m_type == dt_date || m_type == dt_gYearMonth || m_type == dt_gMonthDay ||
           m_type == dt_gMonth;
}

bool CDateTime::HoldsDay() const
{
    return m_type == dt_dateTime || m_type == dt_date || m_type == dt_gMonthDay || m_type == dt_gDay;
}

bool CDateTime::HoldsTime() const { return m_type == dt_dateTime || m_type == dt_time; }

void CDateTime::Clear() { *this = CDateTime(); }

// ---- whole-value setters ----

void CDateTime::SetFields(DTType target, short y, unsigned char m, unsigned char d, unsigned char h,
                          unsigned char mi, unsigned char s, unsigned short ms, unsigned short us,
                          unsigned short ns)
{
    if (m_type != dt_none && m_type != target)
        throw CTsInvalidStateException(FormatString("Failed to copy CDateTime. Invalid Date Type: %s, expected: %s.",
                                                    TypeName(target), TypeName(m_type)));
    Clear();
    m_type = target;
    m_year = y;
    m_month = m;
    m_day = d;
    m_hour = h;
    m_minute = mi;
    m_second = s;
    m_milliSecond = ms;
    m_microSecond = us;
    m_nanoSecond = ns;
    Validate();
}

void CDateTime::SetDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi,
                            unsigned char s)
{
    SetFields(dt_dateTime, y, m, d, h, mi, s, 0, 0, 0);
}

void CDateTime::SetDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi,
                            unsigned char s, unsigned short ms, unsigned short us, unsigned short ns)
{
    SetFields(dt_dateTime, y, m, d, h, mi, s, ms, us, ns);
}

void CDateTime::SetDate(short y, unsigned char m, unsigned char d) { SetFields(dt_date, y, m, d, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetTime(unsigned char h, unsigned char mi, unsigned char s)
{
    SetFields(dt_time, 0, 0, 0, h, mi, s, 0, 0, 0);
}

void CDateTime::SetTime(unsigned char h, unsigned char mi, unsigned char s, unsigned short ms, unsigned short us,
                        unsigned short ns)
{
    SetFields(dt_time, 0, 0, 0, h, mi, s, ms, us, ns);
}

void CDateTime::SetFracTime(unsigned short ms, unsigned short us, unsigned short ns)
{
    SetFields(dt_time, 0, 0, 0, 0, 0, 0, ms, us, ns);
}

void CDateTime::SetGYear(short y) { SetFields(dt_gYear, y, 0, 0, 0, 0, 0, 0, 0, 0); }
void CDateTime::SetGYearMonth(short y, unsigned char m) { SetFields(dt_gYearMonth, y, m, 0, 0, 0, 0, 0, 0, 0); }
void CDateTime::SetGMonth(unsigned char m) { SetFields(dt_gMonth, 0, m, 0, 0, 0, 0, 0, 0, 0); }
void CDateTime::SetGMonthDay(unsigned char m, unsigned char d) { SetFields(dt_gMonthDay, 0, m, d, 0, 0, 0, 0, 0, 0); }
void CDateTime::SetGDay(unsigned char d) { SetFields(dt_gDay, 0, 0, d, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetDateTime(const CDateTime& source, DTType type)
{
    bool allowed = type == source.m_type || type == dt_none;
    if (!allowed) {
        switch (source.m_type) {
        case dt_dateTime: allowed = true; break;
        case dt_date:
            allowed = type == dt_gYearMonth || type == dt_gYear || type == dt_gMonthDay || type == dt_gMonth ||
                      type == dt_gDay;
            break;
        case dt_gYearMonth: allowed = type == dt_gYear || type == dt_gMonth; break;
        case dt_gMonthDay: allowed = type == dt_gMonth || type == dt_gDay; break;
        case dt_none:
        case dt_gYear:
        case dt_time:
        case dt_gDay:
        case dt_gMonth: break;
        default:
            throw CTsInvalidValueException(FormatString("Unknown date type %d.", static_cast<int>(source.m_type)));
        }
    }
    if (!allowed)
        throw CTsInvalidValueException(
            FormatString("Attempting to set a CDateTime of type %s using an XmlDateTime of type %s. The source "
                         "CDateTime does not contian enough data to allow the conversion.",
                         TypeName(type), TypeName(source.m_type)));
    *this = source;
    m_type = type;
}

// ---- field accessors ----

void CDateTime::CheckField(bool held, const char* accessor) const
{
    if (!held)
        throw CTsInvalidStateException(
            FormatString("Failed to %s. Invalid Date Type: %s.", accessor, TypeName(m_type)));
}

#define TSXMLLIB_DATETIME_FIELD(Name, Type, member, holds)                                                   \
    Type CDateTime::Get##Name() const                                                                        \
    {                                                                                                        \
        CheckField(holds(), "Get" #Name);                                                                    \
        return member;                                                                                       \
    }                                                                                                        \
    void CDateTime::Set##Name(Type value)                                                                    \
    {                                                                                                        \
        CheckField(holds(), "Get" #Name);                                                                    \
        member = value;                                                                                      \
    }

TSXMLLIB_DATETIME_FIELD(Year, short, m_year, HoldsYear)
TSXMLLIB_DATETIME_FIELD(Month, unsigned char, m_month, HoldsMonth)
TSXMLLIB_DATETIME_FIELD(Day, unsigned char, m_day, HoldsDay)
TSXMLLIB_DATETIME_FIELD(Hour, unsigned char, m_hour, HoldsTime)
TSXMLLIB_DATETIME_FIELD(Minute, unsigned char, m_minute, HoldsTime)
TSXMLLIB_DATETIME_FIELD(Second, unsigned char, m_second, HoldsTime)
TSXMLLIB_DATETIME_FIELD(MilliSecond, unsigned short, m_milliSecond, HoldsTime)
TSXMLLIB_DATETIME_FIELD(MicroSecond, unsigned short, m_microSecond, HoldsTime)
TSXMLLIB_DATETIME_FIELD(NanoSecond, unsigned short, m_nanoSecond, HoldsTime)

#undef TSXMLLIB_DATETIME_FIELD

double CDateTime::GetRealSecond() const
{
    CheckField(HoldsTime(), "GetRealSecond");
    return m_second + m_milliSecond / 1e3 + m_microSecond / 1e6 + m_nanoSecond / 1e9;
}

unsigned char CDateTime::GetDayOfWeek() const
{
    CheckField(m_type == dt_dateTime || m_type == dt_date, "GetDayOfWeek");
    // 1970-01-01 was a Thursday (5 when Sunday is 1).
    const std::int64_t days = DaysFromCivil(m_year, m_month, m_day);
    return static_cast<unsigned char>(FloorMod(days + 4, 7) + 1);
}

unsigned short CDateTime::GetDayOfYear() const
{
    CheckField(m_type == dt_dateTime || m_type == dt_date, "GetDayOfYear");
    unsigned result = m_day;
    if (m_month >= 1 && m_month <= 12)
        result += kDaysBeforeMonth[m_month - 1];
    if (m_month >= 3 && IsLeapYear(m_year))
        ++result;
    return static_cast<unsigned short>(result);
}

// ---- time zone ----

void CDateTime::SetUTC()
{
    m_utc = true;
    m_hasTimeZone = false;
    m_zoneHour = 0;
    m_zoneMinute = 0;
}

void CDateTime::SetTimeZone(short hours, unsigned char minutes)
{
    if (hours < -23 || hours > 23 || minutes > 59)
        throw CTsInvalidValueException(FormatString("Invalid TimeZone [%d:%d]", hours, minutes));
    m_utc = true;
    m_hasTimeZone = true;
    m_zoneHour = hours;
    m_zoneMinute = minutes;
}

short CDateTime::GetZoneHour() const
{
    if (!m_hasTimeZone)
        throw CTsInvalidStateException("TimeZone is not been used");
    return m_zoneHour;
}

unsigned char CDateTime::GetZoneMinute() const
{
    if (!m_hasTimeZone)
        throw CTsInvalidStateException("TimeZone is not been used");
    return m_zoneMinute;
}

CDateTime CDateTime::GetNormalized() const
{
    CDateTime result(*this);
    if (!m_hasTimeZone)
        return result;
    const CDateTimeSpan offset(static_cast<std::uint32_t>(m_zoneHour < 0 ? -m_zoneHour : m_zoneHour),
                               m_zoneMinute, 0);
    if (m_zoneHour >= 0)
        result -= offset;
    else
        result += offset;
    result.SetTimeZone(0, 0);
    return result;
}

CDateTime CDateTime::WithZoneNormalized(short hours) const
{
    CDateTime zoned(*this);
    zoned.SetTimeZone(hours, 0);
    return zoned.GetNormalized();
}

// ---- parsing ----

void CDateTime::ParseZone(const char* text, std::size_t length)
{
    if (length == 0)
        return;
    if (text[0] == 'Z') {
        SetUTC();
        return;
    }
    if (text[0] != '+' && text[0] != '-')
        return;
    const int hours = length == 6 && text[3] == ':' ? TwoDigits(text + 1) : -1;
    const int minutes = hours >= 0 ? TwoDigits(text + 4) : -1;
    if (minutes < 0)
        throw CTsInvalidValueException(FormatString("Invalid XSD Time Zone [%.*s].", static_cast<int>(length), text));
    const int h = hours == 24 ? 0 : hours;
    SetTimeZone(static_cast<short>(text[0] == '-' ? -h : h), static_cast<unsigned char>(minutes));
}

void CDateTime::ParseDatePart(const char* text, std::size_t length)
{
    if (length == 0)
        throw CTsInvalidValueException("Invalid Date (Empty String)");
    if (std::memchr(text, 'T', length))
        throw CTsInvalidValueException("Invalid Date ('T' not allowed)");
    const bool z = text[length - 1] == 'Z';
    const bool c = std::memchr(text, ':', length) != nullptr;
    if (z && c)
        throw CTsInvalidValueException("Invalid Date (Bad Zone value)");
    std::ptrdiff_t n = static_cast<std::ptrdiff_t>(length) - (z ? 1 : 0) - (c ? 6 : 0);

    const char* p = text;
    DTType type = dt_none;
    if (!(length >= 2 && text[0] == '-' && text[1] == '-')) {
        bool negative = false;
        if (text[0] == '-') {
            negative = true;
            ++p;
            --n;
        }
        if (n == 4 || n == 7 || n == 10) {
            const int year = FourDigits(p);
            int month = 0;
            int day = 0;
            bool ok = year >= 0;
            if (ok && n >= 7) {
                month = p[4] == '-' ? TwoDigits(p + 5) : -1;
                ok = month >= 0;
            }
            if (ok && n == 10) {
                day = p[7] == '-' ? TwoDigits(p + 8) : -1;
                ok = day >= 0;
            }
            if (ok) {
                m_year = static_cast<short>(negative ? -year : year);
                m_month = static_cast<unsigned char>(month);
                m_day = static_cast<unsigned char>(day);
                type = n == 4 ? dt_gYear : n == 7 ? dt_gYearMonth : dt_date;
            }
        }
    } else {
        int value;
        switch (n) {
        case 4:  // --MM
        case 6:  // --MM-- (any two characters after the month)
            if ((value = TwoDigits(p + 2)) >= 0) {
                m_month = static_cast<unsigned char>(value);
                type = dt_gMonth;
            }
            break;
        case 5:  // ---DD
            if (p[2] == '-' && (value = TwoDigits(p + 3)) >= 0) {
                m_day = static_cast<unsigned char>(value);
                type = dt_gDay;
            }
            break;
        case 7: {  // --MM-DD
            const int month = TwoDigits(p + 2);
            const int day = month >= 0 && p[4] == '-' ? TwoDigits(p + 5) : -1;
            if (day >= 0) {
                m_month = static_cast<unsigned char>(month);
                m_day = static_cast<unsigned char>(day);
                type = dt_gMonthDay;
            }
            break;
        }
        default: break;
        }
    }
    if (type == dt_none)
        throw CTsInvalidValueException(FormatString("Invalid XSD Date [%.*s] expected CCYY-MM-DD[Z|[+|-]hh:mm]",
                                                    static_cast<int>(length), text));
    m_type = type;
    if (z || c) {
        const char* zone = p + n;
        ParseZone(zone, static_cast<std::size_t>(text + length - zone));
    }
}

void CDateTime::ParseTimePart(const char* text, std::size_t length)
{
    if (length == 0)
        throw CTsInvalidValueException("Invalid XSD Time (Empty String)");
    const int hour = length >= 8 && text[2] == ':' && text[5] == ':' ? TwoDigits(text) : -1;
    const int minute = hour >= 0 ? TwoDigits(text + 3) : -1;
    const int second = minute >= 0 ? TwoDigits(text + 6) : -1;
    if (second < 0 || hour >= 24 || minute >= 60 || second >= 60)
        throw CTsInvalidValueException(
            FormatString("Invalid XSD Time [%.*s] expected hh:mm:ss[.ff]", static_cast<int>(length), text));
    m_hour = static_cast<unsigned char>(hour);
    m_minute = static_cast<unsigned char>(minute);
    m_second = static_cast<unsigned char>(second);

    const char* p = text + 8;
    const char* const end = text + length;
    if (p < end && *p == '.') {
        ++p;
        unsigned groups[3] = {0, 0, 0};
        int count = 0;
        for (; p < end && IsDigit(*p); ++p, ++count) {
            if (count == 9)
                throw CTsInvalidValueException(FormatString("Invalid XSD Time [%.*s] Fraction part too long",
                                                            static_cast<int>(length), text));
            groups[count / 3] = groups[count / 3] * 10 + static_cast<unsigned>(*p - '0');
        }
        // Each group is read left-aligned: a fraction of 5 is 500 ms.
        for (; count % 3 != 0; ++count)
            groups[count / 3] *= 10;
        m_milliSecond = static_cast<unsigned short>(groups[0]);
        m_microSecond = static_cast<unsigned short>(groups[1]);
        m_nanoSecond = static_cast<unsigned short>(groups[2]);
    }
    ParseZone(p, static_cast<std::size_t>(end - p));
}

void CDateTime::ParseXSDDate(const char* text)
{
    Clear();
    if (!text)
        throw CTsInvalidValueException("Invalid Date (Null String)");
    ParseDatePart(text, std::strlen(text));
    Validate();
}

void CDateTime::ParseXSDTime(const char* text)
{
    Clear();
    if (!text)
        throw CTsInvalidValueException("Invalid Time (Null String)");
    ParseTimePart(text, std::strlen(text));
    m_type = dt_time;
    Validate();
}

void CDateTime::ParseXSDDateTime(const char* text)
{
    if (!text)
        throw CTsInvalidValueException("Invalid DateTime (Null String)");
    const std::size_t length = std::strlen(text);
    const char* t = static_cast<const char*>(std::memchr(text, 'T', length));
    if (!t)
        throw CTsInvalidValueException(FormatString("Invalid XSD DateTime [%s].", text));
    Clear();
    ParseDatePart(text, static_cast<std::size_t>(t - text));
    if (m_type != dt_date)
        throw CTsInvalidValueException(
            FormatString("Invalid XSD DateTime [%s] expected CCYY-MM-DDThh:mm:ss[.ff]", text));
    ParseTimePart(t + 1, static_cast<std::size_t>(text + length - (t + 1)));
    m_type = dt_dateTime;
    Validate();
}

// ---- validation ----

void CDateTime::Validate() const
{
    if (m_type == dt_none)
        throw CTsInvalidValueException("Invalid Year Zero");
    const char* name = TypeName(m_type);

    if (HoldsMonth()) {
        if (m_month < 1 || m_month > 12)
            throw CTsInvalidValueException(FormatString("Invalid Month [%d] (1 <= month <= 12)", m_month));
    } else if (m_month != 0) {
        throw CTsInvalidValueException(FormatString("Invalid Month [%d] for type %s", m_month, name));
    }

    if (HoldsYear()) {
        if (m_year == 0 || m_year < kMinYear || m_year > kMaxYear)
            throw CTsInvalidValueException(FormatString("Invalid Year [%d] (%d <= year <= %d && year != 0)", m_year,
                                                        kMinYear, kMaxYear));
    } else if (m_year != 0) {
        throw CTsInvalidValueException(FormatString("Invalid Year [%d] for type %s", m_year, name));
    }

    if (m_type == dt_dateTime || m_type == dt_date) {
        if (m_day < 1 || m_day > LastDayOfMonth(m_year, m_month))
            throw CTsInvalidValueException(FormatString("Invalid Day [%d] (1 <= day <= days in month", m_day));
    } else if (m_type == dt_gMonthDay) {
        if (m_day < 1 || m_day > kMaxDaysInMonth[m_month - 1])
            throw CTsInvalidValueException(FormatString("Invalid Day [%d] (1 <= day <= days in month)", m_day));
    } else if (m_type == dt_gDay) {
        if (m_day < 1 || m_day > 31)
            throw CTsInvalidValueException(FormatString("Invalid Day [%d] (1 <= day <= 31)", m_day));
    } else if (m_day != 0) {
        throw CTsInvalidValueException(FormatString("Invalid Day [%d] for type %s", m_day, name));
    }

    struct TimeField {
        unsigned value;
        unsigned max;
        const char* inRange;
        const char* forType;
    };
    const TimeField fields[] = {
        {m_hour, 23, "Invalid Hour [%d] (0 <= hour <= 23)", "Invalid Hour [%d] for type %s"},
        {m_minute, 59, "Invalid Minute [%d] (0 <= minute <= 59)", "Invalid Minute [%d] for type %s"},
        {m_second, 59, "Invalid Second [%d] (0 <= second <= 59)", "Invalid Second [%d] for type %s"},
        {m_milliSecond, 999, "Invalid Milli-Second [%d] (0 <= milli <= 999)", "Invalid Milli-Second [%d] for type %s"},
        {m_microSecond, 999, "Invalid Micro-Second [%d] (0 <= micro <= 999)", "Invalid Micro-Second [%d] for type %s"},
        {m_nanoSecond, 999, "Invalid Nano-Second [%d] (0 <= nano <= 999)", "Invalid Nano-Second [%d] for type %s"},
    };
    const bool holdsTime = HoldsTime();
    for (const TimeField& f : fields) {
        if (holdsTime && f.value > f.max)
            throw CTsInvalidValueException(FormatString(f.inRange, static_cast<int>(f.value)));
        if (!holdsTime && f.value != 0)
            throw CTsInvalidValueException(FormatString(f.forType, static_cast<int>(f.value), name));
    }
}

// ---- formatting ----

std::string CDateTime::ToString() const { return ToString("s"); }

std::string CDateTime::ToString(const char* format) const
{
    if (m_type == dt_none ||
        (m_type != dt_time && m_year == 0 && m_month == 0 && m_day == 0 && m_hour == 0 && m_minute == 0 &&
         m_second == 0 && m_milliSecond == 0 && m_microSecond == 0 && m_nanoSecond == 0))
        return "Error: Date Not Set";
    if (!format || !*format || std::strcmp(format, "G") == 0)
        return std::string();
    if (std::strcmp(format, "s") != 0)
        return std::string("Unknown Format: ") + format;

    char buffer[64];
    char* p = buffer;
    const auto writeYear = [&] {
        int year = m_year;
        if (year < 0) {
            *p++ = '-';
            year = -year;
        }
        p = WritePadded(p, static_cast<unsigned>(year), 4);
    };
    const auto writeTime = [&] {
        p = WritePadded(p, m_hour, 2);
        *p++ = ':';
        p = WritePadded(p, m_minute, 2);
        *p++ = ':';
        p = WritePadded(p, m_second, 2);
        p += WriteSecondFraction(p, m_milliSecond, m_microSecond, m_nanoSecond);
    };
    switch (m_type) {
    case dt_dateTime:
    case dt_date:
    case dt_gYearMonth:
    case dt_gYear:
        writeYear();
        if (m_type != dt_gYear) {
            *p++ = '-';
            p = WritePadded(p, m_month, 2);
        }
        if (m_type == dt_dateTime || m_type == dt_date) {
            *p++ = '-';
            p = WritePadded(p, m_day, 2);
        }
        if (m_type == dt_dateTime) {
            *p++ = 'T';
            writeTime();
        }
        break;
    case dt_time: writeTime(); break;
    case dt_gDay:
        *p++ = '-';
        *p++ = '-';
        *p++ = '-';
        p = WritePadded(p, m_day, 2);
        break;
    case dt_gMonth:
    case dt_gMonthDay:
        *p++ = '-';
        *p++ = '-';
        p = WritePadded(p, m_month, 2);
        if (m_type == dt_gMonthDay) {
            *p++ = '-';
            p = WritePadded(p, m_day, 2);
        }
        break;
    default: break;
    }
    if (m_utc) {
        if (m_hasTimeZone) {
            *p++ = m_zoneHour < 0 ? '-' : '+';
            p = WritePadded(p, static_cast<unsigned>(m_zoneHour < 0 ? -m_zoneHour : m_zoneHour), 2);
            *p++ = ':';
            p = WritePadded(p, m_zoneMinute, 2);
        } else {
            *p++ = 'Z';
        }
    }
    return std::string(buffer, p);
}

// ---- platform times ----

std::int64_t CDateTime::GetTime() const
{
    const CDateTime utc = GetNormalized();
    if (utc.m_type != dt_dateTime && utc.m_type != dt_date)
        throw CTsInvalidValueException(FormatString(
            "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: %s.", TypeName(utc.m_type)));
    std::int64_t seconds = DaysFromCivil(utc.m_year, utc.m_month, utc.m_day) * 86400;
    if (utc.m_type == dt_dateTime)
        seconds += utc.m_hour * 3600 + utc.m_minute * 60 + utc.m_second;
    return seconds;
}

SYSTEMTIME CDateTime::GetAsSystemTime() const
{
    if (m_type != dt_dateTime)
        throw CTsInvalidValueException(FormatString(
            "Failed to GetAsSystemTime, Date Status must be dateTime. Invalid Date Type: %s.", TypeName(m_type)));
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(m_year);
    st.wMonth = m_month;
    st.wDayOfWeek = static_cast<std::uint16_t>(GetDayOfWeek() - 1);
    st.wDay = m_day;
    st.wHour = m_hour;
    st.wMinute = m_minute;
    st.wSecond = m_second;
    st.wMilliseconds = m_milliSecond;
    return st;
}

// Fields too wide for the value are saturated, so that they fail validation
// instead of wrapping into a valid value.
CDateTime& CDateTime::operator=(const std::int64_t& time)
{
    const std::int64_t days = FloorDiv(time, 86400);
    const std::int64_t rest = time - days * 86400;
    std::int64_t year;
    unsigned month;
    unsigned day;
    CivilFromDays(days, year, month, day);
    const int y = year < -32768 ? -32768 : year > 32767 ? 32767 : static_cast<int>(year);
    SetDateTime(static_cast<short>(y), static_cast<unsigned char>(month), static_cast<unsigned char>(day),
                static_cast<unsigned char>(rest / 3600), static_cast<unsigned char>(rest / 60 % 60),
                static_cast<unsigned char>(rest % 60));
    return *this;
}

CDateTime& CDateTime::operator=(const SYSTEMTIME& time)
{
    SetDateTime(Saturate<short>(time.wYear), Saturate<unsigned char>(time.wMonth), Saturate<unsigned char>(time.wDay),
                Saturate<unsigned char>(time.wHour), Saturate<unsigned char>(time.wMinute),
                Saturate<unsigned char>(time.wSecond), time.wMilliseconds, 0, 0);
    return *this;
}

CDateTime& CDateTime::operator=(const FILETIME& time)
{
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&time, &st))
        throw CTsInvalidValueException("Failed to convert FILETIME to SYSTEMTIME");
    return *this = st;
}

// ---- ordering ----

CDateTime::DTCompareResult CDateTime::CompareFields(const CDateTime& other) const
{
    const auto step = [](bool heldA, bool heldB, std::int64_t a, std::int64_t b, DTCompareResult& result) {
        if (heldA != heldB) {
            result = dt_indeterminate;
            return true;
        }
        if (heldA && a != b) {
            result = a < b ? dt_lessThan : dt_greaterThan;
            return true;
        }
        return false;
    };
    // Seconds with their fraction, as whole nanoseconds.
    const auto nanos = [](const CDateTime& v) {
        return static_cast<std::int64_t>(v.m_second) * 1000000000 + v.m_milliSecond * 1000000LL +
               v.m_microSecond * 1000LL + v.m_nanoSecond;
    };
    DTCompareResult result = dt_equal;
    const bool tA = HoldsTime();
    const bool tB = other.HoldsTime();
    if (step(HoldsYear(), other.HoldsYear(), m_year, other.m_year, result) ||
        step(HoldsMonth(), other.HoldsMonth(), m_month, other.m_month, result) ||
        step(HoldsDay(), other.HoldsDay(), m_day, other.m_day, result) ||
        step(tA, tB, m_hour, other.m_hour, result) || step(tA, tB, m_minute, other.m_minute, result) ||
        step(tA, tB, tA ? nanos(*this) : 0, tB ? nanos(other) : 0, result))
        return result;
    return dt_equal;
}

CDateTime::DTCompareResult CDateTime::CompareTo(const CDateTime& other) const
{
    const CDateTime p = m_hasTimeZone ? GetNormalized() : *this;
    const CDateTime q = other.m_hasTimeZone ? other.GetNormalized() : other;
    if (p.m_utc == q.m_utc)
        return p.CompareFields(q);
    // One value has a zone and the other not: the zoneless one may lie anywhere
    // between its +14:00 and its -14:00 reading.
    if (p.m_utc) {
        if (p.CompareFields(q.WithZoneNormalized(14)) == dt_lessThan)
            return dt_lessThan;
        if (p.CompareFields(q.WithZoneNormalized(-14)) == dt_greaterThan)
            return dt_greaterThan;
        return dt_indeterminate;
    }
    if (p.WithZoneNormalized(14).CompareFields(q) == dt_greaterThan)
        return dt_greaterThan;
    if (p.WithZoneNormalized(-14).CompareFields(q) == dt_lessThan)
        return dt_lessThan;
    return dt_indeterminate;
}

bool CDateTime::operator<=(const CDateTime& other) const
{
    const DTCompareResult r = CompareTo(other);
    return r == dt_lessThan || r == dt_equal;
}

bool CDateTime::operator>=(const CDateTime& other) const
{
    const DTCompareResult r = CompareTo(other);
    return r == dt_greaterThan || r == dt_equal;
}

// ---- arithmetic ----

CDateTime& CDateTime::operator+=(const CDateTimeSpan& span)
{
    const std::int64_t sign = span.IsNegative() ? -1 : 1;

    std::int64_t t = static_cast<std::int64_t>(m_month) + sign * static_cast<std::int64_t>(span.GetMonths());
    std::int64_t year = m_year + FloorDiv(t - 1, 12) + sign * static_cast<std::int64_t>(span.GetYears());
    unsigned month = static_cast<unsigned>(FloorMod(t - 1, 12) + 1);

    // Each time field takes its part of the duration and the carry of the field
    // below it. The duration's component is split into what stays in the field
    // and what carries on, so that 64-bit components cannot overflow.
    std::int64_t carry = 0;
    const auto addField = [&](auto& field, std::uint64_t amount, std::int64_t base) {
        const std::int64_t sum = static_cast<std::int64_t>(field) + carry +
                                 sign * static_cast<std::int64_t>(amount % static_cast<std::uint64_t>(base));
        field = static_cast<std::remove_reference_t<decltype(field)>>(FloorMod(sum, base));
        carry = FloorDiv(sum, base) + sign * static_cast<std::int64_t>(amount / static_cast<std::uint64_t>(base));
    };
    addField(m_nanoSecond, span.GetNanoSeconds(), 1000);
    addField(m_microSecond, span.GetMicroSeconds(), 1000);
    addField(m_milliSecond, span.GetMilliSeconds(), 1000);
    addField(m_second, span.GetSeconds(), 60);
    addField(m_minute, span.GetMinutes(), 60);
    addField(m_hour, span.GetHours(), 24);

    std::int64_t days = carry + sign * static_cast<std::int64_t>(span.GetDays());
    std::int64_t day = m_day;
    // The first step starts from the stored day, which may lie past the end of
    // the month after adding months; once it has moved to a month boundary the
    // rest is plain calendar arithmetic.
    if (days < 0) {
        if (day - 1 < -days) {
            days += day;
            if (--month == 0) {
                month = 12;
                --year;
            }
            day = LastDayOfMonth(year, month);
            unsigned m;
            unsigned d;
            CivilFromDays(DaysFromCivil(year, month, static_cast<unsigned>(day)) + days, year, m, d);
            month = m;
            day = d;
        } else {
            day += days;
        }
    } else if (days > 0) {
        const std::int64_t last = LastDayOfMonth(year, month);
        if (day + days <= last) {
            day += days;
        } else {
            days -= last + 1 - day;
            if (++month == 13) {
                month = 1;
                ++year;
            }
            unsigned m;
            unsigned d;
            CivilFromDays(DaysFromCivil(year, month, 1) + days, year, m, d);
            month = m;
            day = d;
        }
    }
    m_year = static_cast<short>(year);
    m_month = static_cast<unsigned char>(month);
    m_day = static_cast<unsigned char>(day);
    return *this;
}

CDateTime CDateTime::operator+(const CDateTimeSpan& span) const
{
    CDateTime result(*this);
    result += span;
    return result;
}

CDateTime& CDateTime::operator-=(const CDateTimeSpan& span) { return *this += span.GetAsNegative(); }

CDateTime CDateTime::operator-(const CDateTimeSpan& span) const
{
    CDateTime result(*this);
    result -= span;
    return result;
}

CDateTimeSpan CDateTime::operator-(const CDateTime&) const { return CDateTimeSpan(); }

} // namespace TsXmlLib16
