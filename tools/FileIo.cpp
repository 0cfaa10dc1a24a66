#include "tools/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace TsXmlTool {

namespace {

std::string Describe(const std::string& name) { return name == "-" ? "standard input" : "'" + name + "'"; }

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f && f != stdin && f != stdout)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kBlock = std::size_t(4) << 20;

} // namespace

void Progress::Reading(const std::string& what, std::size_t done, std::size_t expected)
{
    if (m_terminal && !m_on && (done > m_threshold || expected > m_threshold))
        m_on = true;
    if (expected > 0)
        Show("reading " + what + ": " + std::to_string(done >> 20) + " of " + std::to_string(expected >> 20) +
             " MiB");
    else
        Show("reading " + what + ": " + std::to_string(done >> 20) + " MiB");
}

void Progress::Show(const std::string& text)
{
    if (!m_on)
        return;
    std::fprintf(m_sink, "\r\033[Ktsxml: %s", text.c_str());
    std::fflush(m_sink);
    m_shown = true;
}

void Progress::Clear()
{
    if (!m_shown)
        return;
    std::fputs("\r\033[K", m_sink);
    std::fflush(m_sink);
    m_shown = false;
}

TsXmlLib16::CBinaryData ReadInput(const std::string& name, Progress& progress)
{
    FilePtr file(name == "-" ? stdin : std::fopen(name.c_str(), "rb"));
    if (!file)
        throw IoError("cannot open " + Describe(name) + ": " + std::strerror(errno));
    // The size when it is known (a regular file), to size the buffer once.
    std::size_t expected = 0;
    if (name != "-" && std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long end = std::ftell(file.get());
        if (end > 0)
            expected = static_cast<std::size_t>(end);
        std::rewind(file.get());
    }

    std::size_t capacity = expected > 0 ? expected : kBlock;
    std::size_t length = 0;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[capacity]);
    for (;;) {
        if (length == capacity) {
            // A file that grew, or standard input: make room.
            std::unique_ptr<unsigned char[]> larger(new unsigned char[capacity * 2]);
            std::memcpy(larger.get(), buffer.get(), length);
            buffer = std::move(larger);
            capacity *= 2;
        }
        const std::size_t want = std::min(kBlock, capacity - length);
        const std::size_t got = std::fread(buffer.get() + length, 1, want, file.get());
        length += got;
        if (got > 0)
            progress.Reading(Describe(name), length, expected);
        if (got < want) {
            if (std::ferror(file.get()))
                throw IoError("cannot read " + Describe(name) + ": " + std::strerror(errno));
            break;
        }
    }
    if (length == 0)
        throw IoError(Describe(name) + " is empty");
    return TsXmlLib16::CBinaryData(buffer.release(), static_cast<unsigned long>(length), true);
}

void WriteOutput(const std::string& name, const TsXmlLib16::CBinaryData& bytes)
{
    const bool standard = name == "-";
    FilePtr file(standard ? stdout : std::fopen(name.c_str(), "wb"));
    const std::string where = standard ? "standard output" : "'" + name + "'";
    if (!file)
        throw IoError("cannot create " + where + ": " + std::strerror(errno));
    const std::size_t length = bytes.GetLength();
    bool written = std::fwrite(bytes.GetData(), 1, length, file.get()) == length && std::fflush(file.get()) == 0;
    if (written && !standard)
        written = std::fclose(file.release()) == 0;
    if (!written) {
        const int error = errno;
        // A partly written file is worse than none.
        if (!standard)
            std::remove(name.c_str());
        throw IoError("cannot write " + where + ": " + std::strerror(error));
    }
}

} // namespace TsXmlTool
