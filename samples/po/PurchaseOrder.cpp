#include "samples/po/PurchaseOrder.h"

#include "samples/po/PoNamespace.h"
#include "tsxmllib/AttributeInfoPrimitive.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;

namespace TsXmlLibSamples {

CSampleMetaData CPurchaseOrder::s_metaData(&CXmlGeneratedClass::CleanMetaData);

namespace {
enum Property { OrderDate, ShipTo, BillTo, Comment, Items };
constexpr CWhitespaceUtils::WhitespaceRule kPreserve = CWhitespaceUtils::WhitespaceRule_Preserve;
constexpr CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;
} // namespace

CSampleMetaData& CPurchaseOrder::MetaData()
{
    s_metaData.Ensure([](CSampleMetaData& m) {
        m.elements = new CElementInfo*[5]{
            new CElementInfoSeqClsMnd("shipTo", kPoNamespace, ShipTo, XmlElementType_Element, &CreateClass,
                                      ClassId_USAddress, false),
            new CElementInfoSeqClsMnd("billTo", kPoNamespace, BillTo, XmlElementType_Element, &CreateClass,
                                      ClassId_USAddress, false),
            new CElementInfoSeqPrimOpt("comment", kPoNamespace, Comment, false, ItemType_string, nullptr, kPreserve,
                                       CPrimitiveRestrictions(), nullptr),
            new CElementInfoSeqClsMnd("items", kPoNamespace, Items, XmlElementType_Element, &CreateClass,
                                      ClassId_Items, false),
            nullptr};
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoPrimitive("orderDate", "", OrderDate, true, ItemType_date, nullptr, kCollapse,
                                        CPrimitiveRestrictions(), nullptr),
            nullptr};
        m.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "purchaseOrder",
                                             kPoNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
    });
    return s_metaData;
}

CSmartPtr<CXmlObjectBase> CPurchaseOrder::CreateClass(int classId, const char* elementName)
{
    switch (classId) {
    case ClassId_USAddress:
        return CSmartPtr<CXmlObjectBase>(CUSAddress::CreateInstance(elementName).get());
    case ClassId_Items:
        return CSmartPtr<CXmlObjectBase>(CItems::CreateInstance(elementName).get());
    case ClassId_Item:
        return CSmartPtr<CXmlObjectBase>(CItem::CreateInstance(elementName).get());
    default:
        return CSmartPtr<CXmlObjectBase>();
    }
}

CPurchaseOrder::CPurchaseOrder()
    : m_shipTo(CUSAddress::CreateInstance("shipTo")), m_billTo(CUSAddress::CreateInstance("billTo")),
      m_items(CItems::CreateInstance("items"))
{
    SetElementName("purchaseOrder");
}

CSmartPtr<CPurchaseOrder> CPurchaseOrder::CreateInstance() { return CSmartPtr<CPurchaseOrder>(new CPurchaseOrder()); }

std::string CPurchaseOrder::GetNamespace() { return kPoNamespace; }
std::string CPurchaseOrder::GetTargetNamespace() { return kPoNamespace; }

void CPurchaseOrder::SetOrderDate(const CDateTime& value)
{
    if (value.GetType() != CDateTime::dt_date)
        throw CTsInvalidParamException("The order date must be a date");
    m_orderDate = value;
    m_hasOrderDate = true;
}

void CPurchaseOrder::SetComment(const std::string& value)
{
    m_comment = value;
    m_hasComment = true;
}

void CPurchaseOrder::ClearComment()
{
    m_comment.clear();
    m_hasComment = false;
}

void CPurchaseOrder::Init()
{
    m_hasOrderDate = false;
    m_orderDate = CDateTime();
    ClearComment();
}

void CPurchaseOrder::AccessProperty(int propertyIndex, bool get, TsVariant& value)
{
    CSmartPtr<CUSAddress>* address = nullptr;
    switch (propertyIndex) {
    case OrderDate:
        if (get) {
            if (m_hasOrderDate)
                value.SetDate(m_orderDate);
        } else {
            SetOrderDate(value.GetDate());
        }
        return;
    case ShipTo:
        address = &m_shipTo;
        break;
    case BillTo:
        address = &m_billTo;
        break;
    case Comment:
        if (get) {
            if (m_hasComment)
                value.SetString(m_comment);
        } else {
            SetComment(value.GetString());
        }
        return;
    case Items:
        if (get) {
            value.SetXmlObject(m_items);
        } else {
            m_items = dynamic_cast<CItems*>(value.GetXmlObject().get());
        }
        return;
    default:
        throw CTsInvalidParamException("Unknown property index");
    }
    if (get)
        value.SetXmlObject(*address);
    else
        *address = dynamic_cast<CUSAddress*>(value.GetXmlObject().get());
}

CParentElementInfo* CPurchaseOrder::GetClassInfo() const { return MetaData().classInfo; }
CElementInfo** CPurchaseOrder::GetClassElementInfo() const { return MetaData().elements; }
CAttributeInfo** CPurchaseOrder::GetClassAttributeInfo() const { return MetaData().attributes; }

} // namespace TsXmlLibSamples
