// Octets of the Fast Infoset writer: documents, integer and length forms at
// their boundaries, string encodings and failures.
#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FastInfosetWriter.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/Namespaces.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;
using E = CFastInfosetContext::EncodedCharacterString;

namespace {

std::string Hex(const std::string& octets)
{
    std::string out;
    for (unsigned char c : octets)
        out += (out.empty() ? "" : " ") + std::string{"0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 0x0F]};
    return out;
}

std::string Octets(const CBinaryData& d)
{
    return d.GetLength() ? std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength()) : std::string();
}

// Numbers are single octets, strings their bytes.
struct Bytes {
    std::string octets;
    Bytes(std::initializer_list<int> values) { for (int v : values) octets += static_cast<char>(v); }
    Bytes(const char* text) : octets(text) {}
};
std::string Expect(std::initializer_list<Bytes> parts)
{
    std::string out;
    for (const auto& p : parts) out += p.octets;
    return Hex(out);
}

const Bytes kHeader = {0xE0, 0x00, 0x00, 0x01, 0x00};

struct FastInfosetWriterDoc : ::testing::Test {
    CFastInfosetContext ctx;
    CBinaryStream stream;
    std::unique_ptr<CFastInfosetWriter> writer;

    void SetUp() override { NewWriter(); }
    void NewWriter()
    {
        writer.reset();
        stream = CBinaryStream();
        writer = std::make_unique<CFastInfosetWriter>(ctx, &stream);
    }
    std::string Written() const { return Hex(Octets(stream.GetData())); }
    void Leaf(const char* name, const std::string& text = "")
    {
        writer->StartElement(name, "");
        if (!text.empty())
            writer->WriteText(text, ItemType_string, false);
        writer->EndElement();
    }
    void Begin(const char* ns = "") { writer->WriteHeader(FInfoDecl_None); writer->StartElement("r", ns); }
    void End(int count = 1) { while (count-- > 0) writer->EndElement(); }
    void Finish(int count) { End(count); writer->WriteDocumentEnd(); }
    void Attribute(const char* name, const char* value, ItemType type = ItemType_string, const char* ns = "")
    { writer->WriteAttribute(name, ns, value, type); }
};

TEST_F(FastInfosetWriterDoc, EmptyDocumentElementWithoutCommentsAndInstructions)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->WriteComment("c");
    writer->StartElement("root", "");
    writer->WriteProcessingInstruction("<?pi?>");
    writer->WriteInlineSchema("<xs:schema/>");
    Finish(1);
    writer->Close();
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x03}, "root", {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, AttributesValuesByIndexEmptyAndLong)
{
    Begin();
    Attribute("a", "v");
    Attribute("b", "v");
    Attribute("c", "");
    Attribute("d", "abcdef"); // as long as the limit: not added
    Attribute("a", "abcdef");
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x40}, "v", {0x78, 0x00}, "b",
                                 {0x80}, {0x78, 0x00}, "c", {0xFF}, {0x78, 0x00}, "d", {0x05}, "abcdef",
                                 {0x00, 0x05}, "abcdef", {0xF0}, {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, AttributesThenChildAndText)
{
    Begin();
    Attribute("a", "1");
    Leaf("c", "hi");
    writer->WriteText("hi", ItemType_string, false); // after a child: F0 first, then chunk 1
    Leaf("c", "abcdefgh");                           // at the limit: literal, not added
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x40}, "1", {0xF0}, {0x3C, 0x00},
                                 "c", {0x91}, "hi", {0xF0, 0xA0}, {0x01, 0x82, 0x05}, "abcdefgh", {0xFF}, {0xF0}}));
}

TEST_F(FastInfosetWriterDoc, AttributesAfterContentAreRefused)
{
    const std::string refused = "Attributes must be added before elements";
    Begin();
    Leaf("c");
    EXPECT_EQ(MessageOf([&] { Attribute("a", "1"); }), refused);
    writer->StartElement("t", "");
    writer->WriteText("x", ItemType_string, false);
    EXPECT_EQ(MessageOf([&] { writer->WriteNil(); }), refused);
    EXPECT_EQ(MessageOf([&] { writer->WriteXsiType("", "T", ItemType_string); }), refused);
}

TEST_F(FastInfosetWriterDoc, DocumentElementDeclaresNamespacesOthersTheirGeneratedOnes)
{
    writer->SetDefaultNamespace("urn:d");
    writer->AddNamespace("p", "urn:p");
    Begin("urn:d");
    writer->StartElement("c", "urn:p");
    Attribute("a", "1", ItemType_string, "urn:q"); // prefix AA generated
    Finish(2);
    EXPECT_EQ(Written(), Expect({kHeader, {0x38, 0xCD, 0x04}, "urn:d", {0xCF, 0x00}, "p", {0x04}, "urn:p", {0xF0},
                                 {0x3D, 0x81, 0x00}, "r", {0x78, 0xCF, 0x01}, "AA", {0x04}, "urn:q", {0xF0},
                                 {0x3F, 0x81, 0x82, 0x00}, "c", {0x7B, 0x82, 0x83, 0x00}, "a", {0x40}, "1",
                                 {0xF0}, {0xFF}, {0xF0}}));
}

TEST_F(FastInfosetWriterDoc, GeneratedPrefixesAreDeclaredInTheirScope)
{
    Begin();
    writer->StartElement("c", "urn:a"); // AA declared on c
    writer->StartElement("g", "urn:a");
    End(2);
    writer->StartElement("c", "urn:a"); // out of scope: declared anew
    Finish(2);
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x00}, "r", {0x38, 0xCF, 0x01}, "AA", {0x04}, "urn:a", {0xF0},
                                 {0x3F, 0x81, 0x81, 0x00}, "c", {0x3F, 0x81, 0x81, 0x00}, "g", {0xFF},
                                 {0x38, 0xCF, 0x81, 0x81, 0xF0, 0x01}, {0xFF, 0xF0}}));
}

TEST_F(FastInfosetWriterDoc, ElementsWithoutNamespaceUndeclareTheDefault)
{
    writer->SetDefaultNamespace("urn:d");
    Begin("urn:d");
    writer->StartElement("n", "");      // xmlns=""
    writer->StartElement("c", "urn:d"); // no longer the default: prefix AA
    Finish(3);
    EXPECT_EQ(Written(), Expect({kHeader, {0x38, 0xCD, 0x04}, "urn:d", {0xF0, 0x3D, 0x81, 0x00}, "r",
                                 {0x38, 0xCC, 0xF0, 0x3C, 0x00}, "n", {0x38, 0xCF, 0x01}, "AA",
                                 {0x81, 0xF0, 0x3F, 0x81, 0x81, 0x00}, "c", {0xFF, 0xFF}}));
}

TEST_F(FastInfosetWriterDoc, ValueElementsWrittenInOneCallMatchTheElementByElementForm)
{
    std::string forms[2];
    for (const bool fused : {false, true}) {
        NewWriter();
        writer->WriteHeader(FInfoDecl_None);
        TestSupport::WriteValueElements(*writer, fused);
        writer->WriteDocumentEnd();
        writer->Close();
        forms[fused] = Written();
    }
    EXPECT_EQ(forms[true], forms[false]);
    // The document element itself may be a value element.
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    writer->WriteValueElement("r", "", "v", ItemType_string, false);
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x00}, "r", {0x90}, "v", {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, TypeAndNilAttributes)
{
    writer->AddNamespace("xsi", XmlSchemaInstanceNamespaceUri);
    Begin();
    writer->WriteXsiType("urn:t", "T", ItemType_string);
    writer->WriteNil();
    Finish(1);
    // AA, generated for the type's namespace, is declared on the element too.
    EXPECT_EQ(Written(), Expect({kHeader, {0x78, 0xCF, 0x02}, "xsi", {0x28}, XmlSchemaInstanceNamespaceUri,
                                 {0xCF, 0x01}, "AA", {0x04}, "urn:t", {0xF0, 0x3C, 0x00}, "r",
                                 {0x7B, 0x81, 0x81, 0x03}, "type", {0x43}, "AA:T",
                                 {0x7B, 0x81, 0x81, 0x02}, "nil", {0x43}, "true", {0xF0}, {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, NamesSharingACacheSlotKeepTheirOwnIndexes)
{
    // "axb" and "ayb" have the length, first and last character that pick a
    // slot of the writer's name cache; "axb" in a namespace is another name.
    Begin();
    Leaf("axb");
    Leaf("ayb");
    Leaf("axb");
    Leaf("ayb");
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x00}, "r", {0x3C, 0x02}, "axb", {0xF0, 0x3C, 0x02}, "ayb",
                                 {0xF0, 0x01, 0xF0, 0x02, 0xFF, 0xF0}}));

    NewWriter();
    Begin();
    for (int round = 0; round < 2; ++round) {
        writer->StartElement("axb", "");
        writer->WriteAttribute("ayb", "", "1", ItemType_string);
        writer->WriteAttribute("ayb", "urn:q", "1", ItemType_string);
        writer->EndElement();
        writer->StartElement("axb", "urn:q");
        End();
    }
    // Generated prefixes start again in each scope: AA:axb once more, in another namespace.
    writer->StartElement("axb", "urn:r");
    End();
    Finish(1);
    using Parts = CFIVocabulary::CQNameParts;
    const CFIVocabulary& v = writer->GetVocabulary();
    // Prefix AA is entry 2 (after "xml"), urn:q and urn:r namespaces entries 2
    // and 3; local names r, axb, ayb.
    const std::vector<Parts> elements = {Parts(0, 0, 1), Parts(0, 0, 2), Parts(2, 2, 2), Parts(2, 3, 2)};
    const std::vector<Parts> attributes = {Parts(0, 0, 3), Parts(2, 2, 3)};
    EXPECT_EQ(v.GetElementNamesTable().m_table, elements);
    EXPECT_EQ(v.GetAttributeNamesTable().m_table, attributes);
}

TEST_F(FastInfosetWriterDoc, AttributeNamesSeenInTheSameStartTagAreWrittenByIndex)
{
    // The second "a" is new when it comes; the first adds it to the table on
    // the way out, so the second goes by index.
    Begin();
    Attribute("a", "v");
    Attribute("a", "w");
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x40}, "v", {0x00, 0x40}, "w",
                                 {0xF0}, {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, AValueItsTypeCannotHoldLeavesNoOctets)
{
    ctx.SetSuggestedValues();
    NewWriter();
    Begin();
    Attribute("a", "1", ItemType_i4);
    EXPECT_THROW(Attribute("b", "x", ItemType_i4), CTsException);
    Attribute("c", "2");
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x70, 0x33, 0x00, 0x00, 0x00, 0x01},
                                 {0x78, 0x00}, "c", {0x40}, "2", {0xF0}, {0xFF}}));
    EXPECT_EQ(writer->GetVocabulary().GetAttributeValuesTable().m_table, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(writer->GetVocabulary().GetAttributeNamesTable().m_table.size(), 2u);
}

TEST_F(FastInfosetWriterDoc, ShortStringsAreToldApartByEveryOctetAndTheirLength)
{
    // Up to 7 octets a string is found by its octets packed in a word, 8 and
    // more by the vocabulary's map; a trailing zero octet makes another string.
    ctx.SetElementMaxAddLength(64);
    NewWriter();
    Begin();
    for (const std::string& text : {std::string("a"), std::string("a\0", 2), std::string("a"), std::string("a\0", 2),
                                    std::string("abcdefg"), std::string("abcdefgh"), std::string("abcdefg"),
                                    std::string("abcdefgh"), std::string("abcdefh")})
        writer->WriteText(text, ItemType_string, false);
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x00}, "r", {0x90}, "a", {0x91, 'a', 0x00}, {0xA0, 0xA1},
                                 {0x92, 0x04}, "abcdefg", {0x92, 0x05}, "abcdefgh", {0xA2, 0xA3}, {0x92, 0x04},
                                 "abcdefh", {0xFF}}));

    // Attribute values and character chunks are separate tables.
    NewWriter();
    Begin();
    Attribute("a", "x");
    writer->WriteText("x", ItemType_string, false);
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x40}, "x", {0xF0}, {0x90}, "x",
                                 {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, TextInANonUtf8LocalEncodingIsWrittenAsUtf8)
{
    const unsigned int saved = GetLocalCharEncoding();
    SetLocalCharEncoding(28591); // ISO-8859-1: e acute is the single byte E9
    NewWriter();
    Begin();
    writer->StartElement("\xE9", "");
    writer->WriteText("caf\xE9", ItemType_string, false);
    Finish(2);
    SetLocalCharEncoding(saved);
    EXPECT_EQ(Written(), Expect({kHeader, {0x3C, 0x00}, "r", {0x3C, 0x01}, "\xC3\xA9", {0x92, 0x02}, "caf\xC3\xA9",
                                 {0xFF, 0xF0}}));
}

TEST_F(FastInfosetWriterDoc, DocumentsLargerThanTheStreamsBlockReadTheSameWhenReadMidway)
{
    // The octets gathered in the stream move to its data in blocks; reading
    // the data between elements must not lose or reorder any.
    const auto write = [this](bool readMidway) {
        NewWriter();
        Begin();
        std::size_t lastSize = 0;
        for (int i = 0; i < 30000; ++i) {
            Leaf(i % 3 ? "item" : "other", "value " + std::to_string(i));
            if (readMidway && i % 997 == 0) {
                const std::size_t size = stream.GetData().GetLength();
                EXPECT_GT(size, lastSize);
                lastSize = size;
            }
        }
        Finish(1);
        return Octets(stream.GetData());
    };
    const std::string whole = write(false);
    EXPECT_GT(whole.size(), 4u * 64 * 1024);
    EXPECT_EQ(write(true), whole);
}

TEST_F(FastInfosetWriterDoc, HeaderForms)
{
    writer->WriteHeader(FInfoDecl_Version10StandaloneYes);
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Expect({"<?xml version='1.0' encoding='finf' standalone='yes'?>", kHeader, {0xF0}}));

    // The generated vocabulary is announced by URI; its names are known from the start.
    ctx.SetUseGeneratedVocabulary(true);
    ctx.SetExternalVocabularyURI("urn:v");
    ctx.GetVocabulary()->AddElementName("", "", "r");
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    Leaf("r");
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Expect({{0xE0, 0x00, 0x00, 0x01, 0x20, 0x10, 0x00, 0x04}, "urn:v", {0x00, 0xFF}}));

    ctx.SetExternalVocabularyURI("");
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    const std::string uri = CFastInfosetWriter::DefaultExternalVocabularyURI;
    ASSERT_LE(uri.size(), 64u);
    EXPECT_EQ(Written(), Expect({{0xE0, 0x00, 0x00, 0x01, 0x20, 0x10, 0x00, static_cast<int>(uri.size() - 1)},
                                 uri.c_str()}));
    // The writer's copy grows, the options' vocabulary does not.
    Leaf("new");
    EXPECT_EQ(ctx.GetVocabulary()->GetElementNamesTable().m_table.size(), 1u);
    EXPECT_EQ(writer->GetVocabulary().GetElementNamesTable().m_table.size(), 2u);
}

TEST_F(FastInfosetWriterDoc, RestrictedAlphabetsAndAlgorithms)
{
    ctx.SetSuggestedValues();
    NewWriter();
    Begin();
    Attribute("d", "2024-01-15", ItemType_date);       // alphabet 2, even length, not added
    Attribute("n", "258", ItemType_i4);                // int algorithm, added
    Attribute("x", "-1.5e3", ItemType_decimal);        // alphabet 1
    writer->WriteText("1:2", ItemType_time, false);    // odd length ends with nibble F
    writer->WriteText("true", ItemType_boolean, false); // boolean algorithm
    writer->WriteText("258", ItemType_i4, false);      // int algorithm, 4 octets from bit 7
    writer->WriteText("true", ItemType_boolean, false); // chunk 2
    Finish(1);
    EXPECT_EQ(Written(), Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "d", {0x20, 0x14, 0x20, 0x24, 0xA0, 0x1A, 0x15},
                                 {0x78, 0x00}, "n", {0x70, 0x33, 0x00, 0x00, 0x01, 0x02},
                                 {0x78, 0x00}, "x", {0x20, 0x02, 0xA1, 0xC5, 0xD3},
                                 {0xF0}, {0x98, 0x05, 0x1B, 0x2F}, {0x9C, 0x14, 0x38},
                                 {0x9C, 0x0E, 0x01, 0x00, 0x00, 0x01, 0x02}, {0xA1}, {0xFF}}));
}

TEST_F(FastInfosetWriterDoc, RestrictedAlphabetPacking)
{
    auto& alphabets = writer->GetVocabulary().GetRestrictedAlphabets();
    alphabets[0].clear(); // 200 characters: eight-bit codes
    for (int c = 32; c < 32 + 200; ++c)
        alphabets[0] += static_cast<char>(c);
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(1, " !A")), "00 01 21");
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(2, "12")), "12");
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(2, "Z")), "DF");

    const std::string prefix = "Failed to write FastInfoset. ";
    alphabets[0] = "0123456789abcdefg";
    EXPECT_EQ(MessageOf([&] { writer->PackRestrictedAlphabetString(1, "0"); }),
              prefix + "Unsupported Feature in AppendRestrictedAlphabetString.");
    alphabets[0] = "0";
    EXPECT_EQ(MessageOf([&] { writer->PackRestrictedAlphabetString(1, "0"); }),
              prefix + "Invalid Restricted Alphabet. Alphabet must contain between 2 and 2^20 characters.");
    EXPECT_EQ(MessageOf([&] { writer->PackRestrictedAlphabetString(2, "12a"); }),
              prefix + "Invalid character not found for Restricted Alphabet.");
}

TEST_F(FastInfosetWriterDoc, EncodingFailures)
{
    // The text's message is the attribute's where empty.
    const struct { E encoding; unsigned char stringEncoding; std::string attributeMessage, textMessage; } cases[] = {
        {E(0, 0), 1, "Unsupported Feature UTF16BE in EncodedCharacterStringBit5.", ""},
        {E(1, 3), 0, "Invalid Restricted Alphabet value [3]", ""},
        {E(2, 0), 0, "Invalid Encoding Algorithm value [0]", ""},
        {E(3, 1), 0, "Unknown encoding in EncodedCharacterStringBit5.", "Unknown encoding in EncodedCharacterStringBit7."},
    };
    const std::string prefix = "Failed to write FastInfoset. ";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributeMessage);
        ctx.SetEncoding(ItemType_string, c.encoding);
        ctx.SetDefaultStringEncoding(c.stringEncoding);
        NewWriter();
        writer->StartElement("r", "");
        EXPECT_EQ(MessageOf([&] { Attribute("a", "1"); }), prefix + c.attributeMessage);
        EXPECT_EQ(MessageOf([&] { writer->WriteText("1", ItemType_string, false); }),
                  prefix + (c.textMessage.empty() ? c.attributeMessage : c.textMessage));
        writer->EndElement();
    }
    // A value the algorithm's type cannot hold fails in the conversion: ui8 goes through i8.
    ctx.SetDefaultStringEncoding(0);
    ctx.SetSuggestedValues();
    NewWriter();
    writer->StartElement("r", "");
    EXPECT_THROW(Attribute("a", "18446744073709551615", ItemType_ui8), CTsInvalidValueException);
    End();
}

TEST_F(FastInfosetWriterDoc, IntegerFormsAtTheirBoundaries)
{
    using Form = void (CFastInfosetWriter::*)(unsigned char, std::uint32_t);
    const Form b2 = &CFastInfosetWriter::WriteIntegerBit2, z2 = &CFastInfosetWriter::WriteIntegerOrZeroBit2,
               b3 = &CFastInfosetWriter::WriteIntegerBit3, b4 = &CFastInfosetWriter::WriteIntegerBit4;
    const struct { Form form; unsigned char leading; std::uint32_t value; const char* octets; } cases[] = {
        {b2, 0x80, 64, "BF"}, {b2, 0x80, 65, "C0 00"}, {b2, 0x80, 8256, "DF FF"}, {b2, 0x80, 8257, "E0 00 00"},
        {b2, 0x00, 1u << 20, "6F DF BF"}, {z2, 0x80, 0, "FF"}, {z2, 0x80, 1, "80"},
        {b3, 0x00, 32, "1F"}, {b3, 0x00, 33, "20 00"}, {b3, 0x00, 2080, "27 FF"}, {b3, 0x00, 2081, "28 00 00"},
        {b3, 0x00, 526368, "2F FF FF"}, {b3, 0x00, 526369, "30 00 00 00"}, {b3, 0x40, 1u << 20, "70 07 F7 DF"},
        {b4, 0xA0, 16, "AF"}, {b4, 0xA0, 17, "B0 00"}, {b4, 0xA0, 1040, "B3 FF"}, {b4, 0xA0, 1041, "B4 00 00"},
        {b4, 0xA0, 263184, "B7 FF FF"}, {b4, 0xA0, 263185, "B8 00 00 00"}, {b4, 0xA0, 1u << 20, "B8 0B FB EF"},
    };
    for (const auto& c : cases) {
        NewWriter();
        (writer.get()->*c.form)(c.leading, c.value);
        EXPECT_EQ(Written(), c.octets) << c.value;
    }
}

TEST_F(FastInfosetWriterDoc, LengthFormsAtTheirBoundaries)
{
    using Form = void (CFastInfosetWriter::*)(unsigned char, const std::string&);
    const Form b2 = &CFastInfosetWriter::WriteOctetStringBit2, b5 = &CFastInfosetWriter::WriteOctetStringBit5,
               b7 = &CFastInfosetWriter::WriteOctetStringBit7;
    const struct { Form form; unsigned char leading; std::size_t length; std::string lengthOctets; } cases[] = {
        {b2, 0x00, 64, "3F"}, {b2, 0x80, 65, "C0 00"}, {b2, 0x00, 320, "40 FF"}, {b2, 0x00, 321, "60 00 00 00 00"},
        {b2, 0x00, 321 + 0x10203, "60 00 01 02 03"}, {b5, 0x40, 8, "47"}, {b5, 0x40, 9, "48 00"},
        {b5, 0x00, 264, "08 FF"}, {b5, 0x00, 265, "0C 00 00 00 00"}, {b7, 0x90, 2, "91"}, {b7, 0x90, 3, "92 00"},
        {b7, 0x90, 258, "92 FF"}, {b7, 0x80, 259, "83 00 00 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        NewWriter();
        const std::string octets(c.length, 'z');
        (writer.get()->*c.form)(c.leading, octets);
        const std::string written = Octets(stream.GetData());
        const std::size_t lengthSize = (c.lengthOctets.size() + 1) / 3;
        ASSERT_EQ(written.size(), lengthSize + c.length);
        EXPECT_EQ(Hex(written.substr(0, lengthSize)), c.lengthOctets);
        EXPECT_EQ(written.substr(lengthSize), octets);
    }
}

} // namespace
