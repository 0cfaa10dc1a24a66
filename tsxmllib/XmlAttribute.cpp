#include "tsxmllib/XmlAttribute.h"

#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include "tsxmllib/Namespaces.h"

#include <new>
#include <string_view>
#include <utility>

namespace TsXmlLib16 {

namespace {
// Most attributes have no namespace: that case costs one test.
bool IsInstanceNamespace(const std::string& uri)
{
    if (uri.empty())
        return false;
    const std::string_view u(uri);
    return u == XmlSchemaInstanceNamespaceUri || u == XmlnsNamespaceUri;
}
} // namespace

CXmlAttribute::CXmlAttribute(const CXmlElement* owner, const std::string* localName, std::string value,
                             const std::string* namespaceUri)
    : TS_INSTANCE_MONITOR("CXmlAttribute"), m_owner(owner), m_localName(localName), m_value(std::move(value)),
      m_namespaceUri(namespaceUri)
{
}

CXmlAttribute::~CXmlAttribute() = default;

CXmlAttribute* CXmlAttribute::Create(const CXmlElement* owner, const std::string* localName, std::string value,
                                     const std::string* namespaceUri)
{
    return new (owner->GetDocument()->m_attributePool.Allocate())
        CXmlAttribute(owner, localName, std::move(value), namespaceUri);
}

void CXmlAttribute::Destroy(CXmlAttribute* attribute)
{
    const CXmlDocument* document = attribute->m_owner->GetDocument();
    attribute->~CXmlAttribute();
    document->m_attributePool.Free(attribute);
}

std::string CXmlAttribute::GetXPath() const
{
    if (!m_owner)
        return "@" + *m_localName;
    std::string path = m_owner->GetXPath();
    path += "/@";
    const CXmlDocument* doc = m_owner->GetDocument();
    if (doc && !m_namespaceUri->empty()) {
        const std::string prefix = doc->LookupAliasFromNamespace(m_namespaceUri->c_str());
        if (!prefix.empty()) {
            path += prefix;
            path += ':';
        }
    }
    path += *m_localName;
    return path;
}

bool CXmlAttribute::IsNamespaceAttribute() const
{
    const std::string& name = *m_localName;
    return IsInstanceNamespace(*m_namespaceUri) &&
           (name == "xmlns" || name == "type" || name == "schemaLocation" || name == "noNamespaceSchemaLocation");
}

bool CXmlAttribute::IsNilAttribute() const { return IsInstanceNamespace(*m_namespaceUri) && *m_localName == "nil"; }

} // namespace TsXmlLib16
