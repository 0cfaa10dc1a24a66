#include "tsxmllib/Functions.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

namespace TsXmlLib16 {

namespace {

template <class String>
void ReplaceAllIn(String& text, const String& find, const String& replacement)
{
    if (find.empty())
        return;
    // Each search starts again from the first place where a new occurrence can
    // begin: the text before it held none, so the result is that of searching
    // from the start every time, without the quadratic cost.
    typename String::size_type pos = 0;
    while ((pos = text.find(find, pos)) != String::npos) {
        text.replace(pos, find.size(), replacement);
        pos = pos >= find.size() - 1 ? pos - (find.size() - 1) : 0;
    }
}

} // namespace

void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement)
{
    ReplaceAllIn(text, find, replacement);
}

void ReplaceAll(std::wstring& text, const std::wstring& find, const std::wstring& replacement)
{
    ReplaceAllIn(text, find, replacement);
}

std::string PaddedNumber(unsigned value, unsigned char width)
{
    const std::string format = FormatString("%%0%dd", static_cast<int>(width));
    return FormatString(format.c_str(), value);
}

std::string TrimTrailingZeros(std::string digits)
{
    std::string::size_type keep = digits.size();
    while (keep > 1 && digits[keep - 1] == '0')
        --keep;
    digits.resize(keep);
    return digits;
}

std::string SecondFraction(unsigned short ms, unsigned short us, unsigned short ns)
{
    if (ms == 0 && us == 0 && ns == 0)
        return std::string();
    return "." + TrimTrailingZeros(PaddedNumber(ms, 3) + PaddedNumber(us, 3) + PaddedNumber(ns, 3));
}

namespace {

// Decimal, at least three digits (values above 999 keep all their digits).
char* WriteThreeDigits(char* out, unsigned value)
{
    char digits[5];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < 3)
        digits[n++] = '0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

} // namespace

std::size_t WriteSecondFraction(char* out, unsigned short ms, unsigned short us, unsigned short ns)
{
    if (ms == 0 && us == 0 && ns == 0)
        return 0;
    char* p = out;
    *p++ = '.';
    char* last = p;  // the group whose trailing zeros are removed
    p = WriteThreeDigits(p, ms);
    if (us != 0 || ns != 0) {
        last = p;
        p = WriteThreeDigits(p, us);
        if (ns != 0) {
            last = p;
            p = WriteThreeDigits(p, ns);
        }
    }
    while (p - last > 1 && p[-1] == '0')
        --p;
    return static_cast<std::size_t>(p - out);
}

std::string TranslatePattern(std::string pattern)
{
    // Escaped backslashes are set aside so that the escapes below are not seen inside them.
    ReplaceAll(pattern, "\\\\", "\x01");
    ReplaceAll(pattern, "\\i", "([^\\W\\d]|:)");
    ReplaceAll(pattern, "\\I", "([\\W\\d])");
    ReplaceAll(pattern, "\\c", "(\\w|\\.|-|:)");
    ReplaceAll(pattern, "\\C", "([^\\w\\.\\-\\:])");
    ReplaceAll(pattern, "\\p{IsBasicLatin}", "[\\000-\\177]");
    ReplaceAll(pattern, "\\p{IsLatin-1Supplement}", "[\\200-\\377]");
    ReplaceAll(pattern, "\\p{IsLatinExtended-A}", "[\\400-\\577]");
    ReplaceAll(pattern, "\\p{IsLatinExtended-B}", "[\\x{180}-\\x{24F}]");
    ReplaceAll(pattern, "\x01", "\\\\");
    return "^(" + pattern + ")$";
}

bool PatternMatch(std::string pattern, std::string value)
{
    // The expression is compiled up to its first zero byte, as the message shows it.
    const std::string expression = TranslatePattern(std::move(pattern));
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code(
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), PCRE2_ZERO_TERMINATED, PCRE2_UTF, &errorCode,
                      &errorOffset, nullptr),
        &pcre2_code_free);
    if (!code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof(message));
        throw CTsException(FormatString("Invalid Regular Expression: %s Error: '%s'", expression.c_str(),
                                        reinterpret_cast<const char*>(message)));
    }
    std::string subject = LocalToUtf8String(value);
    subject.resize(subject.find('\0') == std::string::npos ? subject.size() : subject.find('\0'));
    std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> match(
        pcre2_match_data_create_from_pattern(code.get(), nullptr), &pcre2_match_data_free);
    if (!match)
        throw CTsException("Failed to allocate the regular-expression match data");
    // A value that is not valid UTF-8 cannot match; the engine reports it as an error code.
    const int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), 0,
                               PCRE2_ANCHORED, match.get(), nullptr);
    if (rc <= 0)
        return false;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match.get());
    return ovector[0] == 0 && ovector[1] == subject.size();
}

} // namespace TsXmlLib16
