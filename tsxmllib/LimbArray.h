// CLimbArray: the limbs of a CBigInteger's magnitude, a contiguous array of
// 32-bit words that keeps up to four of them inside the object and moves to
// the heap only when it grows past that. Four limbs of nine decimal digits
// hold 36 digits, more than the prices and quantities of a document need, so
// such values are created, copied and moved without an allocation.
//
// The member names follow std::vector, whose place it takes; only what the
// big-integer arithmetic uses is there. The limbs past size() are unspecified.
#ifndef TSXMLLIB_LIMBARRAY_H
#define TSXMLLIB_LIMBARRAY_H

#include "tsxmllib/Export.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CLimbArray {
public:
    using value_type = std::uint32_t;
    using size_type = std::size_t;
    using iterator = value_type*;
    using const_iterator = const value_type*;

    static constexpr size_type kInlineCapacity = 4;

    CLimbArray() noexcept : m_size(0), m_capacity(kInlineCapacity), m_storage() {}
    CLimbArray(size_type count, value_type value);
    // A copy of at most kInlineCapacity limbs is held inline, whatever the
    // storage of the original.
    CLimbArray(const CLimbArray& other) : m_size(other.m_size), m_capacity(kInlineCapacity), m_storage(other.m_storage)
    {
        if (other.IsOnHeap())
            CopyFromHeap(other);
    }
    // Takes over the other's storage (a heap block without copying it); the
    // other is left empty and inline.
    CLimbArray(CLimbArray&& other) noexcept
        : m_size(other.m_size), m_capacity(other.m_capacity), m_storage(other.m_storage)
    {
        other.m_size = 0;
        other.m_capacity = kInlineCapacity;
    }
    // Keeps the storage it has when the other's limbs fit into it. When a new
    // block is needed and cannot be had, the array is unchanged.
    CLimbArray& operator=(const CLimbArray& other)
    {
        if (!IsOnHeap() && !other.IsOnHeap()) {
            m_size = other.m_size;
            m_storage = other.m_storage;
        } else if (this != &other) {
            assign(other.begin(), other.end());
        }
        return *this;
    }
    // Takes the other's storage form too: an inline other leaves this array
    // inline (its heap block, if any, is released).
    CLimbArray& operator=(CLimbArray&& other) noexcept
    {
        if (this != &other) {
            if (IsOnHeap())
                Release();
            m_size = other.m_size;
            m_capacity = other.m_capacity;
            m_storage = other.m_storage;
            other.m_size = 0;
            other.m_capacity = kInlineCapacity;
        }
        return *this;
    }
    ~CLimbArray()
    {
        if (IsOnHeap())
            Release();
    }

    size_type size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Whether the limbs live in a heap block rather than in the object.
    bool IsOnHeap() const { return m_capacity > kInlineCapacity; }

    value_type* data() { return IsOnHeap() ? m_storage.heap : m_storage.limbs; }
    const value_type* data() const { return IsOnHeap() ? m_storage.heap : m_storage.limbs; }
    iterator begin() { return data(); }
    iterator end() { return data() + m_size; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + m_size; }
    value_type& operator[](size_type i) { return data()[i]; }
    const value_type& operator[](size_type i) const { return data()[i]; }
    value_type& back() { return data()[m_size - 1]; }
    const value_type& back() const { return data()[m_size - 1]; }

    // The storage stays, heap block included.
    void clear() { m_size = 0; }
    void push_back(value_type value)
    {
        if (m_size == m_capacity)
            Grow(m_size + 1);
        data()[m_size++] = value;
    }
    // New limbs get the value.
    void resize(size_type count, value_type value = 0)
    {
        if (count > m_capacity)
            Grow(count);
        value_type* limbs = data();
        for (size_type i = m_size; i < count; ++i)
            limbs[i] = value;
        m_size = static_cast<std::uint32_t>(count);
    }
    // The range may lie inside this array.
    void assign(const_iterator first, const_iterator last);
    // Inserts count copies of the value before pos and returns where they start.
    iterator insert(const_iterator pos, size_type count, value_type value);
    iterator erase(const_iterator first, const_iterator last);
    void swap(CLimbArray& other) noexcept
    {
        const Storage storage = m_storage;
        const std::uint32_t size = m_size;
        const std::uint32_t capacity = m_capacity;
        m_storage = other.m_storage;
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        other.m_storage = storage;
        other.m_size = size;
        other.m_capacity = capacity;
    }

private:
    // Value-initialised through its first member, so that every byte of a
    // new array is set and copying the whole union is always defined.
    union Storage {
        value_type limbs[kInlineCapacity];
        value_type* heap;
    };

    // Makes room for at least count limbs, keeping the ones held; leaves the
    // array unchanged when the block cannot be had.
    void Grow(size_type count);
    void Release() noexcept;
    void CopyFromHeap(const CLimbArray& other);

    // The counts are 32-bit so that the array takes no more room than a
    // std::vector: 2^32 limbs are far beyond any number this library meets.
    std::uint32_t m_size;
    std::uint32_t m_capacity;  // kInlineCapacity while the limbs are inline
    Storage m_storage;
};

} // namespace TsXmlLib16

#endif
