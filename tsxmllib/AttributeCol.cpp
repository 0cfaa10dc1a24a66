#include "tsxmllib/AttributeCol.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlElement.h"

namespace TsXmlLib16 {

namespace {
std::string Text(const char* s) { return s ? s : ""; }

// The namespace for attributes added by name alone: the restriction's first
// token when it is a URI and no namespace was given.
std::string CollectionNamespace(const char* ns, const char* restriction)
{
    const std::string r = Text(restriction);
    const std::string token = r.substr(0, r.find(' '));
    if (Text(ns).empty() && token.size() >= 2 && token[0] != '#' && token[1] != '#')
        return token;
    return Text(ns);
}
} // namespace

CAttributeCol::CAttributeCol(const char* ns, const char* restriction, const char* target)
    : CXmlCollection("", CollectionNamespace(ns, restriction).c_str(), 0, -1), TS_INSTANCE_MONITOR("CAttributeCol"),
      m_restriction(Text(restriction)), m_target(Text(target))
{
}

CAttributeCol::CAttributeCol(const CAttributeCol& other)
    : CXmlCollection(other), CInstanceMonitor(other), m_restriction(other.m_restriction), m_target(other.m_target)
{
}

CAttributeCol& CAttributeCol::operator=(const CAttributeCol& other)
{
    CXmlCollection::operator=(other);
    m_restriction = other.m_restriction;
    m_target = other.m_target;
    return *this;
}

CAttributeCol::~CAttributeCol() = default;

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name, const char* value, const char* ns)
{
    TestNamespace(ns ? ns : "", m_restriction.c_str(), m_target.c_str());
    return Add(new CAttribute(name, value, ns));
}

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name, const char* value)
{
    const std::string ns = GetNamespace();
    TestNamespace(ns.c_str(), m_restriction.c_str(), m_target.c_str());
    return Add(new CAttribute(name, value, ns.c_str()));
}

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name) { return Add(name, ""); }

CSmartPtr<CAttribute> CAttributeCol::Add(CAttribute* attribute)
{
    CSmartPtr<CAttribute> held(attribute);
    AppendItem(attribute);
    return held;
}

CSmartPtr<CAttribute> CAttributeCol::Item(int index) const
{
    return CSmartPtr<CAttribute>(static_cast<CAttribute*>(GetNodeAtIndex(index)->item.get()));
}

CSmartPtr<CAttributeCol> CAttributeCol::Clone() const
{
    const std::string ns = const_cast<CAttributeCol*>(this)->GetNamespace();
    CSmartPtr<CAttributeCol> copy(new CAttributeCol(ns.c_str(), m_restriction.c_str(), m_target.c_str()));
    for (CAttribute* attribute : *this)
        copy->AppendItem(attribute->Clone());
    return copy;
}

void CAttributeCol::ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                              bool inChoice) const
{
    for (CAttribute* attribute : *this)
        CXmlObjectBase::ToXml_Int(attribute, writer, isRoot, ns, ctx, inChoice);
}

CXmlElement* CAttributeCol::FromXml_Int(CXmlElement* element, CXmlElement* current, const CSerializationContext&, bool)
{
    for (const CXmlAttribute* attribute : element->GetAttributes()) {
        const std::string& ns = attribute->GetNamespaceURI();
        if (!IsNamespaceValid(ns.c_str(), m_restriction.c_str(), m_target.c_str()))
            throw CTsInvalidNamespaceException(
                FormatString("Invalid Attribute [%s]. The attributes namespace is Inappropriate.",
                             attribute->GetLocalName().c_str()),
                std::string());
        Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(), ns.c_str());
    }
    return current;
}

} // namespace TsXmlLib16
