#include "tsxmllib/AttributeInfoEnum.h"

#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlWriter.h"

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

CAttributeInfoEnum::CAttributeInfoEnum(const char* attributeName, const char* attributeNamespace, int propertyIndex,
                                       bool optional, EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                                       const char* defaultValue)
    : CAttributeInfo(attributeName, attributeNamespace, propertyIndex, optional, defaultValue),
      m_enumToText(enumToText), m_textToEnum(textToEnum)
{
}

CAttributeInfoEnum::~CAttributeInfoEnum() = default;

void CAttributeInfoEnum::AttributeToXml(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                        CXmlWriter* writer) const
{
    TsVariant value;
    ReadProperty(obj, value);
    if (m_optional && !value.IsValid())
        return;
    const char* converted = m_enumToText(value.GetI4());
    const std::string text = converted ? converted : "";
    if (IsOmittedDefault(ctx, text))
        return;
    writer->WriteAttribute(m_attributeName, m_attributeNamespace, text, ItemType_string);
}

bool CAttributeInfoEnum::AttributeFromXml(const CSerializationContext& ctx, CXmlGeneratedClass* obj,
                                          CXmlAttribute* attribute)
{
    if (!IsThisAttribute(ctx, attribute))
        return false;
    TsVariant value;
    value.SetI4(m_textToEnum(attribute->GetValue().c_str()));
    InvokePropertySet(obj, value, *attribute);
    return true;
}

void CAttributeInfoEnum::Validate(const CSerializationContext&, bool found) const { ValidateRequired(found); }

} // namespace TsXmlLib16Data
