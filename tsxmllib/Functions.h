// Free helpers shared by the value types: the XML Schema pattern matcher, the
// zero-padded number and second-fraction writers, and replace-all.
#ifndef TSXMLLIB_FUNCTIONS_H
#define TSXMLLIB_FUNCTIONS_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <string>

namespace TsXmlLib16 {

// Whether the whole value matches the XML Schema pattern. The pattern is UTF-8,
// the value local text. Throws CTsException for a pattern that does not compile.
TSXMLLIB_EXPORT bool PatternMatch(std::string pattern, std::string value);
// The same without copying its arguments.
TSXMLLIB_EXPORT bool PatternMatches(const std::string& pattern, const std::string& value);
// The XML Schema pattern rewritten for the regular-expression engine, anchored.
TSXMLLIB_EXPORT std::string TranslatePattern(std::string pattern);

// Decimal, zero-padded to at least width digits (5, 2 gives "05").
TSXMLLIB_EXPORT std::string PaddedNumber(unsigned value, unsigned char width);
// Removes trailing zeros but always keeps the first character ("500" gives "5").
TSXMLLIB_EXPORT std::string TrimTrailingZeros(std::string digits);
// "." and up to nine digits for the fraction of a second, or "" when it is zero.
TSXMLLIB_EXPORT std::string SecondFraction(unsigned short ms, unsigned short us, unsigned short ns);
// The same fraction written to out without allocating; returns the number of
// characters written (at most kSecondFractionMax, no terminator).
constexpr std::size_t kSecondFractionMax = 16;
TSXMLLIB_EXPORT std::size_t WriteSecondFraction(char* out, unsigned short ms, unsigned short us, unsigned short ns);

TSXMLLIB_EXPORT void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);
TSXMLLIB_EXPORT void ReplaceAll(std::wstring& text, const std::wstring& find, const std::wstring& replacement);

} // namespace TsXmlLib16

#endif
