// Conversions between the library's narrow strings (in the local encoding
// chosen with SetLocalCharEncoding), UTF-8 and UTF-16.
//
// Wide text (wchar_t) holds one Unicode code point per unit; surrogate values
// in it are paired as UTF-16 would pair them.
#ifndef TSXMLLIB_ENCODER_H
#define TSXMLLIB_ENCODER_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Export.h"

#include <cstddef>
#include <string>

namespace TsXmlLib16 {

// UTF-8 bytes to local text. In ASCII-only mode the bytes are taken unchanged.
// The result ends at the first zero byte of the converted text.
TSXMLLIB_EXPORT std::string Utf8ToLocal(const char* text, unsigned length);
// The same, into a caller-provided string whose capacity is reused.
TSXMLLIB_EXPORT void Utf8ToLocal(const char* text, std::size_t length, std::string& out);
// Local text (up to its terminator) to UTF-8 bytes.
TSXMLLIB_EXPORT CBinaryData LocalToUtf8(const char* text);
TSXMLLIB_EXPORT std::string LocalToUtf8String(const std::string& text);
// Local text to UTF-16LE bytes: 2 bytes per code unit, no terminator, no mark.
TSXMLLIB_EXPORT CBinaryData LocalToUtf16(const char* text);
// Wide text (length units, or up to its terminator when length is 0) to local text.
TSXMLLIB_EXPORT std::string Utf16ToLocal(const wchar_t* text, unsigned length);
// Wide text (up to its terminator) to UTF-8 bytes; an unpaired surrogate gives empty data.
TSXMLLIB_EXPORT CBinaryData Utf16ToUtf8(const wchar_t* text);
// UTF-16LE bytes (length bytes) to local text; an unpaired surrogate becomes U+FFFD.
TSXMLLIB_EXPORT std::string Utf16LEBytesToLocal(const unsigned char* bytes, std::size_t length);

// Whether local text is UTF-8 (or taken byte for byte in ASCII-only mode), so
// that conversions from and to UTF-8 are copies.
TSXMLLIB_EXPORT bool IsLocalEncodingUtf8();

} // namespace TsXmlLib16

#endif
