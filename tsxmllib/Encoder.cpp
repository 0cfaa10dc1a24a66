#include "tsxmllib/Encoder.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/TsException.h"

#include <cstring>
#include <cwchar>

namespace TsXmlLib16 {

namespace {

bool IsAscii(const char* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) > 127)
            return false;
    return true;
}

std::string LocalCharset()
{
    const unsigned int codePage = GetLocalCharEncoding();
    std::string charset = Platform::CodePageToCharset(codePage);
    if (charset.empty())
        throw CTsException(FormatString("The local character encoding (code page %u) is not supported", codePage));
    return charset;
}

bool IsUtf8Name(const std::string& charset) { return charset == "UTF-8" || charset == "utf-8" || charset == "UTF8"; }

// Converts with iconv, throwing a clear error instead of losing characters.
std::string Convert(const char* to, const char* from, const char* data, std::size_t length)
{
    std::string out, error;
    if (!Platform::ConvertCharset(to, from, data, length, out, error))
        throw CTsException(FormatString("Failed to convert text from %s to %s: %s", from, to, error.c_str()));
    return out;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence; invalid bytes decode as U+FFFD, one byte at a time.
char32_t DecodeUtf8(const unsigned char* p, std::size_t left, std::size_t& used)
{
    const unsigned char b = p[0];
    used = 1;
    if (b < 0x80)
        return b;
    int extra;
    char32_t cp;
    char32_t min;
    if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        return 0xFFFD;
    }
    if (left < static_cast<std::size_t>(extra) + 1)
        return 0xFFFD;
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    used = static_cast<std::size_t>(extra) + 1;
    return cp;
}

void AppendUtf16(CBinaryData& out, char32_t cp)
{
    auto unit = [&out](char32_t u) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(u & 0xFF), static_cast<unsigned char>(u >> 8)};
        out.Append(bytes, 2);
    };
    if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

// Wide text to UTF-8; returns false on an unpaired surrogate or a value beyond U+10FFFF.
bool WideToUtf8(const wchar_t* text, std::size_t length, std::string& out)
{
    out.clear();
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= length)
                return false;
            const char32_t low = static_cast<char32_t>(text[i + 1]);
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if ((cp >= 0xDC00 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            return false;
        }
        AppendUtf8(out, cp);
    }
    return true;
}

std::string Utf8ToLocalCharset(const char* text, std::size_t length)
{
    const std::string charset = LocalCharset();
    if (IsUtf8Name(charset))
        return std::string(text, length);
    return Convert(charset.c_str(), "UTF-8", text, length);
}

std::string LocalToUtf8Bytes(const char* text, std::size_t length)
{
    // ASCII text reads the same in every local character set, so the
    // (per-call) look-up of the local set is only made for other text.
    if (IsASCIIOnly() || IsAscii(text, length))
        return std::string(text, length);
    const std::string charset = LocalCharset();
    if (IsUtf8Name(charset))
        return std::string(text, length);
    return Convert("UTF-8", charset.c_str(), text, length);
}

} // namespace

bool IsLocalEncodingUtf8()
{
    if (IsASCIIOnly())
        return true;
    const unsigned int codePage = GetLocalCharEncoding();
    return codePage == CodePage_UTF8 || IsUtf8Name(Platform::CodePageToCharset(codePage));
}

void Utf8ToLocal(const char* text, std::size_t length, std::string& out)
{
    if (IsASCIIOnly() || length == 0 || IsLocalEncodingUtf8() || IsAscii(text, length)) {
        out.assign(text, length);
    } else {
        out = Utf8ToLocalCharset(text, length);
    }
    const std::size_t zero = out.find('\0');
    if (zero != std::string::npos)
        out.resize(zero);
}

std::string Utf8ToLocal(const char* text, unsigned length)
{
    std::string out;
    Utf8ToLocal(text, length, out);
    return out;
}

CBinaryData LocalToUtf8(const char* text)
{
    CBinaryData data;
    if (!text)
        return data;
    const std::string bytes = LocalToUtf8Bytes(text, std::strlen(text));
    data.SetBuffer(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    return data;
}

std::string LocalToUtf8String(const std::string& text) { return LocalToUtf8Bytes(text.data(), text.size()); }

CBinaryData LocalToUtf16(const char* text)
{
    CBinaryData data;
    if (!text || !*text)
        return data;
    const std::size_t length = std::strlen(text);
    const std::string utf8 = IsLocalEncodingUtf8() ? std::string(text, length) : LocalToUtf8Bytes(text, length);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        std::size_t used;
        // In ASCII-only mode every byte is one character.
        const char32_t cp = IsASCIIOnly() ? (used = 1, *p) : DecodeUtf8(p, left, used);
        AppendUtf16(data, cp);
        p += used;
        left -= used;
    }
    return data;
}

std::string Utf16ToLocal(const wchar_t* text, unsigned length)
{
    if (!text)
        return std::string();
    const std::size_t n = length ? length : std::wcslen(text);
    if (n == 0)
        return std::string();
    std::string utf8;
    if (!WideToUtf8(text, n, utf8)) {
        // Unpaired surrogates become U+FFFD, as the platform conversion does.
        utf8.clear();
        for (std::size_t i = 0; i < n; ++i) {
            std::string one;
            if (i + 1 < n && text[i] >= 0xD800 && text[i] <= 0xDBFF && WideToUtf8(text + i, 2, one)) {
                utf8 += one;
                ++i;
            } else if (WideToUtf8(text + i, 1, one)) {
                utf8 += one;
            } else {
                AppendUtf8(utf8, 0xFFFD);
            }
        }
    }
    if (IsASCIIOnly())
        return utf8;
    return Utf8ToLocalCharset(utf8.data(), utf8.size());
}

CBinaryData Utf16ToUtf8(const wchar_t* text)
{
    CBinaryData data;
    if (!text || !*text)
        return data;
    std::string utf8;
    if (WideToUtf8(text, std::wcslen(text), utf8))
        data.SetBuffer(reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<unsigned long>(utf8.size()));
    return data;
}

std::string Utf16LEBytesToLocal(const unsigned char* bytes, std::size_t length)
{
    std::string utf8;
    utf8.reserve(length / 2);
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        char32_t u = static_cast<char32_t>(bytes[i] | (bytes[i + 1] << 8));
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < length) {
            const char32_t low = static_cast<char32_t>(bytes[i + 2] | (bytes[i + 3] << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(utf8, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD;
        AppendUtf8(utf8, u);
    }
    if (IsASCIIOnly())
        return utf8;
    return Utf8ToLocalCharset(utf8.data(), utf8.size());
}

} // namespace TsXmlLib16
