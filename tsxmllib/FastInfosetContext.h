// Options of the Fast Infoset form, owned by the serialization context: the
// string encoding, how the values of each primitive type are encoded, when
// short strings go into the tables, and an optional pre-filled vocabulary.
#ifndef TSXMLLIB_FASTINFOSETCONTEXT_H
#define TSXMLLIB_FASTINFOSETCONTEXT_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/FIVocabulary.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFastInfosetContext {
public:
    // Number of entries of the encoding table (one per ItemType).
    static constexpr unsigned EncodingCount = 29;

    // Default string encodings.
    static constexpr unsigned char StringEncoding_UTF8 = 0;
    static constexpr unsigned char StringEncoding_UTF16BE = 1;

    // How the text of one ItemType is encoded.
    struct TSXMLLIB_EXPORT EncodedCharacterString {
        enum Kind : std::uint32_t {
            Kind_CharacterString = 0,   // the default string encoding; index unused
            Kind_RestrictedAlphabet = 1, // index: alphabet of the vocabulary (1-based)
            Kind_EncodingAlgorithm = 2   // index: built-in algorithm 1 to 10
        };

        EncodedCharacterString() = default;
        EncodedCharacterString(std::uint32_t kind, std::uint32_t index) : m_kind(kind), m_index(index) {}
        bool operator==(const EncodedCharacterString& other) const
        {
            return m_kind == other.m_kind && m_index == other.m_index;
        }

        std::uint32_t m_kind = Kind_CharacterString;
        std::uint32_t m_index = 0;
    };

    // The XML declaration that FInfoDecl value decl puts in front of a
    // document; null for FInfoDecl_None and values outside the enumeration.
    static const char* GetDeclarationText(int decl);

    CFastInfosetContext();
    CFastInfosetContext(const CFastInfosetContext& other);
    CFastInfosetContext& operator=(const CFastInfosetContext& other);
    virtual ~CFastInfosetContext();

    unsigned char GetDefaultStringEncoding() const { return m_defaultStringEncoding; }
    void SetDefaultStringEncoding(unsigned char encoding) { m_defaultStringEncoding = encoding; }

    // Entries outside the table read as a character string and are not stored.
    EncodedCharacterString GetEncoding(unsigned index) const
    {
        return index < EncodingCount ? m_encodings[index] : EncodedCharacterString();
    }
    void SetEncoding(unsigned index, const EncodedCharacterString& encoding);
    // Binary, numeric, boolean and date/time types get the algorithms and
    // alphabets made for them; other entries keep what they hold.
    void SetSuggestedValues();

    // Strings at least this many bytes long are never added to the tables.
    std::uint32_t GetAttributeMaxAddLength() const { return m_attributeMaxAddLength; }
    void SetAttributeMaxAddLength(std::uint32_t length) { m_attributeMaxAddLength = length; }
    std::uint32_t GetElementMaxAddLength() const { return m_elementMaxAddLength; }
    void SetElementMaxAddLength(std::uint32_t length) { m_elementMaxAddLength = length; }

    // With the flag the writer starts each document from a copy of the
    // vocabulary below (filled by generated code) and announces it by the
    // external vocabulary URI.
    bool GetUseGeneratedVocabulary() const { return m_useGeneratedVocabulary; }
    void SetUseGeneratedVocabulary(bool use) { m_useGeneratedVocabulary = use; }
    CFIVocabulary* GetVocabulary() { return &m_vocabulary; }
    const CFIVocabulary* GetVocabulary() const { return &m_vocabulary; }
    std::string GetExternalVocabularyURI() const { return m_externalVocabularyURI; }
    void SetExternalVocabularyURI(const char* uri) { m_externalVocabularyURI = uri ? uri : ""; }

private:
    unsigned char m_defaultStringEncoding = StringEncoding_UTF8;
    EncodedCharacterString m_encodings[EncodingCount];
    std::uint32_t m_attributeMaxAddLength = 6;
    std::uint32_t m_elementMaxAddLength = 6;
    bool m_useGeneratedVocabulary = false;
    CFIVocabulary m_vocabulary;
    std::string m_externalVocabularyURI;
};

} // namespace TsXmlLib16

#endif
