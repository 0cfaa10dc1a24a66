// Turns a Fast Infoset document (binary XML, ITU-T X.891) held in memory into
// the document tree. Created by the document for one read over its data
// buffer; items the tree cannot hold (comments, processing instructions,
// document type declarations, notations, unparsed entities, additional data)
// are read over and dropped.
//
// The reader is iterative: the depth of the input is bounded by memory (the
// document's element stack), not by the call stack. Every length and index is
// checked against the input and its table before it is used.
#ifndef TSXMLLIB_FASTINFOSETREADER_H
#define TSXMLLIB_FASTINFOSETREADER_H

#include "tsxmllib/FIVocabulary.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TsXmlLib16 {

class CFastInfosetContext;
class CXmlDocument;
class CXmlElement;

class CFastInfosetReader : private CInstanceMonitor {
public:
    CFastInfosetReader(const CFastInfosetContext* context, CXmlDocument* document);
    virtual ~CFastInfosetReader();
    CFastInfosetReader(const CFastInfosetReader&) = delete;
    CFastInfosetReader& operator=(const CFastInfosetReader&) = delete;

    // Reads the document's data into its tree. Returns false, leaving the
    // document untouched, when the data does not start like a Fast Infoset
    // document (the identification, alone or behind one of the XML
    // declarations naming the 'finf' encoding).
    bool ReadDocument();
    // The same in steps: BeginDocument checks the start (false as above) and
    // reads up to the first item of the body; each ReadSome then reads on
    // until pauseEvery elements have ended (0: no pause) or the document is
    // complete, when it returns true.
    bool BeginDocument();
    bool ReadSome(unsigned pauseEvery);

private:
    // Where a literal string goes when the document asks for it to be added.
    enum StringTable { Table_AttributeValues, Table_CharacterChunks, Table_OtherStrings };
    // The tables of identifying strings. Only the counts of the last two are
    // kept: what they hold (names and URIs of dropped items) is never needed.
    enum IdentifierTable { Identifier_Prefix, Identifier_Namespace, Identifier_LocalName, Identifier_OtherNCName,
                           Identifier_OtherURI };

    // ---- input ----
    unsigned char Peek();
    unsigned char Next();
    const unsigned char* Take(std::uint64_t count);
    [[noreturn]] static void Fail(const char* message);

    // ---- numbers and lengths (the first octet is already read) ----
    std::uint32_t IntegerBit2(unsigned char first);
    std::uint32_t IntegerOrZeroBit2(unsigned char first);
    std::uint32_t IntegerBit3(unsigned char first);
    std::uint32_t IntegerBit4(unsigned char first);
    std::uint64_t OctetStringLengthBit2(unsigned char first);
    std::uint64_t OctetStringLengthBit5(unsigned char first);
    std::uint64_t OctetStringLengthBit7(unsigned char first);
    std::uint32_t SequenceLength();
    std::uint32_t IntegerFromBit3Or4(unsigned char first, unsigned width, const char* message);
    std::uint64_t OctetStringLength(unsigned char first, unsigned width, const char* message);
    // A non-empty octet string whose length starts on bit 2 of the next octet.
    void SkipOctetStringBit2();

    // ---- strings ----
    // An identifying string (bit 1 = 1: index, else a literal added to the
    // table). Returns the entry's index; the text is left in *m_pIdentifier.
    std::uint32_t ReadIdentifier(IdentifierTable table);
    // A non-identifying string starting on bit 1 of the next octet (attribute
    // values, comments, processing-instruction data); the returned text lives
    // until the next read.
    const std::string& ReadNonIdentifyingBit1(StringTable table);
    // An encoded character string whose discriminant is bits 3-4 (or 5-6) of
    // first; decoded into out unless decode is false (then only read over).
    void ReadEncodedStringBit3(unsigned char first, std::string& out, bool decode = true);
    void ReadEncodedStringBit5(unsigned char first, std::string& out);
    void DecodeString(unsigned discriminant, std::uint32_t tableIndex, const unsigned char* octets,
                      std::size_t length, std::string& out);
    void DecodeRestrictedAlphabet(std::uint32_t alphabetIndex, const unsigned char* octets, std::size_t length,
                                  std::string& out) const;
    void DecodeUtf8(const unsigned char* octets, std::size_t length, std::string& out) const;
    static const std::string& TableString(const std::vector<std::string>& table, std::uint32_t index,
                                          const char* tableName);
    void AddToTable(StringTable table, const std::string& value);

    // ---- qualified names ----
    // Both leave the name in m_pPrefix, m_pNamespace and m_pLocalName.
    void ReadElementQName(unsigned char first);
    void ReadAttributeQName(unsigned char first);
    // Reads the parts of a literal qualified name and adds it to names.
    void ReadLiteralQName(bool hasPrefix, bool hasNamespace, CFIVocabulary::CFIQNameTable& names);
    void ResolveQName(const CFIVocabulary::CFIQNameTable& names, std::uint32_t index, const char* tableName);

    // ---- structure ----
    void ReadOptionalComponents();
    void SkipInitialVocabulary();
    void SkipNotations();
    void SkipUnparsedEntities();
    void SkipDocumentTypeDeclaration(unsigned char first);
    void SkipProcessingInstruction();
    void SkipComment();
    void SkipEntityReference(unsigned char first);
    void ReadNamespaceAttributes();
    // Reads an element's header and attributes and creates it. Returns true
    // when the element also ended there (its attribute list ended with FF).
    bool ReadElementStart(unsigned char first, bool isRoot);
    void ReadCharacterChunk(unsigned char first);
    void EndElement();
    // One item of an element's content while elements are open.
    void ReadElementContent(unsigned char octet);

    const CFastInfosetContext* m_context;
    CXmlDocument* m_document;
    const unsigned char* m_pos = nullptr;
    const unsigned char* m_end = nullptr;
    // The name being decoded: entries of the vocabulary's tables or, for a
    // literal that no longer fits its table, the working strings below.
    const std::string* m_pPrefix = nullptr;
    const std::string* m_pNamespace = nullptr;
    const std::string* m_pLocalName = nullptr;
    // The index of the element name just read, 0 for a literal name.
    std::uint32_t m_elementNameIndex = 0;
    // The index of the attribute name just read, 0 for a literal name.
    std::uint32_t m_attributeNameIndex = 0;
    // Per element-name and attribute-name index, the document's interned
    // namespace and local name, so that a name seen before is not looked up
    // again.
    using InternedName = std::pair<const std::string*, const std::string*>;
    std::vector<InternedName> m_internedElementNames;
    std::vector<InternedName> m_internedAttributeNames;
    // The interned names of the name just read (m_pNamespace, m_pLocalName),
    // from interned by its table index or else from the document (and then
    // kept there, unless the name was a literal).
    InternedName InternedNameRead(std::vector<InternedName>& interned, std::uint32_t index);
    const std::string* m_pIdentifier = nullptr;
    std::string m_prefix;
    std::string m_namespace;
    std::string m_localName;
    std::string m_identifier;
    std::string m_value;
    CFIVocabulary* m_pVocabulary;
    // Set when the document element's end also ended the document (FF).
    bool m_documentTerminated = false;
    // Open elements (held by the document's element stack) and whether the
    // document element was met: the state of reading in steps.
    std::size_t m_depth = 0;
    bool m_haveDocumentElement = false;
    unsigned m_endedInStep = 0;
    // Whether the last identifier was given by index (not as a literal).
    bool m_lastIdentifierWasIndex = false;
    // Whether local text is UTF-8, so that UTF-8 input is taken as it is.
    bool m_utf8Local;
    std::uint32_t m_otherNCNames = 0;
    std::uint32_t m_otherURIs = 0;
    std::uint32_t m_otherStrings = 0;
    // Decoding scratch (UTF-16 and items that are read over).
    std::string m_scratch;
};

} // namespace TsXmlLib16

#endif
