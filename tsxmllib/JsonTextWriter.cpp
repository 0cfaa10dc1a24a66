#include "tsxmllib/JsonTextWriter.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include <cassert>
#include <cstdint>
#include <cstring>

namespace TsXmlLib16 {

namespace {

// Integer, floating-point, boolean and decimal values are JSON literals.
bool IsUnquoted(ItemType type)
{
    return (type >= ItemType_i1 && type <= ItemType_r8) || (type >= ItemType_boolean && type <= ItemType_integer);
}

// The characters a JSON string cannot hold as they are: control characters
// (the zero ends the text), quotation marks and backslashes.
struct EscapedTable {
    std::uint8_t bits[256] = {};
    constexpr EscapedTable()
    {
        for (int c = 0; c < 32; ++c)
            bits[c] = 1;
        bits[static_cast<unsigned char>('"')] = 1;
        bits[static_cast<unsigned char>('\\')] = 1;
    }
};
constexpr EscapedTable kEscapedTable;
constexpr const std::uint8_t (&kEscaped)[256] = kEscapedTable.bits;

[[noreturn]] void ThrowUnknownNamespace(const std::string& name)
{
    throw CTsException(FormatString("Unknown Namespace: %s.", name.c_str()));
}
} // namespace

CJsonTextWriter::CJsonTextWriter(CTextStream* stream) : CTextWriterBase("CJsonTextWriter", stream) {}

CJsonTextWriter::~CJsonTextWriter() = default;


void CJsonTextWriter::WriteEOL()
{
    if (m_prettyPrint)
        m_pStream->Write(m_eol.data(), m_eol.size());
}

void CJsonTextWriter::WriteIndent(std::uint32_t depth)
{
    if (m_prettyPrint)
        WriteIndentChars(depth);
}

void CJsonTextWriter::StartDocument()
{
    assert(m_pContext == 0 && "m_pContext == 0");
    m_pStream->Write('{');
    WriteEOL();
    FlushCheck();
}

void CJsonTextWriter::EndDocument()
{
    WriteEOL();
    m_pStream->Write('}');
    FlushCheck();
}

void CJsonTextWriter::Open()
{
    CXmlWriter::Open();
    m_pStream->Open();
}

void CJsonTextWriter::Close()
{
    m_pStream->Close();
    CXmlWriter::Close();
}

// ---- collections ----

bool CJsonTextWriter::HasOpenArray(const CXmlWriterContext* holder) const
{
    return !m_openArrays.empty() && m_openArrays.back() == holder;
}

// While an array is open its items, and everything around them, sit one level deeper.
void CJsonTextWriter::ChangeDepths(CXmlWriterContext* from, bool increase)
{
    for (CXmlWriterContext* c = from; c; c = c->GetParent()) {
        if (increase)
            c->SetDepth(c->GetDepth() + 1);
        else if (c->GetDepth() > 1)
            c->SetDepth(c->GetDepth() - 1);
    }
}

void CJsonTextWriter::OpenArray(CXmlWriterContext* item)
{
    CXmlWriterContext* holder = item->GetParent();
    holder->SetCollectionState(2);
    m_pStream->Write('[');
    if (m_prettyPrint) {
        ChangeDepths(item, true);
        WriteEOL();
        WriteIndent(item->GetDepth());
    }
    m_openArrays.push_back(holder);
}

void CJsonTextWriter::CloseArray(CXmlWriterContext* holder)
{
    if (m_prettyPrint) {
        WriteEOL();
        WriteIndent(holder->GetDepth());
        ChangeDepths(holder, false);
    }
    m_pStream->Write(']');
    m_openArrays.pop_back();
    if (holder->GetCollectionState() == 3)
        holder->SetCollectionState(0);
}

void CJsonTextWriter::OpenMember(bool continuesArray)
{
    CXmlWriterContext* element = m_pContext;
    if (m_valuePending) {
        CXmlWriterContext* parent = element->GetParent();
        if (parent && parent->GetCollectionState() == 1)
            OpenArray(element);
        m_pStream->Write('{');
    } else {
        // A member after the items of a collection ends their array first.
        if (!continuesArray && HasOpenArray(element))
            CloseArray(element);
        m_pStream->Write(',');
    }
    WriteEOL();
}

void CJsonTextWriter::BeginValue()
{
    CXmlWriterContext* parent = m_pContext->GetParent();
    if (parent && parent->GetCollectionState() == 1)
        OpenArray(m_pContext);
}

// ---- text ----

void CJsonTextWriter::WriteName(const std::string& name)
{
    m_pStream->Write('"');
    m_pStream->Write(name);
    m_pStream->Write("\": ");
}

void CJsonTextWriter::WriteStringMember(const std::string& name, const std::string& value)
{
    WriteIndent(m_pContext->GetDepth() + 1);
    WriteName(name);
    WriteValue(value, ItemType_string);
}

void CJsonTextWriter::WriteValue(const std::string& text, ItemType type)
{
    if (IsUnquoted(type)) {
        m_pStream->Write(text);
        return;
    }
    m_pStream->Write('"');
    WriteEscaped(text);
    m_pStream->Write('"');
}

void CJsonTextWriter::WriteEscaped(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const auto mayHoldEscaped = [](std::uint64_t w) {
        using namespace WordScan;
        return (AnyByteBelow(w, 0x20) | AnyByteIs(w, '"') | AnyByteIs(w, '\\')) != 0;
    };
    const char* const begin = text.c_str();
    WriteEscapedRuns(begin, begin + text.size(), kEscaped, 1, mayHoldEscaped, [this](char ch) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            m_pStream->Write("\\\"", 2);
            break;
        case '\\':
            m_pStream->Write("\\\\", 2);
            break;
        case '\b':
            m_pStream->Write("\\b", 2);
            break;
        case '\t':
            m_pStream->Write("\\t", 2);
            break;
        case '\f':
            m_pStream->Write("\\f", 2);
            break;
        case '\n':
            m_pStream->Write(m_eol.data(), m_eol.size());
            break;
        case '\r':
            break;
        default: {
            const char escaped[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            m_pStream->Write(escaped, sizeof escaped);
            break;
        }
        }
    });
}

std::string CJsonTextWriter::PrefixOf(const std::string& uri, const std::string& localName)
{
    if (!m_pContext->HasPrefix(uri))
        ThrowUnknownNamespace(localName);
    return m_pContext->GetNamespaceMapValue(uri);
}

// ---- the writer interface ----

void CJsonTextWriter::WriteComment(const std::string& text)
{
    m_pStream->Write("/* ");
    WriteEscaped(text);
    m_pStream->Write(" */");
    m_pStream->Write(m_eol);
    FlushCheck();
}

void CJsonTextWriter::WriteProcessingInstruction(const std::string&) {}

void CJsonTextWriter::WriteInlineSchema(const std::string&) {}

void CJsonTextWriter::WriteNil() {}

void CJsonTextWriter::StartElement(const std::string& localName, const std::string& namespaceUri)
{
    CXmlWriterContext* context;
    bool writeName = true;
    if (m_pContext) {
        // Later items of an array whose first item opened it have no name of their own.
        const bool continuesArray = m_pContext->GetCollectionState() == 2;
        writeName = !continuesArray;
        OpenMember(continuesArray);
        context = PushContext(localName, namespaceUri);
    } else {
        // The document element's member sits inside the document object.
        context = PushContext(localName, namespaceUri, 1);
    }
    m_valueWritten = false;
    WriteIndent(context->GetDepth());

    if (m_mode != JsonRoundTrip_Full || !writeName) {
        if (writeName)
            WriteName(localName);
        m_valuePending = true;
        FlushCheck();
        return;
    }

    const bool isDocumentElement = context->GetParent() == nullptr;
    if (!namespaceUri.empty() && namespaceUri != context->GetDefaultNamespace()) {
        bool generated = false;
        if (!context->HasPrefix(namespaceUri)) {
            if (!isDocumentElement)
                ThrowUnknownNamespace(localName);
            context->AddNamespace(context->GeneratePrefix(), namespaceUri);
            generated = true;
        }
        const std::string prefix = context->GetNamespaceMapValue(namespaceUri);
        WriteName(prefix + ":" + localName);
        m_valuePending = true;
        if (generated) {
            OpenMember();
            WriteStringMember("@xmlns:" + prefix, namespaceUri);
            m_valuePending = false;
        }
    } else {
        WriteName(localName);
        m_valuePending = true;
    }

    if (isDocumentElement) {
        if (!m_defaultNamespace.empty()) {
            OpenMember();
            WriteStringMember("@xmlns", m_defaultNamespace);
            m_valuePending = false;
        }
        const std::size_t xmlNamespaceLength = std::strlen(XmlNamespaceUri);
        for (const auto& entry : m_namespaceMap) {
            if (entry.first.compare(0, xmlNamespaceLength, XmlNamespaceUri) == 0)
                continue;
            OpenMember();
            WriteStringMember("@xmlns:" + entry.second, entry.first);
            m_valuePending = false;
        }
    }
    FlushCheck();
}

void CJsonTextWriter::WriteAttribute(const std::string& localName, const std::string& namespaceUri,
                                     const std::string& value, ItemType type)
{
    assert(m_pContext != 0 && "m_pContext != 0");
    OpenMember();
    WriteIndent(m_pContext->GetDepth() + 1);
    if (m_mode == JsonRoundTrip_Full && !namespaceUri.empty())
        WriteName("@" + PrefixOf(namespaceUri, localName) + ":" + localName);
    else if (m_mode == JsonRoundTrip_None)
        WriteName(localName);
    else
        WriteName("@" + localName);
    WriteValue(value, type);
    m_valuePending = false;
    FlushCheck();
}

void CJsonTextWriter::WriteXsiType(const std::string& typeNamespace, const std::string& typeName, ItemType type)
{
    if (m_mode != JsonRoundTrip_Full)
        return;
    assert(m_pContext != 0 && "m_pContext != 0");
    if (!typeNamespace.empty() && typeNamespace != m_pContext->GetDefaultNamespace())
        WriteAttribute("type", XmlSchemaInstanceNamespaceUri, PrefixOf(typeNamespace, typeName) + ":" + typeName,
                       type);
    else
        WriteAttribute("type", XmlSchemaInstanceNamespaceUri, typeName, type);
}

void CJsonTextWriter::WriteText(const std::string& text, ItemType type, bool)
{
    assert(m_pContext != 0 && "m_pContext != 0");
    if (!m_valuePending) {
        // Text beside attributes or children is a member of the element's object.
        if (HasOpenArray(m_pContext))
            CloseArray(m_pContext);
        m_pStream->Write(',');
        WriteEOL();
        WriteIndent(m_pContext->GetDepth() + 1);
        WriteName(m_mode == JsonRoundTrip_None ? "" : "#text");
    } else {
        BeginValue();
        m_valueWritten = true;
    }
    WriteValue(text, type);
    FlushCheck();
}

void CJsonTextWriter::EndElement()
{
    assert(m_pContext != 0 && "m_pContext != 0");
    CXmlWriterContext* context = m_pContext;
    // An element that received nothing at all (no attribute, child or text) is null.
    if (m_valuePending && !m_valueWritten) {
        BeginValue();
        m_pStream->Write("null");
    }
    if (context->GetCollectionState() == 3)
        context->SetCollectionState(0);
    if (HasOpenArray(context))
        CloseArray(context);
    if (!m_valuePending) {
        WriteEOL();
        WriteIndent(context->GetDepth());
        m_pStream->Write('}');
    }
    PopContext();
    m_valuePending = false;
    m_valueWritten = false;
    FlushCheck();
}

} // namespace TsXmlLib16
