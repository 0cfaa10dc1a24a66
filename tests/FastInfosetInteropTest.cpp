// Fast Infoset exchanged with the independent peer in interop/FiPeer.java, in
// both directions. Infosets are compared (names, namespaces, attribute sets,
// character data), the XML text side always read by this library's parser.
#include "tsxmllib/Element.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace TsXmlLib16;

namespace {

using AttributeSet = std::set<std::tuple<std::string, std::string, std::string>>;

AttributeSet AttributesOf(const CXmlElement* element)
{
    AttributeSet out;
    for (const CXmlAttribute* a : element->GetAttributes())
        out.emplace(a->GetNamespaceURI(), a->GetLocalName(), a->GetValue());
    return out;
}

std::string Clip(const std::string& t)
{
    return t.size() <= 80 ? t : t.substr(0, 80) + "... (" + std::to_string(t.size()) + " bytes)";
}

// The first difference in document order, or "". Walks without recursion.
std::string InfosetDifference(const CXmlElement* expected, const CXmlElement* actual)
{
    if (!expected || !actual)
        return expected == actual ? "" : "one of the documents has no document element";
    std::vector<std::pair<const CXmlElement*, const CXmlElement*>> pending{{expected, actual}};
    while (!pending.empty()) {
        const auto [e, a] = pending.back();
        pending.pop_back();
        const std::string where = e->GetXPath() + ": ";
        if (e->GetNamespaceURI() != a->GetNamespaceURI() || e->GetLocalName() != a->GetLocalName())
            return where + "got {" + a->GetNamespaceURI() + "}" + a->GetLocalName();
        if (AttributesOf(e) != AttributesOf(a))
            return where + "the attributes differ";
        if (e->GetText() != a->GetText())
            return where + "expected text \"" + Clip(e->GetText()) + "\", got \"" + Clip(a->GetText()) + "\"";
        const std::size_t first = pending.size();
        const CXmlElement *ec = e->GetFirstElement(), *ac = a->GetFirstElement();
        for (; ec && ac; ec = ec->GetNextSiblingElement(), ac = ac->GetNextSiblingElement())
            pending.emplace_back(ec, ac);
        if (ec || ac)
            return where + "the number of children differs";
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first), pending.end());
    }
    return "";
}

struct Document { std::string name, xml; };

// Exactly length bytes of fill, ending in the multi-byte tail if it fits.
std::string OfLength(std::size_t length, char fill, const std::string& tail = "")
{
    return length < tail.size() ? std::string(length, fill) : std::string(length - tail.size(), fill) + tail;
}

// Limits of identifier (64, 320), value (8, 264), chunk (2, 258) and add (6) lengths, and the longest form.
const std::size_t kBoundaryLengths[] = {1, 2, 3, 6, 7, 8, 9, 64, 65, 258, 259, 264, 265, 320, 321, 70000};

std::vector<Document> SmallDocuments()
{
    // Each name twice: the second time from the tables.
    std::string names = "<root>";
    for (std::size_t n : kBoundaryLengths) {
        if (n > 1000)
            continue;
        const std::string local = OfLength(n, 'e', n >= 2 ? "\xC3\xA9" : ""), prefix = OfLength(n, 'p'),
                          uri = "u:" + OfLength(n > 2 ? n - 2 : 1, 'n', n > 5 ? "\xE2\x82\xAC" : ""),
                          attribute = OfLength(n, 'a');
        names += "<" + prefix + ":" + local + " xmlns:" + prefix + "='" + uri + "' " + attribute + "='x' " + prefix +
                 ":" + attribute + "='y'/><" + local + " xmlns='" + uri + "' " + attribute + "='z'/>";
    }
    std::string repeated = "<r xmlns:p='urn:p'>", deep;
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i % 7);
        repeated += "<item p:kind='k" + n + "' id='" + std::to_string(i) + "' same='same'>t" + n + "<p:item p:kind='k" +
                    n + "'>abc</p:item></item>";
    }
    for (int i = 0; i < 2000; ++i)
        deep += "<d" + std::to_string(i % 3) + (i % 100 == 0 ? " level='" + std::to_string(i) + "'" : "") + ">";
    deep += "bottom";
    for (int i = 1999; i >= 0; --i)
        deep += "</d" + std::to_string(i % 3) + ">";
    return {
        {"single", "<r/>"},
        {"namespaces", "<r xmlns='urn:default' xmlns:p='urn:p' xmlns:q='urn:q' a='1' p:a='2' q:a='3' b='' p:e=''><a/>"
                       "<c xmlns='urn:inner'><d/><p:e xmlns:p='urn:p2'><p:f/></p:e><p:g/></c><h xmlns=''><i/></h>"
                       "<q:j xmlns:q='urn:p' q:x='1' p:y='2'/><k xmlns:p='urn:p'/><e></e><f a='' b=''> </f>"
                       "<x xml:lang='en' xml:space='preserve' p:b=\"&lt;&amp;&gt;&quot;'\" c='&#9;&#10;tab'/></r>"},
        {"characters", "<p a='&#x1F600;&#x10FFFF;\xF0\x9D\x84\x9E'>\xF0\x9F\x98\x80 surrogates \xF0\x9D\x84\x9E, "
                       "BMP \xE2\x82\xAC\xC3\xA9\xEF\xBF\xBD, markup &lt;&amp;&gt;\"', line\nbreaks\n\n  <c>\t</c>"
                       "&#x10000; one <b>two</b> three <i>four <b>five</b></i> six</p>"},
        {"comments_and_pis", "<?xml version='1.0'?>\n<!-- before -->\n<?first data?>\n"
                             "<r><!--inside-->te<?pi in text?>xt<c><!----><?empty?></c>after<!-- - -->end"
                             "<d>a<![CDATA[<not markup> & ]]>c</d><e><![CDATA[]]></e></r>\n<!-- after --><?last?>"},
        {"doctype", "<!DOCTYPE r [<!ELEMENT r ANY><!ENTITY e \"entity text\">]><r>&e; and &e;</r>"},
        {"boundary_names", names + "</root>"},
        {"repeated", repeated + "</r>"},
        {"deep", deep},
    };
}

std::vector<Document> LargeDocuments()
{
    // Each value twice: the second time by index where it was added.
    std::string values = "<root>";
    for (std::size_t n : kBoundaryLengths)
        for (const std::string tail : {"", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"})
            if (n <= 1000 || tail.empty()) {
                const std::string v = OfLength(n, 'v', tail);
                values += "<v a='" + v + "'>" + v + "</v><v a='" + v + "'>" + v + "</v>";
            }
    // Every index form of the tables, each name used twice; many siblings.
    std::string names = "<r>", siblings = "<list xmlns='urn:list'>";
    for (int i = 0; i < 20000; ++i) {
        const std::string n = std::to_string(i % 9000), m = std::to_string(i);
        if (i < 18000)
            names += "<e" + n + " a" + n + "='" + n + "'>" + n + "</e" + n + ">";
        siblings += i % 2 ? "<odd n='" + m + "'/>" : "<even>" + m + "</even>";
    }
    return {{"boundary_values", values + "</root>"}, {"many_names", names + "</r>"}, {"siblings", siblings + "</list>"}};
}

// A directory of its own, removed with its files at the end.
struct ScratchDir {
    std::string path = ::testing::TempDir() + "tsxmllib_interop_XXXXXX";
    std::vector<std::string> files;
    bool ok = mkdtemp(&path[0]) != nullptr;
    ~ScratchDir()
    {
        for (const std::string& file : files)
            std::remove(file.c_str());
        if (ok)
            rmdir(path.c_str());
    }
    std::string File(const std::string& name) { return files.emplace_back(path + "/" + name); }
};

using Pairs = std::vector<std::pair<std::string, std::string>>;

// Runs the peer once for all (input, output) pairs; returns its exit status.
int RunPeer(const char* mode, const Pairs& pairs, std::string& output)
{
    // A large stack for the deepest documents; the client compiler starts fastest.
    std::string command = std::string("'") + TSXMLLIB_INTEROP_JAVA +
                          "' -Xss64m -XX:TieredStopAtLevel=1 -cp '" TSXMLLIB_INTEROP_CLASSPATH "' FiPeer " + mode;
    for (const auto& [in, out] : pairs)
        command += " '" + in + "' '" + out + "'";
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return output = "the peer could not be started", -1;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    return pclose(pipe);
}

// The file the peer wrote, with a failure when it wrote nothing.
std::string PeerOutput(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string out{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (out.empty())
        ADD_FAILURE() << "the peer wrote nothing";
    return out;
}

// The infoset of the document the loader reads, against that of the XML text.
template <typename LoadFn>
void ExpectSameInfoset(const std::string& xml, LoadFn&& load)
{
    CXmlDocument expected, actual;
    expected.LoadXml(xml.c_str());
    try {
        load(actual);
    } catch (const CTsException& e) {
        ADD_FAILURE() << "not read: " << e.GetMessage();
        return;
    }
    EXPECT_EQ(InfosetDifference(expected.GetDocumentElement(), actual.GetDocumentElement()), "");
}

// Our encodings, under options that change the header, the namespace
// declarations and the tables, decoded by the peer: all variants or those named.
void CheckOurEncodingDecodedByThePeer(const std::vector<Document>& docs, const std::set<std::string>& only = {})
{
    // The add limit is that of attribute values and chunks; root declarations: a default
    // namespace and prefixes declared on the document element.
    const struct { const char* name; FInfoDecl decl; std::uint32_t maxAddLength; bool rootDeclarations; } variants[] = {
        {"default", FInfoDecl_None, 6, false},      {"declared", FInfoDecl_Version10StandaloneYes, 6, false},
        {"finf", FInfoDecl_Encoding, 6, false},     {"all_added", FInfoDecl_None, 1u << 20, false},
        {"none_added", FInfoDecl_None, 0, false},   {"root_declarations", FInfoDecl_None, 6, true},
    };
    ScratchDir dir;
    ASSERT_TRUE(dir.ok);
    std::vector<CSmartPtr<CElement>> elements;
    for (const Document& doc : docs) {
        elements.push_back(new CElement("unread"));
        elements.back()->FromXml(doc.xml.c_str(), CSerializationContext::GetDefaultContext());
    }
    Pairs pairs;
    for (const auto& v : variants) {
        if (!only.empty() && !only.count(v.name))
            continue;
        CSerializationContext ctx;
        ctx.GetFIContext().SetAttributeMaxAddLength(v.maxAddLength);
        ctx.GetFIContext().SetElementMaxAddLength(v.maxAddLength);
        if (v.rootDeclarations) {
            ctx.SetDefaultNamespaceURI("urn:default");
            ctx.GetNamespaceAliases().Add("p", "urn:p");
            ctx.GetNamespaceAliases().Add("q", "urn:q");
        }
        for (std::size_t i = 0; i < docs.size(); ++i) {
            const CBinaryData fi = elements[i]->ToFastInfosetStream(v.decl, ctx, CompressionType_None);
            const std::string base = docs[i].name + "." + v.name;
            pairs.emplace_back(dir.File(base + ".fi"), dir.File(base + ".xml"));
            std::ofstream(pairs.back().first, std::ios::binary)
                .write(reinterpret_cast<const char*>(fi.GetData()), fi.GetLength());
        }
    }
    std::string peerOutput;
    EXPECT_EQ(RunPeer("decode", pairs, peerOutput), 0) << peerOutput;
    for (std::size_t j = 0; j < pairs.size(); ++j) {
        SCOPED_TRACE(pairs[j].first);
        const std::string decoded = PeerOutput(pairs[j].second);
        if (!decoded.empty())
            ExpectSameInfoset(docs[j % docs.size()].xml, [&](CXmlDocument& d) { d.LoadXml(decoded.c_str()); });
    }
}

} // namespace

TEST(FastInfosetInterop, OurEncodingOfSmallDocumentsDecodedByThePeer)
{
    CheckOurEncodingDecodedByThePeer(SmallDocuments());
}

// With every short string added, table indexes go beyond 2^16.
TEST(FastInfosetInterop, OurEncodingOfLargeDocumentsDecodedByThePeer)
{
    CheckOurEncodingDecodedByThePeer(LargeDocuments(), {"default", "all_added"});
}

// The peer's encodings read through a file and through a byte buffer.
TEST(FastInfosetInterop, PeerEncodingReadByOurReader)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.ok);
    std::vector<Document> docs = SmallDocuments();
    for (Document& doc : LargeDocuments())
        docs.push_back(std::move(doc));
    Pairs pairs;
    for (const Document& doc : docs) {
        pairs.emplace_back(dir.File(doc.name + ".xml"), dir.File(doc.name + ".fi"));
        std::ofstream(pairs.back().first, std::ios::binary) << doc.xml;
    }
    std::string peerOutput;
    EXPECT_EQ(RunPeer("encode", pairs, peerOutput), 0) << peerOutput;
    for (std::size_t i = 0; i < docs.size(); ++i) {
        SCOPED_TRACE(docs[i].name);
        std::string fi = PeerOutput(pairs[i].second);
        if (fi.empty())
            continue;
        ExpectSameInfoset(docs[i].xml, [&](CXmlDocument& d) { d.Load(pairs[i].second.c_str()); });
        ExpectSameInfoset(docs[i].xml, [&](CXmlDocument& d) {
            d.LoadXmlStream(reinterpret_cast<unsigned char*>(&fi[0]), static_cast<unsigned long>(fi.size()));
        });
    }
}
