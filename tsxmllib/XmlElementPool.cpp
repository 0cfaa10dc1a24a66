#include "tsxmllib/XmlElementPool.h"

#include <cstdlib>
#include <new>

namespace TsXmlLib16 {

namespace {
// Blocks start small, so that a small document stays small, and grow to a
// size where the allocation per block no longer matters.
constexpr std::size_t kFirstBlockSlots = 16;
constexpr std::size_t kLargestBlockSlots = 4096;
constexpr std::size_t kAlignment = alignof(std::max_align_t);
} // namespace

CXmlElementPool::CXmlElementPool(std::size_t slotSize)
    : TS_INSTANCE_MONITOR("CXmlElementPool"),
      m_slotSize((slotSize + kAlignment - 1) / kAlignment * kAlignment),
      m_nextBlockSlots(kFirstBlockSlots)
{
}

CXmlElementPool::~CXmlElementPool() { Release(); }

void* CXmlElementPool::Allocate()
{
    if (m_free) {
        FreeSlot* slot = m_free;
        m_free = slot->next;
        return slot;
    }
    if (m_next == m_blockEnd) {
        const std::size_t bytes = m_slotSize * m_nextBlockSlots;
        void* block = std::malloc(bytes);
        if (!block)
            throw std::bad_alloc();
        m_blocks.push_back(block);
        m_next = static_cast<unsigned char*>(block);
        m_blockEnd = m_next + bytes;
        if (m_nextBlockSlots < kLargestBlockSlots)
            m_nextBlockSlots *= 2;
    }
    void* slot = m_next;
    m_next += m_slotSize;
    return slot;
}

void CXmlElementPool::Free(void* slot)
{
    FreeSlot* freed = static_cast<FreeSlot*>(slot);
    freed->next = m_free;
    m_free = freed;
}

void CXmlElementPool::Release()
{
    for (void* block : m_blocks)
        std::free(block);
    m_blocks.clear();
    m_next = m_blockEnd = nullptr;
    m_free = nullptr;
    m_nextBlockSlots = kFirstBlockSlots;
}

} // namespace TsXmlLib16
