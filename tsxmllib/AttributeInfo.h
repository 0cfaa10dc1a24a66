// The abstract base of the descriptors of a generated class's attributes.
#ifndef TSXMLLIB_ATTRIBUTEINFO_H
#define TSXMLLIB_ATTRIBUTEINFO_H

#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {
class CSerializationContext;
class CXmlAttribute;
class CXmlGeneratedClass;
class CXmlWriter;
} // namespace TsXmlLib16

namespace TsXmlLib16Data {

class TSXMLLIB_EXPORT CAttributeInfo {
public:
    CAttributeInfo(const CAttributeInfo&) = default;
    CAttributeInfo& operator=(const CAttributeInfo&) = default;
    virtual ~CAttributeInfo();

    // Writes this attribute of obj, when set.
    virtual void AttributeToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                                TsXmlLib16::CXmlWriter* writer) const = 0;
    // Stores attribute into obj and returns true when it is this descriptor's.
    virtual bool AttributeFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                                  TsXmlLib16::CXmlAttribute* attribute) = 0;
    // Reports a required attribute that no attribute of the element matched.
    virtual void Validate(const TsXmlLib16::CSerializationContext& ctx, bool found) const = 0;

    const std::string& GetAttributeName() const { return m_attributeName; }
    const std::string& GetAttributeNamespace() const { return m_attributeNamespace; }
    int GetPropertyIndex() const { return m_propertyIndex; }
    bool IsOptional() const { return m_optional; }
    const std::string& GetDefaultValue() const { return m_defaultValue; }

    bool IsThisAttribute(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlAttribute* attribute) const;

protected:
    CAttributeInfo(const char* attributeName, const char* attributeNamespace, int propertyIndex, bool optional,
                   const char* defaultValue);

    std::string m_attributeName;
    std::string m_attributeNamespace;
    int m_propertyIndex;
    bool m_optional;
    std::string m_defaultValue;
};

} // namespace TsXmlLib16Data

#endif
