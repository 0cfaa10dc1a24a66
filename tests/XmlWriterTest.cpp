// The XML text writer, byte for byte, driven end to end through the object
// base's ToXml, ToXmlStream and ToXmlFile by a small object that plays a script
// of writer calls.
#include "tsxmllib/FileTextStream.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/XmlObjectBase.h"
#include "tsxmllib/XmlTextWriter.h"
#include "tsxmllib/XmlWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace TsXmlLib16;

namespace {

const std::string kXsi = "http://www.w3.org/2001/XMLSchema-instance";

// An object whose ToXml_Int runs a script against the writer it is given.
class ScriptedObject : public CXmlObjectBase {
public:
    using Script = std::function<void(CXmlWriter&)>;
    explicit ScriptedObject(Script script) : m_script(std::move(script)) {}

    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:target"; }

    mutable std::string m_rootNamespace;
    mutable bool m_isRoot = false;

protected:
    std::string GetTargetNamespace() override { return "urn:target"; }
    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext&,
                   bool) const override
    {
        m_isRoot = isRoot;
        m_rootNamespace = ns;
        m_script(*writer);
    }
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement*, const CSerializationContext&, bool) override
    {
        return nullptr;
    }

private:
    Script m_script;
};

void Leaf(CXmlWriter& w, const std::string& name, const std::string& text = "", const std::string& ns = "")
{
    w.StartElement(name, ns);
    w.WriteText(text, ItemType_string, false);
    w.EndElement();
}

std::string Bytes(const CBinaryData& data)
{
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class XmlWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
        m_async = IsAsyncToXmlFile();
        m_codePage = GetLocalCharEncoding();
        SetLocalCharEncoding(CodePage_UTF8);
    }
    void TearDown() override
    {
        AsyncToXmlFile(m_async);
        SetLocalCharEncoding(m_codePage);
    }

    std::string Flat(ScriptedObject::Script script)
    {
        return WellFormed(ScriptedObject(std::move(script)).ToXml(false, false, EOLType_LF, m_ctx));
    }
    std::string Pretty(ScriptedObject::Script script, EOLType eol = EOLType_LF)
    {
        return WellFormed(ScriptedObject(std::move(script)).ToXml(false, true, eol, m_ctx));
    }
    // Every document the writer produces must be accepted by an independent checker.
    static std::string WellFormed(const std::string& text)
    {
        std::string error;
        EXPECT_TRUE(TestSupport::IsWellFormedXml(text, error)) << error << "\n" << text;
        return text;
    }

    CSerializationContext m_ctx;

private:
    bool m_async = false;
    unsigned int m_codePage = CodePage_UTF8;
};

} // namespace

TEST_F(XmlWriter, UndeclaredNamespacesGetGeneratedPrefixesPerScope)
{
    const std::string xml = Flat([](CXmlWriter& w) {
        w.StartElement("root", "");
        Leaf(w, "a", "", "U");
        w.StartElement("a", "U");  // a sibling declares the prefix again
        Leaf(w, "b", "", "U");     // a child inherits it
        Leaf(w, "c", "", "V");     // another namespace takes the next free prefix
        w.EndElement();
        w.EndElement();
    });
    EXPECT_EQ(xml, "<root><AA:a xmlns:AA=\"U\"/><AA:a xmlns:AA=\"U\"><AA:b/>"
                   "<AB:c xmlns:AB=\"V\"/></AA:a></root>");
    // A prefix declared up front is never generated.
    const std::string skipping = Flat([](CXmlWriter& w) {
        w.AddNamespace("AA", "urn:taken");
        Leaf(w, "root", "", "urn:other");
    });
    EXPECT_EQ(skipping, "<AB:root xmlns:AB=\"urn:other\" xmlns:AA=\"urn:taken\"/>");
}

TEST_F(XmlWriter, NamespacesDeclaredUpFrontAppearOnlyOnTheDocumentElement)
{
    const std::string xml = Flat([](CXmlWriter& w) {
        w.SetDefaultNamespace("D");
        w.AddNamespace("z", "urn:a");
        w.AddNamespace("p", "U");
        w.StartElement("root", "U");
        w.StartElement("c", "U");
        w.WriteAttribute("x", "U", "1", ItemType_i4);
        w.WriteAttribute("lang", "http://www.w3.org/XML/1998/namespace", "en", ItemType_string);
        w.EndElement();
        Leaf(w, "d", "t", "D");
        w.EndElement();
    });
    // Declarations follow the URIs' order; the XML namespace is never declared.
    EXPECT_EQ(xml, "<p:root xmlns=\"D\" xmlns:p=\"U\" xmlns:z=\"urn:a\"><p:c p:x=\"1\" xml:lang=\"en\"/>"
                   "<d>t</d></p:root>");
}

TEST_F(XmlWriter, NamespacesAddedInsideAnElementApplyToItsScopeOnly)
{
    const std::string xml = Flat([](CXmlWriter& w) {
        w.StartElement("root", "");
        w.StartElement("a", "");
        w.AddNamespace("q", "U");  // changes prefix decisions, declares nothing
        Leaf(w, "in", "", "U");
        w.EndElement();
        Leaf(w, "out", "", "U");
        w.StartElement("b", "");
        w.SetDefaultNamespace("U");
        Leaf(w, "dflt", "", "U");
        w.EndElement();
        w.EndElement();
    });
    EXPECT_EQ(xml, "<root><a><q:in/></a><AA:out xmlns:AA=\"U\"/><b><dflt/></b></root>");
}

TEST_F(XmlWriter, GeneratedPrefixesRollOverFromAZToBA)
{
    CXmlWriter::NamespaceMap many;
    for (int i = 0; i < 26; ++i)
        many["urn:" + std::to_string(i)] = std::string("A") + static_cast<char>('A' + i);
    CXmlWriter::CXmlWriterContext crowded(0, "r", "", "", many);
    EXPECT_EQ(crowded.GeneratePrefix(), "BA");
}

TEST_F(XmlWriter, PrettyPrintingIndentsAndEndsLines)
{
    m_ctx.SetIndentChars("  ");
    const auto script = [](CXmlWriter& w) {
        w.StartElement("root", "");
        Leaf(w, "a", "x");
        w.StartElement("b", "");
        Leaf(w, "c");
        w.EndElement();
        Leaf(w, "d");
        w.EndElement();
    };
    EXPECT_EQ(Pretty(script, EOLType_CRLF), "<root>\r\n  <a>x</a>\r\n  <b>\r\n    <c/>\r\n  </b>\r\n  <d/>\r\n</root>\r\n");
    EXPECT_EQ(Flat(script), "<root><a>x</a><b><c/></b><d/></root>");
    // Text before a child leaves the start tag closed without a line end.
    m_ctx.SetIndentChars("\t");
    EXPECT_EQ(Pretty([](CXmlWriter& w) {
                  w.StartElement("m", "");
                  w.WriteText("t", ItemType_string, false);
                  Leaf(w, "c");
                  w.EndElement();
              }),
              "<m>t\t<c/>\n</m>\n");
    // Indent characters changed on a writer that has indented before apply at once.
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.Open();
    writer.StartElement("r", "");
    Leaf(writer, "a");
    writer.SetIndentChars("..");
    Leaf(writer, "b");
    writer.EndElement();
    writer.Close();
    EXPECT_STREQ(stream.GetText(), "<r>\n\t<a/>\n..<b/>\n</r>\n");
    // So do they, and a new line end, for leaf elements written before with the same name.
    CTextStream leaves(XmlEncoding_UTF8);
    CXmlTextWriter leafWriter(&leaves);
    leafWriter.Open();
    leafWriter.StartElement("r", "");
    leafWriter.WriteValueElement("v", "", "1", ItemType_string, false);
    leafWriter.SetIndentChars("..");
    leafWriter.WriteValueElement("v", "", "2", ItemType_string, false);
    leafWriter.SetEOLType(EOLType_CRLF);
    leafWriter.WriteValueElement("v", "", "3", ItemType_string, false);
    leafWriter.EndElement();
    leafWriter.Close();
    EXPECT_STREQ(leaves.GetText(), "<r>\n\t<v>1</v>\n..<v>2</v>\n..<v>3</v>\r\n</r>\r\n");
}

TEST(XmlTextWriter, AStreamThatKeepsItsTextIsAskedToFlushPerFourKilobytes)
{
    // A stream that keeps its text when flushed (as the in-memory one does)
    // is asked again only after another 4096 characters, not after every
    // element; one that empties its buffer is asked whenever 4096 wait.
    struct Counting : CTextStream {
        explicit Counting(bool empties) : CTextStream(XmlEncoding_UTF8), empties(empties) {}
        void Flush() override
        {
            ++flushes;
            if (empties) {
                written += GetBufferedLength();
                m_buffer.Reset();
            }
        }
        bool empties;
        int flushes = 0;
        std::uint32_t written = 0;
    };
    for (const bool empties : {false, true}) {
        Counting stream(empties);
        CXmlTextWriter writer(&stream);
        writer.Open();
        writer.StartElement("r", "");
        for (int i = 0; i < 4000; ++i)
            writer.WriteValueElement("v", "", "0123456789", ItemType_string, false);
        writer.EndElement();
        const std::uint32_t total = stream.written + stream.GetBufferedLength();
        EXPECT_GE(stream.flushes, static_cast<int>(total / 4096) - 1) << empties;
        EXPECT_LE(stream.flushes, static_cast<int>(total / 4096) + 1) << empties;
        writer.Close();
    }
}

TEST_F(XmlWriter, ValueElementsWrittenInOneCallMatchTheElementByElementForm)
{
    for (const bool writeDefaults : {false, true}) {
        m_ctx.SetWriteDefaultElementValues(writeDefaults);
        const auto fused = [](CXmlWriter& w) { TestSupport::WriteValueElements(w, true); };
        const auto separate = [](CXmlWriter& w) { TestSupport::WriteValueElements(w, false); };
        EXPECT_EQ(Flat(fused), Flat(separate));
        EXPECT_EQ(Pretty(fused, EOLType_CRLF), Pretty(separate, EOLType_CRLF));
    }
    m_ctx.SetWriteDefaultElementValues(false);
    std::string longs;
    for (std::size_t length = 200; length <= 270; ++length)
        longs += "<long>" + std::string(length, 'x') + (length % 2 ? "" : "&amp;") + "</long>";
    for (int i = 0; i < 40; ++i)
        longs += "<n" + std::to_string(i) + ">value</n" + std::to_string(i) + ">";
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 24; ++i)
            longs += "<q>" + std::to_string(i) + "</q>";
    EXPECT_EQ(Flat([](CXmlWriter& w) { TestSupport::WriteValueElements(w, true); }),
              "<root xmlns=\"urn:d\" xmlns:p=\"urn:p\" a=\"1\"><first>text</first><none>no namespace</none>"
              "<p:prefixed>x</p:prefixed><AA:undeclared xmlns:AA=\"urn:u\">declared on itself</AA:undeclared>"
              "<AA:undeclared xmlns:AA=\"urn:u\">and again</AA:undeclared><empty/><default/>"
              "<markup>a&lt;b &amp; c&gt;\"d\"\ne</markup><cdata><![CDATA[<kept>]]></cdata>"
              "<plain>tab\tand \xC3\xA9</plain><zero>cut</zero>" +
                  longs + "<p:inner><deep>x</deep><p:deep>x</p:deep></p:inner><last>text</last></root>");
    // The document element itself may be a value element.
    EXPECT_EQ(Pretty([](CXmlWriter& w) { w.WriteValueElement("only", "urn:o", "v", ItemType_string, false); }),
              "<AA:only xmlns:AA=\"urn:o\">v</AA:only>\n");
}

TEST_F(XmlWriter, EscapingDiffersBetweenTextAndAttributes)
{
    const std::string value = "a \"b\" & c<d>\n'\t\r\xC3\xA9";
    const auto script = [&](CXmlWriter& w) {
        w.StartElement("e", "");
        w.WriteAttribute("v", "", value, ItemType_string);
        w.WriteText(value, ItemType_string, false);
        w.EndElement();
    };
    const std::string start = "<e v=\"a &quot;b&quot; &amp; c&lt;d&gt;&#xA;'\t\xC3\xA9\">a \"b\" &amp; c&lt;d&gt;";
    EXPECT_EQ(Flat(script), start + "\n'\t\xC3\xA9</e>");
    EXPECT_EQ(ScriptedObject(script).ToXml(false, false, EOLType_CRLF, m_ctx), start + "\r\n'\t\xC3\xA9</e>");
    // CDATA sections pass unchanged; comments are escaped as text and end the line.
    EXPECT_EQ(Flat([](CXmlWriter& w) {
                  w.StartElement("e", "");
                  w.WriteText("<![CDATA[a<&>b]]>", ItemType_string, false);
                  w.EndElement();
                  w.WriteComment("x < y\n");
              }),
              "<e><![CDATA[a<&>b]]></e><!--x &lt; y\n-->\n");
}

namespace {
// The escaped form of text as the writer must give it, in attribute values or
// in element content; a zero byte ends the text.
std::string Escaped(const std::string& text, bool attribute)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\0': return out;
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\n': out += attribute ? "&#xA;" : "\n"; break;
        case '\r': break;
        default: out += c;
        }
    }
    return out;
}
} // namespace

TEST_F(XmlWriter, MarkupIsEscapedAtEveryPlaceOfALongText)
{
    // Text is searched eight bytes at a time: a character that needs escaping
    // must be found in any position of a word and in the bytes after the last
    // whole word, and characters that only look special (tab, non-ASCII)
    // must come out as they are.
    const std::string base = "abcdefghijklmnopqrstu";
    for (const char special : {'&', '<', '>', '"', '\n', '\r', '\0', '\t', '\xC3'}) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            std::string text = base;
            text[at] = special;
            text[base.size() - 1 - at] = special == '\0' ? 'z' : special; // a second one, mirrored
            const std::string xml = ScriptedObject([&](CXmlWriter& w) {
                                        w.StartElement("e", "");
                                        w.WriteAttribute("v", "", text, ItemType_string);
                                        w.WriteText(text, ItemType_string, false);
                                        w.WriteValueElement("c", "", text, ItemType_string, false);
                                        w.EndElement();
                                    }).ToXml(false, false, EOLType_LF, m_ctx);
            EXPECT_EQ(xml, "<e v=\"" + Escaped(text, true) + "\">" + Escaped(text, false) + "<c>" +
                               Escaped(text, false) + "</c></e>")
                << "character " << static_cast<int>(special) << " at " << at;
        }
    }
}

TEST_F(XmlWriter, AttributeValuesOfAnyLengthAreWrittenWhole)
{
    // Short attributes are put together before they are written; longer ones
    // and those that need escaping are written piece by piece.
    for (std::size_t length = 230; length <= 270; ++length) {
        for (const std::string tail : {"", "\"", "\t"}) {
            const std::string value = std::string(length, 'v') + tail;
            const std::string xml = ScriptedObject([&](CXmlWriter& w) {
                                        w.StartElement("e", "");
                                        w.WriteAttribute("name", "", value, ItemType_string);
                                        w.EndElement();
                                    }).ToXml(false, false, EOLType_LF, m_ctx);
            EXPECT_EQ(xml, "<e name=\"" + Escaped(value, true) + "\"/>") << "length " << length;
        }
    }
}

TEST_F(XmlWriter, TypeAndNilAttributesDeclareWhatTheyNeed)
{
    const std::string undeclared = Flat([](CXmlWriter& w) {
        w.StartElement("r", "");
        w.WriteXsiType("T", "name", ItemType_string);
        w.EndElement();
    });
    EXPECT_EQ(undeclared, "<r xmlns:AA=\"T\"  xmlns:AB=\"" + kXsi + "\" AB:type=\"AA:name\"/>");
    const std::string declared = Flat([](CXmlWriter& w) {
        w.SetDefaultNamespace("T");
        w.AddNamespace("xsi", kXsi);
        w.StartElement("r", "T");
        w.WriteXsiType("T", "name", ItemType_string);
        w.WriteNil();
        w.EndElement();
    });
    EXPECT_EQ(declared, "<r xmlns=\"T\" xmlns:xsi=\"" + kXsi + "\" xsi:type=\"name\" xsi:nil=\"true\"/>");
}

TEST_F(XmlWriter, MisuseIsRefusedWithoutLeavingObjectsBehind)
{
    EXPECT_EQ(TestSupport::MessageOf([&] {
                  Flat([](CXmlWriter& w) {
                      w.StartElement("e", "");
                      Leaf(w, "c");
                      w.WriteNil();
                  });
              }),
              "Attributes must be added before elements");
    EXPECT_EQ(TestSupport::MessageOf([&] { ScriptedObject([](CXmlWriter&) {}).ToXml(false, false, EOLType(2), m_ctx); }),
              "Invalid EOL type.");
    // Far deeper than the stack could unwind recursively.
    EXPECT_EQ(TestSupport::MessageOf([&] {
                  Flat([](CXmlWriter& w) {
                      for (int i = 0; i < 200000; ++i)
                          w.StartElement("d", "");
                  });
              }),
              "An Element has not been closed.");
}

TEST_F(XmlWriter, StreamOutputEncodesAndDeclaresTheEncoding)
{
    ScriptedObject object([](CXmlWriter& w) { Leaf(w, "r", "\xC3\xA9"); });
    EXPECT_EQ(Bytes(object.ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF, m_ctx, CompressionType_None)),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\xC3\xA9</r>");

    const auto utf16 = [](const std::string& ascii, const std::string& tail) {
        std::string out;
        for (char c : ascii)
            out += std::string(1, c) + '\0';
        return out + tail;
    };
    // No byte order mark in a buffer.
    EXPECT_EQ(Bytes(object.ToXmlStream(true, false, XmlEncoding_UTF16, EOLType_LF, m_ctx, CompressionType_None)),
              utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r>", std::string("\xE9\0", 2)) +
                  utf16("</r>", ""));
    EXPECT_EQ(TestSupport::MessageOf([&] {
                  object.ToXmlStream(false, false, XmlEncoding_Unknown, EOLType_LF, m_ctx, CompressionType_None);
              }),
              "Unknown Encoding, select UTF-8 (contact our support team)");
}

TEST_F(XmlWriter, FileOutputDirectAndBufferedGiveTheSameFile)
{
    ScriptedObject object([](CXmlWriter& w) {
        w.StartElement("r", "urn:r");
        for (int i = 0; i < 1500; ++i)
            Leaf(w, "item", "value " + std::to_string(i) + " \xE2\x82\xAC", "urn:r");
        w.EndElement();
    });
    const std::string base = ::testing::TempDir() + "tsxml_" + std::to_string(::getpid());
    const std::string direct = base + "_direct.xml", buffered = base + "_buffered.xml";
    const CBinaryData expected =
        object.ToXmlStream(true, true, XmlEncoding_UTF16, EOLType_CRLF, m_ctx, CompressionType_None);

    AsyncToXmlFile(true);
    object.ToXmlFile(direct.c_str(), true, true, XmlEncoding_UTF16, EOLType_CRLF, m_ctx, CompressionType_None);
    AsyncToXmlFile(false);
    object.ToXmlFile(buffered.c_str(), true, true, XmlEncoding_UTF16, EOLType_CRLF, m_ctx, CompressionType_None);
    EXPECT_EQ(ReadFile(direct), "\xFF\xFE" + Bytes(expected));
    EXPECT_EQ(ReadFile(buffered), ReadFile(direct));
    std::remove(direct.c_str());
    std::remove(buffered.c_str());
}
