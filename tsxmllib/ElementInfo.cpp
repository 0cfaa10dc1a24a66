#include "tsxmllib/ElementInfo.h"

#include "tsxmllib/Element.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlCollectionBase.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlGeneratedClass.h"
#include "tsxmllib/XmlWriter.h"

#include <strings.h>

namespace TsXmlLib16Data {

using namespace TsXmlLib16;

namespace {
std::string Text(const char* s) { return s ? s : ""; }

bool EqualsNoCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// Collection states the writer context keeps for the JSON writer: inside the
// items of a collection, and after its last item.
constexpr std::uint32_t kCollectionStarted = 1;
constexpr std::uint32_t kCollectionEnded = 3;
} // namespace

CParentElementInfo::CParentElementInfo(XmlElementGroupType elementGroupType, XmlElementType elementType,
                                       const char* elementName, const char* elementNamespace,
                                       bool fromXmlFailIfAttributeUnknown, bool hasBaseClasses,
                                       int primitiveValuePropertyIndex, ItemType primitiveDataType,
                                       const char* primitiveFormatOverride, bool outputPrimitiveClassAsTextProperty)
    : m_elementGroupType(elementGroupType), m_elementType(elementType), m_elementName(Text(elementName)),
      m_elementNamespace(Text(elementNamespace)), m_fromXmlFailIfAttributeUnknown(fromXmlFailIfAttributeUnknown),
      m_hasBaseClasses(hasBaseClasses), m_primitiveValuePropertyIndex(primitiveValuePropertyIndex),
      m_primitiveDataType(primitiveDataType), m_primitiveFormatOverride(Text(primitiveFormatOverride)),
      m_outputPrimitiveClassAsTextProperty(outputPrimitiveClassAsTextProperty)
{
}

CParentElementInfo::~CParentElementInfo() = default;

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex)
{
}

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex),
      m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_enumToText(enumToText), m_textToEnum(textToEnum)
{
}

CElementInfo::CElementInfo(const char* elementName, const char* elementNamespace, int propertyIndex, bool nillable,
                           ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const CPrimitiveRestrictions& restrictions, const char* defaultValue)
    : m_elementName(Text(elementName)), m_elementNamespace(Text(elementNamespace)), m_propertyIndex(propertyIndex),
      m_restrictions(restrictions), m_itemType(itemType), m_format(Text(format)), m_whitespaceRule(whitespaceRule),
      m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_hasRestrictions(1)
{
}

CElementInfo::~CElementInfo() = default;

bool CElementInfo::Validate(const CSerializationContext&, const CXmlGeneratedClass*, bool, bool) const
{
    throw CTsException("Not implemented, should never be called");
}

void CElementInfo::PseudoChildAttributeToXml(const CSerializationContext&, const CXmlGeneratedClass*,
                                             CXmlWriter*) const
{
}

bool CElementInfo::IsThisElement(const CSerializationContext& ctx, const CXmlElement* element) const
{
    if (!element || element->GetLocalName() != m_elementName)
        return false;
    return ctx.GetIgnoreNamespaces() || element->GetNamespaceURI() == m_elementNamespace;
}

void CElementInfo::CheckRestriction(const TsVariant& value) const
{
    if (!m_hasRestrictions)
        throw CTsException("Cannot CheckRestriction for type: " + value.GetType());
    CheckPrimitiveRestrictions(m_elementName.c_str(), value, m_itemType, m_restrictions);
}

std::string CElementInfo::GetAnyDefaultNamespace(const char* constraint, const char* second, const char* third)
{
    const std::string c = Text(constraint);
    if (c == "##any")
        return Text(second);
    if (c == "##other")
        return Text(second).empty() ? "DefaultNamespace" : "";
    if (c == "##local")
        return "";
    if (c == "##targetNamespace")
        return Text(third);
    const std::size_t space = c.find(' ');
    if (c.size() >= 3 && c.compare(0, 2, "##") == 0 && space != std::string::npos)
        return GetAnyDefaultNamespace(c.substr(0, space).c_str(), second, third);
    return "";
}

// ---------------------------------------------------------------------------
// Property access

void CElementInfo::InvokePropertyGet(CXmlGeneratedClass* obj, TsVariant& value) const
{
    try {
        obj->AccessProperty(m_propertyIndex, true, value);
    } catch (const CTsException& e) {
        throw CTsValidationException(
            FormatString("Failed to get the property value for [%s].", m_elementName.c_str()), std::string(), e);
    }
}


void CElementInfo::InvokePropertySet(CXmlGeneratedClass* obj, TsVariant& value, const CXmlElement& element) const
{
    try {
        obj->AccessProperty(m_propertyIndex, false, value);
    } catch (const CTsException& e) {
        throw CTsValidationException("Failed to set the property value.", element.GetXPath(), e);
    }
}

CSmartPtr<CXmlObjectBase> CElementInfo::ReadObject(const CXmlGeneratedClass* obj) const
{
    TsVariant value;
    ReadProperty(obj, value);
    if (!value.IsValid() || value.IsNil())
        return CSmartPtr<CXmlObjectBase>();
    return value.GetXmlObject();
}

CSmartPtr<CXmlCollectionBase> CElementInfo::ReadCollection(const CXmlGeneratedClass* obj) const
{
    TsVariant value;
    ReadProperty(obj, value);
    CSmartPtr<CXmlCollectionBase> col = value.GetXmlCollection();
    return col;
}

CXmlElement* CElementInfo::FromXml_Int(CXmlObjectBase* child, CXmlElement* element, CXmlElement* first,
                                       const CSerializationContext& ctx, bool isOptional)
{
    return child->FromXml_Int(element, first, ctx, isOptional);
}

void CElementInfo::AttributesToXml_Int(const CXmlObjectBase* child, CXmlWriter* writer,
                                       const CSerializationContext& ctx)
{
    child->AttributesToXml_Int(writer, ctx);
}

// ---------------------------------------------------------------------------
// Writing

bool CElementInfo::ElementToXmlValue(const CXmlGeneratedClass* obj, CXmlWriter* writer, bool isEnum) const
{
    TsVariant value;
    ReadProperty(obj, value);
    if (value.IsNil()) {
        writer->StartElement(m_elementName, m_elementNamespace);
        writer->WriteNil();
        writer->EndElement();
        return true;
    }
    if (!value.IsValid())
        return false;
    // Enumerations are written by name, as strings, and have no facets; a
    // primitive equal to its default is not checked either.
    const auto write = [&](const std::string& text) {
        const bool isDefault = !m_defaultValue.empty() && text == m_defaultValue;
        if (!isEnum && !isDefault && m_restrictions.HasAny())
            CheckRestriction(value);
        writer->WriteValueElement(m_elementName, m_elementNamespace, text,
                                  isEnum ? ItemType_string : value.GetTypeAsEnum(), isDefault);
    };
    if (isEnum)
        write(Text(m_enumToText ? m_enumToText(value.GetI4()) : nullptr));
    else
        value.WithText(m_format, write);
    return true;
}

bool CElementInfo::ElementToXmlPrim(const CSerializationContext&, const CXmlGeneratedClass* obj,
                                    CXmlWriter* writer) const
{
    return ElementToXmlValue(obj, writer, false);
}

bool CElementInfo::ElementToXmlEnum(const CSerializationContext&, const CXmlGeneratedClass* obj,
                                    CXmlWriter* writer) const
{
    return ElementToXmlValue(obj, writer, true);
}

bool CElementInfo::ElementToXmlCls(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                   CXmlWriter* writer, bool inChoice) const
{
    const CSmartPtr<CXmlObjectBase> child = ReadObject(obj);
    if (!child)
        return false;
    child->ToXml_Int(writer, false, m_elementNamespace.c_str(), ctx, inChoice);
    return true;
}

bool CElementInfo::ElementToXmlCol(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                   CXmlWriter* writer, bool validateCount) const
{
    const CSmartPtr<CXmlCollectionBase> col = ReadCollection(obj);
    if (validateCount && !ctx.GetIgnoreInvalidCollectionCounts())
        col->ValidateCount(ctx);
    if (col->GetCount() < 1)
        return false;
    writer->SetCollectionState(kCollectionStarted);
    static_cast<const CXmlObjectBase*>(col.get())->ToXml_Int(writer, false, m_elementNamespace.c_str(), ctx, false);
    writer->SetCollectionState(kCollectionEnded);
    return true;
}

bool CElementInfo::RequireWritten(bool written) const
{
    if (!written)
        throw CTsInvalidParamException(
            FormatString("The Property [%s] is mandatory, it may not be NULL", m_elementName.c_str()));
    return true;
}

void CElementInfo::PseudoChildAttributes(const CSerializationContext& ctx, const CXmlGeneratedClass* obj,
                                         CXmlWriter* writer, XmlElementType childType, bool collection) const
{
    if (childType != XmlElementType_InLine)
        return;
    if (collection) {
        const CSmartPtr<CXmlCollectionBase> col = ReadCollection(obj);
        if (col)
            AttributesToXml_Int(col.get(), writer, ctx);
    } else {
        const CSmartPtr<CXmlObjectBase> child = ReadObject(obj);
        if (child)
            AttributesToXml_Int(child.get(), writer, ctx);
    }
}

// ---------------------------------------------------------------------------
// Reading values

namespace {

// Reads the nil attribute of a value element; every other attribute is
// unexpected unless the context ignores unknown attributes.
bool ReadNil(const CSerializationContext& ctx, const CXmlElement& element, bool nillable)
{
    bool nil = false;
    for (const CXmlAttribute* attribute : element.GetAttributes()) {
        if (!attribute->IsNilAttribute()) {
            if (ctx.GetIgnoreUnknownAttributes())
                continue;
            throw CTsValidationException("Unexpected Attribute found.", attribute->GetXPath());
        }
        const std::string& value = attribute->GetValue();
        if (EqualsNoCase(value, "false") || EqualsNoCase(value, "0")) {
            nil = false;
            continue;
        }
        if (!nillable)
            throw CTsValidationException("Invalid use of 'nil' attribute in non-nillable element.",
                                         element.GetXPath());
        if (!EqualsNoCase(value, "true") && !EqualsNoCase(value, "1"))
            throw CTsValidationException(FormatString("Unexpected Value [%s] for 'nil' Attribute found.", value.c_str()),
                                         attribute->GetXPath());
        nil = true;
    }
    return nil;
}

} // namespace

void CElementInfo::ElementFromXmlPrim(const CSerializationContext& ctx, CXmlGeneratedClass* obj,
                                      CXmlElement** current) const
{
    CXmlElement& element = **current;
    TsVariant value;
    if (ReadNil(ctx, element, m_nillable)) {
        value.SetNil();
    } else {
        const std::string& text = element.GetText();
        value.FromString(text.empty() && !m_defaultValue.empty() ? m_defaultValue : text, m_itemType,
                         m_whitespaceRule);
    }
    InvokePropertySet(obj, value, element);
    *current = element.GetNextSiblingElement();
}

void CElementInfo::ElementFromXmlEnum(const CSerializationContext& ctx, CXmlGeneratedClass* obj,
                                      CXmlElement** current) const
{
    CXmlElement& element = **current;
    TsVariant value;
    if (ReadNil(ctx, element, m_nillable)) {
        value.SetNil();
    } else {
        const std::string& text = element.GetText();
        value.SetI4(m_textToEnum((text.empty() && !m_defaultValue.empty() ? m_defaultValue : text).c_str()));
    }
    InvokePropertySet(obj, value, element);
    *current = element.GetNextSiblingElement();
}

// ---------------------------------------------------------------------------
// Member behaviours

void CElementInfo::ThrowRequired(const CXmlElement* parent) const
{
    throw CTsValidationException(
        FormatString("Failed to find the required child element [%s].", m_elementName.c_str()),
        parent ? parent->GetXPath() : std::string());
}

bool CElementInfo::SeekMandatory(const CSerializationContext& ctx, const CXmlElement* parent,
                                 CXmlElement** current) const
{
    for (;;) {
        if (IsThisElement(ctx, *current))
            return true;
        if (ctx.GetIgnoreMissingMandatoryElements())
            return false;
        if (!ctx.GetIgnoreUnknownElements() || !*current)
            ThrowRequired(parent);
        *current = (*current)->GetNextSiblingElement();
    }
}

bool CElementInfo::ReadValueMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                   CXmlElement** current, XmlElementType parentType, Group group, bool mandatory,
                                   bool isEnum) const
{
    bool match = IsThisElement(ctx, *current);
    if (group == Group_Seq && mandatory && !match) {
        if (parentType != XmlElementType_Element) {
            // In line: unknown siblings are skipped while that is allowed; the
            // member then reports its absence to the owner.
            while (!match && *current && ctx.GetIgnoreUnknownElements()) {
                *current = (*current)->GetNextSiblingElement();
                match = IsThisElement(ctx, *current);
            }
            if (!match)
                return false;
        } else if (!SeekMandatory(ctx, parent, current)) {
            return true;
        }
        match = true;
    }
    if (!match)
        return group == Group_Seq;
    if (isEnum)
        ElementFromXmlEnum(ctx, obj, current);
    else
        ElementFromXmlPrim(ctx, obj, current);
    return true;
}

bool CElementInfo::ReadClsMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                 CXmlElement** current, XmlElementType parentType, Group group, bool mandatory,
                                 XmlElementType childType, ClassIdCreator creator, int classId,
                                 bool mustConsume) const
{
    const bool inLine = childType != XmlElementType_Element;
    if (!mandatory) {
        // The optional child is created only when there is something to read.
        if (inLine ? *current == nullptr : !IsThisElement(ctx, *current))
            return group == Group_Seq;
        CSmartPtr<CXmlObjectBase> child = creator(classId, m_elementName.c_str());
        TsVariant value;
        value.SetXmlObject(child.get());
        CXmlElement& where = inLine ? *parent : **current;
        if (group == Group_Choice)
            InvokePropertySet(obj, value, where);
        if (!inLine) {
            FromXml_Int(child.get(), *current, (*current)->GetFirstElement(), ctx, false);
            *current = (*current)->GetNextSiblingElement();
        } else {
            CXmlElement* next = FromXml_Int(child.get(), parent, *current, ctx, group == Group_Choice);
            if (next == *current) {
                if (group == Group_Choice) {
                    TsVariant none;
                    none.SetXmlObject(nullptr);
                    InvokePropertySet(obj, none, where);
                    return false;
                }
                return group == Group_Seq;
            }
            *current = next;
        }
        if (group != Group_Choice)
            InvokePropertySet(obj, value, where);
        return true;
    }

    // Mandatory: the generated constructor made the child; one made here
    // stands in when the property was left empty.
    CSmartPtr<CXmlObjectBase> child = ReadObject(obj);
    if (!child) {
        child = creator(classId, m_elementName.c_str());
        TsVariant value;
        value.SetXmlObject(child.get());
        InvokePropertySet(obj, value, *parent);
    }
    if (inLine) {
        if (group == Group_Seq && !mustConsume) {
            CXmlElement* next = FromXml_Int(child.get(), parent, *current, ctx, false);
            if (*current && next == *current && ctx.GetIgnoreUnknownElements() &&
                parentType == XmlElementType_Element)
                return false;
            *current = next;
            return true;
        }
        if (group != Group_Seq || parentType != XmlElementType_Element) {
            if (!*current)
                return false;
            CXmlElement* next = FromXml_Int(child.get(), parent, *current, ctx, false);
            if (next == *current)
                return false;
            *current = next;
            return true;
        }
        if (!*current)
            ThrowRequired(parent);
        CXmlElement* next = FromXml_Int(child.get(), parent, *current, ctx, false);
        if (next == *current)
            ThrowRequired(parent);
        *current = next;
        return true;
    }
    if (!IsThisElement(ctx, *current)) {
        if (group != Group_Seq || parentType != XmlElementType_Element)
            return false;
        if (!SeekMandatory(ctx, parent, current))
            return true;
    }
    FromXml_Int(child.get(), *current, (*current)->GetFirstElement(), ctx, false);
    *current = (*current)->GetNextSiblingElement();
    return true;
}

bool CElementInfo::ReadAbsClsMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                    CXmlElement** current, XmlElementType parentType, Group group, bool mandatory,
                                    ElementClassCreator creator) const
{
    const auto noSubstitution = [&]() -> bool {
        if (parentType != XmlElementType_Element)
            return false;
        throw CTsValidationException(
            FormatString("Failed to find a suitable substitution element for [%s].", m_elementName.c_str()),
            parent->GetXPath());
    };
    if (!IsThisElement(ctx, *current)) {
        if (group != Group_Seq)
            return false;
        if (!mandatory)
            return true;
        if (parentType != XmlElementType_Element)
            return false;
        // The search of a mandatory member, reporting a missing substitution.
        for (;;) {
            if (ctx.GetIgnoreMissingMandatoryElements())
                return true;
            if (!ctx.GetIgnoreUnknownElements() || !*current)
                return noSubstitution();
            *current = (*current)->GetNextSiblingElement();
            if (IsThisElement(ctx, *current))
                break;
        }
    }
    CSmartPtr<CXmlObjectBase> child = creator(*current);
    if (!child)
        return noSubstitution();
    FromXml_Int(child.get(), *current, (*current)->GetFirstElement(), ctx, false);
    TsVariant value;
    value.SetXmlObject(child.get());
    InvokePropertySet(obj, value, **current);
    *current = (*current)->GetNextSiblingElement();
    return true;
}

bool CElementInfo::ReadColMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                 CXmlElement** current, XmlElementType parentType, Group group) const
{
    TsVariant value;
    InvokePropertyGet(obj, value);
    const CSmartPtr<CXmlCollectionBase> col = value.GetXmlCollection();
    CXmlElement* next;
    {
        const CXmlDocument::DropBoundRun run(*current);
        next = FromXml_Int(col.get(), parent, *current, ctx, false);
    }
    return FinishColMember(ctx, col.get(), current, next, parentType, group);
}

bool CElementInfo::ReadUntpdMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                   CXmlElement** current, const char* parentNamespace, XmlElementType parentType,
                                   Group group, bool mandatory, const std::string& constraint,
                                   const std::string& targetNamespace) const
{
    const bool nameMatches = *current && (m_elementName == "AnyElement" || (*current)->GetLocalName() == m_elementName);
    if (mandatory) {
        const CSmartPtr<CXmlObjectBase> held = ReadObject(obj);
        CElement* element = dynamic_cast<CElement*>(held.get());
        if (!element)
            throw CTsInvalidStateException(
                FormatString("The property of [%s] holds no untyped element", m_elementName.c_str()));
        if (group == Group_Seq && !*current) {
            if (ctx.GetIgnoreMissingMandatoryElements())
                return true;
            ThrowRequired(parent);
        }
        CXmlElement* next = nameMatches ? FromXml_Int(element, parent, *current, ctx, false) : *current;
        if (next != *current) {
            *current = next;
            return true;
        }
        if (group != Group_Seq || parentType != XmlElementType_Element)
            return false;
        if (ctx.GetIgnoreMissingMandatoryElements())
            return true;
        throw CTsValidationException(
            FormatString("Failed to find the required element from namespace [%s].", m_elementNamespace.c_str()),
            parent->GetXPath());
    }
    if (!nameMatches)
        return group == Group_Seq;
    const std::string ns =
        GetAnyDefaultNamespace(constraint.c_str(), parentNamespace ? parentNamespace : "", targetNamespace.c_str());
    CSmartPtr<CElement> element(
        new CElement(m_elementName.c_str(), ns.c_str(), constraint.c_str(), targetNamespace.c_str()));
    CXmlElement* next = FromXml_Int(element, parent, *current, ctx, false);
    if (next == *current)
        return group == Group_Seq;
    TsVariant value;
    value.SetXmlObject(element);
    InvokePropertySet(obj, value, **current);
    *current = next;
    return true;
}

bool CElementInfo::ReadUntpdColMember(const CSerializationContext& ctx, CXmlGeneratedClass* obj, CXmlElement* parent,
                                      CXmlElement** current, XmlElementType parentType, Group group) const
{
    TsVariant value;
    InvokePropertyGet(obj, value);
    const CSmartPtr<CXmlCollectionBase> held = value.GetXmlCollection();
    CElementCol* col = dynamic_cast<CElementCol*>(held.get());
    if (!col)
        throw CTsInvalidStateException(
            FormatString("The property of [%s] holds no collection of untyped elements", m_elementName.c_str()));
    CXmlElement* next = *current;
    if (m_elementName == "AnyElement")
        next = FromXml_Int(col, parent, *current, ctx, false);
    else if (*current)
        next = col->FromXmlLockElementName_Int(m_elementName, (*current)->GetNamespaceURI(), parent, *current, ctx);
    return FinishColMember(ctx, col, current, next, parentType, group);
}

bool CElementInfo::FinishColMember(const CSerializationContext& ctx, const CXmlCollectionBase* col,
                                   CXmlElement** current, CXmlElement* next, XmlElementType parentType,
                                   Group group) const
{
    switch (group) {
    case Group_Seq:
        *current = next;
        if (parentType != XmlElementType_Element)
            return col->IsValidCount(ctx);
        col->ValidateCount(ctx);
        return true;
    case Group_Choice:
        if (next == *current)
            return false;
        if (parentType == XmlElementType_Element) {
            *current = next;
            col->ValidateCount(ctx);
            return true;
        }
        if (!col->IsValidCount(ctx))
            return false;
        *current = next;
        return true;
    case Group_All:
        *current = next;
        return false;
    }
    return false;
}

bool CElementInfo::ValidateMandatory(bool found, bool parentIsElement) const
{
    if (!found && parentIsElement)
        throw CTsValidationException(
            FormatString("Failed to find the mandatory element [%s].", m_elementName.c_str()), std::string());
    return found;
}

} // namespace TsXmlLib16Data
