// An in-memory text stream: collects the narrow text that the writers produce
// and hands it out as a string or converted to the output encoding.
#ifndef TSXMLLIB_TEXTSTREAM_H
#define TSXMLLIB_TEXTSTREAM_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/StringBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CTextStream : private CInstanceMonitor {
public:
    CTextStream();
    explicit CTextStream(XmlEncoding encoding);
    ~CTextStream() override;

    CTextStream(const CTextStream&) = delete;
    CTextStream& operator=(const CTextStream&) = delete;

    // Starts a new text: empties the buffer.
    virtual void Open();
    virtual void Close();
    // Called by the writers whenever enough text is buffered; the in-memory
    // stream keeps everything.
    virtual void Flush();

    void Write(char c) { m_buffer.Append(c); }
    void Write(const char* text) { m_buffer.Append(text); }
    void Write(const std::string& text) { m_buffer.Append(text); }
    // Exactly length characters.
    void Write(const char* text, std::size_t length) { m_buffer.Append(text, length); }
    // Writing in place: room for length characters at the end of the
    // buffer, or null; Commit(length) makes what was put there written.
    char* Reserve(std::size_t length) { return m_buffer.Reserve(length); }
    void Commit(std::size_t length) { m_buffer.Commit(length); }

    std::uint32_t GetBufferedLength() const { return m_buffer.GetLength(); }
    XmlEncoding GetEncoding() const { return m_encoding; }
    // The text written so far, zero-terminated, valid until the next write.
    const char* GetText() { return m_buffer.GetData(); }
    // The text converted to the stream's encoding: UTF-8 for 1, UTF-16LE for 2
    // and 3 (no byte order mark). Encoding 0 has no bytes and is refused.
    CBinaryData GetBytes();

protected:
    CTextStream(const char* monitorName, XmlEncoding encoding);

    CStringBuffer m_buffer;
    XmlEncoding m_encoding;
};

} // namespace TsXmlLib16

#endif
