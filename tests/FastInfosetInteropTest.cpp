// Fast Infoset exchanged with an independent implementation (the Java peer in
// interop/FiPeer.java, run as a subprocess): documents written by this library
// are decoded by the peer, and the peer's encodings are read by this library.
// Both directions compare infosets, not octets: element names and namespaces,
// attributes as a set of (namespace, local name, value), and the character data
// of each element. The XML text side is always read by this library's own XML
// parser, so that both trees come from the same model.
#include "tsxmllib/Element.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace TsXmlLib16;

namespace {

// ---- infoset comparison ----

using AttributeSet = std::set<std::tuple<std::string, std::string, std::string>>;

AttributeSet AttributesOf(const CXmlElement* element)
{
    AttributeSet out;
    for (const CXmlAttribute* a : element->GetAttributes())
        out.emplace(a->GetNamespaceURI(), a->GetLocalName(), a->GetValue());
    return out;
}

std::string Clip(const std::string& text)
{
    return text.size() <= 80 ? text : text.substr(0, 80) + "... (" + std::to_string(text.size()) + " bytes)";
}

std::string Describe(const AttributeSet& attributes)
{
    std::string out;
    for (const auto& [ns, local, value] : attributes)
        out += " {" + ns + "}" + local + "=\"" + Clip(value) + "\"";
    return out.empty() ? " (none)" : out;
}

// The first place, in document order, where the trees hold different
// infosets, or "" when they hold the same. Walks without recursion; paths are
// only built for the difference.
std::string InfosetDifference(const CXmlElement* expected, const CXmlElement* actual)
{
    if (!expected || !actual)
        return expected == actual ? "" : "one of the documents has no document element";
    std::vector<std::pair<const CXmlElement*, const CXmlElement*>> pending{{expected, actual}};
    while (!pending.empty()) {
        const auto [e, a] = pending.back();
        pending.pop_back();
        if (e->GetNamespaceURI() != a->GetNamespaceURI() || e->GetLocalName() != a->GetLocalName())
            return e->GetXPath() + ": expected {" + e->GetNamespaceURI() + "}" + e->GetLocalName() + ", got {" +
                   a->GetNamespaceURI() + "}" + a->GetLocalName();
        const AttributeSet ea = AttributesOf(e), aa = AttributesOf(a);
        if (ea != aa)
            return e->GetXPath() + ": expected attributes" + Describe(ea) + ", got" + Describe(aa);
        if (e->GetText() != a->GetText())
            return e->GetXPath() + ": expected text \"" + Clip(e->GetText()) + "\", got \"" + Clip(a->GetText()) +
                   "\"";
        // Children are pushed in reverse so that the first difference found
        // is the first in document order.
        std::vector<std::pair<const CXmlElement*, const CXmlElement*>> children;
        const CXmlElement* ec = e->GetFirstElement();
        const CXmlElement* ac = a->GetFirstElement();
        for (; ec && ac; ec = ec->GetNextSiblingElement(), ac = ac->GetNextSiblingElement())
            children.emplace_back(ec, ac);
        if (ec || ac)
            return e->GetXPath() + ": " + (ec ? "child missing: " + ec->GetLocalName()
                                              : "unexpected child: " + ac->GetLocalName());
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return "";
}

// ---- test documents ----

struct Document {
    std::string name;
    std::string xml;
};

// A string of exactly length bytes from the letter fill; with a multi-byte
// tail the last bytes are that character (so that counts in characters and in
// octets differ).
std::string OfLength(std::size_t length, char fill, const std::string& tail = "")
{
    if (length < tail.size())
        return std::string(length, fill);
    return std::string(length - tail.size(), fill) + tail;
}

// Lengths at the limits of the length encodings of identifiers (64, 320),
// attribute values (8, 264), character chunks (2, 258) and the tables' add
// limit (6), each with its neighbours, and one that needs the longest form.
const std::size_t kBoundaryLengths[] = {1,   2,   3,   5,   6,   7,   8,   9,   63,  64,  65,
                                        258, 259, 264, 265, 319, 320, 321, 1000, 70000};

Document BoundaryNames()
{
    std::string xml = "<root>";
    for (std::size_t n : kBoundaryLengths) {
        if (n > 1000)
            continue;
        const std::string local = OfLength(n, 'e', n >= 2 ? "\xC3\xA9" : "");
        const std::string prefix = OfLength(n, 'p');
        const std::string uri = "u:" + OfLength(n > 2 ? n - 2 : 1, 'n', n > 5 ? "\xE2\x82\xAC" : "");
        const std::string attribute = OfLength(n, 'a');
        xml += "<" + prefix + ":" + local + " xmlns:" + prefix + "=\"" + uri + "\" " + attribute + "=\"x\" " +
               prefix + ":" + attribute + "=\"y\"/>";
        // The same names again: now from the tables.
        xml += "<" + local + " xmlns=\"" + uri + "\" " + attribute + "=\"z\"/>";
    }
    return {"boundary_names", xml + "</root>"};
}

Document BoundaryValues()
{
    std::string xml = "<root>";
    for (std::size_t n : kBoundaryLengths) {
        for (const std::string tail : {"", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
            if (n > 1000 && !tail.empty())
                continue;
            const std::string value = OfLength(n, 'v', tail);
            // Written twice: the second time by index where it was added.
            for (int i = 0; i < 2; ++i)
                xml += "<v a=\"" + value + "\">" + value + "</v>";
        }
    }
    return {"boundary_values", xml + "</root>"};
}

Document RepeatedNamesAndValues()
{
    std::string xml = "<r xmlns:p=\"urn:p\">";
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i % 7);
        xml += "<item p:kind=\"k" + n + "\" id=\"" + std::to_string(i) + "\" same=\"same\">" + "t" + n +
               "<p:item p:kind=\"k" + n + "\">abc</p:item></item>";
    }
    return {"repeated", xml + "</r>"};
}

// Enough distinct names, values and chunks that their indexes need every
// length form of their tables, each used twice so that the second one is by
// index.
Document ManyDistinctNames()
{
    std::string xml = "<r>";
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 9000; ++i) {
            const std::string n = std::to_string(i);
            xml += "<e" + n + " a" + n + "=\"" + n + "\">" + n + "</e" + n + ">";
        }
    return {"many_names", xml + "</r>"};
}

Document DeepNesting()
{
    std::string xml;
    for (int i = 0; i < 2000; ++i)
        xml += "<d" + std::to_string(i % 3) + (i % 100 == 0 ? " level=\"" + std::to_string(i) + "\"" : "") + ">";
    xml += "bottom";
    for (int i = 1999; i >= 0; --i)
        xml += "</d" + std::to_string(i % 3) + ">";
    return {"deep", xml};
}

Document ManySiblings()
{
    std::string xml = "<list xmlns=\"urn:list\">";
    for (int i = 0; i < 20000; ++i)
        xml += (i % 2) ? "<odd n=\"" + std::to_string(i) + "\"/>" : "<even>" + std::to_string(i) + "</even>";
    return {"siblings", xml + "</list>"};
}

std::vector<Document> SmallDocuments()
{
    return {
        {"single", "<r/>"},
        {"namespaces",
         "<r xmlns=\"urn:default\" xmlns:p=\"urn:p\">"
         "<a/><p:b/>"
         "<c xmlns=\"urn:inner\"><d/><p:e xmlns:p=\"urn:p2\"><p:f/></p:e><p:g/></c>"
         "<h xmlns=\"\"><i/></h>"
         "<q:j xmlns:q=\"urn:p\" q:x=\"1\" p:y=\"2\"/>"
         "<k xmlns:p=\"urn:p\"/>"
         "</r>"},
        {"attributes",
         "<r xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" a=\"1\" p:a=\"2\" q:a=\"3\" b=\"\" p:empty=\"\">"
         "<x xml:lang=\"en\" xml:space=\"preserve\" p:b=\"&lt;&amp;&gt;&quot;'\" c=\"&#9;&#10;tab\"/>"
         "</r>"},
        {"empty_values", "<r a=\"\"><e></e><f/><g a=\"\" b=\"\"></g><h> </h></r>"},
        {"characters",
         "<r a=\"&#x1F600;&#x10FFFF;\xF0\x9D\x84\x9E\">"
         "\xF0\x9F\x98\x80 surrogates \xF0\x9D\x84\x9E, BMP \xE2\x82\xAC\xC3\xA9\xEF\xBF\xBD, "
         "markup &lt;&amp;&gt;\"', line\nbreaks\n\n  <c>\t</c>&#x10000;</r>"},
        {"mixed_content", "<p>one <b>two</b> three <i>four <b>five</b></i> six</p>"},
        {"comments_and_pis",
         "<?xml version=\"1.0\"?>\n<!-- before -->\n<?first data?>\n"
         "<r><!--inside-->te<?pi in text?>xt<c><!----><?empty?></c>after<!-- - -->end</r>\n"
         "<!-- after --><?last?>"},
        {"cdata", "<r><c><![CDATA[<not markup> & ]]></c><d>a<![CDATA[b]]>c</d><e><![CDATA[]]></e></r>"},
        {"doctype", "<!DOCTYPE r [<!ELEMENT r ANY><!ENTITY e \"entity text\">]><r>&e; and &e;</r>"},
        BoundaryNames(),
        RepeatedNamesAndValues(),
        DeepNesting(),
    };
}

std::vector<Document> LargeDocuments() { return {BoundaryValues(), ManyDistinctNames(), ManySiblings()}; }

// ---- files and the peer ----

// A directory of its own under the test temporary directory, removed with its
// files at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = ::testing::TempDir() + "tsxmllib_interop_XXXXXX";
        if (mkdtemp(&pattern[0]))
            m_path = pattern;
    }
    ~ScratchDir()
    {
        for (const std::string& file : m_files)
            std::remove(file.c_str());
        if (!m_path.empty())
            rmdir(m_path.c_str());
    }
    bool Ok() const { return !m_path.empty(); }
    std::string File(const std::string& name)
    {
        m_files.push_back(m_path + "/" + name);
        return m_files.back();
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
};

void WriteFile(const std::string& path, const void* data, std::size_t length)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), length);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the peer once for all pairs (input, output); returns its exit status
// and leaves what it printed in output.
int RunPeer(const char* mode, const std::vector<std::pair<std::string, std::string>>& pairs, std::string& output)
{
    // A large thread stack for the deepest documents; the client compiler
    // alone starts fastest for short runs.
    std::string command = std::string("'") + TSXMLLIB_INTEROP_JAVA +
                          "' -Xss64m -XX:TieredStopAtLevel=1 -cp '" TSXMLLIB_INTEROP_CLASSPATH "' FiPeer " + mode;
    for (const auto& [in, out] : pairs)
        command += " '" + in + "' '" + out + "'";
    command += " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        output = "the peer could not be started";
        return -1;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return pclose(pipe);
}

struct LoadedText {
    CXmlDocument doc;
    explicit LoadedText(const std::string& xml) { doc.LoadXml(xml.c_str()); }
};

// Documents written by the Fast Infoset writer, under option sets that change
// the header, the namespace declarations and what goes into the tables,
// decoded by the peer into XML text: all variants, or only the one named
// (for large documents, which only some variants say anything new about).
void CheckOurEncodingDecodedByThePeer(const std::vector<Document>& docs, const char* onlyVariant = nullptr)
{
    const struct {
        const char* name;
        FInfoDecl decl;
        std::uint32_t maxAddLength; // for attribute values and character chunks
        bool rootDeclarations;      // a default namespace and prefixes declared on the document element
    } variants[] = {
        {"default", FInfoDecl_None, 6, false},
        {"declared", FInfoDecl_Version10StandaloneYes, 6, false},
        {"finf", FInfoDecl_Encoding, 6, false},
        {"all_added", FInfoDecl_None, 1u << 20, false},
        {"none_added", FInfoDecl_None, 0, false},
        {"root_declarations", FInfoDecl_None, 6, true},
    };
    ScratchDir dir;
    ASSERT_TRUE(dir.Ok());
    // Each document is read once, as the expected tree and as the element written.
    std::vector<std::unique_ptr<LoadedText>> expected;
    std::vector<CSmartPtr<CElement>> elements;
    for (const Document& doc : docs) {
        expected.push_back(std::make_unique<LoadedText>(doc.xml));
        elements.push_back(new CElement("unread"));
        elements.back()->FromXml(doc.xml.c_str(), CSerializationContext::GetDefaultContext());
    }
    struct Job {
        std::size_t doc;
        const char* variant;
        std::string decoded;
    };
    std::vector<Job> jobs;
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& v : variants) {
        if (onlyVariant && std::string(onlyVariant) != v.name)
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
            SCOPED_TRACE(docs[i].name + " / " + v.name);
            const CBinaryData fi = elements[i]->ToFastInfosetStream(v.decl, ctx, CompressionType_None);
            const std::string base = docs[i].name + "." + v.name;
            pairs.emplace_back(dir.File(base + ".fi"), dir.File(base + ".xml"));
            WriteFile(pairs.back().first, fi.GetData(), fi.GetLength());
            jobs.push_back({i, v.name, pairs.back().second});
        }
    }
    std::string peerOutput;
    EXPECT_EQ(RunPeer("decode", pairs, peerOutput), 0) << peerOutput;

    for (const Job& job : jobs) {
        SCOPED_TRACE(docs[job.doc].name + " / " + job.variant);
        const std::string decoded = ReadFile(job.decoded);
        if (decoded.empty()) {
            ADD_FAILURE() << "the peer wrote nothing";
            continue;
        }
        CXmlDocument actual;
        try {
            actual.LoadXml(decoded.c_str());
        } catch (const CTsException& e) {
            ADD_FAILURE() << "the peer's XML text is not readable: " << e.GetMessage() << "\n" << Clip(decoded);
            continue;
        }
        EXPECT_EQ(InfosetDifference(expected[job.doc]->doc.GetDocumentElement(), actual.GetDocumentElement()), "");
    }
}

} // namespace

TEST(FastInfosetInterop, OurEncodingOfSmallDocumentsDecodedByThePeer)
{
    CheckOurEncodingDecodedByThePeer(SmallDocuments());
}

TEST(FastInfosetInterop, OurEncodingOfLargeDocumentsDecodedByThePeer)
{
    CheckOurEncodingDecodedByThePeer(LargeDocuments(), "default");
}

// Every short string added: table indexes beyond 2^16 in the large documents.
TEST(FastInfosetInterop, OurEncodingOfLargeDocumentsWithEveryStringAddedDecodedByThePeer)
{
    CheckOurEncodingDecodedByThePeer(LargeDocuments(), "all_added");
}

// The peer's encodings of the documents (comments, processing instructions,
// CDATA sections and document type declarations included) read by the
// document parse, through a file and through a byte buffer.
TEST(FastInfosetInterop, PeerEncodingReadByOurReader)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Ok());
    std::vector<Document> docs = SmallDocuments();
    for (Document& doc : LargeDocuments())
        docs.push_back(std::move(doc));
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const Document& doc : docs) {
        pairs.emplace_back(dir.File(doc.name + ".xml"), dir.File(doc.name + ".fi"));
        WriteFile(pairs.back().first, doc.xml.data(), doc.xml.size());
    }
    std::string peerOutput;
    EXPECT_EQ(RunPeer("encode", pairs, peerOutput), 0) << peerOutput;

    for (std::size_t i = 0; i < docs.size(); ++i) {
        SCOPED_TRACE(docs[i].name);
        std::string fi = ReadFile(pairs[i].second);
        if (fi.empty()) {
            ADD_FAILURE() << "the peer wrote nothing";
            continue;
        }
        LoadedText expected(docs[i].xml);
        CXmlDocument fromFile, fromBuffer;
        try {
            fromFile.Load(pairs[i].second.c_str());
            fromBuffer.LoadXmlStream(reinterpret_cast<unsigned char*>(&fi[0]), static_cast<unsigned long>(fi.size()));
        } catch (const CTsException& e) {
            ADD_FAILURE() << "not read: " << e.GetMessage();
            continue;
        }
        EXPECT_EQ(InfosetDifference(expected.doc.GetDocumentElement(), fromFile.GetDocumentElement()), "");
        EXPECT_EQ(InfosetDifference(expected.doc.GetDocumentElement(), fromBuffer.GetDocumentElement()), "");
    }
}
