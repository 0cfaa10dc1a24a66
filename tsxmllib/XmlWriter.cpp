#include "tsxmllib/XmlWriter.h"

#include "tsxmllib/TsException.h"
#include "tsxmllib/WordScan.h"

#include <cassert>
#include <set>

namespace TsXmlLib16 {


namespace {

// Candidate n of the generated prefixes: AA, AB, ... AZ, BA, ...
std::string PrefixCandidate(std::size_t n)
{
    std::string prefix(2, 'A');
    prefix[0] = static_cast<char>('A' + n / 26);
    prefix[1] = static_cast<char>('A' + n % 26);
    return prefix;
}

std::string FirstUnusedPrefix(const CXmlWriter::NamespaceMap& map)
{
    std::set<std::string> used;
    for (const auto& entry : map)
        used.insert(entry.second);
    // Among map.size() + 1 candidates at least one is free.
    std::size_t n = 0;
    for (; n < map.size(); ++n) {
        std::string candidate = PrefixCandidate(n);
        if (used.find(candidate) == used.end())
            return candidate;
    }
    return PrefixCandidate(n);
}

} // namespace

// ---- CXmlWriterContext ----

CXmlWriter::CXmlWriterContext::CXmlWriterContext(std::uint32_t depth, const std::string& localName,
                                                 const std::string& namespaceUri,
                                                 const std::string& defaultNamespace, const NamespaceMap& namespaces)
    : TS_INSTANCE_MONITOR("CXmlWriterContext"),
      m_depth(depth),
      m_namespaceUri(namespaceUri),
      m_localName(localName),
      m_pParent(nullptr),
      m_defaultNamespace(defaultNamespace),
      m_pNamespaceMap(new NamespaceMap(namespaces)),
      m_inherits(false),
      m_ownsMap(true),
      m_pDefaultNamespace(&m_defaultNamespace)
{
}

CXmlWriter::CXmlWriterContext::CXmlWriterContext(CXmlWriterContext* parent, const std::string& localName,
                                                 const std::string& namespaceUri)
    : TS_INSTANCE_MONITOR("CXmlWriterContext"),
      m_depth(parent->m_depth + 1),
      m_namespaceUri(namespaceUri),
      m_localName(localName),
      m_pParent(parent),
      m_pNamespaceMap(parent->m_pNamespaceMap),
      m_inherits(true),
      m_ownsMap(false),
      m_pDefaultNamespace(parent->m_pDefaultNamespace)
{
}

CXmlWriter::CXmlWriterContext::~CXmlWriterContext()
{
    if (m_ownsMap)
        delete m_pNamespaceMap;
    // The enclosing contexts are released one after the other rather than
    // recursively, so that a deep document cannot exhaust the stack.
    CXmlWriterContext* parent = m_pParent;
    while (parent) {
        CXmlWriterContext* next = parent->m_pParent;
        parent->m_pParent = nullptr;
        delete parent;
        parent = next;
    }
}

void CXmlWriter::CXmlWriterContext::ReuseAsChild(CXmlWriterContext* parent, const std::string& localName,
                                                 const std::string& namespaceUri)
{
    assert(m_pParent == nullptr && "a reused context has no parent");
    if (m_ownsMap)
        delete m_pNamespaceMap;
    m_childCount = 0;
    m_startTagOpen = 0;
    m_depth = parent->m_depth + 1;
    // Siblings mostly share their namespace, and often their name.
    if (!WordScan::SameBytes(m_namespaceUri, namespaceUri))
        m_namespaceUri = namespaceUri;
    if (!WordScan::SameBytes(m_localName, localName))
        m_localName = localName;
    m_pParent = parent;
    m_collectionState = 0;
    m_defaultNamespace.clear();
    m_pNamespaceMap = parent->m_pNamespaceMap;
    m_inherits = true;
    m_ownsMap = false;
    m_pDefaultNamespace = parent->m_pDefaultNamespace;
}

CXmlWriter::CXmlWriterContext* CXmlWriter::CXmlWriterContext::DetachParent()
{
    CXmlWriterContext* parent = m_pParent;
    m_pParent = nullptr;
    return parent;
}

std::string CXmlWriter::CXmlWriterContext::GetNamespaceMapValue(const std::string& uri)
{
    return (*m_pNamespaceMap)[uri];
}

bool CXmlWriter::CXmlWriterContext::HasPrefix(const std::string& uri) const { return FindPrefix(uri) != nullptr; }

const std::string* CXmlWriter::CXmlWriterContext::FindPrefix(const std::string& uri) const
{
    const auto it = m_pNamespaceMap->find(uri);
    return it != m_pNamespaceMap->end() && !it->second.empty() ? &it->second : nullptr;
}

void CXmlWriter::CXmlWriterContext::StopInheriting()
{
    m_pNamespaceMap = new NamespaceMap(*m_pNamespaceMap);
    m_ownsMap = true;
    m_inherits = false;
}

void CXmlWriter::CXmlWriterContext::AddNamespace(const std::string& prefix, const std::string& uri)
{
    if (m_inherits) {
        StopInheriting();
        m_defaultNamespace = *m_pDefaultNamespace;
        m_pDefaultNamespace = &m_defaultNamespace;
    }
    (*m_pNamespaceMap)[uri] = prefix;
}

void CXmlWriter::CXmlWriterContext::SetDefaultNamespace(const std::string& uri)
{
    if (m_inherits) {
        StopInheriting();
        m_pDefaultNamespace = &m_defaultNamespace;
    }
    m_defaultNamespace = uri;
}

std::string CXmlWriter::CXmlWriterContext::GeneratePrefix() const { return FirstUnusedPrefix(*m_pNamespaceMap); }

// ---- CXmlWriter ----

CXmlWriter::CXmlWriter(const char* monitorName) : CInstanceMonitor(monitorName)
{
    m_namespaceMap[XmlNamespaceUri] = "xml";
}

CXmlWriter::~CXmlWriter()
{
    delete m_pContext;
    for (CXmlWriterContext* spare : m_spareContexts)
        delete spare;
}

void CXmlWriter::Open() {}

void CXmlWriter::Close()
{
    if (m_pContext)
        throw CTsException("An Element has not been closed.");
}

void CXmlWriter::SetDefaultNamespace(const std::string& uri)
{
    if (m_pContext)
        m_pContext->SetDefaultNamespace(uri);
    else
        m_defaultNamespace = uri;
}

void CXmlWriter::AddNamespace(const std::string& prefix, const std::string& uri)
{
    if (m_pContext)
        m_pContext->AddNamespace(prefix, uri);
    else
        m_namespaceMap[uri] = prefix;
}

void CXmlWriter::WriteValueElement(const std::string& localName, const std::string& namespaceUri,
                                   const std::string& text, ItemType type, bool isDefaultValue)
{
    StartElement(localName, namespaceUri);
    WriteText(text, type, isDefaultValue);
    EndElement();
}

void CXmlWriter::SetCollectionState(std::uint32_t state)
{
    if (m_pContext)
        m_pContext->SetCollectionState(state);
}

std::string CXmlWriter::GeneratePrefix() const
{
    return m_pContext ? m_pContext->GeneratePrefix() : FirstUnusedPrefix(m_namespaceMap);
}

CXmlWriter::CXmlWriterContext* CXmlWriter::PushContext(const std::string& localName, const std::string& namespaceUri,
                                                       std::uint32_t rootDepth)
{
    if (m_pContext && !m_spareContexts.empty()) {
        CXmlWriterContext* context = m_spareContexts.back();
        m_spareContexts.pop_back();
        context->ReuseAsChild(m_pContext, localName, namespaceUri);
        m_pContext = context;
    } else if (m_pContext)
        m_pContext = new CXmlWriterContext(m_pContext, localName, namespaceUri);
    else
        m_pContext = new CXmlWriterContext(rootDepth, localName, namespaceUri, m_defaultNamespace, m_namespaceMap);
    return m_pContext;
}

void CXmlWriter::PopContext()
{
    assert(m_pContext != 0 && "m_pContext != 0");
    CXmlWriterContext* parent = m_pContext->DetachParent();
    // As many are kept as elements are open at once, up to a bound.
    constexpr std::size_t kMaxSpareContexts = 64;
    if (m_spareContexts.size() < kMaxSpareContexts) {
        try {
            m_spareContexts.push_back(m_pContext);
        } catch (...) {
            delete m_pContext;
        }
    } else {
        delete m_pContext;
    }
    m_pContext = parent;
}

} // namespace TsXmlLib16
