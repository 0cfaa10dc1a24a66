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

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/XmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TsXmlLib16 {

class CBinaryStream;
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

    void Put(unsigned char octet);
    void Put(const std::string& octets);
    // The header of the element started last with its namespace attributes,
    // name and attributes, if not yet written.
    void WritePendingElement();
    // Ends the innermost start tag: the attribute list's terminator when it has attributes.
    void CloseStartTag();
    // A prefix, namespace name or local name: index when known, else literal (and added).
    void WriteIdentifier(IdentifierKind kind, const std::string& value);
    void WriteElementName(unsigned char leading, const std::string& prefix, const std::string& namespaceUri,
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
    // The octets of text under the encoding kind/index that the options give type;
    // discriminant receives the 2-bit discriminant, tableIndex the alphabet or
    // algorithm index (unused for character strings).
    std::string EncodeCharacterString(const std::string& text, ItemType type, unsigned& discriminant,
                                      std::uint32_t& tableIndex, const char* unknownMessage) const;

    CBinaryStream* m_pStream;
    struct ElementNameCacheEntry {
        std::string prefix;
        std::string namespaceUri;
        std::string localName;
        std::uint32_t index = 0;  // 0: empty
    };
    static constexpr std::size_t kElementNameCacheSize = 64;
    ElementNameCacheEntry m_elementNameCache[kElementNameCacheSize];
    // While set, octets go here instead of to the stream (an attribute value
    // encoded before its start tag is written).
    std::string* m_pCapture = nullptr;
    const CFastInfosetContext& m_context;
    CXmlWriterContext* m_pPending = nullptr;
    bool m_terminatorPending = false;
    CFIVocabulary* m_pVocabulary;
    // Per open element, innermost last: whether its header announced attributes.
    std::vector<bool> m_hasAttributes;

    // What the pending start tag holds until its header is written: a
    // qualified name must use a prefix declared by a namespace attribute in
    // scope, and all of them come before the element's name.
    struct PendingAttribute {
        std::string prefix;
        std::string namespaceUri;
        std::string localName;
        std::string valueOctets;
    };
    std::string m_pendingPrefix;
    bool m_pendingUndeclaresDefault = false;
    std::vector<std::pair<std::string, std::string>> m_pendingDeclarations; // (prefix, URI)
    std::vector<PendingAttribute> m_pendingAttributes;
};

} // namespace TsXmlLib16

#endif
