// Renders the writer calls as a Fast Infoset document (binary XML) into a byte
// stream. Names and short strings seen before are written as table indexes;
// typed values use the restricted alphabets and encoding algorithms that the
// Fast Infoset options assign to their type.
//
// An element's header is written only when the first attribute, text, child
// or end arrives, because its first octet says whether attributes follow. An
// element's 4-bit terminator is held back until the next octet is known, so
// that two terminators share one octet.
#ifndef TSXMLLIB_FASTINFOSETWRITER_H
#define TSXMLLIB_FASTINFOSETWRITER_H

#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/NameSlot.h"
#include "tsxmllib/XmlWriter.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TsXmlLib16 {

class CFastInfosetContext;
class CFIVocabulary;

class TSXMLLIB_EXPORT CFastInfosetWriter : public CXmlWriter {
public:
    // The URI announced for the generated vocabulary when the options name none.
    static const char* const DefaultExternalVocabularyURI;

    // Neither the options nor the stream are owned; both must outlive the writer.
    CFastInfosetWriter(const CFastInfosetContext& context, CBinaryStream* stream);
    ~CFastInfosetWriter() override;

    // The optional XML declaration, the identification and version, and the
    // optional initial vocabulary. Call it before the first element.
    void WriteHeader(FInfoDecl decl);
    // The document's terminator (sharing its octet with the document
    // element's when that one is still pending).
    void WriteDocumentEnd();

    // Comments, processing instructions and inline schemas are not part of
    // the documents this writer produces.
    void WriteComment(const std::string& text) override;
    void WriteProcessingInstruction(const std::string& text) override;
    void WriteInlineSchema(const std::string& text) override;
    void StartElement(const std::string& localName, const std::string& namespaceUri) override;
    void WriteText(const std::string& text, ItemType type, bool isDefaultValue) override;
    void EndElement() override;
    void WriteAttribute(const std::string& localName, const std::string& namespaceUri, const std::string& value,
                        ItemType type) override;
    void WriteXsiType(const std::string& typeNamespace, const std::string& typeName, ItemType type) override;
    void WriteNil() override;
    void WriteValueElement(const std::string& localName, const std::string& namespaceUri, const std::string& text,
                           ItemType type, bool isDefaultValue) override;

    // The tables built so far for this document.
    CFIVocabulary& GetVocabulary() { return *m_pVocabulary; }

    // ---- encoders ----
    // leading holds the bits already used of the first octet (the others are
    // zero); each encoder completes that octet and writes what follows.

    // Integers 1 to 2^20 starting on bit 2, 3 or 4; 0 to 2^20 starting on bit 2.
    void WriteIntegerBit2(unsigned char leading, std::uint32_t value);
    void WriteIntegerOrZeroBit2(unsigned char leading, std::uint32_t value);
    void WriteIntegerBit3(unsigned char leading, std::uint32_t value);
    void WriteIntegerBit4(unsigned char leading, std::uint32_t value);
    // Length of a non-empty octet string starting on bit 2, 5 or 7, then the octets.
    void WriteOctetStringBit2(unsigned char leading, const std::string& octets);
    void WriteOctetStringBit5(unsigned char leading, const std::string& octets);
    void WriteOctetStringBit7(unsigned char leading, const std::string& octets);
    // Text encoded as the options say for type: a character string, a
    // restricted alphabet or an encoding algorithm, starting on bit 3
    // (attribute values) or bit 5 (character chunks).
    void WriteEncodedStringBit3(unsigned char leading, const std::string& text, ItemType type);
    void WriteEncodedStringBit5(unsigned char leading, const std::string& text, ItemType type);
    // The codes of text in restricted alphabet alphabetIndex (1-based), packed.
    std::string PackRestrictedAlphabetString(std::uint32_t alphabetIndex, const std::string& text) const;

private:
    // Which string table an identifier belongs to.
    enum IdentifierKind { Identifier_Prefix, Identifier_Namespace, Identifier_LocalName };

    // A qualified name's table index remembered by value: documents repeat a
    // few names many times, and a hit costs three short comparisons instead
    // of composing the vocabulary's key and hashing it. An index, once
    // given, never changes, so an entry never goes stale.
    struct NameCacheEntry {
        std::string prefix;
        std::string namespaceUri;
        std::string localName;
        std::uint32_t index = 0; // 0: empty
    };
    static constexpr std::size_t kNameCacheSize = 64;
    static NameCacheEntry& CacheSlot(NameCacheEntry* cache, const std::string& localName)
    {
        return cache[NameSlot(localName, kNameCacheSize)];
    }
    // The index of the name in cache or, failing that, in the vocabulary's
    // element or attribute names (then cached); 0 when it has none yet.
    std::uint32_t FindName(NameCacheEntry* cache, bool element, const std::string& prefix,
                           const std::string& namespaceUri, const std::string& localName);
    std::uint32_t FindNameInVocabulary(NameCacheEntry& cached, bool element, const std::string& prefix,
                                       const std::string& namespaceUri, const std::string& localName);

    // Indexes of short strings (up to 7 octets) by their octets and length
    // packed in one word, so that a hit is one comparison; longer strings,
    // and short ones not cached yet, are looked up in the vocabulary. Each
    // place holds the two strings used last that fall on it, so that two
    // values taking turns on one place do not push each other out.
    struct ShortStringCacheEntry {
        std::uint64_t key = 0;
        std::uint32_t index = 0; // 0: empty
    };
    static constexpr std::size_t kShortStringCacheSize = 512; // 256 places of two entries
    using VocabularyFind = bool (CFIVocabulary::*)(const std::string&, std::uint32_t&) const;
    std::uint32_t FindShortString(ShortStringCacheEntry* cache, VocabularyFind find, const std::string& text) const;

    void Put(unsigned char octet) { m_pOut->Put(octet); }
    void Put(const char* octets, std::size_t length)
    {
        m_pOut->Put(reinterpret_cast<const unsigned char*>(octets), length);
    }
    void PutFourOctets(std::uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            Put(static_cast<unsigned char>(value >> shift));
    }
    // The integer forms with their one-octet case inline: most indexes are small.
    void PutIntegerBit2(unsigned char leading, std::uint32_t value)
    {
        if (value - 1 < 64)
            Put(static_cast<unsigned char>(leading | (value - 1)));
        else
            WriteIntegerBit2(leading, value);
    }
    void PutIntegerBit3(unsigned char leading, std::uint32_t value)
    {
        if (value - 1 < 32)
            Put(static_cast<unsigned char>(leading | (value - 1)));
        else
            WriteIntegerBit3(leading, value);
    }
    // The octets of an integer 1 to 2^20 starting on bit 4 (at most four),
    // written from out on; returns their end.
    static unsigned char* EncodeIntegerBit4(unsigned char* out, unsigned char leading, std::uint32_t value);
    void PutIntegerBit4(unsigned char leading, std::uint32_t value)
    {
        if (value - 1 < 16)
            Put(static_cast<unsigned char>(leading | (value - 1)));
        else
            WriteIntegerBit4(leading, value);
    }
    // The length forms of the public encoders, on raw octets.
    // An octet string with its length starting in the leading octet's low
    // bits: up to `shortest` octets the length fits there, up to 256 more it
    // takes one octet, beyond that four.
    template <std::size_t shortest, unsigned char mediumForm, unsigned char longForm>
    void PutOctetString(unsigned char leading, const char* octets, std::size_t length)
    {
        assert(length != 0 && "octet string must not be empty");
        if (length <= shortest) {
            Put(static_cast<unsigned char>(leading | (length - 1)));
        } else if (length <= shortest + 256) {
            Put(static_cast<unsigned char>(leading | mediumForm));
            Put(static_cast<unsigned char>(length - shortest - 1));
        } else {
            Put(static_cast<unsigned char>(leading | longForm));
            PutFourOctets(static_cast<std::uint32_t>(length - shortest - 257));
        }
        Put(octets, length);
    }
    void PutOctetStringBit2(unsigned char leading, const char* octets, std::size_t length)
    {
        PutOctetString<64, 0x40, 0x60>(leading, octets, length);
    }
    void PutOctetStringBit5(unsigned char leading, const char* octets, std::size_t length)
    {
        PutOctetString<8, 0x08, 0x0C>(leading, octets, length);
    }
    void PutOctetStringBit7(unsigned char leading, const char* octets, std::size_t length)
    {
        PutOctetString<2, 0x02, 0x03>(leading, octets, length);
    }
    // text as UTF-8: text itself when the local encoding is UTF-8, else its
    // conversion (held in m_converted until the next call).
    const std::string& Utf8Of(const std::string& text) { return m_localIsUtf8 ? text : ConvertedToUtf8(text); }
    const std::string& ConvertedToUtf8(const std::string& text);
    // The header of the element started last with its namespace attributes,
    // name and attributes (and their terminator), if not yet written. It
    // ends the start tag: the next octets are the element's content.
    void WritePendingElement()
    {
        if (m_pPending)
            WritePendingElementOctets();
    }
    void WritePendingElementOctets();
    // Writes the terminator of the element ended last, if held back.
    void PutPendingTerminator()
    {
        if (m_terminatorPending) {
            Put(kTerminator);
            m_terminatorPending = false;
        }
    }
    // Character data of an element: nothing when empty, else a chunk by
    // index or literal (and added when short).
    void WriteCharacterChunk(const std::string& text, ItemType type);
    // The held-back terminator, the element name by a small index and its
    // text as a chunk (by index, or literal UTF-8), written at once; false
    // (having written nothing) when the name index, the text or its encoding
    // needs one of the general forms.
    bool WriteIndexedValueElement(std::uint32_t nameIndex, const std::string& text, ItemType type);
    // 4-bit terminator of a list, with padding.
    static constexpr unsigned char kTerminator = 0xF0;
    // A prefix, namespace name or local name: index when known, else literal (and added).
    void WriteIdentifier(IdentifierKind kind, const std::string& value);
    // The octet of a literal qualified name (form: its leading bits) and its parts.
    void WriteLiteralName(unsigned char form, const std::string& prefix, const std::string& namespaceUri,
                          const std::string& localName);
    void WriteElementName(unsigned char leading, const std::string& prefix, const std::string& namespaceUri,
                          const std::string& localName);
    // A name the element-name table does not hold yet: literal, then added.
    void WriteNewElementName(unsigned char leading, const std::string& prefix, const std::string& namespaceUri,
                             const std::string& localName);
    void WriteAttributeName(const std::string& prefix, const std::string& namespaceUri,
                            const std::string& localName);
    // Adds an attribute, with its prefix settled and its value encoded, to the pending start tag.
    void WriteAttributeOctets(const std::string& prefix, const std::string& namespaceUri,
                              const std::string& localName, const std::string& value, ItemType type);
    // An attribute value: empty, by index, or literal (and added when short).
    void WriteAttributeValue(const std::string& value, ItemType type);
    // The prefix the innermost context maps uri to; one generated for it is
    // added and, below the document element, declared on the pending start tag.
    std::string PrefixFor(const std::string& uri);
    // Throws unless attributes may still be added to the innermost element.
    void CheckStartTagOpen() const;
    // The octets of text under a restricted alphabet or an encoding
    // algorithm, as the options give them for type (character strings are
    // written directly): discriminant receives the 2-bit discriminant,
    // tableIndex the alphabet or algorithm index.
    std::string EncodeCharacterString(const std::string& text, ItemType type, unsigned& discriminant,
                                      std::uint32_t& tableIndex, const char* unknownMessage) const;

    CBinaryStream* m_pStream;
    // Where octets go: the stream's gathered bytes, or m_attributeOctets
    // while an attribute value is encoded before its start tag is written.
    COctetRun* m_pOut;
    const CFastInfosetContext& m_context;
    const bool m_localIsUtf8;
    // Bit t is set when text of item type t is written as the UTF-8 octets
    // it already is: a character string in UTF-8, from UTF-8 local text.
    std::uint32_t m_textAsItStandsTypes = 0;
    bool WritesTextAsItStands(ItemType type) const
    {
        return static_cast<unsigned>(type) < 32 && (m_textAsItStandsTypes >> type & 1u);
    }
    CXmlWriterContext* m_pPending = nullptr;
    bool m_terminatorPending = false;
    CFIVocabulary* m_pVocabulary;
    std::string m_converted;
    NameCacheEntry m_elementNameCache[kNameCacheSize];
    NameCacheEntry m_attributeNameCache[kNameCacheSize];
    ShortStringCacheEntry m_characterChunkCache[kShortStringCacheSize];
    ShortStringCacheEntry m_attributeValueCache[kShortStringCacheSize];

    // What the pending start tag holds until its header is written: a
    // qualified name must use a prefix declared by a namespace attribute in
    // scope, and all of them come before the element's name. The entries
    // are reused from element to element; the first m_pendingAttributeCount
    // are in use.
    struct PendingAttribute {
        std::uint32_t nameIndex = 0; // 0: the name was not in the table when the attribute came
        std::string prefix;          // the name's parts, kept only when nameIndex is 0
        std::string namespaceUri;
        std::string localName;
        std::size_t valueEnd = 0; // where its value's octets end in m_attributeOctets
    };
    std::string m_pendingPrefix;
    bool m_pendingUndeclaresDefault = false;
    std::vector<std::pair<std::string, std::string>> m_pendingDeclarations; // (prefix, URI)
    std::vector<PendingAttribute> m_pendingAttributes;
    std::size_t m_pendingAttributeCount = 0;
    COctetRun m_attributeOctets;
};

} // namespace TsXmlLib16

#endif
