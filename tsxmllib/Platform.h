// The platform layer: files, character-set conversion, time and the debugger
// output. No other source file of the library includes system headers for these.
#ifndef TSXMLLIB_PLATFORM_H
#define TSXMLLIB_PLATFORM_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLib16 {

// Calendar time broken into fields, as the Windows structure of the same name.
struct SYSTEMTIME {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek;  // 0 = Sunday
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};

// 100-nanosecond intervals since 1601-01-01T00:00:00 UTC, split in two halves.
struct FILETIME {
    std::uint32_t dwLowDateTime;
    std::uint32_t dwHighDateTime;
};

// Converts a FILETIME to calendar fields (UTC). Fails for values past year 30827.
TSXMLLIB_EXPORT bool FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
// Converts calendar fields (UTC) to a FILETIME. Fails for fields out of range.
TSXMLLIB_EXPORT bool SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
// The current time as calendar fields, in local time and in UTC.
TSXMLLIB_EXPORT void GetLocalTime(SYSTEMTIME* systemTime);
TSXMLLIB_EXPORT void GetSystemTime(SYSTEMTIME* systemTime);

// Receives the library's debug trace, one piece of at most 128 characters at a time.
using DebugTraceSink = void (*)(const char* text);
// Installs (or, with null, removes) the process-wide debug trace sink; none by default.
TSXMLLIB_EXPORT void SetDebugTraceSink(DebugTraceSink sink);
TSXMLLIB_EXPORT DebugTraceSink GetDebugTraceSink();

namespace Platform {

// The proleptic Gregorian calendar with astronomical years (year 0 exists and
// is a leap year): days since 1970-01-01, and back.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d);
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d);

// A file descriptor that is closed when the object goes away. Every failing call
// records the platform error code (errno), which GetLastError returns.
class TSXMLLIB_EXPORT File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Creates or truncates a file for writing, with a sequential-access hint.
    bool OpenForWrite(const char* path);
    // Opens an existing file for reading, with a sequential-access hint.
    bool OpenForRead(const char* path);
    bool IsOpen() const { return m_fd >= 0; }
    bool GetSize(std::uint64_t& size);
    // Reads up to n bytes at offset; returns the count (0 at end of file) or -1.
    long long ReadAt(void* buffer, std::size_t n, std::uint64_t offset);
    // Announces that the given range will be read soon.
    void ReadAhead(std::uint64_t offset, std::uint64_t length);
    // Writes all n bytes, retrying short writes; false on failure.
    bool WriteAll(const void* data, std::size_t n);
    // Closes the file; false when the platform reports a failure of the close.
    bool Close();
    int GetLastError() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

// The iconv name of a code page, or an empty string when the code page has no
// known counterpart. 0 and 3 give the codeset of the current C locale.
TSXMLLIB_EXPORT std::string CodePageToCharset(unsigned int codePage);

// Converts bytes from one iconv charset to another. On failure returns false and
// describes the problem in error (unknown charset, invalid or incomplete input).
TSXMLLIB_EXPORT bool ConvertCharset(const char* toCharset, const char* fromCharset, const char* input,
                                    std::size_t length, std::string& output, std::string& error);

// Hands a text to the installed debug trace sink, if any.
TSXMLLIB_EXPORT void DebugOutput(const char* text);
// Reports a message to the user without stopping the program: one line on
// standard error, caption first, and the same text on the debug trace.
TSXMLLIB_EXPORT void ShowErrorMessage(const char* caption, const char* text);

// The text of a platform error code.
TSXMLLIB_EXPORT std::string ErrorText(int error);

} // namespace Platform
} // namespace TsXmlLib16

#endif
