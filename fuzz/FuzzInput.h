// A small reader over the fuzzer's bytes: option bits first, then the pieces
// of text a target needs, cut at a separator byte.
#ifndef TSXMLLIB_FUZZ_FUZZINPUT_H
#define TSXMLLIB_FUZZ_FUZZINPUT_H

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    // The next byte, or 0 when the input is used up.
    std::uint8_t TakeByte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }
    // The text up to the next separator (which is consumed), or all that is left.
    std::string TakeUntil(char separator)
    {
        std::string out;
        while (m_pos < m_size && static_cast<char>(m_data[m_pos]) != separator)
            out += static_cast<char>(m_data[m_pos++]);
        if (m_pos < m_size)
            ++m_pos;
        return out;
    }
    std::string TakeRest()
    {
        std::string out(reinterpret_cast<const char*>(m_data) + m_pos, m_size - m_pos);
        m_pos = m_size;
        return out;
    }
    const std::uint8_t* Rest() const { return m_data + m_pos; }
    std::size_t RestSize() const { return m_size - m_pos; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

#endif
