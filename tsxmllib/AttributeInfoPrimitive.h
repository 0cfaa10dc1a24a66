// The descriptor of an attribute of a simple type held as a primitive value.
#ifndef TSXMLLIB_ATTRIBUTEINFOPRIMITIVE_H
#define TSXMLLIB_ATTRIBUTEINFOPRIMITIVE_H

#include "tsxmllib/AttributeInfo.h"
#include "tsxmllib/PrimitiveRestrictions.h"
#include "tsxmllib/WhitespaceUtils.h"

namespace TsXmlLib16Data {

class TSXMLLIB_EXPORT CAttributeInfoPrimitive : public CAttributeInfo {
public:
    CAttributeInfoPrimitive(const char* attributeName, const char* attributeNamespace, int propertyIndex,
                            bool optional, TsXmlLib16::ItemType itemType, const char* format,
                            TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                            const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    CAttributeInfoPrimitive(const CAttributeInfoPrimitive&) = default;
    CAttributeInfoPrimitive& operator=(const CAttributeInfoPrimitive&) = default;
    ~CAttributeInfoPrimitive() override;

    void AttributeToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlWriter* writer) const override;
    // Takes only an attribute of exactly this name and namespace, whatever the
    // context says about namespaces.
    bool AttributeFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlAttribute* attribute) override;
    void Validate(const TsXmlLib16::CSerializationContext& ctx, bool found) const override;

    void CheckRestriction(const TsXmlLib16::TsVariant& value) const;

    TsXmlLib16::ItemType GetItemType() const { return m_itemType; }
    const TsXmlLib16::CPrimitiveRestrictions& GetRestrictions() const { return m_restrictions; }

private:
    TsXmlLib16::CPrimitiveRestrictions m_restrictions;
    TsXmlLib16::ItemType m_itemType;
    std::string m_format;
    TsXmlLib16::CWhitespaceUtils::WhitespaceRule m_whitespaceRule;
};

} // namespace TsXmlLib16Data

#endif
