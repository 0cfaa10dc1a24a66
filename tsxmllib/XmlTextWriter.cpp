#include "tsxmllib/XmlTextWriter.h"

#include "tsxmllib/ComposedText.h"
#include "tsxmllib/NameSlot.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include <cassert>
#include <cstring>
#include <string_view>

namespace TsXmlLib16 {

namespace {
const char kCDataStart[] = "<![CDATA[";
const char kAttributesFirst[] = "Attributes must be added before elements";

// The characters that escaping looks at: those of kInText wherever they
// appear, quotation marks only in attribute values. The zero ends the text.
constexpr std::uint8_t kInText = 1;
constexpr std::uint8_t kInAttributes = 3;
struct MarkupTable {
    std::uint8_t bits[256] = {};
    constexpr MarkupTable()
    {
        bits[0] = kInAttributes;
        bits[static_cast<unsigned char>('\n')] = kInText;
        bits[static_cast<unsigned char>('\r')] = kInText;
        bits[static_cast<unsigned char>('&')] = kInText;
        bits[static_cast<unsigned char>('<')] = kInText;
        bits[static_cast<unsigned char>('>')] = kInText;
        bits[static_cast<unsigned char>('"')] = kInAttributes & ~kInText;
    }
};
constexpr MarkupTable kMarkupTable;
constexpr const std::uint8_t (&kMarkup)[256] = kMarkupTable.bits;

// The word filter for kMarkup: true for any eight bytes holding a character
// marked for the mode, or a zero.
template <bool attributeMode>
struct MayHoldMarkup {
    bool operator()(std::uint64_t w) const
    {
        using namespace WordScan;
        const std::uint64_t found =
            AnyByteBelow(w, 0x20) | AnyByteIs(w, '&') | AnyByteIs(w, '<') | AnyByteIs(w, '>');
        return (found | (attributeMode ? AnyByteIs(w, '"') : 0)) != 0;
    }
};

std::size_t QualifiedNameLength(const std::string* prefix, const std::string& localName)
{
    return (prefix ? prefix->size() + 1 : 0) + localName.size();
}
// Puts prefix:localName, or localName alone without a prefix.
char* PutQualifiedName(char* out, const std::string* prefix, const std::string& localName)
{
    using Composed::Put;
    if (prefix)
        out = Put(Put(out, *prefix), ':');
    return Put(out, localName);
}
// The indentation, '<' and the name that open a start tag.
std::size_t TagOpeningLength(std::string_view indent, const std::string* prefix, const std::string& localName)
{
    return indent.size() + 1 + QualifiedNameLength(prefix, localName);
}
char* PutTagOpening(char* out, std::string_view indent, const std::string* prefix, const std::string& localName)
{
    using Composed::Put;
    return PutQualifiedName(Put(Put(out, indent.data(), indent.size()), '<'), prefix, localName);
}
// The indentation, the end tag and the line end.
std::size_t EndTagLength(std::string_view indent, const std::string* prefix, const std::string& localName,
                         std::string_view eol)
{
    return indent.size() + 3 + QualifiedNameLength(prefix, localName) + eol.size();
}
char* PutEndTag(char* out, std::string_view indent, const std::string* prefix, const std::string& localName,
                std::string_view eol)
{
    using Composed::Put;
    out = PutQualifiedName(Put(Put(out, indent.data(), indent.size()), "</", 2), prefix, localName);
    return Put(Put(out, '>'), eol.data(), eol.size());
}

// Whether text, up to its end, holds nothing that escaping would change.
// The filter looks at whole words; only a text it flags (which may hold
// markup) has its characters looked at one by one. A last part shorter than
// a word is tested as a word of its own bytes, without a loop over them.
template <bool attributeMode>
bool IsPlain(const std::string& text)
{
    const MayHoldMarkup<attributeMode> mayHoldMarkup;
    const char* p = text.data();
    std::size_t rest = text.size();
    for (; rest > 8; p += 8, rest -= 8)
        if (mayHoldMarkup(WordScan::Load(p)))
            break;
    if (rest <= 8 && (rest == 0 || !mayHoldMarkup(WordScan::LoadShort(p, rest))))
        return true;
    const char* const end = text.c_str() + text.size();
    return WordScan::FindSpecial(text.c_str(), end, kMarkup, attributeMode ? kInAttributes : kInText,
                                 mayHoldMarkup) == end;
}
} // namespace

CXmlTextWriter::CXmlTextWriter(CTextStream* stream) : CTextWriterBase("CXmlTextWriter", stream) {}

CXmlTextWriter::~CXmlTextWriter() = default;


void CXmlTextWriter::WriteEOL() { m_pStream->Write(m_eol.data(), m_eol.size()); }

void CXmlTextWriter::WriteEscaped(const std::string& text, bool attributeMode)
{
    const auto mayHoldMarkup = [attributeMode](std::uint64_t w) {
        return attributeMode ? MayHoldMarkup<true>{}(w) : MayHoldMarkup<false>{}(w);
    };
    const char* const begin = text.c_str();
    WriteEscapedRuns(begin, begin + text.size(), kMarkup, attributeMode ? kInAttributes : kInText, mayHoldMarkup,
                     [this, attributeMode](char c) {
        switch (c) {
        case '\n':
            if (attributeMode)
                m_pStream->Write("&#xA;", 5);
            else
                WriteEOL();
            break;
        case '\r':
            break;
        case '"':
            m_pStream->Write("&quot;", 6);
            break;
        case '&':
            m_pStream->Write("&amp;", 5);
            break;
        case '<':
            m_pStream->Write("&lt;", 4);
            break;
        default:
            m_pStream->Write("&gt;", 4);
            break;
        }
    });
}

void CXmlTextWriter::WriteDeclaration(const std::string& prefix, const std::string& uri)
{
    m_pStream->Write(' ');
    WriteDeclarationBody(prefix, uri);
}

void CXmlTextWriter::WriteDeclarationBody(const std::string& prefix, const std::string& uri)
{
    m_pStream->Write("xmlns:");
    m_pStream->Write(prefix);
    m_pStream->Write("=\"");
    m_pStream->Write(uri);
    m_pStream->Write('"');
}

void CXmlTextWriter::CheckStartTagOpen() const
{
    assert(m_pContext != 0 && "m_pContext != 0");
    if (!m_pContext->IsStartTagOpen())
        throw CTsException(kAttributesFirst);
}

std::string CXmlTextWriter::PrefixForAttribute(const std::string& uri, bool leadingSpace)
{
    if (!m_pContext->HasPrefix(uri)) {
        const std::string prefix = m_pContext->GeneratePrefix();
        m_pContext->AddNamespace(prefix, uri);
        // The declaration goes in front of the attribute that needs it.
        if (leadingSpace)
            m_pStream->Write(' ');
        WriteDeclarationBody(prefix, uri);
        m_pStream->Write(' ');
    }
    const std::string prefix = m_pContext->GetNamespaceMapValue(uri);
    assert(prefix.length() != 0 && "m_pContext->GetNamespaceMapValue(strNamespace).length() != 0");
    return prefix;
}

void CXmlTextWriter::WriteDocHeader()
{
    m_pStream->Write("<?xml version=\"1.0\"");
    switch (m_pStream->GetEncoding()) {
    case XmlEncoding_UTF8:
        m_pStream->Write(" encoding=\"UTF-8\"");
        break;
    case XmlEncoding_UTF16:
        m_pStream->Write(" encoding=\"UTF-16\"");
        break;
    default:
        break;
    }
    m_pStream->Write("?>");
    WriteEOL();
    FlushCheck();
}

void CXmlTextWriter::CloseOpenStartTag()
{
    if (!m_pContext)
        return;
    m_pContext->IncrementChildCount();
    if (m_pContext->IsStartTagOpen()) {
        m_pContext->SetStartTagOpen(false);
        m_pStream->Write('>');
        if (m_prettyPrint)
            WriteEOL();
    }
}

void CXmlTextWriter::WriteRawXml(const std::string& xml)
{
    m_pStream->Write(xml);
    if (m_prettyPrint)
        WriteEOL();
    FlushCheck();
}

void CXmlTextWriter::Open()
{
    CXmlWriter::Open();
    m_pStream->Open();
}

void CXmlTextWriter::Close()
{
    m_pStream->Close();
    CXmlWriter::Close();
}

void CXmlTextWriter::WriteComment(const std::string& text)
{
    m_pStream->Write("<!--");
    WriteEscaped(text, false);
    m_pStream->Write("-->");
    WriteEOL();
    FlushCheck();
}

void CXmlTextWriter::WriteProcessingInstruction(const std::string& text)
{
    m_pStream->Write(text);
    WriteEOL();
    WriteEOL();
    FlushCheck();
}

void CXmlTextWriter::WriteInlineSchema(const std::string& text)
{
    m_pStream->Write(' ');
    WriteEOL();
    m_pStream->Write(text);
    WriteEOL();
    FlushCheck();
}

void CXmlTextWriter::StartElement(const std::string& localName, const std::string& namespaceUri)
{
    CloseOpenStartTag();
    CXmlWriterContext* context = PushContext(localName, namespaceUri);
    const bool isDocumentElement = context->GetParent() == nullptr;
    context->SetStartTagOpen(true);

    const std::string* prefix = nullptr;
    bool declare = false;
    if (!namespaceUri.empty() && !WordScan::SameBytes(namespaceUri, context->GetDefaultNamespace())) {
        prefix = context->FindPrefix(namespaceUri);
        declare = prefix == nullptr;
        if (declare) {
            context->AddNamespace(context->GeneratePrefix(), namespaceUri);
            prefix = context->FindPrefix(namespaceUri);
            assert(prefix && "a generated prefix is not empty");
        }
    }
    // Indentation, '<' and the name, written at once.
    const std::string_view indent = Indentation(context->GetDepth());
    WriteComposed(TagOpeningLength(indent, prefix, localName),
                  [&](char* out) { return PutTagOpening(out, indent, prefix, localName); });
    if (declare)
        WriteDeclaration(*prefix, namespaceUri);

    if (isDocumentElement) {
        if (!m_defaultNamespace.empty()) {
            m_pStream->Write(" xmlns=\"");
            m_pStream->Write(m_defaultNamespace);
            m_pStream->Write('"');
        }
        const std::size_t xmlNamespaceLength = std::strlen(XmlNamespaceUri);
        for (const auto& entry : m_namespaceMap) {
            if (entry.first.compare(0, xmlNamespaceLength, XmlNamespaceUri) == 0)
                continue;
            WriteDeclaration(entry.second, entry.first);
        }
    }
    FlushCheck();
}

void CXmlTextWriter::WriteText(const std::string& text, ItemType, bool isDefaultValue)
{
    assert(m_pContext != 0 && "m_pContext != 0");
    if (text.empty() || (isDefaultValue && !m_writeDefaultValues))
        return;
    if (m_pContext->IsStartTagOpen()) {
        m_pStream->Write('>');
        m_pContext->SetStartTagOpen(false);
    }
    WriteContent(text);
    FlushCheck();
}

void CXmlTextWriter::WriteContent(const std::string& text)
{
    if (text[0] == '<' && text.compare(0, sizeof(kCDataStart) - 1, kCDataStart) == 0)
        m_pStream->Write(text);
    else
        WriteEscaped(text, false);
}

void CXmlTextWriter::EndElement()
{
    assert(m_pContext != 0 && "m_pContext != 0");
    const std::string_view eol = LineEnd();
    if (m_pContext->IsStartTagOpen()) {
        m_pContext->SetStartTagOpen(false);
        m_pStream->Write("/>", 2);
        m_pStream->Write(eol.data(), eol.size());
    } else {
        // An element with children ends on a line of its own.
        const std::string_view indent =
            m_pContext->GetChildCount() > 0 ? Indentation(m_pContext->GetDepth()) : std::string_view();
        const std::string& namespaceUri = m_pContext->GetNamespaceUri();
        const std::string* prefix = nullptr;
        if (!namespaceUri.empty() && !WordScan::SameBytes(namespaceUri, m_pContext->GetDefaultNamespace())) {
            prefix = m_pContext->FindPrefix(namespaceUri);
            assert(prefix && "the start tag found or declared a prefix");
        }
        const std::string& localName = m_pContext->GetLocalName();
        WriteComposed(EndTagLength(indent, prefix, localName, eol),
                      [&](char* out) { return PutEndTag(out, indent, prefix, localName, eol); });
    }
    FlushCheck();
    PopContext();
}

void CXmlTextWriter::WriteValueElement(const std::string& localName, const std::string& namespaceUri,
                                       const std::string& text, ItemType type, bool isDefaultValue)
{
    // The element is written in one go, without a context of its own, when
    // its name needs no declaration: a prefix declared for it would have to
    // stay in scope for the element alone. The document element always opens
    // a context.
    const std::string* prefix = nullptr;
    if (!m_pContext ||
        (!namespaceUri.empty() && !WordScan::SameBytes(namespaceUri, m_pContext->GetDefaultNamespace()) &&
         !(prefix = m_pContext->FindPrefix(namespaceUri)))) {
        CXmlWriter::WriteValueElement(localName, namespaceUri, text, type, isDefaultValue);
        return;
    }
    CloseOpenStartTag();
    const bool empty = text.empty() || (isDefaultValue && !m_writeDefaultValues);
    if (WriteComposedValueElement(prefix, localName, text, empty)) {
        FlushCheck();
        return;
    }
    // Text that needs escaping: the tags are composed, the text escaped between them.
    const std::string_view indent = Indentation(m_pContext->GetDepth() + 1);
    const std::string_view eol = LineEnd();
    WriteComposed(TagOpeningLength(indent, prefix, localName) + 1, [&](char* out) {
        return Composed::Put(PutTagOpening(out, indent, prefix, localName), '>');
    });
    WriteContent(text);
    WriteComposed(EndTagLength({}, prefix, localName, eol),
                  [&](char* out) { return PutEndTag(out, {}, prefix, localName, eol); });
    FlushCheck();
}

const CXmlTextWriter::LeafTags& CXmlTextWriter::LeafTagsFor(const std::string& localName, std::uint32_t depth)
{
    const auto holds = [&](const LeafTags& tags) {
        return tags.layoutVersion == m_layoutVersion && tags.depth == depth &&
               WordScan::SameBytes(tags.localName, localName);
    };
    const std::size_t slot = (NameSlot(localName, kLeafTagSlots) ^ (depth << 1)) & (kLeafTagSlots - 2);
    LeafTags& tags = m_leafTags[slot];
    if (holds(tags))
        return tags;
    // The pair's other slot keeps the one used before; a name found there
    // changes places with the first, and a new one pushes the first there.
    LeafTags& other = m_leafTags[slot + 1];
    std::swap(tags, other);
    if (holds(tags))
        return tags;
    const std::string_view indent = Indentation(depth);
    const std::string_view eol = LineEnd();
    tags.open.resize(TagOpeningLength(indent, nullptr, localName) + 1);
    Composed::Put(PutTagOpening(&tags.open[0], indent, nullptr, localName), '>');
    tags.close.resize(EndTagLength({}, nullptr, localName, eol));
    PutEndTag(&tags.close[0], {}, nullptr, localName, eol);
    tags.localName = localName;
    tags.depth = depth;
    tags.layoutVersion = m_layoutVersion;
    return tags;
}

bool CXmlTextWriter::WriteComposedValueElement(const std::string* prefix, const std::string& localName,
                                               const std::string& text, bool empty)
{
    if (!empty && !IsPlain<false>(text))
        return false;
    using Composed::Put;
    if (!prefix && !empty) {
        // The usual leaf: its two tags come ready-made, with the text between.
        const LeafTags& tags = LeafTagsFor(localName, m_pContext->GetDepth() + 1);
        WriteComposed(tags.open.size() + text.size() + tags.close.size(),
                      [&](char* out) { return Put(Put(Put(out, tags.open), text), tags.close); });
        return true;
    }
    const std::string_view indent = Indentation(m_pContext->GetDepth() + 1);
    const std::string_view eol = LineEnd();
    const std::size_t opening = TagOpeningLength(indent, prefix, localName);
    if (empty) {
        WriteComposed(opening + 2 + eol.size(), [&](char* out) {
            return Put(Put(PutTagOpening(out, indent, prefix, localName), "/>", 2), eol.data(), eol.size());
        });
        return true;
    }
    WriteComposed(opening + 1 + text.size() + EndTagLength({}, prefix, localName, eol), [&](char* out) {
        out = Put(Put(PutTagOpening(out, indent, prefix, localName), '>'), text);
        return PutEndTag(out, {}, prefix, localName, eol);
    });
    return true;
}

void CXmlTextWriter::WriteAttribute(const std::string& localName, const std::string& namespaceUri,
                                    const std::string& value, ItemType)
{
    CheckStartTagOpen();
    if (namespaceUri.empty()) {
        // The usual attribute, without a prefix, written at once.
        if (IsPlain<true>(value)) {
            WriteComposed(localName.size() + value.size() + 4, [&](char* out) {
                using Composed::Put;
                return Put(Put(Put(Put(Put(out, ' '), localName), "=\"", 2), value), '"');
            });
            FlushCheck();
            return;
        }
    }
    m_pStream->Write(' ');
    if (!namespaceUri.empty()) {
        m_pStream->Write(PrefixForAttribute(namespaceUri, false));
        m_pStream->Write(':');
    }
    m_pStream->Write(localName.data(), localName.size());
    m_pStream->Write("=\"");
    WriteEscaped(value, true);
    m_pStream->Write('"');
    FlushCheck();
}

void CXmlTextWriter::WriteXsiType(const std::string& typeNamespace, const std::string& typeName, ItemType type)
{
    CheckStartTagOpen();
    std::string value;
    if (!typeNamespace.empty() && typeNamespace != m_pContext->GetDefaultNamespace())
        value = PrefixForAttribute(typeNamespace, true) + ":" + typeName;
    else
        value = typeName;
    WriteAttribute("type", XmlSchemaInstanceNamespaceUri, value, type);
}

void CXmlTextWriter::WriteNil()
{
    CheckStartTagOpen();
    WriteAttribute("nil", XmlSchemaInstanceNamespaceUri, "true", ItemType_boolean);
}

} // namespace TsXmlLib16
