#include "tsxmllib/AttributeInfo.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlGeneratedClass.h"
#include "tsxmllib/XmlWriter.h"

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

void CAttributeInfo::ToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer, bool isRoot, const char* ns,
                               const CSerializationContext& ctx)
{
    obj->ToXml_Int(writer, isRoot, ns, ctx, false);
}

void CAttributeInfo::TestNamespace(const char* ns, const char* list, const char* target)
{
    TestNamespaceAllowed(ns, list, target);
}

bool CAttributeInfo::IsNamespaceValid(const char* ns, const char* list, const char* target)
{
    return IsNamespaceAllowed(ns, list, target);
}

std::string CAttributeInfo::GetTargetNamespace(const CXmlObjectBase* obj)
{
    return CXmlObjectBase::GetTargetNamespace(obj);
}

void CAttributeInfo::InvokePropertyGet(CXmlGeneratedClass* obj, TsVariant& value) const
{
    try {
        obj->AccessProperty(m_propertyIndex, true, value);
    } catch (const CTsException& e) {
        throw CTsValidationException(
            FormatString("Failed to get the property value for [%s].", m_attributeName.c_str()), std::string(), e);
    }
}

void CAttributeInfo::ReadProperty(const CXmlGeneratedClass* obj, TsVariant& value) const
{
    InvokePropertyGet(const_cast<CXmlGeneratedClass*>(obj), value);
}

void CAttributeInfo::InvokePropertySet(CXmlGeneratedClass* obj, TsVariant& value, const CXmlAttribute& attribute) const
{
    try {
        obj->AccessProperty(m_propertyIndex, false, value);
    } catch (const CTsException& e) {
        throw CTsValidationException(
            FormatString("Failed to set the property value [%s].", attribute.GetValue().c_str()), attribute.GetXPath(),
            e);
    }
}

bool CAttributeInfo::IsOmittedDefault(const CSerializationContext& ctx, const std::string& text) const
{
    return m_optional && !m_defaultValue.empty() && ctx.GetNoOptionalAttributeDefaultOutput() && text == m_defaultValue;
}

void CAttributeInfo::ValidateRequired(bool found) const
{
    if (!found && !m_optional)
        throw CTsValidationException(
            FormatString("Failed to find the required Attribute [%s].", m_attributeName.c_str()), std::string());
}

} // namespace TsXmlLib16Data
