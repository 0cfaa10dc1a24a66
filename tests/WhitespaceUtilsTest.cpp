// White-space rules applied to lexical text before conversion.
#include "tsxmllib/TsException.h"
#include "tsxmllib/WhitespaceUtils.h"

#include <gtest/gtest.h>

#include <string>

using namespace TsXmlLib16;

namespace {

using WS = CWhitespaceUtils;

TEST(WhitespaceUtils, PreserveNormalisesLineEndsOnly)
{
    EXPECT_EQ(WS::Preserve("a\r\nb\rc\nd\te "), "a\nb\nc\nd\te ");
    EXPECT_EQ(WS::Preserve("\r\r\n\n"), "\n\n\n");
    // With a length exactly that many bytes are read.
    const char text[] = "a\r\nb\0c\r";
    EXPECT_EQ(WS::Preserve(text, 2), "a\n");
    EXPECT_EQ(WS::Preserve(text, 7), std::string("a\nb\0c\n", 6));
    EXPECT_EQ(WS::Preserve(nullptr, 3), "");
}

TEST(WhitespaceUtils, ReplaceAndCollapse)
{
    EXPECT_EQ(WS::Replace("\r\n"), " ");
    EXPECT_EQ(WS::Replace("a\tb\nc\rd  e"), "a b c d  e");
    EXPECT_EQ(WS::Collapse("\r\n  a  b\t\t"), "a b");
    EXPECT_EQ(WS::Collapse(" \t\r\n "), "");
    EXPECT_EQ(WS::Collapse("a\r"), "a");
    EXPECT_EQ(WS::Collapse("\va\f"), "\va\f"); // only the four XML white-space characters count
    EXPECT_FALSE(WS::IsWhiteSpace('\xa0'));
}

TEST(WhitespaceUtils, ApplyRuleDispatchesAndRejectsUnknownRules)
{
    const std::string text = " a\r\n b ";
    EXPECT_EQ(WS::ApplyRule(WS::WhitespaceRule_None, text), text);
    EXPECT_EQ(WS::ApplyRule(WS::WhitespaceRule_Preserve, text), " a\n b ");
    EXPECT_EQ(WS::ApplyRule(WS::WhitespaceRule_Replace, text), " a  b ");
    EXPECT_EQ(WS::ApplyRule(WS::WhitespaceRule_Collapse, text), "a b");
    try {
        WS::ApplyRule(static_cast<WS::WhitespaceRule>(4), text);
        FAIL() << "rule 4 was accepted";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Unknown WhitespaceRule");
    }
    EXPECT_THROW(WS::ApplyRule(static_cast<WS::WhitespaceRule>(-1), text), CTsException);
}

TEST(WhitespaceUtils, AppliedHandsBackTheTextItselfWhenTheRuleLeavesItAlone)
{
    struct Case {
        WS::WhitespaceRule rule;
        std::string unchanged;
        std::string changed;
    };
    // Each changed text differs in just the one way its rule looks for.
    const Case cases[] = {
        {WS::WhitespaceRule_None, " a\r\n\t b ", ""},
        {WS::WhitespaceRule_Preserve, " a\n\t b ", "a\rb"},
        {WS::WhitespaceRule_Replace, " a  b ", "a\tb"},
        {WS::WhitespaceRule_Collapse, "a b c", "a  b"},
        {WS::WhitespaceRule_Collapse, "", " a"},
        {WS::WhitespaceRule_Collapse, "x", "a\n"},
    };
    for (const Case& c : cases) {
        std::string scratch = "left alone";
        EXPECT_EQ(&WS::Applied(c.rule, c.unchanged, scratch), &c.unchanged) << c.rule << " [" << c.unchanged << "]";
        EXPECT_EQ(scratch, "left alone");
        if (c.changed.empty())
            continue;
        const std::string& result = WS::Applied(c.rule, c.changed, scratch);
        EXPECT_EQ(&result, &scratch) << c.rule << " [" << c.changed << "]";
        EXPECT_EQ(result, WS::ApplyRule(c.rule, c.changed));
    }
    std::string scratch;
    EXPECT_THROW(WS::Applied(static_cast<WS::WhitespaceRule>(4), "a", scratch), CTsException);
}

} // namespace
