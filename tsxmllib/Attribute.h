// An untyped attribute: local name, value and namespace, as wildcard
// attribute content holds it. Attributes are created by their collection.
#ifndef TSXMLLIB_ATTRIBUTE_H
#define TSXMLLIB_ATTRIBUTE_H

#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/XmlObjectBase.h"

namespace TsXmlLib16 {

class CAttributeCol;

class TSXMLLIB_EXPORT CAttribute : public CXmlObjectBase, private CInstanceMonitor {
public:
    std::string GetName() const { return m_name; }
    void SetName(const char* name) { m_name = name ? name : ""; }
    std::string GetValue() const { return m_value; }
    void SetValue(const char* value) { m_value = value ? value : ""; }
    std::string GetNamespace() override { return m_namespace; }
    void SetNamespace(const char* ns) { m_namespace = ns ? ns : ""; }
    std::string GetTargetNamespace() override { return m_namespace; }

    CXmlObjectBase* GetBase() override { return this; }
    CSmartPtr<CAttribute> Clone() const;

protected:
    friend class CAttributeCol;
    CAttribute(const char* name, const char* value, const char* ns);
    CAttribute(const CAttribute& other);
    CAttribute& operator=(const CAttribute& other);
    ~CAttribute() override;

    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
    // Attributes are read by their collection; calling this is an error.
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                             bool isOptional) override;

private:
    std::string m_name;
    std::string m_value;
    std::string m_namespace;
};

} // namespace TsXmlLib16

#endif
