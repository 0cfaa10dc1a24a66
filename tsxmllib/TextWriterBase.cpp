#include "tsxmllib/TextWriterBase.h"

#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include <cassert>
#include <cstdint>

namespace TsXmlLib16 {

namespace {
constexpr std::uint32_t kFlushThreshold = 4096;
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

void CTextWriterBase::SetIndentChars(const char* chars) { m_indent = chars ? chars : ""; }

void CTextWriterBase::FlushCheck()
{
    if (m_pStream->GetBufferedLength() >= kFlushThreshold)
        m_pStream->Flush();
}

void CTextWriterBase::AppendLineEnd(std::string& out) const
{
    if (m_eolType == EOLType_CRLF)
        out += "\r\n";
    else if (m_eolType == EOLType_LF)
        out += '\n';
    else
        throw CTsException(kInvalidEol);
}

} // namespace TsXmlLib16
