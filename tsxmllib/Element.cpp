#include "tsxmllib/Element.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlTextWriter.h"

#include <utility>
#include <vector>

namespace TsXmlLib16 {

namespace {

std::string Text(const char* s) { return s ? s : ""; }

// Elements whose last reference went while another element was being
// destroyed wait here, so that releasing a deep tree never nests destructors
// more than one level. The outermost destructor empties the list.
thread_local std::vector<CSmartPtr<CElement>>* t_pendingRelease = nullptr;

// Whether the caller holds the only reference to obj.
bool IsSoleOwner(CXmlObjectBase* obj)
{
    const long count = obj->AddRef();
    obj->Release();
    return count == 2;
}

} // namespace

CElement::CElement(const char* name) : TS_INSTANCE_MONITOR("CElement") { Init(name, "", "##any", ""); }

CElement::CElement(const char* name, const char* ns) : TS_INSTANCE_MONITOR("CElement")
{
    const std::string n = Text(ns);
    if (n == "##any" || n == "##other" || n == "##local" || n == "##targetNamespace")
        throw CTsInvalidNamespaceException(FormatString("Invalid Namespace [%s].", n.c_str()), std::string());
    // An element without a namespace allows any (the empty constraint would
    // allow none, not even its own).
    Init(name, ns, n.empty() ? "##any" : ns, "");
}

CElement::CElement(const char* name, const char* ns, const char* restriction, const char* target)
    : TS_INSTANCE_MONITOR("CElement")
{
    Init(name, ns, restriction, target);
}

CElement::CElement(CXmlObjectBase* obj, const char* defaultNamespace) : TS_INSTANCE_MONITOR("CElement")
{
    Init("", "", "##any", "");
    m_defaultNamespace = Text(defaultNamespace);
    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(m_defaultNamespace.c_str());
    CBinaryData bytes = obj->ToXmlStream(false, false, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
    CXmlDocument document(ctx);
    document.LoadXmlStream(bytes.GetData(), bytes.GetLength());
    CopyXmlElement(document.GetDocumentElement());
}

CElement::CElement(const CElement& other) : CXmlObjectBase(other), CInstanceMonitor(other)
{
    Init(other.m_name.c_str(), other.m_namespace.c_str(), other.m_restriction.c_str(), other.m_target.c_str());
    CopyFrom(other);
}

CElement& CElement::operator=(const CElement& other)
{
    if (this == &other)
        return *this;
    // Build the copy first: other may be a descendant of this element.
    CElement copy(other);
    CXmlObjectBase::operator=(other);
    m_name = copy.m_name;
    m_text = copy.m_text;
    m_namespace = copy.m_namespace;
    m_restriction = copy.m_restriction;
    m_target = copy.m_target;
    m_defaultNamespace = copy.m_defaultNamespace;
    std::swap(m_attributes, copy.m_attributes);
    std::swap(m_childElements, copy.m_childElements);
    return *this;
}

CElement::~CElement()
{
    std::vector<CSmartPtr<CElement>> pending;
    const bool outermost = t_pendingRelease == nullptr;
    if (outermost)
        t_pendingRelease = &pending;
    // Children only this element holds are handed to the outermost destructor
    // instead of being released from here.
    if (m_childElements && IsSoleOwner(m_childElements)) {
        for (CElement* child : *m_childElements)
            t_pendingRelease->push_back(CSmartPtr<CElement>(child));
        m_childElements->Clear();
    }
    if (!outermost)
        return;
    while (!pending.empty()) {
        CSmartPtr<CElement> next = pending.back();
        pending.pop_back();
        next = nullptr; // may destroy it, which queues its own children
    }
    t_pendingRelease = nullptr;
}

void CElement::Init(const char* name, const char* ns, const char* restriction, const char* target)
{
    if (!name)
        throw CTsInvalidNamespaceException("Element Name must have a value", std::string());
    if (!ns)
        throw CTsInvalidNamespaceException("Element Namespace must have a value", std::string());
    if (!restriction)
        throw CTsInvalidNamespaceException("Namespace Restriction must have a value", std::string());
    if (!target)
        throw CTsInvalidNamespaceException("Target Namespace must have a value", std::string());
    TestNamespace(ns, restriction, target);
    m_name = name;
    m_namespace = ns;
    m_restriction = restriction;
    m_target = target;
    m_collectionNamespace = ns;
    m_attributes = nullptr;
    m_childElements = nullptr;
}

CAttributeCol& CElement::Attributes() const
{
    if (!m_attributes)
        m_attributes = new CAttributeCol(m_collectionNamespace.c_str(), "##any", m_target.c_str());
    return *m_attributes;
}

CElementCol& CElement::Children() const
{
    if (!m_childElements)
        m_childElements = new CElementCol(m_collectionNamespace.c_str(), "##any", m_target.c_str(), 0, -1);
    return *m_childElements;
}

void CElement::SetName(const char* name)
{
    FireOnChangeName();
    m_name = Text(name);
}

void CElement::SetText(const char* text)
{
    FireOnChangeText();
    m_text = Text(text);
}

void CElement::SetNamespace(const char* ns)
{
    FireOnChangeNamespace();
    m_namespace = Text(ns);
}

void CElement::SetNamespaceRestrictions(const char* restriction, const char* target)
{
    std::vector<const CElement*> pending{this};
    while (!pending.empty()) {
        const CElement* element = pending.back();
        pending.pop_back();
        TestNamespace(element->m_namespace.c_str(), restriction, target);
        if (element->HasAttributes())
            for (CAttribute* attribute : *element->m_attributes)
                TestNamespace(attribute->GetNamespace().c_str(), restriction, target);
        if (element->HasChildren())
            for (CElement* child : *element->m_childElements)
                pending.push_back(child);
    }
}

CSmartPtr<CElement> CElement::Clone() const { return CSmartPtr<CElement>(new CElement(*this)); }

void CElement::CopyFrom(const CElement& other)
{
    std::vector<std::pair<CElement*, const CElement*>> pending{{this, &other}};
    while (!pending.empty()) {
        auto [target, source] = pending.back();
        pending.pop_back();
        target->m_text = source->m_text;
        target->m_defaultNamespace = source->m_defaultNamespace;
        if (source->HasAttributes())
            for (CAttribute* attribute : *source->m_attributes)
                target->Attributes().Add(attribute->Clone());
        if (!source->HasChildren())
            continue;
        for (CElement* child : *source->m_childElements) {
            CSmartPtr<CElement> copy(new CElement(child->m_name.c_str(), child->m_namespace.c_str(),
                                                  child->m_restriction.c_str(), child->m_target.c_str()));
            target->Children().Add(copy);
            pending.push_back({copy, child});
        }
    }
}

void CElement::FromXml(const char* xml) { CXmlObjectBase::FromXml(xml, CSerializationContext::GetDefaultContext()); }

void CElement::FromDocumentElement_Int(CXmlElement* root, const CSerializationContext& ctx)
{
    FromXml_Int(nullptr, root, ctx, false);
}

void CElement::CopyBasics(const CXmlElement& element)
{
    // Between child elements, white space is layout (indentation), not data.
    const std::string& text = element.GetText();
    const bool layout = element.GetFirstElement() && text.find_first_not_of(" \t\r\n") == std::string::npos;
    m_text = layout ? std::string() : text;
    m_name = element.GetLocalName();
    m_namespace = element.GetNamespaceURI();
}

CXmlElement* CElement::FromXml_Int(CXmlElement*, CXmlElement* current, const CSerializationContext& ctx, bool)
{
    if (!current ||
        !IsNamespaceValid(current->GetNamespaceURI().c_str(), m_restriction.c_str(), m_target.c_str()))
        return current;
    // Every descendant is read into a child collection that allows any
    // namespace, so it takes all children; the walk keeps its own stack.
    std::vector<std::pair<CElement*, CXmlElement*>> pending{{this, current}};
    while (!pending.empty()) {
        auto [target, source] = pending.back();
        pending.pop_back();
        if (!source->GetAttributes().empty())
            CXmlObjectBase::FromXml_Int(&target->Attributes(), source, nullptr, ctx);
        CXmlElement* child = source->GetFirstElement();
        if (child) {
            CElementCol& children = target->Children();
            for (; child && IsNamespaceValid(child->GetNamespaceURI().c_str(), children.m_itemRestriction.c_str(),
                                             children.m_target.c_str());
                 child = child->GetNextSiblingElement()) {
                CSmartPtr<CElement> element(new CElement(child->GetLocalName().c_str(),
                                                         child->GetNamespaceURI().c_str(),
                                                         children.m_itemRestriction.c_str(),
                                                         children.m_target.c_str()));
                children.AppendItem(element);
                pending.push_back({element, child});
            }
        }
        if (child)
            throw CTsValidationException(
                FormatString("Invalid Element [%s] found.", source->GetLocalName().c_str()), source->GetXPath());
        target->CopyBasics(*source);
    }
    return current->GetNextSiblingElement();
}

void CElement::CopyXmlElement(CXmlElement* element)
{
    std::vector<std::pair<CElement*, CXmlElement*>> pending{{this, element}};
    while (!pending.empty()) {
        auto [target, source] = pending.back();
        pending.pop_back();
        target->CopyBasics(*source);
        for (const CXmlAttribute* attribute : source->GetAttributes()) {
            target->Attributes().Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(),
                                      attribute->GetNamespaceURI().c_str());
            if (attribute->GetLocalName() == "xmlns")
                target->m_defaultNamespace = attribute->GetValue();
        }
        for (CXmlElement* child = source->GetFirstElement(); child; child = child->GetNextSiblingElement()) {
            CSmartPtr<CElement> copy(new CElement(child->GetLocalName().c_str()));
            target->Children().Add(copy);
            pending.push_back({copy, child});
        }
    }
}

void CElement::ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                         bool) const
{
    // As the document element it declares what the context asks for, as
    // bound classes do.
    if (isRoot)
        WriteRootDeclarations(writer, ctx);
    // Start tags are written on the way down, text and end tags on the way
    // up; the walk keeps its own stack so depth costs no call frames.
    struct Frame {
        const CElement* element;
        CNode* next;
    };
    std::vector<Frame> open;
    const auto start = [&](const CElement* element) {
        if (!element->m_defaultNamespace.empty()) {
            element->WriteWithDefaultNamespace(writer, ctx);
            return;
        }
        writer->StartElement(element->m_name, element->m_namespace);
        if (element->HasAttributes())
            CXmlObjectBase::ToXml_Int(element->m_attributes, writer, false, ns, ctx, false);
        CNode* first = nullptr;
        if (element->m_childElements) {
            element->m_childElements->ValidateCount(ctx);
            first = element->m_childElements->GetHead();
        }
        open.push_back({element, first});
    };
    start(this);
    while (!open.empty()) {
        Frame& frame = open.back();
        if (frame.next) {
            const CElement* child = static_cast<const CElement*>(frame.next->item.get());
            frame.next = frame.next->next;
            start(child);
            continue;
        }
        // Empty text after child elements says nothing; left out, it does not
        // become an empty text member in JSON.
        if (!frame.element->m_text.empty() || !frame.element->HasChildren())
            writer->WriteText(frame.element->m_text, ItemType_string, false);
        writer->EndElement();
        open.pop_back();
    }
}

void CElement::WriteWithDefaultNamespace(CXmlWriter* writer, const CSerializationContext& ctx) const
{
    CXmlTextWriter* outer = dynamic_cast<CXmlTextWriter*>(writer);
    if (!outer)
        throw CTsException("An element with a default namespace can only be written as XML text");
    CTextStream stream;
    CXmlTextWriter inner(&stream);
    inner.SetPrettyPrint(outer->GetPrettyPrint());
    inner.SetEOLType(outer->GetEOLType());
    inner.SetIndentChars(outer->GetIndentChars().c_str());
    inner.SetWriteDefaultElementValues(outer->GetWriteDefaultElementValues());
    inner.SetDefaultNamespace(m_defaultNamespace);
    CSerializationContext childCtx(ctx);
    childCtx.SetDefaultNamespaceURI(m_defaultNamespace.c_str());
    inner.Open();
    inner.StartElement(m_name, m_namespace);
    if (HasChildren())
        for (CElement* child : *m_childElements)
            CXmlObjectBase::ToXml_Int(child, &inner, false, m_namespace.c_str(), childCtx, false);
    inner.WriteText(m_text, ItemType_string, false);
    inner.EndElement();
    inner.Close();
    outer->CloseOpenStartTag();
    outer->WriteRawXml(stream.GetText());
}

} // namespace TsXmlLib16
