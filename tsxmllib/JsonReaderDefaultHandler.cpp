#include "tsxmllib/JsonReaderDefaultHandler.h"

#include "tsxmllib/DebugTrace.h"

namespace TsXmlLib16 {

CJsonReaderDefaultHandler::CJsonReaderDefaultHandler() = default;

CJsonReaderDefaultHandler::~CJsonReaderDefaultHandler() = default;

void CJsonReaderDefaultHandler::SetInnerHandler(IJsonReaderHandler* handler) { m_inner.reset(handler); }

bool CJsonReaderDefaultHandler::PopName(std::string& name)
{
    if (m_path.empty() || m_path.back().kind != Kind_Name)
        return false;
    name = std::move(m_path.back().name);
    m_path.pop_back();
    return true;
}

void CJsonReaderDefaultHandler::PopThrough(ItemKind kind)
{
    while (!m_path.empty()) {
        const bool found = m_path.back().kind == kind;
        m_path.pop_back();
        if (found)
            break;
    }
}

void CJsonReaderDefaultHandler::StartDocument()
{
    TS_DEBUG_TRACE("StartDocument\n");
    m_path.clear();
    if (m_inner)
        m_inner->StartDocument();
}

void CJsonReaderDefaultHandler::EndDocument()
{
    TS_DEBUG_TRACE("EndDocument\n");
    if (m_inner)
        m_inner->EndDocument();
}

void CJsonReaderDefaultHandler::Name(const std::string& name)
{
    TS_DEBUG_TRACE("Name: %s\n", name.c_str());
    std::string previous;
    PopName(previous);
    m_path.push_back({name, 0, Kind_Name});
    if (m_inner)
        m_inner->Name(name);
}

void CJsonReaderDefaultHandler::String(const std::string& value)
{
    TS_DEBUG_TRACE("String: %s\n", value.c_str());
    if (m_inner)
        m_inner->String(value);
}

void CJsonReaderDefaultHandler::Number(const std::string& value)
{
    TS_DEBUG_TRACE("Number: %s\n", value.c_str());
    if (m_inner)
        m_inner->Number(value);
}

void CJsonReaderDefaultHandler::StartObject()
{
    TS_DEBUG_TRACE("StartObject\n");
    // The outermost object is the document itself and has no path item.
    if (!m_path.empty()) {
        std::string name;
        if (!PopName(name) && m_path.back().kind == Kind_Array) {
            PathItem& array = m_path.back();
            ++array.index;
            name = array.name + "[" + std::to_string(array.index) + "]";
        }
        m_path.push_back({std::move(name), 0, Kind_Object});
    }
    if (m_inner)
        m_inner->StartObject();
}

void CJsonReaderDefaultHandler::EndObject()
{
    TS_DEBUG_TRACE("EndObject\n");
    PopThrough(Kind_Object);
    if (m_inner)
        m_inner->EndObject();
}

void CJsonReaderDefaultHandler::StartArray()
{
    TS_DEBUG_TRACE("StartArray\n");
    if (!m_path.empty()) {
        std::string name;
        PopName(name);
        m_path.push_back({std::move(name), 0, Kind_Array});
    }
    if (m_inner)
        m_inner->StartArray();
}

void CJsonReaderDefaultHandler::EndArray()
{
    TS_DEBUG_TRACE("EndArray\n");
    PopThrough(Kind_Array);
    if (m_inner)
        m_inner->EndArray();
}

void CJsonReaderDefaultHandler::Bool(bool value)
{
    TS_DEBUG_TRACE("Bool: %s\n", value ? "true" : "false");
    if (m_inner)
        m_inner->Bool(value);
}

void CJsonReaderDefaultHandler::Null()
{
    TS_DEBUG_TRACE("Null\n");
    if (m_inner)
        m_inner->Null();
}

std::string CJsonReaderDefaultHandler::GetErrorPath()
{
    std::string path = "$";
    for (const PathItem& item : m_path) {
        if (item.kind == Kind_Array)
            continue;
        path += '.';
        path += item.name;
    }
    return path;
}

} // namespace TsXmlLib16
