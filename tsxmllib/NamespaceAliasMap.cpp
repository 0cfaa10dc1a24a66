#include "tsxmllib/NamespaceAliasMap.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <iterator>

namespace TsXmlLib16 {

namespace {
const char* Safe(const char* s) { return s ? s : ""; }
} // namespace

void CNamespaceAliasMap::Add(const char* alias, const char* namespaceUri)
{
    m_map[Safe(namespaceUri)] = Safe(alias);
}

void CNamespaceAliasMap::RemoveNamespace(const char* namespaceUri) { m_map.erase(Safe(namespaceUri)); }

std::string CNamespaceAliasMap::GetAliasFromNamespace(const char* namespaceUri)
{
    return m_map[Safe(namespaceUri)];
}

std::string CNamespaceAliasMap::GetNamespaceFromAlias(const char* alias)
{
    for (const auto& entry : m_map)
        if (entry.second == Safe(alias))
            return entry.first;
    throw CTsException(FormatString("Namespace alias [%s] not found", Safe(alias)));
}

bool CNamespaceAliasMap::DoesNamespaceExist(const char* namespaceUri) const
{
    return m_map.find(Safe(namespaceUri)) != m_map.end();
}

bool CNamespaceAliasMap::DoesAliasExist(const char* alias) const
{
    for (const auto& entry : m_map)
        if (entry.second == Safe(alias))
            return true;
    return false;
}

std::string CNamespaceAliasMap::GetNamespaceAt(int index)
{
    if (index < 0 || index >= GetNamespaceCount())
        throw CTsInvalidParamException(FormatString("Index Out of range [%d]", index));
    return std::next(m_map.begin(), index)->first;
}

} // namespace TsXmlLib16
