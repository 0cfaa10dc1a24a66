// What the two text writers (XML and JSON) share: the stream they write to,
// pretty printing, the indent characters, the line end, and flushing the
// stream whenever enough text is buffered.
#ifndef TSXMLLIB_TEXTWRITERBASE_H
#define TSXMLLIB_TEXTWRITERBASE_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/WordScan.h"
#include "tsxmllib/XmlWriter.h"

#include <cstdint>
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
    void FlushCheck()
    {
        if (m_pStream->GetBufferedLength() >= kFlushThreshold)
            m_pStream->Flush();
    }
    // The indent characters depth times, in one write.
    void WriteIndentChars(std::uint32_t depth)
    {
        const std::size_t length = static_cast<std::size_t>(depth) * m_indent.size();
        if (m_indentRun.size() < length)
            GrowIndentRun(length);
        m_pStream->Write(m_indentRun.data(), length);
    }

    // Writes the text from p up to its first zero byte; end is where it
    // stops at the latest, and holds a zero. Runs of characters whose entry
    // in special has no bit of mask set are copied as they stand; every other
    // character but the zero (which special must mark with every mask bit) is
    // handed to escape(c), which writes its replacement. mayHoldSpecial(w)
    // must be true for any eight bytes w that hold such a character or a
    // zero (the tests of WordScan make such filters): words it passes are
    // skipped without looking at their bytes.
    template <class MayHoldSpecial, class Escape>
    void WriteEscapedRuns(const char* p, const char* end, const std::uint8_t (&special)[256], std::uint8_t mask,
                          MayHoldSpecial mayHoldSpecial, Escape escape)
    {
        const auto isSpecial = [&](char c) { return (special[static_cast<unsigned char>(c)] & mask) != 0; };
        for (;;) {
            const char* run = p;
            for (;;) {
                while (end - p >= 8 && !mayHoldSpecial(WordScan::Load(p)))
                    p += 8;
                if (end - p < 8) {
                    while (!isSpecial(*p))
                        ++p;
                    break;
                }
                // The word may hold one: its bytes are looked at.
                const char* const wordEnd = p + 8;
                while (p != wordEnd && !isSpecial(*p))
                    ++p;
                if (p != wordEnd)
                    break;
            }
            if (p != run)
                m_pStream->Write(run, static_cast<std::size_t>(p - run));
            if (*p == '\0')
                return;
            escape(*p++);
        }
    }

    static constexpr std::uint32_t kFlushThreshold = 4096;

    std::string m_indent = "\t";
    // m_indent repeated for the deepest indentation written so far.
    std::string m_indentRun;
    std::string m_eol = "\n";
    EOLType m_eolType = EOLType_LF;
    bool m_prettyPrint = true;
    CTextStream* m_pStream;

private:
    void GrowIndentRun(std::size_t length);
};

} // namespace TsXmlLib16

#endif
