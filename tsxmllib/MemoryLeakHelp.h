// Per-class counting of live instances. Library classes inherit CInstanceMonitor
// non-publicly under their class name; DumpState reports what is still alive.
#ifndef TSXMLLIB_MEMORYLEAKHELP_H
#define TSXMLLIB_MEMORYLEAKHELP_H

#include "tsxmllib/Export.h"
#include "tsxmllib/TSCriticalSection.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class TSXMLLIB_EXPORT CInstanceMonitor {
public:
    struct ClassType {
        std::string name;
        std::atomic<std::int32_t> lInstanceCount{0};
        std::atomic<std::int32_t> total{0};
    };

    // The record of one construction site, looked up once and then reused, so
    // that constructing a monitored object costs two atomic increments.
    struct SiteCache {
        std::atomic<ClassType*> record{nullptr};
        std::atomic<unsigned> generation{0};
    };

    explicit CInstanceMonitor(const char* className);
    CInstanceMonitor(SiteCache& site, const char* className);
    CInstanceMonitor(const CInstanceMonitor& other);
    CInstanceMonitor& operator=(const CInstanceMonitor&) { return *this; }
    virtual ~CInstanceMonitor();

    static std::string DumpState();
    static void Cleanup();

    // Live instances of one class (0 for a class never seen), and of all classes.
    static std::int32_t GetInstanceCount(const char* className);
    static std::int64_t GetLiveInstanceCount();

private:
    static ClassType* Register(const char* className);

    ClassType* m_pct;

    // The list of records and its lock live until the process ends, so that
    // objects destroyed during static destruction still find them.
    static std::vector<ClassType*>& ms_List();
    static CTSCriticalSection& m_cs();
};

// Base-class initialiser with a cache private to the place where it is written:
//   CXmlElement::CXmlElement() : TS_INSTANCE_MONITOR("CXmlElement") { ... }
#define TS_INSTANCE_MONITOR(className)                                                   \
    ::CInstanceMonitor(                                                                  \
        []() -> ::CInstanceMonitor::SiteCache& {                                         \
            static ::CInstanceMonitor::SiteCache site;                                   \
            return site;                                                                 \
        }(),                                                                             \
        className)

#endif
