#include "tsxmllib/XmlGeneratedClass.h"

#include "tsxmllib/AttributeCol.h"
#include "tsxmllib/ElementInfoChoice.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlCollectionBase.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlWriter.h"

#include <memory>
#include <optional>
#include <strings.h>
#include <typeinfo>
#include <vector>

namespace TsXmlLib16 {

using namespace TsXmlLib16Data;

CTSCriticalSection CXmlGeneratedClass::m_csInit;

namespace {

bool EqualsNoCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

[[noreturn]] void ThrowLeftover(const CXmlElement* parent, const CXmlElement* current)
{
    throw CTsValidationException(FormatString("Failed read all the elements held within the element [%s]. The "
                                              "unexpected element [%s] remains un processed",
                                              parent->GetLocalName().c_str(), current->GetLocalName().c_str()),
                                 parent->GetXPath());
}

// The object as nillable, or null. Most classes are not, and the cast that
// finds that out searches their whole hierarchy, so each thread remembers the
// last class found not to be nillable.
INillable* AsNillable(CXmlGeneratedClass* obj)
{
    thread_local const std::type_info* notNillable = nullptr;
    const std::type_info* type = &typeid(*obj);
    if (type == notNillable)
        return nullptr;
    INillable* nillable = dynamic_cast<INillable*>(obj);
    if (!nillable)
        notNillable = type;
    return nillable;
}

} // namespace

CXmlGeneratedClass::CXmlGeneratedClass() = default;
CXmlGeneratedClass::CXmlGeneratedClass(const CXmlGeneratedClass& other) = default;
CXmlGeneratedClass& CXmlGeneratedClass::operator=(const CXmlGeneratedClass& other)
{
    CXmlObjectBase::operator=(other);
    return *this;
}
CXmlGeneratedClass::~CXmlGeneratedClass() = default;

void CXmlGeneratedClass::ReadProperty(int propertyIndex, TsVariant& value) const
{
    const_cast<CXmlGeneratedClass*>(this)->AccessProperty(propertyIndex, true, value);
}

// ---- reading ----

CXmlElement* CXmlGeneratedClass::FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                                             bool isOptional)
{
    try {
        Init();
        const CParentElementInfo* info = GetClassInfo();
        const bool ownElement = info->GetElementType() == XmlElementType_Element;
        if (ownElement)
            SetElementName(element->GetLocalName().c_str());
        // A group read among its parent's children may hand them back for
        // another branch to read: what it reads is kept until then.
        std::optional<CXmlDocument::KeepContent> keep;
        if (!ownElement)
            keep.emplace(element->GetDocument());
        ProcessAttributesFromXml(ctx, element, info->GetFromXmlFailIfAttributeUnknown());
        INillable* nillable = AsNillable(this);
        if (nillable && nillable->IsNil())
            return first;
        CXmlElement* current = first;
        switch (info->GetElementGroupType()) {
        case XmlElementGroupType_Sequence:
            current = ProcessElementSeqFromXml(ctx, element, first, info->GetElementType());
            break;
        case XmlElementGroupType_Choice:
            current = ProcessElementChoiceFromXml(ctx, element, first, info->GetElementType(), isOptional);
            break;
        case XmlElementGroupType_All:
            current = ProcessElementAllFromXml(ctx, element, first, info->GetElementType());
            break;
        default:
            throw CTsException("Unknown Group Type");
        }
        if (info->GetPrimitiveValuePropertyIndex() != -1 && info->GetPrimitiveDataType() != ItemType_Invalid) {
            TsVariant value;
            if (info->GetOutputPrimitiveClassAsTextProperty())
                value.SetString(element->GetText());
            else
                value.FromString(element->GetText(), info->GetPrimitiveDataType(), CWhitespaceUtils::WhitespaceRule_None);
            AccessProperty(info->GetPrimitiveValuePropertyIndex(), false, value);
        }
        // Once every child is read, nothing reads the element's content again.
        if (ownElement && !current)
            CXmlDocument::ReleaseBoundContent(element);
        return current;
    } catch (const CTsException& e) {
        // The innermost object stamps the path of its element; the enclosing
        // objects pass the stamped exception on.
        if (e.GetPath().empty())
            throw CTsValidationException("Failed to process the element.", element->GetXPath(), e);
        throw CTsException(e);
    }
}

void CXmlGeneratedClass::ProcessAttributesFromXml(const CSerializationContext& ctx, CXmlElement* element,
                                                  bool failIfUnknown)
{
    CAttributeInfo** descriptors = GetClassAttributeInfo();
    std::size_t count = 0;
    while (descriptors && descriptors[count])
        ++count;
    // Which descriptors took an attribute; classes have few attributes, so
    // the flags are on the stack unless there are many.
    constexpr std::size_t kInlineFlags = 32;
    bool inlineFound[kInlineFlags] = {};
    std::unique_ptr<bool[]> heapFound;
    if (count > kInlineFlags)
        heapFound.reset(new bool[count]());
    bool* const found = heapFound ? heapFound.get() : inlineFound;
    for (CXmlAttribute* attribute : element->GetAttributes()) {
        if (attribute->IsNamespaceAttribute())
            continue;
        if (attribute->IsNilAttribute()) {
            INillable* nillable = dynamic_cast<INillable*>(this);
            if (!nillable)
                throw CTsValidationException("Invalid use of 'nil' attribute in non-nillable element.",
                                             element->GetXPath());
            const std::string& value = attribute->GetValue();
            bool nil;
            if (EqualsNoCase(value, "true") || EqualsNoCase(value, "1"))
                nil = true;
            else if (EqualsNoCase(value, "false") || EqualsNoCase(value, "0"))
                nil = false;
            else
                throw CTsValidationException(
                    FormatString("Unexpected Value [%s] for 'nil' Attribute found.", value.c_str()),
                    attribute->GetXPath());
            nillable->SetNil(nil);
            continue;
        }
        bool taken = false;
        for (std::size_t i = 0; i < count && !taken; ++i) {
            if (descriptors[i]->AttributeFromXml(ctx, this, attribute)) {
                found[i] = true;
                taken = true;
            }
        }
        if (!taken && failIfUnknown && !ctx.GetIgnoreUnknownAttributes())
            throw CTsValidationException("Unexpected Attribute found.", attribute->GetXPath());
    }
    for (std::size_t i = 0; i < count; ++i)
        descriptors[i]->Validate(ctx, found[i]);
}

CXmlElement* CXmlGeneratedClass::ProcessElementSeqFromXml(const CSerializationContext& ctx, CXmlElement* parent,
                                                          CXmlElement* first, XmlElementType elementType)
{
    CElementInfo** descriptors = GetClassElementInfo();
    const int n = GetClassElementInfoCount();
    const std::string ns = GetNamespace();
    CXmlElement* current = first;
    int start = 0;
    for (;;) {
        for (int i = start; i < n;) {
            if (descriptors[i]->ElementFromXml(ctx, this, parent, &current, ns.c_str(), elementType)) {
                start = i;
                ++i;
            } else if (ctx.GetIgnoreUnknownElements() && current) {
                current = current->GetNextSiblingElement();
            } else {
                return first;
            }
        }
        if (elementType != XmlElementType_Element || !current)
            return current;
        if (!ctx.GetIgnoreUnknownElements())
            ThrowLeftover(parent, current);
        current = current->GetNextSiblingElement();
        if (!current)
            return nullptr;
    }
}

CXmlElement* CXmlGeneratedClass::ProcessElementChoiceFromXml(const CSerializationContext& ctx, CXmlElement* parent,
                                                             CXmlElement* first, XmlElementType elementType,
                                                             bool isOptional)
{
    CElementInfo** descriptors = GetClassElementInfo();
    const int n = GetClassElementInfoCount();
    const std::string ns = GetNamespace();
    CXmlElement* current = first;
    CXmlElement* const saved = first;
    bool found = false;
    for (;;) {
        for (int i = 0; i < n && !found; ++i)
            found = descriptors[i]->ElementFromXml(ctx, this, parent, &current, ns.c_str(), elementType);
        if (found || !current || !ctx.GetIgnoreUnknownElements() || elementType != XmlElementType_Element)
            break;
        // Skip the unknown element; the branches are asked again only while
        // elements remain.
        current = current->GetNextSiblingElement();
        if (!current)
            break;
    }
    found = found || isOptional;
    if (!found) {
        if (elementType == XmlElementType_InLine && ctx.GetIgnoreUnknownElements())
            current = saved;
        if (elementType == XmlElementType_Element && !DoesElementContainOptionalElements() &&
            !ctx.GetIgnoreMissingChoice())
            throw CTsValidationException(
                FormatString("No child elements within the element [%s] were populated. The element represents a "
                             "choice, so one and only one element should be populated. The element contained no "
                             "sutable child elements",
                             parent->GetLocalName().c_str()),
                parent->GetXPath());
    }
    if (elementType == XmlElementType_Element && current && !ctx.GetIgnoreUnknownElements())
        ThrowLeftover(parent, current);
    return current;
}

CXmlElement* CXmlGeneratedClass::ProcessElementAllFromXml(const CSerializationContext& ctx, CXmlElement* parent,
                                                          CXmlElement* first, XmlElementType elementType)
{
    CElementInfo** descriptors = GetClassElementInfo();
    const int n = GetClassElementInfoCount();
    const std::string ns = GetNamespace();
    std::vector<bool> found(static_cast<std::size_t>(n), false);
    CXmlElement* current = first;
    CXmlElement* const saved = first;
    bool moved = true;
    while (current && moved) {
        CXmlElement* const before = current;
        for (int i = 0; i < n; ++i)
            if (!found[i])
                found[i] = descriptors[i]->ElementFromXml(ctx, this, parent, &current, ns.c_str(), elementType);
        moved = current != before;
    }
    for (int i = 0; i < n; ++i)
        if (!descriptors[i]->Validate(ctx, this, found[i], elementType == XmlElementType_Element))
            return saved;
    if (elementType == XmlElementType_Element && current && !ctx.GetIgnoreUnknownElements())
        ThrowLeftover(parent, current);
    return current;
}

bool CXmlGeneratedClass::IsElementInList(const CSerializationContext& ctx, CXmlElement* element) const
{
    for (CElementInfo** d = GetClassElementInfo(); d && *d; ++d)
        if ((*d)->IsThisElement(ctx, element))
            return true;
    return false;
}

bool CXmlGeneratedClass::DoesElementContainOptionalElements() const
{
    for (CElementInfo** d = GetClassElementInfo(); d && *d; ++d) {
        // The plain choice collection is not one of the kinds that make a
        // choice optional; only its named subclasses are.
        if (dynamic_cast<const CElementInfoChoiceCol*>(*d) && typeid(**d) != typeid(CElementInfoChoiceCol)) {
            TsVariant value;
            ReadProperty((*d)->GetPropertyIndex(), value);
            CSmartPtr<CXmlCollectionBase> col = value.GetXmlCollection();
            if (col && col->GetMinOccurs() == 0)
                return true;
        } else if (dynamic_cast<const CElementInfoChoicePrimOpt*>(*d) || dynamic_cast<const CElementInfoChoiceClsOpt*>(*d) ||
                   dynamic_cast<const CElementInfoChoiceAbsClsOpt*>(*d) ||
                   dynamic_cast<const CElementInfoChoiceEnumOpt*>(*d) ||
                   dynamic_cast<const CElementInfoChoiceUntpdOpt*>(*d)) {
            return true;
        }
    }
    return false;
}

int CXmlGeneratedClass::GetClassElementInfoCount() const
{
    int n = 0;
    for (CElementInfo** d = GetClassElementInfo(); d && d[n]; ++n) {
    }
    return n;
}

void CXmlGeneratedClass::CleanMetaData(CParentElementInfo*& classInfo, CElementInfo**& elements,
                                       CAttributeInfo**& attributes)
{
    delete classInfo;
    classInfo = nullptr;
    if (elements) {
        for (CElementInfo** d = elements; *d; ++d) {
            delete *d;
            *d = nullptr;
        }
        delete[] elements;
        elements = nullptr;
    }
    if (attributes) {
        for (CAttributeInfo** a = attributes; *a; ++a) {
            delete *a;
            *a = nullptr;
        }
        delete[] attributes;
        attributes = nullptr;
    }
}

// ---- writing ----

void CXmlGeneratedClass::ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                                   bool inChoice) const
{
    const CParentElementInfo* info = GetClassInfo();
    const bool ownTag = info->GetElementType() == XmlElementType_Element;
    if (ownTag) {
        if (isRoot)
            WriteRootDeclarations(writer, ctx);
        writer->StartElement(GetElementName(), writer->NamespaceText(ns));
        if (isRoot) {
            // The collection is only looked up here: a context that never had
            // additional attributes has nothing to write.
            const CSmartPtr<CAttributeCol> extra = ctx.FindAdditionalRootAttributes();
            if (extra)
                CXmlObjectBase::ToXml_Int(extra.get(), writer, false, ns, ctx, inChoice);
        }
        AttributesToXml_Int(writer, ctx);
        if (isRoot && !ctx.GetInLineSchema().empty())
            writer->WriteInlineSchema(ctx.GetInLineSchema());
    }
    INillable* nillable = AsNillable(const_cast<CXmlGeneratedClass*>(this));
    if (nillable && nillable->IsNil()) {
        writer->WriteNil();
    } else {
        switch (info->GetElementGroupType()) {
        case XmlElementGroupType_Sequence:
            ProcessElementSeqToXml(ctx, GetClassElementInfo(), writer);
            break;
        case XmlElementGroupType_Choice:
            ProcessElementChoiceToXml(ctx, GetClassElementInfo(), writer, inChoice);
            break;
        case XmlElementGroupType_All:
            ProcessElementAllToXml(ctx, GetClassElementInfo(), writer);
            break;
        default:
            throw CTsException("Unknown XML Group Type");
        }
        if (info->GetPrimitiveValuePropertyIndex() != -1 && info->GetPrimitiveDataType() != ItemType_Invalid) {
            TsVariant value;
            ReadProperty(info->GetPrimitiveValuePropertyIndex(), value);
            if (!value.IsNil())
                writer->WriteText(value.ToString(info->GetPrimitiveFormatOverride().c_str()), value.GetTypeAsEnum(),
                                  false);
            else
                writer->WriteNil();
        }
    }
    if (ownTag)
        writer->EndElement();
}

void CXmlGeneratedClass::AttributesToXml_Int(CXmlWriter* writer, const CSerializationContext& ctx) const
{
    const CParentElementInfo* info = GetClassInfo();
    if (ctx.GetWriteTypeAttribute() && info->GetHasBaseClasses() && GetElementName() != info->GetElementName())
        writer->WriteXsiType(info->GetElementNamespace(), info->GetElementName(), ItemType_string);
    ProcessAttributesToXml(ctx, GetClassElementInfo(), GetClassAttributeInfo(), writer);
}

void CXmlGeneratedClass::ProcessAttributesToXml(const CSerializationContext& ctx, CElementInfo** elements,
                                                CAttributeInfo** attributes, CXmlWriter* writer) const
{
    for (CAttributeInfo** a = attributes; a && *a; ++a)
        (*a)->AttributeToXml(ctx, this, writer);
    for (CElementInfo** e = elements; e && *e; ++e)
        (*e)->PseudoChildAttributeToXml(ctx, this, writer);
}

void CXmlGeneratedClass::ProcessElementSeqToXml(const CSerializationContext& ctx, CElementInfo** elements,
                                                CXmlWriter* writer) const
{
    for (CElementInfo** e = elements; e && *e; ++e)
        (*e)->ElementToXml(ctx, this, writer);
}

void CXmlGeneratedClass::ProcessElementAllToXml(const CSerializationContext& ctx, CElementInfo** elements,
                                                CXmlWriter* writer) const
{
    ProcessElementSeqToXml(ctx, elements, writer);
}

void CXmlGeneratedClass::ProcessElementChoiceToXml(const CSerializationContext& ctx, CElementInfo** elements,
                                                   CXmlWriter* writer, bool inChoice) const
{
    for (CElementInfo** e = elements; e && *e; ++e)
        if ((*e)->ElementToXml(ctx, this, writer))
            return;
    if (!DoesElementContainOptionalElements() && !inChoice && !ctx.GetIgnoreMissingChoice())
        throw CTsValidationException("This element is a choice, and as such must have at one (and only one) valid "
                                     "item, currently there are none set",
                                     std::string());
}

} // namespace TsXmlLib16
