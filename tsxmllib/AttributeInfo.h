// The abstract base of the descriptors of a generated class's attributes.
#ifndef TSXMLLIB_ATTRIBUTEINFO_H
#define TSXMLLIB_ATTRIBUTEINFO_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {
class CSerializationContext;
class CXmlAttribute;
class CXmlGeneratedClass;
class CXmlObjectBase;
class CXmlWriter;
struct TsVariant;
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

    // Writes obj (an attribute collection) through its protected writer.
    static void ToXml_Int(const TsXmlLib16::CXmlObjectBase* obj, TsXmlLib16::CXmlWriter* writer, bool isRoot,
                          const char* ns, const TsXmlLib16::CSerializationContext& ctx);
    // The namespace test of wildcards (space-separated constraint tokens).
    static void TestNamespace(const char* ns, const char* list, const char* target);
    static bool IsNamespaceValid(const char* ns, const char* list, const char* target);
    static std::string GetTargetNamespace(const TsXmlLib16::CXmlObjectBase* obj);

protected:
    CAttributeInfo(const char* attributeName, const char* attributeNamespace, int propertyIndex, bool optional,
                   const char* defaultValue);

    // Property access through the generated accessor, failures wrapped as
    // validation errors.
    void InvokePropertyGet(TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value) const;
    void ReadProperty(const TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value) const;
    void InvokePropertySet(TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value,
                           const TsXmlLib16::CXmlAttribute& attribute) const;
    // Whether the text is an optional attribute's default that the context leaves out.
    bool IsOmittedDefault(const TsXmlLib16::CSerializationContext& ctx, const std::string& text) const;
    // The check after all attributes of an element were offered.
    void ValidateRequired(bool found) const;

    std::string m_attributeName;
    std::string m_attributeNamespace;
    int m_propertyIndex;
    bool m_optional;
    std::string m_defaultValue;
};

} // namespace TsXmlLib16Data

#endif
