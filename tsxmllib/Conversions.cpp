#include "tsxmllib/Conversions.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace TsXmlLib16 {

namespace {

// White space as the C library's number parsers skip it in the C locale.
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

CTsInvalidValueException CannotConvert(const std::string& text, const char* type)
{
    return CTsInvalidValueException(FormatString("The value [%s] can not be converted to a %s", text.c_str(), type));
}

CTsInvalidValueException TooLarge(const std::string& text, const char* type)
{
    return CTsInvalidValueException(FormatString("The value [%s] is to large to fit in a %s", text.c_str(), type));
}

template <class T>
std::string IntegerToString(T value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

// ---------------------------------------------------------------------------
// Integers

// What strtol and its relatives read in the C locale: leading white space, one
// optional sign, then base-10 digits. The magnitude saturates instead of wrapping.
struct ScannedInteger {
    bool negative = false;
    bool hasDigits = false;
    bool endsText = false;  // nothing follows the digits
    bool overflow = false;  // the magnitude does not fit in 64 bits
    std::uint64_t magnitude = 0;
};

ScannedInteger ScanInteger(const std::string& text)
{
    ScannedInteger scan;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && IsCSpace(text[i]))
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    const std::size_t first = i;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; i < n && IsDigit(text[i]); ++i) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (scan.overflow || scan.magnitude > (kMax - digit) / 10)
            scan.overflow = true;
        else
            scan.magnitude = scan.magnitude * 10 + digit;
    }
    scan.hasDigits = i > first;
    scan.endsText = i == n;
    return scan;
}

// The value of the processed text as the C library converts it to T: signed types
// take the magnitude within their range; unsigned types accept a "-" and negate
// modulo 2^N. A magnitude out of range is reported before anything else.
template <class T>
T ParseInteger(const std::string& text, const char* type)
{
    static_assert(std::is_integral_v<T> && sizeof(T) >= 4, "32- and 64-bit integers only");
    if (text.empty())
        throw CannotConvert(text, type);
    const ScannedInteger scan = ScanInteger(text);
    std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
    if (std::is_signed_v<T> && scan.negative)
        ++limit;
    if (scan.overflow || scan.magnitude > limit)
        throw TooLarge(text, type);
    if (!scan.hasDigits || !scan.endsText)
        throw CannotConvert(text, type);
    if (!scan.negative)
        return static_cast<T>(scan.magnitude);
    if constexpr (std::is_signed_v<T>)
        return scan.magnitude == 0 ? T(0) : static_cast<T>(-static_cast<T>(scan.magnitude - 1) - 1);
    else
        return static_cast<T>(T(0) - static_cast<T>(scan.magnitude));
}

// A value already read as a 32-bit integer, checked against a narrower type.
// The message names the text as it was passed in.
template <class Narrow, class Wide>
Narrow Narrowed(Wide value, const std::string& original, const char* type)
{
    const std::int64_t wide = value;
    if (wide < std::numeric_limits<Narrow>::min() || wide > std::numeric_limits<Narrow>::max())
        throw TooLarge(original, type);
    return static_cast<Narrow>(value);
}

// ---------------------------------------------------------------------------
// Floating point

// Whether a decimal number that could not be represented is too large (rather
// than too small): its first significant digit stands before the decimal point.
bool IsAtLeastOne(const char* mantissa, const char* mantissaEnd, const char* exponent, const char* end)
{
    constexpr std::int64_t kSaturation = std::int64_t(1) << 48;
    std::int64_t integerDigits = 0;
    std::int64_t leadingZeros = 0;
    bool inFraction = false;
    bool significant = false;
    for (const char* p = mantissa; p != mantissaEnd; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        if (!inFraction)
            ++integerDigits;
        if (!significant && *p == '0')
            ++leadingZeros;
        else
            significant = true;
    }
    std::int64_t power = 0;
    if (exponent != end) {
        const char* p = exponent + 1;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        for (; p != end && power < kSaturation; ++p)
            power = power * 10 + (*p - '0');
        if (negative)
            power = -power;
    }
    return integerDigits - leadingZeros + power >= 1;
}

// strtod's decimal form only: white space, sign, digits with an optional point,
// an optional exponent. Out-of-range magnitudes give infinity or zero, as the C
// library's overflow and underflow results, and never an error.
double ParseDouble(const std::string& text, const char* type)
{
    if (text.empty())
        throw CannotConvert(text, type);
    if (text == "NaN" || text == "1.#QNAN" || text == "-NAN")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "-INF")
        return -std::numeric_limits<double>::infinity();
    if (text == "INF")
        return std::numeric_limits<double>::infinity();

    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end && IsCSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* const mantissa = p;
    bool hasDigits = false;
    for (; p != end && IsDigit(*p); ++p)
        hasDigits = true;
    if (p != end && *p == '.')
        for (++p; p != end && IsDigit(*p); ++p)
            hasDigits = true;
    if (!hasDigits)
        throw CannotConvert(text, type);
    const char* const mantissaEnd = p;
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != end && (*q == '+' || *q == '-'))
            ++q;
        if (q != end && IsDigit(*q)) {
            while (q != end && IsDigit(*q))
                ++q;
            p = q;
        }
    }
    if (p != end)
        throw CannotConvert(text, type);

    double value = 0;
    const auto result = std::from_chars(mantissa, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = IsAtLeastOne(mantissa, mantissaEnd, mantissaEnd, end) ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc() || result.ptr != end)
        throw CannotConvert(text, type);
    return negative ? -value : value;
}

// The float nearest to a double, infinity beyond the float range (the largest
// float stands for everything up to half a unit past it).
float NarrowToFloat(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isfinite(value) && std::fabs(value) > kMax) {
        const double roundsToInfinity = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
        const float magnitude =
            std::fabs(value) >= roundsToInfinity ? std::numeric_limits<float>::infinity() : static_cast<float>(kMax);
        return value < 0 ? -magnitude : magnitude;
    }
    return static_cast<float>(value);
}

// Whether a caller's format can be given one double: literal text, "%%", and at
// most one conversion of f, e, g or a (any case) with flags, a width and a
// precision of up to three digits and an optional "l".
bool IsFloatFormat(const std::string& format)
{
    const auto isOneOf = [](char c, const char* set) {
        for (; *set; ++set)
            if (c == *set)
                return true;
        return false;
    };
    const auto skipDigits = [&](std::size_t& i) {
        const std::size_t first = i;
        while (i < format.size() && IsDigit(format[i]))
            ++i;
        return i - first <= 3;
    };
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && isOneOf(format[i], "-+ #0'"))
            ++i;
        if (!skipDigits(i))
            return false;
        if (i < format.size() && format[i] == '.' && !skipDigits(++i))
            return false;
        if (i < format.size() && format[i] == 'l')
            ++i;
        if (i >= format.size() || !isOneOf(format[i], "fFeEgGaA") || ++conversions > 1)
            return false;
    }
    return true;
}

// NaN, -INF and INF by name; the default format is the shortest of "%.Ng" in the
// C locale; a caller's format goes through printf and is cut to `limit` characters.
std::string FloatToString(double value, const std::string& format, int precision, std::size_t limit, const char* type)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buffer[64];
    if (format.empty()) {
        const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, precision);
        return std::string(buffer, result.ptr);
    }
    if (!IsFloatFormat(format))
        throw CTsInvalidValueException(
            FormatString("The format [%s] can not be used to write a %s value", format.c_str(), type));
    const int written = std::snprintf(buffer, limit + 1, format.c_str(), value);
    return written < 0 ? std::string() : std::string(buffer);
}

// The number at the start of a text as atoi reads it: white space, a sign, the
// leading digits; 0 when there are none. Saturates instead of overflowing.
int LeadingInteger(const std::string& text)
{
    const ScannedInteger scan = ScanInteger(text);
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    const std::uint64_t magnitude = scan.overflow || scan.magnitude > kLimit ? kLimit : scan.magnitude;
    return scan.negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
}

// The text a white-space rule makes of a value, without a copy when the
// rule leaves it unchanged; it lives as long as this object.
class LexicalForm {
public:
    LexicalForm(CWhitespaceUtils::WhitespaceRule rule, const std::string& text)
        : m_text(CWhitespaceUtils::Applied(rule, text, m_scratch))
    {
    }
    LexicalForm(const LexicalForm&) = delete;
    LexicalForm& operator=(const LexicalForm&) = delete;

    const std::string& Text() const { return m_text; }
    const char* CText() const { return m_text.c_str(); }

private:
    std::string m_scratch;
    const std::string& m_text;
};

CDateTime DateFromText(const std::string& text, CWhitespaceUtils::WhitespaceRule rule)
{
    CDateTime value;
    value.ParseXSDDate(LexicalForm(rule, text).CText());
    return value;
}

bool EqualsIgnoringCase(const std::string& text, const char* word)
{
    std::size_t i = 0;
    for (; i < text.size() && word[i]; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return i == text.size() && word[i] == '\0';
}

} // namespace

// ---------------------------------------------------------------------------
// To text

std::string CConversions::i1ToString(char value)
{
    return IntegerToString(static_cast<int>(static_cast<signed char>(value)));
}

std::string CConversions::i2ToString(short value)
{
    return IntegerToString(static_cast<int>(value));
}

std::string CConversions::i4ToString(std::int32_t value)
{
    return IntegerToString(value);
}

std::string CConversions::i8ToString(std::int64_t value)
{
    return IntegerToString(value);
}

std::string CConversions::ui1ToString(unsigned char value)
{
    return IntegerToString(static_cast<unsigned>(value));
}

std::string CConversions::ui2ToString(unsigned short value)
{
    return IntegerToString(static_cast<unsigned>(value));
}

std::string CConversions::ui4ToString(std::uint32_t value)
{
    return IntegerToString(value);
}

std::string CConversions::ui8ToString(std::uint64_t value)
{
    return IntegerToString(value);
}

std::string CConversions::r4ToString(float value)
{
    return r4ToString(value, std::string());
}

std::string CConversions::r4ToString(float value, const std::string& format)
{
    return FloatToString(static_cast<double>(value), format, 7, 31, "r4");
}

std::string CConversions::r8ToString(double value)
{
    return r8ToString(value, std::string());
}

std::string CConversions::r8ToString(double value, const std::string& format)
{
    return FloatToString(value, format, 16, 47, "r8");
}

std::string CConversions::booleanToString(bool value)
{
    return value ? "true" : "false";
}

std::string CConversions::charToString(char value)
{
    return std::string(1, value);
}

std::string CConversions::stringToString(const std::string& value)
{
    return value;
}

std::string CConversions::yearToString(unsigned short value)
{
    return FormatString("%u", static_cast<unsigned>(value));
}

std::string CConversions::monthToString(unsigned char value)
{
    return FormatString("--%02u", static_cast<unsigned>(value));
}

std::string CConversions::dayToString(unsigned char value)
{
    return FormatString("---%02u", static_cast<unsigned>(value));
}

std::string CConversions::dateToString(const CDateTime& value)
{
    return value.ToString("s");
}

std::string CConversions::datetimeToString(const CDateTime& value)
{
    return value.ToString("s");
}

std::string CConversions::timeToString(const CDateTime& value)
{
    return value.ToString("s");
}

std::string CConversions::yearMonthToString(const CDateTime& value)
{
    return value.ToString("s");
}

std::string CConversions::monthDayToString(const CDateTime& value)
{
    return value.ToString("s");
}

std::string CConversions::durationToString(const CDateTimeSpan& value)
{
    return value.ToString();
}

std::string CConversions::decimalToString(const CDecimal& value)
{
    return value.ToString();
}

std::string CConversions::decimalToString(const CDecimal& value, const std::string& format)
{
    return format.empty() ? value.ToString() : value.ToString(LeadingInteger(format));
}

std::string CConversions::integerToString(const CBigInteger& value)
{
    return value.ToString();
}

std::string CConversions::hexBinaryToString(const CBinaryData& value)
{
    return value.GetAsHexString();
}

std::string CConversions::base64BinaryToString(const CBinaryData& value)
{
    return value.GetAsBase64();
}

// ---------------------------------------------------------------------------
// From text

char CConversions::i1FromString(const std::string& text, WhitespaceRule rule)
{
    return static_cast<char>(Narrowed<signed char>(i4FromString(text, rule), text, "i1"));
}

short CConversions::i2FromString(const std::string& text, WhitespaceRule rule)
{
    return Narrowed<short>(i4FromString(text, rule), text, "i2");
}

std::int32_t CConversions::i4FromString(const std::string& text, WhitespaceRule rule)
{
    return ParseInteger<std::int32_t>(LexicalForm(rule, text).Text(), "i4");
}

std::int64_t CConversions::i8FromString(const std::string& text, WhitespaceRule rule)
{
    return ParseInteger<std::int64_t>(LexicalForm(rule, text).Text(), "i8");
}

unsigned char CConversions::ui1FromString(const std::string& text, WhitespaceRule rule)
{
    return Narrowed<unsigned char>(ui4FromString(text, rule), text, "ui1");
}

unsigned short CConversions::ui2FromString(const std::string& text, WhitespaceRule rule)
{
    return Narrowed<unsigned short>(ui4FromString(text, rule), text, "ui2");
}

std::uint32_t CConversions::ui4FromString(const std::string& text, WhitespaceRule rule)
{
    return ParseInteger<std::uint32_t>(LexicalForm(rule, text).Text(), "ui4");
}

std::uint64_t CConversions::ui8FromString(const std::string& text, WhitespaceRule rule)
{
    return ParseInteger<std::uint64_t>(LexicalForm(rule, text).Text(), "ui8");
}

float CConversions::r4FromString(const std::string& text, WhitespaceRule rule)
{
    return NarrowToFloat(ParseDouble(LexicalForm(rule, text).Text(), "r4"));
}

double CConversions::r8FromString(const std::string& text, WhitespaceRule rule)
{
    return ParseDouble(LexicalForm(rule, text).Text(), "r8");
}

bool CConversions::booleanFromString(const std::string& text, WhitespaceRule rule)
{
    const LexicalForm lexical(rule, text);
    const std::string& processed = lexical.Text();
    if (EqualsIgnoringCase(processed, "true") || processed == "1")
        return true;
    if (EqualsIgnoringCase(processed, "false") || processed == "0")
        return false;
    throw CTsInvalidValueException(FormatString("A Boolean Value read from an XML document was invalid [%s]. Valid "
                                                "values are 'true', 'false', '1', or '0'",
                                                text.c_str()));
}

char CConversions::charFromString(const std::string& text, WhitespaceRule rule)
{
    const LexicalForm lexical(rule, text);
    const std::string& processed = lexical.Text();
    if (processed.size() != 1)
        throw CTsInvalidValueException(FormatString(
            "The value [%s] can not be a char as it is either empty of greater than 1 char long", processed.c_str()));
    return processed[0];
}

std::string CConversions::stringFromString(const std::string& text, WhitespaceRule rule)
{
    return CWhitespaceUtils::ApplyRule(rule, text);
}

CDateTime CConversions::datetimeFromString(const std::string& text, WhitespaceRule rule)
{
    CDateTime value;
    value.ParseXSDDateTime(LexicalForm(rule, text).CText());
    return value;
}

CDateTime CConversions::timeFromString(const std::string& text, WhitespaceRule rule)
{
    CDateTime value;
    value.ParseXSDTime(LexicalForm(rule, text).CText());
    return value;
}

CDateTime CConversions::dateFromString(const std::string& text, WhitespaceRule rule)
{
    return DateFromText(text, rule);
}

CDateTime CConversions::yearMonthFromString(const std::string& text, WhitespaceRule rule)
{
    return DateFromText(text, rule);
}

CDateTime CConversions::monthDayFromString(const std::string& text, WhitespaceRule rule)
{
    return DateFromText(text, rule);
}

unsigned short CConversions::yearFromString(const std::string& text, WhitespaceRule rule)
{
    return static_cast<unsigned short>(DateFromText(text, rule).GetYear());
}

unsigned char CConversions::monthFromString(const std::string& text, WhitespaceRule rule)
{
    return DateFromText(text, rule).GetMonth();
}

unsigned char CConversions::dayFromString(const std::string& text, WhitespaceRule rule)
{
    return DateFromText(text, rule).GetDay();
}

CDateTimeSpan CConversions::durationFromString(const std::string& text, WhitespaceRule rule)
{
    CDateTimeSpan value;
    value.ParseXSDDuration(LexicalForm(rule, text).CText());
    return value;
}

CDecimal CConversions::decimalFromString(const std::string& text, WhitespaceRule rule)
{
    return CDecimal(LexicalForm(rule, text).CText());
}

CBigInteger CConversions::integerFromString(const std::string& text, WhitespaceRule rule)
{
    return CBigInteger(LexicalForm(rule, text).CText());
}

CBinaryData CConversions::hexBinaryFromString(const std::string& text, WhitespaceRule rule)
{
    CBinaryData data;
    data.SetAsHexString(LexicalForm(rule, text).CText());
    return data;
}

CBinaryData CConversions::base64BinaryFromString(const std::string& text, WhitespaceRule rule)
{
    CBinaryData data;
    data.SetAsBase64(LexicalForm(rule, text).CText());
    return data;
}

} // namespace TsXmlLib16
