// Intrusive smart pointer over reference-counted objects (AddRef / Release).
#ifndef TSXMLLIB_SMARTPTR_H
#define TSXMLLIB_SMARTPTR_H

#include <cassert>
#include <cstddef>

namespace TsXmlLib16 {

template <class T>
class CSmartPtr {
public:
    CSmartPtr() = default;
    CSmartPtr(std::nullptr_t) {}
    CSmartPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    CSmartPtr(const CSmartPtr& other) : CSmartPtr(other.m_p) {}
    template <class U>
    CSmartPtr(const CSmartPtr<U>& other) : CSmartPtr(static_cast<U*>(other)) {}
    ~CSmartPtr()
    {
        if (m_p)
            m_p->Release();
    }

    // The new object gains its reference before the old one loses its own, so
    // assigning an object to the pointer that already holds it is safe.
    CSmartPtr& operator=(T* p)
    {
        if (p)
            p->AddRef();
        T* old = m_p;
        m_p = p;
        if (old)
            old->Release();
        return *this;
    }
    CSmartPtr& operator=(const CSmartPtr& other) { return *this = other.m_p; }
    template <class U>
    CSmartPtr& operator=(const CSmartPtr<U>& other)
    {
        return *this = static_cast<U*>(other);
    }

    T* operator->() const
    {
        assert(m_p != 0 && "p != 0");
        return m_p;
    }
    T& operator*() const
    {
        assert(m_p != 0 && "p != 0");
        return *m_p;
    }
    operator T*() const { return m_p; }
    T* get() const { return m_p; }
    bool IsNull() const { return m_p == nullptr; }

private:
    T* m_p = nullptr;
};

} // namespace TsXmlLib16

#endif
