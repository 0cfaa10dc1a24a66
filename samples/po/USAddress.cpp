#include "samples/po/USAddress.h"

#include "samples/po/PoNamespace.h"
#include "tsxmllib/AttributeInfoPrimitive.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;

namespace TsXmlLibSamples {

CSampleMetaData CUSAddress::s_metaData(&CXmlGeneratedClass::CleanMetaData);

namespace {
enum Property { Country, Name, Street, City, State, Zip };
constexpr CWhitespaceUtils::WhitespaceRule kPreserve = CWhitespaceUtils::WhitespaceRule_Preserve;
constexpr CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

CElementInfo* Text(const char* name, int property)
{
    return new CElementInfoSeqPrimMnd(name, kPoNamespace, property, false, ItemType_string, nullptr, kPreserve,
                                      CPrimitiveRestrictions(), nullptr);
}
} // namespace

CSampleMetaData& CUSAddress::MetaData()
{
    s_metaData.Ensure([](CSampleMetaData& m) {
        m.elements = new CElementInfo*[6]{
            Text("name", Name),
            Text("street", Street),
            Text("city", City),
            Text("state", State),
            new CElementInfoSeqPrimMnd("zip", kPoNamespace, Zip, false, ItemType_decimal, nullptr, kCollapse,
                                       CPrimitiveRestrictions(), nullptr),
            nullptr};
        const CPrimitiveRestrictions onlyUS("US", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoPrimitive("country", "", Country, true, ItemType_string, nullptr, kCollapse, onlyUS,
                                        "US"),
            nullptr};
        m.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "USAddress",
                                             kPoNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
    });
    return s_metaData;
}

CUSAddress::CUSAddress(const char* elementName) { SetElementName(elementName); }

CSmartPtr<CUSAddress> CUSAddress::CreateInstance(const char* elementName)
{
    return CSmartPtr<CUSAddress>(new CUSAddress(elementName));
}

std::string CUSAddress::GetNamespace() { return kPoNamespace; }
std::string CUSAddress::GetTargetNamespace() { return kPoNamespace; }

void CUSAddress::Init()
{
    m_country = "US";
    m_name.clear();
    m_street.clear();
    m_city.clear();
    m_state.clear();
    m_zip = CDecimal();
}

void CUSAddress::AccessProperty(int propertyIndex, bool get, TsVariant& value)
{
    std::string* text = nullptr;
    switch (propertyIndex) {
    case Country:
        text = &m_country;
        break;
    case Name:
        text = &m_name;
        break;
    case Street:
        text = &m_street;
        break;
    case City:
        text = &m_city;
        break;
    case State:
        text = &m_state;
        break;
    case Zip:
        if (get)
            value.SetDecimal(m_zip);
        else
            m_zip = value.GetDecimal();
        return;
    default:
        throw CTsInvalidParamException("Unknown property index");
    }
    if (get)
        value.SetString(*text);
    else
        *text = value.GetString();
}

CParentElementInfo* CUSAddress::GetClassInfo() const { return MetaData().classInfo; }
CElementInfo** CUSAddress::GetClassElementInfo() const { return MetaData().elements; }
CAttributeInfo** CUSAddress::GetClassAttributeInfo() const { return MetaData().attributes; }

} // namespace TsXmlLibSamples
