// The tsxml converter: its parts called directly (input recognition, error
// lines, command line, conversions) and the program run as a user runs it.
#include "tools/CommandLine.h"
#include "tools/Conversion.h"
#include "tools/ErrorText.h"
#include "tools/FileIo.h"
#include "tools/InputForm.h"

#include "tsxmllib/Attribute.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"

#include <gtest/gtest.h>

#include <cstdio>
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

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

CBinaryData Bytes(const std::string& text)
{
    return CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(text.data())),
                       static_cast<unsigned long>(text.size()), false);
}

std::string Text(const CBinaryData& data)
{
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

// The information set of an untyped tree as text: names, namespaces,
// attributes and text, one element per line.
std::string Infoset(const CElement& root)
{
    std::ostringstream out;
    std::vector<std::pair<const CElement*, int>> pending{{&root, 0}};
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        CElement& e = const_cast<CElement&>(*element);
        out << std::string(depth, ' ') << "{" << e.GetNamespace() << "}" << e.GetName();
        for (CAttribute* a : *e.GetAttributes())
            out << " {" << a->GetNamespace() << "}" << a->GetName() << "=" << a->GetValue();
        out << " text=[" << e.GetText() << "]\n";
        std::vector<const CElement*> children;
        for (CElement* child : *e.GetChildElements())
            children.push_back(child);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.push_back({*it, depth + 1});
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
    std::string out;
    std::string err;
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
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    // Runs tsxml with the arguments (a shell word list), standard input from
    // stdinFile when given.
    RunResult Run(const std::string& args, const std::string& stdinFile = "/dev/null") const
    {
        const std::string command = std::string("'") + TSXML_TOOL_PATH + "' " + args + " <'" + stdinFile + "' >'" +
                                    Path("stdout") + "' 2>'" + Path("stderr") + "'";
        const int raw = std::system(command.c_str());
        RunResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFile(Path("stdout"));
        result.err = ReadFile(Path("stderr"));
        return result;
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
    CBinaryData zlib = Bytes(xml);
    CTsZip().Compress(zlib, CompressionType_ZLIB);
    const std::string utf16(std::string("<\0a\0/\0>\0", 8));
    const std::string fi("\xE0\x00\x00\x01\x00\x3C", 6);
    CBinaryData fiGzip = Bytes(fi + std::string(200, '\x10'));
    CTsZip().Compress(fiGzip, CompressionType_GZIP);
    const struct {
        std::string bytes;
        bool json;
        std::string expected;
    } cases[] = {
        {xml, false, "XML text (UTF-8)"},
        {"\xEF\xBB\xBF" + xml, false, "XML text (UTF-8)"},
        {"\xFF\xFE" + utf16, false, "XML text (UTF-16LE)"},
        {utf16, false, "XML text (UTF-16LE)"},
        {std::string("\0<\0a\0/\0>", 8), false, "XML text (UTF-16BE)"},
        {Text(gzip), false, "gzip-compressed XML text (UTF-8)"},
        {Text(zlib), false, "zlib-compressed XML text (UTF-8)"},
        {"\xFF\xFE" + Text(gzip), false, "gzip-compressed XML text (UTF-16LE)"},
        {fi, false, "Fast Infoset"},
        {"<?xml encoding='finf'?>" + fi, false, "Fast Infoset"},
        {"<?xml version='1.0' encoding='finf' standalone='yes'?>" + fi, false, "Fast Infoset"},
        {"<?xml version='1.1' encoding='finf' standalone='no'?>" + fi, false, "Fast Infoset"},
        {Text(fiGzip), false, "gzip-compressed Fast Infoset"},
        // Only the declarations the library writes are recognised in front of it.
        {"<?xml version=\"1.0\" encoding=\"finf\"?>" + fi, false, "XML text (UTF-8)"},
        {"<?xml  encoding='finf'?>" + fi, false, "XML text (UTF-8)"},
        // A declaration naming finf without the identification after it is text.
        {"<?xml version='1.0' encoding='finf'?><a/>", false, "XML text (UTF-8)"},
        {"<?xml version='1.0'?><a/>", false, "XML text (UTF-8)"},
        {"{\"a\": 1}", true, "JSON (UTF-8)"},
        {Text(gzip), true, "gzip-compressed JSON (UTF-8)"},
        // A truncated gzip stream is still called gzip; the reader refuses it.
        {Text(gzip).substr(0, 10), false, "gzip-compressed XML text (UTF-8)"},
    };
    for (const auto& c : cases) {
        const InputKind kind =
            DetectInput(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), c.json);
        EXPECT_EQ(c.expected, Describe(kind)) << CBinaryData::GetAsHexString(
            reinterpret_cast<const unsigned char*>(c.bytes.data()), static_cast<unsigned long>(c.bytes.size()));
    }
    const InputKind packed = DetectInput(gzip.GetData(), gzip.GetLength(), false);
    EXPECT_EQ(xml.size(), packed.contentSize);
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
        {CTsException("plain"), "plain"},
        {CTsValidationException("Failed to find the required child element [name].", "/order/shipTo"),
         "Failed to find the required child element [name].; Path: /order/shipTo"},
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
    EXPECT_EQ(Command::Help, ParseCommandLine({"convert", "--help"}).command);
    EXPECT_EQ(Command::Version, ParseCommandLine({"--version"}).command);

    // JSON input: chosen by name unless --from says otherwise.
    EXPECT_TRUE(ReadsJson(ParseCommandLine({"info", "a.json"})));
    EXPECT_FALSE(ReadsJson(ParseCommandLine({"info", "a.json", "--from", "xml"})));
    EXPECT_TRUE(ReadsJson(ParseCommandLine({"info", "-", "--from", "json"})));
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
        {{"convert", "a.xml", "--to", "xml", "--json-mode", "3"}, "bad value '3' for --json-mode"},
        {{"convert", "a.xml", "--to", "xml", "--encoding", "latin1"}, "bad value 'latin1' for --encoding"},
        {{"convert", "a.xml", "--to", "xml", "--gzip", "--zlib"}, "--gzip and --zlib exclude each other"},
        {{"convert", "a.xml", "--to", "fi", "--encoding", "utf16"}, "--encoding applies to XML and JSON text only"},
        {{"convert", "a.xml", "b.xml", "--to", "xml"}, "more than one input given ('a.xml' and 'b.xml')"},
        {{"info", "a.xml", "--pretty"}, "unknown option '--pretty' for info"},
        {{"info", "a.xml", "-o", "x"}, "unknown option '-o' for info"},
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

TEST(ToolConversion, XmlToFullJsonAndBackKeepsTheInfoset)
{
    for (const std::string& xml : {ReadFile(kSample), kMixed}) {
        const std::string before = InfosetOf(xml);
        WriteOptions toJson;
        toJson.form = OutputForm::Json;
        toJson.jsonMode = JsonRoundTrip_Full;
        for (bool pretty : {false, true}) {
            toJson.pretty = pretty;
            ReadOptions read;
            const std::string json = Text(WriteDocument(*ReadDocument(Bytes(xml), read), toJson));
            EXPECT_EQ(before, InfosetOf(json, true)) << json;
            // And written back as XML, the same again.
            read.json = true;
            const std::string again = Text(WriteDocument(*ReadDocument(Bytes(json), read), WriteOptions()));
            EXPECT_EQ(before, InfosetOf(again)) << again;
        }
    }
}

TEST(ToolConversion, EveryOutputFormReadsBackToTheSameInfoset)
{
    for (const std::string& xml : {ReadFile(kSample), kMixed}) {
        const std::string before = InfosetOf(xml);
        ReadOptions read;
        CSmartPtr<CElement> root = ReadDocument(Bytes(xml), read);
        for (OutputForm form : {OutputForm::Xml, OutputForm::Json, OutputForm::FastInfoset})
            for (CompressionType compression : {CompressionType_None, CompressionType_GZIP, CompressionType_ZLIB})
                for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16}) {
                    // The JSON reader takes UTF-8 only; Fast Infoset has no text encoding.
                    if (form != OutputForm::Xml && encoding == XmlEncoding_UTF16)
                        continue;
                    WriteOptions write;
                    write.form = form;
                    write.compression = compression;
                    write.encoding = encoding;
                    const CBinaryData bytes = WriteDocument(*root, write);
                    const InputKind kind =
                        DetectInput(bytes.GetData(), bytes.GetLength(), form == OutputForm::Json);
                    const std::string where = std::to_string(int(form)) + " " + std::to_string(compression) + " " +
                                              std::to_string(encoding) + ": " + Describe(kind);
                    EXPECT_EQ(compression == CompressionType_None ? Packing::None
                              : compression == CompressionType_GZIP ? Packing::Gzip
                                                                    : Packing::Zlib,
                              kind.packing)
                        << where;
                    EXPECT_EQ(form == OutputForm::FastInfoset ? Form::FastInfoset
                              : form == OutputForm::Json      ? Form::Json
                                                              : Form::XmlText,
                              kind.form)
                        << where;
                    EXPECT_EQ(form == OutputForm::FastInfoset ? ""
                              : encoding == XmlEncoding_UTF8  ? "UTF-8"
                                                              : "UTF-16LE",
                              kind.textEncoding)
                        << where;
                    EXPECT_EQ(before, InfosetOf(Text(bytes), form == OutputForm::Json)) << where;
                }
    }
}

TEST(ToolConversion, CompressionThatDoesNotPayIsRefusedWithItsReason)
{
    ReadOptions read;
    CSmartPtr<CElement> root = ReadDocument(Bytes("<a/>"), read);
    WriteOptions write;
    write.compression = CompressionType_ZLIB;
    try {
        WriteDocument(*root, write);
        ADD_FAILURE() << "a tiny document was compressed";
    } catch (const CTsException& e) {
        EXPECT_EQ(0u, e.GetFullMessage().find("The output (")) << e.GetFullMessage();
        EXPECT_NE(std::string::npos, OneLine(e).find("the zlib form would not be smaller; Failed to compress data."))
            << OneLine(e);
    }
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
    ReadOptions read;
    CSmartPtr<CElement> root = ReadDocument(Bytes(xml), read);
    EXPECT_EQ("", root->GetText());
    // Text of a leaf is data and stays, blank or not.
    EXPECT_EQ(" x ", root->GetChildElements()->Item(0)->GetText());
    EXPECT_EQ("  ", root->GetChildElements()->Item(1)->GetText());
    // So JSON output carries no "#text" member for the indentation.
    WriteOptions toJson;
    toJson.form = OutputForm::Json;
    const std::string json = Text(WriteDocument(*root, toJson));
    EXPECT_EQ(std::string::npos, json.find("\\n")) << json;
}

TEST(ToolConversion, MeasuresElementsAttributesAndDepth)
{
    ReadOptions read;
    const DocumentStats stats = MeasureDocument(Bytes(kMixed), read);
    EXPECT_EQ("catalog", stats.rootName);
    EXPECT_EQ("urn:test:root", stats.rootNamespace);
    // The xmlns declarations are not attributes of the information set.
    EXPECT_EQ(9u, stats.elements);
    EXPECT_EQ(5u, stats.attributes);
    EXPECT_EQ(3, stats.depth);

    read.json = true;
    const DocumentStats json = MeasureDocument(Bytes("{\"a\": {\"@k\": \"v\", \"b\": [1, 2], \"c\": {\"d\": 3}}}"), read);
    EXPECT_EQ("a", json.rootName);
    EXPECT_EQ(5u, json.elements);
    EXPECT_EQ(1u, json.attributes);
    EXPECT_EQ(3, json.depth);
}

// ---- the program ----

TEST(ToolProgram, ConvertsAndReportsTheBundledSample)
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
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("form: gzip-compressed JSON (UTF-8)\n")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("elements: 29\n")) << r.out;
    r = scratch.Run("convert - --from json --to xml", json);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(InfosetOf(ReadFile(kSample)), InfosetOf(r.out));

    // UTF-16 XML, read from standard input.
    r = scratch.Run("convert - --to xml --encoding utf16 --pretty -o '" + scratch.Path("po16.xml") + "'", kSample);
    EXPECT_EQ(0, r.status) << r.err;
    const std::string utf16 = ReadFile(scratch.Path("po16.xml"));
    EXPECT_EQ(0u, utf16.find(std::string("\xFF\xFE<\0?\0x\0m\0l\0", 12)));
    EXPECT_EQ(InfosetOf(ReadFile(kSample)), InfosetOf(utf16));

    r = scratch.Run("--version");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("tsxml 16.1")) << r.out;
    r = scratch.Run("--help");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("usage: tsxml convert IN")) << r.out;
}

TEST(ToolProgram, FastInfosetRoundTripsThroughFilesAndPipes)
{
    Scratch scratch;
    const std::string expected = InfosetOf(ReadFile(kSample));
    const std::string fi = scratch.Path("po.fi");
    RunResult r = scratch.Run("convert '" + kSample + "' --to fi -o '" + fi + "'");
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(0u, ReadFile(fi).find("\xE0\x00\x00\x01")) << "no Fast Infoset header";
    r = scratch.Run("info '" + fi + "'");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("form: Fast Infoset\n")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("elements: 29\nattributes: 6\ndepth: 4\n")) << r.out;

    // Fast Infoset on standard input, compressed, to JSON and back to XML.
    const std::string fiGz = scratch.Path("po.fi.gz");
    r = scratch.Run("convert - --to fi --gzip -o '" + fiGz + "'", fi);
    ASSERT_EQ(0, r.status) << r.err;
    r = scratch.Run("info '" + fiGz + "'");
    EXPECT_NE(std::string::npos, r.out.find("form: gzip-compressed Fast Infoset\n")) << r.out;
    const std::string json = scratch.Path("po.json");
    r = scratch.Run("convert '" + fiGz + "' --to json -o '" + json + "'");
    ASSERT_EQ(0, r.status) << r.err;
    r = scratch.Run("convert '" + json + "' --to xml");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(expected, InfosetOf(r.out));

    // Binary output goes to standard output when that is no terminal.
    r = scratch.Run("convert '" + kSample + "' --to fi -o -");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(ReadFile(fi), r.out);
}

TEST(ToolProgram, ProgressLineOnlyForLargeInputOnATerminal)
{
    Scratch scratch;
    const std::string input = scratch.Path("in.xml");
    WriteFile(input, ReadFile(kSample));
    const struct {
        bool terminal;
        std::size_t threshold;
        bool shown;
    } cases[] = {{true, 100, true}, {true, 1 << 20, false}, {false, 100, false}};
    for (const auto& c : cases) {
        std::FILE* sink = std::tmpfile();
        ASSERT_NE(nullptr, sink);
        {
            Progress progress(c.terminal, sink, c.threshold);
            EXPECT_EQ(1078u, ReadInput(input, progress).GetLength());
            progress.Show("counting elements");
        }
        std::rewind(sink);
        std::string written;
        for (int ch; (ch = std::fgetc(sink)) != EOF;)
            written += static_cast<char>(ch);
        std::fclose(sink);
        if (c.shown)
            // The line is rewritten in place and wiped at the end.
            EXPECT_EQ("\r\033[Ktsxml: reading '" + input + "': 0 of 0 MiB\r\033[Ktsxml: counting elements\r\033[K",
                      written);
        else
            EXPECT_EQ("", written) << c.terminal << " " << c.threshold;
    }
}

TEST(ToolProgram, BadInputGivesOneLineAndAFailingStatus)
{
    Scratch scratch;
    const std::string sample = ReadFile(kSample);
    WriteFile(scratch.Path("truncated.xml"), sample.substr(0, sample.size() / 2));
    CBinaryData gzip = Bytes(sample);
    CTsZip().Compress(gzip, CompressionType_GZIP);
    WriteFile(scratch.Path("truncated.xml.gz"), Text(gzip).substr(0, gzip.GetLength() / 2));
    WriteFile(scratch.Path("sample.json"), sample);
    WriteFile(scratch.Path("data.json"), "{\"a\": {\"b\": 1,}}");
    WriteFile(scratch.Path("binary.bin"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    WriteFile(scratch.Path("empty.xml"), "");
    ReadOptions read;
    WriteOptions toFi;
    toFi.form = OutputForm::FastInfoset;
    const std::string fi = Text(WriteDocument(*ReadDocument(Bytes(sample), read), toFi));
    WriteFile(scratch.Path("truncated.fi"), fi.substr(0, fi.size() / 2));
    WriteFile(scratch.Path("two-roots.xml"), "<a/><b/>");
    const struct {
        std::string args;
        int status;
        std::string error;
    } cases[] = {
        {"info '" + scratch.Path("truncated.xml") + "'", 1, "truncated.xml: "},
        {"convert '" + scratch.Path("truncated.xml") + "' --to json -o '" + scratch.Path("out.xml") + "'", 1,
         "truncated.xml: "},
        {"convert '" + scratch.Path("truncated.xml.gz") + "' --to xml", 1, "truncated.xml.gz: "},
        {"convert '" + scratch.Path("sample.json") + "' --to xml", 1, "sample.json: "},
        {"convert '" + scratch.Path("data.json") + "' --to xml", 1, "data.json: "},
        {"convert '" + scratch.Path("data.json") + "' --from xml --to json", 1, "data.json: "},
        {"info '" + scratch.Path("binary.bin") + "'", 1, "binary.bin: "},
        {"convert '" + scratch.Path("truncated.fi") + "' --to xml", 1,
         "truncated.fi: Failed to parse FastInfoset. Unexpected End of File."},
        {"convert - --to xml", 1, "standard input is empty"},
        {"info '" + scratch.Path("two-roots.xml") + "'", 1, "junk after document element"},
        {"info '" + scratch.Path("empty.xml") + "'", 1, "empty.xml' is empty"},
        {"info '" + scratch.Path("missing.xml") + "'", 1, "cannot open '" + scratch.Path("missing.xml") +
                                                              "': No such file or directory"},
        {"convert '" + kSample + "' --to xml -o '" + scratch.Path("no/such/dir/out.xml") + "'", 1, "cannot create"},
        {"convert '" + kSample + "' --to yaml", 2, "bad value 'yaml' for --to"},
        {"convert '" + kSample + "'", 2, "no output form given"},
        {"", 2, "no command given"},
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
