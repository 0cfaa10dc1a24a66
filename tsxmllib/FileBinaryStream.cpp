#include "tsxmllib/FileBinaryStream.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

CFileBinaryStream::CFileBinaryStream(const char* fileName, int encoding)
    : CBinaryStream("CFileBinaryStream", CBinaryData()), m_fileName(fileName ? fileName : ""), m_encoding(encoding)
{
}

CFileBinaryStream::CFileBinaryStream(const char* fileName, int encoding, const CBinaryData& data)
    : CBinaryStream("CFileBinaryStream", data), m_fileName(fileName ? fileName : ""), m_encoding(encoding)
{
}

CFileBinaryStream::~CFileBinaryStream() = default;

void CFileBinaryStream::WriteToFile()
{
    Flush();
    Platform::File file;
    bool ok = file.OpenForWrite(m_fileName.c_str());
    if (ok && (m_encoding == 2 || m_encoding == 3)) {
        static const unsigned char kMark[2] = {0xFF, 0xFE};
        ok = file.WriteAll(kMark, sizeof(kMark));
    }
    if (ok && m_data.GetLength() > 0)
        ok = file.WriteAll(m_data.GetData(), m_data.GetLength());
    if (ok)
        ok = file.Close();
    if (!ok) {
        const int error = file.GetLastError();
        file.Close();
        throw CTsException(FormatString("Failed to write data to the file [%s] error [0x%08X]", m_fileName.c_str(),
                                        static_cast<unsigned int>(error)));
    }
}

} // namespace TsXmlLib16
