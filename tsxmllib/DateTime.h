// CDateTime: one value class for every XML Schema date and time type. A tag
// (DTType) says which type the value currently is; it decides which fields are
// used, which accessors are allowed and how the value is validated, ordered
// and written.
#ifndef TSXMLLIB_DATETIME_H
#define TSXMLLIB_DATETIME_H

#include "tsxmllib/Export.h"
#include "tsxmllib/Platform.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class CDateTimeSpan;

class TSXMLLIB_EXPORT CDateTime {
public:
    enum DTType : std::int32_t {
        dt_none = 0,
        dt_dateTime = 1,
        dt_date = 2,
        dt_gYearMonth = 3,
        dt_gYear = 4,
        dt_time = 5,
        dt_gDay = 6,
        dt_gMonth = 7,
        dt_gMonthDay = 8
    };

    enum DTCompareResult : std::int32_t {
        dt_equal = 0,
        dt_lessThan = 1,
        dt_greaterThan = 2,
        dt_indeterminate = 3
    };

    CDateTime();
    explicit CDateTime(DTType type);
    // Parses a dateTime; throws CTsInvalidValueException on bad text.
    explicit CDateTime(const char* text);
    // The following constructors never throw: a value that cannot be set
    // leaves the object cleared (dt_none).
    explicit CDateTime(const std::int64_t& time);
    explicit CDateTime(const SYSTEMTIME& time);
    explicit CDateTime(const FILETIME& time);
    CDateTime(short y, unsigned char m, unsigned char d);
    CDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s);
    CDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s,
              unsigned short ms, unsigned short us, unsigned short ns);
    CDateTime(const CDateTime& other) = default;
    CDateTime& operator=(const CDateTime& other) = default;
    virtual ~CDateTime() = default;

    // The machine's local date and time (to the millisecond), without zone.
    static CDateTime GetTickCount();

    DTType GetType() const { return m_type; }
    // The name of the current type ("dateTime", "gYear", ...; "yearZero" for
    // dt_none), empty for a value outside the enumeration.
    std::string GetTypeAsString() const;

    // Whole-value setters: allowed on a cleared value or one of the same type;
    // they remove any time zone and validate the result.
    void SetDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s);
    void SetDateTime(short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi, unsigned char s,
                     unsigned short ms, unsigned short us, unsigned short ns);
    void SetDate(short y, unsigned char m, unsigned char d);
    void SetTime(unsigned char h, unsigned char mi, unsigned char s);
    void SetTime(unsigned char h, unsigned char mi, unsigned char s, unsigned short ms, unsigned short us,
                 unsigned short ns);
    void SetFracTime(unsigned short ms, unsigned short us, unsigned short ns);
    void SetGYear(short y);
    void SetGYearMonth(short y, unsigned char m);
    void SetGMonth(unsigned char m);
    void SetGMonthDay(unsigned char m, unsigned char d);
    void SetGDay(unsigned char d);
    // Copies every field of source and takes the given type, when source holds
    // enough data for it.
    void SetDateTime(const CDateTime& source, DTType type);

    // Field accessors; each requires the current type to hold the field.
    // The setters store the value as given, without validation.
    short GetYear() const;
    void SetYear(short y);
    unsigned char GetMonth() const;
    void SetMonth(unsigned char m);
    unsigned char GetDay() const;
    void SetDay(unsigned char d);
    unsigned char GetHour() const;
    void SetHour(unsigned char h);
    unsigned char GetMinute() const;
    void SetMinute(unsigned char mi);
    unsigned char GetSecond() const;
    void SetSecond(unsigned char s);
    unsigned short GetMilliSecond() const;
    void SetMilliSecond(unsigned short ms);
    unsigned short GetMicroSecond() const;
    void SetMicroSecond(unsigned short us);
    unsigned short GetNanoSecond() const;
    void SetNanoSecond(unsigned short ns);
    double GetRealSecond() const;
    // 1 = Sunday ... 7 = Saturday.
    unsigned char GetDayOfWeek() const;
    unsigned short GetDayOfYear() const;

    bool IsUTC() const { return m_utc; }
    bool HasTimeZone() const { return m_hasTimeZone; }
    void SetUTC();
    void SetTimeZone(short hours, unsigned char minutes);
    short GetZoneHour() const;
    unsigned char GetZoneMinute() const;
    // A copy moved to UTC (+00:00) when it has an explicit offset.
    CDateTime GetNormalized() const;

    void ParseXSDDateTime(const char* text);
    void ParseXSDDate(const char* text);
    void ParseXSDTime(const char* text);

    std::string ToString() const;
    // "s" gives the XML Schema form; null, "" and "G" give ""; other formats
    // give "Unknown Format: " and the format.
    std::string ToString(const char* format) const;

    // Seconds since 1970-01-01T00:00:00 UTC (a value without zone is taken as UTC).
    std::int64_t GetTime() const;
    SYSTEMTIME GetAsSystemTime() const;
    CDateTime& operator=(const std::int64_t& time);
    CDateTime& operator=(const SYSTEMTIME& time);
    CDateTime& operator=(const FILETIME& time);

    DTCompareResult CompareTo(const CDateTime& other) const;
    bool operator==(const CDateTime& other) const { return CompareTo(other) == dt_equal; }
    bool operator!=(const CDateTime& other) const { return CompareTo(other) != dt_equal; }
    bool operator<(const CDateTime& other) const { return CompareTo(other) == dt_lessThan; }
    bool operator<=(const CDateTime& other) const;
    bool operator>(const CDateTime& other) const { return CompareTo(other) == dt_greaterThan; }
    bool operator>=(const CDateTime& other) const;

    CDateTime& operator+=(const CDateTimeSpan& span);
    CDateTime operator+(const CDateTimeSpan& span) const;
    // Adds the duration marked negative, whatever its own sign.
    CDateTime& operator-=(const CDateTimeSpan& span);
    CDateTime operator-(const CDateTimeSpan& span) const;
    // Not computed: always an empty duration.
    CDateTimeSpan operator-(const CDateTime& other) const;

private:
    static const char* TypeName(DTType type);
    void Clear();
    void SetFields(DTType target, short y, unsigned char m, unsigned char d, unsigned char h, unsigned char mi,
                   unsigned char s, unsigned short ms, unsigned short us, unsigned short ns);
    void Validate() const;
    // Throws CTsInvalidStateException "Failed to <accessor>. Invalid Date Type: ..."
    // unless held.
    void CheckField(bool held, const char* accessor) const;
    bool HoldsYear() const;
    bool HoldsMonth() const;
    bool HoldsDay() const;
    bool HoldsTime() const;
    // The lexical parts; they fill fields but neither clear nor validate.
    void ParseDatePart(const char* text, std::size_t length);
    void ParseTimePart(const char* text, std::size_t length);
    void ParseZone(const char* text, std::size_t length);
    DTCompareResult CompareFields(const CDateTime& other) const;
    // This value given the offset (hours, 0) and moved to UTC.
    CDateTime WithZoneNormalized(short hours) const;

    DTType m_type = dt_none;
    std::int16_t m_year = 0;
    std::uint8_t m_month = 0;
    std::uint8_t m_day = 0;
    std::uint8_t m_hour = 0;
    std::uint8_t m_minute = 0;
    std::uint8_t m_second = 0;
    std::uint16_t m_milliSecond = 0;
    std::uint16_t m_microSecond = 0;
    std::uint16_t m_nanoSecond = 0;
    bool m_utc = false;
    bool m_hasTimeZone = false;
    std::int16_t m_zoneHour = 0;
    std::uint8_t m_zoneMinute = 0;
};

} // namespace TsXmlLib16

#endif
