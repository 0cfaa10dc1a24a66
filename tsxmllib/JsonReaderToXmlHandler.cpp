#include "tsxmllib/JsonReaderToXmlHandler.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/JsonTextReader.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlTextWriter.h"

#include <cassert>

namespace TsXmlLib16 {

namespace {

bool IsNameStartByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameByte(unsigned char c)
{
    return IsNameStartByte(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Whether the text can stand as an element or attribute name in XML. Bytes of
// 128 and above are let through: they belong to characters of the local text.
bool IsXmlName(const std::string& name)
{
    if (name.empty() || !IsNameStartByte(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!IsNameByte(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

CJsonReaderToXmlHandler::CJsonReaderToXmlHandler(CXmlTextWriter* writer, JsonRoundTrip mode,
                                                 IErrorPathProvider* errorPath)
    : m_pWriter(writer), m_mode(mode), m_pErrorPath(errorPath)
{
}

CJsonReaderToXmlHandler::~CJsonReaderToXmlHandler() = default;

std::string CJsonReaderToXmlHandler::ErrorPath() const
{
    return m_pErrorPath ? m_pErrorPath->GetErrorPath() : std::string();
}

void CJsonReaderToXmlHandler::StartDocument()
{
    m_elementStack.clear();
    m_arrayStack.clear();
    m_arrayHasItems.clear();
    m_pendingName.clear();
    m_isAttribute = false;
    m_isText = false;
    m_pWriter->WriteDocHeader();
}

void CJsonReaderToXmlHandler::EndDocument() {}

void CJsonReaderToXmlHandler::StartElement(const std::string& name)
{
    m_isAttribute = false;
    m_pendingName = name;
    try {
        if (!IsXmlName(name))
            throw CTsException(FormatString("'%s' is not an XML name.", name.c_str()));
        m_pWriter->StartElement(name, std::string());
    } catch (const CTsException& e) {
        throw CTsInvalidStateException(
            FormatString("Failed to convert name '%s' to Element name in XML.", name.c_str()), e);
    }
    m_elementStack.push_back(name);
}

void CJsonReaderToXmlHandler::Name(const std::string& name)
{
    if (name.empty())
        throw CTsValidationException("JSON item has an empty Name.", ErrorPath());
    if (m_mode != JsonRoundTrip_None && name == "#text") {
        m_isText = true;
        m_isAttribute = false;
    } else if (m_mode != JsonRoundTrip_None && name[0] == '@') {
        m_isAttribute = true;
        m_pendingName = name.substr(1);
    } else {
        StartElement(name);
    }
}

void CJsonReaderToXmlHandler::MarkArrayItem()
{
    if (!m_arrayHasItems.empty())
        m_arrayHasItems.back() = true;
}

void CJsonReaderToXmlHandler::BeginArrayItemValue()
{
    if (m_pendingName.empty() && !m_isText && !m_isAttribute && !m_arrayStack.empty())
        StartElement(m_arrayStack.back());
    MarkArrayItem();
}

void CJsonReaderToXmlHandler::WriteValue(const std::string& value)
{
    BeginArrayItemValue();
    if (m_isAttribute) {
        try {
            // With no element open there is nothing to hold the attribute.
            if (m_elementStack.empty() || !IsXmlName(m_pendingName))
                throw CTsException(FormatString("No element can hold the attribute '%s'.", m_pendingName.c_str()));
            m_pWriter->WriteAttribute(m_pendingName, std::string(), value, ItemType_string);
        } catch (const CTsException& e) {
            throw CTsInvalidStateException(
                FormatString("Failed to convert value '%s' to Attribute string value in XML.", value.c_str()), e);
        }
    } else {
        try {
            if (m_elementStack.empty())
                throw CTsException("No element is open for the text.");
            m_pWriter->WriteText(value, ItemType_string, false);
        } catch (const CTsException& e) {
            throw CTsInvalidStateException(
                FormatString("Failed to convert value '%s' to Element string value in XML.", value.c_str()), e);
        }
    }
    EndValue();
}

// An attribute value ends only the attribute; any other value ends the
// innermost element.
void CJsonReaderToXmlHandler::EndValue()
{
    m_pendingName.clear();
    if (m_isAttribute) {
        m_isAttribute = false;
        return;
    }
    if (!m_elementStack.empty()) {
        m_elementStack.pop_back();
        m_pWriter->EndElement();
    }
}

void CJsonReaderToXmlHandler::String(const std::string& value) { WriteValue(value); }

void CJsonReaderToXmlHandler::Number(const std::string& value) { WriteValue(value); }

void CJsonReaderToXmlHandler::Bool(bool value) { WriteValue(value ? "true" : "false"); }

void CJsonReaderToXmlHandler::Null()
{
    BeginArrayItemValue();
    EndValue();
}

void CJsonReaderToXmlHandler::StartObject()
{
    if (m_pendingName.empty() && !m_arrayStack.empty())
        StartElement(m_arrayStack.back());
    MarkArrayItem();
}

void CJsonReaderToXmlHandler::EndObject()
{
    if (!m_isText)
        EndValue();
    m_isText = false;
}

void CJsonReaderToXmlHandler::StartArray()
{
    if (m_pendingName.empty())
        throw CTsValidationException("JSON Array has no Name.", ErrorPath());
    MarkArrayItem();
    m_arrayStack.push_back(m_pendingName);
    m_arrayHasItems.push_back(false);
}

void CJsonReaderToXmlHandler::EndArray()
{
    assert(m_arrayStack.size() > 0 && "m_arrayStack.size() > 0");
    if (m_arrayStack.empty())
        return;
    const bool hadItems = m_arrayHasItems.back();
    m_arrayStack.pop_back();
    m_arrayHasItems.pop_back();
    // An empty array leaves the element its name started without content: end it.
    if (!hadItems)
        EndValue();
}

CBinaryData ConvertJsonToXml(const std::string& jsonText, const CSerializationContext& ctx)
{
    const CJsonContext& json = ctx.GetJsonContext();
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    CJsonTextReader reader(&jsonText);
    reader.SetInnerHandler(new CJsonReaderToXmlHandler(&writer, json.GetSupportRoundtrip(),
                                                       reader.GetErrorPathProvider()));
    reader.SetAllowComments(json.GetAllowComments());
    reader.SetRootElementName(json.GetRootElementName());
    reader.Parse();
    writer.Close();
    return stream.GetBytes();
}

} // namespace TsXmlLib16
