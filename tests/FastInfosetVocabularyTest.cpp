// Fast Infoset tables, options and the built-in encoding algorithms.
#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/FastInfosetBinaryData.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/Namespaces.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

std::vector<unsigned char> Bytes(const CBinaryData& d) { return {d.GetData(), d.GetData() + d.GetLength()}; }

// ---- vocabulary ----

TEST(FastInfosetVocabulary, StartsWithXmlBindingAndBuiltInAlphabets)
{
    CFIVocabulary v;
    std::uint32_t index = 0;
    ASSERT_TRUE(v.FindPrefixNameIndex("xml", index));
    EXPECT_EQ(index, 1u);
    ASSERT_TRUE(v.FindNamespaceNameIndex(XmlNamespaceUri, index));
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(v.GetRestrictedAlphabets(), (std::vector<std::string>{"0123456789-+.e ", "0123456789-:TZ "}));
    EXPECT_FALSE(v.FindLocalNameIndex("xml", index));

    v.AddPrefixName("p");
    v.AddPrefixName("p"); // already there: not appended twice
    ASSERT_TRUE(v.FindPrefixNameIndex("p", index));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(v.GetPrefixNamesTable().m_table.size(), 2u);
}

TEST(FastInfosetVocabulary, QualifiedNamesAddTheirPartsFirst)
{
    CFIVocabulary v;
    v.AddElementName("p", "urn:a", "item");
    v.AddElementName("", "", "item");
    v.AddElementName("", "urn:a", "other");
    v.AddElementName("p", "urn:a", "item"); // known: ignored

    const auto& names = v.GetElementNamesTable().m_table;
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], CFIVocabulary::CQNameParts(2, 2, 1));
    EXPECT_EQ(names[1], CFIVocabulary::CQNameParts(0, 0, 1));
    EXPECT_EQ(names[2], CFIVocabulary::CQNameParts(0, 2, 2));
    EXPECT_EQ(v.GetLocalNamesTable().m_table, (std::vector<std::string>{"item", "other"}));

    std::uint32_t index = 0;
    ASSERT_TRUE(v.FindElementNameIndex("", "", "item", index));
    EXPECT_EQ(index, 2u);
    // Names differing only in how the parts split are different names.
    EXPECT_FALSE(v.FindElementNameIndex("", "urn:a", "item", index));
    EXPECT_FALSE(v.FindAttributeNameIndex("p", "urn:a", "item", index));
    v.AddAttributeName("", "", "id");
    ASSERT_TRUE(v.FindAttributeNameIndex("", "", "id", index));
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(v.GetAttributeNamesTable().m_table[0], CFIVocabulary::CQNameParts(0, 0, 3));
}

TEST(FastInfosetVocabulary, TablesStopGrowingAtTheLimit)
{
    CFIVocabulary v;
    auto& map = v.GetAttributeValuesMap();
    map.reserve(CFIVocabulary::MaxTableSize);
    for (std::uint32_t i = 1; i <= CFIVocabulary::MaxTableSize; ++i)
        ASSERT_TRUE(CFIVocabulary::AddValueToMap(std::to_string(i), map));
    std::uint32_t index = 0;
    ASSERT_TRUE(v.FindAttributeValueIndex(std::to_string(CFIVocabulary::MaxTableSize), index));
    EXPECT_EQ(index, CFIVocabulary::MaxTableSize);

    // The 1048577th distinct value is refused; one already present still counts as held.
    EXPECT_FALSE(CFIVocabulary::AddValueToMap("new", map));
    EXPECT_TRUE(CFIVocabulary::AddValueToMap("7", map));
    v.AddAttributeValue("new");
    EXPECT_FALSE(v.FindAttributeValueIndex("new", index));
    EXPECT_EQ(map.size(), CFIVocabulary::MaxTableSize);

    std::vector<std::string> table(CFIVocabulary::MaxTableSize - 1);
    EXPECT_TRUE(CFIVocabulary::AddValueToVector("last", table));
    EXPECT_FALSE(CFIVocabulary::AddValueToVector("over", table));
    EXPECT_EQ(table.back(), "last");
}

// ---- context ----

TEST(FastInfosetContext, SuggestedValues)
{
    using E = CFastInfosetContext::EncodedCharacterString;
    CFastInfosetContext ctx;

    ctx.SetEncoding(ItemType_string, E(1, 2));
    ctx.SetSuggestedValues();
    // Unsigned types take the next wider algorithm; string keeps what it held.
    const struct { ItemType type; E encoding; } expected[] = {
        {ItemType_hexBinary, E(2, 1)}, {ItemType_base64Binary, E(2, 2)}, {ItemType_i2, E(2, 3)},
        {ItemType_i4, E(2, 4)},        {ItemType_i8, E(2, 5)},           {ItemType_ui2, E(2, 4)},
        {ItemType_ui4, E(2, 5)},       {ItemType_r4, E(2, 7)},           {ItemType_r8, E(2, 8)},
        {ItemType_duration, E(0, 0)},  {ItemType_datetime, E(1, 2)},     {ItemType_boolean, E(2, 6)},
        {ItemType_decimal, E(1, 1)},   {ItemType_string, E(1, 2)},
    };
    for (const auto& row : expected)
        EXPECT_EQ(ctx.GetEncoding(row.type), row.encoding) << row.type;

    // A copy has its own vocabulary.
    CFastInfosetContext copy(ctx);
    copy.GetVocabulary()->AddLocalName("x");
    EXPECT_TRUE(ctx.GetVocabulary()->GetLocalNamesTable().m_table.empty());
    EXPECT_EQ(copy.GetEncoding(ItemType_string), E(1, 2));
}

// ---- encoding algorithms ----

TEST(FastInfosetBinaryData, EncodesAndDecodesEachAlgorithm)
{
    // back: GetAsString of the octets.
    const struct { unsigned long algorithm; const char* text; std::vector<unsigned char> octets; const char* back; } cases[] = {
        {1, "0aFF", {0x0A, 0xFF}, "0AFF"}, {2, "TWFu", {'M', 'a', 'n'}, "TWFu"}, {3, "-2", {0xFF, 0xFE}, "-2"},
        {4, "-2147483648", {0x80, 0x00, 0x00, 0x00}, "-2147483648"},
        {5, "72623859790382856", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, "72623859790382856"},
        {6, "true", {0x38}, "true"}, {7, "-2", {0xC0, 0x00, 0x00, 0x00}, "-2"}, {8, "1.5", {0x3F, 0xF8, 0, 0, 0, 0, 0, 0}, "1.5"},
        {9, "00112233445566778899aabbccddeeff",
         {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
         "00112233445566778899AABBCCDDEEFF"},
        {10, "a<b", {'a', '<', 'b'}, nullptr},
    };
    for (const auto& c : cases) {
        CFastInfosetBinaryData data;
        data.SetAsEncodedString(c.algorithm, c.text);
        EXPECT_EQ(Bytes(data), c.octets) << c.algorithm << " " << c.text;
        if (c.back) {
            EXPECT_EQ(data.GetAsString(c.algorithm), c.back) << c.algorithm << " " << c.text;
        }
    }
}

TEST(FastInfosetBinaryData, DecodesSeveralValuesJoinedBySpaces)
{
    auto decode = [](std::vector<unsigned char> octets, unsigned long algorithm) {
        return CFastInfosetBinaryData(octets.data(), static_cast<unsigned long>(octets.size()), false).GetAsString(algorithm);
    };
    EXPECT_EQ(decode({0x00, 0x01, 0xFF, 0xFF, 0x80, 0x00}, 3), "1 -1 -32768");
    EXPECT_EQ(decode({0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0xF9}, 4), "7 -7");
    // Booleans: 0 unused bits, twelve values 1010 1100 0011 after the count;
    // 2 unused bits at the end, two values out of four.
    EXPECT_EQ(decode({0x0A, 0xC3}, 6), "true false true false true true false false false false true true");
    EXPECT_EQ(decode({0x2B}, 6), "true false");
    EXPECT_EQ(CFastInfosetBinaryData().GetAsString(4), "");
}

TEST(FastInfosetBinaryData, Failures)
{
    unsigned char zeros[6] = {};
    const CFastInfosetBinaryData six(zeros, 6, false), three(zeros, 3, false);
    const struct { const CFastInfosetBinaryData& data; unsigned long algorithm; const char* message; } cases[] = {
        {six, 4, "Invalid value for INT byte encoding."},   {three, 3, "Invalid value for SHORT byte encoding."},
        {six, 5, "Invalid value for LONG byte encoding."},  {six, 7, "Invalid value for FLOAT byte encoding."},
        {six, 8, "Invalid value for DOUBLE byte encoding."}, {six, 9, "Invalid value for UUID byte encoding."},
        {six, 10, "Unknown byte encoding."},                {six, 11, "Unknown byte encoding."}};
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf([&] { c.data.GetAsString(c.algorithm); }), c.message) << c.algorithm;

    CFastInfosetBinaryData data;
    EXPECT_EQ(MessageOf([&] { data.SetAsEncodedString(11, "1"); }), "Unknown byte encoding.");
    // Values outside the type of the algorithm fail in the conversion, as does a second value.
    EXPECT_THROW(data.SetAsEncodedString(3, "32768"), CTsInvalidValueException);
    EXPECT_THROW(data.SetAsEncodedString(4, "1 2"), CTsInvalidValueException);
}

} // namespace
