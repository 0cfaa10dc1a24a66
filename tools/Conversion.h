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
};

struct WriteOptions {
    OutputForm form = OutputForm::Xml;
    TsXmlLib16::CompressionType compression = TsXmlLib16::CompressionType_None;
    // UTF-8 or UTF-16 (little-endian, written with an FF FE mark in front).
    TsXmlLib16::XmlEncoding encoding = TsXmlLib16::XmlEncoding_UTF8;
    bool pretty = false;
    TsXmlLib16::JsonRoundTrip jsonMode = TsXmlLib16::JsonRoundTrip_Full;
};

// The document element of XML text, Fast Infoset or JSON, compressed or not.
// White space between child elements is layout and is not kept.
TsXmlLib16::CSmartPtr<TsXmlLib16::CElement> ReadDocument(const TsXmlLib16::CBinaryData& input,
                                                         const ReadOptions& options);

// The tree in the requested form. Every namespace of the tree is declared on
// the document element; the document element's own becomes the default
// namespace when no element of the tree is outside every namespace (an
// unprefixed name would otherwise take it). Compression that would not make
// the output smaller fails with a message that says so.
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
