// Tokenizer of JSON text. It reads the whole text in one pass and reports names,
// values and the boundaries of objects and arrays to its default handler, which
// keeps the error path and forwards every event to the inner handler installed
// with SetInnerHandler. Malformed text throws CTsValidationException with the
// line and column of the offending character and the path of the member read.
#ifndef TSXMLLIB_JSONTEXTREADER_H
#define TSXMLLIB_JSONTEXTREADER_H

#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace TsXmlLib16 {

class IErrorPathProvider;
class IJsonReaderHandler;
class CJsonReaderDefaultHandler;

class TSXMLLIB_EXPORT CJsonTextReader : private CInstanceMonitor {
public:
    // The text (local narrow text) is not copied and must outlive the reader.
    explicit CJsonTextReader(const std::string* text);
    CJsonTextReader(const CJsonTextReader&) = delete;
    CJsonTextReader& operator=(const CJsonTextReader&) = delete;
    ~CJsonTextReader() override;

    // The handler receives every event after the default handler; the reader owns it.
    void SetInnerHandler(IJsonReaderHandler* handler);
    IErrorPathProvider* GetErrorPathProvider() const;

    void SetAllowComments(bool allow) { m_allowComments = allow; }
    bool GetAllowComments() const { return m_allowComments; }
    // With a root name, the whole JSON value becomes the content of an element of that name.
    void SetRootElementName(const std::string& name) { m_rootElementName = name; }
    std::string GetRootElementName() const { return m_rootElementName; }

    void Parse();

private:
    // Reads the next character into m_current; line feeds are counted and never
    // become current. With skipWhitespace, blanks and (when allowed) comments are skipped.
    bool NextChar(bool skipWhitespace);
    bool ReadRaw();
    // Skips blanks and comments starting at the current character.
    bool SkipBlanks();
    bool SkipComment();
    // Copies count characters for a literal; fewer than asked sets end of file.
    bool ReadChars(std::size_t count, std::string& out);

    void ParseValue(std::int32_t depth);
    void ParseObject(std::int32_t depth);
    void ParseArray(std::int32_t depth);
    std::string ParseString();
    void ParseNumber();
    void ParseLiteral(const char* rest, const char* name);
    void AppendEscapedCharacter(std::string& out);
    unsigned ReadHexQuad();
    bool CollectDigits(std::string& out);

    [[noreturn]] void Fail(const char* format);
    [[noreturn]] void FailWithCurrent(const char* format);

    std::unique_ptr<CJsonReaderDefaultHandler> m_handler;
    std::int32_t m_depthLimit = 100;
    bool m_allowComments = true;
    std::string m_rootElementName;
    const std::string* m_text;
    std::size_t m_position = 0;
    char m_current = 0;
    bool m_eof = false;
    std::uint32_t m_line = 1;
    std::uint32_t m_column = 0;
};

} // namespace TsXmlLib16

#endif
