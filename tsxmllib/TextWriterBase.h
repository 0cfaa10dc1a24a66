// What the two text writers (XML and JSON) share: the stream they write to,
// pretty printing, the indent characters, the line end, and flushing the
// stream whenever enough text is buffered.
#ifndef TSXMLLIB_TEXTWRITERBASE_H
#define TSXMLLIB_TEXTWRITERBASE_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/XmlWriter.h"

#include <string>

namespace TsXmlLib16 {

class CTextStream;

class TSXMLLIB_EXPORT CTextWriterBase : public CXmlWriter {
public:
    ~CTextWriterBase() override;

    // Only while no element is open.
    void SetPrettyPrint(bool prettyPrint);
    bool GetPrettyPrint() const { return m_prettyPrint; }
    // EOLType_CRLF or EOLType_LF; anything else throws "Invalid EOL type.".
    void SetEOLType(EOLType eol);
    EOLType GetEOLType() const { return m_eolType; }
    void SetIndentChars(const char* chars);
    std::string GetIndentChars() const { return m_indent; }
    CTextStream* GetStream() const { return m_pStream; }

protected:
    CTextWriterBase(const char* monitorName, CTextStream* stream);

    // Hands the buffered text on once 4096 or more bytes are waiting.
    void FlushCheck();
    // Appends the line end for a line feed found in text being written.
    void AppendLineEnd(std::string& out) const;

    std::string m_indent = "\t";
    std::string m_eol = "\n";
    EOLType m_eolType = EOLType_LF;
    bool m_prettyPrint = true;
    CTextStream* m_pStream;
};

} // namespace TsXmlLib16

#endif
