#include "tsxmllib/WhitespaceUtils.h"

#include "tsxmllib/TsException.h"

#include <utility>

namespace TsXmlLib16 {

namespace {

// Copies text, turning CR LF into one `lineEnd` and every character for which
// isBreak holds into `lineEnd` too.
template <class IsBreak>
std::string NormaliseLineEnds(const char* text, std::size_t length, char lineEnd, IsBreak isBreak)
{
    // Most values hold no break at all: they are copied in one go.
    std::size_t first = 0;
    while (first < length && !isBreak(text[first]))
        ++first;
    if (first == length)
        return std::string(text, length);
    std::string result;
    result.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < length && text[i + 1] == '\n') {
            result += lineEnd;
            ++i;
        } else if (isBreak(c)) {
            result += lineEnd;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

std::string CWhitespaceUtils::ApplyRule(WhitespaceRule rule, const std::string& text)
{
    std::string scratch;
    const std::string& result = Applied(rule, text, scratch);
    return &result == &scratch ? std::move(scratch) : text;
}

std::string CWhitespaceUtils::Preserve(const std::string& text)
{
    return NormaliseLineEnds(text.data(), text.size(), '\n', [](char c) { return c == '\r'; });
}

std::string CWhitespaceUtils::Preserve(const char* text, int length)
{
    if (text == nullptr || length <= 0)
        return std::string();
    return NormaliseLineEnds(text, static_cast<std::size_t>(length), '\n', [](char c) { return c == '\r'; });
}

std::string CWhitespaceUtils::Replace(const std::string& text)
{
    return NormaliseLineEnds(text.data(), text.size(), ' ',
                             [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
}

namespace {
// Whether collapsing changes the text: white space at either end, a tab or
// line break, or two spaces in a row.
bool NeedsCollapse(const std::string& text)
{
    if (text.empty())
        return false;
    if (CWhitespaceUtils::IsWhiteSpace(text.front()) || CWhitespaceUtils::IsWhiteSpace(text.back()))
        return true;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == '\n' || c == '\r' || (c == ' ' && text[i - 1] == ' '))
            return true;
    }
    return false;
}
} // namespace

const std::string& CWhitespaceUtils::Applied(WhitespaceRule rule, const std::string& text, std::string& scratch)
{
    switch (rule) {
    case WhitespaceRule_None:
        return text;
    case WhitespaceRule_Preserve:
        if (text.find('\r') == std::string::npos)
            return text;
        return scratch = Preserve(text);
    case WhitespaceRule_Replace:
        if (text.find_first_of("\r\n\t") == std::string::npos)
            return text;
        return scratch = Replace(text);
    case WhitespaceRule_Collapse:
        if (!NeedsCollapse(text))
            return text;
        return scratch = Collapse(text);
    }
    throw CTsException("Unknown WhitespaceRule");
}

std::string CWhitespaceUtils::Collapse(const std::string& text)
{
    if (!NeedsCollapse(text))
        return text;
    std::string result;
    result.reserve(text.size());
    bool pendingSpace = false;
    for (const char c : text) {
        if (IsWhiteSpace(c)) {
            pendingSpace = !result.empty();
        } else {
            if (pendingSpace)
                result += ' ';
            pendingSpace = false;
            result += c;
        }
    }
    return result;
}

} // namespace TsXmlLib16
