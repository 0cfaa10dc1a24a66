// CBigInteger: a signed integer of any number of decimal digits, the value type
// of the XML Schema integer type. Arithmetic is exact; division truncates toward
// zero. The digit arithmetic here is also the engine under CDecimal.
#ifndef TSXMLLIB_BIGINTEGER_H
#define TSXMLLIB_BIGINTEGER_H

#include "tsxmllib/Export.h"
#include "tsxmllib/LimbArray.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class CDecimal;
class CBigInteger;

TSXMLLIB_EXPORT bool operator==(const CBigInteger& a, const CBigInteger& b);
TSXMLLIB_EXPORT bool operator<(const CBigInteger& a, const CBigInteger& b);
// Truncating division and its remainder; a zero divisor throws CTsInvalidValueException.
TSXMLLIB_EXPORT CBigInteger operator/(const CBigInteger& a, const CBigInteger& b);
TSXMLLIB_EXPORT CBigInteger operator%(const CBigInteger& a, const CBigInteger& b);

class TSXMLLIB_EXPORT CBigInteger {
public:
    CBigInteger();
    CBigInteger(int value);
    CBigInteger(long value);
    CBigInteger(long long value);
    CBigInteger(unsigned int value);
    CBigInteger(unsigned long value);
    CBigInteger(unsigned long long value);
    // The magnitude rounded with ceil(|x| - 0.5), so that halves round down
    // (2.5 gives 2, 2.6 gives 3), with the sign of x.
    explicit CBigInteger(double value);
    // The decimal rounded to no fraction digits.
    explicit CBigInteger(const CDecimal& value);
    explicit CBigInteger(const char* text);
    explicit CBigInteger(const std::string& text);
    CBigInteger(const CBigInteger& other) = default;
    CBigInteger(CBigInteger&& other) noexcept;
    CBigInteger& operator=(const CBigInteger& other);
    CBigInteger& operator=(CBigInteger&& other) noexcept;
    virtual ~CBigInteger() = default;

    // Text made only of digits, signs and white space: spaces are trimmed, a
    // leading "-" makes the value negative, and the run of digits at the end is
    // the magnitude ("" gives 0). Any other text is read as a decimal and
    // rounded to an integer ("12e2" gives 1200); its errors are CDecimal's.
    void Parse(const char* text);

    // "0" for zero, otherwise an optional "-" and the digits.
    std::string ToString() const;

    CBigInteger& operator+=(const CBigInteger& other);
    CBigInteger& operator-=(const CBigInteger& other);
    CBigInteger& operator*=(const CBigInteger& other);
    // Truncating division; a zero divisor throws CTsInvalidValueException.
    CBigInteger& operator/=(const CBigInteger& other);
    // Remainder of the truncating division, with the dividend's sign.
    CBigInteger& operator%=(const CBigInteger& other);

    // Checked narrowing: CTsInvalidValueException when out of range.
    explicit operator int() const;
    explicit operator long long() const;

    CBigInteger GetAbs() const;
    CBigInteger GetNegative() const;
    void Abs();
    void Negate();

    // The integer square root, rounded down; a negative value throws.
    CBigInteger SquareRoot() const;
    static CBigInteger Pow10(unsigned int n);

    static const CBigInteger MAX_LONG;
    static const CBigInteger MIN_LONG;
    static const CBigInteger MAX_LONGLONG;
    static const CBigInteger MIN_LONGLONG;
    static const CBigInteger MAX_DOUBLE;
    static const CBigInteger MIN_DOUBLE;

private:
    friend class CDecimal;
    friend bool operator==(const CBigInteger& a, const CBigInteger& b);
    friend bool operator<(const CBigInteger& a, const CBigInteger& b);
    friend CBigInteger operator/(const CBigInteger& a, const CBigInteger& b);
    friend CBigInteger operator%(const CBigInteger& a, const CBigInteger& b);

    // The magnitude in base 10^9, least significant limb first, without
    // high-order zero limbs; zero is the empty array and always has sign +1.
    // Up to 36 digits are held without a heap block.
    using Limbs = CLimbArray;

    bool IsZero() const { return m_limbs.empty(); }
    bool IsNegative() const { return m_sign < 0; }
    void Normalize();
    // -1, 0 or 1 as a is less than, equal to or greater than b.
    static int Compare(const CBigInteger& a, const CBigInteger& b);
    void AddSigned(const CBigInteger& other, int otherSign);
    // Truncating division of a by b into quotient and/or remainder; a zero
    // divisor throws CTsInvalidValueException with the given message.
    static void DivMod(const CBigInteger& a, const CBigInteger& b, CBigInteger* quotient,
                       CBigInteger* remainder, const char* zeroMessage);

    // Decimal-digit operations used for the fixed-point scaling of CDecimal.
    std::size_t DigitCount() const;
    std::size_t TrailingZeroDigits() const;
    // Multiplies by 10^n.
    void ShiftLeft(std::size_t n);
    // Divides by 10^n, truncating, and returns the remainder (dividend's sign).
    CBigInteger ShiftRight(std::size_t n);
    // The magnitude as an unsigned 64-bit value; false when it does not fit.
    bool MagnitudeToUInt64(std::uint64_t& value) const;
    // Whether the magnitude is greater than half of 10^n.
    bool AboveHalfOfPow10(std::size_t n) const;
    // Writes the digits of the magnitude's places from..to-1 (the ones place
    // is 0, to is at most DigitCount()) so that the digit of place from ends
    // just before end, and returns where the written digits start. Zeros
    // above the top digit are the caller's: it fills its text with '0' first.
    char* WriteDigits(char* end, std::size_t from, std::size_t to) const;
    // The magnitude from a run of ASCII digits, most significant first, without
    // high-order zero limbs; the sign is left as it is.
    void AssignDigits(const char* digits, std::size_t count);

    int m_sign;
    Limbs m_limbs;
};

inline bool CBigInteger::MagnitudeToUInt64(std::uint64_t& value) const
{
    // Limbs hold nine digits each: four or more exceed the twenty of any 64-bit value.
    if (m_limbs.size() > 3)
        return false;
    value = 0;
    for (std::size_t i = m_limbs.size(); i-- > 0;) {
        if (__builtin_mul_overflow(value, std::uint64_t{1000000000u}, &value) ||
            __builtin_add_overflow(value, std::uint64_t{m_limbs[i]}, &value))
            return false;
    }
    return true;
}

inline bool operator!=(const CBigInteger& a, const CBigInteger& b) { return !(a == b); }
inline bool operator>(const CBigInteger& a, const CBigInteger& b) { return b < a; }
inline bool operator<=(const CBigInteger& a, const CBigInteger& b) { return !(b < a); }
inline bool operator>=(const CBigInteger& a, const CBigInteger& b) { return !(a < b); }

inline CBigInteger operator+(CBigInteger a, const CBigInteger& b) { return a += b; }
inline CBigInteger operator-(CBigInteger a, const CBigInteger& b) { return a -= b; }
inline CBigInteger operator*(CBigInteger a, const CBigInteger& b) { return a *= b; }

} // namespace TsXmlLib16

#endif
