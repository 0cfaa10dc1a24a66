// Renders the writer calls as XML text into a text stream: declaration,
// escaping, optional indentation and line ends, namespace declarations with
// generated prefixes for namespaces nobody declared.
#ifndef TSXMLLIB_XMLTEXTWRITER_H
#define TSXMLLIB_XMLTEXTWRITER_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/TextWriterBase.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class CTextStream;

class TSXMLLIB_EXPORT CXmlTextWriter : public CTextWriterBase {
public:
    // The stream is not owned and must outlive the writer.
    explicit CXmlTextWriter(CTextStream* stream);
    ~CXmlTextWriter() override;

    // Whether text that equals the schema default is written.
    void SetWriteDefaultElementValues(bool write) { m_writeDefaultValues = write; }
    bool GetWriteDefaultElementValues() const { return m_writeDefaultValues; }

    // The XML declaration, with the encoding of the stream; call it before the
    // first element.
    void WriteDocHeader();
    // Closes the innermost start tag as a child element would, and counts a child.
    void CloseOpenStartTag();
    // Writes XML text rendered elsewhere unchanged (and a line end when pretty
    // printing). Call CloseOpenStartTag first.
    void WriteRawXml(const std::string& xml);

    // Opens the writer, then the stream.
    void Open() override;
    // Closes the stream, then checks that every element was ended.
    void Close() override;
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

private:
    // Writes the line end.
    void WriteEOL();
    // The indentation of a line at depth: none without pretty print.
    std::string_view Indentation(std::uint32_t depth)
    {
        return m_prettyPrint ? IndentRun(depth) : std::string_view();
    }
    // The line end that follows a leaf or an end tag: none without pretty print.
    std::string_view LineEnd() const { return m_prettyPrint ? std::string_view(m_eol) : std::string_view(); }
    // Element content: text that begins a CDATA section as it stands, other
    // text escaped.
    void WriteContent(const std::string& text);
    // Writes text (up to a zero byte) with the markup characters escaped;
    // attribute mode also escapes quotation marks and line feeds.
    void WriteEscaped(const std::string& text, bool attributeMode);
    // Writes a whole leaf element at once unless its text needs escaping;
    // false (having written nothing) then.
    bool WriteComposedValueElement(const std::string* prefix, const std::string& localName, const std::string& text,
                                   bool empty);
    // The tags of a leaf element without prefix at one depth, put together
    // once: its indentation and start tag, and its end tag and line end.
    // Documents repeat a few leaf names at a few depths many times.
    struct LeafTags {
        std::string localName;
        std::uint32_t depth = 0;
        std::uint32_t layoutVersion = 0; // 0: never filled
        std::string open;
        std::string close;
    };
    // Pairs of slots: a name and depth may stand in either slot of its pair,
    // the one used last first.
    static constexpr std::size_t kLeafTagSlots = 64;
    const LeafTags& LeafTagsFor(const std::string& localName, std::uint32_t depth);
    LeafTags m_leafTags[kLeafTagSlots];
    // Writes " xmlns:prefix=\"uri\"".
    void WriteDeclaration(const std::string& prefix, const std::string& uri);
    // Writes "xmlns:prefix=\"uri\"".
    void WriteDeclarationBody(const std::string& prefix, const std::string& uri);
    // Throws unless attributes may still be added to the innermost element.
    void CheckStartTagOpen() const;
    // The prefix for uri in the innermost scope; when there is none a new one
    // is generated, added and declared ("xmlns:p=\"uri\" ", with one more space
    // in front when leadingSpace is set).
    std::string PrefixForAttribute(const std::string& uri, bool leadingSpace);

    bool m_writeDefaultValues = false;
};

} // namespace TsXmlLib16

#endif
