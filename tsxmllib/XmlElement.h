// One element of the document tree: name, namespace, attributes, the text that
// stands directly inside it, and its children as a singly linked chain.
#ifndef TSXMLLIB_XMLELEMENT_H
#define TSXMLLIB_XMLELEMENT_H

#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <cstddef>
#include <string>
#include <vector>

namespace TsXmlLib16 {

class CSerializationContext;
class CXmlAttribute;
class CXmlDocument;

class TSXMLLIB_EXPORT CXmlElement : private CInstanceMonitor {
public:
    CXmlElement(const CXmlElement&) = delete;
    CXmlElement& operator=(const CXmlElement&) = delete;

    const CXmlDocument* GetDocument() const { return m_document; }
    const CXmlElement* GetParentElm() const { return m_parent; }
    // The tree is read-only for its users; the navigation hands out plain
    // pointers so that readers can walk it from const elements too. In a
    // document that is read while it is walked (see CXmlDocument), a child,
    // sibling or text not parsed yet is read on demand: null means there is
    // none in the document.
    CXmlElement* GetFirstElement() const
    {
        if (!m_firstChild && m_open)
            AwaitFirstChild();
        return m_firstChild;
    }
    CXmlElement* GetNextSiblingElement() const
    {
        if (!m_nextSibling && m_parent && m_parent->m_open)
            AwaitNextSibling();
        return m_nextSibling;
    }
    const std::string& GetLocalName() const { return *m_localName; }
    const std::string& GetNamespaceURI() const { return *m_namespaceUri; }
    // All character data directly inside the element, in document order, without carriage returns.
    const std::string& GetText() const
    {
        if (m_open)
            AwaitEnd();
        return m_text;
    }
    const std::vector<CXmlAttribute*>& GetAttributes() const { return m_attributes; }
    // The value of the first attribute with exactly this name and namespace, or
    // an empty string that lives as long as the program.
    const std::string& GetAttribute(const std::string& localName, const std::string& namespaceUri) const;
    // The location of the element, for example /order/line[2]/item.
    std::string GetXPath() const;

protected:
    CXmlElement(const CXmlDocument* document, const CXmlElement* parent);
    // Deletes the attributes and the whole subtree, without recursion.
    virtual ~CXmlElement();

    // Appends a new, empty child at the end of the child chain.
    CXmlElement* CreateNewChildElement();
    CXmlAttribute* AddAttribute(std::string localName, std::string value, std::string namespaceUri);
    void AppendText(const char* text);
    void AppendText(const char* text, int length);
    // Detaches the last child and hands it to the caller, or returns null when there is none.
    CXmlElement* RemoveLastChildElement();

private:
    friend class CXmlDocument;

    // Read on, while the document can, until what the navigation asks for is there.
    void AwaitFirstChild() const;
    void AwaitNextSibling() const;
    void AwaitEnd() const;
    // Deletes the children, attributes and text, keeping the element itself
    // (its name and place in the tree still give the paths of its siblings).
    void ReleaseContent();
    void AppendBytes(const char* text, std::size_t length);
    // AddAttribute with names the document has interned already.
    CXmlAttribute* AddAttributeInterned(const std::string* localName, std::string value,
                                        const std::string* namespaceUri);
    std::string GetQName() const;
    // The qualified name of an element of document with these names.
    static std::string QualifiedName(const CXmlDocument* document, const std::string& namespaceUri,
                                     const std::string& localName);
    std::string GetNameWithPredicate() const;
    // Deletes a chain of siblings with all their descendants, iteratively.
    static void DeleteChain(CXmlElement* first);
    // Elements live in their document's element pool: these replace new and delete.
    static CXmlElement* Create(const CXmlDocument* document, const CXmlElement* parent);
    static void Destroy(CXmlElement* element);

    const CXmlDocument* m_document;
    const CXmlElement* m_parent;
    CXmlElement* m_nextSibling = nullptr;
    CXmlElement* m_firstChild = nullptr;
    CXmlElement* m_lastChild = nullptr;
    // The child before the last one while it is known (null otherwise), so that
    // the element filter can drop a just-completed child without walking the chain.
    CXmlElement* m_beforeLastChild = nullptr;
    std::vector<CXmlAttribute*> m_attributes;
    std::string m_text;
    // Names are held once by the document (see CXmlDocument::InternName).
    const std::string* m_localName;
    const std::string* m_namespaceUri;
    // Until the parser has seen the end tag.
    bool m_open = true;
    // The binder has read the element and released its content.
    bool m_released = false;
    // Siblings that followed this element were dropped from the tree; their
    // names are kept by the document (CXmlDocument::DropReleasedAfter).
    bool m_hasDroppedAfter = false;
};

// Whether an element has the name (and, unless namespaces are ignored, the
// namespace) that a reader looks for; with SchemaType_NoNamespaces only the local
// name counts. Comparisons are exact.
TSXMLLIB_EXPORT bool ElementNameMatches(const CSerializationContext& ctx, const CXmlElement* element,
                                        const char* name, const char* ns);

} // namespace TsXmlLib16

#endif
