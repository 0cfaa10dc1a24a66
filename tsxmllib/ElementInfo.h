// Class-level metadata of generated classes and the abstract base of the
// descriptors of their child elements.
#ifndef TSXMLLIB_ELEMENTINFO_H
#define TSXMLLIB_ELEMENTINFO_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/PrimitiveRestrictions.h"
#include "tsxmllib/WhitespaceUtils.h"

#include <string>

namespace TsXmlLib16 {
class CSerializationContext;
class CXmlElement;
class CXmlGeneratedClass;
class CXmlWriter;
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
