#include "tsxmllib/BinaryStream.h"

#include <cstdlib>
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

COctetRun::~COctetRun() { std::free(m_begin); }

void COctetRun::Grow(std::size_t length)
{
    const std::size_t size = Size();
    if (length > std::numeric_limits<std::size_t>::max() / 4 - size)
        throw std::bad_alloc();
    const std::size_t capacity = static_cast<std::size_t>(m_limit - m_begin);
    std::size_t grown = capacity ? 2 * capacity : 256;
    while (grown - size < length)
        grown *= 2;
    // Large runs are remapped rather than copied where the system allows.
    unsigned char* storage = static_cast<unsigned char*>(std::realloc(m_begin, grown));
    if (!storage)
        throw std::bad_alloc();
    m_begin = storage;
    m_end = storage + size;
    m_limit = storage + grown;
}

unsigned char* COctetRun::Release(std::size_t& capacity)
{
    unsigned char* storage = m_begin;
    capacity = static_cast<std::size_t>(m_limit - m_begin);
    m_begin = m_end = m_limit = nullptr;
    return storage;
}

CBinaryStream::CBinaryStream() : TS_INSTANCE_MONITOR("CBinaryStream") {}

CBinaryStream::CBinaryStream(const CBinaryData& data) : TS_INSTANCE_MONITOR("CBinaryStream"), m_data(data) {}

CBinaryStream::CBinaryStream(const char* monitorName, const CBinaryData& data)
    : CInstanceMonitor(monitorName), m_data(data)
{
}

CBinaryStream::~CBinaryStream() = default;

void CBinaryStream::Flush() const
{
    if (m_gathered.Empty())
        return;
    if (m_data.GetLength() == 0) {
        const std::size_t length = m_gathered.Size();
        std::size_t capacity = 0;
        unsigned char* octets = m_gathered.Release(capacity);
        // The run grew by doubling: room well beyond the octets is given back
        // (shrinking keeps them where they are).
        if (capacity - length > length / 4) {
            if (void* fitted = std::realloc(octets, length)) {
                octets = static_cast<unsigned char*>(fitted);
                capacity = length;
            }
        }
        m_data = CBinaryData(CBinaryData::AdoptMalloced{}, octets, length, capacity);
        return;
    }
    m_data.Append(m_gathered.Data(), static_cast<unsigned long>(m_gathered.Size()));
    m_gathered.Clear();
}

} // namespace TsXmlLib16
