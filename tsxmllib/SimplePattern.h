// A pattern facet made only of characters, character classes and
// quantifiers, as most are (part numbers, codes, dates): it is matched
// against ASCII text by a small automaton instead of the regular-expression
// engine. Anything beyond that is left to the engine: Compile refuses it.
#ifndef TSXMLLIB_SIMPLEPATTERN_H
#define TSXMLLIB_SIMPLEPATTERN_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CSimplePattern {
public:
    // Reads pattern: a sequence of literal characters, escaped punctuation,
    // \d \D \w \W \s \S and classes such as [A-Z0-9_] or [^a-c], each with
    // an optional ?, *, +, {n}, {n,} or {n,m}. Returns false, and leaves the
    // object unusable, for anything else (groups, alternatives, the dot,
    // other escapes, non-ASCII characters) or when the pattern needs more
    // than 63 positions. Classes mean what the regular-expression engine
    // makes of them over ASCII: \d is 0-9, \w is letters, digits and _, \s
    // is space, tab, line feed, vertical tab, form feed and carriage return.
    bool Compile(const std::string& pattern);
    // Whether the last Compile took its pattern.
    bool IsCompiled() const { return m_compiled; }

    // Whether all of text[0, length) matches the pattern. The text must be
    // ASCII without line breaks: the engine's end-of-subject rules treat a
    // final line feed apart, so texts with one are left to it.
    bool Matches(const char* text, std::size_t length) const;
    // Whether text[0, length) is text Matches judges as the engine would:
    // ASCII without control characters (and so without a zero byte).
    static bool Judges(const char* text, std::size_t length)
    {
        bool outside = false;
        for (std::size_t i = 0; i < length; ++i)
            outside |= static_cast<unsigned char>(static_cast<unsigned char>(text[i]) - 0x20) >= 0x60;
        return !outside;
    }

private:
    // Adds the positions of one quantified class; false past 63 positions.
    bool AddPositions(const std::uint64_t (&members)[2], std::size_t minimum, std::size_t maximum);

    static constexpr std::size_t kUnbounded = ~std::size_t{0};
    // Per ASCII character, the positions whose class holds it.
    std::uint64_t m_positionsOf[128] = {};
    // Positions that may be passed over (a ? or {0,n} copy, or a repeat),
    // and those that repeat (stay put on a match).
    std::uint64_t m_skippable = 0;
    std::uint64_t m_repeating = 0;
    // Positions in use; the next one is the end of a match.
    unsigned m_count = 0;
    bool m_compiled = false;
};

} // namespace TsXmlLib16

#endif
