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

class CComposedText {
public:
    static constexpr std::size_t kCapacity = 256;

    // Composes in the text's own kCapacity characters.
    CComposedText() = default;
    // Composes straight into out, memory the caller has made room in (the
    // end of a stream's buffer, say) for everything it will put; Fits is not
    // asked then.
    explicit CComposedText(char* out) : m_begin(out), m_end(out) {}
    CComposedText(const CComposedText&) = delete;
    CComposedText& operator=(const CComposedText&) = delete;

    // Whether length more characters fit in the text's own room. Callers ask
    // before they put: the puts themselves do not check.
    bool Fits(std::size_t length) const { return length <= static_cast<std::size_t>(m_text + kCapacity - m_end); }

    void Put(char c) { *m_end++ = c; }
    void Put(const std::string& text) { Put(text.data(), text.size()); }
    void Put(const char* text, std::size_t length)
    {
        CopyShort(m_end, text, length);
        m_end += length;
    }

    const char* Data() const { return m_begin; }
    std::size_t Size() const { return static_cast<std::size_t>(m_end - m_begin); }

private:
    char m_text[kCapacity];
    char* m_begin = m_text;
    char* m_end = m_text;
};

} // namespace TsXmlLib16

#endif
