// Whole-file input and output for tsxml, with "-" for the standard streams and
// a progress line on a terminal while a large input is read.
#ifndef TSXML_TOOL_FILEIO_H
#define TSXML_TOOL_FILEIO_H

#include "tsxmllib/BinaryData.h"

#include <cstddef>
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

// One status line on standard error, rewritten in place; silent unless enabled.
class Progress {
public:
    explicit Progress(bool enabled) : m_enabled(enabled) {}
    ~Progress() { Clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    bool Enabled() const { return m_enabled; }
    void Enable(bool enabled) { m_enabled = enabled; }
    void Show(const std::string& text);
    // Removes the line, so that what follows starts on a clean line.
    void Clear();

private:
    bool m_enabled;
    bool m_shown = false;
};

// The whole of a file or of standard input ("-"). The progress line is shown
// when the input turns out larger than kProgressThreshold and standard error
// is a terminal.
TsXmlLib16::CBinaryData ReadInput(const std::string& name, Progress& progress);

// Writes bytes to a file (created or truncated) or to standard output ("-").
void WriteOutput(const std::string& name, const TsXmlLib16::CBinaryData& bytes);

} // namespace TsXmlTool

#endif
