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
    CBinaryData GetData() const { return m_data; }
    void Write(unsigned char byte) { m_data.Append(byte); }
    void Write(const CBinaryData& data) { m_data.Append(data); }
    void Write(const unsigned char* data, unsigned long length) { m_data.Append(data, length); }

protected:
    CBinaryStream(const char* monitorName, const CBinaryData& data);

    CBinaryData m_data;
};

} // namespace TsXmlLib16

#endif
