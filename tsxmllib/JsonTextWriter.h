// Renders the writer calls as JSON text: the document is one object, each
// element a member named after it, attributes members named "@..." (modes 1
// and 2), text beside other members a "#text" member (or the element's whole
// value), and the items of a collection an array.
#ifndef TSXMLLIB_JSONTEXTWRITER_H
#define TSXMLLIB_JSONTEXTWRITER_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/TextWriterBase.h"

#include <string>
#include <vector>

namespace TsXmlLib16 {

class CTextStream;

class TSXMLLIB_EXPORT CJsonTextWriter : public CTextWriterBase {
public:
    // The stream is not owned and must outlive the writer.
    explicit CJsonTextWriter(CTextStream* stream);
    ~CJsonTextWriter() override;

    // Only while no element is open.
    // EOLType_CRLF or EOLType_LF; anything else is refused.
    void SetSupportRoundtrip(JsonRoundTrip mode) { m_mode = mode; }
    JsonRoundTrip GetSupportRoundtrip() const { return m_mode; }

    // Open and close the object that holds the document element.
    void StartDocument();
    void EndDocument();

    void Open() override;
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

private:
    void WriteEOL();
    void WriteIndent(std::uint32_t depth);
    // Prepares a new member of the innermost element: opens its object (and,
    // for the first item of a collection, the array around it) or writes the
    // separator. continuesArray is set for a later item of the open array.
    void OpenMember(bool continuesArray = false);
    // Before the innermost element's value: the first item of a collection
    // opens the array.
    void BeginValue();
    void OpenArray(CXmlWriterContext* item);
    void CloseArray(CXmlWriterContext* holder);
    bool HasOpenArray(const CXmlWriterContext* holder) const;
    void ChangeDepths(CXmlWriterContext* from, bool increase);
    void WriteName(const std::string& name);
    // A member "name": "value" at one level below the innermost element.
    void WriteStringMember(const std::string& name, const std::string& value);
    void WriteValue(const std::string& text, ItemType type);
    void WriteEscaped(const std::string& text);
    std::string PrefixOf(const std::string& uri, const std::string& localName);

    JsonRoundTrip m_mode = JsonRoundTrip_Full;
    bool m_valuePending = false;
    // Whether the innermost element, whose object is not open, has received its value.
    bool m_valueWritten = false;
    // Elements whose collection array is open, innermost last.
    std::vector<const CXmlWriterContext*> m_openArrays;
};

} // namespace TsXmlLib16

#endif
