#include "tsxmllib/SimplePattern.h"

#include <cstring>

namespace TsXmlLib16 {

namespace {

// A set of ASCII characters, one bit each.
struct Members {
    std::uint64_t bits[2] = {0, 0};
    void Add(unsigned c) { bits[c >> 6] |= std::uint64_t{1} << (c & 63); }
    void AddRange(unsigned low, unsigned high)
    {
        for (unsigned c = low; c <= high; ++c)
            Add(c);
    }
    void Add(const Members& other)
    {
        bits[0] |= other.bits[0];
        bits[1] |= other.bits[1];
    }
    void Negate()
    {
        bits[0] = ~bits[0];
        bits[1] = ~bits[1];
    }
};

bool IsAscii(unsigned char c) { return c >= 0x20 && c < 0x7F; }
bool IsAlphanumeric(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
// A backslash before one of these stands for the character itself.
bool IsEscapablePunctuation(unsigned char c) { return c > 0x20 && c < 0x7F && !IsAlphanumeric(c); }

// \d, \w, \s and their negations; false for any other letter.
bool ClassEscape(unsigned char e, Members& members)
{
    Members set;
    switch (e | 0x20) {
    case 'd':
        set.AddRange('0', '9');
        break;
    case 'w':
        set.AddRange('0', '9');
        set.AddRange('A', 'Z');
        set.AddRange('a', 'z');
        set.Add('_');
        break;
    case 's':
        set.Add(' ');
        set.AddRange('\t', '\r'); // tab, line feed, vertical tab, form feed, carriage return
        break;
    default:
        return false;
    }
    if (e >= 'A' && e <= 'Z')
        set.Negate();
    members.Add(set);
    return true;
}

// The class after its opening bracket, up to and past the closing one.
// Only unambiguous forms are taken: a class that starts with ']', ':', '.'
// or '=', holds a '[' or a range next to a class escape, or a '-' elsewhere
// than first or last, is refused.
bool ParseClass(const char*& p, const char* end, Members& members)
{
    // "[:", "[." and "[=" may begin the engine's named classes.
    if (p != end && (*p == ':' || *p == '.' || *p == '='))
        return false;
    bool negated = false;
    if (p != end && *p == '^') {
        negated = true;
        ++p;
    }
    if (p == end || *p == ']')
        return false;
    Members set;
    for (bool first = true;; first = false) {
        if (p == end)
            return false;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == ']') {
            ++p;
            break;
        }
        if (!IsAscii(c) || c == '[')
            return false;
        unsigned low;
        if (c == '\\') {
            if (end - p < 2)
                return false;
            const unsigned char e = static_cast<unsigned char>(p[1]);
            if (ClassEscape(e, set)) {
                p += 2;
                if (p != end && *p == '-' && end - p >= 2 && p[1] != ']')
                    return false;
                continue;
            }
            if (!IsEscapablePunctuation(e))
                return false;
            low = e;
            p += 2;
        } else if (c == '-') {
            if (!first && !(end - p >= 2 && p[1] == ']'))
                return false;
            low = c;
            ++p;
        } else {
            low = c;
            ++p;
        }
        if (p != end && *p == '-' && end - p >= 2 && p[1] != ']') {
            ++p;
            const unsigned char h = static_cast<unsigned char>(*p);
            unsigned high;
            if (h == '\\') {
                if (end - p < 2 || !IsEscapablePunctuation(static_cast<unsigned char>(p[1])))
                    return false;
                high = static_cast<unsigned char>(p[1]);
                p += 2;
            } else {
                if (!IsAscii(h) || h == '[')
                    return false;
                high = h;
                ++p;
            }
            if (high < low)
                return false;
            set.AddRange(low, high);
        } else {
            set.Add(low);
        }
    }
    if (negated)
        set.Negate();
    members.Add(set);
    return true;
}

// A count of a {n,m} quantifier; false without digits or beyond any use.
bool ParseCount(const char*& p, const char* end, std::size_t& count)
{
    if (p == end || *p < '0' || *p > '9')
        return false;
    count = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        count = count * 10 + static_cast<std::size_t>(*p - '0');
        if (count > 1000)
            return false;
    }
    return true;
}

} // namespace

bool CSimplePattern::Compile(const std::string& pattern)
{
    *this = CSimplePattern();
    if (pattern.find('\0') != std::string::npos)
        return false;
    const char* p = pattern.data();
    const char* const end = p + pattern.size();
    while (p != end) {
        Members members;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (!IsAscii(c))
            return false;
        if (c == '\\') {
            if (end - p < 2)
                return false;
            const unsigned char e = static_cast<unsigned char>(p[1]);
            if (!ClassEscape(e, members)) {
                if (!IsEscapablePunctuation(e))
                    return false;
                members.Add(e);
            }
            p += 2;
        } else if (c == '[') {
            ++p;
            if (!ParseClass(p, end, members))
                return false;
        } else if (std::strchr(".^$|()[]{}*+?", c)) {
            return false;
        } else {
            members.Add(c);
            ++p;
        }
        std::size_t minimum = 1;
        std::size_t maximum = 1;
        if (p != end) {
            switch (*p) {
            case '?':
                minimum = 0;
                ++p;
                break;
            case '*':
                minimum = 0;
                maximum = kUnbounded;
                ++p;
                break;
            case '+':
                maximum = kUnbounded;
                ++p;
                break;
            case '{':
                ++p;
                if (!ParseCount(p, end, minimum))
                    return false;
                maximum = minimum;
                if (p != end && *p == ',') {
                    ++p;
                    maximum = kUnbounded;
                    if (p != end && *p != '}' && !ParseCount(p, end, maximum))
                        return false;
                }
                if (p == end || *p != '}' || maximum < minimum)
                    return false;
                ++p;
                break;
            default:
                break;
            }
            // Lazy, possessive or stacked quantifiers are the engine's.
            if (p != end && std::strchr("?*+{", *p))
                return false;
        }
        if (!AddPositions(members.bits, minimum, maximum))
            return false;
    }
    m_compiled = true;
    return true;
}

bool CSimplePattern::AddPositions(const std::uint64_t (&members)[2], std::size_t minimum, std::size_t maximum)
{
    constexpr unsigned kMaxPositions = 63;
    const std::size_t copies = maximum == kUnbounded ? minimum + 1 : maximum;
    if (copies > kMaxPositions - m_count)
        return false;
    for (std::size_t i = 0; i < copies; ++i) {
        const std::uint64_t position = std::uint64_t{1} << m_count;
        for (unsigned c = 0; c < 128; ++c)
            if (members[c >> 6] >> (c & 63) & 1)
                m_positionsOf[c] |= position;
        if (i >= minimum)
            m_skippable |= position;
        if (maximum == kUnbounded && i == minimum)
            m_repeating |= position;
        ++m_count;
    }
    return true;
}

bool CSimplePattern::Matches(const char* text, std::size_t length) const
{
    if (!m_compiled)
        return false;
    // Without optional or repeated parts, character i must be in class i.
    if (m_skippable == 0) {
        if (length != m_count)
            return false;
        for (std::size_t i = 0; i < length; ++i)
            if (!(m_positionsOf[static_cast<unsigned char>(text[i]) & 0x7F] >> i & 1))
                return false;
        return true;
    }
    // The set of positions the text so far can have reached; passing over
    // a skippable position reaches the next one without a character.
    const auto closed = [this](std::uint64_t reached) {
        for (;;) {
            const std::uint64_t more = reached | ((reached & m_skippable) << 1);
            if (more == reached)
                return reached;
            reached = more;
        }
    };
    std::uint64_t reached = closed(1);
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint64_t matched = reached & m_positionsOf[static_cast<unsigned char>(text[i]) & 0x7F];
        reached = closed(((matched & ~m_repeating) << 1) | (matched & m_repeating));
        if (!reached)
            return false;
    }
    return (reached >> m_count & 1) != 0;
}

} // namespace TsXmlLib16
