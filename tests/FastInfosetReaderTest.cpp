// Reading Fast Infoset: documents as exact octets (structures, number and
// length forms, failures), and the library's own documents read back.
#include "samples/coverage/CoverageObject.h"
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tests/TestSupport.h"
#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;
using TestSupport::MessageOf;

namespace {

// Numbers are single octets, strings their bytes.
struct Part {
    std::string octets;
    Part(std::initializer_list<int> values) { for (int v : values) octets += static_cast<char>(v); }
    Part(const char* text) : octets(text) {}
    Part(const std::string& text) : octets(text) {}
};
std::string Octets(std::initializer_list<Part> parts)
{
    std::string out;
    for (const auto& p : parts) out += p.octets;
    return out;
}

const Part kHeader = {0xE0, 0x00, 0x00, 0x01, 0x00};

// Literal names of 1 to 64 bytes, short UTF-8 values and chunks, no namespaces.
Part Name(const std::string& name) { return Part(Octets({{static_cast<int>(name.size() - 1)}, name})); }
Part Element(const std::string& name) { return Part(Octets({{0x3C}, Name(name)})); }
Part ElementWithAttributes(const std::string& name) { return Part(Octets({{0x7C}, Name(name)})); }
Part Attribute(const std::string& name, const std::string& value, bool add = false)
{
    return Part(Octets({{0x78}, Name(name), {(add ? 0x40 : 0x00) | static_cast<int>(value.size() - 1)}, value}));
}
Part Chunk(const std::string& text) { return Part(Octets({{0x80 | static_cast<int>(text.size() - 1)}, text})); }

const CSerializationContext& kDefault = CSerializationContext::GetDefaultContext();

std::unique_ptr<CXmlDocument> Load(const std::string& octets, const CSerializationContext& ctx = kDefault)
{
    auto doc = std::make_unique<CXmlDocument>(ctx);
    std::vector<unsigned char> bytes(octets.begin(), octets.end());
    doc->LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
    return doc;
}

std::string LoadError(const std::string& octets) { return MessageOf([&] { Load(octets); }); }

// The infoset of a tree as compact text: {ns}name[attributes](text children).
std::string Infoset(const CXmlElement* element)
{
    std::string out = "{" + element->GetNamespaceURI() + "}" + element->GetLocalName();
    if (!element->GetAttributes().empty()) {
        out += "[";
        for (const CXmlAttribute* a : element->GetAttributes())
            out += "{" + a->GetNamespaceURI() + "}" + a->GetLocalName() + "=" + a->GetValue() + ";";
        out += "]";
    }
    out += "(" + element->GetText();
    for (const CXmlElement* c = element->GetFirstElement(); c; c = c->GetNextSiblingElement())
        out += " " + Infoset(c);
    return out + ")";
}

std::string InfosetOf(const std::string& octets)
{
    auto doc = Load(octets);
    return doc->GetDocumentElement() ? Infoset(doc->GetDocumentElement()) : "<none>";
}

} // namespace

TEST(FastInfosetReader, DocumentStructureFromExactOctets)
{
    struct Case { const char* what; std::string octets, infoset; } cases[] = {
        {"attribute list ended by FF: the element ends, its parent goes on",
         Octets({kHeader, Element("r"), ElementWithAttributes("a"), Attribute("x", "1"), {0xFF}, Element("b"),
                 {0xFF, 0xF0}}),
         "{}r( {}a[{}x=1;]() {}b())"},
        {"attribute list ended by F0, then content",
         Octets({kHeader, ElementWithAttributes("a"), Attribute("x", "1"), Attribute("y", "22"), {0xF0},
                 Chunk("t"), {0xFF}}),
         "{}a[{}x=1;{}y=22;](t)"},
        {"names and values referred to by index; index 0 is the empty value",
         Octets({kHeader, ElementWithAttributes("r"), Attribute("x", "v", true), {0xF0}, {0x40}, {0x00},
                 {0x80}, {0x00}, {0xFF}, {0xFF}, {0xFF}}),
         "{}r[{}x=v;]( {}r[{}x=v;{}x=;]())"},
        {"carriage returns in character chunks are dropped",
         Octets({kHeader, Element("a"), {0x82, 0x01}, "a\r\nb", {0xFF}}), "{}a(a\nb)"},
        {"a chunk added to the table and referred to by index",
         Octets({kHeader, Element("r"), Element("s"), {0x90 | 0x01}, "hi", {0xF0}, {0x01}, {0xA0}, {0xFF, 0xF0}}),
         "{}r( {}s(hi) {}s(hi))"},
        {"comments, processing instructions and entity references inside elements are dropped",
         Octets({kHeader, Element("a"), Chunk("x"), {0xE2, 0x01}, "co", {0xE1, 0x00}, "p", {0x00}, "d",
                 {0xC8, 0x00}, "e", Chunk("y"), {0xFF}}),
         "{}a(xy)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(InfosetOf(c.octets), c.infoset);
    }
}

TEST(FastInfosetReader, DeclarationsAndRecognition)
{
    const std::string body = Octets({{0xE0, 0x00, 0x00, 0x01, 0x00}, Element("a"), {0xFF}});
    for (int decl = 1; decl <= 9; ++decl) {
        SCOPED_TRACE(decl);
        EXPECT_EQ(InfosetOf(CFastInfosetContext::GetDeclarationText(decl) + body), "{}a()");
    }
    // Another declaration in front is XML text, for the XML parser to refuse.
    const std::string other = LoadError("<?xml version='1.0' encoding='utf-8'?>" + body);
    EXPECT_EQ(other.find("Failed to parse FastInfoset"), std::string::npos) << other;
    EXPECT_NE(other, "<no exception>");
    EXPECT_EQ(InfosetOf("<a x='1'>t</a>"), "{}a[{}x=1;](t)");
}

TEST(FastInfosetReader, ItemsOutsideTheTreeAreReadOver)
{
    // Every optional component; a comment, a document type declaration with a
    // processing instruction, and a processing instruction.
    const std::string components = Octets({
        {0x7F, 0x00, 0x01}, "id", {0x01}, "xy", // additional data: one pair
        {0x1F, 0xFF, 0x02}, "uri",              // initial vocabulary: every table, external URI
        {0x00, 0x00}, "a", {0x00, 0x00}, "b", {0x00, 0x00}, "p", {0x00, 0x00}, "n", {0x00, 0x00}, "l",
        {0x00, 0x00}, "o", {0x00, 0x00}, "u", {0x00, 0x00}, "v", {0x00, 0x00}, "c", {0x00, 0x00}, "s",
        {0x00, 0x03, 0x81, 0x82, 0x83}, {0x00, 0x00, 0x80}, // element and attribute name surrogates
        {0xC3, 0x00}, "n", {0x00}, "s", {0x00}, "p", {0xF0},          // notation with both identifiers
        {0xD1, 0x00}, "e", {0x00}, "s", {0x00}, "p", {0x00}, "n", {0xF0}, // unparsed entity
        {0x03}, "finf", {0x01}, {0x02}, "1.0",                        // encoding scheme, standalone, version
    });
    const std::string document = Octets({{0xE0, 0x00, 0x00, 0x01}, components, {0xE2, 0x40}, "c",
                                         {0xC7, 0x00}, "s", {0x00}, "p", {0xE1, 0x00}, "t", {0x00}, "d", {0xF0},
                                         {0xE1, 0x00}, "t", {0x00}, "d", Element("a"), Chunk("ok"), {0xF0}, {0xE2},
                                         {0x80}, {0xF0}});
    EXPECT_EQ(InfosetOf(document), "{}a(ok)");
}

TEST(FastInfosetReader, NamespacesPrefixesAndAliases)
{
    // <p:r xmlns:p="urn:p" xmlns="urn:d"><s xmlns:q="urn:q" q:a="1"/></p:r>
    auto doc = Load(Octets({kHeader, {0x38, 0xCF, 0x00}, "p", {0x04}, "urn:p", {0xCD, 0x04}, "urn:d", {0xF0},
                            {0x3F, 0x81, 0x81, 0x00}, "r", {0x78, 0xCF, 0x00}, "q", {0x04}, "urn:q", {0xF0},
                            {0x3D, 0x82, 0x00}, "s", {0x7B, 0x82, 0x83, 0x00}, "a", {0x00}, "1", {0xFF, 0xFF}}));
    EXPECT_EQ(Infoset(doc->GetDocumentElement()), "{urn:p}r( {urn:d}s[{urn:q}a=1;]())");
    EXPECT_EQ(doc->LookupNamespaceFromAlias("p"), "urn:p");
    EXPECT_EQ(doc->LookupNamespaceFromAlias(""), "urn:d");
    EXPECT_EQ(doc->LookupNamespaceFromAlias("q"), "urn:q");
    // The predefined prefix "xml" and its namespace are entry 1 of their tables.
    EXPECT_EQ(InfosetOf(Octets({kHeader, ElementWithAttributes("a"), {0x7B, 0x80, 0x80, 0x03}, "lang", {0x01},
                                "en", {0xFF, 0xF0}})),
              "{}a[{http://www.w3.org/XML/1998/namespace}lang=en;]()");
    EXPECT_EQ(LoadError(Octets({kHeader, {0x3E, 0x00}, "p", {0x00}, "a", {0xFF}})),
              "Failed to parse FastInfoset. Invalid QName type Prefix without Namespace.");
}

TEST(FastInfosetReader, EncodedCharacterStrings)
{
    auto valueOf = [](const Part& value, const CSerializationContext& ctx = kDefault) {
        auto doc = Load(Octets({kHeader, ElementWithAttributes("a"), {0x78}, Name("v"), value, {0xF0, 0xFF}}), ctx);
        return doc->GetDocumentElement()->GetAttributes().at(0)->GetValue();
    };
    // Alphabets 1 and 2: four bits per character, an odd count ends with the all-ones nibble.
    EXPECT_EQ(valueOf({0x20, 0x01, 0x12, 0x3F}), "123");
    EXPECT_EQ(valueOf({0x20, 0x11, 0x1A, 0x2F}), "1-2");
    // UTF-16 (big-endian), outside the basic plane too; chunk and attribute forms.
    EXPECT_EQ(valueOf({0x15, 0x00, 0xE9, 0xD8, 0x3D, 0xDE, 0x00}), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(InfosetOf(Octets({kHeader, Element("a"), {0x86, 0x01, 0x00, 0x41, 0x00, 0x42}, {0xFF}})),
              "{}a(AB)");
    // Encoding algorithms: int, base64, boolean, cdata.
    EXPECT_EQ(valueOf({0x30, 0x33, 0x00, 0x00, 0x00, 0x2A}), "42");
    EXPECT_EQ(valueOf({0x30, 0x12, 0x01, 0x02, 0xFF}), "AQL/");
    EXPECT_EQ(valueOf({0x30, 0x91, 'x', 'y'}), "xy");
    EXPECT_EQ(MessageOf([&] { valueOf({0x30, 0xA0, 0x00}); }),
              "Failed to parse FastInfoset. Encoding algorithm 11 is not one of the built-in algorithms.");
    EXPECT_EQ(MessageOf([&] { valueOf({0x12, 0x00, 0xE9, 0xD8}); }),
              "Failed to parse FastInfoset. Invalid UTF-16 string: odd number of octets.");

    // Other sizes are read bit by bit: two-bit and five-bit codes; one letter is refused.
    CSerializationContext ctx;
    ctx.GetFIContext().SetUseGeneratedVocabulary(true);
    auto& alphabets = ctx.GetFIContext().GetVocabulary()->GetRestrictedAlphabets();
    alphabets.push_back("abc");
    alphabets.push_back("abcdefghijklmnopqrst");
    alphabets.push_back("z");
    EXPECT_EQ(valueOf({0x20, 0x21, 0x18, 0x7F}, ctx), "abcab");
    // "tab" = codes 19, 0, 1 then 31: 10011 00000 00001 11111 + padding.
    EXPECT_EQ(valueOf({0x20, 0x32, 0x98, 0x03, 0xFF}, ctx), "tab");
    // Code 25 is past the end of the 20 letters.
    EXPECT_EQ(MessageOf([&] { valueOf({0x20, 0x30, 0xCF}, ctx); }),
              "Failed to parse FastInfoset. Invalid character code for the Restricted Alphabet.");
    EXPECT_EQ(MessageOf([&] { valueOf({0x20, 0x40, 0x00}, ctx); }),
              "Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. Alphabet must contain between 2 "
              "and 2^20 characters.");
    EXPECT_EQ(MessageOf([&] { valueOf({0x20, 0x50, 0x00}, ctx); }),
              "Failed to parse FastInfoset. Restricted alphabet 6 is not defined.");
}

TEST(FastInfosetReader, LongNumberAndLengthFormsDecodeTheirValues)
{
    // An index past a table reports the decoded value, which shows the offsets of the multi-octet forms.
    struct Case { Part element; const char* message; } cases[] = {
        {{0x20, 0x00}, "Index 33 is beyond the element name table (0 entries)."},
        {{0x28, 0x00, 0x00}, "Index 2081 is beyond the element name table (0 entries)."},
        {{0x30, 0x00, 0x00, 0x00}, "Index 526369 is beyond the element name table (0 entries)."},
        {Octets({ElementWithAttributes("a"), {0x6F, 0xDF, 0xBF}}),
         "Index 1048576 is beyond the attribute name table (0 entries)."},
        {{0x3C, 0xC0, 0x00}, "Index 65 is beyond the local name table (0 entries)."},
        {{0x3C, 0xE0, 0x00, 0x00}, "Index 8257 is beyond the local name table (0 entries)."},
        {{0x3C, 0x00, 'a', 0xB0, 0x00}, "Index 17 is beyond the character chunk table (0 entries)."},
        {{0x3C, 0x00, 'a', 0xB4, 0x00, 0x00}, "Index 1041 is beyond the character chunk table (0 entries)."},
        {{0x3C, 0x00, 'a', 0xB8, 0x00, 0x00, 0x00}, "Index 263185 is beyond the character chunk table (0 entries)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(LoadError(Octets({kHeader, c.element, {0xFF}})), std::string("Failed to parse FastInfoset. ") + c.message);
    }

    // Names, values and texts round each length form's boundaries.
    for (int length : {1, 2, 3, 8, 9, 64, 65, 258, 259, 264, 265, 320, 321, 1000}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'n');
        auto form = [&](int first, int small, int medium, int large, int longest) {
            const int n = length - 1;
            return length <= small   ? Octets({{first | n}, text})
                   : length <= large ? Octets({{medium, n - small}, text})
                                     : Octets({{longest, 0, 0, (n - large) >> 8, (n - large) & 0xFF}, text});
        };
        const std::string name = form(0x00, 64, 0x40, 320, 0x60), chunk = form(0x80, 2, 0x82, 258, 0x83),
                          value = form(0x00, 8, 0x08, 264, 0x0C);
        auto doc = Load(Octets({kHeader, {0x7C}, name, {0x78}, name, value, {0xF0}, chunk, {0xFF}}));
        const CXmlElement* root = doc->GetDocumentElement();
        EXPECT_EQ(root->GetLocalName(), text);
        EXPECT_EQ(root->GetAttributes().at(0)->GetLocalName(), text);
        EXPECT_EQ(root->GetAttributes().at(0)->GetValue(), text);
        EXPECT_EQ(root->GetText(), text);
    }
}

TEST(FastInfosetReader, MalformedInputIsRefused)
{
    const std::string eof = "Unexpected End of File.", bits = "Invalid Encoding of integers ";
    const Part a = ElementWithAttributes("a");
    struct Case { std::string octets, message; } cases[] = {
        {Octets({kHeader, Element("a"), Element("b"), {0xF0}}), eof},
        {Octets({{0xE0, 0x00, 0x00, 0x01}}), eof},
        {Octets({kHeader, {0x3C, 0x05}, "ab"}), eof},
        {Octets({kHeader, {0x3C, 0x60, 0xFF, 0xFF, 0xFF, 0xFF}, "ab"}), eof},
        {Octets({kHeader, {0x37, 0xFF}}), bits + "1 To 2^20 type  on the third bit of an octet."},
        {Octets({kHeader, a, {0x70, 0xFF}}), bits + "1 To 2^20 type  on the second bit of an octet."},
        {Octets({kHeader, a, Attribute("x", "1"), {0x00, 0xF0, 0xFF}}), bits + "0 To 2^20 type  on the second bit of an octet."},
        {Octets({kHeader, Element("a"), {0xBC, 0xFF}}), bits + "1 To 2^20 type  on the fourth bit of an octet."},
        {Octets({kHeader, {0x3C, 0x41, 0x00}, "a"}), "Invalid NonEmptyOctetString type  on the second bit of an octet."},
        {Octets({kHeader, a, {0x78, 0x00}, "x", {0x09, 0x00}}),
         "Invalid NonEmptyOctetString type  on the fifth bit of an octet."},
        {Octets({kHeader, Element("a"), {0xC0, 0xFF}}), "Invalid Encoding of Element type."},
        {Octets({kHeader, Element("a"), {0xF0}, Element("b"), {0xFF}}), "The document has more than one document element."},
        {Octets({kHeader, {0xF0}}), "The document has no document element."},
        {Octets({kHeader, {0xE1, 0x80}}), "Index 1 is beyond the other NCName table (0 entries)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(LoadError(c.octets), "Failed to parse FastInfoset. " + c.message);
    }
}

TEST(FastInfosetReader, NestingIsBoundByMemoryNotTheCallStack)
{
    const std::size_t depth = 1000000;
    // Element name 1 depth - 1 times, then an end for each and for the document.
    const std::string octets = Octets({kHeader, Element("a")}) + std::string(depth - 1, '\0') +
                               std::string(depth + 1, static_cast<char>(0xF0));
    auto doc = Load(octets);
    std::size_t levels = 0;
    for (const CXmlElement* e = doc->GetDocumentElement(); e; e = e->GetFirstElement()) ++levels;
    EXPECT_EQ(levels, depth);
}

TEST(FastInfosetReader, ElementsAreReportedToTheTrace)
{
    static std::string trace;
    trace.clear();
    SetDebugTraceSink([](const char* text) { trace += text; });
    Load(Octets({kHeader, {0x38, 0xCD, 0x00}, "u", {0xF0}, {0x3D, 0x81, 0x00}, "r", Element("c"), {0xFF, 0xF0}}));
    SetDebugTraceSink(nullptr);
    EXPECT_EQ(trace, "New Root Elm: u::r\nNew Elm: ::c\nEnd Elm: ::c\nEnd Elm: u::r\n");
}

// ---- documents written by the library ----

TEST(FastInfosetReader, SampleObjectsReadBackFromEveryForm)
{
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    po->FromXmlFile(TSXMLLIB_SAMPLES_DATA_DIR "/purchaseOrder.xml", kDefault);
    CSmartPtr<CCoverageObject> coverage = CCoverageObject::Create(Coverage_Root, "root");
    coverage->FromXml((std::string("<root xmlns='") + kCoverageNamespace +
                       "' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' code='ABC'><prim>text</prim>"
                       "<primOpt>5</primOpt><color>green</color><child id='1'>leaf text</child><shape "
                       "xsi:type='circle'><size>1.5</size></shape><partA>in line</partA><leaf>x</leaf><leaf>y</leaf>"
                       "<pick><num>4</num></pick></root>").c_str(), kDefault);

    for (FInfoDecl decl : {FInfoDecl_None, FInfoDecl_Encoding, FInfoDecl_Version11StandaloneNo})
        for (bool vocabulary : {false, true})
            for (CompressionType compression : {CompressionType_None, CompressionType_GZIP, CompressionType_ZLIB}) {
                SCOPED_TRACE(std::to_string(decl) + "/" + std::to_string(vocabulary) + "/" + std::to_string(compression));
                CSerializationContext ctx;
                ctx.GetFIContext().SetUseGeneratedVocabulary(vocabulary);
                CSmartPtr<CPurchaseOrder> poCopy = CPurchaseOrder::CreateInstance();
                poCopy->FromXmlStream(po->ToFastInfosetStream(decl, ctx, compression), ctx);
                EXPECT_EQ(poCopy->ToXml(true, true, EOLType_LF, ctx), po->ToXml(true, true, EOLType_LF, ctx));
                CSmartPtr<CCoverageObject> coverageCopy = CCoverageObject::Create(Coverage_Root, "root");
                coverageCopy->FromXmlStream(coverage->ToFastInfosetStream(decl, ctx, compression), ctx);
                EXPECT_EQ(coverageCopy->ToXml(true, true, EOLType_LF, ctx), coverage->ToXml(true, true, EOLType_LF, ctx));
            }

    // Through a file, which refuses ZLIB.
    const std::string path = ::testing::TempDir() + "fi-reader-po.fi";
    CSerializationContext ctx;
    po->ToFastInfosetFile(path.c_str(), FInfoDecl_Encoding, ctx, CompressionType_GZIP);
    CSmartPtr<CPurchaseOrder> fromFile = CPurchaseOrder::CreateInstance();
    fromFile->FromXmlFile(path.c_str(), ctx);
    EXPECT_EQ(fromFile->ToXml(true, true, EOLType_LF, ctx), po->ToXml(true, true, EOLType_LF, ctx));
    std::remove(path.c_str());
    EXPECT_EQ(MessageOf([&] { po->ToFastInfosetFile(path.c_str(), FInfoDecl_None, ctx, CompressionType_ZLIB); }),
              "ZLIB Compression only available for To Stream methods.");
}

// Every index form, long and repeated strings, empty values, non-BMP characters, inner namespaces.
TEST(FastInfosetReader, UntypedDocumentsKeepTheirInfoset)
{
    std::string xml = "<r xmlns='urn:d' xmlns:p='urn:p'>";
    for (int i = 0; i < 9000; ++i) {
        const std::string n = std::to_string(i);
        xml += "<e" + n + " a" + n + "='v" + n + "' p:b='same' c=''>t" + n + "</e" + n + ">";
    }
    xml += "<q:x xmlns:q='urn:q' q:y='\xF0\x9F\x98\x80'>" + std::string(400, 'L') + "<p:z>" + std::string(70, 'M') +
           "</p:z></q:x></r>";
    CElement original("r");
    original.FromXml(xml.c_str());
    for (bool vocabulary : {false, true}) {
        CSerializationContext ctx;
        ctx.GetFIContext().SetUseGeneratedVocabulary(vocabulary);
        CElement copy("r");
        copy.FromXmlStream(original.ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_GZIP), ctx);
        EXPECT_EQ(copy.ToXml(false, false, EOLType_LF, ctx), original.ToXml(false, false, EOLType_LF, ctx)) << vocabulary;
    }
}
