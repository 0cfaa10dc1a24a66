#include "tsxmllib/ElementCol.h"

#include "tsxmllib/Element.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlElement.h"

namespace TsXmlLib16 {

namespace {
std::string Text(const char* s) { return s ? s : ""; }

std::string CollectionNamespace(const char* ns, const char* restriction)
{
    const std::string r = Text(restriction);
    if (Text(ns).empty() && r.compare(0, 2, "##") == 0)
        return r;
    return Text(ns);
}
} // namespace

CElementCol::CElementCol(const char* ns, const char* restriction, const char* target, int minOccurs, int maxOccurs)
    : CXmlCollection("", CollectionNamespace(ns, restriction).c_str(), minOccurs, maxOccurs),
      TS_INSTANCE_MONITOR("CElementCol"), m_target(Text(target))
{
    TestNamespace(Text(ns).c_str(), Text(restriction).c_str(), m_target.c_str());
}

CElementCol::CElementCol(const CElementCol& other)
    : CXmlCollection(other), CInstanceMonitor(other), m_itemRestriction(other.m_itemRestriction),
      m_target(other.m_target)
{
}

CElementCol& CElementCol::operator=(const CElementCol& other)
{
    CXmlCollection::operator=(other);
    m_itemRestriction = other.m_itemRestriction;
    m_target = other.m_target;
    return *this;
}

CElementCol::~CElementCol() = default;

CSmartPtr<CElement> CElementCol::Add(const char* name, const char* ns)
{
    TestNamespace(Text(ns).c_str(), m_itemRestriction.c_str(), m_target.c_str());
    return Add(new CElement(name, Text(ns).c_str(), m_itemRestriction.c_str(), m_target.c_str()));
}

CSmartPtr<CElement> CElementCol::Add(const char* name)
{
    const std::string ns = GetNamespace();
    if (ns.empty())
        throw CTsInvalidStateException("A Namespace has not been set for this Collection");
    return Add(new CElement(name, ns.c_str(), m_itemRestriction.c_str(), m_target.c_str()));
}

CSmartPtr<CElement> CElementCol::Add(CElement* element)
{
    CSmartPtr<CElement> held(element);
    AppendItem(element);
    return held;
}

void CElementCol::AddBefore(const CElement* existing, CElement* element) { AddBeforeItem(existing, element); }
void CElementCol::AddAfter(const CElement* existing, CElement* element) { AddAfterItem(existing, element); }

CSmartPtr<CElement> CElementCol::Item(int index) const
{
    return CSmartPtr<CElement>(static_cast<CElement*>(GetNodeAtIndex(index)->item.get()));
}

CSmartPtr<CElementCol> CElementCol::Clone() const
{
    const std::string ns = const_cast<CElementCol*>(this)->GetNamespace();
    CSmartPtr<CElementCol> copy(
        new CElementCol(ns.c_str(), "##any", m_target.c_str(), GetMinOccurs(), GetMaxOccurs()));
    for (CElement* element : *this)
        copy->AppendItem(element->Clone());
    return copy;
}

void CElementCol::ToXml_Int(CXmlWriter* writer, bool, const char* ns, const CSerializationContext& ctx,
                            bool inChoice) const
{
    ValidateCount(ctx);
    for (CElement* element : *this)
        CXmlObjectBase::ToXml_Int(element, writer, false, ns, ctx, inChoice);
}

CXmlElement* CElementCol::FromXml_Int(CXmlElement* parent, CXmlElement* current, const CSerializationContext& ctx,
                                      bool)
{
    while (current &&
           IsNamespaceValid(current->GetNamespaceURI().c_str(), m_itemRestriction.c_str(), m_target.c_str())) {
        CSmartPtr<CElement> element(new CElement(current->GetLocalName().c_str(),
                                                 current->GetNamespaceURI().c_str(), m_itemRestriction.c_str(),
                                                 m_target.c_str()));
        CXmlElement* next = element->FromXml_Int(parent, current, ctx, false);
        if (next == current)
            break;
        AppendItem(element);
        current = next;
    }
    return current;
}

CXmlElement* CElementCol::FromXmlLockElementName_Int(std::string name, std::string ns, CXmlElement* parent,
                                                     CXmlElement* current, const CSerializationContext& ctx)
{
    while (current && current->GetLocalName() == name && current->GetNamespaceURI() == ns) {
        CSmartPtr<CElement> element(new CElement(name.c_str(), ns.c_str(), "##any", m_target.c_str()));
        CXmlElement* next = element->FromXml_Int(parent, current, ctx, false);
        if (next == current)
            break;
        AppendItem(element);
        current = next;
    }
    return current;
}

} // namespace TsXmlLib16
