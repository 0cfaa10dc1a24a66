// The document tree, the XML text reader, file and buffer loads, and the
// FromXml entry points of the object base.
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlObjectBase.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";

template <class F>
std::string ErrorOf(F&& f)
{
    try {
        f();
    } catch (const CTsException& e) {
        return e.GetMessage();
    }
    return "<no exception>";
}

std::unique_ptr<CXmlDocument> Parse(const std::string& xml,
                                    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext())
{
    auto doc = std::make_unique<CXmlDocument>(ctx);
    doc->LoadXml(xml.c_str());
    return doc;
}

std::vector<CXmlElement*> Children(const CXmlElement* e)
{
    std::vector<CXmlElement*> out;
    for (CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
        out.push_back(c);
    return out;
}

std::string Names(const CXmlElement* e)
{
    std::string out;
    for (const CXmlElement* c : Children(e))
        out += (out.empty() ? "" : ",") + c->GetLocalName();
    return out;
}

std::vector<unsigned char> Bytes(const std::string& s) { return std::vector<unsigned char>(s.begin(), s.end()); }

std::vector<unsigned char> Compressed(const std::string& s, CompressionType type)
{
    unsigned long length = static_cast<unsigned long>(s.size());
    unsigned char* data = new unsigned char[length];
    std::copy(s.begin(), s.end(), data);
    CTsZip().Compress(&data, &length, type);
    std::vector<unsigned char> out(data, data + length);
    delete[] data;
    return out;
}

// A file in the test's temporary folder, removed again at the end of the test.
class TempFile {
public:
    explicit TempFile(const std::string& name) : m_path(::testing::TempDir() + "tsxmllib_" + name) {}
    ~TempFile() { std::remove(m_path.c_str()); }
    const char* Write(const std::string& bytes) const
    {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
        return m_path.c_str();
    }
    const char* Write(const std::vector<unsigned char>& bytes) const { return Write(std::string(bytes.begin(), bytes.end())); }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Process-wide switches changed by a test are restored when it ends.
struct SwitchGuard {
    ~SwitchGuard()
    {
        AsyncFromXmlFile(false);
        SetLocalCharEncoding(CodePage_UTF8);
        ASCIIOnly(false);
    }
};

std::string Repeat(const std::string& s, std::size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

} // namespace

// ---- string and buffer loads ----

TEST(XmlDocument, EmptyInputsAreRefusedWithTheirOwnMessages)
{
    CXmlDocument doc;
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml(""); }), "XML String is empty!");
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml(static_cast<const char*>(nullptr)); }), "XML String is empty!");
    unsigned char byte = '<';
    EXPECT_EQ(ErrorOf([&] { doc.LoadXmlStream(&byte, 0); }), "XML Stream is empty!");
    // The wide form always holds a byte order mark, so the parser decides.
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml(L""); }), "no element found at line 1");
}

TEST(XmlDocument, ParseErrorsCarryTheParserTextAndLine)
{
    CXmlDocument doc;
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml("<a>"); }), "no element found at line 1");
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml("<a>\n\n</b>"); }), "mismatched tag at line 3");
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml("<a/><b/>"); }), "junk after document element at line 1");
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml("<a>\n<b>&</b></a>"); }), "not well-formed (invalid token) at line 2");
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml("<?xml version='1.0' encoding='EBCDIC'?><a/>"); }),
              "unknown encoding at line 1");
    // A failed document loads again and forgets what the failed parse built.
    doc.LoadXml("<ok/>");
    EXPECT_EQ(doc.GetDocumentElement()->GetLocalName(), "ok");
    EXPECT_EQ(doc.GetDocumentElement()->GetFirstElement(), nullptr);
}

TEST(XmlDocument, EntitiesAreNeverLoadedNorExpandedWithoutLimit)
{
    // An external entity is not fetched; its reference leaves nothing behind.
    auto doc = Parse("<!DOCTYPE a [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><a>x&e;y</a>");
    EXPECT_EQ(doc->GetDocumentElement()->GetText(), "xy");

    std::string dtd = "<!ENTITY a0 '" + std::string(100, 'x') + "'>";
    for (int i = 1; i <= 7; ++i)
        dtd += "<!ENTITY a" + std::to_string(i) + " '" + Repeat("&a" + std::to_string(i - 1) + ";", 10) + "'>";
    CXmlDocument bomb;
    EXPECT_EQ(ErrorOf([&] { bomb.LoadXml(("<!DOCTYPE a [" + dtd + "]><a>&a7;</a>").c_str()); }),
              "limit on input amplification factor (from DTD and entities) breached at line 1");
}

TEST(XmlDocument, TreeHoldsNamesAttributesAndText)
{
    auto doc = Parse("<order id=\"7\" x='a&amp;b'>\n  <line>one</line>tail<line/>\n</order>");
    CXmlElement* root = doc->GetDocumentElement();
    EXPECT_EQ(root->GetLocalName(), "order");
    EXPECT_EQ(root->GetNamespaceURI(), "");
    EXPECT_EQ(root->GetParentElm(), nullptr);
    EXPECT_EQ(root->GetDocument(), doc.get());
    // Character data directly inside the element, whitespace included.
    EXPECT_EQ(root->GetText(), "\n  tail\n");
    EXPECT_EQ(Names(root), "line,line");
    const auto lines = Children(root);
    EXPECT_EQ(lines[0]->GetText(), "one");
    EXPECT_EQ(lines[0]->GetParentElm(), root);
    EXPECT_EQ(lines[1]->GetText(), "");

    ASSERT_EQ(root->GetAttributes().size(), 2u);
    EXPECT_EQ(root->GetAttributes()[1]->GetLocalName(), "x");
    EXPECT_EQ(root->GetAttributes()[1]->GetValue(), "a&b");
    CXmlDocument dup;
    EXPECT_EQ(ErrorOf([&] { dup.LoadXml("<a x='1' x='2'/>"); }), "duplicate attribute at line 1");
}

TEST(XmlDocument, AttributeQueries)
{
    auto doc = Parse("<p xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' a='1' b='2' "
                     "xsi:type='T' xsi:nil='true' xsi:schemaLocation='s'/>");
    const CXmlElement* p = doc->GetDocumentElement();
    EXPECT_EQ(p->GetAttribute("b", ""), "2");
    EXPECT_EQ(p->GetAttribute("type", kXsi), "T");
    // The absent attribute gives one empty string that outlives the document.
    const std::string& none = p->GetAttribute("zz", "");
    EXPECT_EQ(none, "");
    EXPECT_EQ(&none, &p->GetAttribute("type", ""));

    std::string flags;
    for (const CXmlAttribute* a : p->GetAttributes())
        flags += a->GetLocalName() + (a->IsNamespaceAttribute() ? "+ns" : "") + (a->IsNilAttribute() ? "+nil" : "") + " ";
    EXPECT_EQ(flags, "a b type+ns nil+nil schemaLocation+ns ");
    EXPECT_EQ(p->GetAttributes()[0]->GetOwnerElement(), p);
}

TEST(XmlDocument, CarriageReturnsAreDropped)
{
    // A character reference to CR survives line-end normalisation and is still removed.
    auto doc = Parse("<a>x&#13;y\r\nz&#13;&#13;</a>");
    EXPECT_EQ(doc->GetDocumentElement()->GetText(), "xy\nz");
}

TEST(XmlDocument, NamespacesAreResolvedAndRemembered)
{
    auto doc = Parse("<p:order xmlns:p='urn:U' xmlns='urn:D' plain='1' p:q='2'>"
                     "<item/><p:item xmlns:p='urn:V'/><x:y xmlns:x='urn:U' xmlns=''/></p:order>");
    const CXmlElement* order = doc->GetDocumentElement();
    EXPECT_EQ(order->GetLocalName(), "order");
    EXPECT_EQ(order->GetNamespaceURI(), "urn:U");
    // An unqualified attribute has no namespace even under a default namespace.
    EXPECT_EQ(order->GetAttributes()[0]->GetNamespaceURI(), "");
    EXPECT_EQ(order->GetAttributes()[1]->GetNamespaceURI(), "urn:U");
    EXPECT_EQ(order->GetAttributes()[1]->GetLocalName(), "q");
    const auto kids = Children(order);
    EXPECT_EQ(kids[0]->GetNamespaceURI(), "urn:D");
    EXPECT_EQ(kids[1]->GetNamespaceURI(), "urn:V");
    EXPECT_EQ(kids[2]->GetNamespaceURI(), "urn:U");

    // Later declarations overwrite earlier ones; nothing is removed at the end of scope.
    EXPECT_EQ(doc->LookupNamespaceFromAlias("p"), "urn:V");
    EXPECT_EQ(doc->LookupNamespaceFromAlias("x"), "urn:U");
    EXPECT_EQ(doc->LookupNamespaceFromAlias(""), "");  // undeclared by xmlns=''
    EXPECT_EQ(doc->LookupNamespaceFromAlias("nope"), "");
    EXPECT_EQ(doc->LookupAliasFromNamespace("urn:U"), "x");
    EXPECT_EQ(doc->LookupAliasFromNamespace("urn:D"), "");
}

TEST(XmlDocument, WithoutNamespaceProcessingPrefixesStayInNames)
{
    CSerializationContext ctx;
    ctx.SetSchemaType(SchemaType_NoNamespaces);
    auto doc = Parse("<p:order xmlns:p='urn:U' p:a='1'/>", ctx);
    const CXmlElement* order = doc->GetDocumentElement();
    EXPECT_EQ(order->GetLocalName(), "p:order");
    EXPECT_EQ(order->GetNamespaceURI(), "");
    ASSERT_EQ(order->GetAttributes().size(), 2u);
    EXPECT_EQ(order->GetAttributes()[0]->GetLocalName(), "xmlns:p");
    EXPECT_EQ(order->GetAttributes()[0]->GetValue(), "urn:U");
    EXPECT_EQ(order->GetAttributes()[1]->GetLocalName(), "p:a");
    EXPECT_EQ(doc->LookupNamespaceFromAlias("p"), "");
}

TEST(XmlDocument, CdataSectionsAreStrippedOrKept)
{
    const std::string xml = "<a>x<![CDATA[<b>&amp;]]>y</a>";
    EXPECT_EQ(Parse(xml)->GetDocumentElement()->GetText(), "x<b>&amp;y");
    CSerializationContext keep;
    keep.SetStripCDATA(false);
    EXPECT_EQ(Parse(xml, keep)->GetDocumentElement()->GetText(), "x<![CDATA[<b>&amp;]]>y");
}

TEST(XmlDocument, PathsCarryPredicatesOnlyForRepeatedNames)
{
    auto doc = Parse("<p xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xmlns:n='urn:N' k='v'>"
                     "<a/><b/><a xsi:nil='true'><deep/></a><c/><n:a/></p>");
    const CXmlElement* p = doc->GetDocumentElement();
    const auto kids = Children(p);
    EXPECT_EQ(p->GetXPath(), "/p");
    EXPECT_EQ(kids[0]->GetXPath(), "/p/a[1]");
    EXPECT_EQ(kids[1]->GetXPath(), "/p/b");
    EXPECT_EQ(kids[2]->GetXPath(), "/p/a[2]");
    EXPECT_EQ(kids[3]->GetXPath(), "/p/c");
    // Another namespace gives another qualified name, which is counted apart.
    EXPECT_EQ(kids[4]->GetXPath(), "/p/n:a");
    EXPECT_EQ(kids[2]->GetFirstElement()->GetXPath(), "/p/a[2]/deep");

    const CXmlAttribute* nil = kids[2]->GetAttributes()[0];
    EXPECT_EQ(nil->GetXPath(), "/p/a[2]/@xsi:nil");
    EXPECT_TRUE(nil->IsNilAttribute());
    EXPECT_EQ(p->GetAttributes()[0]->GetXPath(), "/p/@k");
}

TEST(XmlDocument, ElementsInADefaultNamespaceHaveNoPrefixInPaths)
{
    // The prefix of a URI is looked up document-wide, in ascending prefix order.
    auto doc = Parse("<r xmlns='urn:A'><z:s xmlns:z='urn:B' xmlns:b='urn:B'/><s/></r>");
    const auto kids = Children(doc->GetDocumentElement());
    EXPECT_EQ(kids[0]->GetXPath(), "/r/b:s");
    EXPECT_EQ(kids[1]->GetXPath(), "/r/s");
}

namespace {
bool DropItems(CXmlElement* e) { return e->GetLocalName() == "item"; }
bool DropEverything(CXmlElement*) { return true; }
int g_seen = 0;
bool ThrowAtThird(CXmlElement*)
{
    if (++g_seen == 3)
        throw CTsException("stop here");
    return false;
}
} // namespace

TEST(XmlDocument, FilterDropsCompletedElements)
{
    CXmlDocument doc(&DropItems);
    doc.LoadXml("<r><item/><keep><item><x/></item>t</keep><item/><other/><item/></r>");
    const CXmlElement* r = doc.GetDocumentElement();
    EXPECT_EQ(Names(r), "keep,other");
    EXPECT_EQ(Names(r->GetFirstElement()), "");
    EXPECT_EQ(r->GetFirstElement()->GetText(), "t");
    // Appending after a drop still links to the right element.
    EXPECT_EQ(r->GetFirstElement()->GetNextSiblingElement()->GetLocalName(), "other");

    // The document element has no parent to leave and stays.
    CXmlDocument all(&DropEverything);
    all.LoadXml("<r><a/><b><c/></b></r>");
    ASSERT_NE(all.GetDocumentElement(), nullptr);
    EXPECT_EQ(all.GetDocumentElement()->GetFirstElement(), nullptr);

    // An exception of the filter leaves the load as it is.
    CXmlDocument failing(&ThrowAtThird);
    g_seen = 0;
    EXPECT_EQ(ErrorOf([&] { failing.LoadXml("<r><a/><b/><c/><d/></r>"); }), "stop here");
    EXPECT_EQ(g_seen, 3);
}

TEST(XmlDocument, FilterKeepsMemoryFlatForManyRecords)
{
    // Dropping every record keeps the chain short; kept siblings between the
    // records must not make each drop walk the whole chain.
    CXmlDocument doc(&DropItems);
    doc.LoadXml(("<r>" + Repeat("<keep/><item><v>1</v></item>", 20000) + "</r>").c_str());
    std::size_t kept = Children(doc.GetDocumentElement()).size();
    EXPECT_EQ(kept, 20000u);
}

TEST(XmlDocument, WideTextIsReadAsUtf16)
{
    CXmlDocument doc;
    doc.LoadXml(L"<a b='\u00e9'>\u00e9\u20ac\U0001D11E</a>");
    EXPECT_EQ(doc.GetDocumentElement()->GetText(), "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E");
    EXPECT_EQ(doc.GetDocumentElement()->GetAttribute("b", ""), "\xC3\xA9");
    // An unpaired surrogate, or a value that is no code point, is refused by the parser.
    const wchar_t lone[] = {L'<', L'a', L'>', static_cast<wchar_t>(0xD800), L'<', L'/', L'a', L'>', 0};
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml(lone); }), "not well-formed (invalid token) at line 1");
    const wchar_t beyond[] = {L'<', L'a', L'>', static_cast<wchar_t>(0x110000), L'<', L'/', L'a', L'>', 0};
    EXPECT_EQ(ErrorOf([&] { doc.LoadXml(beyond); }), "not well-formed (invalid token) at line 1");
}

TEST(XmlDocument, ByteBuffersInEveryEncodingTheParserKnows)
{
    auto load = [](std::vector<unsigned char> bytes) {
        CXmlDocument doc;
        doc.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
        return doc.GetDocumentElement()->GetText();
    };
    EXPECT_EQ(load(Bytes("\xEF\xBB\xBF<a>\xC3\xA9</a>")), "\xC3\xA9");
    EXPECT_EQ(load(Bytes("<?xml version='1.0' encoding='ISO-8859-1'?><a>\xE9</a>")), "\xC3\xA9");
    const unsigned char utf16[] = {0xFF, 0xFE, '<', 0, 'a', 0, '>', 0, 0xE9, 0, '<', 0, '/', 0, 'a', 0, '>', 0};
    EXPECT_EQ(load(std::vector<unsigned char>(utf16, utf16 + sizeof utf16)), "\xC3\xA9");
    // The caller's buffer is copied, not adopted or changed.
    std::vector<unsigned char> original = Bytes("<a>k</a>");
    const auto copy = original;
    load(original);
    EXPECT_EQ(original, copy);
}

TEST(XmlDocument, CompressedBuffersAreReadTransparently)
{
    const std::string xml = "<root>" + Repeat("<v>compressible</v>", 200) + "</root>";
    for (CompressionType type : {CompressionType_GZIP, CompressionType_ZLIB}) {
        std::vector<unsigned char> bytes = Compressed(xml, type);
        ASSERT_LT(bytes.size(), xml.size());
        CXmlDocument doc;
        doc.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
        EXPECT_EQ(Children(doc.GetDocumentElement()).size(), 200u);

        // A truncated stream reaches the parser as it is and fails there.
        bytes.resize(bytes.size() / 2);
        CXmlDocument truncated;
        EXPECT_NE(ErrorOf([&] { truncated.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size())); }),
                  "<no exception>");
    }
}

TEST(XmlDocument, NonUtf8LocalEncodingConvertsNamesAndText)
{
    SwitchGuard restore;
    SetLocalCharEncoding(28591);  // ISO-8859-1
    auto doc = Parse("<\xC3\xA9l a\xC3\xA9='\xC3\xA9'>x\xC3\xA9y</\xC3\xA9l>");
    const CXmlElement* e = doc->GetDocumentElement();
    EXPECT_EQ(e->GetLocalName(), "\xE9l");
    EXPECT_EQ(e->GetText(), "x\xE9y");
    EXPECT_EQ(e->GetAttribute("a\xE9", ""), "\xE9");
    // Text that the local encoding cannot hold is a clear error, not silent loss.
    CXmlDocument euro;
    const std::string message = ErrorOf([&] { euro.LoadXml("<a>\xE2\x82\xAC</a>"); });
    EXPECT_EQ(message.rfind("Failed to convert text", 0), 0u) << message;
}

// ---- files ----

TEST(XmlDocument, FilesLoadInOneReadIncludingCompressedOnes)
{
    SwitchGuard restore;
    TempFile file("sync.xml");
    CXmlDocument doc;
    doc.Load(file.Write(std::string("<a>\r\nfile</a>")));
    EXPECT_EQ(doc.GetDocumentElement()->GetText(), "\nfile");
    doc.Load(file.Write(Compressed("<gz>" + Repeat("<v/>", 100) + "</gz>", CompressionType_GZIP)));
    EXPECT_EQ(doc.GetDocumentElement()->GetLocalName(), "gz");
    doc.Load(file.Write(Compressed("<zl>" + Repeat("<v/>", 100) + "</zl>", CompressionType_ZLIB)));
    EXPECT_EQ(doc.GetDocumentElement()->GetLocalName(), "zl");

    // Chunked reading takes XML text only.
    AsyncFromXmlFile(true);
    EXPECT_EQ(ErrorOf([&] { doc.Load(file.Path()); }), "not well-formed (invalid token) at line 1");
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);  // cleaned up before the error leaves

    const std::string missing = ::testing::TempDir() + "tsxmllib_no_such_file.xml";
    EXPECT_EQ(ErrorOf([&] { doc.Load(missing.c_str()); }),
              "Failed to open the file [" + missing + "] Error [0x00000002]");
    AsyncFromXmlFile(false);
    EXPECT_EQ(ErrorOf([&] { doc.Load(missing.c_str()); }),
              "Failed to open the file [" + missing + "] Error [0x00000002]");
    EXPECT_EQ(ErrorOf([&] { doc.Load(::testing::TempDir().c_str()); }).rfind("Failed to open the file [", 0), 0u);
}

TEST(XmlDocument, ChunkedFileReadingAcrossChunkBoundaries)
{
    SwitchGuard restore;
    AsyncFromXmlFile(true);
    TempFile file("chunks.xml");
    CXmlDocument doc;

    // Exactly two chunks: the read after the last full chunk ends the input.
    const std::string head = "<r>", tail = "</r>";
    const std::string body(2 * CXmlDocument::kChunkSize - head.size() - tail.size(), 'x');
    doc.Load(file.Write(head + body + tail));
    EXPECT_EQ(doc.GetDocumentElement()->GetText().size(), body.size());

    // Names, multi-byte characters and CRs split by chunk ends arrive whole.
    std::string xml = "<r>";
    while (xml.size() < 3 * CXmlDocument::kChunkSize)
        xml += "<item n='\xC3\xA9'>\xE2\x82\xAC\r\n</item>";
    xml += "</r>";
    doc.Load(file.Write(xml));
    std::size_t items = 0;
    bool allSame = true;
    for (const CXmlElement* c : Children(doc.GetDocumentElement())) {
        ++items;
        allSame = allSame && c->GetLocalName() == "item" && c->GetText() == "\xE2\x82\xAC\n" &&
                  c->GetAttribute("n", "") == "\xC3\xA9";
    }
    EXPECT_GT(items, 3 * CXmlDocument::kChunkSize / 40);
    EXPECT_TRUE(allSame);

    // An error in a later chunk reports the line and leaves an empty document.
    const std::string broken = xml.substr(0, xml.size() - 4) + "</wrong>";
    const auto lines = std::count(broken.begin(), broken.end(), '\n') + 1;
    EXPECT_EQ(ErrorOf([&] { doc.Load(file.Write(broken)); }), "mismatched tag at line " + std::to_string(lines));
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);
    EXPECT_EQ(ErrorOf([&] { doc.Load(file.Write(std::string())); }), "no element found at line 1");
}

// ---- size ----

namespace {
// Runs f on a thread with a small stack, so that recursion per element or per
// level overflows it at sizes that load in a few milliseconds.
void OnSmallStack(const std::function<void()>& f)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 512 * 1024);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}
} // namespace

TEST(XmlDocument, DeepAndWideTreesLoadAndTearDownWithoutRecursion)
{
    const std::string deepXml = Repeat("<a>", 30000) + Repeat("</a>", 30000);
    const std::string wideXml = "<r>" + Repeat("<a/>", 60000) + "</r>";
    int levels = 0;
    std::size_t pathLength = 0;
    std::string secondPath;
    OnSmallStack([&] {
        CXmlDocument deep;
        deep.LoadXml(deepXml.c_str());
        const CXmlElement* e = deep.GetDocumentElement();
        for (levels = 1; e->GetFirstElement(); ++levels)
            e = e->GetFirstElement();
        pathLength = e->GetXPath().size();

        CXmlDocument wide;
        wide.LoadXml(wideXml.c_str());
        secondPath = wide.GetDocumentElement()->GetFirstElement()->GetNextSiblingElement()->GetXPath();
        // Loading again frees the previous tree; destruction frees the rest.
        deep.LoadXml(wideXml.c_str());
    });
    EXPECT_EQ(levels, 30000);
    EXPECT_EQ(pathLength, 2u * 30000);
    EXPECT_EQ(secondPath, "/r/a[2]");
}

// ---- the object base entry points ----

namespace {

// Plays the role of a generated class: records what the reader is handed.
class Probe : public CXmlObjectBase {
public:
    Probe() = default;
    ~Probe() override = default;

    std::vector<std::string> seen;

    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:probe"; }
    bool NameMatches(const CSerializationContext& ctx, const CXmlElement* e, const char* name, const char* ns) const
    {
        return DoesElementNameMatch(ctx, e, name, ns);
    }

protected:
    std::string GetTargetNamespace() override { return "urn:probe"; }
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext&, bool optional) override
    {
        std::string record = element->GetXPath() + " first=" + (first ? first->GetLocalName() : "-");
        for (const CXmlElement* c = first; c; c = c->GetNextSiblingElement())
            record += " " + c->GetText();
        if (optional)
            record += " optional";
        seen.push_back(record);
        return nullptr;
    }
};

} // namespace

TEST(XmlObjectBaseRead, EveryInputFormReachesTheReader)
{
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    SwitchGuard restore;
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    const std::string xml = "<doc><x>1</x><y>2</y></doc>";
    Probe probe;
    probe.FromXml(xml.c_str(), ctx);
    probe.FromXml(L"<doc><x>\u00e9</x></doc>", ctx);
    std::vector<unsigned char> gz = Compressed(xml + std::string(64, ' '), CompressionType_GZIP);
    probe.FromXmlStream(gz.data(), static_cast<unsigned long>(gz.size()), ctx);
    probe.FromXmlStream(CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(xml.data())),
                                    static_cast<unsigned long>(xml.size()), false),
                        ctx);
    TempFile file("probe.xml");
    probe.FromXmlFile(file.Write(xml), ctx);
    AsyncFromXmlFile(true);
    probe.FromXmlFile(file.Path(), ctx);

    const std::string expected = "/doc first=x 1 2";
    ASSERT_EQ(probe.seen.size(), 6u);
    EXPECT_EQ(probe.seen[0], expected);
    EXPECT_EQ(probe.seen[1], "/doc first=x \xC3\xA9");
    for (std::size_t i = 2; i < 6; ++i)
        EXPECT_EQ(probe.seen[i], expected) << i;

    // An element of a document the caller owns is read in place.
    CXmlDocument doc;
    doc.LoadXml("<outer><inner><leaf>z</leaf></inner></outer>");
    probe.FromXmlElement(doc.GetDocumentElement()->GetFirstElement(), ctx);
    EXPECT_EQ(probe.seen.back(), "/outer/inner first=leaf z");
}

TEST(XmlObjectBaseRead, FailuresLeaveNothingBehind)
{
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    Probe probe;
    EXPECT_EQ(ErrorOf([&] { probe.FromXml("<doc>", ctx); }), "no element found at line 1");
    EXPECT_EQ(ErrorOf([&] { probe.FromXml("", ctx); }), "XML String is empty!");
    EXPECT_EQ(ErrorOf([&] { probe.FromXmlStream(CBinaryData(), ctx); }), "XML Stream is empty!");
    EXPECT_TRUE(probe.seen.empty());
}

TEST(XmlObjectBaseRead, ElementNameMatch)
{
    auto doc = Parse("<n:e xmlns:n='urn:N'/>");
    const CXmlElement* e = doc->GetDocumentElement();
    Probe probe;
    CSerializationContext ctx;
    EXPECT_TRUE(probe.NameMatches(ctx, e, "e", "urn:N"));
    EXPECT_FALSE(probe.NameMatches(ctx, e, "e", "urn:Other"));
    EXPECT_FALSE(probe.NameMatches(ctx, e, "E", "urn:N"));
    ctx.SetIgnoreNamespaces(true);
    EXPECT_TRUE(probe.NameMatches(ctx, e, "e", "urn:Other"));
    ctx.SetIgnoreNamespaces(false);
    ctx.SetSchemaType(SchemaType_NoNamespaces);
    EXPECT_TRUE(probe.NameMatches(ctx, e, "e", ""));
    EXPECT_FALSE(probe.NameMatches(ctx, e, "n:e", ""));
}
