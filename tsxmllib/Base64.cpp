#include "tsxmllib/Base64.h"

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

enum : signed char { kSkip = -1, kInvalid = -2 };

struct DecodeTable {
    signed char value[128];
    DecodeTable()
    {
        for (signed char& v : value)
            v = kInvalid;
        for (int i = 0; i < 64; ++i)
            value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
        for (char c : {'=', ' ', '\t', '\r', '\n'})
            value[static_cast<unsigned char>(c)] = kSkip;
    }
};
const DecodeTable kDecode;
} // namespace

std::string CBase64::Encode(const unsigned char* data, std::size_t length)
{
    m_input = data;
    m_inputLength = length;
    m_bits = 0;
    m_bitCount = 0;
    const std::size_t groups = (8 * length + 5) / 6;
    std::string out(((groups + 3) / 4) * 4, '=');
    std::size_t pos = 0;
    for (std::size_t i = 0; i < m_inputLength; ++i) {
        m_bits = (m_bits << 8) | m_input[i];
        m_bitCount += 8;
        while (m_bitCount >= 6) {
            m_bitCount -= 6;
            out[pos++] = kAlphabet[(m_bits >> m_bitCount) & 0x3F];
        }
    }
    if (m_bitCount > 0)
        out[pos++] = kAlphabet[(m_bits << (6 - m_bitCount)) & 0x3F];
    m_bits = 0;
    m_bitCount = 0;
    return out;
}

std::size_t CBase64::Decode(const char* text, std::size_t length, unsigned char* out)
{
    m_bits = 0;
    m_bitCount = 0;
    std::size_t written = 0;
    for (std::size_t i = 0; i < length; ++i) {
        // Characters with the high bit set decode as their low seven bits.
        const signed char v = kDecode.value[static_cast<unsigned char>(text[i]) & 0x7F];
        if (v == kSkip)
            continue;
        if (v == kInvalid)
            return 0;
        m_bits = (m_bits << 6) | static_cast<std::uint32_t>(v);
        m_bitCount += 6;
        if (m_bitCount >= 8) {
            m_bitCount -= 8;
            out[written++] = static_cast<unsigned char>((m_bits >> m_bitCount) & 0xFF);
        }
    }
    m_bits = 0;
    m_bitCount = 0;
    return written;
}
