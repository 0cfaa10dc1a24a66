#include "tsxmllib/JsonTextReader.h"

#include "tsxmllib/Encoder.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/JsonReaderDefaultHandler.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsHighSurrogate(unsigned code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(unsigned code) { return code >= 0xDC00 && code <= 0xDFFF; }

// A character given by its code point, as local text: UTF-8 when the local
// encoding is UTF-8 (or text is taken byte for byte), otherwise converted.
void AppendCodePoint(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    char utf8[4];
    unsigned length;
    if (cp < 0x800) {
        utf8[0] = static_cast<char>(0xC0 | (cp >> 6));
        utf8[1] = static_cast<char>(0x80 | (cp & 0x3F));
        length = 2;
    } else if (cp < 0x10000) {
        utf8[0] = static_cast<char>(0xE0 | (cp >> 12));
        utf8[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        utf8[2] = static_cast<char>(0x80 | (cp & 0x3F));
        length = 3;
    } else {
        utf8[0] = static_cast<char>(0xF0 | (cp >> 18));
        utf8[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        utf8[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        utf8[3] = static_cast<char>(0x80 | (cp & 0x3F));
        length = 4;
    }
    if (IsASCIIOnly() || IsLocalEncodingUtf8())
        out.append(utf8, length);
    else
        out += Utf8ToLocal(utf8, length);
}

const char kEofHexDigits[] = "Unexpected End of File. Expected 4 hexadecimal digits'\\uxxxx' at line %d, position %d.";
const char kBadHexDigit[] = "Expected 4 hexadecimal digits'\\uxxxx', found '%c' at line %d, position %d.";
const char kEofString[] = "Unexpected End of File. Expected string value at line %d, position %d.";
const char kEofObjectEnd[] = "Unexpected End of File. Expected Object terminator character '}' at line %d, position %d.";
const char kEofArrayEnd[] = "Unexpected End of File. Expected Array terminator character ']' at line %d, position %d.";
const char kFoundDigit[] = "Expected a digit '0' to '9', found '%c' at line %d, position %d.";
const char kEofNumber[] = "Unexpected End of File. Expected a number at line %d, position %d.";

} // namespace

CJsonTextReader::CJsonTextReader(const std::string* text)
    : TS_INSTANCE_MONITOR("CJsonTextReader"), m_handler(new CJsonReaderDefaultHandler), m_text(text)
{
}

CJsonTextReader::~CJsonTextReader() = default;

void CJsonTextReader::SetInnerHandler(IJsonReaderHandler* handler) { m_handler->SetInnerHandler(handler); }

IErrorPathProvider* CJsonTextReader::GetErrorPathProvider() const { return m_handler.get(); }

void CJsonTextReader::Fail(const char* format)
{
    throw CTsValidationException(FormatString(format, static_cast<int>(m_line), static_cast<int>(m_column)),
                                 m_handler->GetErrorPath());
}

void CJsonTextReader::FailWithCurrent(const char* format)
{
    throw CTsValidationException(
        FormatString(format, m_current, static_cast<int>(m_line), static_cast<int>(m_column)),
        m_handler->GetErrorPath());
}

// ---- characters ----

bool CJsonTextReader::ReadRaw()
{
    const std::size_t size = m_text->size();
    const char* data = m_text->data();
    while (m_position < size) {
        const char c = data[m_position++];
        ++m_column;
        if (c == '\n') {
            ++m_line;
            m_column = 0;
            continue;
        }
        m_current = c;
        return true;
    }
    m_eof = true;
    return false;
}

bool CJsonTextReader::NextChar(bool skipWhitespace)
{
    if (!ReadRaw())
        return false;
    return skipWhitespace ? SkipBlanks() : true;
}

bool CJsonTextReader::SkipBlanks()
{
    for (;;) {
        if (m_current == ' ' || m_current == '\t' || m_current == '\r') {
            if (!ReadRaw())
                return false;
            continue;
        }
        if (m_allowComments && m_current == '/' && SkipComment()) {
            if (m_eof || !ReadRaw())
                return false;
            continue;
        }
        return true;
    }
}

// At a current '/': skips a line or block comment and returns true, or returns
// false (the '/' stays current) when no comment starts here. The comment is
// consumed including its line feed or closing "*/"; an unfinished one ends the text.
bool CJsonTextReader::SkipComment()
{
    const std::size_t size = m_text->size();
    const char* data = m_text->data();
    if (m_position >= size)
        return false;
    const char next = data[m_position];
    if (next == '/') {
        ++m_position;
        ++m_column;
        while (m_position < size) {
            ++m_column;
            if (data[m_position++] == '\n') {
                ++m_line;
                m_column = 0;
                return true;
            }
        }
        m_eof = true;
        return true;
    }
    if (next == '*') {
        ++m_position;
        ++m_column;
        bool star = false;
        while (ReadRaw()) {
            if (star && m_current == '/')
                return true;
            star = m_current == '*';
        }
        return true;
    }
    return false;
}

bool CJsonTextReader::ReadChars(std::size_t count, std::string& out)
{
    const std::size_t left = m_text->size() - m_position;
    const std::size_t n = count < left ? count : left;
    out.assign(m_text->data() + m_position, n);
    m_position += n;
    m_column += static_cast<std::uint32_t>(n);
    if (n < count) {
        m_eof = true;
        return false;
    }
    return true;
}

// ---- grammar ----

void CJsonTextReader::Parse()
{
    m_position = 0;
    m_eof = false;
    m_line = 1;
    m_column = 0;
    m_handler->StartDocument();
    const bool hasRoot = !m_rootElementName.empty();
    if (hasRoot) {
        m_handler->StartObject();
        m_handler->Name(m_rootElementName);
    }
    if (NextChar(true)) {
        ParseValue(0);
        if (!m_eof)
            FailWithCurrent("Expected End of File, found '%c' at line %d, position %d.");
    }
    if (hasRoot)
        m_handler->EndObject();
    m_handler->EndDocument();
}

// Nesting is limited, so the recursion below is at most m_depthLimit levels deep.
void CJsonTextReader::ParseValue(std::int32_t depth)
{
    if (depth + 1 > m_depthLimit)
        Fail("JSON exceeded depth limit at line %d, position %d.");
    switch (m_current) {
    case '{':
        ParseObject(depth);
        return;
    case '[':
        ParseArray(depth);
        return;
    case '"': {
        const std::string value = ParseString();
        m_handler->String(value);
        NextChar(true);
        return;
    }
    case 'n':
        ParseLiteral("ull", "NULL");
        m_handler->Null();
        break;
    case 't':
        ParseLiteral("rue", "true");
        m_handler->Bool(true);
        break;
    case 'f':
        ParseLiteral("alse", "false");
        m_handler->Bool(false);
        break;
    default:
        if (m_current == '-' || IsDigit(m_current)) {
            ParseNumber();
            return;
        }
        FailWithCurrent("Expected Value '{', '[', '\"', '0-9', '-', 'true', 'false' or 'null', found '%c' at line %d, "
                        "position %d.");
    }
    NextChar(true);
}

void CJsonTextReader::ParseObject(std::int32_t depth)
{
    m_handler->StartObject();
    if (!NextChar(true))
        Fail("Unexpected End of File. Expected Object terminator character '}}' at line %d, position %d.");
    if (m_current != '}') {
        for (;;) {
            if (m_current != '"')
                FailWithCurrent(
                    "Expected quotation mark character '\"' before Name, found '%c' at line %d, position %d.");
            const std::string name = ParseString();
            m_handler->Name(name);
            if (!NextChar(true))
                Fail("Unexpected End of File. Expected Object Name/Value separator character ':' at line %d, "
                     "position %d.");
            if (m_current != ':')
                FailWithCurrent(
                    "Expected Object Name/Value separator character ':', found '%c' at line %d, position %d.");
            if (!NextChar(true))
                Fail("Unexpected End of File. Expected Object Value at line %d, position %d.");
            ParseValue(depth + 1);
            if (m_eof)
                Fail(kEofObjectEnd);
            if (m_current == '}')
                break;
            if (m_current != ',')
                FailWithCurrent("Expected Object separator character ',', found '%c' at line %d, position %d.");
            if (!NextChar(true))
                Fail(kEofObjectEnd);
        }
    }
    m_handler->EndObject();
    NextChar(true);
}

void CJsonTextReader::ParseArray(std::int32_t depth)
{
    m_handler->StartArray();
    if (!NextChar(true))
        Fail(kEofArrayEnd);
    if (m_current != ']') {
        for (;;) {
            ParseValue(depth + 1);
            if (m_eof)
                Fail(kEofArrayEnd);
            if (m_current == ']')
                break;
            if (m_current != ',')
                FailWithCurrent("Expected Array separator character ',', found '%c' at line %d, position %d.");
            if (!NextChar(true))
                Fail(kEofArrayEnd);
        }
    }
    m_handler->EndArray();
    NextChar(true);
}

// At the opening quotation mark; returns with the closing one current.
std::string CJsonTextReader::ParseString()
{
    std::string value;
    for (;;) {
        if (!NextChar(false))
            Fail(kEofString);
        if (m_current == '"')
            return value;
        if (m_current != '\\') {
            value += m_current;
            continue;
        }
        if (!NextChar(false))
            Fail(kEofString);
        AppendEscapedCharacter(value);
    }
}

void CJsonTextReader::AppendEscapedCharacter(std::string& out)
{
    switch (m_current) {
    case '"':
    case '\\':
    case '/':
        out += m_current;
        return;
    case 'b':
        out += '\b';
        return;
    case 'f':
        out += '\f';
        return;
    case 'n':
        out += '\n';
        return;
    case 'r':
        out += '\r';
        return;
    case 't':
        out += '\t';
        return;
    case 'u':
        break;
    default:
        FailWithCurrent("Invalid Escape Character '%c' at line %d, position %d.");
    }
    // A high surrogate directly followed by an escaped low surrogate is one
    // character; any other surrogate stands alone and becomes U+FFFD.
    unsigned code = ReadHexQuad();
    for (;;) {
        if (!IsHighSurrogate(code)) {
            AppendCodePoint(out, IsLowSurrogate(code) ? 0xFFFD : code);
            return;
        }
        const std::size_t p = m_position;
        if (p + 1 >= m_text->size() || (*m_text)[p] != '\\' || (*m_text)[p + 1] != 'u') {
            AppendCodePoint(out, 0xFFFD);
            return;
        }
        NextChar(false);
        NextChar(false);
        const unsigned low = ReadHexQuad();
        if (IsLowSurrogate(low)) {
            AppendCodePoint(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
            return;
        }
        AppendCodePoint(out, 0xFFFD);
        code = low;
    }
}

unsigned CJsonTextReader::ReadHexQuad()
{
    unsigned code = 0;
    for (int i = 0; i < 4; ++i) {
        if (!NextChar(false))
            Fail(kEofHexDigits);
        const int digit = HexValue(m_current);
        if (digit < 0)
            FailWithCurrent(kBadHexDigit);
        code = code * 16 + static_cast<unsigned>(digit);
    }
    return code;
}

// Appends the digits that follow; returns false at the end of the text.
bool CJsonTextReader::CollectDigits(std::string& out)
{
    while (NextChar(false)) {
        if (!IsDigit(m_current))
            return true;
        out += m_current;
    }
    return false;
}

void CJsonTextReader::ParseNumber()
{
    std::string number;
    if (m_current == '-') {
        number += '-';
        if (!NextChar(false))
            Fail(kEofNumber);
    }
    if (m_current == '0') {
        number += '0';
        NextChar(false);
    } else if (IsDigit(m_current)) {
        number += m_current;
        CollectDigits(number);
    } else {
        FailWithCurrent(kFoundDigit);
    }
    if (!m_eof && m_current == '.') {
        number += '.';
        if (!NextChar(false))
            Fail("Unexpected End of File. Expected a digit '0' to '9' at line %d, position %d.");
        if (!IsDigit(m_current))
            FailWithCurrent(kFoundDigit);
        number += m_current;
        CollectDigits(number);
    }
    if (!m_eof && (m_current == 'e' || m_current == 'E')) {
        number += m_current;
        if (!NextChar(false))
            Fail("Unexpected End of File. Expected '+', '-' or a number at line %d, position %d.");
        if (m_current == '+' || m_current == '-') {
            number += m_current;
            if (!NextChar(false))
                Fail(kEofNumber);
        }
        if (!IsDigit(m_current))
            FailWithCurrent(kFoundDigit);
        number += m_current;
        CollectDigits(number);
    }
    m_handler->Number(number);
    if (!m_eof)
        SkipBlanks();
}

// At the first letter of null, true or false: the rest must follow exactly.
void CJsonTextReader::ParseLiteral(const char* rest, const char* name)
{
    std::string read;
    const std::string expected = rest;
    if (!ReadChars(expected.size(), read))
        throw CTsValidationException(FormatString("Unexpected End of File. Expected value '%s' at line %d, position %d.",
                                                  name, static_cast<int>(m_line), static_cast<int>(m_column)),
                                     m_handler->GetErrorPath());
    if (read != expected)
        throw CTsValidationException(FormatString("Expected '%s' at line %d, position %d.", name,
                                                  static_cast<int>(m_line), static_cast<int>(m_column)),
                                     m_handler->GetErrorPath());
}

} // namespace TsXmlLib16
