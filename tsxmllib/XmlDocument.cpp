#include "tsxmllib/XmlDocument.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/ExpatReader.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/FastInfosetReader.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/JsonReaderToXmlHandler.h"
#include "tsxmllib/NameSlot.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/WordScan.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlElement.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>

namespace TsXmlLib16 {

CXmlDocument::CXmlDocument() : CXmlDocument(nullptr, CSerializationContext::GetDefaultContext()) {}

CXmlDocument::CXmlDocument(const CSerializationContext& ctx) : CXmlDocument(nullptr, ctx) {}

CXmlDocument::CXmlDocument(ElementFilter filter) : CXmlDocument(filter, CSerializationContext::GetDefaultContext())
{
}

CXmlDocument::CXmlDocument(ElementFilter filter, const CSerializationContext& ctx)
    : TS_INSTANCE_MONITOR("CXmlDocument"), m_filter(filter), m_context(&ctx),
      m_elementPool(sizeof(CXmlElement), alignof(CXmlElement)),
      m_attributePool(sizeof(CXmlAttribute), alignof(CXmlAttribute))
{
    Init();
}

CXmlDocument::~CXmlDocument() { CXmlDocument::Cleanup(); }

void CXmlDocument::Init()
{
    m_data = nullptr;
    m_dataLength = 0;
    m_documentElement = nullptr;
    m_readPosition = 0;
    m_schemaType = m_context->GetSchemaType();
}

void CXmlDocument::Cleanup()
{
    m_pendingReader.reset();
    m_pendingFIReader.reset();
    m_readError = nullptr;
    CXmlElement::Destroy(m_documentElement);
    m_documentElement = nullptr;
    FreeData();
    m_pElementStack.clear();
    m_namespaceAliases.clear();
    // After the tree: its elements point into the names.
    m_names.clear();
    m_recentNames.fill(nullptr);
    m_elementPool.Release();
    m_attributePool.Release();
}

const std::string* CXmlDocument::InternName(const char* name) const
{
    return InternName(name ? std::string_view(name) : std::string_view());
}

const std::string* CXmlDocument::InternName(std::string_view name) const
{
    static const std::string empty;
    if (name.empty())
        return &empty;
    const std::string*& recent = m_recentNames[NameSlot(name, kRecentNames)];
    if (recent && *recent == name)
        return recent;
    const auto found = m_names.find(name);
    if (found != m_names.end())
        return recent = found->second.get();
    auto owned = std::make_unique<std::string>(name);
    const std::string* interned = owned.get();
    m_names.emplace(std::string_view(*interned), std::move(owned));
    return recent = interned;
}

void CXmlDocument::FreeData()
{
    if (m_ownsData)
        delete[] m_data;
    m_ownsData = true;
    m_data = nullptr;
    m_dataLength = 0;
}

void CXmlDocument::UseInput(const unsigned char* bytes, unsigned long length)
{
    // Only read, never written or freed: a load has read its input to the end
    // before it returns, and a walked document lives within one call, the
    // caller's input longer. Copying a large input first would cost as much
    // memory again, all of it touched for the first time.
    FreeData();
    m_data = const_cast<unsigned char*>(bytes);
    m_dataLength = length;
    m_ownsData = false;
}

void CXmlDocument::ReleaseInputUnlessReading()
{
    // A finished tree holds everything: the input is not referred to again.
    // A walked document still parses it.
    if (!IsReading())
        FreeData();
}

// ---- loading ----

void CXmlDocument::LoadXml(const char* text)
{
    Cleanup();
    const std::size_t length = text ? std::strlen(text) : 0;
    if (length == 0)
        throw CTsException("XML String is empty!");
    UseInput(reinterpret_cast<const unsigned char*>(text), static_cast<unsigned long>(length));
    ParseText();
    ReleaseInputUnlessReading();
}

void CXmlDocument::LoadXml(const wchar_t* text)
{
    Cleanup();
    // UTF-16LE behind a byte order mark, so that the parser knows the encoding.
    // Code points above U+FFFF become surrogate pairs; a surrogate on its own or
    // a value that is no code point at all becomes U+FFFF, which every parser
    // version refuses (older ones read a lone high surrogate in UTF-16 together
    // with the unit after it, whatever that unit is).
    const std::size_t count = text ? std::wcslen(text) : 0;
    std::size_t units = 0;
    for (std::size_t i = 0; i < count; ++i)
        units += static_cast<std::uint32_t>(text[i]) > 0xFFFF && static_cast<std::uint32_t>(text[i]) <= 0x10FFFF ? 2 : 1;
    const unsigned long length = static_cast<unsigned long>(2 + 2 * units);
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[length]);
    unsigned char* out = bytes.get();
    *out++ = 0xFF;
    *out++ = 0xFE;
    auto put = [&out](std::uint32_t unit) {
        *out++ = static_cast<unsigned char>(unit & 0xFF);
        *out++ = static_cast<unsigned char>(unit >> 8);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t cp = static_cast<std::uint32_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            put(0xFFFF);
        } else if (cp <= 0xFFFF) {
            put(cp);
        } else if (cp <= 0x10FFFF) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(0xFFFF);
        }
    }
    m_data = bytes.release();
    m_dataLength = length;
    ParseText();
}

void CXmlDocument::LoadXmlStream(unsigned char* const bytes, unsigned long length)
{
    Cleanup();
    if (!bytes || length == 0)
        throw CTsException("XML Stream is empty!");
    UseInput(bytes, length);
    Parse();
    ReleaseInputUnlessReading();
}

void CXmlDocument::Load(const char* fileName)
{
    Cleanup();
    if (!fileName)
        fileName = "";
    m_readPosition = 0;
    if (IsAsyncFromXmlFile())
        LoadFileInChunks(fileName);
    else
        LoadFile(fileName);
}

void CXmlDocument::LoadFile(const char* fileName)
{
    ReadFile(fileName);
    Parse();
    ReleaseInputUnlessReading();
}

void CXmlDocument::ReadFile(const char* fileName)
{
    Platform::File file;
    if (!file.OpenForRead(fileName))
        throw CTsException(FormatString("Failed to open the file [%s] Error [0x%08x]", fileName, file.GetLastError()));
    std::uint64_t size = 0;
    if (!file.GetSize(size)) {
        const int error = file.GetLastError();
        file.Close();
        throw CTsException(FormatString("Failed to get the size of the file [%s] Error [0x%08x]", fileName, error));
    }
    m_data = new unsigned char[size];
    m_dataLength = static_cast<unsigned long>(size);
    std::uint64_t got = 0;
    while (got < size) {
        const long long n = file.ReadAt(m_data + got, static_cast<std::size_t>(size - got), got);
        if (n <= 0)
            break;
        got += static_cast<std::uint64_t>(n);
    }
    if (got < size) {
        // A file that shrank while being read has no platform error: it reports 0.
        const int error = file.GetLastError();
        file.Close();
        throw CTsException(
            FormatString("Failed to read the contents of the file [%s] Error [0x%08x]", fileName, error));
    }
    file.Close();
}

void CXmlDocument::LoadFileInChunks(const char* fileName)
{
    // Only XML text is read this way: the chunks go straight to the parser, so
    // neither compressed input nor a Fast Infoset document is recognised.
    if (!m_file.OpenForRead(fileName))
        throw CTsException(
            FormatString("Failed to open the file [%s] Error [0x%08x]", fileName, m_file.GetLastError()));
    struct CloseOnExit {
        Platform::File& file;
        ~CloseOnExit() { file.Close(); }
    } closer{m_file};
    m_data = new unsigned char[kChunkSize];
    const bool atEnd = ReadChunkFromFile(m_data);
    const unsigned long count = FinishChunkRead(m_data, atEnd, fileName);
    m_readPosition += count;
    m_dataLength = count;
    AsyncParse(count < kChunkSize);
}

bool CXmlDocument::ReadChunkFromFile(unsigned char*)
{
    // Reads are synchronous here; announcing the range lets the system fetch it
    // while the previous chunk is being parsed.
    m_file.ReadAhead(m_readPosition, kChunkSize);
    return false;
}

unsigned long CXmlDocument::FinishChunkRead(unsigned char* buffer, bool atEnd, const char* fileName)
{
    if (atEnd)
        return 0;
    unsigned long got = 0;
    while (got < kChunkSize) {
        const long long n = m_file.ReadAt(buffer + got, kChunkSize - got, m_readPosition + got);
        if (n < 0) {
            const int error = m_file.GetLastError();
            m_file.Close();
            if (fileName)
                throw CTsException(
                    FormatString("Failed to read the contents of the file [%s] Error [0x%08x]", fileName, error));
            throw CTsException(FormatString("Failed to read the contents of the file. Error [0x%08x]", error));
        }
        if (n == 0)
            break;
        got += static_cast<unsigned long>(n);
    }
    return got;
}

void CXmlDocument::AsyncParse(bool lastChunk)
{
    CExpatReader reader(*this);
    std::unique_ptr<unsigned char[]> spare;
    try {
        reader.Initialize();
        spare.reset(new unsigned char[kChunkSize]);
        while (!lastChunk) {
            const bool atEnd = ReadChunkFromFile(spare.get());
            reader.Parse(false);
            const unsigned long count = FinishChunkRead(spare.get(), atEnd, nullptr);
            unsigned char* next = spare.release();
            spare.reset(m_data);
            m_data = next;
            m_readPosition += count;
            m_dataLength = count;
            lastChunk = count < kChunkSize;
        }
        reader.Parse(true);
        if (!m_documentElement)
            throw CTsException("Invalid or empty XML document");
    } catch (...) {
        Cleanup();
        m_file.Close();
        throw;
    }
    FreeData();
    m_file.Close();
}

namespace {
// The parser runs ahead of the binder by this many elements: enough that
// pausing costs nothing, few enough that the new part of the tree stays in cache.
constexpr unsigned kPauseEvery = 1024;
} // namespace

void CXmlDocument::ParseText()
{
    auto reader = std::make_unique<CExpatReader>(*this);
    reader->Initialize();
    if (!m_readWhileWalking) {
        reader->Parse(true);
        return;
    }
    reader->BeginSteps(m_data, m_dataLength, kPauseEvery);
    m_pendingReader = std::move(reader);
    ReadToDocumentElement();
}

// ---- reading while walking ----

void CXmlDocument::ReadToDocumentElement()
{
    while (!m_documentElement && ReadPiece()) {
    }
    ThrowReadError();
}

void CXmlDocument::ThrowReadError()
{
    if (m_readError)
        std::rethrow_exception(std::exchange(m_readError, nullptr));
}

bool CXmlDocument::ReadFurther() const
{
    // Reading on is part of loading the document that a const walk looks at;
    // a walk from inside the parser (an element filter) cannot read on.
    return !m_inParser && const_cast<CXmlDocument*>(this)->ReadPiece();
}

bool CXmlDocument::ReadPiece()
{
    if (!IsReading())
        return false;
    bool done = false;
    m_inParser = true;
    try {
        done = m_pendingReader ? m_pendingReader->ParseSome() : m_pendingFIReader->ReadSome(kPauseEvery);
    } catch (...) {
        m_readError = std::current_exception();
        done = true;
    }
    m_inParser = false;
    if (done)
        StopReading();
    return !m_readError;
}

void CXmlDocument::StopReading()
{
    // Whatever is still open stays as far as it was read.
    for (CXmlElement* element : m_pElementStack)
        element->m_open = false;
    m_pElementStack.clear();
    m_pendingReader.reset();
    m_pendingFIReader.reset();
    FreeData();
}

void CXmlDocument::FinishReading()
{
    while (ReadPiece()) {
    }
    ThrowReadError();
}

void CXmlDocument::ReleaseBoundContent(CXmlElement* element)
{
    const CXmlDocument* doc = element->m_document;
    if (!doc->m_readWhileWalking || doc->m_keepContent != 0 || element->m_open)
        return;
    element->ReleaseContent();
    element->m_released = true;
    if (!doc->m_boundRuns.empty()) {
        const BoundRun& run = doc->m_boundRuns.back();
        if (element->m_parent == run.parent && element != run.start)
            doc->DropReleasedAfter(run.start, element);
    }
}

void CXmlDocument::DropReleasedAfter(CXmlElement* start, const CXmlElement* end) const
{
    // A released element has no children or attributes left: it goes
    // straight back to the pool. The run stops at the first element that is
    // still in use; it is dropped by a later release, or with its parent.
    CXmlElement* parent = const_cast<CXmlElement*>(start->m_parent);
    std::vector<DroppedNames>* names = nullptr;
    for (CXmlElement* dropped = start->m_nextSibling; dropped && dropped != end && dropped->m_released;
         dropped = start->m_nextSibling) {
        start->m_nextSibling = dropped->m_nextSibling;
        if (parent->m_beforeLastChild == dropped)
            parent->m_beforeLastChild = nullptr;
        if (!names) {
            names = &m_droppedAfter[start];
            start->m_hasDroppedAfter = true;
        }
        if (!names->empty() && names->back().localName == dropped->m_localName &&
            names->back().namespaceUri == dropped->m_namespaceUri)
            ++names->back().count;
        else
            names->push_back({dropped->m_localName, dropped->m_namespaceUri, 1});
        // What was dropped after the element follows it in the count.
        if (dropped->m_hasDroppedAfter) {
            const auto after = m_droppedAfter.find(dropped);
            names->insert(names->end(), after->second.begin(), after->second.end());
        }
        CXmlElement::Destroy(dropped);
    }
}

CXmlDocument::DropBoundRun::DropBoundRun(CXmlElement* start)
{
    if (!start || !start->m_parent || !start->m_document->m_readWhileWalking)
        return;
    m_doc = start->m_document;
    m_doc->m_boundRuns.push_back({start->m_parent, start});
}

CXmlDocument::DropBoundRun::~DropBoundRun()
{
    if (m_doc)
        m_doc->m_boundRuns.pop_back();
}


// A compressed UTF-16 file written through the buffer carries the FF FE mark in
// front of the compressed bytes; the mark is dropped and the rest decompressed.
void CXmlDocument::DecompressAfterByteOrderMark()
{
    if (m_dataLength < 4 || m_data[0] != 0xFF || m_data[1] != 0xFE || (m_data[2] != 0x1F && m_data[2] != 0x78))
        return;
    unsigned char* bytes = nullptr;
    unsigned long length = 0;
    if (CTsZip().Decompress(m_data + 2, m_dataLength - 2, &bytes, &length))
        ReplaceData(bytes, length);
}

void CXmlDocument::DecompressData()
{
    unsigned char* bytes = nullptr;
    unsigned long length = 0;
    if (CTsZip().Decompress(m_data, m_dataLength, &bytes, &length))
        ReplaceData(bytes, length);
    else
        DecompressAfterByteOrderMark();
}

void CXmlDocument::ReplaceData(unsigned char* bytes, unsigned long length)
{
    FreeData();
    m_data = bytes;
    m_dataLength = length;
}

void CXmlDocument::Parse()
{
    // A zlib or gzip stream is replaced by the bytes it holds; anything else is
    // left as it is.
    DecompressData();
    // Fast Infoset documents are recognised here, by their header, before the
    // bytes are taken for XML text.
    auto reader = std::make_unique<CFastInfosetReader>(&m_context->GetFIContext(), this);
    if (!reader->BeginDocument()) {
        ParseText();
        return;
    }
    if (!m_readWhileWalking) {
        reader->ReadSome(0);
        return;
    }
    m_pendingFIReader = std::move(reader);
    ReadToDocumentElement();
}

// ---- JSON ----

CBinaryData CXmlDocument::LoadJsonFile(const char* fileName)
{
    Cleanup();
    ReadFile(fileName ? fileName : "");
    return ParseJson();
}

CBinaryData CXmlDocument::LoadJsonStream(unsigned char* const bytes, unsigned long length)
{
    Cleanup();
    if (!bytes || length == 0)
        throw CTsException("JSON Stream is empty!");
    UseInput(bytes, length);
    return ParseJson();
}

CBinaryData CXmlDocument::LoadJson(const char* text)
{
    Cleanup();
    const std::size_t length = text ? std::strlen(text) : 0;
    if (length == 0)
        throw CTsException("JSON String is empty!");
    return ConvertJsonToXml(std::string(text, length), *m_context);
}

CBinaryData CXmlDocument::LoadJson(const wchar_t* text)
{
    Cleanup();
    if (!text || *text == 0)
        throw CTsException("JSON String is empty!");
    return ConvertJsonToXml(Utf16ToLocal(text, 0), *m_context);
}

CBinaryData CXmlDocument::ParseJson()
{
    DecompressData();
    const char* text = reinterpret_cast<const char*>(m_data);
    std::size_t length = m_dataLength;
    if (length > 2 && m_data[0] == 0xEF && m_data[1] == 0xBB && m_data[2] == 0xBF) {
        text += 3;
        length -= 3;
    }
    std::string json;
    Utf8ToLocal(text, length, json);
    FreeData();
    return ConvertJsonToXml(json, *m_context);
}

// ---- building the tree ----

namespace {
std::string_view View(const char* text) { return text ? std::string_view(text) : std::string_view(); }
} // namespace

CXmlElement* CXmlDocument::AddDocElement(const char* namespaceUri, const char* localName)
{
    return AddDocElement(View(namespaceUri), View(localName));
}

CXmlElement* CXmlDocument::AddChildElement(const char* namespaceUri, const char* localName)
{
    return AddChildElement(View(namespaceUri), View(localName));
}

CXmlElement* CXmlDocument::AddDocElement(std::string_view namespaceUri, std::string_view localName)
{
    if (m_documentElement)
        throw CTsInvalidStateException("The document already has a document element");
    CXmlElement* element = CXmlElement::Create(this, nullptr);
    m_documentElement = element;
    element->m_namespaceUri = InternName(namespaceUri);
    element->m_localName = InternName(localName);
    m_pElementStack.push_back(element);
    return element;
}

CXmlElement* CXmlDocument::AddChildElement(std::string_view namespaceUri, std::string_view localName)
{
    return AddChildElementInterned(InternName(namespaceUri), InternName(localName));
}

CXmlElement* CXmlDocument::AddChildElementInterned(const std::string* namespaceUri, const std::string* localName)
{
    if (m_pElementStack.empty())
        throw CTsInvalidStateException("No open element to add a child element to");
    CXmlElement* element = m_pElementStack.back()->CreateNewChildElement();
    element->m_namespaceUri = namespaceUri;
    element->m_localName = localName;
    m_pElementStack.push_back(element);
    return element;
}

void CXmlDocument::EndElement()
{
    if (m_pElementStack.empty())
        return;
    CXmlElement* element = m_pElementStack.back();
    m_pElementStack.pop_back();
    element->m_open = false;
    if (!m_filter || !m_filter(element))
        return;
    // A completed element is always the last child of the element now on top.
    // The document element has no parent to leave and stays: it is the document.
    if (!m_pElementStack.empty())
        CXmlElement::Destroy(m_pElementStack.back()->RemoveLastChildElement());
}

void CXmlDocument::AddElementAttribute(CXmlElement* element, std::string localName, std::string value,
                                       std::string namespaceUri)
{
    element->AddAttribute(std::move(localName), std::move(value), std::move(namespaceUri));
}

void CXmlDocument::AddElementAttributeInterned(CXmlElement* element, const std::string* localName, std::string value,
                                               const std::string* namespaceUri)
{
    element->AddAttributeInterned(localName, std::move(value), namespaceUri);
}

namespace {

// The offset of the first carriage return or zero in text[0, length), or
// length when there is none, looked for eight bytes at a time.
std::size_t FindCarriageReturnOrZero(const char* text, std::size_t length)
{
    using namespace WordScan;
    const auto mayHoldOne = [](std::uint64_t word) { return (AnyByteBelow(word, 1) | AnyByteIs(word, '\r')) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8)
        if (mayHoldOne(Load(text + i)))
            break;
    // Most pieces are short: the bytes after the last whole word are tested
    // as one word too, and looked at one by one only when it flags them.
    if (i + 8 > length && (i == length || !mayHoldOne(LoadShort(text + i, length - i))))
        return length;
    for (; i < length; ++i)
        if (text[i] == '\r' || text[i] == '\0')
            return i;
    return length;
}

} // namespace

void CXmlDocument::AppendTextExcludingCR(CXmlElement* element, const char* text, unsigned long length)
{
    if (!element || !text)
        return;
    // A line end comes as a piece of its own from the parser.
    if (length == 1) {
        if (*text != '\r' && *text != '\0')
            element->m_text.push_back(*text);
        return;
    }
    // The text ends at its first zero; carriage returns are left out.
    for (;;) {
        const std::size_t run = FindCarriageReturnOrZero(text, length);
        element->AppendBytes(text, run);
        if (run == length || text[run] == '\0')
            return;
        text += run + 1;
        length -= run + 1;
    }
}

void CXmlDocument::AppendTextExcludingCR(CXmlElement* element, const char* text)
{
    if (text)
        AppendTextExcludingCR(element, text, std::strlen(text));
}

// ---- namespaces ----

std::string CXmlDocument::LookupNamespaceFromAlias(const char* prefix) const
{
    const auto it = m_namespaceAliases.find(prefix ? prefix : "");
    return it == m_namespaceAliases.end() ? std::string() : it->second;
}

std::string CXmlDocument::LookupAliasFromNamespace(const char* uri) const
{
    const char* wanted = uri ? uri : "";
    for (const auto& entry : m_namespaceAliases)
        if (entry.second == wanted)
            return entry.first;
    return std::string();
}

} // namespace TsXmlLib16
