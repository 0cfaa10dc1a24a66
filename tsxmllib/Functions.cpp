#include "tsxmllib/Functions.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/SimplePattern.h"
#include "tsxmllib/TsException.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>
#include <unordered_map>

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

namespace {

// A compiled expression with the match data sized for it.
struct CompiledPattern {
    pcre2_code* code = nullptr;
    pcre2_match_data* match = nullptr;
    bool jit = false; // machine code was made
    // The same pattern as a small automaton, when it is simple enough.
    CSimplePattern simple;
    CompiledPattern() = default;
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;
    ~CompiledPattern()
    {
        pcre2_match_data_free(match);
        pcre2_code_free(code);
    }
};

// Schemas have few patterns and every value of a type uses the same one, so
// each thread keeps the expressions it has compiled: compiling costs far more
// than matching. The cache is per thread because match data may not be
// shared; it is emptied when it grows past kMaxCachedPatterns, which only
// happens for programs that build patterns at run time.
constexpr std::size_t kMaxCachedPatterns = 256;

// Values of one type follow each other: the pattern used last is compared
// before the table is searched.
struct PatternCache {
    std::unordered_map<std::string, std::unique_ptr<CompiledPattern>> table;
    const std::string* lastPattern = nullptr;
    const CompiledPattern* lastCompiled = nullptr;
};

const CompiledPattern& Compile(const std::string& pattern)
{
    thread_local PatternCache patterns;
    auto& cache = patterns.table;
    const std::string*& lastPattern = patterns.lastPattern;
    const CompiledPattern*& lastCompiled = patterns.lastCompiled;
    if (lastPattern && *lastPattern == pattern)
        return *lastCompiled;
    auto found = cache.find(pattern);
    if (found != cache.end()) {
        lastPattern = &found->first;
        lastCompiled = found->second.get();
        return *found->second;
    }

    // The expression is compiled up to its first zero byte, as the message shows it.
    const std::string expression = TranslatePattern(pattern);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    auto compiled = std::make_unique<CompiledPattern>();
    // Anchored when compiled rather than when matched: the machine code only
    // serves matches without options of their own.
    compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), PCRE2_ZERO_TERMINATED,
                                   PCRE2_UTF | PCRE2_ANCHORED, &errorCode, &errorOffset, nullptr);
    if (!compiled->code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof(message));
        throw CTsException(FormatString("Invalid Regular Expression: %s Error: '%s'", expression.c_str(),
                                        reinterpret_cast<const char*>(message)));
    }
    // Machine code where the engine supports it; otherwise it interprets.
    compiled->jit = pcre2_jit_compile(compiled->code, PCRE2_JIT_COMPLETE) == 0;
    compiled->match = pcre2_match_data_create_from_pattern(compiled->code, nullptr);
    if (!compiled->match)
        throw CTsException("Failed to allocate the regular-expression match data");
    // Only a pattern the engine accepted: its errors are reported as they are.
    compiled->simple.Compile(pattern);
    if (cache.size() >= kMaxCachedPatterns) {
        lastPattern = nullptr;
        cache.clear();
    }
    const auto added = cache.emplace(pattern, std::move(compiled)).first;
    lastPattern = &added->first;
    lastCompiled = added->second.get();
    return *lastCompiled;
}

} // namespace

bool PatternMatch(std::string pattern, std::string value) { return PatternMatches(pattern, value); }

bool PatternMatches(const std::string& pattern, const std::string& value)
{
    const CompiledPattern& compiled = Compile(pattern);
    // The value is matched as UTF-8, up to its first zero byte; text that is
    // UTF-8 already is matched where it stands.
    std::string converted;
    const std::string* utf8 = &value;
    if (!IsLocalEncodingUtf8()) {
        converted = LocalToUtf8String(value);
        utf8 = &converted;
    }
    // Line breaks and other control characters meet the engine's own rules
    // for the end of the subject; such text goes to the engine.
    if (compiled.simple.IsCompiled() && CSimplePattern::Judges(utf8->data(), utf8->size()))
        return compiled.simple.Matches(utf8->data(), utf8->size());
    const auto subject = reinterpret_cast<PCRE2_SPTR>(utf8->data());
    // A value that is not valid UTF-8 cannot match; the engine reports it as an
    // error code. ASCII is valid UTF-8, so its check is skipped; the machine
    // code is called directly only then, since it checks nothing itself.
    unsigned char high = 0;
    std::size_t length = 0;
    for (const std::size_t size = utf8->size(); length < size && subject[length] != 0; ++length)
        high |= static_cast<unsigned char>(subject[length]);
    const bool ascii = high < 0x80;
    int rc;
    if (ascii && compiled.jit)
        rc = pcre2_jit_match(compiled.code, subject, length, 0, 0, compiled.match, nullptr);
    else
        rc = pcre2_match(compiled.code, subject, length, 0, ascii ? PCRE2_NO_UTF_CHECK : 0, compiled.match, nullptr);
    // Machine code runs on a small fixed stack; a long value that needs more
    // is matched again by the interpreter, which works on the heap.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
        rc = pcre2_match(compiled.code, subject, length, 0, PCRE2_NO_JIT | (ascii ? PCRE2_NO_UTF_CHECK : 0),
                         compiled.match, nullptr);
    if (rc <= 0)
        return false;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(compiled.match);
    return ovector[0] == 0 && ovector[1] == length;
}

} // namespace TsXmlLib16
