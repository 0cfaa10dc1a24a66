// The one lock type of the library: a recursive lock that the same thread may
// enter again, used for static data.
#ifndef TSXMLLIB_TSCRITICALSECTION_H
#define TSXMLLIB_TSCRITICALSECTION_H

#include "tsxmllib/Export.h"

#include <mutex>

class TSXMLLIB_EXPORT CTSCriticalSection {
public:
    CTSCriticalSection();
    virtual ~CTSCriticalSection();
    CTSCriticalSection(const CTSCriticalSection&) = delete;
    CTSCriticalSection& operator=(const CTSCriticalSection&) = delete;

    void Enter();
    void Leave();

private:
    std::recursive_mutex m_mutex;
};

// Holds a CTSCriticalSection for the lifetime of a scope.
class CTSLock {
public:
    explicit CTSLock(CTSCriticalSection& cs) : m_cs(cs) { m_cs.Enter(); }
    ~CTSLock() { m_cs.Leave(); }
    CTSLock(const CTSLock&) = delete;
    CTSLock& operator=(const CTSLock&) = delete;

private:
    CTSCriticalSection& m_cs;
};

#endif
