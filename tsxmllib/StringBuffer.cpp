#include "tsxmllib/StringBuffer.h"

#include "tsxmllib/TsException.h"

#include <cassert>
#include <cstring>

namespace TsXmlLib16 {

namespace {
constexpr std::uint32_t kDefaultBlockSize = 4095;
} // namespace

CStringBuffer::CStringBuffer() : TS_INSTANCE_MONITOR("CStringBuffer"), m_dwBlockSize(kDefaultBlockSize) {}

CStringBuffer::CStringBuffer(std::uint32_t blockSize)
    : TS_INSTANCE_MONITOR("CStringBuffer"), m_dwBlockSize(blockSize > 1 ? blockSize - 1 : 1)
{
}

CStringBuffer::~CStringBuffer() = default;

void CStringBuffer::NewBlock()
{
    assert(m_LastBlock_SizeOf == m_LastBlock_DataIn && "m_LastBlock_SizeOf == m_LastBlock_DataIn");
    std::unique_ptr<char[]> block(new char[static_cast<std::size_t>(m_dwBlockSize) + 1]);
    m_pLastBlock = block.get();
    m_blocks.push_back(std::move(block));
    m_blockSizes.push_back(m_dwBlockSize);
    m_LastBlock_SizeOf = m_dwBlockSize;
    m_LastBlock_DataIn = 0;
}

void CStringBuffer::AppendChars(const char* text, std::size_t length)
{
    if (length == 0)
        return;
    // The total must stay representable, and one more byte for the terminator
    // must fit when the blocks are joined.
    if (length >= kLengthBound - m_dwTotalBufferLen)
        throw CTsException("The text is too long for the string buffer");
    m_dwTotalBufferLen += static_cast<std::uint32_t>(length);
    while (length > 0) {
        if (m_LastBlock_DataIn == m_LastBlock_SizeOf)
            NewBlock();
        std::size_t room = m_LastBlock_SizeOf - m_LastBlock_DataIn;
        if (room > length)
            room = length;
        std::memcpy(m_pLastBlock + m_LastBlock_DataIn, text, room);
        m_LastBlock_DataIn += static_cast<std::uint32_t>(room);
        text += room;
        length -= room;
    }
}

void CStringBuffer::AppendCharSlow(char c)
{
    if (c == '\0')
        return;
    if (m_dwTotalBufferLen >= kLengthBound - 1)
        throw CTsException("The text is too long for the string buffer");
    ++m_dwTotalBufferLen;
    if (m_LastBlock_DataIn == m_LastBlock_SizeOf)
        NewBlock();
    m_pLastBlock[m_LastBlock_DataIn++] = c;
}

void CStringBuffer::Assign(const char* text)
{
    Clear();
    Append(text);
}

void CStringBuffer::Clear()
{
    m_blocks.clear();
    m_blockSizes.clear();
    m_pLastBlock = nullptr;
    m_LastBlock_DataIn = 0;
    m_LastBlock_SizeOf = 0;
    m_dwTotalBufferLen = 0;
}

void CStringBuffer::Reset()
{
    if (m_blocks.size() != 1) {
        Clear();
        return;
    }
    m_LastBlock_DataIn = 0;
    m_dwTotalBufferLen = 0;
}

void CStringBuffer::CopyTo(char* out) const
{
    if (m_blocks.empty())
        return;
    const std::size_t last = m_blocks.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        std::memcpy(out, m_blocks[i].get(), m_blockSizes[i]);
        out += m_blockSizes[i];
    }
    std::memcpy(out, m_pLastBlock, m_LastBlock_DataIn);
}

const char* CStringBuffer::GetData()
{
    if (m_blocks.empty())
        return "";
    if (m_blocks.size() == 1) {
        // Every block has room for the terminator after its last character.
        m_pLastBlock[m_LastBlock_DataIn] = '\0';
        return m_pLastBlock;
    }

    std::unique_ptr<char[]> joined(new char[static_cast<std::size_t>(m_dwTotalBufferLen) + 1]);
    CopyTo(joined.get());
    joined[m_dwTotalBufferLen] = '\0';

    m_blocks.clear();
    m_blockSizes.clear();
    m_pLastBlock = joined.get();
    m_blocks.push_back(std::move(joined));
    m_blockSizes.push_back(m_dwTotalBufferLen);
    m_LastBlock_SizeOf = m_dwTotalBufferLen;
    m_LastBlock_DataIn = m_dwTotalBufferLen;
    return m_pLastBlock;
}

} // namespace TsXmlLib16
