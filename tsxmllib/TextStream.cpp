#include "tsxmllib/TextStream.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

CTextStream::CTextStream() : TS_INSTANCE_MONITOR("CTextStream"), m_encoding(XmlEncoding_Unknown) {}

CTextStream::CTextStream(XmlEncoding encoding) : TS_INSTANCE_MONITOR("CTextStream"), m_encoding(encoding) {}

CTextStream::CTextStream(const char* monitorName, XmlEncoding encoding)
    : CInstanceMonitor(monitorName), m_encoding(encoding)
{
}

CTextStream::~CTextStream() = default;

void CTextStream::Open() { m_buffer.Reset(); }

void CTextStream::Close() {}

void CTextStream::Flush() {}

CBinaryData CTextStream::GetBytes()
{
    switch (m_encoding) {
    case XmlEncoding_UTF8:
        return LocalToUtf8(GetText());
    case XmlEncoding_UTF16:
    case XmlEncoding_UTF16NoDecl:
        return LocalToUtf16(GetText());
    default:
        throw CTsException("Unknown Encoding, select UTF-8 (contact our support team)");
    }
}

} // namespace TsXmlLib16
