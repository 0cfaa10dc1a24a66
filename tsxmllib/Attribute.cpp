#include "tsxmllib/Attribute.h"

#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlWriter.h"

namespace TsXmlLib16 {

CAttribute::CAttribute(const char* name, const char* value, const char* ns)
    : TS_INSTANCE_MONITOR("CAttribute"), m_name(name ? name : ""), m_value(value ? value : ""),
      m_namespace(ns ? ns : "")
{
}

CAttribute::CAttribute(const CAttribute& other)
    : CXmlObjectBase(other), CInstanceMonitor(other), m_name(other.m_name), m_value(other.m_value),
      m_namespace(other.m_namespace)
{
}

CAttribute& CAttribute::operator=(const CAttribute& other)
{
    CXmlObjectBase::operator=(other);
    m_name = other.m_name;
    m_value = other.m_value;
    m_namespace = other.m_namespace;
    return *this;
}

CAttribute::~CAttribute() = default;

CSmartPtr<CAttribute> CAttribute::Clone() const { return CSmartPtr<CAttribute>(new CAttribute(*this)); }

void CAttribute::ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext&, bool) const
{
    writer->WriteAttribute(m_name, m_namespace, m_value, ItemType_string);
}

CXmlElement* CAttribute::FromXml_Int(CXmlElement*, CXmlElement*, const CSerializationContext&, bool)
{
    throw CTsException("This should be done by the collection");
}

} // namespace TsXmlLib16
