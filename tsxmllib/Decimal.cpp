#include "tsxmllib/Decimal.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace TsXmlLib16 {

namespace {

constexpr std::size_t kMaxSectionDigits = 511;
constexpr std::size_t kMaxExponentDigits = 31;
// 10^4096 already has more digits than any value this type is meant to carry;
// larger positive exponents would only turn a short text into a huge number.
constexpr std::uint64_t kMaxPositiveExponent = 4096;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

[[noreturn]] void ThrowInvalidChar(std::size_t position, const char* text)
{
    throw CTsInvalidValueException(FormatString(
        "The string representing a Decimal, contained an invalid char at position %d [%s].",
        static_cast<int>(position), text));
}

// The C library formats and reads numbers with the decimal point of the current
// locale; the decimal texts of this type always use ".".
const char* LocalePoint()
{
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ".";
}

std::string ReplacePoint(std::string text, const char* from, const char* to)
{
    if (std::strcmp(from, to) == 0)
        return text;
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, std::strlen(from), to);
    return text;
}

const CBigInteger& DoubleLimit()
{
    static const CBigInteger limit = CBigInteger(17) * CBigInteger::Pow10(307);
    return limit;
}

} // namespace

int CDecimal::m_maxDivider = 30;

CDecimal::CDecimal() : m_fractionDigits(1) {}

CDecimal::CDecimal(int value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(long value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(long long value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(unsigned int value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(unsigned long value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(unsigned long long value) : CDecimal(CBigInteger(value)) {}

CDecimal::CDecimal(const CBigInteger& value) : m_value(value), m_fractionDigits(1) { m_value.ShiftLeft(1); }

CDecimal::CDecimal(double value) : m_fractionDigits(1)
{
    Parse(ReplacePoint(FormatString("%.13f\n", value), LocalePoint(), ".").c_str());
}

CDecimal::CDecimal(const char* text) : m_fractionDigits(1) { Parse(text); }

CDecimal::CDecimal(const std::string& text) : m_fractionDigits(1) { Parse(text.c_str()); }

CDecimal::CDecimal(CDecimal&& other) noexcept = default;

CDecimal& CDecimal::operator=(const CDecimal& other) = default;

CDecimal& CDecimal::operator=(CDecimal&& other) noexcept = default;


int CDecimal::GetMaxDecimalPlaces() { return m_maxDivider; }

void CDecimal::SetMaxDecimalPlaces(int places) { m_maxDivider = places; }

int CDecimal::Precision() { return m_maxDivider > 0 ? m_maxDivider : 0; }

void CDecimal::Parse(const char* text)
{
    if (text == nullptr)
        text = "";
    // The integer digits, then the fraction digits: the section limits bound them.
    char digits[2 * kMaxSectionDigits];
    std::size_t digitCount = 0;
    std::size_t fractionDigits = 0;
    bool negative = false;
    std::uint64_t exponent = 0;
    bool exponentNegative = false;
    std::size_t p = 0;

    enum class Section { Integer, Fraction, ExponentSign, ExponentDigits, Done };
    Section section = Section::Integer;
    std::size_t sectionDigits = 0;
    // Takes the run of digits at p into the integer or fraction digits.
    const auto takeDigits = [&] {
        char c = text[p];
        do {
            if (++sectionDigits > kMaxSectionDigits)
                ThrowInvalidChar(p, text);
            digits[digitCount++] = c;
            c = text[++p];
        } while (IsDigit(c));
    };
    while (section != Section::Done) {
        const char c = text[p];
        if (c == '\0')
            break;
        switch (section) {
        case Section::Integer:
            if (IsDigit(c)) {
                takeDigits();
                continue;
            }
            if (c == '-' || c == '+') {
                negative = c == '-';
            } else if (c == '.') {
                section = Section::Fraction;
                sectionDigits = 0;
            } else if (c == 'e' || c == 'E') {
                section = Section::ExponentSign;
            } else if (!IsWhite(c)) {
                ThrowInvalidChar(p, text);
            }
            ++p;
            break;
        case Section::Fraction:
            if (IsDigit(c)) {
                const std::size_t before = digitCount;
                takeDigits();
                fractionDigits += digitCount - before;
                continue;
            }
            if (c == 'e' || c == 'E') {
                section = Section::ExponentSign;
            } else if (!IsWhite(c)) {
                // Whatever ends the fraction, other than an exponent, is left over.
                ThrowInvalidChar(p, text);
            }
            ++p;
            break;
        case Section::ExponentSign:
            if (c == '-' || c == '+') {
                exponentNegative = c == '-';
                ++p;
            } else if (IsDigit(c)) {
                section = Section::ExponentDigits;
                sectionDigits = 0;
            } else if (IsWhite(c)) {
                ++p;
            } else {
                ThrowInvalidChar(p, text);
            }
            break;
        case Section::ExponentDigits:
            if (IsDigit(c)) {
                if (++sectionDigits > kMaxExponentDigits)
                    ThrowInvalidChar(p, text);
                // 31 digits overflow 64 bits: saturate, the value only has to stay large.
                if (exponent < 1000000000000000ULL)
                    exponent = exponent * 10 + static_cast<std::uint64_t>(c - '0');
                if (!exponentNegative && exponent > kMaxPositiveExponent)
                    ThrowInvalidChar(p, text);
            } else if (!IsWhite(c)) {
                ThrowInvalidChar(p, text);
            }
            ++p;
            break;
        case Section::Done:
            break;
        }
    }

    if (digitCount != 0)
        m_value.AssignDigits(digits, digitCount);
    else
        m_value.m_limbs.clear();
    // The limbs come without high-order zeros; only zero's sign needs setting.
    m_value.m_sign = negative && !m_value.IsZero() ? -1 : 1;
    if (fractionDigits == 0) {
        m_value.ShiftLeft(1);
        fractionDigits = 1;
    }
    m_fractionDigits = static_cast<int>(fractionDigits);

    if (exponent != 0) {
        if (!exponentNegative) {
            *this *= CDecimal(CBigInteger::Pow10(static_cast<unsigned int>(exponent)));
        } else {
            // Past this many places the truncated quotient is zero whatever the
            // exponent, so a huge exponent need not be built.
            const std::uint64_t zeroFrom =
                m_value.DigitCount() + static_cast<std::uint64_t>(Precision()) + 2;
            *this /= CDecimal(CBigInteger::Pow10(static_cast<unsigned int>(std::min(exponent, zeroFrom))));
        }
    }
    RemoveTrailingZeros();
    LimitFractionDigits();
}

CBigInteger CDecimal::ScaledTo(int n) const
{
    CBigInteger scaled = m_value;
    scaled.ShiftLeft(static_cast<std::size_t>(n - m_fractionDigits));
    return scaled;
}

void CDecimal::SetFractionDigits(int digits)
{
    if (digits >= m_fractionDigits) {
        m_value.ShiftLeft(static_cast<std::size_t>(digits - m_fractionDigits));
    } else {
        const auto dropped = static_cast<std::size_t>(m_fractionDigits - digits);
        const CBigInteger rest = m_value.ShiftRight(dropped);
        // Only more than half a unit of the last kept digit rounds up.
        if (rest.AboveHalfOfPow10(dropped))
            m_value += CBigInteger(rest.m_sign);
    }
    m_fractionDigits = digits;
}

void CDecimal::RemoveTrailingZeros()
{
    if (m_fractionDigits <= 1)
        return;
    if (m_value.IsZero()) {
        m_fractionDigits = 1;
        return;
    }
    const std::size_t zeros =
        std::min(m_value.TrailingZeroDigits(), static_cast<std::size_t>(m_fractionDigits - 1));
    if (zeros != 0) {
        m_value.ShiftRight(zeros);
        m_fractionDigits -= static_cast<int>(zeros);
    }
}

void CDecimal::LimitFractionDigits()
{
    if (m_fractionDigits > Precision())
        SetFractionDigits(Precision());
}

namespace {

// The text of magnitude / 10^fraction with the sign, as ToString writes it:
// the integer part alone when the fraction digits are all zero, otherwise
// every fraction digit with at least one digit before the point.
std::string SmallDecimalText(std::uint64_t magnitude, bool negative, std::size_t fraction)
{
    char buffer[48];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    std::uint64_t rest = magnitude;
    bool zeros = true;
    for (std::size_t i = 0; i < fraction; ++i) {
        const auto digit = static_cast<unsigned>(rest % 10);
        rest /= 10;
        zeros = zeros && digit == 0;
        *--p = static_cast<char>('0' + digit);
    }
    if (zeros) {
        p = end;
    } else {
        *--p = '.';
        if (rest == 0)
            *--p = '0';
    }
    for (; rest != 0; rest /= 10)
        *--p = static_cast<char>('0' + rest % 10);
    if (negative)
        *--p = '-';
    return std::string(p, end);
}

} // namespace

std::string CDecimal::ToString() const
{
    if (m_value.IsZero())
        return std::string(1, '0');
    const auto fraction = static_cast<std::size_t>(m_fractionDigits > 0 ? m_fractionDigits : 0);
    // A magnitude of one machine word with at most 18 fraction digits, what
    // nearly every value is, is written from that word.
    std::uint64_t magnitude = 0;
    if (fraction <= 18 && m_value.MagnitudeToUInt64(magnitude))
        return SmallDecimalText(magnitude, m_value.IsNegative(), fraction);
    if (m_value.TrailingZeroDigits() >= fraction) {
        // No fraction: the integer part alone, which a value other than zero has.
        // The '-' fill is left in front of a negative value.
        const std::size_t digits = m_value.DigitCount();
        std::string text((m_value.IsNegative() ? 1 : 0) + digits - fraction, '-');
        m_value.WriteDigits(&text[0] + text.size(), fraction, digits);
        return text;
    }
    return WithPoint(m_value, fraction, fraction);
}

std::string CDecimal::ToString(int places) const
{
    if (places < 0)
        places = 0;
    // Adding half a unit of the last written place, with the value's sign, and
    // cutting the digits after it rounds half away from zero. Beyond the
    // precision limit that half is itself rounded away, and the digits are cut.
    CDecimal sum(*this);
    if (places < Precision()) {
        CDecimal half;
        half.m_value = CBigInteger(m_value.IsNegative() ? -5 : 5);
        half.m_fractionDigits = places + 1;
        sum += half;
    }
    const auto fraction = static_cast<std::size_t>(sum.m_fractionDigits > 0 ? sum.m_fractionDigits : 0);
    return WithPoint(sum.m_value, fraction, static_cast<std::size_t>(places));
}

std::string CDecimal::WithPoint(const CBigInteger& scaled, std::size_t fraction, std::size_t places)
{
    const std::size_t digits = scaled.DigitCount();
    const std::size_t sign = scaled.IsNegative() ? 1 : 0;
    const std::size_t integer = digits > fraction ? digits - fraction : 1;
    const std::size_t kept = std::min(places, fraction);
    // The '0' fill stands for the leading zero of a value below one and for
    // every place the value does not reach.
    std::string text(sign + integer + 1 + places, '0');
    char* point = &text[sign + integer];
    // The digits from the first kept fraction place up, in one run that ends
    // after the kept places: the integer digits land one to the right of
    // their place, the point's, and are moved over by one.
    const std::size_t from = fraction - kept;
    if (digits > from) {
        char* first = scaled.WriteDigits(point + 1 + kept, from, digits);
        if (first <= point)
            std::memmove(first - 1, first, static_cast<std::size_t>(point + 1 - first));
    }
    *point = '.';
    if (sign != 0)
        text[0] = '-';
    return text;
}

CBigInteger CDecimal::GetIntegerPart() const
{
    CBigInteger integer = m_value;
    integer.ShiftRight(static_cast<std::size_t>(m_fractionDigits > 0 ? m_fractionDigits : 0));
    return integer;
}

CBigInteger CDecimal::GetFractionPart() const
{
    CBigInteger integer = m_value;
    return integer.ShiftRight(static_cast<std::size_t>(m_fractionDigits > 0 ? m_fractionDigits : 0));
}

CBigInteger CDecimal::ToBigInteger() const
{
    CDecimal rounded(*this);
    rounded.SetFractionDigits(0);
    return rounded.m_value;
}

std::int64_t CDecimal::ToLongLong() const
{
    // Rounded to one fraction digit first, which is then dropped.
    CDecimal rounded(*this);
    rounded.SetFractionDigits(1);
    const CBigInteger integer = rounded.GetIntegerPart();
    if (integer < CBigInteger(INT64_MIN) || integer > CBigInteger(INT64_MAX))
        throw CTsOverFlowException("The Decimal value if to large to fit into a LONGLONG");
    return static_cast<long long>(integer);
}

std::int32_t CDecimal::ToLong() const
{
    const CBigInteger integer = ToBigInteger();
    if (integer < CBigInteger(INT32_MIN) || integer > CBigInteger(INT32_MAX))
        throw CTsOverFlowException("The Decimal value if to large to fit into a LONG");
    return static_cast<int>(integer);
}

double CDecimal::ToDouble() const
{
    const CBigInteger integer = GetIntegerPart();
    if (integer.GetAbs() > DoubleLimit())
        throw CTsOverFlowException("The Decimal value if to large to fit into a Double");
    return std::strtod(ReplacePoint(ToString(), ".", LocalePoint()).c_str(), nullptr);
}

CDecimal& CDecimal::operator+=(const CDecimal& other)
{
    const int n = std::max(m_fractionDigits, other.m_fractionDigits);
    if (other.m_fractionDigits == n) {
        SetFractionDigits(n);
        m_value += other.m_value;
    } else {
        const CBigInteger addend = other.ScaledTo(n);
        SetFractionDigits(n);
        m_value += addend;
    }
    RemoveTrailingZeros();
    return *this;
}

CDecimal& CDecimal::operator-=(const CDecimal& other) { return *this += other.GetNegative(); }

CDecimal& CDecimal::operator*=(const CDecimal& other)
{
    const int n = std::max(m_fractionDigits, other.m_fractionDigits);
    const CBigInteger factor = other.ScaledTo(n);
    SetFractionDigits(n);
    m_value *= factor;
    m_fractionDigits = 2 * n;
    RemoveTrailingZeros();
    LimitFractionDigits();
    return *this;
}

CDecimal& CDecimal::operator/=(const CDecimal& other)
{
    if (other.m_value.IsZero())
        throw CTsInvalidValueException("ERROR: Overflow in operator/.");
    // Two digits more than the limit are computed, truncated, then rounded.
    const int n = std::max(m_fractionDigits, other.m_fractionDigits);
    const int digits = Precision() + 2;
    const CBigInteger divisor = other.ScaledTo(n);
    SetFractionDigits(n);
    m_value.ShiftLeft(static_cast<std::size_t>(digits));
    CBigInteger::DivMod(m_value, divisor, &m_value, nullptr, "ERROR: Overflow in operator/.");
    m_fractionDigits = digits;
    RemoveTrailingZeros();
    LimitFractionDigits();
    return *this;
}

CDecimal& CDecimal::operator++() { return *this += CDecimal(1); }

CDecimal CDecimal::operator++(int)
{
    CDecimal old(*this);
    *this += CDecimal(1);
    return old;
}

CDecimal& CDecimal::operator--() { return *this -= CDecimal(1); }

CDecimal CDecimal::operator--(int)
{
    CDecimal old(*this);
    *this -= CDecimal(1);
    return old;
}

void CDecimal::Negate() { m_value.Negate(); }

CDecimal CDecimal::GetNegative() const
{
    CDecimal copy(*this);
    copy.Negate();
    return copy;
}

int CDecimal::Compare(const CDecimal& a, const CDecimal& b)
{
    if (a.m_fractionDigits == b.m_fractionDigits)
        return CBigInteger::Compare(a.m_value, b.m_value);
    const int n = std::max(a.m_fractionDigits, b.m_fractionDigits);
    return a.m_fractionDigits < n ? CBigInteger::Compare(a.ScaledTo(n), b.m_value)
                                  : CBigInteger::Compare(a.m_value, b.ScaledTo(n));
}

bool operator==(const CDecimal& a, const CDecimal& b) { return CDecimal::Compare(a, b) == 0; }

bool operator<(const CDecimal& a, const CDecimal& b) { return CDecimal::Compare(a, b) < 0; }

} // namespace TsXmlLib16
