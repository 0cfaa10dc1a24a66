// An in-memory byte sink that collects written bytes in a CBinaryData.
#ifndef TSXMLLIB_BINARYSTREAM_H
#define TSXMLLIB_BINARYSTREAM_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

namespace TsXmlLib16 {

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
    // Single bytes and short runs are gathered in a small array and appended
    // to the data a block at a time, so that a writer emitting one octet at
    // a time does not pay for a shared-buffer append per octet.
    void Write(unsigned char byte)
    {
        if (m_pendingLength == kPendingCapacity)
            Flush();
        m_pending[m_pendingLength++] = byte;
    }
    void Write(const CBinaryData& data)
    {
        Flush();
        m_data.Append(data);
    }
    void Write(const unsigned char* data, unsigned long length);

protected:
    CBinaryStream(const char* monitorName, const CBinaryData& data);
    // Appends the gathered bytes to m_data; every reader of m_data calls it first.
    void Flush() const;

    mutable CBinaryData m_data;

private:
    static constexpr unsigned kPendingCapacity = 4096;
    mutable unsigned m_pendingLength = 0;
    mutable unsigned char m_pending[kPendingCapacity];
};

} // namespace TsXmlLib16

#endif
