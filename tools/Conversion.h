// Reading any data-oriented document into an untyped element tree and writing
// that tree in another form, plus the measurements that "info" reports.
#ifndef TSXML_TOOL_CONVERSION_H
#define TSXML_TOOL_CONVERSION_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/SmartPtr.h"

#include <cstdint>
#include <string>

namespace TsXmlTool {

enum class OutputForm { Xml, Json, FastInfoset };

struct ReadOptions {
    bool json = false;
    TsXmlLib16::JsonRoundTrip jsonMode = TsXmlLib16::JsonRoundTrip_Full;
    // Keep white space that only lays out child elements (see DropLayoutWhitespace).
    bool keepWhitespace = false;
};

struct WriteOptions {
    OutputForm form = OutputForm::Xml;
    TsXmlLib16::CompressionType compression = TsXmlLib16::CompressionType_None;
    // UTF-8 or UTF-16 (little-endian, written with an FF FE mark in front).
    TsXmlLib16::XmlEncoding encoding = TsXmlLib16::XmlEncoding_UTF8;
    bool pretty = false;
    TsXmlLib16::JsonRoundTrip jsonMode = TsXmlLib16::JsonRoundTrip_Full;
};

// The document element of XML text, Fast Infoset or JSON, compressed or not,
// with layout white space dropped unless options.keepWhitespace.
TsXmlLib16::CSmartPtr<TsXmlLib16::CElement> ReadDocument(const TsXmlLib16::CBinaryData& input,
                                                         const ReadOptions& options);

// Empties the text of every element that has child elements and only white
// space as text: in a data-oriented document that is the indentation between
// the children, which would otherwise travel into JSON as "#text" members.
void DropLayoutWhitespace(TsXmlLib16::CElement& root);

// The tree in the requested form. XML and Fast Infoset output declare the
// document element's namespace as the default namespace, so that elements of
// that namespace need no prefix.
TsXmlLib16::CBinaryData WriteDocument(const TsXmlLib16::CElement& root, const WriteOptions& options);

struct DocumentStats {
    std::string rootName;
    std::string rootNamespace;
    std::uint64_t elements = 0;
    std::uint64_t attributes = 0;
    int depth = 0;
};

// Counts elements while they are parsed and drops each one when it is
// complete, so memory stays flat however large the document is.
DocumentStats MeasureDocument(const TsXmlLib16::CBinaryData& input, const ReadOptions& options);

} // namespace TsXmlTool

#endif
