#include "tools/CommandLine.h"

#include "tools/InputForm.h"

using namespace TsXmlLib16;

namespace TsXmlTool {

const char* const kUsage =
    "usage: tsxml convert IN [-o OUT] --to xml|json|fi [--from xml|json] [--gzip|--zlib]\n"
    "                        [--encoding utf8|utf16] [--pretty] [--json-mode 0|1|2]\n"
    "       tsxml info IN [--from xml|json] [--json-mode 0|1|2]\n"
    "       tsxml --help | --version\n"
    "\n"
    "IN and OUT may be - for standard input and output. The input form is recognised\n"
    "from its bytes (XML text, Fast Infoset, gzip or zlib compressed); JSON input is\n"
    "selected with --from json or by a .json name.\n"
    "\n"
    "  -o OUT              where to write (default: standard output)\n"
    "  --to FORM           xml, json or fi (Fast Infoset)\n"
    "  --from FORM         read the input as xml (including Fast Infoset) or json\n"
    "  --gzip, --zlib      compress the output\n"
    "  --encoding ENC      utf8 (default) or utf16 for XML and JSON text\n"
    "  --pretty            indent XML and JSON text\n"
    "  --json-mode N       how much XML information JSON keeps: 0 none, 1 standard,\n"
    "                      2 full (default; namespaces and attributes survive)\n"
    "\n"
    "White space between child elements is layout and is not carried over.\n";

namespace {

class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& args) : m_args(args) {}
    bool More() const { return m_next < m_args.size(); }
    const std::string& Next() { return m_args[m_next++]; }
    const std::string& ValueOf(const std::string& option)
    {
        if (!More())
            throw UsageError("option " + option + " needs a value");
        return Next();
    }

private:
    const std::vector<std::string>& m_args;
    std::size_t m_next = 0;
};

[[noreturn]] void BadValue(const std::string& option, const std::string& value)
{
    throw UsageError("bad value '" + value + "' for " + option);
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    Arguments in(args);
    if (!in.More())
        throw UsageError("no command given");
    const std::string command = in.Next();
    if (command == "--help" || command == "-h" || command == "help") {
        line.command = Command::Help;
        return line;
    }
    if (command == "--version") {
        line.command = Command::Version;
        return line;
    }
    if (command == "convert")
        line.command = Command::Convert;
    else if (command == "info")
        line.command = Command::Info;
    else
        throw UsageError("unknown command '" + command + "'");

    const bool convert = line.command == Command::Convert;
    bool compressionGiven = false;
    while (in.More()) {
        const std::string arg = in.Next();
        if (arg == "--help" || arg == "-h") {
            line.command = Command::Help;
            return line;
        }
        if (arg == "--from") {
            const std::string v = in.ValueOf(arg);
            if (v == "xml")
                line.from = InputFormOption::Xml;
            else if (v == "json")
                line.from = InputFormOption::Json;
            else
                BadValue(arg, v);
        } else if (arg == "--json-mode") {
            const std::string v = in.ValueOf(arg);
            if (v.size() != 1 || v[0] < '0' || v[0] > '2')
                BadValue(arg, v);
            line.write.jsonMode = static_cast<JsonRoundTrip>(v[0] - '0');
            line.jsonModeGiven = true;
        } else if (convert && arg == "-o") {
            line.output = in.ValueOf(arg);
        } else if (convert && arg == "--to") {
            const std::string v = in.ValueOf(arg);
            if (v == "xml")
                line.write.form = OutputForm::Xml;
            else if (v == "json")
                line.write.form = OutputForm::Json;
            else if (v == "fi")
                line.write.form = OutputForm::FastInfoset;
            else
                BadValue(arg, v);
            line.toGiven = true;
        } else if (convert && (arg == "--gzip" || arg == "--zlib")) {
            if (compressionGiven)
                throw UsageError("--gzip and --zlib exclude each other");
            compressionGiven = true;
            line.write.compression = arg == "--gzip" ? CompressionType_GZIP : CompressionType_ZLIB;
        } else if (convert && arg == "--encoding") {
            const std::string v = in.ValueOf(arg);
            if (v == "utf8" || v == "utf-8")
                line.write.encoding = XmlEncoding_UTF8;
            else if (v == "utf16" || v == "utf-16")
                line.write.encoding = XmlEncoding_UTF16;
            else
                BadValue(arg, v);
        } else if (convert && arg == "--pretty") {
            line.write.pretty = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option '" + arg + "' for " + command);
        } else if (line.input.empty()) {
            line.input = arg;
        } else {
            throw UsageError("more than one input given ('" + line.input + "' and '" + arg + "')");
        }
    }
    if (line.input.empty())
        throw UsageError("no input given (use - for standard input)");
    if (convert && !line.toGiven)
        throw UsageError("no output form given (--to xml, json or fi)");
    if (convert && line.write.form == OutputForm::FastInfoset && line.write.encoding != XmlEncoding_UTF8)
        throw UsageError("--encoding applies to XML and JSON text only");
    return line;
}

bool ReadsJson(const CommandLine& line)
{
    if (line.from != InputFormOption::Detect)
        return line.from == InputFormOption::Json;
    return HasJsonName(line.input);
}

} // namespace TsXmlTool
