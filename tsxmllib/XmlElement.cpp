#include "tsxmllib/XmlElement.h"

#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace TsXmlLib16 {

namespace {
const std::string& EmptyName()
{
    static const std::string empty;
    return empty;
}
} // namespace

CXmlElement::CXmlElement(const CXmlDocument* document, const CXmlElement* parent)
    : TS_INSTANCE_MONITOR("CXmlElement"),
      m_document(document),
      m_parent(parent),
      m_localName(&EmptyName()),
      m_namespaceUri(&EmptyName())
{
}

CXmlElement* CXmlElement::Create(const CXmlDocument* document, const CXmlElement* parent)
{
    return new (document->m_elementPool.Allocate()) CXmlElement(document, parent);
}

void CXmlElement::Destroy(CXmlElement* element)
{
    if (!element)
        return;
    const CXmlDocument* document = element->m_document;
    element->~CXmlElement();
    document->m_elementPool.Free(element);
}

CXmlElement::~CXmlElement()
{
    for (CXmlAttribute* attribute : m_attributes)
        CXmlAttribute::Destroy(attribute);
    DeleteChain(m_firstChild);
    if (m_hasDroppedAfter)
        m_document->m_droppedAfter.erase(this);
}

void CXmlElement::DeleteChain(CXmlElement* first)
{
    // The children of each element are spliced in front of the elements still to
    // be deleted, so the walk needs neither recursion nor a stack of its own,
    // however deep or wide the tree is.
    CXmlElement* pending = first;
    while (pending) {
        CXmlElement* element = pending;
        if (element->m_firstChild) {
            element->m_lastChild->m_nextSibling = element->m_nextSibling;
            pending = element->m_firstChild;
        } else {
            pending = element->m_nextSibling;
        }
        element->m_firstChild = element->m_lastChild = element->m_beforeLastChild = nullptr;
        Destroy(element);
    }
}

void CXmlElement::AwaitFirstChild() const
{
    while (!m_firstChild && m_open && m_document->ReadFurther()) {
    }
}

void CXmlElement::AwaitNextSibling() const
{
    while (!m_nextSibling && m_parent->m_open && m_document->ReadFurther()) {
    }
}

void CXmlElement::AwaitEnd() const
{
    while (m_open && m_document->ReadFurther()) {
    }
}

void CXmlElement::ReleaseContent()
{
    DeleteChain(m_firstChild);
    m_firstChild = m_lastChild = m_beforeLastChild = nullptr;
    for (CXmlAttribute* attribute : m_attributes)
        CXmlAttribute::Destroy(attribute);
    std::vector<CXmlAttribute*>().swap(m_attributes);
    std::string().swap(m_text);
}

CXmlElement* CXmlElement::CreateNewChildElement()
{
    CXmlElement* child = Create(m_document, this);
    if (m_lastChild) {
        m_lastChild->m_nextSibling = child;
        m_beforeLastChild = m_lastChild;
    } else {
        m_firstChild = child;
    }
    m_lastChild = child;
    return child;
}

CXmlElement* CXmlElement::RemoveLastChildElement()
{
    CXmlElement* removed = m_lastChild;
    if (!removed)
        return nullptr;
    if (m_firstChild == removed) {
        m_firstChild = m_lastChild = m_beforeLastChild = nullptr;
        return removed;
    }
    CXmlElement* before = m_beforeLastChild;
    if (!before) {
        before = m_firstChild;
        while (before->m_nextSibling != removed)
            before = before->m_nextSibling;
    }
    before->m_nextSibling = nullptr;
    m_lastChild = before;
    // The element before the new last one is unknown until the next append.
    m_beforeLastChild = nullptr;
    return removed;
}

CXmlAttribute* CXmlElement::AddAttribute(std::string localName, std::string value, std::string namespaceUri)
{
    return AddAttributeInterned(m_document->InternName(localName.c_str()), std::move(value),
                                m_document->InternName(namespaceUri.c_str()));
}

CXmlAttribute* CXmlElement::AddAttributeInterned(const std::string* localName, std::string value,
                                                 const std::string* namespaceUri)
{
    // Room first, so that a failing append leaves no attribute behind.
    if (m_attributes.size() == m_attributes.capacity())
        m_attributes.reserve(m_attributes.empty() ? 2 : 2 * m_attributes.size());
    CXmlAttribute* attribute = CXmlAttribute::Create(this, localName, std::move(value), namespaceUri);
    m_attributes.push_back(attribute);
    return attribute;
}

void CXmlElement::AppendBytes(const char* text, std::size_t length)
{
    // Character data arrives in many small pieces; the string grows
    // geometrically by itself.
    if (length != 0)
        m_text.append(text, length);
}

void CXmlElement::AppendText(const char* text)
{
    if (text)
        AppendBytes(text, std::strlen(text));
}

void CXmlElement::AppendText(const char* text, int length)
{
    if (text && length > 0)
        AppendBytes(text, static_cast<std::size_t>(length));
}

const std::string& CXmlElement::GetAttribute(const std::string& localName, const std::string& namespaceUri) const
{
    static const std::string kNone;
    for (const CXmlAttribute* attribute : m_attributes)
        if (attribute->GetLocalName() == localName && attribute->GetNamespaceURI() == namespaceUri)
            return attribute->GetValue();
    return kNone;
}

std::string CXmlElement::QualifiedName(const CXmlDocument* document, const std::string& namespaceUri,
                                       const std::string& localName)
{
    if (document && !namespaceUri.empty()) {
        const std::string prefix = document->LookupAliasFromNamespace(namespaceUri.c_str());
        if (!prefix.empty())
            return prefix + ":" + localName;
    }
    return localName;
}

std::string CXmlElement::GetQName() const { return QualifiedName(m_document, *m_namespaceUri, *m_localName); }

std::string CXmlElement::GetNameWithPredicate() const
{
    std::string qname = GetQName();
    if (!m_parent)
        return qname;
    // Equal qualified names need equal local names; the prefix lookup is
    // needed only when the namespaces differ.
    const auto sameName = [&](const std::string& localName, const std::string& namespaceUri) {
        return localName == *m_localName &&
               (namespaceUri == *m_namespaceUri || QualifiedName(m_document, namespaceUri, localName) == qname);
    };
    unsigned long same = 0;
    unsigned long position = 0;
    for (const CXmlElement* sibling = m_parent->m_firstChild; sibling; sibling = sibling->m_nextSibling) {
        if (sibling == this || sameName(*sibling->m_localName, *sibling->m_namespaceUri)) {
            ++same;
            if (sibling == this)
                position = same;
        }
        // The siblings dropped after this one still count.
        if (sibling->m_hasDroppedAfter) {
            for (const CXmlDocument::DroppedNames& run : m_document->m_droppedAfter.at(sibling)) {
                if (sameName(*run.localName, *run.namespaceUri))
                    same += run.count;
            }
        }
    }
    if (same >= 2)
        qname += "[" + std::to_string(position) + "]";
    return qname;
}

std::string CXmlElement::GetXPath() const
{
    // Built from the root down without recursion, so that very deep documents
    // still get their paths.
    std::vector<const CXmlElement*> chain;
    for (const CXmlElement* element = this; element; element = element->m_parent)
        chain.push_back(element);
    // A predicate depends on the siblings that follow too: a document read
    // while it is walked is read to its end first (paths are made for errors).
    chain.back()->AwaitEnd();
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        path += '/';
        path += (*it)->GetNameWithPredicate();
    }
    return path;
}

bool ElementNameMatches(const CSerializationContext& ctx, const CXmlElement* element, const char* name,
                        const char* ns)
{
    if (!element || element->GetLocalName() != (name ? name : ""))
        return false;
    if (ctx.GetSchemaType() == SchemaType_NoNamespaces || ctx.GetIgnoreNamespaces())
        return true;
    return element->GetNamespaceURI() == (ns ? ns : "");
}

} // namespace TsXmlLib16
