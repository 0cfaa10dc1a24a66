// What the two text writers (XML and JSON) share: the stream they write to,
// pretty printing, the indent characters, the line end, and flushing the
// stream whenever enough text is buffered.
#ifndef TSXMLLIB_TEXTWRITERBASE_H
#define TSXMLLIB_TEXTWRITERBASE_H

#include "tsxmllib/ComposedText.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/WordScan.h"
#include "tsxmllib/XmlWriter.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

    // Writes the length characters that compose(out) puts from out on
    // (returning the end of what it put): in place at the end of the
    // stream's buffer when they fit there, else through room on the stack,
    // or on the heap for a piece longer than that.
    template <class Compose>
    void WriteComposed(std::size_t length, Compose&& compose)
    {
        if (char* room = m_pStream->Reserve(length)) {
            [[maybe_unused]] char* const end = compose(room);
            assert(end == room + length && "composed length");
            m_pStream->Commit(length);
            return;
        }
        CComposedText onStack;
        std::string onHeap;
        char* const text = onStack.Fits(length) ? onStack.Data() : (onHeap.resize(length), &onHeap[0]);
        [[maybe_unused]] char* const end = compose(text);
        assert(end == text + length && "composed length");
        m_pStream->Write(text, length);
    }
    // Hands the buffered text on once 4096 or more bytes are waiting. A
    // stream that keeps its text (the in-memory one) still holds it after
    // the flush: it is asked again only when another 4096 bytes have come,
    // not after every piece.
    void FlushCheck()
    {
        if (m_pStream->GetBufferedLength() >= m_flushAt) {
            m_pStream->Flush();
            m_flushAt = m_pStream->GetBufferedLength() + kFlushThreshold;
        }
    }
    // The indent characters depth times, in one write.
    void WriteIndentChars(std::uint32_t depth)
    {
        const std::string_view run = IndentRun(depth);
        m_pStream->Write(run.data(), run.size());
    }

    // The indent characters depth times, for a writer that composes its output.
    std::string_view IndentRun(std::uint32_t depth)
    {
        const std::size_t length = static_cast<std::size_t>(depth) * m_indent.size();
        if (m_indentRun.size() < length)
            GrowIndentRun(length);
        return std::string_view(m_indentRun.data(), length);
    }

    // Writes the text from p up to its first zero byte (end at the latest, as
    // for WordScan::FindSpecial). Runs of characters that are not special are
    // copied as they stand; every other character but the zero is handed to
    // escape(c), which writes its replacement.
    template <class MayHoldSpecial, class Escape>
    void WriteEscapedRuns(const char* p, const char* end, const std::uint8_t (&special)[256], std::uint8_t mask,
                          MayHoldSpecial mayHoldSpecial, Escape escape)
    {
        for (;;) {
            const char* const run = p;
            p = WordScan::FindSpecial(p, end, special, mask, mayHoldSpecial);
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
    // Changes whenever pretty printing, the line end or the indent
    // characters do: text composed before under another version is stale.
    std::uint32_t m_layoutVersion = 1;
    CTextStream* m_pStream;

private:
    std::uint32_t m_flushAt = kFlushThreshold;
    void GrowIndentRun(std::size_t length);
};

} // namespace TsXmlLib16

#endif
