// printf-style composition of every message of the library, without length limit.
#ifndef TSXMLLIB_FORMATSTRING_H
#define TSXMLLIB_FORMATSTRING_H

#include "tsxmllib/Export.h"

#include <cstdarg>
#include <string>

namespace TsXmlLib16 {

TSXMLLIB_EXPORT std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
TSXMLLIB_EXPORT std::string FormatStringV(const char* format, va_list args);

} // namespace TsXmlLib16

#endif
