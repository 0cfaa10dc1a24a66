// The document tree, the XML text reader, and file and buffer loads.
#include "tests/TestSupport.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

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
using TestSupport::MessageOf;

namespace {

const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";

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

struct TempFile {
    explicit TempFile(const std::string& name) : path(::testing::TempDir() + "tsxmllib_" + name) {}
    ~TempFile() { std::remove(path.c_str()); }
    const char* Write(const std::string& bytes) const
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
        return path.c_str();
    }
    const char* Write(const std::vector<unsigned char>& b) const { return Write(std::string(b.begin(), b.end())); }
    std::string path;
};

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
    while (n--)
        out += s;
    return out;
}

} // namespace

TEST(XmlDocument, EmptyInputsAndParseErrorsCarryTheirMessageAndLine)
{
    CXmlDocument doc;
    EXPECT_EQ(MessageOf([&] { doc.LoadXml(static_cast<const char*>(nullptr)); }), "XML String is empty!");
    unsigned char byte = '<';
    EXPECT_EQ(MessageOf([&] { doc.LoadXmlStream(&byte, 0); }), "XML Stream is empty!");
    const struct {
        const char* xml;
        const char* message;
    } cases[] = {
        {"", "XML String is empty!"},
        {"<a>", "no element found at line 1"},
        {"<a>\n\n</b>", "mismatched tag at line 3"},
        {"<a>\n<b>&</b></a>", "not well-formed (invalid token) at line 2"},
        {"<?xml version='1.0' encoding='EBCDIC'?><a/>", "unknown encoding at line 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf([&] { doc.LoadXml(c.xml); }), c.message) << c.xml;
    // The wide form always holds a byte order mark, so the parser decides.
    EXPECT_EQ(MessageOf([&] { doc.LoadXml(L""); }), "no element found at line 1");
    // A failed document loads again and forgets what the failed parse built.
    doc.LoadXml("<ok/>");
    EXPECT_EQ(doc.GetDocumentElement()->GetLocalName(), "ok");
    EXPECT_EQ(doc.GetDocumentElement()->GetFirstElement(), nullptr);
}

TEST(XmlDocument, TreeHoldsNamesAttributesAndText)
{
    auto doc = Parse("<order id=\"7\" x='a&amp;b'>\n  <line>one</line>tail<line/>\n</order>");
    CXmlElement* root = doc->GetDocumentElement();
    EXPECT_EQ(root->GetParentElm(), nullptr);
    EXPECT_EQ(root->GetText(), "\n  tail\n");
    EXPECT_EQ(Names(root), "line,line");
    EXPECT_EQ(Children(root)[0]->GetText(), "one");
    EXPECT_EQ(Children(root)[0]->GetParentElm(), root);
    ASSERT_EQ(root->GetAttributes().size(), 2u);
    EXPECT_EQ(root->GetAttributes()[1]->GetValue(), "a&b");
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
}

TEST(XmlDocument, NamespacesAreResolvedAndRemembered)
{
    auto doc = Parse("<p:order xmlns:p='urn:U' xmlns='urn:D' plain='1' p:q='2'>"
                     "<item/><p:item xmlns:p='urn:V'/><x:y xmlns:x='urn:U' xmlns=''/></p:order>");
    const CXmlElement* order = doc->GetDocumentElement();
    EXPECT_EQ(order->GetNamespaceURI(), "urn:U");
    // An unqualified attribute has no namespace even under a default namespace.
    EXPECT_EQ(order->GetAttributes()[0]->GetNamespaceURI(), "");
    EXPECT_EQ(order->GetAttributes()[1]->GetNamespaceURI(), "urn:U");
    EXPECT_EQ(order->GetAttributes()[1]->GetLocalName(), "q");
    const auto kids = Children(order);
    EXPECT_EQ(kids[0]->GetNamespaceURI(), "urn:D");
    EXPECT_EQ(kids[1]->GetNamespaceURI(), "urn:V");
    EXPECT_EQ(kids[2]->GetNamespaceURI(), "urn:U");
    // Later declarations overwrite earlier ones and outlive their scope.
    EXPECT_EQ(doc->LookupNamespaceFromAlias("p"), "urn:V");
    EXPECT_EQ(doc->LookupNamespaceFromAlias(""), "");  // undeclared by xmlns=''
    EXPECT_EQ(doc->LookupAliasFromNamespace("urn:U"), "x");
    EXPECT_EQ(doc->LookupAliasFromNamespace("urn:D"), "");
}

TEST(XmlDocument, NamesThatShareAPlaceInTheNameCacheStayApart)
{
    // The same local name in two namespaces, and names of one length with the
    // same first and last character, alternate; a second document loaded
    // into the same object gets names of its own.
    auto doc = Parse("<r xmlns:p='urn:a' xmlns:q='urn:b'><p:x/><q:x/><p:x/><axb/><ayb/><axb/><x/></r>");
    const auto kids = Children(doc->GetDocumentElement());
    ASSERT_EQ(kids.size(), 7u);
    const char* const expected[][2] = {{"urn:a", "x"}, {"urn:b", "x"}, {"urn:a", "x"}, {"", "axb"},
                                       {"", "ayb"},    {"", "axb"},    {"", "x"}};
    for (std::size_t i = 0; i < kids.size(); ++i) {
        EXPECT_EQ(kids[i]->GetNamespaceURI(), expected[i][0]) << i;
        EXPECT_EQ(kids[i]->GetLocalName(), expected[i][1]) << i;
    }
    doc->LoadXml("<s xmlns='urn:a'><x/></s>");
    EXPECT_EQ(doc->GetDocumentElement()->GetFirstElement()->GetNamespaceURI(), "urn:a");
    EXPECT_EQ(doc->GetDocumentElement()->GetFirstElement()->GetLocalName(), "x");
}

TEST(XmlDocument, CarriageReturnsAreDroppedAndCdataStrippedOrKept)
{
    // A character reference to CR survives line-end normalisation and is still removed.
    EXPECT_EQ(Parse("<a>x&#13;y\r\nz&#13;&#13;</a>")->GetDocumentElement()->GetText(), "xy\nz");
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
    std::string paths = p->GetXPath();
    for (const CXmlElement* c : Children(p))
        paths += " " + c->GetXPath();
    EXPECT_EQ(paths, "/p /p/a[1] /p/b /p/a[2] /p/c /p/n:a");
    const CXmlElement* a2 = Children(p)[2];
    EXPECT_EQ(a2->GetFirstElement()->GetXPath(), "/p/a[2]/deep");
    EXPECT_EQ(a2->GetAttributes()[0]->GetXPath(), "/p/a[2]/@xsi:nil");
    EXPECT_EQ(p->GetAttributes()[0]->GetXPath(), "/p/@k");

    // In a default namespace there is no prefix; otherwise the prefix of the URI
    // is looked up document-wide, in ascending prefix order.
    auto dflt = Parse("<r xmlns='urn:A'><z:s xmlns:z='urn:B' xmlns:b='urn:B'/><s/></r>");
    const auto kids = Children(dflt->GetDocumentElement());
    EXPECT_EQ(kids[0]->GetXPath(), "/r/b:s");
    EXPECT_EQ(kids[1]->GetXPath(), "/r/s");
}

namespace {
bool DropItems(CXmlElement* e) { return e->GetLocalName() == "item"; }
int g_seen = 0;
} // namespace

TEST(XmlDocument, FilterDropsCompletedElements)
{
    CXmlDocument doc(&DropItems);
    doc.LoadXml("<r><item/><keep><item><x/></item>t</keep><item/><other/><item/></r>");
    const CXmlElement* r = doc.GetDocumentElement();
    EXPECT_EQ(Names(r), "keep,other");
    EXPECT_EQ(Names(r->GetFirstElement()), "");
    EXPECT_EQ(r->GetFirstElement()->GetText(), "t");
    EXPECT_EQ(r->GetFirstElement()->GetNextSiblingElement()->GetLocalName(), "other");

    CXmlDocument all(+[](CXmlElement*) { return true; });
    all.LoadXml("<r><a/><b><c/></b></r>");
    ASSERT_NE(all.GetDocumentElement(), nullptr);
    EXPECT_EQ(all.GetDocumentElement()->GetFirstElement(), nullptr);

    CXmlDocument failing(+[](CXmlElement*) -> bool {
        if (++g_seen == 3)
            throw CTsException("stop here");
        return false;
    });
    g_seen = 0;
    EXPECT_EQ(MessageOf([&] { failing.LoadXml("<r><a/><b/><c/><d/></r>"); }), "stop here");
    EXPECT_EQ(g_seen, 3);
}

TEST(XmlDocument, WideTextAndByteBuffersInEveryEncodingTheParserKnows)
{
    CXmlDocument doc;
    const wchar_t unpaired[] = {L'<', L'a', L'>', static_cast<wchar_t>(0xD800), L'<', L'/', L'a', L'>', 0};
    EXPECT_EQ(MessageOf([&] { doc.LoadXml(unpaired); }), "not well-formed (invalid token) at line 1");

    auto load = [](std::vector<unsigned char> bytes) {
        CXmlDocument d;
        d.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
        return d.GetDocumentElement()->GetText();
    };
    EXPECT_EQ(load(Bytes("\xEF\xBB\xBF<a>\xC3\xA9</a>")), "\xC3\xA9");
    EXPECT_EQ(load(Bytes("<?xml version='1.0' encoding='ISO-8859-1'?><a>\xE9</a>")), "\xC3\xA9");
    const unsigned char utf16[] = {0xFF, 0xFE, '<', 0, 'a', 0, '>', 0, 0xE9, 0, '<', 0, '/', 0, 'a', 0, '>', 0};
    EXPECT_EQ(load(std::vector<unsigned char>(utf16, utf16 + sizeof utf16)), "\xC3\xA9");
}

TEST(XmlDocument, LoadedTreesOutliveTheBuffersTheyWereReadFrom)
{
    // The loads read the caller's bytes where they stand; nothing of the tree
    // may point into them afterwards, and a failed load must neither free nor
    // keep them.
    CXmlDocument doc;
    const std::string xml = "<a k='v'>text" + Repeat("<b>more</b>", 50) + "</a>";
    for (const std::vector<unsigned char>& bytes : {Bytes(xml), Compressed(xml, CompressionType_GZIP)}) {
        auto buffer = std::make_unique<unsigned char[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), buffer.get());
        doc.LoadXmlStream(buffer.get(), static_cast<unsigned long>(bytes.size()));
        std::fill(buffer.get(), buffer.get() + bytes.size(), 'x');
        buffer.reset();
        const CXmlElement* root = doc.GetDocumentElement();
        EXPECT_EQ(root->GetText(), "text");
        EXPECT_EQ(root->GetAttributes()[0]->GetValue(), "v");
        EXPECT_EQ(Children(root).size(), 50u);
        EXPECT_EQ(Children(root)[49]->GetText(), "more");
    }
    std::string broken = "<a><b></a>";
    EXPECT_EQ(MessageOf([&] { doc.LoadXml(broken.c_str()); }), "mismatched tag at line 1");
    broken.assign("<c/>");
    doc.LoadXml(broken.c_str());
    broken.assign("<d/>");
    EXPECT_EQ(doc.GetDocumentElement()->GetLocalName(), "c");
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
    CXmlDocument euro;
    const std::string message = MessageOf([&] { euro.LoadXml("<a>\xE2\x82\xAC</a>"); });
    EXPECT_EQ(message.rfind("Failed to convert text", 0), 0u) << message;
}

TEST(XmlDocument, FilesLoadInOneReadIncludingCompressedOnes)
{
    SwitchGuard restore;
    TempFile file("sync.xml");
    CXmlDocument doc;
    doc.Load(file.Write(std::string("<a>\r\nfile</a>")));
    EXPECT_EQ(doc.GetDocumentElement()->GetText(), "\nfile");
    for (CompressionType type : {CompressionType_GZIP, CompressionType_ZLIB}) {
        doc.Load(file.Write(Compressed("<z>" + Repeat("<v/>", 100) + "</z>", type)));
        EXPECT_EQ(Children(doc.GetDocumentElement()).size(), 100u);
    }

    // Chunked reading takes XML text only and cleans up before the error leaves.
    AsyncFromXmlFile(true);
    EXPECT_EQ(MessageOf([&] { doc.Load(file.path.c_str()); }), "not well-formed (invalid token) at line 1");
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);

    const std::string missing = ::testing::TempDir() + "tsxmllib_no_such_file.xml";
    EXPECT_EQ(MessageOf([&] { doc.Load(missing.c_str()); }),
              "Failed to open the file [" + missing + "] Error [0x00000002]");
}

TEST(XmlDocument, ChunkedFileReadingAcrossChunkBoundaries)
{
    SwitchGuard restore;
    AsyncFromXmlFile(true);
    TempFile file("chunks.xml");
    CXmlDocument doc;

    // Names, multi-byte characters and CRs split by chunk ends arrive whole.
    std::string xml = "<r>";
    while (xml.size() < 3 * CXmlDocument::kChunkSize)
        xml += "<item n='\xC3\xA9'>\xE2\x82\xAC\r\n</item>";
    xml += "</r>";
    doc.Load(file.Write(xml));
    const auto items = Children(doc.GetDocumentElement());
    EXPECT_GT(items.size(), 3 * CXmlDocument::kChunkSize / 40);
    EXPECT_TRUE(std::all_of(items.begin(), items.end(), [](const CXmlElement* c) {
        return c->GetLocalName() == "item" && c->GetText() == "\xE2\x82\xAC\n" && c->GetAttribute("n", "") == "\xC3\xA9";
    }));

    // An error in a later chunk reports the line and leaves an empty document.
    const std::string broken = xml.substr(0, xml.size() - 4) + "</wrong>";
    const auto lines = std::count(broken.begin(), broken.end(), '\n') + 1;
    EXPECT_EQ(MessageOf([&] { doc.Load(file.Write(broken)); }), "mismatched tag at line " + std::to_string(lines));
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);
    EXPECT_EQ(MessageOf([&] { doc.Load(file.Write(std::string())); }), "no element found at line 1");
}

namespace {
// Recursion per level overflows this stack at sizes that load in milliseconds.
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

TEST(XmlDocument, DeepTreesLoadGiveTheirPathAndTearDownWithoutRecursion)
{
    const std::string deepXml = Repeat("<a>", 30000) + Repeat("</a>", 30000);
    int levels = 0;
    std::size_t pathLength = 0;
    OnSmallStack([&] {
        CXmlDocument deep;
        deep.LoadXml(deepXml.c_str());
        const CXmlElement* e = deep.GetDocumentElement();
        for (levels = 1; e->GetFirstElement(); ++levels)
            e = e->GetFirstElement();
        pathLength = e->GetXPath().size();
        deep.LoadXml("<r/>");  // frees the previous tree
    });
    EXPECT_EQ(levels, 30000);
    EXPECT_EQ(pathLength, 2u * 30000);
}
