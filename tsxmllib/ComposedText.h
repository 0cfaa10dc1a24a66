// A short piece of output put together on the stack and handed to the stream
// in one write. A writer that knows the length of, say, a whole leaf element
// composes it here: the stream's bounds checks, block handling and flush test
// then run once for the element instead of once for each of its pieces.
#ifndef TSXMLLIB_COMPOSEDTEXT_H
#define TSXMLLIB_COMPOSEDTEXT_H

#include "tsxmllib/ShortCopy.h"

#include <cstddef>
#include <string>

namespace TsXmlLib16 {

// The pieces are put through a pointer the caller keeps in a local variable,
// each put returning where the next one goes. A pointer kept in memory (a
// member, say) would have to be read back after every store of a character,
// since such a store may change any object; a local one stays in a register.
namespace Composed {
inline char* Put(char* out, char c)
{
    *out = c;
    return out + 1;
}
inline char* Put(char* out, const char* text, std::size_t length)
{
    CopyShort(out, text, length);
    return out + length;
}
inline char* Put(char* out, const std::string& text) { return Put(out, text.data(), text.size()); }
} // namespace Composed

// Room on the stack for a piece that cannot be composed where it goes.
class CComposedText {
public:
    static constexpr std::size_t kCapacity = 256;

    CComposedText() = default;
    CComposedText(const CComposedText&) = delete;
    CComposedText& operator=(const CComposedText&) = delete;

    static bool Fits(std::size_t length) { return length <= kCapacity; }
    char* Data() { return m_text; }

private:
    char m_text[kCapacity];
};

} // namespace TsXmlLib16

#endif
