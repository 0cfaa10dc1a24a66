#include "tsxmllib/BinaryStream.h"

#include <limits>
#include <new>

namespace TsXmlLib16 {

COctetRun::COctetRun(const COctetRun& other)
{
    if (!other.Empty())
        Put(other.Data(), other.Size());
}

COctetRun& COctetRun::operator=(const COctetRun& other)
{
    if (this != &other) {
        Clear();
        if (!other.Empty())
            Put(other.Data(), other.Size());
    }
    return *this;
}

COctetRun::~COctetRun() { delete[] m_begin; }

void COctetRun::Grow(std::size_t length)
{
    const std::size_t size = Size();
    if (length > std::numeric_limits<std::size_t>::max() / 4 - size)
        throw std::bad_alloc();
    const std::size_t capacity = static_cast<std::size_t>(m_limit - m_begin);
    std::size_t grown = capacity ? 2 * capacity : 256;
    while (grown - size < length)
        grown *= 2;
    unsigned char* storage = new unsigned char[grown];
    if (size)
        std::memcpy(storage, m_begin, size);
    delete[] m_begin;
    m_begin = storage;
    m_end = storage + size;
    m_limit = storage + grown;
}

CBinaryStream::CBinaryStream() : TS_INSTANCE_MONITOR("CBinaryStream") {}

CBinaryStream::CBinaryStream(const CBinaryData& data) : TS_INSTANCE_MONITOR("CBinaryStream"), m_data(data) {}

CBinaryStream::CBinaryStream(const char* monitorName, const CBinaryData& data)
    : CInstanceMonitor(monitorName), m_data(data)
{
}

CBinaryStream::~CBinaryStream() = default;

void CBinaryStream::Write(const unsigned char* data, unsigned long length)
{
    if (length < kBlockSize) {
        m_gathered.Put(data, length);
        FlushIfFull();
        return;
    }
    Flush();
    m_data.Append(data, length);
}

void CBinaryStream::Flush() const
{
    if (m_gathered.Empty())
        return;
    m_data.Append(m_gathered.Data(), static_cast<unsigned long>(m_gathered.Size()));
    m_gathered.Clear();
}

} // namespace TsXmlLib16
