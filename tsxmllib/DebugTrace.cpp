#include "tsxmllib/DebugTrace.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace TsXmlLib16 {

void DebugTraceFormatted(const char* format, ...)
{
    if (!IsDebugTraceOn())
        return;
    constexpr int kBufferSize = 1024 * 32;
    constexpr int kPiece = 128;
    static thread_local char buffer[kBufferSize];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, kBufferSize, format, args);
    va_end(args);
    // A text that does not fit the buffer is not sent at all.
    if (length < 0 || length >= kBufferSize)
        return;
    char piece[kPiece + 1];
    for (int sent = 0; sent < length; sent += kPiece) {
        const int n = length - sent < kPiece ? length - sent : kPiece;
        std::memcpy(piece, buffer + sent, static_cast<std::size_t>(n));
        piece[n] = '\0';
        Platform::DebugOutput(piece);
    }
}

} // namespace TsXmlLib16
