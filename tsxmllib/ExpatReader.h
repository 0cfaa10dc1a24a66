// Turns XML text into the document tree: drives the expat parser over the bytes
// a document holds and translates its callbacks into the document's building
// operations. Created by the document for one parse.
#ifndef TSXMLLIB_EXPATREADER_H
#define TSXMLLIB_EXPATREADER_H

#include "tsxmllib/MemoryLeakHelp.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace TsXmlLib16 {

class CXmlDocument;
class CXmlElement;

class CExpatReader : private CInstanceMonitor {
public:
    explicit CExpatReader(CXmlDocument& doc);
    // Releases the scratch buffer and a parser left over by a failed parse.
    virtual ~CExpatReader();
    CExpatReader(const CExpatReader&) = delete;
    CExpatReader& operator=(const CExpatReader&) = delete;

    // Creates the parser (with namespace processing unless the document reads
    // without namespaces) and installs the callbacks.
    void Initialize();
    // Parses the document's current data; isFinal marks the last chunk. A parse
    // error, or an exception raised while building the tree, frees the parser and
    // is thrown from here.
    void Parse(bool isFinal);
    // Parsing in steps: the bytes (all of the input, which must stay in place)
    // are parsed by calls of ParseSome, each of which pauses the parser after
    // pauseEvery end tags, or at the end of the input, where it returns true.
    // Errors are thrown as by Parse.
    void BeginSteps(const unsigned char* bytes, unsigned long length, unsigned pauseEvery);
    bool ParseSome();

private:
    struct Callbacks;

    void FreeParser();
    // Throws the error of a callback or of the parser after a parse returned status.
    void ThrowIfFailed(int status);
    void Fail(std::exception_ptr error);
    CXmlElement* TopElement() const;
    // Converts a UTF-8 piece into the local encoding, reusing the string's capacity.
    void ToLocal(const char* text, std::size_t length, std::string& out) const;

    void OnStartElement(const char* name, const char** attributes);
    // The document's interned namespace and local name of a qualified name
    // as expat reports it ("URI|local", or "local").
    struct SplitName {
        const std::string* namespaceUri;
        const std::string* localName;
    };
    SplitName InternQualifiedName(std::string_view qualified);
    void OnEndElement();
    void OnStartNamespace(const char* prefix, const char* uri);
    void OnCharacterData(const char* text, int length);
    void OnCdataBoundary(const char* markup);

    CXmlDocument& m_doc;
    // Names and short texts are converted here without allocating.
    std::string m_scratch;
    std::uint32_t m_scratchSize = 0;
    std::string m_valueScratch;
    XML_ParserStruct* m_parser = nullptr;
    // Local text is UTF-8 (or taken byte for byte): expat's text needs no conversion.
    bool m_passThrough = false;
    // The first exception raised inside a callback; parsing stops at once.
    std::exception_ptr m_error;
    // Parsing in steps: the input not handed to the parser yet, and the pause.
    const char* m_next = nullptr;
    unsigned long m_left = 0;
    unsigned m_pauseEvery = 0;
    unsigned m_endsUntilPause = 0;
    bool m_suspended = false;
    // The qualified names seen last, by a hash of their length and end
    // characters: a document uses few names, and a hit saves splitting the
    // name and interning both parts.
    struct RecentName {
        std::string qualified;
        SplitName split{nullptr, nullptr};
    };
    static constexpr std::size_t kRecentNames = 64;
    RecentName m_recentNames[kRecentNames];
};

} // namespace TsXmlLib16

#endif
