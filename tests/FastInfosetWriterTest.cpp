// Octets of the Fast Infoset writer: documents built through the writer calls,
// every integer and length form at its boundaries, the string encodings, the
// failures, the trace, and the object entry points.
#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FastInfosetWriter.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/Namespaces.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/XmlObjectBase.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;
using E = CFastInfosetContext::EncodedCharacterString;

namespace {

// Octets as "E0 00 ..." for readable failures.
std::string Hex(const std::string& octets)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : octets) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 0x0F];
    }
    return out;
}

std::string Octets(const CBinaryData& data)
{
    return data.GetLength() ? std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength())
                            : std::string();
}

// Expected octets: numbers are single octets, strings their bytes.
struct Bytes {
    std::string octets;
    Bytes(std::initializer_list<int> values)
    {
        for (int v : values)
            octets += static_cast<char>(v);
    }
    Bytes(const char* text) : octets(text) {}
};
std::string Expect(std::initializer_list<Bytes> parts)
{
    std::string out;
    for (const auto& p : parts)
        out += p.octets;
    return out;
}

const Bytes kHeader = {0xE0, 0x00, 0x00, 0x01, 0x00};

struct WriterFixture : ::testing::Test {
    CFastInfosetContext ctx;
    CBinaryStream stream;
    CFastInfosetWriter* writer = nullptr;

    void SetUp() override { NewWriter(); }
    void TearDown() override { delete writer; }
    void NewWriter()
    {
        delete writer;
        stream = CBinaryStream();
        writer = new CFastInfosetWriter(ctx, &stream);
    }
    std::string Written() const { return Hex(Octets(stream.GetData())); }
    // <name>text</name>, or <name/> for empty text.
    void Leaf(const char* name, const std::string& text = "", ItemType type = ItemType_string)
    {
        writer->StartElement(name, "");
        if (!text.empty())
            writer->WriteText(text, type, false);
        writer->EndElement();
    }
};

using FastInfosetWriterDoc = WriterFixture;

TEST_F(FastInfosetWriterDoc, EmptyDocumentElement)
{
    writer->WriteHeader(FInfoDecl_None);
    Leaf("root");
    writer->WriteDocumentEnd();
    writer->Close();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x03}, "root", {0xFF}})));
}

TEST_F(FastInfosetWriterDoc, SiblingsShareTerminatorsAndRepeatNamesByIndex)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    Leaf("a");
    Leaf("b");
    Leaf("a"); // element name 2
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x00}, "r", {0x3C, 0x00}, "a", {0xF0, 0x3C, 0x00}, "b",
                                     {0xF0, 0x01}, {0xFF, 0xF0}})));
}

TEST_F(FastInfosetWriterDoc, NamesOfTheSameShapeKeepTheirOwnIndexes)
{
    // Same length and same first and last letters: each keeps its own index
    // however often they alternate.
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    for (const char* name : {"axb", "ayb", "axb", "ayb", "axb"})
        Leaf(name);
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x00}, "r", {0x3C, 0x02}, "axb", {0xF0, 0x3C, 0x02}, "ayb",
                                     {0xF0, 0x01}, {0xF0, 0x02}, {0xF0, 0x01}, {0xFF, 0xF0}})));
}

TEST_F(FastInfosetWriterDoc, AttributesValuesByIndexEmptyAndLong)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->WriteAttribute("a", "", "v", ItemType_string);      // added
    writer->WriteAttribute("b", "", "v", ItemType_string);      // value 1
    writer->WriteAttribute("c", "", "", ItemType_string);       // empty
    writer->WriteAttribute("d", "", "abcdef", ItemType_string); // as long as the limit: not added
    writer->WriteAttribute("a", "", "abcdef", ItemType_string); // name 1, value literal again
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x7C, 0x00}, "r",                 //
                                     {0x78, 0x00}, "a", {0x40}, "v",              //
                                     {0x78, 0x00}, "b", {0x80},                   //
                                     {0x78, 0x00}, "c", {0xFF},                   //
                                     {0x78, 0x00}, "d", {0x05}, "abcdef",         //
                                     {0x00, 0x05}, "abcdef", {0xF0}, {0xFF}})));
}

TEST_F(FastInfosetWriterDoc, AttributesThenChildAndText)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->WriteAttribute("a", "", "1", ItemType_string);
    Leaf("c", "hi");
    writer->WriteText("hi", ItemType_string, false); // after a child: F0 first, then chunk 1
    Leaf("c", "abcdefgh");                           // at the limit: literal, not added
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x7C, 0x00}, "r", {0x78, 0x00}, "a", {0x40}, "1", {0xF0}, //
                                     {0x3C, 0x00}, "c", {0x91}, "hi",                                    //
                                     {0xF0, 0xA0},                                                       //
                                     {0x01, 0x82, 0x05}, "abcdefgh", {0xFF}, {0xF0}})));
}

TEST_F(FastInfosetWriterDoc, AttributesAfterContentAreRefused)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    Leaf("c");
    EXPECT_EQ(MessageOf([&] { writer->WriteAttribute("a", "", "1", ItemType_string); }),
              "Attributes must be added before elements");
    writer->StartElement("t", "");
    writer->WriteText("x", ItemType_string, false);
    EXPECT_EQ(MessageOf([&] { writer->WriteNil(); }), "Attributes must be added before elements");
    EXPECT_EQ(MessageOf([&] { writer->WriteXsiType("", "T", ItemType_string); }),
              "Attributes must be added before elements");
    writer->EndElement();
    writer->EndElement();
}

TEST_F(FastInfosetWriterDoc, DocumentElementDeclaresNamespacesOthersTheirGeneratedOnes)
{
    writer->SetDefaultNamespace("urn:d");
    writer->AddNamespace("p", "urn:p");
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "urn:d");
    writer->StartElement("c", "urn:p");
    writer->WriteAttribute("a", "urn:q", "1", ItemType_string); // prefix AA generated
    writer->EndElement();
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(),
              Hex(Expect({kHeader, {0x38},                          // namespace attributes follow
                          {0xCD, 0x04}, "urn:d",                    // xmlns="urn:d"
                          {0xCF, 0x00}, "p", {0x04}, "urn:p", {0xF0}, // xmlns:p="urn:p", end of list
                          {0x3D, 0x81, 0x00}, "r",                  // {urn:d}r by namespace index 2
                          {0x78},                                   // attributes and namespace attributes
                          {0xCF, 0x01}, "AA", {0x04}, "urn:q", {0xF0}, // xmlns:AA="urn:q" before the name
                          {0x3F, 0x81, 0x82, 0x00}, "c",            // p:c with prefix 2, namespace 3
                          {0x7B, 0x82, 0x83, 0x00}, "a", {0x40}, "1", // AA:a by prefix 3, namespace 4
                          {0xF0}, {0xFF}, {0xF0}})));
}

TEST_F(FastInfosetWriterDoc, GeneratedPrefixesAreDeclaredInTheirScope)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->StartElement("c", "urn:a"); // AA declared on c
    writer->StartElement("g", "urn:a"); // in scope: by index
    writer->EndElement();
    writer->EndElement();
    writer->StartElement("c", "urn:a"); // out of scope again: declared anew (by index), name 2
    writer->EndElement();
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x00}, "r",                                      //
                                     {0x38, 0xCF, 0x01}, "AA", {0x04}, "urn:a", {0xF0}, {0x3F, 0x81, 0x81, 0x00}, "c", //
                                     {0x3F, 0x81, 0x81, 0x00}, "g", {0xFF},                             //
                                     {0x38, 0xCF, 0x81, 0x81, 0xF0, 0x01},                              //
                                     {0xFF, 0xF0}})));
}

TEST_F(FastInfosetWriterDoc, ElementsWithoutNamespaceUndeclareTheDefault)
{
    writer->SetDefaultNamespace("urn:d");
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "urn:d");
    writer->StartElement("n", "");     // xmlns=""
    writer->StartElement("c", "urn:d"); // no longer the default: prefix AA
    writer->EndElement();
    writer->EndElement();
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x38, 0xCD, 0x04}, "urn:d", {0xF0, 0x3D, 0x81, 0x00}, "r", //
                                     {0x38, 0xCC, 0xF0, 0x3C, 0x00}, "n",                               //
                                     {0x38, 0xCF, 0x01}, "AA", {0x81, 0xF0, 0x3F, 0x81, 0x81, 0x00}, "c", //
                                     {0xFF, 0xFF}})));

    // The document element itself without namespace: no default is declared.
    NewWriter();
    writer->SetDefaultNamespace("urn:d");
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x00}, "r", {0xFF}})));
}

TEST_F(FastInfosetWriterDoc, TypeAndNilAttributes)
{
    writer->AddNamespace("xsi", XmlSchemaInstanceNamespaceUri);
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->WriteXsiType("urn:t", "T", ItemType_string);
    writer->WriteNil();
    writer->EndElement();
    writer->WriteDocumentEnd();
    // AA, generated for the type's namespace, is declared on the element too.
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x78, 0xCF, 0x02}, "xsi", {0x28}, XmlSchemaInstanceNamespaceUri,
                                     {0xCF, 0x01}, "AA", {0x04}, "urn:t",             //
                                     {0xF0, 0x3C, 0x00}, "r",                         //
                                     {0x7B, 0x81, 0x81, 0x03}, "type", {0x43}, "AA:T", //
                                     {0x7B, 0x81, 0x81, 0x02}, "nil", {0x43}, "true", {0xF0}, {0xFF}})));
}

TEST_F(FastInfosetWriterDoc, HeaderForms)
{
    writer->WriteHeader(FInfoDecl_Version10StandaloneYes);
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(),
              Hex(Expect({"<?xml version='1.0' encoding='finf' standalone='yes'?>", kHeader, {0xF0}})));

    // The generated vocabulary: announced by URI, and its names are known from the start.
    ctx.SetUseGeneratedVocabulary(true);
    ctx.SetExternalVocabularyURI("urn:v");
    ctx.GetVocabulary()->AddElementName("", "", "r");
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    Leaf("r");
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({{0xE0, 0x00, 0x00, 0x01, 0x20, 0x10, 0x00, 0x04}, "urn:v", {0x00, 0xFF}})));

    ctx.SetExternalVocabularyURI("");
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    const std::string uri = CFastInfosetWriter::DefaultExternalVocabularyURI;
    ASSERT_LE(uri.size(), 64u);
    EXPECT_EQ(Written(), Hex(Expect({{0xE0, 0x00, 0x00, 0x01, 0x20, 0x10, 0x00, static_cast<int>(uri.size() - 1)},
                                     uri.c_str()})));
    // The writer's copy grows, the options' vocabulary does not.
    writer->StartElement("new", "");
    writer->EndElement();
    EXPECT_EQ(ctx.GetVocabulary()->GetElementNamesTable().m_table.size(), 1u);
    EXPECT_EQ(writer->GetVocabulary().GetElementNamesTable().m_table.size(), 2u);
}

TEST_F(FastInfosetWriterDoc, CommentsAndInstructionsAreDropped)
{
    writer->WriteHeader(FInfoDecl_None);
    writer->WriteComment("c");
    writer->StartElement("r", "");
    writer->WriteProcessingInstruction("<?pi?>");
    writer->WriteInlineSchema("<xs:schema/>");
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x3C, 0x00}, "r", {0xFF}})));
}

// ---- typed values ----

TEST_F(FastInfosetWriterDoc, RestrictedAlphabetsAndAlgorithms)
{
    ctx.SetSuggestedValues();
    NewWriter();
    writer->WriteHeader(FInfoDecl_None);
    writer->StartElement("r", "");
    writer->WriteAttribute("d", "", "2024-01-15", ItemType_date); // alphabet 2, even length, not added
    writer->WriteAttribute("n", "", "258", ItemType_i4);          // int algorithm, added
    writer->WriteAttribute("x", "", "-1.5e3", ItemType_decimal);  // alphabet 1
    writer->WriteText("1:2", ItemType_time, false);               // odd length ends with nibble F
    writer->WriteText("true", ItemType_boolean, false);           // boolean algorithm
    writer->WriteText("258", ItemType_i4, false);                 // int algorithm, 4 octets from bit 7
    writer->WriteText("true", ItemType_boolean, false);           // chunk 2
    writer->EndElement();
    writer->WriteDocumentEnd();
    EXPECT_EQ(Written(), Hex(Expect({kHeader, {0x7C, 0x00}, "r",                                          //
                                     {0x78, 0x00}, "d", {0x20, 0x14, 0x20, 0x24, 0xA0, 0x1A, 0x15},       //
                                     {0x78, 0x00}, "n", {0x70, 0x33, 0x00, 0x00, 0x01, 0x02},             //
                                     {0x78, 0x00}, "x", {0x20, 0x02, 0xA1, 0xC5, 0xD3},             //
                                     {0xF0}, {0x98, 0x05, 0x1B, 0x2F}, {0x9C, 0x14, 0x38},                //
                                     {0x9C, 0x0E, 0x01, 0x00, 0x00, 0x01, 0x02}, {0xA1}, {0xFF}})));
}

TEST_F(FastInfosetWriterDoc, RestrictedAlphabetPacking)
{
    // Eight-bit codes for alphabets of 128 to 255 characters.
    std::string wide;
    for (int c = 32; c < 32 + 200; ++c)
        wide += static_cast<char>(c);
    writer->GetVocabulary().GetRestrictedAlphabets()[0] = wide;
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(1, " !A")), "00 01 21");
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(2, "12")), "12");
    EXPECT_EQ(Hex(writer->PackRestrictedAlphabetString(2, "Z")), "DF");

    const struct {
        std::string alphabet;
        const char* message;
    } failures[] = {
        {"0123456789abcdefg", "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString."},
        {"01", "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString."},
        {"0", "Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain between 2 and 2^20 "
              "characters."},
    };
    for (const auto& f : failures) {
        writer->GetVocabulary().GetRestrictedAlphabets()[0] = f.alphabet;
        EXPECT_EQ(MessageOf([&] { writer->PackRestrictedAlphabetString(1, "0"); }), f.message) << f.alphabet;
    }
    EXPECT_EQ(MessageOf([&] { writer->PackRestrictedAlphabetString(2, "12a"); }),
              "Failed to write FastInfoset. Invalid character not found for Restricted Alphabet.");
}

TEST_F(FastInfosetWriterDoc, EncodingFailures)
{
    const struct {
        E encoding;
        unsigned char stringEncoding;
        const char* attributeMessage;
        const char* textMessage;
    } cases[] = {
        {E(0, 0), 1, "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5.",
         "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5."},
        {E(1, 3), 0, "Failed to write FastInfoset. Invalid Restricted Alphabet value [3]",
         "Failed to write FastInfoset. Invalid Restricted Alphabet value [3]"},
        {E(1, 0), 0, "Failed to write FastInfoset. Invalid Restricted Alphabet value [0]",
         "Failed to write FastInfoset. Invalid Restricted Alphabet value [0]"},
        {E(2, 11), 0, "Failed to write FastInfoset. Invalid Encoding Algorithm value [11]",
         "Failed to write FastInfoset. Invalid Encoding Algorithm value [11]"},
        {E(2, 0), 0, "Failed to write FastInfoset. Invalid Encoding Algorithm value [0]",
         "Failed to write FastInfoset. Invalid Encoding Algorithm value [0]"},
        {E(3, 1), 0, "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit5.",
         "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit7."},
    };
    for (const auto& c : cases) {
        ctx.SetEncoding(ItemType_string, c.encoding);
        ctx.SetDefaultStringEncoding(c.stringEncoding);
        NewWriter();
        writer->StartElement("r", "");
        EXPECT_EQ(MessageOf([&] { writer->WriteAttribute("a", "", "1", ItemType_string); }), c.attributeMessage);
        EXPECT_EQ(MessageOf([&] { writer->WriteText("1", ItemType_string, false); }), c.textMessage);
        writer->EndElement();
    }
    // A value the algorithm's type cannot hold fails in the conversion: ui8 goes through i8.
    ctx.SetDefaultStringEncoding(0);
    ctx.SetSuggestedValues();
    NewWriter();
    writer->StartElement("r", "");
    EXPECT_THROW(writer->WriteAttribute("a", "", "18446744073709551615", ItemType_ui8), CTsInvalidValueException);
    writer->EndElement();
}

// ---- integers and lengths ----

enum Form { Bit2, OrZeroBit2, Bit3, Bit4, Bit5, Bit7 };

void WriteInteger(CFastInfosetWriter& w, Form form, unsigned char leading, std::uint32_t value)
{
    switch (form) {
    case Bit2: w.WriteIntegerBit2(leading, value); break;
    case OrZeroBit2: w.WriteIntegerOrZeroBit2(leading, value); break;
    case Bit3: w.WriteIntegerBit3(leading, value); break;
    default: w.WriteIntegerBit4(leading, value); break;
    }
}

void WriteOctetString(CFastInfosetWriter& w, Form form, unsigned char leading, const std::string& octets)
{
    switch (form) {
    case Bit2: w.WriteOctetStringBit2(leading, octets); break;
    case Bit5: w.WriteOctetStringBit5(leading, octets); break;
    default: w.WriteOctetStringBit7(leading, octets); break;
    }
}

TEST_F(FastInfosetWriterDoc, IntegerFormsAtTheirBoundaries)
{
    const struct {
        Form form;
        unsigned char leading;
        std::uint32_t value;
        const char* octets;
    } cases[] = {
        {Bit2, 0x80, 1, "80"},
        {Bit2, 0x80, 64, "BF"},
        {Bit2, 0x80, 65, "C0 00"},
        {Bit2, 0x80, 8256, "DF FF"},
        {Bit2, 0x80, 8257, "E0 00 00"},
        {Bit2, 0x00, 1u << 20, "6F DF BF"},
        {OrZeroBit2, 0x80, 0, "FF"},
        {OrZeroBit2, 0x80, 1, "80"},
        {Bit3, 0x40, 1, "40"},
        {Bit3, 0x00, 32, "1F"},
        {Bit3, 0x00, 33, "20 00"},
        {Bit3, 0x00, 2080, "27 FF"},
        {Bit3, 0x00, 2081, "28 00 00"},
        {Bit3, 0x00, 526368, "2F FF FF"},
        {Bit3, 0x00, 526369, "30 00 00 00"},
        {Bit3, 0x40, 1u << 20, "70 07 F7 DF"},
        {Bit4, 0xA0, 1, "A0"},
        {Bit4, 0xA0, 16, "AF"},
        {Bit4, 0xA0, 17, "B0 00"},
        {Bit4, 0xA0, 1040, "B3 FF"},
        {Bit4, 0xA0, 1041, "B4 00 00"},
        {Bit4, 0xA0, 263184, "B7 FF FF"},
        {Bit4, 0xA0, 263185, "B8 00 00 00"},
        {Bit4, 0xA0, 1u << 20, "B8 0B FB EF"},
    };
    for (const auto& c : cases) {
        NewWriter();
        WriteInteger(*writer, c.form, c.leading, c.value);
        EXPECT_EQ(Written(), c.octets) << c.value;
    }
}

TEST_F(FastInfosetWriterDoc, LengthFormsAtTheirBoundaries)
{
    const struct {
        Form form;
        unsigned char leading;
        std::size_t length;
        const char* lengthOctets;
    } cases[] = {
        {Bit2, 0x00, 1, "00"},
        {Bit2, 0x00, 64, "3F"},
        {Bit2, 0x80, 65, "C0 00"},
        {Bit2, 0x00, 320, "40 FF"},
        {Bit2, 0x00, 321, "60 00 00 00 00"},
        {Bit2, 0x00, 321 + 0x10203, "60 00 01 02 03"},
        {Bit5, 0x40, 1, "40"},
        {Bit5, 0x40, 8, "47"},
        {Bit5, 0x40, 9, "48 00"},
        {Bit5, 0x00, 264, "08 FF"},
        {Bit5, 0x00, 265, "0C 00 00 00 00"},
        {Bit7, 0x90, 1, "90"},
        {Bit7, 0x90, 2, "91"},
        {Bit7, 0x90, 3, "92 00"},
        {Bit7, 0x90, 258, "92 FF"},
        {Bit7, 0x80, 259, "83 00 00 00 00"},
        {Bit7, 0x80, 260, "83 00 00 00 01"},
    };
    for (const auto& c : cases) {
        NewWriter();
        const std::string octets(c.length, 'z');
        WriteOctetString(*writer, c.form, c.leading, octets);
        const std::string expected = c.lengthOctets;
        const std::string written = Octets(stream.GetData());
        const std::size_t lengthSize = (expected.size() + 1) / 3;
        ASSERT_EQ(written.size(), lengthSize + c.length) << c.length;
        EXPECT_EQ(Hex(written.substr(0, lengthSize)), expected) << c.length;
        EXPECT_EQ(written.substr(lengthSize), octets) << c.length;
    }
}

// ---- trace ----

std::string g_trace;
void CollectTrace(const char* text) { g_trace += text; }

TEST_F(FastInfosetWriterDoc, TraceReportsEveryCall)
{
    g_trace.clear();
    SetDebugTraceSink(CollectTrace);
    writer->AddNamespace("xsi", XmlSchemaInstanceNamespaceUri);
    writer->StartElement("r", "urn:a");
    writer->WriteAttribute("id", "", "1", ItemType_string);
    writer->WriteAttribute("q", "urn:q", "2", ItemType_string);
    writer->WriteXsiType("urn:t", "T", ItemType_string);
    writer->StartElement("c", "");
    writer->WriteText("x", ItemType_string, false);
    writer->EndElement();
    writer->EndElement();
    SetDebugTraceSink(nullptr);
    EXPECT_EQ(g_trace, "Root Elm: urn:a::r\n"
                       "Add Att: ::id\nAtt Val: 1\n"
                       "Add Att: AB urn:q::q\nAtt Val: 2\n"
                       "Add Att: xsi http://www.w3.org/2001/XMLSchema-instance::type\nAtt Val: AC:T\n"
                       "New Elm: ::c\nElm Val: x\nEnd Elm: ::c\nEnd Elm: urn:a::r\n");
}

// ---- entry points ----

// <leaf>text</leaf>, as generated code would write it.
class LeafObject : public CXmlObjectBase, private CInstanceMonitor {
public:
    LeafObject() : TS_INSTANCE_MONITOR("CFastInfosetLeaf") { SetElementName("leaf"); }
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return ""; }
    std::string text = "v";

protected:
    std::string GetTargetNamespace() override { return ""; }
    void ToXml_Int(CXmlWriter* w, bool, const char* ns, const CSerializationContext&, bool) const override
    {
        w->StartElement(GetElementName(), ns);
        w->WriteText(text, ItemType_string, false);
        w->EndElement();
    }
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

TEST(FastInfosetWriterEntryPoints, StreamAndFile)
{
    CSerializationContext ctx;
    CSmartPtr<LeafObject> leaf(new LeafObject);
    EXPECT_EQ(Hex(Octets(leaf->ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None))),
              Hex(Expect({kHeader, {0x3C, 0x03}, "leaf", {0x90}, "v", {0xFF}})));

    leaf->text = std::string(2000, 'a');
    CBinaryData plain = leaf->ToFastInfosetStream(FInfoDecl_Encoding, ctx, CompressionType_None);
    CBinaryData compressed = leaf->ToFastInfosetStream(FInfoDecl_Encoding, ctx, CompressionType_GZIP);
    ASSERT_LT(compressed.GetLength(), plain.GetLength());
    unsigned long length = compressed.GetLength();
    unsigned char* bytes = compressed.ReleaseData();
    ASSERT_TRUE(CTsZip().Decompress(&bytes, &length));
    EXPECT_EQ(CBinaryData(bytes, length, true), plain);

    const std::string path = ::testing::TempDir() + "fi_writer_" + std::to_string(getpid()) + ".fi";
    leaf->ToFastInfosetFile(path.c_str(), FInfoDecl_Encoding, ctx, CompressionType_None);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), Octets(plain));
    std::remove(path.c_str());
    EXPECT_EQ(MessageOf([&] { leaf->ToFastInfosetFile(path.c_str(), FInfoDecl_None, ctx, CompressionType_ZLIB); }),
              "ZLIB Compression only available for To Stream methods.");
}

} // namespace
