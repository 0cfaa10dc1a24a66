// The facet check with bounds kept parsed between checks: the answers and
// messages of every check are those of parsing the bounds again.
#include "tsxmllib/PrimitiveRestrictions.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace TsXmlLib16;

namespace {

// The message of the exception f throws, or "" when it throws none.
std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CTsException& e) {
        return e.GetMessage();
    }
    return std::string();
}

TsVariant I4(std::int32_t v)
{
    TsVariant value;
    value.SetI4(v);
    return value;
}

// 1 <= value < 100, the quantity facets of the purchase order.
CPrimitiveRestrictions Quantity() { return CPrimitiveRestrictions(nullptr, -1, -1, "1", nullptr, nullptr, "100", -1, -1, -1); }

TEST(PrimitiveRestrictions, KeptBoundsGiveTheSameAnswersEveryTime)
{
    const CPrimitiveRestrictions r = Quantity();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("quantity", I4(1), ItemType_i4, r); }));
        EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("quantity", I4(99), ItemType_i4, r); }));
        EXPECT_EQ("Invalid Value for quantity [0]",
                  MessageOf([&] { CheckPrimitiveRestrictions("quantity", I4(0), ItemType_i4, r); }));
        EXPECT_EQ("Invalid Value for quantity [100]",
                  MessageOf([&] { CheckPrimitiveRestrictions("quantity", I4(100), ItemType_i4, r); }));
    }
    ASSERT_NE(r.GetParsed(), nullptr);
    EXPECT_EQ(r.GetParsed()->GetItemType(), ItemType_i4);
}

TEST(PrimitiveRestrictions, BoundsOfOwnedTypesAreKeptToo)
{
    const CPrimitiveRestrictions r(nullptr, -1, -1, "0.5", "10.25", nullptr, nullptr, -1, -1, -1);
    TsVariant value;
    for (int round = 0; round < 2; ++round) {
        value.SetDecimal(CDecimal("10.25"));
        EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("price", value, ItemType_decimal, r); }));
        value.SetDecimal(CDecimal("10.26"));
        EXPECT_EQ("Invalid Value for price [10.26].",
                  MessageOf([&] { CheckPrimitiveRestrictions("price", value, ItemType_decimal, r); }));
        value.SetDecimal(CDecimal("0.4"));
        EXPECT_EQ("Invalid Value for price [0.4].",
                  MessageOf([&] { CheckPrimitiveRestrictions("price", value, ItemType_decimal, r); }));
    }
    const CPrimitiveRestrictions dates(nullptr, -1, -1, nullptr, nullptr, "2024-01-31", nullptr, -1, -1, -1);
    for (int round = 0; round < 2; ++round) {
        value.FromString("2024-01-31", ItemType_date, CWhitespaceUtils::WhitespaceRule_Collapse);
        EXPECT_EQ("Invalid Value for shipDate [2024-01-31].",
                  MessageOf([&] { CheckPrimitiveRestrictions("shipDate", value, ItemType_date, dates); }));
        value.FromString("2024-02-01", ItemType_date, CWhitespaceUtils::WhitespaceRule_Collapse);
        EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("shipDate", value, ItemType_date, dates); }));
    }
}

TEST(PrimitiveRestrictions, ABoundThatDoesNotParseFailsEveryCheckAlike)
{
    // The valid bound is kept, the invalid one reported by each check.
    const CPrimitiveRestrictions r(nullptr, -1, -1, "1", "ten", nullptr, nullptr, -1, -1, -1);
    const std::string first = MessageOf([&] { CheckPrimitiveRestrictions("n", I4(5), ItemType_i4, r); });
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, MessageOf([&] { CheckPrimitiveRestrictions("n", I4(5), ItemType_i4, r); }));
    // The bound before it is still tested first.
    EXPECT_EQ("Invalid Value for n [0]", MessageOf([&] { CheckPrimitiveRestrictions("n", I4(0), ItemType_i4, r); }));
}

TEST(PrimitiveRestrictions, OneRestrictionCheckedAsTwoItemTypes)
{
    // Kept for the first type; the second is parsed for itself at every check.
    const CPrimitiveRestrictions r = Quantity();
    TsVariant big;
    big.SetI8(100);
    EXPECT_EQ("Invalid Value for q [100].", MessageOf([&] { CheckPrimitiveRestrictions("q", big, ItemType_i8, r); }));
    EXPECT_EQ("Invalid Value for q [100]", MessageOf([&] { CheckPrimitiveRestrictions("q", I4(100), ItemType_i4, r); }));
    TsVariant real;
    real.SetR8(99.5);
    EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("q", real, ItemType_r8, r); }));
    real.SetR8(0.5);
    EXPECT_EQ("Invalid Value for q [0.500000]",
              MessageOf([&] { CheckPrimitiveRestrictions("q", real, ItemType_r8, r); }));
    EXPECT_EQ(r.GetParsed()->GetItemType(), ItemType_i8);
}

TEST(PrimitiveRestrictions, CopiesAndAssignmentsCheckTheirOwnBounds)
{
    CPrimitiveRestrictions r = Quantity();
    EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("q", I4(50), ItemType_i4, r); }));
    const CPrimitiveRestrictions copy(r);
    EXPECT_TRUE(copy.HasAny());
    EXPECT_EQ("Invalid Value for q [100]",
              MessageOf([&] { CheckPrimitiveRestrictions("q", I4(100), ItemType_i4, copy); }));
    // Bounds kept before an assignment are those of the old facets.
    r = CPrimitiveRestrictions(nullptr, -1, -1, "60", nullptr, nullptr, nullptr, -1, -1, -1);
    EXPECT_EQ("Invalid Value for q [50]", MessageOf([&] { CheckPrimitiveRestrictions("q", I4(50), ItemType_i4, r); }));
    EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("q", I4(100), ItemType_i4, r); }));
    r = CPrimitiveRestrictions();
    EXPECT_FALSE(r.HasAny());
    EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("q", I4(-5), ItemType_i4, r); }));
    EXPECT_EQ(copy.GetMinInclusive(), "1"); // the copy kept its facets
}

TEST(PrimitiveRestrictions, ThreadsShareTheBoundsOfTheirFirstChecks)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const CPrimitiveRestrictions r = Quantity();
        std::atomic<int> wrong{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&r, &wrong, t] {
                for (int v = t; v < 120; v += 4) {
                    const bool valid = v >= 1 && v < 100;
                    const bool passed =
                        MessageOf([&] { CheckPrimitiveRestrictions("q", I4(v), ItemType_i4, r); }).empty();
                    if (passed != valid)
                        ++wrong;
                }
            });
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(wrong.load(), 0);
    }
}

TEST(PrimitiveRestrictions, StringFacetsReadTheHeldString)
{
    const CPrimitiveRestrictions sku("\\d{3}-[A-Z]{2}", -1, 6, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
    TsVariant value;
    value.SetString("926-AA");
    EXPECT_EQ("", MessageOf([&] { CheckPrimitiveRestrictions("partNum", value, ItemType_string, sku); }));
    value.SetString("926-aa");
    EXPECT_EQ("Invalid Value for partNum [926-aa].",
              MessageOf([&] { CheckPrimitiveRestrictions("partNum", value, ItemType_string, sku); }));
    value.SetString("9260-AA");
    EXPECT_EQ("Invalid Value for partNum [9260-AA].",
              MessageOf([&] { CheckPrimitiveRestrictions("partNum", value, ItemType_string, sku); }));
    value.SetString("926-\xC3");
    EXPECT_EQ("Invalid Value for partNum [926-\xC3].",
              MessageOf([&] { CheckPrimitiveRestrictions("partNum", value, ItemType_string, sku); }));
    value.SetNil();
    EXPECT_NE("", MessageOf([&] { CheckPrimitiveRestrictions("partNum", value, ItemType_string, sku); }));
}

TEST(PrimitiveRestrictions, KeptPatternsAnswerAsTheExpressionEngine)
{
    // After the first check a simple pattern is matched by the kept automaton;
    // text it cannot judge as the engine does still goes to the engine.
    const CPrimitiveRestrictions code("[^0-9]{4}", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"abcd", true},
        {"abc1", false},
        {"abc", false},
        {"a\xC3\xA9" "bc", true},         // four characters, five bytes
        {std::string("ab\0c", 4), false}, // matched up to the zero byte
        {"abc\n", true},                  // a line feed is a character like any other
        {"ab\tc", true},
    };
    TsVariant value;
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            value.SetString(c.text);
            const std::string message =
                MessageOf([&] { CheckPrimitiveRestrictions("code", value, ItemType_string, code); });
            EXPECT_EQ(c.valid, message.empty()) << round << " " << c.text;
        }
    }
}

} // namespace
