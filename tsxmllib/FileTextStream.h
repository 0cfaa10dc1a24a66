// A text stream that writes its text to a file while the document is still
// being produced: every Flush converts the buffered text to the output
// encoding, writes it after what was written before and empties the buffer.
#ifndef TSXMLLIB_FILETEXTSTREAM_H
#define TSXMLLIB_FILETEXTSTREAM_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/TextStream.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFileTextStream : public CTextStream {
public:
    CFileTextStream(const char* fileName, XmlEncoding encoding);
    // Closes the file if it is still open; nothing buffered is written then.
    ~CFileTextStream() override;

    // Creates or truncates the file; UTF-16 files start with FF FE.
    void Open() override;
    // Writes what is buffered and closes the file.
    void Close() override;
    // Writes what is buffered, converted to the stream's encoding.
    void Flush() override;

    // Bytes handed to the file so far, the byte order mark included.
    std::uint64_t GetFilePosition() const { return m_filePosition + m_pendingData.GetLength(); }

private:
    [[noreturn]] void FailWrite(int error);

    std::string m_fileName;
    // The bytes of the latest write; the position counts them once the next
    // write starts, as it would for a write that completes in the background.
    CBinaryData m_pendingData;
    std::uint64_t m_filePosition = 0;
    Platform::File m_file;
};

} // namespace TsXmlLib16

#endif
