// The output interface of every writer (XML text, JSON, Fast Infoset). The
// document is described as a sequence of calls: start element, attributes,
// text, end element. The base class keeps the namespace bookkeeping: one
// context per open element with the prefixes in scope, shared with the
// enclosing element until the element declares something of its own.
#ifndef TSXMLLIB_XMLWRITER_H
#define TSXMLLIB_XMLWRITER_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <cstdint>
#include <map>
#include "tsxmllib/Namespaces.h"

#include <cstring>
#include <string>
#include <vector>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CXmlWriter : private CInstanceMonitor {
public:
    // Namespace URI -> prefix, in ascending URI order.
    using NamespaceMap = std::map<std::string, std::string>;

    // The state of one open element. A context owns the context of its
    // enclosing element, so deleting the innermost one deletes the chain.
    class TSXMLLIB_EXPORT CXmlWriterContext : private CInstanceMonitor {
    public:
        // The document element's context: it starts with a map of its own.
        CXmlWriterContext(std::uint32_t depth, const std::string& localName, const std::string& namespaceUri,
                          const std::string& defaultNamespace, const NamespaceMap& namespaces);
        // A child of parent (which it then owns), sharing its namespace scope.
        CXmlWriterContext(CXmlWriterContext* parent, const std::string& localName, const std::string& namespaceUri);
        ~CXmlWriterContext() override;

        CXmlWriterContext(const CXmlWriterContext&) = delete;
        CXmlWriterContext& operator=(const CXmlWriterContext&) = delete;

        std::uint32_t GetChildCount() const { return m_childCount; }
        void IncrementChildCount() { ++m_childCount; }
        bool IsStartTagOpen() const { return m_startTagOpen != 0; }
        void SetStartTagOpen(bool open) { m_startTagOpen = open ? 1 : 0; }
        std::uint32_t GetDepth() const { return m_depth; }
        void SetDepth(std::uint32_t depth) { m_depth = depth; }
        const std::string& GetNamespaceUri() const { return m_namespaceUri; }
        const std::string& GetLocalName() const { return m_localName; }
        CXmlWriterContext* GetParent() const { return m_pParent; }
        // Gives up ownership of the enclosing context and returns it.
        CXmlWriterContext* DetachParent();
        std::uint32_t GetCollectionState() const { return m_collectionState; }
        void SetCollectionState(std::uint32_t state) { m_collectionState = state; }

        // The default namespace and the map in effect for this element.
        const std::string& GetDefaultNamespace() const { return *m_pDefaultNamespace; }
        const NamespaceMap& GetNamespaceMap() const { return *m_pNamespaceMap; }
        bool InheritsNamespaces() const { return m_inherits; }

        // The prefix stored for uri in the effective map; an entry with an
        // empty prefix is created when there is none.
        std::string GetNamespaceMapValue(const std::string& uri);
        // Whether the effective map holds a non-empty prefix for uri.
        bool HasPrefix(const std::string& uri) const;
        // The non-empty prefix the effective map holds for uri, or null.
        const std::string* FindPrefix(const std::string& uri) const;
        // Declares uri with prefix for this element and its children.
        void AddNamespace(const std::string& prefix, const std::string& uri);
        void SetDefaultNamespace(const std::string& uri);
        // The first of AA, AB, ... AZ, BA, ... not yet used as a prefix in the
        // effective map.
        std::string GeneratePrefix() const;

    private:
        friend class CXmlWriter;
        // Gives this element a map (and default namespace) of its own.
        void StopInheriting();
        // Makes a finished context (without parent) the fresh context of a
        // child of parent, as the child constructor would, keeping the
        // storage of its strings.
        void ReuseAsChild(CXmlWriterContext* parent, const std::string& localName, const std::string& namespaceUri);

        std::uint32_t m_childCount = 0;
        std::int32_t m_startTagOpen = 0;
        std::uint32_t m_depth;
        std::string m_namespaceUri;
        std::string m_localName;
        CXmlWriterContext* m_pParent;
        std::uint32_t m_collectionState = 0;
        std::string m_defaultNamespace;
        NamespaceMap* m_pNamespaceMap;
        bool m_inherits;
        bool m_ownsMap;
        // Where the effective default namespace lives: this context's own
        // field, or the effective one of the enclosing context.
        const std::string* m_pDefaultNamespace;
    };

    virtual ~CXmlWriter();

    virtual void Open();
    // Throws when an element is still open.
    virtual void Close();
    virtual void SetDefaultNamespace(const std::string& uri);
    virtual void AddNamespace(const std::string& prefix, const std::string& uri);
    virtual void WriteComment(const std::string& text) = 0;
    virtual void WriteProcessingInstruction(const std::string& text) = 0;
    virtual void WriteInlineSchema(const std::string& text) = 0;
    virtual void StartElement(const std::string& localName, const std::string& namespaceUri) = 0;
    virtual void WriteText(const std::string& text, ItemType type, bool isDefaultValue) = 0;
    virtual void EndElement() = 0;
    virtual void WriteAttribute(const std::string& localName, const std::string& namespaceUri,
                                const std::string& value, ItemType type) = 0;
    virtual void WriteXsiType(const std::string& typeNamespace, const std::string& typeName, ItemType type) = 0;
    virtual void WriteNil() = 0;
    // An element holding only text: the same as StartElement, WriteText and
    // EndElement one after the other, which is what this implementation does.
    // Writers override it to write such an element without opening a context.
    virtual void WriteValueElement(const std::string& localName, const std::string& namespaceUri,
                                   const std::string& text, ItemType type, bool isDefaultValue);

    // Marks the innermost element while the items of a collection are written;
    // does nothing when no element is open.
    void SetCollectionState(std::uint32_t state);
    // A prefix not yet used in the innermost element's scope (or, with no
    // element open, among the namespaces to declare on the document element).
    std::string GeneratePrefix() const;

    // The namespace named by ns (null for none) as a string held by the
    // writer, valid until the next call: objects name the namespace of their
    // start tag by a C string, and a start tag makes no string of its own.
    const std::string& NamespaceText(const char* ns)
    {
        if (!ns)
            ns = "";
        // Mostly the namespace of the element before: compared, not copied again.
        const std::size_t held = m_namespaceText.size();
        if (std::strncmp(ns, m_namespaceText.c_str(), held) != 0 || ns[held] != '\0')
            m_namespaceText.assign(ns);
        return m_namespaceText;
    }

    CXmlWriterContext* GetContext() const { return m_pContext; }
    const std::string& GetDefaultNamespace() const { return m_defaultNamespace; }
    const NamespaceMap& GetNamespaceMap() const { return m_namespaceMap; }

protected:
    // monitorName is the concrete writer's class name.
    explicit CXmlWriter(const char* monitorName);

    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // Opens the context of a new element and makes it the innermost one: a
    // child of the current innermost context, or the document element's
    // context (at rootDepth, with the writer's default namespace and a copy of
    // its map).
    CXmlWriterContext* PushContext(const std::string& localName, const std::string& namespaceUri,
                                   std::uint32_t rootDepth = 0);
    // Ends the innermost element's context; its parent becomes innermost.
    void PopContext();

    std::string m_defaultNamespace;
    CXmlWriterContext* m_pContext = nullptr;
    NamespaceMap m_namespaceMap;

private:
    // Contexts of finished elements, kept for the next elements: a document
    // opens and closes one per element.
    std::vector<CXmlWriterContext*> m_spareContexts;
    std::string m_namespaceText;
};

} // namespace TsXmlLib16

#endif
