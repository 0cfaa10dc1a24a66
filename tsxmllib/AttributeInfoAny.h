// The descriptor of an attribute wildcard: every attribute whose namespace
// the constraint allows goes into the property's attribute collection.
#ifndef TSXMLLIB_ATTRIBUTEINFOANY_H
#define TSXMLLIB_ATTRIBUTEINFOANY_H

#include "tsxmllib/AttributeInfo.h"

namespace TsXmlLib16Data {

class TSXMLLIB_EXPORT CAttributeInfoAny : public CAttributeInfo {
public:
    CAttributeInfoAny(const char* attributeName, const char* attributeNamespace, int propertyIndex, bool optional,
                      const char* constraint, const char* targetNamespace, const char* defaultValue);
    CAttributeInfoAny(const CAttributeInfoAny&) = default;
    CAttributeInfoAny& operator=(const CAttributeInfoAny&) = default;
    ~CAttributeInfoAny() override;

    void AttributeToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlWriter* writer) const override;
    bool AttributeFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlAttribute* attribute) override;
    // A wildcard is never required.
    void Validate(const TsXmlLib16::CSerializationContext& ctx, bool found) const override;

    const std::string& GetConstraint() const { return m_constraint; }
    const std::string& GetWildcardTargetNamespace() const { return m_targetNamespace; }

private:
    std::string m_constraint;
    std::string m_targetNamespace;
};

} // namespace TsXmlLib16Data

#endif
