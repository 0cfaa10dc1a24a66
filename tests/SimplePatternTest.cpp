// The small automaton for simple patterns, checked against the
// regular-expression engine that matches every other pattern: for each
// pattern it takes, both must give the same answer on every text.
#include "tsxmllib/Functions.h"
#include "tsxmllib/SimplePattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

// The engine's answer, compiled as the library compiles patterns.
class EnginePattern {
public:
    explicit EnginePattern(const std::string& pattern)
    {
        const std::string expression = TranslatePattern(pattern);
        int error = 0;
        PCRE2_SIZE offset = 0;
        m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), PCRE2_ZERO_TERMINATED,
                               PCRE2_UTF | PCRE2_ANCHORED, &error, &offset, nullptr);
        m_match = m_code ? pcre2_match_data_create_from_pattern(m_code, nullptr) : nullptr;
    }
    ~EnginePattern()
    {
        pcre2_match_data_free(m_match);
        pcre2_code_free(m_code);
    }
    EnginePattern(const EnginePattern&) = delete;
    EnginePattern& operator=(const EnginePattern&) = delete;

    bool Compiled() const { return m_code != nullptr; }
    bool Matches(const std::string& text) const
    {
        const int rc = pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0, m_match,
                                   nullptr);
        if (rc <= 0)
            return false;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_match);
        return ovector[0] == 0 && ovector[1] == text.size();
    }

private:
    pcre2_code* m_code = nullptr;
    pcre2_match_data* m_match = nullptr;
};

const char* const kSimple[] = {
    "",           "\\d{3}-[A-Z]{2}", "[0-9]+",       "a*b?c+",          "[^a-c]{2,4}",   "\\w+@\\w+\\.com",
    "x{0}y",      "[-a]",            "[a-]",         "[\\d_]+",         "\\S*",          "\\D?\\W",
    "[^\\s]+",    "a{2,}",           "[A-Za-z][A-Za-z0-9 ]{0,3}",      "\\(\\d\\)",     "a?a?a?aaa",
    "[a\\-z]",    "[\\]]+",          "a+b+a+",       "[^]a]?",          "\\s?[ab]*\\s?", "[0-9A-F]{1,2}",
    "z*-*z*",     "[+*?]",           "\\-?\\d+",     "[^\\w]",          "[a^]",          "b{1,3}c?",
};

} // namespace

TEST(SimplePattern, AgreesWithTheEngineOnEveryShortTextAndOnLongerOnes)
{
    const std::string alphabet = "abcxyzAFZ059-_ @.()]^+*?\t\v\f";
    std::vector<std::string> texts{""};
    for (std::size_t length = 1, begin = 0; length <= 3; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (const char c : alphabet)
                texts.push_back(texts[i] + c);
        begin = end;
    }
    std::uint32_t seed = 12345;
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        seed = seed * 1664525u + 1013904223u;
        for (std::size_t length = 4 + seed % 9; length > 0; --length) {
            seed = seed * 1664525u + 1013904223u;
            text += alphabet[(seed >> 16) % alphabet.size()];
        }
        texts.push_back(text);
    }
    for (const char* pattern : kSimple) {
        CSimplePattern simple;
        // "[^]a]" is the one form here the automaton leaves to the engine.
        if (!simple.Compile(pattern)) {
            EXPECT_STREQ(pattern, "[^]a]?");
            continue;
        }
        const EnginePattern engine(pattern);
        ASSERT_TRUE(engine.Compiled()) << pattern;
        int disagreements = 0;
        for (const std::string& text : texts) {
            if (simple.Matches(text.data(), text.size()) != engine.Matches(text) && ++disagreements <= 3)
                ADD_FAILURE() << "pattern [" << pattern << "] text [" << text << "] engine " << engine.Matches(text);
        }
    }
    // The part-number form, through the library's entry point as well.
    EXPECT_TRUE(PatternMatches("\\d{3}-[A-Z]{2}", "872-AA"));
    EXPECT_FALSE(PatternMatches("\\d{3}-[A-Z]{2}", "872-A"));
    EXPECT_FALSE(PatternMatches("\\d{3}-[A-Z]{2}", "8720-AA"));
}

TEST(SimplePattern, LeavesEverythingElseToTheEngine)
{
    const char* const refused[] = {
        "a|b", "(a)", ".", "a.b", "a*?", "a++", "a{2}{3}", "[]a]", "[a-z-[aeiou]]", "\\p{L}", "\\i\\c*",
        "\xC3\xA9", "a{2,1}", "[\\d-z]", "[a-\\d]", "[[:alpha:]]", "\\n", "\\t", "^a", "a$", "{1}", "a{,3}",
        "[^]", "[a", "a\\", "[z-a]", "a{1001}", "\\d{64}", "[a-c-e]", "}", "[::]", "[.a.]", "[=a=]",
    };
    for (const char* pattern : refused)
        EXPECT_FALSE(CSimplePattern().Compile(pattern)) << pattern;
    EXPECT_FALSE(CSimplePattern().Compile(std::string("a\0b", 3)));
    // 63 positions are the most: \d{63} fits, one more does not.
    EXPECT_TRUE(CSimplePattern().Compile("\\d{63}"));
    EXPECT_FALSE(CSimplePattern().Compile("\\d{63}x"));
    // Texts with line breaks or other control characters are the engine's,
    // whose end-of-subject rules treat a final line feed apart.
    EXPECT_FALSE(PatternMatches("abc", "abc\n"));
    EXPECT_TRUE(PatternMatches("a\\sb", "a\nb"));
    EXPECT_TRUE(PatternMatches("a\\sb", "a\tb"));
    EXPECT_TRUE(PatternMatches("[^x]+", "\xC3\xA9t\xC3\xA9"));
}
