// Limb array: where the limbs live as the array grows past its inline room,
// and what copies, moves and swaps do with each kind of storage.
#include "tsxmllib/LimbArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

using namespace TsXmlLib16;

namespace {

// An array of limbs first, first + 1, ...
CLimbArray Counting(std::size_t count, std::uint32_t first = 1)
{
    CLimbArray limbs;
    for (std::size_t i = 0; i < count; ++i)
        limbs.push_back(first + static_cast<std::uint32_t>(i));
    return limbs;
}

std::vector<std::uint32_t> Values(const CLimbArray& limbs) { return {limbs.begin(), limbs.end()}; }

} // namespace

TEST(LimbArrayTest, GrowsOntoTheHeapPastFourLimbsAndKeepsOrder)
{
    CLimbArray limbs = Counting(4);
    EXPECT_FALSE(limbs.IsOnHeap());
    limbs.push_back(5);
    EXPECT_TRUE(limbs.IsOnHeap());
    EXPECT_EQ(Values(limbs), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));

    CLimbArray front = Counting(3);
    front.insert(front.begin(), 2, 0);
    EXPECT_TRUE(front.IsOnHeap());
    EXPECT_EQ(Values(front), (std::vector<std::uint32_t>{0, 0, 1, 2, 3}));
    front.erase(front.begin(), front.begin() + 3);
    EXPECT_EQ(Values(front), (std::vector<std::uint32_t>{2, 3}));

    // A range of the array itself, and a resize whose count cannot be held,
    // which leaves the limbs as they were.
    limbs.assign(limbs.begin() + 2, limbs.end());
    EXPECT_EQ(Values(limbs), (std::vector<std::uint32_t>{3, 4, 5}));
    EXPECT_THROW(limbs.resize(std::size_t(1) << 32), std::length_error);
    EXPECT_EQ(Values(limbs), (std::vector<std::uint32_t>{3, 4, 5}));
}

TEST(LimbArrayTest, CopiesHoldSmallValuesInline)
{
    const CLimbArray heap = Counting(5);
    const CLimbArray copy(heap);
    EXPECT_TRUE(copy.IsOnHeap());
    EXPECT_NE(copy.data(), heap.data());
    EXPECT_EQ(Values(copy), Values(heap));

    // Shrunk limbs in a heap block are copied into the object.
    CLimbArray shrunk = heap;
    shrunk.resize(2);
    const CLimbArray small(shrunk);
    EXPECT_FALSE(small.IsOnHeap());
    EXPECT_EQ(Values(small), (std::vector<std::uint32_t>{1, 2}));

    CLimbArray target = Counting(2, 7);
    target = heap;
    EXPECT_EQ(Values(target), Values(heap));
    target = small;
    EXPECT_EQ(Values(target), Values(small));

    CLimbArray inlineValue = Counting(3);
    CLimbArray& inlineAlias = inlineValue;
    inlineValue = inlineAlias;
    EXPECT_EQ(Values(inlineValue), (std::vector<std::uint32_t>{1, 2, 3}));
    CLimbArray heapValue = Counting(6);
    CLimbArray& heapAlias = heapValue;
    heapValue = heapAlias;
    EXPECT_EQ(Values(heapValue), Values(Counting(6)));
}

TEST(LimbArrayTest, MovesTakeTheStorageAndLeaveEmptyInlineArrays)
{
    CLimbArray heap = Counting(5);
    const std::uint32_t* block = heap.data();
    CLimbArray moved(std::move(heap));
    EXPECT_EQ(moved.data(), block);
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(heap.IsOnHeap());
    heap.push_back(9); // a moved-from array is usable
    EXPECT_EQ(Values(heap), (std::vector<std::uint32_t>{9}));

    // An inline value moved onto a heap array makes it inline.
    CLimbArray source = Counting(2, 4);
    moved = std::move(source);
    EXPECT_FALSE(moved.IsOnHeap());
    EXPECT_EQ(Values(moved), (std::vector<std::uint32_t>{4, 5}));
    EXPECT_TRUE(source.empty());

    CLimbArray& alias = moved;
    moved = std::move(alias);
    EXPECT_EQ(Values(moved), (std::vector<std::uint32_t>{4, 5}));

    CLimbArray big = Counting(7);
    big.swap(moved);
    EXPECT_EQ(Values(big), (std::vector<std::uint32_t>{4, 5}));
    EXPECT_EQ(Values(moved), Values(Counting(7)));
    EXPECT_TRUE(moved.IsOnHeap());
}
