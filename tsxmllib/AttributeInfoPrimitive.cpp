#include "tsxmllib/AttributeInfoPrimitive.h"

#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlWriter.h"

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

CAttributeInfoPrimitive::CAttributeInfoPrimitive(const char* attributeName, const char* attributeNamespace,
                                                 int propertyIndex, bool optional, ItemType itemType,
                                                 const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                 const CPrimitiveRestrictions& restrictions, const char* defaultValue)
    : CAttributeInfo(attributeName, attributeNamespace, propertyIndex, optional, defaultValue),
      m_restrictions(restrictions), m_itemType(itemType), m_format(format ? format : ""),
      m_whitespaceRule(whitespaceRule)
{
}

CAttributeInfoPrimitive::~CAttributeInfoPrimitive() = default;

void CAttributeInfoPrimitive::AttributeToXml(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                             CXmlWriter* writer) const
{
    TsVariant value;
    ReadProperty(obj, value);
    if (m_optional && !value.IsValid())
        return;
    // A string is written from the variant itself, any other type as its text.
    value.WithText(m_format, [&](const std::string& text) {
        if (IsOmittedDefault(ctx, text))
            return;
        if (m_restrictions.HasAny())
            CheckRestriction(value);
        writer->WriteAttribute(m_attributeName, m_attributeNamespace, text, value.GetTypeAsEnum());
    });
}

bool CAttributeInfoPrimitive::AttributeFromXml(const CSerializationContext&, CXmlGeneratedClass* obj,
                                               CXmlAttribute* attribute)
{
    if (!attribute || attribute->GetLocalName() != m_attributeName ||
        attribute->GetNamespaceURI() != m_attributeNamespace)
        return false;
    TsVariant value;
    value.FromString(attribute->GetValue(), m_itemType, m_whitespaceRule);
    InvokePropertySet(obj, value, *attribute);
    return true;
}

void CAttributeInfoPrimitive::Validate(const CSerializationContext&, bool found) const { ValidateRequired(found); }

void CAttributeInfoPrimitive::CheckRestriction(const TsVariant& value) const
{
    CheckPrimitiveRestrictions(m_attributeName.c_str(), value, m_itemType, m_restrictions);
}

} // namespace TsXmlLib16Data
