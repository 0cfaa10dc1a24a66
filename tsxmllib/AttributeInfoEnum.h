// The descriptor of an attribute of an enumerated simple type, held as an int.
#ifndef TSXMLLIB_ATTRIBUTEINFOENUM_H
#define TSXMLLIB_ATTRIBUTEINFOENUM_H

#include "tsxmllib/AttributeInfo.h"
#include "tsxmllib/ElementInfo.h"

namespace TsXmlLib16Data {

class TSXMLLIB_EXPORT CAttributeInfoEnum : public CAttributeInfo {
public:
    CAttributeInfoEnum(const char* attributeName, const char* attributeNamespace, int propertyIndex, bool optional,
                       EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue);
    CAttributeInfoEnum(const CAttributeInfoEnum&) = default;
    CAttributeInfoEnum& operator=(const CAttributeInfoEnum&) = default;
    ~CAttributeInfoEnum() override;

    void AttributeToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlWriter* writer) const override;
    bool AttributeFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlAttribute* attribute) override;
    void Validate(const TsXmlLib16::CSerializationContext& ctx, bool found) const override;

private:
    EnumToTextFunction m_enumToText;
    TextToEnumFunction m_textToEnum;
};

} // namespace TsXmlLib16Data

#endif
