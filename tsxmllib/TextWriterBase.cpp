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
    ++m_layoutVersion;
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
    ++m_layoutVersion;
}

void CTextWriterBase::SetIndentChars(const char* chars)
{
    m_indent = chars ? chars : "";
    m_indentRun.clear();
    ++m_layoutVersion;
}

void CTextWriterBase::GrowIndentRun(std::size_t length)
{
    while (m_indentRun.size() < length)
        m_indentRun += m_indent;
}

} // namespace TsXmlLib16
