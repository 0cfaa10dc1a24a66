#include "tsxmllib/XmlCollectionBase.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <algorithm>

namespace TsXmlLib16 {

CXmlCollectionBase::CXmlCollectionBase() = default;

CXmlCollectionBase::CXmlCollectionBase(const char* elementName, const char* ns, int minOccurs, int maxOccurs)
    : m_namespace(ns ? ns : ""), m_minOccurs(minOccurs), m_maxOccurs(maxOccurs)
{
    SetElementName(elementName);
}

CXmlCollectionBase::~CXmlCollectionBase() = default;

std::string CXmlCollectionBase::GetTargetNamespace()
{
    throw CTsException(
        "CXmlCollectionBase::GetTargetNamespace Should not be used from within a Collection (program logic error)");
}

void CXmlCollectionBase::ValidateCount(const CSerializationContext& ctx) const
{
    if (ctx.GetIgnoreInvalidCollectionCounts())
        return;
    const int n = GetCount();
    if (m_maxOccurs != -1 && n > m_maxOccurs)
        throw CTsValidationException(FormatString("The Maximum number of [%s] elements allowed in this collection is %d",
                                                  GetElementName().c_str(), m_maxOccurs),
                                     std::string());
    if (n < m_minOccurs)
        throw CTsValidationException(FormatString("The Minimum number of [%s] elements allowed in this collection is %d",
                                                  GetElementName().c_str(), m_minOccurs),
                                     std::string());
}

bool CXmlCollectionBase::IsValidCount(const CSerializationContext& ctx) const
{
    if (ctx.GetIgnoreInvalidCollectionCounts())
        return true;
    const int n = GetCount();
    return !(m_maxOccurs != -1 && n > m_maxOccurs) && n >= m_minOccurs;
}

void CXmlCollectionBase::AddEventListener(IEventSink* sink) { m_listeners.push_back(sink); }

void CXmlCollectionBase::RemoveEventListener(IEventSink* sink)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), sink), m_listeners.end());
}

// Listeners are called on a copy of the list, so that a listener may remove itself.
void CXmlCollectionBase::FireOnCollectionChange()
{
    for (IEventSink* sink : std::vector<IEventSink*>(m_listeners))
        FireOnCollectionChangeEvent(sink, this);
}

void CXmlCollectionBase::FireOnCollectionAdd(void* item)
{
    for (IEventSink* sink : std::vector<IEventSink*>(m_listeners))
        FireOnCollectionAddEvent(sink, this, item);
}

void CXmlCollectionBase::FireOnCollectionAddComplete(void* item)
{
    for (IEventSink* sink : std::vector<IEventSink*>(m_listeners))
        FireOnCollectionAddCompleteEvent(sink, this, item);
}

void CXmlCollectionBase::FireOnCollectionRemove(int index)
{
    for (IEventSink* sink : std::vector<IEventSink*>(m_listeners))
        FireOnCollectionRemoveEvent(sink, this, index);
}

void CXmlCollectionBase::FireOnCollectionRemoveComplete(int index)
{
    for (IEventSink* sink : std::vector<IEventSink*>(m_listeners))
        FireOnCollectionRemoveCompleteEvent(sink, this, index);
}

} // namespace TsXmlLib16
