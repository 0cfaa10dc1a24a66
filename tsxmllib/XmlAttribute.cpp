#include "tsxmllib/XmlAttribute.h"

#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include "tsxmllib/Namespaces.h"

#include <utility>

namespace TsXmlLib16 {

namespace {
bool IsInstanceNamespace(const std::string& uri) { return uri == XmlSchemaInstanceNamespaceUri || uri == XmlnsNamespaceUri; }
} // namespace

CXmlAttribute::CXmlAttribute(const CXmlElement* owner, std::string localName, std::string value,
                             std::string namespaceUri)
    : TS_INSTANCE_MONITOR("CXmlAttribute"), m_owner(owner), m_localName(std::move(localName)),
      m_value(std::move(value)), m_namespaceUri(std::move(namespaceUri))
{
}

CXmlAttribute::~CXmlAttribute() = default;

std::string CXmlAttribute::GetXPath() const
{
    if (!m_owner)
        return "@" + m_localName;
    std::string path = m_owner->GetXPath();
    path += "/@";
    const CXmlDocument* doc = m_owner->GetDocument();
    if (doc && !m_namespaceUri.empty()) {
        const std::string prefix = doc->LookupAliasFromNamespace(m_namespaceUri.c_str());
        if (!prefix.empty()) {
            path += prefix;
            path += ':';
        }
    }
    path += m_localName;
    return path;
}

bool CXmlAttribute::IsNamespaceAttribute() const
{
    return IsInstanceNamespace(m_namespaceUri) &&
           (m_localName == "xmlns" || m_localName == "type" || m_localName == "schemaLocation" ||
            m_localName == "noNamespaceSchemaLocation");
}

bool CXmlAttribute::IsNilAttribute() const { return IsInstanceNamespace(m_namespaceUri) && m_localName == "nil"; }

} // namespace TsXmlLib16
