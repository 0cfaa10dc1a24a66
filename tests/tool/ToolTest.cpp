// The tsxml converter: its parts called directly (input recognition, error
// lines, command line, conversions) and the program run as a user runs it.
#include "tools/CommandLine.h"
#include "tools/Conversion.h"
#include "tools/ErrorText.h"
#include "tools/InputForm.h"

#include "tsxmllib/Attribute.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace TsXmlLib16;
using namespace TsXmlTool;

namespace {

const std::string kSample = TSXMLLIB_SAMPLES_DATA_DIR "/purchaseOrder.xml";

// Elements in three namespaces, namespaced and plain attributes, text with
// characters that need escaping, an empty element and a non-ASCII name.
const std::string kMixed =
    "<?xml version='1.0'?>"
    "<r:catalog xmlns:r='urn:test:root' xmlns:x='urn:test:extra' x:id='7' version='2'>"
    "<r:entry kind='a&amp;b'><r:title>Fish &lt;&amp;&gt; chips</r:title><x:note x:lang='en'>n</x:note></r:entry>"
    "<r:entry kind='c'><r:title>Gr\xC3\xBC\xC3\x9F" "e</r:title><plain>no namespace</plain><r:empty/></r:entry>"
    "<r:stra\xC3\x9F" "e>x</r:stra\xC3\x9F" "e>"
    "</r:catalog>";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
CBinaryData Bytes(const std::string& text)
{
    return CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(text.data())),
                       static_cast<unsigned long>(text.size()), false);
}
std::string Text(const CBinaryData& d) { return std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength()); }

// The information set of an untyped tree as text: names, namespaces,
// attributes and text, one element per line.
std::string Infoset(const CElement& root)
{
    std::ostringstream out;
    std::vector<std::pair<CElement*, int>> pending{{const_cast<CElement*>(&root), 0}};
    while (!pending.empty()) {
        auto [e, depth] = pending.back();
        pending.pop_back();
        out << std::string(depth, ' ') << "{" << e->GetNamespace() << "}" << e->GetName();
        for (CAttribute* a : *e->GetAttributes())
            out << " {" << a->GetNamespace() << "}" << a->GetName() << "=" << a->GetValue();
        out << " text=[" << e->GetText() << "]\n";
        const std::size_t at = pending.size();
        for (CElement* child : *e->GetChildElements())
            pending.insert(pending.begin() + static_cast<std::ptrdiff_t>(at), {child, depth + 1});
    }
    return out.str();
}

std::string InfosetOf(const std::string& bytes, bool json = false)
{
    ReadOptions options;
    options.json = json;
    return Infoset(*ReadDocument(Bytes(bytes), options));
}

struct RunResult {
    int status = -1;
    std::string out, err;
};

// A scratch folder for one test, removed with its files afterwards.
class Scratch {
public:
    Scratch()
    {
        char pattern[] = "/tmp/tsxml-test-XXXXXX";
        m_dir = mkdtemp(pattern) ? pattern : "/tmp";
    }
    ~Scratch() { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    // Runs tsxml with the arguments (a shell word list).
    RunResult Run(const std::string& args, const std::string& stdinFile = "/dev/null") const
    {
        const std::string command = std::string("'") + TSXML_TOOL_PATH + "' " + args + " <'" + stdinFile + "' >'" +
                                    Path("stdout") + "' 2>'" + Path("stderr") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(Path("stdout")), ReadFile(Path("stderr"))};
    }

private:
    std::string m_dir;
};

bool IsOneLine(const std::string& text)
{
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

} // namespace

// ---- recognising the input ----

TEST(ToolInputForm, RecognisesCompressionFastInfosetAndTextEncodings)
{
    // Long enough for compression to make it smaller (the library refuses otherwise).
    std::string xml = "<a>";
    for (int i = 0; i < 50; ++i)
        xml += "<b>x</b>";
    xml += "</a>";
    CBinaryData gzip = Bytes(xml);
    CTsZip().Compress(gzip, CompressionType_GZIP);
    const std::string utf16("<\0a\0/\0>\0", 8);
    const std::string fi("\xE0\x00\x00\x01\x00\x3C", 6);
    const struct {
        std::string bytes;
        bool json;
        std::string expected;
    } cases[] = {
        {"\xEF\xBB\xBF" + xml, false, "XML text (UTF-8)"},
        {utf16, false, "XML text (UTF-16LE)"},
        {std::string("\0<\0a\0/\0>", 8), false, "XML text (UTF-16BE)"},
        {"\xFF\xFE" + Text(gzip), false, "gzip-compressed XML text (UTF-16LE)"},
        {"<?xml version='1.1' encoding='finf' standalone='no'?>" + fi, false, "Fast Infoset"},
        // Only the declarations the library writes are recognised in front of it.
        {"<?xml version=\"1.0\" encoding=\"finf\"?>" + fi, false, "XML text (UTF-8)"},
        {"<?xml version='1.0' encoding='finf'?><a/>", false, "XML text (UTF-8)"},
        // A truncated gzip stream is still called gzip; the reader refuses it.
        {Text(gzip).substr(0, 10), false, "gzip-compressed XML text (UTF-8)"},
    };
    for (const auto& c : cases) {
        const InputKind kind =
            DetectInput(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), c.json);
        EXPECT_EQ(c.expected, Describe(kind)) << CBinaryData::GetAsHexString(
            reinterpret_cast<const unsigned char*>(c.bytes.data()), static_cast<unsigned long>(c.bytes.size()));
    }
    EXPECT_EQ(xml.size(), DetectInput(gzip.GetData(), gzip.GetLength(), false).contentSize);
}

TEST(ToolInputForm, JsonFileNames)
{
    for (const char* name : {"a.json", "dir/a.json.gz", "a.json.z"})
        EXPECT_TRUE(HasJsonName(name)) << name;
    for (const char* name : {"a.xml", ".json", "a.json.bak", "json", "-"})
        EXPECT_FALSE(HasJsonName(name)) << name;
}

// ---- error lines ----

TEST(ToolErrorText, FullMessageOnOneLineWithThePath)
{
    const CTsException inner("The value [x] can not be converted to a i4");
    const struct {
        CTsException error;
        std::string expected;
    } cases[] = {
        // Outermost first, each with its own path.
        {CTsValidationException("Failed to process the element.", "/order/item",
                                CTsValidationException("Failed to set the property value.", "/order/item/qty",
                                                       inner)),
         "Failed to process the element.; Path: /order/item; Failed to set the property value.; "
         "Path: /order/item/qty; The value [x] can not be converted to a i4"},
        // Multi-line text (the intermediate XML of a JSON read) is joined, its indentation trimmed.
        {CTsException("Error converting JSON to XML:\n<a>\n  <b/>\n</a>\n",
                      CTsValidationException("Invalid Element [b] found.", "/a")),
         "Error converting JSON to XML:; <a>; <b/>; </a>; Invalid Element [b] found.; Path: /a"},
        {CTsException(""), "unknown library error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, OneLine(c.error));
}

TEST(ToolErrorText, LongLinesAreShortenedInTheMiddleOnCharacterBoundaries)
{
    std::string xml;
    for (int i = 0; i < 100; ++i)
        xml += "\xC3\xA4" "bcdefghij";
    const std::string line = OneLine(CTsException("Error converting JSON to XML:\n" + xml + "END"), 50);
    EXPECT_EQ(0u, line.find("Error converting JSON to XML:; ")) << line;
    EXPECT_NE(std::string::npos, line.find("...")) << line;
    EXPECT_EQ("END", line.substr(line.size() - 3));
    EXPECT_LT(line.size(), 100u);
    // No UTF-8 sequence is cut: every continuation byte follows a lead or continuation byte.
    for (std::size_t i = 1; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) {
            EXPECT_GE(static_cast<unsigned char>(line[i - 1]), 0x80) << i << ": " << line;
        }
    }
}

// ---- command line ----

TEST(ToolCommandLine, AcceptedLines)
{
    CommandLine line = ParseCommandLine({"convert", "in.xml", "--to", "json", "-o", "out.json", "--pretty",
                                         "--json-mode", "1", "--gzip", "--encoding", "utf16"});
    EXPECT_EQ(Command::Convert, line.command);
    EXPECT_EQ("in.xml", line.input);
    EXPECT_EQ("out.json", line.output);
    EXPECT_EQ(OutputForm::Json, line.write.form);
    EXPECT_TRUE(line.write.pretty);
    EXPECT_EQ(JsonRoundTrip_Standard, line.write.jsonMode);
    EXPECT_EQ(CompressionType_GZIP, line.write.compression);
    EXPECT_EQ(XmlEncoding_UTF16, line.write.encoding);

    line = ParseCommandLine({"convert", "-", "--to", "fi", "--zlib"});
    EXPECT_EQ("-", line.input);
    EXPECT_EQ("-", line.output);
    EXPECT_EQ(OutputForm::FastInfoset, line.write.form);
    EXPECT_EQ(CompressionType_ZLIB, line.write.compression);

    EXPECT_EQ(Command::Info, ParseCommandLine({"info", "x"}).command);
    EXPECT_EQ(Command::Help, ParseCommandLine({"--help"}).command);
    EXPECT_EQ(Command::Version, ParseCommandLine({"--version"}).command);

    // JSON input: chosen by name unless --from says otherwise.
    EXPECT_TRUE(ReadsJson(ParseCommandLine({"info", "a.json"})));
    EXPECT_FALSE(ReadsJson(ParseCommandLine({"info", "a.json", "--from", "xml"})));
    EXPECT_FALSE(ReadsJson(ParseCommandLine({"info", "-"})));
}

TEST(ToolCommandLine, RefusedLinesSayWhy)
{
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"convert", "--to", "xml"}, "no input given (use - for standard input)"},
        {{"convert", "a.xml"}, "no output form given (--to xml, json or fi)"},
        {{"convert", "a.xml", "--to", "yaml"}, "bad value 'yaml' for --to"},
        {{"convert", "a.xml", "--to"}, "option --to needs a value"},
        {{"convert", "a.xml", "--to", "xml", "--gzip", "--zlib"}, "--gzip and --zlib exclude each other"},
        {{"convert", "a.xml", "--to", "fi", "--encoding", "utf16"}, "--encoding applies to XML and JSON text only"},
        {{"convert", "a.xml", "b.xml", "--to", "xml"}, "more than one input given ('a.xml' and 'b.xml')"},
        {{"info", "a.xml", "--pretty"}, "unknown option '--pretty' for info"},
    };
    for (const auto& c : cases) {
        std::string message = "<accepted>";
        try {
            ParseCommandLine(c.args);
        } catch (const UsageError& e) {
            message = e.what();
        }
        EXPECT_EQ(c.message, message);
    }
}

// ---- conversions ----

TEST(ToolConversion, EveryOutputFormReadsBackToTheSameInfoset)
{
    const struct {
        OutputForm form;
        CompressionType compression;
        XmlEncoding encoding;
        std::string expected;
    } cases[] = {
        {OutputForm::Xml, CompressionType_None, XmlEncoding_UTF16, "XML text (UTF-16LE)"},
        {OutputForm::Json, CompressionType_GZIP, XmlEncoding_UTF8, "gzip-compressed JSON (UTF-8)"},
        {OutputForm::FastInfoset, CompressionType_ZLIB, XmlEncoding_UTF8, "zlib-compressed Fast Infoset"},
    };
    for (const std::string& xml : {ReadFile(kSample), kMixed}) {
        ReadOptions read;
        CSmartPtr<CElement> root = ReadDocument(Bytes(xml), read);
        for (const auto& c : cases) {
            WriteOptions write;
            write.form = c.form;
            write.compression = c.compression;
            write.encoding = c.encoding;
            write.pretty = c.compression == CompressionType_None;  // indented text reads back the same
            const CBinaryData bytes = WriteDocument(*root, write);
            const bool json = c.form == OutputForm::Json;
            EXPECT_EQ(c.expected, Describe(DetectInput(bytes.GetData(), bytes.GetLength(), json)));
            EXPECT_EQ(InfosetOf(xml), InfosetOf(Text(bytes), json)) << c.expected;
        }
    }
}

TEST(ToolConversion, CompressionThatDoesNotPayIsRefusedWithItsReason)
{
    ReadOptions read;
    WriteOptions write;
    write.compression = CompressionType_ZLIB;
    std::string line = "<no exception>";
    try {
        WriteDocument(*ReadDocument(Bytes("<a/>"), read), write);
    } catch (const CTsException& e) {
        line = OneLine(e);
    }
    EXPECT_EQ(0u, line.find("The output (")) << line;
    EXPECT_NE(std::string::npos, line.find("the zlib form would not be smaller; Failed to compress data.")) << line;
}

TEST(ToolConversion, XmlOutputDeclaresTheRootNamespaceAsDefault)
{
    ReadOptions read;
    CSmartPtr<CElement> root = ReadDocument(Bytes(ReadFile(kSample)), read);
    const std::string xml = Text(WriteDocument(*root, WriteOptions()));
    EXPECT_EQ(0u, xml.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<purchaseOrder xmlns=\"urn:tsxmllib:samples:po\" orderDate=\"2026-11-20\">"
                           "<shipTo country=\"US\"><name>Alice Smith</name>"))
        << xml;
    // Layout white space is gone, and no generated prefix is needed anywhere.
    EXPECT_EQ(std::string::npos, xml.find(":shipTo")) << xml;
    EXPECT_EQ(std::string::npos, xml.find(">\n", xml.find("?>") + 3)) << xml;
}

TEST(ToolConversion, LayoutWhitespaceIsDroppedAndLeafTextKept)
{
    const std::string xml = "<a>\n  <b> x </b>\n  <c>  </c>\n</a>";
    // Text of a leaf is data and stays, blank or not.
    EXPECT_EQ("{}a text=[]\n {}b text=[ x ]\n {}c text=[  ]\n", InfosetOf(xml));
}

// ---- the program ----

TEST(ToolProgram, ConvertsReportsAndRoundTripsTheBundledSample)
{
    Scratch scratch;
    RunResult r = scratch.Run("info '" + kSample + "'");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("input: " + kSample +
                  "\nform: XML text (UTF-8)\nsize: 1078 bytes\nroot: {urn:tsxmllib:samples:po}purchaseOrder\n"
                  "elements: 29\nattributes: 6\ndepth: 4\n",
              r.out);
    EXPECT_EQ("", r.err);

    // XML -> gzip JSON file -> info -> XML on standard output.
    const std::string json = scratch.Path("po.json.gz");
    r = scratch.Run("convert '" + kSample + "' --to json --gzip --json-mode 2 -o '" + json + "'");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.out + r.err);
    r = scratch.Run("info '" + json + "'");
    EXPECT_NE(std::string::npos, r.out.find("form: gzip-compressed JSON (UTF-8)\n")) << r.out;
    r = scratch.Run("convert - --from json --to xml", json);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(InfosetOf(ReadFile(kSample)), InfosetOf(r.out));

    r = scratch.Run("--version");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("tsxml 16.1")) << r.out;
    r = scratch.Run("--help");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("usage: tsxml convert IN")) << r.out;

    // XML -> Fast Infoset file -> XML through a pipe.
    const std::string fi = scratch.Path("po.fi");
    r = scratch.Run("convert '" + kSample + "' --to fi -o '" + fi + "'");
    ASSERT_EQ(0, r.status) << r.err;
    r = scratch.Run("info '" + fi + "'");
    EXPECT_NE(std::string::npos, r.out.find("form: Fast Infoset\n")) << r.out;
    r = scratch.Run("convert - --to xml", fi);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(InfosetOf(ReadFile(kSample)), InfosetOf(r.out));

    // Binary output goes to standard output when that is no terminal.
    r = scratch.Run("convert '" + kSample + "' --to fi -o -");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(ReadFile(fi), r.out);
}

TEST(ToolProgram, BadInputGivesOneLineAndAFailingStatus)
{
    Scratch scratch;
    const std::string sample = ReadFile(kSample);
    CBinaryData gzip = Bytes(sample);
    CTsZip().Compress(gzip, CompressionType_GZIP);
    WriteFile(scratch.Path("truncated.xml.gz"), Text(gzip).substr(0, gzip.GetLength() / 2));
    WriteFile(scratch.Path("sample.json"), sample);
    const struct {
        std::string args;
        int status;
        std::string error;
    } cases[] = {
        {"convert '" + scratch.Path("truncated.xml.gz") + "' --to json -o '" + scratch.Path("out.xml") + "'", 1,
         "truncated.xml.gz: "},
        {"convert '" + scratch.Path("sample.json") + "' --to xml", 1, "sample.json: "},
        {"convert - --to xml", 1, "standard input is empty"},
        {"info '" + scratch.Path("missing.xml") + "'", 1, "cannot open '" + scratch.Path("missing.xml") +
                                                              "': No such file or directory"},
        {"convert '" + kSample + "' --to xml -o '" + scratch.Path("no/such/dir/out.xml") + "'", 1, "cannot create"},
        {"convert '" + kSample + "' --to yaml", 2, "bad value 'yaml' for --to"},
    };
    for (const auto& c : cases) {
        const RunResult r = scratch.Run(c.args);
        EXPECT_EQ(c.status, r.status) << c.args << "\n" << r.err;
        EXPECT_TRUE(IsOneLine(r.err)) << c.args << "\n" << r.err;
        EXPECT_EQ(0u, r.err.find("tsxml: ")) << r.err;
        EXPECT_NE(std::string::npos, r.err.find(c.error)) << c.args << "\n" << r.err;
        EXPECT_EQ("", r.out) << c.args;
    }
    // A failed conversion leaves no output file behind.
    EXPECT_NE(0, access(scratch.Path("out.xml").c_str(), F_OK));
}
