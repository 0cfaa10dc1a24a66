// The base of every collection: the items' element name and namespace, the
// occurrence bounds with their check, and the listeners told about changes.
#ifndef TSXMLLIB_XMLCOLLECTIONBASE_H
#define TSXMLLIB_XMLCOLLECTIONBASE_H

#include "tsxmllib/XmlObjectBase.h"

#include <vector>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CXmlCollectionBase : public CXmlObjectBase {
public:
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return m_namespace; }

    virtual int GetCount() const = 0;
    virtual void Clear() = 0;
    virtual void Remove(int index) = 0;
    // Throws CTsValidationException when the count is outside the bounds.
    virtual void ValidateCount(const CSerializationContext& ctx) const;
    virtual bool IsValidCount(const CSerializationContext& ctx) const;

    int GetMinOccurs() const { return m_minOccurs; }
    int GetMaxOccurs() const { return m_maxOccurs; }

    void AddEventListener(IEventSink* sink);
    // Removes every occurrence of the sink.
    void RemoveEventListener(IEventSink* sink);

protected:
    CXmlCollectionBase();
    CXmlCollectionBase(const char* elementName, const char* ns, int minOccurs, int maxOccurs);
    CXmlCollectionBase(const CXmlCollectionBase& other) = default;
    CXmlCollectionBase& operator=(const CXmlCollectionBase& other) = default;
    ~CXmlCollectionBase() override;

    // A collection has no element of its own.
    std::string GetTargetNamespace() override;

    void FireOnCollectionChange();
    void FireOnCollectionAdd(void* item);
    void FireOnCollectionAddComplete(void* item);
    void FireOnCollectionRemove(int index);
    void FireOnCollectionRemoveComplete(int index);

private:
    std::string m_namespace;
    std::vector<IEventSink*> m_listeners;
    std::int32_t m_minOccurs = 0;
    std::int32_t m_maxOccurs = -1;
};

} // namespace TsXmlLib16

#endif
