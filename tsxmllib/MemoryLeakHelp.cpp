#include "tsxmllib/MemoryLeakHelp.h"

#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/FormatString.h"

#include <cassert>
#include <cstring>

std::vector<CInstanceMonitor::ClassType*>& CInstanceMonitor::ms_List()
{
    static auto* list = new std::vector<ClassType*>;
    return *list;
}

CTSCriticalSection& CInstanceMonitor::m_cs()
{
    static auto* cs = new CTSCriticalSection;
    return *cs;
}

namespace {
// Bumped by Cleanup so that cached site records are looked up again.
std::atomic<unsigned> g_generation{1};
} // namespace

CInstanceMonitor::ClassType* CInstanceMonitor::Register(const char* className)
{
    CTSLock lock(m_cs());
    for (ClassType* record : ms_List()) {
        if (record->name == className) {
            ++record->lInstanceCount;
            ++record->total;
            return record;
        }
    }
    ClassType* record = new ClassType;
    record->name = className;
    record->lInstanceCount = 1;
    record->total = 1;
    ms_List().push_back(record);
    return record;
}

#ifdef TSXMLLIB_NO_INSTRUMENTATION
// A build without instrumentation keeps the layout but counts nothing.
CInstanceMonitor::CInstanceMonitor(const char*) : m_pct(nullptr) {}
CInstanceMonitor::CInstanceMonitor(SiteCache&, const char*) : m_pct(nullptr) {}
CInstanceMonitor::CInstanceMonitor(const CInstanceMonitor&) : m_pct(nullptr) {}
CInstanceMonitor::~CInstanceMonitor() = default;
#else
CInstanceMonitor::CInstanceMonitor(const char* className) : m_pct(Register(className)) {}

CInstanceMonitor::CInstanceMonitor(SiteCache& site, const char* className)
{
    const unsigned generation = g_generation.load(std::memory_order_acquire);
    ClassType* record = site.record.load(std::memory_order_acquire);
    if (record && site.generation.load(std::memory_order_acquire) == generation) {
        record->lInstanceCount.fetch_add(1, std::memory_order_relaxed);
        record->total.fetch_add(1, std::memory_order_relaxed);
        m_pct = record;
        return;
    }
    m_pct = Register(className);
    site.record.store(m_pct, std::memory_order_release);
    site.generation.store(generation, std::memory_order_release);
}

CInstanceMonitor::CInstanceMonitor(const CInstanceMonitor& other) : m_pct(other.m_pct)
{
    m_pct->lInstanceCount.fetch_add(1, std::memory_order_relaxed);
    m_pct->total.fetch_add(1, std::memory_order_relaxed);
}

CInstanceMonitor::~CInstanceMonitor()
{
    assert(m_pct && "m_pct");
    const std::int32_t left = m_pct->lInstanceCount.fetch_sub(1, std::memory_order_relaxed) - 1;
    assert(left >= 0 && "m_pct->lInstanceCount >= 0");
    (void)left;
}
#endif

std::string CInstanceMonitor::DumpState()
{
    CTSLock lock(m_cs());
    std::string text = "Instances of classes still in existence/Total Number of instances created\n";
    bool first = true;
    for (const ClassType* record : ms_List()) {
        if (!first)
            text += "\n";
        first = false;
        const std::int32_t live = record->lInstanceCount.load();
        text += TsXmlLib16::FormatString(live < 1 ? "    %s = %d/%d" : "--> %s = %d/%d", record->name.c_str(),
                                         live, record->total.load());
    }
    return text;
}

void CInstanceMonitor::Cleanup()
{
    CTSLock lock(m_cs());
    g_generation.fetch_add(1, std::memory_order_acq_rel);
    for (ClassType* record : ms_List())
        delete record;
    ms_List().clear();
}

std::int32_t CInstanceMonitor::GetInstanceCount(const char* className)
{
    CTSLock lock(m_cs());
    for (const ClassType* record : ms_List())
        if (record->name == className)
            return record->lInstanceCount.load();
    return 0;
}

std::int64_t CInstanceMonitor::GetLiveInstanceCount()
{
    CTSLock lock(m_cs());
    std::int64_t live = 0;
    for (const ClassType* record : ms_List())
        live += record->lInstanceCount.load();
    return live;
}

namespace {
// Traces the start of tracking when the library is loaded, and the final report
// when it is unloaded.
struct InstanceTracking {
    InstanceTracking() { TS_DEBUG_TRACE("Starting to track Class instances\n"); }
    ~InstanceTracking()
    {
        TS_DEBUG_TRACE("Dumping Class instances\n");
        if (TsXmlLib16::IsDebugTraceOn()) {
            const std::string state = CInstanceMonitor::DumpState();
            // The report may be longer than one trace buffer: send it in pieces.
            for (std::size_t i = 0; i < state.size(); i += 16384)
                TS_DEBUG_TRACE("%s", state.substr(i, 16384).c_str());
        }
        TS_DEBUG_TRACE("\n");
        // Objects of the application may outlive the library's own statics;
        // their records must stay valid for them.
        if (CInstanceMonitor::GetLiveInstanceCount() == 0)
            CInstanceMonitor::Cleanup();
    }
};
InstanceTracking g_instanceTracking;
} // namespace
