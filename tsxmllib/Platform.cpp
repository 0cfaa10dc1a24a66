#include "tsxmllib/Platform.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TsXmlLib16 {

// ---- calendar arithmetic (proleptic Gregorian, days since 1970-01-01) ----

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDelta1601 = 11644473600LL;

bool IsLeap(unsigned y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

void FillFromUnix(std::int64_t seconds, unsigned milliseconds, SYSTEMTIME* st)
{
    std::int64_t days = seconds / 86400;
    std::int64_t rem = seconds % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    std::int64_t y;
    unsigned m, d;
    Platform::CivilFromDays(days, y, m, d);
    st->wYear = static_cast<std::uint16_t>(y);
    st->wMonth = static_cast<std::uint16_t>(m);
    st->wDay = static_cast<std::uint16_t>(d);
    st->wDayOfWeek = static_cast<std::uint16_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    st->wHour = static_cast<std::uint16_t>(rem / 3600);
    st->wMinute = static_cast<std::uint16_t>((rem / 60) % 60);
    st->wSecond = static_cast<std::uint16_t>(rem % 60);
    st->wMilliseconds = static_cast<std::uint16_t>(milliseconds);
}

std::atomic<DebugTraceSink> g_traceSink{nullptr};

} // namespace

bool FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime)
{
    if (!fileTime || !systemTime)
        return false;
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
    // The platform conversion refuses values with the top bit set.
    if (ticks >= 0x8000000000000000ULL)
        return false;
    const std::int64_t seconds = static_cast<std::int64_t>(ticks / 10000000ULL) - kEpochDelta1601;
    FillFromUnix(seconds, static_cast<unsigned>((ticks % 10000000ULL) / 10000ULL), systemTime);
    return true;
}

bool SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* fileTime)
{
    if (!st || !fileTime)
        return false;
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
        st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999)
        return false;
    const unsigned last = kDays[st->wMonth - 1] + (st->wMonth == 2 && IsLeap(st->wYear) ? 1 : 0);
    if (st->wDay > last)
        return false;
    const std::int64_t days = Platform::DaysFromCivil(st->wYear, st->wMonth, st->wDay);
    const std::int64_t seconds = days * 86400 + st->wHour * 3600 + st->wMinute * 60 + st->wSecond;
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + kEpochDelta1601) * 10000000ULL +
                                static_cast<std::uint64_t>(st->wMilliseconds) * 10000ULL;
    fileTime->dwLowDateTime = static_cast<std::uint32_t>(ticks & 0xFFFFFFFFu);
    fileTime->dwHighDateTime = static_cast<std::uint32_t>(ticks >> 32);
    return true;
}

void GetSystemTime(SYSTEMTIME* systemTime)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    FillFromUnix(ts.tv_sec, static_cast<unsigned>(ts.tv_nsec / 1000000), systemTime);
}

void GetLocalTime(SYSTEMTIME* systemTime)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    FillFromUnix(static_cast<std::int64_t>(ts.tv_sec) + local.tm_gmtoff,
                 static_cast<unsigned>(ts.tv_nsec / 1000000), systemTime);
}

void SetDebugTraceSink(DebugTraceSink sink) { g_traceSink.store(sink, std::memory_order_release); }
DebugTraceSink GetDebugTraceSink() { return g_traceSink.load(std::memory_order_acquire); }

namespace Platform {

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

File::~File()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool File::OpenForWrite(const char* path)
{
    Close();
    m_fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        m_error = errno;
        return false;
    }
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

bool File::OpenForRead(const char* path)
{
    Close();
    m_fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        return false;
    }
    struct stat st{};
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        m_error = EISDIR;
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

bool File::GetSize(std::uint64_t& size)
{
    struct stat st{};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        m_error = m_fd < 0 ? EBADF : errno;
        return false;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

long long File::ReadAt(void* buffer, std::size_t n, std::uint64_t offset)
{
    for (;;) {
        const ssize_t got = ::pread(m_fd, buffer, n, static_cast<off_t>(offset));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            m_error = errno;
            return -1;
        }
    }
}

void File::ReadAhead(std::uint64_t offset, std::uint64_t length)
{
    if (m_fd >= 0)
        ::posix_fadvise(m_fd, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_WILLNEED);
}

bool File::WriteAll(const void* data, std::size_t n)
{
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t put = ::write(m_fd, p, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return false;
        }
        p += put;
        n -= static_cast<std::size_t>(put);
    }
    return true;
}

bool File::Close()
{
    if (m_fd < 0)
        return true;
    const int rc = ::close(m_fd);
    m_fd = -1;
    if (rc != 0) {
        m_error = errno;
        return false;
    }
    return true;
}

std::string CodePageToCharset(unsigned int codePage)
{
    switch (codePage) {
    case 0:
    case 3:
        return nl_langinfo(CODESET);
    case 65001: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 12000: return "UTF-32LE";
    case 12001: return "UTF-32BE";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 54936: return "GB18030";
    case 51932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 50220: return "ISO-2022-JP";
    case 437: return "CP437";
    case 850: return "CP850";
    case 852: return "CP852";
    case 866: return "CP866";
    case 874: return "CP874";
    default: break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "CP" + std::to_string(codePage);
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    if (codePage == 28603 || codePage == 28605)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    return std::string();
}

bool ConvertCharset(const char* toCharset, const char* fromCharset, const char* input, std::size_t length,
                    std::string& output, std::string& error)
{
    output.clear();
    iconv_t cd = iconv_open(toCharset, fromCharset);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = std::string("conversion from ") + fromCharset + " to " + toCharset + " is not supported";
        return false;
    }
    char* in = const_cast<char*>(input);
    std::size_t inLeft = length;
    char chunk[4096];
    bool ok = true;
    while (inLeft > 0) {
        char* out = chunk;
        std::size_t outLeft = sizeof(chunk);
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(chunk, sizeof(chunk) - outLeft);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            error = errno == EILSEQ ? "invalid character sequence at byte " + std::to_string(length - inLeft)
                                    : "incomplete character sequence at the end of the input";
            ok = false;
            break;
        }
    }
    if (ok) {
        char* out = chunk;
        std::size_t outLeft = sizeof(chunk);
        iconv(cd, nullptr, nullptr, &out, &outLeft);
        output.append(chunk, sizeof(chunk) - outLeft);
    }
    iconv_close(cd);
    return ok;
}

void DebugOutput(const char* text)
{
    if (DebugTraceSink sink = GetDebugTraceSink())
        sink(text);
}

void ShowErrorMessage(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (GetDebugTraceSink()) {
        std::string line = std::string(caption) + ": " + text + "\n";
        DebugOutput(line.c_str());
    }
}

std::string ErrorText(int error)
{
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not be in buffer.
    return strerror_r(error, buffer, sizeof(buffer));
}

} // namespace Platform
} // namespace TsXmlLib16
