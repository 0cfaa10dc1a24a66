// Loads arbitrary bytes as a document: compressed (gzip or zlib) or plain XML
// text in any encoding the parser detects, with and without namespace
// processing, CDATA stripping and an element filter. A parse failure must be a
// CTsException; a tree that loads must be walkable and must free itself.
#include "FuzzInput.h"

#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <cstdlib>
#include <vector>

using namespace TsXmlLib16;

namespace {

bool DropOddNames(CXmlElement* element) { return element->GetLocalName().size() % 2 == 1; }

// Visits every element without recursion, asking for paths of a few of them
// (paths are quadratic in the depth, so not of all).
void Walk(const CXmlDocument& doc)
{
    std::vector<const CXmlElement*> pending;
    if (doc.GetDocumentElement())
        pending.push_back(doc.GetDocumentElement());
    std::size_t visited = 0;
    while (!pending.empty()) {
        const CXmlElement* e = pending.back();
        pending.pop_back();
        if (e->GetDocument() != &doc)
            std::abort();
        if (visited++ < 16) {
            (void)e->GetXPath();
            for (const CXmlAttribute* a : e->GetAttributes())
                (void)a->GetXPath();
        }
        for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
            if (c->GetParentElm() != e)
                std::abort();
            pending.push_back(c);
        }
    }
    (void)doc.LookupAliasFromNamespace("urn:a");
    (void)doc.LookupNamespaceFromAlias("");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.TakeByte();
    CSerializationContext ctx;
    ctx.SetSchemaType((options & 1) ? SchemaType_NoNamespaces : SchemaType_Default);
    ctx.SetStripCDATA((options & 2) != 0);
    CXmlDocument doc((options & 4) ? &DropOddNames : nullptr, ctx);
    const std::string bytes = input.TakeRest();
    try {
        if (options & 8) {
            // The narrow string entry point sees the text up to its first zero byte.
            doc.LoadXml(bytes.c_str());
        } else {
            std::vector<unsigned char> copy(bytes.begin(), bytes.end());
            doc.LoadXmlStream(copy.data(), static_cast<unsigned long>(copy.size()));
        }
        Walk(doc);
    } catch (const CTsException&) {
    }
    return 0;
}
