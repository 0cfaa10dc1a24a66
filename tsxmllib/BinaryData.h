// The library's byte buffer. Copies share one reference-counted buffer until one
// of them is changed; the bytes can be read and written as Base64 or hex text.
#ifndef TSXMLLIB_BINARYDATA_H
#define TSXMLLIB_BINARYDATA_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <string>

namespace TsXmlLib16 {

class CBinaryDataBuffer;

class TSXMLLIB_EXPORT CBinaryData {
public:
    CBinaryData();
    CBinaryData(const CBinaryData& other);
    // With takeOwnership the bytes (allocated with new[]) are adopted, otherwise copied.
    CBinaryData(unsigned char* data, unsigned long length, bool takeOwnership);
    explicit CBinaryData(const char* text);
    virtual ~CBinaryData();

    CBinaryData& operator=(const CBinaryData& other);

    void Clear();
    unsigned char* GetData() const;
    unsigned long GetLength() const;
    // Hands the bytes to the caller (free them with delete[]); the object becomes empty.
    unsigned char* ReleaseData();

    void Append(const unsigned char* data, unsigned long length);
    void Append(unsigned char byte);
    void Append(char byte);
    void Append(const char* text);
    void Append(const std::string& text);
    void Append(const CBinaryData& data);

    void SetBuffer(const unsigned char* data, unsigned long length);
    void SetBuffer(const char* text);

    std::string GetAsBase64() const;
    void SetAsBase64(const char* text);
    std::string GetAsHexString() const;
    static std::string GetAsHexString(const unsigned char* data, unsigned long length);
    void SetAsHexString(const char* text);

    bool operator==(const CBinaryData& other) const;
    bool operator!=(const CBinaryData& other) const { return !(*this == other); }

    unsigned char& operator[](unsigned long index);
    const unsigned char& operator[](unsigned long index) const;

private:
    friend class CBinaryStream;
    // Adopts length bytes held in capacity bytes of memory from malloc (the
    // octets a byte stream gathered), which later appends may grow in place.
    struct AdoptMalloced {};
    CBinaryData(AdoptMalloced, unsigned char* data, std::size_t length, std::size_t capacity);

    void MakePrivate();

    CBinaryDataBuffer* m_buffer = nullptr;
};

} // namespace TsXmlLib16

#endif
