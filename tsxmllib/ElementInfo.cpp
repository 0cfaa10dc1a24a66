#include "tsxmllib/ElementInfo.h"

#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlElement.h"

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

namespace {
std::string Text(const char* s) { return s ? s : ""; }
} // namespace

CParentElementInfo::CParentElementInfo(XmlElementGroupType elementGroupType, XmlElementType elementType,
                                       const char* elementName, const char* elementNamespace,
                                       bool fromXmlFailIfAttributeUnknown, bool hasBaseClasses,
                                       int primitiveValuePropertyIndex, ItemType primitiveDataType,
                                       const char* primitiveFormatOverride, bool outputPrimitiveClassAsTextProperty)
    : m_elementGroupType(elementGroupType), m_elementType(elementType), m_elementName(Text(elementName)),
      m_elementNamespace(Text(elementNamespace)), m_fromXmlFailIfAttributeUnknown(fromXmlFailIfAttributeUnknown),
      m_hasBaseClasses(hasBaseClasses), m_primitiveValuePropertyIndex(primitiveValuePropertyIndex),
      m_primitiveDataType(primitiveDataType), m_primitiveFormatOverride(Text(primitiveFormatOverride)),
      m_outputPrimitiveClassAsTextProperty(outputPrimitiveClassAsTextProperty)
{
}

CParentElementInfo::~CParentElementInfo() = default;

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex)
{
}

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex),
      m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_enumToText(enumToText), m_textToEnum(textToEnum)
{
}

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                           ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const CPrimitiveRestrictions& restrictions, const char* defaultValue)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex),
      m_restrictions(restrictions), m_itemType(itemType), m_format(Text(format)), m_whitespaceRule(whitespaceRule),
      m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_hasRestrictions(1)
{
}

CElementInfo::~CElementInfo() = default;

bool CElementInfo::Validate(const CSerializationContext&, const CXmlGeneratedClass*, bool, bool) const
{
    throw CTsException("Not implemented, should never be called");
}

void CElementInfo::PseudoChildAttributeToXml(const CSerializationContext&, const CXmlGeneratedClass*,
                                             CXmlWriter*) const
{
}

bool CElementInfo::IsThisElement(const CSerializationContext& ctx, const CXmlElement* element) const
{
    if (!element || element->GetLocalName() != m_elementName)
        return false;
    return ctx.GetIgnoreNamespaces() || element->GetNamespaceURI() == m_elementNamespace;
}

} // namespace TsXmlLib16Data
