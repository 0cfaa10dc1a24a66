#include "tools/Conversion.h"

#include "tsxmllib/Attribute.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/Namespaces.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <algorithm>
#include <set>
#include <string>
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

// The namespaces of a tree's elements and attributes, and whether any element
// is outside every namespace.
struct NamespaceUse {
    std::set<std::string> uris;
    bool unqualifiedElement = false;
};

NamespaceUse NamespacesOf(const CElement& root)
{
    NamespaceUse use;
    std::vector<const CElement*> pending{&root};
    while (!pending.empty()) {
        // GetNamespace is not const in the object base's interface.
        CElement& element = const_cast<CElement&>(*pending.back());
        pending.pop_back();
        const std::string ns = element.GetNamespace();
        if (ns.empty())
            use.unqualifiedElement = true;
        else
            use.uris.insert(ns);
        for (CAttribute* attribute : *element.GetAttributes()) {
            const std::string attributeNs = attribute->GetNamespace();
            if (!attributeNs.empty() && attributeNs != XmlNamespaceUri)
                use.uris.insert(attributeNs);
        }
        for (CElement* child : *element.GetChildElements())
            pending.push_back(child);
    }
    return use;
}

// Declares the tree's namespaces in the context, as ns1, ns2, ... in URI order.
void DeclareNamespaces(const CElement& root, CSerializationContext& ctx)
{
    const NamespaceUse use = NamespacesOf(root);
    const std::string rootNs = const_cast<CElement&>(root).GetNamespace();
    const bool rootIsDefault = !rootNs.empty() && !use.unqualifiedElement;
    if (rootIsDefault)
        ctx.SetDefaultNamespaceURI(rootNs.c_str());
    int next = 1;
    for (const std::string& uri : use.uris) {
        if (rootIsDefault && uri == rootNs)
            continue;
        ctx.GetNamespaceAliases().Add(("ns" + std::to_string(next++)).c_str(), uri.c_str());
    }
}

void Compress(CBinaryData& bytes, CompressionType compression)
{
    if (compression == CompressionType_None)
        return;
    const unsigned long length = bytes.GetLength();
    try {
        CTsZip().Compress(bytes, compression);
    } catch (const CTsException& e) {
        throw CTsException(FormatString("The output (%lu bytes) cannot be compressed: the %s form would not be "
                                        "smaller",
                                        length, compression == CompressionType_GZIP ? "gzip" : "zlib"),
                           e);
    }
}

} // namespace

CSmartPtr<CElement> ReadDocument(const CBinaryData& input, const ReadOptions& options)
{
    const CSerializationContext ctx = MakeContext(options.jsonMode);
    CSmartPtr<CElement> root(new CElement(""));
    if (options.json)
        root->FromJsonStream(input, ctx);
    else
        root->FromXmlStream(input, ctx);
    return root;
}

CBinaryData WriteDocument(const CElement& root, const WriteOptions& options)
{
    CSerializationContext ctx = MakeContext(options.jsonMode);
    DeclareNamespaces(root, ctx);
    CBinaryData bytes;
    switch (options.form) {
    case OutputForm::Xml:
        bytes = root.ToXmlStream(true, options.pretty, options.encoding, EOLType_LF, ctx, CompressionType_None);
        break;
    case OutputForm::Json:
        bytes = root.ToJsonStream(options.pretty, options.encoding, EOLType_LF, ctx, CompressionType_None);
        break;
    case OutputForm::FastInfoset:
        bytes = root.ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None);
        break;
    }
    // Text in UTF-16 carries its byte order mark, inside the compression, as
    // the library's own files do, so that any reader recognises it.
    if (options.form != OutputForm::FastInfoset &&
        (options.encoding == XmlEncoding_UTF16 || options.encoding == XmlEncoding_UTF16NoDecl)) {
        CBinaryData marked;
        marked.Append(static_cast<unsigned char>(0xFF));
        marked.Append(static_cast<unsigned char>(0xFE));
        marked.Append(bytes);
        bytes = marked;
    }
    Compress(bytes, options.compression);
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
