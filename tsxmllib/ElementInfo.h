// Class-level metadata of generated classes and the abstract base of the
// descriptors of their child elements.
#ifndef TSXMLLIB_ELEMENTINFO_H
#define TSXMLLIB_ELEMENTINFO_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/PrimitiveRestrictions.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/WhitespaceUtils.h"

#include <string>

namespace TsXmlLib16 {
class CSerializationContext;
class CXmlCollectionBase;
class CXmlElement;
class CXmlGeneratedClass;
class CXmlObjectBase;
class CXmlWriter;
struct TsVariant;
} // namespace TsXmlLib16

namespace TsXmlLib16Data {

// The model group of a class's child elements.
enum XmlElementGroupType {
    XmlElementGroupType_Sequence = 0,
    XmlElementGroupType_Choice = 1,
    XmlElementGroupType_All = 2
};

// How a class appears in the document: 0 with a tag of its own; 1 in line with
// its owner's children, its attributes moved onto the owner's tag; any other
// value in line, with its attributes left where they are.
enum XmlElementType { XmlElementType_Element = 0, XmlElementType_InLine = 1, XmlElementType_InLineNoAttributes = 2 };

using EnumToTextFunction = const char* (*)(int);
using TextToEnumFunction = int (*)(const char*);
// Creates the concrete object for a polymorphic element (null when none fits).
using ElementClassCreator = TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> (*)(TsXmlLib16::CXmlElement*);
// Creates the object of a fixed class from its class id and element name.
using ClassIdCreator = TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> (*)(int, const char*);

class TSXMLLIB_EXPORT CParentElementInfo {
public:
    CParentElementInfo(XmlElementGroupType elementGroupType, XmlElementType elementType, const char* elementName,
                       const char* elementNamespace, bool fromXmlFailIfAttributeUnknown, bool hasBaseClasses,
                       int primitiveValuePropertyIndex, TsXmlLib16::ItemType primitiveDataType,
                       const char* primitiveFormatOverride, bool outputPrimitiveClassAsTextProperty);
    CParentElementInfo(const CParentElementInfo&) = default;
    CParentElementInfo& operator=(const CParentElementInfo&) = default;
    virtual ~CParentElementInfo();

    XmlElementGroupType GetElementGroupType() const { return m_elementGroupType; }
    XmlElementType GetElementType() const { return m_elementType; }
    const std::string& GetElementName() const { return m_elementName; }
    const std::string& GetElementNamespace() const { return m_elementNamespace; }
    bool GetFromXmlFailIfAttributeUnknown() const { return m_fromXmlFailIfAttributeUnknown; }
    bool GetHasBaseClasses() const { return m_hasBaseClasses; }
    int GetPrimitiveValuePropertyIndex() const { return m_primitiveValuePropertyIndex; }
    TsXmlLib16::ItemType GetPrimitiveDataType() const { return m_primitiveDataType; }
    const std::string& GetPrimitiveFormatOverride() const { return m_primitiveFormatOverride; }
    bool GetOutputPrimitiveClassAsTextProperty() const { return m_outputPrimitiveClassAsTextProperty; }

private:
    XmlElementGroupType m_elementGroupType;
    XmlElementType m_elementType;
    std::string m_elementName;
    std::string m_elementNamespace;
    bool m_fromXmlFailIfAttributeUnknown;
    bool m_hasBaseClasses;
    int m_primitiveValuePropertyIndex;
    TsXmlLib16::ItemType m_primitiveDataType;
    std::string m_primitiveFormatOverride;
    bool m_outputPrimitiveClassAsTextProperty;
};

// The descriptor of one child element of a generated class. Concrete
// descriptors are named after the model group, the content kind and the
// cardinality of the element they describe (CElementInfoSeqClsMnd, ...).
class TSXMLLIB_EXPORT CElementInfo {
public:
    CElementInfo(const CElementInfo&) = default;
    CElementInfo& operator=(const CElementInfo&) = default;
    virtual ~CElementInfo();

    // Writes this child of obj; true when something was written.
    virtual bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                              TsXmlLib16::CXmlWriter* writer) const = 0;
    // Reads this child from the siblings starting at *current and advances
    // *current past what it consumed.
    virtual bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                                TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                                const char* parentNamespace, XmlElementType parentType) = 0;
    // Called by the all-group reader after every member was tried.
    virtual bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                          bool found, bool parentIsElement) const;
    // Writes the attributes of an in-line child class onto the owner's open tag.
    virtual void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                           const TsXmlLib16::CXmlGeneratedClass* obj,
                                           TsXmlLib16::CXmlWriter* writer) const;

    std::string GetElementName() const { return m_elementName; }
    std::string GetElementNamespace() const { return m_elementNamespace; }
    int GetPropertyIndex() const { return m_propertyIndex; }
    // Whether element has this descriptor's local name (and namespace, unless ignored).
    bool IsThisElement(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlElement* element) const;
    // Checks a value against this descriptor's facets; only primitive descriptors have any.
    void CheckRestriction(const TsXmlLib16::TsVariant& value) const;
    // The namespace a new wildcard element gets, decided by the constraint (its
    // first token when it is a list) from the owner's namespace (second) and the
    // target namespace (third).
    static std::string GetAnyDefaultNamespace(const char* constraint, const char* second, const char* third);

    // The model group a member sits in.
    enum Group { Group_Seq, Group_Choice, Group_All };

protected:
    // Class, collection and wildcard descriptors.
    CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex);
    // Enumerated simple types.
    CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                 EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue);
    // Other simple types.
    CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                 TsXmlLib16::ItemType itemType, const char* format,
                 TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                 const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);

    // Property access through the generated accessor, failures wrapped as
    // validation errors.
    void InvokePropertyGet(TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value) const;
    void ReadProperty(const TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value) const
    {
        InvokePropertyGet(const_cast<TsXmlLib16::CXmlGeneratedClass*>(obj), value);
    }
    void InvokePropertySet(TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::TsVariant& value,
                           const TsXmlLib16::CXmlElement& element) const;
    TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> ReadObject(const TsXmlLib16::CXmlGeneratedClass* obj) const;
    TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlCollectionBase> ReadCollection(
        const TsXmlLib16::CXmlGeneratedClass* obj) const;

    // The writing operations shared by the concrete descriptors; each returns
    // whether an element was written.
    bool ElementToXmlPrim(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlWriter* writer) const;
    bool ElementToXmlEnum(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlWriter* writer) const;
    bool ElementToXmlCls(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                         TsXmlLib16::CXmlWriter* writer, bool inChoice) const;
    bool ElementToXmlCol(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                         TsXmlLib16::CXmlWriter* writer, bool validateCount) const;
    bool ElementToXmlValue(const TsXmlLib16::CXmlGeneratedClass* obj, TsXmlLib16::CXmlWriter* writer,
                           bool isEnum) const;
    // A mandatory member that wrote nothing is an error.
    bool RequireWritten(bool written) const;

    // Read the matched element *current into the property and advance *current.
    void ElementFromXmlPrim(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                            TsXmlLib16::CXmlElement** current) const;
    void ElementFromXmlEnum(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                            TsXmlLib16::CXmlElement** current) const;

    // Forwarders to the protected operations of child objects and collections.
    static TsXmlLib16::CXmlElement* FromXml_Int(TsXmlLib16::CXmlObjectBase* child, TsXmlLib16::CXmlElement* element,
                                                TsXmlLib16::CXmlElement* first,
                                                const TsXmlLib16::CSerializationContext& ctx, bool isOptional);
    static void AttributesToXml_Int(const TsXmlLib16::CXmlObjectBase* child, TsXmlLib16::CXmlWriter* writer,
                                    const TsXmlLib16::CSerializationContext& ctx);

    // The member behaviours, parameterised by model group and cardinality; the
    // concrete descriptors are thin classes over them.
    [[noreturn]] void ThrowRequired(const TsXmlLib16::CXmlElement* parent) const;
    // The search of a mandatory sequence member for an element owner: true when
    // *current matches; false when the member is done without one (its absence
    // ignored); throws when it is missing.
    bool SeekMandatory(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlElement* parent,
                       TsXmlLib16::CXmlElement** current) const;
    bool ReadValueMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                         TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, XmlElementType parentType,
                         Group group, bool mandatory, bool isEnum) const;
    bool ReadClsMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                       TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, XmlElementType parentType,
                       Group group, bool mandatory, XmlElementType childType, ClassIdCreator creator, int classId,
                       bool mustConsume) const;
    bool ReadAbsClsMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                          TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                          XmlElementType parentType, Group group, bool mandatory, ElementClassCreator creator) const;
    bool ReadColMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                       TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, XmlElementType parentType,
                       Group group) const;
    // Wildcard members: the property holds an untyped element (or a
    // collection of them) that applies the namespace constraint itself.
    bool ReadUntpdMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                         TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                         const char* parentNamespace, XmlElementType parentType, Group group, bool mandatory,
                         const std::string& constraint, const std::string& targetNamespace) const;
    bool ReadUntpdColMember(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                            TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                            XmlElementType parentType, Group group) const;
    // The count rules after a collection read; next is the first element not consumed.
    bool FinishColMember(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlCollectionBase* col,
                         TsXmlLib16::CXmlElement** current, TsXmlLib16::CXmlElement* next, XmlElementType parentType,
                         Group group) const;
    // Validate of a mandatory all-group member.
    bool ValidateMandatory(bool found, bool parentIsElement) const;
    // In-line child classes (type 1) put their attributes on the owner's tag.
    void PseudoChildAttributes(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                               TsXmlLib16::CXmlWriter* writer, XmlElementType childType, bool collection) const;

    std::string m_elementName;
    std::string m_elementNamespace;
    int m_propertyIndex;
    TsXmlLib16::CPrimitiveRestrictions m_restrictions;
    TsXmlLib16::ItemType m_itemType = TsXmlLib16::ItemType_Invalid;
    std::string m_format;
    TsXmlLib16::CWhitespaceUtils::WhitespaceRule m_whitespaceRule = TsXmlLib16::CWhitespaceUtils::WhitespaceRule_None;
    std::string m_defaultValue;
    bool m_nillable = false;
    EnumToTextFunction m_enumToText = nullptr;
    TextToEnumFunction m_textToEnum = nullptr;
    int m_hasRestrictions = 0;
};

} // namespace TsXmlLib16Data

#endif
