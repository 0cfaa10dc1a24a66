// The coverage sample model: a family of small bound classes in which every
// element descriptor kind, attribute descriptor kind and group type appears.
// Each kind of class has its own static metadata tables; the property values
// are kept generically, one variant per property index, so that tests can
// reach every member without a hand-written accessor per property.
#ifndef TSXMLLIB_SAMPLES_COVERAGEOBJECT_H
#define TSXMLLIB_SAMPLES_COVERAGEOBJECT_H

#include "samples/SampleMetaData.h"
#include "tsxmllib/EventSink.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/TsVariant.h"

#include <vector>

namespace TsXmlLibSamples {

constexpr const char* kCoverageNamespace = "urn:tsxmllib:samples:coverage";

// The classes of the model.
enum CoverageKind {
    Coverage_Root,       // sequence: every sequence member kind
    Coverage_Leaf,       // simple content (a string) with an optional id attribute
    Coverage_Circle,     // substitutes the abstract shape (xsi:type "circle")
    Coverage_Square,     // substitutes the abstract shape (xsi:type "square")
    Coverage_InlinePart, // no tag of its own: its element and attribute go to the owner
    Coverage_Pick,       // choice: every choice member kind
    Coverage_Bag,        // all group: every all-group member kind
    Coverage_NilLeaf,    // nillable
    Coverage_Wild,       // sequence: collections of values, wildcard elements and attributes
    Coverage_Pick2,      // choice of collections only (no branch is optional)
    Coverage_Bag2,       // all group: collections and wildcards
    Coverage_Fork,       // choice of two in-line branches that start with the same element
    Coverage_ForkLong,   // in line: a leaf and then a size
    Coverage_ForkShort,  // in line: a leaf alone
    Coverage_KindCount
};

// Property indexes of the classes.
enum RootProperty {
    Root_Color,      // attribute, enumeration, optional with default "red"
    Root_Prim,       // string, mandatory, nillable
    Root_PrimOpt,    // i4, optional, default 7
    Root_EnumMnd,    // enumeration, mandatory
    Root_EnumOpt,    // enumeration, optional
    Root_Child,      // Leaf, mandatory
    Root_ChildOpt,   // Leaf, optional
    Root_Shape,      // abstract shape, mandatory
    Root_ShapeOpt,   // abstract shape, optional
    Root_Inline,     // InlinePart, mandatory, in line
    Root_Leafs,      // collection of Leaf
    Root_Pick,       // Pick, mandatory
    Root_Bag,        // Bag, optional
    Root_NilChild,   // NilLeaf, optional
    Root_Code,       // attribute, string with pattern, optional
    Root_Wild,       // Wild, optional
    Root_Pick2,      // Pick2, optional
    Root_Bag2,       // Bag2, optional
    Root_PropertyCount
};
enum LeafProperty { Leaf_Text, Leaf_Id, Leaf_PropertyCount };
enum ShapeProperty { Shape_Size, Shape_PropertyCount };
enum InlineProperty { Inline_PartA, Inline_PartAttr, Inline_PropertyCount };
enum PickProperty { Pick_Num, Pick_Hue, Pick_Leaf, Pick_Shape, Pick_Leafs, Pick_Any, Pick_PropertyCount };
enum BagProperty {
    Bag_A,     // i4 mandatory
    Bag_B,     // string optional
    Bag_C,     // enumeration mandatory
    Bag_D,     // enumeration optional
    Bag_E,     // Leaf mandatory
    Bag_F,     // Leaf optional
    Bag_G,     // abstract shape mandatory
    Bag_H,     // abstract shape optional
    Bag_Leafs, // collection of Leaf
    Bag_PropertyCount
};
enum NilLeafProperty { NilLeaf_Value, NilLeaf_PropertyCount };
enum WildProperty {
    Wild_Nums,      // i4 collection "num"
    Wild_Hues,      // colour collection "hue"
    Wild_Plain,     // collection of Leaf "plain" (plain collection descriptor)
    Wild_Shapes,    // collection of Leaf "sh" (abstract-class collection descriptor)
    Wild_Other,     // wildcard element from another namespace, mandatory
    Wild_Note,      // wildcard element named "note", optional
    Wild_Rest,      // any remaining elements
    Wild_AnyAttrs,  // attributes from other namespaces
    Wild_PropertyCount
};
enum Pick2Property { Pick2_Nums, Pick2_Hues, Pick2_Plain, Pick2_Shapes, Pick2_Us, Pick2_PropertyCount };
enum ForkProperty { Fork_Long, Fork_Short, Fork_PropertyCount };
enum ForkLongProperty { ForkLong_Leaf, ForkLong_Size, ForkLong_PropertyCount };
enum ForkShortProperty { ForkShort_Leaf, ForkShort_PropertyCount };
enum Bag2Property { Bag2_Plain, Bag2_Shapes, Bag2_Nums, Bag2_Hues, Bag2_Us, Bag2_M, Bag2_O, Bag2_PropertyCount };

// The colours of the enumerated members.
const char* ColorToText(int value);
int TextToColor(const char* text);

class CCoverageObject : public TsXmlLib16::CXmlGeneratedClass {
public:
    // A new object of the kind, named after the element it stands for.
    static TsXmlLib16::CSmartPtr<CCoverageObject> Create(CoverageKind kind, const char* elementName);
    // The class factory: the class id is the kind.
    static TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> CreateByClassId(int classId, const char* elementName);
    // The abstract shape: the concrete class comes from the type attribute.
    static TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> CreateShape(TsXmlLib16::CXmlElement* element);

    CoverageKind GetKind() const { return m_kind; }
    // The property with the given index, as the accessor exchanges it.
    const TsXmlLib16::TsVariant& Get(int propertyIndex) const;
    void Set(int propertyIndex, const TsXmlLib16::TsVariant& value);
    // The child object or collection held by a property (null when none).
    TsXmlLib16::CSmartPtr<CCoverageObject> GetChild(int propertyIndex) const;
    TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlCollectionBase> GetCollection(int propertyIndex) const;

    TsXmlLib16::CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override;

    void AccessProperty(int propertyIndex, bool get, TsXmlLib16::TsVariant& value) override;
    TsXmlLib16Data::CParentElementInfo* GetClassInfo() const override;
    TsXmlLib16Data::CElementInfo** GetClassElementInfo() const override;
    TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const override;
    void Init() override;

protected:
    CCoverageObject(CoverageKind kind, const char* elementName);
    std::string GetTargetNamespace() override;

private:
    static CSampleMetaData s_metaData[Coverage_KindCount];
    static CSampleMetaData& MetaData(CoverageKind kind);
    // Mandatory children and collections exist from the start.
    void CreateMembers();

    CoverageKind m_kind;
    std::vector<TsXmlLib16::TsVariant> m_properties;
};

// The nillable class of the model.
class CCoverageNillable : public CCoverageObject, public TsXmlLib16::INillable {
public:
    bool IsNil() override { return m_nil; }
    void SetNil(bool nil) override { m_nil = nil; }

protected:
    friend class CCoverageObject;
    explicit CCoverageNillable(const char* elementName) : CCoverageObject(Coverage_NilLeaf, elementName) {}

private:
    bool m_nil = false;
};

} // namespace TsXmlLibSamples

#endif
