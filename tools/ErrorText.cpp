#include "tools/ErrorText.h"

namespace TsXmlTool {

namespace {

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Keeps the start and the end of a long line, and its UTF-8 sequences whole.
std::string Shorten(const std::string& line, std::size_t maxLine)
{
    if (line.size() <= maxLine || maxLine < 10)
        return line;
    std::size_t head = maxLine / 2;
    std::size_t tail = line.size() - (maxLine - head - 3);
    while (head > 0 && (static_cast<unsigned char>(line[head]) & 0xC0) == 0x80)
        --head;
    while (tail < line.size() && (static_cast<unsigned char>(line[tail]) & 0xC0) == 0x80)
        ++tail;
    return line.substr(0, head) + "..." + line.substr(tail);
}

} // namespace

std::string OneLine(const TsXmlLib16::CTsException& e, std::size_t maxLine)
{
    const std::string full = e.GetFullMessage();
    std::string text;
    std::size_t start = 0;
    while (start <= full.size()) {
        std::size_t end = full.find('\n', start);
        if (end == std::string::npos)
            end = full.size();
        const std::string line = Trim(full.substr(start, end - start));
        if (!line.empty()) {
            if (!text.empty())
                text += "; ";
            text += Shorten(line, maxLine);
        }
        start = end + 1;
    }
    return text.empty() ? "unknown library error" : text;
}

} // namespace TsXmlTool
