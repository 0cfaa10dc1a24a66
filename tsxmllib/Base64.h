// Base64 text form of bytes (standard alphabet, padding, no line breaks).
#ifndef TSXMLLIB_BASE64_H
#define TSXMLLIB_BASE64_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CBase64 {
public:
    CBase64() = default;
    virtual ~CBase64() = default;

    std::string Encode(const unsigned char* data, std::size_t length);
    // Decodes into out (which must hold at least length bytes) and returns the
    // number of bytes written. "=", space, tab, CR and LF are skipped anywhere;
    // any other character outside the alphabet makes the result empty (0).
    std::size_t Decode(const char* text, std::size_t length, unsigned char* out);

private:
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;
    const unsigned char* m_input = nullptr;
    std::size_t m_inputLength = 0;
};

#endif
