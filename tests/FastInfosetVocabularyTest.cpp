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

std::vector<unsigned char> Bytes(const CBinaryData& d)
{
    return std::vector<unsigned char>(d.GetData(), d.GetData() + d.GetLength());
}

// ---- vocabulary ----

TEST(FastInfosetVocabulary, StartsWithXmlBindingAndBuiltInAlphabets)
{
    CFIVocabulary v;
    std::uint32_t index = 0;
    ASSERT_TRUE(v.FindPrefixNameIndex("xml", index));
    EXPECT_EQ(index, 1u);
    ASSERT_TRUE(v.FindNamespaceNameIndex(XmlNamespaceUri, index));
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(v.GetPrefixNamesTable().m_table, std::vector<std::string>{"xml"});
    EXPECT_EQ(v.GetNamespaceNamesTable().m_table, std::vector<std::string>{XmlNamespaceUri});
    EXPECT_EQ(v.GetRestrictedAlphabets(), (std::vector<std::string>{"0123456789-+.e ", "0123456789-:TZ "}));
    EXPECT_FALSE(v.FindLocalNameIndex("xml", index));
    EXPECT_TRUE(v.GetLocalNamesTable().m_table.empty());
    EXPECT_TRUE(v.GetElementNamesTable().m_table.empty());

    v.AddPrefixName("p");
    ASSERT_TRUE(v.FindPrefixNameIndex("p", index));
    EXPECT_EQ(index, 2u);
    v.AddPrefixName("p"); // already there: keeps its index, not appended twice
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

TEST(FastInfosetVocabulary, DumpListsEveryTable)
{
    CFIVocabulary v;
    v.AddAttributeName("", "", "id");
    v.AddAttributeValue("v1");
    v.AddCharacterChunk("text");
    v.AddElementName("p", "urn:a", "e");
    EXPECT_EQ(v.Dump(), "\n** Dumping FI Tables **\n\n"
                        "Attr Names\nid, 1\n"
                        "\nAttr Values\nv1, 1\n"
                        "\nCharacter Chunks\ntext, 1\n"
                        "\nElement Names\n{urn:a}p:e, 1\n"
                        "\nLocal Names\nid, 1\ne, 2\n"
                        "\nNamespace Names\nhttp://www.w3.org/XML/1998/namespace, 1\nurn:a, 2\n"
                        "\nPrefix Names\nxml, 1\np, 2\n");
}

// ---- context ----

TEST(FastInfosetContext, DefaultsAndSuggestedValues)
{
    using E = CFastInfosetContext::EncodedCharacterString;
    CFastInfosetContext ctx;
    EXPECT_EQ(ctx.GetDefaultStringEncoding(), 0);
    EXPECT_EQ(ctx.GetAttributeMaxAddLength(), 6u);
    EXPECT_EQ(ctx.GetElementMaxAddLength(), 6u);
    EXPECT_FALSE(ctx.GetUseGeneratedVocabulary());
    EXPECT_EQ(ctx.GetExternalVocabularyURI(), "");
    for (unsigned i = 0; i < CFastInfosetContext::EncodingCount; ++i)
        EXPECT_EQ(ctx.GetEncoding(i), E()) << i;

    ctx.SetEncoding(ItemType_string, E(1, 2));
    ctx.SetSuggestedValues();
    const struct {
        ItemType type;
        E encoding;
    } expected[] = {
        {ItemType_hexBinary, E(2, 1)}, {ItemType_base64Binary, E(2, 2)}, {ItemType_i1, E(2, 3)},
        {ItemType_i2, E(2, 3)},        {ItemType_i4, E(2, 4)},           {ItemType_i8, E(2, 5)},
        {ItemType_ui1, E(2, 3)},       {ItemType_ui2, E(2, 4)},          {ItemType_ui4, E(2, 5)},
        {ItemType_ui8, E(2, 5)},       {ItemType_r4, E(2, 7)},           {ItemType_r8, E(2, 8)},
        {ItemType_duration, E(0, 0)},  {ItemType_yearMonth, E(1, 2)},    {ItemType_monthDay, E(1, 2)},
        {ItemType_year, E(1, 2)},      {ItemType_month, E(1, 2)},        {ItemType_day, E(1, 2)},
        {ItemType_date, E(1, 2)},      {ItemType_datetime, E(1, 2)},     {ItemType_time, E(1, 2)},
        {ItemType_char, E(0, 0)},      {ItemType_boolean, E(2, 6)},      {ItemType_decimal, E(1, 1)},
        {ItemType_integer, E(1, 1)},   {ItemType_string, E(1, 2)}, // kept what it held
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

struct AlgorithmCase {
    unsigned long algorithm;
    const char* text;
    std::vector<unsigned char> octets;
    const char* back; // GetAsString of the octets
};

TEST(FastInfosetBinaryData, EncodesAndDecodesEachAlgorithm)
{
    const AlgorithmCase cases[] = {
        {1, "0aFF", {0x0A, 0xFF}, "0AFF"},
        {2, "TWFu", {'M', 'a', 'n'}, "TWFu"},
        {3, "-2", {0xFF, 0xFE}, "-2"},
        {3, "32767", {0x7F, 0xFF}, "32767"},
        {4, "-2147483648", {0x80, 0x00, 0x00, 0x00}, "-2147483648"},
        {4, "258", {0x00, 0x00, 0x01, 0x02}, "258"},
        {5, "-1", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {5, "72623859790382856", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, "72623859790382856"},
        {6, "true", {0x38}, "true"},
        {6, "false", {0x30}, "false"},
        {7, "1.5", {0x3F, 0xC0, 0x00, 0x00}, "1.5"},
        {7, "-2", {0xC0, 0x00, 0x00, 0x00}, "-2"},
        {8, "1.5", {0x3F, 0xF8, 0, 0, 0, 0, 0, 0}, "1.5"},
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
    const unsigned char shorts[] = {0x00, 0x01, 0xFF, 0xFF, 0x80, 0x00};
    EXPECT_EQ(CFastInfosetBinaryData(const_cast<unsigned char*>(shorts), 6, false).GetAsString(3), "1 -1 -32768");
    const unsigned char ints[] = {0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0xF9};
    EXPECT_EQ(CFastInfosetBinaryData(const_cast<unsigned char*>(ints), 8, false).GetAsString(4), "7 -7");
    // 0 unused bits: twelve values 1010 1100 0011 after the count.
    const unsigned char booleans[] = {0x0A, 0xC3};
    EXPECT_EQ(CFastInfosetBinaryData(const_cast<unsigned char*>(booleans), 2, false).GetAsString(6),
              "true false true false true true false false false false true true");
    // 2 unused bits at the end: two values out of four.
    const unsigned char twoBooleans[] = {0x2B};
    EXPECT_EQ(CFastInfosetBinaryData(const_cast<unsigned char*>(twoBooleans), 1, false).GetAsString(6),
              "true false");
    EXPECT_EQ(CFastInfosetBinaryData().GetAsString(4), "");
}

TEST(FastInfosetBinaryData, Failures)
{
    const unsigned char six[6] = {};
    const CFastInfosetBinaryData sixOctets(const_cast<unsigned char*>(six), 6, false);
    const unsigned char three[3] = {};
    const CFastInfosetBinaryData threeOctets(const_cast<unsigned char*>(three), 3, false);
    EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(4); }), "Invalid value for INT byte encoding.");
    EXPECT_EQ(MessageOf([&] { threeOctets.GetAsString(3); }), "Invalid value for SHORT byte encoding.");
    EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(5); }), "Invalid value for LONG byte encoding.");
    EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(7); }), "Invalid value for FLOAT byte encoding.");
    EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(8); }), "Invalid value for DOUBLE byte encoding.");
    EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(9); }), "Invalid value for UUID byte encoding.");
    for (unsigned long algorithm : {0ul, 10ul, 11ul})
        EXPECT_EQ(MessageOf([&] { sixOctets.GetAsString(algorithm); }), "Unknown byte encoding.") << algorithm;

    CFastInfosetBinaryData data;
    EXPECT_EQ(MessageOf([&] { data.SetAsEncodedString(0, "1"); }), "Unknown byte encoding.");
    EXPECT_EQ(MessageOf([&] { data.SetAsEncodedString(11, "1"); }), "Unknown byte encoding.");
    // Values outside the type of the algorithm fail in the conversion, as does a second value.
    EXPECT_THROW(data.SetAsEncodedString(3, "32768"), CTsInvalidValueException);
    EXPECT_THROW(data.SetAsEncodedString(4, "1 2"), CTsInvalidValueException);
    EXPECT_THROW(data.SetAsEncodedString(5, "18446744073709551615"), CTsInvalidValueException);
}

} // namespace
