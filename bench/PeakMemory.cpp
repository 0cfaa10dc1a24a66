#include "bench/PeakMemory.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TsXmlLibBench {

namespace {

// A "VmRSS:" or "VmHWM:" line of /proc/self/status in bytes, or -1.
long long StatusBytes(const char* key)
{
    FILE* file = std::fopen("/proc/self/status", "r");
    if (!file)
        return -1;
    char line[256];
    long long kib = -1;
    const std::size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, key, keyLength) == 0) {
            std::sscanf(line + keyLength, "%lld", &kib);
            break;
        }
    }
    std::fclose(file);
    return kib < 0 ? -1 : kib * 1024;
}

// Writing 5 to clear_refs sets the high-water mark back to the current size.
bool ResetHighWaterMark()
{
    const int fd = open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = write(fd, "5", 1) == 1;
    close(fd);
    return ok;
}

} // namespace

long long PeakResidentGrowth(const std::function<void()>& operation)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return -1;
    }
    if (child == 0) {
        close(channel[0]);
        long long growth = -1;
        // Freed heap of the parent would otherwise be reused without showing
        // as growth; handing it back first makes every new page count.
        malloc_trim(0);
        if (ResetHighWaterMark()) {
            const long long before = StatusBytes("VmRSS:");
            try {
                operation();
                const long long peak = StatusBytes("VmHWM:");
                if (before >= 0 && peak >= 0)
                    growth = peak - before;
            } catch (...) {
                growth = -1;
            }
        }
        const ssize_t written = write(channel[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(channel[1]);
    long long growth = -1;
    if (read(channel[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return growth;
}

} // namespace TsXmlLibBench
