#include "tsxmllib/AttributeInfo.h"

#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/XmlAttribute.h"

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

CAttributeInfo::CAttributeInfo(const char* attributeName, const char* attributeNamespace, int propertyIndex,
                               bool optional, const char* defaultValue)
    : m_attributeName(attributeName ? attributeName : ""), m_attributeNamespace(attributeNamespace ? attributeNamespace : ""),
      m_propertyIndex(propertyIndex), m_optional(optional), m_defaultValue(defaultValue ? defaultValue : "")
{
}

CAttributeInfo::~CAttributeInfo() = default;

bool CAttributeInfo::IsThisAttribute(const CSerializationContext& ctx, const CXmlAttribute* attribute) const
{
    if (!attribute || attribute->GetLocalName() != m_attributeName)
        return false;
    return ctx.GetIgnoreNamespaces() || attribute->GetNamespaceURI() == m_attributeNamespace;
}

} // namespace TsXmlLib16Data
