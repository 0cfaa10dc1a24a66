// The place of a name in the small tables of names used last that readers
// and writers keep beside their full look-ups: a cheap mix of the name's
// length and end characters, which tells apart the few names a document
// uses. A name that shares a place with another only costs a look-up.
#ifndef TSXMLLIB_NAMESLOT_H
#define TSXMLLIB_NAMESLOT_H

#include <cstddef>
#include <string_view>

namespace TsXmlLib16 {

// A slot below slots; the empty name takes slot 0.
inline std::size_t NameSlot(std::string_view name, std::size_t slots)
{
    if (name.empty())
        return 0;
    return (name.size() * 31 + static_cast<unsigned char>(name.front()) +
            7u * static_cast<unsigned char>(name.back())) %
           slots;
}

} // namespace TsXmlLib16

#endif
