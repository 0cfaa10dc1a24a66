// The XML Schema pattern matcher and the number and string helpers beside it.
#include "tsxmllib/Functions.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/TsException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace TsXmlLib16;

namespace {

TEST(PatternMatch, MatchesTheWholeValueOnly)
{
    EXPECT_TRUE(PatternMatch("\\d{3}", "123"));
    EXPECT_FALSE(PatternMatch("\\d{3}", "x123"));
    EXPECT_FALSE(PatternMatch("\\d{3}", "123\n")); // not even before a final line feed
    EXPECT_TRUE(PatternMatch("[A-Z]*", ""));
    // Alternatives are grouped before anchoring: both must cover the whole value.
    EXPECT_FALSE(PatternMatch("a|bc", "abc"));
}

TEST(PatternMatch, NameCharacterEscapesAndBlocks)
{
    EXPECT_TRUE(PatternMatch("\\i\\c*", "x:y"));
    EXPECT_FALSE(PatternMatch("\\i\\c*", "1abc"));
    EXPECT_FALSE(PatternMatch("\\C", "-"));
    // \\i is a backslash and the letter i; \\\i a backslash and a name-initial character.
    EXPECT_TRUE(PatternMatch("\\\\i", "\\i"));
    EXPECT_TRUE(PatternMatch("\\\\\\i", "\\a"));
    EXPECT_FALSE(PatternMatch("\\\\\\i", "\\1"));

    EXPECT_TRUE(PatternMatch("\\p{IsLatin-1Supplement}", "\xc2\x80"));  // U+0080
    EXPECT_FALSE(PatternMatch("\\p{IsLatin-1Supplement}", "\xc4\x80")); // U+0100
    EXPECT_TRUE(PatternMatch("\\p{IsLatinExtended-B}", "\xc6\x80"));    // U+0180
    EXPECT_FALSE(PatternMatch("\\p{IsLatinExtended-B}", "\xc9\x90"));   // U+0250
    EXPECT_TRUE(PatternMatch("\\p{Lu}+", "AB")); // other categories take the engine's meaning
}

TEST(PatternMatch, BadPatternThrowsWithTheCompiledExpression)
{
    try {
        PatternMatch("(", "anything");
        FAIL() << "an unbalanced pattern compiled";
    } catch (const CTsException& e) {
        const std::string prefix = "Invalid Regular Expression: ^(()$ Error: '";
        EXPECT_EQ(e.GetMessage().compare(0, prefix.size(), prefix), 0) << e.GetMessage();
        EXPECT_NE(e.GetMessage().find("missing closing parenthesis"), std::string::npos) << e.GetMessage();
        EXPECT_EQ(e.GetMessage().back(), '\'');
    }
    EXPECT_THROW(PatternMatch("\xff", "a"), CTsException); // a pattern that is not UTF-8
}

TEST(PatternMatch, OddValues)
{
    EXPECT_TRUE(PatternMatch("\\d{2}", std::string("12\0x", 4))); // the value ends at its first zero byte
    EXPECT_FALSE(PatternMatch(".*", "\xff"));                     // a value that is not UTF-8 never matches
    // Nor one that is broken after ASCII, or cut in the middle of a character.
    EXPECT_FALSE(PatternMatch("a.b", "a\xff" "b"));
    EXPECT_FALSE(PatternMatch(".*", "926-AA\xc3"));
    EXPECT_TRUE(PatternMatch("\\d{3}-.{2}", "926-\xc3\xa9\xc3\xa9")); // valid UTF-8 beyond ASCII matches
    // Backtracking through a group for every character needs more than the
    // compiled matcher's stack; the answer must still be right.
    EXPECT_TRUE(PatternMatch("(a|b)*", std::string(200000, 'a')));
    EXPECT_FALSE(PatternMatch("(a|b)*", std::string(200000, 'a') + "c"));
}

TEST(PatternMatch, ValuesInANonUtf8LocalEncodingAreMatchedAsUtf8)
{
    const unsigned int saved = GetLocalCharEncoding();
    SetLocalCharEncoding(28591); // ISO-8859-1: e acute is the single byte E9
    EXPECT_TRUE(PatternMatch("caf\xC3\xA9", "caf\xE9"));
    EXPECT_TRUE(PatternMatches("[a-z]{3}.", "caf\xE9"));
    EXPECT_FALSE(PatternMatches("[a-z]{4}", "caf\xE9"));
    SetLocalCharEncoding(CodePage_UTF8);
    EXPECT_TRUE(PatternMatches("[a-z]{3}.", "caf\xC3\xA9"));
    EXPECT_FALSE(PatternMatches("[a-z]{3}.", "caf\xE9"));
    SetLocalCharEncoding(saved);
}

TEST(PatternMatch, CompiledPatternsAreReusedCorrectly)
{
    // Alternating patterns, a failing one in between, and more patterns than
    // are kept compiled: every answer is that of a fresh compilation.
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(PatternMatch("\\d{3}-[A-Z]{2}", "926-AA"));
        EXPECT_THROW(PatternMatch("((", "x"), CTsException);
        EXPECT_FALSE(PatternMatch("\\d{3}-[A-Z]{2}", "926-aa"));
    }
    for (int i = 0; i < 600; ++i) {
        const std::string pattern = "x{" + std::to_string(i % 300) + "}";
        EXPECT_TRUE(PatternMatch(pattern, std::string(i % 300, 'x'))) << pattern;
        EXPECT_FALSE(PatternMatch(pattern, std::string(i % 300 + 1, 'x'))) << pattern;
    }
    // Each thread matches with its own compiled copies.
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&wrong, t] {
            for (int i = 0; i < 2000; ++i) {
                const std::string value = std::to_string(100 + (i + t) % 900) + "-AB";
                if (!PatternMatch("\\d{3}-[A-Z]{2}", value) || PatternMatch("\\d{3}-[A-Z]{2}", value + "C"))
                    ++wrong;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(StringHelpers, NumbersFractionsAndReplaceAll)
{
    EXPECT_EQ(PaddedNumber(12345, 4), "12345");
    EXPECT_EQ(TrimTrailingZeros("000"), "0");
    EXPECT_EQ(SecondFraction(0, 0, 1), ".000000001");

    std::string text = "aabb";
    ReplaceAll(text, "ab", ""); // searched again from the start: the removal forms a new "ab"
    EXPECT_EQ(text, "");
    ReplaceAll(text, "", "x"); // an empty pattern replaces nothing
    EXPECT_EQ(text, "");
    std::wstring wide = L"a\u00e9\u00e9b";
    ReplaceAll(wide, L"\u00e9", L"e");
    EXPECT_EQ(wide, L"aeeb");
}

} // namespace
