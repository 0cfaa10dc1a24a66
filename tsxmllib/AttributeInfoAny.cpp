#include "tsxmllib/AttributeInfoAny.h"

#include "tsxmllib/AttributeCol.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlGeneratedClass.h"

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

namespace {
CSmartPtr<CAttributeCol> AttributesOf(const TsVariant& value)
{
    CAttributeCol* col = dynamic_cast<CAttributeCol*>(value.GetXmlCollection().get());
    if (!col)
        throw CTsException("Serialization Data Error : The collection should be a CAttributeCol, it was not!");
    return CSmartPtr<CAttributeCol>(col);
}
} // namespace

CAttributeInfoAny::CAttributeInfoAny(const char* attributeName, const char* attributeNamespace, int propertyIndex,
                                     bool optional, const char* constraint, const char* targetNamespace,
                                     const char* defaultValue)
    : CAttributeInfo(attributeName, attributeNamespace, propertyIndex, optional, defaultValue),
      m_constraint(constraint ? constraint : ""), m_targetNamespace(targetNamespace ? targetNamespace : "")
{
}

CAttributeInfoAny::~CAttributeInfoAny() = default;

void CAttributeInfoAny::AttributeToXml(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                       CXmlWriter* writer) const
{
    TsVariant value;
    ReadProperty(obj, value);
    const CSmartPtr<CAttributeCol> col = AttributesOf(value);
    ToXml_Int(col, writer, false, CAttributeInfo::GetTargetNamespace(obj).c_str(), ctx);
}

bool CAttributeInfoAny::AttributeFromXml(const CSerializationContext&, CXmlGeneratedClass* obj,
                                         CXmlAttribute* attribute)
{
    if (!attribute || !IsNamespaceValid(attribute->GetNamespaceURI().c_str(), m_constraint.c_str(),
                                        m_targetNamespace.c_str()))
        return false;
    TsVariant value;
    InvokePropertyGet(obj, value);
    AttributesOf(value)->Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(),
                             attribute->GetNamespaceURI().c_str());
    return true;
}

void CAttributeInfoAny::Validate(const CSerializationContext&, bool) const {}

} // namespace TsXmlLib16Data
