#include "tsxmllib/XmlCollection.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

CXmlCollection::CXmlCollection() = default;

CXmlCollection::CXmlCollection(const char* elementName, const char* ns, int minOccurs, int maxOccurs)
    : CXmlCollectionBase(elementName, ns, minOccurs, maxOccurs)
{
}

CXmlCollection::CXmlCollection(const CXmlCollection& other) : CXmlCollectionBase(other) { CopyItemsFrom(other); }

CXmlCollection& CXmlCollection::operator=(const CXmlCollection& other)
{
    if (this != &other) {
        Clear();
        CXmlCollectionBase::operator=(other);
        CopyItemsFrom(other);
    }
    return *this;
}

CXmlCollection::~CXmlCollection()
{
    // Listeners hear about the removals while the collection is destroyed; a
    // listener that throws cannot stop the destruction.
    try {
        Clear();
    } catch (...) {
    }
    while (m_head) {
        CNode* next = m_head->next;
        delete m_head;
        m_head = next;
    }
}

void CXmlCollection::CopyItemsFrom(const CXmlCollection& other)
{
    for (CNode* node = other.m_head; node; node = node->next) {
        CNode* copy = new CNode;
        copy->item = node->item;
        copy->previous = m_tail;
        (m_tail ? m_tail->next : m_head) = copy;
        m_tail = copy;
        ++m_count;
    }
}

void CXmlCollection::Insert(CNode* before, CXmlObjectBase* item, bool eventsFired)
{
    if (!eventsFired)
        FireOnCollectionAdd(item);
    CNode* node = new CNode;
    node->item = item;
    node->next = before;
    node->previous = before ? before->previous : m_tail;
    (node->previous ? node->previous->next : m_head) = node;
    (before ? before->previous : m_tail) = node;
    ++m_count;
    FireOnCollectionAddComplete(item);
    FireOnCollectionChange();
}

void CXmlCollection::AppendItem(CXmlObjectBase* item) { Insert(nullptr, item, false); }

void CXmlCollection::PrependItem(CXmlObjectBase* item) { Insert(m_head, item, false); }

void CXmlCollection::AddAfterItem(const CXmlObjectBase* existing, CXmlObjectBase* item)
{
    if (!existing) {
        PrependItem(item);
        return;
    }
    FireOnCollectionAdd(item);
    CNode* node = GetNodeForItem(existing);
    if (!node)
        throw CTsInvalidParamException("The object was not found in the collection");
    Insert(node->next, item, true);
}

void CXmlCollection::AddBeforeItem(const CXmlObjectBase* existing, CXmlObjectBase* item)
{
    if (!existing) {
        AppendItem(item);
        return;
    }
    FireOnCollectionAdd(item);
    CNode* node = GetNodeForItem(existing);
    if (!node)
        throw CTsInvalidParamException("The object was not found in the collection");
    Insert(node, item, true);
}

void CXmlCollection::AddItemAt(int index, CXmlObjectBase* item)
{
    if (index < 0 || index > m_count)
        throw CTsInvalidParamException("Index out of range");
    if (index == m_count) {
        AppendItem(item);
        return;
    }
    FireOnCollectionAdd(item);
    CNode* node = m_head;
    for (int i = 0; i < index; ++i)
        node = node->next;
    Insert(node, item, true);
}

void CXmlCollection::Remove(int index) { RemoveNode(GetNodeAtIndex(index)); }

void CXmlCollection::Clear()
{
    while (m_count > 0)
        Remove(0);
}

void CXmlCollection::RemoveNode(CNode* node)
{
    FireOnCollectionRemove(-1);
    (node->previous ? node->previous->next : m_head) = node->next;
    (node->next ? node->next->previous : m_tail) = node->previous;
    delete node;
    --m_count;
    FireOnCollectionRemoveComplete(-1);
    FireOnCollectionChange();
}

CNode* CXmlCollection::GetNodeAtIndex(int index) const
{
    if (index < 0 || index > m_count - 1)
        throw CTsInvalidParamException(FormatString("Index %d is out of range, use 0 - %d", index, m_count - 1));
    CNode* node = m_head;
    for (int i = 0; i < index; ++i)
        node = node->next;
    return node;
}

CNode* CXmlCollection::GetNodeForItem(const CXmlObjectBase* item) const
{
    const CXmlObjectBase* wanted = item->GetBase();
    for (CNode* node = m_head; node; node = node->next) {
        const CXmlObjectBase* held = node->item;
        if (held->GetBase() == wanted)
            return node;
    }
    return nullptr;
}

void CXmlCollection::AttributesToXml_Int(CXmlWriter* writer, const CSerializationContext& ctx) const
{
    for (CNode* node = m_head; node; node = node->next)
        CXmlObjectBase::AttributesToXml_Int(node->item, writer, ctx);
}

} // namespace TsXmlLib16
