#include "tsxmllib/FastInfosetReader.h"

#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/Encoder.h"
#include "tsxmllib/FastInfosetBinaryData.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <cstring>

namespace TsXmlLib16 {

namespace {

constexpr unsigned char kIdentification[] = {0xE0, 0x00, 0x00, 0x01};
constexpr int kDeclarationCount = 9;

constexpr unsigned char kTerminator = 0xF0;
constexpr unsigned char kDoubleTerminator = 0xFF;
constexpr unsigned char kProcessingInstruction = 0xE1;
constexpr unsigned char kComment = 0xE2;

enum : unsigned { Discriminant_Utf8 = 0, Discriminant_Utf16 = 1, Discriminant_Alphabet = 2, Discriminant_Algorithm = 3 };

constexpr std::uint32_t kMaxIndex = CFIVocabulary::MaxTableSize;

const char* const kEndOfFile = "Failed to parse FastInfoset. Unexpected End of File.";
const char* const kBadIntegerBit2 =
    "Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet.";
const char* const kBadIntegerOrZeroBit2 =
    "Failed to parse FastInfoset. Invalid Encoding of integers 0 To 2^20 type  on the second bit of an octet.";
const char* const kBadIntegerBit3 =
    "Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet.";
const char* const kBadIntegerBit4 =
    "Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  on the fourth bit of an octet.";
const char* const kBadLengthBit2 =
    "Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the second bit of an octet.";
const char* const kBadLengthBit5 =
    "Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the fifth bit of an octet.";
const char* const kBadLengthBit7 =
    "Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the seventh bit of an octet.";
const char* const kBadElementChild = "Failed to parse FastInfoset. Invalid Encoding of Element type.";
const char* const kPrefixWithoutNamespace =
    "Failed to parse FastInfoset. Invalid QName type Prefix without Namespace.";
const char* const kBadAlphabetSize = "Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. Alphabet "
                                     "must contain between 2 and 2^20 characters.";

std::uint32_t ThreeOctets(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

std::uint64_t FourOctets(const unsigned char* p)
{
    return (std::uint64_t{p[0]} << 24) | (std::uint64_t{p[1]} << 16) | (std::uint64_t{p[2]} << 8) | p[3];
}

} // namespace

CFastInfosetReader::CFastInfosetReader(const CFastInfosetContext* context, CXmlDocument* document)
    : TS_INSTANCE_MONITOR("CFastInfosetReader"),
      m_context(context),
      m_document(document),
      m_pVocabulary(m_context && m_context->GetUseGeneratedVocabulary()
                        ? new CFIVocabulary(*m_context->GetVocabulary())
                        : new CFIVocabulary()),
      m_utf8Local(IsLocalEncodingUtf8())
{
}

CFastInfosetReader::~CFastInfosetReader() { delete m_pVocabulary; }

// ---- input ----

void CFastInfosetReader::Fail(const char* message) { throw CTsException(message); }

unsigned char CFastInfosetReader::Peek()
{
    if (m_pos == m_end)
        Fail(kEndOfFile);
    return *m_pos;
}

unsigned char CFastInfosetReader::Next()
{
    if (m_pos == m_end)
        Fail(kEndOfFile);
    return *m_pos++;
}

const unsigned char* CFastInfosetReader::Take(std::uint64_t count)
{
    if (count > static_cast<std::uint64_t>(m_end - m_pos))
        Fail(kEndOfFile);
    const unsigned char* start = m_pos;
    m_pos += count;
    return start;
}

// ---- numbers and lengths ----

std::uint32_t CFastInfosetReader::IntegerBit2(unsigned char first)
{
    std::uint32_t value;
    if ((first & 0x40) == 0) {
        value = (first & 0x3Fu) + 1;
    } else if ((first & 0x60) == 0x40) {
        value = (((first & 0x1Fu) << 8) | Next()) + 65;
    } else if ((first & 0x70) == 0x60) {
        const unsigned char* p = Take(2);
        value = (((first & 0x0Fu) << 16) | (std::uint32_t{p[0]} << 8) | p[1]) + 8257;
    } else {
        Fail(kBadIntegerBit2);
    }
    if (value > kMaxIndex)
        Fail(kBadIntegerBit2);
    return value;
}

std::uint32_t CFastInfosetReader::IntegerOrZeroBit2(unsigned char first)
{
    if ((first & 0x7F) == 0x7F)
        return 0;
    if ((first & 0x70) == 0x70)
        Fail(kBadIntegerOrZeroBit2);
    return IntegerBit2(first);
}

// The integer forms starting on bit 3 (width 5) and bit 4 (width 4): '0' and
// width bits; '100' and width + 6 bits; '101' and width + 14 bits; '11',
// padding and 20 bits in the next three octets. Each form starts where the
// one before it ends.
std::uint32_t CFastInfosetReader::IntegerFromBit3Or4(unsigned char first, unsigned width, const char* message)
{
    const unsigned top = 1u << width;     // the first bit of the form: 0x20 or 0x10
    const unsigned form = top | (top >> 1) | (top >> 2);
    const unsigned rest = (top >> 2) - 1; // value bits left in the first octet
    const std::uint32_t second = top + 1, third = second + (1u << (width + 6)), fourth = third + (1u << (width + 14));
    std::uint32_t value;
    if ((first & top) == 0) {
        value = (first & (top - 1)) + 1;
    } else if ((first & form) == top) {
        value = (((first & rest) << 8) | Next()) + second;
    } else if ((first & form) == (top | (top >> 2))) {
        const unsigned char* p = Take(2);
        value = (((first & rest) << 16) | (std::uint32_t{p[0]} << 8) | p[1]) + third;
    } else if ((first & (2 * top - 1)) == (top | (top >> 1))) {
        const unsigned char* p = Take(3);
        if (p[0] & 0xF0)
            Fail(message);
        value = ThreeOctets(p) + fourth;
    } else {
        Fail(message);
    }
    if (value > kMaxIndex)
        Fail(message);
    return value;
}

std::uint32_t CFastInfosetReader::IntegerBit3(unsigned char first) { return IntegerFromBit3Or4(first, 5, kBadIntegerBit3); }

std::uint32_t CFastInfosetReader::IntegerBit4(unsigned char first) { return IntegerFromBit3Or4(first, 4, kBadIntegerBit4); }

// The length forms of a non-empty octet string whose length starts on bit 2
// (width 6), bit 5 (width 3) or bit 7 (width 1): '0' and width bits; '10',
// padding and one octet; '11', padding and four octets.
std::uint64_t CFastInfosetReader::OctetStringLength(unsigned char first, unsigned width, const char* message)
{
    const unsigned top = 1u << width;
    const unsigned form = 2 * top - 1; // the form's two bits and the padding after them
    const std::uint64_t second = top + 1, third = second + 256;
    if ((first & top) == 0)
        return (first & (top - 1)) + 1;
    if ((first & form) == top)
        return std::uint64_t{Next()} + second;
    if ((first & form) == (top | (top >> 1)))
        return FourOctets(Take(4)) + third;
    Fail(message);
}

std::uint64_t CFastInfosetReader::OctetStringLengthBit2(unsigned char first)
{
    return OctetStringLength(first, 6, kBadLengthBit2);
}

std::uint64_t CFastInfosetReader::OctetStringLengthBit5(unsigned char first)
{
    return OctetStringLength(first, 3, kBadLengthBit5);
}

// Here every pattern of the two bits is a valid form (there is no padding).
std::uint64_t CFastInfosetReader::OctetStringLengthBit7(unsigned char first)
{
    return OctetStringLength(first, 1, kBadLengthBit7);
}

std::uint32_t CFastInfosetReader::SequenceLength()
{
    const unsigned char first = Next();
    if ((first & 0x80) == 0)
        return (first & 0x7Fu) + 1;
    if ((first & 0xF0) == 0x80) {
        const unsigned char* p = Take(2);
        const std::uint32_t value = (((first & 0x0Fu) << 16) | (std::uint32_t{p[0]} << 8) | p[1]) + 129;
        if (value <= kMaxIndex)
            return value;
    }
    Fail("Failed to parse FastInfoset. Invalid Encoding of the length of a sequence.");
}

void CFastInfosetReader::SkipOctetStringBit2() { Take(OctetStringLengthBit2(Next())); }

// ---- strings ----

void CFastInfosetReader::DecodeUtf8(const unsigned char* octets, std::size_t length, std::string& out) const
{
    const char* text = reinterpret_cast<const char*>(octets);
    if (m_utf8Local) {
        // Text ends at a zero byte, as it does for every other conversion.
        const void* zero = std::memchr(text, 0, length);
        out.assign(text, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : length);
    } else {
        Utf8ToLocal(text, length, out);
    }
}

const std::string& CFastInfosetReader::TableString(const std::vector<std::string>& table, std::uint32_t index,
                                                   const char* tableName)
{
    if (index == 0 || index > table.size())
        throw CTsException(FormatString("Failed to parse FastInfoset. Index %u is beyond the %s table (%u entries).",
                                        index, tableName, static_cast<unsigned>(table.size())));
    return table[index - 1];
}

std::uint32_t CFastInfosetReader::ReadIdentifier(IdentifierTable table)
{
    std::vector<std::string>* strings = nullptr;
    std::uint32_t* count = nullptr;
    const char* tableName = "";
    switch (table) {
    case Identifier_Prefix:
        strings = &m_pVocabulary->GetPrefixNamesTable().m_table;
        tableName = "prefix";
        break;
    case Identifier_Namespace:
        strings = &m_pVocabulary->GetNamespaceNamesTable().m_table;
        tableName = "namespace name";
        break;
    case Identifier_LocalName:
        strings = &m_pVocabulary->GetLocalNamesTable().m_table;
        tableName = "local name";
        break;
    case Identifier_OtherNCName:
        count = &m_otherNCNames;
        tableName = "other NCName";
        break;
    case Identifier_OtherURI:
        count = &m_otherURIs;
        tableName = "other URI";
        break;
    }

    const unsigned char first = Next();
    if (first & 0x80) {
        m_lastIdentifierWasIndex = true;
        const std::uint32_t index = IntegerBit2(first);
        if (strings) {
            m_pIdentifier = &TableString(*strings, index, tableName);
        } else {
            if (index > *count)
                throw CTsException(FormatString(
                    "Failed to parse FastInfoset. Index %u is beyond the %s table (%u entries).", index, tableName,
                    static_cast<unsigned>(*count)));
            m_identifier.clear();
            m_pIdentifier = &m_identifier;
        }
        return index;
    }

    m_lastIdentifierWasIndex = false;
    const std::uint64_t length = OctetStringLengthBit2(first);
    const unsigned char* octets = Take(length);
    if (!strings) {
        if (*count < kMaxIndex)
            ++*count;
        m_identifier.clear();
        m_pIdentifier = &m_identifier;
        return *count;
    }
    DecodeUtf8(octets, static_cast<std::size_t>(length), m_identifier);
    if (CFIVocabulary::AddValueToVector(m_identifier, *strings)) {
        m_pIdentifier = &strings->back();
        return static_cast<std::uint32_t>(strings->size());
    }
    // The table is full: the name is still good for this item.
    m_pIdentifier = &m_identifier;
    return 0;
}

void CFastInfosetReader::AddToTable(StringTable table, const std::string& value)
{
    switch (table) {
    case Table_AttributeValues:
        CFIVocabulary::AddValueToVector(value, m_pVocabulary->GetAttributeValuesTable().m_table);
        break;
    case Table_CharacterChunks:
        CFIVocabulary::AddValueToVector(value, m_pVocabulary->GetCharacterChunksTable().m_table);
        break;
    case Table_OtherStrings:
        if (m_otherStrings < kMaxIndex)
            ++m_otherStrings;
        break;
    }
}

const std::string& CFastInfosetReader::ReadNonIdentifyingBit1(StringTable table)
{
    const unsigned char first = Next();
    if (first & 0x80) {
        const std::uint32_t index = IntegerOrZeroBit2(first);
        m_value.clear();
        if (index == 0)
            return m_value;
        switch (table) {
        case Table_AttributeValues:
            return TableString(m_pVocabulary->GetAttributeValuesTable().m_table, index, "attribute value");
        case Table_CharacterChunks:
            return TableString(m_pVocabulary->GetCharacterChunksTable().m_table, index, "character chunk");
        case Table_OtherStrings:
            if (index > m_otherStrings)
                throw CTsException(FormatString(
                    "Failed to parse FastInfoset. Index %u is beyond the other string table (%u entries).", index,
                    static_cast<unsigned>(m_otherStrings)));
            return m_value;
        }
    }
    const bool add = (first & 0x40) != 0;
    // Strings of dropped items are read over without being decoded.
    ReadEncodedStringBit3(first, m_value, table != Table_OtherStrings);
    if (add)
        AddToTable(table, m_value);
    return m_value;
}

void CFastInfosetReader::ReadEncodedStringBit3(unsigned char first, std::string& out, bool decode)
{
    const unsigned discriminant = (first >> 4) & 0x03u;
    std::uint32_t tableIndex = 0;
    std::uint64_t length;
    if (discriminant == Discriminant_Utf8 || discriminant == Discriminant_Utf16) {
        length = OctetStringLengthBit5(first);
    } else {
        // The 8-bit table index: its high half ends this octet, its low half starts the next.
        const unsigned char second = Next();
        tableIndex = ((first & 0x0Fu) << 4) | (second >> 4);
        length = OctetStringLengthBit5(second);
    }
    const unsigned char* octets = Take(length);
    if (decode)
        DecodeString(discriminant, tableIndex, octets, static_cast<std::size_t>(length), out);
    else
        out.clear();
}

void CFastInfosetReader::ReadEncodedStringBit5(unsigned char first, std::string& out)
{
    const unsigned discriminant = (first >> 2) & 0x03u;
    std::uint32_t tableIndex = 0;
    std::uint64_t length;
    if (discriminant == Discriminant_Utf8 || discriminant == Discriminant_Utf16) {
        length = OctetStringLengthBit7(first);
    } else {
        // The 8-bit table index: its top two bits end this octet, the other six start the next.
        const unsigned char second = Next();
        tableIndex = ((first & 0x03u) << 6) | (second >> 2);
        length = OctetStringLengthBit7(second);
    }
    const unsigned char* octets = Take(length);
    DecodeString(discriminant, tableIndex, octets, static_cast<std::size_t>(length), out);
}

void CFastInfosetReader::DecodeString(unsigned discriminant, std::uint32_t tableIndex, const unsigned char* octets,
                                      std::size_t length, std::string& out)
{
    switch (discriminant) {
    case Discriminant_Utf8:
        DecodeUtf8(octets, length, out);
        return;
    case Discriminant_Utf16:
        if (length % 2 != 0)
            Fail("Failed to parse FastInfoset. Invalid UTF-16 string: odd number of octets.");
        // Big-endian code units, turned little-endian for the converter.
        m_scratch.resize(length);
        for (std::size_t i = 0; i < length; i += 2) {
            m_scratch[i] = static_cast<char>(octets[i + 1]);
            m_scratch[i + 1] = static_cast<char>(octets[i]);
        }
        out = Utf16LEBytesToLocal(reinterpret_cast<const unsigned char*>(m_scratch.data()), length);
        return;
    case Discriminant_Alphabet:
        DecodeRestrictedAlphabet(tableIndex, octets, length, out);
        return;
    default: {
        const std::uint32_t algorithm = tableIndex + 1;
        if (algorithm == CFastInfosetBinaryData::Algorithm_Cdata) {
            DecodeUtf8(octets, length, out);
            return;
        }
        if (algorithm > CFastInfosetBinaryData::Algorithm_Cdata)
            throw CTsException(FormatString(
                "Failed to parse FastInfoset. Encoding algorithm %u is not one of the built-in algorithms.",
                static_cast<unsigned>(algorithm)));
        const CFastInfosetBinaryData data(const_cast<unsigned char*>(octets), static_cast<unsigned long>(length),
                                          false);
        out = data.GetAsString(algorithm);
        return;
    }
    }
}

void CFastInfosetReader::DecodeRestrictedAlphabet(std::uint32_t alphabetIndex, const unsigned char* octets,
                                                  std::size_t length, std::string& out) const
{
    const auto& alphabets = m_pVocabulary->GetRestrictedAlphabets();
    if (alphabetIndex >= alphabets.size())
        throw CTsException(FormatString("Failed to parse FastInfoset. Restricted alphabet %u is not defined.",
                                        static_cast<unsigned>(alphabetIndex + 1)));
    const std::string& alphabet = alphabets[alphabetIndex];
    if (alphabet.size() < 2 || alphabet.size() > kMaxIndex)
        Fail(kBadAlphabetSize);
    unsigned width = 2;
    while ((std::size_t{1} << width) <= alphabet.size())
        ++width;
    const std::uint32_t end = (std::uint32_t{1} << width) - 1;

    out.clear();
    auto put = [&](std::uint32_t code) {
        if (code >= alphabet.size())
            Fail("Failed to parse FastInfoset. Invalid character code for the Restricted Alphabet.");
        out += alphabet[code];
    };
    if (width == 8) {
        for (std::size_t i = 0; i < length && octets[i] != end; ++i)
            put(octets[i]);
        return;
    }
    if (width == 4) {
        for (std::size_t i = 0; i < length; ++i) {
            const std::uint32_t high = octets[i] >> 4, low = octets[i] & 0x0Fu;
            if (high == end)
                return;
            put(high);
            if (low == end)
                return;
            put(low);
        }
        return;
    }
    // Any other width: codes straddle octets and are taken bit by bit.
    std::uint64_t bits = 0;
    unsigned count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        bits = (bits << 8) | octets[i];
        count += 8;
        while (count >= width) {
            count -= width;
            const std::uint32_t code = static_cast<std::uint32_t>(bits >> count) & end;
            if (code == end)
                return;
            put(code);
        }
        bits &= (std::uint64_t{1} << count) - 1;
    }
}

// ---- qualified names ----

void CFastInfosetReader::ResolveQName(const CFIVocabulary::CFIQNameTable& names, std::uint32_t index,
                                      const char* tableName)
{
    if (index == 0 || index > names.m_table.size())
        throw CTsException(FormatString("Failed to parse FastInfoset. Index %u is beyond the %s table (%u entries).",
                                        index, tableName, static_cast<unsigned>(names.m_table.size())));
    const CFIVocabulary::CQNameParts& parts = names.m_table[index - 1];
    static const std::string none;
    m_pPrefix = parts.m_prefix ? &TableString(m_pVocabulary->GetPrefixNamesTable().m_table, parts.m_prefix, "prefix")
                               : &none;
    m_pNamespace = parts.m_namespace ? &TableString(m_pVocabulary->GetNamespaceNamesTable().m_table,
                                                    parts.m_namespace, "namespace name")
                                     : &none;
    m_pLocalName = &TableString(m_pVocabulary->GetLocalNamesTable().m_table, parts.m_localName, "local name");
}

void CFastInfosetReader::ReadLiteralQName(bool hasPrefix, bool hasNamespace, CFIVocabulary::CFIQNameTable& names)
{
    static const std::string none;
    if (hasPrefix && !hasNamespace)
        Fail(kPrefixWithoutNamespace);
    std::uint32_t prefix = 0, namespaceName = 0;
    m_pPrefix = m_pNamespace = &none;
    // Each part is kept in its working string when its table is full and the
    // identifier had to be left out of it.
    if (hasPrefix) {
        prefix = ReadIdentifier(Identifier_Prefix);
        m_pPrefix = m_pIdentifier == &m_identifier ? &(m_prefix = m_identifier) : m_pIdentifier;
    }
    if (hasNamespace) {
        namespaceName = ReadIdentifier(Identifier_Namespace);
        m_pNamespace = m_pIdentifier == &m_identifier ? &(m_namespace = m_identifier) : m_pIdentifier;
    }
    const std::uint32_t localName = ReadIdentifier(Identifier_LocalName);
    m_pLocalName = m_pIdentifier == &m_identifier ? &(m_localName = m_identifier) : m_pIdentifier;
    if (names.m_table.size() < kMaxIndex)
        names.m_table.emplace_back(prefix, namespaceName, localName);
}

void CFastInfosetReader::ReadElementQName(unsigned char first)
{
    auto& names = m_pVocabulary->GetElementNamesTable();
    if ((first & 0x3C) == 0x3C) {
        ReadLiteralQName((first & 0x02) != 0, (first & 0x01) != 0, names);
        m_elementNameIndex = 0;
    } else {
        const std::uint32_t index = IntegerBit3(first);
        ResolveQName(names, index, "element name");
        m_elementNameIndex = index;
    }
}

void CFastInfosetReader::ReadAttributeQName(unsigned char first)
{
    auto& names = m_pVocabulary->GetAttributeNamesTable();
    if ((first & 0x7C) == 0x78) {
        ReadLiteralQName((first & 0x02) != 0, (first & 0x01) != 0, names);
        m_attributeNameIndex = 0;
    } else {
        const std::uint32_t index = IntegerBit2(first);
        ResolveQName(names, index, "attribute name");
        m_attributeNameIndex = index;
    }
}

// ---- items that are read over ----

void CFastInfosetReader::ReadOptionalComponents()
{
    const unsigned char components = Next();
    if (components & 0x80)
        Fail("Failed to parse FastInfoset. Invalid Encoding of the optional components of the document.");
    if (components & 0x40) {
        // Additional data: pairs of an identifying URI and its octets.
        for (std::uint32_t n = SequenceLength(); n > 0; --n) {
            SkipOctetStringBit2();
            SkipOctetStringBit2();
        }
    }
    if (components & 0x20)
        SkipInitialVocabulary();
    if (components & 0x10)
        SkipNotations();
    if (components & 0x08)
        SkipUnparsedEntities();
    if (components & 0x04)
        SkipOctetStringBit2(); // character encoding scheme
    if (components & 0x02)
        Next(); // standalone
    if (components & 0x01)
        ReadNonIdentifyingBit1(Table_OtherStrings); // version
}

void CFastInfosetReader::SkipInitialVocabulary()
{
    const unsigned char* presence = Take(2);
    const unsigned char a = presence[0], b = presence[1];
    if (a & 0x10)
        SkipOctetStringBit2(); // external vocabulary URI
    // Restricted alphabets, encoding algorithm URIs, prefixes, namespace names,
    // local names, other NCNames, other URIs: lists of octet strings.
    const bool octetLists[] = {(a & 0x08) != 0, (a & 0x04) != 0, (a & 0x02) != 0, (a & 0x01) != 0,
                               (b & 0x80) != 0, (b & 0x40) != 0, (b & 0x20) != 0};
    for (const bool present : octetLists)
        if (present)
            for (std::uint32_t n = SequenceLength(); n > 0; --n)
                SkipOctetStringBit2();
    // Attribute values, character chunks, other strings: encoded strings.
    for (const unsigned char bit : {0x10, 0x08, 0x04})
        if (b & bit)
            for (std::uint32_t n = SequenceLength(); n > 0; --n)
                ReadEncodedStringBit3(Next(), m_scratch, false);
    // Element and attribute name surrogates: presence bits and indexes.
    for (const unsigned char bit : {0x02, 0x01}) {
        if (!(b & bit))
            continue;
        for (std::uint32_t n = SequenceLength(); n > 0; --n) {
            const unsigned char parts = Next();
            if (parts & 0x02)
                IntegerBit2(Next());
            if (parts & 0x01)
                IntegerBit2(Next());
            IntegerBit2(Next());
        }
    }
}

void CFastInfosetReader::SkipNotations()
{
    while ((Peek() & 0xFC) == 0xC0) {
        const unsigned char first = Next();
        ReadIdentifier(Identifier_OtherNCName);
        if (first & 0x02)
            ReadIdentifier(Identifier_OtherURI);
        if (first & 0x01)
            ReadIdentifier(Identifier_OtherURI);
    }
    if (Next() != kTerminator)
        Fail("Failed to parse FastInfoset. Invalid Encoding of a notation.");
}

void CFastInfosetReader::SkipUnparsedEntities()
{
    while ((Peek() & 0xFE) == 0xD0) {
        const unsigned char first = Next();
        ReadIdentifier(Identifier_OtherNCName); // name
        ReadIdentifier(Identifier_OtherURI);    // system identifier
        if (first & 0x01)
            ReadIdentifier(Identifier_OtherURI); // public identifier
        ReadIdentifier(Identifier_OtherNCName); // notation name
    }
    if (Next() != kTerminator)
        Fail("Failed to parse FastInfoset. Invalid Encoding of an unparsed entity.");
}

void CFastInfosetReader::SkipDocumentTypeDeclaration(unsigned char first)
{
    if (first & 0x02)
        ReadIdentifier(Identifier_OtherURI);
    if (first & 0x01)
        ReadIdentifier(Identifier_OtherURI);
    for (;;) {
        const unsigned char octet = Next();
        if (octet == kTerminator)
            return;
        if (octet != kProcessingInstruction)
            Fail("Failed to parse FastInfoset. Invalid Encoding of a document type declaration.");
        SkipProcessingInstruction();
    }
}

void CFastInfosetReader::SkipProcessingInstruction()
{
    ReadIdentifier(Identifier_OtherNCName);
    ReadNonIdentifyingBit1(Table_OtherStrings);
}

void CFastInfosetReader::SkipComment() { ReadNonIdentifyingBit1(Table_OtherStrings); }

void CFastInfosetReader::SkipEntityReference(unsigned char first)
{
    ReadIdentifier(Identifier_OtherNCName);
    if (first & 0x02)
        ReadIdentifier(Identifier_OtherURI);
    if (first & 0x01)
        ReadIdentifier(Identifier_OtherURI);
}

// ---- elements ----

void CFastInfosetReader::ReadNamespaceAttributes()
{
    auto& aliases = m_document->GetNamespaceAliases();
    for (;;) {
        const unsigned char octet = Next();
        if (octet == kTerminator)
            return;
        if ((octet & 0xFC) != 0xCC)
            Fail("Failed to parse FastInfoset. Invalid Encoding of a namespace attribute.");
        static const std::string none;
        const std::string* prefix = &none;
        if (octet & 0x02) {
            ReadIdentifier(Identifier_Prefix);
            prefix = m_pIdentifier == &m_identifier ? &(m_prefix = m_identifier) : m_pIdentifier;
        }
        std::string namespaceName;
        if (octet & 0x01) {
            ReadIdentifier(Identifier_Namespace);
            namespaceName = *m_pIdentifier;
        }
        aliases[*prefix] = std::move(namespaceName);
    }
}

CFastInfosetReader::InternedName CFastInfosetReader::InternedNameRead(std::vector<InternedName>& interned,
                                                                     std::uint32_t index)
{
    if (index != 0 && index < interned.size() && interned[index].second)
        return interned[index];
    const InternedName name{m_document->InternName(m_pNamespace->c_str()),
                            m_document->InternName(m_pLocalName->c_str())};
    if (index != 0) {
        if (index >= interned.size())
            interned.resize(index + 1);
        interned[index] = name;
    }
    return name;
}

bool CFastInfosetReader::ReadElementStart(unsigned char first, bool isRoot)
{
    const bool hasAttributes = (first & 0x40) != 0;
    unsigned char nameOctet = first;
    if ((first & 0x3C) == 0x38) {
        ReadNamespaceAttributes();
        // The name starts on bit 3 of the octet after the terminator.
        nameOctet = Next();
    }
    ReadElementQName(nameOctet);

    CXmlElement* element;
    if (isRoot) {
        TS_DEBUG_TRACE("New Root Elm: %s::%s\n", m_pNamespace->c_str(), m_pLocalName->c_str());
        element = m_document->AddDocElement(m_pNamespace->c_str(), m_pLocalName->c_str());
    } else {
        TS_DEBUG_TRACE("New Elm: %s::%s\n", m_pNamespace->c_str(), m_pLocalName->c_str());
        const InternedName name = InternedNameRead(m_internedElementNames, m_elementNameIndex);
        element = m_document->AddChildElementInterned(name.first, name.second);
    }
    if (!hasAttributes)
        return false;

    for (;;) {
        const unsigned char octet = Next();
        if (octet == kTerminator)
            return false;
        if (octet == kDoubleTerminator)
            return true;
        if (octet & 0x80)
            Fail("Failed to parse FastInfoset. Invalid Encoding of Attribute type.");
        ReadAttributeQName(octet);
        // Reading the value adds to the attribute-value table only, so the
        // name's strings stay where they are.
        const InternedName name = InternedNameRead(m_internedAttributeNames, m_attributeNameIndex);
        const std::string& value = ReadNonIdentifyingBit1(Table_AttributeValues);
        CXmlDocument::AddElementAttributeInterned(element, name.second, value, name.first);
    }
}

void CFastInfosetReader::ReadCharacterChunk(unsigned char first)
{
    CXmlElement* element = m_document->m_pElementStack.back();
    if (first & 0x20) {
        const std::string& text = TableString(m_pVocabulary->GetCharacterChunksTable().m_table, IntegerBit4(first),
                                              "character chunk");
        CXmlDocument::AppendTextExcludingCR(element, text.data(), static_cast<unsigned long>(text.size()));
        return;
    }
    const bool add = (first & 0x10) != 0;
    const unsigned discriminant = (first >> 2) & 0x03u;
    if (!add && discriminant == Discriminant_Utf8 && m_utf8Local) {
        // UTF-8 text that is not kept for later goes straight from the input.
        const std::uint64_t length = OctetStringLengthBit7(first);
        const unsigned char* octets = Take(length);
        CXmlDocument::AppendTextExcludingCR(element, reinterpret_cast<const char*>(octets),
                                            static_cast<unsigned long>(length));
        return;
    }
    ReadEncodedStringBit5(first, m_value);
    CXmlDocument::AppendTextExcludingCR(element, m_value.data(), static_cast<unsigned long>(m_value.size()));
    if (add)
        AddToTable(Table_CharacterChunks, m_value);
}

void CFastInfosetReader::EndElement()
{
    if (IsDebugTraceOn()) {
        const CXmlElement* element = m_document->m_pElementStack.back();
        DebugTraceFormatted("End Elm: %s::%s\n", element->GetNamespaceURI().c_str(),
                            element->GetLocalName().c_str());
    }
    m_document->EndElement();
    ++m_endedInStep;
}

void CFastInfosetReader::ReadElementContent(unsigned char octet)
{
    if (octet < 0x80) {
        if (ReadElementStart(octet, false))
            EndElement();
        else
            ++m_depth;
    } else if ((octet & 0xC0) == 0x80) {
        ReadCharacterChunk(octet);
    } else if (octet == kTerminator) {
        EndElement();
        --m_depth;
    } else if (octet == kDoubleTerminator) {
        // This element's terminator and its parent's (or the document's).
        EndElement();
        --m_depth;
        if (m_depth == 0) {
            m_documentTerminated = true;
        } else {
            EndElement();
            --m_depth;
        }
    } else if (octet == kProcessingInstruction) {
        SkipProcessingInstruction();
    } else if (octet == kComment) {
        SkipComment();
    } else if ((octet & 0xFC) == 0xC8) {
        SkipEntityReference(octet);
    } else {
        Fail(kBadElementChild);
    }
}

// ---- document ----

bool CFastInfosetReader::ReadDocument() { return BeginDocument() && ReadSome(0); }

bool CFastInfosetReader::BeginDocument()
{
    const unsigned char* data = m_document->m_data;
    const std::size_t length = data ? m_document->m_dataLength : 0;
    std::size_t start = 0;
    auto identificationAt = [&](std::size_t offset) {
        return length >= offset + sizeof kIdentification &&
               std::memcmp(data + offset, kIdentification, sizeof kIdentification) == 0;
    };
    if (identificationAt(0)) {
        start = sizeof kIdentification;
    } else {
        for (int decl = 1; decl <= kDeclarationCount && start == 0; ++decl) {
            const char* declaration = CFastInfosetContext::GetDeclarationText(decl);
            const std::size_t size = declaration ? std::strlen(declaration) : 0;
            if (size == 0 || length < size || std::memcmp(data, declaration, size) != 0)
                continue;
            if (!identificationAt(size))
                return false;
            start = size + sizeof kIdentification;
        }
        if (start == 0)
            return false;
    }
    m_pos = data + start;
    m_end = data + length;
    ReadOptionalComponents();
    return true;
}

bool CFastInfosetReader::ReadSome(unsigned pauseEvery)
{
    // The open elements are counted here and held by the document's element
    // stack, so nesting costs heap, not call stack.
    m_endedInStep = 0;
    for (;;) {
        if (m_depth > 0) {
            if (pauseEvery && m_endedInStep >= pauseEvery)
                return false;
            ReadElementContent(Next());
            continue;
        }
        if (m_documentTerminated)
            break;
        const unsigned char octet = Next();
        if (octet == kTerminator || octet == kDoubleTerminator)
            break;
        if (octet < 0x80) {
            if (m_haveDocumentElement)
                Fail("Failed to parse FastInfoset. The document has more than one document element.");
            m_haveDocumentElement = true;
            if (ReadElementStart(octet, true))
                EndElement();
            else
                m_depth = 1;
        } else if (octet == kProcessingInstruction) {
            SkipProcessingInstruction();
        } else if (octet == kComment) {
            SkipComment();
        } else if ((octet & 0xFC) == 0xC4) {
            SkipDocumentTypeDeclaration(octet);
        } else {
            Fail("Failed to parse FastInfoset. Invalid Encoding of Document type.");
        }
    }
    if (!m_haveDocumentElement)
        Fail("Failed to parse FastInfoset. The document has no document element.");
    return true;
}

} // namespace TsXmlLib16
