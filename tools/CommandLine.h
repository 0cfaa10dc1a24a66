// The command line of tsxml.
#ifndef TSXML_TOOL_COMMANDLINE_H
#define TSXML_TOOL_COMMANDLINE_H

#include "tools/Conversion.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace TsXmlTool {

// A command line that cannot be carried out; the text is the complaint.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Command { Help, Version, Convert, Info };
enum class InputFormOption { Detect, Xml, Json };

struct CommandLine {
    Command command = Command::Help;
    std::string input;         // a file name, or "-" for standard input
    std::string output = "-";  // likewise for standard output
    InputFormOption from = InputFormOption::Detect;
    WriteOptions write;
    bool toGiven = false;
    bool jsonModeGiven = false;
};

// Throws UsageError for unknown options, missing or bad values and a missing
// input or --to.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Whether the input is read as JSON: --from json, or a JSON file name unless
// --from xml says otherwise.
bool ReadsJson(const CommandLine& line);

extern const char* const kUsage;

} // namespace TsXmlTool

#endif
