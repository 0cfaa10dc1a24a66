// A collection of objects (generated classes or untyped elements) in a doubly
// linked list of nodes, each holding one reference to its item.
#ifndef TSXMLLIB_XMLCOLLECTION_H
#define TSXMLLIB_XMLCOLLECTION_H

#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/XmlCollectionBase.h"

namespace TsXmlLib16 {

struct TSXMLLIB_EXPORT CNode {
    CSmartPtr<CXmlObjectBase> item;
    CNode* next = nullptr;
    CNode* previous = nullptr;
};

// Walks the nodes of a collection whose items are all of type T.
template <class T>
class CNodeIterator {
public:
    explicit CNodeIterator(CNode* node) : m_node(node) {}
    T* operator*() const { return static_cast<T*>(m_node->item.get()); }
    CNodeIterator& operator++()
    {
        m_node = m_node->next;
        return *this;
    }
    bool operator!=(const CNodeIterator& other) const { return m_node != other.m_node; }

private:
    CNode* m_node;
};

class TSXMLLIB_EXPORT CXmlCollection : public CXmlCollectionBase {
public:
    int GetCount() const override { return m_count; }
    // Removes items one at a time at index 0, so listeners see every removal.
    void Clear() override;
    void Remove(int index) override;

protected:
    CXmlCollection();
    CXmlCollection(const char* elementName, const char* ns, int minOccurs, int maxOccurs);
    // A copy holds new references to the same items, in new nodes.
    CXmlCollection(const CXmlCollection& other);
    CXmlCollection& operator=(const CXmlCollection& other);
    ~CXmlCollection() override;

    void AppendItem(CXmlObjectBase* item);
    void PrependItem(CXmlObjectBase* item);
    // A null existing item prepends.
    void AddAfterItem(const CXmlObjectBase* existing, CXmlObjectBase* item);
    // A null existing item appends.
    void AddBeforeItem(const CXmlObjectBase* existing, CXmlObjectBase* item);
    // 0 <= index <= count; the item ends up at position index.
    void AddItemAt(int index, CXmlObjectBase* item);

    void RemoveNode(CNode* node);
    CNode* GetNodeAtIndex(int index) const;
    CNode* GetNodeForItem(const CXmlObjectBase* item) const;
    CNode* GetHead() const { return m_head; }

    void AttributesToXml_Int(CXmlWriter* writer, const CSerializationContext& ctx) const override;

private:
    // Links a new node holding item before "before" (null: at the tail), firing the events.
    void Insert(CNode* before, CXmlObjectBase* item, bool eventsFired);
    void CopyItemsFrom(const CXmlCollection& other);

    CNode* m_head = nullptr;
    CNode* m_tail = nullptr;
    std::int32_t m_count = 0;
};

} // namespace TsXmlLib16

#endif
