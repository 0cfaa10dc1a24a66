// Storage for the nodes of one kind (elements or attributes) of one document.
// Nodes are carved from blocks that hold many of them, so that building a
// large tree costs one allocation per block instead of one per node; a node
// dropped while the document is read (by an element filter) goes to a free
// list and its slot is reused, which keeps the memory of a filtered read flat.
#ifndef TSXMLLIB_XMLNODEPOOL_H
#define TSXMLLIB_XMLNODEPOOL_H

#include "tsxmllib/MemoryLeakHelp.h"

#include <cstddef>
#include <vector>

namespace TsXmlLib16 {

class CXmlNodePool : private CInstanceMonitor {
public:
    // slotSize and alignment: those of one node. Slots are rounded up to the
    // node's own alignment, not the strictest one, so that no node carries
    // padding it does not need (an attribute takes 72 bytes, not 80).
    CXmlNodePool(std::size_t slotSize, std::size_t alignment);
    ~CXmlNodePool() override;
    CXmlNodePool(const CXmlNodePool&) = delete;
    CXmlNodePool& operator=(const CXmlNodePool&) = delete;

    // Uninitialised storage for one node.
    void* Allocate();
    // Takes back the storage of a destroyed node.
    void Free(void* slot);
    // Gives every block back to the system; no node may be alive.
    void Release();

private:
    struct FreeSlot {
        FreeSlot* next;
    };
    struct Block {
        void* memory;
        bool large;
    };

    // The size of the slots for nodes of this size and alignment.
    static std::size_t SlotSize(std::size_t nodeSize, std::size_t alignment);

    std::size_t m_slotSize;
    std::size_t m_nextBlockSlots;
    std::vector<Block> m_blocks;
    unsigned char* m_next = nullptr;
    unsigned char* m_blockEnd = nullptr;
    FreeSlot* m_free = nullptr;
};

} // namespace TsXmlLib16

#endif
