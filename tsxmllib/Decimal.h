// CDecimal: a signed decimal number with an unbounded integer part and a
// fraction part of a limited number of digits, the value type of the XML Schema
// decimal type. The precision limit (30 fraction digits unless changed) applies
// after parsing, multiplication and division; an exact half of the last kept
// digit is dropped (rounding half toward zero).
#ifndef TSXMLLIB_DECIMAL_H
#define TSXMLLIB_DECIMAL_H

#include "tsxmllib/BigInteger.h"
#include "tsxmllib/Export.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class CDecimal;

TSXMLLIB_EXPORT bool operator==(const CDecimal& a, const CDecimal& b);
TSXMLLIB_EXPORT bool operator<(const CDecimal& a, const CDecimal& b);

class TSXMLLIB_EXPORT CDecimal {
public:
    CDecimal();
    // Integers are held with one (zero) fraction digit.
    CDecimal(int value);
    CDecimal(long value);
    CDecimal(long long value);
    CDecimal(unsigned int value);
    CDecimal(unsigned long value);
    CDecimal(unsigned long long value);
    CDecimal(const CBigInteger& value);
    // The double printed with 13 fraction digits, then parsed.
    explicit CDecimal(double value);
    explicit CDecimal(const char* text);
    explicit CDecimal(const std::string& text);
    CDecimal(const CDecimal& other) = default;
    CDecimal(CDecimal&& other) noexcept;
    CDecimal& operator=(const CDecimal& other);
    CDecimal& operator=(CDecimal&& other) noexcept;
    virtual ~CDecimal() = default;

    // Reads an integer section, an optional "." and fraction section and an
    // optional exponent ("e" or "E"). Signs in the integer section set the sign
    // (the last one wins), white space between digits is skipped. Each of the
    // integer and fraction sections holds at most 511 digits and the exponent at
    // most 31 digits; a positive exponent may not exceed 4096. Any violation
    // throws CTsInvalidValueException naming the offending position.
    void Parse(const char* text);

    // The integer part alone when the fraction is zero, otherwise integer part,
    // "." and every stored fraction digit.
    std::string ToString() const;
    // Rounded half away from zero to the given number of fraction digits, which
    // are always written ("2." for 2.5 with no places). Negative places count as 0.
    std::string ToString(int places) const;

    CBigInteger GetIntegerPart() const;
    CBigInteger GetFractionPart() const;
    // The number of fraction digits held.
    int GetFractionDivider() const { return m_fractionDigits; }

    // The process-wide precision limit. Set it at start-up; it is not locked.
    // A negative limit acts as 0.
    static int GetMaxDecimalPlaces();
    static void SetMaxDecimalPlaces(int places);

    CBigInteger ToBigInteger() const;
    // Checked conversions: CTsOverFlowException when the value does not fit.
    std::int64_t ToLongLong() const;
    std::int32_t ToLong() const;
    double ToDouble() const;

    CDecimal& operator+=(const CDecimal& other);
    CDecimal& operator-=(const CDecimal& other);
    CDecimal& operator*=(const CDecimal& other);
    // A zero divisor throws CTsInvalidValueException.
    CDecimal& operator/=(const CDecimal& other);

    CDecimal& operator++();
    CDecimal operator++(int);
    CDecimal& operator--();
    CDecimal operator--(int);

    void Negate();
    CDecimal GetNegative() const;

private:
    friend bool operator==(const CDecimal& a, const CDecimal& b);
    friend bool operator<(const CDecimal& a, const CDecimal& b);

    // The effective precision limit (never negative).
    static int Precision();
    static int Compare(const CDecimal& a, const CDecimal& b);
    // The value as an integer scaled to n fraction digits (n >= the digits held).
    CBigInteger ScaledTo(int n) const;
    // Changes the number of fraction digits, rounding when digits are dropped.
    void SetFractionDigits(int digits);
    // Removes trailing zero fraction digits, keeping at least one.
    void RemoveTrailingZeros();
    // Rounds to the precision limit when more fraction digits are held.
    void LimitFractionDigits();
    // The scaled value as text with the given number of fraction digits, of
    // which the first places are written: the integer part (at least "0"),
    // ".", and the fraction digits cut or padded with zeros to the places.
    static std::string WithPoint(const CBigInteger& scaled, std::size_t fraction, std::size_t places);

    static int m_maxDivider;

    // The value times 10^m_fractionDigits, exactly; the integer and fraction
    // parts are derived from it.
    CBigInteger m_value;
    int m_fractionDigits;
};

inline bool operator!=(const CDecimal& a, const CDecimal& b) { return !(a == b); }
inline bool operator>(const CDecimal& a, const CDecimal& b) { return b < a; }
inline bool operator<=(const CDecimal& a, const CDecimal& b) { return !(b < a); }
inline bool operator>=(const CDecimal& a, const CDecimal& b) { return !(a < b); }

inline CDecimal operator+(CDecimal a, const CDecimal& b) { return a += b; }
inline CDecimal operator-(CDecimal a, const CDecimal& b) { return a -= b; }
inline CDecimal operator*(CDecimal a, const CDecimal& b) { return a *= b; }
inline CDecimal operator/(CDecimal a, const CDecimal& b) { return a /= b; }

} // namespace TsXmlLib16

#endif
