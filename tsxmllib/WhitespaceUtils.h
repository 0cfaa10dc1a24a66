// The white-space handling that XML Schema types apply to lexical text before
// it is converted into a value.
#ifndef TSXMLLIB_WHITESPACEUTILS_H
#define TSXMLLIB_WHITESPACEUTILS_H

#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CWhitespaceUtils {
public:
    // A fixed underlying type, so that any number read from metadata is a valid value to test.
    enum WhitespaceRule : int {
        WhitespaceRule_None = 0,     // the text is used unchanged
        WhitespaceRule_Preserve = 1, // line ends become line feeds
        WhitespaceRule_Replace = 2,  // every white-space character becomes a space
        WhitespaceRule_Collapse = 3  // runs become one space, none at either end
    };

    CWhitespaceUtils() = delete;

    // Throws CTsException "Unknown WhitespaceRule" for a rule outside 0-3.
    static std::string ApplyRule(WhitespaceRule rule, const std::string& text);
    // The text the rule makes of text, without a copy when the rule leaves it
    // as it is: text itself, or else scratch holding the result. Throws as
    // ApplyRule does.
    static const std::string& Applied(WhitespaceRule rule, const std::string& text, std::string& scratch);

    // CR LF and a lone CR become LF.
    static std::string Preserve(const std::string& text);
    // The same over exactly length bytes of text (nothing for a length below 1).
    static std::string Preserve(const char* text, int length);
    // CR LF becomes one space; any other CR, tab or LF becomes a space.
    static std::string Replace(const std::string& text);
    // Runs of white space become one space; leading and trailing white space goes.
    static std::string Collapse(const std::string& text);

    // Space, tab, carriage return or line feed.
    static bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
};

} // namespace TsXmlLib16

#endif
