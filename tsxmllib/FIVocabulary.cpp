#include "tsxmllib/FIVocabulary.h"

#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/Namespaces.h"

namespace TsXmlLib16 {

namespace {
const char kNumericAlphabet[] = "0123456789-+.e ";
const char kDateTimeAlphabet[] = "0123456789-:TZ ";
const char kXmlPrefix[] = "xml";
} // namespace

CFIVocabulary::CFIVocabulary() : m_restrictedAlphabets{kNumericAlphabet, kDateTimeAlphabet}
{
    AddString(kXmlPrefix, m_prefixNames, m_prefixMap);
    AddString(XmlNamespaceUri, m_namespaceNames, m_namespaceMap);
}

CFIVocabulary::~CFIVocabulary() = default;

namespace {
// No part of a name can hold a zero character, so the key is unambiguous.
void ComposeQNameInto(std::string& key, const std::string& prefix, const std::string& namespaceName,
                      const std::string& localName)
{
    key.clear();
    key += prefix;
    key += '\0';
    key += namespaceName;
    key += '\0';
    key += localName;
}

// The key of a name looked up, in storage each thread reuses: the writer
// looks up every element and attribute name it writes.
const std::string& LookupKey(const std::string& prefix, const std::string& namespaceName,
                             const std::string& localName)
{
    thread_local std::string key;
    ComposeQNameInto(key, prefix, namespaceName, localName);
    return key;
}
} // namespace

std::string CFIVocabulary::ComposeQName(const std::string& prefix, const std::string& namespaceName,
                                        const std::string& localName)
{
    std::string key;
    key.reserve(prefix.size() + namespaceName.size() + localName.size() + 2);
    ComposeQNameInto(key, prefix, namespaceName, localName);
    return key;
}

bool CFIVocabulary::FindIndex(const IndexMap& map, const std::string& value, std::uint32_t& index)
{
    const auto it = map.find(value);
    if (it == map.end())
        return false;
    index = it->second;
    return true;
}

bool CFIVocabulary::AddValueToMap(const std::string& value, IndexMap& map)
{
    if (map.size() >= MaxTableSize)
        return map.find(value) != map.end();
    map.emplace(value, static_cast<std::uint32_t>(map.size() + 1));
    return true;
}

bool CFIVocabulary::AddValueToVector(const std::string& value, std::vector<std::string>& table)
{
    if (table.size() >= MaxTableSize)
        return false;
    table.push_back(value);
    return true;
}

void CFIVocabulary::AddString(const std::string& str, CFIStringTable& table, IndexMap& map)
{
    // One look-up: a value already present keeps its index and is not appended again.
    if (map.size() < MaxTableSize) {
        if (!map.try_emplace(str, static_cast<std::uint32_t>(map.size() + 1)).second)
            return;
    } else if (map.find(str) != map.end()) {
        return;
    }
    AddValueToVector(str, table.m_table);
}

std::uint32_t CFIVocabulary::IndexOrAdd(const std::string& str, CFIStringTable& table, IndexMap& map)
{
    if (str.empty())
        return 0;
    AddString(str, table, map);
    std::uint32_t index = 0;
    FindIndex(map, str, index);
    return index;
}

bool CFIVocabulary::FindPrefixNameIndex(const std::string& prefix, std::uint32_t& index) const
{
    return FindIndex(m_prefixMap, prefix, index);
}

bool CFIVocabulary::FindNamespaceNameIndex(const std::string& namespaceName, std::uint32_t& index) const
{
    return FindIndex(m_namespaceMap, namespaceName, index);
}

bool CFIVocabulary::FindLocalNameIndex(const std::string& localName, std::uint32_t& index) const
{
    return FindIndex(m_localNameMap, localName, index);
}

bool CFIVocabulary::FindAttributeValueIndex(const std::string& value, std::uint32_t& index) const
{
    return FindIndex(m_attributeValueMap, value, index);
}

bool CFIVocabulary::FindCharacterChunkIndex(const std::string& text, std::uint32_t& index) const
{
    return FindIndex(m_characterChunkMap, text, index);
}

bool CFIVocabulary::FindElementNameIndex(const std::string& prefix, const std::string& namespaceName,
                                         const std::string& localName, std::uint32_t& index) const
{
    return FindIndex(m_elementNameMap, LookupKey(prefix, namespaceName, localName), index);
}

bool CFIVocabulary::FindAttributeNameIndex(const std::string& prefix, const std::string& namespaceName,
                                           const std::string& localName, std::uint32_t& index) const
{
    return FindIndex(m_attributeNameMap, LookupKey(prefix, namespaceName, localName), index);
}

void CFIVocabulary::AddPrefixName(const std::string& prefix) { AddString(prefix, m_prefixNames, m_prefixMap); }

void CFIVocabulary::AddNamespaceName(const std::string& namespaceName)
{
    AddString(namespaceName, m_namespaceNames, m_namespaceMap);
}

void CFIVocabulary::AddLocalName(const std::string& localName)
{
    AddString(localName, m_localNames, m_localNameMap);
}

void CFIVocabulary::AddAttributeValue(const std::string& value)
{
    AddString(value, m_attributeValues, m_attributeValueMap);
}

void CFIVocabulary::AddCharacterChunk(const std::string& text)
{
    AddString(text, m_characterChunks, m_characterChunkMap);
}

void CFIVocabulary::AddQName(const std::string& prefix, const std::string& namespaceName,
                             const std::string& localName, IndexMap& nameMap, CFIQNameTable& table)
{
    const std::string key = ComposeQName(prefix, namespaceName, localName);
    if (nameMap.find(key) != nameMap.end())
        return;
    const CQNameParts parts(IndexOrAdd(prefix, m_prefixNames, m_prefixMap),
                            IndexOrAdd(namespaceName, m_namespaceNames, m_namespaceMap),
                            IndexOrAdd(localName, m_localNames, m_localNameMap));
    AddValueToMap(key, nameMap);
    if (table.m_table.size() < MaxTableSize)
        table.m_table.push_back(parts);
}

void CFIVocabulary::AddElementName(const std::string& prefix, const std::string& namespaceName,
                                   const std::string& localName)
{
    AddQName(prefix, namespaceName, localName, m_elementNameMap, m_elementNames);
}

void CFIVocabulary::AddAttributeName(const std::string& prefix, const std::string& namespaceName,
                                     const std::string& localName)
{
    AddQName(prefix, namespaceName, localName, m_attributeNameMap, m_attributeNames);
}

std::string CFIVocabulary::QNameText(const CQNameParts& name) const
{
    const auto part = [](const CFIStringTable& table, std::uint32_t index) {
        return index >= 1 && index <= table.m_table.size() ? table.m_table[index - 1] : std::string();
    };
    std::string text;
    if (name.m_namespace)
        text += "{" + part(m_namespaceNames, name.m_namespace) + "}";
    if (name.m_prefix)
        text += part(m_prefixNames, name.m_prefix) + ":";
    text += part(m_localNames, name.m_localName);
    return text;
}

std::string CFIVocabulary::Dump() const
{
    std::string out = "\n** Dumping FI Tables **\n\n";
    const auto strings = [&out](const char* heading, const CFIStringTable& table) {
        out += heading;
        for (std::size_t i = 0; i < table.m_table.size(); ++i)
            out += FormatString("%s, %d\n", table.m_table[i].c_str(), static_cast<int>(i + 1));
    };
    const auto names = [&out, this](const char* heading, const CFIQNameTable& table) {
        out += heading;
        for (std::size_t i = 0; i < table.m_table.size(); ++i)
            out += FormatString("%s, %d\n", QNameText(table.m_table[i]).c_str(), static_cast<int>(i + 1));
    };
    names("Attr Names\n", m_attributeNames);
    strings("\nAttr Values\n", m_attributeValues);
    strings("\nCharacter Chunks\n", m_characterChunks);
    names("\nElement Names\n", m_elementNames);
    strings("\nLocal Names\n", m_localNames);
    strings("\nNamespace Names\n", m_namespaceNames);
    strings("\nPrefix Names\n", m_prefixNames);
    TS_DEBUG_TRACE("%s", out.c_str());
    return out;
}

} // namespace TsXmlLib16
