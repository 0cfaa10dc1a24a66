#include "samples/coverage/CoverageObject.h"

#include "samples/coverage/ColorCol.h"
#include "samples/coverage/CoverageCol.h"
#include "tsxmllib/AttributeInfoAny.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/TypedCollections.h"
#include "tsxmllib/AttributeInfoEnum.h"
#include "tsxmllib/AttributeInfoPrimitive.h"
#include "tsxmllib/ClassfactoryBase.h"
#include "tsxmllib/ElementInfoAll.h"
#include "tsxmllib/ElementInfoChoice.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlElement.h"

#include <cstring>

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;

namespace TsXmlLibSamples {

namespace {

const char* const kNs = kCoverageNamespace;
constexpr CWhitespaceUtils::WhitespaceRule kPreserve = CWhitespaceUtils::WhitespaceRule_Preserve;
constexpr CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;
const char* const kColors[] = {"red", "green", "blue"};

const CPrimitiveRestrictions kNone;

int PropertyCount(CoverageKind kind)
{
    switch (kind) {
    case Coverage_Root:
        return Root_PropertyCount;
    case Coverage_Leaf:
        return Leaf_PropertyCount;
    case Coverage_Circle:
    case Coverage_Square:
        return Shape_PropertyCount;
    case Coverage_InlinePart:
        return Inline_PropertyCount;
    case Coverage_Pick:
        return Pick_PropertyCount;
    case Coverage_Bag:
        return Bag_PropertyCount;
    case Coverage_NilLeaf:
        return NilLeaf_PropertyCount;
    case Coverage_Wild:
        return Wild_PropertyCount;
    case Coverage_Pick2:
        return Pick2_PropertyCount;
    case Coverage_Bag2:
        return Bag2_PropertyCount;
    case Coverage_Fork:
        return Fork_PropertyCount;
    case Coverage_ForkLong:
        return ForkLong_PropertyCount;
    case Coverage_ForkShort:
        return ForkShort_PropertyCount;
    default:
        return 0;
    }
}

CParentElementInfo* Info(XmlElementGroupType group, XmlElementType type, const char* name, bool failIfUnknown,
                         bool hasBaseClasses = false, int textIndex = -1, ItemType textType = ItemType_Invalid)
{
    return new CParentElementInfo(group, type, name, kNs, failIfUnknown, hasBaseClasses, textIndex, textType, nullptr,
                                  false);
}

void Build(CoverageKind kind, CSampleMetaData& m)
{
    const auto create = &CCoverageObject::CreateByClassId;
    const auto shape = &CCoverageObject::CreateShape;
    switch (kind) {
    case Coverage_Root: {
        const CPrimitiveRestrictions code("[A-Z]{3}", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
        m.elements = new CElementInfo*[17]{
            new CElementInfoSeqPrimMnd("prim", kNs, Root_Prim, true, ItemType_string, nullptr, kPreserve, kNone,
                                       nullptr),
            new CElementInfoSeqPrimOpt("primOpt", kNs, Root_PrimOpt, false, ItemType_i4, nullptr, kCollapse, kNone,
                                       "7"),
            new CElementInfoSeqEnumMnd("color", kNs, Root_EnumMnd, false, &ColorToText, &TextToColor, nullptr),
            new CElementInfoSeqEnumOpt("colorOpt", kNs, Root_EnumOpt, true, &ColorToText, &TextToColor, "blue"),
            new CElementInfoSeqClsMnd("child", kNs, Root_Child, XmlElementType_Element, create, Coverage_Leaf,
                                      false),
            new CElementInfoSeqClsOpt("childOpt", kNs, Root_ChildOpt, XmlElementType_Element, create,
                                      Coverage_Leaf),
            new CElementInfoSeqAbsClsMnd("shape", kNs, Root_Shape, XmlElementType_Element, shape),
            new CElementInfoSeqAbsClsOpt("shapeOpt", kNs, Root_ShapeOpt, XmlElementType_Element, shape),
            new CElementInfoSeqClsMnd("inline", kNs, Root_Inline, XmlElementType_InLine, create,
                                      Coverage_InlinePart, true),
            new CElementInfoSeqClsCol("leaf", kNs, Root_Leafs, XmlElementType_Element),
            new CElementInfoSeqClsMnd("pick", kNs, Root_Pick, XmlElementType_Element, create, Coverage_Pick, false),
            new CElementInfoSeqClsOpt("bag", kNs, Root_Bag, XmlElementType_Element, create, Coverage_Bag),
            new CElementInfoSeqClsOpt("nilChild", kNs, Root_NilChild, XmlElementType_Element, create,
                                      Coverage_NilLeaf),
            new CElementInfoSeqClsOpt("wild", kNs, Root_Wild, XmlElementType_Element, create, Coverage_Wild),
            new CElementInfoSeqClsOpt("pick2", kNs, Root_Pick2, XmlElementType_Element, create, Coverage_Pick2),
            new CElementInfoSeqClsOpt("bag2", kNs, Root_Bag2, XmlElementType_Element, create, Coverage_Bag2),
            nullptr};
        m.attributes = new CAttributeInfo*[3]{
            new CAttributeInfoEnum("tone", "", Root_Color, true, &ColorToText, &TextToColor, "red"),
            new CAttributeInfoPrimitive("code", "", Root_Code, true, ItemType_string, nullptr, kCollapse, code,
                                        nullptr),
            nullptr};
        // The in-line part's attribute arrives on this element, so unknown
        // attributes are left to the members.
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_Element, "root", false);
        return;
    }
    case Coverage_Leaf:
        m.elements = new CElementInfo*[1]{nullptr};
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoPrimitive("id", "", Leaf_Id, true, ItemType_i4, nullptr, kCollapse, kNone, nullptr),
            nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_Element, "leaf", true, false, Leaf_Text,
                           ItemType_string);
        return;
    case Coverage_Circle:
    case Coverage_Square:
        m.elements = new CElementInfo*[2]{
            new CElementInfoSeqPrimMnd("size", kNs, Shape_Size, false,
                                       kind == Coverage_Circle ? ItemType_r8 : ItemType_decimal, nullptr, kCollapse,
                                       kNone, nullptr),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_Element,
                           kind == Coverage_Circle ? "circle" : "square", true, true);
        return;
    case Coverage_InlinePart:
        m.elements = new CElementInfo*[2]{
            new CElementInfoSeqPrimMnd("partA", kNs, Inline_PartA, false, ItemType_string, nullptr, kPreserve, kNone,
                                       nullptr),
            nullptr};
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoPrimitive("partAttr", "", Inline_PartAttr, true, ItemType_string, nullptr, kCollapse,
                                        kNone, nullptr),
            nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_InLine, "", false);
        return;
    case Coverage_Pick:
        m.elements = new CElementInfo*[7]{
            new CElementInfoChoicePrimOpt("num", kNs, Pick_Num, false, ItemType_i4, nullptr, kCollapse, kNone,
                                          nullptr),
            new CElementInfoChoiceEnumOpt("hue", kNs, Pick_Hue, false, &ColorToText, &TextToColor, nullptr),
            new CElementInfoChoiceClsOpt("leafPick", kNs, Pick_Leaf, XmlElementType_Element, create,
                                         Coverage_Leaf),
            new CElementInfoChoiceAbsClsOpt("shapePick", kNs, Pick_Shape, XmlElementType_Element, shape),
            new CElementInfoChoiceClsCol("l", kNs, Pick_Leafs, XmlElementType_Element),
            new CElementInfoChoiceUntpdOpt("AnyElement", "##other", Pick_Any, "##other", kNs),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Choice, XmlElementType_Element, "pick", true);
        return;
    case Coverage_Bag:
        m.elements = new CElementInfo*[10]{
            new CElementInfoAllPrimMnd("a", kNs, Bag_A, false, ItemType_i4, nullptr, kCollapse, kNone, nullptr),
            new CElementInfoAllPrimOpt("b", kNs, Bag_B, false, ItemType_string, nullptr, kPreserve, kNone, nullptr),
            new CElementInfoAllEnumMnd("c", kNs, Bag_C, false, &ColorToText, &TextToColor, nullptr),
            new CElementInfoAllEnumOpt("d", kNs, Bag_D, false, &ColorToText, &TextToColor, nullptr),
            new CElementInfoAllClsMnd("e", kNs, Bag_E, XmlElementType_Element, create, Coverage_Leaf, true),
            new CElementInfoAllClsOpt("f", kNs, Bag_F, XmlElementType_Element, create, Coverage_Leaf),
            new CElementInfoAllAbsClsMnd("g", kNs, Bag_G, XmlElementType_Element, shape, 0),
            new CElementInfoAllAbsClsOpt("h", kNs, Bag_H, XmlElementType_Element, shape),
            new CElementInfoAllClsCol("bl", kNs, Bag_Leafs, XmlElementType_Element),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_All, XmlElementType_Element, "bag", true);
        return;
    case Coverage_NilLeaf:
        m.elements = new CElementInfo*[2]{
            new CElementInfoSeqPrimOpt("v", kNs, NilLeaf_Value, false, ItemType_string, nullptr, kPreserve, kNone,
                                       nullptr),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_Element, "nilChild", true);
        return;
    case Coverage_Wild:
        m.elements = new CElementInfo*[8]{
            new CElementInfoSeqPrimCol("num", kNs, Wild_Nums),
            new CElementInfoSeqEnumCol("hue", kNs, Wild_Hues),
            new CElementInfoSeqCol("plain", kNs, Wild_Plain),
            new CElementInfoSeqAbsClsCol("sh", kNs, Wild_Shapes, XmlElementType_Element),
            new CElementInfoSeqUntpdMnd("AnyElement", "##other", Wild_Other, "##other", kNs),
            new CElementInfoSeqUntpdOpt("note", "##any", Wild_Note, "##any", kNs),
            new CElementInfoSeqUntpdCol("AnyElement", "##any", Wild_Rest),
            nullptr};
        m.attributes = new CAttributeInfo*[2]{
            new CAttributeInfoAny("AnyAttribute", "", Wild_AnyAttrs, true, "##other", kNs, nullptr), nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_Element, "wild", true);
        return;
    case Coverage_Fork:
        // The long branch reads the leaf, misses its size and hands the leaf
        // back: the short branch must find it as it was.
        m.elements = new CElementInfo*[3]{
            new CElementInfoChoiceClsOpt("long", kNs, Fork_Long, XmlElementType_InLine, create, Coverage_ForkLong),
            new CElementInfoChoiceClsOpt("short", kNs, Fork_Short, XmlElementType_InLine, create,
                                         Coverage_ForkShort),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Choice, XmlElementType_Element, "fork", true);
        return;
    case Coverage_ForkLong:
    case Coverage_ForkShort:
        m.elements = new CElementInfo*[3]{
            new CElementInfoSeqClsMnd("leaf", kNs, ForkLong_Leaf, XmlElementType_Element, create, Coverage_Leaf,
                                      false),
            kind == Coverage_ForkLong ? new CElementInfoSeqPrimMnd("size", kNs, ForkLong_Size, false, ItemType_i4,
                                                                   nullptr, kCollapse, kNone, nullptr)
                                      : nullptr,
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Sequence, XmlElementType_InLine, "", false);
        return;
    case Coverage_Pick2:
        m.elements = new CElementInfo*[6]{
            new CElementInfoChoicePrimCol("n", kNs, Pick2_Nums),
            new CElementInfoChoiceEnumCol("h", kNs, Pick2_Hues),
            new CElementInfoChoiceCol("p", kNs, Pick2_Plain),
            new CElementInfoChoiceAbsClsCol("s", kNs, Pick2_Shapes, XmlElementType_Element),
            new CElementInfoChoiceUntpdCol("u", "##any", Pick2_Us),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_Choice, XmlElementType_Element, "pick2", true);
        return;
    case Coverage_Bag2:
        m.elements = new CElementInfo*[8]{
            new CElementInfoAllCol("p", kNs, Bag2_Plain),
            new CElementInfoAllAbsClsCol("s", kNs, Bag2_Shapes, XmlElementType_Element),
            new CElementInfoAllPrimCol("n", kNs, Bag2_Nums),
            new CElementInfoAllEnumCol("h", kNs, Bag2_Hues),
            new CElementInfoAllUntpdCol("u", "##any", Bag2_Us),
            new CElementInfoAllUntpdMnd("m", "##any", Bag2_M, "##any", kNs),
            new CElementInfoAllUntpdOpt("o", "##any", Bag2_O, "##any", kNs),
            nullptr};
        m.attributes = new CAttributeInfo*[1]{nullptr};
        m.classInfo = Info(XmlElementGroupType_All, XmlElementType_Element, "bag2", true);
        return;
    default:
        throw CTsInvalidParamException("Unknown coverage class");
    }
}

// The factory of the abstract shape: the type attribute names the class.
class CShapeFactory : public CClassfactoryBase {
public:
    static CSmartPtr<CXmlObjectBase> Create(CXmlElement* element)
    {
        // A type named with a prefix must be of this model's namespace; an
        // unprefixed one is taken in the element's own namespace.
        const std::string type = GetElementType(element);
        const std::string typeNs = GetElementTypeNamespaceUri(element);
        if (typeNs != kNs && typeNs != element->GetNamespaceURI())
            return CSmartPtr<CXmlObjectBase>();
        if (type == "circle")
            return CSmartPtr<CXmlObjectBase>(CCoverageObject::Create(Coverage_Circle, "").get());
        if (type == "square")
            return CSmartPtr<CXmlObjectBase>(CCoverageObject::Create(Coverage_Square, "").get());
        return CSmartPtr<CXmlObjectBase>();
    }
};

TsVariant ObjectValue(CXmlObjectBase* object)
{
    TsVariant value;
    value.SetXmlObject(object);
    return value;
}

TsVariant CollectionValue(CXmlCollectionBase* collection)
{
    TsVariant value;
    value.SetXmlCollection(collection);
    return value;
}

} // namespace

const char* ColorToText(int value) { return value >= 0 && value < 3 ? kColors[value] : nullptr; }

int TextToColor(const char* text)
{
    for (int i = 0; i < 3; ++i)
        if (text && std::strcmp(text, kColors[i]) == 0)
            return i;
    throw CTsInvalidValueException(std::string("Unknown colour [") + (text ? text : "") + "]");
}

CSampleMetaData CCoverageObject::s_metaData[Coverage_KindCount] = {
    CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData),
    CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData),
    CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData),
    CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData),
    CSampleMetaData(&CleanMetaData), CSampleMetaData(&CleanMetaData)};

CSampleMetaData& CCoverageObject::MetaData(CoverageKind kind)
{
    CSampleMetaData& m = s_metaData[kind];
    m.Ensure([kind](CSampleMetaData& target) { Build(kind, target); });
    return m;
}

CCoverageObject::CCoverageObject(CoverageKind kind, const char* elementName)
    : m_kind(kind), m_properties(static_cast<std::size_t>(PropertyCount(kind)))
{
    SetElementName(elementName);
    CreateMembers();
}

CSmartPtr<CCoverageObject> CCoverageObject::Create(CoverageKind kind, const char* elementName)
{
    if (kind == Coverage_NilLeaf)
        return CSmartPtr<CCoverageObject>(new CCoverageNillable(elementName));
    return CSmartPtr<CCoverageObject>(new CCoverageObject(kind, elementName));
}

CSmartPtr<CXmlObjectBase> CCoverageObject::CreateByClassId(int classId, const char* elementName)
{
    if (classId < 0 || classId >= Coverage_KindCount)
        return CSmartPtr<CXmlObjectBase>();
    return CSmartPtr<CXmlObjectBase>(Create(static_cast<CoverageKind>(classId), elementName).get());
}

CSmartPtr<CXmlObjectBase> CCoverageObject::CreateShape(CXmlElement* element) { return CShapeFactory::Create(element); }

void CCoverageObject::CreateMembers()
{
    for (TsVariant& p : m_properties)
        p.Clear();
    switch (m_kind) {
    case Coverage_Root:
        m_properties[Root_Child] = ObjectValue(Create(Coverage_Leaf, "child"));
        m_properties[Root_Inline] = ObjectValue(Create(Coverage_InlinePart, ""));
        m_properties[Root_Leafs] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "leaf", 0, -1));
        m_properties[Root_Pick] = ObjectValue(Create(Coverage_Pick, "pick"));
        return;
    case Coverage_Pick:
        m_properties[Pick_Leafs] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "l", 2, 3));
        return;
    case Coverage_Bag:
        m_properties[Bag_E] = ObjectValue(Create(Coverage_Leaf, "e"));
        m_properties[Bag_Leafs] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "bl", 0, 2));
        return;
    case Coverage_Wild:
        m_properties[Wild_Nums] = CollectionValue(new Ci4Col("num", kNs, 0, -1, nullptr, -1, -1, nullptr, "99",
                                                             nullptr, nullptr, -1, -1, -1, kCollapse, nullptr));
        m_properties[Wild_Hues] = CollectionValue(CColorCol::Create("hue", 0, -1));
        m_properties[Wild_Plain] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "plain", 0, -1));
        m_properties[Wild_Shapes] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "sh", 0, -1));
        m_properties[Wild_Other] = ObjectValue(new CElement("AnyElement", "", "##other", kNs));
        m_properties[Wild_Rest] = CollectionValue(new CElementCol("", "##any", kNs, 0, -1));
        m_properties[Wild_AnyAttrs] = CollectionValue(new CAttributeCol("", "##other", kNs));
        return;
    case Coverage_Pick2:
        m_properties[Pick2_Nums] = CollectionValue(new Ci4Col("n", kNs, 1, -1, nullptr, -1, -1, nullptr, nullptr,
                                                              nullptr, nullptr, -1, -1, -1, kCollapse, nullptr));
        m_properties[Pick2_Hues] = CollectionValue(CColorCol::Create("h", 1, -1));
        m_properties[Pick2_Plain] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "p", 1, -1));
        m_properties[Pick2_Shapes] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "s", 1, -1));
        m_properties[Pick2_Us] = CollectionValue(new CElementCol("", "##any", kNs, 1, -1));
        return;
    case Coverage_Bag2:
        m_properties[Bag2_Plain] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "p", 0, -1));
        m_properties[Bag2_Shapes] = CollectionValue(CCoverageCol::Create(Coverage_Leaf, "s", 0, -1));
        m_properties[Bag2_Nums] = CollectionValue(new Ci4Col("n", kNs, 0, -1, nullptr, -1, -1, nullptr, nullptr,
                                                             nullptr, nullptr, -1, -1, -1, kCollapse, nullptr));
        m_properties[Bag2_Hues] = CollectionValue(CColorCol::Create("h", 0, -1));
        m_properties[Bag2_Us] = CollectionValue(new CElementCol("", "##any", kNs, 0, -1));
        m_properties[Bag2_M] = ObjectValue(new CElement("m", "", "##any", kNs));
        return;
    default:
        return;
    }
}

std::string CCoverageObject::GetNamespace() { return kNs; }
std::string CCoverageObject::GetTargetNamespace() { return kNs; }

void CCoverageObject::Init()
{
    CreateMembers();
    if (CCoverageNillable* nillable = dynamic_cast<CCoverageNillable*>(this))
        nillable->SetNil(false);
}

const TsVariant& CCoverageObject::Get(int propertyIndex) const
{
    if (propertyIndex < 0 || static_cast<std::size_t>(propertyIndex) >= m_properties.size())
        throw CTsInvalidParamException("Unknown property index");
    return m_properties[static_cast<std::size_t>(propertyIndex)];
}

void CCoverageObject::Set(int propertyIndex, const TsVariant& value)
{
    Get(propertyIndex);
    m_properties[static_cast<std::size_t>(propertyIndex)] = value;
}

CSmartPtr<CCoverageObject> CCoverageObject::GetChild(int propertyIndex) const
{
    const TsVariant& value = Get(propertyIndex);
    if (value.GetTypeAsEnum() != ItemType_XmlObjectBase)
        return CSmartPtr<CCoverageObject>();
    return CSmartPtr<CCoverageObject>(dynamic_cast<CCoverageObject*>(value.GetXmlObject().get()));
}

CSmartPtr<CXmlCollectionBase> CCoverageObject::GetCollection(int propertyIndex) const
{
    return Get(propertyIndex).GetXmlCollection();
}

void CCoverageObject::AccessProperty(int propertyIndex, bool get, TsVariant& value)
{
    if (get)
        value = Get(propertyIndex);
    else
        Set(propertyIndex, value);
}

CParentElementInfo* CCoverageObject::GetClassInfo() const { return MetaData(m_kind).classInfo; }
CElementInfo** CCoverageObject::GetClassElementInfo() const { return MetaData(m_kind).elements; }
CAttributeInfo** CCoverageObject::GetClassAttributeInfo() const { return MetaData(m_kind).attributes; }

} // namespace TsXmlLibSamples
