// The in-memory document that every input is turned into for objects to read
// it: it loads files, strings and byte buffers, recognises compressed input,
// parses XML text and owns the resulting tree of elements.
#ifndef TSXMLLIB_XMLDOCUMENT_H
#define TSXMLLIB_XMLDOCUMENT_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/XmlNodePool.h"

#include <cstdint>
#include <exception>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace TsXmlLib16Data {
class CElementInfo;
} // namespace TsXmlLib16Data

namespace TsXmlLib16 {

class CExpatReader;
class CFastInfosetReader;
class CSerializationContext;
class CXmlElement;

// Applications use it directly to look at a document without bound classes,
// or with an element filter to process a document of any size one record at
// a time (see examples/record_filter.cpp):
//
//   bool TakeRecord(CXmlElement* e);   // read e, return true to drop it
//   CXmlDocument document(&TakeRecord, ctx);
//   document.Load("huge.xml");         // with AsyncFromXmlFile(true): in chunks
class TSXMLLIB_EXPORT CXmlDocument : private CInstanceMonitor {
public:
    // Called with every element as soon as it is complete; returning true drops
    // the element (with its subtree) from the tree at once.
    using ElementFilter = bool (*)(CXmlElement*);

    // Input files are read in chunks of this size when AsyncFromXmlFile is on.
    static constexpr unsigned long kChunkSize = 131072;

    CXmlDocument();
    explicit CXmlDocument(const CSerializationContext& ctx);
    explicit CXmlDocument(ElementFilter filter);
    CXmlDocument(ElementFilter filter, const CSerializationContext& ctx);
    virtual ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Loads a file: XML text, or compressed XML text when the file is read in one go.
    void Load(const char* fileName);
    // Parses XML text held in a narrow string.
    void LoadXml(const char* text);
    // Parses XML text held in a wide string (one code point per unit).
    void LoadXml(const wchar_t* text);
    // Parses a byte buffer: XML text in any encoding the parser detects, or compressed.
    void LoadXmlStream(unsigned char* const bytes, unsigned long length);

    // The JSON loads convert JSON into XML text (UTF-8, with declaration) with
    // the JSON options of the context and return it; the tree stays empty.
    // A file or byte buffer holds UTF-8 (a byte order mark is skipped) or
    // compressed UTF-8; a narrow string holds local text.
    CBinaryData LoadJsonFile(const char* fileName);
    CBinaryData LoadJsonStream(unsigned char* const bytes, unsigned long length);
    CBinaryData LoadJson(const char* text);
    // Wide text (one code point per unit) is converted to local text first.
    CBinaryData LoadJson(const wchar_t* text);

    CXmlElement* GetDocumentElement() const { return m_documentElement; }
    // The URI declared for a prefix ("" for the default namespace), or "" when never declared.
    std::string LookupNamespaceFromAlias(const char* prefix) const;
    // The first prefix, in ascending order, that was declared for exactly this URI, or "".
    std::string LookupAliasFromNamespace(const char* uri) const;
    const CSerializationContext& GetContext() const { return *m_context; }

protected:
    // Deletes the tree and the input and forgets the namespace declarations.
    virtual void Cleanup();

private:
    friend class CExpatReader;
    friend class CFastInfosetReader;
    friend class CXmlAttribute;
    friend class CXmlElement;
    friend class CXmlObjectBase;
    friend class CXmlGeneratedClass;
    friend class TsXmlLib16Data::CElementInfo;

    // Reading while binding. A load of XML text started after
    // ReadWhileWalking() parses only as far as the document element; the rest
    // is parsed piece by piece as the navigation of the tree asks for it, and
    // the binder releases what it has read (ReleaseBoundContent). Memory then
    // stays near the objects being built instead of holding the whole tree.
    // A parse error met on the way ends the tree where it happened and is
    // thrown by FinishReading. XML text and Fast Infoset are read this way;
    // files read in chunks are read whole as usual.
    void ReadWhileWalking() { m_readWhileWalking = true; }
    // Parses the next piece; false when nothing more can be read now (all read,
    // failed, not reading while walking, or called from inside the parser).
    bool ReadFurther() const;
    // Parses what is left and throws the parse error, if there was one.
    void FinishReading();
    // While a group that may give its elements back to be read again is being
    // read, nothing is released.
    struct KeepContent {
        explicit KeepContent(const CXmlDocument* doc) : m_doc(doc) { ++m_doc->m_keepContent; }
        ~KeepContent() { --m_doc->m_keepContent; }
        KeepContent(const KeepContent&) = delete;
        KeepContent& operator=(const KeepContent&) = delete;
        const CXmlDocument* m_doc;
    };
    // Drops the content of an element whose object has been filled, when the
    // document is read while walked, the element is complete and no group
    // may read it again.
    static void ReleaseBoundContent(CXmlElement* element);
    // While a collection reads the siblings from start on, the elements it has
    // bound and released are dropped from the tree as it goes: each release
    // drops those between start and the element released. A long run of
    // records then neither stays in memory nor is deleted, long after it was
    // last touched, with its parent; the slots freed hold the elements parsed
    // next. start itself stays, since the reader of the collection compares
    // it with the element the collection ended at.
    class DropBoundRun {
    public:
        explicit DropBoundRun(CXmlElement* start);
        ~DropBoundRun();
        DropBoundRun(const DropBoundRun&) = delete;
        DropBoundRun& operator=(const DropBoundRun&) = delete;

    private:
        const CXmlDocument* m_doc = nullptr;
    };
    // A run of siblings with the same names, dropped after an element; the
    // names give the positions in the paths of the siblings that stay.
    struct DroppedNames {
        const std::string* localName;
        const std::string* namespaceUri;
        unsigned long count;
    };
    // Drops the released siblings between start and end (end excluded).
    void DropReleasedAfter(CXmlElement* start, const CXmlElement* end) const;
    bool IsReading() const { return m_pendingReader || m_pendingFIReader; }
    // Parses the first pieces, up to the document element, throwing their error.
    void ReadToDocumentElement();
    // Parses the next piece; false once the input is read or has failed.
    bool ReadPiece();
    void StopReading();
    void ThrowReadError();

    void Init();
    void FreeData();
    // The input of a load, read where it stands: the caller's bytes are not
    // copied.
    void UseInput(const unsigned char* bytes, unsigned long length);
    // After a load: frees the input unless the document is still being read.
    void ReleaseInputUnlessReading();
    // A zlib or gzip stream, also behind a UTF-16 byte order mark, is replaced
    // by the bytes it holds; anything else is left as it is.
    void DecompressData();
    void DecompressAfterByteOrderMark();
    // Frees the data and takes bytes (new[]) in its place.
    void ReplaceData(unsigned char* bytes, unsigned long length);

    // Building interface of the readers.
    CXmlElement* AddDocElement(const char* namespaceUri, const char* localName);
    CXmlElement* AddChildElement(const char* namespaceUri, const char* localName);
    // The same for names that are not zero-terminated where they stand.
    CXmlElement* AddDocElement(std::string_view namespaceUri, std::string_view localName);
    CXmlElement* AddChildElement(std::string_view namespaceUri, std::string_view localName);
    // A child whose names this document has interned already (pointers taken
    // from an element made by the calls above).
    CXmlElement* AddChildElementInterned(const std::string* namespaceUri, const std::string* localName);
    void EndElement();
    static void AddElementAttribute(CXmlElement* element, std::string localName, std::string value,
                                    std::string namespaceUri);
    // The same with names interned by the element's document.
    static void AddElementAttributeInterned(CXmlElement* element, const std::string* localName, std::string value,
                                            const std::string* namespaceUri);
    static void AppendTextExcludingCR(CXmlElement* element, const char* text, unsigned long length);
    static void AppendTextExcludingCR(CXmlElement* element, const char* text);
    std::map<std::string, std::string>& GetNamespaceAliases() { return m_namespaceAliases; }
    // The document's single copy of an element name or namespace; the empty
    // name for null or "". Copies live until the tree is deleted.
    const std::string* InternName(const char* name) const;
    const std::string* InternName(std::string_view name) const;

    void LoadFile(const char* fileName);
    // Reads the whole file into the data buffer.
    void ReadFile(const char* fileName);
    void LoadFileInChunks(const char* fileName);
    // Announces the chunk at the read position; returns true when the file is known to end there.
    bool ReadChunkFromFile(unsigned char* buffer);
    // Reads the announced chunk into buffer and returns its byte count; fileName
    // (or null) selects the form of the error message.
    unsigned long FinishChunkRead(unsigned char* buffer, bool atEnd, const char* fileName);
    void AsyncParse(bool lastChunk);
    void ParseText();
    void Parse();
    CBinaryData ParseJson();

    std::uint64_t m_readPosition = 0;
    Platform::File m_file;
    CXmlElement* m_documentElement = nullptr;
    std::vector<CXmlElement*> m_pElementStack;
    std::map<std::string, std::string> m_namespaceAliases;
    // Names are interned for elements of a const document too: the table is storage, not state.
    mutable std::unordered_map<std::string_view, std::unique_ptr<std::string>> m_names;
    // The names interned last, by a cheap index of their length and end
    // characters: a document uses few names over and over, and comparing one
    // is cheaper than hashing it.
    static constexpr std::size_t kRecentNames = 64;
    mutable std::array<const std::string*, kRecentNames> m_recentNames{};
    unsigned char* m_data = nullptr;
    // False while m_data is the caller's input.
    bool m_ownsData = true;
    unsigned long m_dataLength = 0;
    SchemaType m_schemaType = SchemaType_Default;
    ElementFilter m_filter = nullptr;
    const CSerializationContext* m_context;
    bool m_readWhileWalking = false;
    // The parser of a document read while walked, until its input is parsed.
    std::unique_ptr<CExpatReader> m_pendingReader;
    std::unique_ptr<CFastInfosetReader> m_pendingFIReader;
    bool m_inParser = false;
    std::exception_ptr m_readError;
    mutable int m_keepContent = 0;
    // The collections being read with DropBoundRun, innermost last.
    struct BoundRun {
        const CXmlElement* parent;
        CXmlElement* start;
    };
    mutable std::vector<BoundRun> m_boundRuns;
    // The names dropped after an element, while it is in the tree.
    mutable std::unordered_map<const CXmlElement*, std::vector<DroppedNames>> m_droppedAfter;
    // Storage of the tree's nodes (the nodes of a const document are still freed into it).
    mutable CXmlNodePool m_elementPool;
    mutable CXmlNodePool m_attributePool;
};

} // namespace TsXmlLib16

#endif
