// Storage for the elements of one document. Elements are carved from blocks
// that hold many of them, so that building a large tree costs one allocation
// per block instead of one per element; an element dropped while the document
// is read (by an element filter) goes to a free list and its slot is reused,
// which keeps the memory of a filtered read flat.
#ifndef TSXMLLIB_XMLELEMENTPOOL_H
#define TSXMLLIB_XMLELEMENTPOOL_H

#include "tsxmllib/MemoryLeakHelp.h"

#include <cstddef>
#include <vector>

namespace TsXmlLib16 {

class CXmlElementPool : private CInstanceMonitor {
public:
    // slotSize: the size of one element (rounded up to the strictest alignment).
    explicit CXmlElementPool(std::size_t slotSize);
    ~CXmlElementPool() override;
    CXmlElementPool(const CXmlElementPool&) = delete;
    CXmlElementPool& operator=(const CXmlElementPool&) = delete;

    // Uninitialised storage for one element.
    void* Allocate();
    // Takes back the storage of a destroyed element.
    void Free(void* slot);
    // Gives every block back to the system; no element may be alive.
    void Release();

private:
    struct FreeSlot {
        FreeSlot* next;
    };

    std::size_t m_slotSize;
    std::size_t m_nextBlockSlots;
    std::vector<void*> m_blocks;
    unsigned char* m_next = nullptr;
    unsigned char* m_blockEnd = nullptr;
    FreeSlot* m_free = nullptr;
};

} // namespace TsXmlLib16

#endif
