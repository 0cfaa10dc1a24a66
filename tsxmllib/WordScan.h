// Tests on eight bytes of text at a time, for scans that look for a few
// characters: a word (read with memcpy) that none of the tests flags holds
// none of them, so the scan skips it without looking at its bytes.
#ifndef TSXMLLIB_WORDSCAN_H
#define TSXMLLIB_WORDSCAN_H

#include <cstdint>
#include <cstring>
#include <string>

namespace TsXmlLib16 {
namespace WordScan {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

// The eight bytes at p.
inline std::uint64_t Load(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}
// Eight bytes made of the length (1 to 8) bytes at p only, some of them
// repeated: a test for the presence of a byte gives the same answer for the
// word as for the bytes.
inline std::uint64_t LoadShort(const char* p, std::size_t length)
{
    if (length >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, p, sizeof head);
        std::memcpy(&tail, p + length - sizeof tail, sizeof tail);
        return head | std::uint64_t{tail} << 32;
    }
    std::uint32_t half;
    if (length >= 2) {
        std::uint16_t head, tail;
        std::memcpy(&head, p, sizeof head);
        std::memcpy(&tail, p + length - sizeof tail, sizeof tail);
        half = head | std::uint32_t{tail} << 16;
    } else {
        half = 0x01010101u * static_cast<unsigned char>(*p);
    }
    return half | std::uint64_t{half} << 32;
}
// Non-zero when some byte of w is below limit (at most 128); bytes of 128
// and above never count.
inline std::uint64_t AnyByteBelow(std::uint64_t w, unsigned limit) { return (w - kOnes * limit) & ~w & kHighs; }
// Non-zero when some byte of w equals c.
inline std::uint64_t AnyByteIs(std::uint64_t w, unsigned char c) { return AnyByteBelow(w ^ (kOnes * c), 1); }

// The first character from p on whose entry in special has a bit of mask set.
// end holds a zero, which special must mark with every mask bit, so the search
// stops there at the latest. mayHoldSpecial(w) must be true for any eight
// bytes w that hold such a character or a zero (the tests above make such
// filters): words it passes are skipped without looking at their bytes.
template <class MayHoldSpecial>
const char* FindSpecial(const char* p, const char* end, const std::uint8_t (&special)[256], std::uint8_t mask,
                        MayHoldSpecial mayHoldSpecial)
{
    const auto isSpecial = [&](char c) { return (special[static_cast<unsigned char>(c)] & mask) != 0; };
    for (;;) {
        while (end - p >= 8 && !mayHoldSpecial(Load(p)))
            p += 8;
        if (end - p < 8) {
            while (!isSpecial(*p))
                ++p;
            return p;
        }
        // The word may hold one: its bytes are looked at.
        const char* const wordEnd = p + 8;
        while (p != wordEnd && !isSpecial(*p))
            ++p;
        if (p != wordEnd)
            return p;
    }
}

// Whether a and b hold the same bytes. Names and short values are compared
// a word at a time inline, which beats a call to memcmp at these lengths.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline bool SameBytes(const std::string& a, const std::string& b)
{
    const std::size_t length = a.size();
    if (length != b.size())
        return false;
    const char* p = a.data();
    const char* q = b.data();
    const auto same = [](const char* x, const char* y, auto word) {
        decltype(word) u, v;
        std::memcpy(&u, x, sizeof u);
        std::memcpy(&v, y, sizeof v);
        return u == v;
    };
    if (length >= 8) {
        std::size_t i = 0;
        for (; i + 16 < length; i += 8)
            if (!same(p + i, q + i, std::uint64_t{}))
                return false;
        // At most two words are left; the last may overlap the one before.
        return same(p + i, q + i, std::uint64_t{}) && same(p + length - 8, q + length - 8, std::uint64_t{});
    }
    if (length >= 4)
        return same(p, q, std::uint32_t{}) && same(p + length - 4, q + length - 4, std::uint32_t{});
    for (std::size_t i = 0; i < length; ++i)
        if (p[i] != q[i])
            return false;
    return true;
}

} // namespace WordScan
} // namespace TsXmlLib16

#endif
