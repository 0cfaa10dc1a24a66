#include "tsxmllib/BinaryData.h"

#include "tsxmllib/Base64.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TSCriticalSection.h"
#include "tsxmllib/TsException.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace TsXmlLib16 {

// The bytes shared by CBinaryData copies, with the number of sharers. They
// live in memory from new[], or from malloc when adopted from a byte stream,
// which then grows in place where the system can do so.
class CBinaryDataBuffer {
public:
    // A private copy of n > 0 bytes, with room to grow.
    CBinaryDataBuffer(const unsigned char* data, std::size_t n)
        : m_lpData(new unsigned char[std::max<std::size_t>(2 * n, 8192)]), m_dwLen(n),
          m_capacity(std::max<std::size_t>(2 * n, 8192))
    {
        std::memcpy(m_lpData, data, n);
    }
    // Adopts memory allocated with new[].
    CBinaryDataBuffer(unsigned char* data, std::size_t n, bool /*adopt*/)
        : m_lpData(data), m_dwLen(n), m_capacity(n)
    {
    }
    // Adopts n bytes in capacity bytes of memory allocated with malloc.
    CBinaryDataBuffer(unsigned char* data, std::size_t n, std::size_t capacity)
        : m_lpData(data), m_dwLen(n), m_capacity(capacity), m_fromMalloc(true)
    {
    }
    ~CBinaryDataBuffer()
    {
        if (m_fromMalloc)
            std::free(m_lpData);
        else
            delete[] m_lpData;
    }
    CBinaryDataBuffer(const CBinaryDataBuffer&) = delete;
    CBinaryDataBuffer& operator=(const CBinaryDataBuffer&) = delete;

    // Room for at least needed bytes, keeping the ones held.
    void Grow(std::size_t needed)
    {
        const std::size_t capacity = 2 * needed;
        if (m_fromMalloc) {
            void* grown = std::realloc(m_lpData, capacity);
            if (!grown)
                throw std::bad_alloc();
            m_lpData = static_cast<unsigned char*>(grown);
        } else {
            unsigned char* grown = new unsigned char[capacity];
            std::memcpy(grown, m_lpData, m_dwLen);
            delete[] m_lpData;
            m_lpData = grown;
        }
        m_capacity = capacity;
    }
    // The bytes in memory from new[], for a caller that frees them with delete[].
    unsigned char* TakeBytes()
    {
        unsigned char* bytes = m_lpData;
        if (m_fromMalloc) {
            bytes = new unsigned char[m_dwLen];
            std::memcpy(bytes, m_lpData, m_dwLen);
            std::free(m_lpData);
        }
        m_lpData = nullptr;
        return bytes;
    }

    unsigned char* m_lpData;
    std::size_t m_dwLen;
    std::size_t m_capacity;
    int m_refCount = 1;
    CTSCriticalSection m_lock;

private:
    bool m_fromMalloc = false;
};

namespace {
void AddRefBuffer(CBinaryDataBuffer* buffer)
{
    CTSLock lock(buffer->m_lock);
    ++buffer->m_refCount;
}

void ReleaseBuffer(CBinaryDataBuffer* buffer)
{
    bool last;
    {
        CTSLock lock(buffer->m_lock);
        last = --buffer->m_refCount == 0;
    }
    if (last)
        delete buffer;
}
} // namespace

CBinaryData::CBinaryData() = default;

CBinaryData::CBinaryData(const CBinaryData& other) : m_buffer(other.m_buffer)
{
    if (m_buffer)
        AddRefBuffer(m_buffer);
}

CBinaryData::CBinaryData(unsigned char* data, unsigned long length, bool takeOwnership)
{
    if (length == 0) {
        if (takeOwnership)
            delete[] data;
        return;
    }
    m_buffer = takeOwnership ? new CBinaryDataBuffer(data, length, true) : new CBinaryDataBuffer(data, length);
}

CBinaryData::CBinaryData(AdoptMalloced, unsigned char* data, std::size_t length, std::size_t capacity)
{
    if (length == 0) {
        std::free(data);
        return;
    }
    try {
        m_buffer = new CBinaryDataBuffer(data, length, capacity);
    } catch (...) {
        std::free(data);
        throw;
    }
}

CBinaryData::CBinaryData(const char* text)
{
    const std::size_t n = text ? std::strlen(text) : 0;
    if (n > 0)
        m_buffer = new CBinaryDataBuffer(reinterpret_cast<const unsigned char*>(text), n);
}

CBinaryData::~CBinaryData() { Clear(); }

CBinaryData& CBinaryData::operator=(const CBinaryData& other)
{
    if (m_buffer != other.m_buffer) {
        if (other.m_buffer)
            AddRefBuffer(other.m_buffer);
        Clear();
        m_buffer = other.m_buffer;
    }
    return *this;
}

void CBinaryData::Clear()
{
    if (m_buffer) {
        ReleaseBuffer(m_buffer);
        m_buffer = nullptr;
    }
}

unsigned char* CBinaryData::GetData() const { return m_buffer ? m_buffer->m_lpData : nullptr; }

unsigned long CBinaryData::GetLength() const { return m_buffer ? static_cast<unsigned long>(m_buffer->m_dwLen) : 0; }

void CBinaryData::MakePrivate()
{
    CBinaryDataBuffer* copy = nullptr;
    {
        CTSLock lock(m_buffer->m_lock);
        if (m_buffer->m_refCount >= 2) {
            copy = new CBinaryDataBuffer(m_buffer->m_lpData, m_buffer->m_dwLen);
            --m_buffer->m_refCount;
        }
    }
    if (copy)
        m_buffer = copy;
}

unsigned char* CBinaryData::ReleaseData()
{
    if (!m_buffer)
        return nullptr;
    MakePrivate();
    CBinaryDataBuffer* buffer = m_buffer;
    {
        CTSLock lock(buffer->m_lock);
        const int count = --buffer->m_refCount;
        if (count != 0) {
            ++buffer->m_refCount;
            throw CTsException(FormatString("Failed to release data. [RefCount=%d]", count));
        }
    }
    unsigned char* data = nullptr;
    try {
        data = buffer->TakeBytes();
    } catch (...) {
        // Out of memory for the copy: the object keeps its bytes.
        CTSLock lock(buffer->m_lock);
        ++buffer->m_refCount;
        throw;
    }
    delete buffer;
    m_buffer = nullptr;
    return data;
}

void CBinaryData::Append(const unsigned char* data, unsigned long length)
{
    if (length == 0)
        return;
    if (!m_buffer) {
        m_buffer = new CBinaryDataBuffer(data, length);
        return;
    }
    MakePrivate();
    CTSLock lock(m_buffer->m_lock);
    if (m_buffer->m_refCount != 1)
        throw CTsException(FormatString("Failed to append. [RefCount=%d]", m_buffer->m_refCount));
    const std::size_t needed = m_buffer->m_dwLen + length;
    if (needed > m_buffer->m_capacity)
        m_buffer->Grow(needed);
    std::memcpy(m_buffer->m_lpData + m_buffer->m_dwLen, data, length);
    m_buffer->m_dwLen = needed;
}

void CBinaryData::Append(unsigned char byte) { Append(&byte, 1); }

void CBinaryData::Append(char byte) { Append(reinterpret_cast<const unsigned char*>(&byte), 1); }

void CBinaryData::Append(const char* text)
{
    if (text)
        Append(reinterpret_cast<const unsigned char*>(text), static_cast<unsigned long>(std::strlen(text)));
}

void CBinaryData::Append(const std::string& text) { Append(text.c_str()); }

void CBinaryData::Append(const CBinaryData& data)
{
    if (data.m_buffer == nullptr)
        return;
    if (data.m_buffer == m_buffer) {
        // Appending an object to itself (or to a copy sharing its bytes).
        const CBinaryData keep(data);
        MakePrivate();
        Append(keep.GetData(), keep.GetLength());
        return;
    }
    Append(data.GetData(), data.GetLength());
}

void CBinaryData::SetBuffer(const unsigned char* data, unsigned long length)
{
    Clear();
    if (length > 0)
        m_buffer = new CBinaryDataBuffer(data, length);
}

void CBinaryData::SetBuffer(const char* text)
{
    SetBuffer(reinterpret_cast<const unsigned char*>(text),
              text ? static_cast<unsigned long>(std::strlen(text)) : 0);
}

std::string CBinaryData::GetAsBase64() const
{
    if (!m_buffer)
        return std::string();
    CBase64 encoder;
    return encoder.Encode(m_buffer->m_lpData, m_buffer->m_dwLen);
}

void CBinaryData::SetAsBase64(const char* text)
{
    Clear();
    const std::size_t n = text ? std::strlen(text) : 0;
    if (n == 0)
        return;
    unsigned char* bytes = new unsigned char[n];
    CBase64 decoder;
    const std::size_t written = decoder.Decode(text, n, bytes);
    if (written == 0) {
        delete[] bytes;
        return;
    }
    m_buffer = new CBinaryDataBuffer(bytes, written, true);
}

std::string CBinaryData::GetAsHexString() const
{
    return m_buffer ? GetAsHexString(m_buffer->m_lpData, static_cast<unsigned long>(m_buffer->m_dwLen))
                    : std::string();
}

std::string CBinaryData::GetAsHexString(const unsigned char* data, unsigned long length)
{
    static const char kDigits[] = "0123456789ABCDEF";
    if (!data)
        return std::string();
    std::string out(2 * static_cast<std::size_t>(length), '\0');
    for (unsigned long i = 0; i < length; ++i) {
        out[2 * i] = kDigits[data[i] >> 4];
        out[2 * i + 1] = kDigits[data[i] & 0x0F];
    }
    return out;
}

namespace {
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

void CBinaryData::SetAsHexString(const char* text)
{
    Clear();
    const std::size_t n = text ? std::strlen(text) : 0;
    if (n % 2 != 0)
        throw CTsException("Invalid length in hex string");
    if (n == 0)
        return;
    unsigned char* bytes = new unsigned char[n / 2];
    for (std::size_t i = 0; i < n; i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0) {
            delete[] bytes;
            throw CTsException(FormatString("Invalid char in hex string [%c]", high < 0 ? text[i] : text[i + 1]));
        }
        bytes[i / 2] = static_cast<unsigned char>((high << 4) | low);
    }
    m_buffer = new CBinaryDataBuffer(bytes, n / 2, true);
}

bool CBinaryData::operator==(const CBinaryData& other) const
{
    if (!m_buffer || !other.m_buffer)
        return !m_buffer && !other.m_buffer;
    return m_buffer->m_dwLen == other.m_buffer->m_dwLen &&
           std::memcmp(m_buffer->m_lpData, other.m_buffer->m_lpData, m_buffer->m_dwLen) == 0;
}

unsigned char& CBinaryData::operator[](unsigned long index)
{
    if (!m_buffer || index >= m_buffer->m_dwLen)
        throw CTsException(FormatString("Index Out of range [%d]", static_cast<int>(index)));
    MakePrivate();
    return m_buffer->m_lpData[index];
}

const unsigned char& CBinaryData::operator[](unsigned long index) const
{
    if (!m_buffer || index >= m_buffer->m_dwLen)
        throw CTsException(FormatString("Index Out of range [%d]", static_cast<int>(index)));
    return m_buffer->m_lpData[index];
}

} // namespace TsXmlLib16
