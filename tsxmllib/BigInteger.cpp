#include "tsxmllib/BigInteger.h"

#include "tsxmllib/Decimal.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace TsXmlLib16 {

namespace {

// Magnitudes are held in base 10^9: nine decimal digits per 32-bit limb, so
// that decimal scaling stays cheap while the schoolbook loops run on a ninth
// of the digits. Every routine here works on magnitudes only; signs are the
// business of CBigInteger. The loops run on the limbs' address taken once:
// a limb store could otherwise alias the array's 32-bit counts, which the
// compiler would then read again after every store.
using Limbs = CLimbArray;

constexpr std::uint32_t kBase = 1000000000u;
constexpr std::size_t kLimbDigits = 9;
constexpr std::uint32_t kPow10[kLimbDigits + 1] = {1u,      10u,      100u,      1000u,      10000u,
                                                  100000u, 1000000u, 10000000u, 100000000u, 1000000000u};

struct Magnitude {
    static void Trim(Limbs& a)
    {
        const std::uint32_t* limbs = a.data();
        std::size_t n = a.size();
        while (n > 0 && limbs[n - 1] == 0)
            --n;
        a.resize(n);
    }

    static int Compare(const Limbs& a, const Limbs& b)
    {
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        const std::uint32_t* x = a.data();
        const std::uint32_t* y = b.data();
        for (std::size_t i = a.size(); i-- > 0;) {
            if (x[i] != y[i])
                return x[i] < y[i] ? -1 : 1;
        }
        return 0;
    }

    // a += b (b may be a itself).
    static void Add(Limbs& a, const Limbs& b)
    {
        if (a.size() < b.size())
            a.resize(b.size(), 0);
        std::uint32_t* x = a.data();
        const std::uint32_t* y = b.data();
        const std::size_t n = a.size();
        const std::size_t m = b.size();
        std::uint32_t carry = 0;
        std::size_t i = 0;
        for (; i < m; ++i) {
            const std::uint32_t sum = x[i] + y[i] + carry;
            carry = sum >= kBase ? 1 : 0;
            x[i] = carry ? sum - kBase : sum;
        }
        for (; carry && i < n; ++i) {
            if (++x[i] == kBase)
                x[i] = 0;
            else
                carry = 0;
        }
        if (carry)
            a.push_back(1);
    }

    // a -= b, where a >= b (b may be a itself).
    static void Subtract(Limbs& a, const Limbs& b)
    {
        std::uint32_t* x = a.data();
        const std::uint32_t* y = b.data();
        const std::size_t n = a.size();
        const std::size_t m = b.size();
        std::uint32_t borrow = 0;
        std::size_t i = 0;
        for (; i < m; ++i) {
            const std::uint32_t sub = y[i] + borrow;
            if (x[i] >= sub) {
                x[i] -= sub;
                borrow = 0;
            } else {
                x[i] = x[i] + kBase - sub;
                borrow = 1;
            }
        }
        for (; borrow && i < n; ++i) {
            if (x[i] == 0) {
                x[i] = kBase - 1;
            } else {
                --x[i];
                borrow = 0;
            }
        }
        Trim(a);
    }

    static Limbs Multiply(const Limbs& a, const Limbs& b)
    {
        if (a.empty() || b.empty())
            return Limbs();
        Limbs product(a.size() + b.size(), 0);
        std::uint32_t* r = product.data();
        const std::uint32_t* x = a.data();
        const std::uint32_t* y = b.data();
        const std::size_t n = a.size();
        const std::size_t m = b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t xi = x[i];
            if (xi == 0)
                continue;
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < m; ++j) {
                const std::uint64_t cur = r[i + j] + xi * y[j] + carry;
                r[i + j] = static_cast<std::uint32_t>(cur % kBase);
                carry = cur / kBase;
            }
            r[i + m] = static_cast<std::uint32_t>(carry);
        }
        Trim(product);
        return product;
    }

    // a *= m for a small factor m < 10^9.
    static void MultiplySmall(Limbs& a, std::uint32_t m)
    {
        if (m == 0) {
            a.clear();
            return;
        }
        std::uint32_t* x = a.data();
        const std::size_t n = a.size();
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t cur = static_cast<std::uint64_t>(x[i]) * m + carry;
            x[i] = static_cast<std::uint32_t>(cur % kBase);
            carry = cur / kBase;
        }
        if (carry)
            a.push_back(static_cast<std::uint32_t>(carry));
    }

    // a /= d for 0 < d <= 10^9; returns the remainder.
    static std::uint32_t DivideSmall(Limbs& a, std::uint32_t d)
    {
        std::uint32_t* x = a.data();
        std::uint64_t rem = 0;
        for (std::size_t i = a.size(); i-- > 0;) {
            const std::uint64_t cur = rem * kBase + x[i];
            x[i] = static_cast<std::uint32_t>(cur / d);
            rem = cur % d;
        }
        Trim(a);
        return static_cast<std::uint32_t>(rem);
    }

    // Long division of u by a non-zero v (Knuth's algorithm D in base 10^9):
    // one estimated quotient limb per step, corrected at most twice.
    static void DivMod(const Limbs& u, const Limbs& v, Limbs* quotient, Limbs* remainder)
    {
        if (Compare(u, v) < 0) {
            if (remainder)
                *remainder = u;
            if (quotient)
                quotient->clear();
            return;
        }
        if (v.size() == 1) {
            Limbs q = u;
            const std::uint32_t rem = DivideSmall(q, v[0]);
            if (remainder) {
                remainder->clear();
                if (rem)
                    remainder->push_back(rem);
            }
            if (quotient)
                *quotient = std::move(q);
            return;
        }

        const std::size_t n = v.size();
        const std::size_t m = u.size() - n;
        // Scaling both operands makes the divisor's top limb at least half the base,
        // which keeps the quotient estimates close.
        const std::uint32_t d = kBase / (v.back() + 1);
        Limbs uScaled = u;
        MultiplySmall(uScaled, d);
        uScaled.resize(u.size() + 1, 0);
        Limbs vScaled = v;
        MultiplySmall(vScaled, d);

        Limbs q(m + 1, 0);
        std::uint32_t* quotientLimbs = q.data();
        std::uint32_t* un = uScaled.data();
        const std::uint32_t* vn = vScaled.data();
        const std::uint64_t vTop = vn[n - 1];
        const std::uint64_t vNext = vn[n - 2];
        for (std::size_t j = m + 1; j-- > 0;) {
            const std::uint64_t num = static_cast<std::uint64_t>(un[j + n]) * kBase + un[j + n - 1];
            std::uint64_t qhat = num / vTop;
            std::uint64_t rhat = num % vTop;
            while (qhat >= kBase || qhat * vNext > rhat * kBase + un[j + n - 2]) {
                --qhat;
                rhat += vTop;
                if (rhat >= kBase)
                    break;
            }

            std::uint64_t carry = 0;
            std::uint32_t borrow = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint64_t product = qhat * vn[i] + carry;
                carry = product / kBase;
                const std::uint32_t sub = static_cast<std::uint32_t>(product % kBase) + borrow;
                if (un[i + j] >= sub) {
                    un[i + j] -= sub;
                    borrow = 0;
                } else {
                    un[i + j] = un[i + j] + kBase - sub;
                    borrow = 1;
                }
            }
            std::int64_t top = static_cast<std::int64_t>(un[j + n]) - static_cast<std::int64_t>(carry) - borrow;
            if (top < 0) {
                // The estimate was one too large: add the divisor back once.
                --qhat;
                std::uint32_t addCarry = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const std::uint32_t sum = un[i + j] + vn[i] + addCarry;
                    addCarry = sum >= kBase ? 1 : 0;
                    un[i + j] = addCarry ? sum - kBase : sum;
                }
                top += addCarry;
            }
            un[j + n] = static_cast<std::uint32_t>(top);
            quotientLimbs[j] = static_cast<std::uint32_t>(qhat);
        }

        if (remainder) {
            uScaled.resize(n);
            Trim(uScaled);
            DivideSmall(uScaled, d);
            *remainder = std::move(uScaled);
        }
        if (quotient) {
            Trim(q);
            *quotient = std::move(q);
        }
    }

    // The number of decimal digits of a limb, 1 for 0. The bit length times
    // log10(2) (1233 / 4096) is the digit count or one more than it.
    static std::size_t LimbDigits(std::uint32_t limb)
    {
        // Setting the lowest bit changes no digit count (powers of ten are even).
        limb |= 1;
        const auto bits = static_cast<std::size_t>(32 - __builtin_clz(limb));
        const std::size_t guess = (bits * 1233) >> 12;
        return guess + (limb >= kPow10[guess] ? 1 : 0);
    }

    static Limbs FromUInt64(std::uint64_t value)
    {
        Limbs a;
        while (value != 0) {
            a.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        }
        return a;
    }
};

// "00" to "99": formatting takes two digits per division.
constexpr char kDigitPairs[] = "00010203040506070809"
                               "10111213141516171819"
                               "20212223242526272829"
                               "30313233343536373839"
                               "40414243444546474849"
                               "50515253545556575859"
                               "60616263646566676869"
                               "70717273747576777879"
                               "80818283848586878889"
                               "90919293949596979899";

// Writes the count lowest digits of the value, zero-padded, so that they end
// just before end; returns where they start.
char* WriteLimbDigits(char* end, std::uint32_t value, std::size_t count)
{
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count != 0)
        *--end = static_cast<char>('0' + value % 10);
    return end;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::uint64_t MagnitudeOf(long long value)
{
    return value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
}

} // namespace

const CBigInteger CBigInteger::MAX_LONG(2147483647);
const CBigInteger CBigInteger::MIN_LONG(-2147483647 - 1);
const CBigInteger CBigInteger::MAX_LONGLONG(9223372036854775807LL);
const CBigInteger CBigInteger::MIN_LONGLONG(-9223372036854775807LL - 1);
const CBigInteger CBigInteger::MAX_DOUBLE("1.7E+308");
const CBigInteger CBigInteger::MIN_DOUBLE("-1.7E+308");

CBigInteger::CBigInteger() : m_sign(1) {}

CBigInteger::CBigInteger(int value) : CBigInteger(static_cast<long long>(value)) {}

CBigInteger::CBigInteger(long value) : CBigInteger(static_cast<long long>(value)) {}

CBigInteger::CBigInteger(long long value)
    : m_sign(value < 0 ? -1 : 1), m_limbs(Magnitude::FromUInt64(MagnitudeOf(value)))
{
}

CBigInteger::CBigInteger(unsigned int value) : CBigInteger(static_cast<unsigned long long>(value)) {}

CBigInteger::CBigInteger(unsigned long value) : CBigInteger(static_cast<unsigned long long>(value)) {}

CBigInteger::CBigInteger(unsigned long long value) : m_sign(1), m_limbs(Magnitude::FromUInt64(value)) {}

CBigInteger::CBigInteger(double value) : m_sign(1)
{
    const double rounded = std::ceil(std::fabs(value) - 0.5);
    if (rounded == 0)
        return;
    // An integral double prints exactly with no fraction digits; NaN and the
    // infinities print as words and are rejected by Parse like any other text.
    Parse(FormatString("%.0f", rounded).c_str());
    if (value < 0)
        Negate();
}

CBigInteger::CBigInteger(const CDecimal& value) : CBigInteger(value.ToBigInteger()) {}

CBigInteger::CBigInteger(const char* text) : m_sign(1) { Parse(text); }

CBigInteger::CBigInteger(const std::string& text) : m_sign(1) { Parse(text.c_str()); }

CBigInteger::CBigInteger(CBigInteger&& other) noexcept : m_sign(other.m_sign), m_limbs(std::move(other.m_limbs))
{
    other.m_sign = 1;
    other.m_limbs.clear();
}

CBigInteger& CBigInteger::operator=(const CBigInteger& other) = default;

CBigInteger& CBigInteger::operator=(CBigInteger&& other) noexcept
{
    if (this != &other) {
        m_sign = other.m_sign;
        m_limbs = std::move(other.m_limbs);
        other.m_sign = 1;
        other.m_limbs.clear();
    }
    return *this;
}


void CBigInteger::Normalize()
{
    Magnitude::Trim(m_limbs);
    if (m_limbs.empty())
        m_sign = 1;
}

void CBigInteger::Parse(const char* text)
{
    if (text == nullptr)
        text = "";
    for (const char* c = text; *c != '\0'; ++c) {
        if (!IsDigit(*c) && *c != '-' && *c != '+' && *c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') {
            *this = CDecimal(text).ToBigInteger();
            return;
        }
    }
    std::size_t begin = 0;
    std::size_t end = std::strlen(text);
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    const bool negative = begin < end && text[begin] == '-';
    if (negative)
        ++begin;
    // The magnitude is the run of digits at the end of what remains.
    std::size_t digits = end;
    while (digits > begin && IsDigit(text[digits - 1]))
        --digits;
    AssignDigits(text + digits, end - digits);
    m_sign = negative ? -1 : 1;
    Normalize();
}

void CBigInteger::AssignDigits(const char* digits, std::size_t count)
{
    if (count <= 2 * kLimbDigits) {
        // Below 10^18, what nearly every text holds: one pass in 64 bits.
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value = value * 10 + static_cast<std::uint32_t>(digits[i] - '0');
        m_limbs.clear();
        if (value >= kBase) {
            m_limbs.push_back(static_cast<std::uint32_t>(value % kBase));
            m_limbs.push_back(static_cast<std::uint32_t>(value / kBase));
        } else if (value != 0) {
            m_limbs.push_back(static_cast<std::uint32_t>(value));
        }
        return;
    }
    while (count > 0 && *digits == '0') {
        ++digits;
        --count;
    }
    const std::size_t limbCount = (count + kLimbDigits - 1) / kLimbDigits;
    m_limbs.resize(limbCount);
    std::uint32_t* limbs = m_limbs.data();
    // Nine digits per limb, taken from the least significant end.
    const char* end = digits + count;
    for (std::size_t i = 0; i < limbCount; ++i) {
        const char* begin = static_cast<std::size_t>(end - digits) > kLimbDigits ? end - kLimbDigits : digits;
        std::uint32_t value = 0;
        for (const char* d = begin; d != end; ++d)
            value = value * 10 + static_cast<std::uint32_t>(*d - '0');
        limbs[i] = value;
        end = begin;
    }
}

std::size_t CBigInteger::DigitCount() const
{
    if (m_limbs.empty())
        return 0;
    return (m_limbs.size() - 1) * kLimbDigits + Magnitude::LimbDigits(m_limbs.back());
}

std::size_t CBigInteger::TrailingZeroDigits() const
{
    std::size_t zeros = 0;
    for (std::uint32_t limb : m_limbs) {
        if (limb == 0) {
            zeros += kLimbDigits;
            continue;
        }
        while (limb % 10 == 0) {
            limb /= 10;
            ++zeros;
        }
        break;
    }
    return zeros;
}

char* CBigInteger::WriteDigits(char* end, std::size_t from, std::size_t to) const
{
    const std::uint32_t* limbs = m_limbs.data();
    std::size_t limb = from / kLimbDigits;
    std::size_t skip = from % kLimbDigits;  // places of the first limb below from
    for (std::size_t place = from; place < to; ++limb, skip = 0) {
        const std::size_t count = std::min(kLimbDigits - skip, to - place);
        const std::uint32_t value = skip != 0 ? limbs[limb] / kPow10[skip] : limbs[limb];
        end = WriteLimbDigits(end, value, count);
        place += count;
    }
    return end;
}

void CBigInteger::ShiftLeft(std::size_t n)
{
    if (m_limbs.empty() || n == 0)
        return;
    if (n % kLimbDigits != 0)
        Magnitude::MultiplySmall(m_limbs, kPow10[n % kLimbDigits]);
    m_limbs.insert(m_limbs.begin(), n / kLimbDigits, 0u);
}

CBigInteger CBigInteger::ShiftRight(std::size_t n)
{
    CBigInteger remainder;
    remainder.m_sign = m_sign;
    const std::size_t whole = n / kLimbDigits;
    if (whole >= m_limbs.size()) {
        remainder.m_limbs.swap(m_limbs);
    } else {
        remainder.m_limbs.assign(m_limbs.begin(), m_limbs.begin() + static_cast<std::ptrdiff_t>(whole));
        m_limbs.erase(m_limbs.begin(), m_limbs.begin() + static_cast<std::ptrdiff_t>(whole));
        if (n % kLimbDigits != 0) {
            const std::uint32_t rest = Magnitude::DivideSmall(m_limbs, kPow10[n % kLimbDigits]);
            if (rest != 0)
                remainder.m_limbs.push_back(rest);
        }
    }
    remainder.Normalize();
    Normalize();
    return remainder;
}

bool CBigInteger::AboveHalfOfPow10(std::size_t n) const
{
    if (n == 0)
        return !m_limbs.empty();
    // Half of 10^n is 5 * 10^(n-1): one limb holding 5 * 10^k over zero limbs.
    const std::size_t top = (n - 1) / kLimbDigits;
    const std::uint32_t half = 5 * kPow10[(n - 1) % kLimbDigits];
    if (m_limbs.size() != top + 1)
        return m_limbs.size() > top + 1;
    if (m_limbs[top] != half)
        return m_limbs[top] > half;
    for (std::size_t i = 0; i < top; ++i) {
        if (m_limbs[i] != 0)
            return true;
    }
    return false;
}

std::string CBigInteger::ToString() const
{
    if (m_limbs.empty())
        return std::string(1, '0');
    const std::size_t digits = DigitCount();
    // Filled with '-', which the digits leave in front of a negative value.
    std::string text(digits + (m_sign < 0 ? 1 : 0), '-');
    WriteDigits(&text[0] + text.size(), 0, digits);
    return text;
}

int CBigInteger::Compare(const CBigInteger& a, const CBigInteger& b)
{
    if (a.m_sign != b.m_sign)
        return a.m_sign < b.m_sign ? -1 : 1;
    const int magnitude = Magnitude::Compare(a.m_limbs, b.m_limbs);
    return a.m_sign < 0 ? -magnitude : magnitude;
}

bool operator==(const CBigInteger& a, const CBigInteger& b) { return CBigInteger::Compare(a, b) == 0; }

bool operator<(const CBigInteger& a, const CBigInteger& b) { return CBigInteger::Compare(a, b) < 0; }

void CBigInteger::AddSigned(const CBigInteger& other, int otherSign)
{
    if (other.m_limbs.empty())
        return;
    if (m_sign == otherSign) {
        Magnitude::Add(m_limbs, other.m_limbs);
    } else if (Magnitude::Compare(m_limbs, other.m_limbs) >= 0) {
        Magnitude::Subtract(m_limbs, other.m_limbs);
    } else {
        Limbs difference = other.m_limbs;
        Magnitude::Subtract(difference, m_limbs);
        m_limbs.swap(difference);
        m_sign = otherSign;
    }
    Normalize();
}

CBigInteger& CBigInteger::operator+=(const CBigInteger& other)
{
    AddSigned(other, other.m_sign);
    return *this;
}

CBigInteger& CBigInteger::operator-=(const CBigInteger& other)
{
    AddSigned(other, -other.m_sign);
    return *this;
}

CBigInteger& CBigInteger::operator*=(const CBigInteger& other)
{
    m_limbs = Magnitude::Multiply(m_limbs, other.m_limbs);
    m_sign *= other.m_sign;
    Normalize();
    return *this;
}

void CBigInteger::DivMod(const CBigInteger& a, const CBigInteger& b, CBigInteger* quotient,
                         CBigInteger* remainder, const char* zeroMessage)
{
    if (b.m_limbs.empty())
        throw CTsInvalidValueException(zeroMessage);
    CBigInteger q;
    CBigInteger r;
    Magnitude::DivMod(a.m_limbs, b.m_limbs, quotient ? &q.m_limbs : nullptr, remainder ? &r.m_limbs : nullptr);
    q.m_sign = a.m_sign * b.m_sign;
    r.m_sign = a.m_sign;
    q.Normalize();
    r.Normalize();
    if (quotient)
        *quotient = std::move(q);
    if (remainder)
        *remainder = std::move(r);
}

CBigInteger operator/(const CBigInteger& a, const CBigInteger& b)
{
    CBigInteger q;
    CBigInteger::DivMod(a, b, &q, nullptr, "ERROR: Overflow in operator/.");
    return q;
}

CBigInteger operator%(const CBigInteger& a, const CBigInteger& b)
{
    CBigInteger r;
    CBigInteger::DivMod(a, b, nullptr, &r, "ERROR: Overflow in operator%.");
    return r;
}

CBigInteger& CBigInteger::operator/=(const CBigInteger& other)
{
    DivMod(*this, other, this, nullptr, "ERROR: Overflow in operator /=.");
    return *this;
}

CBigInteger& CBigInteger::operator%=(const CBigInteger& other)
{
    DivMod(*this, other, nullptr, this, "ERROR: Overflow in operator%=.");
    return *this;
}

CBigInteger::operator int() const
{
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = m_sign < 0 ? 2147483648ULL : 2147483647ULL;
    if (!MagnitudeToUInt64(magnitude) || magnitude > limit)
        throw CTsInvalidValueException("ERROR: Value out of bound of int.");
    const auto value = static_cast<std::int64_t>(magnitude);
    return static_cast<int>(m_sign < 0 ? -value : value);
}

CBigInteger::operator long long() const
{
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = m_sign < 0 ? 9223372036854775808ULL : 9223372036854775807ULL;
    if (!MagnitudeToUInt64(magnitude) || magnitude > limit)
        throw CTsInvalidValueException("ERROR: Value out of bound of LONGLONG.");
    // Negating in unsigned arithmetic reaches the most negative value too.
    return static_cast<long long>(m_sign < 0 ? 0ULL - magnitude : magnitude);
}

CBigInteger CBigInteger::GetAbs() const
{
    CBigInteger copy(*this);
    copy.Abs();
    return copy;
}

CBigInteger CBigInteger::GetNegative() const
{
    CBigInteger copy(*this);
    copy.Negate();
    return copy;
}

void CBigInteger::Abs() { m_sign = 1; }

void CBigInteger::Negate()
{
    if (!m_limbs.empty())
        m_sign = -m_sign;
}

CBigInteger CBigInteger::SquareRoot() const
{
    if (m_sign < 0)
        throw CTsInvalidValueException("ERROR: Negative Number in function SquareRoot().");
    if (m_limbs.empty())
        return CBigInteger();
    // 10^(j+1) with j = floor(log100 v) lies above the root; Newton's steps then
    // fall monotonically until they stop decreasing, at floor(sqrt(v)).
    CBigInteger x = Pow10(static_cast<unsigned int>((DigitCount() - 1) / 2 + 1));
    for (;;) {
        CBigInteger last = x;
        Limbs quotient;
        Magnitude::DivMod(m_limbs, x.m_limbs, &quotient, nullptr);
        Magnitude::Add(x.m_limbs, quotient);
        Magnitude::DivideSmall(x.m_limbs, 2);
        x.Normalize();
        if (Magnitude::Compare(x.m_limbs, last.m_limbs) >= 0)
            return last;
    }
}

CBigInteger CBigInteger::Pow10(unsigned int n)
{
    CBigInteger value(1);
    value.ShiftLeft(n);
    return value;
}

} // namespace TsXmlLib16
