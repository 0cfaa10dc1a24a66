// Library failures as one line of text for a terminal or a log.
#ifndef TSXML_TOOL_ERRORTEXT_H
#define TSXML_TOOL_ERRORTEXT_H

#include "tsxmllib/TsException.h"

#include <string>

namespace TsXmlTool {

// The full message (the exception and its inner exceptions, outermost first,
// each with its error path as a "Path: ..." line) on one line: the lines are
// trimmed and joined with "; ", and a line longer than maxLine characters
// (such as the intermediate XML text of a JSON read) is shortened in the middle.
std::string OneLine(const TsXmlLib16::CTsException& e, std::size_t maxLine = 200);

} // namespace TsXmlTool

#endif
