#include "tsxmllib/FormatString.h"

#include <cstdio>
#include <vector>

namespace TsXmlLib16 {

std::string FormatStringV(const char* format, va_list args)
{
    // Measure first with a copy of the arguments, then format into a buffer of
    // exactly that size: the text is never cut, whatever its length.
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(needed), '\0');
    std::vsnprintf(&text[0], text.size() + 1, format, args);
    return text;
}

std::string FormatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatStringV(format, args);
    va_end(args);
    return text;
}

} // namespace TsXmlLib16
