// Tests on eight bytes of text at a time, for scans that look for a few
// characters: a word (read with memcpy) that none of the tests flags holds
// none of them, so the scan skips it without looking at its bytes.
#ifndef TSXMLLIB_WORDSCAN_H
#define TSXMLLIB_WORDSCAN_H

#include <cstdint>
#include <cstring>

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
// Non-zero when some byte of w is below limit (at most 128); bytes of 128
// and above never count.
inline std::uint64_t AnyByteBelow(std::uint64_t w, unsigned limit) { return (w - kOnes * limit) & ~w & kHighs; }
// Non-zero when some byte of w equals c.
inline std::uint64_t AnyByteIs(std::uint64_t w, unsigned char c) { return AnyByteBelow(w ^ (kOnes * c), 1); }

} // namespace WordScan
} // namespace TsXmlLib16

#endif
