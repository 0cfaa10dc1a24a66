// Namespace URIs and the prefixes under which the writers declare them,
// ordered by URI.
#ifndef TSXMLLIB_NAMESPACEALIASMAP_H
#define TSXMLLIB_NAMESPACEALIASMAP_H

#include "tsxmllib/Export.h"

#include <map>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CNamespaceAliasMap {
public:
    CNamespaceAliasMap() = default;
    CNamespaceAliasMap(const CNamespaceAliasMap&) = default;
    CNamespaceAliasMap& operator=(const CNamespaceAliasMap&) = default;
    virtual ~CNamespaceAliasMap() = default;

    void Add(const char* alias, const char* namespaceUri);
    void RemoveNamespace(const char* namespaceUri);
    // The alias of the URI; an unknown URI is added with an empty alias.
    std::string GetAliasFromNamespace(const char* namespaceUri);
    // The first URI in key order with this alias; throws when there is none.
    std::string GetNamespaceFromAlias(const char* alias);
    bool DoesNamespaceExist(const char* namespaceUri) const;
    bool DoesAliasExist(const char* alias) const;
    int GetNamespaceCount() const { return static_cast<int>(m_map.size()); }
    // The URI at a position in key order, 0 <= index < GetNamespaceCount().
    std::string GetNamespaceAt(int index);

private:
    std::map<std::string, std::string> m_map;
};

} // namespace TsXmlLib16

#endif
