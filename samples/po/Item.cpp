#include "samples/po/Item.h"

#include "samples/po/PoNamespace.h"
#include "tsxmllib/AttributeInfoPrimitive.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;

namespace TsXmlLibSamples {

CSampleMetaData CItem::s_metaData(&CXmlGeneratedClass::CleanMetaData);

namespace {
enum Property { PartNum, ProductName, Quantity, USPrice, Comment, ShipDate };
constexpr CWhitespaceUtils::WhitespaceRule kPreserve = CWhitespaceUtils::WhitespaceRule_Preserve;
constexpr CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;
} // namespace

CSampleMetaData& CItem::MetaData()
{
    s_metaData.Ensure([](CSampleMetaData& m) {
        const CPrimitiveRestrictions none;
        // Quantities are whole numbers from 1 to 99.
        const CPrimitiveRestrictions quantity(nullptr, -1, -1, "1", nullptr, nullptr, "100", -1, -1, -1);
        // Part numbers are three digits, a dash and two capitals (a stock keeping unit).
        const CPrimitiveRestrictions sku("\\d{3}-[A-Z]{2}", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
        m.elements = new CElementInfo*[6]{
            new CElementInfoSeqPrimMnd("productName", kPoNamespace, ProductName, false, ItemType_string, nullptr,
                                       kPreserve, none, nullptr),
            new CElementInfoSeqPrimMnd("quantity", kPoNamespace, Quantity, false, ItemType_i4, nullptr, kCollapse,
                                       quantity, nullptr),
            new CElementInfoSeqPrimMnd("USPrice", kPoNamespace, USPrice, false, ItemType_decimal, nullptr, kCollapse,
                                       none, nullptr),
            new CElementInfoSeqPrimOpt("comment", kPoNamespace, Comment, false, ItemType_string, nullptr, kPreserve,
                                       none, nullptr),
            new CElementInfoSeqPrimOpt("shipDate", kPoNamespace, ShipDate, false, ItemType_date, nullptr, kCollapse,
                                       none, nullptr),
            nullptr};
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoPrimitive("partNum", "", PartNum, false, ItemType_string, nullptr, kCollapse, sku,
                                        nullptr),
            nullptr};
        m.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "item",
                                             kPoNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
    });
    return s_metaData;
}

CItem::CItem(const char* elementName) { SetElementName(elementName); }

std::string CItem::GetNamespace() { return kPoNamespace; }
std::string CItem::GetTargetNamespace() { return kPoNamespace; }

CSmartPtr<CItem> CItem::CreateInstance(const char* elementName) { return CSmartPtr<CItem>(new CItem(elementName)); }

void CItem::SetComment(const std::string& value)
{
    m_comment = value;
    m_hasComment = true;
}

void CItem::ClearComment()
{
    m_comment.clear();
    m_hasComment = false;
}

void CItem::SetShipDate(const CDateTime& value)
{
    if (value.GetType() != CDateTime::dt_date)
        throw CTsInvalidParamException("The ship date must be a date");
    m_shipDate = value;
    m_hasShipDate = true;
}

void CItem::ClearShipDate()
{
    m_shipDate = CDateTime();
    m_hasShipDate = false;
}

void CItem::Init()
{
    m_partNum.clear();
    m_productName.clear();
    m_quantity = 0;
    m_usPrice = CDecimal();
    ClearComment();
    ClearShipDate();
}

void CItem::AccessProperty(int propertyIndex, bool get, TsVariant& value)
{
    switch (propertyIndex) {
    case PartNum:
        if (get)
            value.SetString(m_partNum);
        else
            m_partNum = value.GetString();
        return;
    case ProductName:
        if (get)
            value.SetString(m_productName);
        else
            m_productName = value.GetString();
        return;
    case Quantity:
        if (get)
            value.SetI4(m_quantity);
        else
            m_quantity = value.GetI4();
        return;
    case USPrice:
        if (get)
            value.SetDecimal(m_usPrice);
        else
            m_usPrice = value.GetDecimal();
        return;
    case Comment:
        if (get) {
            if (m_hasComment)
                value.SetString(m_comment);
        } else {
            SetComment(value.GetString());
        }
        return;
    case ShipDate:
        if (get) {
            if (m_hasShipDate)
                value.SetDate(m_shipDate);
        } else {
            SetShipDate(value.GetDate());
        }
        return;
    default:
        throw CTsInvalidParamException("Unknown property index");
    }
}

CParentElementInfo* CItem::GetClassInfo() const { return MetaData().classInfo; }
CElementInfo** CItem::GetClassElementInfo() const { return MetaData().elements; }
CAttributeInfo** CItem::GetClassAttributeInfo() const { return MetaData().attributes; }

} // namespace TsXmlLibSamples
