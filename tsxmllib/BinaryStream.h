// An in-memory byte sink that collects written bytes in a CBinaryData.
#ifndef TSXMLLIB_BINARYSTREAM_H
#define TSXMLLIB_BINARYSTREAM_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/ShortCopy.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace TsXmlLib16 {

// Contiguous bytes that grow at the end, with the appends inline: a writer
// that produces many pieces of a few octets each pays a compare and a store
// per piece.
class TSXMLLIB_EXPORT COctetRun {
public:
    COctetRun() = default;
    COctetRun(const COctetRun& other);
    COctetRun& operator=(const COctetRun& other);
    ~COctetRun();

    void Put(unsigned char octet)
    {
        if (m_end == m_limit)
            Grow(1);
        *m_end++ = octet;
    }
    void Put(const unsigned char* octets, std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_limit - m_end))
            Grow(length);
        CopyShort(m_end, octets, length);
        m_end += length;
    }
    // Room for at least length more octets, which the caller writes through
    // the pointer returned and then takes with Commit(end of what it wrote).
    unsigned char* Reserve(std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_limit - m_end))
            Grow(length);
        return m_end;
    }
    void Commit(unsigned char* end) { m_end = end; }
    const unsigned char* Data() const { return m_begin; }
    std::size_t Size() const { return static_cast<std::size_t>(m_end - m_begin); }
    bool Empty() const { return m_end == m_begin; }
    // Keeps the first size octets (at most Size()); the storage stays.
    void Truncate(std::size_t size) { m_end = m_begin + size; }
    void Clear() { m_end = m_begin; }
    // Hands the storage (from malloc, capacity octets, the first Size() in
    // use) to the caller, who frees it; the run is left empty.
    unsigned char* Release(std::size_t& capacity);

private:
    // Makes room for at least length more octets, keeping the ones held.
    void Grow(std::size_t length);

    unsigned char* m_begin = nullptr;
    unsigned char* m_end = nullptr;
    unsigned char* m_limit = nullptr;
};

class TSXMLLIB_EXPORT CBinaryStream : private CInstanceMonitor {
public:
    CBinaryStream();
    explicit CBinaryStream(const CBinaryData& data);
    virtual ~CBinaryStream();

    // The bytes collected so far (shared, not copied).
    CBinaryData GetData() const
    {
        Flush();
        return m_data;
    }
    // Octets are gathered in one run that grows as it needs (in place where
    // the system can), and that the data takes over when it is asked for
    // first: a writer emitting one octet at a time pays a compare and a store
    // per octet, and the octets are not copied again.
    void Write(unsigned char byte) { m_gathered.Put(byte); }
    void Write(const CBinaryData& data)
    {
        Flush();
        m_data.Append(data);
    }
    void Write(const unsigned char* data, unsigned long length) { m_gathered.Put(data, length); }

    // The gathered octets that follow the data. A writer producing many small
    // pieces may append to them directly; the run stays the same object for
    // the stream's life.
    COctetRun& Gathered() { return m_gathered; }

protected:
    CBinaryStream(const char* monitorName, const CBinaryData& data);
    // Moves the gathered bytes to m_data (which adopts them when it holds
    // nothing yet); every reader of m_data calls it first.
    void Flush() const;

    mutable CBinaryData m_data;

private:
    mutable COctetRun m_gathered;
};

} // namespace TsXmlLib16

#endif
