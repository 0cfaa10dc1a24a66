// Reads arbitrary bytes as a Fast Infoset document. The identification is put
// in front of the input so that every input reaches the reader; the first
// byte chooses the generated vocabulary (its tables start filled, so indexes
// into them are valid) and an element filter. A failure must be a
// CTsException; a tree that loads must be walkable and must free itself.
#include "FuzzInput.h"

#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <cstdlib>
#include <vector>

using namespace TsXmlLib16;

namespace {

bool DropEvenNames(CXmlElement* element) { return element->GetLocalName().size() % 2 == 0; }

void Walk(const CXmlDocument& doc)
{
    std::vector<const CXmlElement*> pending;
    if (doc.GetDocumentElement())
        pending.push_back(doc.GetDocumentElement());
    while (!pending.empty()) {
        const CXmlElement* e = pending.back();
        pending.pop_back();
        for (const CXmlAttribute* a : e->GetAttributes())
            if (a->GetOwnerElement() != e)
                std::abort();
        for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
            if (c->GetParentElm() != e)
                std::abort();
            pending.push_back(c);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.TakeByte();
    CSerializationContext ctx;
    if (options & 1) {
        CFIVocabulary* vocabulary = ctx.GetFIContext().GetVocabulary();
        vocabulary->AddElementName("p", "urn:p", "item");
        vocabulary->AddAttributeName("", "", "id");
        vocabulary->AddAttributeValue("value");
        vocabulary->AddCharacterChunk("text");
        vocabulary->GetRestrictedAlphabets().push_back("abc");
        ctx.GetFIContext().SetUseGeneratedVocabulary(true);
    }
    CXmlDocument doc((options & 2) ? &DropEvenNames : nullptr, ctx);
    std::vector<unsigned char> bytes = {0xE0, 0x00, 0x00, 0x01};
    const std::string rest = input.TakeRest();
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    try {
        doc.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
        Walk(doc);
    } catch (const CTsException&) {
    }
    return 0;
}
