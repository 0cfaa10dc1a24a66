// Recognising what a byte buffer holds before it is read: compression, Fast
// Infoset or XML text (with its character encoding), and JSON by name.
#ifndef TSXML_TOOL_INPUTFORM_H
#define TSXML_TOOL_INPUTFORM_H

#include <cstddef>
#include <string>

namespace TsXmlTool {

enum class Form { XmlText, FastInfoset, Json };
enum class Packing { None, Gzip, Zlib };

struct InputKind {
    Form form = Form::XmlText;
    Packing packing = Packing::None;
    // "UTF-8", "UTF-16LE" or "UTF-16BE" for text forms, empty for Fast Infoset.
    std::string textEncoding;
    // The size once decompressed (equal to the input size when not compressed).
    std::size_t contentSize = 0;
};

bool IsGzip(const unsigned char* bytes, std::size_t length);
bool IsZlib(const unsigned char* bytes, std::size_t length);
// A Fast Infoset document: the identification E0 00 00 01, alone or right after
// one of the XML declarations naming the 'finf' encoding that the library
// writes (and so reads).
bool IsFastInfoset(const unsigned char* bytes, std::size_t length);
// Whether a file name says JSON: ".json", optionally followed by ".gz" or ".z".
bool HasJsonName(const std::string& name);

// What the bytes hold; jsonInput forces the JSON form (the bytes are then
// only examined for compression and encoding). Compressed input is inflated
// into a scratch copy to look inside.
InputKind DetectInput(const unsigned char* bytes, std::size_t length, bool jsonInput);

// "XML text (UTF-8)", "gzip-compressed Fast Infoset", ...
std::string Describe(const InputKind& kind);

} // namespace TsXmlTool

#endif
