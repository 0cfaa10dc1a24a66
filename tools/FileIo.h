// Whole-file input and output for tsxml, with "-" for the standard streams and
// a progress line on a terminal while a large input is read.
#ifndef TSXML_TOOL_FILEIO_H
#define TSXML_TOOL_FILEIO_H

#include "tsxmllib/BinaryData.h"

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace TsXmlTool {

// A file that cannot be opened, read or written; the text names it and says why.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Inputs above this size get a progress line when standard error is a terminal.
constexpr std::size_t kProgressThreshold = std::size_t(64) << 20;

// One status line, rewritten in place, for inputs large enough to keep the
// user waiting. It stays silent unless it goes to a terminal; it switches
// itself on in Reading once the input is (or is known to become) larger than
// the threshold, and stays on for the steps after the read.
class Progress {
public:
    explicit Progress(bool terminal, std::FILE* sink = stderr, std::size_t threshold = kProgressThreshold)
        : m_terminal(terminal), m_sink(sink), m_threshold(threshold)
    {
    }
    ~Progress() { Clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // done bytes of what read so far; expected is the total when known, else 0.
    void Reading(const std::string& what, std::size_t done, std::size_t expected);
    // Shows text if the line is on.
    void Show(const std::string& text);
    // Removes the line, so that what follows starts on a clean line.
    void Clear();

private:
    bool m_terminal;
    std::FILE* m_sink;
    std::size_t m_threshold;
    bool m_on = false;
    bool m_shown = false;
};

// The whole of a file or of standard input ("-"), reported to progress as it
// arrives. An empty input is refused.
TsXmlLib16::CBinaryData ReadInput(const std::string& name, Progress& progress);

// Writes bytes to a file (created or truncated) or to standard output ("-").
void WriteOutput(const std::string& name, const TsXmlLib16::CBinaryData& bytes);

} // namespace TsXmlTool

#endif
