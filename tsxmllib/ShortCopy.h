// Copying a few bytes without a call to memcpy: names, line ends, indentation
// and most values are short, and at these lengths the call costs more than
// the copy.
#ifndef TSXMLLIB_SHORTCOPY_H
#define TSXMLLIB_SHORTCOPY_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace TsXmlLib16 {

// Copies length bytes from from to to (the two do not overlap). Lengths up to
// 16 take two overlapping fixed-size copies, which compile to plain moves.
inline void CopyShort(void* to, const void* from, std::size_t length)
{
    auto* const out = static_cast<unsigned char*>(to);
    const auto* const in = static_cast<const unsigned char*>(from);
    const auto pair = [&](auto word) {
        decltype(word) head, tail;
        std::memcpy(&head, in, sizeof head);
        std::memcpy(&tail, in + length - sizeof tail, sizeof tail);
        std::memcpy(out, &head, sizeof head);
        std::memcpy(out + length - sizeof tail, &tail, sizeof tail);
    };
    if (length >= 8) {
        if (length <= 16)
            pair(std::uint64_t{});
        else
            std::memcpy(out, in, length);
    } else if (length >= 4) {
        pair(std::uint32_t{});
    } else if (length >= 2) {
        pair(std::uint16_t{});
    } else if (length == 1) {
        *out = *in;
    }
}

} // namespace TsXmlLib16

#endif
