#include "tsxmllib/DateTimeSpan.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/Functions.h"
#include "tsxmllib/TsException.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace TsXmlLib16 {

namespace {

const char kExpected[] = "Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";

// A number and its designator letter.
char* WriteComponent(char* out, std::uint64_t value, char designator)
{
    out = std::to_chars(out, out + 20, value).ptr;
    *out++ = designator;
    return out;
}

// Stores n in a component, refusing numbers the component cannot hold.
template <typename T>
bool Store(T& field, std::uint64_t n)
{
    if (n > std::numeric_limits<T>::max())
        return false;
    field = static_cast<T>(n);
    return true;
}

} // namespace

CDateTimeSpan::CDateTimeSpan() = default;

CDateTimeSpan::CDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds)
{
    SetDateTimeSpan(hours, minutes, seconds);
}

CDateTimeSpan::CDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                             std::uint64_t minutes, std::uint64_t seconds)
{
    SetDateTimeSpan(years, months, days, hours, minutes, seconds);
}

CDateTimeSpan::CDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                             std::uint64_t minutes, std::uint64_t seconds, unsigned short ms, unsigned short us,
                             unsigned short ns)
{
    SetDateTimeSpan(years, months, days, hours, minutes, seconds, ms, us, ns);
}

CDateTimeSpan::~CDateTimeSpan() = default;

void CDateTimeSpan::Clear() { *this = CDateTimeSpan(); }

void CDateTimeSpan::SetDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds)
{
    SetDateTimeSpan(0, 0, 0, hours, minutes, seconds, 0, 0, 0);
}

void CDateTimeSpan::SetDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days,
                                    std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds)
{
    SetDateTimeSpan(years, months, days, hours, minutes, seconds, 0, 0, 0);
}

void CDateTimeSpan::SetDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days,
                                    std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds,
                                    unsigned short ms, unsigned short us, unsigned short ns)
{
    Clear();
    m_years = years;
    m_months = months;
    m_days = days;
    m_hours = hours;
    m_minutes = minutes;
    m_seconds = seconds;
    m_milliSeconds = ms;
    m_microSeconds = us;
    m_nanoSeconds = ns;
}

CDateTimeSpan CDateTimeSpan::GetAsNegative() const
{
    CDateTimeSpan result(*this);
    result.m_negative = true;
    return result;
}

std::string CDateTimeSpan::ToString() const
{
    // Sign, P, six components of at most 20 digits and a letter, T and the fraction.
    char buffer[2 + 6 * 21 + 1 + kSecondFractionMax];
    char* p = buffer;
    if (m_negative)
        *p++ = '-';
    *p++ = 'P';
    if (m_years != 0)
        p = WriteComponent(p, m_years, 'Y');
    if (m_months != 0)
        p = WriteComponent(p, m_months, 'M');
    if (m_days != 0)
        p = WriteComponent(p, m_days, 'D');
    const bool fraction = m_milliSeconds != 0 || m_microSeconds != 0 || m_nanoSeconds != 0;
    if (m_hours != 0 || m_minutes != 0 || m_seconds != 0 || fraction) {
        *p++ = 'T';
        if (m_hours != 0)
            p = WriteComponent(p, m_hours, 'H');
        if (m_minutes != 0)
            p = WriteComponent(p, m_minutes, 'M');
        if (m_seconds != 0 || fraction) {
            p = std::to_chars(p, p + 20, m_seconds).ptr;
            p += WriteSecondFraction(p, m_milliSeconds, m_microSeconds, m_nanoSeconds);
            *p++ = 'S';
        }
    }
    return std::string(buffer, p);
}

void CDateTimeSpan::ParseXSDDuration(const char* text)
{
    Clear();
    if (!text)
        throw CTsInvalidValueException("Invalid XSD Duration (Null String)");
    if (!*text)
        throw CTsInvalidValueException("Invalid XSD Duration (Empty String)");

    // States: 0 nothing read, 1 years, 2 months, 3 days, 4 "T", 5 hours,
    // 6 minutes, 7 seconds, 8 fraction.
    int state = 0;
    bool ok = true;
    const char* p = text;
    if (*p == '-') {
        m_negative = true;
        ++p;
    }
    if (*p != 'P')
        ok = false;
    else
        ++p;
    while (ok && *p) {
        // Components are read as unsigned 64-bit numbers; one too large for
        // its field fails the parse.
        std::uint64_t n = 0;
        for (; *p >= '0' && *p <= '9'; ++p) {
            const unsigned digit = static_cast<unsigned>(*p - '0');
            if (n > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
                ok = false;
                break;
            }
            n = n * 10 + digit;
        }
        if (!ok)
            break;
        const char designator = *p;
        if (designator == '\0') {
            ok = false;  // a number without designator
            break;
        }
        ++p;
        switch (designator) {
        case 'Y':
            ok = state == 0 && Store(m_years, n);
            state = 1;
            break;
        case 'M':
            if (state < 2) {
                ok = Store(m_months, n);
                state = 2;
            } else {
                ok = (state == 4 || state == 5) && Store(m_minutes, n);
                state = 6;
            }
            break;
        case 'D':
            ok = state < 3 && Store(m_days, n);
            state = 3;
            break;
        case 'T':
            ok = state < 4;
            state = 4;
            break;
        case 'H':
            ok = state == 4 && Store(m_hours, n);
            state = 5;
            break;
        case 'S':
            ok = state >= 4 && state <= 6;
            if (ok)
                m_seconds = n;
            state = 7;
            break;
        case '.': {
            ok = state >= 4 && state <= 6;
            if (!ok)
                break;
            m_seconds = n;
            unsigned groups[3] = {0, 0, 0};
            int count = 0;
            for (; *p >= '0' && *p <= '9'; ++p, ++count) {
                if (count == 9)
                    throw CTsInvalidValueException(
                        FormatString("Invalid XSD Duration [%s] Fraction part too long", text));
                groups[count / 3] = groups[count / 3] * 10 + static_cast<unsigned>(*p - '0');
            }
            // Each group is read left-aligned: ".5" is 500 ms.
            for (; count % 3 != 0; ++count)
                groups[count / 3] *= 10;
            m_milliSeconds = static_cast<unsigned short>(groups[0]);
            m_microSeconds = static_cast<unsigned short>(groups[1]);
            m_nanoSeconds = static_cast<unsigned short>(groups[2]);
            // The fraction ends with "S", or the text ends right after the ".".
            if (*p == 'S')
                ++p;
            else if (*p != '\0' || count != 0)
                ok = false;
            state = 8;
            break;
        }
        default: ok = false; break;
        }
    }
    if (!ok || state == 0 || state == 4)
        throw CTsInvalidValueException(FormatString(kExpected, text));
}

CDateTime::DTCompareResult CDateTimeSpan::CompareTo(const CDateTimeSpan& other) const
{
    static const CDateTime kReferences[4] = {
        CDateTime("1696-09-01T00:00:00Z"),
        CDateTime("1697-02-01T00:00:00Z"),
        CDateTime("1903-03-01T00:00:00Z"),
        CDateTime("1903-07-01T00:00:00Z"),
    };
    CDateTime::DTCompareResult first = CDateTime::dt_indeterminate;
    try {
        for (int i = 0; i < 4; ++i) {
            const CDateTime::DTCompareResult r = (kReferences[i] + *this).CompareTo(kReferences[i] + other);
            if (i == 0)
                first = r;
            if (r == CDateTime::dt_indeterminate || r != first)
                return CDateTime::dt_indeterminate;
        }
    } catch (const CTsInvalidValueException&) {
        return CDateTime::dt_indeterminate;
    }
    return first;
}

} // namespace TsXmlLib16
