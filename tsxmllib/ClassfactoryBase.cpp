#include "tsxmllib/ClassfactoryBase.h"

#include "tsxmllib/Namespaces.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

namespace TsXmlLib16 {

CClassfactoryBase::~CClassfactoryBase() = default;

std::string CClassfactoryBase::GetElementType(CXmlElement* element)
{
    const std::string& type = element->GetAttribute("type", XmlSchemaInstanceNamespaceUri);
    const std::string::size_type colon = type.find(':');
    return colon == std::string::npos ? type : type.substr(colon + 1);
}

std::string CClassfactoryBase::GetElementTypeNamespaceUri(CXmlElement* element)
{
    const std::string& type = element->GetAttribute("type", XmlSchemaInstanceNamespaceUri);
    const std::string::size_type colon = type.find(':');
    if (colon == std::string::npos)
        return element->GetNamespaceURI();
    const std::string uri = element->GetDocument()->LookupNamespaceFromAlias(type.substr(0, colon).c_str());
    return uri.empty() ? element->GetNamespaceURI() : uri;
}

} // namespace TsXmlLib16
