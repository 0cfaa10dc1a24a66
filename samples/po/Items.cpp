#include "samples/po/Items.h"

#include "samples/po/PoNamespace.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;

namespace TsXmlLibSamples {

CSampleMetaData CItems::s_metaData(&CXmlGeneratedClass::CleanMetaData);

CSampleMetaData& CItems::MetaData()
{
    s_metaData.Ensure([](CSampleMetaData& m) {
        m.elements = new CElementInfo*[2]{
            new CElementInfoSeqClsCol("item", kPoNamespace, 0, XmlElementType_Element), nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "items",
                                             kPoNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
    });
    return s_metaData;
}

CItems::CItems(const char* elementName) : m_item(CItemCol::CreateInstance()) { SetElementName(elementName); }

CSmartPtr<CItems> CItems::CreateInstance(const char* elementName)
{
    return CSmartPtr<CItems>(new CItems(elementName));
}

std::string CItems::GetNamespace() { return kPoNamespace; }
std::string CItems::GetTargetNamespace() { return kPoNamespace; }

void CItems::Init() { m_item->Clear(); }

void CItems::AccessProperty(int propertyIndex, bool get, TsVariant& value)
{
    if (propertyIndex != 0)
        throw CTsInvalidParamException("Unknown property index");
    if (get)
        value.SetXmlCollection(m_item);
    else
        throw CTsInvalidParamException("The item collection cannot be replaced");
}

CParentElementInfo* CItems::GetClassInfo() const { return MetaData().classInfo; }
CElementInfo** CItems::GetClassElementInfo() const { return MetaData().elements; }
CAttributeInfo** CItems::GetClassAttributeInfo() const { return MetaData().attributes; }

} // namespace TsXmlLibSamples
