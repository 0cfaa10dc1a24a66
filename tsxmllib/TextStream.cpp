#include "tsxmllib/TextStream.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/TsException.h"

#include <cstring>
#include <memory>

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
        if (IsLocalEncodingUtf8()) {
            // The text already is UTF-8: its blocks are copied once, straight
            // into memory the result adopts, instead of being joined, copied
            // and copied again into a buffer twice the size.
            std::uint32_t length = m_buffer.GetLength();
            if (length == 0)
                return CBinaryData();
            std::unique_ptr<unsigned char[]> bytes(new unsigned char[length]);
            m_buffer.CopyTo(reinterpret_cast<char*>(bytes.get()));
            // Like the converting path, the text ends at a zero character.
            if (const void* zero = std::memchr(bytes.get(), 0, length))
                length = static_cast<std::uint32_t>(static_cast<const unsigned char*>(zero) - bytes.get());
            if (length == 0)
                return CBinaryData();
            return CBinaryData(bytes.release(), length, true);
        }
        return LocalToUtf8(GetText());
    case XmlEncoding_UTF16:
    case XmlEncoding_UTF16NoDecl:
        return LocalToUtf16(GetText());
    default:
        throw CTsException("Unknown Encoding, select UTF-8 (contact our support team)");
    }
}

} // namespace TsXmlLib16
