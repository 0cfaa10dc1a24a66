#include "tsxmllib/ExpatReader.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/NameSlot.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <expat.h>

#include <cstring>
#include <string_view>
#include <utility>

namespace TsXmlLib16 {

namespace {
constexpr std::uint32_t kScratchSize = 1024;
// expat takes the length of a piece as an int: larger inputs go in pieces.
constexpr unsigned long kMaxPiece = 1UL << 30;
// Parsing in steps hands the input over in pieces of this size: expat copies
// what it is given into a buffer of its own, which then stays this small.
constexpr unsigned long kStepPiece = 1UL << 18;
constexpr char kSeparator = '|';
} // namespace

// expat calls plain functions; these pass each call on to the reader.
struct CExpatReader::Callbacks {
    static CExpatReader& Of(void* user) { return *static_cast<CExpatReader*>(user); }

    // Nothing more is built once a callback has failed; expat may still deliver
    // a few events before it notices that it was stopped.
    template <class F>
    static void Guard(void* user, F&& f)
    {
        CExpatReader& reader = Of(user);
        if (reader.m_error)
            return;
        try {
            f(reader);
        } catch (...) {
            reader.Fail(std::current_exception());
        }
    }

    static void XMLCALL StartElement(void* user, const XML_Char* name, const XML_Char** attributes)
    {
        Guard(user, [&](CExpatReader& r) { r.OnStartElement(name, attributes); });
    }
    static void XMLCALL EndElement(void* user, const XML_Char*)
    {
        Guard(user, [&](CExpatReader& r) { r.OnEndElement(); });
    }
    static void XMLCALL StartNamespace(void* user, const XML_Char* prefix, const XML_Char* uri)
    {
        Guard(user, [&](CExpatReader& r) { r.OnStartNamespace(prefix, uri); });
    }
    static void XMLCALL EndNamespace(void*, const XML_Char*) {}
    static void XMLCALL CharacterData(void* user, const XML_Char* text, int length)
    {
        Guard(user, [&](CExpatReader& r) { r.OnCharacterData(text, length); });
    }
    static void XMLCALL StartCdata(void* user)
    {
        Guard(user, [&](CExpatReader& r) { r.OnCdataBoundary("<![CDATA["); });
    }
    static void XMLCALL EndCdata(void* user)
    {
        Guard(user, [&](CExpatReader& r) { r.OnCdataBoundary("]]>"); });
    }
};

CExpatReader::CExpatReader(CXmlDocument& doc) : TS_INSTANCE_MONITOR("CExpatReader"), m_doc(doc) {}

CExpatReader::~CExpatReader()
{
    FreeParser();
    std::string().swap(m_scratch);
    m_scratchSize = 0;
}

void CExpatReader::FreeParser()
{
    if (m_parser) {
        XML_ParserFree(m_parser);
        m_parser = nullptr;
    }
}

void CExpatReader::Initialize()
{
    // Names interned for an earlier parse may be gone.
    for (RecentName& recent : m_recentNames)
        recent.split = SplitName{nullptr, nullptr};
    m_scratch.reserve(kScratchSize);
    m_scratchSize = kScratchSize;
    m_passThrough = IsLocalEncodingUtf8();
    FreeParser();
    // No encoding is forced: expat recognises UTF-8, UTF-16, ISO-8859-1 and
    // US-ASCII by itself and refuses any other declared encoding. No external
    // entity handler is installed, so external entities are never loaded, and
    // expat's own limits on entity expansion stay in force.
    m_parser = m_doc.m_schemaType == SchemaType_NoNamespaces ? XML_ParserCreate(nullptr)
                                                              : XML_ParserCreateNS(nullptr, kSeparator);
    if (!m_parser)
        throw CTsException("Failed to create the XML parser");
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &Callbacks::StartElement, &Callbacks::EndElement);
    XML_SetNamespaceDeclHandler(m_parser, &Callbacks::StartNamespace, &Callbacks::EndNamespace);
    XML_SetCharacterDataHandler(m_parser, &Callbacks::CharacterData);
    if (!m_doc.GetContext().GetStripCDATA())
        XML_SetCdataSectionHandler(m_parser, &Callbacks::StartCdata, &Callbacks::EndCdata);
}

void CExpatReader::Parse(bool isFinal)
{
    if (!m_parser)
        throw CTsInvalidStateException("The XML parser has already finished");
    const char* data = reinterpret_cast<const char*>(m_doc.m_data);
    unsigned long left = m_doc.m_dataLength;
    XML_Status status = XML_STATUS_OK;
    do {
        const unsigned long piece = left < kMaxPiece ? left : kMaxPiece;
        left -= piece;
        status = XML_Parse(m_parser, data, static_cast<int>(piece), isFinal && left == 0);
        data += piece;
    } while (status == XML_STATUS_OK && left > 0);
    ThrowIfFailed(status);
    if (isFinal)
        FreeParser();
}

void CExpatReader::BeginSteps(const unsigned char* bytes, unsigned long length, unsigned pauseEvery)
{
    m_next = reinterpret_cast<const char*>(bytes);
    m_left = length;
    m_pauseEvery = pauseEvery;
    m_suspended = false;
}

bool CExpatReader::ParseSome()
{
    if (!m_parser)
        throw CTsInvalidStateException("The XML parser has already finished");
    // The parser is suspended from the end-tag callback and resumed where it
    // stopped, so nothing is parsed twice.
    m_endsUntilPause = m_pauseEvery;
    XML_Status status = XML_STATUS_OK;
    for (;;) {
        if (m_suspended) {
            m_suspended = false;
            status = XML_ResumeParser(m_parser);
        } else {
            const unsigned long piece = m_left < kStepPiece ? m_left : kStepPiece;
            m_left -= piece;
            status = XML_Parse(m_parser, m_next, static_cast<int>(piece), m_left == 0);
            m_next += piece;
        }
        if (status == XML_STATUS_SUSPENDED) {
            m_suspended = true;
            return false;
        }
        if (status != XML_STATUS_OK || m_left == 0)
            break;
    }
    ThrowIfFailed(status);
    FreeParser();
    return true;
}

void CExpatReader::ThrowIfFailed(int status)
{
    if (m_error) {
        FreeParser();
        std::exception_ptr error = std::move(m_error);
        m_error = nullptr;
        std::rethrow_exception(error);
    }
    if (status != XML_STATUS_OK) {
        const std::string message = FormatString("%s at line %lu", XML_ErrorString(XML_GetErrorCode(m_parser)),
                                                 static_cast<unsigned long>(XML_GetCurrentLineNumber(m_parser)));
        std::string().swap(m_scratch);
        m_scratchSize = 0;
        FreeParser();
        throw CTsException(message);
    }
}

void CExpatReader::Fail(std::exception_ptr error)
{
    m_error = std::move(error);
    XML_StopParser(m_parser, XML_FALSE);
}

CXmlElement* CExpatReader::TopElement() const
{
    return m_doc.m_pElementStack.empty() ? nullptr : m_doc.m_pElementStack.back();
}

void CExpatReader::ToLocal(const char* text, std::size_t length, std::string& out) const
{
    if (m_passThrough)
        out.assign(text, length);
    else
        Utf8ToLocal(text, length, out);
}

CExpatReader::SplitName CExpatReader::InternQualifiedName(std::string_view qualified)
{
    // With namespace processing a name arrives as "URI|local"; the part before
    // the first separator is the namespace.
    RecentName* recent = nullptr;
    if (!qualified.empty()) {
        recent = &m_recentNames[NameSlot(qualified, kRecentNames)];
        if (recent->split.localName && recent->qualified == qualified)
            return recent->split;
    }
    std::string_view namespaceUri;
    std::string_view localName = qualified;
    const std::size_t bar = qualified.find(kSeparator);
    if (bar != std::string_view::npos) {
        namespaceUri = qualified.substr(0, bar);
        localName = qualified.substr(bar + 1);
    }
    const SplitName split{m_doc.InternName(namespaceUri), m_doc.InternName(localName)};
    if (recent) {
        recent->split = SplitName{nullptr, nullptr};
        recent->qualified.assign(qualified.data(), qualified.size());
        recent->split = split;
    }
    return split;
}

void CExpatReader::OnStartElement(const char* name, const char** attributes)
{
    // UTF-8 names are taken where they stand, others converted first.
    std::string_view qualified(name);
    if (!m_passThrough) {
        ToLocal(name, qualified.size(), m_scratch);
        qualified = m_scratch;
    }
    const SplitName interned = InternQualifiedName(qualified);
    CXmlElement* element = m_doc.GetDocumentElement()
                               ? m_doc.AddChildElementInterned(interned.namespaceUri, interned.localName)
                               : m_doc.AddDocElement(*interned.namespaceUri, *interned.localName);
    for (const char** a = attributes; a && a[0]; a += 2) {
        if (m_passThrough) {
            const SplitName attributeName = InternQualifiedName(a[0]);
            m_valueScratch.assign(a[1]);
            CXmlDocument::AddElementAttributeInterned(element, attributeName.localName, std::move(m_valueScratch),
                                                      attributeName.namespaceUri);
            continue;
        }
        ToLocal(a[0], std::strlen(a[0]), m_scratch);
        ToLocal(a[1], std::strlen(a[1]), m_valueScratch);
        // The value is handed over, not copied: attribute values can be huge.
        const std::size_t split = m_scratch.find(kSeparator);
        if (split == std::string::npos)
            CXmlDocument::AddElementAttribute(element, m_scratch, std::move(m_valueScratch), std::string());
        else
            CXmlDocument::AddElementAttribute(element, m_scratch.substr(split + 1), std::move(m_valueScratch),
                                              m_scratch.substr(0, split));
    }
}

void CExpatReader::OnEndElement()
{
    m_doc.EndElement();
    if (m_pauseEvery && --m_endsUntilPause == 0)
        XML_StopParser(m_parser, XML_TRUE);
}

void CExpatReader::OnStartNamespace(const char* prefix, const char* uri)
{
    std::string key, value;
    if (prefix)
        ToLocal(prefix, std::strlen(prefix), key);
    if (uri)
        ToLocal(uri, std::strlen(uri), value);
    m_doc.GetNamespaceAliases()[key] = std::move(value);
}

void CExpatReader::OnCharacterData(const char* text, int length)
{
    if (length <= 0)
        return;
    CXmlElement* top = TopElement();
    if (!top)
        return;
    if (m_passThrough) {
        CXmlDocument::AppendTextExcludingCR(top, text, static_cast<unsigned long>(length));
        return;
    }
    Utf8ToLocal(text, static_cast<std::size_t>(length), m_scratch);
    CXmlDocument::AppendTextExcludingCR(top, m_scratch.data(), static_cast<unsigned long>(m_scratch.size()));
}

void CExpatReader::OnCdataBoundary(const char* markup)
{
    if (CXmlElement* top = TopElement())
        CXmlDocument::AppendTextExcludingCR(top, markup);
}

} // namespace TsXmlLib16
