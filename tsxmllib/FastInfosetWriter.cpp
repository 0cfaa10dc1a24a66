#include "tsxmllib/FastInfosetWriter.h"

#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/Encoder.h"
#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/FastInfosetBinaryData.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/Namespaces.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/WordScan.h"

#include <cassert>
#include <cstring>

namespace TsXmlLib16 {

namespace {
const char kAttributesFirst[] = "Attributes must be added before elements";
const char kUtf16Unsupported[] =
    "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5.";
const char kUnknownEncodingBit3[] = "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit5.";
const char kUnknownEncodingBit5[] = "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit7.";

// Identification "\xE0\0" and version 1.
const unsigned char kIdentification[] = {0xE0, 0x00, 0x00, 0x01};

// First octets of the document's optional parts.
constexpr unsigned char kNoDocumentComponents = 0x00;
constexpr unsigned char kInitialVocabularyPresent = 0x20;
// Of the initial vocabulary's 13 optional components only the external vocabulary.
const unsigned char kExternalVocabularyOnly[] = {0x10, 0x00};

// Two 4-bit terminators in one octet.
constexpr unsigned char kDoubleTerminator = 0xFF;

// Element octet: bit 2 = attributes present; '1110' '00' = namespace attributes follow.
constexpr unsigned char kAttributesPresent = 0x40;
constexpr unsigned char kNamespaceAttributes = 0x38;
// Namespace attribute '110011' + prefix bit + namespace bit.
constexpr unsigned char kNamespaceAttributeNone = 0xCC; // xmlns=""
constexpr unsigned char kNamespaceAttributeNoPrefix = 0xCD;
constexpr unsigned char kNamespaceAttributePrefix = 0xCF;
// Literal qualified names: '1111' from bit 3 (elements), '11110' from bit 2 (attributes).
constexpr unsigned char kLiteralElementName = 0x3C;
constexpr unsigned char kLiteralAttributeName = 0x78;
constexpr unsigned char kPrefixPresent = 0x02;
constexpr unsigned char kNamespacePresent = 0x01;
// Character chunk: '10' in bits 1 and 2.
constexpr unsigned char kCharacterChunk = 0x80;

// Discriminants of an encoded character string.
enum : unsigned { Discriminant_Utf8 = 0, Discriminant_Utf16 = 1, Discriminant_Alphabet = 2, Discriminant_Algorithm = 3 };

constexpr std::uint32_t kMaxAlgorithm = 10;


[[maybe_unused]] bool IsIndex(std::uint32_t value) { return value >= 1 && value <= CFIVocabulary::MaxTableSize; }
} // namespace

const char* const CFastInfosetWriter::DefaultExternalVocabularyURI = "urn:tsxmllib:fastinfoset:vocabulary:16.1";

CFastInfosetWriter::CFastInfosetWriter(const CFastInfosetContext& context, CBinaryStream* stream)
    : CXmlWriter("CFastInfosetWriter"),
      m_pStream(stream),
      m_pOut(&stream->Gathered()),
      m_context(context),
      m_localIsUtf8(IsLocalEncodingUtf8()),
      m_pVocabulary(context.GetUseGeneratedVocabulary() ? new CFIVocabulary(*context.GetVocabulary())
                                                        : new CFIVocabulary())
{
    if (m_localIsUtf8 && context.GetDefaultStringEncoding() == CFastInfosetContext::StringEncoding_UTF8)
        for (unsigned type = 0; type < 32; ++type)
            if (context.GetEncoding(type).m_kind == CFastInfosetContext::EncodedCharacterString::Kind_CharacterString)
                m_textAsItStandsTypes |= 1u << type;
}

CFastInfosetWriter::~CFastInfosetWriter() { delete m_pVocabulary; }

const std::string& CFastInfosetWriter::ConvertedToUtf8(const std::string& text)
{
    m_converted = LocalToUtf8String(text);
    return m_converted;
}

// ---- header and end ----

void CFastInfosetWriter::WriteHeader(FInfoDecl decl)
{
    if (const char* declaration = CFastInfosetContext::GetDeclarationText(decl))
        Put(declaration, std::strlen(declaration));
    Put(reinterpret_cast<const char*>(kIdentification), sizeof kIdentification);
    if (!m_context.GetUseGeneratedVocabulary()) {
        Put(kNoDocumentComponents);
        return;
    }
    Put(kInitialVocabularyPresent);
    Put(reinterpret_cast<const char*>(kExternalVocabularyOnly), sizeof kExternalVocabularyOnly);
    std::string uri = m_context.GetExternalVocabularyURI();
    if (uri.empty())
        uri = DefaultExternalVocabularyURI;
    const std::string& octets = Utf8Of(uri);
    PutOctetStringBit2(0x00, octets.data(), octets.size());
}

void CFastInfosetWriter::WriteDocumentEnd()
{
    Put(m_terminatorPending ? kDoubleTerminator : kTerminator);
    m_terminatorPending = false;
}

// ---- numbers and lengths ----

void CFastInfosetWriter::WriteIntegerBit2(unsigned char leading, std::uint32_t value)
{
    assert(IsIndex(value) && "index out of range");
    if (value <= 64) {
        Put(static_cast<unsigned char>(leading | (value - 1)));
    } else if (value <= 8256) {
        const std::uint32_t v = value - 65;
        Put(static_cast<unsigned char>(leading | 0x40 | (v >> 8)));
        Put(static_cast<unsigned char>(v));
    } else {
        const std::uint32_t v = value - 8257;
        Put(static_cast<unsigned char>(leading | 0x60 | (v >> 16)));
        Put(static_cast<unsigned char>(v >> 8));
        Put(static_cast<unsigned char>(v));
    }
}

void CFastInfosetWriter::WriteIntegerOrZeroBit2(unsigned char leading, std::uint32_t value)
{
    if (value == 0)
        Put(static_cast<unsigned char>(leading | 0x7F));
    else
        WriteIntegerBit2(leading, value);
}

void CFastInfosetWriter::WriteIntegerBit3(unsigned char leading, std::uint32_t value)
{
    assert(IsIndex(value) && "index out of range");
    if (value <= 32) {
        Put(static_cast<unsigned char>(leading | (value - 1)));
    } else if (value <= 2080) {
        const std::uint32_t v = value - 33;
        Put(static_cast<unsigned char>(leading | 0x20 | (v >> 8)));
        Put(static_cast<unsigned char>(v));
    } else if (value <= 526368) {
        const std::uint32_t v = value - 2081;
        Put(static_cast<unsigned char>(leading | 0x28 | (v >> 16)));
        Put(static_cast<unsigned char>(v >> 8));
        Put(static_cast<unsigned char>(v));
    } else {
        const std::uint32_t v = value - 526369;
        Put(static_cast<unsigned char>(leading | 0x30));
        Put(static_cast<unsigned char>(v >> 16));
        Put(static_cast<unsigned char>(v >> 8));
        Put(static_cast<unsigned char>(v));
    }
}

unsigned char* CFastInfosetWriter::EncodeIntegerBit4(unsigned char* out, unsigned char leading, std::uint32_t value)
{
    assert(IsIndex(value) && "index out of range");
    if (value <= 16) {
        *out++ = static_cast<unsigned char>(leading | (value - 1));
    } else if (value <= 1040) {
        const std::uint32_t v = value - 17;
        *out++ = static_cast<unsigned char>(leading | 0x10 | (v >> 8));
        *out++ = static_cast<unsigned char>(v);
    } else if (value <= 263184) {
        const std::uint32_t v = value - 1041;
        *out++ = static_cast<unsigned char>(leading | 0x14 | (v >> 16));
        *out++ = static_cast<unsigned char>(v >> 8);
        *out++ = static_cast<unsigned char>(v);
    } else {
        const std::uint32_t v = value - 263185;
        *out++ = static_cast<unsigned char>(leading | 0x18);
        *out++ = static_cast<unsigned char>(v >> 16);
        *out++ = static_cast<unsigned char>(v >> 8);
        *out++ = static_cast<unsigned char>(v);
    }
    return out;
}

void CFastInfosetWriter::WriteIntegerBit4(unsigned char leading, std::uint32_t value)
{
    m_pOut->Commit(EncodeIntegerBit4(m_pOut->Reserve(4), leading, value));
}

void CFastInfosetWriter::WriteOctetStringBit2(unsigned char leading, const std::string& octets)
{
    PutOctetStringBit2(leading, octets.data(), octets.size());
}

void CFastInfosetWriter::WriteOctetStringBit5(unsigned char leading, const std::string& octets)
{
    PutOctetStringBit5(leading, octets.data(), octets.size());
}

void CFastInfosetWriter::WriteOctetStringBit7(unsigned char leading, const std::string& octets)
{
    PutOctetStringBit7(leading, octets.data(), octets.size());
}

// ---- encoded character strings ----

std::string CFastInfosetWriter::PackRestrictedAlphabetString(std::uint32_t alphabetIndex,
                                                             const std::string& text) const
{
    static const std::string kNoAlphabet;
    const auto& alphabets = m_pVocabulary->GetRestrictedAlphabets();
    const std::string& alphabet =
        alphabetIndex >= 1 && alphabetIndex <= alphabets.size() ? alphabets[alphabetIndex - 1] : kNoAlphabet;
    if (alphabet.size() < 2 || alphabet.size() > CFIVocabulary::MaxTableSize)
        throw CTsException("Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain "
                           "between 2 and 2^20 characters.");
    unsigned width = 2;
    while ((std::size_t{1} << width) <= alphabet.size())
        ++width;
    if (width != 4 && width != 8)
        throw CTsException("Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString.");

    std::string packed;
    packed.reserve(width == 4 ? (text.size() + 1) / 2 : text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t code = alphabet.find(text[i]);
        if (code == std::string::npos)
            throw CTsException("Failed to write FastInfoset. Invalid character not found for Restricted Alphabet.");
        if (width == 8)
            packed += static_cast<char>(code);
        else if (i % 2 == 0)
            packed += static_cast<char>((code << 4) | 0x0F); // the low nibble stays 0xF when no code follows
        else
            packed.back() = static_cast<char>((static_cast<unsigned char>(packed.back()) & 0xF0) | code);
    }
    return packed;
}

std::string CFastInfosetWriter::EncodeCharacterString(const std::string& text, ItemType type,
                                                      unsigned& discriminant, std::uint32_t& tableIndex,
                                                      const char* unknownMessage) const
{
    const CFastInfosetContext::EncodedCharacterString encoding = m_context.GetEncoding(type);
    tableIndex = encoding.m_index;
    switch (encoding.m_kind) {
    case CFastInfosetContext::EncodedCharacterString::Kind_CharacterString:
        // Only a UTF-16 default gets here: UTF-8 strings are written directly.
        throw CTsException(kUtf16Unsupported);
    case CFastInfosetContext::EncodedCharacterString::Kind_RestrictedAlphabet:
        if (encoding.m_index != 1 && encoding.m_index != 2)
            throw CTsException(FormatString("Failed to write FastInfoset. Invalid Restricted Alphabet value [%d]",
                                            static_cast<int>(encoding.m_index)));
        discriminant = Discriminant_Alphabet;
        return PackRestrictedAlphabetString(encoding.m_index, text);
    case CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm: {
        if (encoding.m_index < 1 || encoding.m_index > kMaxAlgorithm)
            throw CTsException(FormatString("Failed to write FastInfoset. Invalid Encoding Algorithm value [%d]",
                                            static_cast<int>(encoding.m_index)));
        discriminant = Discriminant_Algorithm;
        CFastInfosetBinaryData data;
        data.SetAsEncodedString(encoding.m_index, text.c_str());
        return data.GetLength() ? std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength())
                                : std::string();
    }
    default:
        throw CTsException(unknownMessage);
    }
}

namespace {
bool IsUtf8CharacterString(const CFastInfosetContext& context, ItemType type)
{
    return context.GetEncoding(type).m_kind == CFastInfosetContext::EncodedCharacterString::Kind_CharacterString &&
           context.GetDefaultStringEncoding() == CFastInfosetContext::StringEncoding_UTF8;
}
} // namespace

void CFastInfosetWriter::WriteEncodedStringBit3(unsigned char leading, const std::string& text, ItemType type)
{
    if (IsUtf8CharacterString(m_context, type)) {
        const std::string& octets = Utf8Of(text);
        PutOctetStringBit5(static_cast<unsigned char>(leading | (Discriminant_Utf8 << 4)), octets.data(),
                           octets.size());
        return;
    }
    unsigned discriminant = 0;
    std::uint32_t index = 0;
    const std::string octets = EncodeCharacterString(text, type, discriminant, index, kUnknownEncodingBit3);
    leading = static_cast<unsigned char>(leading | (discriminant << 4));
    // The 8-bit table index: its high half ends this octet, its low half starts the next.
    const unsigned value = index - 1;
    Put(static_cast<unsigned char>(leading | (value >> 4)));
    PutOctetStringBit5(static_cast<unsigned char>((value & 0x0F) << 4), octets.data(), octets.size());
}

void CFastInfosetWriter::WriteEncodedStringBit5(unsigned char leading, const std::string& text, ItemType type)
{
    if (IsUtf8CharacterString(m_context, type)) {
        const std::string& octets = Utf8Of(text);
        PutOctetStringBit7(static_cast<unsigned char>(leading | (Discriminant_Utf8 << 2)), octets.data(),
                           octets.size());
        return;
    }
    unsigned discriminant = 0;
    std::uint32_t index = 0;
    const std::string octets = EncodeCharacterString(text, type, discriminant, index, kUnknownEncodingBit5);
    leading = static_cast<unsigned char>(leading | (discriminant << 2));
    // The 8-bit table index: its top two bits end this octet, the other six start the next.
    const unsigned value = index - 1;
    Put(static_cast<unsigned char>(leading | (value >> 6)));
    PutOctetStringBit7(static_cast<unsigned char>((value & 0x3F) << 2), octets.data(), octets.size());
}

// ---- names ----

void CFastInfosetWriter::WriteIdentifier(IdentifierKind kind, const std::string& value)
{
    std::uint32_t index = 0;
    bool found = false;
    switch (kind) {
    case Identifier_Prefix:
        found = m_pVocabulary->FindPrefixNameIndex(value, index);
        break;
    case Identifier_Namespace:
        found = m_pVocabulary->FindNamespaceNameIndex(value, index);
        break;
    case Identifier_LocalName:
        found = m_pVocabulary->FindLocalNameIndex(value, index);
        break;
    }
    if (found) {
        PutIntegerBit2(0x80, index);
        return;
    }
    const std::string& octets = Utf8Of(value);
    PutOctetStringBit2(0x00, octets.data(), octets.size());
    switch (kind) {
    case Identifier_Prefix:
        m_pVocabulary->AddPrefixName(value);
        break;
    case Identifier_Namespace:
        m_pVocabulary->AddNamespaceName(value);
        break;
    case Identifier_LocalName:
        m_pVocabulary->AddLocalName(value);
        break;
    }
}

std::uint32_t CFastInfosetWriter::FindNameInVocabulary(NameCacheEntry& cached, bool element, const std::string& prefix,
                                                       const std::string& namespaceUri, const std::string& localName)
{
    std::uint32_t index = 0;
    const bool found = element ? m_pVocabulary->FindElementNameIndex(prefix, namespaceUri, localName, index)
                               : m_pVocabulary->FindAttributeNameIndex(prefix, namespaceUri, localName, index);
    if (!found)
        return 0;
    cached.prefix = prefix;
    cached.namespaceUri = namespaceUri;
    cached.localName = localName;
    cached.index = index;
    return index;
}

#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline std::uint32_t CFastInfosetWriter::FindName(NameCacheEntry* cache, bool element, const std::string& prefix,
                                                  const std::string& namespaceUri, const std::string& localName)
{
    NameCacheEntry& cached = CacheSlot(cache, localName);
    if (cached.index != 0 && WordScan::SameBytes(cached.localName, localName) &&
        WordScan::SameBytes(cached.namespaceUri, namespaceUri) && WordScan::SameBytes(cached.prefix, prefix))
        return cached.index;
    return FindNameInVocabulary(cached, element, prefix, namespaceUri, localName);
}

std::uint32_t CFastInfosetWriter::FindShortString(ShortStringCacheEntry* cache, VocabularyFind find,
                                                  const std::string& text) const
{
    std::uint32_t index = 0;
    const std::size_t length = text.size();
    if (length == 0 || length > 7)
        return (m_pVocabulary->*find)(text, index) ? index : 0;
    // The length in the low octet keeps strings that differ only by trailing zero octets apart.
    std::uint64_t key = length;
    for (std::size_t i = 0; i < length; ++i)
        key |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * (i + 1));
    ShortStringCacheEntry* place = cache + 2 * ((key * 0x9E3779B97F4A7C15ull) >> 56);
    static_assert(kShortStringCacheSize == 2 * 256, "the place is the top octet of the product");
    if (place[0].index != 0 && place[0].key == key)
        return place[0].index;
    if (place[1].index != 0 && place[1].key == key) {
        // The entry used last comes first.
        std::swap(place[0], place[1]);
        return place[0].index;
    }
    if (!(m_pVocabulary->*find)(text, index))
        return 0;
    place[1] = place[0];
    place[0].key = key;
    place[0].index = index;
    return index;
}

void CFastInfosetWriter::WriteLiteralName(unsigned char form, const std::string& prefix,
                                          const std::string& namespaceUri, const std::string& localName)
{
    Put(static_cast<unsigned char>(form | (prefix.empty() ? 0 : kPrefixPresent) |
                                   (namespaceUri.empty() ? 0 : kNamespacePresent)));
    if (!prefix.empty())
        WriteIdentifier(Identifier_Prefix, prefix);
    if (!namespaceUri.empty())
        WriteIdentifier(Identifier_Namespace, namespaceUri);
    WriteIdentifier(Identifier_LocalName, localName);
}

void CFastInfosetWriter::WriteElementName(unsigned char leading, const std::string& prefix,
                                          const std::string& namespaceUri, const std::string& localName)
{
    assert((prefix.empty() || !namespaceUri.empty()) && "a prefix needs a namespace");
    if (const std::uint32_t index = FindName(m_elementNameCache, true, prefix, namespaceUri, localName)) {
        PutIntegerBit3(leading, index);
        return;
    }
    WriteNewElementName(leading, prefix, namespaceUri, localName);
}

void CFastInfosetWriter::WriteNewElementName(unsigned char leading, const std::string& prefix,
                                             const std::string& namespaceUri, const std::string& localName)
{
    WriteLiteralName(static_cast<unsigned char>(leading | kLiteralElementName), prefix, namespaceUri, localName);
    m_pVocabulary->AddElementName(prefix, namespaceUri, localName);
}

void CFastInfosetWriter::WriteAttributeName(const std::string& prefix, const std::string& namespaceUri,
                                            const std::string& localName)
{
    assert((prefix.empty() || !namespaceUri.empty()) && "a prefix needs a namespace");
    if (const std::uint32_t index = FindName(m_attributeNameCache, false, prefix, namespaceUri, localName)) {
        PutIntegerBit2(0x00, index);
        return;
    }
    WriteLiteralName(kLiteralAttributeName, prefix, namespaceUri, localName);
    m_pVocabulary->AddAttributeName(prefix, namespaceUri, localName);
}

std::string CFastInfosetWriter::PrefixFor(const std::string& uri)
{
    assert(m_pPending == m_pContext && "prefixes are settled while the start tag is pending");
    // The common case, a namespace already mapped, in one look-up.
    const NamespaceMap& map = m_pContext->GetNamespaceMap();
    const auto known = map.find(uri);
    if (known != map.end() && !known->second.empty())
        return known->second;
    const std::string generated = m_pContext->GeneratePrefix();
    m_pContext->AddNamespace(generated, uri);
    // The document element declares its whole map; other elements declare
    // what was generated for them.
    if (m_pContext->GetParent())
        m_pendingDeclarations.emplace_back(generated, uri);
    return generated;
}

// ---- elements ----

namespace {
// Whether the document element declares the namespace of a map entry.
bool IsDeclared(const CXmlWriter::NamespaceMap::value_type& entry)
{
    return entry.first != XmlNamespaceUri && !entry.second.empty();
}
} // namespace

void CFastInfosetWriter::WritePendingElementOctets()
{
    CXmlWriterContext* context = m_pPending;
    m_pPending = nullptr;
    context->SetStartTagOpen(false);

    const bool hasAttributes = m_pendingAttributeCount != 0;
    unsigned char leading = hasAttributes ? kAttributesPresent : 0x00;

    // The document element carries the namespace declarations of the
    // document, every other element those generated for its own names.
    const bool isDocumentElement = !context->GetParent();
    const std::string* defaultNamespace = nullptr;
    bool declares = m_pendingUndeclaresDefault || !m_pendingDeclarations.empty();
    if (isDocumentElement) {
        if (!context->GetDefaultNamespace().empty())
            defaultNamespace = &context->GetDefaultNamespace();
        declares = declares || defaultNamespace;
        for (const auto& entry : context->GetNamespaceMap())
            declares = declares || IsDeclared(entry);
    }
    if (declares) {
        Put(static_cast<unsigned char>(leading | kNamespaceAttributes));
        if (m_pendingUndeclaresDefault) {
            Put(kNamespaceAttributeNone);
        } else if (defaultNamespace) {
            Put(kNamespaceAttributeNoPrefix);
            WriteIdentifier(Identifier_Namespace, *defaultNamespace);
        }
        const auto declare = [this](const std::string& prefix, const std::string& uri) {
            Put(kNamespaceAttributePrefix);
            WriteIdentifier(Identifier_Prefix, prefix);
            WriteIdentifier(Identifier_Namespace, uri);
        };
        if (isDocumentElement) {
            for (const auto& entry : context->GetNamespaceMap())
                if (IsDeclared(entry))
                    declare(entry.second, entry.first);
        } else {
            for (const auto& [prefix, uri] : m_pendingDeclarations)
                declare(prefix, uri);
        }
        Put(kTerminator);
        leading = 0x00;
        m_pendingDeclarations.clear();
        m_pendingUndeclaresDefault = false;
    }

    WriteElementName(leading, m_pendingPrefix, context->GetNamespaceUri(), context->GetLocalName());
    m_pendingPrefix.clear();
    if (!hasAttributes)
        return;
    std::size_t valueBegin = 0;
    for (std::size_t i = 0; i < m_pendingAttributeCount; ++i) {
        const PendingAttribute& attribute = m_pendingAttributes[i];
        // A name not in the table when its attribute came may be there now,
        // added by an earlier attribute of this element.
        if (attribute.nameIndex)
            PutIntegerBit2(0x00, attribute.nameIndex);
        else
            WriteAttributeName(attribute.prefix, attribute.namespaceUri, attribute.localName);
        Put(reinterpret_cast<const char*>(m_attributeOctets.Data()) + valueBegin, attribute.valueEnd - valueBegin);
        valueBegin = attribute.valueEnd;
    }
    m_pendingAttributeCount = 0;
    m_attributeOctets.Clear();
    // The attribute list's terminator: the element's content follows.
    Put(kTerminator);
}

void CFastInfosetWriter::StartElement(const std::string& localName, const std::string& namespaceUri)
{
    TS_DEBUG_TRACE(m_pContext ? "New Elm: %s::%s\n" : "Root Elm: %s::%s\n", namespaceUri.c_str(),
                   localName.c_str());
    WritePendingElement();
    PutPendingTerminator();
    if (m_pContext)
        m_pContext->IncrementChildCount();
    CXmlWriterContext* context = PushContext(localName, namespaceUri);
    context->SetStartTagOpen(true);
    m_pPending = context;
    // An element without namespace cannot stand in a default namespace: the
    // default is undeclared for it and its descendants (the document element
    // then declares none).
    if (namespaceUri.empty()) {
        if (!context->GetDefaultNamespace().empty()) {
            context->SetDefaultNamespace("");
            m_pendingUndeclaresDefault = context->GetParent() != nullptr;
        }
    } else if (!WordScan::SameBytes(namespaceUri, context->GetDefaultNamespace())) {
        m_pendingPrefix = PrefixFor(namespaceUri);
    }
}

void CFastInfosetWriter::WriteText(const std::string& text, ItemType type, bool)
{
    assert(m_pContext != 0 && "m_pContext != 0");
    TS_DEBUG_TRACE("Elm Val: %s\n", text.c_str());
    WritePendingElement();
    PutPendingTerminator();
    WriteCharacterChunk(text, type);
}

void CFastInfosetWriter::WriteCharacterChunk(const std::string& text, ItemType type)
{
    if (text.empty())
        return;
    std::uint32_t index = 0;
    if (text.size() >= m_context.GetElementMaxAddLength()) {
        WriteEncodedStringBit5(kCharacterChunk, text, type);
    } else if ((index = FindShortString(m_characterChunkCache, &CFIVocabulary::FindCharacterChunkIndex, text))) {
        PutIntegerBit4(kCharacterChunk | 0x20, index);
    } else {
        WriteEncodedStringBit5(kCharacterChunk | 0x10, text, type);
        m_pVocabulary->AddCharacterChunk(text);
    }
}

bool CFastInfosetWriter::WriteIndexedValueElement(std::uint32_t nameIndex, const std::string& text, ItemType type)
{
    // Names past the first 32 and text longer than 258 octets need the
    // longer integer and length forms, texts of other encodings their own
    // octets: all take the general path. A chunk index takes any of its forms.
    const std::size_t length = text.size();
    if (nameIndex > 32 || length == 0 || length > 258 || !WritesTextAsItStands(type))
        return false;
    // Text shorter than the add length is written by its index when the
    // table holds it, and added otherwise.
    std::uint32_t chunkIndex = 0;
    const bool addable = length < m_context.GetElementMaxAddLength();
    if (addable)
        chunkIndex = FindShortString(m_characterChunkCache, &CFIVocabulary::FindCharacterChunkIndex, text);
    // The octets go through a local pointer: a store through the run's own
    // end pointer would make every following octet read it back. At most:
    // the terminator, the name, and four octets of chunk index or two of
    // chunk header with the text.
    unsigned char* out = m_pOut->Reserve(6 + length);
    if (m_terminatorPending) {
        *out++ = kTerminator;
        m_terminatorPending = false;
    }
    // The name: an integer from 1 to 32 starting on bit 3 of its octet.
    *out++ = static_cast<unsigned char>(nameIndex - 1);
    if (chunkIndex) {
        // A character chunk by index: '10' '1', the index starting on bit 4.
        out = EncodeIntegerBit4(out, kCharacterChunk | 0x20, chunkIndex);
    } else {
        // A literal character chunk ('10' '0', then the add bit), the UTF-8
        // discriminant, and the length as an octet string starting on bit 7.
        const unsigned char chunk =
            static_cast<unsigned char>(kCharacterChunk | (addable ? 0x10 : 0x00) | (Discriminant_Utf8 << 2));
        if (length <= 2) {
            *out++ = static_cast<unsigned char>(chunk | (length - 1));
        } else {
            *out++ = static_cast<unsigned char>(chunk | 0x02);
            *out++ = static_cast<unsigned char>(length - 3);
        }
        CopyShort(out, text.data(), length);
        out += length;
    }
    m_pOut->Commit(out);
    if (addable && !chunkIndex)
        m_pVocabulary->AddCharacterChunk(text);
    return true;
}

void CFastInfosetWriter::EndElement()
{
    assert(m_pContext != 0 && "m_pContext != 0");
    TS_DEBUG_TRACE("End Elm: %s::%s\n", m_pContext->GetNamespaceUri().c_str(), m_pContext->GetLocalName().c_str());
    WritePendingElement();
    if (m_terminatorPending) {
        Put(kDoubleTerminator);
        m_terminatorPending = false;
    } else {
        m_terminatorPending = true;
    }
    PopContext();
}

void CFastInfosetWriter::WriteValueElement(const std::string& localName, const std::string& namespaceUri,
                                           const std::string& text, ItemType type, bool isDefaultValue)
{
    // The element is written in one go, without a context of its own, when
    // its name needs nothing declared for it: no prefix to generate, no
    // default namespace to undeclare. The document element always opens a
    // context.
    static const std::string noPrefix;
    const std::string* prefix = &noPrefix;
    if (m_pContext) {
        const std::string& defaultNamespace = m_pContext->GetDefaultNamespace();
        if (namespaceUri.empty() ? !defaultNamespace.empty()
                                 : !WordScan::SameBytes(namespaceUri, defaultNamespace) &&
                                       !(prefix = m_pContext->FindPrefix(namespaceUri)))
            prefix = nullptr;
    } else {
        prefix = nullptr;
    }
    if (!prefix) {
        CXmlWriter::WriteValueElement(localName, namespaceUri, text, type, isDefaultValue);
        return;
    }
    TS_DEBUG_TRACE("New Elm: %s::%s\n", namespaceUri.c_str(), localName.c_str());
    WritePendingElement();
    m_pContext->IncrementChildCount();
    TS_DEBUG_TRACE("Elm Val: %s\n", text.c_str());
    const std::uint32_t nameIndex = FindName(m_elementNameCache, true, *prefix, namespaceUri, localName);
    if (!nameIndex || !WriteIndexedValueElement(nameIndex, text, type)) {
        PutPendingTerminator();
        if (nameIndex)
            PutIntegerBit3(0x00, nameIndex);
        else
            WriteNewElementName(0x00, *prefix, namespaceUri, localName);
        WriteCharacterChunk(text, type);
    }
    TS_DEBUG_TRACE("End Elm: %s::%s\n", namespaceUri.c_str(), localName.c_str());
    // Its terminator waits, as that of every element ended.
    m_terminatorPending = true;
}

// ---- attributes ----

void CFastInfosetWriter::CheckStartTagOpen() const
{
    assert(m_pContext != 0 && "m_pContext != 0");
    if (!m_pPending)
        throw CTsException(kAttributesFirst);
}

void CFastInfosetWriter::WriteAttributeOctets(const std::string& prefix, const std::string& namespaceUri,
                                              const std::string& localName, const std::string& value, ItemType type)
{
    // The value is encoded now, so that a value its type cannot hold fails
    // here; it only touches the table of attribute values, whose entries
    // follow the attributes' order either way. Its octets wait in
    // m_attributeOctets until the start tag is written.
    const std::size_t valueBegin = m_attributeOctets.Size();
    m_pOut = &m_attributeOctets;
    try {
        WriteAttributeValue(value, type);
    } catch (...) {
        m_pOut = &m_pStream->Gathered();
        m_attributeOctets.Truncate(valueBegin);
        throw;
    }
    m_pOut = &m_pStream->Gathered();

    if (m_pendingAttributeCount == m_pendingAttributes.size()) {
        try {
            m_pendingAttributes.emplace_back();
        } catch (...) {
            m_attributeOctets.Truncate(valueBegin);
            throw;
        }
    }
    PendingAttribute& attribute = m_pendingAttributes[m_pendingAttributeCount];
    // A name already in the table keeps its index; others are settled when
    // the start tag is written.
    attribute.nameIndex = FindName(m_attributeNameCache, false, prefix, namespaceUri, localName);
    if (!attribute.nameIndex) {
        attribute.prefix = prefix;
        attribute.namespaceUri = namespaceUri;
        attribute.localName = localName;
    }
    attribute.valueEnd = m_attributeOctets.Size();
    ++m_pendingAttributeCount;
}

void CFastInfosetWriter::WriteAttributeValue(const std::string& value, ItemType type)
{
    std::uint32_t index = 0;
    if (value.empty()) {
        WriteIntegerOrZeroBit2(0x80, 0);
    } else if (value.size() >= m_context.GetAttributeMaxAddLength()) {
        WriteEncodedStringBit3(0x00, value, type);
    } else if ((index = FindShortString(m_attributeValueCache, &CFIVocabulary::FindAttributeValueIndex, value))) {
        PutIntegerBit2(0x80, index);
    } else {
        WriteEncodedStringBit3(0x40, value, type);
        m_pVocabulary->AddAttributeValue(value);
    }
}

void CFastInfosetWriter::WriteAttribute(const std::string& localName, const std::string& namespaceUri,
                                        const std::string& value, ItemType type)
{
    CheckStartTagOpen();
    if (namespaceUri.empty()) {
        TS_DEBUG_TRACE("Add Att: ::%s\n", localName.c_str());
        TS_DEBUG_TRACE("Att Val: %s\n", value.c_str());
        WriteAttributeOctets(namespaceUri, namespaceUri, localName, value, type); // no namespace, no prefix
        return;
    }
    const std::string prefix = PrefixFor(namespaceUri);
    TS_DEBUG_TRACE("Add Att: %s %s::%s\n", prefix.c_str(), namespaceUri.c_str(), localName.c_str());
    TS_DEBUG_TRACE("Att Val: %s\n", value.c_str());
    WriteAttributeOctets(prefix, namespaceUri, localName, value, type);
}

void CFastInfosetWriter::WriteXsiType(const std::string& typeNamespace, const std::string& typeName, ItemType type)
{
    CheckStartTagOpen();
    // The type's prefix is settled first, so that a generated one comes before
    // the one of the instance namespace.
    std::string typePrefix;
    if (!typeNamespace.empty() && typeNamespace != m_pContext->GetDefaultNamespace())
        typePrefix = PrefixFor(typeNamespace);
    const std::string prefix = PrefixFor(XmlSchemaInstanceNamespaceUri);
    TS_DEBUG_TRACE("Add Att: %s %s::%s\n", prefix.c_str(), XmlSchemaInstanceNamespaceUri, "type");
    std::string value = typeName;
    if (!typePrefix.empty()) {
        value = typePrefix + ":" + typeName;
        TS_DEBUG_TRACE("Att Val: %s:%s\n", typePrefix.c_str(), typeName.c_str());
    } else {
        TS_DEBUG_TRACE("Att Val: %s\n", typeName.c_str());
    }
    WriteAttributeOctets(prefix, XmlSchemaInstanceNamespaceUri, "type", value, type);
}

void CFastInfosetWriter::WriteNil()
{
    CheckStartTagOpen();
    const std::string prefix = PrefixFor(XmlSchemaInstanceNamespaceUri);
    TS_DEBUG_TRACE("Add Att: %s %s::%s\n", prefix.c_str(), XmlSchemaInstanceNamespaceUri, "nil");
    TS_DEBUG_TRACE("Att Val: %s\n", "true");
    WriteAttributeOctets(prefix, XmlSchemaInstanceNamespaceUri, "nil", "true", ItemType_boolean);
}

// ---- content this form does not carry ----

void CFastInfosetWriter::WriteComment(const std::string&) {}

void CFastInfosetWriter::WriteProcessingInstruction(const std::string&) {}

void CFastInfosetWriter::WriteInlineSchema(const std::string&) {}

} // namespace TsXmlLib16
