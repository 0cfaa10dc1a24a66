#include "tsxmllib/LimbArray.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace TsXmlLib16 {

namespace {

constexpr std::size_t kMaxLimbs = std::numeric_limits<std::uint32_t>::max();

// A heap block for at least count limbs: twice the current capacity when that
// is more, so that growing one limb at a time stays linear. Nothing changes
// hands until the caller has the block, which keeps every operation that
// needs one all-or-nothing.
std::uint32_t* NewBlock(std::size_t count, std::size_t current, std::uint32_t& capacity)
{
    if (count > kMaxLimbs)
        throw std::length_error("CLimbArray: more limbs than a 32-bit count holds");
    const std::size_t wanted = std::min(std::max(count, 2 * current), kMaxLimbs);
    std::uint32_t* block = new std::uint32_t[wanted];
    capacity = static_cast<std::uint32_t>(wanted);
    return block;
}

} // namespace

CLimbArray::CLimbArray(size_type count, value_type value) : CLimbArray() { resize(count, value); }

void CLimbArray::CopyFromHeap(const CLimbArray& other)
{
    // m_size is already the other's and m_capacity the inline one.
    if (m_size <= kInlineCapacity) {
        std::memcpy(m_storage.limbs, other.m_storage.heap, m_size * sizeof(value_type));
        return;
    }
    std::uint32_t capacity = 0;
    value_type* block = NewBlock(m_size, 0, capacity);
    std::memcpy(block, other.m_storage.heap, m_size * sizeof(value_type));
    m_storage.heap = block;
    m_capacity = capacity;
}

void CLimbArray::Grow(size_type count)
{
    std::uint32_t capacity = 0;
    value_type* block = NewBlock(count, m_capacity, capacity);
    std::memcpy(block, data(), m_size * sizeof(value_type));
    if (IsOnHeap())
        Release();
    m_storage.heap = block;
    m_capacity = capacity;
}

void CLimbArray::Release() noexcept { delete[] m_storage.heap; }

void CLimbArray::assign(const_iterator first, const_iterator last)
{
    const auto count = static_cast<size_type>(last - first);
    if (count > m_capacity) {
        std::uint32_t capacity = 0;
        value_type* block = NewBlock(count, m_capacity, capacity);
        // Copied before the old block goes, which the range may lie in.
        std::memcpy(block, first, count * sizeof(value_type));
        if (IsOnHeap())
            Release();
        m_storage.heap = block;
        m_capacity = capacity;
    } else {
        std::memmove(data(), first, count * sizeof(value_type));
    }
    m_size = static_cast<std::uint32_t>(count);
}

CLimbArray::iterator CLimbArray::insert(const_iterator pos, size_type count, value_type value)
{
    const auto at = static_cast<size_type>(pos - data());
    const size_type size = m_size + count;
    if (size > m_capacity) {
        std::uint32_t capacity = 0;
        value_type* block = NewBlock(size, m_capacity, capacity);
        const value_type* old = data();
        std::memcpy(block, old, at * sizeof(value_type));
        std::fill(block + at, block + at + count, value);
        std::memcpy(block + at + count, old + at, (m_size - at) * sizeof(value_type));
        if (IsOnHeap())
            Release();
        m_storage.heap = block;
        m_capacity = capacity;
    } else {
        value_type* limbs = data();
        std::memmove(limbs + at + count, limbs + at, (m_size - at) * sizeof(value_type));
        std::fill(limbs + at, limbs + at + count, value);
    }
    m_size = static_cast<std::uint32_t>(size);
    return data() + at;
}

CLimbArray::iterator CLimbArray::erase(const_iterator first, const_iterator last)
{
    value_type* limbs = data();
    const auto at = static_cast<size_type>(first - limbs);
    const auto count = static_cast<size_type>(last - first);
    std::memmove(limbs + at, limbs + at + count, (m_size - at - count) * sizeof(value_type));
    m_size -= static_cast<std::uint32_t>(count);
    return limbs + at;
}

} // namespace TsXmlLib16
