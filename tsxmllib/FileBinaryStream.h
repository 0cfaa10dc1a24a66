// A byte stream whose collected bytes are written to a file in one go, with the
// FF FE mark first for the UTF-16 encodings.
#ifndef TSXMLLIB_FILEBINARYSTREAM_H
#define TSXMLLIB_FILEBINARYSTREAM_H

#include "tsxmllib/BinaryStream.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFileBinaryStream : public CBinaryStream {
public:
    CFileBinaryStream(const char* fileName, int encoding);
    CFileBinaryStream(const char* fileName, int encoding, const CBinaryData& data);
    ~CFileBinaryStream() override;

    // Creates or truncates the file and writes the mark (for encodings 2 and 3)
    // and the collected bytes. Throws CTsException with the platform error.
    void WriteToFile();

private:
    std::string m_fileName;
    int m_encoding;
};

} // namespace TsXmlLib16

#endif
