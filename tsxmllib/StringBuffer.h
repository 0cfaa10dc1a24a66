// An append-only text buffer made of fixed-size blocks. Appending never moves
// text already written; the only copy happens when the whole text is asked for.
#ifndef TSXMLLIB_STRINGBUFFER_H
#define TSXMLLIB_STRINGBUFFER_H

#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/ShortCopy.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CStringBuffer : private CInstanceMonitor {
public:
    // New blocks hold 4095 characters (plus the terminating zero).
    CStringBuffer();
    // New blocks hold blockSize - 1 characters, so that a block with its
    // terminator takes blockSize bytes. At least one character is kept.
    explicit CStringBuffer(std::uint32_t blockSize);
    ~CStringBuffer() override;

    CStringBuffer(const CStringBuffer&) = delete;
    CStringBuffer& operator=(const CStringBuffer&) = delete;

    // A zero character appends nothing.
    void Append(char c)
    {
        if (c != '\0' && m_LastBlock_DataIn < m_LastBlock_SizeOf && m_dwTotalBufferLen < kLengthBound - 1) {
            m_pLastBlock[m_LastBlock_DataIn++] = c;
            ++m_dwTotalBufferLen;
        } else {
            AppendCharSlow(c);
        }
    }
    // Appends length characters as they are, zeros included.
    void Append(const char* text, std::size_t length)
    {
        // Most appends fit in the last block; length - 1 wraps for zero, which
        // goes the slow way and appends nothing.
        if (length - 1 < static_cast<std::size_t>(m_LastBlock_SizeOf - m_LastBlock_DataIn) &&
            length < kLengthBound - m_dwTotalBufferLen) {
            CopyShort(m_pLastBlock + m_LastBlock_DataIn, text, length);
            m_LastBlock_DataIn += static_cast<std::uint32_t>(length);
            m_dwTotalBufferLen += static_cast<std::uint32_t>(length);
        } else {
            AppendChars(text, length);
        }
    }
    // Room for length characters (at least one) at the end of the last
    // block, or null when they do not fit there. What the caller puts there
    // becomes part of the text with Commit(length); nothing else may change
    // the buffer in between.
    char* Reserve(std::size_t length)
    {
        return length - 1 < static_cast<std::size_t>(m_LastBlock_SizeOf - m_LastBlock_DataIn) &&
                       length < kLengthBound - m_dwTotalBufferLen
                   ? m_pLastBlock + m_LastBlock_DataIn
                   : nullptr;
    }
    void Commit(std::size_t length)
    {
        m_LastBlock_DataIn += static_cast<std::uint32_t>(length);
        m_dwTotalBufferLen += static_cast<std::uint32_t>(length);
    }
    // Appends up to the terminating zero; null appends nothing.
    void Append(const char* text)
    {
        if (text)
            Append(text, std::strlen(text));
    }
    // Appends the string up to its first zero character, if it holds one.
    void Append(const std::string& text) { Append(text.c_str(), std::strlen(text.c_str())); }
    void Assign(const char* text);

    // Frees every block.
    void Clear();
    // Empties the buffer but keeps a single block for reuse.
    void Reset();

    std::uint32_t GetLength() const { return m_dwTotalBufferLen; }
    // The whole text, zero-terminated, owned by the buffer and valid until the
    // next change. Several blocks are first joined into one.
    const char* GetData();
    // Copies the text, GetLength() characters without a terminator, to out,
    // block by block: the blocks stay as they are.
    void CopyTo(char* out) const;

    // Inspection of the block layout.
    std::size_t GetBlockCount() const { return m_blocks.size(); }
    std::uint32_t GetBlockCapacity(std::size_t index) const { return m_blockSizes[index]; }

private:
    // Lengths stay below this, so that the terminator of the joined text
    // still fits in 32 bits.
    static constexpr std::uint32_t kLengthBound = 0xFFFFFFFFu;

    void AppendChars(const char* text, std::size_t length);
    void AppendCharSlow(char c);
    void NewBlock();

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<std::uint32_t> m_blockSizes;
    std::uint32_t m_dwBlockSize;
    std::uint32_t m_LastBlock_DataIn = 0;
    std::uint32_t m_LastBlock_SizeOf = 0;
    char* m_pLastBlock = nullptr;
    std::uint32_t m_dwTotalBufferLen = 0;
};

} // namespace TsXmlLib16

#endif
