#include "tsxmllib/BinaryStream.h"

namespace TsXmlLib16 {

CBinaryStream::CBinaryStream() : TS_INSTANCE_MONITOR("CBinaryStream") {}

CBinaryStream::CBinaryStream(const CBinaryData& data) : TS_INSTANCE_MONITOR("CBinaryStream"), m_data(data) {}

CBinaryStream::CBinaryStream(const char* monitorName, const CBinaryData& data)
    : CInstanceMonitor(monitorName), m_data(data)
{
}

CBinaryStream::~CBinaryStream() = default;

} // namespace TsXmlLib16
