// The dynamic tables of a Fast Infoset document: strings and qualified names
// that have been seen once are referred to by a small index afterwards. The
// writer looks strings up in the maps, the reader resolves indexes through the
// tables; both grow in the same order, so index n means the same entry on both
// sides. Indexes are 1-based and every table stops growing at 2^20 entries.
#ifndef TSXMLLIB_FIVOCABULARY_H
#define TSXMLLIB_FIVOCABULARY_H

#include "tsxmllib/Export.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFIVocabulary {
public:
    // Largest number of entries in one table or map.
    static constexpr std::uint32_t MaxTableSize = 1u << 20;

    // A qualified name by the indexes of its parts (0 = part absent).
    class TSXMLLIB_EXPORT CQNameParts {
    public:
        CQNameParts(std::uint32_t prefix, std::uint32_t namespaceName, std::uint32_t localName)
            : m_prefix(prefix), m_namespace(namespaceName), m_localName(localName)
        {
        }
        bool operator==(const CQNameParts& other) const
        {
            return m_prefix == other.m_prefix && m_namespace == other.m_namespace &&
                   m_localName == other.m_localName;
        }

        std::uint32_t m_prefix;
        std::uint32_t m_namespace;
        std::uint32_t m_localName;
    };

    // Entry n (1-based) of a table is m_table[n - 1].
    class TSXMLLIB_EXPORT CFIStringTable {
    public:
        std::vector<std::string> m_table;
    };
    class TSXMLLIB_EXPORT CFIQNameTable {
    public:
        std::vector<CQNameParts> m_table;
    };

    // String (or composed qualified name) -> index.
    using IndexMap = std::unordered_map<std::string, std::uint32_t>;

    // Holds the two built-in restricted alphabets and the predefined binding of
    // the prefix "xml" to the XML namespace, both at index 1.
    CFIVocabulary();
    CFIVocabulary(const CFIVocabulary&) = default;
    CFIVocabulary& operator=(const CFIVocabulary&) = default;
    virtual ~CFIVocabulary();

    // The map key of a qualified name.
    static std::string ComposeQName(const std::string& prefix, const std::string& namespaceName,
                                    const std::string& localName);

    // Looks value up in map; on success stores its index.
    static bool FindIndex(const IndexMap& map, const std::string& value, std::uint32_t& index);
    // Gives value the next index (size + 1) unless the map is full; a value
    // already present keeps its index. Returns whether value is in the map.
    static bool AddValueToMap(const std::string& value, IndexMap& map);
    // Appends value unless the table is full; returns whether it was added.
    static bool AddValueToVector(const std::string& value, std::vector<std::string>& table);

    bool FindPrefixNameIndex(const std::string& prefix, std::uint32_t& index) const;
    bool FindNamespaceNameIndex(const std::string& namespaceName, std::uint32_t& index) const;
    bool FindLocalNameIndex(const std::string& localName, std::uint32_t& index) const;
    bool FindAttributeValueIndex(const std::string& value, std::uint32_t& index) const;
    bool FindCharacterChunkIndex(const std::string& text, std::uint32_t& index) const;
    bool FindElementNameIndex(const std::string& prefix, const std::string& namespaceName,
                              const std::string& localName, std::uint32_t& index) const;
    bool FindAttributeNameIndex(const std::string& prefix, const std::string& namespaceName,
                                const std::string& localName, std::uint32_t& index) const;

    // Append to a string table and its map (each stops at the limit).
    void AddPrefixName(const std::string& prefix);
    void AddNamespaceName(const std::string& namespaceName);
    void AddLocalName(const std::string& localName);
    void AddAttributeValue(const std::string& value);
    void AddCharacterChunk(const std::string& text);

    // Adds a qualified name to nameMap and table, first adding the prefix, the
    // namespace and the local name to their own tables when they are new.
    // Empty prefix or namespace stand for absent parts.
    void AddQName(const std::string& prefix, const std::string& namespaceName, const std::string& localName,
                  IndexMap& nameMap, CFIQNameTable& table);
    void AddElementName(const std::string& prefix, const std::string& namespaceName, const std::string& localName);
    void AddAttributeName(const std::string& prefix, const std::string& namespaceName,
                          const std::string& localName);

    CFIQNameTable& GetAttributeNamesTable() { return m_attributeNames; }
    CFIStringTable& GetAttributeValuesTable() { return m_attributeValues; }
    CFIQNameTable& GetElementNamesTable() { return m_elementNames; }
    CFIStringTable& GetCharacterChunksTable() { return m_characterChunks; }
    CFIStringTable& GetLocalNamesTable() { return m_localNames; }
    CFIStringTable& GetNamespaceNamesTable() { return m_namespaceNames; }
    CFIStringTable& GetPrefixNamesTable() { return m_prefixNames; }
    const CFIQNameTable& GetAttributeNamesTable() const { return m_attributeNames; }
    const CFIStringTable& GetAttributeValuesTable() const { return m_attributeValues; }
    const CFIQNameTable& GetElementNamesTable() const { return m_elementNames; }
    const CFIStringTable& GetCharacterChunksTable() const { return m_characterChunks; }
    const CFIStringTable& GetLocalNamesTable() const { return m_localNames; }
    const CFIStringTable& GetNamespaceNamesTable() const { return m_namespaceNames; }
    const CFIStringTable& GetPrefixNamesTable() const { return m_prefixNames; }

    IndexMap& GetPrefixNamesMap() { return m_prefixMap; }
    IndexMap& GetNamespaceNamesMap() { return m_namespaceMap; }
    IndexMap& GetLocalNamesMap() { return m_localNameMap; }
    IndexMap& GetAttributeValuesMap() { return m_attributeValueMap; }
    IndexMap& GetCharacterChunksMap() { return m_characterChunkMap; }
    IndexMap& GetElementNamesMap() { return m_elementNameMap; }
    IndexMap& GetAttributeNamesMap() { return m_attributeNameMap; }

    // Restricted alphabets; alphabet n (1-based) is entry n - 1.
    std::vector<std::string>& GetRestrictedAlphabets() { return m_restrictedAlphabets; }
    const std::vector<std::string>& GetRestrictedAlphabets() const { return m_restrictedAlphabets; }

    // Every table as text, one "value, index" line per entry; the text also
    // goes to the debug trace. Qualified names show as {namespace}prefix:local.
    std::string Dump() const;

private:
    // Adds str to table and map, keeping the two in step.
    static void AddString(const std::string& str, CFIStringTable& table, IndexMap& map);
    // The index of str in map, adding it (and to table) when new; 0 for an empty
    // string or when the table is full.
    static std::uint32_t IndexOrAdd(const std::string& str, CFIStringTable& table, IndexMap& map);
    std::string QNameText(const CQNameParts& name) const;

    std::vector<std::string> m_restrictedAlphabets;

    IndexMap m_attributeNameMap;
    IndexMap m_attributeValueMap;
    IndexMap m_elementNameMap;
    IndexMap m_characterChunkMap;
    IndexMap m_localNameMap;
    IndexMap m_namespaceMap;
    IndexMap m_prefixMap;

    CFIQNameTable m_attributeNames;
    CFIStringTable m_attributeValues;
    CFIQNameTable m_elementNames;
    CFIStringTable m_characterChunks;
    CFIStringTable m_localNames;
    CFIStringTable m_namespaceNames;
    CFIStringTable m_prefixNames;
};

} // namespace TsXmlLib16

#endif
