// Turns the events of the JSON reader into calls on an XML text writer:
// members become elements, members named "@..." attributes (round-trip modes
// 1 and 2), a "#text" member the element's text, and the items of an array
// repeated elements named after the array's member.
#ifndef TSXMLLIB_JSONREADERTOXMLHANDLER_H
#define TSXMLLIB_JSONREADERTOXMLHANDLER_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/JsonReaderHandler.h"

#include <string>
#include <vector>

namespace TsXmlLib16 {

class CSerializationContext;
class CXmlTextWriter;
class IErrorPathProvider;

class TSXMLLIB_EXPORT CJsonReaderToXmlHandler : public IJsonReaderHandler {
public:
    // Neither the writer nor the path provider is owned.
    CJsonReaderToXmlHandler(CXmlTextWriter* writer, JsonRoundTrip mode, IErrorPathProvider* errorPath);
    ~CJsonReaderToXmlHandler() override;

    void StartDocument() override;
    void EndDocument() override;
    void Name(const std::string& name) override;
    void String(const std::string& value) override;
    void Number(const std::string& value) override;
    void StartObject() override;
    void EndObject() override;
    void StartArray() override;
    void EndArray() override;
    void Bool(bool value) override;
    void Null() override;

private:
    void StartElement(const std::string& name);
    // Writes a simple value as the attribute or text of the element it belongs to.
    void WriteValue(const std::string& value);
    // A simple value directly inside an array becomes an element of its own,
    // named after the array (the first item uses the element its name started).
    void BeginArrayItemValue();
    void MarkArrayItem();
    void EndValue();
    std::string ErrorPath() const;

    CXmlTextWriter* m_pWriter;
    JsonRoundTrip m_mode;
    IErrorPathProvider* m_pErrorPath;
    std::vector<std::string> m_elementStack;
    std::vector<std::string> m_arrayStack;
    // Per open array: whether an item has been seen.
    std::vector<bool> m_arrayHasItems;
    std::string m_pendingName;
    bool m_isAttribute = false;
    bool m_isText = false;
};

// Converts JSON text (local narrow text) into UTF-8 XML text, starting with
// the XML declaration, using the JSON options of the context.
TSXMLLIB_EXPORT CBinaryData ConvertJsonToXml(const std::string& jsonText, const CSerializationContext& ctx);

} // namespace TsXmlLib16

#endif
