#include "tsxmllib/XmlNodePool.h"

#include "tsxmllib/Platform.h"

#include <cstdlib>
#include <new>

namespace TsXmlLib16 {

namespace {
// Blocks start small, so that a small document stays small, and double until
// they reach the platform's large block, from which on every block is one.
constexpr std::size_t kFirstBlockSlots = 16;
} // namespace

std::size_t CXmlNodePool::SlotSize(std::size_t nodeSize, std::size_t alignment)
{
    // A free slot holds the link of the free list, so it is never smaller or
    // less aligned than a pointer.
    if (alignment < alignof(FreeSlot))
        alignment = alignof(FreeSlot);
    if (nodeSize < sizeof(FreeSlot))
        nodeSize = sizeof(FreeSlot);
    return (nodeSize + alignment - 1) / alignment * alignment;
}

CXmlNodePool::CXmlNodePool(std::size_t slotSize, std::size_t alignment)
    : TS_INSTANCE_MONITOR("CXmlNodePool"),
      m_slotSize(SlotSize(slotSize, alignment)),
      m_nextBlockSlots(kFirstBlockSlots)
{
}

CXmlNodePool::~CXmlNodePool() { Release(); }

void* CXmlNodePool::Allocate()
{
    if (m_free) {
        FreeSlot* slot = m_free;
        m_free = slot->next;
        return slot;
    }
    if (m_next == m_blockEnd) {
        std::size_t bytes = m_slotSize * m_nextBlockSlots;
        const bool large = bytes >= Platform::kLargeBlockSize;
        if (large)
            bytes = Platform::kLargeBlockSize;
        void* block = large ? Platform::AllocateLargeBlock(bytes) : std::malloc(bytes);
        if (!block)
            throw std::bad_alloc();
        m_blocks.push_back({block, large});
        m_next = static_cast<unsigned char*>(block);
        m_blockEnd = m_next + bytes / m_slotSize * m_slotSize;
        if (!large)
            m_nextBlockSlots *= 2;
    }
    void* slot = m_next;
    m_next += m_slotSize;
    return slot;
}

void CXmlNodePool::Free(void* slot)
{
    FreeSlot* freed = static_cast<FreeSlot*>(slot);
    freed->next = m_free;
    m_free = freed;
}

void CXmlNodePool::Release()
{
    for (const Block& block : m_blocks) {
        if (block.large)
            Platform::FreeLargeBlock(block.memory);
        else
            std::free(block.memory);
    }
    m_blocks.clear();
    m_next = m_blockEnd = nullptr;
    m_free = nullptr;
    m_nextBlockSlots = kFirstBlockSlots;
}

} // namespace TsXmlLib16
