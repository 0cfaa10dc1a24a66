#include "tsxmllib/BinaryStream.h"

#include <cstring>

namespace TsXmlLib16 {

CBinaryStream::CBinaryStream() : TS_INSTANCE_MONITOR("CBinaryStream") {}

CBinaryStream::CBinaryStream(const CBinaryData& data) : TS_INSTANCE_MONITOR("CBinaryStream"), m_data(data) {}

CBinaryStream::CBinaryStream(const char* monitorName, const CBinaryData& data)
    : CInstanceMonitor(monitorName), m_data(data)
{
}

CBinaryStream::~CBinaryStream() = default;

void CBinaryStream::Write(const unsigned char* data, unsigned long length)
{
    if (length <= kPendingCapacity - m_pendingLength) {
        std::memcpy(m_pending + m_pendingLength, data, length);
        m_pendingLength += static_cast<unsigned>(length);
        return;
    }
    Flush();
    m_data.Append(data, length);
}

void CBinaryStream::Flush() const
{
    if (m_pendingLength == 0)
        return;
    m_data.Append(m_pending, m_pendingLength);
    m_pendingLength = 0;
}

} // namespace TsXmlLib16
