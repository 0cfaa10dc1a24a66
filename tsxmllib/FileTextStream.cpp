#include "tsxmllib/FileTextStream.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

CFileTextStream::CFileTextStream(const char* fileName, XmlEncoding encoding)
    : CTextStream("CFileTextStream", encoding), m_fileName(fileName ? fileName : "")
{
}

CFileTextStream::~CFileTextStream() = default;

void CFileTextStream::FailWrite(int error)
{
    m_file.Close();
    throw CTsException(FormatString("Failed to write data to the file. Error [0x%08X]", static_cast<unsigned>(error)));
}

void CFileTextStream::Open()
{
    m_buffer.Reset();
    m_pendingData.Clear();
    m_filePosition = 0;
    auto failOpen = [this]() {
        const int error = m_file.GetLastError();
        m_file.Close();
        throw CTsException(FormatString("Failed to write data to the file [%s] error [0x%08X]", m_fileName.c_str(),
                                        static_cast<unsigned>(error)));
    };
    if (!m_file.OpenForWrite(m_fileName.c_str()))
        failOpen();
    if (m_encoding == XmlEncoding_UTF16 || m_encoding == XmlEncoding_UTF16NoDecl) {
        static const unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
        m_pendingData.SetBuffer(kByteOrderMark, sizeof(kByteOrderMark));
        if (!m_file.WriteAll(kByteOrderMark, sizeof(kByteOrderMark)))
            failOpen();
    }
}

void CFileTextStream::Flush()
{
    if (m_buffer.GetLength() == 0)
        return;
    // The previous write has completed: it is part of the file now.
    m_filePosition += m_pendingData.GetLength();
    m_pendingData.Clear();
    m_pendingData = GetBytes();
    if (m_pendingData.GetLength() > 0 && !m_file.WriteAll(m_pendingData.GetData(), m_pendingData.GetLength()))
        FailWrite(m_file.GetLastError());
    m_buffer.Reset();
}

void CFileTextStream::Close()
{
    Flush();
    if (m_file.IsOpen() && !m_file.Close())
        FailWrite(m_file.GetLastError());
}

} // namespace TsXmlLib16
