// printf-style debug trace. The text goes to the installed sink (see
// SetDebugTraceSink) in pieces of at most 128 characters; without a sink the
// call costs one pointer test and formats nothing.
#ifndef TSXMLLIB_DEBUGTRACE_H
#define TSXMLLIB_DEBUGTRACE_H

#include "tsxmllib/Export.h"
#include "tsxmllib/Platform.h"

namespace TsXmlLib16 {

TSXMLLIB_EXPORT void DebugTraceFormatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether a trace would reach anybody; callers use it to skip building trace arguments.
inline bool IsDebugTraceOn() { return GetDebugTraceSink() != nullptr; }

} // namespace TsXmlLib16

#ifdef TSXMLLIB_NO_INSTRUMENTATION
// Compiled away, with the arguments still checked against the format.
#define TS_DEBUG_TRACE(...)                                   \
    do {                                                      \
        if (false)                                            \
            ::TsXmlLib16::DebugTraceFormatted(__VA_ARGS__);   \
    } while (0)
#else
#define TS_DEBUG_TRACE(...)                                   \
    do {                                                      \
        if (::TsXmlLib16::IsDebugTraceOn())                   \
            ::TsXmlLib16::DebugTraceFormatted(__VA_ARGS__);   \
    } while (0)
#endif

#endif
