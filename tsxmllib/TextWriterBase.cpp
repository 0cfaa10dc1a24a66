#include "tsxmllib/TextWriterBase.h"

#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include <cassert>
#include <cstdint>

namespace TsXmlLib16 {

namespace {
const char kInvalidEol[] = "Invalid EOL type.";
} // namespace

CTextWriterBase::CTextWriterBase(const char* monitorName, CTextStream* stream)
    : CXmlWriter(monitorName), m_pStream(stream)
{
}

CTextWriterBase::~CTextWriterBase() = default;

void CTextWriterBase::SetPrettyPrint(bool prettyPrint)
{
    assert(m_pContext == 0 && "m_pContext == 0");
    m_prettyPrint = prettyPrint;
}

void CTextWriterBase::SetEOLType(EOLType eol)
{
    switch (eol) {
    case EOLType_CRLF:
        m_eol = "\r\n";
        break;
    case EOLType_LF:
        m_eol = "\n";
        break;
    default:
        throw CTsException(kInvalidEol);
    }
    m_eolType = eol;
}

void CTextWriterBase::SetIndentChars(const char* chars)
{
    m_indent = chars ? chars : "";
    m_indentRun.clear();
}

void CTextWriterBase::WriteIndentChars(std::uint32_t depth)
{
    const std::size_t length = static_cast<std::size_t>(depth) * m_indent.size();
    while (m_indentRun.size() < length)
        m_indentRun += m_indent;
    m_pStream->Write(m_indentRun.data(), length);
}

} // namespace TsXmlLib16
