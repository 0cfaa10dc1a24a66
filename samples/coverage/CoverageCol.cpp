#include "samples/coverage/CoverageCol.h"

#include "tsxmllib/XmlElement.h"

using namespace TsXmlLib16;

namespace TsXmlLibSamples {

CCoverageCol::CCoverageCol(CoverageKind kind, const char* elementName, int minOccurs, int maxOccurs)
    : CXmlCollection(elementName, kCoverageNamespace, minOccurs, maxOccurs), m_kind(kind)
{
}

CSmartPtr<CCoverageCol> CCoverageCol::Create(CoverageKind kind, const char* elementName, int minOccurs, int maxOccurs)
{
    return CSmartPtr<CCoverageCol>(new CCoverageCol(kind, elementName, minOccurs, maxOccurs));
}

CSmartPtr<CCoverageObject> CCoverageCol::Add()
{
    CSmartPtr<CCoverageObject> item = CCoverageObject::Create(m_kind, GetElementName().c_str());
    AppendItem(item);
    return item;
}

CSmartPtr<CCoverageObject> CCoverageCol::Item(int index) const
{
    return CSmartPtr<CCoverageObject>(static_cast<CCoverageObject*>(GetNodeAtIndex(index)->item.get()));
}

void CCoverageCol::ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext& ctx,
                             bool inChoice) const
{
    for (CNode* node = GetHead(); node; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, kCoverageNamespace, ctx, inChoice);
}

CXmlElement* CCoverageCol::FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext& ctx, bool)
{
    const std::string name = GetElementName();
    CXmlElement* current = first;
    while (current && DoesElementNameMatch(ctx, current, name.c_str(), kCoverageNamespace)) {
        CSmartPtr<CCoverageObject> item = CCoverageObject::Create(m_kind, name.c_str());
        CXmlObjectBase::FromXml_Int(item, current, current->GetFirstElement(), ctx);
        AppendItem(item);
        current = current->GetNextSiblingElement();
    }
    return current;
}

} // namespace TsXmlLibSamples
