// CDateTimeSpan: the value of the XML Schema duration type. Every component is
// kept as written (90 minutes stay 90 minutes) with one sign for the whole.
#ifndef TSXMLLIB_DATETIMESPAN_H
#define TSXMLLIB_DATETIMESPAN_H

#include "tsxmllib/DateTime.h"
#include "tsxmllib/Export.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CDateTimeSpan {
public:
    CDateTimeSpan();
    CDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds);
    CDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                  std::uint64_t minutes, std::uint64_t seconds);
    CDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                  std::uint64_t minutes, std::uint64_t seconds, unsigned short ms, unsigned short us,
                  unsigned short ns);
    CDateTimeSpan(const CDateTimeSpan& other) = default;
    CDateTimeSpan& operator=(const CDateTimeSpan& other) = default;
    virtual ~CDateTimeSpan();

    // Each clears the duration (making it positive) and stores the components given.
    void SetDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds);
    void SetDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                         std::uint64_t minutes, std::uint64_t seconds);
    void SetDateTimeSpan(unsigned short years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                         std::uint64_t minutes, std::uint64_t seconds, unsigned short ms, unsigned short us,
                         unsigned short ns);

    unsigned short GetYears() const { return m_years; }
    void SetYears(unsigned short v) { m_years = v; }
    std::uint32_t GetMonths() const { return m_months; }
    void SetMonths(std::uint32_t v) { m_months = v; }
    std::uint32_t GetDays() const { return m_days; }
    void SetDays(std::uint32_t v) { m_days = v; }
    std::uint32_t GetHours() const { return m_hours; }
    void SetHours(std::uint32_t v) { m_hours = v; }
    std::uint64_t GetMinutes() const { return m_minutes; }
    void SetMinutes(std::uint64_t v) { m_minutes = v; }
    std::uint64_t GetSeconds() const { return m_seconds; }
    void SetSeconds(std::uint64_t v) { m_seconds = v; }
    unsigned short GetMilliSeconds() const { return m_milliSeconds; }
    void SetMilliSeconds(unsigned short v) { m_milliSeconds = v; }
    unsigned short GetMicroSeconds() const { return m_microSeconds; }
    void SetMicroSeconds(unsigned short v) { m_microSeconds = v; }
    unsigned short GetNanoSeconds() const { return m_nanoSeconds; }
    void SetNanoSeconds(unsigned short v) { m_nanoSeconds = v; }

    bool IsNegative() const { return m_negative; }
    void Negate() { m_negative = !m_negative; }
    // A copy marked negative (a negative duration stays negative).
    CDateTimeSpan GetAsNegative() const;

    // [-]PnYnMnDTnHnMnS with zero components left out; all zero gives "P".
    std::string ToString() const;
    void ParseXSDDuration(const char* text);

    // The XML Schema order of durations, judged at four reference instants.
    CDateTime::DTCompareResult CompareTo(const CDateTimeSpan& other) const;
    bool operator==(const CDateTimeSpan& other) const { return CompareTo(other) == CDateTime::dt_equal; }
    bool operator!=(const CDateTimeSpan& other) const { return CompareTo(other) != CDateTime::dt_equal; }
    bool operator<(const CDateTimeSpan& other) const { return CompareTo(other) == CDateTime::dt_lessThan; }
    bool operator>(const CDateTimeSpan& other) const { return CompareTo(other) == CDateTime::dt_greaterThan; }

private:
    void Clear();

    std::uint16_t m_years = 0;
    std::uint32_t m_months = 0;
    std::uint32_t m_days = 0;
    std::uint32_t m_hours = 0;
    std::uint64_t m_minutes = 0;
    std::uint64_t m_seconds = 0;
    std::uint16_t m_milliSeconds = 0;
    std::uint16_t m_microSeconds = 0;
    std::uint16_t m_nanoSeconds = 0;
    bool m_negative = false;
};

} // namespace TsXmlLib16

#endif
