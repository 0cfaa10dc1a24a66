#include "tools/Conversion.h"

#include "tsxmllib/JsonContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <algorithm>
#include <vector>

using namespace TsXmlLib16;

namespace TsXmlTool {

namespace {

CSerializationContext MakeContext(JsonRoundTrip jsonMode)
{
    CSerializationContext ctx;
    ctx.GetJsonContext().SetSupportRoundtrip(jsonMode);
    return ctx;
}

// The measurements of the document being parsed. The element filter is a
// plain function, so it reaches them through this pointer (one measurement
// at a time).
DocumentStats* g_stats = nullptr;

bool CountAndDrop(CXmlElement* element)
{
    ++g_stats->elements;
    g_stats->attributes += element->GetAttributes().size();
    int depth = 1;
    for (const CXmlElement* parent = element->GetParentElm(); parent; parent = parent->GetParentElm())
        ++depth;
    g_stats->depth = std::max(g_stats->depth, depth);
    return true;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

} // namespace

void DropLayoutWhitespace(CElement& root)
{
    std::vector<CElement*> pending{&root};
    while (!pending.empty()) {
        CElement* element = pending.back();
        pending.pop_back();
        CSmartPtr<CElementCol> children = element->GetChildElements();
        if (children->GetCount() == 0)
            continue;
        if (!element->GetText().empty() && IsBlank(element->GetText()))
            element->SetText("");
        for (CElement* child : *children)
            pending.push_back(child);
    }
}

CSmartPtr<CElement> ReadDocument(const CBinaryData& input, const ReadOptions& options)
{
    const CSerializationContext ctx = MakeContext(options.jsonMode);
    CSmartPtr<CElement> root(new CElement(""));
    if (options.json)
        root->FromJsonStream(input, ctx);
    else
        root->FromXmlStream(input, ctx);
    if (!options.keepWhitespace)
        DropLayoutWhitespace(*root);
    return root;
}

CBinaryData WriteDocument(const CElement& root, const WriteOptions& options)
{
    CSerializationContext ctx = MakeContext(options.jsonMode);
    // GetNamespace is not const in the object base's interface.
    const std::string ns = const_cast<CElement&>(root).GetNamespace();
    CBinaryData bytes;
    switch (options.form) {
    case OutputForm::Xml:
        ctx.SetDefaultNamespaceURI(ns.c_str());
        bytes = root.ToXmlStream(true, options.pretty, options.encoding, EOLType_LF, ctx, CompressionType_None);
        break;
    case OutputForm::Json:
        ctx.SetDefaultNamespaceURI(ns.c_str());
        bytes = root.ToJsonStream(options.pretty, options.encoding, EOLType_LF, ctx, CompressionType_None);
        break;
    case OutputForm::FastInfoset:
        ctx.SetDefaultNamespaceURI(ns.c_str());
        return root.ToFastInfosetStream(FInfoDecl_None, ctx, options.compression);
    }
    // Text in UTF-16 carries its byte order mark, inside the compression, as
    // the library's own files do, so that any reader recognises it.
    if (options.encoding == XmlEncoding_UTF16 || options.encoding == XmlEncoding_UTF16NoDecl) {
        CBinaryData marked;
        marked.Append(static_cast<unsigned char>(0xFF));
        marked.Append(static_cast<unsigned char>(0xFE));
        marked.Append(bytes);
        bytes = marked;
    }
    CTsZip().Compress(bytes, options.compression);
    return bytes;
}

DocumentStats MeasureDocument(const CBinaryData& input, const ReadOptions& options)
{
    const CSerializationContext ctx = MakeContext(options.jsonMode);
    DocumentStats stats;
    CBinaryData xml = input;
    if (options.json)
        xml = CXmlDocument(ctx).LoadJsonStream(input.GetData(), input.GetLength());
    g_stats = &stats;
    try {
        CXmlDocument document(&CountAndDrop, ctx);
        document.LoadXmlStream(xml.GetData(), xml.GetLength());
        g_stats = nullptr;
        if (const CXmlElement* root = document.GetDocumentElement()) {
            stats.rootName = root->GetLocalName();
            stats.rootNamespace = root->GetNamespaceURI();
        }
    } catch (...) {
        g_stats = nullptr;
        throw;
    }
    return stats;
}

} // namespace TsXmlTool
